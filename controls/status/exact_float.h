// Two float-service answers that the service's contract fixes, worked out
// with integers where the painters would otherwise call once per row:
//
// - IntToFloat gives the nearest single. An integer n with |n| < 2^24 is a
//   single itself (its binary form has at most 24 significant bits), so the
//   answer is n exactly: sign, exponent floor(log2 |n|) + 127, and the bits
//   below the leading one as the fraction. Larger n still go to the service.
// - FloatToInt and FloatToIntAlt truncate toward zero and answer INT32_MIN
//   (0x80000000) for NaN and every value outside [-2^31, 2^31). With
//   x = (-1)^s * 1.f * 2^e, truncation keeps the integer part of 1.f * 2^e:
//   the 24-bit significand shifted right by 23 - e (e < 23) or left by e - 23.
//   |x| < 1 (e < 0, zeros and subnormals included) truncates to 0; e >= 31
//   (including -2^31 itself, whose answer is INT32_MIN either way), infinities
//   and NaN give INT32_MIN.
//
// Both are therefore the service's own bit pattern and integer for every
// argument they accept (checked against the service in exact_float_test).
#pragma once
#include "platform/services.h"

inline FLOAT32_BITS ExactIntToFloat(INT32 N) {
  const UINT32 Magnitude = N < 0 ? (UINT32)0 - (UINT32)N : (UINT32)N;
  if (Magnitude >= (1u << 24)) {
    return fm::FromInt(N);
  }
  if (Magnitude == 0) {
    return 0;  // +0
  }
  const UINT32 Top = 31 - (UINT32)__builtin_clz(Magnitude);  // floor(log2 |n|), at most 23
  const UINT32 Fraction = (Magnitude << (23 - Top)) & 0x7FFFFF;
  return (N < 0 ? 0x80000000u : 0) | ((Top + 127) << 23) | Fraction;
}

inline INT32 TruncatedFloat(FLOAT32_BITS X) {
  const INT32 Exponent = (INT32)((X >> 23) & 0xFF) - 127;
  if (Exponent < 0) {
    return 0;
  }
  if (Exponent >= 31) {
    return (INT32)0x80000000u;  // too large, infinite or NaN
  }
  const UINT32 Significand = (X & 0x7FFFFF) | 0x800000;
  const UINT32 Whole =
      Exponent >= 23 ? Significand << (Exponent - 23) : Significand >> (23 - Exponent);
  return (X >> 31) != 0 ? -(INT32)Whole : (INT32)Whole;
}
