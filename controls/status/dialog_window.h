// The message box's window: a rounded rim fading from light to mid grey, a
// light inner panel inset by three pixels, and a dotted grip at the top.
#pragma once
#include "raster/target.h"

void DrawDialogWindow(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H);
