// Seven-segment digit readout: a clock-style large readout (size 0) and two
// temperature readouts (sizes 1 and 2) with a degree-Celsius sign.
#pragma once
#include "platform/types.h"

// The record, DigitReadout, is published in include/orvane.h. InitDigitReadout
// fills it; PaintDigitReadout reads it.
//
// Ownership: `background` (when InitDigitReadout captured it) and `text` (when
// it differs from the string the caller passed: a padded copy) are pool
// memory that belongs to the caller, who releases them with FreePool.
// InitDigitReadout frees neither: it cannot tell its own earlier blocks from a
// caller's image or from a record never initialised, so a caller that
// initialises one record again frees those two first.

// Cleans Text in place (cut at the first character other than "0"-":" or "-"),
// pads temperatures to three digits, sizes the readout and, with Capture 1,
// captures the screen under it. Returns EFI_INVALID_PARAMETER (record
// untouched) for a NULL record or text, a size other than 0 to 2 or a text of
// more than 255 characters; EFI_OUT_OF_RESOURCES (record untouched, nothing
// left allocated) when pool memory runs out.
EFI_STATUS EFIAPI InitDigitReadout(DigitReadout *Readout, INT32 X, INT32 Y, CHAR16 *Text,
                                   UINT16 Size, UINT8 Capture);

// Paints the text over the stored background and sends it to the screen in
// one transfer. Returns EFI_INVALID_PARAMETER for a NULL record, text or
// background or a bad size, EFI_OUT_OF_RESOURCES having drawn nothing when
// the work buffer cannot be had.
EFI_STATUS EFIAPI PaintDigitReadout(const DigitReadout *Readout);
