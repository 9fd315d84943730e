#pragma once
#include "driver/protocol.h"
#include "platform/float_math.h"

UINTN EFIAPI DrawCircle(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 CenterX,
                        INT32 CenterY, INT32 Radius, INT32 Thickness, INT32 FillStyle,
                        UINT32 Color1, UINT32 Color2);
UINTN EFIAPI DrawRectangle(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 X, INT32 Y,
                           INT32 Width, INT32 RectHeight, INT32 PenStyle, INT32 FillStyle,
                           UINT32 Color1, UINT32 Color2);
UINTN EFIAPI DrawTriangle(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, UINT32 X1, UINT32 Y1,
                          UINT32 X2, UINT32 Y2, UINT32 X3, UINT32 Y3, INT32 PenStyle,
                          INT32 FillStyle, UINT32 Color1, UINT32 Color2);

// Area of the triangle as float bits, never negative.
FLOAT32_BITS TriangleArea(INT32 XA, INT32 YA, INT32 XB, INT32 YB, INT32 XC, INT32 YC);

// True when (PX, PY) lies within R of (CX, CY).
BOOLEAN WithinRadius(INT32 PX, INT32 PY, INT32 CX, INT32 CY, INT32 R);
