// The message box: init with any position, size, lines and captions, then
// hit tests, the caller's changes to the hot button and its look, and paints.
// Every transfer stays inside the box and on the screen; nothing is kept.
#include <vector>

#include "fuzz/fuzz_env.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  FuzzUnit U(Data, Size);
  const INT32 X = U.In.Coord(), Y = U.In.Coord();
  INT32 W, H;
  U.In.Size(W, H);
  const UINT16 LineCount = U.In.Take<uint8_t>() % 6, ButtonCount = U.In.Take<uint8_t>() % 5;
  std::vector<std::u16string> Texts(LineCount + ButtonCount);
  std::vector<CHAR16 *> Pointers(LineCount + ButtonCount + 1, nullptr);
  for (size_t I = 0; I < Texts.size(); I++) {
    Texts[I] = U.In.Text(I < LineCount ? 60 : 12);
    Pointers[I] = Chars(Texts[I]);
  }
  BeginTransfers();
  MessageBox B = {};
  if (U.Ui->InitMessageBox(&B, X, Y, W, H, LineCount, Pointers.data(), ButtonCount,
                           Pointers.data() + LineCount) != 0) {
    return U.Refused();
  }
  const FuzzArea Box = {B.X, B.Y, B.Width, B.Height};
  for (int Step = 0; Step < 8 && !U.In.Empty(); Step++) {
    switch (U.In.Take<uint8_t>() % 3) {
      case 0: U.Ui->HitTestMessageBox(&B, U.In.Coord(), U.In.Coord()); break;
      case 1:
        B.HotButton = U.In.Take<UINT16>() % 6;
        B.HotState = U.In.Take<UINT16>() % 4;
        break;
      default: U.Ui->PaintMessageBox(&B); break;
    }
    U.Step({Box});
  }
  return 0;
}
