// Every slot and the banner with each of its pool allocations failing in
// turn. One row per operation and path: the row's call runs once to count its
// allocations N, then N more times with allocation k failing. Each run must
// either give exactly the full run's picture and status, or refuse with one of
// the row's statuses having drawn nothing; every pointer the records keep must
// be a live block; a follow-up call that uses the record again must be safe
// (the sanitized build stops a use of freed memory); and once what the
// operations hand over is returned the documented way, the pool is empty.
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "controls/status/divider.h"
#include "controls/status/gauge_panel.h"
#include "controls/status/progress_bar.h"
#include "controls/status/scroll_bar.h"
#include "controls/status/tile.h"
#include "tests/fixture.h"

namespace {

CHAR16 *S(const char16_t *T) { return const_cast<CHAR16 *>(reinterpret_cast<const CHAR16 *>(T)); }

constexpr INT32 kBufW = 160, kBufH = 90;
constexpr UINTN kOut = EFI_OUT_OF_RESOURCES;

// Everything one run touches, made afresh for every run.
struct World {
  ListPopup List{};
  ListPopupView View{};
  MessageBox Box{};
  InputDialog Dialog{};
  SettingRow Row{};
  DigitReadout Readout{};
  std::u16string ReadoutText = u"12:34";
  IconDock Dock{};
  std::vector<UINT16> DockFlags = {0x01, 0x12, 0x83, 0x04}, DockActive = {0, 1, 0, 0};
  OptionPopupSet Options{};
  TextImage Text{0xFFFFFF, 0x000000, 0, 0, nullptr};
  ORVANE_PIXEL *Captured = nullptr;
  UINT32 CapturedW = 0, CapturedH = 0;
  std::vector<ORVANE_PIXEL> Buffer = std::vector<ORVANE_PIXEL>((size_t)kBufW * kBufH);
  CHAR16 BannerText[125] = {};
};

const CHAR16 *const kItems[] = {S(u"Boot order"), S(u"Fan speed"), S(u"Memory"),  S(u"Clock"),
                                S(u"Voltage"),    S(u"Display"),   S(u"Network"), S(u"Storage"),
                                S(u"Audio"),      S(u"Power"),     S(u"USB"),     S(u"Security")};
CHAR16 *kLines[] = {S(u"Save the changes\nand leave?"), S(u"Unsaved work is lost.")};
CHAR16 *kCaptions[] = {S(u"Yes"), S(u"No"), S(u"Cancel")};
const CHAR16 *kOptionItems[] = {S(u"Disk"), S(u"Network"), S(u"Shell"), S(u"USB stick")};
const CHAR16 *kDockLabels[] = {S(u"Disk"), S(u"Net"), S(u"USB"), S(u"Shell")};

typedef ORVANE_UI_PROTOCOL Ui_;

void OpenList(Ui_ *Ui, World &W) {
  ASSERT_EQ(Ui->OpenListPopup(&W.List, 100, 80, 300, 200, S(u"Pick one"), 0, 12, kItems, 2), 0u);
}
void InitBox(Ui_ *Ui, World &W) {
  ASSERT_EQ(Ui->InitMessageBox(&W.Box, 200, 200, 0, 0, 2, kLines, 3, kCaptions), 0u);
}
void InitDialog(Ui_ *Ui, World &W) {
  ASSERT_EQ(Ui->InitInputDialog(&W.Dialog, 150, 150, 420, 260, S(u"Password"), 7, S(u"Enter it"),
                                S(u"secret"), 12, 0, 2, kCaptions),
            0u);
  W.Dialog.closeShown = 1;
}
void InitRow(Ui_ *Ui, World &W) {
  ASSERT_EQ(Ui->InitSettingRow(&W.Row, 100, 50, 400, 150, 116, 7, 5, -3, 9, 11, S(u"Fan"),
                               S(u"Auto"), 1, 2, 1),
            EFI_SUCCESS);
}
void InitReadout(Ui_ *Ui, World &W) {
  ASSERT_EQ(Ui->InitDigitReadout(&W.Readout, 300, 300, S(W.ReadoutText.c_str()), 1, 1),
            EFI_SUCCESS);
}
void InitDock(Ui_ *Ui, World &W) {
  ASSERT_EQ(
      Ui->InitIconDock(&W.Dock, 120, 600, 4, kDockLabels, W.DockFlags.data(), W.DockActive.data()),
      EFI_SUCCESS);
  W.Dock.focus = 1;
  W.Dock.mode = 2;
}
void ResetOptions(Ui_ *Ui, World &W) { ASSERT_EQ(Ui->ResetOptionPopups(&W.Options), 0u); }
void DefineOptions(Ui_ *Ui, World &W) {
  ResetOptions(Ui, W);
  ASSERT_EQ(Ui->DefineOptionPopup(&W.Options, 300, 100, 0, S(u"Boot"), 4, kOptionItems),
            EFI_SUCCESS);
}
void ShowOptions(Ui_ *Ui, World &W) {
  DefineOptions(Ui, W);
  ASSERT_EQ(Ui->PaintOptionPopup(&W.Options), EFI_SUCCESS);
  W.Options.state.focus = 1;
  W.Options.state.mode = 2;
}
void Capture(Ui_ *Ui, World &W) {
  ASSERT_EQ(Ui->CaptureScreen(&W.Captured, &W.CapturedW, &W.CapturedH), 0u);
}
void Prepared(Ui_ *Ui, World &W) {
  for (size_t I = 0; I < W.Buffer.size(); I++) W.Buffer[I] = {(UINT8)I, (UINT8)(I >> 3), 0x40, 0};
}

struct Row {
  const char *Name;
  void (*Prepare)(Ui_ *, World &);   // runs before failures are armed
  UINTN (*Call)(Ui_ *, World &);     // the operation under test
  void (*FollowUp)(Ui_ *, World &);  // uses the record again afterwards
  std::vector<UINTN> Refusals;       // statuses that may answer a failed allocation
};

#define CALL(Expr) [](Ui_ *Ui, World &W) -> UINTN { return (UINTN)(Expr); }
#define STEP(Expr) [](Ui_ *Ui, World &W) { (void)(Expr); }

const std::vector<Row> &Rows() {
  static const std::vector<Row> Table = {
      {"OpenListPopup", nullptr, CALL(Ui->OpenListPopup(&W.List, 100, 80, 300, 200, S(u"Pick one"), 0, 12, kItems, 2)),
       STEP(Ui->PaintListPopup(&W.List)), {kOut}},
      {"PaintListPopup", OpenList, CALL(Ui->PaintListPopup(&W.List)), nullptr, {kOut}},
      {"ScrollListPopup", OpenList, CALL(Ui->ScrollListPopup(&W.List, 3, 2)), STEP(Ui->PaintListPopup(&W.List)), {kOut}},
      {"HitTestListPopup", OpenList, CALL(Ui->HitTestListPopup(&W.List, 140, 170, 1)), nullptr, {}},
      {"CloseListPopup", OpenList, CALL(Ui->CloseListPopup(&W.List)), nullptr, {}},
      {"GetListPopupView", OpenList, CALL(Ui->GetListPopupView(&W.List, &W.View)), nullptr, {}},
      {"DrawGaugePanel", nullptr,
       CALL(Ui->DrawGaugePanel(100, 100, 420, 180, S(u"CPU"), S(u"Fan"), S(u"42 C"), S(u"1200 rpm"), 42, 77)), nullptr,
       {kOut}},
      {"InitMessageBox", nullptr, CALL(Ui->InitMessageBox(&W.Box, 200, 200, 0, 0, 2, kLines, 3, kCaptions)),
       STEP(Ui->PaintMessageBox(&W.Box)), {kOut}},
      {"HitTestMessageBox", InitBox, CALL(Ui->HitTestMessageBox(&W.Box, W.Box.X + 40, W.Box.Y + W.Box.Height - 30)),
       nullptr, {}},
      {"PaintMessageBox", InitBox, CALL(Ui->PaintMessageBox(&W.Box)), nullptr, {kOut}},
      {"DrawDividerStrip", nullptr, CALL(Ui->DrawDividerStrip(50, 400, 600, 40, 1, 200, 1)), nullptr, {kOut}},
      {"DrawScrollBar", nullptr, CALL(Ui->DrawScrollBar(700, 100, 300, 40, 10, 5, 2)), nullptr, {kOut}},
      {"HitTestScrollBar", nullptr, CALL(Ui->HitTestScrollBar(700, 100, 300, 40, 10, 5, 705, 160)), nullptr, {}},
      {"DrawTile", nullptr, CALL(Ui->DrawTile(500, 500, 120, 90, 1)), nullptr, {kOut}},
      {"DrawProgressBar", Prepared,
       CALL(Ui->DrawProgressBar(W.Buffer.data(), 0, 0, 0, 0, kBufW, kBufH, S(u"Loading"), 60)), nullptr, {kOut}},
      {"DrawDottedRule", nullptr, CALL(Ui->DrawDottedRule(20, 700, 500)), nullptr, {kOut}},
      {"InitInputDialog", nullptr,
       CALL(Ui->InitInputDialog(&W.Dialog, 150, 150, 420, 260, S(u"Password"), 7, S(u"Enter it"), S(u"secret"), 12, 0,
                                2, kCaptions)),
       STEP(Ui->PaintInputDialog(&W.Dialog)), {kOut}},
      {"HitTestInputDialog", InitDialog, CALL(Ui->HitTestInputDialog(&W.Dialog, W.Dialog.x + 60, W.Dialog.y + 200)),
       nullptr, {}},
      {"PaintInputDialog", InitDialog, CALL(Ui->PaintInputDialog(&W.Dialog)), nullptr, {kOut}},
      {"InitSettingRow", nullptr,
       CALL(Ui->InitSettingRow(&W.Row, 100, 50, 400, 150, 116, 7, 5, -3, 9, 11, S(u"Fan"), S(u"Auto"), 1, 2, 1)),
       STEP(Ui->PaintSettingRow(&W.Row)), {kOut}},
      {"PaintSettingRow", InitRow, CALL(Ui->PaintSettingRow(&W.Row)), nullptr, {kOut}},
      {"TrackSettingSlider", InitRow, CALL(Ui->TrackSettingSlider(&W.Row, 380, 60)), STEP(Ui->PaintSettingRow(&W.Row)),
       {kOut}},
      {"InitDigitReadout", nullptr, CALL(Ui->InitDigitReadout(&W.Readout, 300, 300, S(W.ReadoutText.c_str()), 1, 1)),
       STEP(Ui->PaintDigitReadout(&W.Readout)), {kOut}},
      {"PaintDigitReadout", InitReadout, CALL(Ui->PaintDigitReadout(&W.Readout)), nullptr, {kOut}},
      {"InitIconDock", nullptr,
       CALL(Ui->InitIconDock(&W.Dock, 120, 600, 4, kDockLabels, W.DockFlags.data(), W.DockActive.data())),
       STEP(Ui->PaintIconDock(&W.Dock)), {kOut}},
      {"TrackIconDock", InitDock, CALL(Ui->TrackIconDock(&W.Dock, 0, 0, 2, 2)), STEP(Ui->PaintIconDock(&W.Dock)),
       {kOut}},
      {"PaintIconDock", InitDock, CALL(Ui->PaintIconDock(&W.Dock)), nullptr, {kOut}},
      {"ResetOptionPopups", nullptr, CALL(Ui->ResetOptionPopups(&W.Options)), nullptr, {}},
      {"DefineOptionPopup", ResetOptions,
       CALL(Ui->DefineOptionPopup(&W.Options, 300, 100, 0, S(u"Boot"), 4, kOptionItems)),
       STEP(Ui->PaintOptionPopup(&W.Options)), {kOut}},
      {"TrackOptionPopup", ShowOptions, CALL(Ui->TrackOptionPopup(&W.Options, 0, 0, 0, 2, 2)),
       STEP(Ui->PaintOptionPopup(&W.Options)), {kOut}},
      {"PaintOptionPopup", DefineOptions, CALL(Ui->PaintOptionPopup(&W.Options)),
       STEP(Ui->CloseOptionPopup(&W.Options)), {kOut}},
      {"PaintOptionPopupAgain", ShowOptions, CALL(Ui->PaintOptionPopup(&W.Options)),
       STEP(Ui->CloseOptionPopup(&W.Options)), {kOut}},
      {"CloseOptionPopup", ShowOptions, CALL(Ui->CloseOptionPopup(&W.Options)), nullptr, {kOut}},
      {"StringLength", nullptr, CALL(Ui->StringLength(S(u"length"))), nullptr, {}},
      {"SetFrameBufferCapture", nullptr, CALL(Ui->SetFrameBufferCapture(0)), nullptr, {}},
      {"SetVideoMode", nullptr, CALL(Ui->SetVideoMode(1024, 768)), nullptr, {kOut, EFI_UNSUPPORTED}},
      {"DrawPoint", nullptr, CALL(Ui->DrawPoint(nullptr, 0, 0, 300, 300, 5, 0xFF0000)), nullptr, {kOut}},
      {"DrawLine", nullptr, CALL(Ui->DrawLine(nullptr, 0, 0, 10, 20, 600, 500, 3, 0x00FF00)), nullptr, {kOut}},
      {"DrawCircle", nullptr, CALL(Ui->DrawCircle(nullptr, 0, 0, 400, 300, 60, 4, 3, 0xFF, 0xFF00)), nullptr, {kOut}},
      {"DrawCircleInBuffer", Prepared, CALL(Ui->DrawCircle(W.Buffer.data(), kBufW, kBufH, 80, 45, 40, 3, 6, 0xFF, 0xFF00)),
       nullptr, {kOut}},
      {"DrawRectangle", nullptr, CALL(Ui->DrawRectangle(nullptr, 0, 0, 50, 60, 300, 200, 2, 5, 0xFF0000, 0xFF)),
       nullptr, {kOut}},
      {"DrawTriangle", nullptr, CALL(Ui->DrawTriangle(nullptr, 0, 0, 100, 100, 400, 150, 200, 380, 1, 4, 0xFF, 0xFF00)),
       nullptr, {kOut}},
      {"DrawRegularPolygon", nullptr, CALL(Ui->DrawRegularPolygon(nullptr, 0, 0, 500, 400, 6, 120, 2, 0xFFFF00)),
       nullptr, {kOut}},
      {"BlitToScreen", Prepared, CALL(Ui->BlitToScreen(W.Buffer.data(), kBufW, kBufH, 40, 50)), nullptr, {kOut}},
      {"ClearBuffer", Prepared, CALL(Ui->ClearBuffer(W.Buffer.data(), kBufW, kBufH)), nullptr, {kOut}},
      {"DrawTextOpaque", nullptr,
       [](Ui_ *Ui, World &W) -> UINTN {
         ORVANE_PIXEL Back = {0x40, 0x20, 0, 0};
         return Ui->DrawText(0xFFFFFF, &Back, 1500, 30, 40, S(u"Value %d"), 42);
       },
       nullptr, {3, 4, 6}},
      {"DrawTextTransparent", nullptr, CALL(Ui->DrawText(0xFFFF00, nullptr, 1000, 30, 40, S(u"Clear"))), nullptr,
       {3, 4, 6}},
      {"RenderText", nullptr, CALL(Ui->RenderText(1200, &W.Text, S(u"Rendered"))), nullptr, {3, 4, 6}},
      {"CaptureScreen", nullptr, CALL(Ui->CaptureScreen(&W.Captured, &W.CapturedW, &W.CapturedH)),
       STEP(Ui->DimCapturedScreen(3)), {1, 2}},
      {"DimCapturedScreen", Capture, CALL(Ui->DimCapturedScreen(3)), STEP(Ui->RestoreCapturedScreen()), {kOut}},
      {"RestoreCapturedScreen", Capture, CALL(Ui->RestoreCapturedScreen()), nullptr, {kOut}},
      {"ReleaseCapturedScreen", Capture, CALL(Ui->ReleaseCapturedScreen()), nullptr, {}},
      {"WipeTransition", Prepared, CALL(Ui->WipeTransition(W.Buffer.data(), kBufW, kBufH, 200, 100)), nullptr, {kOut}},
      {"DissolveTransition", Prepared, CALL(Ui->DissolveTransition(W.Buffer.data(), kBufW, kBufH, 200, 100)), nullptr,
       {kOut}},
  };
  return Table;
}

class AllocationSweep : public DriverTest, public ::testing::WithParamInterface<size_t> {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    std::mt19937 Rng(7);
    Pattern.resize((size_t)Fw.Width() * Fw.Height());
    for (uint32_t &C : Pattern) C = Rng() & 0xFFFFFF;
  }

  struct Outcome {
    UINTN Status = 0;
    uint64_t Allocations = 0;
    std::vector<uint32_t> Screen;
    std::vector<ORVANE_PIXEL> Buffer;
  };

  // Every block a record or the caller now holds must be live; each is then
  // handed back the documented way.
  void CheckAndRelease(World &W, const std::string &Where) {
    EFI_BOOT_SERVICES *BS = Fw.SystemTable()->BootServices;
    auto Live = [&](const void *P, const char *Field) {
      EXPECT_TRUE(P == nullptr || Fw.OwnsPool(P))
          << Where << ": " << Field << " is not a live block";
      return P != nullptr && Fw.OwnsPool(P);
    };
    if (Live(W.List.textMask, "list text mask")) Ui->CloseListPopup(&W.List);
    if (Live(W.Readout.background, "readout background")) BS->FreePool(W.Readout.background);
    if (W.Readout.text != nullptr && W.Readout.text != S(W.ReadoutText.c_str()) &&
        Live(W.Readout.text, "readout text"))
      BS->FreePool(W.Readout.text);
    if (Live(W.Dock.stripBackground, "dock strip")) BS->FreePool(W.Dock.stripBackground);
    // The saved background sits behind a size header; closing frees it (the pool stops on a bad
    // pointer).
    if (W.Options.state.savedBackground != nullptr) Ui->CloseOptionPopup(&W.Options);
    for (OptionPopupEntry &E : W.Options.entries) {
      if (Live(E.icon, "option icon")) BS->FreePool(E.icon);
    }
    if (Live(W.Text.Bitmap, "rendered text")) BS->FreePool(W.Text.Bitmap);
    Ui->ReleaseCapturedScreen();
    EXPECT_EQ(Fw.LiveAllocations(), 0u) << Where << ": pool memory left behind";
  }

  // One run of the row; Fail < 0 lets every allocation succeed.
  Outcome Run(const Row &R, int64_t Fail, bool FrameBuffer) {
    const std::string Where = std::string(R.Name) + (FrameBuffer ? " (frame buffer)" : "") +
                              " failing " + (Fail < 0 ? std::string("none") : std::to_string(Fail));
    Outcome O;
    Fw.FailAllocation(-1);
    Ui->SetFrameBufferCapture(FrameBuffer);
    Fw.LoadScreen(Pattern);
    auto W = std::make_unique<World>();
    if (R.Prepare != nullptr) R.Prepare(Ui, *W);
    const std::vector<uint32_t> Before = Fw.Snapshot();
    const std::vector<ORVANE_PIXEL> BufferBefore = W->Buffer;
    const uint64_t Made = Fw.TotalAllocations();
    Fw.FailAllocation(Fail);
    O.Status = R.Call(Ui, *W);
    Fw.FailAllocation(-1);
    O.Allocations = Fw.TotalAllocations() - Made;
    O.Screen = Fw.Snapshot();
    O.Buffer = W->Buffer;
    if (Fail >= 0 && O.Status != Full.Status) {
      bool Documented = false;
      for (UINTN S : R.Refusals) Documented |= O.Status == S;
      EXPECT_TRUE(Documented) << Where << ": status " << std::hex << O.Status;
      EXPECT_TRUE(O.Screen == Before) << Where << ": refused, yet the screen changed";
      EXPECT_TRUE(0 == std::memcmp(O.Buffer.data(), BufferBefore.data(), O.Buffer.size() * 4))
          << Where << ": refused, yet the buffer changed";
    } else if (Fail >= 0) {
      // Same status as the full run: the picture must be the full one too.
      EXPECT_TRUE(O.Screen == Full.Screen)
          << Where << ": answered " << O.Status << " but drew less";
      EXPECT_TRUE(0 == std::memcmp(O.Buffer.data(), Full.Buffer.data(), O.Buffer.size() * 4))
          << Where << ": answered " << O.Status << " but the buffer differs";
    }
    if (R.FollowUp != nullptr) R.FollowUp(Ui, *W);
    CheckAndRelease(*W, Where);
    return O;
  }

  std::vector<uint32_t> Pattern;
  Outcome Full;
};

TEST_P(AllocationSweep, EachFailureIsRefusedCleanlyOrChangesNothing) {
  const Row &R = Rows()[GetParam()];
  for (bool FrameBuffer : {false, true}) {
    Full = Run(R, -1, FrameBuffer);
    if (HasFatalFailure()) return;
    for (int64_t K = 0; K < (int64_t)Full.Allocations; K++) {
      Run(R, K, FrameBuffer);
      if (HasFailure()) return;  // one clear report per row
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Slots, AllocationSweep, ::testing::Range<size_t>(0, Rows().size()),
                         [](const ::testing::TestParamInfo<size_t> &I) {
                           return std::string(Rows()[I.param].Name);
                         });

// The banner reports nothing: a line that cannot be drawn is skipped. Each
// failure may only cost lines, never leave memory or draw outside the lines.
TEST_F(DriverTest, BannerSurvivesEveryFailedAllocation) {
  ORVANE_BANNER_PROTOCOL *Banner = Fw.BannerProtocol();
  for (bool ToBuffer : {false, true}) {
    CHAR16 Text[125] = {};
    Fw.FillScreen(0x123456);
    const uint64_t Made = Fw.TotalAllocations();
    EXPECT_EQ(Banner->Banner(ToBuffer ? Text : nullptr), ToBuffer ? Text : nullptr);
    const std::vector<uint32_t> Full = Fw.Snapshot();
    const int64_t N = (int64_t)(Fw.TotalAllocations() - Made);
    EXPECT_EQ(Fw.LiveAllocations(), 0u);
    for (int64_t K = 0; K < N; K++) {
      Fw.FillScreen(0x123456);
      Fw.FailAllocation(K);
      EXPECT_EQ(Banner->Banner(ToBuffer ? Text : nullptr), ToBuffer ? Text : nullptr);
      Fw.FailAllocation(-1);
      EXPECT_EQ(Fw.LiveAllocations(), 0u) << "failing " << K;
      const std::vector<uint32_t> Got = Fw.Snapshot();
      for (size_t I = 0; I < Got.size(); I++) {
        // Every pixel is either the untouched screen or what the full banner drew there.
        if (Got[I] != 0x123456 && Got[I] != Full[I]) {
          ADD_FAILURE() << "failing " << K << " drew a stray pixel at " << I;
          break;
        }
      }
    }
    if (!ToBuffer) {
      EXPECT_GT(N, 4) << "four lines of text each allocate";
    }
  }
}

}  // namespace
