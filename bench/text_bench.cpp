// Text and image copy, each beside a baseline measured in the same run.
#include <cstring>
#include <vector>

#include "bench/bench_util.h"
#include "sim/hii_font.h"

namespace {

#define FORTY_CHARS "The quick brown fox jumps over a lazy do"
static_assert(sizeof(FORTY_CHARS) == 41);

void BM_RenderText40(benchmark::State &State) {
  BenchDriver D;
  sim::SetFontLayout(State.range(1) ? sim::FontLayout::ScreenSized : sim::FontLayout::Tight);
  const Milli Scale = State.range(0);
  RunWithBaseline(
      State,
      [&] {
        TextImage T = {0x00FFFFFF, 0x00000040, 0, 0, nullptr};
        D.Ui->RenderText(Scale, &T, W(FORTY_CHARS));
        BS->FreePool(T.Bitmap);
      },
      [&] { FontOnly(W(FORTY_CHARS)); }, "font_service");
  State.SetLabel(State.range(1) ? "screen-sized font image" : "tight font image");
}
BENCHMARK(BM_RenderText40)->Args({1000, 0})->Args({2000, 0})->Args({1000, 1})->Args({2000, 1});

// Transparent text one transfer per foreground pixel, the straightforward way;
// the baseline the per-run version is read against.
void PerPixelTransparent(BenchDriver &D, Milli Scale, UINT16 X, UINT16 Y) {
  TextImage T = {0x00FFFFFF, 0, 0, 0, nullptr};
  D.Ui->RenderText(Scale, &T, W(FORTY_CHARS));
  EFI_GRAPHICS_OUTPUT_PROTOCOL *Gop = D.Fw.Gop();
  for (UINT32 R = 0; R < T.Height; R++)
    for (UINT32 U = 0; U < T.Width; U++) {
      ORVANE_PIXEL P = T.Bitmap[R * T.Width + U];
      if (P.Red == 0xFF && P.Green == 0xFF && P.Blue == 0xFF && P.Reserved == 0)
        Gop->Blt(Gop, T.Bitmap, EfiBltBufferToVideo, U, R, X + U, Y + R, 1, 1, T.Width * 4);
    }
  BS->FreePool(T.Bitmap);
}

void BM_DrawText40(benchmark::State &State) {
  BenchDriver D;
  const bool Opaque = State.range(0) != 0;
  const Milli Scale = State.range(1);
  ORVANE_PIXEL Back = {0x40, 0, 0, 0};
  auto Draw = [&] {
    D.Ui->DrawText(0x00FFFFFF, Opaque ? &Back : nullptr, Scale, 10, 10, W("%s"), W(FORTY_CHARS));
  };
  if (Opaque) {
    RunWithBaseline(
        State, Draw,
        [&] {
          TextImage T = {0x00FFFFFF, 0x40, 0, 0, nullptr};
          D.Ui->RenderText(Scale, &T, W(FORTY_CHARS));
          BS->FreePool(T.Bitmap);
        },
        "render_only");
  } else {
    RunWithBaseline(
        State, Draw, [&] { PerPixelTransparent(D, Scale, 10, 10); }, "per_pixel");
    sim::ResetStats();
    PerPixelTransparent(D, Scale, 10, 10);
    State.counters["blt_per_pixel"] = (double)sim::Stats().BltCalls;
  }
  State.SetLabel(Opaque ? "opaque" : "transparent");
}
BENCHMARK(BM_DrawText40)->Args({1, 1000})->Args({0, 1000})->Args({0, 2000});

}  // namespace
