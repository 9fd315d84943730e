// The setup screen: drawing it whole, a row moving the focus, and a popup
// opened and closed, each beside memcpy of the area it changes.
#include <cstring>
#include <vector>

#include "bench/bench_util.h"
#include "frontend/setup/setup_screen.h"
#include "tests/scene_util.h"

namespace {

struct BenchScreen {
  BenchDriver B;
  SceneContext C = {};
  SetupScreenState S = {};
  BenchScreen() {
    C = SceneContextOf(B.Fw);
    SetupOpen(S, C, reinterpret_cast<const CHAR16 *>(u"12:34"));
  }
  ~BenchScreen() { SetupClose(S); }
};

void Copy(std::vector<uint32_t> &To, const std::vector<uint32_t> &From, size_t Pixels) {
  std::memcpy(To.data(), From.data(), Pixels * 4);
}

// Key First then key Then, beside memcpy of Pixels pixels.
void TwoKeysBesideMemcpy(benchmark::State &State, BenchScreen &X, UINT16 First, UINT16 Then,
                         size_t Pixels) {
  std::vector<uint32_t> A(Pixels), B(Pixels);
  RunWithBaseline(
      State,
      [&] {
        SetupHandle(X.S, SetupKeyEvent(First));
        SetupHandle(X.S, SetupKeyEvent(Then));
      },
      [&] { Copy(B, A, A.size()); }, "memcpy");
}

void BM_SetupScreenPaintAll(benchmark::State &State) {
  BenchScreen X;
  std::vector<uint32_t> A(1024 * 768), B(1024 * 768);
  RunWithBaseline(
      State, [&] { SetupPaintAll(X.S); }, [&] { Copy(B, A, A.size()); }, "memcpy");
}
BENCHMARK(BM_SetupScreenPaintAll)->Unit(benchmark::kMillisecond);

// Down then Up: two rows painted twice, beside memcpy of those two rows.
void BM_SetupScreenRowFocus(benchmark::State &State) {
  BenchScreen X;
  const size_t Area = 2 * (size_t)setup::kRowWidth * 19;
  TwoKeysBesideMemcpy(State, X, kSetupKeyDown, kSetupKeyUp, Area * 2);
}
BENCHMARK(BM_SetupScreenRowFocus)->Unit(benchmark::kMicrosecond);

// Enter and Escape on a row: the popup painted over a capture of the screen and
// the screen put back, beside memcpy of the popup's area. Arg: the row
// (0 option popup, 1 list popup).
void BM_SetupScreenPopup(benchmark::State &State) {
  BenchScreen X;
  if (State.range(0) == 1) SetupHandle(X.S, SetupKeyEvent(kSetupKeyDown));
  const size_t Area = State.range(0) == 1 ? 280 * 292 : 315 * (63 + 4 * 45 + 25);
  TwoKeysBesideMemcpy(State, X, kSetupKeyEnter, kSetupKeyEscape, Area);
}
BENCHMARK(BM_SetupScreenPopup)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
