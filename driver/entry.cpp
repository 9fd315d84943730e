#include "driver/operations.h"
#include "platform/services.h"

constinit EFI_GUID gOrvaneUiProtocolGuid = ORVANE_UI_PROTOCOL_GUID;
constinit EFI_GUID gOrvaneBannerProtocolGuid = ORVANE_BANNER_PROTOCOL_GUID;

namespace {
constinit EFI_GUID FloatMathGuid = FLOAT_MATH_PROTOCOL_GUID;
constinit EFI_GUID GraphicsGuid = EFI_GRAPHICS_OUTPUT_PROTOCOL_GUID;
constinit EFI_GUID FontGuid = EFI_HII_FONT_PROTOCOL_GUID;
constinit EFI_GUID PrintGuid = EFI_PRINT_PROTOCOL_GUID;
}  // namespace

// gnu-efi's crt0 calls this with the System V convention.
extern "C" EFI_STATUS efi_main(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  InitializeLib(ImageHandle, SystemTable);
  gBootServices = SystemTable->BootServices;

  struct Binding {
    EFI_GUID *Guid;
    void **Interface;
  };
  const Binding Services[] = {
      {&FloatMathGuid, (void **)&gFloat},
      {&GraphicsGuid, (void **)&gGraphics},
      {&FontGuid, (void **)&gFont},
      {&PrintGuid, (void **)&gPrint},
  };
  for (const Binding &B : Services) {
    EFI_STATUS Status = gBootServices->LocateProtocol(B.Guid, nullptr, B.Interface);
    if (Status != EFI_SUCCESS) {
      return Status;
    }
  }

  gOrvaneUi.ImageHandle = ImageHandle;
  // A refused install publishes nothing: answering its status (not success)
  // lets the firmware unload the image instead of keeping a driver nobody can reach.
  return gBootServices->InstallMultipleProtocolInterfaces(
      &gOrvaneUi.ImageHandle, &gOrvaneUiProtocolGuid, &gOrvaneUi, &gOrvaneBannerProtocolGuid,
      &gOrvaneBanner, nullptr);
}
