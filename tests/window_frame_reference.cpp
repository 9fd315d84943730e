#include "tests/window_frame_reference.h"

#include "platform/services.h"
#include "tests/raster_reference.h"
#include "text/text.h"

namespace ref {
namespace {

void Point(const DrawTarget &T, INT64 X, INT64 Y, UINT32 C) { Stamp(T, X, Y, 1, C); }
void Line(const DrawTarget &T, INT64 X1, INT64 Y1, INT64 X2, INT64 Y2, UINT32 C) {
  LineOn(T, (INT32)X1, (INT32)Y1, (INT32)X2, (INT32)Y2, 1, C);
}
INT64 Sq(INT64 V) { return V * V; }
UINT32 Ch(UINT32 C, int I) { return (C >> (8 * I)) & 0xFF; }

UINT32 BlendChannels(const UINT32 A[3], const UINT32 B[3], INT32 Num, INT32 Den) {
  FLOAT32_BITS T = fm::Div(fm::FromInt(Num), fm::FromInt(Den));
  UINT32 Out = 0;
  for (int C = 0; C < 3; C++) {
    FLOAT32_BITS V = fm::Add(fm::Mul(fm::FromInt((INT32)A[C]), fm::Sub(fm::FromInt(1), T)),
                             fm::Mul(fm::FromInt((INT32)B[C]), T));
    Out |= ((UINT32)fm::ToInt(V) & 0xFF) << (8 * C);
  }
  return Out;
}

}  // namespace

UINT32 Blend(UINT32 A, UINT32 B, INT32 Num, INT32 Den) {
  const UINT32 CA[3] = {Ch(A, 0), Ch(A, 1), Ch(A, 2)}, CB[3] = {Ch(B, 0), Ch(B, 1), Ch(B, 2)};
  return BlendChannels(CA, CB, Num, Den);
}

void PaintWindowFrame(const DrawTarget &T, INT32 X, INT32 Y, INT32 Width, INT32 Height,
                      UINT16 Radius, UINT32 Top, UINT32 Bottom) {
  const INT64 x = X, y = Y, W = Width, H = Height, r = Radius;
  Line(T, x + r, y, x + W - r, y, Top);
  Line(T, x + r, y + H - 1, x + W - r - 1, y + H - 1, Bottom);
  for (INT64 Yr = y; Yr <= y + H - 1; Yr++) {
    UINT32 C = Blend(Top, Bottom, (INT32)(Yr - y), Height);
    auto Ring = [&](INT64 Left, INT64 CX, INT64 CY) {
      for (INT64 Xr = Left; Xr < Left + r; Xr++) {
        INT64 D = Sq(Xr - CX) + Sq(Yr - CY);
        if (Sq(r - 1) <= D && D <= Sq(r)) Point(T, Xr, Yr, C);
      }
    };
    if (Yr < y + r + 1) {
      Ring(x, x + r - 1, y + r - 1);
      Ring(x + W - r, x + W - r, y + r - 1);
    }
    if (Yr > y + H - r - 1) {
      Ring(x, x + r - 1, y + H - r);
      Ring(x + W - r, x + W - r, y + H - r);
    }
    if (y + r - 1 < Yr && Yr < y + H - r + 1) {
      Point(T, x, Yr, C);
      Point(T, x + W - 1, Yr, C);
    }
  }
}

void PaintWindowBody(const DrawTarget &T, INT32 X, INT32 Y, const ListPopup &Window, UINT16 Radius,
                     UINT32 C1, UINT32 C2, UINT32 C3, UINT32 C4) {
  static const UINT8 Tables[4][5][5] = {{{0x10, 0x11, 0x17, 0x35, 0x50},
                                         {0x11, 0x1F, 0x41, 0x4B, 0x5A},
                                         {0x32, 0x3A, 0x4B, 0x57, 0x5F},
                                         {0x33, 0x50, 0x5A, 0x64, 0x6A},
                                         {0x4B, 0x5A, 0x64, 0x6E, 0x78}},
                                        {{0x50, 0x35, 0x17, 0x11, 0x10},
                                         {0x5A, 0x4B, 0x41, 0x1F, 0x11},
                                         {0x5F, 0x57, 0x4B, 0x3A, 0x32},
                                         {0x6A, 0x64, 0x5A, 0x50, 0x33},
                                         {0x78, 0x6E, 0x64, 0x5A, 0x4B}},
                                        {{0x4B, 0x5A, 0x64, 0x6E, 0x78},
                                         {0x33, 0x50, 0x5A, 0x64, 0x6A},
                                         {0x32, 0x3A, 0x4B, 0x57, 0x5F},
                                         {0x11, 0x1F, 0x41, 0x4B, 0x5A},
                                         {0x10, 0x11, 0x17, 0x35, 0x50}},
                                        {{0x78, 0x6E, 0x64, 0x5A, 0x4B},
                                         {0x6A, 0x64, 0x5A, 0x50, 0x33},
                                         {0x5F, 0x57, 0x4B, 0x3A, 0x32},
                                         {0x5A, 0x4B, 0x41, 0x1F, 0x11},
                                         {0x50, 0x35, 0x17, 0x11, 0x10}}};
  const INT64 x = X, y = Y, W = Window.width, H = Window.height, r = Radius,
              TH = Window.titleHeight;
  auto Corner = [&](int Which, INT64 Yr, INT64 TopRow, INT64 Left, INT64 CX, INT64 CY) {
    int N = 0;
    for (INT64 Row = TopRow; Row < TopRow + 5; Row++) {
      for (INT64 Col = Left; Col < Left + 5; Col++, N++) {
        if (Row != Yr) continue;
        UINT32 G = Tables[Which][N / 5][N % 5];
        if (Sq(Col - CX) + Sq(Row - CY) < 16) Point(T, Col, Row, G | G << 8 | G << 16);
      }
    }
  };
  for (INT64 Yr = y; Yr <= y + H - 1; Yr++) {
    UINT32 C = Blend(C1, C2, (INT32)(Yr - y), (INT32)H);
    if (y + TH <= Yr && Yr < y + H - r) Line(T, x + 1, Yr, x + W - 2, Yr, C);
    if (y + H - r - 1 < Yr && Yr < y + H - 1) {
      Line(T, x + r, Yr, (Window.thumbPos & 0xFF) != 0 ? x + W - r : x + W - r - 1, Yr, C);
    }
    if (y + TH <= Yr && Yr <= y + TH + 4) {
      Corner(0, Yr, y + TH, x + 13, x + 17, y + TH + 3);
      Corner(1, Yr, y + TH, x + W - 17, x + W - 17, y + TH + 3);
    }
    if (y + H - 21 <= Yr && Yr <= y + H - 17) {
      Corner(2, Yr, y + H - 21, x + 13, x + 17, y + H - 20);
      Corner(3, Yr, y + H - 21, x + W - 17, x + W - 17, y + H - 20);
    }
    if (Yr > y + H - r - 1) {
      for (INT64 Xr = x; Xr < x + r; Xr++) {
        if (Sq(Xr - (x + r - 1)) + Sq(Yr - (y + H - r)) < Sq(r - 1)) Point(T, Xr, Yr, C);
      }
      for (INT64 Xr = x + W - r; Xr < x + W; Xr++) {
        if (Sq(Xr - (x + W - r)) + Sq(Yr - (y + H - r)) < Sq(r - 1)) Point(T, Xr, Yr, C);
      }
    }
  }
  for (INT32 I = 0; I <= 4; I++) {
    const UINT32 Lifted[3] = {Ch(C3, 0) + 50, Ch(C3, 1) + 50, Ch(C3, 2) + 50};
    const UINT32 Panel[3] = {Ch(C4, 0), Ch(C4, 1), Ch(C4, 2)};
    UINT32 C = BlendChannels(Lifted, Panel, I, 4);
    if (W > 74 && H > 85) {
      Line(T, x + 14 + I, y + TH + 5, x + 14 + I, y + H - 22, C);
      Line(T, x + W - 14 - I, y + TH + 5, x + W - 14 - I, y + H - 22, C);
      Line(T, x + 18, y + TH + I, x + W - 18, y + TH + I, C);
      Line(T, x + 18, y + H - 17 - I, x + W - 18, y + H - 17 - I, C);
    }
  }
  for (INT64 Row = y + TH + 5; Row <= y + H - 21; Row++) Line(T, x + 18, Row, x + W - 18, Row, C4);
}

void PaintTitleBar(const DrawTarget &T, INT32 X, INT32 Y, const ListPopup &Window, UINT16 Radius,
                   UINT32 Top, UINT32 Base, const ORVANE_PIXEL *Icon) {
  const INT64 x = X, y = Y, W = Window.width, r = Radius, TH = Window.titleHeight;
  for (INT64 Yr = y + 1; Yr <= y + TH - 1; Yr++) {
    if (Yr <= y + r) {
      for (INT64 Xr = x; Xr < x + r; Xr++)
        if (Sq(Xr - (x + r - 1)) + Sq(Yr - (y + r - 1)) < Sq(r - 1)) Point(T, Xr, Yr, Base);
      for (INT64 Xr = x + W - r; Xr < x + W; Xr++)
        if (Sq(Xr - (x + W - r)) + Sq(Yr - (y + r - 1)) < Sq(r - 1)) Point(T, Xr, Yr, Base);
    }
    if (Yr > y + r) Line(T, x + 1, Yr, x + W - 2, Yr, Base);
    Line(T, x + r, Yr, x + W - r - 1, Yr, Base);
    if (y + 1 < Yr && Yr <= y + 10) {
      UINT32 G = Blend(Top, Base, (INT32)(Yr - y), 10);
      Line(T, x + r, Yr, x + W - r - 1, Yr, G);
      bool Dots = Yr <= y + 7;
      if (Dots) {
        for (INT64 Xr = x + r; Xr < x + W - r; Xr++)
          if ((Xr & 1) && (Yr & 1)) Point(T, Xr, Yr, 0x090909);
      }
      for (INT64 Xr = x; Xr < x + r; Xr++) {
        if (Sq(Xr - (x + r)) + Sq(Yr - (y + r)) < Sq(r - 1)) {
          Point(T, Xr, Yr, G);
          if (Dots && (Xr & 1) && (Yr & 1) && !(Xr == x + 3 && Yr == y + 3))
            Point(T, Xr, Yr, 0x090909);
        }
      }
      for (INT64 Xr = x + W - r; Xr < x + W; Xr++) {
        if (Sq(Xr - (x + W - r - 1)) + Sq(Yr - (y + r)) < Sq(r - 1)) {
          Point(T, Xr, Yr, G);
          if (Dots && (Xr & 1) && (Yr & 1)) Point(T, Xr, Yr, 0x090909);
        }
      }
    }
  }
  if (Window.title == nullptr) return;
  TextImage Text = {0xFFFFFF, 0xFF0000, 0, 0, nullptr};
  if (RenderText(1000, &Text, Window.title) != 0) return;
  INT64 Tw = Text.Width, Dx = 0, Dy = 0;
  if (Icon != nullptr && Window.flags == 0) {
    Dx = 27;
    Dy = 7;
  }
  INT64 Ty = y - 10 + TH / 2 + Dy, Tx;
  if (Window.flags == 0)
    Tx = x + W / 2 - Tw / 2 + Dx;
  else if (Window.flags == 2)
    Tx = x + W - 13 - Tw;
  else
    Tx = x + 13 + (Icon != nullptr ? 54 : 0);
  for (INT64 Row = 0; Row < Text.Height; Row++) {
    for (INT64 Col = 0; Col < Tw; Col++) {
      ORVANE_PIXEL P = Text.Bitmap[Row * Tw + Col];
      if (P.Blue == 0xFF && P.Green == 0xFF && P.Red == 0xFF)
        Point(T, Tx + Col, Ty + Row, 0xFFFFFF);
    }
  }
  if (Icon != nullptr) {
    for (INT64 Row = 0; Row < 54; Row++)
      for (INT64 Col = 0; Col < 48; Col++)
        Point(T, Tx - 54 + Col, y + 9 + Row, ColorFromPixel(Icon[Row * 48 + Col]));
  }
  PoolFree(Text.Bitmap);
}

void PaintCloseButton(const DrawTarget &T, INT32 X, INT32 Y, const ListPopup &Window) {
  static const UINT32 Looks[3][12] = {{0x1C1C1C, 0x1C1C1C, 0x101010, 0x131313, 0x161616, 0x181818,
                                       0x161616, 0x383838, 0x383838, 0x383838, 0x383838, 0x414141},
                                      {0x1E1E1E, 0x222222, 0x292929, 0x282828, 0x242424, 0x181818,
                                       0x292929, 0x717171, 0x797979, 0x7A7A7A, 0x6F6F6F, 0x7F7F7F},
                                      {0x1C1C1C, 0x1C1C1C, 0x1C1C1C, 0x1C1C1C, 0x1C1C1C, 0x181818,
                                       0x1C1C1C, 0x131313, 0x121212, 0x121212, 0x111111, 0x131313}};
  if (Window.closeState > 2) return;
  const UINT32 *L = Looks[Window.closeState];
  const INT64 x = X, y = Y;
  for (INT64 Row = y; Row <= y + 16; Row++) {
    for (INT64 Col = x; Col <= x + 14; Col++) {
      if (Col == x || Col == x + 14)
        Point(T, Col, Row, L[0]);
      else if (Row == y || Row == y + 15 || Row == y + 16)
        Point(T, Col, Row, L[1]);
      else
        Point(T, Col, Row, L[2]);
    }
  }
  Point(T, x + 2, y + 2, L[3]);
  Point(T, x + 13, y + 2, L[3]);
  Point(T, x + 2, y + 14, L[4]);
  Point(T, x + 13, y + 14, L[4]);
  Point(T, x, y + 15, L[5]);
  Point(T, x + 1, y + 16, L[5]);
  Point(T, x + 14, y + 15, L[5]);
  Point(T, x + 13, y + 16, L[5]);
  Line(T, x + 1, y + 1, x + 1, y + 15, L[6]);
  Line(T, x + 5, y + 4, x + 11, y + 10, L[7]);
  Line(T, x + 4, y + 5, x + 10, y + 11, L[8]);
  Line(T, x + 10, y + 4, x + 4, y + 10, L[9]);
  Line(T, x + 11, y + 5, x + 5, y + 11, L[10]);
  Line(T, x + 4, y + 4, x + 11, y + 11, L[11]);
  Line(T, x + 11, y + 4, x + 4, y + 11, L[11]);
}

// ---------------------------------------------------------------- list popup

INT64 RawOffset(const ListPopup &P, INT32 ThumbPos, bool Alt) {
  INT32 V = (UINT16)(P.height - P.titleHeight - 49), Len = P.thumbLength;
  FLOAT32_BITS Q = fm::Div(fm::FromInt(V), fm::FromInt(Len));
  FLOAT32_BITS Part = fm::Mul(Q, fm::FromInt((ThumbPos - 1) % Len + 1));
  return (INT64)V * ((ThumbPos - 1) / Len) + (Alt ? fm::ToIntAlt(Part) : fm::ToInt(Part));
}

INT64 ScrollOffset(const ListPopup &P) {
  INT64 Raw = RawOffset(P, P.thumbPos, false), S;
  if (Raw % 20 != 0 && Raw >= 21 && P.pageCount >= 2 && P.thumbPos != 0) {
    S = Raw + (20 - Raw % 20);
    if (P.lastSelectedRow != -1 && P.selectedRow * 20 < S && P.lastSelectedRow != P.selectedRow) {
      S = P.selectedRow * 20;
    }
    if (S > P.contentHeight - (P.height - 112)) S = P.contentHeight - (P.height - 112);
  } else {
    S = (Raw % 20 == 0 && Raw >= 21) ? Raw : 0;
  }
  return S;
}

namespace {

void PaintScrollBar(const DrawTarget &T, const ListPopup &P, INT32 X, INT32 Y, INT32 W, INT32 L,
                    UINT8 Hidden) {
  if (Hidden) return;
  if (W > 12) W = 12;
  Line(T, X + 1 + W / 2, Y + 12, X + 1 + W / 2, Y + L - 12, 0x464646);
  UINT32 Up = P.hotScrollPart == 1 ? 0x464646 : 0xBEBEBE;
  UINT32 Thumb = P.hotScrollPart == 2 ? 0x464646 : 0xBEBEBE;
  UINT32 Down = P.hotScrollPart == 3 ? 0x464646 : 0xBEBEBE;
  for (INT32 I = 1; I <= 9; I += 2) {
    INT32 H = fm::ToIntAlt(fm::Div(fm::FromInt(I), fm::FromInt(2)));
    Line(T, X + 5 - H, Y + 2 + I, X + 5 + H, Y + 2 + I, Up);
    Line(T, X + 5 - H, Y + L - I, X + 5 + H, Y + L - I, Down);
  }
  for (INT32 J = 0; J < W; J++) {
    Line(T, X + 1 + J, Y + 12 + P.thumbPos, X + 1 + J, Y + 12 + P.thumbPos + P.thumbLength, Thumb);
  }
}

}  // namespace

void PaintListPopupWindow(const DrawTarget &T, ListPopup &P) {
  PaintWindowFrame(T, 0, 0, (INT32)P.width, P.height, 6, 0x535353, 0x313131);
  PaintWindowBody(T, 0, 0, P, 6, 0x111111, 0x111111, 0x252525, 0x7D7D7D);
  bool K = (P.flags & 0x10) != 0;
  P.flags &= 0x000F;
  PaintTitleBar(T, 0, 0, P, 6, 0x535353, 0x111111, nullptr);
  if (P.closeShown) PaintCloseButton(T, (INT32)P.width - 30, 20, P);
  if (P.thumbPos != 0) {
    PaintScrollBar(T, P, (INT32)P.width - 30, P.titleHeight + 6, 9, P.height - P.titleHeight - 25,
                   P.hotRow == -1 || P.hotRow == -2);
  }
  INT64 S = ScrollOffset(P), V = (UINT16)(P.height - P.titleHeight - 49);
  bool HotValid = P.hotRow >= 0 && P.hotRow < P.itemCount;
  bool SelValid = P.selectedRow >= 0 && P.selectedRow < P.itemCount;
  for (INT64 R = S; R <= S + V - 1; R++) {
    if (R >= P.contentHeight || R < 0) continue;
    INT64 Y = P.titleHeight + 18 + (R - S);
    bool Bar = SelValid && 20 * P.selectedRow < R && R < 20 * (P.selectedRow + 1) && !K;
    for (INT64 J = 0; J < P.maskWidth; J++) {
      ORVANE_PIXEL M = P.textMask[R * P.maskWidth + J];
      if (M.Blue == 0 && M.Green == 0 && M.Red == 0) {
        bool Hot = HotValid && 20 * P.hotRow < R && R < 20 * (P.hotRow + 1) && !K;
        Point(T, 33 + J, Y, Hot ? 0xE3974B : 0xEDEDED);
        if (SelValid && 20 * P.selectedRow <= R && R < 20 * (P.selectedRow + 1)) {
          Point(T, 33 + J, Y, K ? 0xEDEDED : 0xE3974B);
        }
      } else if (Bar) {
        Point(T, 33 + J, Y, 0x565656);
      }
    }
    if (Bar) {
      Line(T, 18, Y, 32, Y, 0x565656);
      if (P.thumbPos == 0) Line(T, P.maskWidth + 33, Y, P.maskWidth + 47, Y, 0x565656);
    }
  }
  if (P.pageCount > 1) P.lastSelectedRow = P.selectedRow;
}

void GetListPopupView(const ListPopup &P, ListPopupView &View) {
  INT64 V = (UINT16)(P.height - P.titleHeight - 49);
  INT64 Raw = RawOffset(P, P.thumbPos, true);
  INT64 Sel = P.selectedRow * 20;
  View.outOfView = (Sel + 10 < Raw || Raw + V - 5 < Sel + 22) ? 1 : 0;
  for (INT64 I = 0; I <= (P.height - 112) - P.thumbLength; I++) {
    INT64 RawI = RawOffset(P, (INT32)I, true);
    if (RawI <= Sel + 10) View.thumbShowingTop = (INT16)I;
    if (RawI <= Sel - V + 45) View.thumbShowingBottom = (INT16)I;
  }
}

}  // namespace ref
