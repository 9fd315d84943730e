// Circles, rectangles and triangles with their fill styles and gradients.
#pragma once
#include "platform/float_math.h"
#include "raster/target.h"

// Fill styles of rectangles and triangles; every other code is outline only.
// The first colour is the outline and the gradient's start, the second the
// fill and the gradient's end.
enum : INT32 {
  kFillOutline = 0,
  kFillSolid = 1,
  kFillColumns = 2,      // gradient left to right, outline
  kFillRows = 3,         // gradient top to bottom, outline
  kFillColumnsBare = 4,  // gradient by columns, no outline
  kFillRowsBare = 5,     // gradient by rows, no outline
  kFillDotted = 6,       // every second pixel both ways, outline
};
// Circles share 0 (outline) and 1 (disc); 2 and 3 are their own; the rest is outline only.
enum : INT32 { kCircleRadial = 2, kCircleDotted = 3 };

// Returns EFI_OUT_OF_RESOURCES, having drawn nothing, when a filled rectangle on
// the screen cannot have its buffer, else EFI_SUCCESS or the transfer's status.
EFI_STATUS DrawRectangleOn(const DrawTarget &T, INT32 X, INT32 Y, INT32 Width, INT32 Height,
                           INT32 PenStyle, INT32 FillStyle, UINT32 Color1, UINT32 Color2);
void DrawTriangleOn(const DrawTarget &T, UINT32 X1, UINT32 Y1, UINT32 X2, UINT32 Y2, UINT32 X3,
                    UINT32 Y3, INT32 PenStyle, INT32 FillStyle, UINT32 Color1, UINT32 Color2);
void DrawCircleOn(const DrawTarget &T, INT32 CenterX, INT32 CenterY, INT32 Radius, INT32 Thickness,
                  INT32 FillStyle, UINT32 Color1, UINT32 Color2);

// Area of the triangle as float bits, never negative.
FLOAT32_BITS TriangleArea(INT32 XA, INT32 YA, INT32 XB, INT32 YB, INT32 XC, INT32 YC);

// True when (PX, PY) lies within R of (CX, CY), as the float service finds it.
BOOLEAN WithinRadius(INT32 PX, INT32 PY, INT32 CX, INT32 CY, INT32 R);

// The radius tests in integers, on the squares: d^2 for the distance d of
// (PX, PY) from (CX, CY), and R^2. Exact while the differences stay below
// 2^63, as they do for 32-bit coordinates and sums of them; in 64 bits when
// they are below 2^31, as in every control.
constexpr unsigned __int128 SquaredDistance(INT64 PX, INT64 PY, INT64 CX, INT64 CY) {
  const UINT64 DX = PX > CX ? (UINT64)PX - (UINT64)CX : (UINT64)CX - (UINT64)PX;
  const UINT64 DY = PY > CY ? (UINT64)PY - (UINT64)CY : (UINT64)CY - (UINT64)PY;
  if (((DX | DY) >> 31) == 0) return DX * DX + DY * DY;
  return (unsigned __int128)DX * DX + (unsigned __int128)DY * DY;
}
constexpr unsigned __int128 SquaredDistance(INT64 R) { return SquaredDistance(R, 0, 0, 0); }

// The sign of d - |R|: negative inside the circle of radius R, 0 on it,
// positive outside.
constexpr INT32 CompareDistance(INT64 PX, INT64 PY, INT64 CX, INT64 CY, INT64 R) {
  const unsigned __int128 D2 = SquaredDistance(PX, PY, CX, CY), R2 = SquaredDistance(R);
  return D2 < R2 ? -1 : D2 == R2 ? 0 : 1;
}

// |Inner| <= d <= |Outer|: the ring of a rounded corner.
constexpr bool InRing(INT64 PX, INT64 PY, INT64 CX, INT64 CY, INT64 Inner, INT64 Outer) {
  const unsigned __int128 D2 = SquaredDistance(PX, PY, CX, CY);
  return SquaredDistance(Inner) <= D2 && D2 <= SquaredDistance(Outer);
}

// Calls Put(X, Y) for each pixel of the box [Left, Left + W) x [Top, Top + H)
// with |Inner| <= d <= |Outer| from (CX, CY): the ring of a rounded corner.
template <typename PutFn>
void ForRingPixels(INT64 Left, INT64 Top, INT64 W, INT64 H, INT64 CX, INT64 CY, INT64 Inner,
                   INT64 Outer, PutFn &&Put) {
  constexpr INT64 kNear = (INT64)1 << 30;
  auto Near = [&](INT64 V) { return V > -kNear && V < kNear; };
  if (Near(Left - CX) && Near(Left + W - CX) && Near(Top - CY) && Near(Top + H - CY) &&
      Near(Inner) && Near(Outer)) {
    // Every square below 2^60: plain 64-bit sums.
    const INT64 Lo = Inner * Inner, Hi = Outer * Outer;
    for (INT64 Y = Top; Y < Top + H; Y++) {
      for (INT64 X = Left; X < Left + W; X++) {
        const INT64 D2 = (X - CX) * (X - CX) + (Y - CY) * (Y - CY);
        if (Lo <= D2 && D2 <= Hi) Put(X, Y);
      }
    }
    return;
  }
  for (INT64 Y = Top; Y < Top + H; Y++) {
    for (INT64 X = Left; X < Left + W; X++) {
      if (InRing(X, Y, CX, CY, Inner, Outer)) Put(X, Y);
    }
  }
}

// WithinRadius's answer without the float service where it is exact: for
// differences and R below 2^11 and coordinates below 2^17 single precision is
// exact on every step (the squares and their sum, the correctly rounded root
// against R), so it is d <= R; elsewhere WithinRadius is asked.
inline bool InRadius(INT32 PX, INT32 PY, INT32 CX, INT32 CY, INT32 R) {
  constexpr INT64 kExact = 1 << 11, kNear = 1 << 17;
  const INT64 DX = (INT64)CX - PX, DY = (INT64)PY - CY;
  const bool Near = PX > -kNear && PX < kNear && PY > -kNear && PY < kNear && CX > -kNear &&
                    CX < kNear && CY > -kNear && CY < kNear;
  if (Near && DX > -kExact && DX < kExact && DY > -kExact && DY < kExact && R >= 0 && R < kExact) {
    return CompareDistance(PX, PY, CX, CY, R) <= 0;
  }
  return WithinRadius(PX, PY, CX, CY, R) != 0;
}

UINTN EFIAPI DrawCircle(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 CenterX,
                        INT32 CenterY, INT32 Radius, INT32 Thickness, INT32 FillStyle,
                        UINT32 Color1, UINT32 Color2);
UINTN EFIAPI DrawRectangle(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 X, INT32 Y,
                           INT32 Width, INT32 RectHeight, INT32 PenStyle, INT32 FillStyle,
                           UINT32 Color1, UINT32 Color2);
UINTN EFIAPI DrawTriangle(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, UINT32 X1, UINT32 Y1,
                          UINT32 X2, UINT32 Y2, UINT32 X3, UINT32 Y3, INT32 PenStyle,
                          INT32 FillStyle, UINT32 Color1, UINT32 Color2);
