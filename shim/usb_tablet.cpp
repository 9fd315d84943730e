#include "shim/usb_tablet.h"

namespace {

constexpr UINT32 kUsbNoError = 0;
constexpr UINT8 kInterruptTransfer = 3;

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

bool IsUsbTablet(const EFI_USB_DEVICE_DESCRIPTOR &Device,
                 const EFI_USB_INTERFACE_DESCRIPTOR &Interface);
EFI_STATUS EFIAPI TabletReport(VOID *Data, UINTN Length, VOID *Context, UINT32 Status);
EFI_STATUS EFIAPI TabletGetState(EFI_ABSOLUTE_POINTER_PROTOCOL *This,
                                 EFI_ABSOLUTE_POINTER_STATE *State);
EFI_STATUS EFIAPI TabletReset(EFI_ABSOLUTE_POINTER_PROTOCOL *This, BOOLEAN ExtendedVerification);
VOID EFIAPI TabletWaitForInput(EFI_EVENT Event, VOID *Context);

UsbTablet *FromPointer(EFI_ABSOLUTE_POINTER_PROTOCOL *This) {
  return reinterpret_cast<UsbTablet *>(This);
}

UINT64 Axis(UINT8 Low, UINT8 High) {
  const UINT64 V = (UINT64)Low | ((UINT64)High << 8);
  return V > kTabletMax ? kTabletMax : V;
}

// The interrupt IN endpoint, its packet size and polling interval; false when there is none.
bool FindReportEndpoint(EFI_USB_IO_PROTOCOL *UsbIo, UINT8 Count,
                        EFI_USB_ENDPOINT_DESCRIPTOR &Found) {
  for (UINT8 I = 0; I < Count; I++) {
    EFI_USB_ENDPOINT_DESCRIPTOR E;
    if (UsbIo->UsbGetEndpointDescriptor(UsbIo, I, &E) != EFI_SUCCESS) continue;
    if ((E.EndpointAddress & 0x80) != 0 && (E.Attributes & 3) == kInterruptTransfer) {
      Found = E;
      return true;
    }
  }
  return false;
}

// Installs the pointer on one handle. EFI_UNSUPPORTED when the handle is no tablet
// or already has a pointer; anything else is a failure on a tablet.
EFI_STATUS Attach(EFI_BOOT_SERVICES *Bs, EFI_HANDLE Handle) {
  EFI_USB_IO_PROTOCOL *UsbIo = nullptr;
  VOID *Existing = nullptr;
  if (Bs->HandleProtocol(Handle, &gUsbIoProtocolGuid, (VOID **)&UsbIo) != EFI_SUCCESS ||
      UsbIo == nullptr ||
      Bs->HandleProtocol(Handle, &AbsolutePointerProtocol, &Existing) == EFI_SUCCESS) {
    return EFI_UNSUPPORTED;
  }
  EFI_USB_DEVICE_DESCRIPTOR Device;
  EFI_USB_INTERFACE_DESCRIPTOR Interface;
  EFI_USB_ENDPOINT_DESCRIPTOR Endpoint;
  if (UsbIo->UsbGetDeviceDescriptor(UsbIo, &Device) != EFI_SUCCESS ||
      UsbIo->UsbGetInterfaceDescriptor(UsbIo, &Interface) != EFI_SUCCESS ||
      !IsUsbTablet(Device, Interface) ||
      !FindReportEndpoint(UsbIo, Interface.NumEndpoints, Endpoint)) {
    return EFI_UNSUPPORTED;
  }

  UsbTablet *T = nullptr;
  EFI_STATUS Status = Bs->AllocatePool(EfiBootServicesData, sizeof(UsbTablet), (VOID **)&T);
  if (Status != EFI_SUCCESS || T == nullptr) {
    return EFI_OUT_OF_RESOURCES;
  }
  Bs->SetMem(T, sizeof(UsbTablet), 0);
  T->Bs = Bs;
  T->UsbIo = UsbIo;
  T->Endpoint = Endpoint.EndpointAddress;
  T->Mode.AbsoluteMaxX = kTabletMax;
  T->Mode.AbsoluteMaxY = kTabletMax;
  T->Mode.Attributes = EFI_ABSP_SupportsAltActive;  // the right button
  T->Pointer.Reset = TabletReset;
  T->Pointer.GetState = TabletGetState;
  T->Pointer.Mode = &T->Mode;
  Status =
      Bs->CreateEvent(EVT_NOTIFY_WAIT, TPL_NOTIFY, TabletWaitForInput, T, &T->Pointer.WaitForInput);
  if (Status != EFI_SUCCESS) {
    Bs->FreePool(T);
    return Status;
  }
  // Interval 0 is not a valid period; a report never exceeds one packet.
  const UINTN Interval = Endpoint.Interval == 0 ? 1 : Endpoint.Interval;
  const UINTN Length = Endpoint.MaxPacketSize == 0 ? 8 : Endpoint.MaxPacketSize;
  Status =
      UsbIo->UsbAsyncInterruptTransfer(UsbIo, T->Endpoint, TRUE, Interval, Length, TabletReport, T);
  if (Status == EFI_SUCCESS) {
    Status = Bs->InstallProtocolInterface(&Handle, &AbsolutePointerProtocol, EFI_NATIVE_INTERFACE,
                                          &T->Pointer);
    if (Status != EFI_SUCCESS) {
      UsbIo->UsbAsyncInterruptTransfer(UsbIo, T->Endpoint, FALSE, 0, 0, nullptr, nullptr);
    }
  }
  if (Status != EFI_SUCCESS) {
    Bs->CloseEvent(T->Pointer.WaitForInput);
    Bs->FreePool(T);
  }
  return Status;
}

void ConnectPciControllers(EFI_BOOT_SERVICES *Bs) {
  UINTN Count = 0;
  EFI_HANDLE *Handles = nullptr;
  if (Bs->LocateHandleBuffer(ByProtocol, &gEfiPciIoProtocolGuid, nullptr, &Count, &Handles) !=
      EFI_SUCCESS)
    return;
  for (UINTN I = 0; I < Count; I++) {
    Bs->ConnectController(Handles[I], nullptr, nullptr, TRUE);
  }
  Bs->FreePool(Handles);
}

bool IsUsbTablet(const EFI_USB_DEVICE_DESCRIPTOR &Device,
                 const EFI_USB_INTERFACE_DESCRIPTOR &Interface) {
  return Interface.InterfaceClass == kHidClass && Device.IdVendor == kTabletVendor &&
         Device.IdProduct == kTabletProduct;
}

// Takes one report into T; a short report, or one that changes nothing, is dropped.
void TakeTabletReport(UsbTablet &T, const UINT8 *Data, UINTN Length) {
  if (Data == nullptr || Length < 5) return;
  EFI_ABSOLUTE_POINTER_STATE Next = {};
  Next.CurrentX = Axis(Data[1], Data[2]);
  Next.CurrentY = Axis(Data[3], Data[4]);
  Next.ActiveButtons = ((Data[0] & 1) != 0 ? EFI_ABSP_TouchActive : 0) |
                       ((Data[0] & 2) != 0 ? EFI_ABS_AltActive : 0);
  if (Next.CurrentX == T.State.CurrentX && Next.CurrentY == T.State.CurrentY &&
      Next.ActiveButtons == T.State.ActiveButtons) {
    return;
  }
  T.State = Next;
  T.Changed = TRUE;
}

// Runs at the host controller's notify level, so GetState reads under the same level.
EFI_STATUS EFIAPI TabletReport(VOID *Data, UINTN Length, VOID *Context, UINT32 Status) {
  if (Context == nullptr || Status != kUsbNoError) return EFI_DEVICE_ERROR;
  TakeTabletReport(*static_cast<UsbTablet *>(Context), static_cast<const UINT8 *>(Data), Length);
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI TabletGetState(EFI_ABSOLUTE_POINTER_PROTOCOL *This,
                                 EFI_ABSOLUTE_POINTER_STATE *State) {
  if (This == nullptr || State == nullptr) return EFI_INVALID_PARAMETER;
  UsbTablet *T = FromPointer(This);
  const EFI_TPL Old = T->Bs->RaiseTPL(TPL_NOTIFY);
  const bool Changed = T->Changed;
  if (Changed) {
    *State = T->State;
    T->Changed = FALSE;
  }
  T->Bs->RestoreTPL(Old);
  return Changed ? EFI_SUCCESS : EFI_NOT_READY;
}

// Drops what has not been read; the position stays, since the tablet is absolute.
EFI_STATUS EFIAPI TabletReset(EFI_ABSOLUTE_POINTER_PROTOCOL *This, BOOLEAN ExtendedVerification) {
  if (This == nullptr) return EFI_INVALID_PARAMETER;
  UsbTablet *T = FromPointer(This);
  const EFI_TPL Old = T->Bs->RaiseTPL(TPL_NOTIFY);
  T->Changed = FALSE;
  T->Bs->RestoreTPL(Old);
  return EFI_SUCCESS;
}

VOID EFIAPI TabletWaitForInput(EFI_EVENT Event, VOID *Context) {
  const UsbTablet *T = static_cast<const UsbTablet *>(Context);
  if (T != nullptr && T->Changed) T->Bs->SignalEvent(Event);
}

}  // namespace

EFI_STATUS InstallUsbTablets(EFI_BOOT_SERVICES *Bs, UINTN *Count) {
  if (Bs == nullptr || Count == nullptr) return EFI_INVALID_PARAMETER;
  *Count = 0;
  UINTN HandleCount = 0;
  EFI_HANDLE *Handles = nullptr;
  EFI_STATUS Status =
      Bs->LocateHandleBuffer(ByProtocol, &gUsbIoProtocolGuid, nullptr, &HandleCount, &Handles);
  if (Status == EFI_NOT_FOUND) {
    ConnectPciControllers(Bs);
    Status =
        Bs->LocateHandleBuffer(ByProtocol, &gUsbIoProtocolGuid, nullptr, &HandleCount, &Handles);
  }
  if (Status != EFI_SUCCESS) return Status;
  EFI_STATUS Failure = EFI_SUCCESS;
  for (UINTN I = 0; I < HandleCount; I++) {
    const EFI_STATUS S = Attach(Bs, Handles[I]);
    if (S == EFI_SUCCESS) {
      (*Count)++;
    } else if (S != EFI_UNSUPPORTED) {
      Failure = S;
    }
  }
  Bs->FreePool(Handles);
  if (*Count > 0) return EFI_SUCCESS;
  return Failure != EFI_SUCCESS ? Failure : EFI_NOT_FOUND;
}
