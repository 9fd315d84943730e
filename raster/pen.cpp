#include "raster/pen.h"

namespace {

// Every pen is a square core of half-size Core, and, where Arm >= 0, four
// bars one step outside it, each 2 * Arm + 1 pixels long across its side:
//   dot      core 0            square 3 x 3    core 1
//   plus     core 0, arms 0    rounded 7 x 7   core 2, arms 1    rounded 9 x 9   core 3, arms 1
struct PenShape {
  INT32 Core;
  INT32 Arm;  // -1: no bars
};

PenShape ShapeOf(INT32 PenStyle) {
  switch (PenStyle) {
    case kPenPlus: return {0, 0};
    case kPenSquare: return {1, -1};
    case kPenRound7: return {2, 1};
    case kPenRound9: return {3, 1};
    default: return {0, -1};
  }
}

}  // namespace

int PenAsRects(INT32 PenStyle, PenRect (&Rects)[kMaxPenRects]) {
  const PenShape S = ShapeOf(PenStyle);
  int Count = 0;
  // The core, unless the bars cover it (the plus).
  if (S.Arm < S.Core) {
    Rects[Count++] = {-S.Core, -S.Core, 2 * S.Core + 1, 2 * S.Core + 1};
  }
  if (S.Arm >= 0) {
    const INT32 Across = 2 * S.Core + 3, Along = 2 * S.Arm + 1;
    Rects[Count++] = {-S.Core - 1, -S.Arm, Across, Along};  // left and right bars through the core
    Rects[Count++] = {-S.Arm, -S.Core - 1, Along, Across};  // top and bottom bars
  }
  return Count;
}

INT32 PenReach(INT32 PenStyle) {
  const PenShape S = ShapeOf(PenStyle);
  return S.Arm >= 0 ? S.Core + 1 : S.Core;
}

void DrawPointOn(const DrawTarget &T, INT32 X, INT32 Y, INT32 PenStyle, UINT32 Color) {
  const PenShape S = ShapeOf(PenStyle);
  T.Fill((INT64)X - S.Core, (INT64)Y - S.Core, 2 * S.Core + 1, 2 * S.Core + 1, Color);
  const INT64 Out = S.Core + 1;
  for (INT64 D = -S.Arm; D <= S.Arm; D++) {
    T.Fill(X + D, Y - Out, 1, 1, Color);
    T.Fill(X + D, Y + Out, 1, 1, Color);
    T.Fill(X - Out, Y + D, 1, 1, Color);
    T.Fill(X + Out, Y + D, 1, 1, Color);
  }
}

void StampRun(const DrawTarget &T, INT64 X, INT64 Y, INT64 N, bool Horizontal, INT32 PenStyle,
              UINT32 Color) {
  if (N <= 0) {
    return;
  }
  const INT64 Reach = PenReach(PenStyle);
  const INT64 Long = N + 2 * Reach, Short = 1 + 2 * Reach;
  if (ClipRect(T.Clip, X - Reach, Y - Reach, Horizontal ? Long : Short, Horizontal ? Short : Long)
          .Empty()) {
    return;
  }
  // A single point is an ordinary stamp; its coordinates are known to be near the target.
  if (N == 1 && X >= -0x7FFFFFFF && X <= 0x7FFFFFFF && Y >= -0x7FFFFFFF && Y <= 0x7FFFFFFF) {
    DrawPointOn(T, (INT32)X, (INT32)Y, PenStyle, Color);
    return;
  }
  PenRect Rects[kMaxPenRects];
  const int Count = PenAsRects(PenStyle, Rects);
  for (int I = 0; I < Count; I++) {
    const PenRect &P = Rects[I];
    T.Fill(X + P.Dx, Y + P.Dy, P.W + (Horizontal ? N - 1 : 0), P.H + (Horizontal ? 0 : N - 1),
           Color);
  }
}

UINTN EFIAPI DrawPoint(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 X, INT32 Y,
                       INT32 PenStyle, UINT32 Color) {
  DrawPointOn(DrawTarget::For(Buffer, RowWidth, Height), X, Y, PenStyle, Color);
  return 0;
}
