#include <cstring>
#include <vector>

#include "bench/bench_util.h"

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

}  // namespace

