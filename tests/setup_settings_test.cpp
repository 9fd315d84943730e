// What setup keeps across reboots and how it guards it: SHA-256 against the
// published vectors, the settings variable's round trip and every way a kept
// variable can be wrong, the supervisor password, the pointer's arrow, and the
// layout placed on panels of other sizes.
#include <cstring>
#include <string>
#include <vector>

#include "frontend/setup/panel.h"
#include "frontend/setup/run.h"
#include "frontend/setup/setup_screen.h"
#include "frontend/setup/sha256.h"
#include "tests/fixture.h"
#include "tests/scene_util.h"

namespace {

const EFI_GUID kVendor = ORVANE_SETUP_VENDOR_GUID;
const std::u16string kName = u"" ORVANE_SETUP_VARIABLE_NAME;

std::string Hex(const UINT8 *Bytes, size_t Size) {
  static const char kDigits[] = "0123456789abcdef";
  std::string Out;
  for (size_t I = 0; I < Size; I++) {
    Out += kDigits[Bytes[I] >> 4];
    Out += kDigits[Bytes[I] & 15];
  }
  return Out;
}

TEST(Sha256, PublishedVectorsWholeAndInPieces) {
  struct Case {
    std::string Message;
    size_t Piece;  // bytes handed over at a time
    const char *Digest;
  };
  const std::string Two = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
  const std::string Four =
      "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmno"
      "p"
      "qrsmnopqrstnopqrstu";
  const Case Cases[] = {
      {"", 1, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", 1, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {Two, 1000, "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {Two, 1, "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {Four, 1000, "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
      {Four, 63, "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
      {std::string(1000000, 'a'), 4096,
       "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const Case &K : Cases) {
    Sha256 H;
    Sha256Start(H);
    for (size_t At = 0; At < K.Message.size(); At += K.Piece) {
      Sha256Add(H, K.Message.data() + At, std::min(K.Piece, K.Message.size() - At));
    }
    UINT8 Digest[kSha256Bytes];
    Sha256Finish(H, Digest);
    EXPECT_EQ(Hex(Digest, sizeof(Digest)), K.Digest)
        << K.Message.size() << " bytes, " << K.Piece << " at a time";
  }
}

class SetupSettingsTest : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    C = SceneContextOf(Fw);
    Rt = Fw.SystemTable()->RuntimeServices;
  }
  void TearDown() override {
    SetupClose(S);
    EXPECT_EQ(C.FailedCalls, 0u) << C.FirstFailedCall << " answered " << C.FirstFailedStatus;
    DriverTest::TearDown();
  }
  // Opens the screen the way the firmware does: with what the variable keeps.
  UINT16 Open() {
    SetupClose(S);
    SetupRecord Kept;
    const UINT16 Read = SetupLoadSettings(Rt, Kept);
    EXPECT_TRUE(SetupOpen(S, C, reinterpret_cast<const CHAR16 *>(u"12:34"), nullptr,
                          Read == kRecordLoaded ? &Kept : nullptr));
    S.Store = Rt;
    return Read;
  }
  void Key(UINT16 K, CHAR16 Ch = 0) { SetupHandle(S, SetupKeyEvent(K, Ch)); }
  void Type(const char *Text) {
    for (; *Text != 0; Text++) Key(kSetupKeyChar, (CHAR16)*Text);
  }
  void Move(INT32 X, INT32 Y, bool Down = false) { SetupHandle(S, SetupPointerEvent(X, Y, Down)); }
  // Hovers the page's dock item, wherever the dock has it.
  void GoToPage(UINT16 Page) {
    for (INT32 Slot = 0; Slot < kSetupPages; Slot++) {
      if (S.Dock.labels[Slot] == S.Pages[Page].Title) {
        Move(setup::kDockX + Slot * 51 + 20, setup::kDockY + 20);
      }
    }
    Move(500, 600);
    ASSERT_EQ(S.Page, Page);
  }
  void SaveAndExit() {
    GoToPage(4);
    Key(kSetupKeyEnter);
    Key(kSetupKeyEnter);
    ASSERT_EQ(S.Phase, kPhaseDone);
  }
  std::vector<uint8_t> Kept() const { return Fw.Variable(kName, kVendor); }
  // The screen shows what the records say (the arrow aside).
  void ExpectScreenMatchesState() {
    const bool Cursor = S.CursorShown;
    setup::HideCursor(S);
    const std::vector<uint32_t> Shown = Fw.Snapshot();
    Fw.FillScreen(0x00FF00FF);
    SetupPaintAll(S);
    EXPECT_TRUE(Shown == Fw.Snapshot());
    Fw.LoadScreen(Shown);
    if (Cursor) setup::ShowCursor(S);
  }

  SceneContext C = {};
  SetupScreenState S = {};
  EFI_RUNTIME_SERVICES *Rt = nullptr;
};

std::u16string Text(const CHAR16 *T) {
  std::u16string Out;
  for (; *T != 0; T++) Out += (char16_t)*T;
  return Out;
}

TEST_F(SetupSettingsTest, SavedSettingsComeBackAndDiscardKeepsThem) {
  EXPECT_EQ(Open(), kRecordMissing);
  // Language: Svenska; boot order: the last entry first; fan: two steps down;
  // the dock's first page moved one place right.
  Key(kSetupKeyEnter);
  for (int I = 0; I < 3; I++) Key(kSetupKeyDown);
  Key(kSetupKeyEnter);
  GoToPage(2);
  SetupSetting &Order = S.Pages[2].Settings[0];
  std::swap(Order.Items[0], Order.Items[3]);
  GoToPage(1);
  Key(kSetupKeyDown);
  Key(kSetupKeyDown);
  Key(kSetupKeyLeft);
  Key(kSetupKeyLeft);
  Move(setup::kDockX + 20, setup::kDockY + 20, true);  // Main dragged one place right
  for (INT32 Dx = 8; Dx <= 56; Dx += 8) Move(setup::kDockX + 20 + Dx, setup::kDockY + 20, true);
  Move(setup::kDockX + 76, setup::kDockY + 20, false);
  SetupRecord Before;
  SetupCollect(S, Before);
  SaveAndExit();
  EXPECT_EQ(S.SaveStatus, EFI_SUCCESS);
  ASSERT_EQ(Kept().size(), sizeof(SetupRecord));
  EXPECT_EQ(Fw.VariableAttributes(kName, kVendor), kSetupVariableAttributes);

  EXPECT_EQ(Open(), kRecordLoaded);
  SetupRecord After;
  SetupCollect(S, After);
  EXPECT_EQ(std::memcmp(&Before, &After, sizeof(Before)), 0);
  EXPECT_EQ(Text(S.Pages[0].Settings[0].ValueText), u"Svenska");
  EXPECT_EQ(Text(S.Pages[2].Settings[0].ValueText), u"UEFI shell");
  EXPECT_EQ(Text(S.Pages[1].Settings[2].ValueText), u"50 %");
  EXPECT_EQ(S.FanPercent, 50u);
  EXPECT_EQ(Text(S.Dock.labels[0]), u"Advanced");
  EXPECT_EQ(S.DockActive[1], 1);  // Main, now second, is the page shown
  ExpectScreenMatchesState();

  // Discard leaves the variable as it was.
  const std::vector<uint8_t> Saved = Kept();
  Key(kSetupKeyEnter);
  Key(kSetupKeyDown);
  Key(kSetupKeyEnter);
  GoToPage(4);
  Key(kSetupKeyDown);
  Key(kSetupKeyEnter);
  ASSERT_EQ(S.Phase, kPhaseDone);
  EXPECT_FALSE(S.SaveTried);
  EXPECT_EQ(Kept(), Saved);
}

TEST_F(SetupSettingsTest, EveryBadVariableGivesTheDefaults) {
  SetupRecord Good;
  SetupDefaults(Good);
  Good.Value[0][0] = 2;
  SetupSealRecord(Good);
  auto Bytes = [](SetupRecord R) {
    const uint8_t *P = reinterpret_cast<const uint8_t *>(&R);
    return std::vector<uint8_t>(P, P + sizeof(R));
  };
  auto Sealed = [&](auto Change) {
    SetupRecord R = Good;
    Change(R);
    SetupSealRecord(R);
    return Bytes(R);
  };
  std::vector<uint8_t> Long = Bytes(Good), Huge = Bytes(Good), Flipped = Bytes(Good);
  Long.push_back(0);
  const std::vector<uint8_t> Cut(Long.begin(), Long.begin() + 60);
  Huge.resize(4096, 0xAB);
  Flipped[20] ^= 1;
  std::vector<uint8_t> OtherVersion = Bytes(Good), WrongSize = Bytes(Good);
  OtherVersion[0] = 2;
  WrongSize[2] = 99;
  struct Case {
    const char *Name;
    bool Present;
    std::vector<uint8_t> Data;
    UINT16 Status;
  };
  const Case Cases[] = {
      {"missing", false, {}, kRecordMissing},
      {"two bytes", true, {1, 0}, kRecordTooShort},
      {"cut", true, Cut, kRecordTooShort},
      {"one byte long", true, Long, kRecordTooLong},
      {"4 KiB", true, Huge, kRecordTooLong},
      {"other version", true, OtherVersion, kRecordOtherVersion},
      {"size field", true, WrongSize, kRecordBadSize},
      {"bad checksum", true, Flipped, kRecordBadChecksum},
      {"item past the list", true, Sealed([](SetupRecord &R) { R.Value[0][0] = 4; }),
       kRecordBadValue},
      {"value on a fixed row", true, Sealed([](SetupRecord &R) { R.Value[0][2] = 1; }),
       kRecordBadValue},
      {"boot entry twice", true, Sealed([](SetupRecord &R) { R.BootOrder[1] = 0; }),
       kRecordBadValue},
      {"page twice", true, Sealed([](SetupRecord &R) { R.DockOrder[4] = 3; }), kRecordBadValue},
      {"fan past the end", true, Sealed([](SetupRecord &R) { R.FanStep = 21; }), kRecordBadValue},
      {"the good one", true, Bytes(Good), kRecordLoaded},
  };
  SetupRecord Defaults;
  SetupDefaults(Defaults);
  for (const Case &K : Cases) {
    SCOPED_TRACE(K.Name);
    if (K.Present) {
      Fw.PutVariable(kName, kVendor, K.Data, kSetupVariableAttributes);
    } else if (Fw.HasVariable(kName, kVendor)) {
      Fw.PutVariable(kName, kVendor, {}, kSetupVariableAttributes);
    }
    // Parsing reads only what it is given: an exact-size copy on the heap.
    if (K.Present) {
      std::vector<uint8_t> Exact(K.Data);
      SetupRecord Parsed;
      const UINT16 Parse = SetupParseRecord(Exact.data(), Exact.size(), Parsed);
      EXPECT_EQ(Parse, K.Status == kRecordBadValue ? (UINT16)kRecordLoaded : K.Status);
    }
    EXPECT_EQ(Open(), K.Status);
    SetupRecord Shown;
    SetupCollect(S, Shown);
    SetupRecord Want = K.Status == kRecordLoaded ? Good : Defaults;
    Shown.Version = Want.Version, Shown.Size = Want.Size, Shown.Checksum = Want.Checksum;
    EXPECT_EQ(std::memcmp(&Shown, &Want, sizeof(Want)), 0);
    EXPECT_EQ(S.Phase, kPhaseBrowsing);
  }
}

TEST_F(SetupSettingsTest, PasswordIsKeptHashedAskedAtStartAndClearedAfterTheCurrentOne) {
  Open();
  GoToPage(3);
  Key(kSetupKeyEnter);
  Type("s3cret");
  Key(kSetupKeyEnter);
  EXPECT_EQ(Text(S.Pages[3].Settings[0].ValueText), u"Set");
  EXPECT_EQ(S.PasswordText[0], 0);  // gone once hashed
  SaveAndExit();
  const std::vector<uint8_t> Var = Kept();
  const char16_t Plain[] = u"s3cret";
  EXPECT_EQ(std::search(Var.begin(), Var.end(), reinterpret_cast<const uint8_t *>(Plain),
                        reinterpret_cast<const uint8_t *>(Plain) + 12),
            Var.end());

  // At start-up only the dialog shows; two wrong tries, then the right one.
  Open();
  EXPECT_EQ(S.Phase, kPhaseUnlock);
  EXPECT_EQ(Fw.Pixel(100, 300), setup::kBackdrop);  // no page behind the dialog
  for (const char *Wrong : {"s3cre", "S3cret"}) {
    Type(Wrong);
    Key(kSetupKeyEscape);  // nothing leaves the dialog but the password
    EXPECT_EQ(S.Phase, kPhaseUnlock);
    Key(kSetupKeyEnter);
    EXPECT_EQ(S.Phase, kPhaseUnlock);
    EXPECT_EQ(S.PasswordText[0], 0);
  }
  Type("s3cret");
  Key(kSetupKeyEnter);
  EXPECT_EQ(S.Phase, kPhaseBrowsing);
  ExpectScreenMatchesState();

  // Changing it asks for the current one first; a wrong one changes nothing,
  // the right one then an empty new one clears it.
  GoToPage(3);
  Key(kSetupKeyEnter);
  Type("nope");
  Key(kSetupKeyEnter);
  EXPECT_EQ(S.Phase, kPhaseBrowsing);
  EXPECT_TRUE(S.PasswordSet);
  Key(kSetupKeyEnter);
  Type("s3cret");
  Key(kSetupKeyEnter);
  EXPECT_EQ(S.Phase, kPhasePassword);
  EXPECT_EQ(S.PasswordMode, kPasswordNew);
  Key(kSetupKeyEnter);
  EXPECT_FALSE(S.PasswordSet);
  EXPECT_EQ(Text(S.Pages[3].Settings[0].ValueText), u"Not set");
  ExpectScreenMatchesState();

  // Three wrong tries at start-up: setup stays shut.
  Open();
  for (int I = 0; I < 3; I++) {
    Type("wrong");
    Key(kSetupKeyEnter);
  }
  EXPECT_TRUE(S.Refused);
  EXPECT_EQ(S.Phase, kPhaseDone);
}

TEST_F(SetupSettingsTest, ArrowFollowsThePointerWithoutTrails) {
  Open();
  const std::vector<uint32_t> Page = Fw.Snapshot();
  Move(500, 600);
  ASSERT_TRUE(S.CursorShown);
  EXPECT_EQ(Fw.Pixel(500, 600), 0u);  // the tip's outline
  EXPECT_EQ(Fw.Pixel(502, 606), 0x00FFFFFFu);
  Move(700, 650);
  for (int Y = 600; Y < 600 + kCursorHeight; Y++) {
    for (int X = 500; X < 500 + kCursorWidth; X++) {
      ASSERT_EQ(Fw.Pixel(X, Y), Page[Y * 1024 + X]) << X << "," << Y;
    }
  }
  // At the screen's corner the arrow is cut, not written past the edge.
  Move(1023, 767);
  EXPECT_EQ(S.CursorW, 1);
  EXPECT_EQ(S.CursorH, 1);
  ExpectScreenMatchesState();
  // Over a row, a press opens its popup with the arrow above it; a key hides
  // it, and the popup closes to the page alone.
  Move(300, setup::kRowY + 9);
  Move(300, setup::kRowY + 9, true);
  Move(300, setup::kRowY + 9, false);
  ASSERT_EQ(S.Phase, kPhaseOptionPopup);
  Move(320, setup::kRowY + 60);
  Key(kSetupKeyEscape);
  EXPECT_FALSE(S.CursorShown);
  EXPECT_TRUE(Fw.Snapshot() == Page);
}

TEST_F(SetupSettingsTest, LayoutIsCentredOnLargerPanels) {
  const std::string Here = __FILE__;
  std::vector<uint32_t> Golden;
  uint32_t GW = 0, GH = 0;
  ASSERT_TRUE(sim::ReadPng(Here.substr(0, Here.find_last_of('/') + 1) + "golden/setup-screen.png",
                           Golden, GW, GH));
  constexpr UINT32 kMargin = 0x00123456;
  struct Case {
    const char *Name;
    std::vector<sim::ModeSpec> Modes;
    uint32_t Current;
    bool Placed;
    uint32_t Width, Height;  // the mode setup runs in
  };
  const Case Cases[] = {
      {"1024x768 offered", {{800, 600}, {1024, 768}}, 0, true, 1024, 768},
      {"native 1920x1080 only", {{1920, 1080}}, 0, true, 1920, 1080},
      {"native 1920x1080 kept over 1024x768", {{1920, 1080}, {1024, 768}}, 0, true, 1920, 1080},
      {"in use 1280x800", {{640, 480}, {1280, 800}, {1920, 1080}}, 1, true, 1280, 800},
      {"too small in use", {{800, 600}, {1920, 1200}, {1366, 768}}, 0, true, 1366, 768},
      {"nothing holds it", {{800, 600}, {1000, 800}}, 0, false, 800, 600},
  };
  for (const Case &K : Cases) {
    SCOPED_TRACE(K.Name);
    Fw.UseModes(K.Modes, K.Current);
    EFI_GRAPHICS_OUTPUT_PROTOCOL *Gop = Fw.Gop();
    const EFI_GRAPHICS_OUTPUT_PROTOCOL_BLT Blt = Gop->Blt;
    SetupPanel Panel;
    ASSERT_EQ(SetupPlaceOnPanel(C, Panel, kMargin), K.Placed);
    EXPECT_EQ(Fw.Width(), K.Width);
    EXPECT_EQ(Fw.Height(), K.Height);
    if (!K.Placed) continue;
    const uint32_t X = (K.Width - 1024) / 2, Y = (K.Height - 768) / 2;
    EXPECT_EQ(Panel.X, X);
    EXPECT_EQ(Panel.Y, Y);
    Open();
    // The pointer's panel pixels land on the layout's; past its edge they clamp.
    SetupInput E = SetupPointerEvent((INT32)X + 10, (INT32)Y + 700, false);
    SetupPointerOnLayout(E, Panel.X, Panel.Y);
    EXPECT_EQ(E.X, 10);
    EXPECT_EQ(E.Y, 700);
    E = SetupPointerEvent(0, (INT32)K.Height - 1, false);
    SetupPointerOnLayout(E, Panel.X, Panel.Y);
    EXPECT_EQ(E.X, 0);
    EXPECT_EQ(E.Y, 767);
    Move(300, 600);
    Key(kSetupKeyDown);  // the arrow goes; the page is what a 1024x768 screen shows
    Key(kSetupKeyUp);
    SetupClose(S);
    S = {};
    SetupLeavePanel(Panel);
    EXPECT_EQ(Gop->Blt, Blt);
    EXPECT_EQ(Gop->Mode->Info->HorizontalResolution, K.Width);
    size_t Differ = 0, Margin = 0;
    for (uint32_t R = 0; R < K.Height; R++) {
      for (uint32_t U = 0; U < K.Width; U++) {
        const bool Inside = U >= X && U < X + 1024 && R >= Y && R < Y + 768;
        const uint32_t Got = Fw.Pixel(U, R) & 0x00FFFFFF;
        if (Inside) {
          Differ += Got != Golden[(R - Y) * 1024 + (U - X)];
        } else {
          Margin += Got != kMargin;
        }
      }
    }
    EXPECT_EQ(Differ, 0u);
    EXPECT_EQ(Margin, 0u);
  }
}

}  // namespace
