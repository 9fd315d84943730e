#include "controls/status/round_frame.h"

#include "raster/line.h"
#include "raster/pen.h"
#include "raster/shapes.h"

void DrawRoundFrame(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, UINT16 Radius,
                    UINT32 Color) {
  const INT32 R = Radius;
  DrawLineOn(T, X + R, Y, X + W - R - 1, Y, kPenDot, Color);
  DrawLineOn(T, X + R, Y + 1, X + W - R - 1, Y + 1, kPenDot, Color);
  DrawLineOn(T, X, Y + R, X, Y + H - R - 1, kPenDot, Color);
  DrawLineOn(T, X + 1, Y + R, X + 1, Y + H - R - 1, kPenDot, Color);
  DrawRectangleOn(T, X + W - 2, Y + R, 2, H - 2 * R, kPenDot, kFillSolid, Color, Color);
  DrawRectangleOn(T, X + R, Y + H - 2, W - 2 * R, 2, kPenDot, kFillSolid, Color, Color);
  // Each corner: the square of side R whose pixels lie R - 2 to R from its centre.
  const INT64 X0 = X, Y0 = Y, W0 = W, H0 = H;
  auto Corner = [&](INT64 Left, INT64 Top, INT64 CX, INT64 CY) {
    ForRingPixels(Left, Top, R, R, CX, CY, R - 2, R,
                  [&](INT64 I, INT64 J) { T.Fill(I, J, 1, 1, Color); });
  };
  Corner(X0, Y0, X0 + R - 1, Y0 + R - 1);
  Corner(X0 + W0 - R, Y0, X0 + W0 - R, Y0 + R - 1);
  Corner(X0, Y0 + H0 - R, X0 + R - 1, Y0 + H0 - R);
  Corner(X0 + W0 - R, Y0 + H0 - R, X0 + W0 - R, Y0 + H0 - R);
}
