// The setting row and its slider: init with any geometry, step count, texts
// and kind, then pointer tracking, the caller's changes to the knob, and
// paints. Every transfer stays inside the row (19 pixels high) and on the screen.
#include "fuzz/fuzz_env.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  ORVANE_UI_PROTOCOL *Ui = FuzzDriver();
  FuzzInput In(Data, Size);
  const size_t Live = FuzzFirmware().LiveAllocations();
  Ui->SetFrameBufferCapture(In.Take<uint8_t>() & 1);
  const INT32 X = In.Coord(), Y = In.Coord();
  const UINT16 Width = In.Take<uint8_t>() < 200 ? In.Range(0, 1100) : In.Take<UINT16>();
  const UINT16 LabelWidth = In.Take<uint8_t>() < 200 ? In.Range(0, 600) : In.Take<UINT16>();
  const UINT16 Slider = In.Take<uint8_t>() < 200 ? In.Range(0, 600) : In.Take<UINT16>();
  const UINT16 Steps = In.Take<uint8_t>() < 200 ? In.Range(0, 12) : In.Take<UINT16>();
  std::u16string Label = In.Text(40), Value = In.Text(40);
  const UINT8 Present = In.Take<uint8_t>();
  const UINT16 CellFlags = In.Take<UINT16>();
  const INT16 Kind = In.Take<INT16>() % 6;
  BeginTransfers();
  SettingRow R = {};
  if (Ui->InitSettingRow(&R, X, Y, Width, LabelWidth, Slider, 0, Steps, 0, 0, 0, Present & 1 ? Chars(Label) : nullptr,
                         Present & 2 ? Chars(Value) : nullptr, CellFlags, Kind, Present & 4) != EFI_SUCCESS) {
    CheckTransfers({{0, 0, 0, 0}});
    CheckPool(Live);
    return 0;
  }
  const FuzzArea Row = {R.x, R.y, R.width, 19};
  for (int Step = 0; Step < 10 && !In.Empty(); Step++) {
    switch (In.Take<uint8_t>() % 3) {
      case 0: Ui->TrackSettingSlider(&R, In.Coord(), In.Coord()); break;
      case 1:
        R.percent = In.Take<UINT16>();
        R.stepIndex = In.Take<UINT16>();
        R.stepMode = In.Take<uint8_t>();
        R.hotPart = In.Take<INT16>();
        R.cellFlags = In.Take<UINT16>();
        break;
      default: Ui->PaintSettingRow(&R); break;
    }
    CheckTransfers({Row});
    CheckPool(Live);
  }
  return 0;
}
