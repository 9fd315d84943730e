// The message box: init with any position, size, lines and captions, then
// hit tests, the caller's changes to the hot button and its look, and paints.
// Every transfer stays inside the box and on the screen; nothing is kept.
#include <vector>

#include "fuzz/fuzz_env.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  ORVANE_UI_PROTOCOL *Ui = FuzzDriver();
  FuzzInput In(Data, Size);
  const size_t Live = FuzzFirmware().LiveAllocations();
  Ui->SetFrameBufferCapture(In.Take<uint8_t>() & 1);
  const INT32 X = In.Coord(), Y = In.Coord();
  INT32 W, H;
  In.Size(W, H);
  const UINT16 LineCount = In.Take<uint8_t>() % 6, ButtonCount = In.Take<uint8_t>() % 5;
  std::vector<std::u16string> Texts(LineCount + ButtonCount);
  std::vector<CHAR16 *> Pointers(LineCount + ButtonCount + 1, nullptr);
  for (size_t I = 0; I < Texts.size(); I++) {
    Texts[I] = In.Text(I < LineCount ? 60 : 12);
    Pointers[I] = Chars(Texts[I]);
  }
  BeginTransfers();
  MessageBox B = {};
  if (Ui->InitMessageBox(&B, X, Y, W, H, LineCount, Pointers.data(), ButtonCount, Pointers.data() + LineCount) != 0) {
    CheckTransfers({{0, 0, 0, 0}});
    CheckPool(Live);
    return 0;
  }
  const FuzzArea Box = {B.X, B.Y, B.Width, B.Height};
  for (int Step = 0; Step < 8 && !In.Empty(); Step++) {
    switch (In.Take<uint8_t>() % 3) {
      case 0: Ui->HitTestMessageBox(&B, In.Coord(), In.Coord()); break;
      case 1:
        B.HotButton = In.Take<UINT16>() % 6;
        B.HotState = In.Take<UINT16>() % 4;
        break;
      default: Ui->PaintMessageBox(&B); break;
    }
    CheckTransfers({Box});
    CheckPool(Live);
  }
  return 0;
}
