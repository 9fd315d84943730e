#include "controls/status/scroll_bar_body.h"

#include "raster/gradient.h"
#include "raster/line.h"
#include "raster/pen.h"
#include "raster/shapes.h"

namespace {

constexpr UINT32 kBlack = 0x000000, kEdge = 0x1C1C1C;
constexpr UINT32 kThumbTop = 0x2D2D2D, kThumbMiddle = 0x303030, kThumbBottom = 0x0F0F0F;
constexpr UINT32 kGripLight = 0x353535, kGripDark = 0x101010;
constexpr UINT32 kHotLight = 0x6E6E6E, kHotDark = 0x282828;
constexpr UINT32 kArrow = 0x353535, kArrowHot = 0x66BC29;

void Solid(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, UINT32 Color) {
  DrawRectangleOn(T, X, Y, W, H, kPenDot, kFillSolid, Color, Color);
}

// Rows Top..Top + 2 of the columns [From, To] (either order): pixels within
// radius 3 of (CX, CY), and, with a second centre, not within radius 3 of it.
void Corner(const DrawTarget &T, INT32 Top, INT32 From, INT32 To, INT32 CX, INT32 CY, UINT32 Color,
            const INT32 *NotX = nullptr, const INT32 *NotY = nullptr) {
  const INT32 Step = From <= To ? 1 : -1;
  for (INT32 J = Top; J <= Top + 2; J++) {
    for (INT32 I = From;; I += Step) {
      if (InRadius(I, J, CX, CY, 3) && (NotX == nullptr || !InRadius(I, J, *NotX, *NotY, 3))) {
        T.Put(I, J, Color);
      }
      if (I == To) break;
    }
  }
}

void Thumb(const DrawTarget &T, INT32 X, INT32 Y, const ScrollThumb &Th, bool Hot) {
  const INT32 N = Th.Length, T0 = Y + 30 + Th.Offset;
  const INT32 A =
      fm::ToIntAlt(fm::Mul(fm::FromInt(N - 6), fm::Div(fm::FromInt(14), fm::FromInt(100)))) + 1;
  const INT32 B = N - 6 - A;
  const INT32 Bottom = T0 + A + B + 2;  // first row of the bottom corners

  Solid(T, X + 4, T0, 7, 3, kThumbTop);
  Solid(T, X + 4, T0 + 3 + A + B, 7, 3, kThumbBottom);
  FillRowsGradient(T, X + 1, T0 + 3, 13, A, kThumbTop, kThumbMiddle);
  FillRowsGradient(T, X + 1, T0 + 3 + A, 13, B, kThumbMiddle, kThumbBottom);
  Corner(T, T0, X + 2, X + 3, X + 4, T0 + 3, kThumbTop);
  Corner(T, T0, X + 13, X + 11, X + 10, T0 + 3, kThumbTop);
  Corner(T, Bottom, X + 2, X + 3, X + 4, Bottom, kThumbBottom);
  Corner(T, Bottom, X + 13, X + 11, X + 10, Bottom, kThumbBottom);

  const INT32 G = Y + Th.Offset + N / 2;
  for (INT32 K = 0; K < 3; K++) {
    DrawLineOn(T, X + 5, G + 26 + 4 * K, X + 10, G + 26 + 4 * K, kPenDot, kGripLight);
    DrawLineOn(T, X + 5, G + 27 + 4 * K, X + 10, G + 27 + 4 * K, kPenDot, kGripDark);
  }
  if (!Hot) {
    return;
  }
  Solid(T, X + 4, T0, 7, 1, kHotLight);
  Solid(T, X + 4, T0 + A + B + 4, 7, 1, kHotDark);
  // Both side columns carry the same gradient: step it once.
  if (A + B > 0) {
    Gradient Side(kHotLight, kHotDark, A + B);
    const INT64 Top = (INT64)T0 + 3;
    StepLines(Side, Top, Top + A + B, T.Clip.Y, T.Clip.Bottom(), [&](INT64 Row, UINT32 Color) {
      T.Fill(X + 1, Row, 1, 1, Color);
      T.Fill(X + 13, Row, 1, 1, Color);
    });
  }
  const INT32 LX = X + 5, RX = X + 9, TY = T0 + 4, BY = Bottom - 1;
  Corner(T, T0, X + 2, X + 3, X + 4, T0 + 3, kHotLight, &LX, &TY);
  Corner(T, T0, X + 13, X + 11, X + 10, T0 + 3, kHotLight, &RX, &TY);
  Corner(T, Bottom, X + 2, X + 3, X + 4, Bottom, kHotDark, &LX, &BY);
  Corner(T, Bottom, X + 13, X + 11, X + 10, Bottom, kHotDark, &RX, &BY);
}

void Arrow(const DrawTarget &T, INT32 X1, INT32 Y1, INT32 X2, INT32 Y2, INT32 X3, INT32 Y3,
           UINT32 Color) {
  DrawTriangleOn(T, (UINT32)X1, (UINT32)Y1, (UINT32)X2, (UINT32)Y2, (UINT32)X3, (UINT32)Y3, kPenDot,
                 kFillSolid, Color, Color);
}

}  // namespace

void DrawScrollBarBody(const DrawTarget &T, INT32 X, INT32 Y, const ScrollThumb *Th, INT32 Hot,
                       INT32 H) {
  if (H < 100) H = 100;
  DrawLineOn(T, X + 15, Y + 3, X + 15, Y + H - 3, kPenDot, kEdge);
  Corner(T, Y, X + 15, X + 12, X + 12, Y + 3, kEdge);
  Corner(T, Y + H - 3, X + 15, X + 12, X + 12, Y + H - 3, kEdge);

  FillColumnsGradient(T, X, Y + 30, 9, H - 60, 0x040404, 0x090909);
  Solid(T, X + 9, Y + 30, 6, H - 60, 0x0A0A0A);

  if (Th != nullptr) {
    Thumb(T, X, Y, *Th, Hot == kScrollHotThumb);
  }

  Solid(T, X + 3, Y, 9, 3, kBlack);
  Solid(T, X, Y + 3, 15, 27, kBlack);
  Corner(T, Y, X + 1, X + 2, X + 3, Y + 3, kBlack);
  Corner(T, Y, X + 14, X + 12, X + 11, Y + 3, kBlack);
  Arrow(T, X + 7, Y + 10, X + 5, Y + 15, X + 10, Y + 15, Hot == kScrollHotUp ? kArrowHot : kArrow);

  Solid(T, X, Y + H - 30, 15, 27, kBlack);
  Solid(T, X + 3, Y + H - 3, 9, 3, kBlack);
  Corner(T, Y + H - 3, X + 1, X + 2, X + 3, Y + H - 4, kBlack);
  Corner(T, Y + H - 3, X + 14, X + 12, X + 11, Y + H - 3, kBlack);
  Arrow(T, X + 7, Y + H - 10, X + 5, Y + H - 15, X + 10, Y + H - 15,
        Hot == kScrollHotDown ? kArrowHot : kArrow);
}
