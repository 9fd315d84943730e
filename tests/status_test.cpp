// The status controls: each painter against its plain version on random
// input, the layout facts of each control, hit codes, the mended faults and
// allocation failures.
#include <functional>
#include <random>
#include <vector>

#include "controls/status/dialog_window.h"
#include "controls/status/divider.h"
#include "controls/status/gauge_panel.h"
#include "controls/status/message_box.h"
#include "controls/status/level_bar.h"
#include "controls/status/progress_bar.h"
#include "controls/status/round_frame.h"
#include "controls/status/scroll_bar.h"
#include "controls/status/scroll_bar_body.h"
#include "controls/status/tile.h"
#include "controls/status/tile_face.h"
#include "raster/gradient.h"
#include "raster/shapes.h"
#include "tests/fixture.h"
#include "tests/raster_reference.h"
#include "tests/status_reference.h"

using rastertest::Canvas;
using rastertest::FirstDifference;

namespace {

class StatusTest : public DriverTest {
 protected:
  // A W x H canvas filled with a patterned background, as a capture would give.
  static Canvas Patterned(int W, int H, uint32_t Seed) {
    Canvas C(W, H);
    for (int Y = 0; Y < H; Y++)
      for (int X = 0; X < W; X++)
        C.Store[Canvas::kGuard + (size_t)Y * W + X] = (X * 7 + Y * 13 + Seed) & 0xFFFFFF;
    return C;
  }
  // Draws Production and Reference on identical canvases and expects the same image.
  void ExpectSame(int W, int H, uint32_t Seed,
                  const std::function<void(const DrawTarget &)> &Production,
                  const std::function<void(ORVANE_PIXEL *)> &Reference, const std::string &What) {
    Canvas A = Patterned(W, H, Seed), B = Patterned(W, H, Seed);
    Production(DrawTarget::For(A.Pixels(), W, H));
    Reference(B.Pixels());
    ASSERT_TRUE(A.GuardsIntact()) << What;
    ASSERT_EQ(A.Image(), B.Image()) << What << ": " << FirstDifference(A.Image(), B.Image(), W);
  }
};

}  // namespace

// ---------------------------------------------------------------- shared helpers

TEST_F(StatusTest, CornerTestAndGradientStepsMatchTheFloatService) {
  std::mt19937 Rng(7);
  for (int I = 0; I < 20000; I++) {
    INT32 CX = (INT32)(Rng() % 4000) - 2000, CY = (INT32)(Rng() % 4000) - 2000;
    INT32 PX = CX + (INT32)(Rng() % 41) - 20, PY = CY + (INT32)(Rng() % 41) - 20;
    INT32 R = (INT32)(Rng() % 30) - 2;
    ASSERT_EQ(InRadius(PX, PY, CX, CY, R), WithinRadius(PX, PY, CX, CY, R) != 0)
        << PX << "," << PY << " " << CX << "," << CY << " r " << R;
  }
  // Gradients with equal channels stepped once give the colours of the shape primitive.
  for (int I = 0; I < 300; I++) {
    UINT32 From = Rng() & 0xFFFFFFFF, To = Rng() & 0xFFFFFF;
    if (I % 2) {  // grey pairs, stepped once for all three channels
      From = (From & 0xFF000000) | (From & 0xFF) * 0x010101;
      To = (To & 0xFF) * 0x010101;
    }
    int W = 1 + (int)(Rng() % 20), H = 1 + (int)(Rng() % 60), Style = I % 4 == 0 ? 4 : 5;
    ExpectSame(
        W + 4, H + 4, I,
        [&](const DrawTarget &T) {
          Style == 5 ? FillRowsGradient(T, 2, 2, W, H, From, To)
                     : FillColumnsGradient(T, 2, 2, W, H, From, To);
        },
        [&](ORVANE_PIXEL *P) {
          ref::DrawRectangle(P, W + 4, H + 4, 2, 2, W, H, 1, Style, From, To);
        },
        "gradient");
  }
  // Long gradients, stepped one by one and skipped ahead, against the
  // service's sums and truncations taken one step at a time.
  for (int I = 0; I < 200; I++) {
    const UINT32 From = Rng(), To = Rng();
    const INT32 Steps = (INT32)(Rng() % 3000) - 5;
    Gradient G(From, To, Steps);
    FLOAT32_BITS Value[3], Step[3];
    for (int C = 0; C < 3; C++) {
      Value[C] = fm::FromInt((INT32)((From >> (8 * C)) & 0xFF));
      Step[C] = fm::Div(fm::Sub(fm::FromInt((INT32)((To >> (8 * C)) & 0xFF)), Value[C]),
                        fm::FromInt(Steps == 0 ? 1 : Steps));
    }
    for (int K = 1; K <= 3100; K++) {
      UINT32 Want = From & 0xFF000000u;
      for (int C = 0; C < 3; C++) {
        Value[C] = fm::Add(Value[C], Step[C]);
        const INT32 V = fm::ToInt(Value[C]);
        Want |= (UINT32)(V < 0 ? 0 : V > 255 ? 255 : V) << (8 * C);
      }
      const UINT32 Jump = K % 97 == 0 ? Rng() % 300 : 0;
      if (Jump > 0) {
        G.Skip(Jump + 1);
        for (UINT32 J = 0; J < Jump; J++) {
          for (int C = 0; C < 3; C++) Value[C] = fm::Add(Value[C], Step[C]);
        }
        Want = From & 0xFF000000u;
        for (int C = 0; C < 3; C++) {
          const INT32 V = fm::ToInt(Value[C]);
          Want |= (UINT32)(V < 0 ? 0 : V > 255 ? 255 : V) << (8 * C);
        }
      } else {
        G.Advance();
      }
      ASSERT_EQ(G.Color(), Want) << std::hex << From << " to " << To << std::dec << " in " << Steps
                                 << ", step " << K;
    }
  }
}

// ---------------------------------------------------------------- round frame and level bar

TEST_F(StatusTest, RoundFrameAndLevelBarMatchThePlainVersions) {
  std::mt19937 Rng(11);
  for (int I = 0; I < 200; I++) {
    int W = 20 + (int)(Rng() % 200), H = 20 + (int)(Rng() % 80);
    int X = (int)(Rng() % 30) - 10, Y = (int)(Rng() % 30) - 10;
    UINT16 R = (UINT16)(Rng() % 12);
    ExpectSame(
        W + 20, H + 20, I, [&](const DrawTarget &T) { DrawRoundFrame(T, X, Y, W, H, R, 0xFFFFFF); },
        [&](ORVANE_PIXEL *P) { ref::DrawRoundFrame(P, W + 20, H + 20, X, Y, W, H, R, 0xFFFFFF); },
        "frame");
    int Value = (int)(Rng() % 130) - 15, BW = 10 + (int)(Rng() % 250), BH = (int)(Rng() % 25);
    ExpectSame(
        300, 40, I, [&](const DrawTarget &T) { DrawLevelBar(T, 3, 2, BW, BH, Value); },
        [&](ORVANE_PIXEL *P) { ref::DrawLevelBar(P, 300, 40, 3, 2, BW, BH, Value); }, "level bar");
  }
}

TEST_F(StatusTest, LevelBarSegmentsAndClamping) {
  auto Bar = [](int W, int Value) {
    Canvas C(200, 20, 0x00777777);
    DrawLevelBar(DrawTarget::For(C.Pixels(), 200, 20), 0, 0, W, 15, Value);
    return C;
  };
  // Width 161: seg = 8, twenty segments cover columns 1..160, the last divider on the border.
  Canvas Full = Bar(161, 99);
  EXPECT_EQ(Full.At(1, 5), 0x3EFF06u);    // segment 0 green
  EXPECT_EQ(Full.At(8, 5), 0x000000u);    // its divider
  EXPECT_EQ(Full.At(160, 5), 0x000000u);  // right border
  EXPECT_EQ(Full.At(161, 5), 0x777777u);  // nothing past it
  EXPECT_EQ(Full.At(153, 5), 0x000000u);  // at 99 segment 19 is not lit
  Canvas Top = Bar(161, 100);
  for (int X = 153; X <= 159; X++)
    EXPECT_EQ(Top.At(X, 5), 0xFF1F05u) << X;  // last segment solid red
  EXPECT_EQ(Top.At(152, 5), 0x000000u);       // the divider before it stays
  EXPECT_EQ(Bar(161, 150).Image(), Top.Image());
  EXPECT_EQ(Bar(161, -5).Image(), Bar(161, 0).Image());
  for (int X = 1; X < 160; X++) EXPECT_EQ(Bar(161, 0).At(X, 5), 0u);
  // Asked 30 wide, drawn 41 wide (seg 2).
  Canvas Narrow = Bar(30, 100);
  EXPECT_EQ(Narrow.At(40, 0), 0x000000u);
  EXPECT_EQ(Narrow.At(41, 0), 0x777777u);
  EXPECT_EQ(Narrow.At(1, 5), 0x3EFF06u);
  EXPECT_EQ(Narrow.At(2, 5), 0x000000u);
}

// ---------------------------------------------------------------- scroll bar

TEST_F(StatusTest, ScrollBarBodyMatchesThePlainVersion) {
  std::mt19937 Rng(3);
  for (int I = 0; I < 300; I++) {
    int L = 60 + (int)(Rng() % 200), Hot = (int)(Rng() % 5);
    INT32 Th[2] = {(INT32)(Rng() % 120) - 5, (INT32)(Rng() % 150) - 5};
    bool HasThumb = I % 7 != 0;
    ScrollThumb S = {Th[0], Th[1]};
    ExpectSame(
        20, L + 110, I,
        [&](const DrawTarget &T) { DrawScrollBarBody(T, 2, 3, HasThumb ? &S : nullptr, Hot, L); },
        [&](ORVANE_PIXEL *P) {
          ref::DrawScrollBarBody(P, 20, L + 110, 2, 3, HasThumb ? Th : nullptr, Hot, L);
        },
        "scroll bar");
  }
}

TEST_F(StatusTest, ScrollBarThumbPlacementOnTheScreen) {
  auto Expect = [&](UINT16 L, UINT16 T, UINT16 P, UINT16 S, UINT16 Hot, const INT32 *Thumb) {
    Fw.FillScreen(0x00405060);
    ASSERT_EQ(DrawScrollBar(100, 50, L, T, P, S, Hot), 0u);
    int Painted = L < 100 ? 100 : L;
    Canvas C(16, Painted, 0x00405060);
    ref::DrawScrollBarBody(C.Pixels(), 16, Painted, 0, 0, Thumb, Hot, Painted);
    EXPECT_EQ(ScreenRect(100, 50, 16, Painted), C.Image())
        << "L " << L << " T " << T << " P " << P << " S " << S;
    EXPECT_EQ(Fw.Pixel(100, 50 + Painted), 0x00405060u);
  };
  const INT32 WholeList[2] = {1, 100};  // m = 100, n = 100, t = m - n = 0 raised to 1
  Expect(170, 10, 10, 1, 2, WholeList);
  const INT32 FirstPage[2] = {1, 20};  // t = 0 raised to 1
  Expect(170, 50, 10, 1, 0, FirstPage);
  const INT32 LastPage[2] = {80, 20};  // the view reaches the end: t = m - n
  Expect(170, 50, 10, 41, 3, LastPage);
  const INT32 Middle[2] = {20, 20};  // (100 / 50) * 10
  Expect(170, 50, 10, 11, 1, Middle);
  Expect(170, 0, 10, 1, 2, nullptr);  // an empty list has no thumb
  const INT32 Short[2] = {-8, -2};    // L = 60: m = -10, n = -2, t = 0 pulled to m - n = -8
  Expect(60, 10, 2, 1, 0, Short);
}

TEST_F(StatusTest, ScrollBarHitCodes) {
  // L = 170: m = 102; T = 10, P = 5, S = 1: n = 51, t = 1.
  auto Hit = [&](INT32 PX, INT32 PY, UINT16 T = 10, UINT16 S = 1) {
    return HitTestScrollBar(100, 50, 170, T, 5, S, PX, PY);
  };
  EXPECT_EQ(Hit(101, 60), kScrollOutside);
  EXPECT_EQ(Hit(102, 60), kScrollUpArrow);
  EXPECT_EQ(Hit(127, 60), kScrollUpArrow);  // wider than the painted bar
  EXPECT_EQ(Hit(128, 60), kScrollOutside);
  EXPECT_EQ(Hit(110, 49), kScrollOutside);
  EXPECT_EQ(Hit(110, 50), kScrollUpArrow);
  EXPECT_EQ(Hit(110, 82), kScrollUpArrow);     // y + 32
  EXPECT_EQ(Hit(110, 83), kScrollTrackAbove);  // y + 33 = y + 32 + t
  EXPECT_EQ(Hit(110, 84), kScrollThumb);
  EXPECT_EQ(Hit(110, 50 + 31 + 1 + 51), kScrollThumb);
  EXPECT_EQ(Hit(110, 50 + 31 + 1 + 52), kScrollTrackBelow);
  EXPECT_EQ(Hit(110, 50 + 170 - 34), kScrollTrackBelow);
  EXPECT_EQ(Hit(110, 50 + 170 - 33), kScrollDownArrow);
  EXPECT_EQ(Hit(110, 50 + 169), kScrollDownArrow);
  EXPECT_EQ(Hit(110, 50 + 170), kScrollOutside);
  // S = 3: t = (102 / 10) * 2 = 20; y + 33 is track above, no end-of-list pinning.
  EXPECT_EQ(Hit(110, 83, 10, 3), kScrollTrackAbove);
  EXPECT_EQ(Hit(110, 50 + 32 + 20, 10, 3), kScrollTrackAbove);
  EXPECT_EQ(Hit(110, 50 + 33 + 20, 10, 3), kScrollThumb);
  EXPECT_EQ(Hit(110, 50 + 32 + 50, 10, 6), kScrollTrackAbove);  // t = 50, below m - n = 51
  EXPECT_EQ(Hit(110, 50 + 33 + 50, 10, 6), kScrollThumb);
  // S = 7: t = 60 is pulled back to m - n = 51.
  EXPECT_EQ(Hit(110, 50 + 32 + 51, 10, 7), kScrollTrackAbove);
  EXPECT_EQ(Hit(110, 50 + 33 + 51, 10, 7), kScrollThumb);
  // An empty list: no thumb zone; the whole track reads as below the thumb.
  for (int Y = 83; Y <= 50 + 170 - 34; Y++) EXPECT_EQ(Hit(110, Y, 0), kScrollTrackBelow) << Y;
}

// ---------------------------------------------------------------- tile

TEST_F(StatusTest, TileFaceMatchesThePlainVersion) {
  std::mt19937 Rng(5);
  for (int I = 0; I < 150; I++) {
    int W = 10 + (int)(Rng() % 150), H = 10 + (int)(Rng() % 150);
    UINT8 Active = (UINT8)(Rng() % 3);
    ExpectSame(
        W + 10, H + 10, I, [&](const DrawTarget &T) { DrawTileFace(T, 4, 3, W, H, Active); },
        [&](ORVANE_PIXEL *P) { ref::DrawTileFace(P, W + 10, H + 10, 4, 3, W, H, Active); },
        "tile face");
  }
}

TEST_F(StatusTest, TileSplitFaceWidthAndFrame) {
  Fw.FillScreen(0x00123456);
  ASSERT_EQ(DrawTile(200, 100, 120, 100, 0), 0u);
  // Normal look: gradient rows 6..59 from 0xAEAEAE, solid white rows 60..93, columns 6..113.
  EXPECT_LT(Fw.Pixel(260, 107) & 0xFF, 0xB5u);  // the gradient's top, under the bevel's last row
  EXPECT_NE(Fw.Pixel(260, 159), 0xFFFFFFu);
  EXPECT_EQ(Fw.Pixel(260, 160), 0xFFFFFFu);
  EXPECT_EQ(Fw.Pixel(260, 193), 0xFFFFFFu);
  EXPECT_EQ(Fw.Pixel(200 + 7, 170), 0xFFFFFFu);  // the face, right of the bevel's columns 1..6
  EXPECT_EQ(Fw.Pixel(200 + 112, 170), 0xFFFFFFu);
  EXPECT_NE(Fw.Pixel(200 + 6, 170), 0xFFFFFFu);
  EXPECT_EQ(Fw.Pixel(260, 100), 0xFFFFFFu);  // frame over the top rows
  EXPECT_EQ(Fw.Pixel(260, 101), 0xFFFFFFu);
  EXPECT_EQ(Fw.Pixel(200, 150), 0xFFFFFFu);
  EXPECT_EQ(Fw.Pixel(199, 150), 0x123456u);
  // Active look: the face reaches from x + 2 to x + w - 3.
  ASSERT_EQ(DrawTile(200, 300, 120, 100, 1), 0u);
  EXPECT_EQ(Fw.Pixel(260, 306), 0x9FD169u);
  EXPECT_EQ(Fw.Pixel(202, 380), 0xE1F4CEu);
  EXPECT_EQ(Fw.Pixel(317, 380), 0xE1F4CEu);
  EXPECT_EQ(Fw.Pixel(318, 380), 0xFFFFFFu);  // frame
  // The whole tile equals its plain version.
  Canvas C(120, 100, 0);
  for (int Y = 0; Y < 100; Y++)
    for (int X = 0; X < 120; X++) C.Store[Canvas::kGuard + Y * 120 + X] = 0x00123456;
  ref::DrawTileFace(C.Pixels(), 120, 100, 0, 0, 120, 100, 0);
  ref::DrawRoundFrame(C.Pixels(), 120, 100, 0, 0, 120, 100, 10, 0xFFFFFF);
  EXPECT_EQ(ScreenRect(200, 100, 120, 100), C.Image());
}

// ---------------------------------------------------------------- progress bar

TEST_F(StatusTest, ProgressBarMatchesThePlainVersion) {
  std::mt19937 Rng(9);
  const CHAR16 *Labels[] = {W("Saving"), W("A"), W("Loading drivers")};
  for (int I = 0; I < 120; I++) {
    int W = 120 + (int)(Rng() % 300), H = 20 + (int)(Rng() % 30), Percent = (int)(Rng() % 140) - 20;
    const CHAR16 *Label = Labels[I % 3];
    Canvas A = Patterned(W, H, I), B = Patterned(W, H, I);
    ASSERT_EQ(DrawProgressBar(A.Pixels(), 1, 2, 3, 4, W, H, Label, Percent), 0u);
    ref::DrawProgressBar(B.Pixels(), W, H, Label, Percent);
    ASSERT_TRUE(A.GuardsIntact());
    ASSERT_EQ(A.Image(), B.Image())
        << W << "x" << H << " " << Percent << ": " << FirstDifference(A.Image(), B.Image(), W);
  }
}

TEST_F(StatusTest, ProgressBarTextColourClampingAndHeight) {
  auto Bar = [&](int Percent, int H, int RowsOfBuffer) {
    Canvas C(300, RowsOfBuffer, 0x00555555);
    EXPECT_EQ(DrawProgressBar(C.Pixels(), 0, 0, 0, 0, 300, H, W("Copy"), Percent), 0u);
    EXPECT_TRUE(C.GuardsIntact());
    return C;
  };
  // 52: white figures; 53: black ones.
  Canvas At52 = Bar(52, 24, 24), At53 = Bar(53, 24, 24);
  EXPECT_GT(At52.CountColor(0xFFFFFF), 10u);
  size_t Black52 = At52.CountColor(0), Black53 = At53.CountColor(0);
  EXPECT_GT(Black53, Black52 + 10);
  EXPECT_EQ(At53.CountColor(0xFFFFFF), 0u);
  EXPECT_EQ(Bar(150, 24, 24).Image(), Bar(100, 24, 24).Image());
  EXPECT_EQ(Bar(-5, 24, 24).Image(), Bar(0, 24, 24).Image());
  // At 100 the bar holds only the filled colours: its inner rows at the right end are amber.
  Canvas Full = Bar(100, 24, 24);
  EXPECT_EQ(Full.At(298, 1), 0xFBE16Du);
  EXPECT_EQ(Bar(0, 24, 24).At(298, 1), 0x585657u);
  // H = 10 is drawn 20 high: the bottom frame on row 19.
  Canvas Low = Bar(40, 10, 21);
  EXPECT_EQ(Low.At(299, 19), 0u);
  EXPECT_EQ(Low.At(299, 20), 0x555555u);
  EXPECT_EQ(Low.Image(), [&] {
    Canvas C = Bar(40, 20, 21);
    return C.Image();
  }());
}

TEST_F(StatusTest, ProgressBarRefusesBadBuffersAndFailedRendering) {
  EXPECT_EQ(DrawProgressBar(nullptr, 0, 0, 0, 0, 300, 24, W("Copy"), 50), EFI_INVALID_PARAMETER);
  Canvas C(300, 24, 0x00555555);
  EXPECT_EQ(DrawProgressBar(C.Pixels(), 0, 0, 0, 0, 0, 24, W("Copy"), 50), EFI_INVALID_PARAMETER);
  for (int N = 0; N < 8; N++) {
    Fw.FailAllocation(N);
    UINTN Status = DrawProgressBar(C.Pixels(), 0, 0, 0, 0, 300, 24, W("Copy"), 50);
    Fw.FailAllocation(-1);
    if (Status == 0) break;
    EXPECT_EQ(Status, EFI_OUT_OF_RESOURCES);
    EXPECT_EQ(C.CountColor(0x555555), 300u * 24) << "failure " << N << " drew";
    EXPECT_EQ(Fw.LiveAllocations(), 0u);
  }
}

// ---------------------------------------------------------------- divider strip and dotted rule

TEST_F(StatusTest, DividerStripSchemesFreeRowsAndClipping) {
  Fw.FillScreen(0x00808080);
  ASSERT_EQ(DrawDividerStrip(10, 10, 40, 12, 0, 20, 1), 0u);
  for (int Y = 10; Y < 22; Y++)
    for (int X = 10; X < 50; X++) ASSERT_EQ(Fw.Pixel(X, Y), 0x131313u);
  EXPECT_EQ(Fw.Pixel(50, 10), 0x808080u);
  ASSERT_EQ(DrawDividerStrip(10, 30, 40, 12, 1, 20, 0), 0u);
  ASSERT_EQ(DrawDividerStrip(10, 50, 40, 12, 1, 20, 1), 0u);
  for (int Y = 0; Y < 12; Y++) {
    bool Free = Y < 2 || Y > 9;
    EXPECT_EQ(Fw.Pixel(30, 30 + Y), Free ? 0x131313u : 0xC3C3C3u) << Y;
    EXPECT_EQ(Fw.Pixel(29, 30 + Y), Free ? 0x131313u : 0x3C3C3Cu) << Y;
    EXPECT_EQ(Fw.Pixel(30, 50 + Y), Free ? 0x131313u : 0xFFFFFFu) << Y;
    EXPECT_EQ(Fw.Pixel(29, 50 + Y), Free ? 0x131313u : 0xACC764u) << Y;
    EXPECT_EQ(Fw.Pixel(31, 50 + Y), 0x131313u);
  }
  // Divider columns outside the strip leave the screen beside it alone.
  ASSERT_EQ(DrawDividerStrip(100, 70, 40, 12, 1, 0, 0), 0u);
  EXPECT_EQ(Fw.Pixel(100, 75), 0xC3C3C3u);
  EXPECT_EQ(Fw.Pixel(99, 75), 0x808080u);
  ASSERT_EQ(DrawDividerStrip(100, 90, 40, 12, 1, 41, 0), 0u);
  EXPECT_EQ(Fw.Pixel(140, 95), 0x808080u);
  EXPECT_EQ(Fw.Pixel(141, 95), 0x808080u);
  ASSERT_EQ(DrawDividerStrip(100, 110, 40, 12, 1, -100000, 1), 0u);
  EXPECT_EQ(Fw.Pixel(100, 115), 0x131313u);
}

TEST_F(StatusTest, DottedRuleDots) {
  Fw.FillScreen(0);
  ASSERT_EQ(DrawDottedRule(100, 40, 10), 0u);
  for (int X = 98; X < 114; X++) {
    bool Dot = X >= 100 && X <= 109 && (X - 100) % 4 < 2;
    for (int Y = 39; Y <= 42; Y++)
      EXPECT_EQ(Fw.Pixel(X, Y), Dot && Y >= 40 && Y <= 41 ? 0xDFDFDFu : 0u) << X << "," << Y;
  }
  std::vector<uint32_t> Before = Fw.Snapshot();
  ASSERT_EQ(DrawDottedRule(300, 300, 0), 0u);
  EXPECT_EQ(Fw.Snapshot(), Before);
  // A rule running past 16-bit coordinates ends at the screen's edge.
  ASSERT_EQ(DrawDottedRule(1000, 5, 65535), 0u);
  EXPECT_EQ(Fw.Pixel(1020, 5), 0xDFDFDFu);
  EXPECT_EQ(Fw.Pixel(1022, 5), 0u);
}

// ---------------------------------------------------------------- allocation failures

TEST_F(StatusTest, FailedBuffersDrawNothingAndLeaveNothing) {
  const std::function<UINTN()> Paints[] = {
      [] { return DrawDividerStrip(10, 10, 50, 20, 1, 10, 1); },
      [] { return DrawDottedRule(10, 40, 50); },
      [] { return DrawScrollBar(10, 60, 50, 10, 2, 1, 2); },
      [] { return DrawTile(40, 60, 80, 60, 1); },
  };
  for (const auto &Paint : Paints) {
    Fw.FillScreen(0x00246824);
    std::vector<uint32_t> Before = Fw.Snapshot();
    Fw.FailAllocation(0);
    EXPECT_EQ(Paint(), EFI_OUT_OF_RESOURCES);
    Fw.FailAllocation(-1);
    EXPECT_EQ(Fw.Snapshot(), Before);
    EXPECT_EQ(Fw.LiveAllocations(), 0u);
    EXPECT_EQ(Paint(), 0u);
    EXPECT_NE(Fw.Snapshot(), Before);
  }
}

// ---------------------------------------------------------------- dialog window

TEST_F(StatusTest, DialogWindowMatchesThePlainVersion) {
  std::mt19937 Rng(13);
  for (int I = 0; I < 60; I++) {
    int W = 70 + (int)(Rng() % 400), H = 20 + (int)(Rng() % 300);
    ExpectSame(
        W + 6, H + 6, I, [&](const DrawTarget &T) { DrawDialogWindow(T, 3, 2, W, H); },
        [&](ORVANE_PIXEL *P) { ref::DrawDialogWindow(P, W + 6, H + 6, 3, 2, W, H); }, "window");
  }
}

// ---------------------------------------------------------------- published table

TEST_F(StatusTest, SlotsSevenToSixteenAreTheStatusOperations) {
  EXPECT_EQ(Ui->DrawGaugePanel, &DrawGaugePanel);
  EXPECT_EQ(Ui->InitMessageBox, &InitMessageBox);
  EXPECT_EQ(Ui->HitTestMessageBox, &HitTestMessageBox);
  EXPECT_EQ(Ui->PaintMessageBox, &PaintMessageBox);
  EXPECT_EQ(Ui->DrawDividerStrip, &DrawDividerStrip);
  EXPECT_EQ(Ui->DrawScrollBar, &DrawScrollBar);
  EXPECT_EQ(Ui->HitTestScrollBar, &HitTestScrollBar);
  EXPECT_EQ(Ui->DrawTile, &DrawTile);
  EXPECT_EQ(Ui->DrawProgressBar, &DrawProgressBar);
  EXPECT_EQ(Ui->DrawDottedRule, &DrawDottedRule);
}
