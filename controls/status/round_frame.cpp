#include "controls/status/round_frame.h"

namespace {

// The pixels of the square [Left, Left + R) x [Top, Top + R) whose squared
// distance from (CX, CY) lies between (R - 2)^2 and R^2.
void CornerRing(const DrawTarget &T, INT64 Left, INT64 Top, INT64 R, INT64 CX, INT64 CY,
                UINT32 Color) {
  const INT64 Inner = (R - 2) * (R - 2), Outer = R * R;
  for (INT64 I = Left; I < Left + R; I++) {
    for (INT64 J = Top; J < Top + R; J++) {
      const INT64 S = (I - CX) * (I - CX) + (J - CY) * (J - CY);
      if (S >= Inner && S <= Outer) {
        T.Fill(I, J, 1, 1, Color);
      }
    }
  }
}

}  // namespace

void DrawRoundFrame(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, UINT16 Radius,
                    UINT32 Color) {
  const INT32 R = Radius;
  DrawLineOn(T, X + R, Y, X + W - R - 1, Y, kPenDot, Color);
  DrawLineOn(T, X + R, Y + 1, X + W - R - 1, Y + 1, kPenDot, Color);
  DrawLineOn(T, X, Y + R, X, Y + H - R - 1, kPenDot, Color);
  DrawLineOn(T, X + 1, Y + R, X + 1, Y + H - R - 1, kPenDot, Color);
  DrawRectangleOn(T, X + W - 2, Y + R, 2, H - 2 * R, kPenDot, kFillSolid, Color, Color);
  DrawRectangleOn(T, X + R, Y + H - 2, W - 2 * R, 2, kPenDot, kFillSolid, Color, Color);
  const INT64 X0 = X, Y0 = Y, W0 = W, H0 = H;
  CornerRing(T, X0, Y0, R, X0 + R - 1, Y0 + R - 1, Color);
  CornerRing(T, X0 + W0 - R, Y0, R, X0 + W0 - R, Y0 + R - 1, Color);
  CornerRing(T, X0, Y0 + H0 - R, R, X0 + R - 1, Y0 + H0 - R, Color);
  CornerRing(T, X0 + W0 - R, Y0 + H0 - R, R, X0 + W0 - R, Y0 + H0 - R, Color);
}
