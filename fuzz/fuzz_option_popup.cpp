// The option popups: reset, define any of the nine kinds at any position with
// any title and items, then pointer and key tracking (drags included), the
// caller's changes to the focus and drag state, paints and close. Transfers
// stay inside the popup and on the screen; after close and the icons freed as
// a caller does, the pool is as before.
#include <vector>

#include "fuzz/fuzz_env.h"
#include "platform/services.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  ORVANE_UI_PROTOCOL *Ui = FuzzDriver();
  FuzzInput In(Data, Size);
  const size_t Live = FuzzFirmware().LiveAllocations();
  Ui->SetFrameBufferCapture(In.Take<uint8_t>() & 1);
  const INT32 X = In.Coord(), Y = In.Coord();
  const UINT16 Kind = In.Take<uint8_t>() % 10;
  const UINT16 Count = In.Take<uint8_t>() % 16;
  std::u16string Title = In.Text(40);
  std::vector<std::u16string> Texts(Count + 1);
  std::vector<CHAR16 *> Items(Count + 1, nullptr);
  for (UINT16 I = 0; I < Count; I++) {
    Texts[I] = In.Text(40);
    Items[I] = Chars(Texts[I]);
  }
  BeginTransfers();
  OptionPopupSet Set;
  Ui->ResetOptionPopups(&Set);
  if (In.Take<uint8_t>() & 1) Set.state.maxItemChars = In.Take<uint8_t>();
  if (Ui->DefineOptionPopup(&Set, X, Y, Kind, Chars(Title), Count, Items.data()) == EFI_SUCCESS) {
    const OptionPopupEntry &E = Set.entries[Kind < 9 ? Kind : 0];
    const FuzzArea Popup = {E.x, E.y, E.width, E.height};
    for (int Step = 0; Step < 16 && !In.Empty(); Step++) {
      switch (In.Take<uint8_t>() % 5) {
        case 0:
        case 1: {
          const bool Key = In.Take<uint8_t>() & 1;
          const INT32 PX = Key ? 0 : In.Range(E.x - 20, E.x + (INT32)E.width + 20);
          const INT32 PY = Key ? 0 : In.Range(E.y - 20, E.y + (INT32)E.height + 20);
          Ui->TrackOptionPopup(&Set, Kind, PX, PY, In.Take<uint8_t>() % 4, In.Take<uint8_t>() % 4);
          break;
        }
        case 2:
          Set.state.focus = In.Take<uint8_t>() < 200 ? In.Range(0, 20) : In.Take<UINT16>();
          Set.state.dragOffset = In.Take<UINT16>();
          Set.state.grab = In.Take<UINT16>();
          Set.state.mode = In.Take<INT16>() % 4;
          Set.state.dragging = In.Take<INT16>() % 3;
          break;
        case 3: Ui->CloseOptionPopup(&Set); break;
        default: Ui->PaintOptionPopup(&Set); break;
      }
      CheckTransfers({Popup});
    }
  } else {
    CheckTransfers({{0, 0, 0, 0}});
  }
  if (Set.state.savedBackground != nullptr) Ui->CloseOptionPopup(&Set);
  for (OptionPopupEntry &E : Set.entries) PoolFree(E.icon);
  // Reordering leaves the caller copies of the item strings it swapped in.
  for (UINT16 I = 0; I < Count; I++) {
    bool Original = false;
    for (UINT16 J = 0; J < Count; J++) Original |= Items[I] == Chars(Texts[J]);
    if (!Original && FuzzFirmware().OwnsPool(Items[I])) PoolFree(Items[I]);
  }
  CheckPool(Live);
  return 0;
}
