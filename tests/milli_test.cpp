// Milli arithmetic: the worked examples, and random agreement with a
// reference written straight from the rules (128-bit, so it cannot overflow).
#include <gtest/gtest.h>

#include <random>

#include "text/milli.h"

namespace {

int64_t RefMul(int64_t A, int64_t B) {
  __int128 P = (__int128)A * B;
  __int128 Q = P / 1000;       // C++ division truncates toward zero
  if (P % 1000 > 445) Q += 1;  // only a positive remainder can exceed 445
  return (int64_t)Q;
}

// Digit-by-digit truncation of n / d to three decimals is n * 1000 / d truncated.
int64_t RefDiv(int64_t N, int64_t D) { return (int64_t)(((__int128)N * 1000) / D); }

}  // namespace

TEST(Milli, WorkedExamples) {
  EXPECT_EQ(MilliDiv(1000, 1500), 666);
  EXPECT_EQ(MilliDiv(1000, 1000), 1000);
  EXPECT_EQ(MilliDiv(1000, 2000), 500);
  EXPECT_EQ(MilliToInt(MilliMul(19 * 1000, 1500)), 28);
  EXPECT_EQ(MilliMul(1000, 666), 666);
  EXPECT_EQ(MilliToInt(-1500), -1);
  EXPECT_EQ(MilliToInt(1999), 1);
  EXPECT_EQ(MilliToInt(-999), 0);
}

TEST(Milli, MulRoundsUpFromFourFortySix) {
  EXPECT_EQ(MilliMul(1445, 1000), 1445);
  EXPECT_EQ(MilliMul(1, 446), 1);
  EXPECT_EQ(MilliMul(1, 445), 0);
  EXPECT_EQ(MilliMul(1, 999), 1);
  EXPECT_EQ(MilliMul(3, 482), 2);  // 1.446 rounds up
  EXPECT_EQ(MilliMul(5, 289), 1);  // 1.445 does not
  // A negative product truncates toward zero whatever its remainder.
  EXPECT_EQ(MilliMul(-1, 999), 0);
  EXPECT_EQ(MilliMul(-1500, 1000), -1500);
  EXPECT_EQ(MilliMul(-3, 482), -1);
}

TEST(Milli, DivKeepsThreeTruncatedDecimals) {
  EXPECT_EQ(MilliDiv(1, 3), 333);
  EXPECT_EQ(MilliDiv(2, 3), 666);
  EXPECT_EQ(MilliDiv(7, 2), 3500);
  EXPECT_EQ(MilliDiv(1000, 1001), 999);
  EXPECT_EQ(MilliDiv(-1, 3), -333);
  EXPECT_EQ(MilliDiv(10, -4), -2500);
}

TEST(Milli, DivByZeroAnswersZeroInsteadOfTrapping) {
  EXPECT_EQ(MilliDiv(1000, 0), 0);
  EXPECT_EQ(MilliDiv(0, 0), 0);
  EXPECT_EQ(MilliDiv(-0x7FFFFFFFFFFFFFFFLL - 1, -1), 0);
}

TEST(Milli, ToIntNarrowsToThirtyTwoBitsFirst) {
  // 2^32 + 5000 narrows to 5000.
  EXPECT_EQ(MilliToInt(((int64_t)1 << 32) + 5000), 5);
  // 2^31 narrows to INT32_MIN, then truncates toward zero.
  EXPECT_EQ(MilliToInt((int64_t)1 << 31), -2147483);
}

TEST(Milli, AgreesWithReferenceOnRandomInputs) {
  std::mt19937_64 Rng(19);
  std::uniform_int_distribution<int64_t> Small(-3000000, 3000000);
  std::uniform_int_distribution<int64_t> Scale(1000, 2000);
  std::uniform_int_distribution<int64_t> Divisor(1, 5000);
  for (int I = 0; I < 20000; I++) {
    int64_t A = Small(Rng), B = (I & 1) ? Scale(Rng) : Small(Rng);
    ASSERT_EQ(MilliMul(A, B), RefMul(A, B)) << A << " * " << B;
    int64_t N = Small(Rng), D = Divisor(Rng) * ((I & 2) ? -1 : 1);
    ASSERT_EQ(MilliDiv(N, D), RefDiv(N, D)) << N << " / " << D;
  }
}
