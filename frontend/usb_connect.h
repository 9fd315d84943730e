// Connecting USB functions to the drivers that arrived after the boot manager
// connected them (the shim's tablet driver, loaded from the front-end's volume).
#pragma once
#include "platform/efi.h"

// Connects every USB I/O handle, so each binding that accepts one starts on
// it. When no USB function is known yet, the PCI controllers are connected
// first, recursively, which makes the USB buses enumerate. Returns how many
// USB handles there are.
UINTN ConnectUsbFunctions(EFI_BOOT_SERVICES *Bs);
