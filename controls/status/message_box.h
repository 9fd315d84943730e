// A message box: lines of text and up to three push buttons in a row below
// them, in a rounded window. The caller owns the record (published in
// include/orvane.h); init lays it out,
// the hit test marks the button under a pointer, paint draws it.
#pragma once
#include "platform/types.h"

// Lays the box out from its texts (Width x Height is the requested size).
// EFI_INVALID_PARAMETER without a record; EFI_OUT_OF_RESOURCES, the record
// untouched, when a text cannot be measured.
UINTN EFIAPI InitMessageBox(MessageBox *Box, INT32 X, INT32 Y, INT32 Width, INT32 Height,
                            UINT16 LineCount, const CHAR16 *const *Lines, UINT16 ButtonCount,
                            const CHAR16 *const *Captions);
UINTN EFIAPI HitTestMessageBox(MessageBox *Box, INT32 PX, INT32 PY);
// EFI_OUT_OF_RESOURCES, nothing drawn, when memory runs out.
UINTN EFIAPI PaintMessageBox(const MessageBox *Box);
