// The icon dock's paint beside memcpy of its own area (the row and the label
// strip), and the cursor-image decoder beside memcpy of its output and beside
// the step-by-step decoder. A dock at the right edge has a short strip (the
// tight layout); one at the left has a strip as wide as the screen.
#include <cstring>
#include <vector>

#include "bench/bench_util.h"
#include "controls/popup/cursor_image.h"
#include "controls/popup/images/pictures.h"
#include "controls/readout/icon_dock.h"
#include "platform/services.h"
#include "tests/cursor_image_reference.h"

namespace {

CHAR16 *const kLabels[16] = {W("Home"),    W("Settings"), W("Files"), W("Processor"),
                             W("Display"), W("Network"),  W("Power"), W("About"),
                             W("Boot"),    W("Clock"),    W("Disk"),  W("Lock"),
                             W("Fan"),     W("Keys"),     W("Audio"), W("Help")};

// Args: items, layout (0 tight, 1 screen-sized), state (0 idle, 1 dragging, 2 hovered with label).
void BM_PaintIconDock(benchmark::State &State) {
  BenchDriver B;
  const UINT16 N = (UINT16)State.range(0);
  const INT32 Width = N < 9 ? N * 51 - 5 : N * 47 - 5;
  const INT32 X = State.range(1) == 0 ? 1024 - Width : 50, Y = 300;
  const CHAR16 *Labels[16];
  UINT16 Flags[16], Active[16] = {};
  for (UINT16 I = 0; I < N; I++) {
    Labels[I] = kLabels[I];
    Flags[I] = (UINT16)((I % 8) | (I % 3 == 0 ? 0x90 : 0));
  }
  IconDock D = {};
  B.Ui->InitIconDock(&D, X, Y, N, Labels, Flags, Active);
  if (State.range(2) == 1) {
    B.Ui->TrackIconDock(&D, X + 51 + 10, Y + 20, 1, 0);
    B.Ui->TrackIconDock(&D, X + 51 + 30, Y + 20, 1, 0);
  } else if (State.range(2) == 2) {
    B.Ui->TrackIconDock(&D, X + 51 + 10, Y + 20, 2, 0);
  }
  // Baseline: the row and the strip, copied once each.
  const size_t Area = (size_t)Width * 41 + (size_t)(1074 - X) * 19;
  std::vector<ORVANE_PIXEL> From(Area), To(Area);
  RunWithBaseline(
      State, [&] { B.Ui->PaintIconDock(&D); },
      [&] { std::memcpy(To.data(), From.data(), Area * sizeof(ORVANE_PIXEL)); }, "memcpy");
  State.counters["pixels"] = (double)Area;
  PoolFree(D.stripBackground);
}
BENCHMARK(BM_PaintIconDock)
    ->ArgsProduct({{3, 16}, {0, 1}, {0, 1, 2}})
    ->ArgNames({"items", "wide", "state"})
    ->Unit(benchmark::kMicrosecond);

// Arg: which dock picture (0: 32 bits, 3: 24 bits, 17: a badge with its mask).
void BM_DecodeCursorImage(benchmark::State &State) {
  BenchDriver B;
  const CursorImage &Image = gDockPictures[State.range(0)];
  std::vector<ORVANE_PIXEL> Out(40 * 41), Copy(40 * 41);
  ORVANE_PIXEL *P = Out.data();
  RunWithBaseline(
      State, [&] { DecodeCursorImage(&Image, 40, 41, &P, 1); },
      [&] { std::memcpy(Copy.data(), Out.data(), Out.size() * sizeof(ORVANE_PIXEL)); }, "memcpy");
  State.SetBytesProcessed((int64_t)State.iterations() * (int64_t)Out.size() * 4);
}
BENCHMARK(BM_DecodeCursorImage)->Arg(0)->Arg(3)->Arg(17);

// The step-by-step decoder (a mask pass, then a colour pass) beside the driver's.
void BM_DecodeCursorImageLiteral(benchmark::State &State) {
  BenchDriver B;
  const CursorImage &Image = gDockPictures[State.range(0)];
  const std::vector<uint8_t> File(Image.Bytes, Image.Bytes + Image.Size);
  std::vector<ORVANE_PIXEL> Out(40 * 41);
  ORVANE_PIXEL *P = Out.data();
  RunWithBaseline(
      State, [&] { ref::DecodeCursorOver(File, Out.data()); },
      [&] { DecodeCursorImage(&Image, 40, 41, &P, 1); }, "production");
}
BENCHMARK(BM_DecodeCursorImageLiteral)->Arg(0);

}  // namespace
