// The input dialog: init with any geometry, title, prompt, text, field size
// and buttons, then hit tests, the caller's changes to its look, and paints.
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
  std::u16string Title = In.Text(40), Prompt = In.Text(30), Text = In.Text(80);
  const UINT8 Present = In.Take<uint8_t>();
  const UINT16 MaxChars = In.Take<uint8_t>() < 200 ? In.Range(0, 90) : In.Take<UINT16>();
  const UINT16 ShowPlain = In.Take<uint8_t>() & 1;
  const UINT16 ButtonCount = In.Take<uint8_t>() % 6;
  std::u16string Captions[3] = {In.Text(12), In.Text(12), In.Text(12)};
  const CHAR16 *CaptionPointers[3] = {Chars(Captions[0]), Chars(Captions[1]), Chars(Captions[2])};
  BeginTransfers();
  InputDialog D = {};
  if (Ui->InitInputDialog(&D, X, Y, (UINT32)W, H, Present & 1 ? Chars(Title) : nullptr, 0,
                          Present & 2 ? Chars(Prompt) : nullptr, Present & 4 ? Chars(Text) : nullptr, MaxChars,
                          ShowPlain, ButtonCount, CaptionPointers) != 0) {
    CheckTransfers({{0, 0, 0, 0}});
    CheckPool(Live);
    return 0;
  }
  const FuzzArea Window = {D.x, D.y, D.width, D.height};
  for (int Step = 0; Step < 8 && !In.Empty(); Step++) {
    switch (In.Take<uint8_t>() % 3) {
      case 0: Ui->HitTestInputDialog(&D, In.Coord(), In.Coord()); break;
      case 1:
        D.hotButton = In.Take<INT16>() % 6;
        D.closeShown = In.Take<uint8_t>();
        D.closeState = In.Take<uint8_t>();
        D.showPlain = In.Take<INT16>();
        break;
      default:
        // A field of tens of thousands of characters makes a window of
        // hundreds of megabytes, seconds a paint under the sanitizers; the
        // layout above still ran with it.
        if ((long long)D.width * D.height <= 1200000) Ui->PaintInputDialog(&D);
        break;
    }
    CheckTransfers({Window});
    CheckPool(Live);
  }
  return 0;
}
