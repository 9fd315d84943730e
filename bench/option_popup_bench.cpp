// The option popup's paint beside memcpy of its own area, with the font
// service's share of the paint measured on its own and taken out in
// "x_memcpy_no_font".
#include <cstring>
#include <vector>

#include "bench/bench_util.h"
#include "controls/popup/option_popup.h"
#include "sim/hii_font.h"

namespace {

CHAR16 *const kItems[5] = {W("Network boot (IPv4)"), W("Internal NVMe drive"), W("USB storage"),
                           W("Optical drive"), W("UEFI shell")};

// range(0): 1 = a row in mid-drag, 0 = a focused row; range(1): 1 = screen-sized font images.
void BM_PaintOptionPopup(benchmark::State &State) {
  BenchDriver D;
  const bool Drag = State.range(0) != 0;
  sim::SetFontLayout(State.range(1) ? sim::FontLayout::ScreenSized : sim::FontLayout::Tight);
  OptionPopupSet Set = {};
  const CHAR16 *Items[5];
  for (int I = 0; I < 5; I++) Items[I] = kItems[I];
  D.Ui->ResetOptionPopups(&Set);
  D.Ui->DefineOptionPopup(&Set, 300, 150, 0, W("Boot device"), 5, Items);
  const OptionPopupEntry &E = Set.entries[0];
  D.Ui->TrackOptionPopup(&Set, 0, E.x + 100, E.y + 67 + 46 + 15, Drag ? 1 : 2, 0);
  if (Drag) D.Ui->TrackOptionPopup(&Set, 0, E.x + 100, E.y + 67 + 46 + 30, 1, 0);
  D.Ui->PaintOptionPopup(&Set);  // saves the background once; later paints reuse it

  std::vector<ORVANE_PIXEL> From((size_t)E.width * E.height), To(From.size());
  RunWithBaseline(
      State, [&] { D.Ui->PaintOptionPopup(&Set); },
      [&] { std::memcpy(To.data(), From.data(), From.size() * sizeof(ORVANE_PIXEL)); }, "memcpy");
  // The strings the paint renders: the title and every item.
  auto Font = [&] {
    FontOnly(W("Boot device"));
    for (const CHAR16 *Item : Items) FontOnly(Item);
  };
  const double PaintNs = NsPerCall([&] { D.Ui->PaintOptionPopup(&Set); });
  const double FontNs = NsPerCall(Font);
  const double CopyNs = NsPerCall([&] {
    std::memcpy(To.data(), From.data(), From.size() * sizeof(ORVANE_PIXEL));
    benchmark::ClobberMemory();
  });
  State.counters["x_memcpy_no_font"] = (PaintNs - FontNs) / CopyNs;
  State.counters["font_share"] = FontNs / PaintNs;
  State.SetLabel(std::string(Drag ? "mid-drag" : "focused row") +
                 (State.range(1) ? ", screen-sized font image" : ", tight font image"));
  D.Ui->CloseOptionPopup(&Set);
  BS->FreePool(Set.entries[0].icon);
  sim::SetFontLayout(sim::FontLayout::Tight);
}
BENCHMARK(BM_PaintOptionPopup)->Args({0, 0})->Args({1, 0})->Args({0, 1})->Args({1, 1});

}  // namespace
