#include "shim/shim_entry.h"

#include "shim/float_service.h"
#include "shim/print_service.h"
#include "shim/usb_tablet.h"

namespace {
constinit EFI_PRINT_PROTOCOL PrintProtocol = {PrintServiceVSPrint};
}  // namespace

EFI_STATUS ShimEntry(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  EFI_BOOT_SERVICES *Bs = SystemTable->BootServices;
  TabletDriverSetUp(Bs, ImageHandle);
  EFI_HANDLE Handle = ImageHandle;
  // Consumers only read the table; the protocol database wants a plain pointer.
  auto *FloatMath = const_cast<FLOAT_MATH_PROTOCOL *>(&gFloatMathService);
  return Bs->InstallMultipleProtocolInterfaces(
      &Handle, &gFloatMathProtocolGuid, static_cast<VOID *>(FloatMath), &gPrintProtocolGuid,
      static_cast<VOID *>(&PrintProtocol), &gEfiDriverBindingProtocolGuid,
      static_cast<VOID *>(&gTabletDriverBinding), &gEfiComponentName2ProtocolGuid,
      static_cast<VOID *>(&gTabletComponentName), static_cast<VOID *>(nullptr));
}
