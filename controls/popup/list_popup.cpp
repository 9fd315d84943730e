// The list popup: a titled window of text rows 20 pixels apart with a
// scroll bar, a selected row and a hot row. Row texts are rendered once, when
// the popup opens, into a black-on-white text mask; a paint only recolours
// mask pixels, so hovering, selecting and scrolling never render text again.
#include "controls/popup/list_popup.h"

#include "controls/popup/window_frame.h"
#include "controls/status/label.h"
#include "text/text.h"

namespace {

constexpr INT32 kRowPitch = 20;
constexpr INT32 kTextRows = 19;
constexpr INT32 kListTop = 81;      // first buffer row of the list (title height + 18)
constexpr INT32 kListLeft = 33;     // buffer column of mask column 0
constexpr INT32 kMaskMargin = 67;   // window width minus mask width
constexpr INT32 kTitleMargin = 70;  // the title's width plus this fits the window
constexpr INT32 kViewMargin = 112;  // window height minus view height (with the title band)
constexpr INT32 kMinHeight = 152;
constexpr INT32 kMinHeightOneRow = 132;

constexpr UINT32 kRowText = 0xEDEDED;
constexpr UINT32 kHighlightText = 0xE3974B;
constexpr UINT32 kSelectionBar = 0x565656;
constexpr UINT32 kScrollDark = 0x464646;
constexpr UINT32 kScrollLight = 0xBEBEBE;

// The text mask's colours.
constexpr UINT32 kMaskWhite = 0xFFFFFF;
constexpr UINT32 kMaskBlack = 0x000000;

// Pixels read as whole words (blue, green and red are the low bytes).
typedef UINT32 Word __attribute__((may_alias));
typedef UINT64 Pair __attribute__((may_alias, aligned(4)));
bool IsBlackWord(UINT32 P) { return (P & 0x00FFFFFF) == 0; }

// The view height V, a 16-bit quantity.
INT32 ViewHeight(const ListPopup &P) { return (UINT16)(P.height - P.titleHeight - 49); }

bool ValidRow(const ListPopup &P, INT32 Row) { return Row >= 0 && Row < P.itemCount; }

// Mask row shown at the top of the view for a thumb position, before any
// snapping: V x ((pos - 1) div len) + V / len x (((pos - 1) mod len) + 1), the
// quotient and product taken with the float service and converted by ToInt.
class RawOffsets {
 public:
  RawOffsets(const ListPopup &P, INT32 (*ToInt)(FLOAT32_BITS))
      : V_(ViewHeight(P)),
        Length_(P.thumbLength),
        ToInt_(ToInt),
        Quotient_(Length_ != 0 ? fm::Div(fm::FromInt(V_), fm::FromInt(Length_)) : 0) {}

  INT64 At(INT32 ThumbPos) const {
    if (Length_ == 0) {
      return 0;  // only a record never opened has no thumb length
    }
    const INT32 Before = ThumbPos - 1;
    return (INT64)V_ * (Before / Length_) +
           ToInt_(fm::Mul(Quotient_, fm::FromInt(Before % Length_ + 1)));
  }

 private:
  INT32 V_, Length_;
  INT32 (*ToInt_)(FLOAT32_BITS);
  FLOAT32_BITS Quotient_;
};

INT32 FloatToInt(FLOAT32_BITS A) { return fm::ToInt(A); }
INT32 FloatToIntAlt(FLOAT32_BITS A) { return fm::ToIntAlt(A); }

// The scroll offset S of the paint and the hit test: the raw offset snapped
// to whole rows, pulled back to a newly selected row above it, and kept
// within the content.
INT64 ScrollOffset(const ListPopup &P) {
  const INT64 Raw = RawOffsets(P, FloatToInt).At(P.thumbPos);
  if (Raw % kRowPitch != 0 && Raw >= 21 && P.pageCount >= 2 && P.thumbPos != 0) {
    INT64 S = (Raw / kRowPitch + 1) * kRowPitch;
    const INT64 Selected = (INT64)P.selectedRow * kRowPitch;
    if (P.lastSelectedRow != -1 && Selected < S && P.lastSelectedRow != P.selectedRow) {
      S = Selected;
    }
    const INT64 Limit = (INT64)P.contentHeight - ((INT64)P.height - kViewMargin);
    return S < Limit ? S : Limit;
  }
  return (Raw % kRowPitch == 0 && Raw >= 21) ? Raw : 0;
}

// The scroll bar with its top at (X, Y): track line, two striped arrows and
// the thumb; the part named by hotScrollPart is drawn dark.
void PaintScrollBar(const DrawTarget &T, const ListPopup &P, INT32 X, INT32 Y, INT32 TrackWidth,
                    INT32 TrackLength, UINT8 Hidden) {
  if (Hidden) {
    return;
  }
  const INT64 x = X, y = Y, L = TrackLength;
  const INT64 w = TrackWidth < 12 ? TrackWidth : 12;
  const INT64 TrackX = x + 1 + w / 2;
  T.VLine(TrackX, y + 12, y + L - 12, kScrollDark);
  const UINT32 Up = P.hotScrollPart == 1 ? kScrollDark : kScrollLight;
  const UINT32 Thumb = P.hotScrollPart == 2 ? kScrollDark : kScrollLight;
  const UINT32 Down = P.hotScrollPart == 3 ? kScrollDark : kScrollLight;
  const FLOAT32_BITS Two = fm::FromInt(2);
  for (INT32 I = 1; I <= 9; I += 2) {
    const INT64 H = fm::ToIntAlt(fm::Div(fm::FromInt(I), Two));
    T.HLine(x + 5 - H, x + 5 + H, y + 2 + I, Up);
    T.HLine(x + 5 - H, x + 5 + H, y + L - I, Down);
  }
  if (w > 0) {
    T.Fill(x + 1, y + 12 + P.thumbPos, w, (INT64)P.thumbLength + 1, Thumb);
  }
}

// The visible rows of the text mask, recoloured: glyphs in the row colour or
// the highlight, and the selection bar under the selected row's pixels.
void PaintRows(const DrawTarget &T, const ListPopup &P, bool Plain) {
  if (P.textMask == nullptr) {
    return;
  }
  const INT64 V = ViewHeight(P), S = ScrollOffset(P);
  const INT64 Hot = P.hotRow, Sel = P.selectedRow;
  const bool HotValid = ValidRow(P, P.hotRow), SelValid = ValidRow(P, P.selectedRow);
  const INT64 MaskW = P.maskWidth;
  const UINT32 Normal = kRowText, Highlight = kHighlightText, Bar = kSelectionBar;
  // Mask rows before 0 (a selection cleared above the view) have no pixels.
  const INT64 First = S > 0 ? S : 0;
  const INT64 End = S + V < P.contentHeight ? S + V : P.contentHeight;
  for (INT64 R = First; R < End; R++) {
    const INT64 Y = P.titleHeight + 18 + (R - S);
    const bool InHot = HotValid && !Plain && kRowPitch * Hot < R && R < kRowPitch * (Hot + 1);
    const bool InSel = SelValid && kRowPitch * Sel <= R && R < kRowPitch * (Sel + 1);
    const bool InBar = SelValid && !Plain && kRowPitch * Sel < R && R < kRowPitch * (Sel + 1);
    INT64 Left = kListLeft, Right = kListLeft + MaskW;
    // Pixels as words: the mask and the buffer are arrays of 4-byte pixels.
    if (Word *Row = reinterpret_cast<Word *>(T.Row(Y, Left, Right))) {
      const UINT32 Glyph = InSel ? (Plain ? Normal : Highlight) : (InHot ? Highlight : Normal);
      const Word *Mask =
          reinterpret_cast<const Word *>(P.textMask + (UINTN)R * (UINTN)MaskW + (Left - kListLeft));
      const INT64 N = Right - Left;
      if (InBar) {
        for (INT64 X = 0; X < N; X++) Row[X] = IsBlackWord(Mask[X]) ? Glyph : Bar;
      } else {
        // Mostly white: eight pixels at a time are passed over when all are white.
        constexpr UINT64 kWhitePair = 0x00FFFFFF00FFFFFFull;
        INT64 X = 0;
        for (; X + 8 <= N; X += 8) {
          const Pair *M = reinterpret_cast<const Pair *>(Mask + X);
          if ((M[0] & M[1] & M[2] & M[3] & kWhitePair) == kWhitePair) {
            continue;
          }
          for (INT64 I = X; I < X + 8; I++) {
            if (IsBlackWord(Mask[I])) Row[I] = Glyph;
          }
        }
        for (; X < N; X++) {
          if (IsBlackWord(Mask[X])) Row[X] = Glyph;
        }
      }
    }
    if (InBar) {
      T.HLine(18, 32, Y, kSelectionBar);
      if (P.thumbPos == 0) T.HLine(MaskW + 33, MaskW + 47, Y, kSelectionBar);
    }
  }
}

// Thumb positions GetListPopupView walks one by one; past this it takes one
// period of the offsets (a thumb length, at most 65535 positions).
constexpr INT64 kWalkLimit = 65536;

// Position 1 + K + b x Length has the offset At + b x V (b = 0..Periods). The
// larger of Best and the last such position whose offset is at most Limit.
INT64 LastAtOrBelow(INT64 Limit, INT64 At, INT64 V, INT64 Periods, INT64 K, INT64 Length,
                    INT64 Best) {
  if (At > Limit) return Best;
  INT64 B = Periods;
  if (V > 0 && (Limit - At) / V < B) B = (Limit - At) / V;
  const INT64 Position = 1 + K + B * Length;
  return Position > Best ? Position : Best;
}

}  // namespace

UINTN EFIAPI OpenListPopup(ListPopup *Popup, INT32 X, INT32 Y, UINT32 Width, INT32 Height,
                           const CHAR16 *Title, UINT16 Flags, UINT16 ItemCount,
                           const CHAR16 *const *Items, INT16 HotRow) {
  if (Popup == nullptr || (ItemCount > 0 && Items == nullptr)) {
    return EFI_INVALID_PARAMETER;
  }
  UINT32 Measured = 0;
  if (!MeasureLabel(Title, Measured)) {
    return EFI_OUT_OF_RESOURCES;
  }
  const UINT64 TitleWidth = Measured;
  if (Width < TitleWidth + kTitleMargin) {
    const UINT64 Grow = TitleWidth + kTitleMargin - Width;
    Width = (UINT32)(Width + Grow);
    X = (INT64)X < (INT64)(Grow / 2) ? 0 : (INT32)(X - (INT64)(Grow / 2));
  }

  ListPopup &P = *Popup;
  P.x = X;
  P.y = Y;
  P.width = Width;
  P.title = Title;
  P.flags = Flags;
  P.itemCount = ItemCount;
  P.textMask = nullptr;
  P.maskWidth = (UINT16)(Width - kMaskMargin);
  P.contentHeight = (UINT16)(ItemCount * kRowPitch);
  P.hotRow = HotRow;
  P.selectedRow = -1;
  P.titleHeight = kWindowTitleHeight;
  P.closeShown = 1;
  P.closeState = 0;
  P.visibleRows = 0;

  INT32 H = Height;
  if (H < kMinHeight) {
    H = ItemCount == 1 ? kMinHeightOneRow : kMinHeight;
  } else if (H > kMinHeight && (H - kViewMargin) % kRowPitch != 0) {
    H -= (H - kViewMargin) % kRowPitch;
    P.visibleRows = (INT16)((H - kViewMargin) / kRowPitch);
    if (ItemCount < P.visibleRows) P.visibleRows = -1;
  }
  P.height = H;
  // Without rows nothing scrolls.
  P.thumbPos = ItemCount > 0 && (INT64)Height - 88 < P.contentHeight ? 1 : 0;
  P.lastSelectedRow = -1;

  const UINT64 V = (UINT64)ViewHeight(P);
  P.pageCount = V != 0 ? (UINT16)((P.contentHeight + V - 1) / V) : 0;
  // Without rows the thumb would span the track; more rows than V x V / 20
  // would give a thumb of length 0, which the scroll offset divides by.
  UINT16 Length = (UINT16)(P.contentHeight != 0 ? V * V / P.contentHeight : V);
  P.thumbLength = Length != 0 ? Length : 1;

  const UINTN MaskPixels = (UINTN)P.maskWidth * P.contentHeight;
  if (MaskPixels == 0) {
    return 0;
  }
  PoolBuffer<ORVANE_PIXEL> Mask(MaskPixels);
  if (!Mask) {
    return EFI_OUT_OF_RESOURCES;
  }
  // The mask is an image of its own, written through a target that clips to it.
  const DrawTarget MaskImage = DrawTarget::For(Mask.Get(), P.maskWidth, P.contentHeight);
  MaskImage.Fill(0, 0, P.maskWidth, P.contentHeight, kMaskWhite);
  for (UINT32 K = 0; K < ItemCount; K++) {
    if (Items[K] == nullptr) {
      continue;
    }
    OwnedText Text;
    if (!Text.Render(Items[K], kMaskBlack, kMaskWhite)) {
      return EFI_OUT_OF_RESOURCES;
    }
    // Text wider than the mask is cut at its right edge and taller text at
    // its row's end; rows past the mask's end (a count whose height
    // overflows 16 bits) are left out.
    const INT32 Top = (INT32)K * kRowPitch;
    PlaceTextInk(MaskImage.Narrowed({0, Top, P.maskWidth, kTextRows}), 0, Top, Text.Image,
                 kMaskBlack);
  }
  P.textMask = Mask.Release();
  return 0;
}

UINTN EFIAPI PaintListPopup(ListPopup *Popup) {
  if (Popup == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  ListPopup &P = *Popup;
  const bool Plain = (P.flags & 0x10) != 0;
  return PaintOffscreen(P.x, P.y, (INT32)P.width, P.height, [&](const DrawTarget &T) -> EFI_STATUS {
    // Here the width is a positive 32-bit value.
    const PopupWindowLook Window = {
        .Width = (INT32)P.width,
        .Height = P.height,
        .TitleHeight = P.titleHeight,
        .Title = P.title,
        .TitleAlign = (UINT16)(P.flags & 0x000F),
        .Scrolls = (P.thumbPos & 0xFF) != 0,  // the body reads the low byte only
        .Close = P.closeShown ? P.closeState : kNoCloseBox,
        .CloseX = (INT32)P.width - 30,
        .CloseY = 20,
    };
    const EFI_STATUS Status = PaintPopupWindow(T, Window);
    if (EFI_ERROR(Status)) {
      return Status;  // nothing is shown, so the one plain paint is still owed
    }
    P.flags &= 0x000F;
    if (P.thumbPos != 0) {
      PaintScrollBar(T, P, (INT32)P.width - 30, P.titleHeight + 6, 9, P.height - P.titleHeight - 25,
                     P.hotRow == -1 || P.hotRow == -2);
    }
    PaintRows(T, P, Plain);
    if (P.pageCount > 1) {
      P.lastSelectedRow = P.selectedRow;
    }
    return EFI_SUCCESS;
  });
}

UINTN EFIAPI ScrollListPopup(ListPopup *Popup, INT16 ScrollPart, INT32 Delta) {
  if (Popup == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  ListPopup &P = *Popup;
  P.hotScrollPart = ScrollPart;
  if (P.thumbPos == 0) {
    return 0;
  }
  INT64 Bottom = ((INT64)P.height - kViewMargin) - P.thumbLength;
  if (Bottom < 0) Bottom = 0;  // only a record changed after opening gets here
  const INT64 Moved = (INT64)P.thumbPos + Delta;
  if (Moved < 1) {
    P.thumbPos = 1;
  } else if (Moved > Bottom || P.selectedRow == P.itemCount - 1) {
    P.thumbPos = (UINT16)Bottom;
  } else {
    P.thumbPos = (UINT16)Moved;
  }
  return 0;
}

UINTN EFIAPI HitTestListPopup(ListPopup *Popup, INT32 PointerX, INT32 PointerY, INT16 Kind) {
  if (Popup == nullptr) {
    return LIST_POPUP_HIT_OUTSIDE;
  }
  ListPopup &P = *Popup;
  const INT64 px = PointerX, py = PointerY, x = P.x, y = P.y, W = P.width, H = P.height;
  const INT64 V = ViewHeight(P), Thumb = P.thumbPos, Length = P.thumbLength;

  if (y + 81 <= py && py < y + 81 + V && x + 19 <= px && px <= x + P.maskWidth) {
    const INT64 O = py - (y + kListTop) + ScrollOffset(P);
    if (O != 0 && O <= (INT64)P.itemCount * kRowPitch && O / kRowPitch < P.itemCount) {
      if (Kind == 1) P.selectedRow = (INT16)(O / kRowPitch);
      if (Kind == 2) P.hotRow = (INT16)(O / kRowPitch);
    }
    return LIST_POPUP_HIT_LIST;
  }
  if (x <= px && px < x + W && y < py && py < y + 63) {
    const bool Close = x + W - 30 <= px && px < x + W - 14 && y + 20 < py && py < y + 36;
    return Close ? LIST_POPUP_HIT_CLOSE : LIST_POPUP_HIT_TITLE;
  }
  if (x + W - 30 <= px && px < x + W - 6) {
    if (y + 69 <= py && py < y + 81) return LIST_POPUP_HIT_UP_ARROW;
    if (y + Thumb + 81 <= py && py < y + Thumb + 69 + Length) return LIST_POPUP_HIT_THUMB;
    if (y + H - 31 <= py && py < y + H - 19) return LIST_POPUP_HIT_DOWN_ARROW;
    if (y + 75 <= py && py < y + Thumb + 69) return LIST_POPUP_HIT_TRACK_ABOVE;
    if (y + Thumb + 69 + Length <= py && py < y + H - 12) return LIST_POPUP_HIT_TRACK_BELOW;
  }
  if (x <= px && px < x + W && y <= py && py < y + H) {
    return LIST_POPUP_HIT_LIST;
  }
  return LIST_POPUP_HIT_OUTSIDE;
}

UINTN EFIAPI CloseListPopup(ListPopup *Popup) {
  if (Popup == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  PoolFree(Popup->textMask);
  Popup->textMask = nullptr;
  return 0;
}

UINTN EFIAPI GetListPopupView(const ListPopup *Popup, ListPopupView *View) {
  if (Popup == nullptr || View == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  const ListPopup &P = *Popup;
  const RawOffsets Raw(P, FloatToIntAlt);
  const INT64 V = ViewHeight(P), Selected = (INT64)P.selectedRow * kRowPitch;
  const INT64 Now = Raw.At(P.thumbPos);
  View->outOfView = (Selected + 10 < Now || Now + V - 5 < Selected + 22) ? 1 : 0;
  const INT64 Last = ((INT64)P.height - kViewMargin) - P.thumbLength;
  const INT64 TopLimit = Selected + 10, BottomLimit = Selected - V + 45;
  if (Last < kWalkLimit) {
    for (INT64 I = 0; I <= Last; I++) {
      const INT64 At = Raw.At((INT32)I);
      if (At <= TopLimit) View->thumbShowingTop = (INT16)I;
      if (At <= BottomLimit) View->thumbShowingBottom = (INT16)I;
    }
    return 0;
  }
  // A window millions of rows tall: the offsets repeat every thumb length
  // with V added each time, so one period gives the last position per limit.
  INT64 Top = Raw.At(0) <= TopLimit ? 0 : -1, Bottom = Raw.At(0) <= BottomLimit ? 0 : -1;
  // Without a thumb length every offset is 0: one period of one position.
  const INT64 Length = P.thumbLength != 0 ? P.thumbLength : 1, Step = P.thumbLength != 0 ? V : 0;
  for (INT64 K = 0; K < Length; K++) {
    const INT64 At = Raw.At((INT32)(K + 1));  // position K + 1 of period 0
    const INT64 Periods = (Last - 1 - K) / Length;
    Top = LastAtOrBelow(TopLimit, At, Step, Periods, K, Length, Top);
    Bottom = LastAtOrBelow(BottomLimit, At, Step, Periods, K, Length, Bottom);
  }
  if (Top >= 0) View->thumbShowingTop = (INT16)Top;
  if (Bottom >= 0) View->thumbShowingBottom = (INT16)Bottom;
  return 0;
}
