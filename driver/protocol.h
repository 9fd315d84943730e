// The two published interfaces and everything they take, as front-ends see
// them: include/orvane.h. The slot order is the interface.
#pragma once
#include "platform/types.h"

// The two GUIDs as variables, defined once in driver/guids.cpp.
extern EFI_GUID gOrvaneUiProtocolGuid;
extern EFI_GUID gOrvaneBannerProtocolGuid;
