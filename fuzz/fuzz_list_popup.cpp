// The list popup as a front-end drives it: open with any geometry, title and
// items, then a run of paints, scrolls, hit tests, view queries and state
// changes the caller may make, then close. Every transfer must stay on the
// screen and inside the window; the close must leave the pool as it was.
#include <vector>

#include "fuzz/fuzz_env.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  FuzzUnit U(Data, Size);
  const INT32 X = U.In.Coord(), Y = U.In.Coord();
  INT32 W, H;
  U.In.Size(W, H);
  std::u16string Title = U.In.Text(40);
  UINT16 Count = U.In.Take<uint8_t>() % 40;
  // A width of 2^32 - 20 makes a text mask 65,000 pixels wide: a few rows of
  // it reach that path, forty would fill a quarter of a gigabyte per unit.
  const UINT64 MaskWidth = (UINT16)((UINT32)W - 67);
  while (Count > 0 && MaskWidth * (UINT16)(Count * 20) > 2000000) Count--;
  std::vector<std::u16string> Texts(Count);
  std::vector<const CHAR16 *> Items(Count);
  for (UINT16 I = 0; I < Count; I++) {
    Texts[I] = U.In.Text(30);
    Items[I] = Chars(Texts[I]);
  }
  const UINT16 Flags = U.In.Take<UINT16>();
  const INT16 Hot = U.In.Take<INT16>();
  BeginTransfers();
  ListPopup P = {};
  if (U.Ui->OpenListPopup(&P, X, Y, (UINT32)W, H, U.In.Take<uint8_t>() & 1 ? Chars(Title) : nullptr,
                          Flags, Count, Items.data(), Hot) != 0) {
    return U.Refused();
  }
  const FuzzArea Window = {P.x, P.y, P.width, P.height};
  for (int Step = 0; Step < 12 && !U.In.Empty(); Step++) {
    switch (U.In.Take<uint8_t>() % 6) {
      case 0: U.Ui->PaintListPopup(&P); break;
      case 1:
        U.Ui->ScrollListPopup(&P, U.In.Take<INT16>() % 5,
                              U.In.Take<int8_t>() % 2 ? U.In.Coord() : U.In.Range(-3, 3));
        break;
      case 2: U.Ui->HitTestListPopup(&P, U.In.Coord(), U.In.Coord(), U.In.Take<INT16>() % 4); break;
      case 3: {
        ListPopupView View;
        U.Ui->GetListPopupView(&P, &View);
        break;
      }
      case 4:
        // Fields the caller may set between calls.
        P.selectedRow = U.In.Take<INT16>();
        P.hotRow = U.In.Take<INT16>();
        P.flags = U.In.Take<UINT16>();
        break;
      default:
        P.hotScrollPart = U.In.Take<INT16>();
        P.closeShown = U.In.Take<uint8_t>();
        P.closeState = U.In.Take<uint8_t>();
        break;
    }
    CheckTransfers({Window});
  }
  U.Ui->PaintListPopup(&P);
  CheckTransfers({Window});
  U.Ui->CloseListPopup(&P);
  return U.Done();
}
