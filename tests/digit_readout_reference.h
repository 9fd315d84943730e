// The digit readout's paint written plainly: every element a DrawRectangle,
// every corner pixel tested with WithinRadius on the float service and set
// with DrawPoint, in the documented order, into the readout's work image.
#pragma once
#include "raster/target.h"

namespace ref {

// Draws Text of readout size Size (0 to 2) over the Width x Height image Pixels.
void PaintReadout(ORVANE_PIXEL *Pixels, INT32 Width, INT32 Height, const CHAR16 *Text, UINT16 Size);

}  // namespace ref
