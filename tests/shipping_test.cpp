// Shipping the drivers: what an image's headers say of its signature, the
// path a load option stores, and Driver#### options with DriverOrder written
// through the simulated firmware's variables.
#include <gtest/gtest.h>

#include <vector>

#include "frontend/shipping.h"
#include "sim/sim.h"

namespace {

constexpr UINT32 kNvBsRt =
    EFI_VARIABLE_NON_VOLATILE | EFI_VARIABLE_BOOTSERVICE_ACCESS | EFI_VARIABLE_RUNTIME_ACCESS;

using Bytes = std::vector<uint8_t>;

void Put16(Bytes &B, size_t At, uint32_t V) {
  B[At] = (uint8_t)V;
  B[At + 1] = (uint8_t)(V >> 8);
}
void Put32(Bytes &B, size_t At, uint32_t V) {
  Put16(B, At, V & 0xFFFF);
  Put16(B, At + 2, V >> 16);
}

struct PeShape {
  uint32_t Magic = 0x20B;
  uint32_t Directories = 16;
  uint32_t SecurityOffset = 0, SecuritySize = 0;
  uint32_t PeAt = 0x80;
  size_t Cut = 0;  // bytes dropped from the end of the headers
};

Bytes Headers(const PeShape &S) {
  const size_t DirectoriesAt = S.Magic == 0x10B ? 96 : 112;
  const size_t OptionalSize = DirectoriesAt + 8 * S.Directories;
  Bytes B(0x80 + 24 + OptionalSize + 40, 0);
  B[0] = 'M';
  B[1] = 'Z';
  Put32(B, 0x3C, S.PeAt);
  Put32(B, 0x80, 0x4550);
  Put16(B, 0x80 + 4, 0x8664);
  Put16(B, 0x80 + 20, (uint32_t)OptionalSize);
  const size_t Optional = 0x80 + 24;
  Put16(B, Optional, S.Magic);
  Put32(B, Optional + DirectoriesAt - 4, S.Directories);
  if (S.Directories > 4) {
    Put32(B, Optional + DirectoriesAt + 32, S.SecurityOffset);
    Put32(B, Optional + DirectoriesAt + 36, S.SecuritySize);
  }
  B.resize(B.size() - S.Cut);
  return B;
}

TEST(Shipping, AnImageSaysWhetherItCarriesASignature) {
  struct Case {
    const char *What;
    PeShape Shape;
    ImageSignature Want;
  };
  const Case Cases[] = {
      {"PE32+ with a certificate table", {0x20B, 16, 0x6000, 0x5A8}, ImageSignature::Signed},
      {"PE32 with a certificate table", {0x10B, 16, 0x6000, 0x5A8}, ImageSignature::Signed},
      {"PE32+ without one", {0x20B, 16, 0, 0}, ImageSignature::Unsigned},
      {"an empty table", {0x20B, 16, 0x6000, 0}, ImageSignature::Unsigned},
      {"no security directory at all", {0x20B, 4, 0x6000, 0x5A8}, ImageSignature::Unsigned},
      {"an unknown optional header", {0x107, 16, 0x6000, 0x5A8}, ImageSignature::NotAnImage},
      {"PE header past the bytes read",
       {0x20B, 16, 0x6000, 0x5A8, 0x4000},
       ImageSignature::NotAnImage},
      {"headers cut short", {0x20B, 16, 0x6000, 0x5A8, 0x80, 120}, ImageSignature::NotAnImage},
  };
  for (const Case &C : Cases) {
    const Bytes B = Headers(C.Shape);
    EXPECT_EQ(InspectImageSignature(B.data(), B.size()), C.Want) << C.What;
  }
  Bytes NotPe = Headers({});
  NotPe[0x81] = 'X';
  EXPECT_EQ(InspectImageSignature(NotPe.data(), NotPe.size()), ImageSignature::NotAnImage);
  NotPe = Headers({});
  NotPe[0] = 'Z';
  EXPECT_EQ(InspectImageSignature(NotPe.data(), NotPe.size()), ImageSignature::NotAnImage);

  // A refusal is told apart by what the image carries.
  const std::string Unsigned = LoadRefusalReason(EFI_ACCESS_DENIED, ImageSignature::Unsigned);
  const std::string Untrusted = LoadRefusalReason(EFI_SECURITY_VIOLATION, ImageSignature::Signed);
  EXPECT_NE(Unsigned.find("not signed"), std::string::npos) << Unsigned;
  EXPECT_NE(Untrusted.find("not trusted"), std::string::npos) << Untrusted;
}

// Device path nodes, built by hand as the firmware lays them out.
void Node(Bytes &P, uint8_t Type, uint8_t SubType, size_t Body, uint8_t Fill = 0) {
  P.push_back(Type);
  P.push_back(SubType);
  P.push_back((uint8_t)(Body + 4));
  P.push_back((uint8_t)((Body + 4) >> 8));
  P.insert(P.end(), Body, Fill);
}
void End(Bytes &P) { Node(P, 0x7F, 0xFF, 0); }
void FileNode(Bytes &P, const std::u16string &Name) {
  Node(P, MEDIA_DEVICE_PATH, MEDIA_FILEPATH_DP, 0);
  for (char16_t C : Name + u'\0') {
    P.push_back((uint8_t)C);
    P.push_back((uint8_t)(C >> 8));
  }
  Put16(P, P.size() - 4 - 2 * (Name.size() + 1) + 2, (uint32_t)(4 + 2 * (Name.size() + 1)));
}
// PciRoot(0)/Pci(1F,2)/Sata(0,...)/HD(1,MBR,...): the ESP as QEMU's disk shows it.
Bytes DiskVolume() {
  Bytes P;
  Node(P, ACPI_DEVICE_PATH, 1, 8, 0xA1);
  Node(P, HARDWARE_DEVICE_PATH, 1, 2, 0xB2);
  Node(P, MESSAGING_DEVICE_PATH, 18, 6, 0xC3);
  Node(P, MEDIA_DEVICE_PATH, MEDIA_HARDDRIVE_DP, 38, 0xD4);
  End(P);
  return P;
}
const EFI_DEVICE_PATH *AsPath(const Bytes &P) {
  return reinterpret_cast<const EFI_DEVICE_PATH *>(P.data());
}
Bytes Copied(const EFI_DEVICE_PATH *Path, size_t Size) {
  const auto *B = reinterpret_cast<const uint8_t *>(Path);
  return Bytes(B, B + Size);
}

TEST(Shipping, AnOptionStoresThePathFromThePartitionOn) {
  sim::Firmware Fw;
  EFI_BOOT_SERVICES *Bs = Fw.SystemTable()->BootServices;
  const Bytes Disk = DiskVolume();
  Bytes Want(Disk.begin() + 12 + 6 + 10, Disk.end() - 4);  // the HD node alone
  ASSERT_EQ(Want.size(), 42u);
  FileNode(Want, u"\\EFI\\orvane\\orvane.efi");
  End(Want);
  EFI_DEVICE_PATH *Path = LoadOptionPath(Bs, AsPath(Disk), W("\\EFI\\orvane\\orvane.efi"));
  ASSERT_NE(Path, nullptr);
  EXPECT_EQ(Copied(Path, Want.size()), Want);
  Bs->FreePool(Path);

  // A volume without a partition node (a whole-disk file system) keeps its full path.
  Bytes Whole;
  Node(Whole, ACPI_DEVICE_PATH, 1, 8, 0xA1);
  Node(Whole, HARDWARE_DEVICE_PATH, 1, 2, 0xB2);
  Want.assign(Whole.begin(), Whole.end());
  End(Whole);
  FileNode(Want, u"\\orvane.efi");
  End(Want);
  Path = LoadOptionPath(Bs, AsPath(Whole), W("\\orvane.efi"));
  ASSERT_NE(Path, nullptr);
  EXPECT_EQ(Copied(Path, Want.size()), Want);
  Bs->FreePool(Path);

  // A node of length 0 would never end: refused, nothing allocated.
  Bytes Damaged = DiskVolume();
  Damaged[2] = 0;
  EXPECT_EQ(LoadOptionPath(Bs, AsPath(Damaged), W("\\orvane.efi")), nullptr);
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
}

struct Installer {
  sim::Firmware Fw;
  EFI_BOOT_SERVICES *Bs = Fw.SystemTable()->BootServices;
  Bytes Shim, Toolkit;
  Installer() {
    const Bytes Disk = DiskVolume();
    for (auto [Out, Name] :
         {std::pair{&Shim, W("\\platform-shim.efi")}, std::pair{&Toolkit, W("\\orvane.efi")}}) {
      EFI_DEVICE_PATH *P = LoadOptionPath(Bs, AsPath(Disk), Name);
      size_t Size = 0;
      while (reinterpret_cast<uint8_t *>(P)[Size] != 0x7F) {
        Size += reinterpret_cast<uint8_t *>(P)[Size + 2] | reinterpret_cast<uint8_t *>(P)[Size + 3]
                                                               << 8;
      }
      *Out = Copied(P, Size + 4);
      Bs->FreePool(P);
    }
  }
  EFI_STATUS Install(UINT16 *Numbers) {
    DriverOption Options[] = {{W("Orvane platform shim"), AsPath(Shim), 0xFFFF},
                              {W("Orvane UI toolkit"), AsPath(Toolkit), 0xFFFF}};
    EFI_STATUS Status = InstallDriverOptions(Bs, Fw.SystemTable()->RuntimeServices, Options, 2);
    Numbers[0] = Options[0].Number;
    Numbers[1] = Options[1].Number;
    return Status;
  }
  std::vector<uint16_t> Order() {
    const Bytes B = Fw.Variable(u"DriverOrder", gEfiGlobalVariableGuid);
    std::vector<uint16_t> O;
    for (size_t I = 0; I + 1 < B.size(); I += 2) O.push_back((uint16_t)(B[I] | B[I + 1] << 8));
    return O;
  }
  // An option as the firmware reads it: attributes, path length, description, path.
  static Bytes Option(const std::u16string &Description, const Bytes &Path) {
    Bytes B = {1, 0, 0, 0, (uint8_t)Path.size(), (uint8_t)(Path.size() >> 8)};
    for (char16_t C : Description + u'\0') {
      B.push_back((uint8_t)C);
      B.push_back((uint8_t)(C >> 8));
    }
    B.insert(B.end(), Path.begin(), Path.end());
    return B;
  }
};

TEST(Shipping, DriverOptionsGoLastInDriverOrderShimFirstAndOnlyOnce) {
  Installer I;
  UINT16 N[2];
  ASSERT_EQ(I.Install(N), EFI_SUCCESS);
  EXPECT_EQ(N[0], 0);
  EXPECT_EQ(N[1], 1);
  EXPECT_EQ(I.Order(), (std::vector<uint16_t>{0, 1}));
  EXPECT_EQ(I.Fw.Variable(u"Driver0000", gEfiGlobalVariableGuid),
            Installer::Option(u"Orvane platform shim", I.Shim));
  EXPECT_EQ(I.Fw.Variable(u"Driver0001", gEfiGlobalVariableGuid),
            Installer::Option(u"Orvane UI toolkit", I.Toolkit));
  EXPECT_EQ(I.Fw.VariableAttributes(u"Driver0001", gEfiGlobalVariableGuid), kNvBsRt);
  EXPECT_EQ(I.Fw.VariableAttributes(u"DriverOrder", gEfiGlobalVariableGuid), kNvBsRt);

  // Installing again rewrites the same two options.
  ASSERT_EQ(I.Install(N), EFI_SUCCESS);
  EXPECT_EQ(N[0], 0);
  EXPECT_EQ(N[1], 1);
  EXPECT_EQ(I.Order(), (std::vector<uint16_t>{0, 1}));
  EXPECT_EQ(I.Fw.LiveAllocations(), 0u);
}

TEST(Shipping, DriverOptionsKeepOtherOptionsAndReuseOneForTheSameFile) {
  Installer I;
  // Another vendor's driver (0000), a stale option outside the order (0001),
  // and the toolkit as the shell's bcfg would add it, full path, other case (0005).
  Bytes Other, Bcfg = DiskVolume();
  Node(Other, MEDIA_DEVICE_PATH, MEDIA_HARDDRIVE_DP, 38, 0xD4);
  FileNode(Other, u"\\EFI\\vendor\\gop.efi");
  End(Other);
  Bcfg.resize(Bcfg.size() - 4);
  FileNode(Bcfg, u"\\EFI\\Orvane\\ORVANE.EFI");
  End(Bcfg);
  I.Fw.PutVariable(u"Driver0000", gEfiGlobalVariableGuid, Installer::Option(u"GOP", Other),
                   kNvBsRt);
  I.Fw.PutVariable(u"Driver0001", gEfiGlobalVariableGuid, Installer::Option(u"old", Other),
                   kNvBsRt);
  I.Fw.PutVariable(u"Driver0005", gEfiGlobalVariableGuid, Installer::Option(u"toolkit", Bcfg),
                   kNvBsRt);
  I.Fw.PutVariable(u"DriverOrder", gEfiGlobalVariableGuid, {5, 0, 0, 0}, kNvBsRt);

  UINT16 N[2];
  ASSERT_EQ(I.Install(N), EFI_SUCCESS);
  EXPECT_EQ(N[0], 2);  // the lowest number no variable holds
  EXPECT_EQ(N[1], 5);
  EXPECT_EQ(I.Order(), (std::vector<uint16_t>{0, 2, 5}));
  EXPECT_EQ(I.Fw.Variable(u"Driver0005", gEfiGlobalVariableGuid),
            Installer::Option(u"Orvane UI toolkit", I.Toolkit));
  EXPECT_EQ(I.Fw.Variable(u"Driver0001", gEfiGlobalVariableGuid), Installer::Option(u"old", Other));
  EXPECT_EQ(I.Fw.LiveAllocations(), 0u);
}

TEST(Shipping, AFailedWriteIsAnsweredAndLeavesTheOrderAlone) {
  for (int64_t Failing : {0, 1, 2}) {  // the shim's option, the toolkit's, the order
    Installer I;
    I.Fw.PutVariable(u"DriverOrder", gEfiGlobalVariableGuid, {7, 0}, kNvBsRt);
    I.Fw.FailSetVariable(Failing, EFI_OUT_OF_RESOURCES);
    UINT16 N[2];
    EXPECT_EQ(I.Install(N), EFI_OUT_OF_RESOURCES) << Failing;
    EXPECT_EQ(I.Order(), (std::vector<uint16_t>{7})) << Failing;
    EXPECT_EQ(I.Fw.LiveAllocations(), 0u) << Failing;
  }
  for (int64_t Allocation = 0; Allocation < 6; Allocation++) {
    Installer I;
    I.Fw.PutVariable(u"DriverOrder", gEfiGlobalVariableGuid, {7, 0}, kNvBsRt);
    I.Fw.FailAllocation(Allocation);
    UINT16 N[2];
    const EFI_STATUS Status = I.Install(N);
    I.Fw.FailAllocation(-1);
    EXPECT_TRUE(Status == EFI_SUCCESS || Status == EFI_OUT_OF_RESOURCES) << Allocation;
    if (Status != EFI_SUCCESS) {
      EXPECT_EQ(I.Order(), (std::vector<uint16_t>{7})) << Allocation;
    }
    EXPECT_EQ(I.Fw.LiveAllocations(), 0u) << Allocation;
  }
}

}  // namespace
