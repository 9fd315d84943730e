// MdePkg's headers and libraries, for images built with EDK2's own tool chain
// (OrvanePkg). The tree is written against gnu-efi's names: the GUIDs that
// MdePkg spells differently are mapped here, and OrvaneEfiLib supplies the
// library calls. Included only through platform/efi.h.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif
#include <Uefi.h>
#include <Guid/FileInfo.h>
#include <Guid/GlobalVariable.h>
#include <Library/BaseLib.h>
#include <Library/BaseMemoryLib.h>
#include <Library/DevicePathLib.h>
#include <Library/MemoryAllocationLib.h>
#include <Library/PrintLib.h>
#include <Library/UefiBootServicesTableLib.h>
#include <Library/UefiRuntimeServicesTableLib.h>
#include <Protocol/AbsolutePointer.h>
#include <Protocol/ComponentName2.h>
#include <Protocol/DriverBinding.h>
#include <Protocol/GraphicsOutput.h>
#include <Protocol/LoadedImage.h>
#include <Protocol/PciIo.h>
#include <Protocol/SerialIo.h>
#include <Protocol/SimpleFileSystem.h>
#include <Protocol/SimpleTextInEx.h>

// gnu-efi's library calls the tree makes (InitializeLib, StrDuplicate...).
#include "OrvanePkg/Library/OrvaneEfiLib/OrvaneEfiLib.h"
#ifdef __cplusplus
}
#endif

// gnu-efi's names for these GUIDs.
#define AbsolutePointerProtocol gEfiAbsolutePointerProtocolGuid
#define SimpleTextInputExProtocol gEfiSimpleTextInputExProtocolGuid
