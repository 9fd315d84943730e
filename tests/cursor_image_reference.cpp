#include "tests/cursor_image_reference.h"

namespace ref {

namespace {
uint32_t U16(const std::vector<uint8_t> &F, size_t At) { return F[At] | (F[At + 1] << 8); }
uint32_t U32(const std::vector<uint8_t> &F, size_t At) {
  return U16(F, At) | (U16(F, At + 2) << 16);
}
}  // namespace

void DecodeCursorOver(const std::vector<uint8_t> &F, EFI_GRAPHICS_OUTPUT_BLT_PIXEL *Out) {
  const uint32_t W = F[6], H = F[7], O = U32(F, 18), Bits = U16(F, 36);
  const size_t Palette = O + 40;
  size_t Colors = 0, ColorLength = 0;
  switch (Bits) {
    case 1:
      Colors = O + 48;
      ColorLength = W * H / 8;
      break;
    case 4:
      Colors = O + 104;
      ColorLength = W * H / 2;
      break;
    case 8:
      Colors = O + 1064;
      ColorLength = W * H;
      break;
    case 24:
      Colors = O + 40;
      ColorLength = 3 * W * H;
      break;
    case 32:
      Colors = O + 40;
      ColorLength = 4 * W * H;
      break;
  }
  // Mask pass.
  size_t At = Colors + ColorLength;
  for (uint32_t I = 0; I < H; I++) {
    uint32_t P = (H - 1 - I) * W;
    for (uint32_t Byte = 0; Byte < W / 8; Byte++) {
      uint8_t M = F[At++];
      for (int Bit = 7; Bit >= 0; Bit--, P++) {
        if (((M >> Bit) & 1) == 0) {
          Out[P].Blue = Out[P].Green = Out[P].Red = 0;
        }
      }
    }
    if ((W / 8) % 4 != 0) {
      At += 4 - (W / 8) % 4;
    }
  }
  // Colour pass.
  At = Colors;
  for (uint32_t I = 0; I < H; I++) {
    uint32_t P = (H - 1 - I) * W;
    uint32_t Left = W;
    while (Left > 0) {
      const uint8_t *C = nullptr;
      switch (Bits) {
        case 1: Left = 0; continue;
        case 4: {
          uint8_t B = F[At++];
          C = &F[Palette + 4 * (B >> 4)];
          Out[P].Blue ^= C[0];
          Out[P].Green ^= C[1];
          Out[P].Red ^= C[2];
          P++;
          Left--;
          if (Left > 0) {
            C = &F[Palette + 4 * (B & 15)];
            Out[P].Blue ^= C[0];
            Out[P].Green ^= C[1];
            Out[P].Red ^= C[2];
            P++;
            Left--;
          }
          continue;
        }
        case 8: C = &F[Palette + 4 * F[At++]]; break;
        case 24:
          C = &F[At];
          At += 3;
          break;
        case 32:
          C = &F[At];
          At += 4;
          break;
      }
      Out[P].Blue ^= C[0];
      Out[P].Green ^= C[1];
      Out[P].Red ^= C[2];
      P++;
      Left--;
    }
  }
}

std::vector<uint8_t> MakeCursor(uint32_t W, uint32_t H, uint16_t Bits,
                                const std::vector<uint8_t> &Palette,
                                const std::vector<uint8_t> &ColorData,
                                const std::vector<uint8_t> &Mask, uint32_t Offset) {
  std::vector<uint8_t> F(Offset + 40, 0);
  auto Put16 = [&](size_t At, uint32_t V) {
    F[At] = (uint8_t)V;
    F[At + 1] = (uint8_t)(V >> 8);
  };
  auto Put32 = [&](size_t At, uint32_t V) {
    Put16(At, V);
    Put16(At + 2, V >> 16);
  };
  Put16(2, 2);
  Put16(4, 1);
  F[6] = (uint8_t)W;
  F[7] = (uint8_t)H;
  Put32(14, (uint32_t)(40 + Palette.size() + ColorData.size() + Mask.size()));
  Put32(18, Offset);
  Put32(Offset, 40);
  Put32(Offset + 4, W);
  Put32(Offset + 8, 2 * H);
  Put16(Offset + 12, 1);
  Put16(36, Bits);  // the bit count is read here whatever the offset
  if (Offset != 22) Put16(Offset + 14, Bits);
  F.insert(F.end(), Palette.begin(), Palette.end());
  F.insert(F.end(), ColorData.begin(), ColorData.end());
  F.insert(F.end(), Mask.begin(), Mask.end());
  return F;
}

}  // namespace ref
