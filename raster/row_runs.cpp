#include "raster/row_runs.h"

void RowRuns::Add(INT64 X, INT64 Y, UINT32 Color) {
  const INT64 Offset = X - X0_;
  if (N_ == 0 || Y != Y_ || Offset < N_ || Offset > N_ + 1 || Offset >= kSpan) {
    EndRun();
    X0_ = X;
    Y_ = Y;
    Uniform_ = true;
    Holes_ = false;
  } else if (Offset == N_ + 1) {
    Painted_[N_++] = false;  // one pixel left as it is
    Holes_ = true;
  }
  Uniform_ = Uniform_ && (N_ == 0 || Color == First_);
  if (N_ == 0) First_ = Color;
  Pixels_[N_] = PixelFromColor(Color);
  Painted_[N_++] = true;
}

void RowRuns::AddSpan(INT64 X, INT64 Y, INT64 Count, UINT32 Color) {
  if (Count <= 0) {
    return;
  }
  if (Count > kSpan) {
    EndRun();
    Stack(X, Y, Count, Color);
    return;
  }
  for (INT64 I = 0; I < Count; I++) Add(X + I, Y, Color);
}

void RowRuns::EndRun() {
  if (N_ == 0) {
    return;
  }
  const INT64 N = N_;
  N_ = 0;
  if (Uniform_ && !Holes_) {
    Stack(X0_, Y_, N, First_);
    return;
  }
  // Several colours: whatever is held back goes first, so writes keep their order.
  EndBlock();
  const Rect Run = {0, 0, (INT32)N, 1};
  ORVANE_PIXEL Under[kSpan];
  if (Holes_ && EFI_ERROR(ReadFromScreen(Under, (INT32)N, Run, X0_, Y_, T_.Clip))) {
    // The holes could not be read back: send the painted stretches alone.
    for (INT64 I = 0, J; I < N; I = J) {
      for (J = I + 1; J < N && Painted_[J] == Painted_[I]; J++) {
      }
      if (Painted_[I])
        SendToScreen(Pixels_, (INT32)N, {(INT32)I, 0, (INT32)(J - I), 1}, X0_, Y_, T_.Clip);
    }
    return;
  }
  if (Holes_) {
    for (INT64 I = 0; I < N; I++) {
      if (!Painted_[I]) Pixels_[I] = Under[I];
    }
  }
  SendToScreen(Pixels_, (INT32)N, Run, X0_, Y_, T_.Clip);
}

void RowRuns::Stack(INT64 X, INT64 Y, INT64 Count, UINT32 Color) {
  if (Rows_ > 0 && X == BX_ && Count == Width_ && Color == BColor_ && Y == BY_ + Rows_) {
    Rows_++;
    return;
  }
  EndBlock();
  BX_ = X;
  BY_ = Y;
  Width_ = Count;
  BColor_ = Color;
  Rows_ = 1;
}

void RowRuns::EndBlock() {
  if (Rows_ > 0) T_.Fill(BX_, BY_, Width_, Rows_, BColor_);
  Rows_ = 0;
}
