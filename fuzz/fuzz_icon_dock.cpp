// The icon dock: init with any position, 1 to 16 items with any flags and
// labels, then pointer and key tracking (drags included), the caller's
// changes to the active marks, and paints. Transfers stay inside the row and
// the label strip below it; the saved strip is freed as a caller does.
#include <vector>

#include "fuzz/fuzz_env.h"
#include "platform/services.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  ORVANE_UI_PROTOCOL *Ui = FuzzDriver();
  FuzzInput In(Data, Size);
  const size_t Live = FuzzFirmware().LiveAllocations();
  Ui->SetFrameBufferCapture(In.Take<uint8_t>() & 1);
  const INT32 X = In.Take<uint8_t>() < 200 ? In.Range(-100, 1100) : In.Coord();
  const INT32 Y = In.Coord();
  const UINT16 Count = In.Take<uint8_t>() % 18;
  std::vector<std::u16string> Texts(Count + 1);
  std::vector<CHAR16 *> Labels(Count + 1, nullptr);
  std::vector<UINT16> Flags(Count + 1), Active(Count + 1);
  for (UINT16 I = 0; I < Count; I++) {
    Texts[I] = In.Text(60);
    Labels[I] = Chars(Texts[I]);
    Flags[I] = In.Take<UINT16>();
    Active[I] = In.Take<uint8_t>() % 3;
  }
  BeginTransfers();
  IconDock D = {};
  if (Ui->InitIconDock(&D, X, Y, Count, Labels.data(), Flags.data(), Active.data()) != EFI_SUCCESS) {
    CheckTransfers({{0, 0, 0, 0}});
    PoolFree(D.stripBackground);
    CheckPool(Live);
    return 0;
  }
  const FuzzArea Row = {D.x, D.y, D.width, D.height};
  const FuzzArea Strip = {(__int128)D.x - 50, (__int128)D.y + 44, 1074 - (__int128)D.x, 19};
  for (int Step = 0; Step < 16 && !In.Empty(); Step++) {
    switch (In.Take<uint8_t>() % 4) {
      case 0:
      case 1: {
        const bool Key = In.Take<uint8_t>() & 1;
        const INT32 PX = Key ? 0 : In.Range(D.x - 20, D.x + D.width + 20), PY = Key ? 0 : In.Range(D.y - 10, D.y + 60);
        Ui->TrackIconDock(&D, PX, PY, In.Take<uint8_t>() % 4, In.Take<uint8_t>() % 4);
        break;
      }
      case 2: Active[In.Take<uint8_t>() % (Count + 1)] = In.Take<uint8_t>() % 3; break;
      default: Ui->PaintIconDock(&D); break;
    }
    CheckTransfers({Row, Strip});
  }
  Ui->PaintIconDock(&D);
  CheckTransfers({Row, Strip});
  // Reordering may leave label copies with the caller; the strip is the
  // record's. Free it and every pool block the labels point to that the input did not own.
  for (UINT16 I = 0; I < Count; I++) {
    bool Original = false;
    for (UINT16 J = 0; J < Count; J++) Original |= Labels[I] == Chars(Texts[J]);
    if (!Original && FuzzFirmware().OwnsPool(Labels[I])) PoolFree(Labels[I]);
  }
  PoolFree(D.stripBackground);
  CheckPool(Live);
  return 0;
}
