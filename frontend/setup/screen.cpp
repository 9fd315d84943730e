// The setup screen's state: the pages it offers, opening and closing, and the
// dispatch of input events to the part of the screen that has them.
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

}  // namespace

}  // namespace setup

using namespace setup;

bool SetupOpen(SetupScreenState &S, const SceneContext &C, const CHAR16 *Time, SETUP_PAUSE Pause) {
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
  UI(PaintDigitReadout, &S.Clock);
}

void SetupHandle(SetupScreenState &S, const SetupInput &E) {
  if (S.Phase == kPhaseDone) {
    return;
  }
  S.Handled++;
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
