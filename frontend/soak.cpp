// One soak pass: each control goes through its whole life once (open or init,
// input events, paints, close), and whatever the toolkit hands over (icons,
// saved backgrounds, padded texts, rendered bitmaps) goes back to the pool.
#include "frontend/soak.h"

namespace {

// A list popup scrolled from the top to the end by its down arrow and back by
// its up arrow. Paints are what a pass costs, so each pass paints one step of
// the way, a different one from pass to pass.
void ListPopupLife(const SceneContext &C, UINT32 Pass) {
  ListPopup L = {};
  if (UI(OpenListPopup, &L, 60 + (INT32)(Pass % 7) * 10, 120, 420, 252, W("Boot order"), 0,
         kBootEntryCount, BootEntries(), -1) != 0) {
    return;
  }
  // Hover one row and select another (never the last: that pins the thumb).
  C.Ui->HitTestListPopup(&L, L.x + 40, L.y + 81 + 5 + (INT32)(Pass % 6) * 20, 2);
  L.selectedRow = (INT16)(Pass % 13);
  const INT32 Painted = (INT32)(Pass % 14);
  INT32 Step = 0;
  // Each way stops when the thumb no longer moves; the bound is only a guard.
  for (int Way = 0; Way < 2; Way++) {
    const INT16 Part = Way == 0 ? 3 : 1;
    const INT32 Delta = Way == 0 ? 12 : -12;
    for (int Guard = 0; Guard < 64; Guard++, Step++) {
      if (Step == Painted) UI(PaintListPopup, &L);
      const UINT16 Before = L.thumbPos;
      UI(ScrollListPopup, &L, Part, Delta);
      if (L.thumbPos == Before) break;
    }
  }
  if (Step <= Painted) UI(PaintListPopup, &L);
  ListPopupView View = {};
  UI(GetListPopupView, &L, &View);
  UI(CloseListPopup, &L);
}

// An option popup whose first item is dragged to the bottom, then closed by
// its close box; the popup's icon is the record's and goes back here.
void OptionPopupLife(const SceneContext &C, UINT32 Pass) {
  const CHAR16 *Items[5] = {W("Network boot (IPv4)"), W("Internal NVMe drive"), W("USB storage"),
                            W("Optical drive"), W("UEFI shell")};
  OptionPopupSet Set = {};
  UI(ResetOptionPopups, &Set);
  if (UI(DefineOptionPopup, &Set, 560 + (INT32)(Pass % 5) * 20, 150, 0, W("Boot device"), 5,
         Items) == 0) {
    const OptionPopupEntry &E = Set.entries[0];
    // Pressed 20 rows into the first item, then moved down half a row at a
    // time and let go; painted once on the way, where the pass says.
    const INT32 X = E.x + 100, Top = E.y + 67 + 20, Painted = (INT32)(Pass % 11);
    for (INT32 Step = 0; Step <= 10; Step++) {
      UI(TrackOptionPopup, &Set, 0, X, Top + (Step < 10 ? Step : 9) * 23, Step < 10 ? 1 : 2, 0);
      if (Step == Painted) UI(PaintOptionPopup, &Set);
    }
    // The close box answers 8 to a press.
    Tally(C, C.Ui->TrackOptionPopup(&Set, 0, E.x + 288, E.y + 14, 1, 0) == 8 ? 0 : 1,
          "TrackOptionPopup close box");
    UI(CloseOptionPopup, &Set);
  }
  for (OptionPopupEntry &Entry : Set.entries) FreePixels(C, Entry.icon);
}

// An input dialog typed into: a key typed and taken back again, shown after
// one or the other. The text the dialog opens with grows by a character a
// pass, from 0 to 16, then starts again.
void InputDialogLife(const SceneContext &C, UINT32 Pass) {
  const CHAR16 *Source = W("orvane-setup-0123456789");
  CHAR16 Typed[24] = {};
  const UINT32 Length = Pass % 17;
  for (UINT32 I = 0; I < Length; I++) Typed[I] = Source[I];
  const CHAR16 *Captions[2] = {W("OK"), W("Cancel")};
  InputDialog D = {};
  if (UI(InitInputDialog, &D, 300, 200, 360, 200, W("Supervisor password"), 1, W("Password:"),
         Typed, 20, (UINT16)(Pass & 1), 2, Captions) != 0) {
    return;
  }
  UI(HitTestInputDialog, &D, D.x + D.buttonGap + 10, D.y + 2 * D.fieldTop + 84 + 10);
  Typed[Length] = Source[Length];  // a key typed
  if (Pass % 2 == 0) UI(PaintInputDialog, &D);
  Typed[Length] = 0;  // and taken back
  if (Pass % 2 == 1) UI(PaintInputDialog, &D);
}

void MessageBoxLife(const SceneContext &C, UINT32 Pass) {
  CHAR16 *Lines[2] = {W("Save changes and exit?\r\nSettings are kept in flash."),
                      W("The machine restarts.")};
  CHAR16 *Captions[3] = {W("Yes"), W("No"), W("Cancel")};
  MessageBox Box = {};
  if (UI(InitMessageBox, &Box, 540, 36, 0, 0, 2, Lines, (UINT16)(2 + Pass % 2), Captions) != 0) {
    return;
  }
  UI(HitTestMessageBox, &Box, Box.X + Box.ButtonsLeft + 20,
     Box.Y + Box.TextTop + Box.TextHeight + Box.ButtonMargin + 10);
  Box.HotState = (UINT16)(1 + Pass % 2);
  UI(PaintMessageBox, &Box);
}

// A dock whose second item is dragged three places right, painted once on
// the way; the strip background it saved is the caller's.
void DockLife(const SceneContext &C, UINT32 Pass) {
  const CHAR16 *Labels[8] = {W("Home"),    W("Settings"), W("Files"), W("Processor"),
                             W("Display"), W("Network"),  W("Power"), W("About")};
  UINT16 Flags[8] = {0x00, 0x11, 0x02, 0x83, 0x94, 0x05, 0x06, 0x17};
  UINT16 Active[8] = {0, 0, 0, 0, 0, 0, (UINT16)(Pass & 1), 0};
  IconDock Dock = {};
  const INT32 X = 120 + (INT32)(Pass % 4) * 10, Y = 600;
  if (UI(InitIconDock, &Dock, X, Y, 8, Labels, Flags, Active) != 0) {
    return;
  }
  const INT32 Painted = (INT32)(Pass % 11);
  for (INT32 Step = 0; Step <= 10; Step++) {
    UI(TrackIconDock, &Dock, X + 51 + 10 + (Step < 10 ? Step : 9) * 17, Y + 20,
       (UINT16)(Step < 10 ? 1 : 2), 0);
    if (Step == Painted) UI(PaintIconDock, &Dock);
  }
  FreePixels(C, Dock.stripBackground);
}

// A setting row, of either cell kind, with its slider tracked along its length.
void SettingRowLife(const SceneContext &C, UINT32 Pass) {
  const UINT8 Odd = (UINT8)(Pass % 2);
  SettingRow R = {};
  UI(InitSettingRow, &R, 80, 50 + Odd * 30, 600, 240, 120, 0, 5, 0, 0, 0, W("Fan speed"), W("Auto"),
     (UINT16)(Pass % 3), (INT16)(Odd ? 4 : 2), Odd);
  for (INT32 K = 0; K < 5; K++) {
    UI(TrackSettingSlider, &R, R.x + R.width - R.sliderLength + K * 30 + (INT32)(Pass % 30),
       R.y + 9);
  }
  UI(PaintSettingRow, &R);
}

// Readouts in each size; the temperatures come back as padded copies.
void ReadoutLife(const SceneContext &C, UINT32 Pass) {
  for (UINT16 Size = 0; Size < 3; Size++) {
    CHAR16 Text[8] = {};
    if (Size == 0) {
      const CHAR16 Clock[6] = {(CHAR16)('0' + Pass / 10 % 3), (CHAR16)('0' + Pass % 10), ':',
                               (CHAR16)('0' + Pass / 7 % 6),  (CHAR16)('0' + Pass % 7),  0};
      for (int I = 0; I < 6; I++) Text[I] = Clock[I];
    } else {
      Text[0] = (CHAR16)('0' + Pass % 10);
    }
    DigitReadout R = {};
    if (UI(InitDigitReadout, &R, 620 + Size * 120, 450, Text, Size, 1) != 0) continue;
    UI(PaintDigitReadout, &R);
    if (R.text != Text) FreePixels(C, R.text);
    FreePixels(C, R.background);
  }
}

// The controls drawn straight from their arguments.
void StatusLife(const SceneContext &C, UINT32 Pass) {
  const INT32 Value = (INT32)(Pass % 101);
  UI(DrawGaugePanel, 20, 300, 240, 60, W("CPU"), W("Load"), W("Temperature"), W("Core"), Value,
     100 - Value);
  const UINT16 First = (UINT16)(1 + Pass % 41);
  UI(DrawScrollBar, 990, 36, 300, 50, 10, First, (UINT16)(Pass % 4));
  for (INT32 Y = 30; Y < 346; Y += 45) {
    C.Ui->HitTestScrollBar(990, 36, 300, 50, 10, First, 995, Y);
  }
  constexpr INT32 kW = 460, kH = 24;
  ORVANE_PIXEL *Bar = AllocPixels(C, (UINTN)kW * kH);
  if (Bar != nullptr) {
    UI(DrawProgressBar, Bar, 0, 0, 0, 0, kW, kH, W("Copying"), Value);
    UI(BlitToScreen, Bar, kW, kH, 20, 400);
    FreePixels(C, Bar);
  }
  UI(DrawTile, 540, 266, 90, 60, (UINT8)(Pass & 1));
  UI(DrawDividerStrip, 20, 432, 460, 30, 1, 200 + Value, (UINT8)(Pass & 1));
  UI(DrawDottedRule, 20, 476, 460);
  TextImage T = {0x00FFFFFF, 0x00000000, 0, 0, nullptr};
  if (UI(RenderText, 1000 + (Milli)(Pass % 5) * 250, &T, W("Soak")) == 0) FreePixels(C, T.Bitmap);
}

}  // namespace

void SoakPass(const SceneContext &C, UINT32 Pass) {
  ListPopupLife(C, Pass);
  OptionPopupLife(C, Pass);
  InputDialogLife(C, Pass);
  MessageBoxLife(C, Pass);
  DockLife(C, Pass);
  SettingRowLife(C, Pass);
  ReadoutLife(C, Pass);
  StatusLife(C, Pass);
}
