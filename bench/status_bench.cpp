// The status controls: each full paint beside a memcpy of its own area,
// measured in the same run. Text-carrying controls also report the ratio
// without the font service's share (the same texts rendered alone).
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "controls/status/divider.h"
#include "controls/status/gauge_panel.h"
#include "controls/status/message_box.h"
#include "raster/image_copy.h"
#include "raster/line.h"
#include "raster/pen.h"
#include "raster/shapes.h"
#include "raster/target.h"
#include "text/text.h"
#include "controls/status/progress_bar.h"
#include "controls/status/scroll_bar.h"
#include "controls/status/tile.h"
#include "platform/services.h"
#include "text/text.h"

namespace {

// Op beside a memcpy of W x H pixels; FontOnly (may be empty) renders the
// texts Op renders, and its time is taken out for "x_memcpy_nofont".
template <typename OpFn, typename FontFn>
void RunPaint(benchmark::State &State, int W, int H, OpFn &&Op, FontFn &&FontOnly) {
  std::vector<uint32_t> From((size_t)W * H, 0x123456), To((size_t)W * H);
  RunWithBaseline(
      State, Op, [&] { std::memcpy(To.data(), From.data(), From.size() * 4); }, "memcpy");
  const double Op_ = NsPerCall(Op), Font = NsPerCall(FontOnly);
  const double Base = NsPerCall([&] {
    std::memcpy(To.data(), From.data(), From.size() * 4);
    benchmark::ClobberMemory();
  });
  State.counters["x_memcpy_nofont"] = (Op_ - Font) / Base;
}
template <typename OpFn>
void RunPaint(benchmark::State &State, int W, int H, OpFn &&Op) {
  RunPaint(State, W, H, Op, [] {});
}

void Render(const CHAR16 *Text) {
  TextImage Image = {0, 0xFFFFFF, 0, 0, nullptr};
  RenderText(1000, &Image, Text);
  gBootServices->FreePool(Image.Bitmap);
}

void BM_DividerStrip(benchmark::State &State) {
  BenchDriver D;
  const int W = (int)State.range(0), H = (int)State.range(1);
  RunPaint(State, W, H, [&] { DrawDividerStrip(0, 0, W, H, 1, W / 2, 1); });
}
BENCHMARK(BM_DividerStrip)->Args({300, 24})->Args({1024, 768})->Unit(benchmark::kMicrosecond);

void BM_DottedRule(benchmark::State &State) {
  BenchDriver D;
  const int L = (int)State.range(0);
  RunPaint(State, L, 2, [&] { DrawDottedRule(0, 100, (UINT16)L); });
}
BENCHMARK(BM_DottedRule)->Arg(300)->Arg(1024)->Unit(benchmark::kMicrosecond);

void BM_ScrollBar(benchmark::State &State) {
  BenchDriver D;
  const int L = (int)State.range(0);
  RunPaint(State, 16, L, [&] { DrawScrollBar(500, 0, (UINT16)L, 40, 10, 11, 2); });
}
BENCHMARK(BM_ScrollBar)->Arg(170)->Arg(768)->Unit(benchmark::kMicrosecond);

void BM_Tile(benchmark::State &State) {
  BenchDriver D;
  const int W = (int)State.range(0), H = (int)State.range(1);
  RunPaint(State, W, H, [&] { DrawTile(0, 0, W, H, (UINT8)State.range(2)); });
}
BENCHMARK(BM_Tile)
    ->Args({160, 100, 0})
    ->Args({160, 100, 1})
    ->Args({1024, 768, 0})
    ->Unit(benchmark::kMicrosecond);

void BM_ProgressBar(benchmark::State &State) {
  BenchDriver D;
  const int W = (int)State.range(0), H = (int)State.range(1);
  std::vector<ORVANE_PIXEL> Buffer((size_t)W * H);
  RunPaint(
      State, W, H, [&] { DrawProgressBar(Buffer.data(), 0, 0, 0, 0, W, H, W("Saving"), 53); },
      [] {
        Render(W("Saving"));
        Render(W("53%"));
      });
}
BENCHMARK(BM_ProgressBar)->Args({200, 20})->Args({1024, 768})->Unit(benchmark::kMicrosecond);

void BM_GaugePanel(benchmark::State &State) {
  BenchDriver D;
  const int W = (int)State.range(0), H = (int)State.range(1), V = (int)State.range(2);
  RunPaint(
      State, W, H,
      [&] { DrawGaugePanel(0, 0, W, H, W("CPU"), W("Load"), W("Temp"), W("Core"), V, V); },
      [] {
        Render(W("C"));
        Render(W("CPU"));
        Render(W("Load"));
        Render(W("Temp"));
        Render(W("Core"));
      });
}
BENCHMARK(BM_GaugePanel)
    ->Args({420, 90, 50})
    ->Args({420, 90, 100})
    ->Args({1024, 768, 50})
    ->Unit(benchmark::kMicrosecond);

// Tight: a short message sized by its text (295 x 137). Screen: lines and
// buttons that make the box nearly as large as the screen.
void BM_MessageBox(benchmark::State &State) {
  BenchDriver D;
  CHAR16 *Tight[] = {W("Save changes and exit?")};
  CHAR16 *Screen[] = {
      W("The settings could not be written to the flash part; the machine will now try again and")};
  CHAR16 *Captions[] = {W("Yes"), W("No"), W("Cancel")};
  const bool Large = State.range(0) != 0;
  CHAR16 *Lines[32];
  for (int I = 0; I < 32; I++) Lines[I] = Large ? Screen[0] : Tight[0];
  MessageBox B = {};
  InitMessageBox(&B, 0, 0, 0, 0, Large ? 30 : 1, Lines, Large ? 3 : 2, Captions);
  B.HotButton = 1;
  B.HotState = 2;
  State.SetLabel(std::to_string(B.Width) + "x" + std::to_string(B.Height));
  RunPaint(
      State, B.Width, B.Height, [&] { PaintMessageBox(&B); },
      [&] {
        for (int I = 0; I < (Large ? 30 : 1); I++) Render(Lines[I]);
        for (int I = 0; I < (Large ? 3 : 2); I++) Render(Captions[I]);
      });
}
BENCHMARK(BM_MessageBox)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// The floor of every off-screen control: capture, an empty paint, send.
void BM_PaintOffscreenFloor(benchmark::State &State) {
  BenchDriver D;
  const int W = (int)State.range(0), H = (int)State.range(1);
  RunPaint(State, W, H, [&] { PaintOffscreen(0, 0, W, H, [](const DrawTarget &) {}); });
}
BENCHMARK(BM_PaintOffscreenFloor)
    ->Args({16, 170})
    ->Args({160, 100})
    ->Args({300, 24})
    ->Args({1024, 768})
    ->Unit(benchmark::kMicrosecond);

// One float-service call, for reading the "float" counters as time.
void BM_FloatServiceCall(benchmark::State &State) {
  BenchDriver D;
  FLOAT32_BITS V = gFloat->IntToFloat(1), S = gFloat->IntToFloat(3);
  for (auto _ : State) {
    V = gFloat->FloatAdd(V, S);
    benchmark::DoNotOptimize(V);
  }
}
BENCHMARK(BM_FloatServiceCall);

}  // namespace
