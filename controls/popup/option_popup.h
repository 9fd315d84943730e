// The option popups: nine predefined titled windows of 45-pixel item rows
// that the user picks from, reorders by dragging and closes with a close box.
// The front-end owns one OptionPopupSet; the operations only read and write it.
#pragma once
#include "platform/types.h"

// One popup, filled by DefineOptionPopup from a popup kind.
typedef struct OptionPopupEntry {
  INT32 x;        // screen column of the left edge
  INT32 y;        // screen row of the top edge
  UINT32 width;   // 315
  UINT32 height;  // 63 + count * 45 + 25 once defined
  UINT16 count;   // number of items
  CHAR16 *title;
  CHAR16 **items;      // count string pointers; reordering swaps them
  UINT32 iconWidth;    // 48 once defined
  UINT32 iconHeight;   // 54 once defined
  ORVANE_PIXEL *icon;  // decoded 48 x 54 title icon, NULL until first defined
} OptionPopupEntry;

// What the shown popup remembers between events.
typedef struct OptionPopupState {
  UINT16 maxItemChars;            // text length limit; 31 after a reset
  UINT16 shown;                   // entry being shown and tracked
  UINT16 focus;                   // focused item; 128 = none
  INT16 mode;                     // last event: 0 none, 1 press or drag, 2 hover or key
  INT16 dragging;                 // 1 while an item is dragged
  UINT16 dragOffset;              // top of the dragged row below the list top
  UINT16 grab;                    // pointer offset inside the dragged row
  ORVANE_PIXEL *savedBackground;  // screen under the shown popup; only CloseOptionPopup frees it
  UINT8 closeShown;               // the close box is drawn
  UINT8 closeState;               // 0 normal, 1 hot, 2 pressed
} OptionPopupState;

typedef struct OptionPopupSet {
  OptionPopupEntry entries[9];
  OptionPopupState state;
} OptionPopupSet;

static_assert(sizeof(OptionPopupEntry) == 56);
static_assert(__builtin_offsetof(OptionPopupEntry, x) == 0);
static_assert(__builtin_offsetof(OptionPopupEntry, y) == 4);
static_assert(__builtin_offsetof(OptionPopupEntry, width) == 8);
static_assert(__builtin_offsetof(OptionPopupEntry, height) == 12);
static_assert(__builtin_offsetof(OptionPopupEntry, count) == 16);
static_assert(__builtin_offsetof(OptionPopupEntry, title) == 24);
static_assert(__builtin_offsetof(OptionPopupEntry, items) == 32);
static_assert(__builtin_offsetof(OptionPopupEntry, iconWidth) == 40);
static_assert(__builtin_offsetof(OptionPopupEntry, iconHeight) == 44);
static_assert(__builtin_offsetof(OptionPopupEntry, icon) == 48);

static_assert(sizeof(OptionPopupState) == 32);
static_assert(__builtin_offsetof(OptionPopupState, maxItemChars) == 0);
static_assert(__builtin_offsetof(OptionPopupState, shown) == 2);
static_assert(__builtin_offsetof(OptionPopupState, focus) == 4);
static_assert(__builtin_offsetof(OptionPopupState, mode) == 6);
static_assert(__builtin_offsetof(OptionPopupState, dragging) == 8);
static_assert(__builtin_offsetof(OptionPopupState, dragOffset) == 10);
static_assert(__builtin_offsetof(OptionPopupState, grab) == 12);
static_assert(__builtin_offsetof(OptionPopupState, savedBackground) == 16);
static_assert(__builtin_offsetof(OptionPopupState, closeShown) == 24);
static_assert(__builtin_offsetof(OptionPopupState, closeState) == 25);

static_assert(sizeof(OptionPopupSet) == 9 * 56 + 32);
static_assert(__builtin_offsetof(OptionPopupSet, entries) == 0);
static_assert(__builtin_offsetof(OptionPopupSet, state) == 504);

// Puts the set into its initial state. Returns 0.
UINTN EFIAPI ResetOptionPopups(OptionPopupSet *Set);

// Fills the entry of popup Kind (0, 2 to 6, 16 to 18) and keeps it on a
// 1024 x 768 screen. EFI_NOT_FOUND for any other kind, changing nothing.
EFI_STATUS EFIAPI DefineOptionPopup(OptionPopupSet *Set, INT32 X, INT32 Y, UINT16 Kind,
                                    CHAR16 *Title, UINT16 Count, CHAR16 **Items);

// One pointer or key event (a pointer at (0, 0) is a key event) on entry
// EntryIndex: focus, close box, drag and reorder. Returns 0, or 8 when the
// close box is pressed.
UINTN EFIAPI TrackOptionPopup(OptionPopupSet *Set, UINT16 EntryIndex, INT32 PointerX,
                              INT32 PointerY, UINT16 EventKind, UINT16 Key);

// Draws the shown popup; its first paint saves the screen under it.
EFI_STATUS EFIAPI PaintOptionPopup(OptionPopupSet *Set);

// Puts the saved screen back and frees it. EFI_NOT_FOUND when nothing is saved.
EFI_STATUS EFIAPI CloseOptionPopup(OptionPopupSet *Set);
