// The popup frame painters and the list popup's paint written plainly, step
// by step: every point through the plain pen, every line through the plain
// line, every gradient colour through the float service channel by channel.
// The production painters must match these pixel for pixel.
#pragma once
#include "controls/popup/list_popup.h"
#include "raster/target.h"

namespace ref {

UINT32 Blend(UINT32 A, UINT32 B, INT32 Numerator, INT32 Denominator);
void PaintWindowFrame(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, UINT16 Radius,
                      UINT32 Top, UINT32 Bottom);
void PaintWindowBody(const DrawTarget &T, INT32 X, INT32 Y, const ListPopup &Window, UINT16 Radius,
                     UINT32 C1, UINT32 C2, UINT32 C3, UINT32 C4);
void PaintTitleBar(const DrawTarget &T, INT32 X, INT32 Y, const ListPopup &Window, UINT16 Radius,
                   UINT32 Top, UINT32 Base, const ORVANE_PIXEL *Icon);
void PaintCloseButton(const DrawTarget &T, INT32 X, INT32 Y, const ListPopup &Window);

// The list popup's window as its paint draws it over whatever T holds (the
// window at T's origin), record updates included.
void PaintListPopupWindow(const DrawTarget &T, ListPopup &P);
// The scroll offset S, and the raw offset with either conversion.
INT64 ScrollOffset(const ListPopup &P);
INT64 RawOffset(const ListPopup &P, INT32 ThumbPos, bool Alt);
void GetListPopupView(const ListPopup &P, ListPopupView &View);

}  // namespace ref
