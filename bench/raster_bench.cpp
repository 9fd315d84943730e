// Lines, rectangles, circles and triangles, each beside a memset of the same
// pixels ("x_memset"), with the Blt and float-service calls of one drawing.
// The Plain* benchmarks run the per-pixel versions kept with the tests beside
// the fast drawing of the same shape ("x_fast" = how many times slower the
// per-pixel version is).
#include <cstring>
#include <vector>

#include "bench/bench_util.h"
#include "tests/raster_reference.h"

namespace {

constexpr UINT32 kColor1 = 0x00C03010, kColor2 = 0x002080F0;
constexpr int kSide = 256;  // buffer row width and height

// memset of the pixels of W x H at (X, Y) in a buffer of row width RowWidth.
void SetRows(ORVANE_PIXEL *Pixels, int RowWidth, int X, int Y, int W, int H) {
  for (int J = 0; J < H; J++)
    std::memset(Pixels + (size_t)(Y + J) * RowWidth + X, 0x5A, (size_t)W * 4);
}

// Where a benchmark draws: a kSide x kSide buffer, or the screen when the
// benchmark's second argument is 1.
struct Canvas {
  BenchDriver D;
  std::vector<ORVANE_PIXEL> Buf;
  ORVANE_PIXEL *Target, *Store;
  int Stride;
  explicit Canvas(const benchmark::State &State)
      : Buf((size_t)kSide * kSide),
        Target(State.range(1) ? nullptr : Buf.data()),
        Store(State.range(1) ? D.Fw.FrameBuffer() : Buf.data()),
        Stride(State.range(1) ? (int)D.Fw.Width() : kSide) {}

  // Pixels the toolkit's drawing changes in a cleared buffer: the baseline stores that many.
  template <typename Shape>
  int PixelsOf(Shape &&Draw) {
    std::vector<ORVANE_PIXEL> B((size_t)kSide * kSide);
    std::memset(B.data(), 0, B.size() * 4);
    Draw(B.data());
    int N = 0;
    for (auto &P : B) N += P.Blue | P.Green | P.Red | P.Reserved ? 1 : 0;
    return N;
  }

  // The toolkit's drawing beside memset of W x H pixels at (X, Y).
  template <typename Shape>
  void BesideMemset(benchmark::State &State, Shape &&Draw, int X, int Y, int W, int H) {
    RunWithBaseline(
        State, [&] { Draw(Target); }, [&] { SetRows(Store, Stride, X, Y, W, H); }, "memset");
  }

  // The per-pixel version beside the toolkit's drawing of the same shape.
  template <typename Shape, typename PlainShape>
  void PlainBesideFast(benchmark::State &State, Shape &&Draw, PlainShape &&Plain) {
    RunWithBaseline(
        State, [&] { Plain(Target); }, [&] { Draw(Target); }, "fast");
  }
};

// ---------------------------------------------------------------- lines

struct LineCase {
  INT32 X1, Y1, X2, Y2;
};
// 0: sloped, 200 x 121; 1: horizontal, 200 pixels; 2: vertical, 200 pixels.
constexpr LineCase kLines[] = {{10, 10, 209, 130}, {10, 100, 209, 100}, {100, 10, 100, 209}};

template <typename Op>
auto Line(Op Draw, const LineCase &L) {
  return [=](ORVANE_PIXEL *T) { Draw(T, kSide, kSide, L.X1, L.Y1, L.X2, L.Y2, 1, kColor1); };
}

void BM_Line(benchmark::State &State) {
  Canvas C(State);
  auto Draw = Line(C.D.Ui->DrawLine, kLines[State.range(0)]);
  const int N = C.PixelsOf(Draw);
  RunWithBestBaseline(
      State, [&] { Draw(C.Target); }, [&] { SetRows(C.Store, C.Stride, 10, 10, N, 1); }, "memset");
}
BENCHMARK(BM_Line)->ArgsProduct({{0, 1, 2}, {0, 1}})->ArgNames({"case", "screen"});

void BM_PlainLine(benchmark::State &State) {
  Canvas C(State);
  const LineCase &L = kLines[State.range(0)];
  C.PlainBesideFast(State, Line(C.D.Ui->DrawLine, L), Line(ref::DrawLine, L));
}
BENCHMARK(BM_PlainLine)->ArgsProduct({{0, 1, 2}, {0, 1}})->ArgNames({"case", "screen"});

// ---------------------------------------------------------------- rectangles

// A shape maker takes the drawing operation and the fill style, and gives the
// drawing of one shape into a target.
constexpr auto Rectangle = [](auto Draw, INT32 Fill) {
  return
      [=](ORVANE_PIXEL *T) { Draw(T, kSide, kSide, 20, 20, 200, 200, 1, Fill, kColor1, kColor2); };
};

// The per-pixel version beside the toolkit's operation Fast, for the fill
// style in the benchmark's first argument.
template <typename ShapeFn, typename FastOp, typename PlainOp>
void PlainShape(benchmark::State &State, ShapeFn Shape, FastOp ORVANE_UI_PROTOCOL::*Fast,
                PlainOp Plain) {
  Canvas C(State);
  const INT32 Fill = (INT32)State.range(0);
  C.PlainBesideFast(State, Shape(C.D.Ui->*Fast, Fill), Shape(Plain, Fill));
}

void BM_Rectangle(benchmark::State &State) {
  Canvas C(State);
  auto Draw = Rectangle(C.D.Ui->DrawRectangle, (INT32)State.range(0));
  RunWithBestBaseline(
      State, [&] { Draw(C.Target); }, [&] { SetRows(C.Store, C.Stride, 20, 20, 200, 200); },
      "memset");
}
BENCHMARK(BM_Rectangle)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6}, {0, 1}})
    ->ArgNames({"style", "screen"});

void BM_PlainRectangle(benchmark::State &State) {
  PlainShape(State, Rectangle, &ORVANE_UI_PROTOCOL::DrawRectangle, ref::DrawRectangle);
}
BENCHMARK(BM_PlainRectangle)->ArgsProduct({{0, 1, 2, 6}, {0, 1}})->ArgNames({"style", "screen"});

// ---------------------------------------------------------------- circles

constexpr auto Circle = [](auto Draw, INT32 Fill) {
  return [=](ORVANE_PIXEL *T) { Draw(T, kSide, kSide, 120, 120, 100, 2, Fill, kColor1, kColor2); };
};

void BM_Circle(benchmark::State &State) {
  Canvas C(State);
  C.BesideMemset(State, Circle(C.D.Ui->DrawCircle, (INT32)State.range(0)), 20, 20, 201, 201);
}
BENCHMARK(BM_Circle)->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->ArgNames({"style", "screen"});

void BM_PlainCircle(benchmark::State &State) {
  PlainShape(State, Circle, &ORVANE_UI_PROTOCOL::DrawCircle, ref::DrawCircle);
}
BENCHMARK(BM_PlainCircle)->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->ArgNames({"style", "screen"});

// ---------------------------------------------------------------- triangles

// Corners spanning a 200 x 200 box.
constexpr auto Triangle = [](auto Draw, INT32 Fill) {
  return [=](ORVANE_PIXEL *T) {
    Draw(T, kSide, kSide, 20, 20, 219, 70, 90, 219, 1, Fill, kColor1, kColor2);
  };
};

void BM_Triangle(benchmark::State &State) {
  Canvas C(State);
  const int N = C.PixelsOf(Triangle(C.D.Ui->DrawTriangle, 1));
  auto Draw = Triangle(C.D.Ui->DrawTriangle, (INT32)State.range(0));
  RunWithBestBaseline(
      State, [&] { Draw(C.Target); }, [&] { SetRows(C.Store, C.Stride, 20, 20, N / 200, 200); },
      "memset");
}
BENCHMARK(BM_Triangle)->ArgsProduct({{0, 1, 2, 3, 6}, {0, 1}})->ArgNames({"style", "screen"});

void BM_PlainTriangle(benchmark::State &State) {
  PlainShape(State, Triangle, &ORVANE_UI_PROTOCOL::DrawTriangle, ref::DrawTriangle);
}
BENCHMARK(BM_PlainTriangle)
    ->ArgsProduct({{1, 2, 6}, {0, 1}})
    ->ArgNames({"style", "screen"})
    ->Iterations(20);

}  // namespace
