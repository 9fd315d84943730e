// Firmware checks of the status controls.
#include "frontend/checks.h"

namespace {

void MessageBoxSizes(const CheckContext &C) {
  const SceneContext &S = *C.Scene;
  CheckText D;
  bool Pass = true;
  CHAR16 *Short[] = {Text(u"Saved.")};
  CHAR16 *One[] = {Text(u"OK")};
  MessageBox B = {};
  // One short line, one button, asked small or large: 295 x 137, the button centred.
  const INT32 Sizes[] = {10, 800};
  for (INT32 Asked : Sizes) {
    UINTN St = S.Ui->InitMessageBox(&B, 10, 10, Asked, Asked, 1, Short, 1, One);
    Pass &= St == 0 && B.Width == 295 && B.Height == 137 && B.ButtonsLeft == 92;
    D.Text("asked ")
        .Dec((UINT64)Asked)
        .Text(": ")
        .Dec((UINT64)B.Width)
        .Text("x")
        .Dec((UINT64)B.Height)
        .Text("; ");
  }
  // CR LF makes two lines, 40 pixels of text.
  CHAR16 *Split[] = {Text(u"Disk\r\nNot ready")};
  S.Ui->InitMessageBox(&B, 10, 10, 0, 0, 1, Split, 1, One);
  Pass &= B.TextHeight == 40 && B.Height == 40 + 33 + 34 + 50;
  D.Text("CR LF text height ").Dec(B.TextHeight).Text("; ");
  // A wide caption widens every button to its width + 20.
  CHAR16 *Wide[] = {Text(u"A"), Text(u"Nineteen characters")};
  const UINT32 CaptionWidth = TextWidth(S, Wide[1]);
  S.Ui->InitMessageBox(&B, 10, 10, 0, 0, 1, Short, 2, Wide);
  Pass &= CaptionWidth > 0 && B.ButtonWidth == CaptionWidth + 20 &&
          B.Width == 2 * (INT32)B.ButtonWidth + 17 + 56;
  D.Text("button ").Dec(B.ButtonWidth).Text(" for a caption of ").Dec(CaptionWidth).Text("; ");
  // Text wider than 239 pixels in a box asked wider still keeps the width asked.
  CHAR16 *Long[] = {Text(u"The configuration could not be saved to flash")};
  const UINT32 LongWidth = TextWidth(S, Long[0]);
  S.Ui->InitMessageBox(&B, 10, 10, (INT32)LongWidth + 100, 0, 1, Long, 1, One);
  Pass &= LongWidth > 239 && B.Width == (INT32)LongWidth + 100 && B.TextLeft == 50;
  D.Text("wide text box ").Dec((UINT64)B.Width).Text(" margin ").Dec(B.TextLeft);
  C.Report("message-box-size", Pass, D.Get());
}

void ScrollBarHits(const CheckContext &C) {
  const SceneContext &S = *C.Scene;
  // L = 170, T = 10, P = 5, S = 1: m = 102, n = 51, t = 1.
  struct Probe {
    INT32 PX, PY;
    UINT16 Total, Want;
  };
  const Probe Probes[] = {
      {101, 60, 10, 0},  {102, 60, 10, 1},  {127, 60, 10, 1},  {128, 60, 10, 0},  {110, 49, 10, 0},
      {110, 82, 10, 1},  {110, 83, 10, 2},  {110, 84, 10, 3},  {110, 133, 10, 3}, {110, 134, 10, 4},
      {110, 186, 10, 4}, {110, 187, 10, 5}, {110, 219, 10, 5}, {110, 220, 10, 0}, {110, 100, 0, 4},
  };
  CheckText D;
  bool Pass = true;
  for (const Probe &P : Probes) {
    UINT16 Got = S.Ui->HitTestScrollBar(100, 50, 170, P.Total, 5, 1, P.PX, P.PY);
    Pass &= Got == P.Want;
    D.Dec(Got);
  }
  D.Text(" expected ");
  for (const Probe &P : Probes) D.Dec(P.Want);
  C.Report("scroll-bar-hits", Pass, D.Get());
}

void ProgressTextColour(const CheckContext &C) {
  const SceneContext &S = *C.Scene;
  constexpr INT32 kW = 300, kH = 24;
  ORVANE_PIXEL *Buffer = AllocPixels(S, (UINTN)kW * kH);
  if (Buffer == nullptr) {
    C.Report("progress-text-colour", false, "no buffer");
    return;
  }
  UINTN White[2] = {}, Black[2] = {}, Status[2] = {};
  for (int I = 0; I < 2; I++) {
    Status[I] = S.Ui->DrawProgressBar(Buffer, 0, 0, 0, 0, kW, kH, Text(u"Copy"), 52 + I);
    // Count the text colours in the middle of the bar, where the figures sit.
    for (INT32 Y = 1; Y < kH - 1; Y++) {
      for (INT32 X = 150; X < 240; X++) {
        const ORVANE_PIXEL &P = Buffer[Y * kW + X];
        UINT32 Color = (UINT32)P.Blue | ((UINT32)P.Green << 8) | ((UINT32)P.Red << 16);
        White[I] += Color == 0x00FFFFFF;
        Black[I] += Color == 0;
      }
    }
  }
  FreePixels(S, Buffer);
  CheckText D;
  D.Text("52%: ").Dec(White[0]).Text(" white ").Dec(Black[0]).Text(" black; 53%: ").Dec(White[1]);
  D.Text(" white ").Dec(Black[1]).Text(" black");
  C.Report("progress-text-colour",
           Status[0] == 0 && Status[1] == 0 && White[0] > 10 && White[1] == 0 &&
               Black[1] > Black[0] + 10,
           D.Get());
}

}  // namespace

void StatusChecks(const CheckContext &C) {
  MessageBoxSizes(C);
  ScrollBarHits(C);
  ProgressTextColour(C);
}
