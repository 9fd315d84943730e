#include <cstring>
#include <random>
#include <vector>

#include "bench/bench_util.h"
#include "platform/services.h"
#include "raster/transition.h"

namespace {

// A started driver holding a capture of a random 1024 x 768 screen.
struct CapturedDriver : BenchDriver {
  ORVANE_PIXEL *Screen = nullptr;
  UINT32 W = 0, H = 0;
  explicit CapturedDriver(const sim::Display &Display = {}) {
    Fw.UseDisplay(Display);
    std::mt19937 Rng(1);
    std::vector<uint32_t> Colors((size_t)Fw.Width() * Fw.Height());
    for (uint32_t &C : Colors) C = Rng();
    Fw.LoadScreen(Colors);
    Ui->CaptureScreen(&Screen, &W, &H);
  }
  ~CapturedDriver() { Ui->ReleaseCapturedScreen(); }
};

// The dimming done literally, three float-service calls per channel of every
// pixel, then the same single transfer to the screen.
void LiteralDim(CapturedDriver &D, std::vector<ORVANE_PIXEL> &Out, UINT32 Level) {
  FLOAT32_BITS Factor = gFloat->FloatDiv(gFloat->IntToFloat((INT32)Level), gFloat->IntToFloat(10));
  for (size_t I = 0; I < Out.size(); I++) {
    ORVANE_PIXEL P = D.Screen[I];
    P.Red = (UINT8)gFloat->FloatToIntAlt(gFloat->FloatMul(gFloat->IntToFloat(P.Red), Factor));
    P.Green = (UINT8)gFloat->FloatToIntAlt(gFloat->FloatMul(gFloat->IntToFloat(P.Green), Factor));
    P.Blue = (UINT8)gFloat->FloatToIntAlt(gFloat->FloatMul(gFloat->IntToFloat(P.Blue), Factor));
    Out[I] = P;
  }
  D.Fw.Gop()->Blt(D.Fw.Gop(), Out.data(), EfiBltBufferToVideo, 0, 0, 0, 0, D.W, D.H, D.W * 4);
}

void BM_DimCapturedScreen(benchmark::State &State) {
  CapturedDriver D;
  std::vector<ORVANE_PIXEL> Copy((size_t)D.W * D.H);
  RunWithBaseline(
      State, [&] { D.Ui->DimCapturedScreen(5); },
      [&] { std::memcpy(Copy.data(), D.Screen, Copy.size() * 4); }, "memcpy");
}
BENCHMARK(BM_DimCapturedScreen)->Unit(benchmark::kMillisecond);

void BM_DimLiteral(benchmark::State &State) {
  CapturedDriver D;
  std::vector<ORVANE_PIXEL> Out((size_t)D.W * D.H);
  RunWithBaseline(
      State, [&] { LiteralDim(D, Out, 5); }, [&] { D.Ui->DimCapturedScreen(5); }, "production");
}
BENCHMARK(BM_DimLiteral)->Unit(benchmark::kMillisecond)->Iterations(3);

// Arguments: the frame-buffer switch, and the display: 0 blue-green-red,
// 1 the same with a 1088-pixel scan line, 2 Blt only, 3 bit mask. The switch
// reads video memory on displays 0 and 1; elsewhere it takes Blt.
void BM_CaptureScreen(benchmark::State &State) {
  static const sim::Display kDisplays[] = {{PixelBlueGreenRedReserved8BitPerColor, 0},
                                           {PixelBlueGreenRedReserved8BitPerColor, 64},
                                           {PixelBltOnly, 0},
                                           {PixelBitMask, 0}};
  CapturedDriver D(kDisplays[State.range(1)]);
  std::vector<ORVANE_PIXEL> Copy((size_t)D.W * D.H);
  const BOOLEAN FromFrameBuffer = (BOOLEAN)State.range(0);
  D.Ui->SetFrameBufferCapture(FromFrameBuffer);
  RunWithBaseline(
      State, [&] { D.Ui->CaptureScreen(&D.Screen, &D.W, &D.H); },
      [&] { std::memcpy(Copy.data(), D.Fw.FrameBuffer(), Copy.size() * 4); }, "memcpy");
  D.Ui->SetFrameBufferCapture(0);
}
BENCHMARK(BM_CaptureScreen)
    ->ArgsProduct({{0, 1}, {0, 1, 2, 3}})
    ->ArgNames({"switch", "display"})
    ->Unit(benchmark::kMillisecond);

// Both transitions without their pacing loop, beside one full-screen transfer.
void BM_Transition(benchmark::State &State) {
  BenchDriver D;
  std::vector<ORVANE_PIXEL> Image((size_t)1024 * 768);
  const bool Wipe = State.range(0) == 0;
  UINT32 Saved = TransitionPauseIterations;
  TransitionPauseIterations = 0;
  RunWithBaseline(
      State,
      [&] {
        if (Wipe) {
          D.Ui->WipeTransition(Image.data(), 1024, 768, 0, 0);
        } else {
          D.Ui->DissolveTransition(Image.data(), 1024, 768, 0, 0);
        }
      },
      [&] { D.Ui->BlitToScreen(Image.data(), 1024, 768, 0, 0); }, "one_blt");
  TransitionPauseIterations = Saved;
}
BENCHMARK(BM_Transition)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
