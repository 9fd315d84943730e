// Firmware check of the pointer: the front-end asks the host for real tablet
// input on an "INPUT" line ("INPUT abs <x> <y>" in tablet units 0..0x7FFF,
// "INPUT btn left down|up"); the host sends it through QMP. GetState on the
// Absolute Pointer that sits on a USB device must give back exactly that,
// once, and WaitForInput must have signalled it.
#include "frontend/checks.h"
#include "shim/usb_io.h"

namespace {

constexpr UINT64 kWantX = 0x2345, kWantY = 0x5A5A;
constexpr UINTN kWaitMilliseconds = 10000;

// The pointer on a USB handle, or NULL; Count gets how many pointers there are.
EFI_ABSOLUTE_POINTER_PROTOCOL *FindUsbPointer(EFI_BOOT_SERVICES *Bs, UINTN &Count) {
  EFI_HANDLE *Handles = nullptr;
  Count = 0;
  if (Bs->LocateHandleBuffer(ByProtocol, &AbsolutePointerProtocol, nullptr, &Count, &Handles) !=
      EFI_SUCCESS) {
    return nullptr;
  }
  EFI_ABSOLUTE_POINTER_PROTOCOL *Found = nullptr;
  for (UINTN I = 0; I < Count && Found == nullptr; I++) {
    VOID *UsbIo = nullptr;
    if (Bs->HandleProtocol(Handles[I], &gUsbIoProtocolGuid, &UsbIo) == EFI_SUCCESS) {
      Bs->HandleProtocol(Handles[I], &AbsolutePointerProtocol, (VOID **)&Found);
    }
  }
  Bs->FreePool(Handles);
  return Found;
}

struct Seen {
  bool Arrived = false;    // a state with the wanted values came
  bool Signalled = false;  // WaitForInput signalled it and GetState then had it
  bool Once = false;       // and the next GetState said EFI_NOT_READY
  EFI_ABSOLUTE_POINTER_STATE Last = {};
  UINTN Milliseconds = 0;
};

// Waits for a state with the wanted position and buttons, reading it only
// after WaitForInput has signalled, as a front-end does: reading first could
// race the tablet's callback and see a change before its signal.
Seen Await(EFI_BOOT_SERVICES *Bs, EFI_ABSOLUTE_POINTER_PROTOCOL *P, UINT64 X, UINT64 Y,
           UINT32 Buttons) {
  Seen S;
  for (; S.Milliseconds < kWaitMilliseconds && !S.Arrived; S.Milliseconds++) {
    if (Bs->CheckEvent(P->WaitForInput) == EFI_SUCCESS) {
      EFI_ABSOLUTE_POINTER_STATE State = {};
      // A signal promises a state: GetState must not say EFI_NOT_READY now.
      S.Signalled = P->GetState(P, &State) == EFI_SUCCESS;
      if (!S.Signalled) break;
      S.Last = State;
      S.Arrived = State.CurrentX == X && State.CurrentY == Y && State.ActiveButtons == Buttons;
    }
    if (!S.Arrived) Bs->Stall(1000);
  }
  EFI_ABSOLUTE_POINTER_STATE Again = {};
  S.Once = S.Arrived && P->GetState(P, &Again) == EFI_NOT_READY;
  return S;
}

void Describe(Line &L, const char *What, const Seen &S) {
  L.Text(What)
      .Text(S.Arrived ? " after " : " not seen, last ")
      .Dec((INT64)S.Milliseconds)
      .Text(" ms (");
  L.Hex(S.Last.CurrentX)
      .Text(",")
      .Hex(S.Last.CurrentY)
      .Text(" buttons ")
      .Dec(S.Last.ActiveButtons)
      .Text(")");
  L.Text(S.Signalled ? " signalled" : " unsignalled").Text(S.Once ? " once; " : " repeated; ");
}

}  // namespace

void PointerCheck(const SceneContext &C) {
  UINTN Count = 0;
  EFI_ABSOLUTE_POINTER_PROTOCOL *P = FindUsbPointer(C.Bs, Count);
  Line L;
  L.Dec((INT64)Count).Text(" pointers, ");
  if (P == nullptr) {
    Report("absolute-pointer", false, L.Text("none on a USB device"));
    return;
  }
  const EFI_ABSOLUTE_POINTER_MODE *M = P->Mode;
  const bool ModeOk = M != nullptr && M->AbsoluteMinX == 0 && M->AbsoluteMinY == 0 &&
                      M->AbsoluteMaxX == 0x7FFF && M->AbsoluteMaxY == 0x7FFF;
  L.Text(ModeOk ? "range 0..0x7fff; " : "wrong range; ");
  // Whatever came before the check is not its business.
  EFI_ABSOLUTE_POINTER_STATE Drain;
  while (P->GetState(P, &Drain) == EFI_SUCCESS) {
  }

  Line().Text("INPUT abs ").Dec((INT64)kWantX).Text(" ").Dec((INT64)kWantY).Emit();
  const Seen Move = Await(C.Bs, P, kWantX, kWantY, 0);
  Describe(L, "move", Move);
  Line().Text("INPUT btn left down").Emit();
  const Seen Down = Await(C.Bs, P, kWantX, kWantY, EFI_ABSP_TouchActive);
  Describe(L, "left down", Down);
  Line().Text("INPUT btn left up").Emit();
  const Seen Up = Await(C.Bs, P, kWantX, kWantY, 0);
  Describe(L, "left up", Up);
  bool Pass = ModeOk;
  const Seen *Steps[] = {&Move, &Down, &Up};
  for (const Seen *S : Steps) Pass = Pass && S->Arrived && S->Signalled && S->Once;
  Report("absolute-pointer", Pass, L);
}
