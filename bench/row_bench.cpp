// The digit readout's paint beside memcpy of its own area ("x_memcpy"), with
// the Blt and float-service calls of one paint; the plain per-pixel version
// beside the production paint ("x_fast").
#include <cstring>
#include <vector>

#include "bench/bench_util.h"
#include "controls/readout/digit_readout.h"
#include "tests/digit_readout_reference.h"

namespace {

struct ReadoutCase {
  const char16_t *Text;
  UINT16 Size;
};
constexpr ReadoutCase kReadouts[] = {{u"12:34", 0}, {u"100", 1}, {u"-5", 2}};

// An initialised readout over a captured background.
struct Readout {
  BenchDriver D;
  char16_t Text[8];
  DigitReadout R{};
  explicit Readout(const ReadoutCase &C) {
    std::memcpy(Text, C.Text, sizeof(Text));
    D.Ui->InitDigitReadout(&R, 100, 100, reinterpret_cast<CHAR16 *>(Text), C.Size, 1);
  }
  size_t Bytes() const { return (size_t)R.width * R.height * sizeof(ORVANE_PIXEL); }
  ~Readout() {
    if (R.text != reinterpret_cast<CHAR16 *>(Text)) BS->FreePool(R.text);
    BS->FreePool(R.background);
  }
};

void BM_PaintDigitReadout(benchmark::State &State) {
  Readout O(kReadouts[State.range(0)]);
  std::vector<char> From(O.Bytes()), To(O.Bytes());
  RunWithBaseline(State, [&] { O.D.Ui->PaintDigitReadout(&O.R); },
                  [&] { std::memcpy(To.data(), From.data(), From.size()); }, "memcpy");
}
BENCHMARK(BM_PaintDigitReadout)->DenseRange(0, 2)->ArgName("case");

void BM_PlainDigitReadout(benchmark::State &State) {
  Readout O(kReadouts[State.range(0)]);
  std::vector<ORVANE_PIXEL> Work(O.Bytes() / sizeof(ORVANE_PIXEL));
  RunWithBaseline(
      State,
      [&] {
        std::memcpy(Work.data(), O.R.background, O.Bytes());
        ref::PaintReadout(Work.data(), O.R.width, O.R.height, O.R.text, O.R.size);
        O.D.Ui->BlitToScreen(Work.data(), O.R.width, O.R.height, O.R.x, O.R.y);
      },
      [&] { O.D.Ui->PaintDigitReadout(&O.R); }, "fast");
}
BENCHMARK(BM_PlainDigitReadout)->DenseRange(0, 2)->ArgName("case");

}  // namespace
