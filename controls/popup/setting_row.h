// A setting row: a label cell and a value cell 19 pixels high, optionally
// marked with a submenu chevron, carrying the state of a slider at its right
// end whose picture the caller draws. The record is published in include/orvane.h.
#pragma once
#include "platform/types.h"

// Stores the arguments and resets the slider (percent, stepIndex, stepMode,
// hotPart 0). EFI_INVALID_PARAMETER for a NULL record.
EFI_STATUS EFIAPI InitSettingRow(SettingRow *Row, INT32 X, INT32 Y, UINT16 Width, UINT16 LabelWidth,
                                 UINT16 SliderLength, UINT16 CallerData0, UINT16 StepCount,
                                 INT16 CallerData1, UINT8 CallerData2, UINT8 CallerData3,
                                 const CHAR16 *Label, const CHAR16 *Value, UINT16 CellFlags,
                                 INT16 Kind, UINT8 Chevron);

// Paints the row's cells and chevron over the screen under it (or over
// 0x131313 when frame-buffer capture is on) in one transfer. Returns
// EFI_INVALID_PARAMETER for a NULL record, EFI_OUT_OF_RESOURCES having drawn
// nothing when the row's buffer cannot be had, else the transfer's status.
EFI_STATUS EFIAPI PaintSettingRow(const SettingRow *Row);

// Turns a pointer position into slider state (hotPart, stepIndex, percent,
// stepMode). A slider of fewer than two steps has only step 0.
// EFI_INVALID_PARAMETER for a NULL record.
EFI_STATUS EFIAPI TrackSettingSlider(SettingRow *Row, INT32 PointerX, INT32 PointerY);
