#include "controls/status/gauge_panel.h"

#include "controls/status/item_cell.h"
#include "controls/status/level_bar.h"
#include "controls/status/round_frame.h"
#include "raster/image_copy.h"
#include "raster/line.h"
#include "raster/pen.h"

namespace {

struct FrameColors {
  UINT32 Top, Left, Right, Bottom;
};
constexpr FrameColors kNormalFrame = {0x4C4E4B, 0x424242, 0x505050, 0x9F9F9F};
constexpr FrameColors kWarningFrame = {0xA29836, 0xAF9E36, 0xE3C940, 0xFFF488};
constexpr INT32 kWarning = 100;

// The four lines round a row's bar, Down rows below the first row's.
void BarFrame(const DrawTarget &T, INT32 W, INT32 Q, INT32 T2, INT32 Down, const FrameColors &C) {
  DrawLineOn(T, W - 175, Down + Q - 6, W - 15, Down + Q - 6, kPenDot, C.Top);
  DrawLineOn(T, W - 176, Down + T2 - 5, W - 176, Down + Q + 10, kPenDot, C.Left);
  DrawLineOn(T, W - 14, Down + T2 - 5, W - 14, Down + Q + 10, kPenDot, C.Right);
  DrawLineOn(T, W - 175, Down + Q + 11, W - 15, Down + Q + 11, kPenDot, C.Bottom);
}

struct Cell {
  INT32 X, Y, W, H;
  UINT16 Style;
  const CHAR16 *Label;
  UINT16 Align;
  OwnedText Text;
};

}  // namespace

UINTN EFIAPI DrawGaugePanel(INT32 X, INT32 Y, INT32 Width, INT32 Height, const CHAR16 *Label1,
                            const CHAR16 *Label2, const CHAR16 *Label3, const CHAR16 *Label4,
                            INT32 Value1, INT32 Value2) {
  // An empty panel shows nothing; refusing it first also keeps the layout
  // arithmetic below from overflowing on the most negative sizes.
  if (Width <= 0 || Height <= 0) {
    return EFI_SUCCESS;
  }
  const INT32 W = Width, H = Height;
  const INT32 A = (W - 4) / 3, B = (W - 4) - A;
  const INT32 T = (H - 4) / 2, U = (H - 4) - T;
  const INT32 Q = (H - 4) / 4, T2 = T / 2, M = T + 2 + U / 2;
  const bool Warn1 = Value1 >= kWarning, Warn2 = Value2 >= kWarning;

  // Every text is rendered before anything is drawn: a failure draws nothing.
  OwnedText Celsius;
  if (!Celsius.Render(W("C"), Warn2 ? 0x000000 : 0xFFFFFF, Warn2 ? 0xFFFFFF : 0x000000)) {
    return EFI_OUT_OF_RESOURCES;
  }
  Cell Cells[4] = {
      {2, 2, A, T, (UINT16)(Warn1 ? 8 : 0), Label1, 0, {}},
      {A + 2, 2, B, T, (UINT16)(Warn1 ? 7 : 4), Label2, 3, {}},
      {2, T + 2, A, U, (UINT16)(Warn2 ? 8 : 0), Label3, 0, {}},
      {A + 2, T + 2, B, U, (UINT16)(Warn2 ? 7 : 4), Label4, 4, {}},
  };
  for (Cell &C : Cells) {
    if (C.Label != nullptr && !RenderLabel(C.Label, ItemCellTextColor(C.Style, C.Align, 0),
                                           kItemCellTextBackground, C.Text.Image)) {
      return EFI_OUT_OF_RESOURCES;
    }
  }

  return PaintOffscreen(X, Y, W, H, [&](const DrawTarget &Target) {
    for (const Cell &C : Cells) {
      DrawItemCellRendered(Target, C.X, C.Y, C.W, C.H, C.Style,
                           C.Label != nullptr ? &C.Text.Image : nullptr, C.Align, 0);
    }
    DrawLevelBar(Target, W - 175, T2 - 5, 161, 15, Value1);
    BarFrame(Target, W, Q, T2, 0, Warn1 ? kWarningFrame : kNormalFrame);
    DrawLevelBar(Target, W - 175, M - 7, 161, 15, Value2);
    const UINT32 Ring = Warn2 ? 0x000000 : 0xFFFFFF;
    DrawLineOn(Target, W - 195, M - 6, W - 195, M - 4, kPenDot, Ring);
    DrawLineOn(Target, W - 191, M - 6, W - 191, M - 4, kPenDot, Ring);
    DrawLineOn(Target, W - 194, M - 7, W - 192, M - 7, kPenDot, Ring);
    DrawLineOn(Target, W - 194, M - 3, W - 192, M - 3, kPenDot, Ring);
    const TextImage &C = Celsius.Image;
    const ORVANE_PIXEL Key = PixelFromColor(C.Background);
    PlaceImage(Target, W - 189, M - 9, C.Bitmap, (INT32)C.Width,
               Rect{0, 0, (INT32)C.Width, (INT32)C.Height}, &Key);
    BarFrame(Target, W, Q, T2, U, Warn2 ? kWarningFrame : kNormalFrame);
    DrawRoundFrame(Target, 0, 0, W, H, 10, 0xFFFFFF);
  });
}
