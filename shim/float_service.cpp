// The single-precision service behind FLOAT_MATH_PROTOCOL.
//
// Floats travel as IEEE 754 bit patterns in UINT32. Arithmetic is the
// processor's own SSE single precision, round to nearest; there is no libm in
// firmware, so sine and cosine are computed here. The same source is built for
// firmware and for the host simulation and uses neither x87 nor long double,
// so both targets return the same bits.
//
// Entries and the behaviour callers can count on:
//   0  FloatNegate       sign bit flipped, for every pattern (NaN included)
//   1  FloatAbs          sign bit cleared, for every pattern (NaN included)
//   2  FloatFloor        largest integral value <= a; -0, +-Inf, NaN and
//                        |a| >= 2^23 come back unchanged; floor(-0.5) = -1
//   3..6                 a+b, a-b, a*b, a/b as SSE computes them (x/0 = +-Inf,
//                        0/0 = NaN)
//   7  FloatCos, 8 FloatSin
//                        radians; within about 1 ulp of the true value for
//                        every finite argument (exact reduction by 2/pi);
//                        +-Inf and NaN give NaN
//   9  FloatSqrt         sqrtss; negative arguments give NaN
//   10 FloatToIntAlt, 11 FloatToInt
//                        truncation toward zero over the whole signed 32-bit
//                        range, never saturated to a byte; NaN and values
//                        outside [-2^31, 2^31) give 0x80000000 (INT32_MIN),
//                        the processor's own "integer indefinite"
//   12 RadiansToDegrees  a * 57.29578f (180/pi rounded to single)
//   13 DegreesToRadians  a * 0.017453292f (pi/180 rounded to single)
//   14 IntToFloat        nearest single, negative values included
//   15 FloatCompare      1 when a < b, 8 when a == b (+0 == -0), otherwise 0;
//                        a NaN on either side compares as 0
#include "shim/float_service.h"

namespace {

inline float F(FLOAT32_BITS Bits) { return __builtin_bit_cast(float, Bits); }
inline FLOAT32_BITS B(float Value) { return __builtin_bit_cast(FLOAT32_BITS, Value); }

// 2^E for E in [-126, 127], built from its bit pattern.
inline float Pow2(int E) { return F(static_cast<UINT32>(E + 127) << 23); }

// Bits of 2/pi, most significant first, behind one zero word so that bit i of
// 2/pi (weight 2^-i) sits at stream position i + 31; positions for i <= 0 read 0.
constexpr UINT32 kTwoOverPi[] = {
    0x00000000, 0xA2F9836E, 0x4E441529, 0xFC2757D1, 0xF534DDC0, 0xDB629599,
    0x3C439041, 0xFE5163AB, 0xDEBBC561, 0xB7246E3A, 0x424DD2E0,
};

// 64 bits of the stream starting at position P.
inline UINT64 TwoOverPiBits(int P) {
  const int Word = P >> 5, Shift = P & 31;
  const UINT64 Top = (static_cast<UINT64>(kTwoOverPi[Word]) << 32) | kTwoOverPi[Word + 1];
  const UINT64 Next = static_cast<UINT64>(kTwoOverPi[Word + 2]) << 32;
  return Shift == 0 ? Top : (Top << Shift) | (Next >> (64 - Shift));
}

// pi/4 * 2^64, rounded: pi/2 = kPiOver2Fixed * 2^-63.
constexpr UINT64 kPiOver2Fixed = 0xC90FDAA22168C235ull;

// Splits |x| (finite, > pi/4, given as positive bits) into Q * pi/2 + R with
// |R| <= pi/4, R returned as a head and a tail below its last bit. The product
// with 2/pi is taken exactly in integers, so R is right even next to a
// multiple of pi/2. Returns Q mod 4.
unsigned ReduceQuadrant(UINT32 Bits, float *Head, float *Tail) {
  const int E = static_cast<int>(Bits >> 23) - 150;  // |x| = M * 2^E
  const UINT64 M = (Bits & 0x7FFFFF) | 0x800000;
  // Bits of 2/pi above I0 = E - 1 add multiples of 4 to |x| * 2/pi: drop them.
  const int P = E - 1 + 31;
  const UINT64 Hi = TwoOverPiBits(P);
  const UINT64 Lo = TwoOverPiBits(P + 64) >> 32;
  // |x| * 2/pi = Prod * 2^-94 (mod 4), Prod below 2^120.
  const unsigned __int128 Prod = ((static_cast<unsigned __int128>(M) * Hi) << 32) + M * Lo;
  constexpr unsigned __int128 kOne = static_cast<unsigned __int128>(1) << 94;
  unsigned Q = static_cast<unsigned>(Prod >> 94) & 3;
  unsigned __int128 Frac = Prod & (kOne - 1);
  bool Negative = false;
  if (Frac >= kOne / 2) {  // round to the nearest quadrant
    Q = (Q + 1) & 3;
    Frac = kOne - Frac;
    Negative = true;
  }
  *Head = *Tail = 0.0f;
  if (Frac == 0) return Q;
  const UINT64 FHi = static_cast<UINT64>(Frac >> 64), FLo = static_cast<UINT64>(Frac);
  const int N = FHi ? __builtin_clzll(FHi) : 64 + __builtin_clzll(FLo);
  const unsigned __int128 Norm = Frac << N;  // top bit set
  const UINT64 Top = static_cast<UINT64>(Norm >> 64);
  // R = Top * 2^(64-N-94) * pi/2 = (Top * kPiOver2Fixed) * 2^(-93-N); keep
  // 56 bits of that product, enough for head and tail.
  const unsigned __int128 Scaled = static_cast<unsigned __int128>(Top) * kPiOver2Fixed;
  const UINT64 Fixed = static_cast<UINT64>(Scaled >> 72);  // R = Fixed * 2^(-21-N)
  const float HeadF = static_cast<float>(Fixed);           // the one rounding
  const INT64 Rest = static_cast<INT64>(Fixed - static_cast<UINT64>(HeadF));
  float Values[2] = {HeadF * Pow2(-21), static_cast<float>(Rest) * Pow2(-21)};
  for (float &V : Values) {  // exact scaling by 2^-N
    int Shift = N;
    while (Shift > 63) {
      V *= Pow2(-63);
      Shift -= 63;
    }
    V *= Pow2(-Shift);
    if (Negative) V = -V;
  }
  *Head = Values[0];
  *Tail = Values[1];
  return Q;
}

// Taylor polynomials for X + Y, |X| <= pi/4 and Y below the last bit of X;
// the first omitted terms stay below 2^-28 relative there.
float SinKernel(float X, float Y) {
  const float Z = X * X;
  const float P =
      -1.0f / 6.0f + Z * (1.0f / 120.0f + Z * (-1.0f / 5040.0f + Z * (1.0f / 362880.0f)));
  // sin(X + Y) ~ sin X + Y cos X
  return X + (X * Z * P + Y * (1.0f - 0.5f * Z));
}

float CosKernel(float X, float Y) {
  const float Z = X * X;
  const float HalfZ = 0.5f * Z;
  const float W = 1.0f - HalfZ;
  const float Lost = (1.0f - W) - HalfZ;  // exact: minus the rounding error of W
  const float P =
      1.0f / 24.0f + Z * (-1.0f / 720.0f + Z * (1.0f / 40320.0f + Z * (-1.0f / 3628800.0f)));
  // cos(X + Y) ~ cos X - Y sin X
  return W + ((Z * Z * P + Lost) - X * Y);
}

constexpr UINT32 kSignBit = 0x80000000u;
constexpr UINT32 kPiOver4Bits = 0x3F490FDB;  // pi/4 rounded to single

// Sine (Cosine false) or cosine of the float with bit pattern A.
float SinCos(FLOAT32_BITS A, bool Cosine) {
  const UINT32 Mag = A & ~kSignBit;
  const float X = F(A);
  if (Mag >= 0x7F800000) return X - X;  // NaN for NaN and +-Inf
  unsigned Q = 0;
  float R = F(Mag), Tail = 0.0f;
  if (Mag > kPiOver4Bits) Q = ReduceQuadrant(Mag, &R, &Tail);
  if (Cosine) Q = (Q + 1) & 3;  // cos(t) = sin(t + pi/2)
  float Result = (Q & 1) ? CosKernel(R, Tail) : SinKernel(R, Tail);
  if (Q & 2) Result = -Result;
  // sin is odd, cos is even
  if (!Cosine && (A & kSignBit)) Result = -Result;
  return Result;
}

FLOAT32_BITS EFIAPI FloatNegate(FLOAT32_BITS A) { return A ^ kSignBit; }
FLOAT32_BITS EFIAPI FloatAbs(FLOAT32_BITS A) { return A & ~kSignBit; }

FLOAT32_BITS EFIAPI FloatFloor(FLOAT32_BITS A) {
  const float X = F(A);
  // Already integral (or NaN/Inf) from 2^23 on; zero keeps its sign.
  if ((A & ~kSignBit) >= 0x4B000000 || X == 0.0f) return A;
  float T = static_cast<float>(static_cast<INT32>(X));  // toward zero
  if (T > X) T -= 1.0f;
  return B(T);
}

FLOAT32_BITS EFIAPI FloatAdd(FLOAT32_BITS A, FLOAT32_BITS Bv) { return B(F(A) + F(Bv)); }
FLOAT32_BITS EFIAPI FloatSub(FLOAT32_BITS A, FLOAT32_BITS Bv) { return B(F(A) - F(Bv)); }
FLOAT32_BITS EFIAPI FloatMul(FLOAT32_BITS A, FLOAT32_BITS Bv) { return B(F(A) * F(Bv)); }
FLOAT32_BITS EFIAPI FloatDiv(FLOAT32_BITS A, FLOAT32_BITS Bv) { return B(F(A) / F(Bv)); }
FLOAT32_BITS EFIAPI FloatCos(FLOAT32_BITS A) { return B(SinCos(A, true)); }
FLOAT32_BITS EFIAPI FloatSin(FLOAT32_BITS A) { return B(SinCos(A, false)); }
FLOAT32_BITS EFIAPI FloatSqrt(FLOAT32_BITS A) { return B(__builtin_sqrtf(F(A))); }

INT32 EFIAPI FloatToInt(FLOAT32_BITS A) {
  const float X = F(A);
  // The comparisons are false for NaN, which joins the out-of-range case.
  if (!(X >= -2147483648.0f && X < 2147483648.0f)) return static_cast<INT32>(kSignBit);
  return static_cast<INT32>(X);
}

// Same rule as FloatToInt: callers mix the two for one value.
INT32 EFIAPI FloatToIntAlt(FLOAT32_BITS A) { return FloatToInt(A); }

FLOAT32_BITS EFIAPI RadiansToDegrees(FLOAT32_BITS A) { return B(F(A) * 57.29578f); }
FLOAT32_BITS EFIAPI DegreesToRadians(FLOAT32_BITS A) { return B(F(A) * 0.017453292f); }
FLOAT32_BITS EFIAPI IntToFloat(INT32 A) { return B(static_cast<float>(A)); }

UINT8 EFIAPI FloatCompare(FLOAT32_BITS A, FLOAT32_BITS Bv) {
  const float X = F(A), Y = F(Bv);
  if (X < Y) return FLOAT_LESS;
  if (X == Y) return FLOAT_EQUAL;
  return FLOAT_GREATER;
}

}  // namespace

constinit const FLOAT_MATH_PROTOCOL gFloatMathService = {
    FloatNegate,      FloatAbs,         FloatFloor, FloatAdd,     FloatSub,      FloatMul,
    FloatDiv,         FloatCos,         FloatSin,   FloatSqrt,    FloatToIntAlt, FloatToInt,
    RadiansToDegrees, DegreesToRadians, IntToFloat, FloatCompare,
};
