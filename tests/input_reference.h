// The pointer and key handling of the controls written as it is described:
// each zone an inequality of its own, tested in the documented order, each
// record field set where the description sets it. No guards beyond the
// documented ones: callers keep the record in its documented ranges. The
// edge sweeps hold the production handlers to these at every zone edge.
#pragma once
#include "controls/popup/input_dialog.h"
#include "controls/popup/list_popup.h"
#include "controls/popup/option_popup.h"
#include "controls/popup/setting_row.h"
#include "controls/readout/icon_dock.h"
#include "controls/status/message_box.h"

namespace ref {

UINTN HitTestListPopup(ListPopup &P, INT32 PX, INT32 PY, INT16 Kind);
void ScrollListPopup(ListPopup &P, INT16 Part, INT32 Delta);

// The knob centre K, and the slider handling.
INT32 SettingSliderKnob(const SettingRow &Row);
void TrackSettingSlider(SettingRow &Row, INT32 PX, INT32 PY);

// Focus, close box, drag and reorder of entry Index; swaps exchange the
// entries of the items array. Returns 0, or 8 for a press on the close box.
UINTN TrackOptionPopup(OptionPopupSet &Set, UINT16 Index, INT32 A, INT32 B, UINT16 Kind,
                       UINT16 Key);

void HitTestInputDialog(InputDialog &D, INT32 PX, INT32 PY);
void HitTestMessageBox(::MessageBox &Box, INT32 PX, INT32 PY);

// The scroll bar's thumb for inner length M; Painting adds the end-of-list rule.
struct Thumb {
  INT32 Offset, Length;
};
Thumb ScrollBarThumb(INT32 M, UINT16 Total, UINT16 Visible, UINT16 First, bool Painting);
UINT16 HitTestScrollBar(INT32 X, INT32 Y, UINT16 L, UINT16 Total, UINT16 Visible, UINT16 First,
                        INT32 PX, INT32 PY);

// Swaps exchange labels, flags and active values.
void TrackIconDock(IconDock &D, INT32 A, INT32 B, UINT16 Kind, UINT16 Key);

}  // namespace ref
