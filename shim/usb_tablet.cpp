#include "shim/usb_tablet.h"

namespace {

constexpr UINT32 kUsbNoError = 0;
constexpr UINT8 kInterruptTransfer = 3;
// Marks a pointer as this driver's, so Stop never frees another driver's.
constexpr UINT64 kTabletSignature = 0x74656c6261745655;

constinit EFI_BOOT_SERVICES *gBs = nullptr;

// One tablet. The protocol comes first so GetState's This leads back here.
struct UsbTablet {
  EFI_ABSOLUTE_POINTER_PROTOCOL Pointer;
  UINT64 Signature;
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

// The report endpoint of a USB function that is a tablet; false for any other function.
bool DescribesTablet(EFI_USB_IO_PROTOCOL *UsbIo, EFI_USB_ENDPOINT_DESCRIPTOR &Endpoint) {
  EFI_USB_DEVICE_DESCRIPTOR Device;
  EFI_USB_INTERFACE_DESCRIPTOR Interface;
  return UsbIo->UsbGetDeviceDescriptor(UsbIo, &Device) == EFI_SUCCESS &&
         UsbIo->UsbGetInterfaceDescriptor(UsbIo, &Interface) == EFI_SUCCESS &&
         IsUsbTablet(Device, Interface) &&
         FindReportEndpoint(UsbIo, Interface.NumEndpoints, Endpoint);
}

void CloseUsb(EFI_DRIVER_BINDING_PROTOCOL *This, EFI_HANDLE Controller) {
  gBs->CloseProtocol(Controller, &gUsbIoProtocolGuid, This->DriverBindingHandle, Controller);
}

// USB I/O opened for this driver, or NULL with the firmware's status: a
// function held by another driver (EFI_ACCESS_DENIED) or by this one
// (EFI_ALREADY_STARTED) is not taken.
EFI_USB_IO_PROTOCOL *OpenUsb(EFI_DRIVER_BINDING_PROTOCOL *This, EFI_HANDLE Controller,
                             EFI_STATUS &Status) {
  EFI_USB_IO_PROTOCOL *UsbIo = nullptr;
  Status = gBs->OpenProtocol(Controller, &gUsbIoProtocolGuid, (VOID **)&UsbIo,
                             This->DriverBindingHandle, Controller, EFI_OPEN_PROTOCOL_BY_DRIVER);
  if (Status == EFI_SUCCESS && UsbIo == nullptr) {
    CloseUsb(This, Controller);
    Status = EFI_UNSUPPORTED;
  }
  return Status == EFI_SUCCESS ? UsbIo : nullptr;
}

// A handle some driver already serves with a pointer is left to it.
bool HasPointer(EFI_HANDLE Controller) {
  VOID *Existing = nullptr;
  return gBs->HandleProtocol(Controller, &AbsolutePointerProtocol, &Existing) == EFI_SUCCESS;
}

EFI_STATUS EFIAPI TabletSupported(EFI_DRIVER_BINDING_PROTOCOL *This, EFI_HANDLE Controller,
                                  EFI_DEVICE_PATH *) {
  if (This == nullptr || HasPointer(Controller)) return EFI_UNSUPPORTED;
  EFI_STATUS Status;
  EFI_USB_IO_PROTOCOL *UsbIo = OpenUsb(This, Controller, Status);
  if (UsbIo == nullptr) return Status;
  EFI_USB_ENDPOINT_DESCRIPTOR Endpoint;
  const bool Tablet = DescribesTablet(UsbIo, Endpoint);
  CloseUsb(This, Controller);
  return Tablet ? EFI_SUCCESS : EFI_UNSUPPORTED;
}

// Installs the pointer on the controller. Whatever fails is undone: no record,
// no open event, no transfer still calling into freed memory, USB I/O closed.
EFI_STATUS EFIAPI TabletStart(EFI_DRIVER_BINDING_PROTOCOL *This, EFI_HANDLE Controller,
                              EFI_DEVICE_PATH *) {
  if (This == nullptr || HasPointer(Controller)) return EFI_UNSUPPORTED;
  EFI_STATUS Status;
  EFI_USB_IO_PROTOCOL *UsbIo = OpenUsb(This, Controller, Status);
  if (UsbIo == nullptr) return Status;
  EFI_USB_ENDPOINT_DESCRIPTOR Endpoint;
  if (!DescribesTablet(UsbIo, Endpoint)) {
    CloseUsb(This, Controller);
    return EFI_UNSUPPORTED;
  }
  UsbTablet *T = nullptr;
  if (gBs->AllocatePool(EfiBootServicesData, sizeof(UsbTablet), (VOID **)&T) != EFI_SUCCESS ||
      T == nullptr) {
    CloseUsb(This, Controller);
    return EFI_OUT_OF_RESOURCES;
  }
  gBs->SetMem(T, sizeof(UsbTablet), 0);
  T->Signature = kTabletSignature;
  T->Bs = gBs;
  T->UsbIo = UsbIo;
  T->Endpoint = Endpoint.EndpointAddress;
  T->Mode.AbsoluteMaxX = kTabletMax;
  T->Mode.AbsoluteMaxY = kTabletMax;
  T->Mode.Attributes = EFI_ABSP_SupportsAltActive;  // the right button
  T->Pointer.Reset = TabletReset;
  T->Pointer.GetState = TabletGetState;
  T->Pointer.Mode = &T->Mode;
  Status = gBs->CreateEvent(EVT_NOTIFY_WAIT, TPL_NOTIFY, TabletWaitForInput, T,
                            &T->Pointer.WaitForInput);
  if (Status == EFI_SUCCESS) {
    // Interval 0 is not a valid period; a report never exceeds one packet.
    const UINTN Interval = Endpoint.Interval == 0 ? 1 : Endpoint.Interval;
    const UINTN Length = Endpoint.MaxPacketSize == 0 ? 8 : Endpoint.MaxPacketSize;
    Status = UsbIo->UsbAsyncInterruptTransfer(UsbIo, T->Endpoint, TRUE, Interval, Length,
                                              TabletReport, T);
    if (Status == EFI_SUCCESS) {
      Status = gBs->InstallProtocolInterface(&Controller, &AbsolutePointerProtocol,
                                             EFI_NATIVE_INTERFACE, &T->Pointer);
      if (Status != EFI_SUCCESS) {
        UsbIo->UsbAsyncInterruptTransfer(UsbIo, T->Endpoint, FALSE, 0, 0, nullptr, nullptr);
      }
    }
    if (Status != EFI_SUCCESS) gBs->CloseEvent(T->Pointer.WaitForInput);
  }
  if (Status != EFI_SUCCESS) {
    gBs->FreePool(T);
    CloseUsb(This, Controller);
  }
  return Status;
}

// Takes the pointer off again and frees what Start made. A pointer that cannot
// be uninstalled (a consumer holds it) keeps working and Stop answers why.
EFI_STATUS EFIAPI TabletStop(EFI_DRIVER_BINDING_PROTOCOL *This, EFI_HANDLE Controller, UINTN,
                             EFI_HANDLE *) {
  if (This == nullptr) return EFI_INVALID_PARAMETER;
  EFI_ABSOLUTE_POINTER_PROTOCOL *Pointer = nullptr;
  if (gBs->OpenProtocol(Controller, &AbsolutePointerProtocol, (VOID **)&Pointer,
                        This->DriverBindingHandle, Controller,
                        EFI_OPEN_PROTOCOL_GET_PROTOCOL) != EFI_SUCCESS ||
      Pointer == nullptr) {
    return EFI_UNSUPPORTED;
  }
  UsbTablet *T = FromPointer(Pointer);
  if (T->Signature != kTabletSignature) return EFI_UNSUPPORTED;
  const EFI_STATUS Status =
      gBs->UninstallProtocolInterface(Controller, &AbsolutePointerProtocol, &T->Pointer);
  if (Status != EFI_SUCCESS) return Status;
  T->UsbIo->UsbAsyncInterruptTransfer(T->UsbIo, T->Endpoint, FALSE, 0, 0, nullptr, nullptr);
  gBs->CloseEvent(T->Pointer.WaitForInput);
  T->Signature = 0;
  gBs->FreePool(T);
  CloseUsb(This, Controller);
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI TabletDriverName(EFI_COMPONENT_NAME2_PROTOCOL *, CHAR8 *Language, CHAR16 **Name) {
  if (Language == nullptr || Name == nullptr) return EFI_INVALID_PARAMETER;
  if (Language[0] != 'e' || Language[1] != 'n' || Language[2] != 0) return EFI_UNSUPPORTED;
  *Name = const_cast<CHAR16 *>(W("Orvane USB tablet"));
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI TabletControllerName(EFI_COMPONENT_NAME2_PROTOCOL *, EFI_HANDLE, EFI_HANDLE,
                                       CHAR8 *, CHAR16 **) {
  return EFI_UNSUPPORTED;
}

constinit CHAR8 kLanguages[] = "en";

}  // namespace

constinit EFI_DRIVER_BINDING_PROTOCOL gTabletDriverBinding = {
    TabletSupported, TabletStart, TabletStop, 0x10, nullptr, nullptr};
constinit EFI_COMPONENT_NAME2_PROTOCOL gTabletComponentName = {TabletDriverName,
                                                               TabletControllerName, kLanguages};

void TabletDriverSetUp(EFI_BOOT_SERVICES *Bs, EFI_HANDLE ImageHandle) {
  gBs = Bs;
  gTabletDriverBinding.ImageHandle = ImageHandle;
  gTabletDriverBinding.DriverBindingHandle = ImageHandle;
}
