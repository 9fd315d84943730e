// The list popup's window record, its view summary and its operations.
#pragma once
#include "platform/types.h"

typedef struct ListPopup {
  INT32 x;  // screen column of the left edge
  INT32 y;  // screen row of the top edge
  UINT32 width;
  INT32 height;
  const CHAR16 *title;  // held by reference while the popup is painted
  UINT16 flags;         // bits 0-3 title alignment; bit 4 one paint without highlight
  UINT16 itemCount;
  ORVANE_PIXEL *textMask;  // maskWidth x contentHeight, owned from open to close
  UINT16 pageCount;
  UINT16 maskWidth;
  UINT16 contentHeight;
  UINT16 thumbPos;  // 0: no scroll bar
  UINT16 thumbLength;
  INT16 selectedRow;    // -1: none
  INT16 hotRow;         // -1, -2: none, and no scroll bar drawn
  INT16 hotScrollPart;  // 0 none, 1 up arrow, 2 thumb, 3 down arrow
  UINT16 titleHeight;
  UINT8 closeShown;
  UINT8 closeState;  // 0 normal, 1 hot, 2 pressed, else no close box
  INT16 lastSelectedRow;
  INT16 visibleRows;
} ListPopup;

static_assert(sizeof(ListPopup) == 64);
static_assert(__builtin_offsetof(ListPopup, x) == 0);
static_assert(__builtin_offsetof(ListPopup, y) == 4);
static_assert(__builtin_offsetof(ListPopup, width) == 8);
static_assert(__builtin_offsetof(ListPopup, height) == 12);
static_assert(__builtin_offsetof(ListPopup, title) == 16);
static_assert(__builtin_offsetof(ListPopup, flags) == 24);
static_assert(__builtin_offsetof(ListPopup, itemCount) == 26);
static_assert(__builtin_offsetof(ListPopup, textMask) == 32);
static_assert(__builtin_offsetof(ListPopup, pageCount) == 40);
static_assert(__builtin_offsetof(ListPopup, maskWidth) == 42);
static_assert(__builtin_offsetof(ListPopup, contentHeight) == 44);
static_assert(__builtin_offsetof(ListPopup, thumbPos) == 46);
static_assert(__builtin_offsetof(ListPopup, thumbLength) == 48);
static_assert(__builtin_offsetof(ListPopup, selectedRow) == 50);
static_assert(__builtin_offsetof(ListPopup, hotRow) == 52);
static_assert(__builtin_offsetof(ListPopup, hotScrollPart) == 54);
static_assert(__builtin_offsetof(ListPopup, titleHeight) == 56);
static_assert(__builtin_offsetof(ListPopup, closeShown) == 58);
static_assert(__builtin_offsetof(ListPopup, closeState) == 59);
static_assert(__builtin_offsetof(ListPopup, lastSelectedRow) == 60);
static_assert(__builtin_offsetof(ListPopup, visibleRows) == 62);

typedef struct ListPopupView {
  UINT8 outOfView;           // 1: the selected row is not comfortably inside the view
  INT16 thumbShowingTop;     // largest thumb position still showing the row near the top
  INT16 thumbShowingBottom;  // largest thumb position still showing it near the bottom
} ListPopupView;

static_assert(sizeof(ListPopupView) == 6);
static_assert(__builtin_offsetof(ListPopupView, outOfView) == 0);
static_assert(__builtin_offsetof(ListPopupView, thumbShowingTop) == 2);
static_assert(__builtin_offsetof(ListPopupView, thumbShowingBottom) == 4);

// Hit codes of HitTestListPopup.
#define LIST_POPUP_HIT_OUTSIDE 0
#define LIST_POPUP_HIT_LIST 1
#define LIST_POPUP_HIT_TITLE 2
#define LIST_POPUP_HIT_UP_ARROW 3
#define LIST_POPUP_HIT_TRACK_ABOVE 4
#define LIST_POPUP_HIT_THUMB 5
#define LIST_POPUP_HIT_TRACK_BELOW 6
#define LIST_POPUP_HIT_DOWN_ARROW 7
#define LIST_POPUP_HIT_CLOSE 8

UINTN EFIAPI OpenListPopup(ListPopup *Popup, INT32 X, INT32 Y, UINT32 Width, INT32 Height,
                           const CHAR16 *Title, UINT16 Flags, UINT16 ItemCount,
                           const CHAR16 *const *Items, INT16 HotRow);
UINTN EFIAPI PaintListPopup(ListPopup *Popup);
UINTN EFIAPI ScrollListPopup(ListPopup *Popup, INT16 ScrollPart, INT32 Delta);
UINTN EFIAPI HitTestListPopup(ListPopup *Popup, INT32 PointerX, INT32 PointerY, INT16 Kind);
UINTN EFIAPI CloseListPopup(ListPopup *Popup);
UINTN EFIAPI GetListPopupView(ListPopup *Popup, ListPopupView *View);
