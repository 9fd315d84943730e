/** @file
  The gnu-efi library calls the Orvane sources make, implemented over MdePkg,
  so that one tree builds with either.
**/
#ifndef ORVANE_EFI_LIB_H_
#define ORVANE_EFI_LIB_H_

#include <Uefi.h>
#include <Protocol/DevicePath.h>
#include <Protocol/SimpleFileSystem.h>

extern EFI_SYSTEM_TABLE *ST;
extern EFI_BOOT_SERVICES *BS;
extern EFI_RUNTIME_SERVICES *RT;

// Sets ST, BS and RT; MdePkg's own globals come from its library constructors.
VOID InitializeLib(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);

// A pool copy of String, terminator included; NULL when the pool is exhausted.
CHAR16 *StrDuplicate(CONST CHAR16 *String);

// The status's name ("Not Found") into Buffer, which holds 64 characters.
VOID StatusToString(CHAR16 *Buffer, EFI_STATUS Status);

// The GUID as text, 8-4-4-4-12 hexadecimal digits, into Buffer of 37 characters.
VOID GuidToString(CHAR16 *Buffer, EFI_GUID *Guid);

// The device path as text, in pool memory the caller frees; NULL on failure.
CHAR16 *DevicePathToStr(EFI_DEVICE_PATH_PROTOCOL *DevicePath);

// The root directory of the file system on Device; NULL when it has none.
EFI_FILE_HANDLE
LibOpenRoot(EFI_HANDLE Device);

#endif
