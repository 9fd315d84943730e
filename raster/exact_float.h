// Single-precision steps worked out in integers, bit for bit what the float
// service returns, so that loops calling them per pixel need not call it.
//
// The service computes with SSE in round-to-nearest-even. Every finite
// normal float is M * 2^E with a 24-bit M; sums, products and quotients of
// two of them are found here exactly (or, for a quotient, with a sticky bit
// below 17 or more exact bits, which decides every tie and half the same
// way), then rounded once to 24 bits, nearest even. That is the IEEE result
// the processor delivers. Whatever leaves that ground (infinities, NaN,
// subnormal operands or results, overflow, operands too far apart to add in
// 64 bits) is handed to the service itself. The two conversions answer every
// argument here: IntToFloat gives the nearest single, and both FloatToInt
// calls truncate with one fixed answer outside the integers.
#pragma once
#include "platform/services.h"

namespace xf {

namespace detail {

// A finite normal or zero float as (-1)^Negative * M * 2^E; false otherwise.
inline bool Decode(FLOAT32_BITS F, bool &Negative, UINT64 &M, INT32 &E) {
  const UINT32 Exponent = (F >> 23) & 0xFF, Fraction = F & 0x7FFFFF;
  Negative = (F >> 31) != 0;
  if (Exponent == 0 && Fraction == 0) {
    M = 0;
    E = 0;
    return true;
  }
  if (Exponent == 0 || Exponent == 0xFF) {
    return false;
  }
  M = Fraction | 0x800000;
  E = (INT32)Exponent - 150;
  return true;
}

// (-1)^Negative * N * 2^E (N > 0) rounded to nearest even; false when the
// result is not a normal float.
inline bool Round(bool Negative, UINT64 N, INT32 E, FLOAT32_BITS &Out) {
  const INT32 Bits = 64 - __builtin_clzll(N);
  UINT64 Q;
  if (Bits > 24) {
    const INT32 Shift = Bits - 24;
    Q = N >> Shift;
    const UINT64 Rest = N & ((1ULL << Shift) - 1), Half = 1ULL << (Shift - 1);
    if (Rest > Half || (Rest == Half && (Q & 1))) Q++;
    E += Shift;
    if (Q == (1ULL << 24)) {
      Q >>= 1;
      E++;
    }
  } else {
    Q = N << (24 - Bits);
    E -= 24 - Bits;
  }
  const INT32 Biased = E + 150;
  if (Biased < 1 || Biased > 254) {
    return false;
  }
  Out = ((UINT32)Negative << 31) | ((UINT32)Biased << 23) | ((UINT32)Q & 0x7FFFFF);
  return true;
}

inline bool Sum(FLOAT32_BITS A, FLOAT32_BITS B, FLOAT32_BITS &Out) {
  bool NA, NB;
  UINT64 MA, MB;
  INT32 EA, EB;
  if (!Decode(A, NA, MA, EA) || !Decode(B, NB, MB, EB)) {
    return false;
  }
  if (MA == 0 || MB == 0) {
    if (MA == 0 && MB == 0) {
      Out = (UINT32)(NA && NB) << 31;  // -0 only from -0 + -0
    } else {
      Out = MA == 0 ? B : A;
    }
    return true;
  }
  // Exactly, on the smaller exponent's scale.
  if (EA < EB) {
    const bool NT = NA;
    NA = NB;
    NB = NT;
    const UINT64 MT = MA;
    MA = MB;
    MB = MT;
    const INT32 ET = EA;
    EA = EB;
    EB = ET;
  }
  const INT32 D = EA - EB;
  if (D > 38) {
    return false;
  }
  const UINT64 X = MA << D;
  if (NA == NB) {
    return Round(NA, X + MB, EB, Out);
  }
  if (X == MB) {
    Out = 0;  // exact cancellation is +0 when rounding to nearest
    return true;
  }
  return X > MB ? Round(NA, X - MB, EB, Out) : Round(NB, MB - X, EB, Out);
}

}  // namespace detail

inline FLOAT32_BITS FromInt(INT32 V) {
  FLOAT32_BITS Out = 0;
  if (V == 0) {
    return 0;
  }
  const UINT64 N = V < 0 ? (UINT64)(-(INT64)V) : (UINT64)V;
  return detail::Round(V < 0, N, 0, Out) ? Out : fm::FromInt(V);
}

// Truncation toward zero, as both of the service's conversions answer it:
// with x = (-1)^s * 1.f * 2^e the integer part of 1.f * 2^e, the 24-bit
// significand shifted right by 23 - e (e < 23) or left by e - 23. |x| < 1
// (zeros and subnormals included) gives 0; e >= 31 (-2^31 itself, whose
// answer is INT32_MIN either way), infinities and NaN give INT32_MIN
// (0x80000000), the service's answer for every value outside [-2^31, 2^31).
// Every argument is answered here, none goes to the service.
inline INT32 ToInt(FLOAT32_BITS F) {
  const INT32 Exponent = (INT32)((F >> 23) & 0xFF) - 127;
  if (Exponent < 0) {
    return 0;
  }
  if (Exponent >= 31) {
    return (INT32)0x80000000u;
  }
  const UINT32 Significand = (F & 0x7FFFFF) | 0x800000;
  const UINT32 Whole =
      Exponent >= 23 ? Significand << (Exponent - 23) : Significand >> (23 - Exponent);
  return (F >> 31) != 0 ? -(INT32)Whole : (INT32)Whole;
}

inline INT32 ToIntAlt(FLOAT32_BITS F) { return ToInt(F); }

inline FLOAT32_BITS Add(FLOAT32_BITS A, FLOAT32_BITS B) {
  FLOAT32_BITS Out;
  return detail::Sum(A, B, Out) ? Out : fm::Add(A, B);
}

inline FLOAT32_BITS Sub(FLOAT32_BITS A, FLOAT32_BITS B) {
  FLOAT32_BITS Out;
  return detail::Sum(A, B ^ 0x80000000u, Out) ? Out : fm::Sub(A, B);
}

inline FLOAT32_BITS Mul(FLOAT32_BITS A, FLOAT32_BITS B) {
  bool NA, NB;
  UINT64 MA, MB;
  INT32 EA, EB;
  FLOAT32_BITS Out;
  if (detail::Decode(A, NA, MA, EA) && detail::Decode(B, NB, MB, EB)) {
    if (MA == 0 || MB == 0) {
      return (UINT32)(NA != NB) << 31;
    }
    if (detail::Round(NA != NB, MA * MB, EA + EB, Out)) {
      return Out;
    }
  }
  return fm::Mul(A, B);
}

inline FLOAT32_BITS Div(FLOAT32_BITS A, FLOAT32_BITS B) {
  bool NA, NB;
  UINT64 MA, MB;
  INT32 EA, EB;
  FLOAT32_BITS Out;
  if (detail::Decode(A, NA, MA, EA) && detail::Decode(B, NB, MB, EB) && MB != 0) {
    if (MA == 0) {
      return (UINT32)(NA != NB) << 31;
    }
    // MA * 2^40 / MB has 40 or 41 bits; one more bit, set when a remainder
    // is left, stands for everything below.
    const UINT64 Q = (MA << 40) / MB, Rest = (MA << 40) % MB;
    if (detail::Round(NA != NB, 2 * Q + (Rest != 0), EA - EB - 41, Out)) {
      return Out;
    }
  }
  return fm::Div(A, B);
}

}  // namespace xf
