#include "controls/status/scroll_bar.h"

#include "controls/status/scroll_bar_body.h"

namespace {

constexpr INT32 kBarWidth = 16;
constexpr INT32 kShortestBar = 100;

// The thumb within an inner length M. Painting passes AtEnd to pin the thumb
// to the track's end when the view reaches the list's end. An empty list
// (Total 0) has no thumb.
bool ThumbFor(INT64 M, UINT16 Total, UINT16 Visible, UINT16 First, bool AtEnd, ScrollThumb &Out) {
  if (Total == 0) {
    return false;
  }
  const INT64 N = (M * Visible) / Total;
  INT64 T = (M / Total) * ((INT64)First - 1);
  if (AtEnd && (INT64)First == (INT64)Total - Visible + 1) {
    T = M - N;
  }
  // The raise to 1 is the last word: a list that fits in view keeps its thumb
  // one row below the track's top, as the first page does.
  if (T > M - N) T = M - N;
  if (T == 0) T = 1;
  Out.Offset = (INT32)T;
  Out.Length = (INT32)N;
  return true;
}

}  // namespace

UINTN EFIAPI DrawScrollBar(INT32 X, INT32 Y, UINT16 Length, UINT16 Total, UINT16 Visible,
                           UINT16 First, UINT16 Hot) {
  ScrollThumb Thumb;
  const bool HasThumb = ThumbFor((INT64)Length - 70, Total, Visible, First, true, Thumb);
  // A bar shorter than 100 is painted 100 long; the buffer covers all of it.
  const INT32 Painted = Length < kShortestBar ? kShortestBar : Length;
  return PaintOffscreen(X, Y, kBarWidth, Painted, [&](const DrawTarget &T) {
    DrawScrollBarBody(T, 0, 0, HasThumb ? &Thumb : nullptr, Hot, Painted);
  });
}

UINT16 EFIAPI HitTestScrollBar(INT32 X, INT32 Y, UINT16 Length, UINT16 Total, UINT16 Visible,
                               UINT16 First, INT32 PX, INT32 PY) {
  // Without a thumb (an empty list) the whole track answers as below the thumb.
  ScrollThumb Thumb = {0, 0};
  ThumbFor((INT64)Length - 68, Total, Visible, First, false, Thumb);
  const INT64 Top = Y, T = Thumb.Offset, N = Thumb.Length;
  if (PX < (INT64)X + 2 || PX > (INT64)X + 27 || PY < Top || PY > Top + Length - 1) {
    return kScrollOutside;
  }
  if (PY <= Top + 32) return kScrollUpArrow;
  if (PY <= Top + 32 + T) return kScrollTrackAbove;
  if (PY <= Top + 31 + T + N) return kScrollThumb;
  if (PY <= Top + Length - 34) return kScrollTrackBelow;
  return kScrollDownArrow;
}
