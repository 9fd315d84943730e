// A tile with a soft bevel and a white rounded frame, composed off-screen.
#pragma once
#include "platform/types.h"

// Active 1 draws the tile in greens.
UINTN EFIAPI DrawTile(INT32 X, INT32 Y, INT32 Width, INT32 Height, UINT8 Active);
