#include "frontend/usb_connect.h"

#include "platform/guids.h"

namespace {

// Every handle with Guid connected; the number of handles, 0 when there is none.
UINTN ConnectAll(EFI_BOOT_SERVICES *Bs, EFI_GUID *Guid, BOOLEAN Recursive) {
  UINTN Count = 0;
  EFI_HANDLE *Handles = nullptr;
  if (Bs->LocateHandleBuffer(ByProtocol, Guid, nullptr, &Count, &Handles) != EFI_SUCCESS) {
    return 0;
  }
  // A handle that no driver takes answers EFI_NOT_FOUND; that is no failure here.
  for (UINTN I = 0; I < Count; I++) Bs->ConnectController(Handles[I], nullptr, nullptr, Recursive);
  Bs->FreePool(Handles);
  return Count;
}

}  // namespace

UINTN ConnectUsbFunctions(EFI_BOOT_SERVICES *Bs) {
  UINTN Count = 0;
  EFI_HANDLE *Handles = nullptr;
  if (Bs->LocateHandleBuffer(ByProtocol, &gUsbIoProtocolGuid, nullptr, &Count, &Handles) ==
      EFI_SUCCESS) {
    Bs->FreePool(Handles);
  } else {
    ConnectAll(Bs, &gEfiPciIoProtocolGuid, TRUE);
  }
  return ConnectAll(Bs, &gUsbIoProtocolGuid, FALSE);
}
