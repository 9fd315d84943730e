// The framed 20-segment level bar of the gauge panel, green through yellow to red.
#pragma once
#include "raster/target.h"

void DrawLevelBar(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, INT32 Value);
