#include "platform/guids.h"

#include "platform/float_math.h"

constinit EFI_GUID gFloatMathProtocolGuid = FLOAT_MATH_PROTOCOL_GUID;
constinit EFI_GUID gHiiFontProtocolGuid = EFI_HII_FONT_PROTOCOL_GUID;
constinit EFI_GUID gPrintProtocolGuid = EFI_PRINT_PROTOCOL_GUID;
// The layout of USB I/O is in shim/usb_io.h; gnu-efi declares neither.
constinit EFI_GUID gUsbIoProtocolGuid = {
    0x2b2f68d6, 0x0cd2, 0x44cf, {0x8e, 0x8b, 0xbb, 0xa2, 0x0b, 0x1b, 0x5b, 0x75}};
constinit EFI_GUID gImageSecurityDatabaseGuid = {
    0xd719b2cb, 0x3d3a, 0x4596, {0xa3, 0xbc, 0xda, 0xd0, 0x0e, 0x67, 0x65, 0x6f}};
