// The settings stage: setting rows in every style and the digit readouts (a
// clock and temperatures in both temperature sizes).
#include "frontend/scenes.h"

namespace {

constexpr UINT32 kBackdrop = 0x00101820;

// Shows Text as a readout at (X, Y) over what the screen holds, then hands
// back what the readout was given (its background and any padded copy).
void ShowReadout(const SceneContext &C, INT32 X, INT32 Y, const CHAR16 *Text, UINT16 Size) {
  CHAR16 Copy[8];
  UINTN N = 0;
  for (; Text[N] != 0 && N < 7; N++) Copy[N] = Text[N];
  Copy[N] = 0;
  DigitReadout R = {};
  if (UI(InitDigitReadout, &R, X, Y, Copy, Size, 1) != 0) {
    return;
  }
  UI(PaintDigitReadout, &R);
  if (R.text != Copy) FreePixels(C, R.text);
  FreePixels(C, R.background);
}

void Readouts(const SceneContext &C) {
  FillScreenRect(C, 40, 420, 944, 300, 0x00203020);
  ShowReadout(C, 80, 450, W("12:34"), 0);
  const CHAR16 *Temperatures[3] = {W("5"), W("-5"), W("100")};
  for (INT32 I = 0; I < 3; I++) {
    ShowReadout(C, 80 + I * 160, 530, Temperatures[I], 1);
    ShowReadout(C, 80 + I * 160, 600, Temperatures[I], 2);
  }
  // A clock over a patterned background keeps the pattern between its segments.
  for (INT32 I = 0; I < 12; I++) {
    FillScreenRect(C, 600 + (UINT32)I * 26, 450, 13, 60, 0x00304060);
  }
  ShowReadout(C, 610, 460, W("08:15"), 0);
}

// Setting rows in every style the row chooses, one disabled, with and
// without the chevron, a row without cells, and one painted with frame-buffer
// capture on (its own dark ground).
void Rows(const SceneContext &C) {
  struct Line {
    const CHAR16 *Label, *Value;
    UINT16 Flags;
    INT16 Kind;
    UINT8 Chevron;
  };
  const Line Lines[] = {
      {W("Boot mode"), W("UEFI"), 0, 2, 0},          {W("Fan speed"), W("Auto"), 1, 4, 0},
      {W("Wake on LAN"), W("Unavailable"), 2, 2, 0}, {W("Advanced"), W("More"), 0, 2, 1},
      {W("Security"), W("Locked"), 2, 2, 1},         {nullptr, W("Value without a label"), 0, 2, 0},
      {W("Language"), W("English"), 0x20, 2, 0},     {W("No cells"), W("Hidden"), 0, 3, 1},
  };
  FillScreenRect(C, 40, 30, 944, 370, 0x00283848);
  for (INT32 I = 0; I < 8; I++) {
    const Line &L = Lines[I];
    SettingRow R = {};
    UI(InitSettingRow, &R, 80, 50 + I * 30, 600, 240, 120, 0, 5, 0, 0, 0, L.Label, L.Value, L.Flags,
       L.Kind, L.Chevron);
    UI(PaintSettingRow, &R);
  }
  C.Ui->SetFrameBufferCapture(1);
  SettingRow R = {};
  UI(InitSettingRow, &R, 80, 50 + 8 * 30, 600, 240, 120, 0, 5, 0, 0, 0, W("Frame-buffer capture"),
     W("On"), 0, 2, 1);
  UI(PaintSettingRow, &R);
  C.Ui->SetFrameBufferCapture(0);
}

}  // namespace

void DemoSettings(const SceneContext &C) {
  FillScreen(C, kBackdrop);
  Rows(C);
  Readouts(C);
  if (C.Snapshot != nullptr) C.Snapshot(&C, "settings");
}
