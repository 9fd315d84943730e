// The setting row: two item cells and a chevron painted off-screen, and the
// pointer handling of its slider.
//
// Slider positions are 16-bit values, as the row's fields are: E, T0, T1, R
// and the knob centre K wrap at 16 bits (signed, so a slider reaching past the
// screen's left edge keeps negative positions); comparisons with the pointer
// are made in 32 bits.
#include "controls/popup/setting_row.h"

#include "controls/status/item_cell.h"
#include "raster/target.h"
#include "text/text.h"

namespace {

constexpr INT32 kRowHeight = 19;
constexpr UINT32 kCapturedBackground = 0x00131313;
constexpr UINT32 kChevronColor = 0x0066BC29;

// hotPart values.
enum : INT16 {
  kSliderNone = 0,
  kSliderLeftArrow = 1,
  kSliderKnob = 2,
  kSliderRightArrow = 3,
  kSliderTrack = 4,
};

struct Slider {
  INT16 E;   // x + width - sliderLength
  INT16 T0;  // track position of value 0
  INT16 T1;  // track position of the full value
  INT16 R;   // first column of the right arrow
  INT16 K;   // knob centre
};

// The number of the last step; 0 for a slider of fewer than two steps, whose
// only step is 0 (its step count minus one would divide by zero or be negative).
INT32 LastStep(const SettingRow &Row) { return Row.stepCount < 2 ? 0 : Row.stepCount - 1; }

Slider SliderOf(const SettingRow &Row) {
  Slider S;
  // Summed in 64 bits: the 16-bit result is the same, and a far-left x cannot overflow.
  S.E = (INT16)((INT64)Row.x + Row.width - Row.sliderLength);
  S.T0 = (INT16)(S.E - 49);
  S.T1 = (INT16)(S.E - 65 + Row.sliderLength);
  S.R = (INT16)(S.E - 52 + Row.sliderLength);
  const FLOAT32_BITS Span = fm::FromInt(S.T1 - S.T0);
  INT32 Offset = 0;
  if (Row.stepMode == 1) {
    if (LastStep(Row) > 0) {
      Offset = fm::ToIntAlt(
          fm::Mul(fm::Div(Span, fm::FromInt(LastStep(Row))), fm::FromInt(Row.stepIndex)));
    }
  } else {
    Offset = fm::ToIntAlt(fm::Mul(fm::Div(Span, fm::FromInt(100)), fm::FromInt(Row.percent)));
  }
  S.K = (INT16)(S.T0 + Offset);
  return S;
}

// Cell styles of the label and value cells.
struct CellStyles {
  UINT16 Label, Value;
};

CellStyles StylesOf(const SettingRow &Row) {
  if (Row.chevron != 0) return {kCellGrooveByLabel, kCellGrooveByLabel};
  if (Row.label == nullptr) return {5, 5};
  if ((Row.cellFlags & kCellStateMask) == kCellDisabled) return {3, 4};
  return {kCellGrooveIndented, kCellGrooveInset};
}

// A cell's text rendered in its cell colour; none for a NULL text. With every
// service bound (the driver runs only then) the text fails only for want of
// pool memory.
EFI_STATUS RenderCellText(OwnedText &Out, const CHAR16 *Text, UINT16 Style, UINT16 Align,
                          UINT16 Flags) {
  return Out.RenderIfAny(Text, ItemCellTextColor(Style, Align, Flags), kItemCellTextBackground)
             ? EFI_SUCCESS
             : EFI_OUT_OF_RESOURCES;
}

// The submenu chevron: a right-pointing outline 7 wide, rows 4 to 14 below Y.
void PaintChevron(const DrawTarget &T, INT32 X, INT32 Y) {
  // Column offsets per row offset 4 to 14; -1: none.
  static constexpr INT8 kPoints[11][2] = {{1, -1}, {0, 2}, {1, 3}, {2, 4}, {3, 5}, {4, 6},
                                          {3, 5},  {2, 4}, {1, 3}, {0, 2}, {1, -1}};
  for (INT32 R = 0; R < 11; R++) {
    for (INT8 C : kPoints[R]) {
      if (C >= 0) T.Put(X + C, Y + 4 + R, kChevronColor);
    }
  }
}

}  // namespace

EFI_STATUS EFIAPI InitSettingRow(SettingRow *Row, INT32 X, INT32 Y, UINT16 Width, UINT16 LabelWidth,
                                 UINT16 SliderLength, UINT16 CallerData0, UINT16 StepCount,
                                 INT16 CallerData1, UINT8 CallerData2, UINT8 CallerData3,
                                 const CHAR16 *Label, const CHAR16 *Value, UINT16 CellFlags,
                                 INT16 Kind, UINT8 Chevron) {
  if (Row == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  Row->x = X;
  Row->y = Y;
  Row->width = Width;
  Row->labelWidth = LabelWidth;
  Row->sliderLength = SliderLength;
  Row->callerData0 = CallerData0;
  Row->stepCount = StepCount;
  Row->callerData1 = CallerData1;
  Row->callerData2 = CallerData2;
  Row->callerData3 = CallerData3;
  Row->label = Label;
  Row->value = Value;
  Row->cellFlags = CellFlags;
  Row->kind = Kind;
  Row->chevron = Chevron;
  Row->percent = 0;
  Row->stepIndex = 0;
  Row->stepMode = 0;
  Row->hotPart = kSliderNone;
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI PaintSettingRow(const SettingRow *Row) {
  if (Row == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  const SettingRow R = *Row;
  const bool Cells = R.kind == 2 || R.kind == 4;
  const CellStyles S = StylesOf(R);
  // Both texts are rendered before anything is drawn, so that a failure leaves
  // the screen as it was.
  OwnedText Label, Value;
  if (Cells) {
    EFI_STATUS Status = RenderCellText(Label, R.label, S.Label, kAlignIndent26, R.cellFlags);
    if (Status == EFI_SUCCESS)
      Status = RenderCellText(Value, R.value, S.Value, kAlignIndent13, R.cellFlags);
    if (Status != EFI_SUCCESS) return Status;
  }
  // With frame-buffer capture on, the row stands on its own dark ground.
  const Underlay Under = FrameBufferCapture ? Underlay::Unset : Underlay::Capture;
  return PaintOffscreen(Under, R.x, R.y, R.width, kRowHeight, [&](const DrawTarget &T) {
    if (Under == Underlay::Unset) T.Fill(0, 0, R.width, kRowHeight, kCapturedBackground);
    if (Cells) {
      DrawItemCellRendered(T, 0, 0, R.labelWidth, kRowHeight, S.Label, Label.Get(), kAlignIndent26,
                           R.cellFlags);
      DrawItemCellRendered(T, R.labelWidth, 0, R.width - R.labelWidth, kRowHeight, S.Value,
                           Value.Get(), kAlignIndent13, R.cellFlags);
    }
    if (R.chevron != 0) PaintChevron(T, 13, 0);
  });
}

EFI_STATUS EFIAPI TrackSettingSlider(SettingRow *Row, INT32 PointerX, INT32 PointerY) {
  if (Row == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  const Slider S = SliderOf(*Row);
  const INT32 Px = PointerX;
  if (Px <= S.E - 84 || Px >= S.R + 23 || PointerY < Row->y ||
      PointerY >= (INT64)Row->y + kRowHeight) {
    Row->hotPart = kSliderNone;
    return EFI_SUCCESS;
  }
  if (Px <= S.E - 61) {
    Row->hotPart = kSliderLeftArrow;
    if (Row->stepIndex != 0) Row->stepIndex--;
    Row->stepMode = 1;
    return EFI_SUCCESS;
  }
  if (Px >= S.R) {
    Row->hotPart = kSliderRightArrow;
    // Only the last step itself holds it: a step the caller set past it still counts on.
    if (Row->stepIndex != LastStep(*Row)) Row->stepIndex++;
    Row->stepMode = 1;
    return EFI_SUCCESS;
  }
  Row->hotPart = Px >= S.K - 9 && Px <= S.K + 9 ? kSliderKnob : kSliderTrack;
  if (Px <= S.T0) {
    Row->stepIndex = 0;
    Row->percent = 0;
  } else if (Px < S.T1) {
    const FLOAT32_BITS Span = fm::FromInt(S.T1 - S.T0), Along = fm::FromInt(Px - S.T0);
    Row->stepIndex = (UINT16)fm::ToInt(fm::Div(fm::Mul(fm::FromInt(LastStep(*Row)), Along), Span));
    Row->percent = (UINT16)fm::ToInt(fm::Div(fm::Mul(Along, fm::FromInt(100)), Span));
  } else {
    Row->stepIndex = (UINT16)LastStep(*Row);
    Row->percent = 100;
  }
  return EFI_SUCCESS;
}
