#include "tests/status_reference.h"

#include <initializer_list>
#include <vector>

#include "controls/status/button.h"
#include "controls/status/item_cell.h"
#include "platform/services.h"
#include "raster/image_copy.h"
#include "raster/line.h"
#include "raster/shapes.h"
#include "raster/target.h"
#include "text/text.h"

namespace ref {

namespace {

void Rect(ORVANE_PIXEL *P, INT32 RW, INT32 RH, INT32 X, INT32 Y, INT32 W, INT32 H, INT32 Fill,
          UINT32 C1, UINT32 C2) {
  ::DrawRectangle(P, RW, RH, X, Y, W, H, 1, Fill, C1, C2);
}
void Line(ORVANE_PIXEL *P, INT32 RW, INT32 RH, INT32 X1, INT32 Y1, INT32 X2, INT32 Y2, UINT32 C) {
  ::DrawLine(P, RW, RH, X1, Y1, X2, Y2, 1, C);
}
void Point(ORVANE_PIXEL *P, INT32 RW, INT32 RH, INT32 X, INT32 Y, UINT32 C) {
  // The plain stamps are unclipped; keep them inside the buffer.
  if (X >= 0 && Y >= 0 && X < RW && Y < RH) ::DrawPoint(P, RW, RH, X, Y, 1, C);
}

}  // namespace

void DrawRoundFrame(ORVANE_PIXEL *P, INT32 RW, INT32 RH, INT32 X, INT32 Y, INT32 W, INT32 H,
                    UINT16 Radius, UINT32 Color) {
  const INT32 R = Radius;
  Line(P, RW, RH, X + R, Y, X + W - R - 1, Y, Color);
  Line(P, RW, RH, X + R, Y + 1, X + W - R - 1, Y + 1, Color);
  Line(P, RW, RH, X, Y + R, X, Y + H - R - 1, Color);
  Line(P, RW, RH, X + 1, Y + R, X + 1, Y + H - R - 1, Color);
  Rect(P, RW, RH, X + W - 2, Y + R, 2, H - 2 * R, 1, Color, Color);
  Rect(P, RW, RH, X + R, Y + H - 2, W - 2 * R, 2, 1, Color, Color);
  const INT32 Sq[4][4] = {{X, Y, X + R - 1, Y + R - 1},
                          {X + W - R, Y, X + W - R, Y + R - 1},
                          {X, Y + H - R, X + R - 1, Y + H - R},
                          {X + W - R, Y + H - R, X + W - R, Y + H - R}};
  for (const auto &S : Sq) {
    for (INT32 I = S[0]; I < S[0] + R; I++) {
      for (INT32 J = S[1]; J < S[1] + R; J++) {
        INT32 D = (I - S[2]) * (I - S[2]) + (J - S[3]) * (J - S[3]);
        if ((R - 2) * (R - 2) <= D && D <= R * R) Point(P, RW, RH, I, J, Color);
      }
    }
  }
}

void DrawLevelBar(ORVANE_PIXEL *P, INT32 RW, INT32 RH, INT32 X, INT32 Y, INT32 W, INT32 H,
                  INT32 Value) {
  if (Value < 0) Value = 0;
  if (Value > 100) Value = 100;
  if (W < 41) W = 41;
  if (H < 3) H = 3;
  FLOAT32_BITS Ratio = gFloat->FloatDiv(gFloat->IntToFloat(Value), gFloat->IntToFloat(100));
  INT32 Lit = gFloat->FloatToIntAlt(gFloat->FloatMul(gFloat->IntToFloat(20), Ratio));
  Line(P, RW, RH, X, Y, X + W - 1, Y, 0);
  Line(P, RW, RH, X, Y, X, Y + H - 1, 0);
  Line(P, RW, RH, X + W - 1, Y, X + W - 1, Y + H - 1, 0);
  Line(P, RW, RH, X, Y + H - 1, X + W - 1, Y + H - 1, 0);
  INT32 Seg = (W - 1) / 20;
  // Colours of all twenty segments, stepped as described.
  UINT32 Colors[20];
  const UINT32 Green = 0x3EFF06, Yellow = 0xF9FF07, Red = 0xFF1F05;
  FLOAT32_BITS Acc[3], Step[3];
  for (int C = 0; C < 3; C++) {
    Acc[C] = gFloat->IntToFloat((Green >> (8 * C)) & 0xFF);
    Step[C] =
        gFloat->FloatDiv(gFloat->FloatSub(gFloat->IntToFloat((Yellow >> (8 * C)) & 0xFF), Acc[C]),
                         gFloat->IntToFloat(10));
  }
  Colors[0] = Green;
  for (int K = 0; K < 10; K++) {
    UINT32 Col = 0;
    for (int C = 0; C < 3; C++) {
      Acc[C] = gFloat->FloatAdd(Acc[C], Step[C]);
      Col |= ((UINT32)gFloat->FloatToInt(Acc[C]) & 0xFF) << (8 * C);
    }
    Colors[K + 1] = Col;
  }
  for (int C = 0; C < 3; C++) {
    Acc[C] = gFloat->IntToFloat((Yellow >> (8 * C)) & 0xFF);
    Step[C] =
        gFloat->FloatDiv(gFloat->FloatSub(gFloat->IntToFloat((Red >> (8 * C)) & 0xFF), Acc[C]),
                         gFloat->IntToFloat(9));
  }
  for (int K = 10; K < 19; K++) {
    UINT32 Col = 0;
    for (int C = 0; C < 3; C++) {
      Acc[C] = gFloat->FloatAdd(Acc[C], Step[C]);
      Col |= ((UINT32)gFloat->FloatToInt(Acc[C]) & 0xFF) << (8 * C);
    }
    Colors[K + 1] = Col;
  }
  for (INT32 K = 0; K < Lit; K++) {
    INT32 XS = X + 1 + K * Seg;
    Rect(P, RW, RH, XS, Y + 1, Seg - 1, H - 2, 1, Colors[K], Colors[K]);
    Line(P, RW, RH, XS + Seg - 1, Y + 1, XS + Seg - 1, Y + H - 2, 0);
  }
  if (Value == 100) {
    Rect(P, RW, RH, X + 1 + 19 * Seg, Y + 1, W - 2 - 19 * Seg, H - 2, 1, Red, Red);
  } else {
    Rect(P, RW, RH, X + 1 + Lit * Seg, Y + 1, W - 2 - Lit * Seg, H - 2, 1, 0, 0);
  }
}

namespace {
// Rows Top..Top+2, columns From..To in the given direction, within radius 3
// of (CX, CY) and, when Not is given, not within radius 3 of it.
void Corner(ORVANE_PIXEL *P, INT32 RW, INT32 RH, INT32 Top, INT32 From, INT32 To, INT32 CX,
            INT32 CY, UINT32 C, bool HasNot = false, INT32 NX = 0, INT32 NY = 0) {
  for (INT32 J = Top; J <= Top + 2; J++) {
    for (INT32 I = From;; I += From <= To ? 1 : -1) {
      if (WithinRadius(I, J, CX, CY, 3) && (!HasNot || !WithinRadius(I, J, NX, NY, 3))) {
        Point(P, RW, RH, I, J, C);
      }
      if (I == To) break;
    }
  }
}
}  // namespace

void DrawScrollBarBody(ORVANE_PIXEL *P, INT32 RW, INT32 RH, INT32 X, INT32 Y, const INT32 *Thumb,
                       INT32 Hot, INT32 H) {
  if (H < 100) H = 100;
  Line(P, RW, RH, X + 15, Y + 3, X + 15, Y + H - 3, 0x1C1C1C);
  Corner(P, RW, RH, Y, X + 15, X + 12, X + 12, Y + 3, 0x1C1C1C);
  Corner(P, RW, RH, Y + H - 3, X + 15, X + 12, X + 12, Y + H - 3, 0x1C1C1C);
  Rect(P, RW, RH, X, Y + 30, 9, H - 60, 4, 0x040404, 0x090909);
  Rect(P, RW, RH, X + 9, Y + 30, 6, H - 60, 4, 0x0A0A0A, 0x0A0A0A);
  if (Thumb != nullptr) {
    INT32 T = Thumb[0], N = Thumb[1], T0 = Y + 30 + T;
    FLOAT32_BITS F =
        gFloat->FloatMul(gFloat->IntToFloat(N - 6),
                         gFloat->FloatDiv(gFloat->IntToFloat(14), gFloat->IntToFloat(100)));
    INT32 A = gFloat->FloatToIntAlt(F) + 1, B = N - 6 - A;
    Rect(P, RW, RH, X + 4, T0, 7, 3, 1, 0x2D2D2D, 0x2D2D2D);
    Rect(P, RW, RH, X + 4, T0 + 3 + A + B, 7, 3, 1, 0x0F0F0F, 0x0F0F0F);
    Rect(P, RW, RH, X + 1, T0 + 3, 13, A, 5, 0x2D2D2D, 0x303030);
    Rect(P, RW, RH, X + 1, T0 + 3 + A, 13, B, 5, 0x303030, 0x0F0F0F);
    Corner(P, RW, RH, T0, X + 2, X + 3, X + 4, T0 + 3, 0x2D2D2D);
    Corner(P, RW, RH, T0, X + 13, X + 11, X + 10, T0 + 3, 0x2D2D2D);
    Corner(P, RW, RH, T0 + A + B + 2, X + 2, X + 3, X + 4, T0 + A + B + 2, 0x0F0F0F);
    Corner(P, RW, RH, T0 + A + B + 2, X + 13, X + 11, X + 10, T0 + A + B + 2, 0x0F0F0F);
    INT32 G = Y + T + N / 2;
    for (INT32 K = 0; K < 3; K++) {
      Line(P, RW, RH, X + 5, G + 26 + 4 * K, X + 10, G + 26 + 4 * K, 0x353535);
      Line(P, RW, RH, X + 5, G + 27 + 4 * K, X + 10, G + 27 + 4 * K, 0x101010);
    }
    if (Hot == 2) {
      Rect(P, RW, RH, X + 4, T0, 7, 1, 1, 0x6E6E6E, 0x6E6E6E);
      Rect(P, RW, RH, X + 4, T0 + A + B + 4, 7, 1, 1, 0x282828, 0x282828);
      Rect(P, RW, RH, X + 1, T0 + 3, 1, A + B, 5, 0x6E6E6E, 0x282828);
      Rect(P, RW, RH, X + 13, T0 + 3, 1, A + B, 5, 0x6E6E6E, 0x282828);
      Corner(P, RW, RH, T0, X + 2, X + 3, X + 4, T0 + 3, 0x6E6E6E, true, X + 5, T0 + 4);
      Corner(P, RW, RH, T0, X + 13, X + 11, X + 10, T0 + 3, 0x6E6E6E, true, X + 9, T0 + 4);
      Corner(P, RW, RH, T0 + A + B + 2, X + 2, X + 3, X + 4, T0 + A + B + 2, 0x282828, true, X + 5,
             T0 + A + B + 1);
      Corner(P, RW, RH, T0 + A + B + 2, X + 13, X + 11, X + 10, T0 + A + B + 2, 0x282828, true,
             X + 9, T0 + A + B + 1);
    }
  }
  Rect(P, RW, RH, X + 3, Y, 9, 3, 1, 0, 0);
  Rect(P, RW, RH, X, Y + 3, 15, 27, 1, 0, 0);
  Corner(P, RW, RH, Y, X + 1, X + 2, X + 3, Y + 3, 0);
  Corner(P, RW, RH, Y, X + 14, X + 12, X + 11, Y + 3, 0);
  UINT32 Up = Hot == 1 ? 0x66BC29 : 0x353535, Down = Hot == 3 ? 0x66BC29 : 0x353535;
  ::DrawTriangle(P, RW, RH, X + 7, Y + 10, X + 5, Y + 15, X + 10, Y + 15, 1, 1, Up, Up);
  Rect(P, RW, RH, X, Y + H - 30, 15, 27, 1, 0, 0);
  Rect(P, RW, RH, X + 3, Y + H - 3, 9, 3, 1, 0, 0);
  Corner(P, RW, RH, Y + H - 3, X + 1, X + 2, X + 3, Y + H - 4, 0);
  Corner(P, RW, RH, Y + H - 3, X + 14, X + 12, X + 11, Y + H - 3, 0);
  ::DrawTriangle(P, RW, RH, X + 7, Y + H - 10, X + 5, Y + H - 15, X + 10, Y + H - 15, 1, 1, Down,
                 Down);
}

void DrawTileFace(ORVANE_PIXEL *P, INT32 RW, INT32 RH, INT32 X, INT32 Y, INT32 W, INT32 H,
                  UINT8 Active) {
  static const UINT32 Layers[6][5] = {{0x424242, 0x505050, 0xABABAB, 0xCBCBCB, 0x42},
                                      {0x424242, 0x505050, 0x8F8F8F, 0xB0B0B0, 0x42},
                                      {0x505050, 0x636363, 0xABABAB, 0xCBCBCB, 0x50},
                                      {0x626262, 0x797979, 0xC7C7C7, 0xE0E0E0, 0x62},
                                      {0x787878, 0x8B8B8B, 0xDDDDDD, 0xEFEFEF, 0x78},
                                      {0x8B8B8B, 0x9A9A9A, 0xEDEDED, 0xFAFAFA, 0x8B}};
  INT32 S = gFloat->FloatToIntAlt(gFloat->FloatMul(
      gFloat->FloatDiv(gFloat->IntToFloat(H), gFloat->IntToFloat(100)), gFloat->IntToFloat(60)));
  if (Active == 1) {
    Rect(P, RW, RH, X + 2, Y + 6, W - 4, S - 6, 5, 0x9FD169, 0xE1F4CE);
    Rect(P, RW, RH, X + 2, Y + S, W - 4, H - S - 6, 1, 0xE1F4CE, 0xE1F4CE);
  } else {
    Rect(P, RW, RH, X + 6, Y + 6, W - 12, S - 6, 5, 0xAEAEAE, 0xFFFFFF);
    Rect(P, RW, RH, X + 6, Y + S, W - 12, H - S - 6, 1, 0xFFFFFF, 0xFFFFFF);
  }
  for (INT32 K = 1; K <= 6; K++) {
    const UINT32 *L = Layers[K - 1];
    INT32 R = 11 - K;
    // Squares: left, top, width, height, centre x, centre y.
    const INT32 Sq[4][6] = {{X, Y, 10, 10, X + 10, Y + 10},
                            {X, Y + H - 9, 10, 9, X + 10, Y + H - 10},
                            {X + W - 9, Y, 9, 10, X + W - 10, Y + 10},
                            {X + W - 9, Y + H - 9, 9, 9, X + W - 10, Y + H - 10}};
    if (Active == 1) {
      Rect(P, RW, RH, X + 10, Y + K, W - 18, 1, 1, 0x9FD169, 0x9FD169);
      Rect(P, RW, RH, X + 10, Y + H - K, W - 18, 1, 1, 0xE1F4CE, 0xE1F4CE);
    } else {
      Rect(P, RW, RH, X + 10, Y + K, W - 18, 1, 1, L[0], L[0]);
      Rect(P, RW, RH, X + K, Y + 10, 1, H - 18, 5, L[1], L[2]);
      Rect(P, RW, RH, X + W - K, Y + 10, 1, H - 18, 5, L[1], L[2]);
      Rect(P, RW, RH, X + 10, Y + H - K, W - 18, 1, 1, L[3], L[3]);
    }
    for (int Q = 0; Q < 4; Q++) {
      const INT32 *Sd = Sq[Q];
      bool Upper = Q == 0 || Q == 2;
      for (INT32 I = Sd[0]; I < Sd[0] + Sd[2]; I++) {
        for (INT32 J = Sd[1]; J < Sd[1] + Sd[3]; J++) {
          INT32 D = (I - Sd[4]) * (I - Sd[4]) + (J - Sd[5]) * (J - Sd[5]);
          if (!((R - 2) * (R - 2) <= D && D <= R * R)) continue;
          UINT32 C;
          if (Active == 1) {
            C = Upper ? 0x9FD169 : 0xE1F4CE;
          } else if (Upper) {
            UINT32 V = L[4] + 2 * (J < Y + K ? J - Y + 1 : J - Y - K + 1);
            C = V | (V << 8) | (V << 16);
          } else {
            C = L[2];
          }
          Point(P, RW, RH, I, J, C);
        }
      }
    }
  }
}

void PaintDividerStrip(ORVANE_PIXEL *Buffer, INT32 W, INT32 H, UINT8 ShowDivider, INT32 DividerX,
                       UINT8 Active) {
  Rect(Buffer, W, H, 0, 0, W, H, 1, 0x131313, 0x131313);
  if (ShowDivider != 1) return;
  Line(Buffer, W, H, DividerX, 2, DividerX, H - 3, Active == 1 ? 0xFFFFFF : 0xC3C3C3);
  Line(Buffer, W, H, DividerX - 1, 2, DividerX - 1, H - 3, Active == 1 ? 0xACC764 : 0x3C3C3C);
}

void DrawDialogWindow(ORVANE_PIXEL *P, INT32 RW, INT32 RH, INT32 X, INT32 Y, INT32 W, INT32 H) {
  // Rim.
  FLOAT32_BITS Value[3], Step;
  Step = gFloat->FloatDiv(gFloat->FloatSub(gFloat->IntToFloat(0x7D), gFloat->IntToFloat(0xD2)),
                          gFloat->IntToFloat(H));
  for (int C = 0; C < 3; C++) Value[C] = gFloat->IntToFloat(0xD2);
  UINT32 Color = 0xD2D2D2;
  INT32 Counter = Y + H - 1;
  for (INT32 R = Y + 1; R <= Y + H - 1; R++) {
    Line(P, RW, RH, X + 8, R, X + W - 8, R, Color);
    if (R < Y + 8) {
      for (INT32 I = X + 1; I <= X + 7; I++)
        if (WithinRadius(I, R, X + 8, Y + 8, 8)) Point(P, RW, RH, I, R, Color);
      for (INT32 I = X + W - 1; I >= X + W - 7; I--)
        if (WithinRadius(I, R, X + W - 8, Y + 8, 8)) Point(P, RW, RH, I, R, Color);
    } else if (R <= Y + H - 8) {
      Line(P, RW, RH, X + 1, R, X + 7, R, Color);
      Line(P, RW, RH, X + W - 7, R, X + W - 1, R, Color);
    } else {
      for (INT32 I = X + 1; I <= X + 7; I++)
        if (WithinRadius(I, Counter, X + 8, Y + H - 8, 8)) Point(P, RW, RH, I, Counter, Color);
      for (INT32 I = X + W - 1; I >= X + W - 7; I--)
        if (WithinRadius(I, Counter, X + W - 8, Y + H - 8, 8)) Point(P, RW, RH, I, Counter, Color);
      Counter--;
    }
    UINT32 Next = 0;
    for (int C = 0; C < 3; C++) {
      Value[C] = gFloat->FloatAdd(Value[C], Step);
      Next |= ((UINT32)gFloat->FloatToInt(Value[C]) & 0xFF) << (8 * C);
    }
    Color = Next;
  }
  // Inner panel.
  const UINT32 Panel = 0xEEEEEE;
  Counter = Y + H - 4;
  for (INT32 R = Y + 4; R <= Y + H - 4; R++) {
    Line(P, RW, RH, X + 11, R, X + W - 11, R, Panel);
    if (R < Y + 11) {
      for (INT32 I = X + 4; I <= X + 10; I++)
        if (WithinRadius(I, R, X + 11, Y + 11, 8)) Point(P, RW, RH, I, R, Panel);
      for (INT32 I = X + W - 4; I >= X + W - 10; I--)
        if (WithinRadius(I, R, X + W - 11, Y + 11, 8)) Point(P, RW, RH, I, R, Panel);
    } else if (R <= Y + H - 11) {
      Line(P, RW, RH, X + 4, R, X + 10, R, Panel);
      Line(P, RW, RH, X + W - 10, R, X + W - 4, R, Panel);
    } else {
      for (INT32 I = X + 4; I <= X + 10; I++)
        if (WithinRadius(I, Counter, X + 11, Y + H - 11, 8)) Point(P, RW, RH, I, Counter, Panel);
      for (INT32 I = X + W - 4; I >= X + W - 10; I--)
        if (WithinRadius(I, Counter, X + W - 11, Y + H - 11, 8))
          Point(P, RW, RH, I, Counter, Panel);
      Counter--;
    }
  }
  for (INT32 Row : {Y + 9, Y + 11, Y + 13})
    for (INT32 I = 0; I <= 62; I += 2) Point(P, RW, RH, X + 3 + (W - 69) / 2 + I, Row, 0x959595);
}

void DrawProgressBar(ORVANE_PIXEL *Buffer, INT32 W, INT32 H, const CHAR16 *Label, INT32 Percent) {
  TextImage L = {0x000000, 0xFFFFFF, 0, 0, nullptr};
  RenderText(1000, &L, Label);
  if (Percent < 0) Percent = 0;
  if (Percent > 100) Percent = 100;
  CHAR16 Text[10];
  UnicodeSPrint(Text, sizeof(Text), W("%d%%"), Percent);
  TextImage Pc = {Percent < 53 ? 0xFFFFFFu : 0u, Percent < 53 ? 0u : 0xFFFFFFu, 0, 0, nullptr};
  RenderText(1000, &Pc, Text);
  INT32 LW = (INT32)L.Width, X0 = LW + 6;
  INT32 FillEnd =
      X0 + gFloat->FloatToIntAlt(gFloat->FloatDiv(
               gFloat->FloatMul(gFloat->IntToFloat(W - 2 - X0), gFloat->IntToFloat(Percent)),
               gFloat->IntToFloat(100)));
  Line(Buffer, W, H, X0, 0, W - 1, 0, 0);
  Line(Buffer, W, H, X0, 0, X0, H - 1, 0);
  Line(Buffer, W, H, W - 1, 0, W - 1, H - 1, 0);
  Line(Buffer, W, H, X0, H - 1, W - 1, H - 1, 0);
  INT32 U = (H - 2) / 2, Lo = (H - 2) - U;
  auto Bands = [&](INT32 X, INT32 Wd, const UINT32 *C) {
    Rect(Buffer, W, H, X, 1, Wd, U, 5, C[0], C[1]);
    Rect(Buffer, W, H, X, U + 1, Wd, Lo, 5, C[2], C[3]);
  };
  const UINT32 Filled[4] = {0xFBE16D, 0xFFA317, 0xE08600, 0xF3B001};
  const UINT32 Empty[4] = {0x585657, 0x464646, 0x1E1E1E, 0x161616};
  const UINT32 Box[4] = {0xFBB968, 0xFA5F0F, 0xE04E00, 0xF37201};
  if (Percent == 100) {
    Bands(X0 + 1, W - 2 - X0, Filled);
  } else if (Percent == 0) {
    Bands(X0 + 1, W - 2 - X0, Empty);
  } else {
    Bands(X0 + 1, FillEnd - X0, Filled);
    Bands(FillEnd + 1, W - 2 - FillEnd, Empty);
  }
  Line(Buffer, W, H, 0, 0, LW + 5, 0, 0);
  Line(Buffer, W, H, 0, 0, 0, H - 1, 0);
  Line(Buffer, W, H, 0, H - 1, LW + 5, H - 1, 0);
  Bands(1, LW + 5, Box);
  ORVANE_PIXEL White = {0xFF, 0xFF, 0xFF, 0};
  CopyImageRect(Buffer, L.Bitmap, 3, (UINT16)(H / 2 - L.Height / 2), 0, 0, (UINT16)W, (UINT16)H,
                (UINT16)L.Width, (UINT16)L.Height, (UINT16)L.Width, (UINT16)L.Height, &White);
  ORVANE_PIXEL Key = PixelFromColor(Pc.Background);
  CopyImageRect(Buffer, Pc.Bitmap, (UINT16)(X0 / 2 + W / 2 - Pc.Width / 2),
                (UINT16)(H / 2 - Pc.Height / 2), 0, 0, (UINT16)W, (UINT16)H, (UINT16)Pc.Width,
                (UINT16)Pc.Height, (UINT16)Pc.Width, (UINT16)Pc.Height, &Key);
  PoolFree(L.Bitmap);
  PoolFree(Pc.Bitmap);
}

void PaintMessageBox(const ::MessageBox &B, ORVANE_PIXEL *Buffer) {
  const INT32 RW = B.Width, RH = B.Height;
  const UINT32 MW = B.TextWidth, MH = B.TextHeight;
  std::vector<ORVANE_PIXEL> Mask((UINTN)MW * MH, ORVANE_PIXEL{0xFF, 0xFF, 0xFF, 0xFF});
  UINT32 Lf = 0;
  for (UINT32 S = 0; S < B.LineCount; S++) {
    const CHAR16 *P = B.Lines[S];
    for (bool First = true;; First = false) {
      CHAR16 Line[1024];
      UINTN N = 0;
      const CHAR16 *E = P;
      while (*E != 0 && *E != 10) E++;
      UINTN Len = (UINTN)(E - P);
      if (*E == 10 && Len > 0 && P[Len - 1] == 13) Len--;
      for (; N < Len && N < 1023; N++) Line[N] = P[N];
      Line[N] = 0;
      TextImage T = {0, 0xFFFFFF, 0, 0, nullptr};
      RenderText(1000, &T, Line);
      for (UINT32 J = 0; J < T.Height; J++) {
        for (UINT32 I = 0; I < T.Width; I++) {
          ORVANE_PIXEL Px = T.Bitmap[J * T.Width + I];
          if (Px.Blue || Px.Green || Px.Red) continue;
          INT64 MX, MY;
          if (S == 0 && First) {
            MX = ((INT32)MW - (INT32)T.Width) / 2 + (INT32)I;
            MY = J;
          } else {
            MX = I;
            MY = J + 20 * (S + Lf);
          }
          if (MX >= 0 && MY >= 0 && MX < MW && MY < MH)
            Mask[MY * MW + MX] = ORVANE_PIXEL{0, 0, 0, 0};
        }
      }
      PoolFree(T.Bitmap);
      if (*E == 0) break;
      Lf++;
      P = E + 1;
    }
  }
  DrawDialogWindow(Buffer, RW, RH, 0, 0, RW, RH);
  for (UINT32 J = 0; J < MH; J++)
    for (UINT32 I = 0; I < MW; I++) {
      ORVANE_PIXEL Px = Mask[J * MW + I];
      if (!Px.Blue && !Px.Green && !Px.Red)
        Point(Buffer, RW, RH, B.TextLeft + I, B.TextTop + J, 0x4C4C4C);
    }
  for (UINT32 K = 1; K <= 3 && K <= B.ButtonCount; K++) {
    INT32 State = 0;
    if (B.HotButton == K) State = B.HotState == 1 ? 1 : B.HotState == 2 ? 2 : 0;
    ::DrawButton(DrawTarget::For(Buffer, RW, RH),
                 B.ButtonsLeft + (K - 1) * (B.ButtonWidth + B.ButtonGap),
                 B.TextTop + B.TextHeight + B.ButtonMargin, B.ButtonWidth, B.ButtonHeight,
                 B.Captions[K - 1], 1, State);
  }
}

void PaintGaugePanel(ORVANE_PIXEL *P, INT32 W, INT32 H, const CHAR16 *Label1, const CHAR16 *Label2,
                     const CHAR16 *Label3, const CHAR16 *Label4, INT32 Value1, INT32 Value2) {
  INT32 A = (W - 4) / 3, B = (W - 4) - A, T = (H - 4) / 2, U = (H - 4) - T, Q = (H - 4) / 4,
        T2 = T / 2;
  INT32 M = T + 2 + U / 2;
  TextImage C = {Value2 < 100 ? 0xFFFFFFu : 0u, Value2 < 100 ? 0u : 0xFFFFFFu, 0, 0, nullptr};
  RenderText(1000, &C, W("C"));
  DrawTarget Tg = DrawTarget::For(P, W, H);
  ::DrawItemCell(Tg, 2, 2, A, T, 1, Value1 >= 100 ? 8 : 0, Label1, 0, 0);
  ::DrawItemCell(Tg, A + 2, 2, B, T, 2, Value1 >= 100 ? 7 : 4, Label2, 3, 0);
  ::DrawItemCell(Tg, 2, T + 2, A, U, 3, Value2 >= 100 ? 8 : 0, Label3, 0, 0);
  ::DrawItemCell(Tg, A + 2, T + 2, B, U, 4, Value2 >= 100 ? 7 : 4, Label4, 4, 0);
  const UINT32 Normal[4] = {0x4C4E4B, 0x424242, 0x505050, 0x9F9F9F};
  const UINT32 Warning[4] = {0xA29836, 0xAF9E36, 0xE3C940, 0xFFF488};
  DrawLevelBar(P, W, H, W - 175, T2 - 5, 161, 15, Value1);
  const UINT32 *F = Value1 >= 100 ? Warning : Normal;
  Line(P, W, H, W - 175, Q - 6, W - 15, Q - 6, F[0]);
  Line(P, W, H, W - 176, T2 - 5, W - 176, Q + 10, F[1]);
  Line(P, W, H, W - 14, T2 - 5, W - 14, Q + 10, F[2]);
  Line(P, W, H, W - 175, Q + 11, W - 15, Q + 11, F[3]);
  DrawLevelBar(P, W, H, W - 175, M - 7, 161, 15, Value2);
  UINT32 Ring = Value2 < 100 ? 0xFFFFFF : 0;
  Line(P, W, H, W - 195, M - 6, W - 195, M - 4, Ring);
  Line(P, W, H, W - 191, M - 6, W - 191, M - 4, Ring);
  Line(P, W, H, W - 194, M - 7, W - 192, M - 7, Ring);
  Line(P, W, H, W - 194, M - 3, W - 192, M - 3, Ring);
  ORVANE_PIXEL Key = PixelFromColor(C.Background);
  CopyImageRect(P, C.Bitmap, (UINT16)(W - 189), (UINT16)(M - 9), 0, 0, (UINT16)W, (UINT16)H,
                (UINT16)C.Width, (UINT16)C.Height, (UINT16)C.Width, (UINT16)C.Height, &Key);
  F = Value2 >= 100 ? Warning : Normal;
  Line(P, W, H, W - 175, U + Q - 6, W - 15, U + Q - 6, F[0]);
  Line(P, W, H, W - 176, U + T2 - 5, W - 176, U + Q + 10, F[1]);
  Line(P, W, H, W - 14, U + T2 - 5, W - 14, U + Q + 10, F[2]);
  Line(P, W, H, W - 175, U + Q + 11, W - 15, U + Q + 11, F[3]);
  PoolFree(C.Bitmap);
  DrawRoundFrame(P, W, H, 0, 0, W, H, 10, 0xFFFFFF);
}

}  // namespace ref
