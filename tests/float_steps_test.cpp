// The integer stand-ins for single-precision steps against the float service
// itself, on random operands of every kind: ties, cancellations, operands
// far apart, subnormals, infinities and NaN (which go to the service).
#include <random>

#include "raster/exact_float.h"
#include "tests/fixture.h"

namespace {

class FloatSteps : public DriverTest {};

// Operands that make rounding decisions hard: few significant bits (ties),
// close exponents (cancellation), integers, and every bit pattern.
FLOAT32_BITS Operand(std::mt19937 &Rng) {
  switch (Rng() % 6) {
    case 0: return Rng();  // anything, NaN and subnormals included
    case 1: {              // few significant bits, exponent near 1
      const UINT32 Fraction = (Rng() & 0x7FFFFF) & ~((1u << (Rng() % 24)) - 1);
      return (Rng() & 0x80000000u) | ((120 + Rng() % 16) << 23) | Fraction;
    }
    case 2: return xf::FromInt((INT32)(Rng() % 4001) - 2000);
    case 3:  // near the ends of the normal range
      return (Rng() & 0x80000000u) | ((Rng() % 2 ? 1 + Rng() % 6 : 248 + Rng() % 7) << 23) |
             (Rng() & 0x7FFFFF);
    case 4: return Rng() % 2 ? 0u : 0x80000000u;  // signed zeros
    default: return (Rng() & 0x80000000u) | ((100 + Rng() % 56) << 23) | (Rng() & 0x7FFFFF);
  }
}

}  // namespace

TEST_F(FloatSteps, ArithmeticGivesTheServiceBits) {
  std::mt19937 Rng(7);
  for (int N = 0; N < 400000; N++) {
    const FLOAT32_BITS A = Operand(Rng), B = Operand(Rng);
    ASSERT_EQ(xf::Add(A, B), fm::Add(A, B)) << std::hex << A << " + " << B;
    ASSERT_EQ(xf::Sub(A, B), fm::Sub(A, B)) << std::hex << A << " - " << B;
    ASSERT_EQ(xf::Mul(A, B), fm::Mul(A, B)) << std::hex << A << " * " << B;
    const FLOAT32_BITS Q = xf::Div(A, B), Want = fm::Div(A, B);
    // NaN payloads aside, the bits are the service's.
    const bool BothNaN = (Q & 0x7FFFFFFF) > 0x7F800000 && (Want & 0x7FFFFFFF) > 0x7F800000;
    ASSERT_TRUE(Q == Want || BothNaN) << std::hex << A << " / " << B;
  }
}

TEST_F(FloatSteps, ConversionsGiveTheServiceValues) {
  std::mt19937 Rng(8);
  const INT32 Edges[] = {
      0, 1, -1, 16777216, 16777217, -16777217, 0x7FFFFFFF, INT32(0x80000000), 0x7FFFFFC0};
  for (INT32 V : Edges) ASSERT_EQ(xf::FromInt(V), fm::FromInt(V)) << V;
  for (int N = 0; N < 300000; N++) {
    const INT32 V = (INT32)Rng() >> (Rng() % 32);
    ASSERT_EQ(xf::FromInt(V), fm::FromInt(V)) << V;
    const FLOAT32_BITS F = Operand(Rng);
    ASSERT_EQ(xf::ToInt(F), fm::ToInt(F)) << std::hex << F;
    ASSERT_EQ(xf::ToIntAlt(F), fm::ToIntAlt(F)) << std::hex << F;
  }
  // Around 2^31, where truncation leaves the integers.
  for (UINT32 F = 0x4EFFFFF0; F <= 0x4F000010; F++) {
    ASSERT_EQ(xf::ToInt(F), fm::ToInt(F)) << std::hex << F;
    ASSERT_EQ(xf::ToInt(F | 0x80000000u), fm::ToInt(F | 0x80000000u)) << std::hex << F;
  }
}

TEST_F(FloatSteps, OrdinaryOperandsNeverCallTheService) {
  sim::ResetStats();
  FLOAT32_BITS V = xf::FromInt(3);
  for (int N = 1; N < 1000; N++) {
    V = xf::Add(xf::Mul(V, xf::Div(xf::FromInt(N), xf::FromInt(N + 1))), xf::FromInt(N));
    (void)xf::ToInt(xf::Sub(V, xf::FromInt(7)));
  }
  EXPECT_EQ(sim::Stats().FloatCalls, 0u);
  // A quotient by zero is the service's to give.
  EXPECT_EQ(xf::Div(V, 0), fm::Div(V, 0));
  EXPECT_GT(sim::Stats().FloatCalls, 0u);
}
