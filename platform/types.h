// Types shared by every layer and published to front-ends: the pixel, Milli
// numbers, rendered text, and (C++ only) the rectangle every clip is made of.
#pragma once
#include "platform/efi.h"

typedef EFI_GRAPHICS_OUTPUT_BLT_PIXEL ORVANE_PIXEL;

// A value times 1000: 1500 is 1.5.
typedef INT64 Milli;

// Rendered text exchanged with callers; Bitmap is Width x Height pixels of pool memory.
typedef struct {
  UINT32        Foreground;
  UINT32        Background;
  UINT32        Width;
  UINT32        Height;
  ORVANE_PIXEL *Bitmap;
} TextImage;

static_assert(sizeof(TextImage) == 24);
static_assert(__builtin_offsetof(TextImage, Foreground) == 0);
static_assert(__builtin_offsetof(TextImage, Background) == 4);
static_assert(__builtin_offsetof(TextImage, Width) == 8);
static_assert(__builtin_offsetof(TextImage, Height) == 12);
static_assert(__builtin_offsetof(TextImage, Bitmap) == 16);

#ifdef __cplusplus
// X, Y, Width, Height; the right and bottom edges are exclusive and computed
// in 64 bits, so no rectangle of 32-bit fields overflows.
struct Rect {
  INT32 X, Y, Width, Height;

  INT64 Right() const { return (INT64)X + Width; }
  INT64 Bottom() const { return (INT64)Y + Height; }
  bool Empty() const { return Width <= 0 || Height <= 0; }
  bool Contains(INT64 PX, INT64 PY) const {
    return !Empty() && PX >= X && PX < Right() && PY >= Y && PY < Bottom();
  }
  // Empty() when the two do not overlap.
  Rect Intersect(const Rect &Other) const {
    if (Empty() || Other.Empty()) {
      return {X, Y, 0, 0};
    }
    INT64 L = X > Other.X ? X : Other.X;
    INT64 T = Y > Other.Y ? Y : Other.Y;
    INT64 R = Right() < Other.Right() ? Right() : Other.Right();
    INT64 B = Bottom() < Other.Bottom() ? Bottom() : Other.Bottom();
    if (L >= R || T >= B) {
      return {(INT32)L, (INT32)T, 0, 0};
    }
    return {(INT32)L, (INT32)T, (INT32)(R - L), (INT32)(B - T)};
  }
};
#endif
