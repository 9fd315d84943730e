// Pictures: rectangle copies between images, and pictures placed on a target.
#pragma once
#include "platform/types.h"
#include "raster/target.h"

// Copies a Width x Height rectangle between two row-major images. With a
// key, a source pixel matching the key in any of blue, green or red is left
// out. The rectangle is clipped to both images. Returns 1 for a NULL buffer.
UINTN CopyImageRect(ORVANE_PIXEL *Destination, const ORVANE_PIXEL *Source, UINT16 DestinationX,
                    UINT16 DestinationY, UINT16 SourceX, UINT16 SourceY, UINT16 DestinationRowWidth,
                    UINT16 DestinationHeight, UINT16 SourceRowWidth, UINT16 SourceHeight,
                    UINT16 Width, UINT16 Height, const ORVANE_PIXEL *Key);

// Places SourcePart of Source (row width SourceRowWidth) with its top-left
// pixel at (X, Y) of the target, any X and Y, clipped to the target's clip
// (and to the source's row width). With a key, as CopyImageRect: a pixel
// matching the key in any of blue, green or red is left out.
void PlaceImage(const DrawTarget &T, INT32 X, INT32 Y, const ORVANE_PIXEL *Source,
                INT32 SourceRowWidth, const Rect &SourcePart, const ORVANE_PIXEL *Key);

// The ink of a rendered text: the pixels of the Width x Height image Source
// whose blue, green and red are Ink's are written in Ink, the image's top-left
// pixel at (X, Y), clipped to the target; the others leave the target as it
// is. Image columns past DimAfter (compared unsigned) are written in DimColor.
// On the screen each stretch of ink in a row is one fill.
void PlaceInk(const DrawTarget &T, INT64 X, INT64 Y, const ORVANE_PIXEL *Source, UINT32 Width,
              UINT32 Height, UINT32 Ink, UINT32 DimAfter = 0xFFFFFFFF, UINT32 DimColor = 0);
