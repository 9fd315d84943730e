#include "frontend/image_source.h"

#include "platform/guids.h"

EFI_DEVICE_PATH *ImageSource(EFI_BOOT_SERVICES *Bs, EFI_HANDLE Image) {
  EFI_DEVICE_PATH *Full = nullptr;
  if (Bs->HandleProtocol(Image, &gLoadedImageDevicePathProtocolGuid, (void **)&Full) ==
          EFI_SUCCESS &&
      Full != nullptr) {
    return DuplicateDevicePath(Full);
  }
  EFI_LOADED_IMAGE *Loaded = nullptr;
  if (Bs->HandleProtocol(Image, &gEfiLoadedImageProtocolGuid, (void **)&Loaded) != EFI_SUCCESS ||
      Loaded == nullptr || Loaded->FilePath == nullptr) {
    return nullptr;
  }
  EFI_DEVICE_PATH *Device = DevicePathFromHandle(Loaded->DeviceHandle);
  return Device != nullptr ? AppendDevicePath(Device, Loaded->FilePath) : nullptr;
}

bool FromFirmwareVolume(const EFI_DEVICE_PATH *Path) {
  for (const EFI_DEVICE_PATH *Node = Path; Node != nullptr && !IsDevicePathEnd(Node);
       Node = NextDevicePathNode(Node)) {
    if ((UINTN)DevicePathNodeLength(Node) < sizeof(EFI_DEVICE_PATH)) return false;  // a broken path
    if (DevicePathType(Node) == MEDIA_DEVICE_PATH &&
        DevicePathSubType(Node) == MEDIA_PIWG_FW_FILE_DP) {
      return true;
    }
  }
  return false;
}
