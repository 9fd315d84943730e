// A status panel of two rows, each a label cell and a wide cell with a
// second label and a 20-segment level bar; the second row reads degrees
// Celsius. A value of 100 or more turns its row to the warning look.
#pragma once
#include "platform/types.h"

// Values are clamped to 0..100 by the bars. EFI_OUT_OF_RESOURCES, nothing
// drawn, when memory runs out.
UINTN EFIAPI DrawGaugePanel(INT32 X, INT32 Y, INT32 Width, INT32 Height, const CHAR16 *Label1,
                            const CHAR16 *Label2, const CHAR16 *Label3, const CHAR16 *Label4,
                            INT32 Value1, INT32 Value2);
