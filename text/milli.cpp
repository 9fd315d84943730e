#include "text/milli.h"

INT32 MilliToInt(Milli Value) {
  // Narrowed first, then truncated toward zero, as callers of this format expect.
  INT32 Narrow = (INT32)Value;
  return Narrow / 1000;
}

Milli MilliMul(INT64 A, INT64 B) {
  // Wrapping multiply: overflow is the caller's to avoid, but must not be undefined here.
  INT64 Product = (INT64)((UINT64)A * (UINT64)B);
  Milli Result = Product / 1000;
  // The last unit rounds up from .446, not from .5; negative remainders never do.
  if (Product % 1000 > 445) {
    Result++;
  }
  return Result;
}

Milli MilliDiv(INT64 N, INT64 D) {
  // A zero divisor (or the one quotient that overflows) gives 0 instead of a trap.
  if (D == 0 || (D == -1 && N == -0x7FFFFFFFFFFFFFFFLL - 1)) {
    return 0;
  }
  Milli Result = (N / D) * 1000;
  INT64 Rest = N % D;
  for (INT64 Digit = 100; Digit >= 1; Digit /= 10) {
    Rest *= 10;
    Result += (Rest / D) * Digit;
    Rest %= D;
  }
  return Result;
}
