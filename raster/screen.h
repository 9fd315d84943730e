#pragma once
#include "platform/types.h"

// Codes of CaptureScreen, by their published names.
enum : UINTN {
  kCaptureDone = ORVANE_CAPTURE_DONE,
  kCaptureNoScreenBuffer = ORVANE_CAPTURE_NO_SCREEN_BUFFER,    // nothing captured
  kCaptureNoWorkingBuffer = ORVANE_CAPTURE_NO_WORKING_BUFFER,  // captured, cannot be dimmed
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
