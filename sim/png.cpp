#include <png.h>

#include <cstdio>
#include <vector>

#include "sim/sim.h"

namespace sim {

bool WritePng(const std::string &Path, const ORVANE_PIXEL *Pixels, uint32_t Width, uint32_t Height,
              uint32_t RowWidth) {
  png_image Image = {};
  Image.version = PNG_IMAGE_VERSION;
  Image.width = Width;
  Image.height = Height;
  Image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> Rgb((size_t)Width * Height * 3);
  for (uint32_t Y = 0; Y < Height; Y++) {
    for (uint32_t X = 0; X < Width; X++) {
      const ORVANE_PIXEL &P = Pixels[(size_t)Y * RowWidth + X];
      png_byte *Out = &Rgb[((size_t)Y * Width + X) * 3];
      Out[0] = P.Red;
      Out[1] = P.Green;
      Out[2] = P.Blue;
    }
  }
  return png_image_write_to_file(&Image, Path.c_str(), 0, Rgb.data(), 0, nullptr) != 0;
}

bool ReadPng(const std::string &Path, std::vector<uint32_t> &Colors, uint32_t &Width,
             uint32_t &Height) {
  png_image Image = {};
  Image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&Image, Path.c_str())) {
    return false;
  }
  Image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> Rgb(PNG_IMAGE_SIZE(Image));
  if (!png_image_finish_read(&Image, nullptr, Rgb.data(), 0, nullptr)) {
    png_image_free(&Image);
    return false;
  }
  Width = Image.width;
  Height = Image.height;
  Colors.resize((size_t)Width * Height);
  for (size_t I = 0; I < Colors.size(); I++) {
    Colors[I] = (uint32_t)Rgb[I * 3] << 16 | (uint32_t)Rgb[I * 3 + 1] << 8 | Rgb[I * 3 + 2];
  }
  return true;
}

}  // namespace sim
