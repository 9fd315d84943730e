#pragma once
#include "platform/types.h"

UINTN EFIAPI CaptureScreen(ORVANE_PIXEL **Screen, UINT32 *Width, UINT32 *Height);
UINTN EFIAPI DimCapturedScreen(UINT32 Level);
UINTN EFIAPI RestoreCapturedScreen(void);
UINTN EFIAPI ReleaseCapturedScreen(void);
UINTN EFIAPI WipeTransition(ORVANE_PIXEL *Image, UINT32 Width, UINT32 Height, UINT32 X, UINT32 Y);
UINTN EFIAPI DissolveTransition(ORVANE_PIXEL *Image, UINT32 Width, UINT32 Height, UINT32 X,
                                UINT32 Y);
