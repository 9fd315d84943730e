// Simulated firmware for host builds: Boot Services with pool accounting and
// failure injection, a Graphics Output Protocol over an in-memory frame
// buffer, the HII font, print and float services. Everything is reached
// through the same EFIAPI tables as in real firmware. One Firmware at a time.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "driver/protocol.h"
#include "platform/float_math.h"

namespace sim {

struct Counters {
  uint64_t BltCalls = 0;               // every Blt call
  uint64_t BltByOperation[4] = {};     // indexed by EFI_GRAPHICS_OUTPUT_BLT_OPERATION
  uint64_t FloatCalls = 0;             // every float-service call
  uint64_t FloatByEntry[16] = {};      // indexed by table entry
};

// Resets all counters of the running Firmware.
Counters &Stats();
void ResetStats();

struct ModeSpec {
  uint32_t Width, Height;
};

class Firmware {
 public:
  // Modes 0..5: 800x600, 640x480, 1024x768, 1280x800, 1024x768, 800x600;
  // StartMode is current at construction.
  explicit Firmware(uint32_t StartMode = 2);
  ~Firmware();
  Firmware(const Firmware &) = delete;
  Firmware &operator=(const Firmware &) = delete;

  EFI_SYSTEM_TABLE *SystemTable();
  EFI_HANDLE ImageHandle();

  // Leaves a service out of the protocol database (before StartDriver).
  void Withhold(const EFI_GUID &Guid);
  // Runs the driver's entry point; returns its status.
  EFI_STATUS StartDriver();
  // Looks an interface up the way a front-end does (NULL when not installed).
  void *Locate(const EFI_GUID &Guid);
  ORVANE_UI_PROTOCOL *Ui();
  ORVANE_BANNER_PROTOCOL *BannerProtocol();
  size_t InstalledCount() const;  // interfaces installed through InstallMultipleProtocolInterfaces

  // Pool accounting.
  size_t LiveAllocations() const;
  size_t LiveBytes() const;
  uint64_t TotalAllocations() const;
  // The Nth AllocatePool from now (0 = the next one) fails with
  // EFI_OUT_OF_RESOURCES; a negative value turns failure injection off.
  void FailAllocation(int64_t N);
  // Allocations of a pool type other than EfiBootServicesData.
  uint64_t WrongPoolTypeCount() const;

  // Graphics.
  EFI_GRAPHICS_OUTPUT_PROTOCOL *Gop();
  uint32_t Width() const;
  uint32_t Height() const;
  uint32_t CurrentMode() const;
  ORVANE_PIXEL *FrameBuffer();           // row width = Width()
  uint32_t Pixel(uint32_t X, uint32_t Y) const;  // 0x00RRGGBB with reserved on top
  void FillScreen(uint32_t Color);
  // Frame buffer as a vector of colours, row width = Width().
  std::vector<uint32_t> Snapshot() const;
};

// PNG files of the frame buffer or any pixel buffer (reserved byte dropped).
bool WritePng(const std::string &Path, const ORVANE_PIXEL *Pixels, uint32_t Width, uint32_t Height,
              uint32_t RowWidth);
// Reads an 8-bit RGB or RGBA PNG into 0x00RRGGBB colours.
bool ReadPng(const std::string &Path, std::vector<uint32_t> &Colors, uint32_t &Width,
             uint32_t &Height);

}  // namespace sim
