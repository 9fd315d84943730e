#pragma once
#include "driver/protocol.h"
#include "platform/float_math.h"
#include "raster/target.h"

UINTN EFIAPI DrawLine(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 X1, INT32 Y1,
                      INT32 X2, INT32 Y2, INT32 PenStyle, UINT32 Color);
UINTN EFIAPI DrawRegularPolygon(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 CenterX,
                                INT32 CenterY, INT32 Sides, INT32 Radius, INT32 PenStyle,
                                UINT32 Color);

// Rotates (PointX, PointY) about the centre by Angle degrees (float bits);
// returns the new x for Selector 0, else the new y.
INT32 RotatePoint(INT32 CenterX, INT32 CenterY, INT32 PointX, INT32 PointY, FLOAT32_BITS Angle,
                  UINT8 Selector);

// Stamps the pen at N consecutive points from (X, Y), to the right when
// Horizontal, else downwards, clipped to the target.
void StampRun(const DrawTarget &T, INT64 X, INT64 Y, INT64 N, bool Horizontal, INT32 PenStyle,
              UINT32 Color);
// DrawLine on a target; the filled shapes draw their outlines with it.
void DrawLineOn(const DrawTarget &T, INT32 X1, INT32 Y1, INT32 X2, INT32 Y2, INT32 PenStyle,
                UINT32 Color);
