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

}  // namespace
