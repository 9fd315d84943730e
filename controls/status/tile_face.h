// The tile's face: a six-layer bevel round a face that fades from a darker top
// into a light lower part; greens when active.
#pragma once
#include "raster/target.h"

void DrawTileFace(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, UINT8 Active);
