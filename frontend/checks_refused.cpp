// Firmware checks of Secure Boot: the run puts images the firmware must not
// load in \refused\ (one unsigned, one changed after signing, one signed with
// a key the firmware does not trust). Each must be refused by LoadImage with
// EFI_ACCESS_DENIED, get no image handle and publish nothing.
#include "frontend/checks.h"
#include "frontend/shipping.h"

namespace {

UINTN HandleCount(EFI_BOOT_SERVICES *Bs, EFI_GUID *Guid) {
  UINTN Count = 0;
  EFI_HANDLE *Handles = nullptr;
  if (Bs->LocateHandleBuffer(ByProtocol, Guid, nullptr, &Count, &Handles) != EFI_SUCCESS) return 0;
  Bs->FreePool(Handles);
  return Count;
}

struct Census {
  UINTN Ui, Banner, Images;
  static Census Take(EFI_BOOT_SERVICES *Bs) {
    return {HandleCount(Bs, &gOrvaneUiProtocolGuid), HandleCount(Bs, &gOrvaneBannerProtocolGuid),
            HandleCount(Bs, &gEfiLoadedImageProtocolGuid)};
  }
  bool operator==(const Census &O) const {
    return Ui == O.Ui && Banner == O.Banner && Images == O.Images;
  }
};

void CheckOne(const SceneContext &C, EFI_HANDLE ImageHandle, EFI_HANDLE Device, EFI_FILE_HANDLE Dir,
              const CHAR16 *Name) {
  CHAR16 Path[160];
  UINTN At = 0;
  for (const CHAR16 *Folder = W("\\refused\\"); *Folder != 0;) Path[At++] = *Folder++;
  for (UINTN I = 0; Name[I] != 0 && At + 1 < sizeof(Path) / sizeof(Path[0]); I++) {
    Path[At++] = Name[I];
  }
  Path[At] = 0;
  char Check[64] = "refused-";
  UINTN N = 8;
  for (UINTN I = 0; Name[I] != 0 && Name[I] != '.' && N + 1 < sizeof(Check); I++) {
    Check[N++] = Name[I] < 0x7F ? (char)Name[I] : '?';
  }
  Check[N] = 0;

  UINT8 Head[1024];
  UINTN HeadSize = 0;
  EFI_FILE_HANDLE File = nullptr;
  if (Dir->Open(Dir, &File, const_cast<CHAR16 *>(Name), EFI_FILE_MODE_READ, 0) == EFI_SUCCESS) {
    HeadSize = sizeof(Head);
    if (File->Read(File, &HeadSize, Head) != EFI_SUCCESS) HeadSize = 0;
    File->Close(File);
  }

  const Census Before = Census::Take(C.Bs);
  EFI_DEVICE_PATH *FilePath = FileDevicePath(Device, Path);
  EFI_HANDLE Loaded = nullptr;
  EFI_STATUS Status = EFI_OUT_OF_RESOURCES;
  if (FilePath != nullptr) {
    Status = C.Bs->LoadImage(FALSE, ImageHandle, FilePath, nullptr, 0, &Loaded);
    FreePool(FilePath);
  }
  const bool HadHandle = Loaded != nullptr;
  // A loaded image is never started; it goes again before the count.
  if (HadHandle) C.Bs->UnloadImage(Loaded);
  const Census After = Census::Take(C.Bs);

  Line D;
  D.Text("LoadImage ").Hex(Status).Text(HadHandle ? " with an image handle" : ", no image handle");
  D.Text("; ui ").Dec((INT64)Before.Ui).Text("->").Dec((INT64)After.Ui);
  D.Text(", banner ").Dec((INT64)Before.Banner).Text("->").Dec((INT64)After.Banner);
  D.Text(", images ").Dec((INT64)Before.Images).Text("->").Dec((INT64)After.Images);
  D.Text("; ").Text(LoadRefusalReason(Status, InspectImageSignature(Head, HeadSize)));
  Report(Check, Status == EFI_ACCESS_DENIED && !HadHandle && Before == After, D);
}

}  // namespace

void RefusedImageChecks(const SceneContext &C, EFI_HANDLE ImageHandle, EFI_HANDLE Device) {
  EFI_FILE_HANDLE Root = LibOpenRoot(Device);
  if (Root == nullptr) return;
  EFI_FILE_HANDLE Dir = nullptr;
  if (Root->Open(Root, &Dir, W("\\refused"), EFI_FILE_MODE_READ, 0) == EFI_SUCCESS) {
    // An entry is the file information record followed by its name.
    alignas(8) UINT8 Entry[SIZE_OF_EFI_FILE_INFO + 256 * sizeof(CHAR16)];
    for (;;) {
      UINTN Size = sizeof(Entry);
      if (Dir->Read(Dir, &Size, Entry) != EFI_SUCCESS || Size == 0) break;
      const auto *Info = reinterpret_cast<const EFI_FILE_INFO *>(Entry);
      if ((Info->Attribute & EFI_FILE_DIRECTORY) != 0) continue;
      CheckOne(C, ImageHandle, Device, Dir, Info->FileName);
    }
    Dir->Close(Dir);
  }
  Root->Close(Root);
}
