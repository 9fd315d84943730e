// Firmware soak ("soak"): the soak pass run as many times as \orvane-soak
// says, with the free memory of the memory map read before and after. Any
// pool block a pass keeps piles up over the passes and shrinks the figure.
#include "frontend/checks.h"
#include "frontend/soak.h"

namespace {

// The pass count written in \orvane-soak on the volume the driver came from; 0 without it.
UINT32 SoakPasses(const SceneContext &C) {
  EFI_LOADED_IMAGE *Driver = nullptr;
  if (C.Bs->HandleProtocol(C.Ui->ImageHandle, &gEfiLoadedImageProtocolGuid, (void **)&Driver) !=
      EFI_SUCCESS) {
    return 0;
  }
  EFI_FILE_HANDLE Root = LibOpenRoot(Driver->DeviceHandle);
  if (Root == nullptr) return 0;
  char Text[16] = {};
  EFI_FILE_HANDLE File = nullptr;
  if (Root->Open(Root, &File, W("\\orvane-soak"), EFI_FILE_MODE_READ, 0) == EFI_SUCCESS) {
    UINTN Read = sizeof(Text) - 1;
    if (File->Read(File, &Read, Text) != EFI_SUCCESS) Text[0] = 0;
    File->Close(File);
  }
  Root->Close(Root);
  UINT32 Passes = 0;
  for (const char *P = Text; *P >= '0' && *P <= '9' && Passes < 1000000; P++) {
    Passes = Passes * 10 + (UINT32)(*P - '0');
  }
  return Passes;
}

}  // namespace

bool MemoryMap::Open(EFI_BOOT_SERVICES *Bs) {
  Bs_ = Bs;
  UINTN Size = 0, Key = 0, DescriptorSize = 0;
  UINT32 Version = 0;
  if (Bs->GetMemoryMap(&Size, nullptr, &Key, &DescriptorSize, &Version) != EFI_BUFFER_TOO_SMALL) {
    return false;
  }
  // Room for the map to grow by a good many entries between readings.
  Capacity_ = Size + 64 * DescriptorSize;
  return Bs->AllocatePool(EfiBootServicesData, Capacity_, &Map_) == EFI_SUCCESS;
}

MemoryMap::~MemoryMap() {
  if (Map_ != nullptr) Bs_->FreePool(Map_);
}

bool MemoryMap::FreePages(UINT64 &Pages) {
  UINTN Size = Capacity_, Key = 0, DescriptorSize = 0;
  UINT32 Version = 0;
  if (Map_ == nullptr ||
      Bs_->GetMemoryMap(&Size, (EFI_MEMORY_DESCRIPTOR *)Map_, &Key, &DescriptorSize, &Version) !=
          EFI_SUCCESS ||
      DescriptorSize < sizeof(EFI_MEMORY_DESCRIPTOR)) {
    return false;
  }
  Pages = 0;
  for (UINTN At = 0; At + DescriptorSize <= Size; At += DescriptorSize) {
    const EFI_MEMORY_DESCRIPTOR *D = (const EFI_MEMORY_DESCRIPTOR *)((UINT8 *)Map_ + At);
    if (D->Type == EfiConventionalMemory) Pages += D->NumberOfPages;
  }
  return true;
}

void SoakCheck(const SceneContext &C) {
  const UINT32 Passes = SoakPasses(C);
  if (Passes == 0) return;
  // Calls are counted apart from the scene's, whose count is reported on its own.
  SceneContext S = C;
  S.Calls = S.FailedCalls = 0;
  S.Ui->SetVideoMode(1024, 768);
  FillScreen(S, 0x00182028);

  // The map's buffer is taken before the first reading so that it does not count.
  MemoryMap Map;
  bool Read = Map.Open(S.Bs);
  // Pool memory grows by whole pages and keeps them for later blocks: a warm-up
  // pass lets the pool reach the size a pass needs, so that the readings move
  // only by what the passes keep.
  UINT64 Start = 0, Before = 0, After = 0;
  Read = Read && Map.FreePages(Start);
  SoakPass(S, 0);
  Read = Read && Map.FreePages(Before);
  Line().Text("INFO soak started: ").Dec(Passes).Text(" passes").Emit();
  for (UINT32 P = 1; P <= Passes; P++) {
    SoakPass(S, P);
    // A long run shows how far it got and where the figure stands.
    UINT64 Now = 0;
    if (P % 100 == 0 && P < Passes && Map.FreePages(Now)) {
      Line().Text("INFO soak pass ").Dec(P).Text(" free ").Dec((INT64)Now).Emit();
    }
  }
  Read = Read && Map.FreePages(After);

  Line L;
  L.Text("iterations ").Dec(Passes).Text(" free-before ").Dec((INT64)Before);
  L.Text(" free-after ").Dec((INT64)After).Text(" pages, ").Dec((INT64)S.Calls).Text(" calls, ");
  L.Dec((INT64)S.FailedCalls).Text(" failed");
  if (S.FailedCalls != 0) {
    L.Text(", first ").Text(S.FirstFailedCall).Text(" with ").Hex(S.FirstFailedStatus);
  }
  L.Text("; the warm-up pass took ").Dec((INT64)Start - (INT64)Before).Text(" pages");
  if (!Read) L.Text("; the memory map could not be read");
  Report("soak", Read && After >= Before && S.FailedCalls == 0, L);
}
