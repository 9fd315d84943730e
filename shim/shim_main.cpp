// Platform shim: a boot-service driver that offers the two services the
// toolkit binds to but that the firmware does not provide, the
// single-precision service and the print service, on its own image handle;
// and a driver for QEMU's USB tablet, which gives each tablet an Absolute
// Pointer when its USB handle is connected.
#include "shim/shim_entry.h"

// gnu-efi's crt0 calls this with the System V convention.
extern "C" EFI_STATUS efi_main(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  InitializeLib(ImageHandle, SystemTable);
  return ShimEntry(ImageHandle, SystemTable);
}
