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
  uint64_t BltCalls = 0;            // every Blt call
  uint64_t BltByOperation[4] = {};  // indexed by EFI_GRAPHICS_OUTPUT_BLT_OPERATION
  uint64_t FloatCalls = 0;          // every float-service call
  uint64_t FloatByEntry[16] = {};   // indexed by table entry
};

// Resets all counters of the running Firmware.
Counters &Stats();
void ResetStats();

// One Blt call as the driver made it, before the display checks its bounds
// (real firmware does not always check: a wrapped-around fill passes).
struct Transfer {
  EFI_GRAPHICS_OUTPUT_BLT_OPERATION Op;
  uint64_t SourceX, SourceY, DestinationX, DestinationY, Width, Height;
};
// Every Blt call while recording is on (off by default; turning it on clears the list).
void RecordTransfers(bool On);
const std::vector<Transfer> &Transfers();

struct ModeSpec {
  uint32_t Width, Height;
};

// How the simulated display keeps its picture. Every mode gets the same
// layout; Blt converts, so through Blt all displays show the same pixels.
struct Display {
  // PixelBlueGreenRedReserved8BitPerColor and PixelRedGreenBlueReserved8BitPerColor
  // store bytes in that order; PixelBitMask stores red, green, blue, reserved
  // from the top byte down of a 32-bit word; PixelBltOnly publishes no frame
  // buffer (base and size 0) and keeps the picture to itself.
  EFI_GRAPHICS_PIXEL_FORMAT Format = PixelBlueGreenRedReserved8BitPerColor;
  uint32_t ScanLinePad = 0;  // pixels each scan line holds past the mode's width
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
  ORVANE_UI_PROTOCOL *Ui();
  ORVANE_BANNER_PROTOCOL *BannerProtocol();
  size_t InstalledCount() const;  // interfaces installed through InstallMultipleProtocolInterfaces
  // InstallMultipleProtocolInterfaces answers Status, installing nothing
  // (EFI_SUCCESS: installs again).
  void RefuseInstall(EFI_STATUS Status);

  // Pool accounting.
  size_t LiveAllocations() const;
  size_t LiveBytes() const;
  uint64_t TotalAllocations() const;
  // True when P is the start of a live pool block (a pointer left in a record can be checked).
  bool OwnsPool(const void *P) const;
  // The Nth AllocatePool from now (0 = the next one) fails with
  // EFI_OUT_OF_RESOURCES; a negative value turns failure injection off.
  void FailAllocation(int64_t N);
  // Fresh pool blocks hold Byte in every byte, as stale firmware pool would
  // (-1, the default: whatever the host allocator gives).
  void FillNewPool(int Byte);
  // Allocations of a pool type other than EfiBootServicesData.
  uint64_t WrongPoolTypeCount() const;

  // Variables: GetVariable and SetVariable as firmware answers them (a write
  // of no data deletes). Variable() is empty when the variable is absent.
  std::vector<uint8_t> Variable(const std::u16string &Name, const EFI_GUID &Guid) const;
  bool HasVariable(const std::u16string &Name, const EFI_GUID &Guid) const;
  void PutVariable(const std::u16string &Name, const EFI_GUID &Guid, std::vector<uint8_t> Data,
                   UINT32 Attributes);
  UINT32 VariableAttributes(const std::u16string &Name, const EFI_GUID &Guid) const;
  // The Nth SetVariable from now (0 = the next one) answers Status and writes
  // nothing; a negative N turns this off.
  void FailSetVariable(int64_t N, EFI_STATUS Status);

  // Graphics.
  EFI_GRAPHICS_OUTPUT_PROTOCOL *Gop();
  // Replaces the modes the display offers and makes Current the mode in use
  // (the screen turns black).
  void UseModes(const std::vector<ModeSpec> &Modes, uint32_t Current);
  // Changes the display and sets the current mode again (the screen turns black).
  void UseDisplay(const Display &D);
  uint32_t Width() const;
  uint32_t Height() const;
  uint32_t ScanLine() const;  // pixels per row of the display's memory
  uint32_t CurrentMode() const;
  // Blt reads of the screen answer Status and fill nothing (EFI_SUCCESS: read again).
  void RefuseScreenReads(EFI_STATUS Status);
  // The display's memory in its own layout, ScanLine() pixels a row (row width
  // Width() and blue-green-red on the default display).
  ORVANE_PIXEL *FrameBuffer();
  // The picture as Blt sees it, on any display: colours 0x00RRGGBB with the
  // reserved byte on top, row width Width().
  uint32_t Pixel(uint32_t X, uint32_t Y) const;
  void FillScreen(uint32_t Color);
  std::vector<uint32_t> Snapshot() const;
  void LoadScreen(const std::vector<uint32_t> &Colors);  // Width() x Height() colours

 private:
  // Looks an interface up the way a front-end does (NULL when not installed).
  void *Locate(const EFI_GUID &Guid);
  void SetPixel(uint32_t X, uint32_t Y, uint32_t Color);
};

// PNG files of the frame buffer or any pixel buffer (reserved byte dropped).
bool WritePng(const std::string &Path, const ORVANE_PIXEL *Pixels, uint32_t Width, uint32_t Height,
              uint32_t RowWidth);
// Reads an 8-bit RGB or RGBA PNG into 0x00RRGGBB colours.
bool ReadPng(const std::string &Path, std::vector<uint32_t> &Colors, uint32_t &Width,
             uint32_t &Height);

}  // namespace sim
