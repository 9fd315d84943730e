// Lines, rectangles, circles and triangles, each beside a plain store or
// memset of the same pixels ("x_memset"), with the Blt and float-service calls
// of one drawing. The Plain* benchmarks run the per-pixel versions kept with
// the tests, beside the fast drawing of the same shape ("x_fast" = how many
// times slower the per-pixel version is).
#include <cstring>
#include <vector>

#include "bench/bench_util.h"

// The per-pixel versions live with the tests; the benchmark binary does not
// link the tests, so they are compiled in here.
#include "tests/raster_reference.h"

namespace {

constexpr UINT32 kColor1 = 0x00C03010, kColor2 = 0x002080F0;
constexpr int kSide = 256;  // buffer row width and height

// memset of the pixels of W x H at (X, Y) in a buffer of row width RowWidth.
void SetRows(ORVANE_PIXEL *Pixels, int RowWidth, int X, int Y, int W, int H) {
  for (int J = 0; J < H; J++) std::memset(Pixels + (size_t)(Y + J) * RowWidth + X, 0x5A, (size_t)W * 4);
}

// Number of pixels a drawing changes in a cleared buffer: the baseline stores that many.
template <typename Draw>
int PixelsOf(Draw &&Fn) {
  std::vector<ORVANE_PIXEL> B((size_t)kSide * kSide);
  std::memset(B.data(), 0, B.size() * 4);
  Fn(B.data());
  int N = 0;
  for (auto &P : B) N += P.Blue | P.Green | P.Red | P.Reserved ? 1 : 0;
  return N;
}

// ---------------------------------------------------------------- lines

struct LineCase {
  INT32 X1, Y1, X2, Y2;
};
// 0: sloped, 200 x 121; 1: horizontal, 200 pixels; 2: vertical, 200 pixels.
constexpr LineCase kLines[] = {{10, 10, 209, 130}, {10, 100, 209, 100}, {100, 10, 100, 209}};

void BM_Line(benchmark::State &State) {
  BenchDriver D;
  const LineCase L = kLines[State.range(0)];
  const bool Screen = State.range(1) != 0;
  std::vector<ORVANE_PIXEL> Buf((size_t)kSide * kSide);
  ORVANE_PIXEL *Target = Screen ? nullptr : Buf.data();
  ORVANE_PIXEL *Store = Screen ? D.Fw.FrameBuffer() : Buf.data();
  const int Stride = Screen ? (int)D.Fw.Width() : kSide;
  const int N = PixelsOf([&](ORVANE_PIXEL *B) { D.Ui->DrawLine(B, kSide, kSide, L.X1, L.Y1, L.X2, L.Y2, 1, kColor1); });
  RunWithBaseline(
      State, [&] { D.Ui->DrawLine(Target, kSide, kSide, L.X1, L.Y1, L.X2, L.Y2, 1, kColor1); },
      [&] { SetRows(Store, Stride, 10, 10, N, 1); }, "memset");
}
BENCHMARK(BM_Line)->ArgsProduct({{0, 1, 2}, {0, 1}})->ArgNames({"case", "screen"});

void BM_PlainLine(benchmark::State &State) {
  BenchDriver D;
  const LineCase L = kLines[State.range(0)];
  const bool Screen = State.range(1) != 0;
  std::vector<ORVANE_PIXEL> Buf((size_t)kSide * kSide);
  ORVANE_PIXEL *Target = Screen ? nullptr : Buf.data();
  RunWithBaseline(
      State, [&] { ref::DrawLine(Target, kSide, kSide, L.X1, L.Y1, L.X2, L.Y2, 1, kColor1); },
      [&] { D.Ui->DrawLine(Target, kSide, kSide, L.X1, L.Y1, L.X2, L.Y2, 1, kColor1); }, "fast");
}
BENCHMARK(BM_PlainLine)->ArgsProduct({{0, 1, 2}, {0, 1}})->ArgNames({"case", "screen"});

// ---------------------------------------------------------------- rectangles

void BM_Rectangle(benchmark::State &State) {
  BenchDriver D;
  const INT32 Fill = (INT32)State.range(0);
  const bool Screen = State.range(1) != 0;
  std::vector<ORVANE_PIXEL> Buf((size_t)kSide * kSide);
  ORVANE_PIXEL *Target = Screen ? nullptr : Buf.data();
  ORVANE_PIXEL *Store = Screen ? D.Fw.FrameBuffer() : Buf.data();
  const int Stride = Screen ? (int)D.Fw.Width() : kSide;
  RunWithBaseline(
      State, [&] { D.Ui->DrawRectangle(Target, kSide, kSide, 20, 20, 200, 200, 1, Fill, kColor1, kColor2); },
      [&] { SetRows(Store, Stride, 20, 20, 200, 200); }, "memset");
}
BENCHMARK(BM_Rectangle)->ArgsProduct({{0, 1, 2, 3, 4, 5, 6}, {0, 1}})->ArgNames({"style", "screen"});

void BM_PlainRectangle(benchmark::State &State) {
  BenchDriver D;
  const INT32 Fill = (INT32)State.range(0);
  const bool Screen = State.range(1) != 0;
  std::vector<ORVANE_PIXEL> Buf((size_t)kSide * kSide);
  ORVANE_PIXEL *Target = Screen ? nullptr : Buf.data();
  RunWithBaseline(
      State, [&] { ref::DrawRectangle(Target, kSide, kSide, 20, 20, 200, 200, 1, Fill, kColor1, kColor2); },
      [&] { D.Ui->DrawRectangle(Target, kSide, kSide, 20, 20, 200, 200, 1, Fill, kColor1, kColor2); }, "fast");
}
BENCHMARK(BM_PlainRectangle)->ArgsProduct({{0, 1, 2, 6}, {0, 1}})->ArgNames({"style", "screen"});

// ---------------------------------------------------------------- circles

void BM_Circle(benchmark::State &State) {
  BenchDriver D;
  const INT32 Fill = (INT32)State.range(0);
  const bool Screen = State.range(1) != 0;
  std::vector<ORVANE_PIXEL> Buf((size_t)kSide * kSide);
  ORVANE_PIXEL *Target = Screen ? nullptr : Buf.data();
  ORVANE_PIXEL *Store = Screen ? D.Fw.FrameBuffer() : Buf.data();
  const int Stride = Screen ? (int)D.Fw.Width() : kSide;
  RunWithBaseline(
      State, [&] { D.Ui->DrawCircle(Target, kSide, kSide, 120, 120, 100, 2, Fill, kColor1, kColor2); },
      [&] { SetRows(Store, Stride, 20, 20, 201, 201); }, "memset");
}
BENCHMARK(BM_Circle)->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->ArgNames({"style", "screen"});

void BM_PlainCircle(benchmark::State &State) {
  BenchDriver D;
  const INT32 Fill = (INT32)State.range(0);
  const bool Screen = State.range(1) != 0;
  std::vector<ORVANE_PIXEL> Buf((size_t)kSide * kSide);
  ORVANE_PIXEL *Target = Screen ? nullptr : Buf.data();
  RunWithBaseline(
      State, [&] { ref::DrawCircle(Target, kSide, kSide, 120, 120, 100, 2, Fill, kColor1, kColor2); },
      [&] { D.Ui->DrawCircle(Target, kSide, kSide, 120, 120, 100, 2, Fill, kColor1, kColor2); }, "fast");
}
BENCHMARK(BM_PlainCircle)->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->ArgNames({"style", "screen"});

// ---------------------------------------------------------------- triangles

// Corners spanning a 200 x 200 box.
constexpr UINT32 kTri[6] = {20, 20, 219, 70, 90, 219};

void BM_Triangle(benchmark::State &State) {
  BenchDriver D;
  const INT32 Fill = (INT32)State.range(0);
  const bool Screen = State.range(1) != 0;
  std::vector<ORVANE_PIXEL> Buf((size_t)kSide * kSide);
  ORVANE_PIXEL *Target = Screen ? nullptr : Buf.data();
  ORVANE_PIXEL *Store = Screen ? D.Fw.FrameBuffer() : Buf.data();
  const int Stride = Screen ? (int)D.Fw.Width() : kSide;
  const int N = PixelsOf([&](ORVANE_PIXEL *B) {
    D.Ui->DrawTriangle(B, kSide, kSide, kTri[0], kTri[1], kTri[2], kTri[3], kTri[4], kTri[5], 1, 1, kColor1, kColor2);
  });
  RunWithBaseline(
      State,
      [&] { D.Ui->DrawTriangle(Target, kSide, kSide, kTri[0], kTri[1], kTri[2], kTri[3], kTri[4], kTri[5], 1, Fill, kColor1, kColor2); },
      [&] { SetRows(Store, Stride, 20, 20, N / 200, 200); }, "memset");
}
BENCHMARK(BM_Triangle)->ArgsProduct({{0, 1, 2, 3, 6}, {0, 1}})->ArgNames({"style", "screen"});

void BM_PlainTriangle(benchmark::State &State) {
  BenchDriver D;
  const INT32 Fill = (INT32)State.range(0);
  const bool Screen = State.range(1) != 0;
  std::vector<ORVANE_PIXEL> Buf((size_t)kSide * kSide);
  ORVANE_PIXEL *Target = Screen ? nullptr : Buf.data();
  RunWithBaseline(
      State,
      [&] { ref::DrawTriangle(Target, kSide, kSide, kTri[0], kTri[1], kTri[2], kTri[3], kTri[4], kTri[5], 1, Fill, kColor1, kColor2); },
      [&] { D.Ui->DrawTriangle(Target, kSide, kSide, kTri[0], kTri[1], kTri[2], kTri[3], kTri[4], kTri[5], 1, Fill, kColor1, kColor2); },
      "fast");
}
BENCHMARK(BM_PlainTriangle)->ArgsProduct({{1, 2, 6}, {0, 1}})->ArgNames({"style", "screen"})->Iterations(20);

}  // namespace
