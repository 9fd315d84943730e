#include "tests/painter_reference.h"

#include "platform/services.h"
#include "text/text.h"

namespace ref {
namespace {

void Put(const DrawTarget &T, INT64 X, INT64 Y, UINT32 Color) {
  if (T.Clip.Contains(X, Y)) T.Put((INT32)X, (INT32)Y, Color);
}

// DrawLine with pen style 1 where the line is horizontal.
void HLine(const DrawTarget &T, INT64 X1, INT64 X2, INT64 Y, UINT32 Color) {
  for (INT64 X = X1 < X2 ? X1 : X2; X <= (X1 < X2 ? X2 : X1); X++) Put(T, X, Y, Color);
}

// DrawRectangle, pen style 1, fill style 1, both colours C. A rectangle 0 or
// less wide or high follows the same loops: its outline still stamps the
// columns X and X + W - 1 (or the rows Y and Y + H - 1).
void SolidRect(const DrawTarget &T, INT64 X, INT64 Y, INT64 W, INT64 H, UINT32 C) {
  for (INT64 V = Y; V < Y + H; V++)
    for (INT64 U = X; U < X + W; U++) Put(T, U, V, C);
  for (INT64 U = X; U < X + W; U++) {
    Put(T, U, Y, C);
    Put(T, U, Y + H - 1, C);
  }
  for (INT64 V = Y; V < Y + H; V++) {
    Put(T, X, V, C);
    Put(T, X + W - 1, V, C);
  }
}

// DrawRectangle, fill style 4 (column gradient, no outline) from A to B.
void ColumnGradientRect(const DrawTarget &T, INT64 X, INT64 Y, INT32 W, INT64 H, UINT32 A,
                        UINT32 B) {
  FLOAT32_BITS Value[3], Step[3];
  UINT32 Color = A;
  for (int C = 0; C < 3; C++) {
    Value[C] = fm::FromInt((INT32)((A >> (8 * C)) & 0xFF));
    Step[C] =
        fm::Div(fm::Sub(fm::FromInt((INT32)((B >> (8 * C)) & 0xFF)), Value[C]), fm::FromInt(W));
  }
  for (INT64 U = X; U < X + W; U++) {
    for (INT64 V = Y; V < Y + H; V++) Put(T, U, V, Color);
    for (int C = 0; C < 3; C++) {
      Value[C] = fm::Add(Value[C], Step[C]);
      INT32 N = fm::ToInt(Value[C]);
      N = N < 0 ? 0 : N >= 256 ? 255 : N;
      Color = (Color & ~(0xFFu << (8 * C))) | ((UINT32)N << (8 * C));
    }
  }
}

INT32 Margin(INT32 W) { return fm::ToInt(fm::Div(fm::FromInt(W), fm::FromInt(20))); }

}  // namespace

BOOLEAN WithinRadius(INT32 PX, INT32 PY, INT32 CX, INT32 CY, INT32 R) {
  FLOAT32_BITS DX = fm::Sub(fm::FromInt(CX), fm::FromInt(PX));
  FLOAT32_BITS DY = fm::Sub(fm::FromInt(PY), fm::FromInt(CY));
  FLOAT32_BITS D = fm::Sqrt(fm::Add(fm::Mul(DX, DX), fm::Mul(DY, DY)));
  return fm::Compare(D, fm::FromInt(R)) != FLOAT_GREATER;
}

UINTN DrawItemCell(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, INT32 Ordinal,
                   UINT16 Style, const CHAR16 *Label, UINT16 Align, UINT16 Flags) {
  SolidRect(T, X, Y, W, H, 0x131313);
  if (Style == 6) ColumnGradientRect(T, X, Y, W, H, 0x565656, 0x565656);
  bool Left = Style == 0 || (Style == 2 && Label != nullptr);
  bool Right = Style == 1 || (Style == 2 && Label == nullptr);
  if (Left) {
    HLine(T, X + 26, X + W, Y + H - 2, 0x090909);
    HLine(T, X + 26, X + W, Y + H - 1, 0x3C3C3C);
  } else if (Right) {
    HLine(T, X, X + W - 16, Y + H - 2, 0x090909);
    HLine(T, X, X + W - 16, Y + H - 1, 0x3C3C3C);
  }
  if ((Flags & 0xF) == 1 && Style <= 2) {
    if (Left) ColumnGradientRect(T, X + 26, Y + 1, W - 26, H - 3, 0x2C6C05, 0x2C6C05);
    if (Right) ColumnGradientRect(T, X, Y + 1, W - 15, H - 3, 0x2C6C05, 0x2C6C05);
  }
  if (Label == nullptr) return 0;
  UINT32 Color = 0xFFFFFF;
  static const UINT32 Codes[8] = {0,        0xFF0000, 0x00FF00, 0x0000FF,
                                  0xFFFF00, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
  if ((Flags & 0xF) == 2) {
    Color = 0x828282;
  } else if (Style == 6) {
    Color = 0xE5994B;
  } else if (Align == 6 && (Flags & 0x70) != 0) {
    Color = Codes[(Flags & 0x70) >> 4];
  }
  TextImage Text = {Color, 0x010101, 0, 0, nullptr};
  if (RenderText(1000, &Text, Label) != 0) return 0;
  INT32 TY = Y + H / 2 - (INT32)(Text.Height / 2);
  INT32 TX;
  switch (Align) {
    case 1: TX = X + W / 2 - (INT32)(Text.Width / 2); break;
    case 2: TX = X + W - Margin(W) - (INT32)Text.Width; break;
    case 5: TX = X + 26; break;
    case 6: TX = X + 13; break;
    default: TX = X + Margin(W); break;
  }
  if (T.IsScreen()) {
    DrawText(Color, nullptr, 1000, (UINT16)TX, (UINT16)TY, W("%s"), Label);
  } else {
    bool Dim = Align == 5 && Style == 0 && (Flags & 0x80) != 0;
    for (UINT32 J = 0; J < Text.Height; J++) {
      for (UINT32 I = 0; I < Text.Width; I++) {
        ORVANE_PIXEL P = Text.Bitmap[J * Text.Width + I];
        if (P.Blue != (UINT8)Color || P.Green != (UINT8)(Color >> 8) ||
            P.Red != (UINT8)(Color >> 16))
          continue;
        Put(T, (INT64)TX + I, (INT64)TY + J, Dim && I > Text.Width - 48 ? 0x828282 : Color);
      }
    }
  }
  PoolFree(Text.Bitmap);
  return 0;
}

UINTN DrawButton(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, const CHAR16 *Caption,
                 UINT16 Align, INT32 State) {
  if (W <= 111) W = 111;
  if (H <= 33) H = 33;
  UINT32 Edge, Face, Ink;
  switch (State) {
    case 0:
      Edge = 0xDCDCDC;
      Face = 0xA0A0A0;
      Ink = 0xFFFFFF;
      break;
    case 1:
      Edge = 0x434343;
      Face = 0x434343;
      Ink = 0xB5B5B5;
      break;
    case 2:
      Edge = 0x66BC29;
      Face = 0x7D7D7D;
      Ink = 0xFFFFFF;
      break;
    default:
      Edge = 0x66BC29;
      Face = 0x7D7D7D;
      Ink = 0xB5B5B5;
      break;
  }
  static const UINT32 Shade[6] = {0x333333, 0x363636, 0x393939, 0x3C3C3C, 0x3F3F3F, 0x414141};
  // The two tests of a corner pixel: radius 5 edge colour, then radius 3 face colour.
  auto Corner = [&](INT32 I, INT32 J, INT32 CX, INT32 CY) {
    if (WithinRadius(I, J, CX, CY, 5)) {
      Put(T, I, J, Edge);
      if (WithinRadius(I, J, CX, CY, 3)) Put(T, I, J, Face);
    }
  };
  if (State == 1) {
    for (INT32 I = 0; I <= 5; I++) HLine(T, X + 5, X + W - 5, Y + 1 + I, Shade[I]);
    SolidRect(T, X + 5, Y + 7, W - 8, H - 7, Face);
    HLine(T, X + 1, X + 4, Y + 5, Shade[4]);
    HLine(T, X + 1, X + 4, Y + 6, Shade[5]);
    SolidRect(T, X + 1, Y + 7, 4, H - 11, Face);
    HLine(T, X + W - 4, X + W - 1, Y + 5, Shade[4]);
    HLine(T, X + W - 4, X + W - 1, Y + 6, Shade[5]);
    SolidRect(T, X + W - 4, Y + 7, 4, H - 11, Face);
    for (INT32 J = Y + 1; J <= Y + 4; J++) {
      INT32 K = J - Y - 1;
      for (INT32 I = X + 1; I <= X + 4; I++)
        if (WithinRadius(I, J, X + 5, Y + 5, 5)) Put(T, I, J, Shade[K]);
      for (INT32 I = X + W - 1; I >= X + W - 4; I--)
        if (WithinRadius(I, J, X + W - 5, Y + 5, 5)) Put(T, I, J, Shade[K]);
    }
  } else {
    SolidRect(T, X + 5, Y + 2, W - 9, H - 3, Face);
    SolidRect(T, X + 2, Y + 5, 3, H - 9, Face);
    SolidRect(T, X + W - 4, Y + 5, 3, H - 9, Face);
    HLine(T, X + 5, X + W - 5, Y + 1, Edge);
    HLine(T, X + 5, X + W - 5, Y + H - 1, Edge);
    for (INT32 J = Y + 5; J <= Y + H - 5; J++) Put(T, X + 1, J, Edge);
    for (INT32 J = Y + 5; J <= Y + H - 5; J++) Put(T, X + W - 1, J, Edge);
    HLine(T, X + 5, X + W - 5, Y + 2, Edge);
    HLine(T, X + 5, X + W - 5, Y + H - 2, Edge);
    for (INT32 J = Y + 5; J <= Y + H - 5; J++) Put(T, X + 2, J, Edge);
    for (INT32 J = Y + 5; J <= Y + H - 5; J++) Put(T, X + W - 2, J, Edge);
    for (INT32 J = Y + 1; J <= Y + 4; J++) {
      for (INT32 I = X + 1; I <= X + 4; I++) Corner(I, J, X + 5, Y + 5);
      for (INT32 I = X + W - 1; I >= X + W - 4; I--) Corner(I, J, X + W - 5, Y + 5);
    }
  }
  for (INT32 J = Y + H - 1; J >= Y + H - 4; J--) {
    for (INT32 I = X + 1; I <= X + 4; I++) Corner(I, J, X + 5, Y + H - 5);
    for (INT32 I = X + W - 1; I >= X + W - 4; I--) Corner(I, J, X + W - 5, Y + H - 5);
  }
  if (Caption == nullptr) return 0;
  TextImage Text = {Ink, 0xFF0000, 0, 0, nullptr};
  if (RenderText(1000, &Text, Caption) != 0) return 0;
  INT32 TY = Y + H / 2 - (INT32)(Text.Height / 2);
  INT32 TX = Align == 1   ? X + W / 2 - (INT32)(Text.Width / 2)
             : Align == 2 ? X + W - Margin(W) - (INT32)Text.Width
                          : X + Margin(W);
  if (T.IsScreen()) {
    DrawText(Ink, nullptr, 1000, (UINT16)TX, (UINT16)TY, W("%s"), Caption);
  } else {
    for (UINT32 J = 0; J < Text.Height; J++) {
      for (UINT32 I = 0; I < Text.Width; I++) {
        ORVANE_PIXEL P = Text.Bitmap[J * Text.Width + I];
        if (P.Blue == (UINT8)Ink && P.Green == (UINT8)(Ink >> 8) && P.Red == (UINT8)(Ink >> 16))
          Put(T, (INT64)TX + I, (INT64)TY + J, Ink);
      }
    }
  }
  PoolFree(Text.Bitmap);
  return 0;
}

}  // namespace ref
