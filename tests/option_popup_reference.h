// The option popup's paint written out step by step, as the yardstick the
// production painter is held to: every row decodes its own pieces into its
// own buffer and is copied with CopyImageRect at its 16-bit positions.
#pragma once
#include <cstdint>
#include <vector>

#include "controls/popup/option_popup.h"

namespace ref {

// Paints the shown popup of Set over Window (width x height colours holding
// the screen under it, row width = the entry's width). Nothing is saved and
// nothing reaches the screen. Row buffers start black, as production's do.
void PaintOptionPopup(const OptionPopupSet &Set, std::vector<uint32_t> &Window);

}  // namespace ref
