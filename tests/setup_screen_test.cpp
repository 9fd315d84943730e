// The setup screen driven by synthetic keys and pointer events on the
// simulated firmware: what each event changes in the records, and the pixels
// that prove the screen shows it.
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "frontend/setup/run.h"
#include "tests/fixture.h"
#include "tests/scene_util.h"

namespace {

std::u16string Str(const CHAR16 *S) {
  std::u16string Out;
  for (; S != nullptr && *S != 0; S++) Out += (char16_t)*S;
  return Out;
}
const CHAR16 *C16(const char16_t *T) { return reinterpret_cast<const CHAR16 *>(T); }

constexpr INT32 kPageXForTest = setup::kPageX;

class SetupScreenTest : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    C = SceneContextOf(Fw);
    ASSERT_TRUE(SetupOpen(S, C, C16(u"12:34")));
  }
  void TearDown() override {
    SetupClose(S);
    EXPECT_EQ(C.FailedCalls, 0u) << C.FirstFailedCall << " answered " << C.FirstFailedStatus;
    DriverTest::TearDown();
  }
  void Key(UINT16 K, CHAR16 Ch = 0) { SetupHandle(S, SetupKeyEvent(K, Ch)); }
  void Move(INT32 X, INT32 Y, bool Down = false) { SetupHandle(S, SetupPointerEvent(X, Y, Down)); }
  void Click(INT32 X, INT32 Y) {
    Move(X, Y, true);
    Move(X, Y, false);
  }
  // Drags from (X, Y) by (Dx, Dy) in small steps, then lets go.
  void Drag(INT32 X, INT32 Y, INT32 Dx, INT32 Dy) {
    Move(X, Y, true);
    for (INT32 I = 1; I <= 8; I++) Move(X + Dx * I / 8, Y + Dy * I / 8, true);
    Move(X + Dx, Y + Dy, false);
  }
  void GoToPage(UINT16 Page) {
    while (S.Page != Page) Key(S.Page < Page ? kSetupKeyRight : kSetupKeyLeft);
  }
  void Dump(const char *Name) {
    if (std::getenv("ORVANE_SETUP_PICTURES") != nullptr) {
      sim::WritePng(std::string("setup-") + Name + ".png", Fw.FrameBuffer(), Fw.Width(),
                    Fw.Height(), Fw.Width());
    }
  }
  // The screen shows exactly what the records say: drawing it all again from
  // them on a blank screen gives the same picture.
  void ExpectScreenMatchesState() {
    const bool Cursor = S.CursorShown;
    setup::HideCursor(S);  // the arrow is not part of what the records say
    std::vector<uint32_t> Shown = Fw.Snapshot();
    Fw.FillScreen(0x00FF00FF);
    SetupPaintAll(S);
    std::vector<uint32_t> Redrawn = Fw.Snapshot();
    size_t Differ = 0, First = 0;
    for (size_t I = 0; I < Shown.size(); I++) {
      if (Shown[I] != Redrawn[I] && Differ++ == 0) First = I;
    }
    EXPECT_EQ(Differ, 0u) << "first at (" << First % Fw.Width() << ", " << First / Fw.Width()
                          << ")";
    Fw.LoadScreen(Shown);
    if (Cursor) setup::ShowCursor(S);
  }
  size_t Changed(const std::vector<uint32_t> &Before, INT32 X, INT32 Y, INT32 W, INT32 H) {
    std::vector<uint32_t> Now = Fw.Snapshot();
    size_t N = 0;
    for (INT32 R = Y; R < Y + H; R++)
      for (INT32 U = X; U < X + W; U++)
        N += Now[(size_t)R * Fw.Width() + U] != Before[(size_t)R * Fw.Width() + U];
    return N;
  }

  SceneContext C = {};
  SetupScreenState S = {};
};

TEST_F(SetupScreenTest, InitialScreenIsTheReviewedPicture) {
  ExpectScreenIsGolden(Fw, "setup-screen");
  ExpectScreenMatchesState();
}

TEST_F(SetupScreenTest, RowsTakeTheFocusAndSkipTheDisabledOne) {
  SetupPage &Main = S.Pages[0];
  EXPECT_EQ(Main.Settings[0].Row.cellFlags, 1);
  const std::vector<uint32_t> Before = Fw.Snapshot();
  Key(kSetupKeyDown);
  // The help box speaks of the focused row.
  EXPECT_GT(Changed(Before, setup::kPageX, setup::kHelpY, setup::kRowWidth, setup::kHelpHeight),
            50u);
  Key(kSetupKeyDown);  // over the disabled processor row
  EXPECT_EQ(S.Row, 3);
  EXPECT_EQ(Main.Settings[0].Row.cellFlags, 0);
  EXPECT_EQ(Main.Settings[2].Row.cellFlags, 2);
  EXPECT_EQ(Main.Settings[3].Row.cellFlags, 1);
  Key(kSetupKeyDown);  // the last row stays
  EXPECT_EQ(S.Row, 3);
  ExpectScreenMatchesState();
  // A press on another row moves the focus; on the disabled one nothing happens.
  Click(kPageXForTest + 100, setup::kRowY + 2 * setup::kRowPitch + 5);
  EXPECT_EQ(S.Row, 3);
  Click(kPageXForTest + 100, setup::kRowY + 5);
  EXPECT_EQ(S.Row, 0);
  EXPECT_EQ(S.Phase, kPhaseBrowsing);
  ExpectScreenMatchesState();
}

TEST_F(SetupScreenTest, DockKeysHoverAndDragChooseAndReorderPages) {
  Key(kSetupKeyRight);
  EXPECT_EQ(S.Page, 1);
  EXPECT_EQ(Str(S.Pages[S.Page].Title), u"Advanced");
  EXPECT_EQ(S.DockActive[1], 1);
  EXPECT_EQ(S.DockActive[0], 0);
  ExpectScreenMatchesState();
  // Hovering the fourth picture shows its page; leaving keeps it.
  const INT32 Y = setup::kDockY + 20;
  Move(setup::kDockX + 3 * 51 + 20, Y);
  EXPECT_EQ(Str(S.Pages[S.Page].Title), u"Security");
  Move(500, 600);
  EXPECT_EQ(S.Dock.focus, 16);
  EXPECT_EQ(Str(S.Pages[S.Page].Title), u"Security");
  // Keys go on from the page shown, not from where the pointer was.
  Key(kSetupKeyLeft);
  EXPECT_EQ(Str(S.Pages[S.Page].Title), u"Boot");
  ExpectScreenMatchesState();
  // Main dragged two places right: the labels and the lit item move with it.
  Drag(setup::kDockX + 20, Y, 110, 0);
  EXPECT_EQ(Str(S.Dock.labels[0]), u"Advanced");
  EXPECT_EQ(Str(S.Dock.labels[1]), u"Boot");
  EXPECT_EQ(Str(S.Dock.labels[2]), u"Main");
  EXPECT_EQ(S.Dock.dragging, 0);
  EXPECT_EQ(Str(S.Pages[S.Page].Title), u"Main");
  for (UINT16 I = 0; I < 5; I++) EXPECT_EQ(S.DockActive[I], I == 2 ? 1 : 0) << I;
  ExpectScreenMatchesState();
}

TEST_F(SetupScreenTest, SliderFollowsItsArrowsAndThePointer) {
  GoToPage(1);
  Key(kSetupKeyDown);
  Key(kSetupKeyDown);
  SetupSetting &Fan = S.Pages[1].Settings[2];
  ASSERT_EQ(Fan.Action, kActionSlider);
  const UINT16 Start = Fan.Row.stepIndex;
  Key(kSetupKeyRight);
  Key(kSetupKeyRight);
  Key(kSetupKeyLeft);
  EXPECT_EQ(Fan.Row.stepIndex, Start + 1);
  EXPECT_EQ(S.Page, 1);  // the keys went to the slider, not to the dock
  EXPECT_EQ(S.FanPercent, (UINTN)(Start + 1) * 5);
  EXPECT_EQ(Str(Fan.ValueText), std::u16string(u"65 %"));
  ExpectScreenMatchesState();
  // Pressing the track's far end and dragging back to its start.
  const INT32 E = Fan.Row.x + Fan.Row.width - Fan.Row.sliderLength;
  const INT32 T0 = E - 49, T1 = E - 65 + Fan.Row.sliderLength;
  Move(T1 + 2, Fan.Row.y + 9, true);
  EXPECT_EQ(S.FanPercent, 100u);
  Move((T0 + T1) / 2, Fan.Row.y + 30, true);  // off the row: the grip holds
  EXPECT_EQ(S.FanPercent, 50u);
  Move(T0 - 5, Fan.Row.y + 9, false);
  EXPECT_EQ(S.FanPercent, 50u);  // released before the move counts
  EXPECT_EQ(Str(Fan.ValueText), std::u16string(u"50 %"));
  ExpectScreenMatchesState();
}

// Each popup leaves the screen exactly as it found it when it closes unchanged.
TEST_F(SetupScreenTest, EveryPopupClosesToTheScreenUnderIt) {
  struct Case {
    UINT16 Page, Row, Phase;
    bool CloseWithEscape;
  };
  const Case Cases[] = {{0, 0, kPhaseOptionPopup, true},
                        {0, 1, kPhaseListPopup, true},
                        {2, 0, kPhaseOptionPopup, false},
                        {3, 0, kPhasePassword, true},
                        {4, 0, kPhaseConfirmExit, true}};
  for (const Case &K : Cases) {
    GoToPage(K.Page);
    while (S.Row < K.Row) Key(kSetupKeyDown);
    const std::vector<uint32_t> Before = Fw.Snapshot();
    Key(kSetupKeyEnter);
    ASSERT_EQ(S.Phase, K.Phase) << K.Page << "/" << K.Row;
    // The window covers a good part of the page below its row.
    EXPECT_GT(Changed(Before, 300, 320, 200, 100), 10000u) << K.Page << "/" << K.Row;
    if (K.CloseWithEscape) {
      Key(kSetupKeyEscape);
    } else {  // the option popup's close box
      const OptionPopupEntry &Entry = S.Options.entries[S.Options.state.shown];
      Click(Entry.x + (INT32)Entry.width - 19, Entry.y + 22);
    }
    EXPECT_EQ(S.Phase, kPhaseBrowsing);
    setup::HideCursor(S);  // a click leaves the arrow; under it lies the page
    EXPECT_EQ(Changed(Before, 0, 0, 1024, 768), 0u) << K.Page << "/" << K.Row;
  }
}

TEST_F(SetupScreenTest, OptionPopupPicksByKeyOrPointerAndReordersByDragging) {
  SetupSetting &Language = S.Pages[0].Settings[0];
  Key(kSetupKeyEnter);
  EXPECT_EQ(S.Options.state.focus, 0);  // the current value starts focused
  Key(kSetupKeyDown);
  Key(kSetupKeyDown);
  Key(kSetupKeyEnter);
  EXPECT_EQ(Str(Language.ValueText), u"Nederlands");
  ExpectScreenMatchesState();
  // A click on the last item picks it.
  Key(kSetupKeyEnter);
  const OptionPopupEntry &Entry = S.Options.entries[S.Options.state.shown];
  Click(Entry.x + 100, Entry.y + 67 + 46 * 3 + 20);
  EXPECT_EQ(Str(Language.ValueText), u"Svenska");
  EXPECT_EQ(S.Phase, kPhaseBrowsing);

  // Boot order: the first item dragged below the second; the row names the new first.
  GoToPage(2);
  SetupSetting &Order = S.Pages[2].Settings[0];
  Key(kSetupKeyEnter);
  const OptionPopupEntry &Boot = S.Options.entries[S.Options.state.shown];
  Drag(Boot.x + 100, Boot.y + 67 + 20, 0, 50);
  EXPECT_EQ(S.Phase, kPhaseOptionPopup);  // a drag does not close the popup
  EXPECT_EQ(Str(Order.Items[0]), u"debian");
  EXPECT_EQ(Str(Order.Items[1]), u"Windows Boot Manager");
  Key(kSetupKeyEscape);
  EXPECT_EQ(Str(Order.ValueText), u"debian");
  ExpectScreenMatchesState();
}

TEST_F(SetupScreenTest, ListPopupScrollsWithTheSelectionAndByItsArrows) {
  SetupSetting &Layout = S.Pages[0].Settings[1];
  Key(kSetupKeyDown);
  Key(kSetupKeyEnter);
  ASSERT_EQ(S.Phase, kPhaseListPopup);
  ListPopup &L = S.List;
  EXPECT_EQ(L.selectedRow, 0);
  EXPECT_EQ(L.thumbPos, 1);  // twelve rows do not fit: a scroll bar from the top
  for (int I = 0; I < 10; I++) Key(kSetupKeyDown);
  EXPECT_EQ(L.selectedRow, 10);
  EXPECT_GT(L.thumbPos, 1);  // scrolled to keep the selection in view
  ListPopupView View = {};
  Ui->GetListPopupView(&L, &View);
  EXPECT_EQ(View.outOfView, 0);
  Key(kSetupKeyEnter);
  EXPECT_EQ(Str(Layout.ValueText), u"Swedish");

  // Pointer: the up arrow scrolls back, a row is selected, a second press takes it.
  Key(kSetupKeyEnter);
  const UINT16 Down = L.thumbPos;
  Click(L.x + (INT32)L.width - 25, L.y + 75);
  EXPECT_LT(L.thumbPos, Down);
  EXPECT_EQ(L.hotScrollPart, 0);  // released: no arrow stays dark
  const INT32 RowY = L.y + 81 + 5;
  Click(L.x + 60, RowY);
  const INT16 Picked = L.selectedRow;
  ASSERT_GE(Picked, 0);
  EXPECT_EQ(S.Phase, kPhaseListPopup);
  Click(L.x + 60, RowY);
  EXPECT_EQ(S.Phase, kPhaseBrowsing);
  EXPECT_EQ(Str(Layout.ValueText), Str(Layout.Items[Picked]));
  ExpectScreenMatchesState();
}

TEST_F(SetupScreenTest, PasswordIsTypedMaskedAndOnlyKeptOnOk) {
  GoToPage(3);
  SetupSetting &Password = S.Pages[3].Settings[0];
  Key(kSetupKeyEnter);
  ASSERT_EQ(S.Phase, kPhasePassword);
  EXPECT_EQ(S.Password.showPlain, 0);
  for (char16_t Ch : std::u16string(u"secret12345678901")) Key(kSetupKeyChar, Ch);
  EXPECT_EQ(Str(S.PasswordText), u"secret1234567890");  // sixteen at most
  Key(kSetupKeyBackspace);
  EXPECT_EQ(Str(S.PasswordText), u"secret123456789");
  Key(kSetupKeyEscape);
  EXPECT_EQ(Str(Password.ValueText), u"Not set");
  EXPECT_EQ(S.PasswordText[0], 0);
  // Typed again and confirmed with the OK button: pressed, then released on it.
  Key(kSetupKeyEnter);
  Key(kSetupKeyChar, 'x');
  const InputDialog &D = S.Password;
  Ui->HitTestInputDialog(&S.Password, 0, 0);
  INT32 OkX = -1, OkY = -1;
  for (INT32 Y = D.y; Y < D.y + D.height && OkX < 0; Y += 2)
    for (INT32 X = D.x; X < D.x + D.width && OkX < 0; X += 2) {
      Ui->HitTestInputDialog(&S.Password, X, Y);
      if (S.Password.hotButton == 1) OkX = X, OkY = Y;
    }
  S.Password.hotButton = 0;
  ASSERT_GE(OkX, 0);
  Move(OkX, OkY, true);
  EXPECT_EQ(S.Phase, kPhasePassword);
  Move(OkX, OkY, false);
  EXPECT_EQ(S.Phase, kPhaseBrowsing);
  EXPECT_EQ(Str(Password.ValueText), u"Set");
  ExpectScreenMatchesState();
}

TEST_F(SetupScreenTest, SaveAndExitAsksThenLeavesOverTheDimmedScreen) {
  GoToPage(4);
  const std::vector<uint32_t> Page = Fw.Snapshot();
  Key(kSetupKeyEnter);
  ASSERT_EQ(S.Phase, kPhaseConfirmExit);
  EXPECT_EQ(S.Confirm.HotButton, 1);
  Key(kSetupKeyRight);
  EXPECT_EQ(S.Confirm.HotButton, 2);
  Key(kSetupKeyEnter);  // Cancel
  EXPECT_EQ(S.Phase, kPhaseBrowsing);
  EXPECT_EQ(Changed(Page, 0, 0, 1024, 768), 0u);
  Key(kSetupKeyEnter);
  Key(kSetupKeyEnter);  // Save
  EXPECT_EQ(S.Phase, kPhaseDone);
  // The farewell picture is on the screen: black with its line of text.
  EXPECT_EQ(Fw.Pixel(0, 0), 0u);
  EXPECT_EQ(Fw.Pixel(1023, 767), 0u);
  EXPECT_GT(Changed(std::vector<uint32_t>(Fw.Width() * Fw.Height(), 0), 340, 360, 400, 30), 100u);
  // Nothing more is taken once the screen is left.
  const UINTN Handled = S.Handled;
  Key(kSetupKeyEnter);
  EXPECT_EQ(S.Handled, Handled);
}

TEST_F(SetupScreenTest, ClockShowsANewTimeOverItsOwnBackground) {
  const std::vector<uint32_t> Before = Fw.Snapshot();
  SetupTick(S, C16(u"12:34"));
  EXPECT_EQ(Changed(Before, 0, 0, 1024, 768), 0u);
  SetupTick(S, C16(u"18:09"));
  EXPECT_GT(Changed(Before, S.Clock.x, S.Clock.y, S.Clock.width, S.Clock.height), 100u);
  EXPECT_EQ(Changed(Before, 0, S.Clock.y + S.Clock.height, 1024, 768 - S.Clock.y - S.Clock.height),
            0u);
  ExpectScreenMatchesState();
}

// Whatever the input, the screen keeps showing its state and holds no memory
// beyond its records.
TEST_F(SetupScreenTest, RandomInputKeepsScreenAndStateTogether) {
  std::mt19937 Random(7);
  for (int Round = 0; Round < 300 && S.Phase != kPhaseDone; Round++) {
    const UINT32 R = Random() % 10;
    if (R < 5) {
      const UINT16 Keys[] = {kSetupKeyUp,    kSetupKeyDown,   kSetupKeyLeft,
                             kSetupKeyRight, kSetupKeyEscape, kSetupKeyChar};
      Key(Keys[Random() % 6], 'q');
    } else if (R < 6 && !(S.Page == 4 && S.Phase == kPhaseBrowsing)) {
      Key(kSetupKeyEnter);
    } else {
      Move((INT32)(Random() % 1024), (INT32)(Random() % 768), Random() % 3 == 0);
    }
    if (S.Phase == kPhaseBrowsing && !S.PointerDown && Round % 25 == 0) {
      ExpectScreenMatchesState();
    }
  }
  Move(0, 0, false);
  Key(kSetupKeyEscape);
  if (S.Phase == kPhaseBrowsing) ExpectScreenMatchesState();
}

TEST_F(SetupScreenTest, PopupsThatCannotGetMemoryLeaveTheScreenBrowsing) {
  Key(kSetupKeyDown);  // the list popup's row
  const std::vector<uint32_t> Before = Fw.Snapshot();
  // Every allocation of opening the list popup refused in turn: the text mask,
  // the place under the window, ...
  int Refused = 0;
  for (int N = 0; N < 3; N++) {
    Fw.FailAllocation(N);
    Key(kSetupKeyEnter);
    Fw.FailAllocation(-1);
    if (S.Phase == kPhaseListPopup) {
      Key(kSetupKeyEscape);
      continue;
    }
    Refused++;
    EXPECT_EQ(S.Saved, nullptr) << N;
    EXPECT_EQ(S.List.textMask, nullptr) << N;
  }
  EXPECT_GT(Refused, 0);
  EXPECT_EQ(Changed(Before, 0, 0, 1024, 768), 0u);
  C.FailedCalls = 0;  // refusals are counted
  Key(kSetupKeyEnter);
  EXPECT_EQ(S.Phase, kPhaseListPopup);
}

TEST(SetupFirmwareInput, KeysMapToTheScreensKeysAndOthersAreDropped) {
  struct Case {
    UINT16 Scan;
    CHAR16 Char;
    UINT16 Want;
  };
  const Case Cases[] = {{SCAN_UP, 0, kSetupKeyUp},
                        {SCAN_DOWN, 0, kSetupKeyDown},
                        {SCAN_LEFT, 0, kSetupKeyLeft},
                        {SCAN_RIGHT, 0, kSetupKeyRight},
                        {SCAN_ESC, 0, kSetupKeyEscape},
                        {0, CHAR_CARRIAGE_RETURN, kSetupKeyEnter},
                        {0, CHAR_BACKSPACE, kSetupKeyBackspace},
                        {0, 'k', kSetupKeyChar}};
  for (const Case &K : Cases) {
    SetupInput E = {};
    ASSERT_TRUE(SetupKeyFromFirmware({K.Scan, K.Char}, E)) << K.Scan << "/" << K.Char;
    EXPECT_EQ(E.Key, K.Want);
    EXPECT_EQ(E.Char, K.Want == kSetupKeyChar ? K.Char : 0);
  }
  SetupInput E = {};
  EXPECT_FALSE(SetupKeyFromFirmware({SCAN_F1, 0}, E));
  EXPECT_FALSE(SetupKeyFromFirmware({0, 0x07}, E));
}

TEST(SetupFirmwareInput, PointerPositionsComeBackToTheirPixels) {
  EFI_ABSOLUTE_POINTER_MODE Mode = {0, 0, 0, 0x7FFF, 0x7FFF, 0, 0};
  for (INT32 X = 0; X < 1024; X++) {
    const INT32 Y = X % 768;
    // The host scales a pixel into the pointer's range rounding up.
    EFI_ABSOLUTE_POINTER_STATE St = {((UINT64)X * 0x7FFF + 1022) / 1023,
                                     ((UINT64)Y * 0x7FFF + 766) / 767, 0, 1};
    SetupInput E = {};
    ASSERT_TRUE(SetupPointerFromFirmware(Mode, St, 1024, 768, E));
    ASSERT_EQ(E.X, X);
    ASSERT_EQ(E.Y, Y);
    EXPECT_TRUE(E.Down);
  }
  // A range that does not start at 0.
  EFI_ABSOLUTE_POINTER_MODE Offset = {100, 200, 0, 100 + 1023 * 4, 200 + 767 * 4, 0, 0};
  EFI_ABSOLUTE_POINTER_STATE Mid = {100 + 500 * 4 + 3, 200 + 300 * 4, 0, 0};
  SetupInput M = {};
  ASSERT_TRUE(SetupPointerFromFirmware(Offset, Mid, 1024, 768, M));
  EXPECT_EQ(M.X, 500);
  EXPECT_EQ(M.Y, 300);
  EFI_ABSOLUTE_POINTER_STATE Far = {0x9000, 0x9000, 0, 0};
  SetupInput E = {};
  ASSERT_TRUE(SetupPointerFromFirmware(Mode, Far, 1024, 768, E));
  EXPECT_EQ(E.X, 1023);
  EXPECT_EQ(E.Y, 767);
  EXPECT_FALSE(E.Down);
  EFI_ABSOLUTE_POINTER_MODE Empty = {5, 5, 0, 5, 5, 0, 0};
  EXPECT_FALSE(SetupPointerFromFirmware(Empty, Far, 1024, 768, E));
}

TEST(SetupFirmwareInput, ClockTextIsHoursAndMinutes) {
  EFI_TIME T = {};
  T.Hour = 7;
  T.Minute = 5;
  CHAR16 Text[6];
  SetupClockText(T, Text);
  EXPECT_EQ(Str(Text), u"07:05");
  T.Hour = 23;
  T.Minute = 59;
  SetupClockText(T, Text);
  EXPECT_EQ(Str(Text), u"23:59");
}

}  // namespace
