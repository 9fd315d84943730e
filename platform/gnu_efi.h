// gnu-efi's headers, for the gnu-efi images and the host build. They carry no
// extern "C", and efilib.h defines VSPrint/SPrint as macros that would hide
// protocol members. Included only through platform/efi.h.
#pragma once

#ifndef GNU_EFI_USE_MS_ABI
#define GNU_EFI_USE_MS_ABI 1
#endif

#ifdef __cplusplus
extern "C" {
#endif
#include <efi.h>
#include <efilib.h>
#ifdef __cplusplus
}
#endif

#undef VSPrint
#undef SPrint
#undef MIN
#undef MAX
