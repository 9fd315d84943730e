// The HII font service as the toolkit calls it, for both builds: gnu-efi
// does not declare it, and MdePkg's declaration takes the string as
// non-const. The layout is the one UEFI defines (asserted in platform/efi.h).
// Included only through platform/efi.h.
#pragma once

#define EFI_HII_FONT_PROTOCOL_GUID                                                 \
  {                                                                                \
    0xe9ca4775, 0x8657, 0x47fc, { 0x97, 0xe7, 0x7e, 0xd6, 0x5a, 0x08, 0x43, 0x24 } \
  }

typedef UINT32 EFI_HII_OUT_FLAGS;
#define EFI_HII_OUT_FLAG_CLIP 0x00000001
#define EFI_HII_OUT_FLAG_WRAP 0x00000002
#define EFI_HII_OUT_FLAG_TRANSPARENT 0x00000010

typedef UINT32 EFI_HII_FONT_STYLE;
typedef UINT32 EFI_FONT_INFO_MASK;
#define EFI_FONT_INFO_SYS_FONT 0x00000001
#define EFI_FONT_INFO_SYS_SIZE 0x00000002
#define EFI_FONT_INFO_SYS_STYLE 0x00000004

typedef struct {
  EFI_HII_FONT_STYLE FontStyle;
  UINT16 FontSize;
  CHAR16 FontName[1];
} EFI_FONT_INFO;

typedef struct {
  EFI_GRAPHICS_OUTPUT_BLT_PIXEL ForegroundColor;
  EFI_GRAPHICS_OUTPUT_BLT_PIXEL BackgroundColor;
  EFI_FONT_INFO_MASK FontInfoMask;
  EFI_FONT_INFO FontInfo;
} EFI_FONT_DISPLAY_INFO;

typedef struct {
  UINT16 Width;
  UINT16 Height;
  union {
    EFI_GRAPHICS_OUTPUT_BLT_PIXEL *Bitmap;
    EFI_GRAPHICS_OUTPUT_PROTOCOL *Screen;
  } Image;
} EFI_IMAGE_OUTPUT;

typedef struct {
  UINTN StartIndex;
  UINTN EndIndex;
  UINTN LineHeight;
  UINTN LineWidth;
  UINTN BaselineOffset;
} EFI_HII_ROW_INFO;

struct _EFI_HII_FONT_PROTOCOL;
typedef EFI_STATUS(EFIAPI *EFI_HII_STRING_TO_IMAGE)(
    const struct _EFI_HII_FONT_PROTOCOL *This, EFI_HII_OUT_FLAGS Flags, const CHAR16 *String,
    const EFI_FONT_DISPLAY_INFO *StringInfo, EFI_IMAGE_OUTPUT **Blt, UINTN BltX, UINTN BltY,
    EFI_HII_ROW_INFO **RowInfoArray, UINTN *RowInfoArraySize, UINTN *ColumnInfoArray);

typedef struct _EFI_HII_FONT_PROTOCOL {
  EFI_HII_STRING_TO_IMAGE StringToImage;
  VOID *StringIdToImage;  // not used by this toolkit
  VOID *GetGlyph;
  VOID *GetFontInfo;
} EFI_HII_FONT_PROTOCOL;
