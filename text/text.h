#pragma once
#include "driver/protocol.h"

UINTN EFIAPI DrawText(UINT32 Foreground, ORVANE_PIXEL *Background, Milli Scale, UINT16 X, UINT16 Y,
                      const CHAR16 *Format, ...);
UINTN EFIAPI RenderText(Milli Scale, TextImage *Image, const CHAR16 *String);

// Nearest-neighbour enlargement by Scale (1000 to 2000) into Destination,
// whose Bitmap is newly allocated.
UINTN ScaleImage(Milli Scale, const TextImage *Source, TextImage *Destination);
