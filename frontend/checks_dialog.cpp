// Firmware checks of the input dialog: the layout init computes from the
// firmware's own font ("input-dialog-layout"), the hit codes at the edges of
// the close box and a button ("input-dialog-hits"), and the painted field
// and buttons read back from the screen ("input-dialog-paint").
#include "frontend/checks.h"

namespace {

CHAR16 *const kCaptions[2] = {W("OK"), W("Cancel")};

// One button, no prompt, 20 characters asked for 100 wide: the 32-pixel title
// first needs 102 (x moves left by 1), then the field's span of 216 wins and
// spreads the gap; a short height is raised to 188.
void Layout(const CheckContext &C, InputDialog &D) {
  UINTN Status = C.Scene->Ui->InitInputDialog(&D, 300, 200, 100, 100, W("Name"), 9, nullptr,
                                              W("orvane"), 20, 1, 1, kCaptions);
  CheckText T;
  T.Text("status ")
      .Dec(Status)
      .Text(", window ")
      .Dec((UINT32)D.width)
      .Text("x")
      .Dec((UINT32)D.height);
  T.Text(" at ").Dec((UINT32)D.x).Text(",").Dec((UINT32)D.y).Text(", gap ").Dec(D.buttonGap);
  T.Text(", button ")
      .Dec(D.buttonWidth)
      .Text("x")
      .Dec(D.buttonHeight)
      .Text(", fieldTop ")
      .Dec(D.fieldTop);
  T.Text(", promptX ").Dec(D.promptX).Text(", buttons ").Dec(D.buttonCount);
  C.Report("input-dialog-layout",
           Status == 0 && D.width == 216 && D.height == 188 && D.x == 299 && D.y == 200 &&
               D.buttonGap == 53 && D.buttonWidth == 110 && D.buttonHeight == 50 &&
               D.fieldTop == 18 && D.promptX == 18 && D.buttonCount == 1 && D.closeShown == 1 &&
               D.reserved == 9,
           T.Get());
}

void Hits(const CheckContext &C, InputDialog &D) {
  struct Probe {
    INT32 X, Y;
    INT16 Want;
  };
  const INT32 R = D.x + D.width, Top = D.y + 2 * D.fieldTop + 84;
  const INT32 Left = D.x + D.buttonGap, Right = Left + D.buttonWidth;
  const Probe Probes[] = {{R - 30, D.y + 21, 4}, {R - 15, D.y + 35, 4},  {R - 14, D.y + 21, 0},
                          {R - 30, D.y + 20, 0}, {Left + 1, Top + 1, 1}, {Right - 1, Top + 49, 1},
                          {Left, Top + 1, 0},    {Right, Top + 1, 0},    {Left + 1, Top + 50, 0}};
  bool Pass = true;
  CheckText T;
  T.Text("codes");
  for (const Probe &P : Probes) {
    D.hotButton = 7;
    C.Scene->Ui->HitTestInputDialog(&D, P.X, P.Y);
    T.Text(" ").Dec((UINT16)D.hotButton);
    Pass &= D.hotButton == P.Want;
  }
  T.Text(" (want 4 4 0 0 1 1 0 0 0)");
  C.Report("input-dialog-hits", Pass, T.Get());
}

// The field is a raised 0x565656 cell; button 1, pressed, has the dark shadow rows.
void Paint(const CheckContext &C, InputDialog &D) {
  const SceneContext &S = *C.Scene;
  FillScreen(S, 0x00102030);
  D.hotButton = 1;
  UINTN Status = S.Ui->PaintInputDialog(&D);
  const UINT32 FieldX = (UINT32)(D.x + D.promptX), FieldY = (UINT32)(D.y + D.fieldTop + 65);
  const UINT32 ButtonX = (UINT32)(D.x + D.buttonGap),
               ButtonY = (UINT32)(D.y + 19 + 2 * D.fieldTop + 65);
  const UINT32 Field = ScreenPixel(S, FieldX, FieldY),
               FieldEnd = ScreenPixel(S, FieldX + 179, FieldY + 18);
  const UINT32 Shadow = ScreenPixel(S, ButtonX + 20, ButtonY + 1);
  const UINT32 Face = ScreenPixel(S, ButtonX + 20, ButtonY + 20);
  const UINT32 Outside = ScreenPixel(S, (UINT32)D.x - 1, (UINT32)D.y);
  CheckText T;
  T.Text("status ").Dec(Status).Text(", field ").Dec(Field).Text(" and ").Dec(FieldEnd);
  T.Text(", shadow ").Dec(Shadow).Text(", face ").Dec(Face).Text(", outside ").Dec(Outside);
  C.Report("input-dialog-paint",
           Status == 0 && Field == 0x565656 && FieldEnd == 0x565656 && Shadow == 0x333333 &&
               Face == 0x434343 && Outside == 0x102030,
           T.Get());
}

}  // namespace

void InputDialogChecks(const CheckContext &C) {
  InputDialog D = {};
  Layout(C, D);
  Hits(C, D);
  Paint(C, D);
}
