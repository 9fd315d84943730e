#include "frontend/screen_timing.h"

#include "frontend/checks.h"
#include "platform/guids.h"

namespace {

UINT64 Ticks() { return __builtin_ia32_rdtsc(); }

constexpr UINT32 kBackdrop = 0x00101820;
constexpr INT32 kProgressW = 460, kProgressH = 24;

CHAR16 *const kDockLabels[8] = {W("Home"),    W("Settings"), W("Files"), W("Processor"),
                                W("Display"), W("Network"),  W("Power"), W("About")};
UINT16 kDockFlags[8] = {0x00, 0x11, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07};
UINT16 kDockActive[8] = {0, 0, 0, 0, 0, 0, 1, 0};

struct RowText {
  const CHAR16 *Label, *Value;
  UINT16 Flags;
  INT16 Kind;
  UINT8 Chevron;
};
const RowText kRows[6] = {
    {W("Boot mode"), W("UEFI"), 0, 2, 0},      {W("Fan speed"), W("Auto"), 1, 4, 0},
    {W("Wake on LAN"), W("Off"), 2, 2, 0},     {W("Advanced"), W("More"), 0, 2, 1},
    {W("Language"), W("English"), 0x20, 2, 0}, {W("Security"), W("Locked"), 2, 2, 1},
};

const CHAR16 *const kBootItems[8] = {W("UEFI Shell"),         W("Hard disk 0"),    W("NVMe drive"),
                                     W("USB stick"),          W("Network (IPv4)"), W("DVD drive"),
                                     W("Recovery partition"), W("Memory test")};
CHAR16 *const kFanModes[4] = {W("Performance"), W("Balanced"), W("Quiet"), W("Power saver")};
CHAR16 *const kBoxLines[1] = {W("Save changes and exit?")};
CHAR16 *const kBoxCaptions[2] = {W("Yes"), W("No")};
const CHAR16 *const kDialogButtons[2] = {W("OK"), W("Cancel")};

// The font service's StringToImage and the pool calls while they are counted.
// Pool calls made by the font service count as the font service's.
constinit EFI_HII_FONT_PROTOCOL *gCountedFont = nullptr;
constinit EFI_BOOT_SERVICES *gCountedBs = nullptr;
constinit EFI_HII_STRING_TO_IMAGE gFontEntry = nullptr;
constinit EFI_ALLOCATE_POOL gAllocateEntry = nullptr;
constinit EFI_FREE_POOL gFreeEntry = nullptr;
constinit UINT64 gFontTicks = 0, gFontCalls = 0, gPoolTicks = 0, gPoolCalls = 0, gFontFreeTicks = 0;
constinit bool gInFont = false;
// Blocks the font service allocated and has not seen freed: freeing them is
// counted apart (the screen-sized images the service hands back).
constexpr UINTN kFontBlocks = 64;
constinit VOID *gFontBlocks[kFontBlocks] = {};

bool ForgetFontBlock(VOID *Block) {
  for (VOID *&B : gFontBlocks) {
    if (B == Block && Block != nullptr) {
      B = nullptr;
      return true;
    }
  }
  return false;
}

EFI_STATUS EFIAPI CountedStringToImage(const EFI_HII_FONT_PROTOCOL *This, EFI_HII_OUT_FLAGS Flags,
                                       const CHAR16 *String, const EFI_FONT_DISPLAY_INFO *Info,
                                       EFI_IMAGE_OUTPUT **Blt, UINTN BltX, UINTN BltY,
                                       EFI_HII_ROW_INFO **Rows, UINTN *RowCount, UINTN *Columns) {
  gInFont = true;
  const UINT64 Start = Ticks();
  EFI_STATUS Status =
      gFontEntry(This, Flags, String, Info, Blt, BltX, BltY, Rows, RowCount, Columns);
  gFontTicks += Ticks() - Start;
  gFontCalls++;
  gInFont = false;
  return Status;
}

EFI_STATUS EFIAPI CountedAllocatePool(EFI_MEMORY_TYPE Type, UINTN Size, VOID **Buffer) {
  const UINT64 Start = Ticks();
  EFI_STATUS Status = gAllocateEntry(Type, Size, Buffer);
  if (gInFont && Status == EFI_SUCCESS) {
    for (VOID *&B : gFontBlocks) {
      if (B == nullptr) {
        B = *Buffer;
        break;
      }
    }
  }
  if (!gInFont) {
    gPoolTicks += Ticks() - Start;
    gPoolCalls++;
  }
  return Status;
}

EFI_STATUS EFIAPI CountedFreePool(VOID *Buffer) {
  const UINT64 Start = Ticks();
  EFI_STATUS Status = gFreeEntry(Buffer);
  const UINT64 Spent = Ticks() - Start;
  if (gInFont) return Status;
  if (ForgetFontBlock(Buffer)) {
    gFontFreeTicks += Spent;
  } else {
    gPoolTicks += Spent;
    gPoolCalls++;
  }
  return Status;
}

// Ratio A / B in thousandths (0 when B is 0).
UINT64 Thousandths(UINT64 A, UINT64 B) { return B == 0 ? 0 : (A * 1000 + B / 2) / B; }

}  // namespace

void PrepareSetupScreen(const SceneContext &C, SetupScreen &S) {
  S = {};
  FillScreen(C, kBackdrop);
  for (UINTN I = 0; I < 8; I++) S.DockLabels[I] = kDockLabels[I];
  UI(InitIconDock, &S.Dock, 40, 8, 8, S.DockLabels, kDockFlags, kDockActive);
  UI(TrackIconDock, &S.Dock, 40 + 2 * 51 + 20, 28, 2, 0);
  for (INT32 I = 0; I < 6; I++) {
    const RowText &R = kRows[I];
    UI(InitSettingRow, &S.Rows[I], 40, 110 + I * 30, 560, 240, 120, 0, 5, 0, 0, 0, R.Label, R.Value,
       R.Flags, R.Kind, R.Chevron);
  }
  const CHAR16 *Clock = W("12:34");
  for (UINTN I = 0; I < 6; I++) S.ClockText[I] = Clock[I];
  UI(InitDigitReadout, &S.Clock, 740, 20, S.ClockText, 0, 1);
  UI(OpenListPopup, &S.List, 40, 380, 360, 300, W("Boot order"), 0, 8, kBootItems, 2);
  S.List.selectedRow = 1;
  UI(InitMessageBox, &S.Box, 650, 580, 0, 0, 1, kBoxLines, 2, kBoxCaptions);
  UI(InitInputDialog, &S.Dialog, 640, 340, 340, 200, W("Machine name"), 1, W("Name:"),
     W("Orvane 42"), 20, 1, 2, kDialogButtons);
  UI(ResetOptionPopups, &S.Options);
  for (UINTN I = 0; I < 4; I++) S.OptionItems[I] = kFanModes[I];
  UI(DefineOptionPopup, &S.Options, 420, 400, 0, W("Fan profile"), 4, S.OptionItems);
  const OptionPopupEntry &E = S.Options.entries[0];
  UI(TrackOptionPopup, &S.Options, 0, E.x + 100, E.y + 67 + 46 + 20, 2, 0);
  S.Progress = AllocPixels(C, (UINTN)kProgressW * kProgressH);
}

void PaintEveryControlOnce(const SceneContext &C, SetupScreen &S) {
  UINTN Step = 0;
  UINT64 Last = Ticks();
  // Closes the current step: its ticks since the last one.
  auto Done = [&] {
    const UINT64 Now = Ticks();
    S.Ticks[Step++] = Now - Last;
    Last = Now;
  };
  UI(PaintIconDock, &S.Dock);
  Done();
  UI(PaintDigitReadout, &S.Clock);
  Done();
  for (SettingRow &R : S.Rows) UI(PaintSettingRow, &R);
  Done();
  UI(DrawScrollBar, 604, 110, 180, 20, 6, 0, 0);
  Done();
  UI(DrawGaugePanel, 640, 110, 360, 90, W("CPU"), W("Load 50%"), W("Temperature"), W("Core"), 50,
     50);
  Done();
  UI(DrawTile, 640, 210, 170, 100, 0);
  Done();
  UI(DrawTile, 830, 210, 170, 100, 1);
  Done();
  UI(DrawDividerStrip, 40, 300, 560, 30, 1, 280, 0);
  Done();
  UI(DrawDottedRule, 40, 340, 560);
  Done();
  if (S.Progress != nullptr) {
    UI(DrawProgressBar, S.Progress, 0, 0, 0, 0, kProgressW, kProgressH, W("Saving"), 53);
    UI(BlitToScreen, S.Progress, kProgressW, kProgressH, 40, 730);
  }
  Done();
  UI(PaintListPopup, &S.List);
  Done();
  UI(PaintInputDialog, &S.Dialog);
  Done();
  UI(PaintOptionPopup, &S.Options);
  Done();
  UI(PaintMessageBox, &S.Box);
  Done();
}

void ReleaseSetupScreen(const SceneContext &C, SetupScreen &S) {
  UI(CloseOptionPopup, &S.Options);
  for (OptionPopupEntry &E : S.Options.entries) {
    FreePixels(C, E.icon);
    E.icon = nullptr;
  }
  UI(CloseListPopup, &S.List);
  if (S.Clock.text != S.ClockText) FreePixels(C, S.Clock.text);
  FreePixels(C, S.Clock.background);
  FreePixels(C, S.Dock.stripBackground);
  FreePixels(C, S.Progress);
  S = {};
}

bool CountServiceTime(const SceneContext &C, bool On) {
  if (!On) {
    if (gCountedFont != nullptr) gCountedFont->StringToImage = gFontEntry;
    if (gCountedBs != nullptr) {
      gCountedBs->AllocatePool = gAllocateEntry;
      gCountedBs->FreePool = gFreeEntry;
    }
    gCountedFont = nullptr;
    gCountedBs = nullptr;
    return true;
  }
  EFI_HII_FONT_PROTOCOL *Font = nullptr;
  if (gCountedFont != nullptr ||
      C.Bs->LocateProtocol(&gHiiFontProtocolGuid, nullptr, (void **)&Font) != EFI_SUCCESS ||
      Font == nullptr) {
    return false;
  }
  gFontTicks = gFontCalls = gPoolTicks = gPoolCalls = gFontFreeTicks = 0;
  for (VOID *&B : gFontBlocks) B = nullptr;
  gFontEntry = Font->StringToImage;
  gCountedFont = Font;
  Font->StringToImage = CountedStringToImage;
  gCountedBs = C.Bs;
  gAllocateEntry = C.Bs->AllocatePool;
  gFreeEntry = C.Bs->FreePool;
  C.Bs->AllocatePool = CountedAllocatePool;
  C.Bs->FreePool = CountedFreePool;
  return true;
}

UINT64 FontTicks() { return gFontTicks; }
UINT64 FontCalls() { return gFontCalls; }

namespace {

const char *const kSetupScreenStepNames[kSetupScreenSteps] = {
    "dock",       "readout",      "rows",         "scroll-bar",  "gauges",
    "tile",       "active-tile",  "divider",      "dotted-rule", "progress",
    "list-popup", "input-dialog", "option-popup", "message-box"};

// Time-stamp counter ticks of one timed run.
struct ScreenTiming {
  UINT64 Screen;     // PaintEveryControlOnce
  UINT64 Font;       // of that, inside the font service's StringToImage
  UINT64 FontCalls;  // StringToImage calls during the paint
  UINT64 FontFree;   // of that, in FreePool of the blocks the font service handed back
  UINT64 Pool;       // of that, in the other AllocatePool and FreePool calls
  UINT64 PoolCalls;
  UINT64 Blit;                      // one full-screen BlitToScreen, the fastest of three
  UINTN Failed;                     // toolkit calls of the paint that did not answer 0
  UINT64 Steps[kSetupScreenSteps];  // each control's paint
};

// False when the service time could not be counted or the screen not read back.
bool TimeSetupScreen(const SceneContext &C, ScreenTiming &T) {
  T = {};
  SetupScreen S;
  PrepareSetupScreen(C, S);
  const bool Counted = CountServiceTime(C, true);
  const UINTN FailedBefore = C.FailedCalls;
  UINT64 Start = Ticks();
  PaintEveryControlOnce(C, S);
  T.Screen = Ticks() - Start;
  T.Failed = C.FailedCalls - FailedBefore;
  for (UINTN I = 0; I < kSetupScreenSteps; I++) T.Steps[I] = S.Ticks[I];
  CountServiceTime(C, false);
  T.Font = Counted ? gFontTicks : 0;
  T.FontCalls = Counted ? gFontCalls : 0;
  T.Pool = Counted ? gPoolTicks : 0;
  T.PoolCalls = Counted ? gPoolCalls : 0;
  T.FontFree = Counted ? gFontFreeTicks : 0;

  const UINT32 SW = C.Gop->Mode->Info->HorizontalResolution,
               SH = C.Gop->Mode->Info->VerticalResolution;
  ORVANE_PIXEL *Whole = AllocPixels(C, (UINTN)SW * SH);
  bool Blitted = Whole != nullptr && ReadScreen(C, Whole, 0, 0, SW, SH);
  for (int I = 0; Blitted && I < 3; I++) {
    Start = Ticks();
    C.Ui->BlitToScreen(Whole, (INT32)SW, (INT32)SH, 0, 0);
    const UINT64 Spent = Ticks() - Start;
    if (I == 0 || Spent < T.Blit) T.Blit = Spent;
  }
  FreePixels(C, Whole);
  ReleaseSetupScreen(C, S);
  return Blitted && Counted;
}

}  // namespace

void ReportScreenTiming(const SceneContext &C, SCREEN_TIMING_INFO Info) {
  ScreenTiming T;
  const bool Whole = TimeSetupScreen(C, T);
  const UINT64 Services = T.Font + T.FontFree + T.Pool;
  const UINT64 Toolkit = T.Screen > Services ? T.Screen - Services : 0;
  CheckText L;
  L.Text("screen-timing ")
      .Thousandths(Thousandths(T.Screen, T.Blit))
      .Text("x full-screen-blit, font ");
  L.Thousandths(Thousandths(T.Font, T.Blit)).Text("x (").Dec(T.FontCalls).Text(" calls, ");
  L.Dec(Thousandths(T.Font, T.Screen) / 10).Text("%), freeing font images ");
  L.Thousandths(Thousandths(T.FontFree, T.Blit))
      .Text("x (")
      .Dec(Thousandths(T.FontFree, T.Screen) / 10);
  L.Text("%), other pool ").Thousandths(Thousandths(T.Pool, T.Blit));
  L.Text("x (")
      .Dec(T.PoolCalls)
      .Text(" calls), toolkit ")
      .Thousandths(Thousandths(Toolkit, T.Blit));
  L.Text("x (").Dec(Thousandths(Toolkit, T.Screen) / 10).Text("%); ticks screen ").Dec(T.Screen);
  L.Text(" font ").Dec(T.Font).Text(" font-free ").Dec(T.FontFree).Text(" pool ").Dec(T.Pool);
  L.Text(" blit ").Dec(T.Blit);
  L.Text(", ").Dec(T.Failed).Text(" failed calls");
  if (!Whole) L.Text(", incomplete");
  Info(L.Get());
  CheckText Steps;
  Steps.Text("screen-timing-steps (full-screen blits)");
  for (UINTN I = 0; I < kSetupScreenSteps; I++) {
    Steps.Text(" ")
        .Text(kSetupScreenStepNames[I])
        .Text(" ")
        .Thousandths(Thousandths(T.Steps[I], T.Blit));
  }
  Info(Steps.Get());
}
