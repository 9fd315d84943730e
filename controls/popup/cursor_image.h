// Pictures carried in the driver's data as single-image cursor files, and
// their decoder.
#pragma once
#include "platform/efi.h"

// A whole cursor file (ICO/CUR container, one entry, BMP with an AND mask),
// read little-endian, with its length so that no field is read past the end.
typedef struct CursorImage {
  const UINT8 *Bytes;
  UINT32 Size;
} CursorImage;

// Decodes Image into 32-bit pixels, top row first, row width = the image's width.
// Overlay (low byte) 0: allocates Width x Height pixels from the pool (not cleared)
// and stores the buffer through Pixels; the caller frees it.
// Overlay non-zero: *Pixels already holds the background, which the picture is
// composed over: a 0 mask bit clears a pixel's colour, then the stored colour is
// combined by exclusive or.
// Returns EFI_SUCCESS, or with *Pixels untouched and nothing allocated:
//   EFI_INVALID_PARAMETER  a NULL pointer, or Width or Height above 0xFFFF
//   EFI_UNSUPPORTED        a bit count other than 1, 4, 8, 24, 32, a width that is
//                          not a multiple of 8, or an empty picture
//   EFI_BAD_BUFFER_SIZE    the file is shorter than its header, palette, colours or mask
//   EFI_BUFFER_TOO_SMALL   Width x Height holds fewer pixels than the picture
//   EFI_OUT_OF_RESOURCES   the pool allocation failed
EFI_STATUS DecodeCursorImage(const CursorImage *Image, UINT64 Width, UINT64 Height,
                             EFI_GRAPHICS_OUTPUT_BLT_PIXEL **Pixels, UINT8 Overlay);

// Checks Image as DecodeCursorImage does (same statuses) and gives its size.
EFI_STATUS CursorImageSize(const CursorImage *Image, UINT32 *Width, UINT32 *Height);

#ifdef __cplusplus
#include "raster/target.h"

// Composes Image over a buffer target with its top-left pixel at (X, Y), by
// the rules of an overlay decode, clipped to the target's clip. Returns the
// status CursorImageSize gives; a screen target is left alone.
EFI_STATUS DrawCursorImageOn(const DrawTarget &T, INT32 X, INT32 Y, const CursorImage &Image);
#endif
