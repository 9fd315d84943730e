// The digit readout: init with any position, text, size code and capture
// flag, then paints. The paint stays inside the readout; what init hands over
// (the saved background, a padded text copy) is freed as a caller does.
#include "fuzz/fuzz_env.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  FuzzUnit U(Data, Size);
  const INT32 X = U.In.Coord(), Y = U.In.Coord();
  // Digits, signs and colons mostly: the readout's own alphabet.
  std::u16string Text = U.In.Text(300);
  for (char16_t &C : Text) {
    const bool Own = (C >= u'0' && C <= u'9') || C == u'-' || C == u':';
    if (C < 0x80 && !Own && (C & 3) != 0) C = u"0123456789-:"[C % 12];
  }
  const UINT16 SizeCode = U.In.Take<uint8_t>() < 230 ? U.In.Range(0, 2) : U.In.Take<UINT16>();
  const UINT8 Capture = U.In.Take<uint8_t>() % 3;
  BeginTransfers();
  DigitReadout R = {};
  if (U.Ui->InitDigitReadout(&R, X, Y, Chars(Text), SizeCode, Capture) != EFI_SUCCESS) {
    return U.Refused();
  }
  const FuzzArea Area = {R.x, R.y, R.width, R.height};
  for (int Step = 0; Step < 3 && !U.In.Empty(); Step++) {
    U.Ui->PaintDigitReadout(&R);
    CheckTransfers({Area});
    if (U.In.Take<uint8_t>() & 1) U.Ui->SetFrameBufferCapture(U.In.Take<uint8_t>() & 1);
  }
  if (R.text != Chars(Text)) PoolFree(R.text);
  PoolFree(R.background);
  return U.Done();
}
