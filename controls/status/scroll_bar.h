// The vertical scroll bar of a list: painting from the list position, and
// which part of it lies under a pointer.
#pragma once
#include "platform/types.h"

// Parts answered by HitTestScrollBar.
enum : UINT16 {
  kScrollOutside = 0,
  kScrollUpArrow = 1,
  kScrollTrackAbove = 2,
  kScrollThumb = 3,
  kScrollTrackBelow = 4,
  kScrollDownArrow = 5,
};

// Length: bar length in pixels; Total, Visible, First: the list's item count,
// the items in view and the 1-based first item in view; Hot: 1 up arrow,
// 2 thumb, 3 down arrow highlighted.
UINTN EFIAPI DrawScrollBar(INT32 X, INT32 Y, UINT16 Length, UINT16 Total, UINT16 Visible,
                           UINT16 First, UINT16 Hot);
UINT16 EFIAPI HitTestScrollBar(INT32 X, INT32 Y, UINT16 Length, UINT16 Total, UINT16 Visible,
                               UINT16 First, INT32 PX, INT32 PY);
