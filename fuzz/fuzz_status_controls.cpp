// The small status controls that draw straight from their arguments: gauge
// panel, divider strip, tile, scroll bar (with its hit test) and dotted rule,
// several per input. Each transfer stays inside the control and on the screen.
#include "fuzz/fuzz_env.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  FuzzUnit U(Data, Size);
  BeginTransfers();
  for (int Step = 0; Step < 4 && !U.In.Empty(); Step++) {
    const INT32 X = U.In.Coord(), Y = U.In.Coord();
    INT32 W, H;
    U.In.Size(W, H);
    FuzzArea Area = {X, Y, W, H};  // where the step may draw
    switch (U.In.Take<uint8_t>() % 5) {
      case 0: {
        std::u16string L[4] = {U.In.Text(20), U.In.Text(20), U.In.Text(20), U.In.Text(20)};
        const uint8_t Present = U.In.Take<uint8_t>();
        const INT32 V1 = U.In.Take<uint8_t>() < 200 ? U.In.Range(-10, 110) : U.In.Take<INT32>();
        const INT32 V2 = U.In.Take<uint8_t>() < 200 ? U.In.Range(-10, 110) : U.In.Take<INT32>();
        U.Ui->DrawGaugePanel(
            X, Y, W, H, Present & 1 ? Chars(L[0]) : nullptr, Present & 2 ? Chars(L[1]) : nullptr,
            Present & 4 ? Chars(L[2]) : nullptr, Present & 8 ? Chars(L[3]) : nullptr, V1, V2);
        break;
      }
      case 1:
        U.Ui->DrawDividerStrip(X, Y, W, H, U.In.Take<uint8_t>() % 3,
                               U.In.Take<uint8_t>() < 200 ? U.In.Range(-5, 1100) : U.In.Coord(),
                               U.In.Take<uint8_t>() % 3);
        break;
      case 2: U.Ui->DrawTile(X, Y, W, H, U.In.Take<uint8_t>() % 3); break;
      case 3: {
        const UINT16 L = U.In.Take<UINT16>() % 1200, Total = U.In.Take<UINT16>(),
                     Visible = U.In.Take<UINT16>();
        const UINT16 First = U.In.Take<UINT16>(), Hot = U.In.Take<uint8_t>() % 6;
        U.Ui->DrawScrollBar(X, Y, L, Total, Visible, First, Hot);
        CheckTransfers({{X, Y, 16, L < 100 ? 100 : L}});
        U.Ui->HitTestScrollBar(X, Y, L, Total, Visible, First, U.In.Coord(), U.In.Coord());
        Area = kNowhere;
        break;
      }
      default: {
        const INT16 RX = U.In.Take<INT16>(), RY = U.In.Take<INT16>();
        const UINT16 L = U.In.Take<UINT16>();
        U.Ui->DrawDottedRule(RX, RY, L);
        Area = {RX, RY, (__int128)L + 1, 2};
        break;
      }
    }
    U.Step({Area});
  }
  return 0;
}
