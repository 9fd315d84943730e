// The item cell painter shared by the gauge panel, the input dialog and the
// setting row: a dark cell with an optional groove along its bottom edge, an
// optional green highlight bar and one label line coloured by the cell's state.
#pragma once
#include "controls/status/label.h"

// CellStyle codes with a look of their own; every other value paints a plain cell.
enum : UINT16 {
  kCellGrooveIndented = 0,  // groove and bar indented 26 pixels on the left
  kCellGrooveInset = 1,     // groove and bar stop short on the right
  kCellGrooveByLabel = 2,   // indented with a label, inset without one
  kCellRaised = 6,          // plain 0x565656 face, amber label
};

// CellFlags.
enum : UINT16 {
  kCellStateMask = 0x0F,
  kCellHighlighted = 1,
  kCellDisabled = 2,
  kCellColorCodeMask = 0x70,  // label colour, read with kAlignIndent13 only
  kCellDimTail = 0x80,        // greys the label's last 48 columns (style 0, kAlignIndent26)
};

// The colour a label is rendered in, and the background it is rendered on.
UINT32 ItemCellTextColor(UINT16 Style, UINT16 Align, UINT16 Flags);
inline constexpr UINT32 kItemCellTextBackground = 0x00010101;

// Paints the cell (X, Y, W, H) into a buffer target. Ordinal is the caller's
// cell number and does not change the picture. Label may be NULL; when the
// text service fails the cell is painted without it.
void DrawItemCell(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, INT32 Ordinal,
                  UINT16 Style, const CHAR16 *Label, UINT16 Align, UINT16 Flags);

// The same with the label already rendered (RenderLabel in ItemCellTextColor on
// kItemCellTextBackground), for callers that render every text before they
// draw so that a failure leaves the screen untouched. Label NULL: no label.
void DrawItemCellRendered(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, UINT16 Style,
                          const TextImage *Label, UINT16 Align, UINT16 Flags);
