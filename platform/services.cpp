#include "platform/services.h"

#include "platform/guids.h"

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

namespace {

template <typename T>
T *Bound(T *&Kept, EFI_GUID *Guid) {
  if (Kept == nullptr && gBootServices != nullptr) {
    void *Found = nullptr;
    if (gBootServices->LocateProtocol(Guid, nullptr, &Found) == EFI_SUCCESS) {
      Kept = static_cast<T *>(Found);
    }
  }
  return Kept;
}

const EFI_GRAPHICS_OUTPUT_MODE_INFORMATION *ModeInfo() {
  const EFI_GRAPHICS_OUTPUT_PROTOCOL *Gop = Graphics();
  return Gop != nullptr && Gop->Mode != nullptr ? Gop->Mode->Info : nullptr;
}

}  // namespace

EFI_GRAPHICS_OUTPUT_PROTOCOL *Graphics() {
  return Bound(gGraphics, &gEfiGraphicsOutputProtocolGuid);
}
EFI_HII_FONT_PROTOCOL *Font() { return Bound(gFont, &gHiiFontProtocolGuid); }

UINT32 ScreenWidth() {
  const EFI_GRAPHICS_OUTPUT_MODE_INFORMATION *Info = ModeInfo();
  return Info != nullptr ? Info->HorizontalResolution : 0;
}

UINT32 ScreenHeight() {
  const EFI_GRAPHICS_OUTPUT_MODE_INFORMATION *Info = ModeInfo();
  return Info != nullptr ? Info->VerticalResolution : 0;
}
