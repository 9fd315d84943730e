// The list popup's full paint (capture, frame, title, rows, scroll bar, one
// send) against memcpy of its own area, with the font service's tight layout
// and, separately, its screen-sized one; the same paint without a title
// leaves the font service out. The plain step-by-step paint is timed
// against production.
#include <algorithm>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "controls/popup/list_popup.h"
#include "sim/hii_font.h"
#include "tests/window_frame_reference.h"

namespace {

struct PopupDriver : BenchDriver {
  std::vector<std::u16string> Texts;
  std::vector<const CHAR16 *> Items;
  ListPopup P = {};
  std::vector<ORVANE_PIXEL> From, To;

  PopupDriver(UINT32 W, INT32 H, int Count, bool Title) {
    for (int I = 0; I < Count; I++)
      Texts.push_back(u"Boot entry " + std::u16string(1, u'A' + I % 26));
    for (auto &S : Texts) Items.push_back(reinterpret_cast<const CHAR16 *>(S.c_str()));
    Ui->OpenListPopup(&P, 100, 100, W, H,
                      Title ? reinterpret_cast<const CHAR16 *>(u"Boot order") : nullptr, 0,
                      (UINT16)Count, Items.data(), 2);
    P.selectedRow = 4;
    Ui->ScrollListPopup(&P, 2, 3);
    From.resize((size_t)P.width * P.height);
    To.resize(From.size());
  }
  ~PopupDriver() {
    Ui->CloseListPopup(&P);
    sim::SetFontLayout(sim::FontLayout::Tight);
  }
};

// The machine is shared: ratios come from this thread's processor time,
// which other work does not lengthen, best of several rounds.
double CpuSeconds() {
  timespec T;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &T);
  return (double)T.tv_sec + (double)T.tv_nsec * 1e-9;
}

template <typename F>
double CpuNsPerCall(F &&Fn) {
  const double Start = CpuSeconds();
  uint64_t Calls = 0;
  do {
    Fn();
    Calls++;
  } while (CpuSeconds() - Start < 0.01);
  return (CpuSeconds() - Start) * 1e9 / (double)Calls;
}

template <typename OpFn, typename BaseFn>
double BestRatio(OpFn &&Op, BaseFn &&Base) {
  double BestOp = 1e300, BestBase = 1e300;
  for (int Round = 0; Round < 7; Round++) {
    BestOp = std::min(BestOp, CpuNsPerCall(Op));
    BestBase = std::min(BestBase, CpuNsPerCall(Base));
  }
  return BestOp / BestBase;
}

void Paint(benchmark::State &State, UINT32 W, INT32 H, int Count, bool Title,
           sim::FontLayout Layout) {
  PopupDriver D(W, H, Count, Title);
  sim::SetFontLayout(Layout);
  auto Op = [&] { D.Ui->PaintListPopup(&D.P); };
  auto Copy = [&] {
    std::memcpy(D.To.data(), D.From.data(), D.From.size() * sizeof(ORVANE_PIXEL));
    benchmark::ClobberMemory();
  };
  RunWithBaseline(State, Op, Copy, "memcpy");
  State.counters["x_memcpy"] = BestRatio(Op, Copy);
  State.counters["pixels"] = (double)D.From.size();
}

// A popup of a dozen rows with a scroll bar, and one filling the screen.
void BM_ListPopupPaint(benchmark::State &S) {
  Paint(S, 400, 292, 12, true, sim::FontLayout::Tight);
}
void BM_ListPopupPaintScreenSizedFont(benchmark::State &S) {
  Paint(S, 400, 292, 12, true, sim::FontLayout::ScreenSized);
}
void BM_ListPopupPaintNoFont(benchmark::State &S) {
  Paint(S, 400, 292, 12, false, sim::FontLayout::Tight);
}
void BM_ListPopupPaintFullScreen(benchmark::State &S) {
  Paint(S, 1024, 768, 60, true, sim::FontLayout::Tight);
}
void BM_ListPopupPaintFullScreenNoFont(benchmark::State &S) {
  Paint(S, 1024, 768, 60, false, sim::FontLayout::Tight);
}
BENCHMARK(BM_ListPopupPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListPopupPaintScreenSizedFont)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListPopupPaintNoFont)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListPopupPaintFullScreen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListPopupPaintFullScreenNoFont)->Unit(benchmark::kMicrosecond);

// The plain paint over the same background, against production.
void BM_ListPopupPaintPlain(benchmark::State &State) {
  PopupDriver D(400, 292, 12, true);
  auto Plain = [&] {
    ListPopup Copy = D.P;
    ref::PaintListPopupWindow(DrawTarget::For(D.To.data(), (INT32)D.P.width, D.P.height), Copy);
  };
  RunWithBaseline(
      State, Plain, [&] { D.Ui->PaintListPopup(&D.P); }, "production");
}
BENCHMARK(BM_ListPopupPaintPlain)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
