// The colour stepping of the gradient fill styles, and the row and column
// gradient fills built on it.
#pragma once
#include "raster/row_runs.h"
#include "raster/target.h"

// Each of blue, green and red is a float that starts at From's channel and
// grows by (To's channel - From's channel) / Steps per step; the colour holds
// the truncated channels clamped to 0..255 and keeps From's reserved byte.
// Steps = 0 (a shape one line deep) would divide by zero and is stepped as 1.
// The set-up asks the float service; the steps are its sums and truncations
// worked out in integers (raster/exact_float.h), most of them a single
// integer addition. Channels with the same start and end step alike, so they
// are stepped once.
class Gradient {
 public:
  Gradient(UINT32 From, UINT32 To, INT32 Steps);
  UINT32 Color() const { return Color_; }
  void Advance();
  // Count steps at once, exactly as Count Advance calls: for lines outside
  // the clip, in a few dozen integer steps however large Count is.
  void Skip(UINT64 Count);

 private:
  void UpdateColor();

  FLOAT32_BITS Value_[3];
  FLOAT32_BITS Step_[3];
  UINT64 Left_[3] = {0, 0, 0};  // steps of the current run still to come
  UINT32 Move_[3] = {0, 0, 0};  // what each of them adds to the value's bits
  INT32 Source_[3];             // the channel whose value this one copies (itself when stepped)
  UINT32 Color_;
};

// Value + Step added Count times, each sum rounded as the float service
// rounds it; a few dozen steps for any Count.
FLOAT32_BITS AddRepeatedly(FLOAT32_BITS Value, FLOAT32_BITS Step, UINT64 Count);

// The lines Start .. Stop - 1 of a gradient, one step each: Line(I, Color) for
// every line I in [Lo, Hi). Lines before Lo are stepped over at once; lines
// from Hi on are not stepped. Returns the first line not stepped.
template <typename LineFn>
INT64 StepLines(Gradient &G, INT64 Start, INT64 Stop, INT64 Lo, INT64 Hi, LineFn &&Line) {
  const INT64 First = Min64(Max64(Start, Lo), Max64(Start, Stop));
  const INT64 End = Max64(First, Min64(Stop, Hi));
  G.Skip((UINT64)(First - Start));
  for (INT64 I = First; I < End; I++) {
    Line(I, G.Color());
    G.Advance();
  }
  return End;
}

// Columns whose colours are worked out together before their rows are painted.
inline constexpr INT64 kGradientColumnChunk = 512;

// A gradient by columns From .. Stop - 1 over the visible rows [Y0, Y1) and
// columns [X0, X1): ForRow(Row, P0, P1, Span) calls Span(I, N) for each
// stretch of pixels I .. I + N - 1 of [P0, P1) on that row that belongs to
// the shape. G is stepped once per column, those left of X0 and right of X1
// at once, and is left one step past column Stop - 1.
template <typename RowFn>
void PaintColumnGradient(const DrawTarget &T, Gradient &G, INT64 From, INT64 Stop, INT64 X0,
                         INT64 X1, INT64 Y0, INT64 Y1, RowFn &&ForRow) {
  UINT32 Colors[kGradientColumnChunk];
  INT64 U = StepLines(G, From, Stop, X0, X0, [](INT64, UINT32) {});
  for (const INT64 Visible = Min64(Stop, X1); U < Visible;) {
    const INT64 End = Min64(U + kGradientColumnChunk, Visible);
    for (INT64 I = U; I < End; I++) {
      Colors[I - U] = G.Color();
      G.Advance();
    }
    RowRuns Runs(T);
    for (INT64 Row = Y0; Row < Y1; Row++) {
      ForRow(Row, U, End, [&](INT64 I, INT64 N) { Runs.SetColors(I, Row, N, Colors + (I - U)); });
    }
    U = End;
  }
  if (U < Stop) G.Skip((UINT64)(Stop - U));
}

// The gradient fills of DrawRectangle, without their outline: the rows
// Y .. Y + H - 1 of columns X .. X + W - 1 from the top (fill style 5), or its
// columns from the left (fill style 4), one step of G each. Lines before the
// clip are stepped over at once; lines after it are stepped only with ToEnd,
// which leaves G one step past the last line: the colour of an outline drawn
// after the fill.
void FillRows(const DrawTarget &T, Gradient &G, INT64 X, INT64 Y, INT64 W, INT64 H, bool ToEnd);
void FillColumns(const DrawTarget &T, Gradient &G, INT64 X, INT64 Y, INT64 W, INT64 H, bool ToEnd);

// The same from From to To in H (rows) or W (columns) steps; nothing when W
// or H is 0 or less.
void FillRowsGradient(const DrawTarget &T, INT64 X, INT64 Y, INT64 W, INT64 H, UINT32 From,
                      UINT32 To);
void FillColumnsGradient(const DrawTarget &T, INT64 X, INT64 Y, INT64 W, INT64 H, UINT32 From,
                         UINT32 To);
