// The list popup as a front-end drives it: open with any geometry, title and
// items, then a run of paints, scrolls, hit tests, view queries and state
// changes the caller may make, then close. Every transfer must stay on the
// screen and inside the window; the close must leave the pool as it was.
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
  std::u16string Title = In.Text(40);
  UINT16 Count = In.Take<uint8_t>() % 40;
  // A width of 2^32 - 20 makes a text mask 65,000 pixels wide: a few rows of
  // it reach that path, forty would fill a quarter of a gigabyte per unit.
  const UINT64 MaskWidth = (UINT16)((UINT32)W - 67);
  while (Count > 0 && MaskWidth * (UINT16)(Count * 20) > 2000000) Count--;
  std::vector<std::u16string> Texts(Count);
  std::vector<const CHAR16 *> Items(Count);
  for (UINT16 I = 0; I < Count; I++) {
    Texts[I] = In.Text(30);
    Items[I] = Chars(Texts[I]);
  }
  const UINT16 Flags = In.Take<UINT16>();
  const INT16 Hot = In.Take<INT16>();
  BeginTransfers();
  ListPopup P = {};
  if (Ui->OpenListPopup(&P, X, Y, (UINT32)W, H, In.Take<uint8_t>() & 1 ? Chars(Title) : nullptr, Flags, Count,
                        Items.data(), Hot) != 0) {
    CheckTransfers({{0, 0, 0, 0}});
    CheckPool(Live);
    return 0;
  }
  const FuzzArea Window = {P.x, P.y, P.width, P.height};
  for (int Step = 0; Step < 12 && !In.Empty(); Step++) {
    switch (In.Take<uint8_t>() % 6) {
      case 0: Ui->PaintListPopup(&P); break;
      case 1: Ui->ScrollListPopup(&P, In.Take<INT16>() % 5, In.Take<int8_t>() % 2 ? In.Coord() : In.Range(-3, 3)); break;
      case 2: Ui->HitTestListPopup(&P, In.Coord(), In.Coord(), In.Take<INT16>() % 4); break;
      case 3: {
        ListPopupView View;
        Ui->GetListPopupView(&P, &View);
        break;
      }
      case 4:
        // Fields the caller may set between calls.
        P.selectedRow = In.Take<INT16>();
        P.hotRow = In.Take<INT16>();
        P.flags = In.Take<UINT16>();
        break;
      default:
        P.hotScrollPart = In.Take<INT16>();
        P.closeShown = In.Take<uint8_t>();
        P.closeState = In.Take<uint8_t>();
        break;
    }
    CheckTransfers({Window});
  }
  Ui->PaintListPopup(&P);
  CheckTransfers({Window});
  Ui->CloseListPopup(&P);
  CheckPool(Live);
  return 0;
}
