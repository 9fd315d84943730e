#include <cstring>
#include <vector>

#include "bench/bench_util.h"
#include "raster/image_copy.h"

namespace {

void BM_DrawPointBuffer(benchmark::State &State) {
  BenchDriver D;
  std::vector<ORVANE_PIXEL> Buf(64 * 64);
  const int Style = (int)State.range(0);
  // Baseline: storing the same number of pixels one by one.
  const int Pixels[] = {1, 1, 5, 9, 37, 61};
  uint32_t *Raw = reinterpret_cast<uint32_t *>(Buf.data());
  RunWithBaseline(
      State, [&] { D.Ui->DrawPoint(Buf.data(), 64, 64, 32, 32, Style, 0x00FF8000); },
      [&] {
        for (int I = 0; I < Pixels[Style]; I++) Raw[(I / 9) * 64 + I % 9] = 0x00FF8000;
      },
      "store");
}
BENCHMARK(BM_DrawPointBuffer)->DenseRange(1, 5);

void BM_DrawPointScreen(benchmark::State &State) {
  BenchDriver D;
  const int Style = (int)State.range(0);
  ORVANE_PIXEL P = {0, 0x80, 0xFF, 0};
  RunWithBaseline(
      State, [&] { D.Ui->DrawPoint(nullptr, 0, 0, 500, 400, Style, 0x00FF8000); },
      [&] { D.Fw.Gop()->Blt(D.Fw.Gop(), &P, EfiBltVideoFill, 0, 0, 500, 400, 1, 1, 0); },
      "one_fill");
}
BENCHMARK(BM_DrawPointScreen)->DenseRange(1, 5);

void BM_ClearBuffer(benchmark::State &State) {
  BenchDriver D;
  std::vector<ORVANE_PIXEL> Buf(1024 * 768);
  RunWithBaseline(
      State, [&] { D.Ui->ClearBuffer(Buf.data(), 1024, 768); },
      [&] { std::memset(Buf.data(), 0, Buf.size() * 4); }, "memset");
}
BENCHMARK(BM_ClearBuffer);

void BM_BlitToScreen(benchmark::State &State) {
  BenchDriver D;
  std::vector<ORVANE_PIXEL> Buf(1024 * 768);
  std::vector<ORVANE_PIXEL> Copy(1024 * 768);
  RunWithBaseline(
      State, [&] { D.Ui->BlitToScreen(Buf.data(), 1024, 768, 0, 0); },
      [&] { std::memcpy(Copy.data(), Buf.data(), Buf.size() * 4); }, "memcpy");
}
BENCHMARK(BM_BlitToScreen);

// Keyless image copies beside memcpy of the same pixels: a whole 1024 x 768
// image (one block), and an 800 x 600 window out of it (a row at a time, as
// a capture reads the frame buffer).
void CopyBesideMemcpy(benchmark::State &State, UINT16 W, UINT16 H, UINT16 SX, UINT16 SY) {
  BenchDriver D;
  std::vector<ORVANE_PIXEL> Src(1024 * 768), Dst((size_t)W * H);
  for (size_t I = 0; I < Src.size(); I++) Src[I] = {(UINT8)I, (UINT8)(I >> 8), (UINT8)(I >> 16), 0};
  RunWithBestBaseline(
      State,
      [&] { CopyImageRect(Dst.data(), Src.data(), 0, 0, SX, SY, W, H, 1024, 768, W, H, nullptr); },
      [&] {
        if (W == 1024) {
          std::memcpy(Dst.data(), Src.data(), Dst.size() * sizeof(ORVANE_PIXEL));
          return;
        }
        for (size_t R = 0; R < H; R++)
          std::memcpy(&Dst[R * W], &Src[(SY + R) * 1024 + SX], (size_t)W * 4);
      },
      "memcpy");
}

void BM_CopyImageRect1024x768(benchmark::State &State) { CopyBesideMemcpy(State, 1024, 768, 0, 0); }
BENCHMARK(BM_CopyImageRect1024x768);

void BM_CopyImageRectWindow800x600(benchmark::State &State) {
  CopyBesideMemcpy(State, 800, 600, 100, 80);
}
BENCHMARK(BM_CopyImageRectWindow800x600);

}  // namespace
