/** @file
  The modules' entry point. The sources name theirs efi_main, which gnu-efi's
  start-up calls with the System V convention; EDK2's entry libraries call
  the entry point with the UEFI one, so this hands over between the two.
**/
#include <Uefi.h>

EFI_STATUS
efi_main(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);

EFI_STATUS
EFIAPI
OrvaneModuleEntry(IN EFI_HANDLE ImageHandle, IN EFI_SYSTEM_TABLE *SystemTable) {
  return efi_main(ImageHandle, SystemTable);
}
