#include "text/text.h"

#include "platform/services.h"
#include "raster/image_copy.h"
#include "text/milli.h"

namespace {

constexpr UINTN kTextBufferBytes = 8192;
constexpr UINT32 kLineHeight = 19;
constexpr UINT16 kRenderFontSize = 19;
constexpr Milli kMinScale = 1000;
constexpr Milli kMaxScale = 2000;
// Largest side a rendered line can have; the font service measures in UINT16.
constexpr UINT32 kMaxSide = 0xFFFF;

// The first text line as the font service rasterised it. The service may hand
// back a screen-sized image (EDK2 does: 800 x 600), so the line's width comes
// from the row information and the image's own width is the row stride.
class RenderedLine {
 public:
  RenderedLine() = default;
  RenderedLine(const RenderedLine &) = delete;
  RenderedLine &operator=(const RenderedLine &) = delete;
  ~RenderedLine() { Release(); }

  // The font service's status; EFI_PROTOCOL_ERROR when it succeeds without an image.
  EFI_STATUS Render(const CHAR16 *String, UINT32 Foreground, UINT32 Background, UINT16 FontSize,
                    CHAR16 FontName) {
    EFI_FONT_DISPLAY_INFO Info = {};
    Info.ForegroundColor = PixelFromColor(Foreground);
    Info.BackgroundColor = PixelFromColor(Background);
    Info.FontInfoMask = EFI_FONT_INFO_SYS_FONT | EFI_FONT_INFO_SYS_SIZE | EFI_FONT_INFO_SYS_STYLE;
    Info.FontInfo.FontStyle = 0;
    Info.FontInfo.FontSize = FontSize;
    Info.FontInfo.FontName[0] = FontName;

    EFI_IMAGE_OUTPUT *Out = nullptr;
    EFI_HII_ROW_INFO *RowInfo = nullptr;
    // Left as is by a service that gives no row information.
    constexpr UINTN kNoRowCount = ~(UINTN)0;
    UINTN RowCount = kNoRowCount;
    EFI_STATUS Status = gFont->StringToImage(gFont, EFI_HII_OUT_FLAG_WRAP, String, &Info, &Out, 0,
                                             0, &RowInfo, &RowCount, nullptr);
    if (EFI_ERROR(Status) || Out == nullptr) {
      // A failing service hands nothing back; whatever it wrote is not ours to free.
      return EFI_ERROR(Status) ? Status : EFI_PROTOCOL_ERROR;
    }
    Image_ = Out;
    RowInfo_ = RowInfo;

    Stride_ = Out->Image.Bitmap != nullptr ? Out->Width : 0;
    Rows_ = Out->Image.Bitmap != nullptr ? Out->Height : 0;
    Width_ = Stride_;
    if (RowCount != kNoRowCount) {
      // No row at all (an empty string) is an empty line.
      UINTN Line = (RowCount > 0 && RowInfo != nullptr) ? RowInfo[0].LineWidth : 0;
      Width_ = Line < Stride_ ? (UINT32)Line : Stride_;
    }
    return EFI_SUCCESS;
  }

  // Frees the image record, its bitmap and the row information.
  void Release() {
    if (Image_ != nullptr) {
      PoolFree(Image_->Image.Bitmap);
      PoolFree(Image_);
      Image_ = nullptr;
    }
    PoolFree(RowInfo_);
    RowInfo_ = nullptr;
  }

  const ORVANE_PIXEL *Pixels() const { return Image_ ? Image_->Image.Bitmap : nullptr; }
  UINT32 Width() const { return Width_; }
  UINT32 Stride() const { return Stride_; }
  UINT32 Rows() const { return Rows_; }

 private:
  EFI_IMAGE_OUTPUT *Image_ = nullptr;
  EFI_HII_ROW_INFO *RowInfo_ = nullptr;
  UINT32 Width_ = 0;
  UINT32 Stride_ = 0;
  UINT32 Rows_ = 0;
};

// Nearest-neighbour scaling of Source (Width x Height, read with row stride
// Stride, of which only SourceRows rows exist; missing rows read as the
// background) into a newly allocated Destination bitmap. EFI_UNSUPPORTED for a
// scale outside 1000 to 2000, EFI_INVALID_PARAMETER for a missing record or bitmap.
EFI_STATUS ScaleRows(Milli Scale, const TextImage *Source, UINT32 Stride, UINT32 SourceRows,
                     TextImage *Destination) {
  if (Scale < kMinScale || Scale > kMaxScale) {
    return EFI_UNSUPPORTED;
  }
  if (Source == nullptr || Destination == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  if (Source->Width > kMaxSide || Source->Height > kMaxSide) {
    return EFI_OUT_OF_RESOURCES;
  }
  if (Source->Bitmap == nullptr && Source->Width != 0 && Source->Height != 0) {
    return EFI_INVALID_PARAMETER;
  }
  INT32 W = MilliToInt(MilliMul((INT64)Source->Width * 1000, Scale));
  INT32 H = MilliToInt(MilliMul((INT64)Source->Height * 1000, Scale));
  UINTN Count = (UINTN)W * (UINTN)H;
  // Never a NULL bitmap on success, so the caller can always free what it gets.
  PoolBuffer<ORVANE_PIXEL> Pixels(Count > 0 ? Count : 1);
  if (!Pixels) {
    return EFI_OUT_OF_RESOURCES;
  }

  const ORVANE_PIXEL Fill = PixelFromColor(Source->Background);
  const Milli Inverse = MilliDiv(1000, Scale);
  INT32 PreviousRow = -1;
  for (INT32 I = 0; W > 0 && I < H; I++) {
    ORVANE_PIXEL *To = Pixels.Get() + (UINTN)I * (UINTN)W;
    INT32 From = MilliToInt(MilliMul((INT64)I * 1000, Inverse));
    if (From >= (INT32)Source->Height) {
      From = (INT32)Source->Height - 1;
    }
    if (From == PreviousRow) {
      // Enlarged rows repeat; the column mapping is the same for all.
      gBootServices->CopyMem(To, To - W, (UINTN)W * sizeof(ORVANE_PIXEL));
      continue;
    }
    PreviousRow = From;
    if ((UINT32)From >= SourceRows) {
      for (INT32 J = 0; J < W; J++) To[J] = Fill;
      continue;
    }
    const ORVANE_PIXEL *Row = Source->Bitmap + (UINTN)From * Stride;
    if (Inverse == 1000) {  // scale 1000: every row is the source row as it is
      gBootServices->CopyMem(To, const_cast<ORVANE_PIXEL *>(Row), (UINTN)W * sizeof(ORVANE_PIXEL));
      continue;
    }
    // Column J is MilliToInt(MilliMul(J * 1000, Inverse)) = (J * Inverse) / 1000, which
    // is stepped here as a quotient and remainder instead of divided out per pixel.
    UINT32 Column = 0, Part = 0;
    const UINT32 Last = Source->Width - 1;
    for (INT32 J = 0; J < W; J++) {
      To[J] = Row[Column < Last ? Column : Last];
      Part += (UINT32)Inverse;
      while (Part >= 1000) {
        Part -= 1000;
        Column++;
      }
    }
  }

  Destination->Foreground = Source->Foreground;
  Destination->Background = Source->Background;
  Destination->Width = (UINT32)W;
  Destination->Height = (UINT32)H;
  Destination->Bitmap = Pixels.Release();
  return EFI_SUCCESS;
}

// Transparent text: only pixels equal to the foreground change on the screen.
// The part of the screen under the text is read back, the foreground pixels
// are put into it and it goes back in one transfer; without memory for that,
// or when the screen cannot be read, each horizontal run of foreground pixels
// is sent on its own.
void SendForeground(const TextImage &Text, INT32 X, INT32 Y, const Rect &Screen) {
  const Rect Area = ClipRect(Screen, X, Y, Text.Width, Text.Height);
  if (Area.Empty()) {
    return;
  }
  const EFI_STATUS Status = PaintScreenArea(Area, [&](const DrawTarget &W) {
    const ORVANE_PIXEL Ink = PixelFromColor(Text.Foreground);
    for (INT64 J = Area.Y; J < Area.Bottom(); J++) {
      const ORVANE_PIXEL *From = Text.Bitmap + (UINTN)(J - Y) * Text.Width + (UINTN)(Area.X - X);
      ORVANE_PIXEL *To = W.At(Area.X, J);
      for (INT32 I = 0; I < Area.Width; I++) {
        if (ColorFromPixel(From[I]) == Text.Foreground) To[I] = Ink;
      }
    }
  });
  if (Status != EFI_NOT_STARTED) {
    return;
  }
  for (UINT32 R = 0; R < Text.Height; R++) {
    const ORVANE_PIXEL *Row = Text.Bitmap + (UINTN)R * Text.Width;
    UINT32 U = 0;
    while (U < Text.Width) {
      if (ColorFromPixel(Row[U]) != Text.Foreground) {
        U++;
        continue;
      }
      UINT32 Start = U;
      while (U < Text.Width && ColorFromPixel(Row[U]) == Text.Foreground) {
        U++;
      }
      SendToScreen(Text.Bitmap, (INT32)Text.Width, {(INT32)Start, (INT32)R, (INT32)(U - Start), 1},
                   X, Y, Screen);
    }
  }
}

}  // namespace

UINTN ScaleImage(Milli Scale, const TextImage *Source, TextImage *Destination) {
  UINT32 Width = Source != nullptr ? Source->Width : 0;
  UINT32 Height = Source != nullptr ? Source->Height : 0;
  switch (ScaleRows(Scale, Source, Width, Height, Destination)) {
    case EFI_SUCCESS: return kTextDone;
    case EFI_UNSUPPORTED: return kTextBadScaleOrNoRecord;
    case EFI_INVALID_PARAMETER: return kTextNullRecord;
    default: return kTextOutOfMemory;
  }
}

UINTN EFIAPI DrawText(UINT32 Foreground, const ORVANE_PIXEL *Background, Milli Scale, UINT16 X,
                      UINT16 Y, const CHAR16 *Format, ...) {
  if (gFont == nullptr || gGraphics == nullptr || gPrint == nullptr || gBootServices == nullptr) {
    return kTextServiceMissing;
  }
  if (Format == nullptr) {
    return kTextServiceMissing;
  }
  PoolBuffer<CHAR16> Text(kTextBufferBytes / sizeof(CHAR16));
  if (!Text) {
    return kTextServiceMissing;
  }
  __builtin_ms_va_list Args;
  __builtin_ms_va_start(Args, Format);
  gPrint->VSPrint(Text.Get(), kTextBufferBytes, Format, Args);
  __builtin_ms_va_end(Args);

  // Without a background the substitute must never equal the foreground.
  UINT32 Back = Background != nullptr ? ColorFromPixel(*Background)
                                      : (Foreground == 0x00000000 ? 0x00000001 : 0x00000000);

  RenderedLine Line;
  if (Line.Render(Text.Get(), Foreground, Back, 0, 0) != EFI_SUCCESS) {
    return kTextServiceMissing;
  }
  TextImage Source = {Foreground, Back, Line.Width(), kLineHeight,
                      const_cast<ORVANE_PIXEL *>(Line.Pixels())};
  TextImage Scaled = {};
  if (ScaleRows(Scale, &Source, Line.Stride(), Line.Rows(), &Scaled) != EFI_SUCCESS) {
    return kTextScaleRefused;
  }
  PoolBuffer<ORVANE_PIXEL> ScaledPixels(Scaled.Bitmap);
  Line.Release();

  const Rect Screen = DrawTarget::Screen().Clip;
  if (Background != nullptr) {
    // Opaque text is one transfer of the whole bitmap. Text that runs past the
    // mode is refused as the graphics service refuses such a transfer: nothing
    // is shown and the caller learns that its text did not fit. An empty line
    // is still offered to the service, whose answer decides the code.
    const Rect Whole = {X, Y, (INT32)Scaled.Width, (INT32)Scaled.Height};
    if (!Whole.Empty()) {
      const Rect Shown = Screen.Intersect(Whole);
      if (Shown.Width != Whole.Width || Shown.Height != Whole.Height) {
        return kTextTransferFailed;
      }
    }
    EFI_STATUS Status =
        gGraphics->Blt(gGraphics, Scaled.Bitmap, EfiBltBufferToVideo, 0, 0, X, Y, Scaled.Width,
                       Scaled.Height, (UINTN)Scaled.Width * sizeof(ORVANE_PIXEL));
    return EFI_ERROR(Status) ? kTextTransferFailed : kTextDone;
  }
  SendForeground(Scaled, X, Y, Screen);
  return kTextDone;
}

UINTN EFIAPI RenderText(Milli Scale, TextImage *Image, const CHAR16 *String) {
  if (Image == nullptr) {
    return kTextBadScaleOrNoRecord;
  }
  if (gFont == nullptr || gBootServices == nullptr || String == nullptr) {
    return kTextServiceMissing;
  }
  PoolBuffer<CHAR16> Copy(StrDuplicate(String));
  if (!Copy) {
    return kTextServiceMissing;
  }
  RenderedLine Line;
  if (Line.Render(Copy.Get(), Image->Foreground, Image->Background, kRenderFontSize,
                  W("System font")[0]) != EFI_SUCCESS) {
    return kTextServiceMissing;
  }
  TextImage Source = {Image->Foreground, Image->Background, Line.Width(), kLineHeight,
                      const_cast<ORVANE_PIXEL *>(Line.Pixels())};
  TextImage Scaled = {};
  if (ScaleRows(Scale, &Source, Line.Stride(), Line.Rows(), &Scaled) != EFI_SUCCESS) {
    return kTextScaleRefused;
  }
  // The scaled bitmap now belongs to the caller.
  *Image = Scaled;
  return kTextDone;
}

UINTN DrawTextOn(const DrawTarget &T, INT32 X, INT32 Y, const CHAR16 *String, UINT32 Foreground,
                 UINT32 Background, Milli Scale) {
  TextImage Text = {Foreground, Background, 0, 0, nullptr};
  UINTN Code = RenderText(Scale, &Text, String);
  if (Code != kTextDone) {
    return Code;
  }
  PoolBuffer<ORVANE_PIXEL> Bitmap(Text.Bitmap);
  const ORVANE_PIXEL Key = PixelFromColor(Background);
  PlaceImage(T, X, Y, Text.Bitmap, (INT32)Text.Width, {0, 0, (INT32)Text.Width, (INT32)Text.Height},
             &Key);
  return kTextDone;
}
