// Separators of the setup screen: a dark strip with an optional engraved
// divider (composed off-screen), and a light dotted rule two pixels high.
#pragma once
#include "platform/types.h"

UINTN EFIAPI DrawDividerStrip(INT32 X, INT32 Y, INT32 Width, INT32 Height, UINT8 ShowDivider,
                              INT32 DividerX, UINT8 Active);
UINTN EFIAPI DrawDottedRule(INT16 X, INT16 Y, UINT16 Length);
