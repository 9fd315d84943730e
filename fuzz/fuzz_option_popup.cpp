// The option popups: reset, define any of the nine kinds at any position with
// any title and items, then pointer and key tracking (drags included), the
// caller's changes to the focus and drag state, paints and close. Transfers
// stay inside the popup and on the screen; after close and the icons freed as
// a caller does, the pool is as before.
#include "fuzz/fuzz_env.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  FuzzUnit U(Data, Size);
  const INT32 X = U.In.Coord(), Y = U.In.Coord();
  const UINT16 Kind = U.In.Take<uint8_t>() % 10;
  const UINT16 Count = U.In.Take<uint8_t>() % 16;
  std::u16string Title = U.In.Text(40);
  std::vector<std::u16string> Texts(Count + 1);
  std::vector<const CHAR16 *> Items(Count + 1, nullptr);
  for (UINT16 I = 0; I < Count; I++) {
    Texts[I] = U.In.Text(40);
    Items[I] = Chars(Texts[I]);
  }
  BeginTransfers();
  OptionPopupSet Set;
  U.Ui->ResetOptionPopups(&Set);
  if (U.In.Take<uint8_t>() & 1) Set.state.maxItemChars = U.In.Take<uint8_t>();
  if (U.Ui->DefineOptionPopup(&Set, X, Y, Kind, Chars(Title), Count, Items.data()) == EFI_SUCCESS) {
    const OptionPopupEntry &E = Set.entries[Kind < 9 ? Kind : 0];
    const FuzzArea Popup = {E.x, E.y, E.width, E.height};
    for (int Step = 0; Step < 16 && !U.In.Empty(); Step++) {
      switch (U.In.Take<uint8_t>() % 5) {
        case 0:
        case 1: {
          const bool Key = U.In.Take<uint8_t>() & 1;
          const INT32 PX = Key ? 0 : U.In.Range(E.x - 20, E.x + (INT32)E.width + 20);
          const INT32 PY = Key ? 0 : U.In.Range(E.y - 20, E.y + (INT32)E.height + 20);
          U.Ui->TrackOptionPopup(&Set, Kind, PX, PY, U.In.Take<uint8_t>() % 4,
                                 U.In.Take<uint8_t>() % 4);
          break;
        }
        case 2:
          Set.state.focus = U.In.Take<uint8_t>() < 200 ? U.In.Range(0, 20) : U.In.Take<UINT16>();
          Set.state.dragOffset = U.In.Take<UINT16>();
          Set.state.grab = U.In.Take<UINT16>();
          Set.state.mode = U.In.Take<INT16>() % 4;
          Set.state.dragging = U.In.Take<INT16>() % 3;
          break;
        case 3: U.Ui->CloseOptionPopup(&Set); break;
        default: U.Ui->PaintOptionPopup(&Set); break;
      }
      CheckTransfers({Popup});
    }
  } else {
    CheckTransfers({kNowhere});
  }
  if (Set.state.savedBackground != nullptr) U.Ui->CloseOptionPopup(&Set);
  for (OptionPopupEntry &E : Set.entries) PoolFree(E.icon);
  // Reordering leaves the caller copies of the item strings it swapped in.
  FreeSwappedCopies(Items, Texts, Count);
  return U.Done();
}
