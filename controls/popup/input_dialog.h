// The input dialog: a titled popup window with an optional prompt, one text
// field (plain or masked with asterisks) and up to three push buttons, one of
// which may be shown pressed. The caller owns the record and the input text;
// init lays the window out, the hit test records what lies under the pointer,
// and the paint draws the record.
#pragma once
#include "platform/types.h"

typedef struct InputDialog {
  INT32 x;  // screen column of the window's left edge
  INT32 y;  // screen row of the window's top edge
  INT32 width;
  INT32 height;
  const CHAR16 *prompt;                 // shown left of the field; may be NULL
  const CHAR16 *text;                   // the current input
  UINT16 maxChars;                      // field capacity; the field is 9 pixels wide per character
  INT16 showPlain;                      // 0: every shown character is an asterisk
  UINT16 buttonCount;                   // 0 to 3
  const CHAR16 *const *buttonCaptions;  // captions of buttons 1 to 3
  UINT16 buttonWidth;                   // pitch of the button slots; buttons are 40 narrower
  UINT16 buttonHeight;                  // slot height; buttons are 20 shorter
  INT16 hotButton;   // 1 to 3: drawn pressed; the hit test's result (4: close box)
  UINT16 promptX;    // column of the prompt (or of the field without one)
  UINT16 fieldTop;   // prompt and field start at row fieldTop + 65
  UINT16 buttonGap;  // before the first button and between button slots
  const CHAR16 *title;
  UINT16 reserved;   // the caller's tag; not read
  UINT8 closeShown;  // non-zero: draw the close box
  UINT8 closeState;  // close box look: 0 normal, 1 hot, 2 pressed
} InputDialog;

static_assert(sizeof(InputDialog) == 80);
static_assert(__builtin_offsetof(InputDialog, x) == 0);
static_assert(__builtin_offsetof(InputDialog, y) == 4);
static_assert(__builtin_offsetof(InputDialog, width) == 8);
static_assert(__builtin_offsetof(InputDialog, height) == 12);
static_assert(__builtin_offsetof(InputDialog, prompt) == 16);
static_assert(__builtin_offsetof(InputDialog, text) == 24);
static_assert(__builtin_offsetof(InputDialog, maxChars) == 32);
static_assert(__builtin_offsetof(InputDialog, showPlain) == 34);
static_assert(__builtin_offsetof(InputDialog, buttonCount) == 36);
static_assert(__builtin_offsetof(InputDialog, buttonCaptions) == 40);
static_assert(__builtin_offsetof(InputDialog, buttonWidth) == 48);
static_assert(__builtin_offsetof(InputDialog, buttonHeight) == 50);
static_assert(__builtin_offsetof(InputDialog, hotButton) == 52);
static_assert(__builtin_offsetof(InputDialog, promptX) == 54);
static_assert(__builtin_offsetof(InputDialog, fieldTop) == 56);
static_assert(__builtin_offsetof(InputDialog, buttonGap) == 58);
static_assert(__builtin_offsetof(InputDialog, title) == 64);
static_assert(__builtin_offsetof(InputDialog, reserved) == 72);
static_assert(__builtin_offsetof(InputDialog, closeShown) == 74);
static_assert(__builtin_offsetof(InputDialog, closeState) == 75);

// Hit codes left in hotButton.
#define INPUT_DIALOG_HIT_NONE 0
#define INPUT_DIALOG_HIT_CLOSE 4

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
