// Helpers shared by the status painters: the colour stepping of the gradient
// fill styles and the corner test of rounded outlines, both with the pixels of
// the plain definitions at a fraction of the float-service calls.
#pragma once
#include "controls/status/label.h"
#include "raster/image_copy.h"
#include "raster/line.h"
#include "raster/pen.h"
#include "raster/shapes.h"
#include "raster/target.h"
#include "text/text.h"

// The stepping of DrawRectangle's gradients: each of blue, green and red is a
// float that grows by (end - start) / Steps per step, read back with FloatToInt
// and clamped to 0..255; the reserved byte stays that of From. Channels with
// the same start and end step identically, so they are stepped once.
class StepGradient {
 public:
  StepGradient(UINT32 From, UINT32 To, INT32 Steps);
  UINT32 Color() const { return Color_; }
  void Advance();
  // Count Advance calls at once, exactly, in a few dozen float-service calls
  // however large Count is: for rows or columns outside the clip.
  void Skip(UINT64 Count);

 private:
  void UpdateColor();

  FLOAT32_BITS Value_[3];
  FLOAT32_BITS Step_[3];
  INT32 Source_[3];  // the channel whose value this one copies (itself when stepped)
  UINT32 Color_;
};

// Value + Step added Count times with the float service's rounding; a few
// dozen service calls for any Count.
FLOAT32_BITS AddRepeatedly(FLOAT32_BITS Value, FLOAT32_BITS Step, UINT64 Count);

// DrawRectangle's fill styles 5 (rows) and 4 (columns), without outline.
void FillRowsGradient(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, UINT32 From,
                      UINT32 To);
void FillColumnsGradient(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, UINT32 From,
                         UINT32 To);

// WithinRadius. For the small coordinates of control painting, single precision
// is exact on every step of it (squares below 2^24, the root of an integer
// correctly rounded), so it is the integer test dx^2 + dy^2 <= r^2; elsewhere
// the float service is asked.
bool InRadius(INT32 PX, INT32 PY, INT32 CX, INT32 CY, INT32 R);
