// The outside single-precision service. Floats travel as IEEE 754 bit patterns
// in UINT32, so the driver itself never touches the FPU.
#pragma once
#include "platform/efi.h"

#define FLOAT_MATH_PROTOCOL_GUID                                                   \
  {                                                                                \
    0xcc2ac9e3, 0x14a9, 0x11d3, { 0x8e, 0x77, 0x00, 0xa0, 0xc9, 0x69, 0x72, 0x3b } \
  }

typedef UINT32 FLOAT32_BITS;

typedef FLOAT32_BITS(EFIAPI *FLOAT_MATH_UNARY)(FLOAT32_BITS A);
typedef FLOAT32_BITS(EFIAPI *FLOAT_MATH_BINARY)(FLOAT32_BITS A, FLOAT32_BITS B);
typedef INT32(EFIAPI *FLOAT_MATH_TO_INT)(FLOAT32_BITS A);
typedef FLOAT32_BITS(EFIAPI *FLOAT_MATH_FROM_INT)(INT32 A);
typedef UINT8(EFIAPI *FLOAT_MATH_COMPARE)(FLOAT32_BITS A, FLOAT32_BITS B);

// Relation codes of FloatCompare.
#define FLOAT_LESS 1
#define FLOAT_EQUAL 8
#define FLOAT_GREATER 0

typedef struct {
  FLOAT_MATH_UNARY FloatNegate;       // 0: -a
  FLOAT_MATH_UNARY FloatAbs;          // 1: |a|
  FLOAT_MATH_UNARY FloatFloor;        // 2: largest integral value <= a
  FLOAT_MATH_BINARY FloatAdd;         // 3
  FLOAT_MATH_BINARY FloatSub;         // 4
  FLOAT_MATH_BINARY FloatMul;         // 5
  FLOAT_MATH_BINARY FloatDiv;         // 6
  FLOAT_MATH_UNARY FloatCos;          // 7: radians
  FLOAT_MATH_UNARY FloatSin;          // 8: radians
  FLOAT_MATH_UNARY FloatSqrt;         // 9
  FLOAT_MATH_TO_INT FloatToIntAlt;    // 10: truncates toward zero
  FLOAT_MATH_TO_INT FloatToInt;       // 11: truncates toward zero
  FLOAT_MATH_UNARY RadiansToDegrees;  // 12
  FLOAT_MATH_UNARY DegreesToRadians;  // 13
  FLOAT_MATH_FROM_INT IntToFloat;     // 14
  FLOAT_MATH_COMPARE FloatCompare;    // 15: 1 less, 8 equal, 0 greater
} FLOAT_MATH_PROTOCOL;

static_assert(sizeof(FLOAT_MATH_PROTOCOL) == 16 * 8);
static_assert(__builtin_offsetof(FLOAT_MATH_PROTOCOL, FloatNegate) == 0 * 8);
static_assert(__builtin_offsetof(FLOAT_MATH_PROTOCOL, FloatAbs) == 1 * 8);
static_assert(__builtin_offsetof(FLOAT_MATH_PROTOCOL, FloatFloor) == 2 * 8);
static_assert(__builtin_offsetof(FLOAT_MATH_PROTOCOL, FloatAdd) == 3 * 8);
static_assert(__builtin_offsetof(FLOAT_MATH_PROTOCOL, FloatSub) == 4 * 8);
static_assert(__builtin_offsetof(FLOAT_MATH_PROTOCOL, FloatMul) == 5 * 8);
static_assert(__builtin_offsetof(FLOAT_MATH_PROTOCOL, FloatDiv) == 6 * 8);
static_assert(__builtin_offsetof(FLOAT_MATH_PROTOCOL, FloatCos) == 7 * 8);
static_assert(__builtin_offsetof(FLOAT_MATH_PROTOCOL, FloatSin) == 8 * 8);
static_assert(__builtin_offsetof(FLOAT_MATH_PROTOCOL, FloatSqrt) == 9 * 8);
static_assert(__builtin_offsetof(FLOAT_MATH_PROTOCOL, FloatToIntAlt) == 10 * 8);
static_assert(__builtin_offsetof(FLOAT_MATH_PROTOCOL, FloatToInt) == 11 * 8);
static_assert(__builtin_offsetof(FLOAT_MATH_PROTOCOL, RadiansToDegrees) == 12 * 8);
static_assert(__builtin_offsetof(FLOAT_MATH_PROTOCOL, DegreesToRadians) == 13 * 8);
static_assert(__builtin_offsetof(FLOAT_MATH_PROTOCOL, IntToFloat) == 14 * 8);
static_assert(__builtin_offsetof(FLOAT_MATH_PROTOCOL, FloatCompare) == 15 * 8);
