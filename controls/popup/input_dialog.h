// The input dialog: a titled popup window with an optional prompt, one text
// field (plain or masked with asterisks) and up to three push buttons, one of
// which may be shown pressed. The caller owns the record (published in
// include/orvane.h) and the input text;
// init lays the window out, the hit test records what lies under the pointer,
// and the paint draws the record.
#pragma once
#include "platform/types.h"

// Hit codes left in hotButton, by their published names.
#define INPUT_DIALOG_HIT_NONE ORVANE_DIALOG_HIT_NONE
#define INPUT_DIALOG_HIT_CLOSE ORVANE_DIALOG_HIT_CLOSE

// Fills the record and lays the window out from the measured texts. Returns 0,
// or EFI_OUT_OF_RESOURCES (record untouched) when a text cannot be measured.
UINTN EFIAPI InitInputDialog(InputDialog *Dialog, INT32 X, INT32 Y, UINT32 Width, INT32 Height,
                             const CHAR16 *Title, UINT16 Tag, const CHAR16 *Prompt,
                             const CHAR16 *Text, UINT16 MaxChars, UINT16 ShowPlain,
                             UINT16 ButtonCount, const CHAR16 *const *ButtonCaptions);

// Leaves in hotButton the button (1 to 3) or close box (4) under (PX, PY), else 0. Returns 0.
UINTN EFIAPI HitTestInputDialog(InputDialog *Dialog, INT32 PX, INT32 PY);

// Paints the dialog over the screen at (x, y) in one transfer. Returns 0, or
// EFI_OUT_OF_RESOURCES having drawn nothing.
UINTN EFIAPI PaintInputDialog(const InputDialog *Dialog);
