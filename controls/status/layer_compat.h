// Temporary bridge to the drawing-layer names until they land on main.
#pragma once
#include "driver/protocol.h"
#include "raster/image_copy.h"
#include "raster/line.h"
#include "raster/shapes.h"
#include "raster/target.h"
#include "text/text.h"

enum : INT32 { kPenDot = 1, kPenPlus = 2, kPenSquare = 3, kPenRound7 = 4, kPenRound9 = 5 };
enum : INT32 { kFillOutline = 0, kFillSolid = 1, kFillColumns = 2, kFillRows = 3,
               kFillColumnsBare = 4, kFillRowsBare = 5, kFillDotted = 6 };

inline void DrawPointOn(const DrawTarget &T, INT32 X, INT32 Y, INT32 PenStyle, UINT32 Color) {
  StampPen(T, X, Y, PenStyle, Color);
}
inline void DrawRectangleOn(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, INT32 PenStyle,
                            INT32 FillStyle, UINT32 Color1, UINT32 Color2) {
  DrawRectangle(T.Pixels, T.RowWidth, T.Height, X, Y, W, H, PenStyle, FillStyle, Color1, Color2);
}
inline void DrawTriangleOn(const DrawTarget &T, UINT32 X1, UINT32 Y1, UINT32 X2, UINT32 Y2, UINT32 X3,
                           UINT32 Y3, INT32 PenStyle, INT32 FillStyle, UINT32 Color1, UINT32 Color2) {
  DrawTriangle(T.Pixels, T.RowWidth, T.Height, X1, Y1, X2, Y2, X3, Y3, PenStyle, FillStyle, Color1, Color2);
}
struct Rect {
  INT32 X, Y, Width, Height;
};
inline void PlaceImage(const DrawTarget &T, INT32 X, INT32 Y, const ORVANE_PIXEL *Source,
                       INT32 SourceRowWidth, const Rect &Part, const ORVANE_PIXEL *Key) {
  for (INT32 J = 0; J < Part.Height; J++) {
    for (INT32 I = 0; I < Part.Width; I++) {
      INT64 DX = (INT64)X + I, DY = (INT64)Y + J;
      if (DX < T.ClipLeft || DY < T.ClipTop || DX >= T.ClipRight || DY >= T.ClipBottom) continue;
      ORVANE_PIXEL P = Source[(UINTN)(Part.Y + J) * SourceRowWidth + Part.X + I];
      if (Key && (P.Red == Key->Red || P.Green == Key->Green || P.Blue == Key->Blue)) continue;
      T.Pixels[(UINTN)DY * T.RowWidth + DX] = P;
    }
  }
}
