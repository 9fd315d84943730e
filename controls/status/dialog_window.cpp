#include "controls/status/dialog_window.h"

#include "raster/gradient.h"
#include "raster/shapes.h"

namespace {

constexpr INT32 kRadius = 8;
constexpr UINT32 kRimTop = 0xD2, kRimBottom = 0x7D;
constexpr UINT32 kPanel = 0xEEEEEE, kGrip = 0x959595;

// One rounded shape over (X, Y, W, H) with corner radius 8: each row
// Y + 1 .. Y + H - 1 gets the colour Next() gives. The rows of the bottom
// corners are visited from the bottom up while the colours run on, so the
// bottom corners take the last seven colours in reverse order.
// Columns [HideFrom, HideTo] of rows HideTop..HideBottom are left out of the
// middle line: something painted later covers them.
template <typename NextFn>
void RoundedRows(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, NextFn &&Next,
                 INT64 HideTop = 1, INT64 HideBottom = 0, INT64 HideFrom = 0, INT64 HideTo = 0) {
  const INT64 X0 = X, W0 = W;
  INT32 Counter = Y + H - 1;
  for (INT32 R = Y + 1; R <= Y + H - 1; R++) {
    const UINT32 Color = Next();
    const INT64 From = X0 + kRadius, To = X0 + W0 - kRadius;  // inclusive
    if (R >= HideTop && R <= HideBottom && HideFrom > From && HideTo < To) {
      T.Fill(From, R, HideFrom - From, 1, Color);
      T.Fill(HideTo + 1, R, To - HideTo, 1, Color);
    } else {
      T.Fill(From, R, To - From + 1, 1, Color);
    }
    if (R < Y + kRadius || R > Y + H - kRadius) {
      const INT32 Row = R < Y + kRadius ? R : Counter--;
      const INT32 CY = R < Y + kRadius ? Y + kRadius : Y + H - kRadius;
      for (INT32 I = 1; I < kRadius; I++) {
        if (InRadius(X + I, Row, X + kRadius, CY, kRadius)) T.Put(X + I, Row, Color);
        if (InRadius(X + W - I, Row, X + W - kRadius, CY, kRadius)) T.Put(X + W - I, Row, Color);
      }
    } else {
      T.Fill(X0 + 1, R, kRadius - 1, 1, Color);
      T.Fill(X0 + W0 - kRadius + 1, R, kRadius - 1, 1, Color);
    }
  }
}

}  // namespace

void DrawDialogWindow(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H) {
  // A grey: its three channels step alike, as one.
  Gradient Rim(kRimTop * 0x010101, kRimBottom * 0x010101, H);
  // The panel's middle line covers most of each rim row; the rim leaves it out.
  const INT64 X0 = X, Y0 = Y, W0 = W, H0 = H;
  RoundedRows(
      T, X, Y, W, H,
      [&] {
        const UINT32 Color = Rim.Color();
        Rim.Advance();
        return Color;
      },
      Y0 + 4, Y0 + H0 - 4, X0 + 11, X0 + W0 - 11);
  RoundedRows(T, X + 3, Y + 3, W - 6, H - 6, [] { return kPanel; });
  const INT32 Left = X + 3 + (W - 69) / 2;
  for (INT32 Row = Y + 9; Row <= Y + 13; Row += 2) {
    for (INT32 I = 0; I <= 62; I += 2) T.Put(Left + I, Row, kGrip);
  }
}
