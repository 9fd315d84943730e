// The setup screen's state: the pages it offers, opening and closing, and the
// dispatch of input events to the part of the screen that has them.
#include "frontend/setup/sha256.h"
#include "frontend/setup/ui.h"

namespace setup {

void CopyText(CHAR16 *Into, UINTN Size, const CHAR16 *From) {
  UINTN N = 0;
  for (; From != nullptr && From[N] != 0 && N + 1 < Size; N++) Into[N] = From[N];
  Into[N] = 0;
}

SetupSetting &Current(SetupScreenState &S) { return S.Pages[S.Page].Settings[S.Row]; }

namespace {

// A row as the pages define it.
struct RowLayout {
  const CHAR16 *Label;
  UINT16 Action;
  UINT16 PopupKind;
  UINT16 CellFlags;  // 2: disabled
  UINT8 Chevron;
  const CHAR16 *Value;
  UINT16 ItemCount;
  const CHAR16 *Items[kSetupMaxItems];
};

struct PageLayout {
  const CHAR16 *Title;
  UINT16 Picture;  // the dock's picture kind
  UINT16 RowCount;
  RowLayout Rows[kSetupMaxRows];
};

// The same strings in every build; the settings point into them.
const PageLayout kPageLayouts[kSetupPages] = {
    {W("Main"),
     0,
     4,
     {{W("Language"),
       kActionChoice,
       0,
       0,
       0,
       nullptr,
       4,
       {W("English"), W("Deutsch"), W("Nederlands"), W("Svenska")}},
      {W("Keyboard layout"),
       kActionList,
       0,
       0,
       0,
       nullptr,
       12,
       {W("US"), W("UK"), W("German"), W("French"), W("Spanish"), W("Italian"), W("Swiss"),
        W("Dutch"), W("Danish"), W("Norwegian"), W("Swedish"), W("Finnish")}},
      {W("Processor"), kActionNone, 0, 2, 0, W("x86-64, 4 cores"), 0, {}},
      {W("System memory"), kActionNone, 0, 0, 0, W("4096 MB"), 0, {}}}},
    {W("Advanced"),
     1,
     3,
     {{W("Virtualization"), kActionChoice, 2, 0, 0, nullptr, 2, {W("Enabled"), W("Disabled")}},
      {W("Wake on LAN"), kActionChoice, 3, 0, 0, nullptr, 2, {W("Disabled"), W("Enabled")}},
      {W("Fan duty"), kActionSlider, 0, 0, 0, nullptr, 0, {}}}},
    {W("Boot"),
     2,
     3,
     {{W("Boot order"),
       kActionOrder,
       16,
       0,
       1,
       nullptr,
       4,
       {W("Windows Boot Manager"), W("debian"), W("UEFI PXE over IPv4"), W("UEFI shell")}},
      {W("Boot mode"), kActionChoice, 4, 0, 0, nullptr, 2, {W("UEFI"), W("Legacy")}},
      {W("Fast boot"), kActionChoice, 5, 0, 0, nullptr, 2, {W("Enabled"), W("Disabled")}}}},
    {W("Security"),
     7,
     2,
     {{W("Supervisor password"), kActionPassword, 0, 0, 1, W("Not set"), 0, {}},
      {W("Secure boot"),
       kActionChoice,
       6,
       0,
       0,
       nullptr,
       3,
       {W("Enabled"), W("Disabled"), W("Setup mode")}}}},
    {W("Exit"),
     6,
     2,
     {{W("Save changes and exit"), kActionSaveExit, 0, 0, 0, W(""), 0, {}},
      {W("Discard changes and exit"), kActionDiscardExit, 0, 0, 0, W(""), 0, {}}}},
};

// What the help box says about each row, page by page.
const CHAR16 *const kHelp[kSetupPages][kSetupMaxRows] = {
    {W("The language of setup's own texts."),
     W("The layout the keyboard types in; the list scrolls."),
     W("Reported by the processor; it cannot be changed here."), W("Memory found at start-up.")},
    {W("Lets a hypervisor use the processor's virtualisation."),
     W("Starts the machine when the network asks for it."),
     W("The fan's share of full speed; the gauge follows.")},
    {W("The order in which boot entries are tried; drag to reorder."),
     W("UEFI boots from boot entries; Legacy from disk sectors."),
     W("Skips the slower device checks at start-up.")},
    {W("Asked for before setup opens; typed masked."), W("Starts only signed boot loaders.")},
    {W("Keeps the changes and leaves setup."), W("Forgets the changes and leaves setup.")},
};

constexpr UINT16 kSliderSteps = 21;  // 5 % a step
constexpr UINT16 kFanStart = 12;     // 60 %

// Fills the page records from the table; values start at the first item.
void FillPages(SetupScreenState &S) {
  for (UINT16 P = 0; P < kSetupPages; P++) {
    const PageLayout &Layout = kPageLayouts[P];
    SetupPage &Page = S.Pages[P];
    Page.Title = Layout.Title;
    Page.RowCount = Layout.RowCount;
    for (UINT16 R = 0; R < Layout.RowCount; R++) {
      const RowLayout &Rs = Layout.Rows[R];
      SetupSetting &Set = Page.Settings[R];
      Set.Action = Rs.Action;
      Set.Help = kHelp[P][R];
      Set.PopupKind = Rs.PopupKind;
      Set.ItemCount = Rs.ItemCount;
      for (UINT16 I = 0; I < Rs.ItemCount; I++) Set.Items[I] = Rs.Items[I];
      CopyText(Set.ValueText, 24, Rs.Value != nullptr ? Rs.Value : Rs.Items[0]);
      S.C->Ui->InitSettingRow(&Set.Row, kPageX, kRowY + R * kRowPitch, kRowWidth, kLabelWidth,
                              Rs.Action == kActionSlider ? kSliderLength : 0, 0,
                              Rs.Action == kActionSlider ? kSliderSteps : 0, 0, 0, 0,
                              const_cast<CHAR16 *>(Rs.Label), Set.ValueText, Rs.CellFlags, 2,
                              Rs.Chevron);
      if (Rs.Action == kActionSlider) {
        Set.Row.stepIndex = kFanStart;
        Set.Row.stepMode = 1;
      }
    }
  }
}

bool SameText(const CHAR16 *A, const CHAR16 *B) {
  while (*A != 0 && *A == *B) A++, B++;
  return *A == *B;
}

bool Picks(UINT16 Action) { return Action == kActionChoice || Action == kActionList; }

// True when Order[0..Count) holds each of 0..Count-1 once and the rest is 0.
bool IsOrder(const UINT8 *Order, UINTN Count, UINTN Size) {
  UINT32 Seen = 0;
  for (UINTN I = 0; I < Size; I++) {
    if (I >= Count) {
      if (Order[I] != 0) return false;
    } else if (Order[I] >= Count || (Seen & (1u << Order[I])) != 0) {
      return false;
    } else {
      Seen |= 1u << Order[I];
    }
  }
  return true;
}

// The kept values into the records, before anything is drawn.
void Apply(SetupScreenState &S, const SetupRecord &R) {
  for (UINT16 P = 0; P < kSetupPages; P++) {
    const PageLayout &Layout = kPageLayouts[P];
    for (UINT16 Row = 0; Row < Layout.RowCount; Row++) {
      const RowLayout &Rs = Layout.Rows[Row];
      SetupSetting &Set = S.Pages[P].Settings[Row];
      if (Picks(Rs.Action)) {
        CopyText(Set.ValueText, 24, Rs.Items[R.Value[P][Row]]);
      } else if (Rs.Action == kActionOrder) {
        for (UINT16 I = 0; I < Rs.ItemCount; I++) {
          Set.Items[I] = const_cast<CHAR16 *>(Rs.Items[R.BootOrder[I]]);
        }
        CopyText(Set.ValueText, 24, Set.Items[0]);
      } else if (Rs.Action == kActionSlider && R.FanStep != kFanStart) {
        Set.Row.stepIndex = R.FanStep;
        S.FanPercent = (UINTN)R.FanStep * 100 / (kSliderSteps - 1);
        FormatNumber(Set.ValueText, S.FanPercent, W(" %"));
      } else if (Rs.Action == kActionPassword) {
        CopyText(Set.ValueText, 24, R.PasswordSet ? W("Set") : W("Not set"));
      }
    }
  }
  for (UINT16 I = 0; I < kSetupPages; I++) {
    S.DockLabels[I] = const_cast<CHAR16 *>(kPageLayouts[R.DockOrder[I]].Title);
    S.DockFlags[I] = kPageLayouts[R.DockOrder[I]].Picture;
    S.DockActive[I] = R.DockOrder[I] == 0 ? 1 : 0;
  }
  S.PasswordSet = R.PasswordSet != 0;
  for (UINTN I = 0; I < kSetupSaltBytes; I++) S.PasswordSalt[I] = R.PasswordSalt[I];
  for (UINTN I = 0; I < kSetupHashBytes; I++) S.PasswordHash[I] = R.PasswordHash[I];
}

}  // namespace

void HashPassword(const UINT8 Salt[kSetupSaltBytes], const CHAR16 *Text,
                  UINT8 Hash[kSetupHashBytes]) {
  Sha256 H;
  Sha256Start(H);
  Sha256Add(H, Salt, kSetupSaltBytes);
  // The characters as UTF-16LE, the same bytes in every build.
  for (UINTN I = 0; Text[I] != 0; I++) {
    const UINT8 Bytes[2] = {(UINT8)Text[I], (UINT8)(Text[I] >> 8)};
    Sha256Add(H, Bytes, 2);
  }
  Sha256Finish(H, Hash);
}

}  // namespace setup

using namespace setup;

void SetupDefaults(SetupRecord &Out) {
  Out = {};
  for (UINT16 I = 0; I < kSetupMaxItems; I++) Out.BootOrder[I] = 0;
  for (UINT16 P = 0; P < kSetupPages; P++) {
    for (UINT16 R = 0; R < kPageLayouts[P].RowCount; R++) {
      if (kPageLayouts[P].Rows[R].Action == kActionOrder) {
        for (UINT16 I = 0; I < kPageLayouts[P].Rows[R].ItemCount; I++) Out.BootOrder[I] = (UINT8)I;
      }
    }
    Out.DockOrder[P] = (UINT8)P;
  }
  Out.FanStep = kFanStart;
}

bool SetupRecordValid(const SetupRecord &R) {
  for (UINT16 P = 0; P < kSetupPages; P++) {
    const PageLayout &Layout = kPageLayouts[P];
    for (UINT16 Row = 0; Row < kSetupMaxRows; Row++) {
      const bool Real = Row < Layout.RowCount;
      const UINT16 Action = Real ? Layout.Rows[Row].Action : (UINT16)kActionNone;
      if (Picks(Action) ? R.Value[P][Row] >= Layout.Rows[Row].ItemCount : R.Value[P][Row] != 0) {
        return false;
      }
      if (Action == kActionOrder &&
          !IsOrder(R.BootOrder, Layout.Rows[Row].ItemCount, kSetupMaxItems)) {
        return false;
      }
    }
  }
  return IsOrder(R.DockOrder, kSetupPages, kSetupPages) && R.FanStep < kSliderSteps &&
         R.PasswordSet <= 1;
}

UINT16 SetupLoadSettings(EFI_RUNTIME_SERVICES *Rt, SetupRecord &Out) {
  UINT16 Status = SetupReadRecord(Rt, Out);
  if (Status == kRecordLoaded && !SetupRecordValid(Out)) Status = kRecordBadValue;
  if (Status != kRecordLoaded) SetupDefaults(Out);
  return Status;
}

void SetupCollect(const SetupScreenState &S, SetupRecord &Out) {
  SetupDefaults(Out);
  for (UINT16 P = 0; P < kSetupPages; P++) {
    const PageLayout &Layout = kPageLayouts[P];
    for (UINT16 Row = 0; Row < Layout.RowCount; Row++) {
      const RowLayout &Rs = Layout.Rows[Row];
      const SetupSetting &Set = S.Pages[P].Settings[Row];
      for (UINT16 I = 0; I < Rs.ItemCount; I++) {
        if (Picks(Rs.Action) && SameText(Rs.Items[I], Set.ValueText)) Out.Value[P][Row] = (UINT8)I;
        for (UINT16 At = 0; Rs.Action == kActionOrder && At < Rs.ItemCount; At++) {
          if (Set.Items[At] == Rs.Items[I]) Out.BootOrder[At] = (UINT8)I;
        }
      }
      if (Rs.Action == kActionSlider) Out.FanStep = (UINT8)Set.Row.stepIndex;
    }
  }
  for (UINT16 I = 0; I < kSetupPages; I++) {
    for (UINT16 P = 0; P < kSetupPages; P++) {
      if (S.DockLabels[I] == kPageLayouts[P].Title) Out.DockOrder[I] = (UINT8)P;
    }
  }
  Out.PasswordSet = S.PasswordSet ? 1 : 0;
  for (UINTN I = 0; I < kSetupSaltBytes; I++) Out.PasswordSalt[I] = S.PasswordSalt[I];
  for (UINTN I = 0; I < kSetupHashBytes; I++) Out.PasswordHash[I] = S.PasswordHash[I];
}

bool SetupOpen(SetupScreenState &S, const SceneContext &C, const CHAR16 *Time, SETUP_PAUSE Pause,
               const SetupRecord *Start) {
  S = {};
  S.C = &C;
  S.Pause = Pause;
  S.GrabY = -1;
  S.Temperature = 46;
  S.FanPercent = kFanStart * 5;
  FillPages(S);
  UI(ResetOptionPopups, &S.Options);
  for (UINT16 P = 0; P < kSetupPages; P++) {
    S.DockLabels[P] = kPageLayouts[P].Title;
    S.DockFlags[P] = kPageLayouts[P].Picture;
  }
  S.DockActive[0] = 1;
  if (Start != nullptr) Apply(S, *Start);
  CopyText(S.ClockText, 6, Time);

  // The dock and the clock keep the screen under their strips, so what lies
  // under them is drawn first.
  PaintDecoration(S);
  PaintHeader(S);
  bool Ready = UI(InitIconDock, &S.Dock, kDockX, kDockY, kSetupPages, S.DockLabels, S.DockFlags,
                  S.DockActive) == EFI_SUCCESS;
  // Measured first without a capture, then placed against the right edge.
  DigitReadout Probe = {};
  Ready = UI(InitDigitReadout, &Probe, 0, 0, S.ClockText, 0, 0) == EFI_SUCCESS && Ready;
  if (Probe.text != S.ClockText) FreePixels(C, Probe.text);
  Ready = Ready &&
          UI(InitDigitReadout, &S.Clock, 1000 - Probe.width, 28, S.ClockText, 0, 1) == EFI_SUCCESS;
  if (!Ready) {
    return false;
  }
  if (S.PasswordSet) {
    // Nothing of the pages shows before the password is given.
    UI(PaintDigitReadout, &S.Clock);
    OpenPasswordDialog(S, kPasswordUnlock, W("Supervisor password"));
    return S.Phase == kPhaseUnlock;
  }
  SetupPaintAll(S);
  return true;
}

void SetupPaintAll(SetupScreenState &S) {
  PaintDecoration(S);
  PaintHeader(S);
  UI(PaintDigitReadout, &S.Clock);
  PaintDock(S);
  PaintPage(S);
  PaintGauge(S);
  PaintFooter(S);
}

void SetupTick(SetupScreenState &S, const CHAR16 *Time) {
  bool Same = true;
  for (UINTN I = 0; I < 5; I++) Same = Same && Time[I] == S.ClockText[I];
  if (Same || S.Phase == kPhaseDone || S.Clock.background == nullptr) {
    return;
  }
  // The readout keeps the caller's string; it shows what the buffer holds now.
  CopyText(S.ClockText, 6, Time);
  const bool Cursor = S.CursorShown;
  HideCursor(S);
  UI(PaintDigitReadout, &S.Clock);
  if (Cursor) ShowCursor(S);
}

namespace {

void Dispatch(SetupScreenState &S, const SetupInput &E) {
  bool Pressed = false, Released = false;
  if (E.Key == kSetupKeyNone) {
    Pressed = E.Down && !S.PointerDown;
    Released = !E.Down && S.PointerDown;
    S.PointerDown = E.Down;
    S.PointerX = E.X;
    S.PointerY = E.Y;
  }
  if (S.HeldByClosedPopup && E.Key == kSetupKeyNone) {
    S.HeldByClosedPopup = E.Down;
    return;
  }
  const UINT16 Phase = S.Phase;
  switch (S.Phase) {
    case kPhaseOptionPopup: OptionInput(S, E, Pressed, Released); break;
    case kPhaseListPopup: ListInput(S, E, Pressed, Released); break;
    case kPhaseUnlock:
    case kPhasePassword: PasswordInput(S, E, Pressed, Released); break;
    case kPhaseConfirmExit: ConfirmInput(S, E, Pressed, Released); break;
    default:
      if (E.Key == kSetupKeyNone) {
        BrowsePointer(S, E, Pressed, Released);
      } else {
        BrowseKey(S, E);
      }
      break;
  }
  S.HeldByClosedPopup = Phase != kPhaseBrowsing && S.Phase == kPhaseBrowsing && E.Down;
}

}  // namespace

void SetupHandle(SetupScreenState &S, const SetupInput &E) {
  if (S.Phase == kPhaseDone) {
    return;
  }
  S.Handled++;
  // The arrow goes before anything paints; a key leaves it hidden.
  HideCursor(S);
  Dispatch(S, E);
  if (E.Key == kSetupKeyNone && S.Phase != kPhaseDone) ShowCursor(S);
}

void SetupClose(SetupScreenState &S) {
  if (S.C == nullptr) {
    return;
  }
  const SceneContext &C = *S.C;
  if (S.Options.state.savedBackground != nullptr) {
    UI(CloseOptionPopup, &S.Options);
  }
  for (OptionPopupEntry &E : S.Options.entries) {
    FreePixels(C, E.icon);
    E.icon = nullptr;
  }
  if (S.List.textMask != nullptr) {
    UI(CloseListPopup, &S.List);
  }
  FreePixels(C, S.Saved);
  S.Saved = nullptr;
  if (S.Captured != nullptr) {
    UI(ReleaseCapturedScreen);
    S.Captured = nullptr;
  }
  FreePixels(C, S.Dock.stripBackground);
  S.Dock.stripBackground = nullptr;
  FreePixels(C, S.Clock.background);
  if (S.Clock.text != S.ClockText) FreePixels(C, S.Clock.text);
  S.Clock.background = nullptr;
  S.Clock.text = nullptr;
}
