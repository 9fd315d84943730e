// The small status controls that draw straight from their arguments: gauge
// panel, divider strip, tile, scroll bar (with its hit test) and dotted rule,
// several per input. Each transfer stays inside the control and on the screen.
#include "fuzz/fuzz_env.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  ORVANE_UI_PROTOCOL *Ui = FuzzDriver();
  FuzzInput In(Data, Size);
  const size_t Live = FuzzFirmware().LiveAllocations();
  Ui->SetFrameBufferCapture(In.Take<uint8_t>() & 1);
  BeginTransfers();
  for (int Step = 0; Step < 4 && !In.Empty(); Step++) {
    const INT32 X = In.Coord(), Y = In.Coord();
    INT32 W, H;
    In.Size(W, H);
    switch (In.Take<uint8_t>() % 5) {
      case 0: {
        std::u16string L[4] = {In.Text(20), In.Text(20), In.Text(20), In.Text(20)};
        const uint8_t Present = In.Take<uint8_t>();
        const INT32 V1 = In.Take<uint8_t>() < 200 ? In.Range(-10, 110) : In.Take<INT32>();
        const INT32 V2 = In.Take<uint8_t>() < 200 ? In.Range(-10, 110) : In.Take<INT32>();
        Ui->DrawGaugePanel(X, Y, W, H, Present & 1 ? Chars(L[0]) : nullptr, Present & 2 ? Chars(L[1]) : nullptr,
                           Present & 4 ? Chars(L[2]) : nullptr, Present & 8 ? Chars(L[3]) : nullptr, V1, V2);
        CheckTransfers({{X, Y, W, H}});
        break;
      }
      case 1:
        Ui->DrawDividerStrip(X, Y, W, H, In.Take<uint8_t>() % 3, In.Take<uint8_t>() < 200 ? In.Range(-5, 1100) : In.Coord(),
                             In.Take<uint8_t>() % 3);
        CheckTransfers({{X, Y, W, H}});
        break;
      case 2:
        Ui->DrawTile(X, Y, W, H, In.Take<uint8_t>() % 3);
        CheckTransfers({{X, Y, W, H}});
        break;
      case 3: {
        const UINT16 L = In.Take<UINT16>() % 1200, Total = In.Take<UINT16>(), Visible = In.Take<UINT16>();
        const UINT16 First = In.Take<UINT16>(), Hot = In.Take<uint8_t>() % 6;
        Ui->DrawScrollBar(X, Y, L, Total, Visible, First, Hot);
        CheckTransfers({{X, Y, 16, L < 100 ? 100 : L}});
        Ui->HitTestScrollBar(X, Y, L, Total, Visible, First, In.Coord(), In.Coord());
        CheckTransfers({{0, 0, 0, 0}});
        break;
      }
      default: {
        const INT16 RX = In.Take<INT16>(), RY = In.Take<INT16>();
        const UINT16 L = In.Take<UINT16>();
        Ui->DrawDottedRule(RX, RY, L);
        CheckTransfers({{RX, RY, (__int128)L + 1, 2}});
        break;
      }
    }
    CheckPool(Live);
  }
  return 0;
}
