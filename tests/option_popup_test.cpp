// The option popups: definition, pointer and key tracking at the documented
// hit points, the paint against the step-by-step reference on random states,
// the refused limits, the saved background, and failing allocations.
#include <random>
#include <set>
#include <string>
#include <vector>

#include "controls/popup/option_popup.h"
#include "tests/fixture.h"
#include "tests/option_popup_reference.h"

namespace {

class OptionPopup : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    ASSERT_EQ(Ui->ResetOptionPopups(&Set), 0u);
  }
  void TearDown() override {
    if (Set.state.savedBackground != nullptr) Ui->CloseOptionPopup(&Set);
    for (OptionPopupEntry &E : Set.entries) {
      if (E.icon != nullptr) BS->FreePool(E.icon);
      E.icon = nullptr;
    }
    DriverTest::TearDown();
  }

  // Kind 0 (entry 0) at (X, Y) with the given items.
  void Define(INT32 X, INT32 Y, std::vector<std::u16string> Texts,
              const char16_t *Title = u"Boot") {
    Strings = std::move(Texts);
    TitleText = Title;
    Items.clear();
    for (std::u16string &S : Strings) Items.push_back(reinterpret_cast<CHAR16 *>(S.data()));
    ASSERT_EQ(Ui->DefineOptionPopup(&Set, X, Y, 0, reinterpret_cast<CHAR16 *>(TitleText.data()),
                                    (UINT16)Items.size(), Items.data()),
              EFI_SUCCESS);
  }
  UINTN Track(INT32 A, INT32 B, UINT16 Kind, UINT16 Key = 0) {
    return Ui->TrackOptionPopup(&Set, 0, A, B, Kind, Key);
  }
  std::u16string Item(size_t I) const { return reinterpret_cast<const char16_t *>(Items[I]); }

  // The screen under the shown popup as the reference paints it.
  std::vector<uint32_t> Expected() {
    const OptionPopupEntry &E = Set.entries[Set.state.shown];
    std::vector<uint32_t> Window = ScreenArea(E.x, E.y, E.width, E.height);
    ref::PaintOptionPopup(Set, Window);
    return Colors(Window);
  }
  std::vector<uint32_t> ScreenArea(INT32 X, INT32 Y, UINT32 W, UINT32 H) const {
    return ScreenRect(X, Y, (int)W, (int)H, 0x00FFFFFF);
  }
  static std::vector<uint32_t> Colors(std::vector<uint32_t> V) {
    for (uint32_t &C : V) C &= 0x00FFFFFF;
    return V;
  }

  void Backdrop(uint32_t Seed) {
    std::mt19937 Rng(Seed);
    for (uint32_t Y = 0; Y < Fw.Height(); Y++)
      for (uint32_t X = 0; X < Fw.Width(); X++) {
        uint32_t C = (X * 7 + Y * 13 + (Rng() & 0x1F)) & 0xFF;
        Fw.FrameBuffer()[Y * Fw.Width() + X] =
            ORVANE_PIXEL{(UINT8)C, (UINT8)(C ^ 0x5A), (UINT8)Y, 0};
      }
  }

  OptionPopupSet Set = {};
  std::vector<std::u16string> Strings;
  std::u16string TitleText;
  std::vector<const CHAR16 *> Items;
};

// Equal pictures of row width W, or where the first difference lies.
::testing::AssertionResult SamePicture(const std::vector<uint32_t> &Got,
                                       const std::vector<uint32_t> &Want, uint32_t W) {
  if (Got.size() != Want.size()) return ::testing::AssertionFailure() << "sizes differ";
  size_t Differ = 0, First = 0;
  for (size_t I = 0; I < Got.size(); I++)
    if (Got[I] != Want[I] && Differ++ == 0) First = I;
  if (Differ == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << Differ << " pixels differ, first at (" << First % W << ", " << First / W
         << "): " << std::hex << Got[First] << " instead of " << Want[First];
}

const std::vector<std::u16string> kFour = {u"First", u"Second", u"Third", u"Fourth"};

}  // namespace

TEST_F(OptionPopup, DefineMapsKindsKeepsTheWindowOnScreenAndTheFirstIcon) {
  const CHAR16 *Texts[13] = {};
  for (const CHAR16 *&T : Texts) T = W("x");
  EXPECT_EQ(Ui->DefineOptionPopup(&Set, 10, 10, 1, W("t"), 1, Texts), EFI_NOT_FOUND);
  EXPECT_EQ(Ui->DefineOptionPopup(&Set, 10, 10, 7, W("t"), 1, Texts), EFI_NOT_FOUND);
  for (const OptionPopupEntry &E : Set.entries) EXPECT_EQ(E.icon, nullptr);
  EXPECT_EQ(Fw.LiveAllocations(), 0u);

  const UINT16 Kinds[9] = {0, 2, 3, 4, 5, 6, 16, 17, 18};
  const UINT16 Entries[9] = {0, 1, 8, 5, 6, 7, 3, 2, 4};
  for (int K = 0; K < 9; K++) {
    ASSERT_EQ(Ui->DefineOptionPopup(&Set, 5 * K, 7, Kinds[K], W("t"), (UINT16)(K + 1), Texts), 0u);
    const OptionPopupEntry &E = Set.entries[Entries[K]];
    EXPECT_EQ(E.count, K + 1) << "kind " << Kinds[K];
    EXPECT_EQ(E.x, 5 * K);
    EXPECT_EQ(E.height, 63u + 45u * (K + 1) + 25u);
    EXPECT_NE(E.icon, nullptr);
    EXPECT_EQ(E.iconWidth, 48u);
    EXPECT_EQ(E.iconHeight, 54u);
  }
  // Redefining keeps the first icon and allocates nothing more.
  ORVANE_PIXEL *Icon = Set.entries[8].icon;
  size_t Live = Fw.LiveAllocations();
  ASSERT_EQ(Ui->DefineOptionPopup(&Set, 900, 100, 3, W("t"), 13, Texts), 0u);
  EXPECT_EQ(Set.entries[8].icon, Icon);
  EXPECT_EQ(Fw.LiveAllocations(), Live);
  EXPECT_EQ(Set.entries[8].x, 709);
  EXPECT_EQ(Set.entries[8].y, 95);
  EXPECT_EQ(Set.entries[8].height, 673u);
}

TEST_F(OptionPopup, DefineReportsAFailedIconDecodeAndChangesNothing) {
  const CHAR16 *Texts[1] = {W("x")};
  Fw.FailAllocation(0);
  EXPECT_EQ(Ui->DefineOptionPopup(&Set, 10, 10, 4, W("t"), 1, Texts), EFI_OUT_OF_RESOURCES);
  Fw.FailAllocation(-1);
  EXPECT_EQ(Set.entries[5].icon, nullptr);
  EXPECT_EQ(Set.entries[5].count, 0u);
  EXPECT_EQ(Set.entries[5].height, 88u);
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
}

TEST_F(OptionPopup, CloseBoxAndRowHitPoints) {
  Define(100, 100, kFour);
  EXPECT_EQ(Track(388, 114, 1), 8u);
  EXPECT_EQ(Set.state.closeState, 2);
  EXPECT_EQ(Track(404, 130, 2), 0u);
  EXPECT_EQ(Set.state.closeState, 1);
  EXPECT_EQ(Track(388, 113, 2), 0u);
  EXPECT_EQ(Set.state.closeState, 0);
  EXPECT_EQ(Track(405, 120, 1), 0u);
  EXPECT_EQ(Set.state.closeState, 0);

  struct {
    INT32 Row;
    UINT16 Focus;
  } Hits[] = {{167, 128}, {168, 0}, {211, 0},   {212, 128}, {213, 128},
              {214, 1},   {257, 1}, {258, 128}, {260, 2},   {348, 128}};
  for (auto &H : Hits) {
    Track(200, H.Row, 2);
    EXPECT_EQ(Set.state.focus, H.Focus) << "row " << H.Row;
    EXPECT_EQ(Set.state.dragging, 0);
  }
  Track(112, 190, 2);  // left of the list
  EXPECT_EQ(Set.state.focus, 128);
  Track(113, 190, 2);
  EXPECT_EQ(Set.state.focus, 0);
}

TEST_F(OptionPopup, PressStartsADragAndDraggingReordersByPointer) {
  struct Case {
    INT32 To;
    std::vector<std::u16string> Order;
    UINT16 Focus;
  };
  const Case Cases[] = {
      {258, {u"First", u"Third", u"Second", u"Fourth"}, 2},
      {300, {u"First", u"Third", u"Fourth", u"Second"}, 3},
      {200, {u"Second", u"First", u"Third", u"Fourth"}, 0},
      {235, {u"First", u"Second", u"Third", u"Fourth"}, 1},
  };
  for (const Case &C : Cases) {
    SCOPED_TRACE(C.To);
    Define(100, 100, kFour);
    EXPECT_EQ(Track(200, 230, 1), 0u);
    EXPECT_EQ(Set.state.focus, 1);
    EXPECT_EQ(Set.state.dragging, 1);
    EXPECT_EQ(Set.state.grab, 18);
    EXPECT_EQ(Set.state.dragOffset, 45);
    Track(200, 229, 1);  // grab 17 from here on
    Set.state.grab = 17;
    Track(200, C.To, 1);
    EXPECT_EQ(Set.state.focus, C.Focus);
    EXPECT_EQ(Set.state.dragOffset, (UINT16)(C.To - 167 - 17));
    for (size_t I = 0; I < 4; I++) EXPECT_EQ(Item(I), C.Order[I]) << I;
    // Another mode ends the drag; the offset is then the pointer's own.
    Track(200, C.To, 2);
    EXPECT_EQ(Set.state.dragging, 0);
    EXPECT_EQ(Set.state.grab, 0);
    EXPECT_EQ(Set.state.dragOffset, C.To - 167);
  }
}

TEST_F(OptionPopup, KeysMoveTheFocusAndTheDraggedItem) {
  Define(100, 100, kFour);
  Track(0, 0, 2, 2);  // no focus yet: the first key focuses item 0, then moves
  EXPECT_EQ(Set.state.focus, 1);
  for (int I = 0; I < 5; I++) Track(0, 0, 2, 2);
  EXPECT_EQ(Set.state.focus, 3);  // key 2 on the last item stays there
  for (int I = 0; I < 5; I++) Track(0, 0, 2, 1);
  EXPECT_EQ(Set.state.focus, 0);

  // A key press in mode 1 picks the focused item up; keys then carry it.
  Track(0, 0, 2, 2);
  EXPECT_EQ(Track(0, 0, 1, 0), 0u);
  EXPECT_EQ(Set.state.dragging, 1);
  EXPECT_EQ(Set.state.dragOffset, 45);
  Track(0, 0, 1, 2);
  EXPECT_EQ(Set.state.focus, 2);
  EXPECT_EQ(Set.state.dragOffset, 90);
  Track(0, 0, 1, 2);
  Track(0, 0, 1, 2);  // already last: stays
  EXPECT_EQ(Set.state.focus, 3);
  EXPECT_EQ(Item(3), u"Second");
  for (int I = 0; I < 6; I++) Track(0, 0, 1, 1);
  EXPECT_EQ(Set.state.focus, 0);
  EXPECT_EQ(Item(0), u"Second");
  EXPECT_EQ(Item(1), u"First");

  // An event of kind 0 clears the focus.
  Track(0, 0, 0);
  EXPECT_EQ(Set.state.dragging, 0);
  EXPECT_EQ(Set.state.focus, 0);  // cleared, then a key event without focus takes item 0
  Track(500, 500, 0);
  EXPECT_EQ(Set.state.focus, 128);
}

TEST_F(OptionPopup, LongDragsSwapPointersAndAllocateNothing) {
  Define(100, 100, kFour);
  std::vector<const CHAR16 *> Before = Items;
  Track(200, 230, 1);
  for (int Pass = 0; Pass < 500; Pass++) {
    Track(200, 330, 1);
    Track(200, 170, 1);
  }
  EXPECT_EQ(Fw.LiveAllocations(), 1u);  // the icon only
  std::multiset<const CHAR16 *> A(Before.begin(), Before.end()), B(Items.begin(), Items.end());
  EXPECT_EQ(A, B);  // the caller's own strings, reordered
  EXPECT_EQ(Item(0), u"Second");

  // A drag whose focus names no item never swaps outside the list.
  Set.state.focus = 128;
  Set.state.dragging = 1;
  Track(0, 0, 1, 2);
  Track(0, 0, 1, 1);
  Set.entries[0].count = 0;
  Set.state.focus = 0;
  Track(0, 0, 1, 2);
  EXPECT_EQ(Item(0), u"Second");
}

TEST_F(OptionPopup, PaintMatchesTheReferenceOnRandomStates) {
  std::mt19937 Rng(1234);
  const std::u16string Words[] = {u"Network stack",
                                  u"Secure boot",
                                  u"  spaced   ",
                                  u"",
                                  u"A fairly long option name that will be cut",
                                  u"Exactly twenty-eight charact   more",
                                  u"x"};
  for (int Round = 0; Round < 40; Round++) {
    SCOPED_TRACE(Round);
    Backdrop(Round);
    std::vector<std::u16string> Texts;
    const int N = (int)(Rng() % 9);
    for (int I = 0; I < N; I++) Texts.push_back(Words[Rng() % 7]);
    Define(0, 10 + (INT32)(Rng() % 60), Texts,
           Round % 3 ? u"Boot device order of this machine" : u"Power");
    OptionPopupState &S = Set.state;
    S.maxItemChars = (UINT16)(8 + Rng() % 30);
    Set.entries[0].width = 8u * S.maxItemChars + 67u + (Rng() % 3 ? 0u : Rng() % 50);
    Set.entries[0].x = (INT32)(Rng() % (1024 - Set.entries[0].width));
    S.mode = (INT16)(Rng() % 3);
    S.focus = (UINT16)(Rng() % 4 ? Rng() % (N + 1) : 128);
    S.dragging = (INT16)(Rng() % 2);
    S.dragOffset = (UINT16)(Rng() % (45 * (N + 2)));
    S.closeState = (UINT8)(Rng() % 4);
    S.closeShown = (UINT8)(Rng() % 2);
    std::vector<uint32_t> Want = Expected();
    const OptionPopupEntry &E = Set.entries[0];
    ASSERT_EQ(Ui->PaintOptionPopup(&Set), EFI_SUCCESS);
    EXPECT_TRUE(SamePicture(ScreenArea(E.x, E.y, E.width, E.height), Want, E.width));
    ASSERT_EQ(Ui->CloseOptionPopup(&Set), EFI_SUCCESS);
  }
}

TEST_F(OptionPopup, TitleAndItemCutsWithThirtyOneCharacters) {
  // What the paint shows must equal the reference given the cut strings.
  const std::u16string Thirty = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcd";
  const std::u16string Long = u"0123456789012345678901234567890123";
  const std::u16string Spaced = u"0123456789012345678901234567   tail";
  Define(100, 100, {Long, Spaced, u"0123456789012345678901234"}, Thirty.c_str());
  ASSERT_EQ(Ui->PaintOptionPopup(&Set), EFI_SUCCESS);
  std::vector<uint32_t> Painted = ScreenArea(100, 100, 315, 223);
  ASSERT_EQ(Ui->CloseOptionPopup(&Set), EFI_SUCCESS);

  Define(100, 100,
         {u"0123456789012345678901234567...", u"0123456789012345678901234567   ",
          u"0123456789012345678901234"},
         u"ABCDEFGHIJKLMNOPQRSTUVW...");
  EXPECT_TRUE(SamePicture(Painted, Expected(), 315));
  // A 26-character title is shown whole: the reference given it uncut agrees.
  Define(100, 100, {}, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  std::vector<uint32_t> Whole = Expected();
  ASSERT_EQ(Ui->PaintOptionPopup(&Set), EFI_SUCCESS);
  EXPECT_TRUE(SamePicture(ScreenArea(100, 100, 315, 88), Whole, 315));
}

TEST_F(OptionPopup, RefusesLimitsThatWouldWriteOutsideItsRows) {
  Define(100, 100, kFour);
  std::vector<uint32_t> Before = Fw.Snapshot();
  Set.state.maxItemChars = 7;
  Set.entries[0].width = 200;
  EXPECT_EQ(Ui->PaintOptionPopup(&Set), EFI_INVALID_PARAMETER);
  Set.state.maxItemChars = 31;
  Set.entries[0].width = 8 * 31 + 66;
  EXPECT_EQ(Ui->PaintOptionPopup(&Set), EFI_INVALID_PARAMETER);
  Set.entries[0].width = 315;
  Set.state.shown = 9;
  EXPECT_EQ(Ui->PaintOptionPopup(&Set), EFI_INVALID_PARAMETER);
  EXPECT_EQ(Ui->TrackOptionPopup(&Set, 9, 1, 1, 1, 0), EFI_INVALID_PARAMETER);
  Set.state.shown = 0;
  Items[2] = nullptr;
  EXPECT_EQ(Ui->PaintOptionPopup(&Set), EFI_INVALID_PARAMETER);
  EXPECT_EQ(Fw.Snapshot(), Before);
  EXPECT_EQ(Set.state.savedBackground, nullptr);

  // The row after a dragged row far below it copies nothing rather than a
  // negative height; the smallest accepted width paints like the reference.
  Items[2] = reinterpret_cast<CHAR16 *>(Strings[2].data());
  Set.entries[0].width = 8 * 31 + 67;
  Set.state.mode = 1;
  Set.state.dragging = 1;
  Set.state.focus = 0;
  Set.state.dragOffset = 100;
  std::vector<uint32_t> Want = Expected();
  ASSERT_EQ(Ui->PaintOptionPopup(&Set), EFI_SUCCESS);
  EXPECT_TRUE(SamePicture(ScreenArea(100, 100, 315, 268), Want, 315));
}

TEST_F(OptionPopup, FirstPaintSavesTheBackgroundAndCloseRestoresIt) {
  EXPECT_EQ(Ui->CloseOptionPopup(&Set), EFI_NOT_FOUND);
  Backdrop(7);
  const CHAR16 *Texts[13] = {};
  for (const CHAR16 *&T : Texts) T = W("Item");
  ASSERT_EQ(Ui->DefineOptionPopup(&Set, 900, 100, 0, W("Thirteen"), 13, Texts), 0u);
  std::vector<uint32_t> Under = ScreenArea(709, 95, 315, 673);
  std::vector<uint32_t> Whole = Fw.Snapshot();
  ASSERT_EQ(Ui->PaintOptionPopup(&Set), EFI_SUCCESS);
  ASSERT_NE(Set.state.savedBackground, nullptr);
  const uint32_t *Saved = reinterpret_cast<const uint32_t *>(Set.state.savedBackground);
  EXPECT_EQ(Colors(std::vector<uint32_t>(Saved, Saved + 315 * 673)), Under);
  EXPECT_NE(ScreenArea(709, 95, 315, 673), Under);

  // A second paint keeps the first copy untouched.
  ORVANE_PIXEL *First = Set.state.savedBackground;
  ASSERT_EQ(Ui->PaintOptionPopup(&Set), EFI_SUCCESS);
  EXPECT_EQ(Set.state.savedBackground, First);
  EXPECT_EQ(Colors(std::vector<uint32_t>(Saved, Saved + 315 * 673)), Under);

  // Redefined smaller before closing: the entry's new size goes back, 315 x 178,
  // and the popup's lower rows stay on the screen.
  ASSERT_EQ(Ui->DefineOptionPopup(&Set, 900, 100, 0, W("Thirteen"), 2, Texts), 0u);
  Set.entries[0].y = 95;
  std::vector<uint32_t> Shown = Fw.Snapshot();
  EXPECT_EQ(Ui->CloseOptionPopup(&Set), EFI_SUCCESS);
  EXPECT_EQ(Set.state.savedBackground, nullptr);
  std::vector<uint32_t> Want = Shown;
  for (uint32_t Y = 95; Y < 95 + 178; Y++)
    for (uint32_t X = 709; X < 1024; X++) Want[Y * Fw.Width() + X] = Whole[Y * Fw.Width() + X];
  EXPECT_TRUE(SamePicture(Colors(Fw.Snapshot()), Colors(Want), Fw.Width()));
  EXPECT_EQ(Ui->CloseOptionPopup(&Set), EFI_NOT_FOUND);
}

TEST_F(OptionPopup, CloseAfterGrowingSendsOnlyWhatWasSaved) {
  Backdrop(9);
  Define(100, 100, {u"One", u"Two"});
  std::vector<uint32_t> Whole = Fw.Snapshot();
  ASSERT_EQ(Ui->PaintOptionPopup(&Set), EFI_SUCCESS);
  // Four rows now, but only the 315 x 178 area under the two-row window was saved.
  Define(100, 100, kFour);
  EXPECT_EQ(Ui->CloseOptionPopup(&Set), EFI_SUCCESS);
  EXPECT_TRUE(SamePicture(Colors(Fw.Snapshot()), Colors(Whole), Fw.Width()));
}

TEST_F(OptionPopup, FailedAllocationsLeaveNothingBehind) {
  Define(100, 100, kFour);
  Set.state.mode = 1;
  Set.state.focus = 1;
  Set.state.dragging = 1;
  Set.state.dragOffset = 60;
  std::vector<uint32_t> Before = Fw.Snapshot();
  const size_t Live = Fw.LiveAllocations();
  int Failures = 0;
  for (int64_t N = 0;; N++) {
    Fw.FailAllocation(N);
    EFI_STATUS Status = Ui->PaintOptionPopup(&Set);
    Fw.FailAllocation(-1);
    if (Status == EFI_SUCCESS) break;
    Failures++;
    EXPECT_EQ(Status, EFI_OUT_OF_RESOURCES) << N;
    EXPECT_EQ(Set.state.savedBackground, nullptr) << N;
    EXPECT_EQ(Fw.LiveAllocations(), Live) << N;
    EXPECT_EQ(Fw.Snapshot(), Before) << N;
  }
  EXPECT_GT(Failures, 10);
  // With the background saved, a failing paint keeps it.
  ORVANE_PIXEL *Saved = Set.state.savedBackground;
  Fw.FailAllocation(0);
  EXPECT_EQ(Ui->PaintOptionPopup(&Set), EFI_OUT_OF_RESOURCES);
  Fw.FailAllocation(-1);
  EXPECT_EQ(Set.state.savedBackground, Saved);
}
