#pragma once
#include "platform/types.h"

// Codes of CaptureScreen.
enum : UINTN {
  kCaptureDone = 0,
  kCaptureNoScreenBuffer = 1,   // nothing captured
  kCaptureNoWorkingBuffer = 2,  // the screen is captured, but cannot be dimmed
};

// To[i] = From[i] for i < Count with blue, green and red looked up in Dimmed;
// the reserved byte is carried over.
void DimPixels(ORVANE_PIXEL *To, const ORVANE_PIXEL *From, UINTN Count, const UINT8 (&Dimmed)[256]);

UINTN EFIAPI CaptureScreen(ORVANE_PIXEL **Screen, UINT32 *Width, UINT32 *Height);
UINTN EFIAPI DimCapturedScreen(UINT32 Level);
UINTN EFIAPI RestoreCapturedScreen(void);
UINTN EFIAPI ReleaseCapturedScreen(void);
UINTN EFIAPI WipeTransition(const ORVANE_PIXEL *Image, UINT32 Width, UINT32 Height, UINT32 X,
                            UINT32 Y);
UINTN EFIAPI DissolveTransition(const ORVANE_PIXEL *Image, UINT32 Width, UINT32 Height, UINT32 X,
                                UINT32 Y);
