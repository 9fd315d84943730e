// Firmware checks of the digit readout (its sizes, "readout-sizes", a painted
// clock read back from the screen, "readout-paint", and the bars of a lone
// "1", "readout-one") and of the setting
// row (slider tracking on the platform's float service, "setting-row-slider",
// and a row's own dark ground with frame-buffer capture on, "setting-row-paint").
#include "frontend/checks.h"

namespace {

struct SizeCase {
  const char *Name;
  const CHAR16 *Text;
  UINT16 Size;
  INT32 Width, Height;
};

void ReadoutSizes(const CheckContext &C) {
  const SceneContext &S = *C.Scene;
  const SizeCase Cases[] = {
      {"12:34", W("12:34"), 0, 204, 40},
      {"5", W("5"), 1, 126, 32},
      {"-5", W("-5"), 2, 126, 21},
      {"1:2", W("1:2"), 0, 108, 40},
  };
  bool Pass = true;
  CheckText D;
  for (const SizeCase &K : Cases) {
    CHAR16 Text[8] = {};
    for (UINTN I = 0; K.Text[I] != 0 && I < 7; I++) Text[I] = K.Text[I];
    DigitReadout R = {};
    const EFI_STATUS Status = S.Ui->InitDigitReadout(&R, 10, 10, Text, K.Size, 0);
    Pass = Pass && Status == EFI_SUCCESS && R.width == K.Width && R.height == K.Height;
    D.Text(K.Name)
        .Text(" size ")
        .Dec(K.Size)
        .Text(": ")
        .Dec((UINT64)R.width)
        .Text("x")
        .Dec((UINT64)R.height);
    D.Text(Status == EFI_SUCCESS ? "; " : " (refused); ");
    if (Status == EFI_SUCCESS && R.text != Text) FreePixels(S, R.text);
  }
  C.Report("readout-sizes", Pass, D.Get());
}

// A clock captured over a plain fill: its colon's dots start at column 99,
// its "1" keeps an unlit top bar, and the screen beside it is left alone.
void ReadoutPaint(const CheckContext &C) {
  const SceneContext &S = *C.Scene;
  const UINT32 Back = 0x00203040, X = 300, Y = 200;
  FillScreenRect(S, X - 10, Y - 10, 230, 60, Back);
  CHAR16 Text[] = {u'1', u'2', u':', u'3', u'4', 0};
  DigitReadout R = {};
  EFI_STATUS Init = S.Ui->InitDigitReadout(&R, (INT32)X, (INT32)Y, Text, 0, 1);
  EFI_STATUS Paint = Init == EFI_SUCCESS ? S.Ui->PaintDigitReadout(&R) : Init;
  const UINT32 Dot = ScreenPixel(S, X + 99, Y + 12), BesideDot = ScreenPixel(S, X + 98, Y + 12);
  const UINT32 Unlit = ScreenPixel(S, X + 6, Y + 3), Outside = ScreenPixel(S, X + 204, Y + 20);
  FreePixels(S, R.background);
  CheckText D;
  D.Text("status ").Dec(Paint).Text(", dot ").Dec(Dot).Text(", beside it ").Dec(BesideDot);
  D.Text(", unlit bar ").Dec(Unlit).Text(", right of the clock ").Dec(Outside);
  C.Report("readout-paint",
           Init == EFI_SUCCESS && Paint == EFI_SUCCESS && Dot == 0xFFFFFF && BesideDot == Back &&
               Unlit == 0x3A5A29 && Outside == Back,
           D.Get());
}

// A lone "1" in size 0 over a plain fill: its unlit top, bottom and left are
// the plain bars (5, 5 and 28 pixels thick or long), so the row under the top
// bar and the cell's last row keep the fill and the bottom bar reaches column 30.
void ReadoutOne(const CheckContext &C) {
  const SceneContext &S = *C.Scene;
  const UINT32 Back = 0x00203040, Unlit = 0x003A5A29, Lit = 0x00FFFFFF, X = 300, Y = 260;
  FillScreenRect(S, X - 10, Y - 10, 56, 60, Back);
  CHAR16 Text[] = {u'1', 0};
  DigitReadout R = {};
  EFI_STATUS Init = S.Ui->InitDigitReadout(&R, (INT32)X, (INT32)Y, Text, 0, 1);
  EFI_STATUS Paint = Init == EFI_SUCCESS ? S.Ui->PaintDigitReadout(&R) : Init;
  FreePixels(S, R.background);
  struct Area {
    const char *Name;
    UINT32 X, Y, W, H, Color;
  };
  const Area Areas[] = {
      {"top", 6, 1, 25, 5, Unlit},     {"under the top", 6, 6, 25, 1, Back},
      {"bottom", 6, 34, 25, 5, Unlit}, {"last row", 5, 39, 26, 1, Back},
      {"left", 1, 6, 5, 28, Unlit},    {"right", 31, 6, 5, 28, Lit},
  };
  bool Pass = Init == EFI_SUCCESS && Paint == EFI_SUCCESS && R.width == 36 && R.height == 40;
  CheckText D;
  D.Text("status ").Dec(Paint).Text(", wrong pixels:");
  for (const Area &A : Areas) {
    UINTN Right = 0, Same = 0, Wrong = 0;
    Pass = Census(S, X + A.X, Y + A.Y, A.W, A.H, A.Color, A.Color, Right, Same, Wrong) && Pass;
    Pass = Pass && Wrong == 0;
    D.Text(" ").Text(A.Name).Text(" ").Dec(Wrong);
  }
  C.Report("readout-one", Pass, D.Get());
}

// A row at x 100, width 400, slider 116 long: T0 = 335, T1 = 435, right arrow from 448.
void SliderTracking(const CheckContext &C) {
  ORVANE_UI_PROTOCOL *Ui = C.Scene->Ui;
  struct Step {
    INT32 Px;
    INT16 Hot;
    UINT16 Index, Percent;
  };
  const Step Steps[] = {
      {310, 1, 0, 0},                     // left arrow at step 0 stays there
      {460, 3, 1, 0},                     // right arrow
      {335, 2, 0, 0},                     // T0, the knob (percent mode, at T0)
      {344, 2, 0, 9},                     // K + 9
      {345, 4, 0, 10},                    // K + 10
      {385, 4, 2, 50}, {435, 4, 4, 100},  // T1
  };
  bool Pass = true;
  CheckText D;
  for (const Step &S : Steps) {
    // Each from a fresh row: step 0, percent 0, so the knob is at T0.
    SettingRow R = {};
    Ui->InitSettingRow(&R, 100, 50, 400, 150, 116, 0, 5, 0, 0, 0, nullptr, nullptr, 0, 2, 0);
    Ui->TrackSettingSlider(&R, S.Px, 55);
    Pass = Pass && R.hotPart == S.Hot && R.stepIndex == S.Index && R.percent == S.Percent;
    D.Text("x ")
        .Dec((UINT64)S.Px)
        .Text(": part ")
        .Dec((UINT64)R.hotPart)
        .Text(" step ")
        .Dec(R.stepIndex);
    D.Text(" percent ").Dec(R.percent).Text("; ");
  }
  C.Report("setting-row-slider", Pass, D.Get());
}

void RowGround(const CheckContext &C) {
  const SceneContext &S = *C.Scene;
  FillScreenRect(S, 90, 290, 220, 40, 0x00405060);
  S.Ui->SetFrameBufferCapture(1);
  SettingRow R = {};
  S.Ui->InitSettingRow(&R, 100, 300, 200, 80, 0, 0, 0, 0, 0, 0, nullptr, nullptr, 0, 0, 1);
  const EFI_STATUS Status = S.Ui->PaintSettingRow(&R);
  S.Ui->SetFrameBufferCapture(0);
  const UINT32 Ground = ScreenPixel(S, 150, 310), Chevron = ScreenPixel(S, 114, 304);
  const UINT32 Outside = ScreenPixel(S, 300, 310);
  CheckText D;
  D.Text("status ").Dec(Status).Text(", ground ").Dec(Ground).Text(", chevron ").Dec(Chevron);
  D.Text(", right of the row ").Dec(Outside);
  C.Report(
      "setting-row-paint",
      Status == EFI_SUCCESS && Ground == 0x131313 && Chevron == 0x66BC29 && Outside == 0x405060,
      D.Get());
}

}  // namespace

void RowChecks(const CheckContext &C) {
  ReadoutSizes(C);
  ReadoutPaint(C);
  ReadoutOne(C);
  SliderTracking(C);
  RowGround(C);
}
