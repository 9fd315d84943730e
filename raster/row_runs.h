// The row batcher: painters hand it their pixels row by row, left to right,
// and it gives them to the target in as few writes as it can, clipped to the
// target.
//
// In a buffer each write is stored at once. On the screen, pixels close
// together on one row leave as one transfer: one colour as a fill, several as
// one BufferToVideo; a stretch with single unpainted pixels in it (dotted
// fills, thin outlines) is read back first so that those pixels keep what the
// screen shows. A one-colour stretch with the columns and the colour of the
// one right above it joins it, so that equal rows one under another leave as
// one fill. What is held back leaves on Flush and when the batcher goes; the
// painter writes nothing else over held-back pixels before that.
#pragma once
#include "raster/target.h"

class RowRuns {
 public:
  explicit RowRuns(const DrawTarget &T)
      : T_(T), Screen_(T.IsScreen()), Left_(T.Clip.X), Columns_((UINT64)T.Clip.Width) {}
  RowRuns(const RowRuns &) = delete;
  RowRuns &operator=(const RowRuns &) = delete;
  ~RowRuns() { Flush(); }

  void Set(INT64 X, INT64 Y, UINT32 Color) {
    if (Screen_) {
      Add(X, Y, Color);
      return;
    }
    ORVANE_PIXEL *Row = RowAt(Y);
    const UINT64 I = (UINT64)(X - Left_);
    if (Row != nullptr && I < Columns_) Row[I] = PixelFromColor(Color);
  }

  // Count pixels of one colour from (X, Y).
  void SetSpan(INT64 X, INT64 Y, INT64 Count, UINT32 Color) {
    if (Screen_) {
      AddSpan(X, Y, Count, Color);
      return;
    }
    INT64 From, To;
    if (ORVANE_PIXEL *Row = Part(X, Y, Count, From, To)) {
      FillPixels(Row + (From - Left_), (UINTN)(To - From), PixelFromColor(Color));
    }
  }

  // Columns X1 to X2 of row Y, both included, in either order.
  void HLine(INT64 X1, INT64 X2, INT64 Y, UINT32 Color) {
    SetSpan(Min64(X1, X2), Y, (X1 < X2 ? X2 - X1 : X1 - X2) + 1, Color);
  }

  // Count pixels from (X, Y) in the colours Colors[0 .. Count - 1].
  void SetColors(INT64 X, INT64 Y, INT64 Count, const UINT32 *Colors) {
    if (Screen_) {
      for (INT64 I = 0; I < Count; I++) Add(X + I, Y, Colors[I]);
      return;
    }
    INT64 From, To;
    if (ORVANE_PIXEL *Row = Part(X, Y, Count, From, To)) {
      // A colour's bytes are its pixel's: blue, green, red, reserved.
      static_assert(sizeof(UINT32) == sizeof(ORVANE_PIXEL));
      CopyPixels(Row + (From - Left_), reinterpret_cast<const ORVANE_PIXEL *>(Colors + (From - X)),
                 (UINTN)(To - From));
    }
  }

  // Sends what is held back.
  void Flush() {
    if (Screen_) {
      EndRun();
      EndBlock();
    }
  }

 private:
  static constexpr INT64 kSpan = 256;

  // The buffer pixel at the clip's left edge on row Y; NULL when the row is
  // outside the clip. Kept from one call to the next.
  ORVANE_PIXEL *RowAt(INT64 Y) {
    if (Y != RowY_) {
      RowY_ = Y;
      Row_ = Y >= T_.Clip.Y && Y < T_.Clip.Bottom() ? T_.At(Left_, Y) : nullptr;
    }
    return Row_;
  }

  // The columns [From, To) of X .. X + Count - 1 inside the clip, and row Y's
  // pixel at the clip's left edge; NULL when nothing of it is inside.
  ORVANE_PIXEL *Part(INT64 X, INT64 Y, INT64 Count, INT64 &From, INT64 &To) {
    From = Max64(X, Left_);
    To = Min64(X + Count, Left_ + (INT64)Columns_);
    return From < To ? RowAt(Y) : nullptr;
  }

  void Add(INT64 X, INT64 Y, UINT32 Color);
  void AddSpan(INT64 X, INT64 Y, INT64 Count, UINT32 Color);
  void EndRun();
  void Stack(INT64 X, INT64 Y, INT64 Count, UINT32 Color);
  void EndBlock();

  const DrawTarget &T_;
  const bool Screen_;
  const INT64 Left_;  // the clip's columns: Left_ .. Left_ + Columns_ - 1
  const UINT64 Columns_;
  // A buffer's current row; no row lies at INT64_MIN.
  INT64 RowY_ = (INT64)(1ULL << 63);
  ORVANE_PIXEL *Row_ = nullptr;
  // On the screen, the row run being collected: N_ pixels from (X0_, Y_).
  INT64 X0_ = 0, Y_ = 0, N_ = 0;
  bool Uniform_ = true, Holes_ = false;
  UINT32 First_ = 0;
  ORVANE_PIXEL Pixels_[kSpan];
  bool Painted_[kSpan];
  // One-colour rows held back as one block: Rows_ rows of Width_ pixels from (BX_, BY_).
  INT64 BX_ = 0, BY_ = 0, Width_ = 0, Rows_ = 0;
  UINT32 BColor_ = 0;
};
