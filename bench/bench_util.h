// Benchmark helpers: a started driver in the simulated firmware, and a
// baseline measured in the same run so each figure is read as a ratio.
#pragma once
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "driver/protocol.h"
#include "sim/hii_font.h"
#include "sim/sim.h"

struct BenchDriver {
  sim::Firmware Fw;
  ORVANE_UI_PROTOCOL *Ui;
  explicit BenchDriver(uint32_t Mode = 2) : Fw(Mode) {
    Fw.StartDriver();
    Ui = Fw.Ui();
  }
};

// Mean nanoseconds per call of F, over at least MinSeconds.
template <typename F>
double NsPerCall(F &&Fn, double MinSeconds = 0.05) {
  using Clock = std::chrono::steady_clock;
  uint64_t Calls = 0;
  auto Start = Clock::now();
  std::chrono::duration<double> Spent{};
  do {
    Fn();
    Calls++;
    Spent = Clock::now() - Start;
  } while (Spent.count() < MinSeconds);
  return Spent.count() * 1e9 / (double)Calls;
}

// Runs Op as the benchmark body; then times Op and Baseline back to back and
// reports Op/Baseline as the counter "x_<BaselineName>", with the Blt and
// float-service calls of one Op. "op_ns" and "base_ns_<BaselineName>" keep
// both times for the summary table (tools/bench_table.py).
template <typename OpFn, typename BaseFn>
void RunWithBaseline(benchmark::State &State, OpFn &&Op, BaseFn &&Baseline, const std::string &BaselineName) {
  for (auto _ : State) {
    Op();
    benchmark::ClobberMemory();
  }
  sim::ResetStats();
  Op();
  State.counters["blt"] = (double)sim::Stats().BltCalls;
  State.counters["float"] = (double)sim::Stats().FloatCalls;
  double OpNs = NsPerCall(Op);
  double BaseNs = NsPerCall([&] { Baseline(); benchmark::ClobberMemory(); });
  State.counters["x_" + BaselineName] = OpNs / BaseNs;
  State.counters["op_ns"] = OpNs;
  State.counters["base_ns_" + BaselineName] = BaseNs;
}

// Baseline for anything that draws text: the font service's own work for
// one string, as the toolkit asks for it.
inline void FontOnly(const CHAR16 *Text) {
  EFI_HII_FONT_PROTOCOL *Font = sim::FontService();
  EFI_FONT_DISPLAY_INFO Info = {};
  Info.FontInfoMask = 7;
  EFI_IMAGE_OUTPUT *Image = nullptr;
  EFI_HII_ROW_INFO *Rows = nullptr;
  UINTN Count = 0;
  Font->StringToImage(Font, EFI_HII_OUT_FLAG_WRAP, Text, &Info, &Image, 0, 0, &Rows, &Count, nullptr);
  BS->FreePool(Image->Image.Bitmap);
  BS->FreePool(Image);
  if (Rows) BS->FreePool(Rows);
}
