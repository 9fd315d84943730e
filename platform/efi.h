// One include for the UEFI types inside the toolkit. gnu-efi's headers carry no
// extern "C", and efilib.h defines VSPrint/SPrint as macros that would hide
// protocol members. Front-ends never include this: they include include/orvane.h.
#pragma once

#ifndef GNU_EFI_USE_MS_ABI
#define GNU_EFI_USE_MS_ABI 1
#endif

#ifdef __cplusplus
extern "C" {
#endif
#include <efi.h>
#include <efilib.h>
#ifdef __cplusplus
}
#endif

#undef VSPrint
#undef SPrint
#undef MIN
#undef MAX

// CHAR16 is UINT16 in gnu-efi; host code cannot use -fshort-wchar, so string
// literals are written as u"..." and cast here.
#ifdef __cplusplus
#define W(s) (reinterpret_cast<CHAR16 *>(const_cast<char16_t *>(u"" s)))
#else
#define W(s) ((CHAR16 *)u"" s)
#endif

static_assert(sizeof(EFI_GRAPHICS_OUTPUT_BLT_PIXEL) == 4);
static_assert(sizeof(CHAR16) == 2);
static_assert(sizeof(UINTN) == 8);

//
// HII font service. gnu-efi does not declare it; the layout is the one UEFI defines.
//
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

static_assert(sizeof(EFI_FONT_INFO) == 8);
static_assert(sizeof(EFI_FONT_DISPLAY_INFO) == 20);
static_assert(__builtin_offsetof(EFI_FONT_DISPLAY_INFO, FontInfoMask) == 8);
static_assert(__builtin_offsetof(EFI_FONT_DISPLAY_INFO, FontInfo) == 12);
static_assert(sizeof(EFI_IMAGE_OUTPUT) == 16);
static_assert(__builtin_offsetof(EFI_IMAGE_OUTPUT, Image) == 8);
static_assert(sizeof(EFI_HII_ROW_INFO) == 40);
static_assert(__builtin_offsetof(EFI_HII_ROW_INFO, LineWidth) == 24);
static_assert(sizeof(EFI_HII_FONT_PROTOCOL) == 32);

//
// Print service: one formatting call taking the Microsoft x64 va_list.
//
#define EFI_PRINT_PROTOCOL_GUID                                                    \
  {                                                                                \
    0xdf2d868e, 0x32fc, 0x4cf0, { 0x8e, 0x6b, 0xff, 0xd9, 0x5d, 0x13, 0x43, 0xd0 } \
  }

typedef __builtin_ms_va_list VA_LIST;

typedef UINTN(EFIAPI *EFI_PRINT_VSPRINT)(CHAR16 *Buffer, UINTN BufferSize, const CHAR16 *Format,
                                         VA_LIST Marker);

typedef struct {
  EFI_PRINT_VSPRINT VSPrint;
} EFI_PRINT_PROTOCOL;

static_assert(sizeof(EFI_PRINT_PROTOCOL) == 8);
static_assert(sizeof(EFI_GRAPHICS_OUTPUT_PROTOCOL) == 32);
static_assert(__builtin_offsetof(EFI_GRAPHICS_OUTPUT_PROTOCOL, Blt) == 16);
static_assert(__builtin_offsetof(EFI_GRAPHICS_OUTPUT_PROTOCOL, Mode) == 24);
static_assert(__builtin_offsetof(EFI_GRAPHICS_OUTPUT_PROTOCOL_MODE, FrameBufferBase) == 24);
