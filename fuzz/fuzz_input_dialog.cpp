// The input dialog: init with any geometry, title, prompt, text, field size
// and buttons, then hit tests, the caller's changes to its look, and paints.
#include <vector>

#include "fuzz/fuzz_env.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  FuzzUnit U(Data, Size);
  const INT32 X = U.In.Coord(), Y = U.In.Coord();
  INT32 W, H;
  U.In.Size(W, H);
  std::u16string Title = U.In.Text(40), Prompt = U.In.Text(30), Text = U.In.Text(80);
  const UINT8 Present = U.In.Take<uint8_t>();
  const UINT16 MaxChars = U.In.Take<uint8_t>() < 200 ? U.In.Range(0, 90) : U.In.Take<UINT16>();
  const UINT16 ShowPlain = U.In.Take<uint8_t>() & 1;
  const UINT16 ButtonCount = U.In.Take<uint8_t>() % 6;
  std::u16string Captions[3] = {U.In.Text(12), U.In.Text(12), U.In.Text(12)};
  const CHAR16 *CaptionPointers[3] = {Chars(Captions[0]), Chars(Captions[1]), Chars(Captions[2])};
  BeginTransfers();
  InputDialog D = {};
  if (U.Ui->InitInputDialog(&D, X, Y, (UINT32)W, H, Present & 1 ? Chars(Title) : nullptr, 0,
                            Present & 2 ? Chars(Prompt) : nullptr,
                            Present & 4 ? Chars(Text) : nullptr, MaxChars, ShowPlain, ButtonCount,
                            CaptionPointers) != 0) {
    return U.Refused();
  }
  const FuzzArea Window = {D.x, D.y, D.width, D.height};
  for (int Step = 0; Step < 8 && !U.In.Empty(); Step++) {
    switch (U.In.Take<uint8_t>() % 3) {
      case 0: U.Ui->HitTestInputDialog(&D, U.In.Coord(), U.In.Coord()); break;
      case 1:
        D.hotButton = U.In.Take<INT16>() % 6;
        D.closeShown = U.In.Take<uint8_t>();
        D.closeState = U.In.Take<uint8_t>();
        D.showPlain = U.In.Take<INT16>();
        break;
      default:
        // A field of tens of thousands of characters makes a window of
        // hundreds of megabytes, seconds a paint under the sanitizers; the
        // layout above still ran with it.
        if ((long long)D.width * D.height <= 1200000) U.Ui->PaintInputDialog(&D);
        break;
    }
    U.Step({Window});
  }
  return 0;
}
