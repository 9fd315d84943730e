// The tablet driver against a small firmware of its own: USB handles with
// their descriptors, pool accounting with failure injection, events, TPL and
// the protocol database, so every path is seen including the failing ones.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>

#include "shim/usb_tablet.h"

namespace {

bool Same(const EFI_GUID *A, const EFI_GUID &B) {
  return std::memcmp(A, &B, sizeof(EFI_GUID)) == 0;
}

// A USB function. The protocol comes first so This leads back to it.
struct FakeUsb {
  EFI_USB_IO_PROTOCOL Io;
  EFI_USB_DEVICE_DESCRIPTOR Device;
  EFI_USB_INTERFACE_DESCRIPTOR Interface;
  std::vector<EFI_USB_ENDPOINT_DESCRIPTOR> Endpoints;
  EFI_STATUS TransferResult = EFI_SUCCESS;
  // The transfer the driver asked for; Cancelled when it was taken back.
  bool Started = false, Cancelled = false;
  UINT8 Endpoint = 0;
  UINTN Interval = 0, Length = 0;
  EFI_ASYNC_USB_TRANSFER_CALLBACK Callback = nullptr;
  VOID *Context = nullptr;
};

struct FakeHandle {
  FakeUsb *Usb = nullptr;  // NULL: a PCI controller
  bool HiddenUntilConnect = false;
  void *Pointer = nullptr;
};

struct FakeEvent {
  UINT32 Type;
  EFI_TPL Tpl;
  EFI_EVENT_NOTIFY Notify;
  VOID *Context;
  bool Signalled = false, Closed = false;
};

struct Firmware {
  std::vector<FakeHandle> Handles;
  std::map<void *, size_t> Pool;
  int FailAllocationIn = -1;
  EFI_STATUS CreateEventResult = EFI_SUCCESS, InstallResult = EFI_SUCCESS;
  std::vector<FakeEvent *> Events;
  EFI_TPL Tpl = TPL_APPLICATION, HighestTpl = TPL_APPLICATION;
  std::vector<EFI_HANDLE> Connected;
  bool ConnectedRecursively = true;
  ~Firmware() {
    for (FakeEvent *E : Events) delete E;
  }
};
Firmware *gFw = nullptr;

FakeHandle *HandleOf(EFI_HANDLE H) {
  for (FakeHandle &F : gFw->Handles) {
    if (&F == H) return &F;
  }
  return nullptr;
}

EFI_STATUS EFIAPI Allocate(EFI_MEMORY_TYPE, UINTN Size, VOID **Out) {
  if (gFw->FailAllocationIn == 0) {
    gFw->FailAllocationIn = -1;
    return EFI_OUT_OF_RESOURCES;
  }
  if (gFw->FailAllocationIn > 0) gFw->FailAllocationIn--;
  *Out = ::operator new(Size);
  std::memset(*Out, 0xA5, Size);  // the driver must not rely on zeroed pool
  gFw->Pool[*Out] = Size;
  return EFI_SUCCESS;
}
EFI_STATUS EFIAPI Free(VOID *P) {
  EXPECT_EQ(gFw->Pool.erase(P), 1u) << "freed memory the pool never gave";
  ::operator delete(P);
  return EFI_SUCCESS;
}
VOID EFIAPI SetMem(VOID *P, UINTN N, UINT8 V) { std::memset(P, V, N); }

EFI_STATUS EFIAPI LocateBuffer(EFI_LOCATE_SEARCH_TYPE Type, EFI_GUID *Guid, VOID *, UINTN *Count,
                               EFI_HANDLE **Out) {
  EXPECT_EQ(Type, ByProtocol);
  std::vector<EFI_HANDLE> Found;
  for (FakeHandle &F : gFw->Handles) {
    const bool Usb = F.Usb != nullptr && !F.HiddenUntilConnect;
    if ((Same(Guid, gUsbIoProtocolGuid) && Usb) ||
        (Same(Guid, gEfiPciIoProtocolGuid) && F.Usb == nullptr))
      Found.push_back(&F);
  }
  if (Found.empty()) return EFI_NOT_FOUND;
  if (Allocate(EfiBootServicesData, Found.size() * sizeof(EFI_HANDLE), (VOID **)Out) !=
      EFI_SUCCESS) {
    return EFI_OUT_OF_RESOURCES;
  }
  std::memcpy(*Out, Found.data(), Found.size() * sizeof(EFI_HANDLE));
  *Count = Found.size();
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI HandleProtocol(EFI_HANDLE H, EFI_GUID *Guid, VOID **Out) {
  FakeHandle *F = HandleOf(H);
  if (F == nullptr) return EFI_INVALID_PARAMETER;
  if (Same(Guid, gUsbIoProtocolGuid) && F->Usb != nullptr) {
    *Out = &F->Usb->Io;
    return EFI_SUCCESS;
  }
  if (Same(Guid, AbsolutePointerProtocol) && F->Pointer != nullptr) {
    *Out = F->Pointer;
    return EFI_SUCCESS;
  }
  return EFI_UNSUPPORTED;
}

EFI_STATUS EFIAPI Install(EFI_HANDLE *H, EFI_GUID *Guid, EFI_INTERFACE_TYPE Type, VOID *Interface) {
  if (gFw->InstallResult != EFI_SUCCESS) return gFw->InstallResult;
  FakeHandle *F = HandleOf(*H);
  EXPECT_TRUE(F != nullptr && Same(Guid, AbsolutePointerProtocol) && Type == EFI_NATIVE_INTERFACE);
  if (F == nullptr || F->Pointer != nullptr) return EFI_INVALID_PARAMETER;
  F->Pointer = Interface;
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI CreateEvent(UINT32 Type, EFI_TPL Tpl, EFI_EVENT_NOTIFY Notify, VOID *Context,
                              EFI_EVENT *Out) {
  if (gFw->CreateEventResult != EFI_SUCCESS) return gFw->CreateEventResult;
  gFw->Events.push_back(new FakeEvent{Type, Tpl, Notify, Context});
  *Out = gFw->Events.back();
  return EFI_SUCCESS;
}
EFI_STATUS EFIAPI CloseEvent(EFI_EVENT E) {
  static_cast<FakeEvent *>(E)->Closed = true;
  return EFI_SUCCESS;
}
EFI_STATUS EFIAPI SignalEvent(EFI_EVENT E) {
  static_cast<FakeEvent *>(E)->Signalled = true;
  return EFI_SUCCESS;
}
EFI_TPL EFIAPI RaiseTpl(EFI_TPL New) {
  EXPECT_GE(New, gFw->Tpl) << "TPL lowered by RaiseTPL";
  const EFI_TPL Old = gFw->Tpl;
  gFw->Tpl = New;
  if (New > gFw->HighestTpl) gFw->HighestTpl = New;
  return Old;
}
VOID EFIAPI RestoreTpl(EFI_TPL Old) { gFw->Tpl = Old; }

EFI_STATUS EFIAPI Connect(EFI_HANDLE H, EFI_HANDLE *, EFI_DEVICE_PATH *, BOOLEAN Recursive) {
  gFw->Connected.push_back(H);
  gFw->ConnectedRecursively = gFw->ConnectedRecursively && Recursive;
  for (FakeHandle &F : gFw->Handles) F.HiddenUntilConnect = false;
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI AsyncTransfer(EFI_USB_IO_PROTOCOL *This, UINT8 Endpoint, BOOLEAN IsNew,
                                UINTN Interval, UINTN Length,
                                EFI_ASYNC_USB_TRANSFER_CALLBACK Callback, VOID *Context) {
  FakeUsb *U = reinterpret_cast<FakeUsb *>(This);
  if (!IsNew) {
    U->Cancelled = U->Started && Endpoint == U->Endpoint;
    return EFI_SUCCESS;
  }
  if (U->TransferResult != EFI_SUCCESS) return U->TransferResult;
  U->Started = true;
  U->Endpoint = Endpoint;
  U->Interval = Interval;
  U->Length = Length;
  U->Callback = Callback;
  U->Context = Context;
  return EFI_SUCCESS;
}
EFI_STATUS EFIAPI DeviceDescriptor(EFI_USB_IO_PROTOCOL *This, EFI_USB_DEVICE_DESCRIPTOR *D) {
  *D = reinterpret_cast<FakeUsb *>(This)->Device;
  return EFI_SUCCESS;
}
EFI_STATUS EFIAPI InterfaceDescriptor(EFI_USB_IO_PROTOCOL *This, EFI_USB_INTERFACE_DESCRIPTOR *D) {
  *D = reinterpret_cast<FakeUsb *>(This)->Interface;
  return EFI_SUCCESS;
}
EFI_STATUS EFIAPI EndpointDescriptor(EFI_USB_IO_PROTOCOL *This, UINT8 Index,
                                     EFI_USB_ENDPOINT_DESCRIPTOR *D) {
  FakeUsb *U = reinterpret_cast<FakeUsb *>(This);
  if (Index >= U->Endpoints.size()) return EFI_NOT_FOUND;
  *D = U->Endpoints[Index];
  return EFI_SUCCESS;
}

// A USB function as QEMU describes its tablet, with vendor, product and class to vary.
FakeUsb MakeUsb(UINT16 Vendor, UINT16 Product, UINT8 Class) {
  FakeUsb U = {};
  U.Io.UsbAsyncInterruptTransfer = AsyncTransfer;
  U.Io.UsbGetDeviceDescriptor = DeviceDescriptor;
  U.Io.UsbGetInterfaceDescriptor = InterfaceDescriptor;
  U.Io.UsbGetEndpointDescriptor = EndpointDescriptor;
  U.Device.IdVendor = Vendor;
  U.Device.IdProduct = Product;
  U.Interface.InterfaceClass = Class;
  U.Interface.NumEndpoints = 3;
  // Bulk OUT and bulk IN endpoints first, so the driver has to pick the interrupt IN one.
  U.Endpoints = {{7, 5, 0x02, 2, 64, 0}, {7, 5, 0x82, 2, 64, 0}, {7, 5, 0x81, 3, 8, 4}};
  return U;
}

class UsbTabletTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gFw = &Fw;
    std::memset(&Bs, 0, sizeof(Bs));
    Bs.AllocatePool = Allocate;
    Bs.FreePool = Free;
    Bs.SetMem = SetMem;
    Bs.LocateHandleBuffer = LocateBuffer;
    Bs.HandleProtocol = HandleProtocol;
    Bs.InstallProtocolInterface = Install;
    Bs.CreateEvent = CreateEvent;
    Bs.CloseEvent = CloseEvent;
    Bs.SignalEvent = SignalEvent;
    Bs.RaiseTPL = RaiseTpl;
    Bs.RestoreTPL = RestoreTpl;
    Bs.ConnectController = Connect;
    Fw.Handles.reserve(16);
  }
  void TearDown() override {
    // What stays is one record per installed pointer, reachable from its handle.
    size_t Installed = 0;
    for (FakeHandle &F : Fw.Handles) {
      if (F.Pointer != nullptr && F.Pointer != &Foreign) {
        Installed++;
        EXPECT_EQ(Fw.Pool.count(F.Pointer), 1u);
        Free(F.Pointer);
      }
    }
    EXPECT_TRUE(Fw.Pool.empty()) << Fw.Pool.size() << " allocations left behind";
    for (FakeEvent *E : Fw.Events) Installed -= E->Closed ? 0 : 1;
    EXPECT_EQ(Installed, 0u) << "events left open without a pointer";
    gFw = nullptr;
  }

  FakeHandle &AddUsb(FakeUsb &U) {
    Fw.Handles.push_back({&U});
    return Fw.Handles.back();
  }

  // Installs on one QEMU tablet and hands back its pointer.
  EFI_ABSOLUTE_POINTER_PROTOCOL *OneTablet() {
    FakeHandle &H = AddUsb(Tablet);
    UINTN Count = 0;
    EXPECT_EQ(InstallUsbTablets(&Bs, &Count), EFI_SUCCESS);
    EXPECT_EQ(Count, 1u);
    return static_cast<EFI_ABSOLUTE_POINTER_PROTOCOL *>(H.Pointer);
  }
  EFI_STATUS Send(std::vector<UINT8> Report, UINT32 Status = 0) {
    return Tablet.Callback(Report.data(), Report.size(), Tablet.Context, Status);
  }

  Firmware Fw;
  EFI_BOOT_SERVICES Bs;
  FakeUsb Tablet = MakeUsb(kTabletVendor, kTabletProduct, kHidClass);
  EFI_ABSOLUTE_POINTER_PROTOCOL Foreign = {};
};

TEST_F(UsbTabletTest, InstallsOnlyOnTabletsWithoutAPointer) {
  FakeUsb Keyboard = MakeUsb(0x0627, 0x0002, kHidClass);
  FakeUsb Storage = MakeUsb(kTabletVendor, kTabletProduct, 8);
  FakeUsb Served = MakeUsb(kTabletVendor, kTabletProduct, kHidClass);
  FakeUsb NoInterruptIn = MakeUsb(kTabletVendor, kTabletProduct, kHidClass);
  NoInterruptIn.Endpoints[2].EndpointAddress = 0x01;
  Fw.Handles.push_back({});  // a PCI controller
  AddUsb(Keyboard);
  AddUsb(Storage);
  AddUsb(Served).Pointer = &Foreign;
  AddUsb(NoInterruptIn);
  FakeHandle &Mine = AddUsb(Tablet);

  UINTN Count = 99;
  ASSERT_EQ(InstallUsbTablets(&Bs, &Count), EFI_SUCCESS);
  EXPECT_EQ(Count, 1u);
  for (size_t I = 0; I < Fw.Handles.size(); I++) {
    const void *Want = &Fw.Handles[I] == &Mine ? Mine.Pointer : I == 3 ? &Foreign : nullptr;
    EXPECT_EQ(Fw.Handles[I].Pointer, Want) << "handle " << I;
  }
  EXPECT_NE(Mine.Pointer, nullptr);
  EXPECT_TRUE(Fw.Connected.empty());
  EXPECT_FALSE(Keyboard.Started || Storage.Started || Served.Started || NoInterruptIn.Started);

  auto *P = static_cast<EFI_ABSOLUTE_POINTER_PROTOCOL *>(Mine.Pointer);
  ASSERT_NE(P, nullptr);
  EXPECT_EQ(P->Mode->AbsoluteMinX, 0u);
  EXPECT_EQ(P->Mode->AbsoluteMinY, 0u);
  EXPECT_EQ(P->Mode->AbsoluteMaxX, 0x7FFFu);
  EXPECT_EQ(P->Mode->AbsoluteMaxY, 0x7FFFu);
  EXPECT_EQ(P->Mode->AbsoluteMinZ | P->Mode->AbsoluteMaxZ, 0u);
  EXPECT_EQ(P->Mode->Attributes, (UINT32)EFI_ABSP_SupportsAltActive);
  // The interrupt IN endpoint at its own period, a whole packet at a time.
  EXPECT_EQ(Tablet.Endpoint, 0x81);
  EXPECT_EQ(Tablet.Interval, 4u);
  EXPECT_EQ(Tablet.Length, 8u);
  ASSERT_EQ(Fw.Events.size(), 1u);
  EXPECT_EQ(Fw.Events[0], P->WaitForInput);
  EXPECT_EQ(Fw.Events[0]->Type, (UINT32)EVT_NOTIFY_WAIT);
  EXPECT_EQ(Fw.Events[0]->Tpl, (EFI_TPL)TPL_NOTIFY);
  EXPECT_EQ(Fw.Pool.size(), 1u) << "only the tablet's record stays";
}

TEST_F(UsbTabletTest, GetStateGivesEachChangeOnce) {
  EFI_ABSOLUTE_POINTER_PROTOCOL *P = OneTablet();
  ASSERT_NE(P, nullptr);
  EFI_ABSOLUTE_POINTER_STATE S = {};
  EXPECT_EQ(P->GetState(P, &S), EFI_NOT_READY) << "nothing has come yet";

  EXPECT_EQ(Send({0x01, 0x34, 0x12, 0xCD, 0x0A, 0x00}), EFI_SUCCESS);
  ASSERT_EQ(P->GetState(P, &S), EFI_SUCCESS);
  EXPECT_EQ(S.CurrentX, 0x1234u);
  EXPECT_EQ(S.CurrentY, 0x0ACDu);
  EXPECT_EQ(S.CurrentZ, 0u);
  EXPECT_EQ(S.ActiveButtons, (UINT32)EFI_ABSP_TouchActive);
  EXPECT_EQ(P->GetState(P, &S), EFI_NOT_READY);
  EXPECT_EQ(Fw.HighestTpl, (EFI_TPL)TPL_NOTIFY) << "read under the callback's level";
  EXPECT_EQ(Fw.Tpl, (EFI_TPL)TPL_APPLICATION);

  // The same report again, or one that only turns the wheel, is no change.
  Send({0x01, 0x34, 0x12, 0xCD, 0x0A, 0x00});
  Send({0x01, 0x34, 0x12, 0xCD, 0x0A, 0x01});
  EXPECT_EQ(P->GetState(P, &S), EFI_NOT_READY);

  // Several reports before a read: the last one counts.
  Send({0x02, 0x00, 0x00, 0x00, 0x00, 0x00});
  Send({0x03, 0xFF, 0x7F, 0x01, 0x00});  // no wheel byte still counts
  ASSERT_EQ(P->GetState(P, &S), EFI_SUCCESS);
  EXPECT_EQ(S.CurrentX, 0x7FFFu);
  EXPECT_EQ(S.CurrentY, 1u);
  EXPECT_EQ(S.ActiveButtons, (UINT32)(EFI_ABSP_TouchActive | EFI_ABS_AltActive));

  // Out of range values are held to the range the mode publishes.
  Send({0x00, 0xFF, 0xFF, 0x00, 0x80, 0x00});
  ASSERT_EQ(P->GetState(P, &S), EFI_SUCCESS);
  EXPECT_EQ(S.CurrentX, 0x7FFFu);
  EXPECT_EQ(S.CurrentY, 0x7FFFu);
  EXPECT_EQ(S.ActiveButtons, 0u);
}

TEST_F(UsbTabletTest, BadReportsChangeNothing) {
  EFI_ABSOLUTE_POINTER_PROTOCOL *P = OneTablet();
  ASSERT_NE(P, nullptr);
  EFI_ABSOLUTE_POINTER_STATE S = {};
  EXPECT_EQ(Send({0x01, 0x10, 0x00, 0x10}), EFI_SUCCESS);                    // too short for Y
  EXPECT_NE(Send({0x01, 0x10, 0x00, 0x10, 0x00, 0x00}, 0x02), EFI_SUCCESS);  // stalled
  EXPECT_EQ(Tablet.Callback(nullptr, 6, Tablet.Context, 0), EFI_SUCCESS);
  EXPECT_EQ(P->GetState(P, &S), EFI_NOT_READY);
  EXPECT_EQ(P->GetState(P, nullptr), EFI_INVALID_PARAMETER);
  EXPECT_EQ(P->GetState(nullptr, &S), EFI_INVALID_PARAMETER);
  EXPECT_EQ(P->Reset(nullptr, FALSE), EFI_INVALID_PARAMETER);
}

TEST_F(UsbTabletTest, WaitForInputAndReset) {
  EFI_ABSOLUTE_POINTER_PROTOCOL *P = OneTablet();
  ASSERT_NE(P, nullptr);
  FakeEvent *Wait = static_cast<FakeEvent *>(P->WaitForInput);
  // The firmware runs the notify function whenever the event is checked.
  Wait->Notify(Wait, Wait->Context);
  EXPECT_FALSE(Wait->Signalled);
  Send({0x00, 0x00, 0x01, 0x00, 0x02, 0x00});
  Wait->Notify(Wait, Wait->Context);
  EXPECT_TRUE(Wait->Signalled);

  // Reset drops the unread change but keeps the position: the same report is no news.
  EXPECT_EQ(P->Reset(P, TRUE), EFI_SUCCESS);
  EFI_ABSOLUTE_POINTER_STATE S = {};
  EXPECT_EQ(P->GetState(P, &S), EFI_NOT_READY);
  Wait->Signalled = false;
  Wait->Notify(Wait, Wait->Context);
  EXPECT_FALSE(Wait->Signalled);
  Send({0x00, 0x00, 0x01, 0x00, 0x02, 0x00});
  EXPECT_EQ(P->GetState(P, &S), EFI_NOT_READY);
  Send({0x00, 0x00, 0x01, 0x00, 0x03, 0x00});
  ASSERT_EQ(P->GetState(P, &S), EFI_SUCCESS);
  EXPECT_EQ(S.CurrentX, 0x100u);
  EXPECT_EQ(S.CurrentY, 0x300u);
  EXPECT_EQ(Fw.Tpl, (EFI_TPL)TPL_APPLICATION);
}

// Every failure on the way leaves nothing behind: no pointer, no record, no
// open event, no transfer still calling into freed memory.
TEST_F(UsbTabletTest, FailuresUndoEverything) {
  enum Step { kHandleBuffer, kRecord, kEvent, kTransfer, kInstall };
  for (Step S : {kHandleBuffer, kRecord, kEvent, kTransfer, kInstall}) {
    SCOPED_TRACE(S);
    Fw.Handles.clear();
    Tablet = MakeUsb(kTabletVendor, kTabletProduct, kHidClass);
    FakeHandle &H = AddUsb(Tablet);
    Fw.FailAllocationIn = S == kHandleBuffer ? 0 : S == kRecord ? 1 : -1;
    Fw.CreateEventResult = S == kEvent ? EFI_OUT_OF_RESOURCES : EFI_SUCCESS;
    Tablet.TransferResult = S == kTransfer ? EFI_DEVICE_ERROR : EFI_SUCCESS;
    Fw.InstallResult = S == kInstall ? EFI_OUT_OF_RESOURCES : EFI_SUCCESS;
    UINTN Count = 7;
    const EFI_STATUS Status = InstallUsbTablets(&Bs, &Count);
    EXPECT_TRUE(EFI_ERROR(Status));
    EXPECT_NE(Status, EFI_NOT_FOUND) << "a failure is not an absent tablet";
    EXPECT_EQ(Count, 0u);
    EXPECT_EQ(H.Pointer, nullptr);
    EXPECT_TRUE(Fw.Pool.empty());
    EXPECT_EQ(Tablet.Started && !Tablet.Cancelled, false);
    for (FakeEvent *E : Fw.Events) EXPECT_TRUE(E->Closed);
  }
  Fw.CreateEventResult = EFI_SUCCESS;
  Fw.InstallResult = EFI_SUCCESS;
}

TEST_F(UsbTabletTest, ConnectsControllersWhenNoUsbDeviceIsKnown) {
  Fw.Handles.push_back({});
  Fw.Handles.push_back({});
  AddUsb(Tablet).HiddenUntilConnect = true;
  UINTN Count = 0;
  ASSERT_EQ(InstallUsbTablets(&Bs, &Count), EFI_SUCCESS);
  EXPECT_EQ(Count, 1u);
  ASSERT_EQ(Fw.Connected.size(), 2u);
  EXPECT_EQ(Fw.Connected[0], &Fw.Handles[0]);
  EXPECT_EQ(Fw.Connected[1], &Fw.Handles[1]);
  EXPECT_TRUE(Fw.ConnectedRecursively);
}

TEST_F(UsbTabletTest, NoTabletIsNotFound) {
  UINTN Count = 3;
  EXPECT_EQ(InstallUsbTablets(&Bs, &Count), EFI_NOT_FOUND);
  EXPECT_EQ(Count, 0u);
  EXPECT_EQ(InstallUsbTablets(nullptr, &Count), EFI_INVALID_PARAMETER);
  EXPECT_EQ(InstallUsbTablets(&Bs, nullptr), EFI_INVALID_PARAMETER);
  // USB devices, none of them a tablet: no controller is connected for that.
  FakeUsb Keyboard = MakeUsb(0x0627, 0x0002, kHidClass);
  Fw.Handles.push_back({});
  AddUsb(Keyboard);
  Count = 3;
  EXPECT_EQ(InstallUsbTablets(&Bs, &Count), EFI_NOT_FOUND);
  EXPECT_EQ(Count, 0u);
  EXPECT_TRUE(Fw.Connected.empty());
}

}  // namespace
