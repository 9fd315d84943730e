#pragma once
#include "platform/types.h"

// Codes of CaptureScreen.
enum : UINTN {
  kCaptureDone = 0,
  kCaptureNoScreenBuffer = 1,   // nothing captured
  kCaptureNoWorkingBuffer = 2,  // the screen is captured, but cannot be dimmed
};

UINTN EFIAPI CaptureScreen(ORVANE_PIXEL **Screen, UINT32 *Width, UINT32 *Height);
UINTN EFIAPI DimCapturedScreen(UINT32 Level);
UINTN EFIAPI RestoreCapturedScreen(void);
UINTN EFIAPI ReleaseCapturedScreen(void);
UINTN EFIAPI WipeTransition(ORVANE_PIXEL *Image, UINT32 Width, UINT32 Height, UINT32 X, UINT32 Y);
UINTN EFIAPI DissolveTransition(ORVANE_PIXEL *Image, UINT32 Width, UINT32 Height, UINT32 X,
                                UINT32 Y);
