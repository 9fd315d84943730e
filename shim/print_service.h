// The formatting call of the print service: UEFI format syntax into a
// CHAR16 buffer of BufferSize bytes, always NUL-terminated. Returns the
// number of characters written, without the terminator.
#pragma once
#include "platform/efi.h"

UINTN EFIAPI PrintServiceVSPrint(CHAR16 *Buffer, UINTN BufferSize, const CHAR16 *Format,
                                 VA_LIST Marker);
