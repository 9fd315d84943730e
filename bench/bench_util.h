// Benchmark helpers: a started driver in the simulated firmware, and a
// baseline measured in the same run so each figure is read as a ratio.
#pragma once
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
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
void RunWithBaseline(benchmark::State &State, OpFn &&Op, BaseFn &&Baseline,
                     const std::string &BaselineName) {
  for (auto _ : State) {
    Op();
    benchmark::ClobberMemory();
  }
  sim::ResetStats();
  Op();
  State.counters["blt"] = (double)sim::Stats().BltCalls;
  State.counters["float"] = (double)sim::Stats().FloatCalls;
  double OpNs = NsPerCall(Op);
  double BaseNs = NsPerCall([&] {
    Baseline();
    benchmark::ClobberMemory();
  });
  State.counters["x_" + BaselineName] = OpNs / BaseNs;
  State.counters["op_ns"] = OpNs;
  State.counters["base_ns_" + BaselineName] = BaseNs;
}

// On a shared machine wall time swings with the load: this thread's
// processor time, best of several interleaved rounds, gives steadier figures.
inline double ThreadCpuSeconds() {
  timespec T;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &T);
  return (double)T.tv_sec + (double)T.tv_nsec * 1e-9;
}

template <typename F>
double ThreadCpuNsPerCall(F &&Fn, double MinSeconds = 0.01) {
  const double Start = ThreadCpuSeconds();
  uint64_t Calls = 0;
  do {
    Fn();
    benchmark::ClobberMemory();
    Calls++;
  } while (ThreadCpuSeconds() - Start < MinSeconds);
  return (ThreadCpuSeconds() - Start) * 1e9 / (double)Calls;
}

// RunWithBaseline, with "op_ns", "base_ns_<BaselineName>" and the ratio
// replaced by the best of Rounds rounds of processor time.
template <typename OpFn, typename BaseFn>
void RunWithBestBaseline(benchmark::State &State, OpFn &&Op, BaseFn &&Baseline,
                         const std::string &BaselineName, int Rounds = 9) {
  RunWithBaseline(State, Op, Baseline, BaselineName);
  double OpNs = 1e300, BaseNs = 1e300;
  for (int Round = 0; Round < Rounds; Round++) {
    OpNs = std::min(OpNs, ThreadCpuNsPerCall(Op));
    BaseNs = std::min(BaseNs, ThreadCpuNsPerCall(Baseline));
  }
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
  Font->StringToImage(Font, EFI_HII_OUT_FLAG_WRAP, Text, &Info, &Image, 0, 0, &Rows, &Count,
                      nullptr);
  BS->FreePool(Image->Image.Bitmap);
  BS->FreePool(Image);
  if (Rows) BS->FreePool(Rows);
}
