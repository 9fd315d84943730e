// Lines and regular polygons.
#pragma once
#include "platform/float_math.h"
#include "raster/pen.h"
#include "raster/target.h"

// The line from (X1, Y1) to (X2, Y2), both ends included, stamped with the pen.
void DrawLineOn(const DrawTarget &T, INT32 X1, INT32 Y1, INT32 X2, INT32 Y2, INT32 PenStyle,
                UINT32 Color);
// A regular polygon inscribed in the circle of Radius about the centre, its
// first vertex at the top, each next one rotated from the previous.
void DrawRegularPolygonOn(const DrawTarget &T, INT32 CenterX, INT32 CenterY, INT32 Sides,
                          INT32 Radius, INT32 PenStyle, UINT32 Color);

// One of the two per-axis functions of a sloped line with slope M and
// intercept K (float bits): over columns F(i) = ToInt(M*i + K), over rows
// G(j) = ToInt((j - K) / M), each step rounded as the float service rounds.
class LineAxis {
 public:
  LineAxis(bool Columns, FLOAT32_BITS M, FLOAT32_BITS K);
  INT32 At(INT64 V) const;
  // The same value, always through the float steps (raster/exact_float.h).
  INT32 Stepped(INT64 V) const;

 private:
  bool Columns_;
  FLOAT32_BITS M_, K_;
  // The exact value at V is (A_ V + B_) / D_; D_ = 2^Shift_ over columns.
  bool Exact_ = false;
  INT64 A_ = 0, B_ = 0, D_ = 1;
  INT32 Shift_ = 0;
};

// Rotates (PointX, PointY) about the centre by Angle degrees (float bits);
// returns the new x for Selector 0, else the new y.
INT32 RotatePoint(INT32 CenterX, INT32 CenterY, INT32 PointX, INT32 PointY, FLOAT32_BITS Angle,
                  UINT8 Selector);

UINTN EFIAPI DrawLine(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 X1, INT32 Y1,
                      INT32 X2, INT32 Y2, INT32 PenStyle, UINT32 Color);
UINTN EFIAPI DrawRegularPolygon(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 CenterX,
                                INT32 CenterY, INT32 Sides, INT32 Radius, INT32 PenStyle,
                                UINT32 Color);
