// The tablet driver's binding against a small firmware of its own: USB handles
// with their descriptors, pool accounting with failure injection, events, TPL
// and the protocol database with exclusive opens, so every path is seen
// including the failing ones. (tests/dispatch_test.cpp runs it in the
// simulated firmware, connected the way the boot manager does.)
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
  FakeUsb *Usb = nullptr;
  void *Pointer = nullptr;
  EFI_HANDLE HeldBy = nullptr;  // the agent that has USB I/O open by driver
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
  EFI_STATUS UninstallResult = EFI_SUCCESS;
  std::vector<FakeEvent *> Events;
  EFI_TPL Tpl = TPL_APPLICATION, HighestTpl = TPL_APPLICATION;
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

EFI_STATUS EFIAPI Uninstall(EFI_HANDLE H, EFI_GUID *Guid, VOID *Interface) {
  FakeHandle *F = HandleOf(H);
  if (F == nullptr || !Same(Guid, AbsolutePointerProtocol) || F->Pointer != Interface) {
    return EFI_NOT_FOUND;
  }
  if (gFw->UninstallResult != EFI_SUCCESS) return gFw->UninstallResult;
  F->Pointer = nullptr;
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI Open(EFI_HANDLE H, EFI_GUID *Guid, VOID **Out, EFI_HANDLE Agent,
                       EFI_HANDLE Controller, UINT32 Attributes) {
  EXPECT_EQ(Controller, H) << "the driver makes no children";
  FakeHandle *F = HandleOf(H);
  if (F == nullptr) return EFI_INVALID_PARAMETER;
  if (Same(Guid, gUsbIoProtocolGuid)) {
    EXPECT_EQ(Attributes, (UINT32)EFI_OPEN_PROTOCOL_BY_DRIVER);
    if (F->Usb == nullptr) return EFI_UNSUPPORTED;
    if (F->HeldBy != nullptr) return F->HeldBy == Agent ? EFI_ALREADY_STARTED : EFI_ACCESS_DENIED;
    F->HeldBy = Agent;
  }
  return HandleProtocol(H, Guid, Out);
}

EFI_STATUS EFIAPI Close(EFI_HANDLE H, EFI_GUID *Guid, EFI_HANDLE Agent, EFI_HANDLE) {
  FakeHandle *F = HandleOf(H);
  EXPECT_TRUE(F != nullptr && Same(Guid, gUsbIoProtocolGuid) && F->HeldBy == Agent)
      << "closed what it did not hold";
  if (F == nullptr || F->HeldBy != Agent) return EFI_NOT_FOUND;
  F->HeldBy = nullptr;
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
    Bs.HandleProtocol = HandleProtocol;
    Bs.InstallProtocolInterface = Install;
    Bs.UninstallProtocolInterface = Uninstall;
    Bs.OpenProtocol = Open;
    Bs.CloseProtocol = Close;
    Bs.CreateEvent = CreateEvent;
    Bs.CloseEvent = CloseEvent;
    Bs.SignalEvent = SignalEvent;
    Bs.RaiseTPL = RaiseTpl;
    Bs.RestoreTPL = RestoreTpl;
    TabletDriverSetUp(&Bs, &ImageTag);
    Fw.Handles.reserve(16);
  }
  void TearDown() override {
    // Every pointer the driver installed comes off again through Stop.
    for (FakeHandle &F : Fw.Handles) {
      if (F.Pointer != nullptr && F.Pointer != &Foreign) {
        EXPECT_EQ(Binding->Stop(Binding, &F, 0, nullptr), EFI_SUCCESS);
        EXPECT_EQ(F.Pointer, nullptr);
      }
      EXPECT_EQ(F.HeldBy, nullptr) << "USB I/O left open";
    }
    EXPECT_TRUE(Fw.Pool.empty()) << Fw.Pool.size() << " allocations left behind";
    for (FakeEvent *E : Fw.Events) EXPECT_TRUE(E->Closed) << "event left open";
    gFw = nullptr;
  }

  FakeHandle &AddUsb(FakeUsb &U) {
    Fw.Handles.push_back({&U});
    return Fw.Handles.back();
  }
  // What ConnectController does with this driver alone.
  EFI_STATUS Connect(FakeHandle &H) {
    const EFI_STATUS S = Binding->Supported(Binding, &H, nullptr);
    return S == EFI_SUCCESS ? Binding->Start(Binding, &H, nullptr) : S;
  }

  // Starts on one QEMU tablet and hands back its pointer.
  EFI_ABSOLUTE_POINTER_PROTOCOL *OneTablet() {
    FakeHandle &H = AddUsb(Tablet);
    EXPECT_EQ(Connect(H), EFI_SUCCESS);
    return static_cast<EFI_ABSOLUTE_POINTER_PROTOCOL *>(H.Pointer);
  }
  EFI_STATUS Send(std::vector<UINT8> Report, UINT32 Status = 0) {
    return Tablet.Callback(Report.data(), Report.size(), Tablet.Context, Status);
  }

  char ImageTag = 0, OtherDriver = 0;
  Firmware Fw;
  EFI_BOOT_SERVICES Bs;
  EFI_DRIVER_BINDING_PROTOCOL *Binding = &gTabletDriverBinding;
  FakeUsb Tablet = MakeUsb(kTabletVendor, kTabletProduct, kHidClass);
  EFI_ABSOLUTE_POINTER_PROTOCOL Foreign = {};
  UINT64 PastForeign[4] = {};  // what Stop may read behind another driver's pointer
};

TEST_F(UsbTabletTest, StartsOnlyOnFreeTabletsWithoutAPointer) {
  FakeUsb Keyboard = MakeUsb(0x0627, 0x0002, kHidClass);
  FakeUsb Storage = MakeUsb(kTabletVendor, kTabletProduct, 8);
  FakeUsb Served = MakeUsb(kTabletVendor, kTabletProduct, kHidClass);
  FakeUsb Held = MakeUsb(kTabletVendor, kTabletProduct, kHidClass);
  FakeUsb NoInterruptIn = MakeUsb(kTabletVendor, kTabletProduct, kHidClass);
  NoInterruptIn.Endpoints[2].EndpointAddress = 0x01;
  struct Row {
    FakeHandle *Handle;
    EFI_STATUS Supported;
  };
  Fw.Handles.push_back({});  // no USB I/O at all
  const Row Rows[] = {
      {&Fw.Handles.back(), EFI_UNSUPPORTED}, {&AddUsb(Keyboard), EFI_UNSUPPORTED},
      {&AddUsb(Storage), EFI_UNSUPPORTED},   {&AddUsb(Served), EFI_UNSUPPORTED},
      {&AddUsb(Held), EFI_ACCESS_DENIED},    {&AddUsb(NoInterruptIn), EFI_UNSUPPORTED},
      {&AddUsb(Tablet), EFI_SUCCESS},
  };
  Rows[3].Handle->Pointer = &Foreign;
  Rows[4].Handle->HeldBy = &OtherDriver;
  for (const Row &R : Rows) {
    SCOPED_TRACE(R.Handle - Fw.Handles.data());
    EXPECT_EQ(Binding->Supported(Binding, R.Handle, nullptr), R.Supported);
    // Supported only looks: it leaves nothing open and nothing installed.
    EXPECT_EQ(R.Handle->HeldBy, R.Handle == Rows[4].Handle ? &OtherDriver : nullptr);
    if (R.Supported != EFI_SUCCESS && R.Handle->Usb != nullptr) {
      EXPECT_NE(Binding->Start(Binding, R.Handle, nullptr), EFI_SUCCESS);
    }
  }
  Rows[4].Handle->HeldBy = nullptr;
  EXPECT_TRUE(Fw.Pool.empty());
  EXPECT_FALSE(Keyboard.Started || Storage.Started || Served.Started || Held.Started ||
               NoInterruptIn.Started);

  FakeHandle &Mine = *Rows[6].Handle;
  ASSERT_EQ(Binding->Start(Binding, &Mine, nullptr), EFI_SUCCESS);
  EXPECT_EQ(Mine.HeldBy, &ImageTag) << "USB I/O stays open by the driver while it runs";
  EXPECT_EQ(Binding->Supported(Binding, &Mine, nullptr), EFI_UNSUPPORTED) << "already served";
  EXPECT_EQ(Rows[3].Handle->Pointer, &Foreign);

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

TEST_F(UsbTabletTest, StopUndoesStartAndLeavesOtherPointersAlone) {
  FakeHandle &H = AddUsb(Tablet);
  for (int Round = 0; Round < 2; Round++) {
    SCOPED_TRACE(Round);
    ASSERT_EQ(Connect(H), EFI_SUCCESS);
    ASSERT_NE(H.Pointer, nullptr);
    // A consumer that holds the pointer keeps it running.
    Fw.UninstallResult = EFI_ACCESS_DENIED;
    EXPECT_EQ(Binding->Stop(Binding, &H, 0, nullptr), EFI_ACCESS_DENIED);
    EXPECT_NE(H.Pointer, nullptr);
    EXPECT_FALSE(Tablet.Cancelled);
    Fw.UninstallResult = EFI_SUCCESS;
    EXPECT_EQ(Binding->Stop(Binding, &H, 0, nullptr), EFI_SUCCESS);
    EXPECT_EQ(H.Pointer, nullptr);
    EXPECT_TRUE(Tablet.Cancelled);
    EXPECT_EQ(H.HeldBy, nullptr);
    EXPECT_TRUE(Fw.Pool.empty());
    for (FakeEvent *E : Fw.Events) EXPECT_TRUE(E->Closed);
    EXPECT_EQ(Binding->Stop(Binding, &H, 0, nullptr), EFI_UNSUPPORTED) << "nothing left to stop";
    Tablet.Started = Tablet.Cancelled = false;
  }
  // Another driver's pointer on a handle is never taken for this driver's.
  FakeUsb Other = MakeUsb(kTabletVendor, kTabletProduct, kHidClass);
  AddUsb(Other).Pointer = &Foreign;
  EXPECT_EQ(Binding->Stop(Binding, &Fw.Handles.back(), 0, nullptr), EFI_UNSUPPORTED);
  EXPECT_EQ(Fw.Handles.back().Pointer, &Foreign);
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
  enum Step { kRecord, kEvent, kTransfer, kInstall };
  for (Step S : {kRecord, kEvent, kTransfer, kInstall}) {
    SCOPED_TRACE(S);
    Fw.Handles.clear();
    Tablet = MakeUsb(kTabletVendor, kTabletProduct, kHidClass);
    FakeHandle &H = AddUsb(Tablet);
    Fw.FailAllocationIn = S == kRecord ? 0 : -1;
    Fw.CreateEventResult = S == kEvent ? EFI_OUT_OF_RESOURCES : EFI_SUCCESS;
    Tablet.TransferResult = S == kTransfer ? EFI_DEVICE_ERROR : EFI_SUCCESS;
    Fw.InstallResult = S == kInstall ? EFI_OUT_OF_RESOURCES : EFI_SUCCESS;
    EXPECT_EQ(Binding->Supported(Binding, &H, nullptr), EFI_SUCCESS);
    EXPECT_TRUE(EFI_ERROR(Binding->Start(Binding, &H, nullptr)));
    EXPECT_EQ(H.Pointer, nullptr);
    EXPECT_EQ(H.HeldBy, nullptr);
    EXPECT_TRUE(Fw.Pool.empty());
    EXPECT_EQ(Tablet.Started && !Tablet.Cancelled, false);
    for (FakeEvent *E : Fw.Events) EXPECT_TRUE(E->Closed);
  }
  Fw.CreateEventResult = EFI_SUCCESS;
  Fw.InstallResult = EFI_SUCCESS;
}

TEST_F(UsbTabletTest, NamesItselfInEnglishOnly) {
  EFI_COMPONENT_NAME2_PROTOCOL *Name = &gTabletComponentName;
  CHAR16 *Text = nullptr;
  EXPECT_EQ(std::strcmp(reinterpret_cast<const char *>(Name->SupportedLanguages), "en"), 0);
  ASSERT_EQ(Name->GetDriverName(Name, (CHAR8 *)"en", &Text), EFI_SUCCESS);
  EXPECT_EQ(Text[0], u'O');
  EXPECT_EQ(Name->GetDriverName(Name, (CHAR8 *)"fr", &Text), EFI_UNSUPPORTED);
  EXPECT_EQ(Name->GetDriverName(Name, (CHAR8 *)"en-US", &Text), EFI_UNSUPPORTED);
  EXPECT_EQ(Name->GetDriverName(Name, nullptr, &Text), EFI_INVALID_PARAMETER);
}

}  // namespace
