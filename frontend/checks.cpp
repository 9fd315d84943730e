#include "frontend/checks.h"

namespace {

void ReportText(const char *Name, bool Pass, const char *Detail) {
  Report(Name, Pass, Line().Text(Detail));
}
void InfoText(const char *Text) { Line().Text("INFO ").Text(Text).Emit(); }

void DisplayCheck(const SceneContext &C) { DisplayChecks({&C, ReportText, InfoText}); }
void RowCheck(const SceneContext &C) { RowChecks({&C, ReportText, InfoText}); }
void StatusCheck(const SceneContext &C) { StatusChecks({&C, ReportText, InfoText}); }
void ListPopupCheck(const SceneContext &C) { ListPopupChecks({&C, ReportText, InfoText}); }
void OptionPopupCheck(const SceneContext &C) { OptionPopupChecks({&C, ReportText, InfoText}); }
void DockCheck(const SceneContext &C) { DockChecks({&C, ReportText, InfoText}); }
void InputDialogCheck(const SceneContext &C) { InputDialogChecks({&C, ReportText, InfoText}); }

// In the order they run. The transitions come last: they take the longest.
constinit const FIRMWARE_CHECK kFirmwareChecks[] = {
    StringLengthCheck,
    CaptureFlagCheck,
    VideoModeCheck,
    PenChecks,
    ClearBufferCheck,
    BlitPositionCheck,
    BannerTextCheck,
    BannerScreenCheck,
    RenderTextCheck,
    RenderTextWrapCheck,
    OpaqueTextCheck,
    OpaqueTextFitCheck,
    TransparentTextCheck,
    CaptureChecks,
    SmallModeCaptureCheck,
    DisplayCheck,
    RowCheck,
    StatusCheck,
    ListPopupCheck,
    OptionPopupCheck,
    DockCheck,
    InputDialogCheck,
    PointerCheck,
    TransitionChecks,
    StartupChecks,
    SoakCheck,
};

}  // namespace

void RunFirmwareChecks(const SceneContext &C) {
  for (FIRMWARE_CHECK Check : kFirmwareChecks) {
    Check(C);
  }
}

UINT32 TextWidth(const SceneContext &C, const CHAR16 *String) {
  TextImage T = {0, 0x00FFFFFF, 0, 0, nullptr};
  if (C.Ui->RenderText(1000, &T, String) != 0) return 0;
  FreePixels(C, T.Bitmap);
  return T.Width;
}

UINT32 ColorOf(const ORVANE_PIXEL &P) {
  return (UINT32)P.Blue | ((UINT32)P.Green << 8) | ((UINT32)P.Red << 16);
}

UINT32 ScreenPixel(const SceneContext &C, UINT32 X, UINT32 Y) {
  ORVANE_PIXEL P = {};
  ReadScreen(C, &P, X, Y, 1, 1);
  return ColorOf(P);
}

// Counts the colours in a screen area: pixels equal to A, to B, and others.
bool Census(const SceneContext &C, UINT32 X, UINT32 Y, UINT32 W, UINT32 H, UINT32 A, UINT32 B,
            UINTN &CountA, UINTN &CountB, UINTN &Other) {
  CountA = CountB = Other = 0;
  ORVANE_PIXEL Row[1024];
  for (UINT32 R = 0; R < H; R++) {
    if (!ReadScreen(C, Row, X, Y + R, W, 1)) return false;
    for (UINT32 U = 0; U < W; U++) {
      UINT32 V = ColorOf(Row[U]);
      if (V == A)
        CountA++;
      else if (V == B)
        CountB++;
      else
        Other++;
    }
  }
  return true;
}
