// Platform shim: a boot-service driver that offers the two services the
// toolkit binds to but that the firmware does not provide, the
// single-precision service and the print service, on its own image handle;
// and an Absolute Pointer for each QEMU USB tablet that has no driver.
#include "shim/float_service.h"
#include "shim/print_service.h"
#include "shim/usb_tablet.h"

namespace {
constinit EFI_PRINT_PROTOCOL PrintProtocol = {PrintServiceVSPrint};
}  // namespace

// gnu-efi's crt0 calls this with the System V convention.
extern "C" EFI_STATUS efi_main(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  InitializeLib(ImageHandle, SystemTable);
  EFI_HANDLE Handle = ImageHandle;
  // Consumers only read the table; the protocol database wants a plain pointer.
  auto *FloatMath = const_cast<FLOAT_MATH_PROTOCOL *>(&gFloatMathService);
  EFI_STATUS Status = SystemTable->BootServices->InstallMultipleProtocolInterfaces(
      &Handle, &gFloatMathProtocolGuid, static_cast<VOID *>(FloatMath), &gPrintProtocolGuid,
      static_cast<VOID *>(&PrintProtocol), static_cast<VOID *>(nullptr));
  // A machine without a tablet simply has no pointer; the services stand regardless.
  UINTN Tablets = 0;
  InstallUsbTablets(SystemTable->BootServices, &Tablets);
  return Status;
}
