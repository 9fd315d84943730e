// Types shared by every layer: the published ones (the pixel, Milli numbers,
// rendered text and the records of the controls, include/orvane.h) and, C++
// only, the rectangle every clip is made of.
#pragma once
#include "platform/efi.h"
// After efi.h, so that the toolkit's own UEFI headers are the ones in use.
#include "include/orvane.h"

#ifdef __cplusplus
inline constexpr INT64 Min64(INT64 A, INT64 B) { return A < B ? A : B; }
inline constexpr INT64 Max64(INT64 A, INT64 B) { return A > B ? A : B; }

struct Rect;
// The one rectangle clip: the part of (X, Y, W, H), in 64 bits so that far-off
// shapes clip before anything narrows, that lies inside Clip. Empty() when none.
inline Rect ClipRect(const Rect &Clip, INT64 X, INT64 Y, INT64 W, INT64 H);

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
    return ClipRect(*this, Other.X, Other.Y, Other.Width, Other.Height);
  }
};

inline Rect ClipRect(const Rect &Clip, INT64 X, INT64 Y, INT64 W, INT64 H) {
  if (Clip.Empty() || W <= 0 || H <= 0) {
    return {Clip.X, Clip.Y, 0, 0};
  }
  const INT64 L = X > Clip.X ? X : Clip.X, T = Y > Clip.Y ? Y : Clip.Y;
  const INT64 R = X + W < Clip.Right() ? X + W : Clip.Right();
  const INT64 B = Y + H < Clip.Bottom() ? Y + H : Clip.Bottom();
  if (L >= R || T >= B) {
    return {Clip.X, Clip.Y, 0, 0};
  }
  // Inside Clip, so every field fits in 32 bits.
  return {(INT32)L, (INT32)T, (INT32)(R - L), (INT32)(B - T)};
}
#endif
