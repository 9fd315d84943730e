#include "controls/status/progress_bar.h"

#include "controls/status/label.h"
#include "raster/gradient.h"
#include "raster/image_copy.h"
#include "raster/line.h"
#include "raster/pen.h"

namespace {

struct Bands {
  UINT32 UpperFrom, UpperTo, LowerFrom, LowerTo;
};
constexpr Bands kLabelBox = {0xFBB968, 0xFA5F0F, 0xE04E00, 0xF37201};
constexpr Bands kFilled = {0xFBE16D, 0xFFA317, 0xE08600, 0xF3B001};
constexpr Bands kEmpty = {0x585657, 0x464646, 0x1E1E1E, 0x161616};
constexpr UINT32 kFrame = 0x000000;
constexpr INT32 kLowestBar = 20;

// Columns [X, X + W) of the inside rows 1 .. H - 2, as an upper and a lower band.
void PaintBands(const DrawTarget &T, INT32 X, INT32 W, INT32 H, const Bands &B) {
  const INT32 Upper = (H - 2) / 2;
  FillRowsGradient(T, X, 1, W, Upper, B.UpperFrom, B.UpperTo);
  FillRowsGradient(T, X, Upper + 1, W, (H - 2) - Upper, B.LowerFrom, B.LowerTo);
}

}  // namespace

UINTN EFIAPI DrawProgressBar(ORVANE_PIXEL *Buffer, INT32, INT32, INT32, INT32, INT32 Width,
                             INT32 Height, const CHAR16 *Label, INT32 Percent) {
  if (Buffer == nullptr || Width <= 0) {
    return EFI_INVALID_PARAMETER;
  }
  if (Percent < 0) Percent = 0;
  if (Percent > 100) Percent = 100;
  CHAR16 PercentText[10];
  UnicodeSPrint(PercentText, sizeof(PercentText), W("%d%%"), Percent);
  const bool Dark = Percent < 53;

  // Both texts first: a failure leaves the buffer untouched.
  OwnedText Caption, Figure;
  if (!Caption.Render(Label != nullptr ? Label : W(""), 0x000000, 0xFFFFFF) ||
      !Figure.Render(PercentText, Dark ? 0xFFFFFF : 0x000000, Dark ? 0x000000 : 0xFFFFFF)) {
    return EFI_OUT_OF_RESOURCES;
  }
  const INT32 LW = (INT32)Caption.Image.Width, LH = (INT32)Caption.Image.Height;
  const INT32 PW = (INT32)Figure.Image.Width, PH = (INT32)Figure.Image.Height;

  if (Height < kLowestBar) Height = kLowestBar;
  const DrawTarget T = DrawTarget::For(Buffer, Width, Height);
  const INT32 X0 = LW + 6;
  const INT32 FillEnd =
      X0 + fm::ToIntAlt(fm::Div(fm::Mul(fm::FromInt(Width - 2 - X0), fm::FromInt(Percent)),
                                fm::FromInt(100)));

  DrawLineOn(T, X0, 0, Width - 1, 0, kPenDot, kFrame);
  DrawLineOn(T, X0, 0, X0, Height - 1, kPenDot, kFrame);
  DrawLineOn(T, Width - 1, 0, Width - 1, Height - 1, kPenDot, kFrame);
  DrawLineOn(T, X0, Height - 1, Width - 1, Height - 1, kPenDot, kFrame);

  if (Percent == 100) {
    PaintBands(T, X0 + 1, Width - 2 - X0, Height, kFilled);
  } else if (Percent == 0) {
    PaintBands(T, X0 + 1, Width - 2 - X0, Height, kEmpty);
  } else {
    PaintBands(T, X0 + 1, FillEnd - X0, Height, kFilled);
    PaintBands(T, FillEnd + 1, Width - 2 - FillEnd, Height, kEmpty);
  }

  DrawLineOn(T, 0, 0, LW + 5, 0, kPenDot, kFrame);
  DrawLineOn(T, 0, 0, 0, Height - 1, kPenDot, kFrame);
  DrawLineOn(T, 0, Height - 1, LW + 5, Height - 1, kPenDot, kFrame);
  PaintBands(T, 1, LW + 5, Height, kLabelBox);

  const ORVANE_PIXEL White = PixelFromColor(0xFFFFFF);
  PlaceImage(T, 3, Height / 2 - LH / 2, Caption.Image.Bitmap, LW, Rect{0, 0, LW, LH}, &White);
  const ORVANE_PIXEL FigureKey = PixelFromColor(Figure.Image.Background);
  PlaceImage(T, X0 / 2 + Width / 2 - PW / 2, Height / 2 - PH / 2, Figure.Image.Bitmap, PW,
             Rect{0, 0, PW, PH}, &FigureKey);
  return EFI_SUCCESS;
}
