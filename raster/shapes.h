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

// True when (PX, PY) lies within R of (CX, CY).
BOOLEAN WithinRadius(INT32 PX, INT32 PY, INT32 CX, INT32 CY, INT32 R);

UINTN EFIAPI DrawCircle(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 CenterX,
                        INT32 CenterY, INT32 Radius, INT32 Thickness, INT32 FillStyle,
                        UINT32 Color1, UINT32 Color2);
UINTN EFIAPI DrawRectangle(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 X, INT32 Y,
                           INT32 Width, INT32 RectHeight, INT32 PenStyle, INT32 FillStyle,
                           UINT32 Color1, UINT32 Color2);
UINTN EFIAPI DrawTriangle(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, UINT32 X1, UINT32 Y1,
                          UINT32 X2, UINT32 Y2, UINT32 X3, UINT32 Y3, INT32 PenStyle,
                          INT32 FillStyle, UINT32 Color1, UINT32 Color2);
