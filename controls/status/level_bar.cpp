#include "controls/status/level_bar.h"

#include "controls/status/exact_float.h"

namespace {

constexpr UINT32 kGreen = 0x3EFF06, kYellow = 0xF9FF07, kRed = 0xFF1F05, kBlack = 0x000000;
constexpr INT32 kSegments = 20;

// Three float channels (blue, green, red) that step from one colour towards another.
struct Accumulators {
  FLOAT32_BITS Value[3] = {}, Step[3] = {};
  Accumulators() = default;
  Accumulators(UINT32 From, UINT32 To, INT32 Steps) {
    const FLOAT32_BITS N = fm::FromInt(Steps);
    for (INT32 C = 0; C < 3; C++) {
      Value[C] = fm::FromInt((INT32)((From >> (8 * C)) & 0xFF));
      Step[C] = fm::Div(fm::Sub(fm::FromInt((INT32)((To >> (8 * C)) & 0xFF)), Value[C]), N);
    }
  }
  UINT32 Advance() {
    UINT32 Color = 0;
    for (INT32 C = 0; C < 3; C++) {
      Value[C] = fm::Add(Value[C], Step[C]);
      Color |= ((UINT32)TruncatedFloat(Value[C]) & 0xFF) << (8 * C);  // FloatToInt, exactly
    }
    return Color;
  }
};

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
  // Segment 0 is green; 1..10 step towards yellow, 11..19 from yellow towards red.
  // The accumulators are only started when a segment needs them.
  UINT32 Color = kGreen;
  Accumulators ToYellow, ToRed;
  for (INT32 K = 0; K < Lit && K < kSegments; K++) {
    if (K == 1) ToYellow = Accumulators(kGreen, kYellow, 10);
    if (K == 11) ToRed = Accumulators(kYellow, kRed, 9);
    if (K >= 1 && K <= 10) Color = ToYellow.Advance();
    if (K >= 11) Color = ToRed.Advance();
    const INT32 XS = X + 1 + K * Seg;
    DrawRectangleOn(T, XS, Y + 1, Seg - 1, H - 2, kPenDot, kFillSolid, Color, Color);
    DrawLineOn(T, XS + Seg - 1, Y + 1, XS + Seg - 1, Y + H - 2, kPenDot, kBlack);
  }
  if (Value == 100) {
    DrawRectangleOn(T, X + 1 + 19 * Seg, Y + 1, W - 2 - 19 * Seg, H - 2, kPenDot, kFillSolid, kRed,
                    kRed);
  } else {
    DrawRectangleOn(T, X + 1 + Lit * Seg, Y + 1, W - 2 - Lit * Seg, H - 2, kPenDot, kFillSolid,
                    kBlack, kBlack);
  }
}
