// The icon dock: init with any position, 1 to 16 items with any flags and
// labels, then pointer and key tracking (drags included), the caller's
// changes to the active marks, placing it again, and paints. Transfers stay
// inside the row and the label strip below it; the saved strip is kept by a
// new placement and freed as a caller does.
#include "fuzz/fuzz_env.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  FuzzUnit U(Data, Size);
  const INT32 X = U.In.Take<uint8_t>() < 200 ? U.In.Range(-100, 1100) : U.In.Coord();
  const INT32 Y = U.In.Coord();
  const UINT16 Count = U.In.Take<uint8_t>() % 18;
  std::vector<std::u16string> Texts(Count + 1);
  std::vector<const CHAR16 *> Labels(Count + 1, nullptr);
  std::vector<UINT16> Flags(Count + 1), Active(Count + 1);
  for (UINT16 I = 0; I < Count; I++) {
    Texts[I] = U.In.Text(60);
    Labels[I] = Chars(Texts[I]);
    Flags[I] = U.In.Take<UINT16>();
    Active[I] = U.In.Take<uint8_t>() % 3;
  }
  BeginTransfers();
  IconDock D = {};
  if (U.Ui->InitIconDock(&D, X, Y, Count, Labels.data(), Flags.data(), Active.data()) !=
      EFI_SUCCESS) {
    PoolFree(D.stripBackground);
    return U.Refused();
  }
  FuzzArea Row = {D.x, D.y, D.width, D.height};
  FuzzArea Strip = {(__int128)D.x - 50, (__int128)D.y + 44, 1074 - (__int128)D.x, 19};
  for (int Step = 0; Step < 16 && !U.In.Empty(); Step++) {
    switch (U.In.Take<uint8_t>() % 5) {
      case 0:
      case 1: {
        const bool Key = U.In.Take<uint8_t>() & 1;
        const INT32 PX = Key ? 0 : U.In.Range(D.x - 20, D.x + D.width + 20);
        const INT32 PY = Key ? 0 : U.In.Range(D.y - 10, D.y + 60);
        U.Ui->TrackIconDock(&D, PX, PY, U.In.Take<uint8_t>() % 4, U.In.Take<uint8_t>() % 4);
        break;
      }
      case 2: Active[U.In.Take<uint8_t>() % (Count + 1)] = U.In.Take<uint8_t>() % 3; break;
      case 4: {
        // Placed again: the strip is kept, or the move refused with the record as it was.
        const IconDock Before = D;
        const INT32 NX = U.In.Range(-100, 1100), NY = U.In.Coord();
        const EFI_STATUS Status =
            U.Ui->InitIconDock(&D, NX, NY, Count, Labels.data(), Flags.data(), Active.data());
        if (Before.stripBackground != nullptr && D.stripBackground != Before.stripBackground) {
          std::abort();
        }
        if (Status != EFI_SUCCESS && std::memcmp(&D, &Before, sizeof D) != 0) std::abort();
        if (Status == EFI_SUCCESS) {
          Row = {D.x, D.y, D.width, D.height};
          Strip = {(__int128)D.x - 50, (__int128)D.y + 44, 1074 - (__int128)D.x, 19};
        }
        break;
      }
      default: U.Ui->PaintIconDock(&D); break;
    }
    CheckTransfers({Row, Strip});
  }
  U.Ui->PaintIconDock(&D);
  CheckTransfers({Row, Strip});
  // Reordering may leave label copies with the caller; the strip is the
  // record's. Free it and every pool block the labels point to that the input did not own.
  FreeSwappedCopies(Labels, Texts, Count);
  PoolFree(D.stripBackground);
  return U.Done();
}
