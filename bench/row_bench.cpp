// The digit readout's and the setting row's paints beside memcpy of their own
// areas ("x_memcpy"), with the Blt and float-service calls of one paint; the
// readout's plain per-pixel version beside the production paint ("x_fast").
#include <cstring>
#include <vector>

#include "bench/bench_util.h"
#include "controls/popup/setting_row.h"
#include "controls/readout/digit_readout.h"
#include "sim/hii_font.h"
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
  RunWithBaseline(
      State, [&] { O.D.Ui->PaintDigitReadout(&O.R); },
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

// ---------------------------------------------------------------- setting rows

// A 400 x 19 row with both texts beside memcpy of its area: "x_memcpy" is the
// whole paint, "x_memcpy_less_font" the paint less the text service's work
// for its two texts (measured alone in the same run).
void BM_PaintSettingRow(benchmark::State &State) {
  BenchDriver D;
  sim::SetFontLayout(State.range(0) ? sim::FontLayout::ScreenSized : sim::FontLayout::Tight);
  SettingRow R;
  D.Ui->InitSettingRow(&R, 100, 100, 400, 150, 116, 0, 5, 0, 0, 0, W("Fan speed"), W("Auto"), 1, 2,
                       (UINT8)State.range(1));
  std::vector<char> From(400 * 19 * 4), To(From.size());
  auto Paint = [&] { D.Ui->PaintSettingRow(&R); };
  auto Copy = [&] { std::memcpy(To.data(), From.data(), From.size()); };
  RunWithBaseline(State, Paint, Copy, "memcpy");
  auto Texts = [&] {
    for (const CHAR16 *S : {W("Fan speed"), W("Auto")}) {
      TextImage T = {0x00FFFFFF, 0x00010101, 0, 0, nullptr};
      D.Ui->RenderText(1000, &T, S);
      BS->FreePool(T.Bitmap);
    }
  };
  const double PaintNs = NsPerCall(Paint), TextNs = NsPerCall(Texts), CopyNs = NsPerCall(Copy);
  State.counters["x_memcpy_less_font"] = (PaintNs - TextNs) / CopyNs;
  State.SetLabel(State.range(0) ? "screen-sized font image" : "tight font image");
  sim::SetFontLayout(sim::FontLayout::Tight);
}
BENCHMARK(BM_PaintSettingRow)->ArgsProduct({{0, 1}, {0, 1}})->ArgNames({"screen_font", "chevron"});

// One pointer position on the track: its float-service calls.
void BM_TrackSettingSlider(benchmark::State &State) {
  BenchDriver D;
  SettingRow R;
  D.Ui->InitSettingRow(&R, 100, 100, 400, 150, 116, 0, 5, 0, 0, 0, nullptr, nullptr, 0, 2, 0);
  RunWithBaseline(
      State, [&] { D.Ui->TrackSettingSlider(&R, 385, 105); }, [&] { benchmark::DoNotOptimize(R); },
      "nothing");
}
BENCHMARK(BM_TrackSettingSlider);

}  // namespace
