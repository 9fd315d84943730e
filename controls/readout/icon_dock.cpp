// The icon dock: record, tracking and paint.
//
// Pictures are composed straight onto the row (DrawCursorImageOn) instead of
// being decoded into buffers of their own and copied: every item picture and
// the placeholder are opaque (their masks are all zeros), so a picture comes
// out the same over anything, and a badge composed over the placed picture
// equals a badge composed over the picture in a work buffer. Clipping the
// composition to the row covers the "copy only some columns" and the dragged
// picture that reaches past the row.
#include "controls/readout/icon_dock.h"

#include "controls/popup/cursor_image.h"
#include "controls/popup/images/pictures.h"
#include "platform/services.h"
#include "raster/image_copy.h"
#include "raster/line.h"
#include "raster/target.h"
#include "text/text.h"

namespace {

constexpr UINT16 kNoFocus = 16;
constexpr UINT16 kMaxItems = 16;
constexpr UINT16 kKindMask = 0x0F, kBadgeMask = 0x90;
constexpr INT32 kStripEnd = 1074;  // the strip starts at x - 50 and reaches column 1024
constexpr INT32 kStripLeft = 50, kStripTop = 44, kStripHeight = 19;
constexpr INT32 kWidestStrip = 0xFFFF;
constexpr INT32 kPictureWidth = 40;
constexpr INT32 kRowHeight = 41;
constexpr UINT32 kBand = 0x245909, kChevron = 0x55A01E, kLabelColor = 0xFFFFFF;

INT64 Pitch(UINT16 Count) { return Count < 9 ? 51 : 47; }
INT64 LabelLimit(UINT16 Count) { return Count < 9 ? 500 : 713; }
INT32 RowWidth(UINT16 Count) { return Count < 9 ? Count * 51 - 5 : Count * 47 - 5; }

bool ItemsValid(UINT16 Count, const CHAR16 *const *Labels, const UINT16 *Flags,
                const UINT16 *Active) {
  if (Count == 0 || Count > kMaxItems || Labels == nullptr || Flags == nullptr ||
      Active == nullptr) {
    return false;
  }
  for (UINT16 I = 0; I < Count; I++) {
    if ((Flags[I] & kKindMask) > 7) {
      return false;  // kinds 8 to 15 have no picture
    }
  }
  return true;
}

// A strip of negative width, or one too wide for a buffer, and positions whose
// strip row would overflow cannot be placed.
bool PlaceValid(INT64 X, INT64 Y) {
  return X <= kStripEnd && kStripEnd - X <= kWidestStrip &&
         Y <= 0x7FFFFFFF - kStripTop - kRowHeight;
}

bool RecordValid(const IconDock *D) {
  return D != nullptr && ItemsValid(D->count, D->labels, D->flags, D->active) &&
         PlaceValid(D->x, D->y) && (D->focus < D->count || D->focus == kNoFocus);
}

INT32 StripWidth(INT32 X) { return kStripEnd - X; }

// Reordering exchanges the caller's pointers and values; nothing is copied,
// so a long drag allocates nothing.
void Swap(IconDock &D, UINT16 I, UINT16 J) {
  const CHAR16 *Label = D.labels[I];
  D.labels[I] = D.labels[J];
  D.labels[J] = Label;
  UINT16 Flags = D.flags[I];
  D.flags[I] = D.flags[J];
  D.flags[J] = Flags;
  UINT16 Active = D.active[I];
  D.active[I] = D.active[J];
  D.active[J] = Active;
}

// ---------------------------------------------------------------- paint

struct ItemLook {
  const CursorImage *Picture;
  const CursorImage *Badge;  // NULL without one
};

ItemLook LookOf(const IconDock &D, UINT16 I) {
  const bool Highlighted = (I == D.focus && (D.mode == 1 || D.mode == 2)) || D.active[I] == 1;
  const UINT16 Flags = D.flags[I];
  ItemLook L;
  L.Picture = &gDockPictures[(Highlighted ? kDockHighlighted : kDockNormal) + (Flags & kKindMask)];
  L.Badge = nullptr;
  if ((Flags & kBadgeMask) != 0) {
    const UINT32 Which = (Flags & kBadgeMask) == 0x10 ? 0 : (Flags & kBadgeMask) == 0x80 ? 1 : 2;
    L.Badge = &gDockPictures[(Highlighted ? kDockBadgeHighlighted : kDockBadgeNormal) + Which];
  }
  return L;
}

bool Dragged(const IconDock &D, UINT16 I) { return D.dragging == 1 && I == D.focus; }

// Every picture the paint will use is checked first, so that a bad one stops
// the paint before anything is drawn.
EFI_STATUS CheckPictures(const IconDock &D) {
  for (UINT16 I = 0; I < D.count; I++) {
    const ItemLook L = LookOf(D, I);
    EFI_STATUS Status = CursorImageSize(L.Picture, nullptr, nullptr);
    if (!EFI_ERROR(Status) && L.Badge != nullptr) {
      Status = CursorImageSize(L.Badge, nullptr, nullptr);
    }
    if (!EFI_ERROR(Status) && Dragged(D, I)) {
      Status = CursorImageSize(&gDockPictures[kDockPlaceholder], nullptr, nullptr);
    }
    if (EFI_ERROR(Status)) {
      return Status;
    }
  }
  return EFI_SUCCESS;
}

void PlaceItem(const DrawTarget &T, INT64 X, const ItemLook &L) {
  DrawCursorImageOn(T, (INT32)X, 0, *L.Picture);
  if (L.Badge != nullptr) {
    DrawCursorImageOn(T, (INT32)X, 0, *L.Badge);
  }
}

// The two strokes of a chevron, from (X, H2 - 2) and (X, H2 + 2) to (X + 2, H2).
// Every operand the line's float arithmetic sees is an integer far below 2^24
// and the slopes are +1 and -1, so each operation is exact and the line is the
// diagonal; beyond that the line itself decides.
void Chevron(const DrawTarget &T, INT64 X, INT64 H2) {
  if (X < -(1 << 23) || X > (1 << 23) || H2 < -(1 << 23) || H2 > (1 << 23)) {
    DrawLineOn(T, (INT32)X, (INT32)(H2 - 2), (INT32)(X + 2), (INT32)H2, 1, kChevron);
    DrawLineOn(T, (INT32)X, (INT32)(H2 + 2), (INT32)(X + 2), (INT32)H2, 1, kChevron);
    return;
  }
  for (INT64 K = 0; K <= 2; K++) {
    T.Fill(X + K, H2 - 2 + K, 1, 1, kChevron);
    T.Fill(X + K, H2 + 2 - K, 1, 1, kChevron);
  }
}

void PaintRow(const IconDock &D, const DrawTarget &Row) {
  const INT64 P = Pitch(D.count);
  Row.Fill(0, 0, D.width, D.height, kBand);
  for (UINT16 I = 0; I < D.count; I++) {
    const ItemLook L = LookOf(D, I);
    if (I + 1 < D.count) {
      Chevron(Row, I * P + 41, (INT64)(D.height / 2));
    }
    const INT64 Own = I * P;
    if (Dragged(D, I) && !(I + 1 == D.count && D.dragX > Own)) {
      DrawCursorImageOn(Row, (INT32)Own, 0, gDockPictures[kDockPlaceholder]);
      PlaceItem(Row, D.dragX, L);
    } else if (D.dragging == 1 && I == D.focus + 1) {
      // The item after the dragged one gives up the columns the dragged picture covers.
      INT64 Off = (D.flags[I - 1] & 0xF0) == 0x10 ? 11 : 15;
      Off -= D.count > 8 ? 4 : 0;
      const INT64 Slot = (I - 1) * P;
      if (Slot < D.dragX && D.dragX - Slot > Off) {
        const INT64 From = P + D.dragX - Off;
        const INT64 To = Own + kPictureWidth;
        if (From < To) {
          PlaceItem(Row.Narrowed(Rect{(INT32)From, 0, (INT32)(To - From), (INT32)D.height}), Own,
                    L);
        }
      } else {
        PlaceItem(Row, Own, L);
      }
    } else {
      PlaceItem(Row, Own, L);
    }
  }
}

// Where the label starts in the strip (O) and how many of its right-hand
// columns are cut (Cut), for a label TW wide.
void PlaceLabel(const IconDock &D, INT64 TW, INT64 &O, INT64 &Cut) {
  const INT64 L = LabelLimit(D.count), M = Pitch(D.count) * D.focus + 68;
  Cut = 0;
  if (M < TW / 2 && TW < L) {
    O = 0;
  } else if (M + TW / 2 > L && TW < L) {
    O = L - TW;
  } else if (TW > L) {
    O = 0;
    Cut = TW - L;
  } else {
    O = M - TW / 2;
  }
}

// The label's pixels of the foreground colour, written as that colour, its
// cut columns left out; clipped.
void ComposeLabel(const IconDock &D, const DrawTarget &Strip, const TextImage &Label) {
  INT64 O, Cut;
  PlaceLabel(D, Label.Width, O, Cut);
  const Rect Shown = {(INT32)O, 0, (INT32)((INT64)Label.Width - Cut), (INT32)Label.Height};
  PlaceInk(Strip.Narrowed(Shown), O, 0, Label.Bitmap, Label.Width, Label.Height, Label.Foreground);
}

}  // namespace

EFI_STATUS EFIAPI InitIconDock(IconDock *D, INT32 X, INT32 Y, UINT16 Count, const CHAR16 **Labels,
                               UINT16 *Flags, UINT16 *Active) {
  if (D == nullptr || !ItemsValid(Count, Labels, Flags, Active) || !PlaceValid(X, Y)) {
    return EFI_INVALID_PARAMETER;
  }
  // A strip already in the record stays, whoever allocated it. It is taken to
  // be as wide as the record's x made it; further left the strip is wider
  // (1074 - x), and the paint would read past the one kept.
  if (D->stripBackground != nullptr && X < D->x) {
    return EFI_BUFFER_TOO_SMALL;
  }
  if (D->stripBackground == nullptr && StripWidth(X) > 0) {
    PoolBuffer<ORVANE_PIXEL> Strip((UINTN)StripWidth(X) * kStripHeight);
    if (!Strip) {
      return EFI_OUT_OF_RESOURCES;
    }
    CaptureUnder(Strip.Get(), X - kStripLeft, Y + kStripTop, StripWidth(X), kStripHeight);
    D->stripBackground = Strip.Release();
  }
  D->x = X;
  D->y = Y;
  D->count = Count;
  D->labels = Labels;
  D->flags = Flags;
  D->active = Active;
  D->width = RowWidth(Count);
  D->height = kRowHeight;
  D->focus = kNoFocus;
  D->mode = 0;
  D->dragging = 0;
  D->grab = 0;
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI TrackIconDock(IconDock *D, INT32 A, INT32 B, UINT16 Kind, UINT16 Key) {
  if (!RecordValid(D)) {
    return EFI_INVALID_PARAMETER;
  }
  // Positions are compared in 64 bits; the 16-bit fields keep the low bits.
  const INT64 X = D->x, Y = D->y, P = Pitch(D->count), N = D->count;
  const bool KeyEvent = A == 0 && B == 0;
  const bool Pointer = A != 0 && B != 0;
  D->mode = (INT16)Kind;
  if (Kind == 0) {
    D->focus = kNoFocus;
  }
  if (D->mode != 1) {
    D->dragging = 0;
    D->dragX = 0;
    D->grab = 0;
  }
  if (D->focus == kNoFocus && KeyEvent) {
    D->focus = 0;
  }
  D->dragX = (A > X && Pointer && A - X > D->grab) ? (UINT16)(A - X - D->grab) : 0;

  if (D->dragging == 1) {
    // Only an item can move: a focus of 16 (set by a caller) drags nothing.
    auto LeftHolds = [&] {
      return D->focus < N && A < X + P * D->focus + D->grab - 31 && D->focus != 0;
    };
    auto RightHolds = [&] {
      return D->focus < N && X + P * D->focus + D->grab + 31 < A && D->focus + 1 != N;
    };
    if ((Pointer && LeftHolds()) || (KeyEvent && Key == 1 && D->focus != 0 && D->focus < N)) {
      do {
        Swap(*D, D->focus, D->focus - 1);
        D->focus--;
      } while (Pointer && LeftHolds());
    }
    if ((Pointer && RightHolds()) || (KeyEvent && Key == 2 && D->focus + 1 < N)) {
      do {
        Swap(*D, D->focus, D->focus + 1);
        D->focus++;
      } while (Pointer && RightHolds());
    }
    if (A != 0 || B != 0) {
      return EFI_SUCCESS;
    }
    if (D->focus == kNoFocus) {
      D->focus = 0;
    }
    D->dragX = (UINT16)(D->focus * P);
    D->grab = 0;
    return EFI_SUCCESS;
  }

  if (KeyEvent && D->mode == 1) {
    D->dragging = 1;
    if (D->focus == kNoFocus) {
      D->focus = 0;
    }
    D->dragX = (UINT16)(D->focus * P);
    D->grab = 0;
  }
  if (A < X || A > X + D->width || B < Y || B > Y + (INT64)D->height) {
    if (KeyEvent && D->mode == 2) {
      if (Key == 2 && D->focus + 1 < N) {
        D->focus++;
      }
      if (Key == 1 && D->focus > 0) {
        D->focus--;
      }
    } else if (Pointer) {
      D->focus = kNoFocus;
    }
  } else if (D->mode == 1 || D->mode == 2) {
    D->focus = kNoFocus;
    for (UINT16 I = 0; I < N; I++) {
      if (X + I * P < A && A < X + I * P + kPictureWidth) {
        D->focus = I;
        if (D->mode == 1) {
          D->dragging = 1;
          D->dragX = (UINT16)(I * P);
          D->grab = (UINT16)(A - X - I * P);
        }
        break;
      }
    }
  }
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI PaintIconDock(const IconDock *D) {
  if (!RecordValid(D)) {
    return EFI_INVALID_PARAMETER;
  }
  EFI_STATUS Status = CheckPictures(*D);
  if (EFI_ERROR(Status)) {
    return Status;
  }
  const INT32 SW = StripWidth(D->x);
  const bool Strip = SW > 0 && D->stripBackground != nullptr;
  // The label is rendered first: with the pictures, the only step that can
  // fail, and nothing may be drawn when one does.
  TextImage Label = {kLabelColor, 0x000000, 0, 0, nullptr};
  if (Strip && D->mode == 2 && D->focus != kNoFocus && D->labels[D->focus] != nullptr) {
    if (RenderText(1000, &Label, D->labels[D->focus]) != 0) {
      return EFI_OUT_OF_RESOURCES;
    }
  }
  PoolBuffer<ORVANE_PIXEL> LabelPixels(Label.Bitmap);

  EFI_STATUS StripStatus = EFI_SUCCESS;
  Status = PaintOffscreen(Underlay::Unset, D->x, D->y, D->width, (INT32)D->height,
                          [&](const DrawTarget &Row) -> EFI_STATUS {
                            PaintRow(*D, Row);
                            if (!Strip) {
                              return EFI_SUCCESS;
                            }
                            // The strip goes to the screen before the row, as the buffers are
                            // finished.
                            StripStatus =
                                PaintOffscreen(Underlay::Unset, D->x - kStripLeft, D->y + kStripTop,
                                               SW, kStripHeight, [&](const DrawTarget &Target) {
                                                 PlaceImage(Target, 0, 0, D->stripBackground, SW,
                                                            Rect{0, 0, SW, kStripHeight}, nullptr);
                                                 if (Label.Bitmap != nullptr) {
                                                   ComposeLabel(*D, Target, Label);
                                                 }
                                               });
                            // A strip buffer that cannot be had keeps the row off the screen too,
                            // so a refused paint shows nothing.
                            return StripStatus == EFI_OUT_OF_RESOURCES ? StripStatus : EFI_SUCCESS;
                          });
  return EFI_ERROR(Status) ? Status : StripStatus;
}
