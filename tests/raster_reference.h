// The line and shape primitives written plainly, pixel by pixel, as the
// yardstick the fast versions are held to: every pixel is tested on its own
// with the float service and written on its own (a store in a buffer, a
// 1 x 1 fill on the screen), clipped by DrawTarget like the real ones.
//
// Where the drawing routines make a choice of their own (gradients of zero
// steps, the screen rectangle's buffer, which shows nothing when it is 0 or
// less wide or high), these make the same one, so any difference in an image
// is a difference in the fast paths.
#pragma once
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "raster/target.h"

namespace ref {

void Stamp(const DrawTarget &T, INT64 X, INT64 Y, INT32 PenStyle, UINT32 Color);
void LineOn(const DrawTarget &T, INT32 X1, INT32 Y1, INT32 X2, INT32 Y2, INT32 PenStyle,
            UINT32 Color);

UINTN DrawLine(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 X1, INT32 Y1, INT32 X2,
               INT32 Y2, INT32 PenStyle, UINT32 Color);
INT32 RotatePoint(INT32 CenterX, INT32 CenterY, INT32 PointX, INT32 PointY, FLOAT32_BITS Angle,
                  UINT8 Selector);
UINTN DrawRegularPolygon(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 CenterX,
                         INT32 CenterY, INT32 Sides, INT32 Radius, INT32 PenStyle, UINT32 Color);
FLOAT32_BITS TriangleArea(INT32 XA, INT32 YA, INT32 XB, INT32 YB, INT32 XC, INT32 YC);
UINTN DrawRectangle(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 X, INT32 Y,
                    INT32 Width, INT32 RectHeight, INT32 PenStyle, INT32 FillStyle, UINT32 Color1,
                    UINT32 Color2);
UINTN DrawTriangle(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, UINT32 X1, UINT32 Y1,
                   UINT32 X2, UINT32 Y2, UINT32 X3, UINT32 Y3, INT32 PenStyle, INT32 FillStyle,
                   UINT32 Color1, UINT32 Color2);
UINTN DrawCircle(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 CenterX, INT32 CenterY,
                 INT32 Radius, INT32 Thickness, INT32 FillStyle, UINT32 Color1, UINT32 Color2);

}  // namespace ref

// Helpers shared by the line and shape tests.
namespace rastertest {

// A caller's buffer with untouchable margins before and after it.
struct Canvas {
  static constexpr size_t kGuard = 4096;
  static constexpr uint32_t kGuardColor = 0xDEADBEEF;
  int W, H;
  std::vector<uint32_t> Store;

  Canvas(int Width, int Height, uint32_t Background = 0x00101010)
      : W{Width}, H{Height}, Store(kGuard * 2 + (size_t)Width * Height, kGuardColor) {
    for (size_t I = 0; I < (size_t)W * H; I++) Store[kGuard + I] = Background;
  }
  ORVANE_PIXEL *Pixels() { return reinterpret_cast<ORVANE_PIXEL *>(Store.data() + kGuard); }
  uint32_t At(int X, int Y) const { return Store[kGuard + (size_t)Y * W + X]; }
  std::vector<uint32_t> Image() const {
    return std::vector<uint32_t>(Store.begin() + kGuard, Store.begin() + kGuard + (size_t)W * H);
  }
  bool GuardsIntact() const {
    for (size_t I = 0; I < kGuard; I++) {
      if (Store[I] != kGuardColor || Store[Store.size() - 1 - I] != kGuardColor) return false;
    }
    return true;
  }
  size_t CountColor(uint32_t Color) const {
    size_t N = 0;
    for (size_t I = 0; I < (size_t)W * H; I++) N += Store[kGuard + I] == Color;
    return N;
  }
};

// Where two images of one width first differ, for failure messages.
std::string FirstDifference(const std::vector<uint32_t> &A, const std::vector<uint32_t> &B, int W);

// Random colour, sometimes with the reserved byte set.
uint32_t RandomColor(std::mt19937 &Rng);

}  // namespace rastertest
