// The option popups: nine predefined titled windows of 45-pixel item rows
// that the user picks from, reorders by dragging and closes with a close box.
// The front-end owns one OptionPopupSet (published in include/orvane.h); the
// operations only read and write it.
#pragma once
#include "platform/types.h"

// Puts the set into its initial state. Returns 0.
UINTN EFIAPI ResetOptionPopups(OptionPopupSet *Set);

// Fills the entry of popup Kind (0, 2 to 6, 16 to 18) and keeps it on a
// 1024 x 768 screen. EFI_NOT_FOUND for any other kind, changing nothing.
EFI_STATUS EFIAPI DefineOptionPopup(OptionPopupSet *Set, INT32 X, INT32 Y, UINT16 Kind,
                                    const CHAR16 *Title, UINT16 Count, const CHAR16 **Items);

// One pointer or key event (a pointer at (0, 0) is a key event) on entry
// EntryIndex: focus, close box, drag and reorder. Returns 0, or 8 when the
// close box is pressed.
UINTN EFIAPI TrackOptionPopup(OptionPopupSet *Set, UINT16 EntryIndex, INT32 PointerX,
                              INT32 PointerY, UINT16 EventKind, UINT16 Key);

// Draws the shown popup; its first paint saves the screen under it.
EFI_STATUS EFIAPI PaintOptionPopup(OptionPopupSet *Set);

// Puts the saved screen back and frees it. EFI_NOT_FOUND when nothing is saved.
EFI_STATUS EFIAPI CloseOptionPopup(OptionPopupSet *Set);
