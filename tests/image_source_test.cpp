// Where the start-up checks load their second copy of the driver from: the
// same place as the running one, a file system's file or a firmware volume's.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "frontend/image_source.h"
#include "platform/guids.h"
#include "sim/sim.h"

namespace {

using Bytes = std::vector<UINT8>;

Bytes Node(UINT8 Type, UINT8 SubType, const Bytes &Body) {
  const UINTN Length = 4 + Body.size();
  Bytes N = {Type, SubType, (UINT8)Length, (UINT8)(Length >> 8)};
  N.insert(N.end(), Body.begin(), Body.end());
  return N;
}
Bytes Path(std::initializer_list<Bytes> Nodes) {
  Bytes P;
  for (const Bytes &N : Nodes) P.insert(P.end(), N.begin(), N.end());
  const Bytes End = Node(0x7F, 0xFF, {});
  P.insert(P.end(), End.begin(), End.end());
  return P;
}

const Bytes kGuid = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
const Bytes kFvVolume = Node(MEDIA_DEVICE_PATH, MEDIA_PIWG_FW_VOL_DP, kGuid);
const Bytes kFvFile = Node(MEDIA_DEVICE_PATH, MEDIA_PIWG_FW_FILE_DP, kGuid);
const Bytes kPci = Node(HARDWARE_DEVICE_PATH, HW_PCI_DP, {0, 3});
const Bytes kFile = Node(MEDIA_DEVICE_PATH, MEDIA_FILEPATH_DP, {'\\', 0, 'o', 0, 0, 0});

struct Case {
  const char *Name;
  Bytes Device;    // the device handle's path; empty: the handle has none
  Bytes FilePath;  // the loaded image's file path
  Bytes Recorded;  // the firmware's record of the whole path; empty: none
  Bytes Want;      // empty: no source can be named
  bool Volume;
};

TEST(ImageSource, NamesTheRunningImagesOwnPlace) {
  const Case Cases[] = {
      {"firmware volume", Path({kFvVolume}), Path({kFvFile}), {}, Path({kFvVolume, kFvFile}), true},
      {"file on a volume", Path({kPci}), Path({kFile}), {}, Path({kPci, kFile}), false},
      {"the firmware's record wins",
       {},
       Path({kFvFile}),
       Path({kPci, kFvVolume, kFvFile}),
       Path({kPci, kFvVolume, kFvFile}),
       true},
      {"device without a path", {}, Path({kFile}), {}, {}, false},
  };
  for (const Case &C : Cases) {
    SCOPED_TRACE(C.Name);
    sim::Firmware Fw;
    EFI_BOOT_SERVICES *Bs = Fw.SystemTable()->BootServices;
    EFI_HANDLE Image = Fw.ImageHandle();
    char DeviceTag = 0;
    EFI_HANDLE Device = &DeviceTag;
    Bytes DevicePath = C.Device, FilePath = C.FilePath, Recorded = C.Recorded;
    EFI_LOADED_IMAGE *Loaded = nullptr;
    ASSERT_EQ(Bs->HandleProtocol(Image, &gEfiLoadedImageProtocolGuid, (void **)&Loaded),
              EFI_SUCCESS);
    Loaded->DeviceHandle = Device;
    Loaded->FilePath = reinterpret_cast<EFI_DEVICE_PATH *>(FilePath.data());
    if (!DevicePath.empty()) {
      ASSERT_EQ(Bs->InstallProtocolInterface(&Device, &gEfiDevicePathProtocolGuid,
                                             EFI_NATIVE_INTERFACE, DevicePath.data()),
                EFI_SUCCESS);
    }
    if (!Recorded.empty()) {
      ASSERT_EQ(Bs->InstallProtocolInterface(&Image, &gLoadedImageDevicePathProtocolGuid,
                                             EFI_NATIVE_INTERFACE, Recorded.data()),
                EFI_SUCCESS);
    }
    EFI_DEVICE_PATH *Source = ImageSource(Bs, Image);
    if (C.Want.empty()) {
      EXPECT_EQ(Source, nullptr);
    } else {
      ASSERT_NE(Source, nullptr);
      EXPECT_TRUE(Fw.OwnsPool(Source)) << "the caller frees what it gets";
      const UINT8 *Got = reinterpret_cast<const UINT8 *>(Source);
      EXPECT_EQ(Bytes(Got, Got + C.Want.size()), C.Want);
      EXPECT_EQ(FromFirmwareVolume(Source), C.Volume);
      FreePool(Source);
    }
    EXPECT_EQ(Fw.LiveAllocations(), 0u);
    Loaded->FilePath = nullptr;
  }
}

TEST(ImageSource, ABrokenPathIsNoFirmwareVolume) {
  Bytes Broken = {MEDIA_DEVICE_PATH, MEDIA_FILEPATH_DP, 0, 0};  // a node of length 0
  EXPECT_FALSE(FromFirmwareVolume(reinterpret_cast<EFI_DEVICE_PATH *>(Broken.data())));
  EXPECT_FALSE(FromFirmwareVolume(nullptr));
}

}  // namespace
