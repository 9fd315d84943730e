#include "controls/status/item_cell.h"

#include "raster/shapes.h"

namespace {

constexpr UINT32 kCellBackground = 0x00131313;
constexpr UINT32 kRaisedFace = 0x00565656;
constexpr UINT32 kGrooveUpper = 0x00090909;
constexpr UINT32 kGrooveLower = 0x003C3C3C;
constexpr UINT32 kHighlight = 0x002C6C05;
constexpr UINT32 kDisabledText = 0x00828282;
constexpr UINT32 kRaisedText = 0x00E5994B;
constexpr UINT32 kPlainText = 0x00FFFFFF;
constexpr UINT32 kColorCodes[8] = {kPlainText, 0x00FF0000, 0x0000FF00, 0x000000FF,
                                   0x00FFFF00, kPlainText, kPlainText, kPlainText};
constexpr INT32 kIndent = 26;
constexpr INT32 kInset = 15;  // the bar stops 15 short, the groove 16 (its end is inclusive)

// Everything but the label.
void PaintCell(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, UINT16 Style, bool HasLabel,
               UINT16 Flags) {
  if (W <= 0 || H <= 0) {
    // Degenerate cells keep what the rectangle primitive makes of them.
    DrawRectangleOn(T, X, Y, W, H, 1, kFillSolid, kCellBackground, kCellBackground);
  } else if (Style == kCellRaised) {
    // A column gradient between equal colours over the background: a plain face.
    T.Fill(X, Y, W, H, kRaisedFace);
  } else {
    T.Fill(X, Y, W, H, kCellBackground);
  }
  bool Indented = Style == kCellGrooveIndented || (Style == kCellGrooveByLabel && HasLabel);
  bool Inset = Style == kCellGrooveInset || (Style == kCellGrooveByLabel && !HasLabel);
  INT64 X64 = X, Y64 = Y;
  if (Indented || Inset) {
    INT64 From = Indented ? X64 + kIndent : X64;
    INT64 To = Indented ? X64 + W : X64 + W - (kInset + 1);
    T.HLine(From, To, Y64 + H - 2, kGrooveUpper);
    T.HLine(From, To, Y64 + H - 1, kGrooveLower);
    if ((Flags & kCellStateMask) == kCellHighlighted) {
      if (Indented) {
        T.Fill(X64 + kIndent, Y64 + 1, (INT64)W - kIndent, (INT64)H - 3, kHighlight);
      } else {
        T.Fill(X64, Y64 + 1, (INT64)W - kInset, (INT64)H - 3, kHighlight);
      }
    }
  }
}

INT64 CellTextLeft(UINT16 Align, INT32 X, INT32 W, UINT32 TextWidth) {
  if (Align == kAlignIndent26) return (INT64)X + 26;
  if (Align == kAlignIndent13) return (INT64)X + 13;
  return LabelLeft(Align, X, W, TextWidth);
}

// Columns of the label past this one are dimmed (unsigned: narrow labels never are).
UINT32 DimAfter(UINT16 Style, UINT16 Align, UINT16 Flags, UINT32 TextWidth) {
  bool Dims =
      Align == kAlignIndent26 && Style == kCellGrooveIndented && (Flags & kCellDimTail) != 0;
  return Dims ? TextWidth - 48 : 0xFFFFFFFF;
}

}  // namespace

UINT32 ItemCellTextColor(UINT16 Style, UINT16 Align, UINT16 Flags) {
  if ((Flags & kCellStateMask) == kCellDisabled) return kDisabledText;
  if (Style == kCellRaised) return kRaisedText;
  if (Align == kAlignIndent13) return kColorCodes[(Flags & kCellColorCodeMask) >> 4];
  return kPlainText;
}

namespace {

// The cell, and its label when there is one. HasLabel picks the groove of
// style 2 and may be true without a Label: one that failed to render.
void PaintLabelledCell(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, UINT16 Style,
                       bool HasLabel, const TextImage *Label, UINT16 Align, UINT16 Flags) {
  PaintCell(T, X, Y, W, H, Style, HasLabel, Flags);
  if (Label == nullptr) {
    return;
  }
  PlaceGlyphs(T, CellTextLeft(Align, X, W, Label->Width), LabelTop(Y, H, Label->Height), *Label,
              ItemCellTextColor(Style, Align, Flags), DimAfter(Style, Align, Flags, Label->Width),
              kDisabledText);
}

}  // namespace

void DrawItemCellRendered(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, UINT16 Style,
                          const TextImage *Label, UINT16 Align, UINT16 Flags) {
  PaintLabelledCell(T, X, Y, W, H, Style, Label != nullptr, Label, Align, Flags);
}

void DrawItemCell(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, INT32 Ordinal,
                  UINT16 Style, const CHAR16 *Label, UINT16 Align, UINT16 Flags) {
  OwnedText Text;
  Text.Render(Label, ItemCellTextColor(Style, Align, Flags), kItemCellTextBackground);
  PaintLabelledCell(T, X, Y, W, H, Style, Label != nullptr, Text.Get(), Align, Flags);
}
