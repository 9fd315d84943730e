#include "raster/image_copy.h"

#include "platform/services.h"

namespace {
// Largest extent starting at Start that stays inside Limit.
UINT32 Fit(UINT32 Start, UINT32 Extent, UINT32 Limit) {
  if (Start >= Limit) {
    return 0;
  }
  return Extent < Limit - Start ? Extent : Limit - Start;
}
}  // namespace

UINTN CopyImageRect(ORVANE_PIXEL *Destination, const ORVANE_PIXEL *Source,
                    UINT16 DestinationX, UINT16 DestinationY, UINT16 SourceX, UINT16 SourceY,
                    UINT16 DestinationRowWidth, UINT16 DestinationHeight,
                    UINT16 SourceRowWidth, UINT16 SourceHeight,
                    UINT16 Width, UINT16 Height, const ORVANE_PIXEL *Key) {
  if (Destination == nullptr || Source == nullptr) {
    return 1;
  }
  UINT32 W = Fit(DestinationX, Width, DestinationRowWidth);
  W = Fit(SourceX, W, SourceRowWidth);
  UINT32 H = Fit(DestinationY, Height, DestinationHeight);
  H = Fit(SourceY, H, SourceHeight);
  if (W == 0 || H == 0) {
    return 0;
  }
  for (UINT32 R = 0; R < H; R++) {
    const ORVANE_PIXEL *From = Source + SourceX + (UINTN)(SourceY + R) * SourceRowWidth;
    ORVANE_PIXEL *To = Destination + DestinationX + (UINTN)(DestinationY + R) * DestinationRowWidth;
    if (Key == nullptr) {
      gBootServices->CopyMem(To, (VOID *)From, (UINTN)W * sizeof(ORVANE_PIXEL));
      continue;
    }
    for (UINT32 U = 0; U < W; U++) {
      ORVANE_PIXEL P = From[U];
      if (P.Red != Key->Red && P.Green != Key->Green && P.Blue != Key->Blue) {
        To[U] = P;
      }
    }
  }
  return 0;
}
