// The pen: the shape stamped at each point of points, lines and outlines.
#pragma once
#include "raster/target.h"

// Pen styles; every other code is the single pixel.
enum : INT32 { kPenDot = 1, kPenPlus = 2, kPenSquare = 3, kPenRound7 = 4, kPenRound9 = 5 };

// A pen shape as rectangles (offsets from the centre) whose union is the
// shape; a run of stamps is each rectangle swept along the run.
struct PenRect {
  INT32 Dx, Dy, W, H;
};
constexpr int kMaxPenRects = 3;
int PenAsRects(INT32 PenStyle, PenRect (&Rects)[kMaxPenRects]);

// How far a pen reaches from its centre.
INT32 PenReach(INT32 PenStyle);

// Stamps one pen shape centred on (X, Y), clipped to the target. On the
// screen: one fill for the square core, one 1 x 1 fill per pixel outside it.
void DrawPointOn(const DrawTarget &T, INT32 X, INT32 Y, INT32 PenStyle, UINT32 Color);

// Stamps the pen at N consecutive points from (X, Y), to the right when
// Horizontal, else downwards, clipped to the target: one fill per pen rectangle.
void StampRun(const DrawTarget &T, INT64 X, INT64 Y, INT64 N, bool Horizontal, INT32 PenStyle,
              UINT32 Color);

UINTN EFIAPI DrawPoint(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 X, INT32 Y,
                       INT32 PenStyle, UINT32 Color);
