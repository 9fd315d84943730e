#include "driver/operations.h"

#include "platform/services.h"

UINT32 EFIAPI StringLength(const CHAR16 *String) {
  UINT32 Length = 0;
  while (String[Length] != 0) {
    Length++;
  }
  return Length;
}

BOOLEAN EFIAPI SetFrameBufferCapture(BOOLEAN Enable) {
  FrameBufferCapture = Enable;
  return FrameBufferCapture;
}

EFI_STATUS EFIAPI SetVideoMode(UINT32 HorizontalResolution, UINT32 VerticalResolution) {
  if (gGraphics == nullptr) {
    return EFI_UNSUPPORTED;
  }
  for (UINT32 Mode = 0; Mode < gGraphics->Mode->MaxMode; Mode++) {
    EFI_GRAPHICS_OUTPUT_MODE_INFORMATION *Info = nullptr;
    UINTN InfoSize = 0;
    EFI_STATUS Status = gGraphics->QueryMode(gGraphics, Mode, &InfoSize, &Info);
    if (Status != EFI_SUCCESS) {
      continue;
    }
    // The firmware allocated Info for us; hand it back before deciding.
    bool Match = InfoSize != 0 && Info->HorizontalResolution == HorizontalResolution &&
                 Info->VerticalResolution == VerticalResolution;
    PoolFree(Info);
    if (Match) {
      return gGraphics->SetMode(gGraphics, Mode);
    }
  }
  return EFI_UNSUPPORTED;
}

UINTN EFIAPI UnsupportedOperation(void) { return EFI_UNSUPPORTED; }
