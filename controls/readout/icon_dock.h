// The icon dock: a row of 40 x 41 picture buttons on a green band, with a
// chevron between neighbours and, in a strip below, the label of the item
// focused by hovering or keys. Items can be dragged to a new place.
#pragma once
#include "platform/types.h"

// The record, IconDock, is published in include/orvane.h. InitIconDock fills
// it, TrackIconDock changes its state fields, PaintIconDock reads it.
//
// Reordering swaps the entries of labels, flags and active: the dock never
// copies a label, so the strings stay the caller's. stripBackground is pool
// memory that InitIconDock allocates once and that belongs to the caller, who
// frees it with FreePool (the dock never does), or the caller's own buffer of
// (1074 - x) x 19 pixels.

// Stores the items and the place, sets the size and clears focus, mode and
// drag (dragX keeps its value); saves the screen under the label strip unless
// stripBackground is already set. A strip already set is kept, never freed or
// saved again, and is taken to be (1074 - x) x 19 for the record's x: to move
// the dock left, or to save the strip anew, the caller frees it and sets it
// NULL first. Returns EFI_SUCCESS, or with the record untouched:
// EFI_INVALID_PARAMETER for a NULL record or array, no items or more than 16,
// x beyond 1074 (the strip would have a negative width) or a picture kind of
// 8 to 15; EFI_BUFFER_TOO_SMALL for an x left of the record's while a strip is
// kept (the strip would be too narrow); EFI_OUT_OF_RESOURCES when the strip
// cannot be saved.
EFI_STATUS EFIAPI InitIconDock(IconDock *Dock, INT32 X, INT32 Y, UINT16 Count,
                               const CHAR16 **Labels, UINT16 *Flags, UINT16 *Active);

// One input event: pointer (X, Y), or (0, 0) for a key event; Kind 0 none,
// 1 press or drag, 2 hover or key; Key 1 previous, 2 next. Moves the focus,
// starts, follows and ends drags, and reorders the items. Returns EFI_SUCCESS,
// or EFI_INVALID_PARAMETER (record untouched) for a record InitIconDock would
// refuse or a focus that is neither an item nor 16.
EFI_STATUS EFIAPI TrackIconDock(IconDock *Dock, INT32 X, INT32 Y, UINT16 Kind, UINT16 Key);

// Draws the row and the label strip. Returns EFI_SUCCESS; EFI_INVALID_PARAMETER
// (nothing drawn) for a record InitIconDock or TrackIconDock would refuse; a
// picture's decode status, or EFI_OUT_OF_RESOURCES, having freed what it took.
EFI_STATUS EFIAPI PaintIconDock(const IconDock *Dock);
