#include "tests/raster_reference.h"

#include <algorithm>
#include <sstream>

#include "platform/services.h"

namespace ref {
namespace {

void Put(const DrawTarget &T, INT64 X, INT64 Y, UINT32 Color) {
  if (X < T.Clip.X || X >= T.Clip.Right() || Y < T.Clip.Y || Y >= T.Clip.Bottom()) return;
  T.Put((INT32)X, (INT32)Y, Color);
}

// Whether a pixel test can matter: pixels off the target are never written.
bool OnTarget(const DrawTarget &T, INT64 X, INT64 Y) {
  return X >= T.Clip.X && X < T.Clip.Right() && Y >= T.Clip.Y && Y < T.Clip.Bottom();
}

__int128 Sq(__int128 V) { return V * V; }

// The gradient stepping exactly as described: per channel a float start, a
// float step (end - start) / n, and after each step ToInt with clamping.
struct Gradient {
  FLOAT32_BITS Value[3], Step[3];
  UINT32 Color;
  Gradient(UINT32 From, UINT32 To, INT32 N) : Color(From) {
    if (N == 0) N = 1;  // the drawing routines' choice for zero-step gradients
    for (int C = 0; C < 3; C++) {
      Value[C] = fm::FromInt((INT32)((From >> (8 * C)) & 0xFF));
      Step[C] =
          fm::Div(fm::Sub(fm::FromInt((INT32)((To >> (8 * C)) & 0xFF)), Value[C]), fm::FromInt(N));
    }
  }
  void Advance() {
    for (int C = 0; C < 3; C++) {
      Value[C] = fm::Add(Value[C], Step[C]);
      INT32 V = fm::ToInt(Value[C]);
      if (V < 0) V = 0;
      if (V >= 256) V = 255;
      Color = (Color & ~(0xFFu << (8 * C))) | ((UINT32)V << (8 * C));
    }
  }
};

}  // namespace

void Stamp(const DrawTarget &T, INT64 X, INT64 Y, INT32 PenStyle, UINT32 Color) {
  for (INT64 Dy = -4; Dy <= 4; Dy++) {
    for (INT64 Dx = -4; Dx <= 4; Dx++) {
      INT64 Ax = Dx < 0 ? -Dx : Dx, Ay = Dy < 0 ? -Dy : Dy;
      bool In;
      switch (PenStyle) {
        case 2: In = Ax + Ay <= 1; break;
        case 3: In = Ax <= 1 && Ay <= 1; break;
        case 4: In = (Ax <= 2 && Ay <= 2) || (Ay == 3 && Ax <= 1) || (Ax == 3 && Ay <= 1); break;
        case 5: In = (Ax <= 3 && Ay <= 3) || (Ay == 4 && Ax <= 1) || (Ax == 4 && Ay <= 1); break;
        default: In = Ax == 0 && Ay == 0; break;
      }
      if (In) Put(T, X + Dx, Y + Dy, Color);
    }
  }
}

void LineOn(const DrawTarget &T, INT32 X1, INT32 Y1, INT32 X2, INT32 Y2, INT32 PenStyle,
            UINT32 Color) {
  if (Y1 == Y2) {
    for (INT64 X = X1 < X2 ? X1 : X2; X <= (X1 < X2 ? X2 : X1); X++)
      Stamp(T, X, Y2, PenStyle, Color);
    return;
  }
  if (X1 == X2) {
    for (INT64 Y = Y1 < Y2 ? Y1 : Y2; Y <= (Y1 < Y2 ? Y2 : Y1); Y++)
      Stamp(T, X1, Y, PenStyle, Color);
    return;
  }
  FLOAT32_BITS FX1 = fm::FromInt(X1), FY1 = fm::FromInt(Y1), FX2 = fm::FromInt(X2),
               FY2 = fm::FromInt(Y2);
  FLOAT32_BITS M = fm::Div(fm::Sub(FY1, FY2), fm::Sub(FX1, FX2));
  FLOAT32_BITS K = fm::Sub(FY1, fm::Mul(M, FX1));
  // Pixels whose stamps (reaching 4 at most) miss the target make no difference.
  const INT64 Left = T.Clip.X - 4, Right = (INT64)T.Clip.Right() + 3;
  const INT64 Top = T.Clip.Y - 4, Bottom = (INT64)T.Clip.Bottom() + 3;
  for (INT64 I = std::max<INT64>(X1 < X2 ? X1 : X2, Left);
       I <= std::min<INT64>(X1 < X2 ? X2 : X1, Right); I++) {
    for (INT64 J = std::max<INT64>(Y1 < Y2 ? Y1 : Y2, Top);
         J <= std::min<INT64>(Y1 < Y2 ? Y2 : Y1, Bottom); J++) {
      bool Belongs = J == fm::ToInt(fm::Add(fm::Mul(M, fm::FromInt((INT32)I)), K)) ||
                     I == fm::ToInt(fm::Div(fm::Sub(fm::FromInt((INT32)J), K), M));
      if (Belongs) Stamp(T, I, J, PenStyle, Color);
    }
  }
}

UINTN DrawLine(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 X1, INT32 Y1, INT32 X2,
               INT32 Y2, INT32 PenStyle, UINT32 Color) {
  LineOn(DrawTarget::For(Buffer, RowWidth, Height), X1, Y1, X2, Y2, PenStyle, Color);
  return 0;
}

INT32 RotatePoint(INT32 CenterX, INT32 CenterY, INT32 PointX, INT32 PointY, FLOAT32_BITS Angle,
                  UINT8 Selector) {
  FLOAT32_BITS Dx = fm::FromInt((INT32)((INT64)PointX - CenterX));
  FLOAT32_BITS Dy = fm::FromInt((INT32)((INT64)PointY - CenterY));
  FLOAT32_BITS Theta = fm::DegToRad(Angle);
  FLOAT32_BITS X = fm::Add(fm::Sub(fm::Mul(Dx, fm::Cos(Theta)), fm::Mul(Dy, fm::Sin(Theta))),
                           fm::FromInt(CenterX));
  FLOAT32_BITS Y = fm::Add(fm::Add(fm::Mul(Dx, fm::Sin(Theta)), fm::Mul(Dy, fm::Cos(Theta))),
                           fm::FromInt(CenterY));
  return Selector == 0 ? fm::ToInt(X) : fm::ToInt(Y);
}

UINTN DrawRegularPolygon(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 CenterX,
                         INT32 CenterY, INT32 Sides, INT32 Radius, INT32 PenStyle, UINT32 Color) {
  if (Sides <= 0) return 0;
  FLOAT32_BITS Step = fm::Div(fm::FromInt(360), fm::FromInt(Sides));
  INT32 X = CenterX, Y = (INT32)((INT64)CenterY - Radius);
  for (INT32 I = 0; I < Sides; I++) {
    INT32 NX = RotatePoint(CenterX, CenterY, X, Y, Step, 0);
    INT32 NY = RotatePoint(CenterX, CenterY, X, Y, Step, 1);
    DrawLine(Buffer, RowWidth, Height, X, Y, NX, NY, PenStyle, Color);
    X = NX;
    Y = NY;
  }
  return 0;
}

FLOAT32_BITS TriangleArea(INT32 XA, INT32 YA, INT32 XB, INT32 YB, INT32 XC, INT32 YC) {
  UINT32 S = (UINT32)XA * (UINT32)YB + (UINT32)XC * (UINT32)YA + (UINT32)YC * (UINT32)XB -
             (UINT32)XC * (UINT32)YB - (UINT32)XA * (UINT32)YC - (UINT32)XB * (UINT32)YA;
  FLOAT32_BITS Area = fm::Div(fm::FromInt((INT32)S), fm::FromInt(2));
  if (fm::Compare(Area, fm::FromInt(0)) == FLOAT_LESS) return fm::Sub(fm::FromInt(0), Area);
  return Area;
}

namespace {

void RectangleOn(const DrawTarget &T, INT64 X, INT64 Y, INT64 W, INT64 H, INT32 PenStyle,
                 INT32 FillStyle, UINT32 Color1, UINT32 Color2) {
  UINT32 Outline = Color1;
  switch (FillStyle) {
    case 1:
      for (INT64 V = Y; V < Y + H; V++)
        for (INT64 U = X; U < X + W; U++) Put(T, U, V, Color2);
      break;
    case 2:
    case 4: {
      Gradient G(Color1, Color2, (INT32)W);
      for (INT64 U = X; U < X + W; U++) {
        for (INT64 V = Y; V < Y + H; V++) Put(T, U, V, G.Color);
        G.Advance();
      }
      Outline = G.Color;
      break;
    }
    case 3:
    case 5: {
      Gradient G(Color1, Color2, (INT32)H);
      for (INT64 V = Y; V < Y + H; V++) {
        for (INT64 U = X; U < X + W; U++) Put(T, U, V, G.Color);
        G.Advance();
      }
      Outline = G.Color;
      break;
    }
    case 6:
      for (INT64 V = Y; V < Y + H; V += 2)
        for (INT64 U = X; U < X + W; U += 2) Put(T, U, V, Color2);
      break;
  }
  if (FillStyle == 4 || FillStyle == 5) return;
  for (INT64 U = X; U < X + W; U++) {
    Stamp(T, U, Y, PenStyle, Outline);
    Stamp(T, U, Y + H - 1, PenStyle, Outline);
  }
  for (INT64 V = Y; V < Y + H; V++) {
    Stamp(T, X, V, PenStyle, Outline);
    Stamp(T, X + W - 1, V, PenStyle, Outline);
  }
}

}  // namespace

UINTN DrawRectangle(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 X, INT32 Y,
                    INT32 Width, INT32 RectHeight, INT32 PenStyle, INT32 FillStyle, UINT32 Color1,
                    UINT32 Color2) {
  if (Buffer != nullptr || FillStyle == 0) {
    RectangleOn(DrawTarget::For(Buffer, RowWidth, Height), X, Y, Width, RectHeight, PenStyle,
                FillStyle, Color1, Color2);
    return 0;
  }
  // A temporary buffer 0 or less wide or high holds no pixel to show.
  if (Width <= 0 || RectHeight <= 0) return 0;
  UINTN Bytes = (UINTN)Width * (UINTN)RectHeight * sizeof(ORVANE_PIXEL);
  auto *Temp = static_cast<ORVANE_PIXEL *>(PoolAlloc(Bytes));
  if (Temp == nullptr) return EFI_OUT_OF_RESOURCES;
  // Pixels no style paints: dot gaps show black, the inside of an unknown
  // style what the screen showed.
  if (FillStyle == 6) gBootServices->SetMem(Temp, Bytes, 0);
  if (FillStyle < 1 || FillStyle > 6) CaptureUnder(Temp, X, Y, Width, RectHeight);
  RectangleOn(DrawTarget::For(Temp, Width, RectHeight), 0, 0, Width, RectHeight, PenStyle,
              FillStyle, Color1, Color2);
  SendToScreen(Temp, Width, RectHeight, X, Y);
  PoolFree(Temp);
  return 0;
}

UINTN DrawTriangle(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, UINT32 X1, UINT32 Y1,
                   UINT32 X2, UINT32 Y2, UINT32 X3, UINT32 Y3, INT32 PenStyle, INT32 FillStyle,
                   UINT32 Color1, UINT32 Color2) {
  const DrawTarget T = DrawTarget::For(Buffer, RowWidth, Height);
  const INT64 MinX = X1 < X2 ? (X1 < X3 ? X1 : X3) : (X2 < X3 ? X2 : X3);
  const INT64 MaxX = X1 > X2 ? (X1 > X3 ? X1 : X3) : (X2 > X3 ? X2 : X3);
  const INT64 MinY = Y1 < Y2 ? (Y1 < Y3 ? Y1 : Y3) : (Y2 < Y3 ? Y2 : Y3);
  const INT64 MaxY = Y1 > Y2 ? (Y1 > Y3 ? Y1 : Y3) : (Y2 > Y3 ? Y2 : Y3);
  const INT32 A = (INT32)X1, B = (INT32)Y1, C = (INT32)X2, D = (INT32)Y2, E = (INT32)X3,
              F = (INT32)Y3;
  // The pixel test. Rows and columns off the target are passed over without
  // asking it, since nothing there is written; gradients still step through them.
  auto Inside = [&](INT64 I, INT64 J) {
    INT32 Pi = (INT32)I, Pj = (INT32)J;
    FLOAT32_BITS Total = TriangleArea(A, B, C, D, E, F);
    FLOAT32_BITS Sum =
        fm::Add(fm::Add(TriangleArea(A, B, C, D, Pi, Pj), TriangleArea(C, D, E, F, Pi, Pj)),
                TriangleArea(E, F, Pi, Pj, A, B));
    return fm::Compare(Total, Sum) == FLOAT_EQUAL;
  };
  const INT64 VX0 = MinX > T.Clip.X ? MinX : T.Clip.X,
              VX1 = MaxX < T.Clip.Right() - 1 ? MaxX : T.Clip.Right() - 1;
  const INT64 VY0 = MinY > T.Clip.Y ? MinY : T.Clip.Y,
              VY1 = MaxY < T.Clip.Bottom() - 1 ? MaxY : T.Clip.Bottom() - 1;
  auto ColumnShown = [&](INT64 I) { return I >= VX0 && I <= VX1; };
  auto RowShown = [&](INT64 J) { return J >= VY0 && J <= VY1; };
  UINT32 Outline = Color1;
  switch (FillStyle) {
    case 1:
      for (INT64 I = VX0; I <= VX1; I++)
        for (INT64 J = VY0; J <= VY1; J++)
          if (Inside(I, J)) Put(T, I, J, Color2);
      break;
    case 2:
    case 4: {
      Gradient G(Color1, Color2, (INT32)(MaxX - MinX));
      for (INT64 I = MinX; I <= MaxX; I++) {
        for (INT64 J = VY0; ColumnShown(I) && J <= VY1; J++)
          if (Inside(I, J)) Put(T, I, J, G.Color);
        G.Advance();
      }
      Outline = G.Color;
      break;
    }
    case 3:
    case 5: {
      Gradient G(Color1, Color2, (INT32)(MaxY - MinY));
      for (INT64 J = MinY; J <= MaxY; J++) {
        for (INT64 I = VX0; RowShown(J) && I <= VX1; I++)
          if (Inside(I, J)) Put(T, I, J, G.Color);
        G.Advance();
      }
      Outline = G.Color;
      break;
    }
    case 6:
      for (INT64 I = MinX; I <= MaxX; I += 2)
        for (INT64 J = MinY; ColumnShown(I) && J <= MaxY; J += 2)
          if (RowShown(J) && Inside(I, J)) Put(T, I, J, Color2);
      break;
  }
  if (FillStyle == 4 || FillStyle == 5) return 0;
  LineOn(T, A, B, C, D, PenStyle, Outline);
  LineOn(T, C, D, E, F, PenStyle, Outline);
  LineOn(T, E, F, A, B, PenStyle, Outline);
  return 0;
}

UINTN DrawCircle(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 CenterX, INT32 CenterY,
                 INT32 Radius, INT32 Thickness, INT32 FillStyle, UINT32 Color1, UINT32 Color2) {
  const DrawTarget T = DrawTarget::For(Buffer, RowWidth, Height);
  const INT64 CX = CenterX, CY = CenterY, R = Radius;
  auto D2 = [&](INT64 X, INT64 Y) { return Sq(X - CX) + Sq(Y - CY); };
  // Visits the square cx - s .. cx + s by cy - s .. cy + s, skipping only
  // pixels that would be clipped.
  auto Square = [&](INT64 S, auto &&Fn) {
    for (INT64 Y = CY - S; Y <= CY + S; Y++) {
      if (Y < T.Clip.Y || Y >= T.Clip.Bottom()) continue;
      INT64 Left = CX - S < T.Clip.X ? T.Clip.X : CX - S;
      INT64 Right = CX + S >= T.Clip.Right() ? T.Clip.Right() - 1 : CX + S;
      for (INT64 X = Left; X <= Right; X++) Fn(X, Y);
    }
  };
  UINT32 Outline = Color1;
  switch (FillStyle) {
    case 1:
      Square(R, [&](INT64 X, INT64 Y) {
        if (D2(X, Y) <= Sq(R)) Put(T, X, Y, Color2);
      });
      break;
    case 2: {
      Gradient G(Color1, Color2, Radius);
      for (INT64 K = 0; K <= R; K++) {
        __int128 Q2 = Sq(R - K);
        Square(R - K, [&](INT64 X, INT64 Y) {
          __int128 V = D2(X, Y);
          if (Q2 - R <= V && V <= Q2 + R) Put(T, X, Y, G.Color);
        });
        G.Advance();
      }
      Outline = G.Color;
      break;
    }
    case 3:
      // Every second pixel of the square from its top-left corner.
      for (INT64 Y = CY - R; Y <= CY + R; Y += 2)
        for (INT64 X = CX - R; X <= CX + R; X += 2)
          if (OnTarget(T, X, Y) && D2(X, Y) <= Sq(R)) Put(T, X, Y, Color2);
      break;
  }
  Square(R, [&](INT64 X, INT64 Y) {
    __int128 V = D2(X, Y);
    if (Sq(R - Thickness) <= V && V <= Sq(R)) Put(T, X, Y, Outline);
  });
  return 0;
}

}  // namespace ref

namespace rastertest {

std::string FirstDifference(const std::vector<uint32_t> &A, const std::vector<uint32_t> &B, int W) {
  size_t Count = 0, First = 0;
  for (size_t I = 0; I < A.size() && I < B.size(); I++) {
    if (A[I] != B[I]) {
      if (Count++ == 0) First = I;
    }
  }
  if (Count == 0 && A.size() == B.size()) return "identical";
  std::ostringstream S;
  S << Count << " pixels differ; first at (" << First % W << ", " << First / W << "): " << std::hex
    << A[First] << " vs " << B[First];
  return S.str();
}

uint32_t RandomColor(std::mt19937 &Rng) {
  uint32_t C = Rng() & 0x00FFFFFF;
  if (Rng() % 3 == 0) C |= (Rng() & 0xFF) << 24;
  return C;
}

}  // namespace rastertest
