#include "controls/status/divider.h"

#include "raster/image_copy.h"
#include "raster/line.h"
#include "raster/pen.h"
#include "raster/shapes.h"
#include "raster/target.h"
#include "text/text.h"

namespace {
constexpr UINT32 kStrip = 0x131313;
constexpr UINT32 kDot = 0xDFDFDF;
}  // namespace

UINTN EFIAPI DrawDividerStrip(INT32 X, INT32 Y, INT32 Width, INT32 Height, UINT8 ShowDivider,
                              INT32 DividerX, UINT8 Active) {
  const UINT32 Light = Active == 1 ? 0xFFFFFF : 0xC3C3C3;
  const UINT32 Dark = Active == 1 ? 0xACC764 : 0x3C3C3C;
  // A divider column outside the strip is clipped away by the buffer. The
  // strip's solid fill covers every pixel, so nothing under it is captured.
  return PaintOffscreen(Underlay::Unset, X, Y, Width, Height, [&](const DrawTarget &T) {
    DrawRectangleOn(T, 0, 0, Width, Height, kPenDot, kFillSolid, kStrip, kStrip);
    // Columns DividerX - 1 and DividerX: with both outside the strip nothing
    // shows, and the most negative DividerX must not be stepped below.
    if (ShowDivider == 1 && DividerX >= 0 && DividerX <= Width) {
      DrawLineOn(T, DividerX, 2, DividerX, Height - 3, kPenDot, Light);
      DrawLineOn(T, DividerX - 1, 2, DividerX - 1, Height - 3, kPenDot, Dark);
    }
  });
}

UINTN EFIAPI DrawDottedRule(INT16 X, INT16 Y, UINT16 Length) {
  // Dots at X, X + 4, ... below X + Length, each 2 x 2. Counted in 32 bits: in
  // 16 bits a rule ending near 32767 would wrap and never end. The dots go to
  // the screen in one transfer over the rule's own two rows.
  if (Length == 0) {
    return EFI_SUCCESS;
  }
  const INT32 Span = (INT32)((Length - 1) / 4) * 4 + 2;
  return PaintOffscreen(X, Y, Span, 2, [&](const DrawTarget &T) {
    for (INT32 U = 0; U < Length; U += 4) {
      T.Fill(U, 0, 2, 2, kDot);
    }
  });
}
