// Demo stage of the status controls: gauge panels, a message box, a scroll
// bar, progress bars, tiles, divider strips and a dotted rule.
#include "frontend/scenes.h"

namespace {

constexpr UINT32 kBackdrop = 0x00182028;

void Caption(const SceneContext &C, UINT16 X, UINT16 Y, const CHAR16 *Text) {
  ORVANE_PIXEL Back = {0x28, 0x20, 0x18, 0};
  UI(DrawText, 0x00C8D0E0, &Back, 1000, X, Y, W("%s"), Text);
}

// One progress bar painted into its own buffer, then shown.
void ProgressBar(const SceneContext &C, INT32 X, INT32 Y, INT32 Percent) {
  constexpr INT32 kW = 460, kH = 24;
  ORVANE_PIXEL *Buffer = AllocPixels(C, (UINTN)kW * kH);
  if (Buffer == nullptr) {
    return;
  }
  UI(DrawProgressBar, Buffer, 0, 0, 0, 0, kW, kH, W("Copying"), Percent);
  UI(BlitToScreen, Buffer, kW, kH, X, Y);
  FreePixels(C, Buffer);
}

}  // namespace

void DemoStatus(const SceneContext &C) {
  FillScreen(C, kBackdrop);
  Caption(C, 20, 8, W("Gauge panels at 50 and 100, a message box, a scroll bar"));

  UI(DrawGaugePanel, 20, 36, 480, 90, W("CPU"), W("Load 50%"), W("Temperature"), W("Core"), 50, 50);
  UI(DrawGaugePanel, 20, 136, 480, 90, W("CPU"), W("Load 100%"), W("Temperature"), W("Core"), 100,
     100);

  CHAR16 *Lines[] = {W("Save changes and exit?\r\nSettings are kept in flash."),
                     W("The machine restarts.")};
  CHAR16 *Captions[] = {W("Yes"), W("No")};
  MessageBox Box = {};
  UI(InitMessageBox, &Box, 540, 36, 0, 0, 2, Lines, 2, Captions);
  // The pointer over the first button makes it hot (focused).
  UI(HitTestMessageBox, &Box, Box.X + Box.ButtonsLeft + 20,
     Box.Y + Box.TextTop + Box.TextHeight + Box.ButtonMargin + 10);
  UI(PaintMessageBox, &Box);

  UI(DrawScrollBar, 990, 36, 300, 50, 10, 11, 2);

  Caption(C, 20, 240, W("Progress at 0, 52, 53 and 100 percent"));
  const INT32 Percents[] = {0, 52, 53, 100};
  for (INT32 I = 0; I < 4; I++) ProgressBar(C, 20, 266 + 32 * I, Percents[I]);

  Caption(C, 540, 240, W("Tiles, normal and active"));
  UI(DrawTile, 540, 266, 180, 110, 0);
  UI(DrawTile, 740, 266, 180, 110, 1);

  Caption(C, 20, 406, W("Divider strips and a dotted rule"));
  UI(DrawDividerStrip, 20, 432, 460, 30, 1, 230, 0);
  UI(DrawDividerStrip, 20, 472, 460, 30, 1, 230, 1);
  UI(DrawDottedRule, 20, 516, 460);

  if (C.Snapshot != nullptr) {
    C.Snapshot(&C, "status");
  }
}
