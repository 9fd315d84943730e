#include "driver/operations.h"
#include "platform/guids.h"
#include "platform/services.h"

// gnu-efi's crt0 calls this with the System V convention.
extern "C" EFI_STATUS efi_main(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  InitializeLib(ImageHandle, SystemTable);
  gBootServices = SystemTable->BootServices;

  struct Binding {
    EFI_GUID *Guid;
    void **Interface;
  };
  const Binding Services[] = {
      {&gFloatMathProtocolGuid, (void **)&gFloat},
      {&gEfiGraphicsOutputProtocolGuid, (void **)&gGraphics},
      {&gHiiFontProtocolGuid, (void **)&gFont},
      {&gPrintProtocolGuid, (void **)&gPrint},
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
