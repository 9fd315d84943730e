// The digit readout: init with any position, text, size code and capture
// flag, then paints. The paint stays inside the readout; what init hands over
// (the saved background, a padded text copy) is freed as a caller does.
#include "fuzz/fuzz_env.h"
#include "platform/services.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  ORVANE_UI_PROTOCOL *Ui = FuzzDriver();
  FuzzInput In(Data, Size);
  const size_t Live = FuzzFirmware().LiveAllocations();
  Ui->SetFrameBufferCapture(In.Take<uint8_t>() & 1);
  const INT32 X = In.Coord(), Y = In.Coord();
  // Digits, signs and colons mostly: the readout's own alphabet.
  std::u16string Text = In.Text(300);
  for (char16_t &C : Text) {
    const bool Own = (C >= u'0' && C <= u'9') || C == u'-' || C == u':';
    if (C < 0x80 && !Own && (C & 3) != 0) C = u"0123456789-:"[C % 12];
  }
  const UINT16 SizeCode = In.Take<uint8_t>() < 230 ? In.Range(0, 2) : In.Take<UINT16>();
  const UINT8 Capture = In.Take<uint8_t>() % 3;
  BeginTransfers();
  DigitReadout R = {};
  if (Ui->InitDigitReadout(&R, X, Y, Chars(Text), SizeCode, Capture) != EFI_SUCCESS) {
    CheckTransfers({{0, 0, 0, 0}});
    CheckPool(Live);
    return 0;
  }
  const FuzzArea Area = {R.x, R.y, R.width, R.height};
  for (int Step = 0; Step < 3 && !In.Empty(); Step++) {
    Ui->PaintDigitReadout(&R);
    CheckTransfers({Area});
    if (In.Take<uint8_t>() & 1) Ui->SetFrameBufferCapture(In.Take<uint8_t>() & 1);
  }
  if (R.text != Chars(Text)) PoolFree(R.text);
  PoolFree(R.background);
  CheckPool(Live);
  return 0;
}
