// A horizontal progress bar painted into the caller's buffer: an orange label
// box and a framed amber bar with the percentage over it. Nothing is shown.
#pragma once
#include "platform/types.h"

// Buffer holds Width x Height pixels (Height raised to 20), row width Width;
// the four unnamed arguments are not used. EFI_INVALID_PARAMETER without a
// buffer or with no width; EFI_OUT_OF_RESOURCES, nothing drawn, when the texts
// cannot be rendered.
UINTN EFIAPI DrawProgressBar(ORVANE_PIXEL *Buffer, INT32 Unused1, INT32 Unused2, INT32 Unused3,
                             INT32 Unused4, INT32 Width, INT32 Height, const CHAR16 *Label,
                             INT32 Percent);
