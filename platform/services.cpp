#include "platform/services.h"

constinit EFI_BOOT_SERVICES *gBootServices = nullptr;
constinit EFI_GRAPHICS_OUTPUT_PROTOCOL *gGraphics = nullptr;
constinit EFI_HII_FONT_PROTOCOL *gFont = nullptr;
constinit EFI_PRINT_PROTOCOL *gPrint = nullptr;
constinit FLOAT_MATH_PROTOCOL *gFloat = nullptr;
constinit BOOLEAN FrameBufferCapture = 0;

void *PoolAlloc(UINTN Bytes) {
  void *Buffer = nullptr;
  if (gBootServices == nullptr ||
      gBootServices->AllocatePool(EfiBootServicesData, Bytes, &Buffer) != EFI_SUCCESS) {
    return nullptr;
  }
  return Buffer;
}

void PoolFree(void *Buffer) {
  if (Buffer != nullptr) {
    gBootServices->FreePool(Buffer);
  }
}

UINT32 ScreenWidth() {
  return (gGraphics && gGraphics->Mode && gGraphics->Mode->Info)
             ? gGraphics->Mode->Info->HorizontalResolution
             : 0;
}

UINT32 ScreenHeight() {
  return (gGraphics && gGraphics->Mode && gGraphics->Mode->Info)
             ? gGraphics->Mode->Info->VerticalResolution
             : 0;
}
