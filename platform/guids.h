// The GUIDs the toolkit, the shim and the front-end use that the EFI Library
// does not define, each defined once (platform/guids.cpp). The standard ones
// come from the EFI Library: gEfiGraphicsOutputProtocolGuid,
// gEfiLoadedImageProtocolGuid, gEfiSerialIoProtocolGuid, gEfiPciIoProtocolGuid,
// gEfiGlobalVariableGuid, AbsolutePointerProtocol, SimpleTextInputExProtocol. The toolkit's own two
// are declared with its interfaces in driver/protocol.h.
#pragma once
#include "platform/efi.h"

extern EFI_GUID gFloatMathProtocolGuid;
extern EFI_GUID gHiiFontProtocolGuid;
extern EFI_GUID gPrintProtocolGuid;
extern EFI_GUID gUsbIoProtocolGuid;
// The variables of the image security database (db, dbx).
extern EFI_GUID gImageSecurityDatabaseGuid;
