// The cursor-image decoder on arbitrary files. The first bytes choose the
// buffer size and the mode; the file is either the rest of the input or an
// embedded picture with some bytes overwritten and its end cut, so the run
// reaches deep into well-formed files too. The picture is also composed onto
// a target at any position, under a narrowed clip. The file sits in an exactly sized
// allocation so the sanitizer stops any read past it; overlay decodes write
// into an exactly sized buffer; a refused file must leave no pool memory.
#include <cstdlib>
#include <vector>

#include "controls/popup/cursor_image.h"
#include "controls/popup/images/pictures.h"
#include "fuzz/fuzz_env.h"
#include "platform/services.h"
#include "raster/target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  sim::Firmware &Fw = FuzzFirmware();
  FuzzInput In(Data, Size);
  const uint64_t W = (uint64_t)In.Range(0, 300), H = (uint64_t)In.Range(0, 300);
  const uint8_t Mode = In.Take<uint8_t>();
  const uint8_t Overlay = Mode & 1;
  // Where the picture is also composed onto a W x H target, and the clip narrowed there.
  const int32_t PX = In.Range(-300, 300), PY = In.Range(-300, 300);
  const Rect Area = {In.Range(-50, 300), In.Range(-50, 300), In.Range(-10, 300),
                     In.Range(-10, 300)};

  std::vector<uint8_t> File;
  if (Mode & 2) {
    const CursorImage *All[] = {gRowPieces, gTitleIcons, gDockPictures};
    const UINT32 Counts[] = {12, 9, kDockPictureCount};
    const uint8_t Group = In.Take<uint8_t>() % 3;
    const CursorImage &Base = All[Group][In.Take<uint8_t>() % Counts[Group]];
    File.assign(Base.Bytes, Base.Bytes + Base.Size);
    File.resize(File.size() - In.Take<uint16_t>() % 64);
    while (!In.Empty()) {
      const uint16_t At = In.Take<uint16_t>();
      const uint8_t Value = In.Take<uint8_t>();
      if (At < 64 || (At & 0x8000)) {  // mostly the header, sometimes anywhere
        File[(At & 0x7FFF) % File.size()] = Value;
      }
    }
  } else {
    const size_t Skip = Size < 9 ? Size : 9;
    File.assign(Data + Skip, Data + Size);
  }
  File.shrink_to_fit();
  CursorImage Image = {File.empty() ? nullptr : File.data(), (UINT32)File.size()};

  const size_t Live = Fw.LiveAllocations();
  // Exactly the W x H pixels the call is told of (one spare pixel only when
  // that is none, which every picture refuses).
  std::vector<EFI_GRAPHICS_OUTPUT_BLT_PIXEL> Under(W * H == 0 ? 1 : W * H);
  EFI_GRAPHICS_OUTPUT_BLT_PIXEL *Pixels = Overlay ? Under.data() : nullptr;
  EFI_STATUS Status = DecodeCursorImage(&Image, W, H, &Pixels, Overlay);
  if (Status == EFI_SUCCESS && !Overlay) {
    if (Pixels == nullptr || Fw.LiveAllocations() != Live + 1) std::abort();
    PoolFree(Pixels);
  }
  if (Fw.LiveAllocations() != Live) {
    std::abort();  // a refused decode kept pool memory
  }
  if (W * H != 0) {
    DrawTarget T = DrawTarget::For(Under.data(), (INT32)W, (INT32)H).Narrowed(Area);
    if (DrawCursorImageOn(T, PX, PY, Image) != CursorImageSize(&Image, nullptr, nullptr))
      std::abort();
  }
  return 0;
}
