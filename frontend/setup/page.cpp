// Painting the setup screen: header, dock, the page's rows with the slider
// picture (which the row leaves to its caller), the gauge panel and the
// decoration around them.
#include "frontend/setup/ui.h"

namespace setup {

void FillPixels(ORVANE_PIXEL *Pixels, UINTN Count, UINT32 Color) {
  for (UINTN I = 0; I < Count; I++) {
    Pixels[I] = {(UINT8)Color, (UINT8)(Color >> 8), (UINT8)(Color >> 16), 0};
  }
}

namespace {

bool SameColor(const ORVANE_PIXEL &P, UINT32 Color) {
  return P.Blue == (UINT8)Color && P.Green == (UINT8)(Color >> 8) && P.Red == (UINT8)(Color >> 16);
}

// Slider geometry of a row, as the row's tracking sees it.
struct SliderPlace {
  INT32 Left, E, T0, T1, R, Knob;
};

SliderPlace SliderOf(const SettingRow &Row) {
  SliderPlace P;
  P.E = Row.x + Row.width - Row.sliderLength;
  P.Left = P.E - 84;
  P.T0 = P.E - 49;
  P.T1 = P.E - 65 + Row.sliderLength;
  P.R = P.E - 52 + Row.sliderLength;
  const INT32 Span = P.T1 - P.T0;
  const INT32 Steps = Row.stepCount > 1 ? Row.stepCount - 1 : 1;
  P.Knob = P.T0 + (Row.stepMode == 1 ? (Span * Row.stepIndex + Steps / 2) / Steps
                                     : (Span * Row.percent + 50) / 100);
  return P;
}

// The slider's picture over the row: arrows, track, the filled part and the
// knob, composed over the row's own pixels and sent in one transfer.
void PaintSlider(SetupScreenState &S, const SettingRow &Row) {
  const SliderPlace P = SliderOf(Row);
  const INT32 W = P.R + 23 - P.Left, H = 19;
  ORVANE_PIXEL *Buffer = AllocPixels(*S.C, (UINTN)W * H);
  if (Buffer == nullptr || !ReadScreen(*S.C, Buffer, (UINT32)P.Left, (UINT32)Row.y, (UINT32)W, H)) {
    FreePixels(*S.C, Buffer);
    return;
  }
  constexpr UINT32 kLit = 0x0066BC29, kIdle = 0x00BEBEBE, kTrack = 0x00464646;
  const UINT32 LeftColor = Row.hotPart == 1 ? kLit : kIdle;
  const UINT32 RightColor = Row.hotPart == 3 ? kLit : kIdle;
  const UINT32 KnobColor = Row.hotPart == 2 ? kLit : 0x00F0F0F0;
  const UINT32 L = 2, T0 = (UINT32)(P.T0 - P.Left), T1 = (UINT32)(P.T1 - P.Left);
  const UINT32 K = (UINT32)(P.Knob - P.Left), R = (UINT32)(P.R - P.Left);
  UI(DrawTriangle, Buffer, W, H, L, 9, L + 19, 2, L + 19, 16, 1, 1, LeftColor, LeftColor);
  UI(DrawTriangle, Buffer, W, H, R + 21, 9, R + 2, 2, R + 2, 16, 1, 1, RightColor, RightColor);
  UI(DrawRectangle, Buffer, W, H, (INT32)T0, 8, (INT32)(T1 - T0), 3, 1, 1, kTrack, kTrack);
  if (K > T0) UI(DrawRectangle, Buffer, W, H, (INT32)T0, 8, (INT32)(K - T0), 3, 1, 1, kLit, kLit);
  UI(DrawCircle, Buffer, W, H, (INT32)K, 9, 7, 1, 1, KnobColor, KnobColor);
  UI(BlitToScreen, Buffer, W, H, P.Left, Row.y);
  FreePixels(*S.C, Buffer);
}

}  // namespace

void FormatNumber(CHAR16 *Into, UINTN Value, const CHAR16 *Suffix) {
  CHAR16 Digits[21];
  UINTN N = 0;
  do {
    Digits[N++] = (CHAR16)('0' + Value % 10);
    Value /= 10;
  } while (Value != 0 && N < 20);
  UINTN At = 0;
  while (N > 0) Into[At++] = Digits[--N];
  for (UINTN I = 0; Suffix != nullptr && Suffix[I] != 0 && At < 23; I++) Into[At++] = Suffix[I];
  Into[At] = 0;
}

void ComposeText(const SceneContext &C, ORVANE_PIXEL *Box, INT32 Width, INT32 Height, UINT32 Back,
                 UINT32 Fore, INT32 Dx, INT32 Dy, Milli Scale, const CHAR16 *Text) {
  TextImage Image = {Fore, Back, 0, 0, nullptr};
  if (Tally(C, C.Ui->RenderText(Scale, &Image, Text), "RenderText") == 0 &&
      Image.Bitmap != nullptr) {
    // Only the glyphs land; the box keeps its own ground around them.
    for (INT32 R = 0; R < (INT32)Image.Height && Dy + R < Height; R++) {
      for (INT32 U = 0; U < (INT32)Image.Width && Dx + U < Width; U++) {
        const ORVANE_PIXEL &P = Image.Bitmap[(UINTN)R * Image.Width + (UINTN)U];
        if (Dx + U >= 0 && Dy + R >= 0 && !SameColor(P, Back)) {
          Box[(UINTN)(Dy + R) * (UINTN)Width + (UINTN)(Dx + U)] = P;
        }
      }
    }
  }
  FreePixels(C, Image.Bitmap);
}

void ShowTextBox(const SceneContext &C, INT32 X, INT32 Y, INT32 Width, INT32 Height, UINT32 Back,
                 UINT32 Fore, INT32 Dx, INT32 Dy, Milli Scale, const CHAR16 *Text) {
  ORVANE_PIXEL *Box = AllocPixels(C, (UINTN)Width * (UINTN)Height);
  if (Box == nullptr) {
    return;
  }
  FillPixels(Box, (UINTN)Width * (UINTN)Height, Back);
  ComposeText(C, Box, Width, Height, Back, Fore, Dx, Dy, Scale, Text);
  Tally(C, C.Ui->BlitToScreen(Box, Width, Height, X, Y), "BlitToScreen");
  FreePixels(C, Box);
}

void PaintDecoration(SetupScreenState &S) {
  const SceneContext &C = *S.C;
  FillScreen(C, kBackdrop);
  // The dock's band, split from the page hint beside it.
  UI(DrawDividerStrip, 0, kHeaderHeight + 4, 1024, 82, 1, 372, 0);
  UI(DrawDottedRule, 40, 198, 944);
  // System facts on three tiles; the middle one lit.
  const CHAR16 *Names[3] = {W("Processor"), W("Memory"), W("Storage")};
  const CHAR16 *Facts[3] = {W("4 cores"), W("4096 MB"), W("NVMe 64 GB")};
  for (INT32 I = 0; I < 3; I++) {
    const INT32 X = kGaugeX + I * 124;
    UI(DrawTile, X, 330, 112, 76, I == 1 ? 1 : 0);
    UI(DrawText, 0x00202020, nullptr, 1000, (UINT16)(X + 12), 342, W("%s"), Names[I]);
    UI(DrawText, 0x00404040, nullptr, 1000, (UINT16)(X + 12), 370, W("%s"), Facts[I]);
  }
  UI(DrawDottedRule, kGaugeX, 424, 360);
  UI(DrawDottedRule, kPageX, kHelpY - 14, kRowWidth);
  // The footer: keys on the left, the pointer on the right of its divider.
  UI(DrawDividerStrip, 0, kFooterY, 1024, 44, 1, 620, 1);
}

void PaintHeader(SetupScreenState &S) {
  FillScreenRect(*S.C, 0, 0, 1024, kHeaderHeight, kHeaderColor);
  // The toolkit's own lines at the top left, on the same blue.
  S.C->Banner->Banner(nullptr);
  UI(DrawText, kTitleColor, nullptr, 1500, 480, 36, W("System Setup"));
}

void PaintDock(SetupScreenState &S) {
  UI(PaintIconDock, &S.Dock);
  // What the dock's items lead to, right of the band's divider.
  ShowTextBox(*S.C, 400, kDockY + 10, 560, 22, 0x00131313, kHintColor, 0, 1, 1000,
              W("Pages: left and right keys, or hover; drag to reorder"));
}

void PaintRow(SetupScreenState &S, SetupSetting &Setting) {
  UI(PaintSettingRow, &Setting.Row);
  if (Setting.Action == kActionSlider) {
    PaintSlider(S, Setting.Row);
  }
}

void PaintPage(SetupScreenState &S) {
  SetupPage &Page = S.Pages[S.Page];
  ShowTextBox(*S.C, kPageX, kPageY, kRowWidth, 34, kBackdrop, kTitleColor, 0, 2, 1500, Page.Title);
  for (UINT16 R = 0; R < kSetupMaxRows; R++) {
    if (R >= Page.RowCount) {
      FillScreenRect(*S.C, kPageX, (UINT32)(kRowY + R * kRowPitch), kRowWidth, 19, kBackdrop);
      continue;
    }
    SetupSetting &Set = Page.Settings[R];
    if ((Set.Row.cellFlags & 0xF) != 2) {
      Set.Row.cellFlags = R == S.Row ? 1 : 0;
    }
    PaintRow(S, Set);
  }
  PaintHelp(S);
}

// A word on the focused row, composed off-screen and shown in one transfer.
void PaintHelp(SetupScreenState &S) {
  constexpr UINT32 kHelpBack = 0x00131313;
  ORVANE_PIXEL *Box = AllocPixels(*S.C, (UINTN)kRowWidth * kHelpHeight);
  if (Box == nullptr) {
    return;
  }
  FillPixels(Box, (UINTN)kRowWidth * kHelpHeight, kHelpBack);
  ComposeText(*S.C, Box, kRowWidth, kHelpHeight, kHelpBack, 0x0066BC29, 13, 8, 1000, W("Help"));
  const CHAR16 *Help = Current(S).Help;
  if (Help != nullptr) {
    ComposeText(*S.C, Box, kRowWidth, kHelpHeight, kHelpBack, kHintColor, 13, 34, 1000, Help);
  }
  UI(BlitToScreen, Box, kRowWidth, kHelpHeight, kPageX, kHelpY);
  FreePixels(*S.C, Box);
}

void PaintGauge(SetupScreenState &S) {
  CHAR16 Fan[24], Temperature[24];
  FormatNumber(Fan, S.FanPercent, W(" %"));
  FormatNumber(Temperature, S.Temperature, nullptr);
  UI(DrawGaugePanel, kGaugeX, kGaugeY, kGaugeWidth, kGaugeHeight, W("Fan"), Fan, W("CPU"),
     Temperature, (INT32)S.FanPercent, (INT32)S.Temperature);
}

void PaintFooter(SetupScreenState &S) {
  UI(DrawText, kHintColor, nullptr, 1000, 24, kFooterY + 13,
     W("Up/Down: rows   Enter: open   Esc: close   Left/Right: pages or slider"));
  UI(DrawText, kHintColor, nullptr, 1000, 640, kFooterY + 13, W("Pointer: click, drag"));
}

}  // namespace setup
