// Operations of the driver frame itself, and the table the entry point fills.
#pragma once
#include "driver/protocol.h"

UINT32 EFIAPI StringLength(const CHAR16 *String);
BOOLEAN EFIAPI SetFrameBufferCapture(BOOLEAN Enable);
EFI_STATUS EFIAPI SetVideoMode(UINT32 HorizontalResolution, UINT32 VerticalResolution);
CHAR16 *EFIAPI Banner(CHAR16 *Buffer);

extern ORVANE_UI_PROTOCOL gOrvaneUi;
extern ORVANE_BANNER_PROTOCOL gOrvaneBanner;

extern "C" EFI_STATUS efi_main(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);
