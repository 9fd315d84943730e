#include "driver/operations.h"
#include "raster/target.h"
#include "text/text.h"

#define ORVANE_OWNER_LINE "Copyright (c) 2026 Orvane Contributors"
#define ORVANE_LICENCE_LINE "Licensed under the Orvane Licence 1.0"

namespace {
// 124 characters and the terminator; the whole text is 114 characters.
constexpr UINTN kBannerBytes = 250;
constexpr UINT32 kBannerForeground = 0x00FFFFFF;
constexpr UINT32 kBannerBackground = 0x00002041;
}  // namespace

CHAR16 *EFIAPI Banner(CHAR16 *Buffer) {
  if (Buffer != nullptr) {
    UnicodeSPrint(Buffer, kBannerBytes,
                  W("ORVANE PROTOCOL\nVersion %s\n" ORVANE_OWNER_LINE "\n" ORVANE_LICENCE_LINE),
                  W("OrvaneUI_m019"));
    // The EFI Library's print writes each "\n" as the console's "\r\n"; callers
    // are promised lines joined by "\n" alone.
    UINTN To = 0;
    for (UINTN From = 0; Buffer[From] != 0; From++) {
      if (Buffer[From] != u'\r') {
        Buffer[To++] = Buffer[From];
      }
    }
    Buffer[To] = 0;
    return Buffer;
  }
  // A line that cannot be drawn is skipped; the next one is still tried.
  ORVANE_PIXEL Back = PixelFromColor(kBannerBackground);
  DrawText(kBannerForeground, &Back, 1000, 0, 20, W("ORVANE Protocol"));
  DrawText(kBannerForeground, &Back, 1000, 0, 40, W("Version %s"), W("OrvaneUI_m019"));
  DrawText(kBannerForeground, &Back, 1000, 0, 60, W(ORVANE_OWNER_LINE));
  DrawText(kBannerForeground, &Back, 1000, 0, 80, W(ORVANE_LICENCE_LINE));
  return nullptr;
}
