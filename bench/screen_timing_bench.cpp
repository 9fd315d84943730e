// The whole setup screen: every control painted once (the front-end's own
// composition, as the firmware run times it) beside one full-screen
// BlitToScreen. "font_share" is the part of the paint spent inside the font
// service, "x_blit_toolkit" the ratio without it.
#include <vector>

#include "bench/bench_util.h"
#include "frontend/screen_timing.h"
#include "sim/hii_font.h"
#include "tests/scene_util.h"

namespace {

void BM_SetupScreen(benchmark::State &State) {
  BenchDriver D;
  const bool ScreenFont = State.range(0) != 0;
  sim::SetFontLayout(ScreenFont ? sim::FontLayout::ScreenSized : sim::FontLayout::Tight);
  State.SetLabel(ScreenFont ? "screen-sized font image" : "tight font image");
  SceneContext C = SceneContextOf(D.Fw);
  SetupScreen S;
  PrepareSetupScreen(C, S);
  std::vector<ORVANE_PIXEL> Whole((size_t)D.Fw.Width() * D.Fw.Height());
  auto Paint = [&] { PaintEveryControlOnce(C, S); };
  auto Blit = [&] {
    D.Ui->BlitToScreen(Whole.data(), (INT32)D.Fw.Width(), (INT32)D.Fw.Height(), 0, 0);
  };
  RunWithBaseline(State, Paint, Blit, "blit");

  // The font service's share, counted inside its StringToImage.
  constexpr int kRounds = 20;
  CountServiceTime(C, true);
  const UINT64 Start = __builtin_ia32_rdtsc();
  for (int I = 0; I < kRounds; I++) Paint();
  const UINT64 Spent = __builtin_ia32_rdtsc() - Start;
  CountServiceTime(C, false);
  const double Share = (double)FontTicks() / (double)Spent;
  State.counters["font_share"] = Share;
  State.counters["x_blit_toolkit"] = State.counters["x_blit"] * (1.0 - Share);
  State.counters["font_calls"] = (double)FontCalls() / kRounds;
  State.counters["failed"] = (double)C.FailedCalls;
  ReleaseSetupScreen(C, S);
  sim::SetFontLayout(sim::FontLayout::Tight);
}
BENCHMARK(BM_SetupScreen)->Arg(0)->Arg(1)->ArgName("screen_font")->Unit(benchmark::kMicrosecond);

}  // namespace
