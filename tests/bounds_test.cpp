// Coordinates, sizes and record fields far outside their ranges: every Blt
// the driver makes is checked before the display sees it (real firmware does
// not always refuse a bad rectangle), so nothing may reach past the screen,
// nor outside the control's own rectangle; pixel buffers handed to the driver
// carry guard zones that must stay untouched; and no call keeps pool memory.
#include <algorithm>
#include <climits>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "controls/status/divider.h"
#include "controls/status/gauge_panel.h"
#include "controls/status/progress_bar.h"
#include "controls/status/scroll_bar.h"
#include "controls/status/scroll_bar_body.h"
#include "controls/status/tile.h"
#include "platform/services.h"
#include "raster/gradient.h"
#include "tests/fixture.h"
#include "tests/status_reference.h"
#include "tests/window_frame_reference.h"

namespace {

CHAR16 *S(const char16_t *T) { return const_cast<CHAR16 *>(reinterpret_cast<const CHAR16 *>(T)); }

constexpr INT32 kCoords[] = {INT32_MIN, INT32_MIN + 1, -70000, -32768, -1000, -1,    0,
                             1,         500,           1023,   1024,   32767, 70000, INT32_MAX - 1,
                             INT32_MAX};
constexpr INT32 kSizes[] = {INT32_MIN, -70000, -1, 0, 1, 2, 37, 300, 1024, 65535, 70000, INT32_MAX};
constexpr UINT16 kU16[] = {0, 1, 2, 9, 16, 69, 70, 71, 99, 100, 128, 300, 32767, 32768, 65535};
constexpr INT16 kI16[] = {INT16_MIN, -2, -1, 0, 1, 2, 3, 4, 8, 13, 127, 128, 16, INT16_MAX};

struct Area {
  __int128 X, Y, W, H;
};

class Bounds : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    sim::RecordTransfers(true);
  }
  void TearDown() override {
    sim::RecordTransfers(false);
    DriverTest::TearDown();
  }

  template <typename T, size_t N>
  T Pick(const T (&Values)[N]) {
    return Values[Rng() % N];
  }
  INT32 Coord() { return Rng() % 4 == 0 ? (INT32)(Rng() % 1400) - 200 : Pick(kCoords); }
  // A size; those that would make a buffer of millions of pixels shrink, so
  // the run stays short (sizes beyond the pool still come: they are refused).
  void Size(INT32 &W, INT32 &H) {
    W = Pick(kSizes);
    H = Pick(kSizes);
    const __int128 Pixels = (__int128)W * H;
    if (W > 0 && H > 0 && Pixels > 300000 && Pixels < ((__int128)1 << 28)) H = 3;
  }

  // Every transfer since the last check must stay on the screen, and the ones
  // that write to it inside one of the allowed areas. Clears the list.
  void CheckTransfers(const std::vector<Area> &Allowed, const std::string &What) {
    const __int128 SW = Fw.Width(), SH = Fw.Height();
    for (const sim::Transfer &T : sim::Transfers()) {
      const bool Reads = T.Op == EfiBltVideoToBltBuffer;
      const __int128 X = Reads ? T.SourceX : T.DestinationX, Y = Reads ? T.SourceY : T.DestinationY;
      const __int128 W = T.Width, H = T.Height;
      const std::string Rect = " at (" + std::to_string((uint64_t)X) + ", " +
                               std::to_string((uint64_t)Y) + ") size " +
                               std::to_string((uint64_t)W) + " x " + std::to_string((uint64_t)H);
      ASSERT_TRUE(T.Op == EfiBltVideoFill || T.Op == EfiBltVideoToBltBuffer ||
                  T.Op == EfiBltBufferToVideo)
          << What << ": unexpected Blt operation";
      ASSERT_TRUE(W > 0 && H > 0 && X + W <= SW && Y + H <= SH)
          << What << ": transfer off the screen" << Rect;
      if (Reads) continue;
      bool Inside = Allowed.empty();
      for (const Area &A : Allowed) {
        Inside |= X >= A.X && Y >= A.Y && X + W <= A.X + A.W && Y + H <= A.Y + A.H;
      }
      ASSERT_TRUE(Inside) << What << ": drawn outside the control" << Rect;
    }
    sim::RecordTransfers(true);
    ASSERT_EQ(Fw.LiveAllocations(), 0u) << What << ": pool memory left behind";
  }

  static std::string Args(std::initializer_list<int64_t> Values) {
    std::string Out;
    for (int64_t V : Values) Out += (Out.empty() ? "" : ", ") + std::to_string(V);
    return Out;
  }

  std::mt19937 Rng{20261207};
  static constexpr int kRounds = 150;
};

TEST_F(Bounds, StatusControlsStayInsideTheirRectangles) {
  for (int I = 0; I < kRounds && !HasFatalFailure(); I++) {
    Ui->SetFrameBufferCapture(I & 1);
    INT32 X = Coord(), Y = Coord(), W, H;
    Size(W, H);
    Ui->DrawGaugePanel(X, Y, W, H, S(u"CPU"), S(u"Fan"), S(u"Temperature"), nullptr, Pick(kCoords),
                       Pick(kCoords));
    CheckTransfers({{X, Y, W, H}}, "gauge " + Args({X, Y, W, H}));
    const INT32 DividerX = Pick(kCoords);
    Ui->DrawDividerStrip(X, Y, W, H, (UINT8)(Rng() % 3), DividerX, (UINT8)(Rng() % 3));
    CheckTransfers({{X, Y, W, H}}, "divider " + Args({X, Y, W, H, DividerX}));
    Ui->DrawTile(X, Y, W, H, (UINT8)(Rng() % 3));
    CheckTransfers({{X, Y, W, H}}, "tile " + Args({X, Y, W, H}));
    // More items in view than the list holds makes a thumb of up to billions
    // of rows, stepped through row by row even off the bar: a few times over at most.
    const UINT16 L = Pick(kU16), Total = Pick(kU16), First = Pick(kU16);
    const UINT16 Visible = (UINT16)std::min<UINT32>(Pick(kU16), 4u * Total + 10);
    Ui->DrawScrollBar(X, Y, L, Total, Visible, First, (UINT16)(Rng() % 5));
    CheckTransfers({{X, Y, 16, L < 100 ? 100 : L}},
                   "scroll bar " + Args({X, Y, L, Total, Visible, First}));
    Ui->HitTestScrollBar(X, Y, L, Total, Visible, First, Coord(), Coord());
    CheckTransfers({{0, 0, 0, 0}}, "scroll bar hit test");
    const INT16 RX = Pick(kI16) * (INT16)(Rng() % 3), RY = Pick(kI16);
    const UINT16 RL = Pick(kU16);
    Ui->DrawDottedRule(RX, RY, RL);
    CheckTransfers({{RX, RY, (__int128)RL + 1, 2}}, "dotted rule " + Args({RX, RY, RL}));
  }
}

TEST_F(Bounds, ProgressBarWritesOnlyItsBuffer) {
  constexpr INT32 kWidths[] = {INT32_MIN, -5, 0, 1, 2, 3, 7, 40, 333};
  constexpr INT32 kPercents[] = {INT32_MIN, -1, 0, 1, 50, 99, 100, 101, INT32_MAX};
  constexpr size_t kGuard = 64;
  for (INT32 W : kWidths) {
    for (INT32 H : kWidths) {
      // A height below 20 is drawn as 20: the caller's buffer holds that many rows.
      const size_t Pixels = W > 0 ? (size_t)W * (H < 20 ? 20 : H) : 0;
      if (Pixels > 4000000) continue;  // a buffer no caller could hand over
      std::vector<ORVANE_PIXEL> Store(Pixels + 2 * kGuard, ORVANE_PIXEL{0x5A, 0x5A, 0x5A, 0x5A});
      const std::vector<ORVANE_PIXEL> Before = Store;
      const INT32 Percent = Pick(kPercents);
      Ui->DrawProgressBar(Store.data() + kGuard, 0, 0, 0, 0, W, H,
                          Rng() & 1 ? S(u"Copying") : nullptr, Percent);
      const std::string What = "progress bar " + Args({W, H, Percent});
      ASSERT_EQ(0, std::memcmp(Store.data(), Before.data(), kGuard * 4))
          << What << ": wrote before the buffer";
      ASSERT_EQ(0, std::memcmp(Store.data() + kGuard + Pixels, Before.data(), kGuard * 4))
          << What << ": wrote past the buffer";
      CheckTransfers({{0, 0, 0, 0}}, What + " (the caller shows the buffer)");
    }
  }
}

TEST_F(Bounds, ListPopupWithWildGeometryAndState) {
  const CHAR16 *Items[] = {S(u"One"),  S(u"Two"), S(u"Three"), S(u"Four"),
                           S(u"Five"), S(u"Six"), S(u"Seven")};
  for (int I = 0; I < kRounds && !HasFatalFailure(); I++) {
    Ui->SetFrameBufferCapture(I & 1);
    ListPopup P = {};
    INT32 X = Coord(), Y = Coord(), W, H;
    Size(W, H);
    const UINT16 Count = (UINT16)(Rng() % 8);
    const std::string What = "list popup " + Args({X, Y, W, H, Count});
    if (Ui->OpenListPopup(&P, X, Y, (UINT32)W, H, S(u"Title"), (UINT16)Rng(), Count, Items,
                          Pick(kI16)) != 0) {
      CheckTransfers({{0, 0, 0, 0}}, What + " (refused)");
      continue;
    }
    const Area Window = {P.x, P.y, P.width, P.height};
    Ui->PaintListPopup(&P);
    Ui->ScrollListPopup(&P, (INT16)(Rng() % 5), Pick(kCoords));
    Ui->HitTestListPopup(&P, Coord(), Coord(), (INT16)(Rng() % 4));
    P.selectedRow = Pick(kI16);
    P.hotRow = Pick(kI16);
    P.hotScrollPart = Pick(kI16);
    P.closeState = (UINT8)Rng();
    P.closeShown = (UINT8)Rng();
    Ui->PaintListPopup(&P);
    ListPopupView View;
    Ui->GetListPopupView(&P, &View);
    Ui->CloseListPopup(&P);
    CheckTransfers({Window}, What);
  }
}

// The view summary of a window far taller than the screen answers as the
// position-by-position walk does, with work bounded by one thumb period.
TEST_F(Bounds, ListPopupViewOfATallWindow) {
  const CHAR16 *Items[] = {S(u"One"), S(u"Two"), S(u"Three")};
  ListPopup P = {};
  ASSERT_EQ(Ui->OpenListPopup(&P, 0, 0, 300, 400, nullptr, 0, 3, Items, -1), 0u);
  const ListPopup Opened = P;
  for (int Round = 0; Round < 40; Round++) {
    P = Opened;
    P.height = 65000 + (INT32)(Rng() % 200000);
    P.thumbLength = Round % 8 == 0 ? std::max<UINT16>(Pick(kU16), 1) : (UINT16)(1 + Rng() % 3000);
    P.selectedRow = Round % 5 == 0 ? Pick(kI16) : (INT16)(Rng() % 12000);
    P.thumbPos = (UINT16)Rng();
    ListPopupView Got = {7, 777, 888}, Want = Got;
    ASSERT_EQ(Ui->GetListPopupView(&P, &Got), 0u);
    ref::GetListPopupView(P, Want);
    const std::string What = Args({P.height, P.thumbLength, P.selectedRow, P.thumbPos});
    EXPECT_EQ(Got.outOfView, Want.outOfView) << What;
    EXPECT_EQ(Got.thumbShowingTop, Want.thumbShowingTop) << What;
    EXPECT_EQ(Got.thumbShowingBottom, Want.thumbShowingBottom) << What;
  }
  // Two billion positions: at most a few float calls for each of one period's.
  P = Opened;
  P.height = INT32_MAX;
  P.thumbLength = 65535;
  sim::ResetStats();
  ListPopupView View = {};
  ASSERT_EQ(Ui->GetListPopupView(&P, &View), 0u);
  EXPECT_LT(sim::Stats().FloatCalls, 4u * 65536);
  // Without a thumb length every position shows offset 0: the last one shows the top.
  P.height = 100000;
  P.thumbLength = 0;
  P.selectedRow = 0;
  ASSERT_EQ(Ui->GetListPopupView(&P, &View), 0u);
  EXPECT_EQ(View.thumbShowingTop, (INT16)(100000 - 112));
  Ui->CloseListPopup(&P);
}

// Gradients that start far above what is drawn: the colour steps of the hidden
// rows are taken at once, exactly as one by one.
TEST_F(Bounds, GradientsStartingFarOutsideTheClip) {
  auto Float = [&] {
    switch (Rng() % 4) {
      case 0: return fm::FromInt((INT32)(Rng() % 256));
      case 1:
        return fm::Div(fm::FromInt((INT32)(Rng() % 511) - 255),
                       fm::FromInt((INT32)(1 + Rng() % 2000000)));
      case 2:
        return fm::FromInt((INT32)(Rng() % 64)) |
               (UINT32)(Rng() & 0x80007FFF);  // halves and subnormal steps
      default: return (FLOAT32_BITS)Rng();
    }
  };
  for (int I = 0; I < 600; I++) {
    FLOAT32_BITS Start = Float(), Step = Float();
    if (I % 4 == 1) {  // steps of an odd number of half ulps: every sum a tie
      Start = 0x3F800000u | (Rng() & 0x7FFFFF);
      Step = fm::Div(fm::FromInt(((INT32)(Rng() % 101) - 50) | 1), fm::FromInt(1 << 24));
    }
    const UINT64 Count = Rng() % (I % 3 == 0 ? 20000 : 300);
    FLOAT32_BITS Want = Start;
    for (UINT64 K = 0; K < Count; K++) Want = fm::Add(Want, Step);
    ASSERT_EQ(AddRepeatedly(Start, Step, Count), Want)
        << std::hex << Start << " + " << Step << " x " << std::dec << Count;
  }
  // Thumbs reaching far above and below a bar, against the plain painter.
  for (int I = 0; I < 12; I++) {
    const INT32 L = 100 + (INT32)(Rng() % 200), Hot = I % 2 ? 2 : (INT32)(Rng() % 5);
    INT32 Th[2] = {-(INT32)(Rng() % 200000), (INT32)(Rng() % 400000)};
    const ScrollThumb S = {Th[0], Th[1]};
    std::vector<ORVANE_PIXEL> Got(16 * (L + 10)), Want(Got.size());
    DrawScrollBarBody(DrawTarget::For(Got.data(), 16, L + 10), 0, 0, &S, Hot, L);
    ref::DrawScrollBarBody(Want.data(), 16, L + 10, 0, 0, Th, Hot, L);
    ASSERT_EQ(0, std::memcmp(Got.data(), Want.data(), Got.size() * sizeof(ORVANE_PIXEL)))
        << Th[0] << " " << Th[1];
  }
  // One row in view and a list of one: a thumb of four billion rows.
  sim::ResetStats();
  ASSERT_EQ(Ui->DrawScrollBar(0, 0, 65535, 1, 65535, 1, 2), 0u);
  EXPECT_LT(sim::Stats().FloatCalls, 5000u);
}

TEST_F(Bounds, DialogsWithWildGeometryAndState) {
  CHAR16 *Lines[] = {S(u"First line\nsecond"), S(u"")};
  const CHAR16 *Captions[] = {S(u"OK"), S(u"Cancel"), S(u"Retry")};
  for (int I = 0; I < kRounds / 2 && !HasFatalFailure(); I++) {
    Ui->SetFrameBufferCapture(I & 1);
    INT32 X = Coord(), Y = Coord(), W, H;
    Size(W, H);
    MessageBox B = {};
    const UINT16 Buttons = (UINT16)(Rng() % 4);
    if (Ui->InitMessageBox(&B, X, Y, W, H, (UINT16)(Rng() % 3), Lines, Buttons, Captions) == 0) {
      B.HotButton = Pick(kU16);
      B.HotState = Pick(kU16);
      Ui->HitTestMessageBox(&B, Coord(), Coord());
      Ui->PaintMessageBox(&B);
    }
    CheckTransfers({{B.X, B.Y, B.Width, B.Height}}, "message box " + Args({X, Y, W, H, Buttons}));

    InputDialog D = {};
    const UINT16 MaxChars = Pick(kU16), Count = (UINT16)(Rng() % 5);
    if (Ui->InitInputDialog(&D, X, Y, (UINT32)W, H, S(u"Title"), 0,
                            Rng() & 1 ? S(u"Prompt") : nullptr, S(u"typed text"), MaxChars,
                            (UINT16)(Rng() & 1), Count, Captions) == 0) {
      D.hotButton = Pick(kI16);
      D.closeShown = (UINT8)Rng();
      D.closeState = (UINT8)Rng();
      Ui->HitTestInputDialog(&D, Coord(), Coord());
      Ui->PaintInputDialog(&D);
    }
    CheckTransfers({{D.x, D.y, D.width, D.height}},
                   "input dialog " + Args({X, Y, W, H, MaxChars, Count}));
  }
}

TEST_F(Bounds, SettingRowAndReadoutWithWildGeometry) {
  for (int I = 0; I < kRounds && !HasFatalFailure(); I++) {
    Ui->SetFrameBufferCapture(I & 1);
    const INT32 X = Coord(), Y = Coord();
    SettingRow R = {};
    const UINT16 Width = Pick(kU16), LabelWidth = Pick(kU16), Slider = Pick(kU16),
                 Steps = Pick(kU16);
    const std::string What = "setting row " + Args({X, Y, Width, LabelWidth, Slider, Steps});
    if (Ui->InitSettingRow(&R, X, Y, Width, LabelWidth, Slider, 0, Steps, 0, 0, 0, S(u"Label"),
                           S(u"Value"), (UINT16)(Rng() % 4), (INT16)(Rng() % 5),
                           (UINT8)(Rng() & 1)) == EFI_SUCCESS) {
      Ui->TrackSettingSlider(&R, Coord(), Coord());
      R.percent = Pick(kU16);
      R.stepIndex = Pick(kU16);
      R.stepMode = (UINT8)(Rng() % 3);
      R.hotPart = Pick(kI16);
      Ui->PaintSettingRow(&R);
    }
    CheckTransfers({{R.x, R.y, R.width, 19}}, What);

    DigitReadout D = {};
    std::u16string Text = I % 3 == 0 ? u"-1234" : I % 3 == 1 ? u"12:34:56" : u"7";
    const UINT16 Size = (UINT16)(Rng() % 3);
    if (Ui->InitDigitReadout(&D, X, Y, S(Text.c_str()), Size, 1) == EFI_SUCCESS) {
      Ui->PaintDigitReadout(&D);
      if (D.text != S(Text.c_str())) PoolFree(D.text);
      PoolFree(D.background);
    }
    CheckTransfers({{D.x, D.y, D.width, D.height}}, "digit readout " + Args({X, Y, Size}));
  }
}

TEST_F(Bounds, DockAndOptionPopupWithWildPositions) {
  const CHAR16 *Labels[16];
  UINT16 Flags[16], Active[16];
  for (int K = 0; K < 16; K++) {
    Labels[K] = S(u"label");
    Flags[K] = (UINT16)(K * 0x13);
    Active[K] = (UINT16)(K & 1);
  }
  const CHAR16 *Items[] = {S(u"One"), S(u"Two"), S(u"Three"), S(u"Four")};
  for (int I = 0; I < kRounds && !HasFatalFailure(); I++) {
    Ui->SetFrameBufferCapture(I & 1);
    const INT32 X = Coord(), Y = Coord();
    IconDock D = {};
    const UINT16 Count = (UINT16)(1 + Rng() % 16);
    if (Ui->InitIconDock(&D, X, Y, Count, Labels, Flags, Active) == EFI_SUCCESS) {
      Ui->TrackIconDock(&D, Coord(), Coord(), (UINT16)(Rng() % 3), (UINT16)(Rng() % 3));
      Ui->PaintIconDock(&D);
      PoolFree(D.stripBackground);
    }
    CheckTransfers({{D.x, D.y, D.width, D.height},
                    {(__int128)D.x - 50, (__int128)D.y + 44, 1074 - (__int128)D.x, 19}},
                   "icon dock " + Args({X, Y, Count}));

    OptionPopupSet Set;
    Ui->ResetOptionPopups(&Set);
    const UINT16 Kind = (UINT16)(Rng() % 9), N = (UINT16)(1 + Rng() % 4);
    if (Ui->DefineOptionPopup(&Set, X, Y, Kind, S(u"Title"), N, Items) == EFI_SUCCESS) {
      const OptionPopupEntry &E = Set.entries[Kind];
      const Area Popup = {E.x, E.y, E.width, E.height};
      Ui->TrackOptionPopup(&Set, Kind, Coord(), Coord(), (UINT16)(Rng() % 3), (UINT16)(Rng() % 3));
      Ui->PaintOptionPopup(&Set);
      Set.state.focus = Pick(kU16);
      Set.state.dragOffset = Pick(kU16);
      Ui->PaintOptionPopup(&Set);
      Ui->CloseOptionPopup(&Set);
      for (OptionPopupEntry &Entry : Set.entries) PoolFree(Entry.icon);
      CheckTransfers({Popup}, "option popup " + Args({X, Y, Kind, N}));
    } else {
      CheckTransfers({{0, 0, 0, 0}}, "option popup refused");
    }
  }
}

TEST_F(Bounds, ScreenPrimitivesAndTransfersStayOnTheScreen) {
  std::vector<ORVANE_PIXEL> Image(64 * 48, ORVANE_PIXEL{1, 2, 3, 0});
  for (int I = 0; I < kRounds && !HasFatalFailure(); I++) {
    // Lines and outlines step through every point of their length, on the
    // screen or not: far ends stay within a few hundred thousand pixels.
    const INT32 X = Coord() % 300000, Y = Coord() % 300000, X2 = Coord(), Y2 = Coord();
    const INT32 Pen = (INT32)(Rng() % 7), Fill = (INT32)(Rng() % 8);
    Ui->DrawPoint(nullptr, 0, 0, X, Y, Pen, 0xFF0000);
    Ui->DrawLine(nullptr, 0, 0, X, Y, X2 % 3000, Y2 % 3000, Pen, 0x00FF00);
    Ui->DrawRectangle(nullptr, 0, 0, X, Y, Pick(kSizes) % 3000, Pick(kSizes) % 3000, Pen, Fill,
                      0xFF, 0xFF00);
    Ui->DrawCircle(nullptr, 0, 0, X, Y, (INT32)(Rng() % 400) - 10, (INT32)(Rng() % 50) - 5, Fill,
                   0xFF, 0xFF00);
    Ui->DrawRegularPolygon(nullptr, 0, 0, X, Y, (INT32)(Rng() % 12) - 2, (INT32)(Rng() % 2000), Pen,
                           0xFFFF);
    Ui->DrawTriangle(nullptr, 0, 0, (UINT32)X % 3000, (UINT32)Y % 3000, (UINT32)X2 % 3000,
                     (UINT32)Y2 % 3000, Rng() % 3000, Rng() % 3000, Pen, Fill, 0xFF, 0xFF00);
    Ui->BlitToScreen(Image.data(), 64, 48, X, Y);
    // The transitions pace every block, shown or not: a few positions only.
    if (I % 25 == 0) {
      Ui->WipeTransition(Image.data(), 64, 48, (UINT32)X, (UINT32)Y);
      Ui->DissolveTransition(Image.data(), 64, 48, (UINT32)X, (UINT32)Y);
    }
    ORVANE_PIXEL Back = {0, 0, 0x40, 0};
    Ui->DrawText(0xFFFFFF, Rng() & 1 ? &Back : nullptr, 1000 + Rng() % 1001, (UINT16)X, (UINT16)Y,
                 S(u"Text %d"), X);
    CheckTransfers({}, "primitives at " + Args({X, Y, X2, Y2, Pen, Fill}));
  }
}

}  // namespace
