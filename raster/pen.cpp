#include "raster/pen.h"

namespace {
constexpr PenRect kPlus[] = {{-1, 0, 3, 1}, {0, -1, 1, 3}};
constexpr PenRect kSquare3[] = {{-1, -1, 3, 3}};
constexpr PenRect kRound7[] = {{-2, -2, 5, 5}, {-1, -3, 3, 1}, {-1, 3, 3, 1}, {-3, -1, 1, 3}, {3, -1, 1, 3}};
constexpr PenRect kRound9[] = {{-3, -3, 7, 7}, {-1, -4, 3, 1}, {-1, 4, 3, 1}, {-4, -1, 1, 3}, {4, -1, 1, 3}};
constexpr PenRect kDot[] = {{0, 0, 1, 1}};
}  // namespace

void PenAsRects(INT32 PenStyle, const PenRect *&Rects, int &Count) {
  switch (PenStyle) {
    case kPenPlus: Rects = kPlus; Count = 2; break;
    case kPenSquare: Rects = kSquare3; Count = 1; break;
    case kPenRound7: Rects = kRound7; Count = 5; break;
    case kPenRound9: Rects = kRound9; Count = 5; break;
    default: Rects = kDot; Count = 1; break;
  }
}

INT32 PenReach(INT32 PenStyle) {
  switch (PenStyle) {
    case kPenPlus:
    case kPenSquare: return 1;
    case kPenRound7: return 3;
    case kPenRound9: return 4;
    default: return 0;
  }
}

void DrawPointOn(const DrawTarget &Target, INT32 X, INT32 Y, INT32 PenStyle, UINT32 Color) {
  // Core square half-size and cap half-length per style; the caps of styles 4
  // and 5 are 3-pixel bars one step outside the core, sent pixel by pixel.
  INT32 Core;
  switch (PenStyle) {
    case kPenPlus:
      Target.Put(X, Y, Color);
      Target.Put(X - 1, Y, Color);
      Target.Put(X + 1, Y, Color);
      Target.Put(X, Y - 1, Color);
      Target.Put(X, Y + 1, Color);
      return;
    case kPenSquare: Core = 1; break;
    case kPenRound7: Core = 2; break;
    case kPenRound9: Core = 3; break;
    default: Core = 0; break;
  }
  Target.Fill((INT64)X - Core, (INT64)Y - Core, 2 * Core + 1, 2 * Core + 1, Color);
  if (PenStyle == kPenRound7 || PenStyle == kPenRound9) {
    INT64 Cap = Core + 1;
    for (INT64 D = -1; D <= 1; D++) Target.Fill(X + D, Y - Cap, 1, 1, Color);
    for (INT64 D = -1; D <= 1; D++) Target.Fill(X + D, Y + Cap, 1, 1, Color);
    for (INT64 D = -1; D <= 1; D++) Target.Fill(X - Cap, Y + D, 1, 1, Color);
    for (INT64 D = -1; D <= 1; D++) Target.Fill(X + Cap, Y + D, 1, 1, Color);
  }
}

void StampRun(const DrawTarget &T, INT64 X, INT64 Y, INT64 N, bool Horizontal, INT32 PenStyle,
              UINT32 Color) {
  if (N <= 0) {
    return;
  }
  const INT64 Reach = PenReach(PenStyle);
  INT64 EndX = Horizontal ? X + N - 1 : X, EndY = Horizontal ? Y : Y + N - 1;
  if (EndX + Reach < T.Clip.X || X - Reach >= T.Clip.Right() || EndY + Reach < T.Clip.Y ||
      Y - Reach >= T.Clip.Bottom()) {
    return;
  }
  // A single point is an ordinary stamp; its coordinates are known to be near the target.
  if (N == 1 && X > -(1 << 30) && X < (1 << 30) && Y > -(1 << 30) && Y < (1 << 30)) {
    DrawPointOn(T, (INT32)X, (INT32)Y, PenStyle, Color);
    return;
  }
  const PenRect *Rects;
  int Count;
  PenAsRects(PenStyle, Rects, Count);
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
