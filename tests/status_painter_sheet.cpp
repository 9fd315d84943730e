// A sheet of item cells and buttons in every style, state and alignment.
#include <cstddef>
#include <vector>

#include "controls/status/button.h"
#include "controls/status/item_cell.h"
#include "frontend/scenes.h"
#include "tests/painter_reference.h"

void DrawStatusPainterSheet(const SceneContext &C) {
  FillScreen(C, 0x00283848);
  // Styles 0 to 8 down, states normal, highlighted and disabled across, then no label.
  const CHAR16 *const Names[9] = {W("Style 0 indented"), W("Style 1 inset"), W("Style 2 by label"),
                                  W("Style 3 plain"),    W("Style 4 plain"), W("Style 5 plain"),
                                  W("Style 6 raised"),   W("Style 7 plain"), W("Style 8 plain")};
  // The cells are painted off-screen, as every control paints them, over what
  // the screen shows; buffer pixel (0, 0) is the screen's.
  PaintOffscreen(0, 0, 1024, 360, [&](const DrawTarget &Cells) {
    for (UINT16 Style = 0; Style < 9; Style++) {
      const INT32 Y = 16 + Style * 34;
      for (UINT16 State = 0; State < 3; State++) {
        DrawItemCell(Cells, 16 + State * 240, Y, 228, 28, State, Style, Names[Style],
                     (UINT16)(Style % 3), State);
      }
      DrawItemCell(Cells, 736, Y, 228, 28, 3, Style, nullptr, 0, kCellHighlighted);
    }
    // The 26- and 13-pixel indents: a dimmed tail, then the colour codes.
    DrawItemCell(Cells, 16, 326, 300, 28, 0, kCellGrooveIndented, W("Dimmed tail of a label"),
                 kAlignIndent26, kCellDimTail);
    for (UINT16 Code = 0; Code < 8; Code++) {
      DrawItemCell(Cells, 330 + Code * 84, 326, 80, 28, Code, 3, W("Code"), kAlignIndent13,
                   (UINT16)(Code << 4));
    }
  });
  // Buttons: the four looks, the three alignments of a 50 x 20 request, and a large one.
  std::vector<ORVANE_PIXEL> Buffer((size_t)992 * 200);
  for (ORVANE_PIXEL &P : Buffer) P = PixelFromColor(0x00303030);
  const DrawTarget Panel = DrawTarget::For(Buffer.data(), 992, 200);
  const CHAR16 *const Looks[4] = {W("Normal"), W("Pressed"), W("Focused"), W("Other")};
  for (INT32 Look = 0; Look < 4; Look++) {
    DrawButton(Panel, 16 + Look * 150, 16, 140, 40, Looks[Look], kAlignCentred, Look);
  }
  for (UINT16 Align = 0; Align < 3; Align++) {
    DrawButton(Panel, 16 + Align * 130, 80, 50, 20, W("Go"), Align,
               Align == 1 ? kButtonPressed : kButtonNormal);
  }
  DrawButton(Panel, 620, 16, 340, 120, W("A large button"), kAlignRight, kButtonFocused);
  SendToScreen(Buffer.data(), 992, 200, 16, 400);
}
