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
  UINT64 Palette, Colors, ColorRowBytes, Mask, MaskRowBytes;
};

// Positions of palette, colour data and mask, each checked against the file size.
EFI_STATUS Locate(const CursorImage *Image, Layout &L) {
  if (Image == nullptr || Image->Bytes == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  if (Image->Size < kBitCountAt + 2) {
    return EFI_BAD_BUFFER_SIZE;
  }
  const UINT8 *B = Image->Bytes;
  L.W = B[kWidthAt];
  L.H = B[kHeightAt];
  L.Bits = Read16(B + kBitCountAt);
  const UINT64 Offset = Read32(B + kBitmapOffsetAt);
  UINT64 PaletteEntries = 0;
  switch (L.Bits) {
    case 1: PaletteEntries = 2; break;
    case 4: PaletteEntries = 16; break;
    case 8: PaletteEntries = 256; break;
    case 24:
    case 32: break;
    default: return EFI_UNSUPPORTED;
  }
  if (L.W == 0 || L.H == 0 || L.W % 8 != 0) {
    return EFI_UNSUPPORTED;
  }
  // Colour rows carry no padding; widths are multiples of 8, so rows are whole bytes.
  L.ColorRowBytes = (UINT64)L.W * L.Bits / 8;
  L.Palette = Offset + kInfoHeaderSize;
  L.Colors = L.Palette + PaletteEntries * 4;
  L.Mask = L.Colors + L.ColorRowBytes * L.H;
  L.MaskRowBytes = ((UINT64)L.W / 8 + 3) / 4 * 4;
  if (L.Mask + L.MaskRowBytes * L.H > Image->Size) {
    return EFI_BAD_BUFFER_SIZE;
  }
  return EFI_SUCCESS;
}

// Pixels as 32-bit words, blue in the low byte, or four at a time as Lanes;
// copies keep the access legal and compile to plain loads and stores.
template <typename T = UINT32>
inline T Load(const void *From) {
  T V;
  __builtin_memcpy(&V, From, sizeof(V));
  return V;
}
template <typename T>
inline void Store(void *To, T V) {
  __builtin_memcpy(To, &V, sizeof(V));
}

// The stored colour of column C as 0x00RRGGBB.
template <UINT32 Bits>
inline UINT32 ColorAt(const UINT8 *Colors, const UINT8 *Palette, UINT32 C) {
  if constexpr (Bits == 32) {
    return Load(Colors + 4 * C) & 0x00FFFFFF;  // the fourth byte (alpha) is not used
  } else if constexpr (Bits == 24) {
    const UINT8 *P = Colors + 3 * C;
    return (UINT32)P[0] | ((UINT32)P[1] << 8) | ((UINT32)P[2] << 16);
  } else if constexpr (Bits == 8) {
    return Load(Palette + 4 * Colors[C]) & 0x00FFFFFF;
  } else if constexpr (Bits == 4) {
    const UINT32 Index = (C & 1) ? (Colors[C / 2] & 0x0F) : (Colors[C / 2] >> 4);
    return Load(Palette + 4 * Index) & 0x00FFFFFF;
  } else {
    return 0;  // 1 bit: the colour pass applies nothing
  }
}

// One picture row's columns [From, To) into Out (Out[C] is column C). A 0
// mask bit clears the pixel's blue, green and red, then the stored colour is
// combined by exclusive or; the reserved byte stays.
template <UINT32 Bits>
inline void ComposePixel(Pixel *Out, const UINT8 *Mask, const UINT8 *Colors, const UINT8 *Palette,
                         UINT32 C) {
  const UINT32 Keep = ((Mask[C / 8] << (C % 8)) & 0x80) != 0 ? 0xFFFFFFFFu : 0xFF000000u;
  Store(&Out[C], (Load(&Out[C]) & Keep) ^ ColorAt<Bits>(Colors, Palette, C));
}

// Four pixels as one vector value (a plain SSE2 register on x86-64).
typedef UINT32 Lanes __attribute__((vector_size(16)));

template <UINT32 Bits>
inline Lanes ColorLanes(const UINT8 *Colors, const UINT8 *Palette, UINT32 C) {
  if constexpr (Bits == 32) {
    return Load<Lanes>(Colors + 4 * C) & 0x00FFFFFF;
  } else if constexpr (Bits == 24) {
    // Twelve bytes, blue-green-red four times, read as a word and a half.
    const UINT8 *P = Colors + 3 * C;
    const UINT64 W0 = Load<UINT64>(P);
    const UINT32 W1 = Load(P + 8);
    return Lanes{(UINT32)W0 & 0x00FFFFFF, (UINT32)(W0 >> 24) & 0x00FFFFFF,
                 (UINT32)((W0 >> 48) | ((UINT64)W1 << 16)) & 0x00FFFFFF, W1 >> 8};
  } else {
    return Lanes{ColorAt<Bits>(Colors, Palette, C), ColorAt<Bits>(Colors, Palette, C + 1),
                 ColorAt<Bits>(Colors, Palette, C + 2), ColorAt<Bits>(Colors, Palette, C + 3)};
  }
}

template <UINT32 Bits>
void ComposeRow(Pixel *Out, const UINT8 *Mask, const UINT8 *Colors, const UINT8 *Palette,
                UINT32 From, UINT32 To) {
  UINT32 C = From;
  for (; C < To && C % 8 != 0; C++) {
    ComposePixel<Bits>(Out, Mask, Colors, Palette, C);
  }
  // Whole mask bytes: eight pixels at a time, four per vector. A lane keeps
  // all of the pixel where its mask bit is 1, else only the reserved byte.
  const Lanes High = {0x80, 0x40, 0x20, 0x10}, Low = {0x08, 0x04, 0x02, 0x01};
  for (; C + 8 <= To; C += 8) {
    const UINT32 M = Mask[C / 8];
    const Lanes Splat = {M, M, M, M};
    const Lanes KeepHigh = (Lanes)((Splat & High) != 0) | 0xFF000000u;
    const Lanes KeepLow = (Lanes)((Splat & Low) != 0) | 0xFF000000u;
    Store(&Out[C], (Load<Lanes>(&Out[C]) & KeepHigh) ^ ColorLanes<Bits>(Colors, Palette, C));
    Store(&Out[C + 4],
          (Load<Lanes>(&Out[C + 4]) & KeepLow) ^ ColorLanes<Bits>(Colors, Palette, C + 4));
  }
  for (; C < To; C++) {
    ComposePixel<Bits>(Out, Mask, Colors, Palette, C);
  }
}

// The picture with its top-left pixel at (X, Y) of Pixels (row width RowWidth),
// only inside Clip. Each pixel depends only on its own mask bit and colour, so
// the mask pass and the colour pass run together, row by row.
void Compose(const CursorImage &Image, const Layout &L, Pixel *Pixels, INT64 RowWidth, INT64 X,
             INT64 Y, const Rect &Clip) {
  const INT64 Left = Clip.X > X ? Clip.X - X : 0;
  const INT64 Right = Clip.Right() < X + L.W ? Clip.Right() - X : L.W;
  const INT64 Top = Clip.Y > Y ? Clip.Y - Y : 0;
  const INT64 Bottom = Clip.Bottom() < Y + L.H ? Clip.Bottom() - Y : L.H;
  if (Clip.Empty() || Left >= Right || Top >= Bottom) {
    return;
  }
  const UINT8 *Palette = Image.Bytes + L.Palette;
  for (INT64 R = Top; R < Bottom; R++) {
    const UINT64 Stored = L.H - 1 - (UINT64)R;  // rows are stored bottom-up
    const UINT8 *Mask = Image.Bytes + L.Mask + Stored * L.MaskRowBytes;
    const UINT8 *Colors = Image.Bytes + L.Colors + Stored * L.ColorRowBytes;
    Pixel *Out = Pixels + (Y + R) * RowWidth + X;
    switch (L.Bits) {
      case 32: ComposeRow<32>(Out, Mask, Colors, Palette, (UINT32)Left, (UINT32)Right); break;
      case 24: ComposeRow<24>(Out, Mask, Colors, Palette, (UINT32)Left, (UINT32)Right); break;
      case 8: ComposeRow<8>(Out, Mask, Colors, Palette, (UINT32)Left, (UINT32)Right); break;
      case 4: ComposeRow<4>(Out, Mask, Colors, Palette, (UINT32)Left, (UINT32)Right); break;
      default: ComposeRow<1>(Out, Mask, Colors, Palette, (UINT32)Left, (UINT32)Right); break;
    }
  }
}

}  // namespace

EFI_STATUS CursorImageSize(const CursorImage *Image, UINT32 *Width, UINT32 *Height) {
  Layout L;
  EFI_STATUS Status = Locate(Image, L);
  if (EFI_ERROR(Status)) {
    return Status;
  }
  if (Width != nullptr) *Width = L.W;
  if (Height != nullptr) *Height = L.H;
  return EFI_SUCCESS;
}

EFI_STATUS DecodeCursorImage(const CursorImage *Image, UINT64 Width, UINT64 Height, Pixel **Pixels,
                             UINT8 Overlay) {
  if (Pixels == nullptr || (Overlay != 0 && *Pixels == nullptr) || Width > 0xFFFF ||
      Height > 0xFFFF) {
    return EFI_INVALID_PARAMETER;
  }
  Layout L;
  EFI_STATUS Status = Locate(Image, L);
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
  Compose(*Image, L, Out, L.W, 0, 0, Rect{0, 0, (INT32)L.W, (INT32)L.H});
  *Pixels = Out;
  return EFI_SUCCESS;
}

EFI_STATUS DrawCursorImageOn(const DrawTarget &T, INT32 X, INT32 Y, const CursorImage &Image) {
  Layout L;
  EFI_STATUS Status = Locate(&Image, L);
  if (EFI_ERROR(Status) || T.IsScreen()) {
    return Status;
  }
  Compose(Image, L, T.Pixels, T.RowWidth, X, Y, T.Clip);
  return EFI_SUCCESS;
}
