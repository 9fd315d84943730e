// Lines and regular polygons.
//
// Which pixels a line owns is decided by the float service's arithmetic exactly
// as the reference scan of the bounding box decides it; what differs is how
// often it is worked out and how the pixels reach the target:
//   - pixel (i, j) of the box belongs when j = F(i) = ToInt(m*i + k) or
//     i = G(j) = ToInt((j - k) / m). F is evaluated once per column and G once
//     per row, which yields the same set as testing every pixel of the box;
//   - columns and rows whose stamps could not reach the target are skipped;
//   - consecutive pixels along a row or column are stamped as one run, so a
//     run costs one fill per pen rectangle instead of one per pixel.
// Stamping order differs from the scan, which cannot show: one line, one colour.
#include "raster/line.h"

#include "raster/exact_float.h"

namespace {

// Collects points that arrive in order along one axis into runs of stamps.
class RunStamper {
 public:
  RunStamper(const DrawTarget &T, bool Horizontal, INT32 PenStyle, UINT32 Color)
      : T_(T), Horizontal_(Horizontal), Pen_(PenStyle), Color_(Color) {}
  ~RunStamper() { Flush(); }

  void Add(INT64 X, INT64 Y) {
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
  INT64 X_ = 0, Y_ = 0, N_ = 0;
};

// One of the two per-axis functions of a sloped line: F(i) = ToInt(m*i + k)
// for columns, G(j) = ToInt((j - k) / m) for rows.
// The steps are the service's, taken in integers (raster/exact_float.h).
INT32 AxisValue(bool Columns, FLOAT32_BITS M, FLOAT32_BITS K, INT64 V) {
  FLOAT32_BITS F = xf::FromInt((INT32)V);
  return Columns ? xf::ToInt(xf::Add(xf::Mul(M, F), K)) : xf::ToInt(xf::Div(xf::Sub(F, K), M));
}

// The first pass's function, remembering the values of its first kCached
// positions so the second pass can recognise pixels already owned.
class RememberedAxis {
 public:
  static constexpr INT64 kCached = 2048;

  RememberedAxis(bool Columns, FLOAT32_BITS M, FLOAT32_BITS K, INT64 Start)
      : Columns_(Columns), M_(M), K_(K), Start_(Start) {}

  // Called for Start, Start + 1, ... in order.
  INT32 Evaluate(INT64 V) {
    INT32 R = AxisValue(Columns_, M_, K_, V);
    if (V - Start_ == Filled_ && Filled_ < kCached) {
      Cache_[Filled_++] = R;
    }
    return R;
  }

  INT32 At(INT64 V) const {
    INT64 Slot = V - Start_;
    return (Slot >= 0 && Slot < Filled_) ? Cache_[Slot] : AxisValue(Columns_, M_, K_, V);
  }

 private:
  bool Columns_;
  FLOAT32_BITS M_, K_;
  INT64 Start_;
  INT64 Filled_ = 0;
  INT32 Cache_[kCached];
};

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
  RememberedAxis First(ColumnsFirst, M, K, A0);

  {
    // First pass: (a, f(a)) along the first axis.
    RunStamper Runs(T, ColumnsFirst, PenStyle, Color);
    for (INT64 A = A0; A <= A1; A++) {
      INT64 B = First.Evaluate(A);
      if (B >= B0 && B <= B1) {
        ColumnsFirst ? Runs.Add(A, B) : Runs.Add(B, A);
      }
    }
  }
  // Second pass: (g(b), b), unless the first pass already owned that pixel.
  RunStamper Runs(T, !ColumnsFirst, PenStyle, Color);
  for (INT64 B = B0; B <= B1; B++) {
    INT64 A = AxisValue(!ColumnsFirst, M, K, B);
    if (A < A0 || A > A1) {
      continue;
    }
    if (First.At(A) == B) {
      continue;
    }
    ColumnsFirst ? Runs.Add(A, B) : Runs.Add(B, A);
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
