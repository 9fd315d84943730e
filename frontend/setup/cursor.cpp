// The pointer's arrow. The screen under it is kept while it shows, and every
// input event takes it away before anything paints, so no control saves it
// into its background and a move leaves no trail.
#include "frontend/setup/ui.h"

namespace setup {

namespace {

constexpr UINT32 kArrowFill = 0x00FFFFFF, kArrowEdge = 0x00000000;

}  // namespace

void HideCursor(SetupScreenState &S) {
  if (!S.CursorShown) {
    return;
  }
  S.CursorShown = false;
  UI(BlitToScreen, S.CursorUnder, S.CursorW, S.CursorH, S.CursorX, S.CursorY);
}

void ShowCursor(SetupScreenState &S) {
  const INT32 X = S.PointerX, Y = S.PointerY;
  // Cut at the layout's edge: the pointer's last column and row still show the tip.
  const INT32 W = X + kCursorWidth <= (INT32)kSceneWidth ? kCursorWidth : (INT32)kSceneWidth - X;
  const INT32 H =
      Y + kCursorHeight <= (INT32)kSceneHeight ? kCursorHeight : (INT32)kSceneHeight - Y;
  if (S.CursorShown || X < 0 || Y < 0 || W <= 0 || H <= 0 ||
      !ReadScreen(*S.C, S.CursorUnder, (UINT32)X, (UINT32)Y, (UINT32)W, (UINT32)H)) {
    return;
  }
  // Drawn whole over a copy of the screen under it, then cut to what shows.
  ORVANE_PIXEL Arrow[kCursorWidth * kCursorHeight] = {};
  for (INT32 R = 0; R < H; R++) {
    for (INT32 U = 0; U < W; U++) Arrow[R * kCursorWidth + U] = S.CursorUnder[R * W + U];
  }
  UI(DrawTriangle, Arrow, kCursorWidth, kCursorHeight, 0, 0, 0, 15, 11, 11, 1, 1, kArrowEdge,
     kArrowFill);
  UI(DrawTriangle, Arrow, kCursorWidth, kCursorHeight, 3, 11, 6, 18, 8, 17, 1, 1, kArrowEdge,
     kArrowFill);
  UI(DrawTriangle, Arrow, kCursorWidth, kCursorHeight, 3, 11, 8, 17, 6, 10, 1, 1, kArrowEdge,
     kArrowFill);
  for (INT32 R = 0; R < H; R++) {
    for (INT32 U = 0; U < W; U++) Arrow[R * W + U] = Arrow[R * kCursorWidth + U];
  }
  UI(BlitToScreen, Arrow, W, H, X, Y);
  S.CursorShown = true;
  S.CursorX = X;
  S.CursorY = Y;
  S.CursorW = W;
  S.CursorH = H;
}

}  // namespace setup
