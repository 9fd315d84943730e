// The two published interfaces and everything they take, as front-ends see
// them: include/orvane.h. The slot order is the interface.
//
// The driver needs only the float and print services to start. It looks for
// graphics output and the HII font when a call first needs them, so it may be
// dispatched before the console's display exists. Until the platform offers a
// graphics output, the slots that always draw on the screen (2, 7, 10 to 12,
// 14, 16, 19, 21, 24, 27, 31, 42, 46 to 51, and 36 to 41 when given no buffer)
// answer EFI_UNSUPPORTED and draw and keep nothing; SetVideoMode answers
// EFI_UNSUPPORTED and DrawText 4 as they do for a missing service; operations
// that repaint on the way (tracking, a capturing InitDigitReadout) and Banner
// without a buffer draw nothing. Operations on caller buffers, measuring and
// hit tests do not need a display. Text needs the font (code 4 without it).
#pragma once
#include "platform/types.h"

// The two GUIDs as variables, defined once in driver/guids.cpp.
extern EFI_GUID gOrvaneUiProtocolGuid;
extern EFI_GUID gOrvaneBannerProtocolGuid;
