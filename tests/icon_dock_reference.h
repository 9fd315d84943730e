// The icon dock's paint written as described, step by step: each picture
// decoded into a new buffer (filled with junk, as pool memory may be), badges
// composed over a copy in a work buffer and copied back, chevrons drawn as
// lines, pictures copied into the row; the label strip built from the saved
// background. Where the paint would write outside a buffer, this one clips,
// as the dock does. The row and the strip are returned instead of being sent.
#pragma once
#include <cstdint>
#include <vector>

#include "controls/readout/icon_dock.h"

namespace ref {

struct DockPaint {
  std::vector<uint32_t> Row;    // width x height
  std::vector<uint32_t> Strip;  // (1074 - x) x 19, empty without a saved strip
};

DockPaint PaintIconDock(const IconDock &D);

}  // namespace ref
