// Text through the platform's font service: drawn on the screen, rendered
// into a TextImage, or composed onto a drawing target.
#pragma once
#include "platform/types.h"
#include "raster/target.h"

// Codes of the text operations, shared by DrawText, RenderText and ScaleImage;
// those the slots answer are the published ORVANE_TEXT_ codes.
enum : UINTN {
  kTextDone = ORVANE_TEXT_DONE,
  kTextBadScaleOrNoRecord = ORVANE_TEXT_NO_RECORD,    // ScaleImage: scale outside 1000..2000
  kTextNullRecord = 2,                                // ScaleImage only
  kTextOutOfMemory = 3,                               // ScaleImage only
  kTextServiceMissing = ORVANE_TEXT_SERVICE_MISSING,  // also: not formatted or rasterised
  kTextTransferFailed = ORVANE_TEXT_TRANSFER_FAILED,  // nothing was shown
  kTextScaleRefused = ORVANE_TEXT_SCALE_REFUSED,      // ScaleImage answered non-zero
};

UINTN EFIAPI DrawText(UINT32 Foreground, const ORVANE_PIXEL *Background, Milli Scale, UINT16 X,
                      UINT16 Y, const CHAR16 *Format, ...);
UINTN EFIAPI RenderText(Milli Scale, TextImage *Image, const CHAR16 *String);

// Nearest-neighbour enlargement by Scale (1000 to 2000) into Destination,
// whose Bitmap is newly allocated.
UINTN ScaleImage(Milli Scale, const TextImage *Source, TextImage *Destination);

// Renders String at Scale in the two colours and composes it at (X, Y), clipped,
// with Background as the key: a pixel matching the background in any one
// channel is left out. The bitmap is freed. Returns RenderText's code; nothing
// is drawn unless it is 0.
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
