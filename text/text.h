// Text through the platform's font service: drawn on the screen, rendered
// into a TextImage, or composed onto a drawing target.
#pragma once
#include "platform/types.h"
#include "raster/target.h"

// Codes of the text operations, shared by DrawText, RenderText and ScaleImage.
enum : UINTN {
  kTextDone = 0,
  kTextBadScaleOrNoRecord = 1,  // ScaleImage: scale outside 1000..2000; RenderText: no record
  kTextNullRecord = 2,
  kTextOutOfMemory = 3,
  kTextServiceMissing = 4,  // also: the text could not be formatted or rasterised
  kTextTransferFailed = 5,  // nothing was shown
  kTextScaleRefused = 6,    // ScaleImage answered non-zero
};

UINTN EFIAPI DrawText(UINT32 Foreground, const ORVANE_PIXEL *Background, Milli Scale, UINT16 X,
                      UINT16 Y, const CHAR16 *Format, ...);
UINTN EFIAPI RenderText(Milli Scale, TextImage *Image, const CHAR16 *String);

// Nearest-neighbour enlargement by Scale (1000 to 2000) into Destination,
// whose Bitmap is newly allocated.
UINTN ScaleImage(Milli Scale, const TextImage *Source, TextImage *Destination);

// Composes rendered text at (X, Y) with its Background colour as the key: a
// pixel matching the background in any one channel is left out. Clipped.
void PlaceText(const DrawTarget &T, INT32 X, INT32 Y, const TextImage &Text);

// Renders String at Scale in the two colours and composes it at (X, Y) as
// PlaceText does; the bitmap is freed. Returns RenderText's code; nothing is
// drawn unless it is 0.
UINTN DrawTextOn(const DrawTarget &T, INT32 X, INT32 Y, const CHAR16 *String, UINT32 Foreground,
                 UINT32 Background, Milli Scale);

// Characters before the terminator; the length every text operation counts with.
inline UINT32 TextLength(const CHAR16 *String) {
  UINT32 Length = 0;
  while (String[Length] != 0) {
    Length++;
  }
  return Length;
}
