// One line of label text as the cell and button painters place it: rendered
// at scale 1.0, positioned by a TextAlign code, and composed glyph by glyph.
#pragma once
#include "raster/target.h"

// TextAlign codes; any other value is left-aligned with a margin of a
// twentieth of the width. The two indents apply to cells only.
enum : UINT16 {
  kAlignCentred = 1,
  kAlignRight = 2,
  kAlignIndent26 = 5,
  kAlignIndent13 = 6,
};

// A twentieth of Width, on the float service.
INT32 LabelMargin(INT32 Width);

// Left column of a label TextWidth wide in the box (X, Width): centred,
// right-aligned or left-aligned after the margin. Indents are the caller's.
INT64 LabelLeft(UINT16 Align, INT64 X, INT32 Width, UINT32 TextWidth);

// Top row of a label TextHeight high centred in the box (Y, Height).
INT64 LabelTop(INT64 Y, INT32 Height, UINT32 TextHeight);

// Renders Text at scale 1000 in Foreground on Background. False (and no
// bitmap to free) when the text service fails.
bool RenderLabel(const CHAR16 *Text, UINT32 Foreground, UINT32 Background, TextImage &Out);

// The width of Text rendered at scale 1000 (0 for NULL); false when it cannot
// be rendered, Width then left as it was.
bool MeasureLabel(const CHAR16 *Text, UINT32 &Width);

// A label rendered by RenderLabel whose bitmap is returned to the pool with the object.
struct OwnedText {
  TextImage Image = {};
  OwnedText() = default;
  OwnedText(const OwnedText &) = delete;
  OwnedText &operator=(const OwnedText &) = delete;
  ~OwnedText() { PoolFree(Image.Bitmap); }
  // Frees what an earlier call rendered; false when RenderLabel fails (then
  // there is no bitmap).
  bool Render(const CHAR16 *Text, UINT32 Foreground, UINT32 Background) {
    PoolFree(Image.Bitmap);
    return RenderLabel(Text, Foreground, Background, Image);
  }
  // The same, but a NULL Text renders nothing and is no failure.
  bool RenderIfAny(const CHAR16 *Text, UINT32 Foreground, UINT32 Background) {
    return Text == nullptr || Render(Text, Foreground, Background);
  }
  // The rendered text; NULL when there is none (a rendered text always has a bitmap).
  const TextImage *Get() const { return Image.Bitmap != nullptr ? &Image : nullptr; }
};

// Writes the glyph pixels of Text (blue, green and red equal to Color) at
// (X, Y) in Color, clipped to the target; the background shows through.
// Glyph columns i with i > DimAfter (unsigned) are written in DimColor.
void PlaceGlyphs(const DrawTarget &T, INT64 X, INT64 Y, const TextImage &Text, UINT32 Color,
                 UINT32 DimAfter = 0xFFFFFFFF, UINT32 DimColor = 0);
