#include "controls/status/label.h"

#include "raster/image_copy.h"
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
  PlaceInk(T, X, Y, Text.Bitmap, Text.Width, Text.Height, Color, DimAfter, DimColor);
}
