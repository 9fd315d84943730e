// An Absolute Pointer for QEMU's USB tablet, for firmware that has no driver
// for it. The tablet sends 6-byte reports on its interrupt IN endpoint:
// buttons (bit 0 left, bit 1 right), X and Y as 16-bit little-endian values
// 0..0x7FFF, then the wheel. Each tablet gets an EFI_ABSOLUTE_POINTER_PROTOCOL
// on its USB handle; a handle that already has one is left to its driver.
#pragma once
#include "shim/usb_io.h"

constexpr UINT16 kTabletVendor = 0x0627;
constexpr UINT16 kTabletProduct = 0x0001;
constexpr UINT64 kTabletMax = 0x7FFF;
constexpr UINT8 kHidClass = 3;

// Installs a pointer on every tablet found. When no USB device is known yet,
// connects the PCI controllers (recursively) once and looks again.
// Count gets the number installed; EFI_NOT_FOUND when there is none.
EFI_STATUS InstallUsbTablets(EFI_BOOT_SERVICES *Bs, UINTN *Count);
