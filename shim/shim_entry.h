// The platform shim's start-up, apart from the EFI Library's set-up so that
// the host's simulated firmware can run it too.
#pragma once
#include "platform/efi.h"

// Installs, on the shim's image handle and in one step, the single-precision
// service, the print service, the tablet's driver binding and its name. Needs
// no other protocol and no USB device: a tablet is attached whenever its USB
// handle is connected. Answers the install's status; on failure nothing stays.
EFI_STATUS ShimEntry(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);
