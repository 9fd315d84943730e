// Circles, rectangles and triangles with their fill styles and gradients.
//
// The pixels are those of the plain per-pixel definitions; the work is not:
//   - shapes are painted row by row and only where they lie on the target;
//     a row's inside pixels come from a computed span (circles; triangles
//     whenever single precision is exact on their areas) instead of a test
//     of every pixel;
//   - on the screen neighbouring pixels of a row leave together: one fill for
//     one colour, one BufferToVideo for several, instead of a Blt per pixel;
//   - a pixel painted twice with different colours (a ring overdrawn by a
//     later ring, a fill pixel under the circle's outline) is painted once,
//     with the colour it would end up with;
//   - gradients still step through every column, row or ring with the float
//     service's arithmetic (taken in integers, raster/exact_float.h), so
//     their colours are exactly those of the stepping.
#include "raster/shapes.h"

#include "raster/exact_float.h"
#include "raster/gradient.h"
#include "raster/line.h"
#include "raster/row_runs.h"

namespace {

// A half-open window [X0, X1) x [Y0, Y1) of target pixels.
struct Window {
  INT64 X0, Y0, X1, Y1;
  bool Empty() const { return X0 >= X1 || Y0 >= Y1; }
};

// The part of the inclusive rectangle [Left, Right] x [Top, Bottom] on the target.
Window VisiblePart(const DrawTarget &T, INT64 Left, INT64 Top, INT64 Right, INT64 Bottom) {
  const Rect V = ClipRect(T.Clip, Left, Top, Right - Left + 1, Bottom - Top + 1);
  return {V.X, V.Y, V.Right(), V.Bottom()};
}

bool Touches(const DrawTarget &T, INT64 Left, INT64 Top, INT64 Right, INT64 Bottom) {
  return !VisiblePart(T, Left, Top, Right, Bottom).Empty();
}

// ---------------------------------------------------------------- rectangle

// The solid style in a buffer with every pixel stored once. The fill and the
// pen's rectangles swept along the four sides (as StampRun sweeps them), cut
// to the target, split the rows into bands that look alike; a band's row is
// worked out once as spans of the fill and of the outline, then stored row by row.
void PaintSolidRectangle(const DrawTarget &T, INT64 X, INT64 Y, INT64 W, INT64 H, INT32 PenStyle,
                         UINT32 Outline, UINT32 Fill) {
  constexpr int kMaxLines = 4 * kMaxPenRects;
  Rect Lines[kMaxLines];
  int LineCount = 0;
  PenRect Pen[kMaxPenRects];
  const int PenCount = PenAsRects(PenStyle, Pen);
  // The outline loops: columns X .. X + W - 1 at rows Y and Y + H - 1, then
  // rows Y .. Y + H - 1 at columns X and X + W - 1.
  const struct {
    INT64 X, Y, N;
    bool Horizontal;
  } Sides[4] = {
      {X, Y, W, true}, {X, Y + H - 1, W, true}, {X, Y, H, false}, {X + W - 1, Y, H, false}};
  for (const auto &S : Sides) {
    for (int I = 0; S.N > 0 && I < PenCount; I++) {
      const PenRect &P = Pen[I];
      const Rect R = ClipRect(T.Clip, S.X + P.Dx, S.Y + P.Dy, P.W + (S.Horizontal ? S.N - 1 : 0),
                              P.H + (S.Horizontal ? 0 : S.N - 1));
      if (!R.Empty()) Lines[LineCount++] = R;
    }
  }
  const Rect Inside = ClipRect(T.Clip, X, Y, W, H);

  // Band edges: every top and bottom, in order.
  INT64 Edges[2 * (kMaxLines + 1)];
  int EdgeCount = 0;
  auto AddEdges = [&](const Rect &R) {
    if (R.Empty()) return;
    Edges[EdgeCount++] = R.Y;
    Edges[EdgeCount++] = R.Bottom();
  };
  AddEdges(Inside);
  for (int I = 0; I < LineCount; I++) AddEdges(Lines[I]);
  for (int I = 1; I < EdgeCount; I++) {
    for (int J = I; J > 0 && Edges[J - 1] > Edges[J]; J--) {
      const INT64 E = Edges[J];
      Edges[J] = Edges[J - 1];
      Edges[J - 1] = E;
    }
  }

  for (int E = 0; E + 1 < EdgeCount; E++) {
    const INT64 Top = Edges[E], Bottom = Edges[E + 1];
    if (Top == Bottom) continue;
    // The outline's spans on these rows, left to right, overlapping ones joined.
    struct Span {
      INT64 X0, X1;
      UINT32 Color;
    } Ink[kMaxLines], Spans[2 * kMaxLines + 1];
    int InkCount = 0;
    for (int I = 0; I < LineCount; I++) {
      const Rect &R = Lines[I];
      if (R.Y > Top || R.Bottom() <= Top) continue;
      int J = InkCount++;
      for (; J > 0 && Ink[J - 1].X0 > R.X; J--) Ink[J] = Ink[J - 1];
      Ink[J] = {R.X, R.Right(), Outline};
    }
    int Joined = 0;
    for (int I = 0; I < InkCount; I++) {
      if (Joined > 0 && Ink[I].X0 <= Ink[Joined - 1].X1) {
        Ink[Joined - 1].X1 = Max64(Ink[Joined - 1].X1, Ink[I].X1);
      } else {
        Ink[Joined++] = Ink[I];
      }
    }
    // The fill shows between them.
    int SpanCount = 0;
    const bool Filled = !Inside.Empty() && Inside.Y <= Top && Inside.Bottom() > Top;
    INT64 From = Filled ? Inside.X : 0;
    const INT64 FillEnd = Filled ? Inside.Right() : 0;
    for (int I = 0; I < Joined; I++) {
      if (From < Min64(Ink[I].X0, FillEnd))
        Spans[SpanCount++] = {From, Min64(Ink[I].X0, FillEnd), Fill};
      Spans[SpanCount++] = Ink[I];
      From = Max64(From, Ink[I].X1);
    }
    if (From < FillEnd) Spans[SpanCount++] = {From, FillEnd, Fill};
    for (INT64 Row = Top; Row < Bottom; Row++) {
      for (int I = 0; I < SpanCount; I++) {
        FillPixels(T.At(Spans[I].X0, Row), (UINTN)(Spans[I].X1 - Spans[I].X0),
                   PixelFromColor(Spans[I].Color));
      }
    }
  }
}

void PaintRectangle(const DrawTarget &T, INT64 X, INT64 Y, INT64 W, INT64 H, INT32 PenStyle,
                    INT32 FillStyle, UINT32 Color1, UINT32 Color2) {
  const INT64 Right = X + W - 1, Bottom = Y + H - 1;
  const Window V = VisiblePart(T, X, Y, Right, Bottom);
  const bool HasOutline = FillStyle != kFillColumnsBare && FillStyle != kFillRowsBare;
  if (FillStyle == kFillSolid && !T.IsScreen()) {
    PaintSolidRectangle(T, X, Y, W, H, PenStyle, Color1, Color2);
    return;
  }
  // The outline loops stamp columns X and Right, rows Y and Bottom; when the
  // width or height is 0 or less, Right or Bottom lies before X or Y.
  const INT64 Reach = PenReach(PenStyle);
  const bool OutlineVisible =
      HasOutline && Touches(T, Min64(X, Right) - Reach, Min64(Y, Bottom) - Reach,
                            Max64(X, Right) + Reach, Max64(Y, Bottom) + Reach);
  UINT32 Outline = Color1;

  switch (FillStyle) {
    case kFillSolid: T.Fill(X, Y, W, H, Color2); break;
    case kFillColumns:
    case kFillColumnsBare: {
      // Columns after the last visible one only matter for the outline's colour.
      Gradient G(Color1, Color2, (INT32)W);
      FillColumns(T, G, X, Y, W, H, OutlineVisible);
      Outline = G.Color();
      break;
    }
    case kFillRows:
    case kFillRowsBare: {
      Gradient G(Color1, Color2, (INT32)H);
      FillRows(T, G, X, Y, W, H, OutlineVisible);
      Outline = G.Color();
      break;
    }
    case kFillDotted:
      // Every second pixel both ways, from the top-left corner.
      for (INT64 Row = Y + ((V.Y0 - Y + 1) & ~1LL); !V.Empty() && Row < V.Y1; Row += 2) {
        RowRuns Runs(T);
        for (INT64 Col = X + ((V.X0 - X + 1) & ~1LL); Col < V.X1; Col += 2) {
          Runs.Set(Col, Row, Color2);
        }
      }
      break;
    default: break;
  }

  if (OutlineVisible) {
    StampRun(T, X, Y, W, true, PenStyle, Outline);
    StampRun(T, X, Bottom, W, true, PenStyle, Outline);
    StampRun(T, X, Y, H, false, PenStyle, Outline);
    StampRun(T, Right, Y, H, false, PenStyle, Outline);
  }
}

// ---------------------------------------------------------------- triangle

// The inside test of DrawTriangle: (i, j) is inside when the three areas it
// forms with the sides add up to the triangle's area, compared by the float
// service. Each area comes from TriangleArea's integer s, which is an affine
// function of (i, j), here evaluated in the same wrapping 32-bit arithmetic.
//
// When every s over the visited pixels and every partial sum of their areas
// stays below 2^24 in magnitude, the service's single-precision arithmetic is
// exact on all of them: IntToFloat(s) is exact, s / 2 is exact, the sums of
// halves are exact and the comparison is of exact values. The outcome is then
// |s1| + |s2| + |s3| == |S| in integers, which is what the service would
// answer. Larger triangles ask the service for every visited pixel.
//
// In integers the test is a span per row: with v1 = s1, v2 = s2, v3 = -s3
// (v1 + v2 + v3 = S), |s1| + |s2| + |s3| = |S| exactly when no v_k has the
// sign opposite to S, and, for S = 0, when all three are 0. Each condition is
// linear in i, so a row's inside pixels are an interval found by division.
class InsideTest {
 public:
  InsideTest(INT32 X1, INT32 Y1, INT32 X2, INT32 Y2, INT32 X3, INT32 Y3, const Window &V) {
    const INT32 Xs[3] = {X1, X2, X3}, Ys[3] = {Y1, Y2, Y3};
    // Side k runs from corner k to corner k + 1; the third area is formed as
    // TriangleArea(P3, P, P1), which is side 3 with the pixel in the middle.
    for (int K = 0; K < 3; K++) {
      const UINT32 XA = (UINT32)Xs[K], YA = (UINT32)Ys[K];
      const UINT32 XB = (UINT32)Xs[(K + 1) % 3], YB = (UINT32)Ys[(K + 1) % 3];
      Slope_[K] = (INT64)Ys[K] - Ys[(K + 1) % 3];
      RowStep_[K] = (INT64)Xs[(K + 1) % 3] - Xs[K];
      if (K < 2) {  // s(A, B, P) = (xa yb - xb ya) + i (ya - yb) + j (xb - xa)
        A_[K] = YA - YB;
        B_[K] = XB - XA;
        C_[K] = XA * YB - XB * YA;
      } else {  // s(P3, P, P1) = (x1 y3 - x3 y1) + i (y1 - y3) + j (x3 - x1)
        A_[K] = YB - YA;
        B_[K] = XA - XB;
        C_[K] = XB * YA - XA * YB;
      }
    }
    const UINT32 S = (UINT32)X1 * (UINT32)Y2 + (UINT32)X3 * (UINT32)Y1 + (UINT32)Y3 * (UINT32)X2 -
                     (UINT32)X3 * (UINT32)Y2 - (UINT32)X1 * (UINT32)Y3 - (UINT32)X2 * (UINT32)Y1;
    S_ = (INT32)S;

    // The sum of |s_k| is convex, so its largest value over V is at a corner.
    Exact_ = true;
    for (int Corner = 0; Exact_ && !V.Empty() && Corner < 4; Corner++) {
      const __int128 I = (Corner & 1) ? V.X1 - 1 : V.X0, J = (Corner & 2) ? V.Y1 - 1 : V.Y0;
      __int128 Sum = 0;
      for (int K = 0; K < 3; K++) {
        const INT64 XA = Xs[K], YA = Ys[K], XB = Xs[(K + 1) % 3], YB = Ys[(K + 1) % 3];
        __int128 Sk = (K < 2)
                          ? (__int128)XA * YB - (__int128)XB * YA + I * (YA - YB) + J * (XB - XA)
                          : (__int128)XB * YA - (__int128)XA * YB + I * (YB - YA) + J * (XA - XB);
        Sum += Sk < 0 ? -Sk : Sk;
      }
      Exact_ = Sum < ((__int128)1 << 24);
    }
    if (!Exact_) {
      Two_ = fm::FromInt(2);
      Zero_ = fm::FromInt(0);
      Total_ = Area(S_);
    }
  }

  // Calls Fn(I) for the inside pixels of row J among X0, X0 + Step, ... < X1.
  template <typename Fn>
  void ForRow(INT64 J, INT64 X0, INT64 X1, INT64 Step, Fn &&F) const {
    if (!Exact_) {
      for (INT64 I = X0; I < X1; I += Step) {
        if (Inside(I, J)) F(I);
      }
      return;
    }
    INT64 Lo, Hi;
    Bounds(J, X0, X1, Lo, Hi);
    if (Step == 2 && (Lo & 1)) Lo++;
    for (INT64 U = Lo; U <= Hi; U += Step) F(X0 + U);
  }

  // Calls Span(From, Count) for each stretch of inside pixels of row J in
  // [X0, X1): the same pixels as ForRow with step 1, one call per stretch.
  template <typename Fn>
  void ForSpans(INT64 J, INT64 X0, INT64 X1, Fn &&Span) const {
    INT64 From = 0, Count = 0;
    auto Add = [&](INT64 I) {
      if (Count > 0 && I == From + Count) {
        Count++;
        return;
      }
      if (Count > 0) Span(From, Count);
      From = I;
      Count = 1;
    };
    if (!Exact_) {
      ForRow(J, X0, X1, 1, Add);
    } else {
      // One interval: its ends are all ForRow would visit.
      INT64 First = -1, Last = -1;
      Bounds(J, X0, X1, First, Last);
      if (First <= Last) {
        From = X0 + First;
        Count = Last - First + 1;
      }
    }
    if (Count > 0) Span(From, Count);
  }

  // Exact case: the offsets U = I - X0 in [Lo, Hi] of row J's inside pixels
  // in [X0, X1) are those satisfying every condition a U + b >= 0. From row
  // to row of a pass b grows by a fixed amount, so floor(b / |a|) is stepped
  // with its remainder rather than divided out again; all b stay below 2^24.
  void Bounds(INT64 J, INT64 X0, INT64 X1, INT64 &Lo, INT64 &Hi) const {
    if (!Walk_.Held || X0 != Walk_.X0 || J <= Walk_.J) {
      Start(J, X0);
    } else {
      Advance(J - Walk_.J);
    }
    Lo = 0;
    Hi = X1 - X0 - 1;
    for (int C = 0; C < Walk_.Count; C++) {
      const Condition &D = Walk_.C[C];
      if (D.A > 0) {
        Lo = Max64(Lo, -D.Q);  // U >= ceil(-b / a)
      } else if (D.A < 0) {
        Hi = Min64(Hi, D.Q);  // U <= floor(b / -a)
      } else if (D.Q < 0) {
        Hi = Lo - 1;  // b < 0 whatever U
      }
    }
  }

  bool Inside(INT64 I, INT64 J) const {
    INT32 S[3];
    for (int K = 0; K < 3; K++) {
      S[K] = (INT32)(A_[K] * (UINT32)I + B_[K] * (UINT32)J + C_[K]);
    }
    if (Exact_) {
      return Abs(S[0]) + Abs(S[1]) + Abs(S[2]) == Abs(S_);
    }
    FLOAT32_BITS Sum = fm::Add(fm::Add(Area(S[0]), Area(S[1])), Area(S[2]));
    return fm::Compare(Total_, Sum) == FLOAT_EQUAL;
  }

 private:
  static INT64 Abs(INT32 V) { return V < 0 ? -(INT64)V : (INT64)V; }

  static INT64 FloorDiv(INT64 N, INT64 D) {  // D > 0
    return N >= 0 ? N / D : -((-N + D - 1) / D);
  }

  // One condition a U + b >= 0 on row Walk_.J: Q = floor(b / |a|) and
  // R = b - Q |a| for a != 0; Q = b for a = 0. B is b's growth per row.
  struct Condition {
    INT64 A, B, Q, R, StepQ, StepR;
  };
  struct Walk {
    bool Held = false;
    INT64 J = 0, X0 = 0, Rows = 0;  // Rows: the step StepQ and StepR are for
    int Count = 0;
    Condition C[6];
  };

  static void Split(INT64 B, INT64 A, INT64 &Q, INT64 &R) {  // A > 0
    Q = FloorDiv(B, A);
    R = B - Q * A;
  }

  void Start(INT64 J, INT64 X0) const {
    Walk_ = Walk{};
    Walk_.J = J;
    Walk_.X0 = X0;
    for (int K = 0; K < 3; K++) {
      const INT64 A = Slope_[K];
      INT64 B = (INT32)(A_[K] * (UINT32)X0 + B_[K] * (UINT32)J + C_[K]);
      if (K == 2) B = -B;
      for (INT64 Sign = 1; Sign >= -1; Sign -= 2) {
        if ((Sign > 0 && S_ < 0) || (Sign < 0 && S_ > 0)) continue;
        Condition &D = Walk_.C[Walk_.Count++];
        D.A = Sign * A;
        D.B = Sign * RowStep_[K];
        if (D.A == 0) {
          D.Q = Sign * B;
        } else {
          Split(Sign * B, D.A < 0 ? -D.A : D.A, D.Q, D.R);
        }
      }
    }
    Walk_.Held = true;
  }

  void Advance(INT64 Rows) const {
    const bool NewStep = Rows != Walk_.Rows;
    for (int C = 0; C < Walk_.Count; C++) {
      Condition &D = Walk_.C[C];
      if (D.A == 0) {
        D.Q += D.B * Rows;
        continue;
      }
      const INT64 Div = D.A < 0 ? -D.A : D.A;
      if (NewStep) Split(D.B * Rows, Div, D.StepQ, D.StepR);
      D.Q += D.StepQ;
      D.R += D.StepR;
      if (D.R >= Div) {
        D.R -= Div;
        D.Q++;
      }
    }
    Walk_.Rows = Rows;
    Walk_.J += Rows;
  }

  // TriangleArea's float steps for a given s.
  FLOAT32_BITS Area(INT32 S) const {
    FLOAT32_BITS Value = fm::Div(fm::FromInt(S), Two_);
    return fm::Compare(Value, Zero_) == FLOAT_LESS ? fm::Sub(Zero_, Value) : Value;
  }

  UINT32 A_[3], B_[3], C_[3];
  INT64 Slope_[3];    // of v_k along a row, in true integers
  INT64 RowStep_[3];  // of v_k from one row to the next
  mutable Walk Walk_;
  INT32 S_;
  bool Exact_;
  FLOAT32_BITS Two_ = 0, Zero_ = 0, Total_ = 0;
};

}  // namespace

// ---------------------------------------------------------------- operations

EFI_STATUS DrawRectangleOn(const DrawTarget &T, INT32 X, INT32 Y, INT32 Width, INT32 Height,
                           INT32 PenStyle, INT32 FillStyle, UINT32 Color1, UINT32 Color2) {
  // Style 0 is stamped where it goes, on the screen as in a buffer.
  if (!T.IsScreen() || FillStyle == kFillOutline) {
    PaintRectangle(T, X, Y, Width, Height, PenStyle, FillStyle, Color1, Color2);
    return EFI_SUCCESS;
  }
  // On the screen every other style is painted off-screen and sent in one
  // transfer. The buffer covers only the part on the screen, which lies
  // inside the rectangle, so pen stamps stop at the rectangle's edges; a
  // rectangle 0 or less wide or high has no such part and shows nothing.
  const Window V = VisiblePart(T, X, Y, (INT64)X + Width - 1, (INT64)Y + Height - 1);
  if (V.Empty()) {
    return EFI_SUCCESS;
  }
  const Rect Area = {(INT32)V.X0, (INT32)V.Y0, (INT32)(V.X1 - V.X0), (INT32)(V.Y1 - V.Y0)};
  if (FillStyle < kFillSolid || FillStyle > kFillDotted) {
    // Only the outline reaches that buffer; the inside keeps what the screen
    // shows, so the stamps go straight there, kept to the same part.
    PaintRectangle(T.Narrowed(Area), X, Y, Width, Height, PenStyle, FillStyle, Color1, Color2);
    return EFI_SUCCESS;
  }
  // The dots leave gaps; they show black rather than whatever the pool held.
  // Every other style paints every pixel of the buffer.
  const Underlay Under = FillStyle == kFillDotted ? Underlay::Zero : Underlay::Unset;
  const EFI_STATUS Status =
      PaintOffscreen(Under, Area.X, Area.Y, Area.Width, Area.Height, [&](const DrawTarget &Buffer) {
        PaintRectangle(Buffer, X - V.X0, Y - V.Y0, Width, Height, PenStyle, FillStyle, Color1,
                       Color2);
      });
  if (Status == EFI_OUT_OF_RESOURCES && FillStyle == kFillSolid) {
    // Two colours need no buffer: a fill, then the outline's fills, kept to
    // the same part.
    PaintRectangle(T.Narrowed(Area), X, Y, Width, Height, PenStyle, FillStyle, Color1, Color2);
    return EFI_SUCCESS;
  }
  return Status;
}

UINTN EFIAPI DrawRectangle(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 X, INT32 Y,
                           INT32 Width, INT32 RectHeight, INT32 PenStyle, INT32 FillStyle,
                           UINT32 Color1, UINT32 Color2) {
  EFI_STATUS Status = DrawRectangleOn(DrawTarget::For(Buffer, RowWidth, Height), X, Y, Width,
                                      RectHeight, PenStyle, FillStyle, Color1, Color2);
  // Nothing drawn for want of memory is reported; the transfer's status is not.
  return Status == EFI_OUT_OF_RESOURCES ? Status : 0;
}

// Degenerate triangles (all three corners in one column or one row) are a
// segment: every pixel of their box is collinear with the corners, so all
// three areas and the total are 0 and the whole box counts as inside. A
// gradient across the flat direction (style 2 or 4 on a column, 3 or 5 on a
// row) would divide by zero; it is stepped as one step, so its single column
// or row is painted in the first colour and the outline of style 2 or 3,
// drawn over the segment, is in the second colour. Every other style ends
// with the outline over the segment (in the first colour, or the stepped
// gradient colour), and styles 4 and 5 without it.
namespace {

// The part of the target a triangle can paint: its box where it fills, and
// the box of its outline grown by the pen, where it has one.
Rect TriangleReach(const DrawTarget &T, UINT32 X1, UINT32 Y1, UINT32 X2, UINT32 Y2, UINT32 X3,
                   UINT32 Y3, INT32 PenStyle, INT32 FillStyle) {
  const UINT32 Xs[3] = {X1, X2, X3}, Ys[3] = {Y1, Y2, Y3};
  INT64 UL = X1, UR = X1, UT = Y1, UB = Y1;                              // corners read as unsigned
  INT64 OL = (INT32)X1, OR = (INT32)X1, OT = (INT32)Y1, OB = (INT32)Y1;  // and as signed
  for (int K = 1; K < 3; K++) {
    UL = Min64(UL, Xs[K]);
    UR = Max64(UR, Xs[K]);
    UT = Min64(UT, Ys[K]);
    UB = Max64(UB, Ys[K]);
    OL = Min64(OL, (INT32)Xs[K]);
    OR = Max64(OR, (INT32)Xs[K]);
    OT = Min64(OT, (INT32)Ys[K]);
    OB = Max64(OB, (INT32)Ys[K]);
  }
  Window Parts[2] = {{0, 0, 0, 0}, {0, 0, 0, 0}};
  if (FillStyle >= kFillSolid && FillStyle <= kFillDotted) {
    Parts[0] = VisiblePart(T, UL, UT, UR, UB);
  }
  if (FillStyle != kFillColumnsBare && FillStyle != kFillRowsBare) {
    const INT64 Reach = PenReach(PenStyle);
    Parts[1] = VisiblePart(T, OL - Reach, OT - Reach, OR + Reach, OB + Reach);
  }
  if (Parts[0].Empty()) Parts[0] = Parts[1];
  if (Parts[1].Empty()) Parts[1] = Parts[0];
  const INT64 L = Min64(Parts[0].X0, Parts[1].X0), Top = Min64(Parts[0].Y0, Parts[1].Y0);
  const INT64 R = Max64(Parts[0].X1, Parts[1].X1), B = Max64(Parts[0].Y1, Parts[1].Y1);
  return ClipRect(T.Clip, L, Top, R - L, B - Top);
}

void PaintTriangle(const DrawTarget &T, UINT32 X1, UINT32 Y1, UINT32 X2, UINT32 Y2, UINT32 X3,
                   UINT32 Y3, INT32 PenStyle, INT32 FillStyle, UINT32 Color1, UINT32 Color2) {
  const UINT32 MinX = X1 < X2 ? (X1 < X3 ? X1 : X3) : (X2 < X3 ? X2 : X3);
  const UINT32 MaxX = X1 > X2 ? (X1 > X3 ? X1 : X3) : (X2 > X3 ? X2 : X3);
  const UINT32 MinY = Y1 < Y2 ? (Y1 < Y3 ? Y1 : Y3) : (Y2 < Y3 ? Y2 : Y3);
  const UINT32 MaxY = Y1 > Y2 ? (Y1 > Y3 ? Y1 : Y3) : (Y2 > Y3 ? Y2 : Y3);
  const Window V = VisiblePart(T, MinX, MinY, MaxX, MaxY);

  // The outline is drawn between the corners read as signed coordinates.
  const INT32 SX[3] = {(INT32)X1, (INT32)X2, (INT32)X3}, SY[3] = {(INT32)Y1, (INT32)Y2, (INT32)Y3};
  INT64 OL = SX[0], OR = SX[0], OT = SY[0], OB = SY[0];
  for (int K = 1; K < 3; K++) {
    OL = Min64(OL, SX[K]);
    OR = Max64(OR, SX[K]);
    OT = Min64(OT, SY[K]);
    OB = Max64(OB, SY[K]);
  }
  const bool HasOutline = FillStyle != kFillColumnsBare && FillStyle != kFillRowsBare;
  const INT64 Reach = PenReach(PenStyle);
  const bool OutlineVisible =
      HasOutline && Touches(T, OL - Reach, OT - Reach, OR + Reach, OB + Reach);
  const bool Fills = FillStyle >= kFillSolid && FillStyle <= kFillDotted;
  if (!OutlineVisible && (V.Empty() || !Fills)) {
    return;
  }

  UINT32 Outline = Color1;
  if (Fills) {
    const InsideTest Test(SX[0], SY[0], SX[1], SY[1], SX[2], SY[2], V);
    switch (FillStyle) {
      case kFillSolid:
        for (INT64 J = V.Y0; J < V.Y1; J++) {
          RowRuns Runs(T);
          Test.ForSpans(J, V.X0, V.X1, [&](INT64 I, INT64 N) { Runs.SetSpan(I, J, N, Color2); });
        }
        break;
      case kFillColumns:
      case kFillColumnsBare: {
        Gradient G(Color1, Color2, (INT32)(MaxX - MinX));
        const INT64 Stop = OutlineVisible ? (INT64)MaxX + 1 : (V.Empty() ? MinX : V.X1);
        PaintColumnGradient(
            T, G, MinX, Stop, V.X0, V.X1, V.Y0, V.Y1,
            [&](INT64 J, INT64 P0, INT64 P1, auto &&Span) { Test.ForSpans(J, P0, P1, Span); });
        Outline = G.Color();
        break;
      }
      case kFillRows:
      case kFillRowsBare: {
        Gradient G(Color1, Color2, (INT32)(MaxY - MinY));
        const INT64 Stop = OutlineVisible ? (INT64)MaxY + 1 : (V.Empty() ? MinY : V.Y1);
        const INT64 Done = StepLines(G, MinY, Stop, V.Y0, V.Y1, [&](INT64 J, UINT32 Color) {
          RowRuns Runs(T);
          Test.ForSpans(J, V.X0, V.X1, [&](INT64 I, INT64 N) { Runs.SetSpan(I, J, N, Color); });
        });
        if (Done < Stop) G.Skip((UINT64)(Stop - Done));
        Outline = G.Color();
        break;
      }
      case kFillDotted:
        for (INT64 J = (INT64)MinY + ((V.Y0 - MinY + 1) & ~1LL); !V.Empty() && J < V.Y1; J += 2) {
          RowRuns Runs(T);
          Test.ForRow(J, (INT64)MinX + ((V.X0 - MinX + 1) & ~1LL), V.X1, 2,
                      [&](INT64 I) { Runs.Set(I, J, Color2); });
        }
        break;
    }
  }

  if (OutlineVisible) {
    DrawLineOn(T, SX[0], SY[0], SX[1], SY[1], PenStyle, Outline);
    DrawLineOn(T, SX[1], SY[1], SX[2], SY[2], PenStyle, Outline);
    DrawLineOn(T, SX[2], SY[2], SX[0], SY[0], PenStyle, Outline);
  }
}

}  // namespace

// On the screen the part the triangle can paint is read back, painted and
// sent in one transfer; without memory for it, or when the screen cannot be
// read, it is painted run by run.
void DrawTriangleOn(const DrawTarget &T, UINT32 X1, UINT32 Y1, UINT32 X2, UINT32 Y2, UINT32 X3,
                    UINT32 Y3, INT32 PenStyle, INT32 FillStyle, UINT32 Color1, UINT32 Color2) {
  if (T.IsScreen()) {
    const Rect Area = TriangleReach(T, X1, Y1, X2, Y2, X3, Y3, PenStyle, FillStyle);
    if (Area.Empty()) {
      return;
    }
    const EFI_STATUS Status = PaintScreenArea(Area, [&](const DrawTarget &W) {
      PaintTriangle(W, X1, Y1, X2, Y2, X3, Y3, PenStyle, FillStyle, Color1, Color2);
    });
    if (Status != EFI_NOT_STARTED) {
      return;
    }
  }
  PaintTriangle(T, X1, Y1, X2, Y2, X3, Y3, PenStyle, FillStyle, Color1, Color2);
}

UINTN EFIAPI DrawTriangle(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, UINT32 X1, UINT32 Y1,
                          UINT32 X2, UINT32 Y2, UINT32 X3, UINT32 Y3, INT32 PenStyle,
                          INT32 FillStyle, UINT32 Color1, UINT32 Color2) {
  DrawTriangleOn(DrawTarget::For(Buffer, RowWidth, Height), X1, Y1, X2, Y2, X3, Y3, PenStyle,
                 FillStyle, Color1, Color2);
  return 0;
}

FLOAT32_BITS TriangleArea(INT32 XA, INT32 YA, INT32 XB, INT32 YB, INT32 XC, INT32 YC) {
  // Wrapping 32-bit products: defined for every input, exact below 2^31.
  const UINT32 S = (UINT32)XA * (UINT32)YB + (UINT32)XC * (UINT32)YA + (UINT32)YC * (UINT32)XB -
                   (UINT32)XC * (UINT32)YB - (UINT32)XA * (UINT32)YC - (UINT32)XB * (UINT32)YA;
  FLOAT32_BITS Area = fm::Div(fm::FromInt((INT32)S), fm::FromInt(2));
  if (fm::Compare(Area, fm::FromInt(0)) == FLOAT_LESS) {
    return fm::Sub(fm::FromInt(0), Area);
  }
  return Area;
}

BOOLEAN WithinRadius(INT32 PX, INT32 PY, INT32 CX, INT32 CY, INT32 R) {
  FLOAT32_BITS Dx = fm::Sub(fm::FromInt(CX), fm::FromInt(PX));
  FLOAT32_BITS Dy = fm::Sub(fm::FromInt(PY), fm::FromInt(CY));
  FLOAT32_BITS Distance = fm::Sqrt(fm::Add(fm::Mul(Dx, Dx), fm::Mul(Dy, Dy)));
  return fm::Compare(Distance, fm::FromInt(R)) != FLOAT_GREATER;
}

// ---------------------------------------------------------------- circle

namespace {

UINT64 ISqrt(UINT64 V) {
  UINT64 Root = 0, Bit = 1ULL << 62;
  while (Bit > V) Bit >>= 2;
  while (Bit != 0) {
    if (V >= Root + Bit) {
      V -= Root + Bit;
      Root = (Root >> 1) + Bit;
    } else {
      Root >>= 1;
    }
    Bit >>= 2;
  }
  return Root;
}

// Smallest Q with Q * Q >= V.
UINT64 CeilSqrt(UINT64 V) {
  UINT64 Q = ISqrt(V);
  return Q * Q < V ? Q + 1 : Q;
}

// Ring colours held at once; a circle whose visible part spans more rings is
// painted in several passes over the rows.
constexpr INT64 kRingWindow = 1024;

struct Circle {
  INT64 CX, CY, R;
  UINT64 R2;
  INT32 Style;
  UINT32 FillColor;
  bool HasBand;
  UINT64 BandLo, BandHi;  // outline: BandLo <= d^2 <= BandHi
};

// One pass over the visible rows. The outline is painted when PaintOutline;
// ring k's colour is Rings[k - K0] for K0 <= k <= K1 (gradient style).
//
// Ring k paints the pixels of its square (|dx|, |dy| <= q with q = r - k)
// whose (q^2 - r <= d^2 <= q^2 + r); later rings paint over earlier ones, so a
// pixel keeps the ring with the smallest such q: the larger of the Chebyshev
// distance and the smallest q with q^2 >= d^2 - r, if that q still has
// q^2 <= d^2 + r and q <= r.
void PaintCirclePass(const DrawTarget &T, const Circle &C, const Window &V, bool PaintOutline,
                     UINT32 OutlineColor, const UINT32 *Rings, INT64 K0, INT64 K1) {
  const bool Radial = C.Style == kCircleRadial;
  // Ring 0 reaches d^2 = r^2 + r; every other pixel drawn has d^2 <= r^2.
  const UINT64 Reach2 = Radial ? C.R2 + (UINT64)C.R : C.R2;
  for (INT64 Y = V.Y0; Y < V.Y1; Y++) {
    const INT64 Dy = Y - C.CY;
    const UINT64 AbsDy = (UINT64)(Dy < 0 ? -Dy : Dy);
    const UINT64 Dy2 = AbsDy * AbsDy;
    if (Dy2 > Reach2) {
      continue;
    }
    RowRuns Runs(T);
    // Paints the pixels CX + Lo .. CX + Hi that lie on the target.
    auto Span = [&](INT64 Lo, INT64 Hi, UINT32 Color) {
      INT64 From = Max64(C.CX + Lo, V.X0), To = Min64(C.CX + Hi, V.X1 - 1);
      Runs.SetSpan(From, Y, To - From + 1, Color);
    };
    // Outline: Outer >= |dx| >= Inner; without an outline in this row every
    // pixel with d^2 <= r^2 is inside it.
    const INT64 Outer = Dy2 <= C.R2 ? (INT64)ISqrt(C.R2 - Dy2) : -1;
    const INT64 Inner = C.BandLo > Dy2 ? (INT64)CeilSqrt(C.BandLo - Dy2) : 0;
    const bool Band = C.HasBand && Outer >= 0 && Inner <= Outer;
    const INT64 Fill = Band ? Inner - 1 : Outer;  // |dx| <= Fill is inside the outline

    if (!Radial) {
      if (Band && PaintOutline) Span(-Outer, Inner > 0 ? -Inner : Outer, OutlineColor);
      if (C.Style == kFillSolid && Fill >= 0) {
        Span(-Fill, Fill, C.FillColor);
      } else if (C.Style == kCircleDotted && Fill >= 0 && ((Y - (C.CY - C.R)) & 1) == 0) {
        // Dots on even offsets from the square's left column.
        INT64 X = Max64(C.CX - Fill, V.X0);
        if ((X - (C.CX - C.R)) & 1) X++;
        for (; X <= Min64(C.CX + Fill, V.X1 - 1); X += 2) Runs.Set(X, Y, C.FillColor);
      }
      if (Band && PaintOutline && Inner > 0) Span(Inner, Outer, OutlineColor);
      continue;
    }

    const INT64 Half = (INT64)ISqrt(Reach2 - Dy2);
    UINT64 Qa = 0;
    bool QaKnown = false;
    for (INT64 X = Max64(C.CX - Half, V.X0); X <= Min64(C.CX + Half, V.X1 - 1); X++) {
      const INT64 Dx = X - C.CX;
      const UINT64 AbsDx = (UINT64)(Dx < 0 ? -Dx : Dx);
      if (Band && (INT64)AbsDx >= Inner && (INT64)AbsDx <= Outer) {
        if (PaintOutline) Runs.Set(X, Y, OutlineColor);
        continue;
      }
      const UINT64 D2 = AbsDx * AbsDx + Dy2;
      const UINT64 Low = D2 > (UINT64)C.R ? D2 - (UINT64)C.R : 0;
      if (!QaKnown) {
        Qa = CeilSqrt(Low);
        QaKnown = true;
      } else {
        while (Qa > 0 && (Qa - 1) * (Qa - 1) >= Low) Qa--;
        while (Qa * Qa < Low) Qa++;
      }
      const UINT64 Cheb = AbsDx > AbsDy ? AbsDx : AbsDy;
      const UINT64 Q = Qa > Cheb ? Qa : Cheb;
      if (Q <= (UINT64)C.R && Q * Q <= D2 + (UINT64)C.R) {
        const INT64 K = C.R - (INT64)Q;
        if (K >= K0 && K <= K1) Runs.Set(X, Y, Rings[K - K0]);
      }
    }
  }
}

// The radial gradient when one pass holds every ring: as PaintCirclePass,
// with every pixel of a row painted, by the same rule, but each colour worked
// out once for the four pixels (CX +- a, CY +- d) that share it. Returns false
// on meeting a pixel without a ring in K0..K1; what it painted until then is
// what PaintCirclePass paints there, so the caller simply runs that pass.
//
// Within d^2 <= r^2 + r every pixel has a ring: q = max(Qa, Cheb) satisfies
// q <= r (Cheb <= sqrt(r^2 + r) < r + 1, Qa = ceil(sqrt(d^2 - r)) <= r) and
// q^2 <= d^2 + r ((Qa - 1)^2 < d^2 - r and Qa <= r give Qa^2 < d^2 + r;
// Cheb^2 <= d^2). The check is kept all the same.
bool PaintRadialWhole(const DrawTarget &T, const Circle &C, const Window &V, UINT32 OutlineColor,
                      const UINT32 *Rings, INT64 K0, INT64 K1) {
  const UINT64 Reach2 = C.R2 + (UINT64)C.R;
  auto Dist = [](INT64 A, INT64 B) -> INT64 { return A > B ? A - B : B - A; };
  const INT64 DTop = Dist(V.Y0, C.CY), DBottom = Dist(V.Y1 - 1, C.CY);
  const INT64 DMin = (V.Y0 <= C.CY && C.CY < V.Y1) ? 0 : Min64(DTop, DBottom);
  const INT64 DMax = Max64(DTop, DBottom);
  constexpr INT64 kChunk = 256;
  UINT32 Colors[kChunk], Reversed[kChunk];
  {
    for (INT64 D = DMin; D <= DMax; D++) {
      const UINT64 Dy2 = (UINT64)D * (UINT64)D;
      if (Dy2 > Reach2) {
        break;
      }
      const INT64 Rows[2] = {C.CY - D, C.CY + D};
      const bool Shown[2] = {Rows[0] >= V.Y0 && Rows[0]<V.Y1, D> 0 && Rows[1] >= V.Y0 &&
                             Rows[1] < V.Y1};
      if (!Shown[0] && !Shown[1]) {
        continue;
      }
      const INT64 Half = (INT64)ISqrt(Reach2 - Dy2);
      const INT64 XA = Max64(C.CX - Half, V.X0), XB = Min64(C.CX + Half, V.X1 - 1);
      if (XA > XB) {
        continue;
      }
      const INT64 AMin = (XA <= C.CX && C.CX <= XB) ? 0 : Min64(Dist(XA, C.CX), Dist(XB, C.CX));
      const INT64 AMax = Max64(Dist(XA, C.CX), Dist(XB, C.CX));
      const INT64 Outer = Dy2 <= C.R2 ? (INT64)ISqrt(C.R2 - Dy2) : -1;
      const INT64 Inner = C.BandLo > Dy2 ? (INT64)CeilSqrt(C.BandLo - Dy2) : 0;
      const bool Band = C.HasBand && Outer >= 0 && Inner <= Outer;
      auto Low = [&](INT64 A) -> UINT64 {
        const UINT64 D2 = (UINT64)A * (UINT64)A + Dy2;
        return D2 > (UINT64)C.R ? D2 - (UINT64)C.R : 0;
      };
      UINT64 Qa = CeilSqrt(Low(AMin));
      for (INT64 A0 = AMin; A0 <= AMax; A0 += kChunk) {
        const INT64 A1 = Min64(A0 + kChunk - 1, AMax);
        for (INT64 A = A0; A <= A1; A++) {
          UINT32 &Color = Colors[A - A0];
          const UINT64 L = Low(A);
          while (Qa * Qa < L) Qa++;  // Low grows with a, so Qa only grows
          if (Band && A >= Inner && A <= Outer) {
            Color = OutlineColor;
            continue;
          }
          const UINT64 Cheb = (UINT64)Max64(A, D);
          const UINT64 Q = Qa > Cheb ? Qa : Cheb;
          const INT64 K = C.R - (INT64)Q;
          if (Q > (UINT64)C.R || Q * Q > (UINT64)A * (UINT64)A + Dy2 + (UINT64)C.R || K < K0 ||
              K > K1) {
            return false;
          }
          Color = Rings[K - K0];
        }
        // Right of the centre (a >= 0) in order, left of it (a >= 1) reversed.
        const INT64 RFrom = Max64(C.CX + A0, XA), RTo = Min64(C.CX + A1, XB);
        const INT64 LFrom = Max64(C.CX - A1, XA), LTo = Min64(C.CX - Max64(A0, 1), XB);
        for (INT64 I = LFrom; I <= LTo; I++) Reversed[I - LFrom] = Colors[C.CX - I - A0];
        for (int K = 0; K < 2; K++) {
          if (!Shown[K]) {
            continue;
          }
          RowRuns Runs(T);
          if (LFrom <= LTo) Runs.SetColors(LFrom, Rows[K], LTo - LFrom + 1, Reversed);
          if (RFrom <= RTo) {
            Runs.SetColors(RFrom, Rows[K], RTo - RFrom + 1, Colors + (RFrom - C.CX - A0));
          }
        }
      }
    }
  }
  return true;
}

void PaintCircle(const DrawTarget &T, INT32 CenterX, INT32 CenterY, INT32 Radius, INT32 Thickness,
                 INT32 FillStyle, UINT32 Color1, UINT32 Color2) {
  Circle C;
  C.CX = CenterX;
  C.CY = CenterY;
  C.R = Radius;
  C.R2 = (UINT64)C.R * (UINT64)C.R;
  C.Style = FillStyle;
  C.FillColor = Color2;
  // (r - t)^2 <= d^2 <= r^2 holds for no pixel when t < 0 or t > 2r.
  C.HasBand = Thickness >= 0 && (INT64)Thickness <= 2 * C.R;
  const INT64 Inner = C.R - Thickness;
  C.BandLo =
      C.HasBand ? (UINT64)(Inner < 0 ? -Inner : Inner) * (UINT64)(Inner < 0 ? -Inner : Inner) : 0;
  C.BandHi = C.R2;

  const Window V = VisiblePart(T, C.CX - C.R, C.CY - C.R, C.CX + C.R, C.CY + C.R);
  if (V.Empty()) {
    return;
  }
  if (FillStyle != kCircleRadial) {
    PaintCirclePass(T, C, V, true, Color1, nullptr, 0, -1);
    return;
  }

  // Squared distances from the centre over the visible part, and the rings
  // that can own a visible pixel: ring k = r - q with Chebyshev distance <= q
  // and q <= ceil(sqrt(largest d^2)).
  auto Gap = [](INT64 Lo, INT64 Hi, INT64 Centre) -> UINT64 {
    return Centre < Lo ? (UINT64)(Lo - Centre) : Centre > Hi ? (UINT64)(Centre - Hi) : 0;
  };
  auto Far = [](INT64 Lo, INT64 Hi, INT64 Centre) -> UINT64 {
    UINT64 A = (UINT64)(Centre > Lo ? Centre - Lo : Lo - Centre);
    UINT64 B = (UINT64)(Centre > Hi ? Centre - Hi : Hi - Centre);
    return A > B ? A : B;
  };
  const UINT64 GapX = Gap(V.X0, V.X1 - 1, C.CX), GapY = Gap(V.Y0, V.Y1 - 1, C.CY);
  const UINT64 FarX = Far(V.X0, V.X1 - 1, C.CX), FarY = Far(V.Y0, V.Y1 - 1, C.CY);
  const UINT64 D2Min = GapX * GapX + GapY * GapY, D2Max = FarX * FarX + FarY * FarY;
  const INT64 ChebMin = (INT64)(GapX > GapY ? GapX : GapY);
  const UINT64 QMax = CeilSqrt(D2Max);
  const INT64 KLo = QMax >= (UINT64)C.R ? 0 : C.R - (INT64)QMax;
  const INT64 KHi = C.R - ChebMin;
  // The outline's colour is the gradient's after its last ring; when no
  // outline pixel is visible the rings after KHi need not be stepped.
  const bool OutlineVisible = C.HasBand && D2Max >= C.BandLo && D2Min <= C.BandHi;

  Gradient G(Color1, Color2, Radius);
  G.Skip((UINT64)KLo);
  UINT32 Rings[kRingWindow];
  for (INT64 K0 = KLo;; K0 += kRingWindow) {
    const INT64 K1 = Min64(K0 + kRingWindow - 1, KHi);
    for (INT64 K = K0; K <= K1; K++) {
      Rings[K - K0] = G.Color();
      G.Advance();
    }
    const bool Last = K1 == KHi;
    if (Last && OutlineVisible) {
      G.Skip((UINT64)(C.R - KHi));
    }
    if (!(K0 == KLo && Last && PaintRadialWhole(T, C, V, G.Color(), Rings, K0, K1))) {
      PaintCirclePass(T, C, V, Last, G.Color(), Rings, K0, K1);
    }
    if (Last) {
      break;
    }
  }
}

}  // namespace

// On the screen the circle's visible square is read back, painted and sent
// in one transfer; without memory for it, or when the screen cannot be read,
// it is painted run by run.
void DrawCircleOn(const DrawTarget &T, INT32 CenterX, INT32 CenterY, INT32 Radius, INT32 Thickness,
                  INT32 FillStyle, UINT32 Color1, UINT32 Color2) {
  if (Radius < 0) {
    return;  // its square, rings and outline are all empty
  }
  if (T.IsScreen()) {
    const INT64 R = Radius;
    const Rect Area =
        ClipRect(T.Clip, (INT64)CenterX - R, (INT64)CenterY - R, 2 * R + 1, 2 * R + 1);
    if (Area.Empty()) {
      return;
    }
    const EFI_STATUS Status = PaintScreenArea(Area, [&](const DrawTarget &W) {
      PaintCircle(W, CenterX, CenterY, Radius, Thickness, FillStyle, Color1, Color2);
    });
    if (Status != EFI_NOT_STARTED) {
      return;
    }
  }
  PaintCircle(T, CenterX, CenterY, Radius, Thickness, FillStyle, Color1, Color2);
}

UINTN EFIAPI DrawCircle(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 CenterX,
                        INT32 CenterY, INT32 Radius, INT32 Thickness, INT32 FillStyle,
                        UINT32 Color1, UINT32 Color2) {
  DrawCircleOn(DrawTarget::For(Buffer, RowWidth, Height), CenterX, CenterY, Radius, Thickness,
               FillStyle, Color1, Color2);
  return 0;
}
