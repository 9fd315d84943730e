#pragma once
#include "driver/protocol.h"

// Copies a Width x Height rectangle between two row-major images. With a
// key, a source pixel matching the key in any of blue, green or red is left
// out. The rectangle is clipped to both images. Returns 1 for a NULL buffer.
UINTN CopyImageRect(ORVANE_PIXEL *Destination, const ORVANE_PIXEL *Source,
                    UINT16 DestinationX, UINT16 DestinationY, UINT16 SourceX, UINT16 SourceY,
                    UINT16 DestinationRowWidth, UINT16 DestinationHeight,
                    UINT16 SourceRowWidth, UINT16 SourceHeight,
                    UINT16 Width, UINT16 Height, const ORVANE_PIXEL *Key);
