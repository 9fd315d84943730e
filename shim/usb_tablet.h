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

// One tablet. The protocol comes first so GetState's This leads back here.
struct UsbTablet {
  EFI_ABSOLUTE_POINTER_PROTOCOL Pointer;
  EFI_ABSOLUTE_POINTER_MODE Mode;
  EFI_ABSOLUTE_POINTER_STATE State;  // the latest report
  BOOLEAN Changed;                   // State differs from what GetState last returned
  EFI_BOOT_SERVICES *Bs;
  EFI_USB_IO_PROTOCOL *UsbIo;
  UINT8 Endpoint;
};

// Installs a pointer on every tablet found. When no USB device is known yet,
// connects the PCI controllers (recursively) once and looks again.
// Count gets the number installed; EFI_NOT_FOUND when there is none.
EFI_STATUS InstallUsbTablets(EFI_BOOT_SERVICES *Bs, UINTN *Count);

// The pieces the installer puts together.
bool IsUsbTablet(const EFI_USB_DEVICE_DESCRIPTOR &Device,
                 const EFI_USB_INTERFACE_DESCRIPTOR &Interface);
// Takes one report into T; true when it changed the state.
bool TakeTabletReport(UsbTablet &T, const UINT8 *Data, UINTN Length);
EFI_STATUS EFIAPI TabletReport(VOID *Data, UINTN Length, VOID *Context, UINT32 Status);
EFI_STATUS EFIAPI TabletGetState(EFI_ABSOLUTE_POINTER_PROTOCOL *This,
                                 EFI_ABSOLUTE_POINTER_STATE *State);
EFI_STATUS EFIAPI TabletReset(EFI_ABSOLUTE_POINTER_PROTOCOL *This, BOOLEAN ExtendedVerification);
VOID EFIAPI TabletWaitForInput(EFI_EVENT Event, VOID *Context);
