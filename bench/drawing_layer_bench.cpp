// The drawing layer the controls paint through, each beside a memcpy of the
// same pixels ("x_memcpy"), with the Blt and float-service calls of one call.
#include <cstring>
#include <vector>

#include "bench/bench_util.h"
#include "raster/image_copy.h"
#include "raster/shapes.h"
#include "text/text.h"

namespace {

constexpr int kW = 320, kH = 200;

void CopyRows(std::vector<ORVANE_PIXEL> &To, const std::vector<ORVANE_PIXEL> &From, int W, int H) {
  for (int J = 0; J < H; J++)
    std::memcpy(To.data() + (size_t)J * kW, From.data() + (size_t)J * W, (size_t)W * 4);
}

// A picture half made of its key colour, placed keyed into a buffer (arg 0) or
// on the screen (arg 1), half outside on the left.
void BM_PlaceImageKeyed(benchmark::State &State) {
  BenchDriver D;
  std::vector<ORVANE_PIXEL> Picture((size_t)kW * kH), Buffer((size_t)kW * kH);
  for (size_t I = 0; I < Picture.size(); I++) {
    Picture[I] = PixelFromColor((I / 7) % 2 ? 0x00FF00FF : 0x00123456 + (UINT32)I);
  }
  const ORVANE_PIXEL Key = PixelFromColor(0x00FF00FF);
  const DrawTarget T =
      State.range(0) ? DrawTarget::Screen() : DrawTarget::For(Buffer.data(), kW, kH);
  RunWithBaseline(
      State,
      [&] {
        PlaceImage(T, -kW / 2, 0, Picture.data(), kW, {0, 0, kW, kH}, &Key);
      },
      [&] { CopyRows(Buffer, Picture, kW / 2, kH); }, "memcpy");
}
BENCHMARK(BM_PlaceImageKeyed)->Arg(0)->Arg(1);

// A text line rendered, scaled 1.5 and composed into a buffer, beside a copy of its area.
void BM_DrawTextOn(benchmark::State &State) {
  BenchDriver D;
  std::vector<ORVANE_PIXEL> Buffer((size_t)kW * kH), Area((size_t)kW * kH);
  const DrawTarget T = DrawTarget::For(Buffer.data(), kW, kH);
  TextImage Size = {0x00FFFFFF, 0x00000000, 0, 0, nullptr};
  D.Ui->RenderText(1500, &Size, W("Boot order 3 of 7"));
  D.Fw.SystemTable()->BootServices->FreePool(Size.Bitmap);
  RunWithBaseline(
      State, [&] { DrawTextOn(T, 4, 4, W("Boot order 3 of 7"), 0x00FFFFFF, 0x00000000, 1500); },
      [&] { CopyRows(Buffer, Area, (int)Size.Width, (int)Size.Height); }, "memcpy");
}
BENCHMARK(BM_DrawTextOn);

// A filled rectangle on the screen through the off-screen paint, beside a copy of its pixels.
void BM_ScreenRectangleOffscreen(benchmark::State &State) {
  BenchDriver D;
  std::vector<ORVANE_PIXEL> Buffer((size_t)kW * kH), Area((size_t)kW * kH);
  RunWithBaseline(
      State,
      [&] {
        DrawRectangleOn(DrawTarget::Screen(), 100, 100, kW, kH, 3, kFillRows, 0x00C03010,
                        0x002080F0);
      },
      [&] { CopyRows(Buffer, Area, kW, kH); }, "memcpy");
}
BENCHMARK(BM_ScreenRectangleOffscreen);

}  // namespace
