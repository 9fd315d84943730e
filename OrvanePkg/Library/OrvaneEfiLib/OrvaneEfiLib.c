/** @file
  gnu-efi's library calls over MdePkg's libraries.
**/
#include <Library/BaseMemoryLib.h>
#include <Library/DevicePathLib.h>
#include <Library/MemoryAllocationLib.h>
#include "OrvaneEfiLib.h"
#include <Library/PrintLib.h>
#include <Library/BaseLib.h>
#include <Library/UefiBootServicesTableLib.h>

EFI_SYSTEM_TABLE *ST;
EFI_BOOT_SERVICES *BS;
EFI_RUNTIME_SERVICES *RT;

VOID InitializeLib(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  ST = SystemTable;
  BS = SystemTable->BootServices;
  RT = SystemTable->RuntimeServices;
}

CHAR16 *StrDuplicate(CONST CHAR16 *String) { return AllocateCopyPool(StrSize(String), String); }

VOID StatusToString(CHAR16 *Buffer, EFI_STATUS Status) {
  // PrintLib's %r gives each status its UEFI name.
  UnicodeSPrint(Buffer, 64 * sizeof(CHAR16), L"%r", Status);
}

VOID GuidToString(CHAR16 *Buffer, EFI_GUID *Guid) {
  UnicodeSPrint(Buffer, 37 * sizeof(CHAR16), L"%g", Guid);
}

CHAR16 *DevicePathToStr(EFI_DEVICE_PATH_PROTOCOL *DevicePath) {
  return ConvertDevicePathToText(DevicePath, FALSE, FALSE);
}

EFI_FILE_HANDLE
LibOpenRoot(EFI_HANDLE Device) {
  EFI_SIMPLE_FILE_SYSTEM_PROTOCOL *Volume;
  EFI_FILE_HANDLE Root;

  if (gBS->HandleProtocol(Device, &gEfiSimpleFileSystemProtocolGuid, (VOID **)&Volume) !=
      EFI_SUCCESS) {
    return NULL;
  }

  Root = NULL;
  return Volume->OpenVolume(Volume, &Root) == EFI_SUCCESS ? Root : NULL;
}
