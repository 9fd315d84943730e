// The painter of the vertical scroll bar: edge, track, thumb and the two arrow boxes.
#pragma once
#include "raster/target.h"

// Hot codes: which part is drawn highlighted.
enum : INT32 { kScrollHotUp = 1, kScrollHotThumb = 2, kScrollHotDown = 3 };

// The thumb, Offset rows below the track's top and Length rows long.
struct ScrollThumb {
  INT32 Offset, Length;
};

// Paints the bar at (X, Y), Length rows long (at least 100), always 15 pixels
// wide plus its edge column. Thumb NULL: a bar with no thumb.
void DrawScrollBarBody(const DrawTarget &T, INT32 X, INT32 Y, const ScrollThumb *Thumb, INT32 Hot,
                       INT32 Length);
