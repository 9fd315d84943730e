// Lines and regular polygons: the fast drawing against the plain per-pixel
// version, the documented cases, clipping, and what each costs in float-service
// calls and Blt transfers.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "platform/services.h"
#include "raster/line.h"
#include "tests/fixture.h"
#include "tests/raster_reference.h"

using rastertest::Canvas;
using rastertest::FirstDifference;
using rastertest::RandomColor;

namespace {

using LineFn = UINTN (*)(ORVANE_PIXEL *, INT32, INT32, INT32, INT32, INT32, INT32, INT32, UINT32);

struct LineArgs {
  INT32 X1, Y1, X2, Y2, Pen;
  UINT32 Color;
};

// Mostly sloped lines, some axis-parallel ones and points, often crossing the edges.
LineArgs RandomLine(std::mt19937 &Rng, int W, int H, int Span) {
  auto Coord = [&](int Size) { return (INT32)(Rng() % (Size + 2 * Span)) - Span; };
  LineArgs A{Coord(W), Coord(H), Coord(W), Coord(H), (INT32)(Rng() % 7), RandomColor(Rng)};
  switch (Rng() % 8) {
    case 0: A.Y2 = A.Y1; break;
    case 1: A.X2 = A.X1; break;
    case 2:
      A.X2 = A.X1;
      A.Y2 = A.Y1;
      break;
    default: break;
  }
  return A;
}

std::set<std::pair<int, int>> Changed(const Canvas &C, uint32_t Background) {
  std::set<std::pair<int, int>> S;
  for (int Y = 0; Y < C.H; Y++)
    for (int X = 0; X < C.W; X++)
      if (C.At(X, Y) != Background) S.insert({X, Y});
  return S;
}

using LineTest = DriverTest;
using PolygonTest = DriverTest;

}  // namespace

TEST_F(LineTest, PointLineStampsOnePenAtThePoint) {
  for (INT32 Pen : {1, 3}) {
    Canvas C(12, 12, 0);
    Ui->DrawLine(C.Pixels(), 12, 12, 5, 5, 5, 5, Pen, 0x00FF0000);
    auto S = Changed(C, 0);
    std::set<std::pair<int, int>> Want;
    int Half = Pen == 3 ? 1 : 0;
    for (int Y = 5 - Half; Y <= 5 + Half; Y++)
      for (int X = 5 - Half; X <= 5 + Half; X++) Want.insert({X, Y});
    EXPECT_EQ(S, Want) << "pen " << Pen;
  }
}

TEST_F(LineTest, ReversedHorizontalLineSetsNinePixelsOnBothTargets) {
  Canvas C(16, 8, 0);
  Ui->DrawLine(C.Pixels(), 16, 8, 10, 4, 2, 4, 1, 0x0000FF00);
  std::set<std::pair<int, int>> Want;
  for (int X = 2; X <= 10; X++) Want.insert({X, 4});
  EXPECT_EQ(Changed(C, 0), Want);

  sim::ResetStats();
  Ui->DrawLine(nullptr, 0, 0, 10, 4, 2, 4, 1, 0x0000FF00);
  EXPECT_EQ(sim::Stats().BltCalls, 1u) << "one run, one fill";
  for (int Y = 0; Y < 8; Y++)
    for (int X = 0; X < 16; X++)
      EXPECT_EQ(Fw.Pixel(X, Y), (Y == 4 && X >= 2 && X <= 10) ? 0x0000FF00u : 0u) << X << "," << Y;
}

TEST_F(LineTest, TenPointLineWithSquarePenCoversTwelveByThree) {
  Canvas C(40, 40, 0);
  Ui->DrawLine(C.Pixels(), 40, 40, 20, 20, 29, 20, 3, 0x00123456);
  std::set<std::pair<int, int>> Want;
  for (int Y = 19; Y <= 21; Y++)
    for (int X = 19; X <= 30; X++) Want.insert({X, Y});
  EXPECT_EQ(Changed(C, 0), Want);

  Ui->DrawLine(nullptr, 0, 0, 20, 20, 20, 29, 3, 0x00123456);  // vertical on the screen
  size_t Count = 0;
  for (int Y = 0; Y < 40; Y++)
    for (int X = 0; X < 40; X++)
      if (Fw.Pixel(X, Y) == 0x00123456u) {
        Count++;
        EXPECT_TRUE(X >= 19 && X <= 21 && Y >= 19 && Y <= 30) << X << "," << Y;
      }
  EXPECT_EQ(Count, 36u);
}

TEST_F(LineTest, FortyFiveDegreeLineSetsExactlyItsDiagonal) {
  Canvas C(8, 8, 0);
  Ui->DrawLine(C.Pixels(), 8, 8, 0, 0, 3, 3, 1, 0x00FFFFFF);
  std::set<std::pair<int, int>> Want = {{0, 0}, {1, 1}, {2, 2}, {3, 3}};
  EXPECT_EQ(Changed(C, 0), Want);
}

TEST_F(LineTest, SteepLineHasNoVerticalGaps) {
  Canvas C(4, 12, 0);
  Ui->DrawLine(C.Pixels(), 4, 12, 0, 0, 1, 10, 1, 0x00FFFFFF);
  for (int Y = 0; Y <= 10; Y++) {
    EXPECT_TRUE(C.At(0, Y) != 0 || C.At(1, Y) != 0) << "row " << Y;
  }
  EXPECT_EQ(C.At(0, 11) | C.At(1, 11), 0u);
}

TEST_F(LineTest, MatchesPlainVersionInBuffers) {
  std::mt19937 Rng(1234);
  for (int N = 0; N < 500; N++) {
    int W = 1 + Rng() % 90, H = 1 + Rng() % 90;
    LineArgs A = RandomLine(Rng, W, H, 20);
    Canvas Fast(W, H), Plain(W, H);
    EXPECT_EQ(Ui->DrawLine(Fast.Pixels(), W, H, A.X1, A.Y1, A.X2, A.Y2, A.Pen, A.Color), 0u);
    ref::DrawLine(Plain.Pixels(), W, H, A.X1, A.Y1, A.X2, A.Y2, A.Pen, A.Color);
    ASSERT_EQ(Fast.Image(), Plain.Image())
        << FirstDifference(Fast.Image(), Plain.Image(), W) << " line (" << A.X1 << "," << A.Y1
        << ")-(" << A.X2 << "," << A.Y2 << ") pen " << A.Pen << " in " << W << "x" << H;
    ASSERT_TRUE(Fast.GuardsIntact());
  }
}

TEST_F(LineTest, MatchesPlainVersionOnScreen) {
  std::mt19937 Rng(99);
  const int SW = (int)Fw.Width(), SH = (int)Fw.Height();
  for (int N = 0; N < 120; N++) {
    // Short lines anywhere, including across the screen's edges.
    LineArgs A = RandomLine(Rng, 160, 160, 0);
    INT32 Ox = (INT32)(Rng() % (SW + 120)) - 80, Oy = (INT32)(Rng() % (SH + 120)) - 80;
    A.X1 += Ox;
    A.X2 += Ox;
    A.Y1 += Oy;
    A.Y2 += Oy;
    uint32_t Bg = Rng() & 0xFFFFFF;
    auto Fast =
        OnScreen(Bg, [&] { Ui->DrawLine(nullptr, 0, 0, A.X1, A.Y1, A.X2, A.Y2, A.Pen, A.Color); });
    auto Plain =
        OnScreen(Bg, [&] { ref::DrawLine(nullptr, 0, 0, A.X1, A.Y1, A.X2, A.Y2, A.Pen, A.Color); });
    ASSERT_EQ(Fast, Plain) << FirstDifference(Fast, Plain, SW) << " line (" << A.X1 << "," << A.Y1
                           << ")-(" << A.X2 << "," << A.Y2 << ") pen " << A.Pen;
  }
}

TEST_F(LineTest, SlopedLineAsksTheFloatServicePerColumnAndRow) {
  struct Case {
    INT32 X1, Y1, X2, Y2;
  } Cases[] = {{0, 0, 199, 60}, {10, 190, 60, 0}, {0, 0, 199, 199}};
  for (const Case &L : Cases) {
    Canvas Fast(220, 220), Plain(220, 220);
    sim::ResetStats();
    Ui->DrawLine(Fast.Pixels(), 220, 220, L.X1, L.Y1, L.X2, L.Y2, 1, 0x00FF00FF);
    uint64_t FastCalls = sim::Stats().FloatCalls;
    sim::ResetStats();
    ref::DrawLine(Plain.Pixels(), 220, 220, L.X1, L.Y1, L.X2, L.Y2, 1, 0x00FF00FF);
    uint64_t PlainCalls = sim::Stats().FloatCalls;
    ASSERT_EQ(Fast.Image(), Plain.Image());
    int W = std::abs(L.X2 - L.X1) + 1, H = std::abs(L.Y2 - L.Y1) + 1;
    // Four calls per column and per row, plus the slope and intercept.
    EXPECT_LE(FastCalls, 4u * (W + H) + 9u);
    EXPECT_LT(FastCalls * 20, PlainCalls);
    std::printf("line %dx%d: float calls plain %llu, fast %llu\n", W, H,
                (unsigned long long)PlainCalls, (unsigned long long)FastCalls);
  }
}

TEST_F(LineTest, OnScreenEachRunIsOneFill) {
  // Axis-parallel: one fill per pen rectangle for the whole run (a rounded
  // pen is its core and two bars across it).
  const std::pair<INT32, uint64_t> PenFills[] = {{1, 1}, {2, 2}, {3, 1}, {4, 3}, {5, 3}};
  for (auto [Pen, Fills] : PenFills) {
    sim::ResetStats();
    Ui->DrawLine(nullptr, 0, 0, 100, 300, 299, 300, Pen, 0x00FFFFFF);
    EXPECT_EQ(sim::Stats().BltCalls, Fills) << "pen " << Pen;
  }
  // A shallow sloped line: about one fill per step of the staircase, not per pixel.
  sim::ResetStats();
  Ui->DrawLine(nullptr, 0, 0, 100, 100, 299, 119, 1, 0x00FFFFFF);
  uint64_t Fast = sim::Stats().BltCalls;
  sim::ResetStats();
  ref::DrawLine(nullptr, 0, 0, 100, 100, 299, 119, 1, 0x00FFFFFF);
  uint64_t Plain = sim::Stats().BltCalls;
  EXPECT_GE(Plain, 200u);
  EXPECT_LE(Fast, 2u * 20u + 2u);
  std::printf("line 200x20 on screen: Blt plain %llu, fast %llu\n", (unsigned long long)Plain,
              (unsigned long long)Fast);
}

TEST_F(LineTest, StampsAreClippedAtBufferEdges) {
  // Every pen across every edge and corner of a small buffer.
  const INT32 Ends[][4] = {
      {-5, 3, 14, 3}, {3, -5, 3, 14}, {-5, -5, 14, 14}, {14, -5, -5, 14}, {-1, 0, -1, 9},
      {10, 0, 10, 9}, {0, -1, 9, -1}, {0, 10, 9, 10},   {-3, 20, 20, -3}, {-40, -40, -20, -30}};
  for (INT32 Pen = 0; Pen <= 6; Pen++) {
    for (auto &E : Ends) {
      Canvas Fast(10, 10), Plain(10, 10);
      Ui->DrawLine(Fast.Pixels(), 10, 10, E[0], E[1], E[2], E[3], Pen, 0x00ABCDEF);
      ref::DrawLine(Plain.Pixels(), 10, 10, E[0], E[1], E[2], E[3], Pen, 0x00ABCDEF);
      EXPECT_TRUE(Fast.GuardsIntact()) << "pen " << Pen;
      EXPECT_EQ(Fast.Image(), Plain.Image()) << "pen " << Pen << " from " << E[0] << "," << E[1];
    }
  }
}

TEST_F(LineTest, ExtremeCoordinatesOnlyCostTheVisiblePart) {
  Canvas C(64, 32, 0);
  sim::ResetStats();
  Ui->DrawLine(C.Pixels(), 64, 32, INT_MIN + 5, -7, INT_MAX - 5, 9, 5, 0x00FFFFFF);
  EXPECT_LT(sim::Stats().FloatCalls, 2000u);
  EXPECT_TRUE(C.GuardsIntact());
  for (int X = 0; X < 64; X++) {
    bool Any = false;
    for (int Y = 0; Y < 32; Y++) Any |= C.At(X, Y) != 0;
    EXPECT_TRUE(Any) << "column " << X;
  }
  // Axis-parallel runs of the full integer range stay one fill each.
  sim::ResetStats();
  Ui->DrawLine(nullptr, 0, 0, INT_MIN, 10, INT_MAX, 10, 1, 0x00FFFFFF);
  Ui->DrawLine(nullptr, 0, 0, 10, INT_MAX, 10, INT_MIN, 1, 0x00FFFFFF);
  EXPECT_EQ(sim::Stats().BltCalls, 2u);
  EXPECT_EQ(Fw.Pixel(Fw.Width() - 1, 10), 0x00FFFFFFu);
  EXPECT_EQ(Fw.Pixel(10, Fw.Height() - 1), 0x00FFFFFFu);
}

// Lines from far off (up to the whole integer range) crossing a buffer, with
// every pen: only the part near the buffer is drawn, exactly as scanned.
TEST_F(LineTest, FarLinesMatchThePlainVersionWhereTheyCrossTheBuffer) {
  std::mt19937 Rng(515);
  const int W = 150, H = 110;
  for (int N = 0; N < 400; N++) {
    const INT64 Px = (INT64)(Rng() % (W + 20)) - 10, Py = (INT64)(Rng() % (H + 20)) - 10;
    const INT64 Dx = 1 + Rng() % 97, Dy = 1 + Rng() % 89, Sign = Rng() % 2 ? 1 : -1;
    const INT64 Far = 1LL << (4 + Rng() % 27);  // how far along the line each end lies
    auto Clamp = [](INT64 V) {
      return (INT32)std::max<INT64>(INT_MIN, std::min<INT64>(INT_MAX, V));
    };
    const INT64 S1 = 1 + (INT64)(Rng() % (UINT64)Far) / std::max(Dx, Dy),
                S2 = 1 + (INT64)(Rng() % (UINT64)Far) / std::max(Dx, Dy);
    const LineArgs A{Clamp(Px - Dx * S1), Clamp(Py - Sign * Dy * S1),
                     Clamp(Px + Dx * S2), Clamp(Py + Sign * Dy * S2),
                     (INT32)(N % 7),      RandomColor(Rng)};
    if (A.X1 == A.X2 || A.Y1 == A.Y2) continue;
    Canvas Fast(W, H), Plain(W, H);
    Ui->DrawLine(Fast.Pixels(), W, H, A.X1, A.Y1, A.X2, A.Y2, A.Pen, A.Color);
    ref::DrawLine(Plain.Pixels(), W, H, A.X1, A.Y1, A.X2, A.Y2, A.Pen, A.Color);
    ASSERT_EQ(Fast.Image(), Plain.Image())
        << FirstDifference(Fast.Image(), Plain.Image(), W) << " line (" << A.X1 << "," << A.Y1
        << ")-(" << A.X2 << "," << A.Y2 << ") pen " << A.Pen;
    ASSERT_TRUE(Fast.GuardsIntact());
  }
  // Passes longer than the values the first pass keeps for the second.
  for (const LineArgs &A :
       {LineArgs{-30, 2, 2700, 21, 1, 0x00FFFFFF}, LineArgs{2650, -3, 5, 25, 3, 0x00FF00FF},
        LineArgs{-9, 30, 2601, -6, 5, 0x0000FFFF}}) {
    Canvas Fast(2600, 24), Plain(2600, 24);
    Ui->DrawLine(Fast.Pixels(), 2600, 24, A.X1, A.Y1, A.X2, A.Y2, A.Pen, A.Color);
    ref::DrawLine(Plain.Pixels(), 2600, 24, A.X1, A.Y1, A.X2, A.Y2, A.Pen, A.Color);
    ASSERT_EQ(Fast.Image(), Plain.Image()) << FirstDifference(Fast.Image(), Plain.Image(), 2600);
    ASSERT_TRUE(Fast.GuardsIntact());
  }
}

// Each column's and row's value against the float service's own steps, for
// lines of every length and place (lattice points, where the values sit on
// integers, included), for slopes and intercepts of every size, and for
// positions beyond the range the integer form takes.
TEST_F(LineTest, AxisValuesAreTheServiceSteps) {
  std::mt19937 Rng(4242);
  auto Literal = [](bool Columns, FLOAT32_BITS M, FLOAT32_BITS K, INT64 V) {
    const FLOAT32_BITS F = fm::FromInt((INT32)V);
    return Columns ? fm::ToInt(fm::Add(fm::Mul(M, F), K)) : fm::ToInt(fm::Div(fm::Sub(F, K), M));
  };
  auto Check = [&](FLOAT32_BITS M, FLOAT32_BITS K, INT64 From, INT64 To) {
    for (bool Columns : {true, false}) {
      LineAxis Axis(Columns, M, K);
      // A batch in order (each value stepped from the last), one by one on
      // to the end, then from the middle back.
      const INT64 Mid = From + (To - From) / 2;
      std::vector<INT32> Batch((size_t)(Mid - From + 1));
      Axis.Fill(From, Mid - From + 1, Batch.data());
      for (INT64 V = From; V <= To; V++) {
        ASSERT_EQ(V <= Mid ? Batch[(size_t)(V - From)] : Axis.At(V), Literal(Columns, M, K, V))
            << std::hex << "m " << M << " k " << K << std::dec << " at " << V
            << (Columns ? " column" : " row");
      }
      for (INT64 V = Mid; V >= From; V -= 3) {
        ASSERT_EQ(Axis.At(V), Literal(Columns, M, K, V))
            << std::hex << "m " << M << " k " << K << std::dec << " back at " << V;
      }
    }
  };
  const INT64 Spans[] = {8, 100, 2000, 1 << 16, 1 << 23, 1 << 25, 1LL << 31};
  for (int N = 0; N < 3000; N++) {
    const INT64 Span = Spans[N % 7];
    auto Coord = [&] { return (INT32)((INT64)(Rng() % (UINT64)(2 * Span)) - Span); };
    INT32 X1 = Coord(), Y1 = Coord(), X2 = Coord(), Y2 = Coord();
    if (N % 5 == 0) {  // small whole slopes and their inverses: a lattice point every few steps
      const INT32 P = 1 + Rng() % 4, Q = 1 + Rng() % 4, L = 1 + Rng() % 40;
      X2 = X1 + Q * L;
      Y2 = Y1 + (Rng() % 2 ? P : -P) * L;
    }
    if (X1 == X2 || Y1 == Y2) continue;
    const FLOAT32_BITS M = fm::Div(fm::Sub(fm::FromInt(Y1), fm::FromInt(Y2)),
                                   fm::Sub(fm::FromInt(X1), fm::FromInt(X2)));
    const FLOAT32_BITS K = fm::Sub(fm::FromInt(Y1), fm::Mul(M, fm::FromInt(X1)));
    const INT64 Lo = std::min(std::min(X1, X2), std::min(Y1, Y2)),
                Hi = std::max(std::max(X1, X2), std::max(Y1, Y2));
    const INT64 Mid = Lo + (Hi - Lo) / 2;
    Check(M, K, std::max<INT64>(Lo, Mid - 40), std::min<INT64>(Hi, Mid + 40));
    Check(M, K, X1 - 3, X1 + 3);
    Check(M, K, Y2 - 3, Y2 + 3);
  }
  // Arbitrary slopes and intercepts: tiny, huge, zero, subnormal, infinite, NaN.
  for (int N = 0; N < 20000; N++) {
    auto Any = [&]() -> FLOAT32_BITS {
      switch (Rng() % 4) {
        case 0: return Rng();
        case 1: return Rng() % 2 ? 0u : 0x80000000u;
        case 2: return (Rng() & 0x80000000u) | ((100 + Rng() % 56) << 23) | (Rng() & 0x7FFFFF);
        default:
          return fm::Div(fm::FromInt((INT32)(Rng() % 2001) - 1000), fm::FromInt(1 + Rng() % 300));
      }
    };
    const INT64 V = (INT64)(Rng() % (1u << 26)) - (1 << 25);
    Check(Any(), Any(), V, V + 4);
  }
}

TEST_F(PolygonTest, SquareStartsAtTheTopAndTurnsClockwise) {
  FLOAT32_BITS Quarter = 0x42B40000;  // 90.0f
  EXPECT_EQ(RotatePoint(50, 50, 50, 40, Quarter, 0), 60);
  EXPECT_EQ(RotatePoint(50, 50, 50, 40, Quarter, 1), 50);
  Canvas Fast(100, 100, 0), Plain(100, 100, 0), Side(100, 100, 0);
  Ui->DrawRegularPolygon(Fast.Pixels(), 100, 100, 50, 50, 4, 10, 1, 0x00FFFFFF);
  ref::DrawRegularPolygon(Plain.Pixels(), 100, 100, 50, 50, 4, 10, 1, 0x00FFFFFF);
  EXPECT_EQ(Fast.Image(), Plain.Image()) << FirstDifference(Fast.Image(), Plain.Image(), 100);
  // The first side is the line from the top vertex to the right-hand one.
  Ui->DrawLine(Side.Pixels(), 100, 100, 50, 40, 60, 50, 1, 0x00FFFFFF);
  for (int Y = 0; Y < 100; Y++)
    for (int X = 0; X < 100; X++)
      if (Side.At(X, Y)) {
        EXPECT_EQ(Fast.At(X, Y), 0x00FFFFFFu) << X << "," << Y;
      }
  EXPECT_EQ(Fast.At(50, 40), 0x00FFFFFFu);
  EXPECT_EQ(Fast.At(60, 50), 0x00FFFFFFu);
}

TEST_F(PolygonTest, NoSidesDrawNothing) {
  for (INT32 Sides : {0, -1, -4, INT_MIN}) {
    Canvas C(40, 40, 0);
    sim::ResetStats();
    EXPECT_EQ(Ui->DrawRegularPolygon(C.Pixels(), 40, 40, 20, 20, Sides, 10, 3, 0x00FFFFFF), 0u);
    EXPECT_EQ(C.CountColor(0), 40u * 40u) << Sides;
    EXPECT_EQ(sim::Stats().FloatCalls, 0u);
  }
}

TEST_F(PolygonTest, VerticesTurnFromThePreviousIntegerVertex) {
  // Chain RotatePoint on integer vertices: after seven steps the heptagon
  // does not close exactly, and the drawing follows the chain.
  FLOAT32_BITS Step = gFloat->FloatDiv(gFloat->IntToFloat(360), gFloat->IntToFloat(7));
  INT32 X = 60, Y = 60 - 45;
  std::vector<std::pair<INT32, INT32>> Chain = {{X, Y}};
  for (int I = 0; I < 7; I++) {
    INT32 NX = RotatePoint(60, 60, X, Y, Step, 0), NY = RotatePoint(60, 60, X, Y, Step, 1);
    X = NX;
    Y = NY;
    Chain.push_back({X, Y});
  }
  EXPECT_NE(Chain.back(), Chain.front()) << "integer vertices should drift";
  Canvas C(120, 120, 0);
  Ui->DrawRegularPolygon(C.Pixels(), 120, 120, 60, 60, 7, 45, 1, 0x00FFFFFF);
  for (auto [VX, VY] : Chain) EXPECT_EQ(C.At(VX, VY), 0x00FFFFFFu) << VX << "," << VY;
}

TEST_F(PolygonTest, MatchesPlainVersionInBuffersAndOnScreen) {
  std::mt19937 Rng(7);
  for (int N = 0; N < 120; N++) {
    int W = 20 + Rng() % 100, H = 20 + Rng() % 100;
    INT32 Cx = (INT32)(Rng() % (W + 40)) - 20, Cy = (INT32)(Rng() % (H + 40)) - 20;
    INT32 Sides = 1 + Rng() % 12, Radius = Rng() % 70, Pen = Rng() % 7;
    UINT32 Color = RandomColor(Rng);
    Canvas Fast(W, H), Plain(W, H);
    Ui->DrawRegularPolygon(Fast.Pixels(), W, H, Cx, Cy, Sides, Radius, Pen, Color);
    ref::DrawRegularPolygon(Plain.Pixels(), W, H, Cx, Cy, Sides, Radius, Pen, Color);
    ASSERT_EQ(Fast.Image(), Plain.Image()) << FirstDifference(Fast.Image(), Plain.Image(), W);
    ASSERT_TRUE(Fast.GuardsIntact());
  }
  for (int N = 0; N < 30; N++) {
    INT32 Cx = (INT32)(Rng() % 1100) - 40, Cy = (INT32)(Rng() % 840) - 40;
    INT32 Sides = 1 + Rng() % 12, Radius = Rng() % 80, Pen = Rng() % 7;
    UINT32 Color = RandomColor(Rng);
    auto Fast = OnScreen(0x00203040, [&] {
      Ui->DrawRegularPolygon(nullptr, 0, 0, Cx, Cy, Sides, Radius, Pen, Color);
    });
    auto Plain = OnScreen(0x00203040, [&] {
      ref::DrawRegularPolygon(nullptr, 0, 0, Cx, Cy, Sides, Radius, Pen, Color);
    });
    ASSERT_EQ(Fast, Plain) << FirstDifference(Fast, Plain, (int)Fw.Width());
  }
}

TEST_F(PolygonTest, CostsFewerCallsThanThePlainVersion) {
  Canvas Fast(200, 200), Plain(200, 200);
  sim::ResetStats();
  Ui->DrawRegularPolygon(Fast.Pixels(), 200, 200, 100, 100, 6, 90, 1, 0x00FFFFFF);
  uint64_t FastCalls = sim::Stats().FloatCalls;
  sim::ResetStats();
  ref::DrawRegularPolygon(Plain.Pixels(), 200, 200, 100, 100, 6, 90, 1, 0x00FFFFFF);
  uint64_t PlainCalls = sim::Stats().FloatCalls;
  EXPECT_EQ(Fast.Image(), Plain.Image());
  EXPECT_LT(FastCalls * 20, PlainCalls);
  std::printf("hexagon r=90: float calls plain %llu, fast %llu\n", (unsigned long long)PlainCalls,
              (unsigned long long)FastCalls);
}
