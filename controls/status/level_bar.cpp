#include "controls/status/level_bar.h"

#include "raster/gradient.h"
#include "raster/line.h"
#include "raster/pen.h"
#include "raster/shapes.h"

namespace {

constexpr UINT32 kGreen = 0x3EFF06, kYellow = 0xF9FF07, kRed = 0xFF1F05, kBlack = 0x000000;
constexpr INT32 kSegments = 20;

}  // namespace

void DrawLevelBar(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, INT32 Value) {
  if (Value < 0) Value = 0;
  if (Value > 100) Value = 100;
  if (W < 41) W = 41;
  if (H < 3) H = 3;
  const INT32 Lit =
      fm::ToIntAlt(fm::Mul(fm::FromInt(kSegments), fm::Div(fm::FromInt(Value), fm::FromInt(100))));

  DrawLineOn(T, X, Y, X + W - 1, Y, kPenDot, kBlack);
  DrawLineOn(T, X, Y, X, Y + H - 1, kPenDot, kBlack);
  DrawLineOn(T, X + W - 1, Y, X + W - 1, Y + H - 1, kPenDot, kBlack);
  DrawLineOn(T, X, Y + H - 1, X + W - 1, Y + H - 1, kPenDot, kBlack);

  const INT32 Seg = (W - 1) / kSegments;
  auto Segment = [&](INT32 K, UINT32 Color) {
    const INT32 XS = X + 1 + K * Seg;
    DrawRectangleOn(T, XS, Y + 1, Seg - 1, H - 2, kPenDot, kFillSolid, Color, Color);
    DrawLineOn(T, XS + Seg - 1, Y + 1, XS + Seg - 1, Y + H - 2, kPenDot, kBlack);
  };
  // Segment 0 is green; 1..10 step towards yellow, 11..19 from yellow towards
  // red (every channel stays between its ends, so none is clamped). Each
  // gradient is set up only when a segment needs it.
  if (Lit > 0) Segment(0, kGreen);
  if (Lit > 1) {
    Gradient ToYellow(kGreen, kYellow, 10);
    for (INT32 K = 1; K < Lit && K <= 10; K++) {
      ToYellow.Advance();
      Segment(K, ToYellow.Color());
    }
  }
  if (Lit > 11) {
    Gradient ToRed(kYellow, kRed, 9);
    for (INT32 K = 11; K < Lit && K < kSegments; K++) {
      ToRed.Advance();
      Segment(K, ToRed.Color());
    }
  }
  if (Value == 100) {
    DrawRectangleOn(T, X + 1 + 19 * Seg, Y + 1, W - 2 - 19 * Seg, H - 2, kPenDot, kFillSolid, kRed,
                    kRed);
  } else {
    DrawRectangleOn(T, X + 1 + Lit * Seg, Y + 1, W - 2 - Lit * Seg, H - 2, kPenDot, kFillSolid,
                    kBlack, kBlack);
  }
}
