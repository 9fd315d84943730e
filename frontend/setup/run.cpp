// The setup screen's event loop: polls keys and pointers, hands each event to
// the screen, keeps the clock and says when the screen has settled.
#include "frontend/setup/run.h"

#include "frontend/setup/sha256.h"

namespace {

constexpr UINTN kPollMicroseconds = 10000;
constexpr UINTN kQuietPolls = 10;  // 100 ms without input: the screen has settled
constexpr UINTN kSettleMicroseconds = 4000;
constexpr UINTN kClockPolls = 50;  // the clock is read twice a second

void Pause(const SceneContext *C, UINTN Microseconds) { C->Bs->Stall(Microseconds); }

bool ReadClock(const SetupDevices &D, CHAR16 *Text) {
  EFI_TIME Time = {};
  if (D.Rt == nullptr || D.Rt->GetTime(&Time, nullptr) != EFI_SUCCESS) {
    return false;
  }
  SetupClockText(Time, Text);
  return true;
}

bool ReadKey(const SetupDevices &D, EFI_INPUT_KEY &Key) {
  if (D.Keys != nullptr) {
    EFI_KEY_DATA Data = {};
    if (D.Keys->ReadKeyStrokeEx(D.Keys, &Data) != EFI_SUCCESS) return false;
    Key = Data.Key;
    return true;
  }
  return D.ConIn != nullptr && D.ConIn->ReadKeyStroke(D.ConIn, &Key) == EFI_SUCCESS;
}

}  // namespace

bool SetupKeyFromFirmware(const EFI_INPUT_KEY &Key, SetupInput &Out) {
  UINT16 K = kSetupKeyNone;
  switch (Key.ScanCode) {
    case SCAN_UP: K = kSetupKeyUp; break;
    case SCAN_DOWN: K = kSetupKeyDown; break;
    case SCAN_LEFT: K = kSetupKeyLeft; break;
    case SCAN_RIGHT: K = kSetupKeyRight; break;
    case SCAN_ESC: K = kSetupKeyEscape; break;
    default: break;
  }
  if (K == kSetupKeyNone) {
    if (Key.UnicodeChar == CHAR_CARRIAGE_RETURN || Key.UnicodeChar == CHAR_LINEFEED) {
      K = kSetupKeyEnter;
    } else if (Key.UnicodeChar == CHAR_BACKSPACE) {
      K = kSetupKeyBackspace;
    } else if (Key.UnicodeChar >= 0x20 && Key.UnicodeChar < 0x7F) {
      K = kSetupKeyChar;
    } else {
      return false;
    }
  }
  Out = SetupKeyEvent(K, K == kSetupKeyChar ? Key.UnicodeChar : 0);
  return true;
}

bool SetupPointerFromFirmware(const EFI_ABSOLUTE_POINTER_MODE &Mode,
                              const EFI_ABSOLUTE_POINTER_STATE &State, UINT32 Width, UINT32 Height,
                              SetupInput &Out) {
  if (Mode.AbsoluteMaxX <= Mode.AbsoluteMinX || Mode.AbsoluteMaxY <= Mode.AbsoluteMinY) {
    return false;
  }
  // The range's ends are the screen's first and last pixels; outside it clamps.
  auto Scale = [](UINT64 V, UINT64 Min, UINT64 Max, UINT32 Size) -> INT32 {
    if (V <= Min) return 0;
    if (V >= Max) return (INT32)Size - 1;
    return (INT32)((V - Min) * (Size - 1) / (Max - Min));
  };
  Out = SetupPointerEvent(Scale(State.CurrentX, Mode.AbsoluteMinX, Mode.AbsoluteMaxX, Width),
                          Scale(State.CurrentY, Mode.AbsoluteMinY, Mode.AbsoluteMaxY, Height),
                          (State.ActiveButtons & EFI_ABSP_TouchActive) != 0);
  return true;
}

void SetupPointerOnLayout(SetupInput &E, UINT32 X, UINT32 Y) {
  auto Clamp = [](INT32 V, INT32 Size) { return V < 0 ? 0 : (V >= Size ? Size - 1 : V); };
  E.X = Clamp(E.X - (INT32)X, (INT32)kSceneWidth);
  E.Y = Clamp(E.Y - (INT32)Y, (INT32)kSceneHeight);
}

void SetupClockText(const EFI_TIME &Time, CHAR16 *Text) {
  Text[0] = (CHAR16)('0' + Time.Hour / 10 % 10);
  Text[1] = (CHAR16)('0' + Time.Hour % 10);
  Text[2] = ':';
  Text[3] = (CHAR16)('0' + Time.Minute / 10 % 10);
  Text[4] = (CHAR16)('0' + Time.Minute % 10);
  Text[5] = 0;
}

void RunSetupScreen(const SceneContext &C, const SetupDevices &D) {
  CHAR16 Time[6] = {'0', '0', ':', '0', '0', 0};
  ReadClock(D, Time);
  // The kept settings, or the defaults with a word on why.
  SetupRecord Kept;
  const UINT16 Read = SetupLoadSettings(D.Rt, Kept);
  if (Read != kRecordLoaded && D.Note != nullptr) {
    D.Note("settings: the defaults, the variable is ", SetupRecordStatusText(Read));
  }
  SetupScreenState S;
  const bool Opened = SetupOpen(S, C, Time, Pause, Read == kRecordLoaded ? &Kept : nullptr);
  WipeBytes(&Kept, sizeof(Kept));
  S.Store = D.Rt;
  if (!Opened) {
    SetupClose(S);
    return;
  }
  const UINT32 PanelWidth =
      D.Panel != nullptr && D.Panel->Width != 0 ? D.Panel->Width : kSceneWidth;
  const UINT32 PanelHeight =
      D.Panel != nullptr && D.Panel->Height != 0 ? D.Panel->Height : kSceneHeight;
  auto Pointer = [&](UINTN I, const EFI_ABSOLUTE_POINTER_STATE &State, SetupInput &Out) {
    if (!SetupPointerFromFirmware(*D.Pointers[I]->Mode, State, PanelWidth, PanelHeight, Out)) {
      return false;
    }
    if (D.Panel != nullptr) SetupPointerOnLayout(Out, D.Panel->X, D.Panel->Y);
    return true;
  };
  SetupInput Last[4] = {};
  UINTN Reported = 0, Quiet = 0, Polls = 0;
  bool ToldReady = false;
  while (S.Phase != kPhaseDone) {
    bool Any = false;
    EFI_INPUT_KEY Key;
    SetupInput E;
    while (S.Phase != kPhaseDone && ReadKey(D, Key)) {
      if (SetupKeyFromFirmware(Key, E)) {
        SetupHandle(S, E);
        Any = true;
      }
    }
    for (UINTN I = 0; I < D.PointerCount && S.Phase != kPhaseDone; I++) {
      EFI_ABSOLUTE_POINTER_STATE State = {};
      if (D.Pointers[I]->GetState(D.Pointers[I], &State) != EFI_SUCCESS || !Pointer(I, State, E)) {
        continue;
      }
      // Only changes are events: a pointer at rest says nothing new. A move
      // may come as several reports; it is one event once they stop.
      for (UINTN Settle = 0; Settle < 5; Settle++) {
        C.Bs->Stall(kSettleMicroseconds);
        SetupInput Next;
        if (D.Pointers[I]->GetState(D.Pointers[I], &State) != EFI_SUCCESS ||
            !Pointer(I, State, Next)) {
          break;
        }
        E = Next;
      }
      if (E.X != Last[I].X || E.Y != Last[I].Y || E.Down != Last[I].Down) {
        Last[I] = E;
        SetupHandle(S, E);
        Any = true;
      }
    }
    if (++Polls % kClockPolls == 0 && ReadClock(D, Time)) {
      SetupTick(S, Time);
    }
    Quiet = Any ? 0 : Quiet + 1;
    if (Quiet >= kQuietPolls && (!ToldReady || S.Handled != Reported)) {
      Reported = S.Handled;
      ToldReady = true;
      if (D.Ready != nullptr) D.Ready(Reported);
    }
    if (!Any) C.Bs->Stall(kPollMicroseconds);
  }
  if (D.Note != nullptr && S.SaveTried) {
    D.Note("settings: ", S.SaveStatus == EFI_SUCCESS ? "saved" : "not saved, the write failed");
  }
  if (D.Note != nullptr && S.Refused) D.Note("setup: ", "refused after three wrong passwords");
  if (D.Ready != nullptr) D.Ready(S.Handled);
  SetupClose(S);
}
