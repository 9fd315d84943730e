// The cursor-image decoder as described, literally: a mask pass over every
// stored row, then a colour pass, reading the file without any checks. Only
// for well-formed files; the tests hold the driver's decoder to it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/efi.h"

namespace ref {

// Composes the picture in File over Pixels (W x H, the picture's own size).
void DecodeCursorOver(const std::vector<uint8_t> &File, EFI_GRAPHICS_OUTPUT_BLT_PIXEL *Pixels);

// A single-image cursor file: ColorData and Mask are the stored (bottom-up) bytes.
std::vector<uint8_t> MakeCursor(uint32_t W, uint32_t H, uint16_t Bits,
                                const std::vector<uint8_t> &Palette,
                                const std::vector<uint8_t> &ColorData,
                                const std::vector<uint8_t> &Mask, uint32_t Offset = 22);

}  // namespace ref
