// The simulated HII font service.
//
// Glyphs come from Debian's unifont.hex, read once on first use. Each text
// row is a 19-pixel cell: the 16 glyph rows sit one pixel below the cell's top,
// leaving one blank row above and two below. Narrow glyphs advance 8 pixels,
// wide ones 16; a code point without a glyph draws as a blank narrow cell and
// makes the call answer EFI_WARN_UNKNOWN_GLYPH, as EDK2 does.
//
// Line breaks (LF, CR, CR LF, FF, U+2028, U+2029) end a row. With the wrap
// flag a row that would pass the width limit breaks at its last space (the
// space itself is dropped) or, without a space, before the glyph that does not
// fit. Row information lists every row: StartIndex and EndIndex (inclusive;
// equal for an empty row) index the string, LineWidth is the row's pixels.
// An empty string has no rows.
#include "sim/hii_font.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace sim {
namespace {

constexpr uint32_t kCellHeight = 19;
constexpr uint32_t kGlyphTop = 1;  // blank rows above the 16 glyph rows
constexpr uint32_t kGlyphRows = 16;
constexpr uint32_t kScreenWidth = 800;
constexpr uint32_t kScreenHeight = 600;
constexpr uint32_t kMaxSide = 0xFFFF;
const char kFontPath[] = "/usr/share/unifont/unifont.hex";

struct Glyph {
  uint8_t Present = 0;
  uint8_t Wide = 0;
  uint16_t Rows[kGlyphRows] = {};  // bit 15 is the leftmost pixel
};

int HexDigit(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  return -1;
}

std::vector<Glyph> LoadGlyphs() {
  std::vector<Glyph> Glyphs(0x10000);
  FILE *File = std::fopen(kFontPath, "r");
  if (File == nullptr) {
    std::fprintf(stderr, "sim: cannot read %s (Debian package unifont)\n", kFontPath);
    std::abort();
  }
  char Line[256];
  while (std::fgets(Line, sizeof Line, File) != nullptr) {
    char *Colon = std::strchr(Line, ':');
    if (Colon == nullptr) continue;
    unsigned long Code = std::strtoul(Line, nullptr, 16);
    if (Code > 0xFFFF) continue;  // CHAR16 reaches the basic plane only
    const char *Hex = Colon + 1;
    size_t Digits = 0;
    while (HexDigit(Hex[Digits]) >= 0) Digits++;
    if (Digits != 32 && Digits != 64) continue;
    Glyph &G = Glyphs[Code];
    G.Present = 1;
    G.Wide = Digits == 64;
    size_t PerRow = Digits / kGlyphRows;  // 2 or 4 hex digits
    for (uint32_t R = 0; R < kGlyphRows; R++) {
      uint32_t Bits = 0;
      for (size_t D = 0; D < PerRow; D++)
        Bits = (Bits << 4) | (uint32_t)HexDigit(Hex[R * PerRow + D]);
      G.Rows[R] = (uint16_t)(G.Wide ? Bits : Bits << 8);
    }
  }
  std::fclose(File);
  return Glyphs;
}

const std::vector<Glyph> &Glyphs() {
  static const std::vector<Glyph> Loaded = LoadGlyphs();
  return Loaded;
}

FontLayout gLayout = FontLayout::Tight;

bool IsBreak(CHAR16 C) {
  return C == 0x000A || C == 0x000D || C == 0x000C || C == 0x2028 || C == 0x2029;
}

uint32_t Advance(CHAR16 C) { return Glyphs()[C].Wide ? 16 : 8; }

struct Row {
  size_t Start, End;  // [Start, End) of the string
  uint32_t Width;
};

// Splits [Begin, End) into rows no wider than Limit (when Wrap).
void WrapLine(const CHAR16 *S, size_t Begin, size_t End, bool Wrap, uint32_t Limit,
              std::vector<Row> &Rows) {
  size_t Start = Begin;
  uint32_t Width = 0;
  size_t Space = End;  // last space of the current row
  uint32_t WidthAtSpace = 0;
  size_t I = Begin;
  while (I < End) {
    uint32_t W = Advance(S[I]);
    if (Wrap && Width + W > Limit && I > Start) {
      if (S[I] == ' ') {
        Rows.push_back({Start, I, Width});
        Start = I + 1;
      } else if (Space != End) {
        Rows.push_back({Start, Space, WidthAtSpace});
        Start = Space + 1;
      } else {
        Rows.push_back({Start, I, Width});
        Start = I;
      }
      I = Start;
      Width = 0;
      Space = End;
      continue;
    }
    if (S[I] == ' ') {
      Space = I;
      WidthAtSpace = Width;
    }
    Width += W;
    I++;
  }
  Rows.push_back({Start, End, Width});
}

std::vector<Row> LayOut(const CHAR16 *S, size_t Length, bool Wrap, uint32_t Limit) {
  std::vector<Row> Rows;
  size_t LineStart = 0;
  for (size_t I = 0; I < Length; I++) {
    if (!IsBreak(S[I])) continue;
    WrapLine(S, LineStart, I, Wrap, Limit, Rows);
    if (S[I] == 0x000D && I + 1 < Length && S[I + 1] == 0x000A) I++;
    LineStart = I + 1;
  }
  if (LineStart < Length) {
    WrapLine(S, LineStart, Length, Wrap, Limit, Rows);
  }
  return Rows;
}

void *Allocate(UINTN Bytes) {
  void *P = nullptr;
  if (BS == nullptr || BS->AllocatePool(EfiBootServicesData, Bytes, &P) != EFI_SUCCESS) {
    return nullptr;
  }
  return P;
}

void Free(void *P) {
  if (P != nullptr) BS->FreePool(P);
}

EFI_STATUS EFIAPI StringToImage(const EFI_HII_FONT_PROTOCOL *This, EFI_HII_OUT_FLAGS Flags,
                                const CHAR16 *String, const EFI_FONT_DISPLAY_INFO *StringInfo,
                                EFI_IMAGE_OUTPUT **Blt, UINTN BltX, UINTN BltY,
                                EFI_HII_ROW_INFO **RowInfoArray, UINTN *RowInfoArraySize,
                                UINTN *ColumnInfoArray) {
  if (String == nullptr || Blt == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  if (RowInfoArray != nullptr && RowInfoArraySize == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  if (*Blt != nullptr && (*Blt)->Image.Bitmap == nullptr) {
    return EFI_INVALID_PARAMETER;  // drawing to a screen is not modelled
  }
  EFI_GRAPHICS_OUTPUT_BLT_PIXEL Foreground = {0xFF, 0xFF, 0xFF, 0};
  EFI_GRAPHICS_OUTPUT_BLT_PIXEL Background = {0, 0, 0, 0};
  if (StringInfo != nullptr) {
    Foreground = StringInfo->ForegroundColor;
    Background = StringInfo->BackgroundColor;
  }
  const bool Wrap = (Flags & EFI_HII_OUT_FLAG_WRAP) != 0;
  const bool Transparent = (Flags & EFI_HII_OUT_FLAG_TRANSPARENT) != 0;
  const bool Allocated = *Blt == nullptr;
  const bool ScreenSized = Allocated && gLayout == FontLayout::ScreenSized;

  size_t Length = 0;
  while (String[Length] != 0) Length++;

  // The width a row may take: the caller's image, the screen-sized image, or 800 when tight.
  uint32_t Limit = kScreenWidth;
  if (!Allocated) {
    Limit = (*Blt)->Width > BltX ? (uint32_t)((*Blt)->Width - BltX) : 0;
  }
  std::vector<Row> Rows = LayOut(String, Length, Wrap, Limit);

  EFI_IMAGE_OUTPUT *Image = *Blt;
  if (Allocated) {
    uint32_t Width = kScreenWidth, Height = kScreenHeight;
    if (!ScreenSized) {
      Width = 0;
      for (const Row &R : Rows) Width = R.Width > Width ? R.Width : Width;
      Width += (uint32_t)BltX;
      Height = (uint32_t)(Rows.size() * kCellHeight + BltY);
      if (Width > kMaxSide) Width = kMaxSide;
      if (Height > kMaxSide) Height = kMaxSide;
    }
    Image = static_cast<EFI_IMAGE_OUTPUT *>(Allocate(sizeof(EFI_IMAGE_OUTPUT)));
    if (Image == nullptr) {
      return EFI_OUT_OF_RESOURCES;
    }
    Image->Width = (UINT16)Width;
    Image->Height = (UINT16)Height;
    Image->Image.Bitmap = static_cast<EFI_GRAPHICS_OUTPUT_BLT_PIXEL *>(
        Allocate((UINTN)Width * Height * sizeof(EFI_GRAPHICS_OUTPUT_BLT_PIXEL)));
    if (Image->Image.Bitmap == nullptr) {
      Free(Image);
      return EFI_OUT_OF_RESOURCES;
    }
    // EDK2 hands out zeroed memory and paints only the text rows.
    std::memset(Image->Image.Bitmap, 0,
                (size_t)Width * Height * sizeof(EFI_GRAPHICS_OUTPUT_BLT_PIXEL));
  }

  EFI_HII_ROW_INFO *RowInfo = nullptr;
  if (RowInfoArray != nullptr && !Rows.empty()) {
    RowInfo = static_cast<EFI_HII_ROW_INFO *>(Allocate(Rows.size() * sizeof(EFI_HII_ROW_INFO)));
    if (RowInfo == nullptr) {
      if (Allocated) {
        Free(Image->Image.Bitmap);
        Free(Image);
      }
      return EFI_OUT_OF_RESOURCES;
    }
  }

  const uint32_t ImageWidth = Image->Width, ImageHeight = Image->Height;
  EFI_GRAPHICS_OUTPUT_BLT_PIXEL *Pixels = Image->Image.Bitmap;
  auto Put = [&](uint64_t X, uint64_t Y, EFI_GRAPHICS_OUTPUT_BLT_PIXEL P) {
    if (X < ImageWidth && Y < ImageHeight) Pixels[Y * ImageWidth + X] = P;
  };
  if (Allocated && !ScreenSized && !Transparent) {
    for (size_t I = 0; I < (size_t)ImageWidth * ImageHeight; I++) Pixels[I] = Background;
  }

  bool Unknown = false;
  for (size_t R = 0; R < Rows.size(); R++) {
    const Row &Line = Rows[R];
    const uint64_t Top = BltY + R * kCellHeight;
    if (!Transparent && (!Allocated || ScreenSized)) {
      for (uint32_t Y = 0; Y < kCellHeight; Y++)
        for (uint32_t X = 0; X < Line.Width; X++) Put(BltX + X, Top + Y, Background);
    }
    uint64_t X = BltX;
    for (size_t I = Line.Start; I < Line.End; I++) {
      const Glyph &G = Glyphs()[String[I]];
      const uint32_t W = G.Wide ? 16 : 8;
      if (ColumnInfoArray != nullptr) ColumnInfoArray[I] = (UINTN)(X - BltX);
      Unknown |= !G.Present;
      for (uint32_t GY = 0; GY < kGlyphRows && G.Present; GY++) {
        for (uint32_t GX = 0; GX < W; GX++) {
          if (G.Rows[GY] & (0x8000u >> GX)) Put(X + GX, Top + kGlyphTop + GY, Foreground);
        }
      }
      X += W;
    }
    if (RowInfo != nullptr) {
      RowInfo[R].StartIndex = Line.Start;
      RowInfo[R].EndIndex = Line.End > Line.Start ? Line.End - 1 : Line.Start;
      RowInfo[R].LineHeight = kCellHeight;
      RowInfo[R].LineWidth = Line.Width;
      RowInfo[R].BaselineOffset =
          kGlyphTop + 14;  // unifont's baseline sits 2 rows above the glyph's foot
    }
  }

  *Blt = Image;
  if (RowInfoArray != nullptr) {
    *RowInfoArray = RowInfo;
    *RowInfoArraySize = Rows.size();
  }
  return Unknown ? EFI_WARN_UNKNOWN_GLYPH : EFI_SUCCESS;
}

EFI_HII_FONT_PROTOCOL gFontService = {StringToImage, nullptr, nullptr, nullptr};

}  // namespace

EFI_HII_FONT_PROTOCOL *FontService() { return &gFontService; }
void SetFontLayout(FontLayout Layout) { gLayout = Layout; }
FontLayout CurrentFontLayout() { return gLayout; }

}  // namespace sim
