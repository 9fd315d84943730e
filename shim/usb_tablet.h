// An Absolute Pointer for QEMU's USB tablet, for firmware that has no driver
// for it. The tablet sends 6-byte reports on its interrupt IN endpoint:
// buttons (bit 0 left, bit 1 right), X and Y as 16-bit little-endian values
// 0..0x7FFF, then the wheel.
//
// A UEFI driver: the binding accepts a USB I/O handle whose device is the
// tablet and that no other driver holds (nor already carries a pointer), and
// installs an EFI_ABSOLUTE_POINTER_PROTOCOL on that same handle. It attaches
// whenever the handle is connected (by the boot manager, or by a front-end that
// loads the shim late and connects the USB devices), so loading the shim needs
// no USB device at all.
#pragma once
#include "shim/usb_io.h"

constexpr UINT16 kTabletVendor = 0x0627;
constexpr UINT16 kTabletProduct = 0x0001;
constexpr UINT64 kTabletMax = 0x7FFF;
constexpr UINT8 kHidClass = 3;

// The binding and its name, with the boot services they use. Before the two
// are installed, TabletDriverSetUp fills in the image handle the binding lives on.
extern EFI_DRIVER_BINDING_PROTOCOL gTabletDriverBinding;
extern EFI_COMPONENT_NAME2_PROTOCOL gTabletComponentName;
void TabletDriverSetUp(EFI_BOOT_SERVICES *Bs, EFI_HANDLE ImageHandle);
