// The simulated HII font service, drawing Debian's unifont glyphs; narrow
// glyphs are 8 x 16 padded to 8 x 19, wide glyphs 16 x 19.
#pragma once
#include "platform/efi.h"

namespace sim {

enum class FontLayout {
  Tight,        // the image is exactly as wide and high as the text
  ScreenSized,  // as EDK2 firmware: an 800 x 600 image, text at its top left, rows wrapped at 800
};

EFI_HII_FONT_PROTOCOL *FontService();
void SetFontLayout(FontLayout Layout);
FontLayout CurrentFontLayout();

}  // namespace sim
