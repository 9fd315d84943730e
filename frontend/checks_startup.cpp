// Firmware checks of the driver's start-up without its services. A second copy
// of the driver is loaded and started while the float service, the print
// service or both are taken out of the protocol database for the moment. Each
// start must answer what LocateProtocol answers for the missing service,
// publish neither interface and leave its image unloaded
// ("startup-without-float", "startup-without-print", "startup-without-both").
#include "frontend/checks.h"
#include "platform/guids.h"

namespace {

constexpr UINTN kMaxHandles = 4;

// Handles carrying Guid (at most kMaxHandles are kept).
UINTN HandlesWith(EFI_BOOT_SERVICES *Bs, EFI_GUID *Guid, EFI_HANDLE *Handles) {
  UINTN Size = kMaxHandles * sizeof(EFI_HANDLE);
  EFI_STATUS Status = Bs->LocateHandle(ByProtocol, Guid, nullptr, &Size, Handles);
  if (Status == EFI_BUFFER_TOO_SMALL) return kMaxHandles + 1;
  return Status == EFI_SUCCESS ? Size / sizeof(EFI_HANDLE) : 0;
}

// Every interface of a service, uninstalled for the life of the object and
// installed again on its handle afterwards. A null Guid withholds nothing.
class Withheld {
 public:
  Withheld(EFI_BOOT_SERVICES *Bs, EFI_GUID *Guid) : Bs_(Bs), Guid_(Guid) {
    if (Guid == nullptr) return;
    EFI_HANDLE Found[kMaxHandles] = {};
    const UINTN Count = HandlesWith(Bs, Guid, Found);
    Ok_ = Count >= 1 && Count <= kMaxHandles;
    for (UINTN I = 0; Ok_ && I < Count; I++) {
      void *Interface = nullptr;
      Ok_ = Bs->HandleProtocol(Found[I], Guid, &Interface) == EFI_SUCCESS &&
            Bs->UninstallProtocolInterface(Found[I], Guid, Interface) == EFI_SUCCESS;
      if (Ok_) {
        Handles_[Count_] = Found[I];
        Interfaces_[Count_++] = Interface;
      }
    }
  }
  ~Withheld() {
    for (UINTN I = 0; I < Count_; I++) {
      Bs_->InstallProtocolInterface(&Handles_[I], Guid_, EFI_NATIVE_INTERFACE, Interfaces_[I]);
    }
  }
  bool Ok() const { return Ok_; }

 private:
  EFI_BOOT_SERVICES *Bs_;
  EFI_GUID *Guid_;
  EFI_HANDLE Handles_[kMaxHandles] = {};
  void *Interfaces_[kMaxHandles] = {};
  UINTN Count_ = 0;
  bool Ok_ = true;
};

struct StartResult {
  EFI_STATUS Load = EFI_NOT_STARTED;
  EFI_STATUS Start = EFI_NOT_STARTED;
  bool Unloaded = false;
};

// Loads the running driver's file again, from wherever it was loaded (a load
// option may name any folder), and starts it.
StartResult StartDriverCopy(EFI_BOOT_SERVICES *Bs, const EFI_LOADED_IMAGE *Driver) {
  StartResult R;
  EFI_DEVICE_PATH *Volume = DevicePathFromHandle(Driver->DeviceHandle);
  EFI_DEVICE_PATH *Path = Volume != nullptr && Driver->FilePath != nullptr
                              ? AppendDevicePath(Volume, Driver->FilePath)
                              : nullptr;
  if (Path == nullptr) {
    R.Load = EFI_OUT_OF_RESOURCES;
    return R;
  }
  EFI_HANDLE Copy = nullptr;
  R.Load = Bs->LoadImage(FALSE, Driver->ParentHandle, Path, nullptr, 0, &Copy);
  FreePool(Path);
  if (R.Load != EFI_SUCCESS) return R;
  R.Start = Bs->StartImage(Copy, nullptr, nullptr);
  // An unloaded image's handle is gone: the firmware no longer knows it.
  void *Image = nullptr;
  R.Unloaded = Bs->HandleProtocol(Copy, &gEfiLoadedImageProtocolGuid, &Image) != EFI_SUCCESS;
  return R;
}

void StartWithout(const SceneContext &C, const EFI_LOADED_IMAGE *Driver, const char *Name,
                  bool Float, bool Print) {
  EFI_HANDLE Ignored[kMaxHandles];
  const UINTN UiBefore = HandlesWith(C.Bs, &gOrvaneUiProtocolGuid, Ignored);
  const UINTN BannerBefore = HandlesWith(C.Bs, &gOrvaneBannerProtocolGuid, Ignored);
  StartResult R;
  EFI_STATUS Missing = EFI_SUCCESS;
  bool Withdrawn = false;
  UINTN UiAfter = 0, BannerAfter = 0;
  {
    Withheld F(C.Bs, Float ? &gFloatMathProtocolGuid : nullptr),
        P(C.Bs, Print ? &gPrintProtocolGuid : nullptr);
    Withdrawn = F.Ok() && P.Ok();
    // The entry looks the float service up first: with both gone, its status is the one.
    void *Interface = nullptr;
    Missing = C.Bs->LocateProtocol(Float ? &gFloatMathProtocolGuid : &gPrintProtocolGuid, nullptr,
                                   &Interface);
    if (Withdrawn) R = StartDriverCopy(C.Bs, Driver);
    UiAfter = HandlesWith(C.Bs, &gOrvaneUiProtocolGuid, Ignored);
    BannerAfter = HandlesWith(C.Bs, &gOrvaneBannerProtocolGuid, Ignored);
  }
  Line D;
  D.Text("start answered ").Hex(R.Start).Text(", LocateProtocol ").Hex(Missing);
  D.Text("; interfaces ui ").Dec((INT64)UiBefore).Text("->").Dec((INT64)UiAfter);
  D.Text(", banner ").Dec((INT64)BannerBefore).Text("->").Dec((INT64)BannerAfter);
  D.Text("; image ").Text(R.Unloaded ? "unloaded" : "still loaded");
  if (!Withdrawn) D.Text("; the service could not be taken out");
  if (R.Load != EFI_SUCCESS) D.Text("; load ").Hex(R.Load);
  Report(Name,
         Withdrawn && Missing != EFI_SUCCESS && R.Load == EFI_SUCCESS && R.Start == Missing &&
             R.Unloaded && UiBefore == 1 && UiAfter == UiBefore && BannerBefore == 1 &&
             BannerAfter == BannerBefore,
         D);
}

}  // namespace

void StartupChecks(const SceneContext &C) {
  EFI_LOADED_IMAGE *Driver = nullptr;
  if (C.Bs->HandleProtocol(C.Ui->ImageHandle, &gEfiLoadedImageProtocolGuid, (void **)&Driver) !=
      EFI_SUCCESS) {
    Line D;
    D.Text("the running driver's image is not known");
    Report("startup-without-float", false, D);
    return;
  }
  StartWithout(C, Driver, "startup-without-float", true, false);
  StartWithout(C, Driver, "startup-without-print", false, true);
  StartWithout(C, Driver, "startup-without-both", true, true);
}
