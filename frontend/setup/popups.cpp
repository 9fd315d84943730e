// The popups a row opens: option popups (pick or reorder), the list popup, the
// password dialog, and the save-and-exit message box with its progress and the
// transition that leaves the screen.
#include "frontend/setup/sha256.h"
#include "frontend/setup/ui.h"

namespace setup {

namespace {

// Puts the screen under a closed popup back.
void RestoreUnderPopup(SetupScreenState &S);
// Dims the screen and brings the farewell picture in; the screen is left.
void Leave(SetupScreenState &S, bool Saved);

// The option popup set keeps each kind in its own entry.
UINT16 EntryOfKind(UINT16 Kind) {
  switch (Kind) {
    case 0: return 0;
    case 2: return 1;
    case 3: return 8;
    case 4: return 5;
    case 5: return 6;
    case 6: return 7;
    case 16: return 3;
    case 17: return 2;
    default: return 4;  // 18
  }
}

constexpr UINT16 kOptionNoFocus = 128;
constexpr UINTN kCloseBoxPressed = 8;
// Not a row, and not one of the two values that also hide the scroll bar.
constexpr INT16 kListNoHotRow = -3;

// Keeps the screen under a popup's window, to put back when it closes.
bool SaveUnder(SetupScreenState &S, INT32 X, INT32 Y, INT32 Width, INT32 Height) {
  ORVANE_PIXEL *Saved = AllocPixels(*S.C, (UINTN)Width * (UINTN)Height);
  if (Saved == nullptr ||
      !ReadScreen(*S.C, Saved, (UINT32)X, (UINT32)Y, (UINT32)Width, (UINT32)Height)) {
    FreePixels(*S.C, Saved);
    return false;
  }
  S.Saved = Saved;
  S.SavedRect = {X, Y, Width, Height};
  return true;
}

// The toolkit's capture of the whole screen, for the way out.
bool CaptureScreen(SetupScreenState &S) {
  UINT32 Width = 0, Height = 0;
  if (UI(CaptureScreen, &S.Captured, &Width, &Height) != 0) {
    UI(ReleaseCapturedScreen);
    S.Captured = nullptr;
    return false;
  }
  return true;
}

void BackToPage(SetupScreenState &S) {
  S.Phase = kPhaseBrowsing;
  S.Opened = nullptr;
  PaintRow(S, Current(S));
}

void SetValue(SetupSetting &Set, const CHAR16 *Value) { CopyText(Set.ValueText, 24, Value); }

// ---------------------------------------------------------------- option popup

UINT16 Shown(const SetupScreenState &S) { return S.Options.state.shown; }

void CloseOption(SetupScreenState &S, bool Pick) {
  SetupSetting &Set = *S.Opened;
  const UINT16 Focus = S.Options.state.focus;
  if (Set.Action == kActionOrder) {
    SetValue(Set, Set.Items[0]);  // the order is the popup's; the row names the first
  } else if (Pick && Focus < Set.ItemCount) {
    SetValue(Set, Set.Items[Focus]);
  }
  UI(CloseOptionPopup, &S.Options);
  BackToPage(S);
}

void OpenOption(SetupScreenState &S, SetupSetting &Set) {
  const UINT16 Entry = EntryOfKind(Set.PopupKind);
  if (UI(DefineOptionPopup, &S.Options, Set.Row.x + kLabelWidth - 40, Set.Row.y + 26, Set.PopupKind,
         Set.Row.label, Set.ItemCount, Set.Items) != EFI_SUCCESS) {
    return;
  }
  OptionPopupState &St = S.Options.state;
  St.shown = Entry;
  St.dragging = 0;
  St.closeState = 0;
  St.closeShown = 1;
  // The current choice starts with the focus.
  St.focus = kOptionNoFocus;
  St.mode = 0;
  for (UINT16 I = 0; Set.Action == kActionChoice && I < Set.ItemCount; I++) {
    const CHAR16 *A = Set.Items[I], *B = Set.ValueText;
    while (*A != 0 && *A == *B) A++, B++;
    if (*A == *B) {
      St.focus = I;
      St.mode = 2;
    }
  }
  S.Opened = &Set;
  S.Phase = kPhaseOptionPopup;
  UI(PaintOptionPopup, &S.Options);
}

// ---------------------------------------------------------------- list popup

INT32 ListView(const ListPopup &L) { return L.height - 112; }

// One row's worth of thumb travel.
INT32 ListStep(const ListPopup &L) {
  const INT32 Step = L.contentHeight != 0 ? 20 * ListView(L) / L.contentHeight : 1;
  return Step > 0 ? Step : 1;
}

// Scrolls so that the selected row shows, the way the popup reports it.
void KeepSelectionInView(SetupScreenState &S, bool Down) {
  ListPopupView View = {0, 0, 0};
  View.thumbShowingTop = (INT16)S.List.thumbPos;
  View.thumbShowingBottom = (INT16)S.List.thumbPos;
  UI(GetListPopupView, &S.List, &View);
  if (View.outOfView && S.List.thumbPos != 0) {
    const INT32 Target = Down ? View.thumbShowingBottom : View.thumbShowingTop;
    UI(ScrollListPopup, &S.List, 0, Target - (INT32)S.List.thumbPos);
  }
}

void CloseList(SetupScreenState &S, bool Pick) {
  SetupSetting &Set = *S.Opened;
  if (Pick && S.List.selectedRow >= 0 && S.List.selectedRow < (INT16)Set.ItemCount) {
    SetValue(Set, Set.Items[S.List.selectedRow]);
  }
  UI(CloseListPopup, &S.List);
  RestoreUnderPopup(S);
  BackToPage(S);
}

void OpenList(SetupScreenState &S, SetupSetting &Set) {
  UI(OpenListPopup, &S.List, Set.Row.x + kLabelWidth - 20, Set.Row.y - 60, 280, 292, Set.Row.label,
     0, Set.ItemCount, Set.Items, kListNoHotRow);
  if (S.List.textMask == nullptr) {
    return;
  }
  // Opening only lays the window out; its place is known before it is drawn.
  if (!SaveUnder(S, S.List.x, S.List.y, (INT32)S.List.width, S.List.height)) {
    UI(CloseListPopup, &S.List);
    S.List.textMask = nullptr;
    return;
  }
  for (UINT16 I = 0; I < Set.ItemCount; I++) {
    const CHAR16 *A = Set.Items[I], *B = Set.ValueText;
    while (*A != 0 && *A == *B) A++, B++;
    if (*A == *B) S.List.selectedRow = (INT16)I;
  }
  KeepSelectionInView(S, true);
  S.Opened = &Set;
  S.Phase = kPhaseListPopup;
  S.GrabY = -1;
  UI(PaintListPopup, &S.List);
}

// ---------------------------------------------------------------- password

const CHAR16 *const kPasswordButtons[2] = {W("OK"), W("Cancel")};

bool SameBytes(const UINT8 *A, const UINT8 *B, UINTN Size) {
  UINT8 Differ = 0;  // every byte looked at, whatever the first difference
  for (UINTN I = 0; I < Size; I++) Differ |= (UINT8)(A[I] ^ B[I]);
  return Differ == 0;
}

UINT64 TimeStamp() {
  UINT32 Low, High;
  __asm__ volatile("rdtsc" : "=a"(Low), "=d"(High));
  return (UINT64)High << 32 | Low;
}

// A fresh salt: it need only differ between passwords, so the time stamp
// counter, the clock and what came before are enough.
void NewSalt(SetupScreenState &S) {
  Sha256 H;
  Sha256Start(H);
  const UINT64 Stamp = TimeStamp();
  Sha256Add(H, &Stamp, sizeof(Stamp));
  EFI_TIME Time = {};
  if (S.Store != nullptr && S.Store->GetTime(&Time, nullptr) == EFI_SUCCESS) {
    Sha256Add(H, &Time, sizeof(Time));
  }
  Sha256Add(H, &S.Handled, sizeof(S.Handled));
  Sha256Add(H, S.PasswordSalt, kSetupSaltBytes);
  UINT8 Digest[kSha256Bytes];
  Sha256Finish(H, Digest);
  for (UINTN I = 0; I < kSetupSaltBytes; I++) S.PasswordSalt[I] = Digest[I];
  WipeBytes(Digest, sizeof(Digest));
}

SetupSetting *PasswordRow(SetupScreenState &S) {
  for (SetupPage &Page : S.Pages) {
    for (UINT16 R = 0; R < Page.RowCount; R++) {
      if (Page.Settings[R].Action == kActionPassword) return &Page.Settings[R];
    }
  }
  return nullptr;
}

// Three wrong tries at start-up: setup does not open.
void Refuse(SetupScreenState &S) {
  S.Refused = true;
  FillScreenRect(*S.C, 0, kHeaderHeight, 1024, 768 - kHeaderHeight, kBackdrop);
  ShowTextBox(*S.C, 300, 360, 424, 40, kBackdrop, kTitleColor, 0, 8, 1500, W("Setup is locked."));
  S.Phase = kPhaseDone;
}

void ClosePassword(SetupScreenState &S, bool Accept) {
  const UINT16 Mode = S.PasswordMode;
  if (Mode == kPasswordUnlock && !Accept) {
    return;  // nothing opens without the password
  }
  const bool Typed = S.PasswordText[0] != 0;
  bool Match = false;
  if (Accept && Mode != kPasswordNew) {
    UINT8 Hash[kSetupHashBytes];
    HashPassword(S.PasswordSalt, S.PasswordText, Hash);
    Match = S.PasswordSet && SameBytes(Hash, S.PasswordHash, kSetupHashBytes);
    WipeBytes(Hash, sizeof(Hash));
  } else if (Accept && Typed) {
    NewSalt(S);
    HashPassword(S.PasswordSalt, S.PasswordText, S.PasswordHash);
  }
  // The typed text goes as soon as it is hashed.
  WipeBytes(S.PasswordText, sizeof(S.PasswordText));
  RestoreUnderPopup(S);
  SetupSetting &Set = *S.Opened;
  switch (Mode) {
    case kPasswordUnlock:
      if (Match) {
        S.Phase = kPhaseBrowsing;
        S.Opened = nullptr;
        SetupPaintAll(S);
      } else if (++S.WrongTries >= kSetupUnlockTries) {
        Refuse(S);
      } else {
        OpenPasswordDialog(S, kPasswordUnlock, W("Wrong password, try again"));
      }
      return;
    case kPasswordCurrent:
      if (Match) {
        OpenPasswordDialog(S, kPasswordNew, W("New password, empty for none"));
        return;
      }
      break;
    default:
      if (Accept) {
        S.PasswordSet = Typed;
        if (!Typed) {
          WipeBytes(S.PasswordSalt, kSetupSaltBytes);
          WipeBytes(S.PasswordHash, kSetupHashBytes);
        }
        SetValue(Set, Typed ? W("Set") : W("Not set"));
      }
      break;
  }
  BackToPage(S);
}

// ---------------------------------------------------------------- save and exit

// ---------------------------------------------------------------- save and exit

CHAR16 *const kConfirmLines[2] = {W("Save configuration changes and exit?"),
                                  W("Setup closes afterwards.")};
CHAR16 *const kConfirmButtons[2] = {W("Save"), W("Cancel")};

void OpenConfirm(SetupScreenState &S) {
  if (UI(InitMessageBox, &S.Confirm, 330, 290, 360, 150, 2, const_cast<CHAR16 **>(kConfirmLines), 2,
         const_cast<CHAR16 **>(kConfirmButtons)) != 0 ||
      !SaveUnder(S, S.Confirm.X, S.Confirm.Y, S.Confirm.Width, S.Confirm.Height)) {
    return;
  }
  S.Confirm.HotButton = 1;  // Save has the focus
  S.Confirm.HotState = 2;
  S.Phase = kPhaseConfirmExit;
  UI(PaintMessageBox, &S.Confirm);
}

// The settings are written: a progress bar in the box's place, step by step.
void ShowProgress(SetupScreenState &S) {
  constexpr INT32 kW = 360, kH = 24;
  ORVANE_PIXEL *Bar = AllocPixels(*S.C, (UINTN)kW * kH);
  if (Bar == nullptr) {
    return;
  }
  for (INT32 Percent = 0; Percent <= 100; Percent += 20) {
    FillPixels(Bar, (UINTN)kW * kH, kBackdrop);
    UI(DrawProgressBar, Bar, 0, 0, 0, 0, kW, kH, W("Saving"), Percent);
    UI(BlitToScreen, Bar, kW, kH, 330, 460);
    if (S.Pause != nullptr) S.Pause(S.C, 150000);
  }
  FreePixels(*S.C, Bar);
}

void Confirmed(SetupScreenState &S, UINT16 Button) {
  if (Button == 1) {
    RestoreUnderPopup(S);
    if (S.Store != nullptr) {
      SetupRecord R;
      SetupCollect(S, R);
      S.SaveStatus = SetupWriteRecord(S.Store, R);
      S.SaveTried = true;
      WipeBytes(&R, sizeof(R));
    }
    ShowProgress(S);
    Leave(S, true);
    return;
  }
  RestoreUnderPopup(S);
  S.Phase = kPhaseBrowsing;
}

void RestoreUnderPopup(SetupScreenState &S) {
  if (S.Saved == nullptr) {
    return;
  }
  const Rect &R = S.SavedRect;
  UI(BlitToScreen, S.Saved, R.Width, R.Height, R.X, R.Y);
  FreePixels(*S.C, S.Saved);
  S.Saved = nullptr;
}

}  // namespace

void OpenPasswordDialog(SetupScreenState &S, UINT16 Mode, const CHAR16 *Title) {
  WipeBytes(S.PasswordText, sizeof(S.PasswordText));
  const UINT16 Buttons = Mode == kPasswordUnlock ? 1 : 2;
  if (UI(InitInputDialog, &S.Password, 300, 300, 424, 190, Title, 0, W("Password"), S.PasswordText,
         kSetupPasswordChars, 0, Buttons, kPasswordButtons) != 0 ||
      !SaveUnder(S, S.Password.x, S.Password.y, S.Password.width, S.Password.height)) {
    return;
  }
  S.Password.closeShown = Mode == kPasswordUnlock ? 0 : 1;
  S.Password.closeState = 0;
  S.PasswordMode = Mode;
  S.Opened = PasswordRow(S);
  S.Phase = Mode == kPasswordUnlock ? kPhaseUnlock : kPhasePassword;
  UI(PaintInputDialog, &S.Password);
}

void OpenRowAction(SetupScreenState &S) {
  SetupSetting &Set = Current(S);
  switch (Set.Action) {
    case kActionChoice:
    case kActionOrder: OpenOption(S, Set); break;
    case kActionList: OpenList(S, Set); break;
    case kActionPassword:
      if (S.PasswordSet) {
        OpenPasswordDialog(S, kPasswordCurrent, W("Current password"));
      } else {
        OpenPasswordDialog(S, kPasswordNew, W("Supervisor password"));
      }
      break;
    case kActionSaveExit: OpenConfirm(S); break;
    case kActionDiscardExit: Leave(S, false); break;
    default: break;
  }
}

void OptionInput(SetupScreenState &S, const SetupInput &E, bool Pressed, bool Released) {
  const UINT16 Entry = Shown(S);
  if (E.Key == kSetupKeyEscape || E.Key == kSetupKeyEnter) {
    CloseOption(S, E.Key == kSetupKeyEnter);
    return;
  }
  if (E.Key == kSetupKeyUp || E.Key == kSetupKeyDown) {
    UI(TrackOptionPopup, &S.Options, Entry, 0, 0, 2, E.Key == kSetupKeyUp ? 1 : 2);
    UI(PaintOptionPopup, &S.Options);
    return;
  }
  if (E.Key != kSetupKeyNone) {
    return;
  }
  // A press picks a row up (or presses the close box), moves drag it, and the
  // release drops it; a release where nothing moved picks the choice.
  const UINT16 Kind = E.Down ? 1 : 2;
  const UINTN Result = S.C->Ui->TrackOptionPopup(&S.Options, Entry, E.X, E.Y, Kind, 0);
  Tally(*S.C, Result == kCloseBoxPressed ? 0 : Result, "TrackOptionPopup");
  // A swap moves the focus with the dragged item.
  if (Pressed) {
    S.OptionMoved = false;
    S.OptionGrabbed = S.Options.state.focus;
  } else if (S.Options.state.focus != S.OptionGrabbed) {
    S.OptionMoved = S.OptionMoved || S.Options.state.dragging || E.Down;
  }
  UI(PaintOptionPopup, &S.Options);
  if (Pressed && Result == kCloseBoxPressed) {
    CloseOption(S, false);
    return;
  }
  if (Released && !S.OptionMoved && S.Opened->Action == kActionChoice &&
      S.Options.state.focus != kOptionNoFocus) {
    CloseOption(S, true);
  }
}

void ListInput(SetupScreenState &S, const SetupInput &E, bool Pressed, bool Released) {
  ListPopup &L = S.List;
  switch (E.Key) {
    case kSetupKeyEscape:
    case kSetupKeyEnter: CloseList(S, E.Key == kSetupKeyEnter); return;
    case kSetupKeyUp:
    case kSetupKeyDown: {
      const INT16 Last = (INT16)(L.itemCount - 1);
      INT16 Row = L.selectedRow < 0 ? 0 : L.selectedRow + (E.Key == kSetupKeyUp ? -1 : 1);
      L.selectedRow = Row < 0 ? 0 : (Row > Last ? Last : Row);
      KeepSelectionInView(S, E.Key == kSetupKeyDown);
      UI(PaintListPopup, &L);
      return;
    }
    case kSetupKeyNone: break;
    default: return;
  }
  if (S.GrabY >= 0) {  // the thumb follows the pointer until the release
    if (!E.Down) {
      S.GrabY = -1;
      UI(ScrollListPopup, &L, 0, 0);
    } else {
      UI(ScrollListPopup, &L, 2, E.Y - S.GrabY);
      S.GrabY = E.Y;
    }
    UI(PaintListPopup, &L);
    return;
  }
  if (!Pressed) {
    if (Released) UI(ScrollListPopup, &L, 0, 0);  // no arrow stays dark
    L.closeState = S.C->Ui->HitTestListPopup(&L, E.X, E.Y, 2) == ORVANE_LIST_HIT_CLOSE ? 1 : 0;
    UI(PaintListPopup, &L);
    return;
  }
  // A press on the selected row takes it; on another row selects it.
  const INT16 Selected = L.selectedRow;
  L.selectedRow = -1;
  const UINTN Hit = S.C->Ui->HitTestListPopup(&L, E.X, E.Y, 1);
  const INT16 Row = L.selectedRow;
  L.selectedRow = Row >= 0 ? Row : Selected;
  const INT32 Step = ListStep(L);
  switch (Hit) {
    case ORVANE_LIST_HIT_CLOSE:
      L.closeState = 2;
      UI(PaintListPopup, &L);
      CloseList(S, false);
      return;
    case ORVANE_LIST_HIT_LIST:
      if (Row >= 0 && Row == Selected) {
        CloseList(S, true);
        return;
      }
      break;
    case ORVANE_LIST_HIT_UP_ARROW: UI(ScrollListPopup, &L, 1, -Step); break;
    case ORVANE_LIST_HIT_DOWN_ARROW: UI(ScrollListPopup, &L, 3, Step); break;
    case ORVANE_LIST_HIT_TRACK_ABOVE: UI(ScrollListPopup, &L, 0, -(INT32)L.thumbLength); break;
    case ORVANE_LIST_HIT_TRACK_BELOW: UI(ScrollListPopup, &L, 0, (INT32)L.thumbLength); break;
    case ORVANE_LIST_HIT_THUMB:
      S.GrabY = E.Y;
      UI(ScrollListPopup, &L, 2, 0);
      break;
    default: break;
  }
  UI(PaintListPopup, &L);
}

void PasswordInput(SetupScreenState &S, const SetupInput &E, bool Pressed, bool Released) {
  InputDialog &D = S.Password;
  UINTN Length = 0;
  while (S.PasswordText[Length] != 0) Length++;
  switch (E.Key) {
    case kSetupKeyEnter:
    case kSetupKeyEscape: ClosePassword(S, E.Key == kSetupKeyEnter); return;
    case kSetupKeyChar:
      if (Length < kSetupPasswordChars && E.Char >= 0x20 && E.Char < 0x7F) {
        S.PasswordText[Length] = E.Char;
        S.PasswordText[Length + 1] = 0;
        UI(PaintInputDialog, &D);
      }
      return;
    case kSetupKeyBackspace:
      if (Length > 0) {
        S.PasswordText[Length - 1] = 0;
        UI(PaintInputDialog, &D);
      }
      return;
    case kSetupKeyNone: break;
    default: return;
  }
  // A button shows pressed while the pointer holds it and acts on the release.
  UI(HitTestInputDialog, &D, E.X, E.Y);
  const INT16 Under = D.hotButton;
  if (Released) {
    D.hotButton = 0;
    D.closeState = 0;
    if (Under == 1 || Under == 2 || Under == ORVANE_DIALOG_HIT_CLOSE) {
      ClosePassword(S, Under == 1);
      return;
    }
  } else if (!E.Down) {
    D.hotButton = 0;  // hovering: only the close box lights
    D.closeState = Under == ORVANE_DIALOG_HIT_CLOSE ? 1 : 0;
  } else {
    D.closeState = Under == ORVANE_DIALOG_HIT_CLOSE ? 2 : 0;
    if (Under == ORVANE_DIALOG_HIT_CLOSE) D.hotButton = 0;
  }
  UI(PaintInputDialog, &D);
}

void ConfirmInput(SetupScreenState &S, const SetupInput &E, bool Pressed, bool Released) {
  MessageBox &B = S.Confirm;
  switch (E.Key) {
    case kSetupKeyLeft:
    case kSetupKeyRight:
      B.HotButton = E.Key == kSetupKeyLeft ? 1 : 2;
      B.HotState = 2;
      UI(PaintMessageBox, &B);
      return;
    case kSetupKeyEnter: Confirmed(S, B.HotButton); return;
    case kSetupKeyEscape: Confirmed(S, 2); return;
    case kSetupKeyNone: break;
    default: return;
  }
  const UINT16 Before = B.HotButton, BeforeState = B.HotState;
  UI(HitTestMessageBox, &B, E.X, E.Y);
  if (B.HotButton == 0) {
    B.HotButton = Before;  // off the buttons the focus stays where it was
    B.HotState = 2;
  } else if (E.Down) {
    B.HotState = 1;
  } else if (Released) {
    Confirmed(S, B.HotButton);
    return;
  }
  if (B.HotButton != Before || B.HotState != BeforeState || Pressed) {
    UI(PaintMessageBox, &B);
  }
}

namespace {

void Leave(SetupScreenState &S, bool Saved) {
  const SceneContext &C = *S.C;
  constexpr INT32 kW = 1024, kH = 768;
  ORVANE_PIXEL *Farewell = AllocPixels(C, (UINTN)kW * kH);
  // The screen dims, then the farewell picture comes over it.
  if (CaptureScreen(S)) {
    UI(DimCapturedScreen, 4);
  }
  if (Farewell != nullptr) {
    FillPixels(Farewell, (UINTN)kW * kH, 0x00000000);
    ComposeText(C, Farewell, kW, kH, 0x00000000, kTitleColor, 340, 360, 1500,
                !Saved                                       ? W("Leaving setup")
                : S.SaveTried && S.SaveStatus != EFI_SUCCESS ? W("Settings not saved. Goodbye")
                                                             : W("Settings saved. Goodbye"));
    if (C.Announce != nullptr) C.Announce(&C, Saved ? "wipe" : "dissolve");
    if (Saved) {
      UI(WipeTransition, Farewell, kW, kH, 0, 0);
    } else {
      UI(DissolveTransition, Farewell, kW, kH, 0, 0);
    }
  }
  FreePixels(C, Farewell);
  if (S.Captured != nullptr) {
    UI(ReleaseCapturedScreen);
    S.Captured = nullptr;
  }
  S.Phase = kPhaseDone;
}

}  // namespace

}  // namespace setup
