#include "controls/status/label.h"

#include "text/text.h"

INT32 LabelMargin(INT32 Width) { return fm::ToInt(fm::Div(fm::FromInt(Width), fm::FromInt(20))); }

INT64 LabelLeft(UINT16 Align, INT64 X, INT32 Width, UINT32 TextWidth) {
  switch (Align) {
    case kAlignCentred: return X + Width / 2 - (INT64)(TextWidth / 2);
    case kAlignRight: return X + Width - LabelMargin(Width) - (INT64)TextWidth;
    default: return X + LabelMargin(Width);
  }
}

INT64 LabelTop(INT64 Y, INT32 Height, UINT32 TextHeight) {
  return Y + Height / 2 - (INT64)(TextHeight / 2);
}

bool RenderLabel(const CHAR16 *Text, UINT32 Foreground, UINT32 Background, TextImage &Out) {
  Out = TextImage{Foreground, Background, 0, 0, nullptr};
  if (Text == nullptr) {
    return false;
  }
  if (RenderText(1000, &Out, Text) != 0) {
    Out.Bitmap = nullptr;
    return false;
  }
  return true;
}

bool MeasureLabel(const CHAR16 *Text, UINT32 &Width) {
  if (Text == nullptr) {
    Width = 0;
    return true;
  }
  TextImage Image;
  if (!RenderLabel(Text, 0x000000, 0xFFFFFF, Image)) {
    return false;
  }
  Width = Image.Width;
  PoolFree(Image.Bitmap);
  return true;
}

void PlaceGlyphs(const DrawTarget &T, INT64 X, INT64 Y, const TextImage &Text, UINT32 Color,
                 UINT32 DimAfter, UINT32 DimColor) {
  if (Text.Bitmap == nullptr) {
    return;
  }
  // Only the part of the bitmap that lands inside the clip is visited.
  INT64 I0 = T.Clip.X - X > 0 ? T.Clip.X - X : 0;
  INT64 J0 = T.Clip.Y - Y > 0 ? T.Clip.Y - Y : 0;
  INT64 I1 = T.Clip.Right() - X < (INT64)Text.Width ? T.Clip.Right() - X : (INT64)Text.Width;
  INT64 J1 = T.Clip.Bottom() - Y < (INT64)Text.Height ? T.Clip.Bottom() - Y : (INT64)Text.Height;
  const UINT32 Glyph = Color & 0x00FFFFFF;
  const ORVANE_PIXEL Ink = PixelFromColor(Color), Dim = PixelFromColor(DimColor);
  for (INT64 J = J0; J < J1; J++) {
    const ORVANE_PIXEL *Row = Text.Bitmap + (UINTN)J * Text.Width;
    if (T.IsScreen()) {
      for (INT64 I = I0; I < I1; I++) {
        if ((ColorFromPixel(Row[I]) & 0x00FFFFFF) == Glyph) {
          T.Put((INT32)(X + I), (INT32)(Y + J), (UINT32)I > DimAfter ? DimColor : Color);
        }
      }
      continue;
    }
    // Index of glyph column 0 in this row; it may lie left of the buffer.
    const INT64 Base = (Y + J) * (INT64)T.RowWidth + X;
    for (INT64 I = I0; I < I1; I++) {
      if ((ColorFromPixel(Row[I]) & 0x00FFFFFF) == Glyph) {
        T.Pixels[Base + I] = (UINT32)I > DimAfter ? Dim : Ink;
      }
    }
  }
}
