// The item cell, the button and the input dialog, each beside memcpy of its
// own area ("x_memcpy"), with the Blt and float-service calls of one paint.
// "x_memcpy_nofont" leaves out the font service's own work for the texts the
// paint renders. The font image is tight unless the label says screen-sized.
// The Plain* benchmarks run the literal painters kept with the tests beside
// the production ones ("x_fast" = how many times slower the literal one is).
#include <cstring>
#include <vector>

#include "bench/bench_util.h"
#include "controls/popup/input_dialog.h"
#include "controls/status/button.h"
#include "controls/status/item_cell.h"
#include "sim/hii_font.h"
#include "tests/painter_reference.h"

namespace {

void UseLayout(benchmark::State &State, int Arg) {
  bool Screen = State.range(Arg) != 0;
  sim::SetFontLayout(Screen ? sim::FontLayout::ScreenSized : sim::FontLayout::Tight);
  State.SetLabel(Screen ? "screen-sized font image" : "tight font image");
}

// Op beside memcpy of W x H pixels, and again without the font service's time
// for Texts (each rendered once per paint).
template <typename OpFn>
void BesideMemcpy(benchmark::State &State, OpFn &&Op, INT32 W, INT32 H,
                  std::vector<const CHAR16 *> Texts) {
  std::vector<ORVANE_PIXEL> From((size_t)W * H), To((size_t)W * H);
  auto Copy = [&] { std::memcpy(To.data(), From.data(), To.size() * sizeof(ORVANE_PIXEL)); };
  RunWithBaseline(State, Op, Copy, "memcpy");
  double OpNs = NsPerCall(Op);
  double FontNs = Texts.empty() ? 0 : NsPerCall([&] {
    for (const CHAR16 *T : Texts) FontOnly(T);
  });
  double CopyNs = NsPerCall([&] {
    Copy();
    benchmark::ClobberMemory();
  });
  State.counters["x_memcpy_nofont"] = (OpNs - FontNs) / CopyNs;
}

#define LABEL W("Boot order")
#define CAPTION W("Cancel")

// ---------------------------------------------------------------- cell, 160 x 19
constexpr INT32 kCellW = 160, kCellH = 19;

void BM_ItemCell(benchmark::State &State) {
  BenchDriver D;
  UseLayout(State, 0);
  std::vector<ORVANE_PIXEL> Buf((size_t)kCellW * kCellH);
  DrawTarget T = DrawTarget::For(Buf.data(), kCellW, kCellH);
  BesideMemcpy(State, [&] { DrawItemCell(T, 0, 0, kCellW, kCellH, 0, 0, LABEL, 5, 0x81); }, kCellW,
               kCellH, {LABEL});
}
BENCHMARK(BM_ItemCell)->Arg(0)->Arg(1)->ArgName("screen_font");

void BM_PlainItemCell(benchmark::State &State) {
  BenchDriver D;
  std::vector<ORVANE_PIXEL> Buf((size_t)kCellW * kCellH);
  DrawTarget T = DrawTarget::For(Buf.data(), kCellW, kCellH);
  RunWithBaseline(
      State, [&] { ref::DrawItemCell(T, 0, 0, kCellW, kCellH, 0, 0, LABEL, 5, 0x81); },
      [&] { DrawItemCell(T, 0, 0, kCellW, kCellH, 0, 0, LABEL, 5, 0x81); }, "fast");
}
BENCHMARK(BM_PlainItemCell);

// ---------------------------------------------------------------- button, 111 x 33 and 400 x 100
void BM_Button(benchmark::State &State) {
  BenchDriver D;
  UseLayout(State, 2);
  const INT32 W = State.range(1) ? 400 : 111, H = State.range(1) ? 100 : 33;
  std::vector<ORVANE_PIXEL> Buf((size_t)W * H);
  DrawTarget T = DrawTarget::For(Buf.data(), W, H);
  const INT32 Look = (INT32)State.range(0);
  BesideMemcpy(State, [&] { DrawButton(T, 0, 0, W, H, CAPTION, 1, Look); }, W, H, {CAPTION});
}
BENCHMARK(BM_Button)
    ->ArgsProduct({{0, 1}, {0, 1}, {0, 1}})
    ->ArgNames({"state", "large", "screen_font"});

void BM_PlainButton(benchmark::State &State) {
  BenchDriver D;
  std::vector<ORVANE_PIXEL> Buf((size_t)111 * 33);
  DrawTarget T = DrawTarget::For(Buf.data(), 111, 33);
  const INT32 Look = (INT32)State.range(0);
  RunWithBaseline(
      State, [&] { ref::DrawButton(T, 0, 0, 111, 33, CAPTION, 1, Look); },
      [&] { DrawButton(T, 0, 0, 111, 33, CAPTION, 1, Look); }, "fast");
}
BENCHMARK(BM_PlainButton)->Arg(0)->Arg(1)->ArgName("state");

// ---------------------------------------------------------------- input dialog
// A prompt, a masked text and three buttons, one pressed; as laid out by init
// (442 x 188), or spread over the whole 1024 x 768 screen.
void BM_InputDialog(benchmark::State &State) {
  BenchDriver D;
  UseLayout(State, 1);
  const CHAR16 *const Captions[3] = {W("OK"), CAPTION, W("Retry")};
  InputDialog Dialog = {};
  const bool Full = State.range(0) != 0;
  D.Ui->InitInputDialog(&Dialog, 0, 0, Full ? 1024 : 100, Full ? 768 : 100, W("Enter the password"),
                        0, W("Password:"), W("secret"), 16, 0, 3, Captions);
  Dialog.hotButton = 2;
  BesideMemcpy(
      State, [&] { D.Ui->PaintInputDialog(&Dialog); }, Dialog.width, Dialog.height,
      {W("Enter the password"), W("Password:"), W("******"), W("OK"), CAPTION, W("Retry")});
  State.counters["width"] = Dialog.width;
  State.counters["height"] = Dialog.height;
}
BENCHMARK(BM_InputDialog)->ArgsProduct({{0, 1}, {0, 1}})->ArgNames({"screen_sized", "screen_font"});

}  // namespace
