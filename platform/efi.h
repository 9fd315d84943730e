// One include for the UEFI types inside the toolkit: gnu-efi's headers
// (platform/gnu_efi.h) by default, MdePkg's (platform/edk2.h) when the EDK2
// build defines ORVANE_EDK2. Front-ends never include this: they include
// include/orvane.h.
#pragma once

#if defined(ORVANE_EDK2)
#include "platform/edk2.h"
#else
#include "platform/gnu_efi.h"
#endif
#include "platform/hii_font.h"

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

// The HII font service matches the layout UEFI defines.
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
