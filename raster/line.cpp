// Lines and regular polygons.
//
// Which pixels a line owns is decided by the float service's arithmetic exactly
// as the reference scan of the bounding box decides it; what differs is how
// often it is worked out and how the pixels reach the target:
//   - pixel (i, j) of the box belongs when j = F(i) = ToInt(m*i + k) or
//     i = G(j) = ToInt((j - k) / m). F is evaluated once per column and G once
//     per row, which yields the same set as testing every pixel of the box;
//     each value comes from the exact rational in integers, and from the
//     float steps only where rounding could move it (LineAxis below);
//   - columns and rows whose stamps could not reach the target are skipped;
//   - consecutive pixels along a row or column are stamped as one run, so a
//     run costs one fill per pen rectangle instead of one per pixel, and a
//     one-pixel pen in a buffer is a plain store.
// Stamping order differs from the scan, which cannot show: one line, one colour.
#include "raster/line.h"

#include "raster/exact_float.h"

namespace {

// Q = floor(N / D) and R = N - Q D, so 0 <= R < D (D > 0).
void FloorDivide(INT64 N, INT64 D, INT64 &Q, INT64 &R) {
  Q = N / D;
  R = N % D;
  if (R < 0) {
    R += D;
    Q--;
  }
}

}  // namespace

// LineAxis: the float steps of F and G, mostly without taking them.
//
// Both are ToInt of a rounded z' near the exact rational z:
//   F(i) = trunc(fl(fl(M i) + K)), z = M i + K;
//   G(j) = trunc(fl(fl(j - K) / M)), z = (j - K) / M.
// For |i|, |j| <= 2^24 the conversion of the position is exact. Rounding to
// nearest (u = 2^-24) gives |fl(x) - x| <= u |x| for sums (a sum with a
// subnormal result is exact) and for products and quotients with normal
// results; for F the product M i is normal (M normal, |i| >= 1), and a
// quotient of G that is not normal lies within (-1, 1), as z does, and both
// truncate to 0. So
//   F: |z' - z| <= u |M i| + u (|z| + u |M i|) <= 2^-23 (|M i| + |z|),
//   G: |z' - z| <= |z| (2u + u^2) <= 2^-22 |z|.
// trunc is constant between nonzero integers, so when z lies further than
// that bound from every integer, trunc(z') = trunc(z), found in integers
// from z = (A v + B) / D. Otherwise (z on or near an integer, as at the
// lattice points of the line) the steps themselves are taken.
//
// With M = sM 2^eM and K = sK 2^eK (|sM|, |sK| < 2^24) and e0 the smallest
// exponent in play, z is exact in integers scaled by 2^-e0. The limits below
// keep every product and sum within 63 bits: |A|, D <= 2^38, |B| < 2^62,
// |v| <= 2^24 and |A v + B| < 2^62.
namespace {
constexpr INT32 kScaleBits = 38;
}  // namespace

LineAxis::LineAxis(bool Columns, FLOAT32_BITS M, FLOAT32_BITS K) : Columns_(Columns), M_(M), K_(K) {
  bool NM, NK;
  UINT64 UM, UK;
  INT32 EM, EK;
  if (!xf::detail::Decode(M, NM, UM, EM) || !xf::detail::Decode(K, NK, UK, EK) || UM == 0) {
    return;
  }
  const INT64 SM = NM ? -(INT64)UM : (INT64)UM, SK = NK ? -(INT64)UK : (INT64)UK;
  if (SK == 0) {
    EK = Columns ? EM : 0;
  }
  if (Columns) {
    // z = (sM 2^(eM - e0) i + sK 2^(eK - e0)) / 2^-e0.
    const INT32 E0 = EM < EK ? EM : EK;
    if (E0 > 0 || -E0 > kScaleBits || EM - E0 > kScaleBits - 24 || EK - E0 > kScaleBits) {
      return;
    }
    A_ = SM * (1LL << (EM - E0));
    B_ = SK * (1LL << (EK - E0));
    Shift_ = -E0;
    D_ = 1LL << Shift_;
  } else {
    // j - K = (j 2^-e0 - sK 2^(eK - e0)) 2^e0 with e0 = min(eK, 0), then
    // divided by sM 2^eM: the power of two goes up or down.
    const INT32 E0 = EK < 0 ? EK : 0;
    const INT32 Up = E0 > EM ? E0 - EM : 0, Down = EM > E0 ? EM - E0 : 0;
    if (-E0 + Up > kScaleBits || EK - E0 + Up > kScaleBits || Down > kScaleBits - 24) {
      return;
    }
    const INT64 Sign = SM < 0 ? -1 : 1;
    A_ = Sign * (1LL << (-E0 + Up));
    B_ = -Sign * SK * (1LL << (EK - E0 + Up));
    D_ = (SM < 0 ? -SM : SM) * (1LL << Down);
  }
  FloorDivide(A_, D_, AQ_, AR_);
  Exact_ = true;
}

INT32 LineAxis::Stepped(INT64 V) const {
  const FLOAT32_BITS F = xf::FromInt((INT32)V);
  return Columns_ ? xf::ToInt(xf::Add(xf::Mul(M_, F), K_)) : xf::ToInt(xf::Div(xf::Sub(F, K_), M_));
}

INT32 LineAxis::Seek(INT64 V) {
  if (!Exact_ || V < -kPositionLimit || V > kPositionLimit) {
    Held_ = false;
    return Stepped(V);
  }
  N_ = A_ * V + B_;
  if (Columns_) {
    Q_ = N_ >> Shift_;
    R_ = N_ & (D_ - 1);
  } else {
    FloorDivide(N_, D_, Q_, R_);
  }
  V_ = V;
  return Held();
}

void LineAxis::Fill(INT64 From, INT64 Count, INT32 *Out) {
  for (INT64 U = 0; U < Count;) {
    Out[U] = At(From + U);
    U++;
    if (!Held_) {
      continue;
    }
    // The steps of At with the state in locals, as far as positions stay
    // within the limit and N within range; At takes over beyond.
    INT64 N = N_, Q = Q_, R = R_;
    const INT64 A = A_, AQ = AQ_, AR = AR_, D = D_, B = B_;
    const INT64 End = From + Count - 1 > kPositionLimit ? kPositionLimit - From + 1 : Count;
    for (; U < End && N + A > -kValueLimit && N + A < kValueLimit; U++) {
      StepOn(N, Q, R, A, AQ, AR, D);
      const INT64 AV = N - B;
      const UINT64 Gap = (UINT64)(R < D - R ? R : D - R);
      const UINT64 Size = (UINT64)(N < 0 ? -N : N);
      const bool Clear =
          Columns_ ? (Gap << 23) > Size + (UINT64)(AV < 0 ? -AV : AV) : (Gap << 22) > Size;
      Out[U] = Clear ? (INT32)(Q < 0 && R != 0 ? Q + 1 : Q) : Stepped(From + U);
    }
    V_ = From + U - 1;
    N_ = N;
    Q_ = Q;
    R_ = R;
  }
}

namespace {

// Collects points that arrive in order along one axis into runs of stamps;
// a one-pixel pen in a buffer stores each point on the target at once.
class RunStamper {
 public:
  RunStamper(const DrawTarget &T, bool Horizontal, INT32 PenStyle, UINT32 Color)
      : T_(T),
        Horizontal_(Horizontal),
        Pen_(PenStyle),
        Color_(Color),
        Direct_(!T.IsScreen() && PenReach(PenStyle) == 0) {}
  ~RunStamper() { Flush(); }

  void Add(INT64 X, INT64 Y) {
    if (Direct_) {
      const Rect &C = T_.Clip;
      if (X >= C.X && X < C.Right() && Y >= C.Y && Y < C.Bottom()) *T_.At(X, Y) = Pixel_;
      return;
    }
    if (N_ > 0 && (Horizontal_ ? (Y == Y_ && X == X_ + N_) : (X == X_ && Y == Y_ + N_))) {
      N_++;
      return;
    }
    Flush();
    X_ = X;
    Y_ = Y;
    N_ = 1;
  }

  void Flush() {
    StampRun(T_, X_, Y_, N_, Horizontal_, Pen_, Color_);
    N_ = 0;
  }

 private:
  const DrawTarget &T_;
  bool Horizontal_;
  INT32 Pen_;
  UINT32 Color_;
  bool Direct_;
  ORVANE_PIXEL Pixel_ = PixelFromColor(Color_);
  INT64 X_ = 0, Y_ = 0, N_ = 0;
};

// Values of an axis are worked out a batch at a time, away from the pixel
// stores: a store through a pixel may alias anything, which would keep the
// axis's state in memory between steps.
constexpr INT64 kBatch = 256;

// The first pass's values at its first kRemembered positions are kept, so
// the second pass can recognise pixels already owned.
constexpr INT64 kRemembered = 2048;

void DrawSlopedLine(const DrawTarget &T, INT32 X1, INT32 Y1, INT32 X2, INT32 Y2, INT32 PenStyle,
                    UINT32 Color) {
  const INT64 XMin = X1 < X2 ? X1 : X2, XMax = X1 < X2 ? X2 : X1;
  const INT64 YMin = Y1 < Y2 ? Y1 : Y2, YMax = Y1 < Y2 ? Y2 : Y1;
  // Columns and rows whose pixels' stamps can reach the target.
  const INT64 Reach = PenReach(PenStyle);
  // The box grown by the pen's reach, clipped, then shrunk back: an edge the
  // clip did not move comes back to the box's own.
  const Rect V = ClipRect(T.Clip, XMin - Reach, YMin - Reach, XMax - XMin + 1 + 2 * Reach,
                          YMax - YMin + 1 + 2 * Reach);
  if (V.Empty()) {
    return;
  }
  const INT64 C0 = V.X - Reach > XMin ? V.X - Reach : XMin;
  const INT64 C1 = V.Right() - 1 + Reach < XMax ? V.Right() - 1 + Reach : XMax;
  const INT64 R0 = V.Y - Reach > YMin ? V.Y - Reach : YMin;
  const INT64 R1 = V.Bottom() - 1 + Reach < YMax ? V.Bottom() - 1 + Reach : YMax;

  FLOAT32_BITS FX1 = fm::FromInt(X1), FY1 = fm::FromInt(Y1);
  FLOAT32_BITS FX2 = fm::FromInt(X2), FY2 = fm::FromInt(Y2);
  FLOAT32_BITS M = fm::Div(fm::Sub(FY1, FY2), fm::Sub(FX1, FX2));
  FLOAT32_BITS K = fm::Sub(FY1, fm::Mul(M, FX1));

  // The longer axis goes first: its pixels form the long runs, and its
  // values are remembered to recognise pixels the second pass would repeat.
  const bool ColumnsFirst = (XMax - XMin) >= (YMax - YMin);
  const INT64 A0 = ColumnsFirst ? C0 : R0, A1 = ColumnsFirst ? C1 : R1;  // first-pass range
  const INT64 B0 = ColumnsFirst ? R0 : C0, B1 = ColumnsFirst ? R1 : C1;  // second-pass range
  // Both ranges lie inside the box, so a value found in them is a pixel of the box.
  LineAxis FirstAxis(ColumnsFirst, M, K), SecondAxis(!ColumnsFirst, M, K);
  INT32 Remembered[kRemembered], Batch[kBatch];

  {
    // First pass: (a, f(a)) along the first axis.
    RunStamper Runs(T, ColumnsFirst, PenStyle, Color);
    for (INT64 From = A0; From <= A1;) {
      INT32 *Values = From - A0 < kRemembered ? Remembered + (From - A0) : Batch;
      const INT64 Room = Values == Batch ? kBatch : kRemembered - (From - A0);
      const INT64 Count = A1 - From + 1 < Room ? A1 - From + 1 : Room;
      FirstAxis.Fill(From, Count, Values);
      for (INT64 U = 0; U < Count; U++) {
        const INT64 A = From + U, B = Values[U];
        if (B >= B0 && B <= B1) {
          ColumnsFirst ? Runs.Add(A, B) : Runs.Add(B, A);
        }
      }
      From += Count;
    }
  }
  // Second pass: (g(b), b), unless the first pass already owned that pixel.
  RunStamper Runs(T, !ColumnsFirst, PenStyle, Color);
  for (INT64 From = B0; From <= B1;) {
    const INT64 Count = B1 - From + 1 < kBatch ? B1 - From + 1 : kBatch;
    SecondAxis.Fill(From, Count, Batch);
    for (INT64 U = 0; U < Count; U++) {
      const INT64 B = From + U, A = Batch[U];
      if (A < A0 || A > A1) {
        continue;
      }
      const INT64 Slot = A - A0;
      if ((Slot < kRemembered ? Remembered[Slot] : FirstAxis.At(A)) == B) {
        continue;
      }
      ColumnsFirst ? Runs.Add(A, B) : Runs.Add(B, A);
    }
    From += Count;
  }
}

}  // namespace

void DrawLineOn(const DrawTarget &T, INT32 X1, INT32 Y1, INT32 X2, INT32 Y2, INT32 PenStyle,
                UINT32 Color) {
  if (Y1 == Y2) {
    INT64 Left = X1 < X2 ? X1 : X2, Right = X1 < X2 ? X2 : X1;
    StampRun(T, Left, Y2, Right - Left + 1, true, PenStyle, Color);
    return;
  }
  if (X1 == X2) {
    INT64 Top = Y1 < Y2 ? Y1 : Y2, Bottom = Y1 < Y2 ? Y2 : Y1;
    StampRun(T, X1, Top, Bottom - Top + 1, false, PenStyle, Color);
    return;
  }
  DrawSlopedLine(T, X1, Y1, X2, Y2, PenStyle, Color);
}

UINTN EFIAPI DrawLine(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 X1, INT32 Y1,
                      INT32 X2, INT32 Y2, INT32 PenStyle, UINT32 Color) {
  DrawLineOn(DrawTarget::For(Buffer, RowWidth, Height), X1, Y1, X2, Y2, PenStyle, Color);
  return 0;
}

namespace {

// RotatePoint with the angle's cosine and sine already taken.
INT32 RotateWith(INT32 CenterX, INT32 CenterY, INT32 PointX, INT32 PointY, FLOAT32_BITS Cos,
                 FLOAT32_BITS Sin, UINT8 Selector) {
  FLOAT32_BITS Dx = fm::FromInt((INT32)((INT64)PointX - CenterX));
  FLOAT32_BITS Dy = fm::FromInt((INT32)((INT64)PointY - CenterY));
  if (Selector == 0) {
    return fm::ToInt(fm::Add(fm::Sub(fm::Mul(Dx, Cos), fm::Mul(Dy, Sin)), fm::FromInt(CenterX)));
  }
  return fm::ToInt(fm::Add(fm::Add(fm::Mul(Dx, Sin), fm::Mul(Dy, Cos)), fm::FromInt(CenterY)));
}

}  // namespace

INT32 RotatePoint(INT32 CenterX, INT32 CenterY, INT32 PointX, INT32 PointY, FLOAT32_BITS Angle,
                  UINT8 Selector) {
  FLOAT32_BITS Theta = fm::DegToRad(Angle);
  return RotateWith(CenterX, CenterY, PointX, PointY, fm::Cos(Theta), fm::Sin(Theta), Selector);
}

void DrawRegularPolygonOn(const DrawTarget &T, INT32 CenterX, INT32 CenterY, INT32 Sides,
                          INT32 Radius, INT32 PenStyle, UINT32 Color) {
  if (Sides <= 0) {
    return;
  }
  // The step angle's cosine and sine are taken once: the same service calls
  // on the same values give the same vertices as RotatePoint would.
  FLOAT32_BITS Theta = fm::DegToRad(fm::Div(fm::FromInt(360), fm::FromInt(Sides)));
  FLOAT32_BITS Cos = fm::Cos(Theta), Sin = fm::Sin(Theta);
  INT32 X = CenterX, Y = (INT32)((INT64)CenterY - Radius);
  for (INT32 Side = 0; Side < Sides; Side++) {
    // Each vertex turns from the previous integer vertex, so errors accumulate.
    INT32 NextX = RotateWith(CenterX, CenterY, X, Y, Cos, Sin, 0);
    INT32 NextY = RotateWith(CenterX, CenterY, X, Y, Cos, Sin, 1);
    DrawLineOn(T, X, Y, NextX, NextY, PenStyle, Color);
    X = NextX;
    Y = NextY;
  }
}

UINTN EFIAPI DrawRegularPolygon(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 CenterX,
                                INT32 CenterY, INT32 Sides, INT32 Radius, INT32 PenStyle,
                                UINT32 Color) {
  DrawRegularPolygonOn(DrawTarget::For(Buffer, RowWidth, Height), CenterX, CenterY, Sides, Radius,
                       PenStyle, Color);
  return 0;
}
