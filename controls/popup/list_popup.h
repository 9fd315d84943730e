// The list popup's operations. Its record, ListPopup, is also the window
// record of every popup control (the others fill a local one to drive the
// frame painters); it and ListPopupView are published in include/orvane.h.
#pragma once
#include "platform/types.h"

// Hit codes of HitTestListPopup, by their published names.
#define LIST_POPUP_HIT_OUTSIDE ORVANE_LIST_HIT_OUTSIDE
#define LIST_POPUP_HIT_LIST ORVANE_LIST_HIT_LIST
#define LIST_POPUP_HIT_TITLE ORVANE_LIST_HIT_TITLE
#define LIST_POPUP_HIT_UP_ARROW ORVANE_LIST_HIT_UP_ARROW
#define LIST_POPUP_HIT_TRACK_ABOVE ORVANE_LIST_HIT_TRACK_ABOVE
#define LIST_POPUP_HIT_THUMB ORVANE_LIST_HIT_THUMB
#define LIST_POPUP_HIT_TRACK_BELOW ORVANE_LIST_HIT_TRACK_BELOW
#define LIST_POPUP_HIT_DOWN_ARROW ORVANE_LIST_HIT_DOWN_ARROW
#define LIST_POPUP_HIT_CLOSE ORVANE_LIST_HIT_CLOSE

UINTN EFIAPI OpenListPopup(ListPopup *Popup, INT32 X, INT32 Y, UINT32 Width, INT32 Height,
                           const CHAR16 *Title, UINT16 Flags, UINT16 ItemCount,
                           const CHAR16 *const *Items, INT16 HotRow);
UINTN EFIAPI PaintListPopup(ListPopup *Popup);
UINTN EFIAPI ScrollListPopup(ListPopup *Popup, INT16 ScrollPart, INT32 Delta);
UINTN EFIAPI HitTestListPopup(ListPopup *Popup, INT32 PointerX, INT32 PointerY, INT16 Kind);
UINTN EFIAPI CloseListPopup(ListPopup *Popup);
UINTN EFIAPI GetListPopupView(const ListPopup *Popup, ListPopupView *View);
