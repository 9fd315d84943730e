// A setting row: a label cell and a value cell 19 pixels high, optionally
// marked with a submenu chevron, carrying the state of a slider at its right
// end whose picture the caller draws.
#pragma once
#include "platform/types.h"

typedef struct SettingRow {
  INT32 x;  // screen column of the left edge
  INT32 y;  // screen row of the top edge
  UINT16 width;
  UINT16 labelWidth;  // the value cell takes the rest
  UINT16 sliderLength;
  UINT16 callerData0;  // kept for the caller
  UINT16 stepCount;
  UINT16 percent;     // 0 to 100
  UINT16 stepIndex;   // 0 to stepCount - 1
  UINT8 stepMode;     // 1: the knob follows stepIndex, 0: percent
  INT16 callerData1;  // kept for the caller
  UINT8 callerData2;  // kept for the caller
  INT16 hotPart;      // under the pointer: 0 none, 1 left arrow, 2 knob, 3 right arrow, 4 track
  UINT8 callerData3;  // kept for the caller
  CHAR16 *label;      // may be NULL
  CHAR16 *value;      // may be NULL
  UINT16 cellFlags;   // state of both cells: 1 highlighted, 2 disabled
  INT16 kind;         // 2 or 4: label and value cells; anything else: none
  UINT8 chevron;      // non-zero: submenu chevron, label indented
} SettingRow;

static_assert(sizeof(SettingRow) == 56);
static_assert(__builtin_offsetof(SettingRow, x) == 0);
static_assert(__builtin_offsetof(SettingRow, y) == 4);
static_assert(__builtin_offsetof(SettingRow, width) == 8);
static_assert(__builtin_offsetof(SettingRow, labelWidth) == 10);
static_assert(__builtin_offsetof(SettingRow, sliderLength) == 12);
static_assert(__builtin_offsetof(SettingRow, callerData0) == 14);
static_assert(__builtin_offsetof(SettingRow, stepCount) == 16);
static_assert(__builtin_offsetof(SettingRow, percent) == 18);
static_assert(__builtin_offsetof(SettingRow, stepIndex) == 20);
static_assert(__builtin_offsetof(SettingRow, stepMode) == 22);
static_assert(__builtin_offsetof(SettingRow, callerData1) == 24);
static_assert(__builtin_offsetof(SettingRow, callerData2) == 26);
static_assert(__builtin_offsetof(SettingRow, hotPart) == 28);
static_assert(__builtin_offsetof(SettingRow, callerData3) == 30);
static_assert(__builtin_offsetof(SettingRow, label) == 32);
static_assert(__builtin_offsetof(SettingRow, value) == 40);
static_assert(__builtin_offsetof(SettingRow, cellFlags) == 48);
static_assert(__builtin_offsetof(SettingRow, kind) == 50);
static_assert(__builtin_offsetof(SettingRow, chevron) == 52);

// Stores the arguments and resets the slider (percent, stepIndex, stepMode,
// hotPart 0). EFI_INVALID_PARAMETER for a NULL record.
EFI_STATUS EFIAPI InitSettingRow(SettingRow *Row, INT32 X, INT32 Y, UINT16 Width, UINT16 LabelWidth,
                                 UINT16 SliderLength, UINT16 CallerData0, UINT16 StepCount,
                                 INT16 CallerData1, UINT8 CallerData2, UINT8 CallerData3,
                                 CHAR16 *Label, CHAR16 *Value, UINT16 CellFlags, INT16 Kind,
                                 UINT8 Chevron);

// Paints the row's cells and chevron over the screen under it (or over
// 0x131313 when frame-buffer capture is on) in one transfer. Returns
// EFI_INVALID_PARAMETER for a NULL record, EFI_OUT_OF_RESOURCES having drawn
// nothing when the row's buffer cannot be had, else the transfer's status.
EFI_STATUS EFIAPI PaintSettingRow(SettingRow *Row);

// Turns a pointer position into slider state (hotPart, stepIndex, percent,
// stepMode). A slider of fewer than two steps has only step 0.
// EFI_INVALID_PARAMETER for a NULL record.
EFI_STATUS EFIAPI TrackSettingSlider(SettingRow *Row, INT32 PointerX, INT32 PointerY);
