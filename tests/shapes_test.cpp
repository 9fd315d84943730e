// Rectangles, triangles and circles: the fast drawing against the plain
// per-pixel version on random shapes, the documented fill facts, gradients,
// degenerate and off-target shapes, the screen rectangle's buffer, and costs.
#include <chrono>
#include <climits>
#include <cstdio>
#include <functional>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "raster/shapes.h"
#include "tests/fixture.h"
#include "tests/raster_reference.h"

using rastertest::Canvas;
using rastertest::FirstDifference;
using rastertest::RandomColor;

namespace {

using RectTest = DriverTest;
using TriangleTest = DriverTest;
using CircleTest = DriverTest;
using GeometryTest = DriverTest;

struct Cost {
  uint64_t Float, Blt;
  double Ms;
};

Cost Measure(const std::function<void()> &Draw) {
  sim::ResetStats();
  auto Start = std::chrono::steady_clock::now();
  Draw();
  double Ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
  return {sim::Stats().FloatCalls, sim::Stats().BltCalls, Ms};
}

void Report(const char *What, const Cost &Plain, const Cost &Fast) {
  std::printf(
      "%-34s plain: %9llu float %7llu Blt %8.2f ms | fast: %7llu float %5llu Blt %7.3f ms\n", What,
      (unsigned long long)Plain.Float, (unsigned long long)Plain.Blt, Plain.Ms,
      (unsigned long long)Fast.Float, (unsigned long long)Fast.Blt, Fast.Ms);
}

}  // namespace

// ---------------------------------------------------------------- rectangles

TEST_F(RectTest, SolidFillInsideOutlineOnTheBorder) {
  Canvas C(6, 5, 0);
  EXPECT_EQ(Ui->DrawRectangle(C.Pixels(), 6, 5, 1, 1, 4, 3, 1, 1, 0x00AA0000, 0x000000BB), 0u);
  int Inner = 0, Border = 0;
  for (int Y = 0; Y < 5; Y++) {
    for (int X = 0; X < 6; X++) {
      bool InRect = X >= 1 && X <= 4 && Y >= 1 && Y <= 3;
      bool Edge = InRect && (X == 1 || X == 4 || Y == 1 || Y == 3);
      uint32_t Want = !InRect ? 0u : Edge ? 0x00AA0000u : 0x000000BBu;
      EXPECT_EQ(C.At(X, Y), Want) << X << "," << Y;
      Inner += InRect && !Edge;
      Border += Edge;
    }
  }
  EXPECT_EQ(Inner, 2);
  EXPECT_EQ(Border, 10);
}

TEST_F(RectTest, ColumnGradientStepsPerColumnAndOutlinesOneStepPast) {
  // 0 to 10 over 10 columns: one unit a column; the reserved byte stays.
  Canvas C(10, 5, 0);
  Ui->DrawRectangle(C.Pixels(), 10, 5, 0, 0, 10, 5, 1, 2, 0x7F000000, 0x000A0A0A);
  for (int X = 1; X < 9; X++)
    for (int Y = 1; Y < 4; Y++) EXPECT_EQ(C.At(X, Y), 0x7F000000u + 0x010101u * X) << X << "," << Y;
  for (int X = 0; X < 10; X++) {
    EXPECT_EQ(C.At(X, 0), 0x7F0A0A0Au);
    EXPECT_EQ(C.At(X, 4), 0x7F0A0A0Au);
  }
  EXPECT_EQ(C.At(0, 2), 0x7F0A0A0Au);
}

TEST_F(RectTest, RowGradientWithoutOutline) {
  Canvas C(6, 10, 0);
  Ui->DrawRectangle(C.Pixels(), 6, 10, 0, 0, 6, 10, 3, 5, 0x00000014, 0x0000000A);
  for (int Y = 0; Y < 10; Y++)
    for (int X = 0; X < 6; X++) EXPECT_EQ(C.At(X, Y), 0x14u - (uint32_t)Y) << X << "," << Y;
}

TEST_F(RectTest, ColumnGradientStyleFourHasNoOutline) {
  Canvas C(10, 4, 0x00FFFFFF);
  Ui->DrawRectangle(C.Pixels(), 10, 4, 0, 0, 10, 4, 5, 4, 0x00000000, 0x000A0A0A);
  for (int X = 0; X < 10; X++)
    for (int Y = 0; Y < 4; Y++) EXPECT_EQ(C.At(X, Y), 0x010101u * X);
  EXPECT_EQ(C.CountColor(0x000A0A0A), 0u);
}

TEST_F(RectTest, DottedFillStartsAtTheCornerEverySecondPixel) {
  Canvas C(8, 7, 0);
  Ui->DrawRectangle(C.Pixels(), 8, 7, 0, 0, 4, 7, 1, 6, 0x00FF0000, 0x000000FF);
  EXPECT_EQ(C.At(2, 2), 0x000000FFu);
  EXPECT_EQ(C.At(2, 4), 0x000000FFu);
  EXPECT_EQ(C.At(1, 2), 0u);
  EXPECT_EQ(C.At(2, 1), 0u);
  EXPECT_EQ(C.At(2, 3), 0u);
  for (int Y = 0; Y < 7; Y++)
    for (int X = 4; X < 8; X++) EXPECT_EQ(C.At(X, Y), 0u) << "column " << X;
}

// The outline loops still run over the side that has a length: a rectangle 0
// wide stamps column x and column x - 1 over its height.
TEST_F(RectTest, DegenerateRectanglesFollowTheOutlineLoops) {
  for (INT32 Fill : {0, 1, 6}) {
    Canvas C(40, 30, 0);
    Ui->DrawRectangle(C.Pixels(), 40, 30, 20, 10, 0, 6, 1, Fill, 0x00FFFFFF, 0x00ABCDEF);
    EXPECT_EQ(C.CountColor(0x00FFFFFF), 12u) << "style " << Fill;
    for (int Y = 10; Y <= 15; Y++) {
      EXPECT_EQ(C.At(19, Y), 0x00FFFFFFu);
      EXPECT_EQ(C.At(20, Y), 0x00FFFFFFu);
    }
    // The same on the screen when only the outline is stamped; a filled style's
    // buffer has no pixel, so nothing is shown and nothing allocated.
    Fw.FillScreen(0);
    const uint64_t Allocations = Fw.TotalAllocations();
    Ui->DrawRectangle(nullptr, 0, 0, 20, 10, 0, 6, 1, Fill, 0x00FFFFFF, 0x00ABCDEF);
    EXPECT_EQ(Fw.Pixel(19, 12), Fill == 0 ? 0x00FFFFFFu : 0u) << "style " << Fill;
    EXPECT_EQ(Fw.TotalAllocations(), Allocations);
  }
  // Negative, far-off and two-sided degenerate sizes, near the buffer's edges.
  const INT32 Sizes[][2] = {{-3, 4}, {4, -3}, {0, 0}, {-2, -2}, {INT_MIN, 2}, {2, INT_MIN}};
  for (auto &S : Sizes) {
    for (INT32 Fill = -1; Fill <= 7; Fill++) {
      Canvas Fast(20, 20, 0), Plain(20, 20, 0);
      Ui->DrawRectangle(Fast.Pixels(), 20, 20, 1, 18, S[0], S[1], 5, Fill, 0x00FFFFFF, 0x0000FF00);
      ref::DrawRectangle(Plain.Pixels(), 20, 20, 1, 18, S[0], S[1], 5, Fill, 0x00FFFFFF,
                         0x0000FF00);
      EXPECT_EQ(Fast.Image(), Plain.Image()) << S[0] << "x" << S[1] << " style " << Fill;
      EXPECT_TRUE(Fast.GuardsIntact());
    }
  }
}

// Every filled style is one transfer of one buffer, solid included.
TEST_F(RectTest, OnScreenAFilledRectangleIsOneTransfer) {
  for (INT32 Fill = 1; Fill <= 6; Fill++) {
    Fw.FillScreen(0x00445566);
    sim::ResetStats();
    EXPECT_EQ(Ui->DrawRectangle(nullptr, 0, 0, 100, 80, 60, 40, 5, Fill, 0x00FF0000, 0x0000FF00),
              0u);
    EXPECT_EQ(sim::Stats().BltCalls, 1u) << "style " << Fill;
    EXPECT_EQ(sim::Stats().BltByOperation[EfiBltBufferToVideo], 1u);
    // A large pen's stamps stop at the rectangle's edge.
    for (int Y = 76; Y < 124; Y++) {
      for (int X = 96; X < 164; X++) {
        bool In = X >= 100 && X < 160 && Y >= 80 && Y < 120;
        if (!In) {
          EXPECT_EQ(Fw.Pixel(X, Y), 0x00445566u) << X << "," << Y << " style " << Fill;
        }
      }
    }
    EXPECT_EQ(Fw.LiveAllocations(), 0u);
  }
}

TEST_F(RectTest, OnScreenMatchesTheSameRectangleInABuffer) {
  for (INT32 Fill = 1; Fill <= 5; Fill++) {
    Canvas C(60, 40, 0);
    Ui->DrawRectangle(C.Pixels(), 60, 40, 0, 0, 60, 40, 4, Fill, 0x12345678, 0x00FEDCBA);
    Fw.FillScreen(0);
    Ui->DrawRectangle(nullptr, 0, 0, 300, 200, 60, 40, 4, Fill, 0x12345678, 0x00FEDCBA);
    EXPECT_EQ(ScreenRect(300, 200, 60, 40), C.Image()) << "style " << Fill;
  }
}

TEST_F(RectTest, OnScreenDotGapsAreBlackAndOtherStylesKeepTheInside) {
  Fw.FillScreen(0x00808080);
  Ui->DrawRectangle(nullptr, 0, 0, 10, 10, 8, 8, 1, 6, 0x00FF0000, 0x0000FF00);
  EXPECT_EQ(Fw.Pixel(12, 12), 0x0000FF00u);
  EXPECT_EQ(Fw.Pixel(13, 12), 0u) << "gap shows black, not stale pool memory";
  EXPECT_EQ(Fw.Pixel(10, 10), 0x00FF0000u);
  for (INT32 Fill : {0, 7, -1, INT_MAX}) {
    Fw.FillScreen(0x00808080);
    sim::ResetStats();
    const uint64_t Allocations = Fw.TotalAllocations();
    Ui->DrawRectangle(nullptr, 0, 0, 10, 10, 8, 8, 1, Fill, 0x00FF0000, 0x0000FF00);
    EXPECT_EQ(Fw.TotalAllocations(), Allocations);
    EXPECT_EQ(Fw.Pixel(13, 13), 0x00808080u) << "style " << Fill;
    EXPECT_EQ(Fw.Pixel(10, 13), 0x00FF0000u);
    EXPECT_EQ(Fw.Pixel(17, 17), 0x00FF0000u);
    EXPECT_EQ(sim::Stats().BltCalls, 4u) << "one fill per side";
  }
  // Only style 0 stamps straight onto the screen; any other style's outline
  // is drawn into the rectangle's own buffer, so a large pen stops at its edge.
  for (INT32 Fill : {0, 7, -1}) {
    Fw.FillScreen(0x00808080);
    Ui->DrawRectangle(nullptr, 0, 0, 10, 10, 8, 8, 5, Fill, 0x00FF0000, 0x0000FF00);
    EXPECT_EQ(Fw.Pixel(9, 13), Fill == 0 ? 0x00FF0000u : 0x00808080u) << "style " << Fill;
    EXPECT_EQ(Fw.Pixel(13, 6), Fill == 0 ? 0x00FF0000u : 0x00808080u) << "style " << Fill;
    EXPECT_EQ(Fw.Pixel(10, 10), 0x00FF0000u);
  }
}

TEST_F(RectTest, OnScreenWithoutMemoryNothingIsDrawn) {
  Fw.FillScreen(0x00112233);
  auto Before = Fw.Snapshot();
  Fw.FailAllocation(0);
  sim::ResetStats();
  EXPECT_EQ(Ui->DrawRectangle(nullptr, 0, 0, 10, 10, 50, 50, 3, 3, 0x00FF0000, 0x0000FF00),
            (UINTN)EFI_OUT_OF_RESOURCES);
  EXPECT_EQ(sim::Stats().BltCalls, 0u);
  EXPECT_EQ(Fw.Snapshot(), Before);
  // The solid style needs no memory: it falls back to fills, the same pixels.
  for (INT32 X : {10, -3}) {
    auto Plain = OnScreen(0x00112233, [&] {
      ref::DrawRectangle(nullptr, 0, 0, X, 10, 50, 50, 5, 1, 0x00FF0000, 0x0000FF00);
    });
    auto Fast = OnScreen(0x00112233, [&] {
      Fw.FailAllocation(0);
      sim::ResetStats();
      EXPECT_EQ(Ui->DrawRectangle(nullptr, 0, 0, X, 10, 50, 50, 5, 1, 0x00FF0000, 0x0000FF00), 0u);
      Fw.FailAllocation(-1);
    });
    EXPECT_EQ(sim::Stats().BltByOperation[EfiBltBufferToVideo], 0u);
    EXPECT_EQ(Fast, Plain) << FirstDifference(Fast, Plain, (int)Fw.Width());
  }
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
}

TEST_F(RectTest, OnScreenOnlyTheVisiblePartIsBuffered) {
  // Entirely off the screen: no buffer is asked for.
  uint64_t Allocations = Fw.TotalAllocations();
  Ui->DrawRectangle(nullptr, 0, 0, -500, 10, 100, 100, 1, 1, 0x00FF0000, 0x0000FF00);
  Ui->DrawRectangle(nullptr, 0, 0, 10, (INT32)Fw.Height(), 100, 100, 1, 1, 0x00FF0000, 0x0000FF00);
  EXPECT_EQ(Fw.TotalAllocations(), Allocations);
  // Far larger than any pool could hold, yet drawn: its top-left corner is on screen.
  Fw.FillScreen(0);
  EXPECT_EQ(Ui->DrawRectangle(nullptr, 0, 0, 0, 0, INT_MAX, INT_MAX, 1, 1, 0x00FF0000, 0x0000FF00),
            0u);
  EXPECT_EQ(Fw.Pixel(0, 0), 0x00FF0000u);
  EXPECT_EQ(Fw.Pixel(0, 500), 0x00FF0000u);
  EXPECT_EQ(Fw.Pixel(1, 1), 0x0000FF00u);
  EXPECT_EQ(Fw.Pixel(Fw.Width() - 1, Fw.Height() - 1), 0x0000FF00u)
      << "right and bottom sides are far away";
  // Partly off the left and top edges: the same pixels as the plain version's whole buffer.
  for (INT32 Fill = 1; Fill <= 6; Fill++) {
    auto Fast = OnScreen(0x00223344, [&] {
      Ui->DrawRectangle(nullptr, 0, 0, -37, -21, 90, 60, 5, Fill, 0x00FF0000, 0x0000FF00);
    });
    auto Plain = OnScreen(0x00223344, [&] {
      ref::DrawRectangle(nullptr, 0, 0, -37, -21, 90, 60, 5, Fill, 0x00FF0000, 0x0000FF00);
    });
    EXPECT_EQ(Fast, Plain) << "style " << Fill;
  }
}

TEST_F(RectTest, MatchesPlainVersionInBuffers) {
  std::mt19937 Rng(31);
  for (int N = 0; N < 400; N++) {
    int W = 1 + Rng() % 70, H = 1 + Rng() % 70;
    INT32 X = (INT32)(Rng() % (W + 30)) - 15, Y = (INT32)(Rng() % (H + 30)) - 15;
    INT32 RW = (INT32)(Rng() % 60) - 2, RH = (INT32)(Rng() % 60) - 2;
    INT32 Pen = Rng() % 7, Fill = (INT32)(Rng() % 9) - 1;
    UINT32 C1 = RandomColor(Rng), C2 = RandomColor(Rng);
    Canvas Fast(W, H), Plain(W, H);
    Ui->DrawRectangle(Fast.Pixels(), W, H, X, Y, RW, RH, Pen, Fill, C1, C2);
    ref::DrawRectangle(Plain.Pixels(), W, H, X, Y, RW, RH, Pen, Fill, C1, C2);
    ASSERT_EQ(Fast.Image(), Plain.Image())
        << FirstDifference(Fast.Image(), Plain.Image(), W) << " rect " << X << "," << Y << " " << RW
        << "x" << RH << " pen " << Pen << " fill " << Fill;
    ASSERT_TRUE(Fast.GuardsIntact());
  }
}

// The solid style stores each pixel once from bands of spans: every pen, with
// stamps reaching past the buffer's edges, sizes down to 0 and below.
TEST_F(RectTest, SolidStyleMatchesPlainVersionWithEveryPen) {
  std::mt19937 Rng(33);
  for (int N = 0; N < 700; N++) {
    const int W = 1 + Rng() % 40, H = 1 + Rng() % 40;
    const INT32 X = (INT32)(Rng() % (W + 20)) - 10, Y = (INT32)(Rng() % (H + 20)) - 10;
    const INT32 RW = (INT32)(Rng() % 30) - 3, RH = (INT32)(Rng() % 30) - 3, Pen = N % 7;
    const UINT32 C1 = RandomColor(Rng), C2 = RandomColor(Rng);
    Canvas Fast(W, H), Plain(W, H);
    Ui->DrawRectangle(Fast.Pixels(), W, H, X, Y, RW, RH, Pen, 1, C1, C2);
    ref::DrawRectangle(Plain.Pixels(), W, H, X, Y, RW, RH, Pen, 1, C1, C2);
    ASSERT_EQ(Fast.Image(), Plain.Image())
        << FirstDifference(Fast.Image(), Plain.Image(), W) << " rect " << X << "," << Y << " " << RW
        << "x" << RH << " pen " << Pen;
    ASSERT_TRUE(Fast.GuardsIntact());
  }
}

TEST_F(RectTest, MatchesPlainVersionOnScreen) {
  std::mt19937 Rng(32);
  const int SW = (int)Fw.Width(), SH = (int)Fw.Height();
  for (int N = 0; N < 80; N++) {
    INT32 X = (INT32)(Rng() % (SW + 200)) - 100, Y = (INT32)(Rng() % (SH + 200)) - 100;
    INT32 RW = 1 + Rng() % 150, RH = 1 + Rng() % 150;
    INT32 Pen = Rng() % 7, Fill = (INT32)(Rng() % 9) - 1;
    UINT32 C1 = RandomColor(Rng), C2 = RandomColor(Rng);
    auto Fast = OnScreen(
        0x00303030, [&] { Ui->DrawRectangle(nullptr, 0, 0, X, Y, RW, RH, Pen, Fill, C1, C2); });
    auto Plain = OnScreen(
        0x00303030, [&] { ref::DrawRectangle(nullptr, 0, 0, X, Y, RW, RH, Pen, Fill, C1, C2); });
    ASSERT_EQ(Fast, Plain) << FirstDifference(Fast, Plain, SW) << " rect " << X << "," << Y << " "
                           << RW << "x" << RH << " pen " << Pen << " fill " << Fill;
  }
}

TEST_F(RectTest, CostBesideThePlainVersion) {
  for (INT32 Fill : {1, 2, 3, 6}) {
    Canvas Fast(200, 200), Plain(200, 200);
    Cost P = Measure([&] {
      ref::DrawRectangle(Plain.Pixels(), 200, 200, 0, 0, 200, 200, 1, Fill, 0x00102030, 0x00F0E0D0);
    });
    Cost F = Measure([&] {
      Ui->DrawRectangle(Fast.Pixels(), 200, 200, 0, 0, 200, 200, 1, Fill, 0x00102030, 0x00F0E0D0);
    });
    ASSERT_EQ(Fast.Image(), Plain.Image());
    // Gradients step once per column or row either way; nothing else asks the service.
    EXPECT_LE(F.Float, P.Float);
    char Name[64];
    std::snprintf(Name, sizeof Name, "rect 200x200 style %d buffer", Fill);
    Report(Name, P, F);
  }
  Cost P = Measure(
      [&] { ref::DrawRectangle(nullptr, 0, 0, 100, 100, 200, 200, 1, 2, 0x00102030, 0x00F0E0D0); });
  auto Plain = Fw.Snapshot();
  Cost F = Measure(
      [&] { Ui->DrawRectangle(nullptr, 0, 0, 100, 100, 200, 200, 1, 2, 0x00102030, 0x00F0E0D0); });
  EXPECT_EQ(Fw.Snapshot(), Plain);
  EXPECT_EQ(F.Blt, 1u);
  Report("rect 200x200 style 2 screen", P, F);
}

// ---------------------------------------------------------------- triangles

TEST_F(TriangleTest, SmallRightTriangleFillsFifteenPixels) {
  Canvas C(8, 8, 0);
  Ui->DrawTriangle(C.Pixels(), 8, 8, 0, 0, 4, 0, 0, 4, 1, 4, 0x00FFFFFF, 0x00FFFFFF);
  Canvas Solid(8, 8, 0);
  Ui->DrawTriangle(Solid.Pixels(), 8, 8, 0, 0, 4, 0, 0, 4, 1, 1, 0x00FF0000, 0x000000FF);
  for (int Y = 0; Y < 8; Y++) {
    for (int X = 0; X < 8; X++) {
      bool In = X + Y <= 4;
      EXPECT_EQ(C.At(X, Y) != 0, In) << "no-outline gradient " << X << "," << Y;
      bool OnEdge = X == 0 || Y == 0 || X + Y == 4;
      uint32_t Want = !In ? 0u : OnEdge ? 0x00FF0000u : 0x000000FFu;
      EXPECT_EQ(Solid.At(X, Y), Want) << X << "," << Y;
    }
  }
  EXPECT_EQ(Solid.CountColor(0x000000FF), 3u);
  EXPECT_EQ(Solid.CountColor(0x00FF0000), 12u);
}

TEST_F(TriangleTest, GradientOutlineIsOneStepPastAndClamped) {
  // Blue rises 0 -> 200 over 4 steps (50 each): columns 0, 50, ..., 200 and
  // the outline one step further, 250; red falls 255 -> 0 and clamps at 0.
  Canvas C(8, 8, 0);
  Ui->DrawTriangle(C.Pixels(), 8, 8, 0, 0, 4, 0, 0, 4, 1, 2, 0x33FF0000, 0x000000C8);
  EXPECT_EQ(C.At(1, 1), 0x33BF0032u);
  EXPECT_EQ(C.At(2, 1), 0x337F0064u);
  EXPECT_EQ(C.At(0, 0), 0x330000FAu) << "outline: red clamped at 0, blue one step past";
  Canvas D(8, 8, 0);
  Ui->DrawTriangle(D.Pixels(), 8, 8, 0, 0, 4, 0, 0, 4, 1, 2, 0x00000000, 0x000000F0);
  EXPECT_EQ(D.At(4, 0), 0x000000FFu) << "300 clamps to 255";
}

// A triangle whose corners share one column or one row is a segment: all of
// its box is inside, a gradient across the flat direction has a single
// column (or row) in the first colour and leaves the outline in the second.
TEST_F(TriangleTest, DegenerateTrianglesDrawTheirSegment) {
  struct Case {
    UINT32 X1, Y1, X2, Y2, X3, Y3;
    bool Vertical;
  } Cases[] = {{5, 2, 5, 9, 5, 6, true}, {2, 5, 9, 5, 6, 5, false}, {4, 4, 4, 4, 4, 4, true}};
  for (const Case &K : Cases) {
    for (INT32 Fill = -1; Fill <= 7; Fill++) {
      Canvas C(12, 12, 0);
      Ui->DrawTriangle(C.Pixels(), 12, 12, K.X1, K.Y1, K.X2, K.Y2, K.X3, K.Y3, 1, Fill, 0x00AA0000,
                       0x000000BB);
      ASSERT_TRUE(C.GuardsIntact());
      Canvas P(12, 12, 0);
      ref::DrawTriangle(P.Pixels(), 12, 12, K.X1, K.Y1, K.X2, K.Y2, K.X3, K.Y3, 1, Fill, 0x00AA0000,
                        0x000000BB);
      EXPECT_EQ(C.Image(), P.Image()) << "style " << Fill;
      for (int Y = 0; Y < 12; Y++) {
        for (int X = 0; X < 12; X++) {
          INT64 Lo = K.Vertical ? std::min({K.Y1, K.Y2, K.Y3}) : std::min({K.X1, K.X2, K.X3});
          INT64 Hi = K.Vertical ? std::max({K.Y1, K.Y2, K.Y3}) : std::max({K.X1, K.X2, K.X3});
          INT64 Along = K.Vertical ? Y : X, Across = K.Vertical ? X : Y;
          bool On = Across == (INT64)(K.Vertical ? K.X1 : K.Y1) && Along >= Lo && Along <= Hi;
          if (!On) {
            EXPECT_EQ(C.At(X, Y), 0u) << X << "," << Y << " style " << Fill;
            continue;
          }
          uint32_t Got = C.At(X, Y);
          bool FlatGradient =
              (K.Vertical && (Fill == 2 || Fill == 4)) || (!K.Vertical && (Fill == 3 || Fill == 5));
          if (FlatGradient && Fill <= 3) {
            EXPECT_EQ(Got, 0x000000BBu) << "outline in the second colour, style " << Fill;
          } else if (FlatGradient) {
            EXPECT_EQ(Got, 0x00AA0000u) << "single column/row in the first colour, style " << Fill;
          } else if (Fill != 4 && Fill != 5 && !(Fill == 2 || Fill == 3)) {
            EXPECT_EQ(Got, 0x00AA0000u) << "outline over the segment, style " << Fill;
          } else {
            EXPECT_NE(Got, 0u);
          }
        }
      }
    }
  }
}

TEST_F(TriangleTest, CollinearCornersFillOnlyTheLatticePointsOfTheirLine) {
  Canvas C(12, 12, 0);
  Ui->DrawTriangle(C.Pixels(), 12, 12, 0, 0, 6, 3, 2, 1, 1, 4, 0x00FFFFFF, 0x00FFFFFF);
  std::set<std::pair<int, int>> Got;
  for (int Y = 0; Y < 12; Y++)
    for (int X = 0; X < 12; X++)
      if (C.At(X, Y)) Got.insert({X, Y});
  std::set<std::pair<int, int>> Want = {{0, 0}, {2, 1}, {4, 2}, {6, 3}};
  EXPECT_EQ(Got, Want);
  Canvas P(12, 12, 0);
  ref::DrawTriangle(P.Pixels(), 12, 12, 0, 0, 6, 3, 2, 1, 1, 4, 0x00FFFFFF, 0x00FFFFFF);
  EXPECT_EQ(C.Image(), P.Image());
}

TEST_F(TriangleTest, MatchesPlainVersionInBuffers) {
  std::mt19937 Rng(41);
  for (int N = 0; N < 300; N++) {
    int W = 1 + Rng() % 60, H = 1 + Rng() % 60;
    auto Coord = [&](int Size) { return (UINT32)(Rng() % (Size + 20)); };
    UINT32 P[6] = {Coord(W), Coord(H), Coord(W), Coord(H), Coord(W), Coord(H)};
    switch (Rng() % 10) {
      case 0: P[2] = P[4] = P[0]; break;  // one column
      case 1: {                           // three corners on one sloped line
        INT32 Dx = (INT32)(Rng() % 21) - 10, Dy = (INT32)(Rng() % 21) - 10;
        for (int K = 0; K < 3; K++) {
          P[2 * K] = (UINT32)(25 + (INT32)(P[0] % 20) + Dx * K);
          P[2 * K + 1] = (UINT32)(25 + (INT32)(P[1] % 20) + Dy * K);
        }
        break;
      }
      default: break;
    }
    INT32 Pen = Rng() % 7, Fill = (INT32)(Rng() % 9) - 1;
    UINT32 C1 = RandomColor(Rng), C2 = RandomColor(Rng);
    Canvas Fast(W, H), Plain(W, H);
    Ui->DrawTriangle(Fast.Pixels(), W, H, P[0], P[1], P[2], P[3], P[4], P[5], Pen, Fill, C1, C2);
    ref::DrawTriangle(Plain.Pixels(), W, H, P[0], P[1], P[2], P[3], P[4], P[5], Pen, Fill, C1, C2);
    ASSERT_EQ(Fast.Image(), Plain.Image())
        << FirstDifference(Fast.Image(), Plain.Image(), W) << " corners " << P[0] << "," << P[1]
        << " " << P[2] << "," << P[3] << " " << P[4] << "," << P[5] << " pen " << Pen << " fill "
        << Fill;
    ASSERT_TRUE(Fast.GuardsIntact());
  }
}

TEST_F(TriangleTest, MatchesPlainVersionOnScreen) {
  std::mt19937 Rng(42);
  const int SW = (int)Fw.Width(), SH = (int)Fw.Height();
  for (int N = 0; N < 50; N++) {
    UINT32 Ox = Rng() % (SW + 60), Oy = Rng() % (SH + 60);
    UINT32 P[6];
    for (int I = 0; I < 6; I++) {
      INT64 V = (INT64)(I % 2 ? Oy : Ox) - 60 + (INT64)(Rng() % 90);
      P[I] = (UINT32)(V < 0 ? 0 : V);
    }
    INT32 Pen = Rng() % 7, Fill = (INT32)(Rng() % 9) - 1;
    UINT32 C1 = RandomColor(Rng), C2 = RandomColor(Rng);
    auto Fast = OnScreen(0x00102030, [&] {
      Ui->DrawTriangle(nullptr, 0, 0, P[0], P[1], P[2], P[3], P[4], P[5], Pen, Fill, C1, C2);
    });
    auto Plain = OnScreen(0x00102030, [&] {
      ref::DrawTriangle(nullptr, 0, 0, P[0], P[1], P[2], P[3], P[4], P[5], Pen, Fill, C1, C2);
    });
    ASSERT_EQ(Fast, Plain) << FirstDifference(Fast, Plain, SW) << " fill " << Fill << " pen "
                           << Pen;
  }
}

TEST_F(TriangleTest, LargeTrianglesFollowTheServiceRounding) {
  // Areas beyond 2^24 are not exact in single precision: pixels near the
  // sides are decided by the rounded sums, on the same path as the plain version.
  std::mt19937 Rng(43);
  int Disagreements = 0;
  for (int N = 0; N < 12; N++) {
    UINT32 P[6] = {(UINT32)(Rng() % 100), (UINT32)(Rng() % 100), (UINT32)(5000 + Rng() % 3000),
                   (UINT32)(Rng() % 200), (UINT32)(Rng() % 200), (UINT32)(5000 + Rng() % 3000)};
    INT32 Fill = N % 2 ? 4 : 5;  // no outline: the plain line would scan the whole box
    Canvas Fast(100, 100), Plain(100, 100);
    sim::ResetStats();
    Ui->DrawTriangle(Fast.Pixels(), 100, 100, P[0], P[1], P[2], P[3], P[4], P[5], 1, Fill,
                     0x00FF0000, 0x0000FF00);
    uint64_t Visible = (100 - std::min({P[0], P[2], P[4]})) * (100 - std::min({P[1], P[3], P[5]}));
    EXPECT_GE(sim::Stats().FloatByEntry[15], Visible) << "the service decides each visible pixel";
    ref::DrawTriangle(Plain.Pixels(), 100, 100, P[0], P[1], P[2], P[3], P[4], P[5], 1, Fill,
                      0x00FF0000, 0x0000FF00);
    ASSERT_EQ(Fast.Image(), Plain.Image()) << FirstDifference(Fast.Image(), Plain.Image(), 100);
    // How often rounding alone decides: compare with the exact integer test.
    for (int Y = 0; Y < 100; Y++) {
      for (int X = 0; X < 100; X++) {
        auto S = [](INT64 Ax, INT64 Ay, INT64 Bx, INT64 By, INT64 Cx, INT64 Cy) {
          INT64 V = (Bx - Ax) * (Cy - Ay) - (By - Ay) * (Cx - Ax);
          return V < 0 ? -V : V;
        };
        bool Exact = S(P[0], P[1], P[2], P[3], X, Y) + S(P[2], P[3], P[4], P[5], X, Y) +
                         S(P[4], P[5], X, Y, P[0], P[1]) ==
                     S(P[0], P[1], P[2], P[3], P[4], P[5]);
        Disagreements += Exact != (Fast.At(X, Y) != 0x00101010u);
      }
    }
  }
  // The cases are large enough that rounding, not geometry, decides some pixels.
  EXPECT_GT(Disagreements, 0);
  std::printf("large triangles: %d pixels decided differently by rounding\n", Disagreements);
}

TEST_F(TriangleTest, OffTargetTrianglesWriteNothingOutside) {
  const UINT32 Big = 0xFFFFFF00u;
  const UINT32 Cases[][6] = {{0, 0, Big, 0, 0, Big},       {Big, Big, Big - 5, Big, Big, Big - 9},
                             {30, 30, 90, 40, 50, 100},    {0xFFFFFFFD, 5, 3, 5, 3, 9},
                             {5, 0xFFFFFFFE, 9, 3, 12, 6}, {INT_MAX, 0, 0, INT_MAX, 8, 8}};
  for (auto &P : Cases) {
    for (INT32 Fill : {0, 1, 4, 5, 6}) {
      Canvas C(24, 24);
      auto Start = std::chrono::steady_clock::now();
      Ui->DrawTriangle(C.Pixels(), 24, 24, P[0], P[1], P[2], P[3], P[4], P[5], 5, Fill, 0x00FFFFFF,
                       0x00FF00FF);
      EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::seconds(2));
      EXPECT_TRUE(C.GuardsIntact());
    }
  }
}

// Corners far off (anywhere in the unsigned range for the styles whose
// plain version does not walk the whole box: no gradient, no dots) with
// every pen and style: the part reaching a small buffer is the plain version's.
TEST_F(TriangleTest, FarTrianglesMatchThePlainVersion) {
  std::mt19937 Rng(77);
  const int W = 48, H = 36;
  for (int N = 0; N < 160; N++) {
    const INT32 Pen = N % 7, Fill = (INT32)(Rng() % 9) - 1;
    const bool Walks = Fill >= 2 && Fill <= 6;
    auto Coord = [&](int Size) -> UINT32 {
      switch (Rng() % 3) {
        case 0: return Rng() % (Size + 10);
        case 1: return Walks ? Rng() % (1u << 18) : Rng();
        default: return Walks ? (UINT32)(Size / 2) + Rng() % 4000 : 0xFFFFFFFFu - Rng() % 5000;
      }
    };
    const UINT32 P[6] = {Coord(W), Coord(H), Coord(W), Coord(H), Coord(W), Coord(H)};
    const UINT32 C1 = RandomColor(Rng), C2 = RandomColor(Rng);
    Canvas Fast(W, H), Plain(W, H);
    Ui->DrawTriangle(Fast.Pixels(), W, H, P[0], P[1], P[2], P[3], P[4], P[5], Pen, Fill, C1, C2);
    ref::DrawTriangle(Plain.Pixels(), W, H, P[0], P[1], P[2], P[3], P[4], P[5], Pen, Fill, C1, C2);
    ASSERT_EQ(Fast.Image(), Plain.Image())
        << FirstDifference(Fast.Image(), Plain.Image(), W) << " corners " << P[0] << "," << P[1]
        << " " << P[2] << "," << P[3] << " " << P[4] << "," << P[5] << " pen " << Pen << " fill "
        << Fill;
    ASSERT_TRUE(Fast.GuardsIntact());
  }
}

TEST_F(TriangleTest, CostBesideThePlainVersion) {
  for (INT32 Fill : {1, 2, 6}) {
    Canvas Fast(220, 220), Plain(220, 220);
    Cost P = Measure([&] {
      ref::DrawTriangle(Plain.Pixels(), 220, 220, 10, 10, 209, 60, 80, 209, 1, Fill, 0x00FF0000,
                        0x000000FF);
    });
    Cost F = Measure([&] {
      Ui->DrawTriangle(Fast.Pixels(), 220, 220, 10, 10, 209, 60, 80, 209, 1, Fill, 0x00FF0000,
                       0x000000FF);
    });
    ASSERT_EQ(Fast.Image(), Plain.Image());
    EXPECT_LT(F.Float * 100, P.Float);
    char Name[64];
    std::snprintf(Name, sizeof Name, "triangle 200 box style %d buffer", Fill);
    Report(Name, P, F);
  }
  Cost P = Measure([&] {
    ref::DrawTriangle(nullptr, 0, 0, 110, 110, 309, 160, 180, 309, 1, 1, 0x00FF0000, 0x000000FF);
  });
  auto Plain = Fw.Snapshot();
  Fw.FillScreen(0);
  Cost F = Measure([&] {
    Ui->DrawTriangle(nullptr, 0, 0, 110, 110, 309, 160, 180, 309, 1, 1, 0x00FF0000, 0x000000FF);
  });
  EXPECT_EQ(Fw.Snapshot(), Plain);
  // One run per row of the fill, then the three sides.
  EXPECT_LT(F.Blt * 20, P.Blt);
  Report("triangle 200 box style 1 screen", P, F);
}

// ---------------------------------------------------------------- circles

TEST_F(CircleTest, RadiusZeroSetsOnlyTheCentre) {
  for (INT32 Fill : {0, 1, 2, 3}) {
    Canvas C(9, 9, 0);
    Ui->DrawCircle(C.Pixels(), 9, 9, 4, 4, 0, 0, Fill, 0x00ABCDEF, 0x00123456);
    EXPECT_EQ(C.CountColor(0), 80u) << "style " << Fill;
    EXPECT_NE(C.At(4, 4), 0u);
  }
  Fw.FillScreen(0);
  Ui->DrawCircle(nullptr, 0, 0, 4, 4, 0, 0, 1, 0x00ABCDEF, 0x00123456);
  EXPECT_EQ(Fw.Pixel(4, 4), 0x00ABCDEFu);
  EXPECT_EQ(Fw.Pixel(5, 4), 0u);
}

TEST_F(CircleTest, RadialGradientRunsRimToCentreAndClampsItsOutline) {
  // Blue 0 -> 250 over r = 5 rings: 50 a ring; the outline, one step past,
  // is 300 clamped to 255; green 255 -> 0 clamps at 0; reserved byte stays.
  Canvas C(11, 11, 0);
  Ui->DrawCircle(C.Pixels(), 11, 11, 5, 5, 5, 0, 2, 0x5A00FF00, 0x000000FA);
  EXPECT_EQ(C.At(5, 5), 0x5A0000FAu) << "ring 5, the centre";
  EXPECT_EQ(C.At(5, 0), 0x5A0000FFu) << "outline";
  EXPECT_EQ(C.At(5, 1), 0x5A00CC32u) << "ring 1";
  EXPECT_EQ(C.At(0, 0), 0u) << "outside every ring";
}

TEST_F(CircleTest, MatchesPlainVersionInBuffers) {
  std::mt19937 Rng(51);
  for (int N = 0; N < 300; N++) {
    int W = 1 + Rng() % 80, H = 1 + Rng() % 80;
    INT32 Cx = (INT32)(Rng() % (W + 40)) - 20, Cy = (INT32)(Rng() % (H + 40)) - 20;
    INT32 R = (INT32)(Rng() % 45) - 1, T = (INT32)(Rng() % (2 * 45 + 6)) - 2;
    if (Rng() % 3 == 0) T = Rng() % 4;
    INT32 Fill = (INT32)(Rng() % 9) - 1;
    UINT32 C1 = RandomColor(Rng), C2 = RandomColor(Rng);
    Canvas Fast(W, H), Plain(W, H);
    Ui->DrawCircle(Fast.Pixels(), W, H, Cx, Cy, R, T, Fill, C1, C2);
    ref::DrawCircle(Plain.Pixels(), W, H, Cx, Cy, R, T, Fill, C1, C2);
    ASSERT_EQ(Fast.Image(), Plain.Image())
        << FirstDifference(Fast.Image(), Plain.Image(), W) << " circle " << Cx << "," << Cy << " r "
        << R << " t " << T << " fill " << Fill;
    ASSERT_TRUE(Fast.GuardsIntact());
  }
}

TEST_F(CircleTest, MatchesPlainVersionOnScreen) {
  std::mt19937 Rng(52);
  const int SW = (int)Fw.Width(), SH = (int)Fw.Height();
  for (int N = 0; N < 50; N++) {
    INT32 Cx = (INT32)(Rng() % (SW + 80)) - 40, Cy = (INT32)(Rng() % (SH + 80)) - 40;
    INT32 R = Rng() % 60, T = Rng() % 6;
    INT32 Fill = (INT32)(Rng() % 9) - 1;
    UINT32 C1 = RandomColor(Rng), C2 = RandomColor(Rng);
    auto Fast =
        OnScreen(0x00405060, [&] { Ui->DrawCircle(nullptr, 0, 0, Cx, Cy, R, T, Fill, C1, C2); });
    auto Plain =
        OnScreen(0x00405060, [&] { ref::DrawCircle(nullptr, 0, 0, Cx, Cy, R, T, Fill, C1, C2); });
    ASSERT_EQ(Fast, Plain) << FirstDifference(Fast, Plain, SW) << " r " << R << " fill " << Fill;
  }
}

TEST_F(CircleTest, WideGradientIsPaintedInSeveralPasses) {
  // More rings cross the buffer than are held at once.
  Canvas Fast(1600, 6), Plain(1600, 6);
  Ui->DrawCircle(Fast.Pixels(), 1600, 6, -1, 3, 1700, 30, 2, 0x00FF0000, 0x000000FF);
  ref::DrawCircle(Plain.Pixels(), 1600, 6, -1, 3, 1700, 30, 2, 0x00FF0000, 0x000000FF);
  EXPECT_EQ(Fast.Image(), Plain.Image()) << FirstDifference(Fast.Image(), Plain.Image(), 1600);
  EXPECT_TRUE(Fast.GuardsIntact());
}

// Radial circles are painted a quarter at a time, several hundred columns per
// chunk: radii past a chunk, centres off every side, thin and missing outlines.
TEST_F(CircleTest, RadialGradientMatchesPlainVersionAtLargeRadii) {
  std::mt19937 Rng(53);
  for (int N = 0; N < 30; N++) {
    const int W = 200 + Rng() % 300, H = 1 + Rng() % 12;
    const INT32 R = 200 + Rng() % 200;
    const INT32 Cx = (INT32)(Rng() % (W + 2 * R)) - R, Cy = (INT32)(Rng() % (H + 2 * R)) - R;
    const INT32 T = N % 4 == 0 ? -1 : (INT32)(Rng() % 8);
    const UINT32 C1 = RandomColor(Rng), C2 = RandomColor(Rng);
    Canvas Fast(W, H), Plain(W, H);
    Ui->DrawCircle(Fast.Pixels(), W, H, Cx, Cy, R, T, 2, C1, C2);
    ref::DrawCircle(Plain.Pixels(), W, H, Cx, Cy, R, T, 2, C1, C2);
    ASSERT_EQ(Fast.Image(), Plain.Image())
        << FirstDifference(Fast.Image(), Plain.Image(), W) << " circle " << Cx << "," << Cy << " r "
        << R << " t " << T;
    ASSERT_TRUE(Fast.GuardsIntact());
  }
}

TEST_F(CircleTest, HugeRadiusOnlyCostsTheVisiblePart) {
  Canvas C(40, 40, 0);
  auto Start = std::chrono::steady_clock::now();
  sim::ResetStats();
  Ui->DrawCircle(C.Pixels(), 40, 40, 20, 20, INT_MAX, 3, 1, 0x00FF0000, 0x0000FF00);
  EXPECT_EQ(C.CountColor(0x0000FF00), 1600u) << "the whole buffer is far inside";
  Ui->DrawCircle(C.Pixels(), 40, 40, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 1, 0x00FF0000, 0x000000FF);
  EXPECT_EQ(C.CountColor(0x0000FF00), 1600u) << "its square ends at -1";
  // Thickness reaching the centre: every pixel is on the outline.
  Ui->DrawCircle(C.Pixels(), 40, 40, 20, 20, INT_MAX, INT_MAX, 3, 0x00FF0000, 0x000000FF);
  EXPECT_EQ(C.CountColor(0x00FF0000), 1600u);
  EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::seconds(1));
  EXPECT_EQ(sim::Stats().FloatCalls, 0u);
  EXPECT_TRUE(C.GuardsIntact());
}

TEST_F(CircleTest, CostBesideThePlainVersion) {
  for (INT32 Fill : {1, 2, 3}) {
    Cost P = Measure(
        [&] { ref::DrawCircle(nullptr, 0, 0, 300, 300, 100, 3, Fill, 0x00FF0000, 0x000000FF); });
    auto Plain = Fw.Snapshot();
    Fw.FillScreen(0);
    Cost F = Measure(
        [&] { Ui->DrawCircle(nullptr, 0, 0, 300, 300, 100, 3, Fill, 0x00FF0000, 0x000000FF); });
    EXPECT_EQ(Fw.Snapshot(), Plain);
    EXPECT_LE(F.Float, P.Float);
    EXPECT_LT(F.Blt * (Fill == 3 ? 2 : 10), P.Blt) << "style " << Fill;
    char Name[64];
    std::snprintf(Name, sizeof Name, "circle r=100 style %d screen", Fill);
    Report(Name, P, F);
    Fw.FillScreen(0);
  }
}

// ---------------------------------------------------------------- geometry helpers

TEST_F(GeometryTest, WithinRadiusIncludesTheRimOnly) {
  EXPECT_TRUE(WithinRadius(3, 4, 0, 0, 5));
  EXPECT_TRUE(WithinRadius(-3, -4, 0, 0, 5));
  EXPECT_TRUE(WithinRadius(105, 200, 100, 200, 5));
  EXPECT_FALSE(WithinRadius(106, 200, 100, 200, 5));
  EXPECT_FALSE(WithinRadius(100, 194, 100, 200, 5));
  EXPECT_TRUE(WithinRadius(100, 200, 100, 200, 0));
  EXPECT_FALSE(WithinRadius(101, 200, 100, 200, 0));
}

TEST_F(GeometryTest, TriangleAreaIsPositiveHalfTheCrossProduct) {
  auto Bits = [](float F) { return __builtin_bit_cast(FLOAT32_BITS, F); };
  EXPECT_EQ(TriangleArea(0, 0, 4, 0, 0, 4), Bits(8.0f));
  EXPECT_EQ(TriangleArea(0, 0, 0, 4, 4, 0), Bits(8.0f));
  EXPECT_EQ(TriangleArea(0, 0, 1, 0, 0, 1), Bits(0.5f));
  EXPECT_EQ(TriangleArea(-3, 2, 7, -1, 1, 9), Bits(41.0f));
  EXPECT_EQ(TriangleArea(1, 1, 2, 2, 5, 5), Bits(0.0f));
  std::mt19937 Rng(61);
  for (int N = 0; N < 200; N++) {
    INT32 V[6];
    for (INT32 &X : V) X = (INT32)(Rng() % 4000) - 2000;
    EXPECT_EQ(TriangleArea(V[0], V[1], V[2], V[3], V[4], V[5]),
              ref::TriangleArea(V[0], V[1], V[2], V[3], V[4], V[5]));
  }
}
