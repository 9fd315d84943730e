// Lines and regular polygons.
#pragma once
#include "platform/float_math.h"
#include "raster/pen.h"
#include "raster/target.h"

// The line from (X1, Y1) to (X2, Y2), both ends included, stamped with the pen.
void DrawLineOn(const DrawTarget &T, INT32 X1, INT32 Y1, INT32 X2, INT32 Y2, INT32 PenStyle,
                UINT32 Color);
// A regular polygon inscribed in the circle of Radius about the centre, its
// first vertex at the top, each next one rotated from the previous.
void DrawRegularPolygonOn(const DrawTarget &T, INT32 CenterX, INT32 CenterY, INT32 Sides,
                          INT32 Radius, INT32 PenStyle, UINT32 Color);

// One of the two per-axis functions of a sloped line with slope M and
// intercept K (float bits): over columns F(i) = ToInt(M*i + K), over rows
// G(j) = ToInt((j - K) / M), each step rounded as the float service rounds.
class LineAxis {
 public:
  LineAxis(bool Columns, FLOAT32_BITS M, FLOAT32_BITS K);

  // Fastest for V, V + 1, ... in order.
  INT32 At(INT64 V) {
    if (!Held_ || V != V_ + 1 || V > kPositionLimit) {
      return Seek(V);
    }
    V_ = V;
    StepOn(N_, Q_, R_, A_, AQ_, AR_, D_);
    return Held();
  }

  // One step on: N grows by A, floor(N / D) (Q) and its remainder R by those
  // of A (AQ, AR). Inline on plain values, so a loop keeps them in registers.
  static void StepOn(INT64 &N, INT64 &Q, INT64 &R, INT64 A, INT64 AQ, INT64 AR, INT64 D) {
    N += A;
    Q += AQ;
    R += AR;
    if (R >= D) {
      R -= D;
      Q++;
    }
  }

  // Out[U] = At(From + U) for U from 0 to Count - 1, in order.
  void Fill(INT64 From, INT64 Count, INT32 *Out);

  // The same value, always through the float steps (raster/exact_float.h).
  INT32 Stepped(INT64 V) const;

 private:
  static constexpr INT64 kPositionLimit = 1LL << 24, kValueLimit = 1LL << 62;

  INT32 Seek(INT64 V);

  // The value at V_ from N_, Q_ and R_, or through the float steps when it
  // may lie too near an integer.
  INT32 Held() {
    Held_ = N_ > -kValueLimit && N_ < kValueLimit;
    if (Held_) {
      // D times the distance to the nearest integer, against D times the bound.
      const INT64 AV = N_ - B_;
      const UINT64 Gap = (UINT64)(R_ < D_ - R_ ? R_ : D_ - R_);
      const UINT64 Size = (UINT64)(N_ < 0 ? -N_ : N_);
      if (Columns_ ? (Gap << 23) > Size + (UINT64)(AV < 0 ? -AV : AV) : (Gap << 22) > Size) {
        return (INT32)(Q_ < 0 && R_ != 0 ? Q_ + 1 : Q_);
      }
    }
    return Stepped(V_);
  }

  bool Columns_;
  FLOAT32_BITS M_, K_;
  // The exact value at V is (A_ V + B_) / D_; D_ = 2^Shift_ over columns.
  bool Exact_ = false;
  INT64 A_ = 0, B_ = 0, D_ = 1;
  INT32 Shift_ = 0;
  INT64 AQ_ = 0, AR_ = 0;  // A_ = AQ_ D_ + AR_, 0 <= AR_ < D_
  // The last position while its N_ = A_ V_ + B_ = Q_ D_ + R_ is held.
  bool Held_ = false;
  INT64 V_ = 0, N_ = 0, Q_ = 0, R_ = 0;
};

// Rotates (PointX, PointY) about the centre by Angle degrees (float bits);
// returns the new x for Selector 0, else the new y.
INT32 RotatePoint(INT32 CenterX, INT32 CenterY, INT32 PointX, INT32 PointY, FLOAT32_BITS Angle,
                  UINT8 Selector);

UINTN EFIAPI DrawLine(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 X1, INT32 Y1,
                      INT32 X2, INT32 Y2, INT32 PenStyle, UINT32 Color);
UINTN EFIAPI DrawRegularPolygon(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 CenterX,
                                INT32 CenterY, INT32 Sides, INT32 Radius, INT32 PenStyle,
                                UINT32 Color);
