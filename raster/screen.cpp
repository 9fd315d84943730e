#include "raster/screen.h"
UINTN EFIAPI CaptureScreen(ORVANE_PIXEL **, UINT32 *, UINT32 *) { return EFI_UNSUPPORTED; }
UINTN EFIAPI DimCapturedScreen(UINT32) { return EFI_UNSUPPORTED; }
UINTN EFIAPI RestoreCapturedScreen(void) { return EFI_UNSUPPORTED; }
UINTN EFIAPI ReleaseCapturedScreen(void) { return EFI_UNSUPPORTED; }
UINTN EFIAPI WipeTransition(ORVANE_PIXEL *, UINT32, UINT32, UINT32, UINT32) { return EFI_UNSUPPORTED; }
UINTN EFIAPI DissolveTransition(ORVANE_PIXEL *, UINT32, UINT32, UINT32, UINT32) { return EFI_UNSUPPORTED; }
