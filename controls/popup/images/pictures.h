// The pictures the driver carries, as cursor files (see cursor_image.h).
// They are drawn by tools/gen_pictures.py, which also writes pictures.cpp.
#pragma once
#include "controls/popup/cursor_image.h"

// Item-row pieces, 8 x 45, 24 bits: four sets of a left cap, a middle tile and
// a right cap; piece P of set S is gRowPieces[3 * S + P].
enum : UINT32 { kRowSetNormal = 0, kRowSetPressed = 1, kRowSetFocused = 2, kRowSetPlaceholder = 3 };
enum : UINT32 { kRowPieceLeft = 0, kRowPieceMiddle = 1, kRowPieceRight = 2 };
constexpr UINT32 kRowPieceWidth = 8, kRowPieceHeight = 45;
extern const CursorImage gRowPieces[12];

// Option-popup title icons, 48 x 54, 24 bits, one per entry of the option
// popup set: entries 0 to 8 serve popup kinds 0, 2, 17, 16, 18, 4, 5, 6, 3.
constexpr UINT32 kTitleIconWidth = 48, kTitleIconHeight = 54;
extern const CursorImage gTitleIcons[9];

// Icon-dock pictures, 40 x 41: the normal picture of kind K (0 to 7) at
// kDockNormal + K, its highlighted one at kDockHighlighted + K, the empty slot
// a dragged item leaves, and badges B (0 to 2) normal and highlighted, drawn
// over a picture.
enum : UINT32 {
  kDockNormal = 0,
  kDockHighlighted = 8,
  kDockPlaceholder = 16,
  kDockBadgeNormal = 17,
  kDockBadgeHighlighted = 20,
  kDockPictureCount = 23,
};
constexpr UINT32 kDockPictureWidth = 40, kDockPictureHeight = 41;
extern const CursorImage gDockPictures[kDockPictureCount];
