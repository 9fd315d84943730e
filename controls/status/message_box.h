// A message box: lines of text and up to three push buttons in a row below
// them, in a rounded window. The caller owns the record; init lays it out,
// the hit test marks the button under a pointer, paint draws it.
#pragma once
#include "platform/types.h"

typedef struct MessageBox {
  INT32 X;      // screen position of the left edge
  INT32 Y;      // and of the top edge
  INT32 Width;  // box size, computed by init
  INT32 Height;
  UINT16 LineCount;  // strings of Lines in use; each may hold several lines split by LF
  CHAR16 **Lines;
  UINT16 ButtonCount;  // captions in use
  CHAR16 **Captions;   // left to right
  UINT16 TextWidth;    // widest text line
  UINT16 TextHeight;   // 20 per text line
  UINT16 TextLeft;     // margins of the text block
  UINT16 TextTop;
  UINT16 ButtonsLeft;   // left margin of the button row
  UINT16 ButtonGap;     // between buttons
  UINT16 ButtonMargin;  // between text and buttons, and below the buttons
  UINT16 ButtonWidth;   // of every button
  UINT16 ButtonHeight;
  UINT16 HotButton;  // 1..3 under the pointer, 0 none
  UINT16 HotState;   // look of the hot button: 1 pressed, 2 focused, else normal
} MessageBox;

static_assert(sizeof(MessageBox) == 72);
static_assert(__builtin_offsetof(MessageBox, X) == 0);
static_assert(__builtin_offsetof(MessageBox, Y) == 4);
static_assert(__builtin_offsetof(MessageBox, Width) == 8);
static_assert(__builtin_offsetof(MessageBox, Height) == 12);
static_assert(__builtin_offsetof(MessageBox, LineCount) == 16);
static_assert(__builtin_offsetof(MessageBox, Lines) == 24);
static_assert(__builtin_offsetof(MessageBox, ButtonCount) == 32);
static_assert(__builtin_offsetof(MessageBox, Captions) == 40);
static_assert(__builtin_offsetof(MessageBox, TextWidth) == 48);
static_assert(__builtin_offsetof(MessageBox, TextHeight) == 50);
static_assert(__builtin_offsetof(MessageBox, TextLeft) == 52);
static_assert(__builtin_offsetof(MessageBox, TextTop) == 54);
static_assert(__builtin_offsetof(MessageBox, ButtonsLeft) == 56);
static_assert(__builtin_offsetof(MessageBox, ButtonGap) == 58);
static_assert(__builtin_offsetof(MessageBox, ButtonMargin) == 60);
static_assert(__builtin_offsetof(MessageBox, ButtonWidth) == 62);
static_assert(__builtin_offsetof(MessageBox, ButtonHeight) == 64);
static_assert(__builtin_offsetof(MessageBox, HotButton) == 66);
static_assert(__builtin_offsetof(MessageBox, HotState) == 68);

// Lays the box out from its texts (Width x Height is the requested size).
// EFI_INVALID_PARAMETER without a record; EFI_OUT_OF_RESOURCES, the record
// untouched, when a text cannot be measured.
UINTN EFIAPI InitMessageBox(MessageBox *Box, INT32 X, INT32 Y, INT32 Width, INT32 Height,
                            UINT16 LineCount, CHAR16 **Lines, UINT16 ButtonCount,
                            CHAR16 **Captions);
UINTN EFIAPI HitTestMessageBox(MessageBox *Box, INT32 PX, INT32 PY);
// EFI_OUT_OF_RESOURCES, nothing drawn, when memory runs out.
UINTN EFIAPI PaintMessageBox(MessageBox *Box);
