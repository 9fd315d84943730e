// The cell and button painters written literally, step by step: rectangles
// and lines pixel by pixel, corner tests through the float service's square
// root, the margin by a float division, glyphs copied pixel by pixel. Writes
// outside the target's clip are dropped, as the production painters do.
#pragma once
#include "raster/target.h"

namespace ref {

BOOLEAN WithinRadius(INT32 PX, INT32 PY, INT32 CX, INT32 CY, INT32 R);

UINTN DrawItemCell(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, INT32 Ordinal,
                   UINT16 Style, const CHAR16 *Label, UINT16 Align, UINT16 Flags);
UINTN DrawButton(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, const CHAR16 *Caption,
                 UINT16 Align, INT32 State);

}  // namespace ref

// Every cell style and state and every button look on one screen, for the
// golden pictures: cells straight on the screen, buttons composed in a buffer.
struct SceneContext;
void DrawStatusPainterSheet(const SceneContext &C);
