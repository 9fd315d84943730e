// A rounded frame two pixels thick in one colour (the gauge panel's and the tile's border).
#pragma once
#include "raster/target.h"

void DrawRoundFrame(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, UINT16 Radius,
                    UINT32 Color);
