#include "controls/popup/cursor_image.h"

#include "platform/services.h"

namespace {

typedef EFI_GRAPHICS_OUTPUT_BLT_PIXEL Pixel;

// File offsets of the fields the decoder reads.
constexpr UINT32 kWidthAt = 6, kHeightAt = 7, kBitmapOffsetAt = 18, kBitCountAt = 36;
constexpr UINT32 kInfoHeaderSize = 40;

UINT32 Read16(const UINT8 *B) { return (UINT32)B[0] | ((UINT32)B[1] << 8); }
UINT32 Read32(const UINT8 *B) { return Read16(B) | (Read16(B + 2) << 16); }

struct Layout {
  UINT32 W, H, Bits;
  UINT64 Palette, Colors, Mask, MaskRowBytes;
};

// Positions of palette, colour data and mask, each checked against the file size.
EFI_STATUS Locate(const CursorImage &Image, Layout &L) {
  if (Image.Size < kBitCountAt + 2) {
    return EFI_BAD_BUFFER_SIZE;
  }
  const UINT8 *B = Image.Bytes;
  L.W = B[kWidthAt];
  L.H = B[kHeightAt];
  L.Bits = Read16(B + kBitCountAt);
  const UINT64 Offset = Read32(B + kBitmapOffsetAt);
  UINT64 PaletteEntries = 0;
  switch (L.Bits) {
    case 1: PaletteEntries = 2; break;
    case 4: PaletteEntries = 16; break;
    case 8: PaletteEntries = 256; break;
    case 24: case 32: break;
    default: return EFI_UNSUPPORTED;
  }
  if (L.W == 0 || L.H == 0 || L.W % 8 != 0) {
    return EFI_UNSUPPORTED;
  }
  const UINT64 Area = (UINT64)L.W * L.H;
  const UINT64 ColorBytes = L.Bits < 8 ? Area * L.Bits / 8 : Area * (L.Bits / 8);
  L.Palette = Offset + kInfoHeaderSize;
  L.Colors = L.Palette + PaletteEntries * 4;
  L.Mask = L.Colors + ColorBytes;
  L.MaskRowBytes = ((UINT64)L.W / 8 + 3) / 4 * 4;
  if (L.Mask + L.MaskRowBytes * L.H > Image.Size) {
    return EFI_BAD_BUFFER_SIZE;
  }
  return EFI_SUCCESS;
}

// The stored colour of pixel X of a colour row.
inline void ColorAt(const UINT8 *Row, const UINT8 *Palette, UINT32 Bits, UINT32 X, UINT8 &Blue,
                    UINT8 &Green, UINT8 &Red) {
  const UINT8 *C;
  switch (Bits) {
    case 4: C = Palette + 4 * ((X & 1) ? (Row[X / 2] & 0x0F) : (Row[X / 2] >> 4)); break;
    case 8: C = Palette + 4 * Row[X]; break;
    case 24: C = Row + 3 * X; break;
    case 32: C = Row + 4 * X; break;
    default: Blue = Green = Red = 0; return;  // 1 bit: the colour pass applies nothing
  }
  Blue = C[0];
  Green = C[1];
  Red = C[2];
}

}  // namespace

EFI_STATUS DecodeCursorImage(const CursorImage *Image, UINT64 Width, UINT64 Height, Pixel **Pixels,
                             UINT8 Overlay) {
  if (Image == nullptr || Image->Bytes == nullptr || Pixels == nullptr ||
      (Overlay != 0 && *Pixels == nullptr) || Width > 0xFFFF || Height > 0xFFFF) {
    return EFI_INVALID_PARAMETER;
  }
  Layout L;
  EFI_STATUS Status = Locate(*Image, L);
  if (EFI_ERROR(Status)) {
    return Status;
  }
  if (Width * Height < (UINT64)L.W * L.H) {
    return EFI_BUFFER_TOO_SMALL;
  }
  Pixel *Out = *Pixels;
  if (Overlay == 0) {
    Out = static_cast<Pixel *>(PoolAlloc(Width * Height * sizeof(Pixel)));
    if (Out == nullptr) {
      return EFI_OUT_OF_RESOURCES;
    }
  }
  // Mask and colour of a pixel touch only that pixel, so both passes run row by
  // row together: a 0 mask bit clears blue, green and red, then the colour is
  // combined by exclusive or. Stored row I is picture row H - 1 - I.
  const UINT8 *Palette = Image->Bytes + L.Palette;
  const UINT64 ColorRowBytes = L.Bits < 8 ? (UINT64)L.W * L.Bits / 8 : (UINT64)L.W * (L.Bits / 8);
  for (UINT32 I = 0; I < L.H; I++) {
    Pixel *Row = Out + (UINT64)(L.H - 1 - I) * L.W;
    const UINT8 *MaskRow = Image->Bytes + L.Mask + I * L.MaskRowBytes;
    const UINT8 *ColorRow = Image->Bytes + L.Colors + I * ColorRowBytes;
    for (UINT32 X = 0; X < L.W; X++) {
      Pixel &P = Row[X];
      if ((MaskRow[X / 8] & (0x80 >> (X % 8))) == 0) {
        P.Blue = P.Green = P.Red = 0;
      }
      UINT8 Blue, Green, Red;
      ColorAt(ColorRow, Palette, L.Bits, X, Blue, Green, Red);
      P.Blue ^= Blue;
      P.Green ^= Green;
      P.Red ^= Red;
    }
  }
  *Pixels = Out;
  return EFI_SUCCESS;
}
