// The integer IntToFloat and FloatToInt against the float service itself,
// over the ranges the painters use and the edges around them,
// and the window outline and body with and without their shared row fractions.
#include <cstring>
#include <random>
#include <vector>

#include "controls/popup/window_frame.h"
#include "raster/exact_float.h"
#include "tests/fixture.h"

namespace {

using ExactFloat = DriverTest;

TEST_F(ExactFloat, IntToFloatMatchesTheServiceBelowTwoToThe24) {
  std::mt19937 Random(7);
  std::vector<INT32> Values;
  for (INT32 N = -4096; N <= 4096; N++) Values.push_back(N);
  for (INT32 P = 0; P < 31; P++) {
    for (INT32 D : {-1, 0, 1}) {
      Values.push_back((INT32)(1u << P) + D);
      Values.push_back(-(INT32)(1u << P) + D);
    }
  }
  Values.push_back(INT32_MIN);
  Values.push_back(INT32_MAX);
  for (int I = 0; I < 200000; I++) Values.push_back((INT32)Random());
  for (int I = 0; I < 200000; I++) Values.push_back((INT32)(Random() % (2u << 24)) - (1 << 24));
  for (INT32 N : Values) {
    ASSERT_EQ(xf::FromInt(N), fm::FromInt(N)) << N;
  }
}

TEST_F(ExactFloat, TruncationMatchesTheServiceForEveryExponent) {
  std::mt19937 Random(11);
  for (UINT32 Sign = 0; Sign < 2; Sign++) {
    for (UINT32 Exponent = 0; Exponent < 256; Exponent++) {
      const UINT32 Head = (Sign << 31) | (Exponent << 23);
      for (UINT32 Fraction : {0u, 1u, 0x400000u, 0x7FFFFFu, 0x7FFFFEu}) {
        ASSERT_EQ(xf::ToInt(Head | Fraction), fm::ToInt(Head | Fraction))
            << std::hex << (Head | Fraction);
      }
      for (int I = 0; I < 2000; I++) {
        const UINT32 X = Head | (Random() & 0x7FFFFF);
        ASSERT_EQ(xf::ToInt(X), fm::ToInt(X)) << std::hex << X;
        ASSERT_EQ(xf::ToIntAlt(X), fm::ToIntAlt(X)) << std::hex << X;
      }
    }
  }
  // The blends' own values: every channel sum the painters can reach.
  for (INT32 N = 0; N < 1 << 12; N++) {
    const FLOAT32_BITS X = fm::Div(fm::FromInt(N), fm::FromInt(16));
    ASSERT_EQ(xf::ToInt(X), fm::ToInt(X)) << N;
  }
}

// Outline and body on many window sizes (taller than the kept rows too, and
// with an outline of another height than the body): the same pixels with the
// fractions shared as without, in fewer float calls, nothing written outside.
TEST_F(ExactFloat, SharedRowFractionsPaintTheSameWindow) {
  std::mt19937 Random(5);
  for (int Case = 0; Case < 60; Case++) {
    const INT32 W = 40 + (INT32)(Random() % 400);
    const INT32 H = Case == 0 ? 900 : 90 + (INT32)(Random() % 500);
    const INT32 FrameH = Case % 10 == 1 ? H - 3 : H;
    ListPopup Window = {};
    Window.width = (UINT32)W;
    Window.height = H;
    Window.titleHeight = 63;
    Window.thumbPos = (UINT16)(Case % 2);
    constexpr INT32 kGuard = 8;
    const INT32 BW = W + 2 * kGuard, BH = H + 2 * kGuard;
    std::vector<ORVANE_PIXEL> Plain((size_t)BW * BH, ORVANE_PIXEL{1, 2, 3, 4});
    std::vector<ORVANE_PIXEL> Shared = Plain;
    const DrawTarget TP = DrawTarget::For(Plain.data(), BW, BH).Narrowed({kGuard, kGuard, W, H});
    const DrawTarget TS = DrawTarget::For(Shared.data(), BW, BH).Narrowed({kGuard, kGuard, W, H});
    sim::ResetStats();
    PaintWindowBody(TP, kGuard, kGuard, Window, 6, 0x111111, 0x111111, 0x252525, 0x7D7D7D);
    PaintWindowFrame(TP, kGuard, kGuard, W, FrameH, 6, 0x535353, 0x313131);
    const uint64_t PlainCalls = sim::Stats().FloatCalls;
    sim::ResetStats();
    WindowFractions Fractions(H);
    PaintWindowBody(TS, kGuard, kGuard, Window, 6, 0x111111, 0x111111, 0x252525, 0x7D7D7D,
                    &Fractions);
    PaintWindowFrame(TS, kGuard, kGuard, W, FrameH, 6, 0x535353, 0x313131, &Fractions);
    const uint64_t SharedCalls = sim::Stats().FloatCalls;
    ASSERT_EQ(std::memcmp(Plain.data(), Shared.data(), Plain.size() * sizeof(ORVANE_PIXEL)), 0)
        << W << "x" << H << " outline " << FrameH;
    if (FrameH == H && H < 800) {
      EXPECT_LT(SharedCalls, PlainCalls) << W << "x" << H;
    }
    for (INT32 Y = 0; Y < BH; Y++) {
      for (INT32 X = 0; X < BW; X++) {
        if (X >= kGuard && X < kGuard + W && Y >= kGuard && Y < kGuard + H) continue;
        const ORVANE_PIXEL P = Shared[(size_t)Y * BW + X];
        ASSERT_TRUE(P.Blue == 1 && P.Green == 2 && P.Red == 3 && P.Reserved == 4) << X << "," << Y;
      }
    }
  }
}

}  // namespace
