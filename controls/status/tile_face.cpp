#include "controls/status/tile_face.h"

#include "raster/gradient.h"
#include "raster/pen.h"
#include "raster/shapes.h"

namespace {

constexpr UINT32 kTop = 0xAEAEAE, kLower = 0xFFFFFF;
constexpr UINT32 kActiveTop = 0x9FD169, kActiveLower = 0xE1F4CE;

struct Layer {
  UINT32 Top, SideFirst, SideLast, Bottom;
  UINT32 ShadeStart;
};
constexpr Layer kLayers[6] = {
    {0x424242, 0x505050, 0xABABAB, 0xCBCBCB, 0x42}, {0x424242, 0x505050, 0x8F8F8F, 0xB0B0B0, 0x42},
    {0x505050, 0x636363, 0xABABAB, 0xCBCBCB, 0x50}, {0x626262, 0x797979, 0xC7C7C7, 0xE0E0E0, 0x62},
    {0x787878, 0x8B8B8B, 0xDDDDDD, 0xEFEFEF, 0x78}, {0x8B8B8B, 0x9A9A9A, 0xEDEDED, 0xFAFAFA, 0x8B},
};

void Solid(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, UINT32 Color) {
  DrawRectangleOn(T, X, Y, W, H, kPenDot, kFillSolid, Color, Color);
}

// The ring pixels, R - 2 to R from (CX, CY), of one corner box [Left, Left + W) x
// [Top, Top + H); Shade(row) gives each pixel's colour.
template <typename ShadeFn>
void Ring(const DrawTarget &T, INT64 Left, INT64 Top, INT64 W, INT64 H, INT64 CX, INT64 CY, INT64 R,
          ShadeFn &&Shade) {
  ForRingPixels(Left, Top, W, H, CX, CY, R - 2, R,
                [&](INT64 I, INT64 J) { T.Fill(I, J, 1, 1, Shade(J)); });
}

}  // namespace

void DrawTileFace(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, UINT8 Active) {
  const bool On = Active == 1;
  const INT32 S = fm::ToIntAlt(fm::Mul(fm::Div(fm::FromInt(H), fm::FromInt(100)), fm::FromInt(60)));
  if (On) {
    FillRowsGradient(T, X + 2, Y + 6, W - 4, S - 6, kActiveTop, kActiveLower);
    Solid(T, X + 2, Y + S, W - 4, H - S - 6, kActiveLower);
  } else {
    FillRowsGradient(T, X + 6, Y + 6, W - 12, S - 6, kTop, kLower);
    Solid(T, X + 6, Y + S, W - 12, H - S - 6, kLower);
  }

  const INT64 X0 = X, Y0 = Y, W0 = W, H0 = H;
  for (INT32 K = 1; K <= 6; K++) {
    const Layer &L = kLayers[K - 1];
    const INT64 R = 11 - K;
    const UINT32 Top = On ? kActiveTop : L.Top, Bottom = On ? kActiveLower : L.Bottom;
    Solid(T, X + 10, Y + K, W - 18, 1, Top);
    if (!On && H - 18 > 0) {
      // Both side columns carry the same gradient: step it once.
      Gradient Side(L.SideFirst, L.SideLast, H - 18);
      StepLines(Side, Y0 + 10, Y0 + H0 - 8, T.Clip.Y, T.Clip.Bottom(),
                [&](INT64 Row, UINT32 Color) {
                  T.Fill(X0 + K, Row, 1, 1, Color);
                  T.Fill(X0 + W0 - K, Row, 1, 1, Color);
                });
    }
    Solid(T, X + 10, Y + H - K, W - 18, 1, Bottom);

    auto Upper = [&](INT64 J) -> UINT32 {
      if (On) return kActiveTop;
      const INT64 G = L.ShadeStart + 2 * (J < Y0 + K ? J - Y0 + 1 : J - Y0 - K + 1);
      const UINT32 V = (UINT32)G & 0xFF;
      return V | (V << 8) | (V << 16);
    };
    auto Lower = [&](INT64) -> UINT32 { return On ? kActiveLower : L.SideLast; };
    Ring(T, X0, Y0, 10, 10, X0 + 10, Y0 + 10, R, Upper);
    Ring(T, X0, Y0 + H0 - 9, 10, 9, X0 + 10, Y0 + H0 - 10, R, Lower);
    Ring(T, X0 + W0 - 9, Y0, 9, 10, X0 + W0 - 10, Y0 + 10, R, Upper);
    Ring(T, X0 + W0 - 9, Y0 + H0 - 9, 9, 9, X0 + W0 - 10, Y0 + H0 - 10, R, Lower);
  }
}
