// The single-precision service table, called directly: entry order, the
// conversions and comparisons the drawing code relies on, and sine/cosine
// against the host's libm.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "shim/float_service.h"

namespace {

const FLOAT_MATH_PROTOCOL &S = gFloatMathService;

UINT32 Bits(float V) { return __builtin_bit_cast(UINT32, V); }
float Val(UINT32 B) { return __builtin_bit_cast(float, B); }

float Sin(float X) { return Val(S.FloatSin(Bits(X))); }
float Cos(float X) { return Val(S.FloatCos(Bits(X))); }
float Rad(float Degrees) { return Val(S.DegreesToRadians(Bits(Degrees))); }

// Distance in representable floats; +0 and -0 are the same point.
int64_t UlpDistance(float A, float B) {
  auto Ordered = [](float V) {
    const int32_t I = static_cast<int32_t>(Bits(V));
    return I < 0 ? -static_cast<int64_t>(I & 0x7FFFFFFF) : static_cast<int64_t>(I);
  };
  const int64_t D = Ordered(A) - Ordered(B);
  return D < 0 ? -D : D;
}

TEST(FloatService, EntriesSitInTheirSlots) {
  const UINT32 Six = Bits(6.0f), Three = Bits(3.0f);
  EXPECT_EQ(Val(S.FloatAdd(Six, Three)), 9.0f);
  EXPECT_EQ(Val(S.FloatSub(Six, Three)), 3.0f);
  EXPECT_EQ(Val(S.FloatMul(Six, Three)), 18.0f);
  EXPECT_EQ(Val(S.FloatDiv(Six, Three)), 2.0f);
  EXPECT_EQ(Val(S.FloatSqrt(Bits(16.0f))), 4.0f);
  EXPECT_EQ(Val(S.FloatNegate(Six)), -6.0f);
  EXPECT_EQ(Val(S.FloatAbs(Bits(-6.0f))), 6.0f);
  EXPECT_EQ(Val(S.FloatFloor(Bits(6.75f))), 6.0f);
  EXPECT_EQ(Val(S.IntToFloat(-7)), -7.0f);
  EXPECT_EQ(S.FloatToInt(Bits(-7.5f)), -7);
  EXPECT_EQ(S.FloatToIntAlt(Bits(7.5f)), 7);
  EXPECT_EQ(Sin(0.0f), 0.0f);
  EXPECT_EQ(Cos(0.0f), 1.0f);
  EXPECT_NEAR(Val(S.RadiansToDegrees(Bits(1.0f))), 57.29578f, 1e-4f);
  EXPECT_NEAR(Rad(180.0f), 3.14159265f, 1e-6f);
  EXPECT_EQ(S.FloatCompare(Three, Six), FLOAT_LESS);
}

TEST(FloatService, ArithmeticIsSinglePrecisionRoundToNearest) {
  std::mt19937 Rng(7);
  std::uniform_real_distribution<float> Dist(-1e6f, 1e6f);
  for (int I = 0; I < 20000; ++I) {
    const float A = Dist(Rng), B = Dist(Rng);
    ASSERT_EQ(S.FloatAdd(Bits(A), Bits(B)), Bits(A + B)) << A << " " << B;
    ASSERT_EQ(S.FloatSub(Bits(A), Bits(B)), Bits(A - B)) << A << " " << B;
    ASSERT_EQ(S.FloatMul(Bits(A), Bits(B)), Bits(A * B)) << A << " " << B;
    ASSERT_EQ(S.FloatDiv(Bits(A), Bits(B)), Bits(A / B)) << A << " " << B;
    ASSERT_EQ(S.FloatSqrt(Bits(std::fabs(A))), Bits(std::sqrt(std::fabs(A)))) << A;
  }
  // 1 + 2^-24 is a tie and rounds to even; a double or x87 path would keep it.
  EXPECT_EQ(Val(S.FloatAdd(Bits(1.0f), Bits(0x1p-24f))), 1.0f);
  EXPECT_EQ(Val(S.FloatDiv(Bits(1.0f), Bits(0.0f))), std::numeric_limits<float>::infinity());
  EXPECT_TRUE(std::isnan(Val(S.FloatDiv(Bits(0.0f), Bits(0.0f)))));
  EXPECT_TRUE(std::isnan(Val(S.FloatSqrt(Bits(-1.0f)))));
}

TEST(FloatService, ConversionsKeepTheFullIntegerRange) {
  // Colour channels are clamped by callers against 0 and 256: no byte saturation.
  const struct {
    float In;
    INT32 Out;
  } Cases[] = {
      {70000.0f, 70000},
      {-300.0f, -300},
      {256.0f, 256},
      {255.99f, 255},
      {-0.99f, 0},
      {0.99f, 0},
      {-1.5f, -1},
      {1e9f, 1000000000},
      {-2147483648.0f, INT32_MIN},
      {2147483520.0f, 2147483520},  // largest float below 2^31
  };
  for (const auto &C : Cases) {
    EXPECT_EQ(S.FloatToInt(Bits(C.In)), C.Out) << C.In;
    EXPECT_EQ(S.FloatToIntAlt(Bits(C.In)), C.Out) << C.In;
  }
  // Out of range and NaN: the documented integer-indefinite value.
  const float Outside[] = {2147483648.0f,
                           -2147483904.0f,
                           3e9f,
                           -1e20f,
                           std::numeric_limits<float>::infinity(),
                           std::numeric_limits<float>::quiet_NaN()};
  for (float F : Outside) {
    EXPECT_EQ(S.FloatToInt(Bits(F)), INT32_MIN) << F;
    EXPECT_EQ(S.FloatToIntAlt(Bits(F)), INT32_MIN) << F;
  }
  // Both conversions agree on every value of a wide sweep.
  std::mt19937 Rng(3);
  std::uniform_real_distribution<float> Dist(-5e6f, 5e6f);
  for (int I = 0; I < 10000; ++I) {
    const float F = Dist(Rng);
    ASSERT_EQ(S.FloatToInt(Bits(F)), static_cast<INT32>(std::trunc(F))) << F;
    ASSERT_EQ(S.FloatToIntAlt(Bits(F)), S.FloatToInt(Bits(F))) << F;
  }

  EXPECT_EQ(Val(S.IntToFloat(-1)), -1.0f);
  EXPECT_EQ(Val(S.IntToFloat(-70000)), -70000.0f);
  EXPECT_EQ(Val(S.IntToFloat(INT32_MIN)), -2147483648.0f);
  EXPECT_EQ(Val(S.IntToFloat(INT32_MAX)), 2147483648.0f);
  EXPECT_EQ(Val(S.IntToFloat(16777217)), 16777216.0f);  // tie to even
  EXPECT_EQ(Val(S.IntToFloat(-16777219)), -16777220.0f);
  for (INT32 I = -1000; I <= 1000; ++I) ASSERT_EQ(S.FloatToInt(S.IntToFloat(I)), I);
}

TEST(FloatService, CompareCodes) {
  const float Inf = std::numeric_limits<float>::infinity();
  const float NaN = std::numeric_limits<float>::quiet_NaN();
  const struct {
    float A, B;
    UINT8 Code;
  } Cases[] = {
      {1.0f, 2.0f, 1},  {2.0f, 1.0f, 0},   {2.0f, 2.0f, 8}, {-1.0f, 1.0f, 1},  {-0.0f, 0.0f, 8},
      {0.0f, -0.0f, 8}, {-Inf, -1e38f, 1}, {Inf, Inf, 8},   {-3.0f, -2.5f, 1}, {1e-45f, 0.0f, 0},
      {NaN, 1.0f, 0},   {1.0f, NaN, 0},    {NaN, NaN, 0},
  };
  for (const auto &C : Cases)
    EXPECT_EQ(S.FloatCompare(Bits(C.A), Bits(C.B)), C.Code) << C.A << " vs " << C.B;
}

TEST(FloatService, SignFloorAndAngleUnits) {
  const float NaN = std::numeric_limits<float>::quiet_NaN();
  // Negate and Abs work on the sign bit alone.
  EXPECT_EQ(S.FloatNegate(Bits(0.0f)), Bits(-0.0f));
  EXPECT_EQ(S.FloatNegate(Bits(-2.5f)), Bits(2.5f));
  EXPECT_EQ(S.FloatNegate(Bits(NaN)), Bits(NaN) ^ 0x80000000u);
  EXPECT_EQ(S.FloatAbs(Bits(-0.0f)), Bits(0.0f));
  EXPECT_EQ(S.FloatAbs(0xFFC00001u), 0x7FC00001u);

  const struct {
    float In, Out;
  } Floors[] = {{2.5f, 2.0f},
                {-2.5f, -3.0f},
                {-0.5f, -1.0f},
                {0.5f, 0.0f},
                {-1.0f, -1.0f},
                {8388607.5f, 8388607.0f},
                {-8388607.5f, -8388608.0f},
                {1e10f, 1e10f},
                {-1e-30f, -1.0f},
                {3.0f, 3.0f}};
  for (const auto &C : Floors) EXPECT_EQ(Val(S.FloatFloor(Bits(C.In))), C.Out) << C.In;
  EXPECT_EQ(S.FloatFloor(Bits(-0.0f)), Bits(-0.0f));
  EXPECT_TRUE(std::isnan(Val(S.FloatFloor(Bits(NaN)))));
  std::mt19937 Rng(5);
  std::uniform_real_distribution<float> Dist(-1e7f, 1e7f);
  for (int I = 0; I < 10000; ++I) {
    const float F = Dist(Rng);
    ASSERT_EQ(Val(S.FloatFloor(Bits(F))), std::floor(F)) << F;
  }

  EXPECT_EQ(Val(S.DegreesToRadians(Bits(90.0f))), 90.0f * 0.017453292f);
  EXPECT_LE(UlpDistance(Rad(180.0f), static_cast<float>(M_PI)), 1);
  EXPECT_LE(UlpDistance(Val(S.RadiansToDegrees(Bits(static_cast<float>(M_PI)))), 180.0f), 1);
  for (int D = -720; D <= 720; D += 15) {
    const float Back = Val(S.RadiansToDegrees(Bits(Rad(static_cast<float>(D)))));
    EXPECT_NEAR(Back, static_cast<float>(D), 1e-4f) << D;
  }
}

// Compares against glibc's sinf/cosf (within about 1 ulp themselves) and
// against double precision rounded once.
void ExpectSinCos(float X, int64_t *WorstLibm, int64_t *WorstExact) {
  const float S1 = Sin(X), C1 = Cos(X);
  const int64_t DS = UlpDistance(S1, sinf(X)), DC = UlpDistance(C1, cosf(X));
  const int64_t ES = UlpDistance(S1, static_cast<float>(std::sin(static_cast<double>(X))));
  const int64_t EC = UlpDistance(C1, static_cast<float>(std::cos(static_cast<double>(X))));
  ASSERT_LE(DS, 2) << "sin " << X;
  ASSERT_LE(DC, 2) << "cos " << X;
  ASSERT_LE(ES, 1) << "sin " << X;
  ASSERT_LE(EC, 1) << "cos " << X;
  *WorstLibm = std::max({*WorstLibm, DS, DC});
  *WorstExact = std::max({*WorstExact, ES, EC});
}

TEST(FloatService, SineAndCosineMatchLibm) {
  int64_t WorstLibm = 0, WorstExact = 0;
  // Whole degrees through DegreesToRadians, as the drawing code produces them,
  // multiples of 90 degrees included.
  for (int D = -7200; D <= 7200; ++D) {
    ExpectSinCos(Rad(static_cast<float>(D)), &WorstLibm, &WorstExact);
    if (HasFatalFailure()) return;
  }
  for (int D = -40; D <= 40; ++D) {
    const float X = Rad(90.0f * D);
    ExpectSinCos(X, &WorstLibm, &WorstExact);
    if (HasFatalFailure()) return;
    // The value that should be zero is small, the other is +-1.
    const float Small = (D % 2) ? Cos(X) : Sin(X);
    const float One = (D % 2) ? Sin(X) : Cos(X);
    EXPECT_LT(std::fabs(Small), 1e-4f) << D;
    EXPECT_EQ(std::fabs(One), 1.0f) << D;
  }
  std::mt19937 Rng(11);
  std::uniform_real_distribution<float> Wide(-1e4f, 1e4f), Narrow(-4.0f, 4.0f);
  for (int I = 0; I < 200000; ++I) {
    ExpectSinCos(Wide(Rng), &WorstLibm, &WorstExact);
    ExpectSinCos(Narrow(Rng), &WorstLibm, &WorstExact);
    if (HasFatalFailure()) return;
  }
  // Next to multiples of pi/2, where a short pi/2 constant loses the result.
  for (int K = -6000; K <= 6000; K += 7) {
    float X = static_cast<float>(K * M_PI_2);
    for (int Step = 0; Step < 3; ++Step, X = std::nextafter(X, 1e9f)) {
      ExpectSinCos(X, &WorstLibm, &WorstExact);
      if (HasFatalFailure()) return;
    }
  }
  // Tiny arguments.
  for (float X : {1e-30f, -1e-20f, 1e-8f, 3e-4f, 1e-45f}) {
    ExpectSinCos(X, &WorstLibm, &WorstExact);
    EXPECT_EQ(Sin(X), X);
  }
  RecordProperty("WorstUlpVsLibm", static_cast<int>(WorstLibm));
  RecordProperty("WorstUlpVsRoundedDouble", static_cast<int>(WorstExact));
}

TEST(FloatService, SineAndCosineSymmetryAndSpecialValues) {
  std::mt19937 Rng(13);
  std::uniform_real_distribution<float> Dist(0.0f, 2e4f);
  for (int I = 0; I < 20000; ++I) {
    const float X = Dist(Rng);
    ASSERT_EQ(Bits(Sin(-X)), Bits(-Sin(X))) << X;
    ASSERT_EQ(Bits(Cos(-X)), Bits(Cos(X))) << X;
  }
  // Huge arguments stay bounded and match libm's exactly reduced values.
  for (float X : {1e10f, 123456789.0f, 3.4e38f, -1e30f, 16777216.0f}) {
    EXPECT_LE(UlpDistance(Sin(X), sinf(X)), 2) << X;
    EXPECT_LE(UlpDistance(Cos(X), cosf(X)), 2) << X;
  }
  for (float X : {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                  std::numeric_limits<float>::quiet_NaN()}) {
    EXPECT_TRUE(std::isnan(Sin(X)));
    EXPECT_TRUE(std::isnan(Cos(X)));
  }
  EXPECT_EQ(Bits(Sin(-0.0f)), Bits(-0.0f));
}

}  // namespace
