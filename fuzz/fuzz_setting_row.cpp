// The setting row and its slider: init with any geometry, step count, texts
// and kind, then pointer tracking, the caller's changes to the knob, and
// paints. Every transfer stays inside the row (19 pixels high) and on the screen.
#include "fuzz/fuzz_env.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  FuzzUnit U(Data, Size);
  const INT32 X = U.In.Coord(), Y = U.In.Coord();
  const UINT16 Width = U.In.Take<uint8_t>() < 200 ? U.In.Range(0, 1100) : U.In.Take<UINT16>();
  const UINT16 LabelWidth = U.In.Take<uint8_t>() < 200 ? U.In.Range(0, 600) : U.In.Take<UINT16>();
  const UINT16 Slider = U.In.Take<uint8_t>() < 200 ? U.In.Range(0, 600) : U.In.Take<UINT16>();
  const UINT16 Steps = U.In.Take<uint8_t>() < 200 ? U.In.Range(0, 12) : U.In.Take<UINT16>();
  std::u16string Label = U.In.Text(40), Value = U.In.Text(40);
  const UINT8 Present = U.In.Take<uint8_t>();
  const UINT16 CellFlags = U.In.Take<UINT16>();
  const INT16 Kind = U.In.Take<INT16>() % 6;
  BeginTransfers();
  SettingRow R = {};
  if (U.Ui->InitSettingRow(&R, X, Y, Width, LabelWidth, Slider, 0, Steps, 0, 0, 0,
                           Present & 1 ? Chars(Label) : nullptr,
                           Present & 2 ? Chars(Value) : nullptr, CellFlags, Kind,
                           Present & 4) != EFI_SUCCESS) {
    return U.Refused();
  }
  const FuzzArea Row = {R.x, R.y, R.width, 19};
  for (int Step = 0; Step < 10 && !U.In.Empty(); Step++) {
    switch (U.In.Take<uint8_t>() % 3) {
      case 0: U.Ui->TrackSettingSlider(&R, U.In.Coord(), U.In.Coord()); break;
      case 1:
        R.percent = U.In.Take<UINT16>();
        R.stepIndex = U.In.Take<UINT16>();
        R.stepMode = U.In.Take<uint8_t>();
        R.hotPart = U.In.Take<INT16>();
        R.cellFlags = U.In.Take<UINT16>();
        break;
      default: U.Ui->PaintSettingRow(&R); break;
    }
    U.Step({Row});
  }
  return 0;
}
