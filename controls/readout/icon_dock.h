// The icon dock: a row of 40 x 41 picture buttons on a green band, with a
// chevron between neighbours and, in a strip below, the label of the item
// focused by hovering or keys. Items can be dragged to a new place.
#pragma once
#include "platform/efi.h"

// The caller's record. InitIconDock fills it, TrackIconDock changes its state
// fields, PaintIconDock reads it.
//
// Reordering swaps the entries of labels, flags and active: the dock never
// copies a label, so the strings stay the caller's. stripBackground is pool
// memory that InitIconDock allocates once and that belongs to the caller, who
// frees it with FreePool (the dock never does), or the caller's own buffer of
// (1074 - x) x 19 pixels.
typedef struct IconDock {
  INT32 x;          // screen column of the row's left edge
  INT32 y;          // screen row of the row's top edge
  INT32 width;      // count x 51 - 5 below 9 items, else count x 47 - 5
  UINT32 height;    // 41
  UINT16 count;     // items, 1 to 16
  CHAR16 **labels;  // count label pointers
  UINT16 *flags;    // count values: bits 0-3 picture kind 0 to 7, 0x10 and 0x80 badges
  UINT16 *active;   // count values: 1 = highlighted without focus
  UINT16 focus;     // focused item; 16 = none
  INT16 mode;       // last event kind: 0 none, 1 press or drag, 2 hover or key
  INT16 dragging;   // 1 while an item is dragged
  UINT16 dragX;     // left edge of the dragged picture, relative to x
  UINT16 grab;      // pointer offset inside the dragged picture
  EFI_GRAPHICS_OUTPUT_BLT_PIXEL *stripBackground;  // (1074 - x) x 19 pixels under the label strip
} IconDock;

static_assert(sizeof(IconDock) == 72);
static_assert(__builtin_offsetof(IconDock, x) == 0);
static_assert(__builtin_offsetof(IconDock, y) == 4);
static_assert(__builtin_offsetof(IconDock, width) == 8);
static_assert(__builtin_offsetof(IconDock, height) == 12);
static_assert(__builtin_offsetof(IconDock, count) == 16);
static_assert(__builtin_offsetof(IconDock, labels) == 24);
static_assert(__builtin_offsetof(IconDock, flags) == 32);
static_assert(__builtin_offsetof(IconDock, active) == 40);
static_assert(__builtin_offsetof(IconDock, focus) == 48);
static_assert(__builtin_offsetof(IconDock, mode) == 50);
static_assert(__builtin_offsetof(IconDock, dragging) == 52);
static_assert(__builtin_offsetof(IconDock, dragX) == 54);
static_assert(__builtin_offsetof(IconDock, grab) == 56);
static_assert(__builtin_offsetof(IconDock, stripBackground) == 64);

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
EFI_STATUS EFIAPI InitIconDock(IconDock *Dock, INT32 X, INT32 Y, UINT16 Count, CHAR16 **Labels,
                               UINT16 *Flags, UINT16 *Active);

// One input event: pointer (X, Y), or (0, 0) for a key event; Kind 0 none,
// 1 press or drag, 2 hover or key; Key 1 previous, 2 next. Moves the focus,
// starts, follows and ends drags, and reorders the items. Returns EFI_SUCCESS,
// or EFI_INVALID_PARAMETER (record untouched) for a record InitIconDock would
// refuse or a focus that is neither an item nor 16.
EFI_STATUS EFIAPI TrackIconDock(IconDock *Dock, INT32 X, INT32 Y, UINT16 Kind, UINT16 Key);

// Draws the row and the label strip. Returns EFI_SUCCESS; EFI_INVALID_PARAMETER
// (nothing drawn) for a record InitIconDock or TrackIconDock would refuse; a
// picture's decode status, or EFI_OUT_OF_RESOURCES, having freed what it took.
EFI_STATUS EFIAPI PaintIconDock(IconDock *Dock);
