// Random primitives into a buffer of random size and onto the screen. The
// buffer sits in its own exactly sized allocation, so the sanitizer stops any
// write outside it; every call must also leave no pool memory behind.
#include <cstdlib>
#include <vector>

#include "fuzz/fuzz_env.h"
#include "raster/image_copy.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  ORVANE_UI_PROTOCOL *Ui = FuzzDriver();
  sim::Firmware &Fw = FuzzFirmware();
  FuzzInput In(Data, Size);
  const int32_t W = In.Range(1, 96), H = In.Range(1, 96);
  const bool OnScreen = In.Take<uint8_t>() & 1;
  std::vector<ORVANE_PIXEL> Image((size_t)W * H);
  ORVANE_PIXEL *Buf = OnScreen ? nullptr : Image.data();
  const size_t Live = Fw.LiveAllocations();
  for (int Op = 0; Op < 8 && !In.Empty(); Op++) {
    // Coordinates reach well past both targets, but stay small enough that
    // the literal bounding-box loops finish quickly.
    auto C = [&] { return In.Range(-150, 1200); };
    const int32_t Pen = In.Range(-1, 7), Fill = In.Range(-1, 7);
    const uint32_t C1 = In.Take<uint32_t>(), C2 = In.Take<uint32_t>();
    switch (In.Take<uint8_t>() % 8) {
      case 0: Ui->DrawPoint(Buf, W, H, C(), C(), Pen, C1); break;
      case 1: Ui->DrawLine(Buf, W, H, C(), C(), C(), C(), Pen, C1); break;
      case 2:
        Ui->DrawRectangle(Buf, W, H, C(), C(), In.Range(-5, 300), In.Range(-5, 300), Pen, Fill, C1,
                          C2);
        break;
      case 3:
        Ui->DrawCircle(Buf, W, H, C(), C(), In.Range(-3, 120), In.Range(-3, 40), Fill, C1, C2);
        break;
      case 4:
        Ui->DrawTriangle(Buf, W, H, (UINT32)In.Range(0, 300), (UINT32)In.Range(0, 300),
                         (UINT32)In.Range(0, 300), (UINT32)In.Range(0, 300),
                         (UINT32)In.Range(0, 300), (UINT32)In.Range(0, 300), Pen, Fill, C1, C2);
        break;
      case 5:
        Ui->DrawRegularPolygon(Buf, W, H, C(), C(), In.Range(-2, 12), In.Range(0, 200), Pen, C1);
        break;
      case 6: {
        std::vector<ORVANE_PIXEL> Src((size_t)In.Range(1, 64) * 16);
        const UINT16 SrcW = 16, SrcH = (UINT16)(Src.size() / 16);
        CopyImageRect(Image.data(), Src.data(), (UINT16)C(), (UINT16)C(), (UINT16)C(), (UINT16)C(),
                      (UINT16)W, (UINT16)H, SrcW, SrcH, (UINT16)In.Range(0, 200),
                      (UINT16)In.Range(0, 200), (C1 & 1) ? &Src[0] : nullptr);
        break;
      }
      default: Ui->BlitToScreen(Image.data(), W, H, C(), C()); break;
    }
  }
  if (Fw.LiveAllocations() != Live) {
    std::abort();  // an operation left pool memory behind
  }
  return 0;
}
