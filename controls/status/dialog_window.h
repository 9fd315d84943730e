// The message box's window: a rounded rim fading from light to mid grey, a
// light inner panel inset by three pixels, and a dotted grip at the top.
#pragma once
#include "raster/image_copy.h"
#include "raster/line.h"
#include "raster/pen.h"
#include "raster/shapes.h"
#include "raster/target.h"
#include "text/text.h"

void DrawDialogWindow(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H);
