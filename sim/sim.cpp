// The simulated firmware. Its tables live in static storage because libefi
// keeps the first system table it is given for the life of the process.
#include "sim/sim.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "driver/operations.h"
#include "platform/guids.h"
#include "shim/float_service.h"
#include "shim/print_service.h"
#include "sim/hii_font.h"

namespace sim {
namespace {

Counters gStats;
bool gRecording = false;
std::vector<Transfer> gTransfers;

struct Installed {
  EFI_HANDLE Handle;
  EFI_GUID Guid;
  void *Interface;
};

constexpr ModeSpec kModes[] = {{800, 600},  {640, 480},  {1024, 768},
                               {1280, 800}, {1024, 768}, {800, 600}};

struct State {
  bool Alive = false;
  std::vector<ModeSpec> Modes{std::begin(kModes), std::end(kModes)};
  std::unordered_map<void *, size_t> Pool;
  size_t LiveBytes = 0;
  uint64_t TotalAllocations = 0;
  uint64_t WrongType = 0;
  int64_t FailIn = -1;
  std::vector<Installed> Protocols;
  std::vector<EFI_GUID> Withheld;
  size_t InstalledByDriver = 0;
  EFI_STATUS InstallAnswer = EFI_SUCCESS;  // what InstallMultipleProtocolInterfaces answers
  EFI_STATUS ReadAnswer = EFI_SUCCESS;     // what a screen read answers, having read nothing
  int NewPoolByte = -1;  // what fresh pool blocks hold (-1: left as malloc gives them)
  Display Screen;
  // The display's memory, ScanLine words a row, each pixel in Screen.Format.
  uint32_t *Frame = nullptr;
  uint32_t ScanLine = 0;
  uint32_t Mode = 0;
  struct Variable {
    std::u16string Name;
    EFI_GUID Guid;
    UINT32 Attributes;
    std::vector<uint8_t> Data;
  };
  std::vector<Variable> Variables;
  int64_t SetVariableFailIn = -1;
  EFI_STATUS SetVariableFailure = EFI_SUCCESS;
};

State gState;
EFI_SYSTEM_TABLE gSystemTable;
EFI_BOOT_SERVICES gBoot;
EFI_RUNTIME_SERVICES gRuntime;
SIMPLE_TEXT_OUTPUT_INTERFACE gConOut;
SIMPLE_TEXT_OUTPUT_MODE gConOutMode;
EFI_LOADED_IMAGE gLoadedImage;
EFI_GRAPHICS_OUTPUT_PROTOCOL gGop;
EFI_GRAPHICS_OUTPUT_PROTOCOL_MODE gGopMode;
EFI_GRAPHICS_OUTPUT_MODE_INFORMATION gGopInfo;
FLOAT_MATH_PROTOCOL gCountingFloat;
EFI_PRINT_PROTOCOL gPrintService;
char gImageHandleTag, gPlatformHandleTag, gConsoleHandleTag;

bool SameGuid(const EFI_GUID &A, const EFI_GUID &B) {
  return std::memcmp(&A, &B, sizeof(EFI_GUID)) == 0;
}

// Every Boot Services slot the simulation does not model.
EFI_STATUS EFIAPI NotModelled() { return EFI_UNSUPPORTED; }

EFI_STATUS EFIAPI SimAllocatePool(EFI_MEMORY_TYPE PoolType, UINTN Size, VOID **Buffer) {
  if (Buffer == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  if (gState.FailIn == 0) {
    gState.FailIn = -1;
    *Buffer = nullptr;
    return EFI_OUT_OF_RESOURCES;
  }
  if (gState.FailIn > 0) {
    gState.FailIn--;
  }
  // Firmware of a setup screen has far less pool than this: a size beyond it
  // is refused, as real firmware would, instead of reaching the host's malloc.
  if (Size > (UINTN{1} << 30)) {
    *Buffer = nullptr;
    return EFI_OUT_OF_RESOURCES;
  }
  if (PoolType != EfiBootServicesData) {
    gState.WrongType++;
  }
  void *P = std::malloc(Size == 0 ? 1 : Size);
  if (P == nullptr) {
    return EFI_OUT_OF_RESOURCES;
  }
  if (gState.NewPoolByte >= 0) {
    std::memset(P, gState.NewPoolByte, Size);
  }
  gState.Pool[P] = Size;
  gState.LiveBytes += Size;
  gState.TotalAllocations++;
  *Buffer = P;
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI SimFreePool(VOID *Buffer) {
  auto It = gState.Pool.find(Buffer);
  if (It == gState.Pool.end()) {
    // Freeing memory the pool never gave out is a driver fault: stop loudly.
    std::fprintf(stderr, "sim: FreePool of unknown pointer %p\n", Buffer);
    std::abort();
  }
  gState.LiveBytes -= It->second;
  gState.Pool.erase(It);
  std::free(Buffer);
  return EFI_SUCCESS;
}

VOID EFIAPI SimCopyMem(VOID *Destination, VOID *Source, UINTN Length) {
  std::memmove(Destination, Source, Length);
}

VOID EFIAPI SimSetMem(VOID *Buffer, UINTN Size, UINT8 Value) { std::memset(Buffer, Value, Size); }

EFI_STATUS EFIAPI SimLocateProtocol(EFI_GUID *Protocol, VOID *Registration, VOID **Interface) {
  for (const Installed &I : gState.Protocols) {
    if (SameGuid(I.Guid, *Protocol)) {
      *Interface = I.Interface;
      return EFI_SUCCESS;
    }
  }
  *Interface = nullptr;
  return EFI_NOT_FOUND;
}

EFI_STATUS EFIAPI SimHandleProtocol(EFI_HANDLE Handle, EFI_GUID *Protocol, VOID **Interface) {
  if (Handle == &gImageHandleTag && SameGuid(*Protocol, gEfiLoadedImageProtocolGuid)) {
    *Interface = &gLoadedImage;
    return EFI_SUCCESS;
  }
  for (const Installed &I : gState.Protocols) {
    if (I.Handle == Handle && SameGuid(I.Guid, *Protocol)) {
      *Interface = I.Interface;
      return EFI_SUCCESS;
    }
  }
  return EFI_UNSUPPORTED;
}

EFI_STATUS EFIAPI SimLocateHandle(EFI_LOCATE_SEARCH_TYPE, EFI_GUID *, VOID *, UINTN *BufferSize,
                                  EFI_HANDLE *) {
  if (BufferSize) *BufferSize = 0;
  return EFI_NOT_FOUND;
}

EFI_STATUS EFIAPI SimInstallMultiple(EFI_HANDLE *Handle, ...) {
  __builtin_ms_va_list Args;
  __builtin_ms_va_start(Args, Handle);
  if (gState.InstallAnswer != EFI_SUCCESS) {
    // A refused install adds nothing, as in firmware.
    __builtin_ms_va_end(Args);
    return gState.InstallAnswer;
  }
  if (*Handle == nullptr) {
    *Handle = &gImageHandleTag;
  }
  for (;;) {
    EFI_GUID *Guid = __builtin_va_arg(Args, EFI_GUID *);
    if (Guid == nullptr) break;
    void *Interface = __builtin_va_arg(Args, void *);
    gState.Protocols.push_back({*Handle, *Guid, Interface});
    gState.InstalledByDriver++;
  }
  __builtin_ms_va_end(Args);
  return EFI_SUCCESS;
}

std::u16string NameOf(const CHAR16 *Name) {
  std::u16string S;
  while (*Name != 0) S.push_back(static_cast<char16_t>(*Name++));
  return S;
}

State::Variable *FindVariable(const std::u16string &Name, const EFI_GUID &Guid) {
  for (auto &V : gState.Variables) {
    if (V.Name == Name && SameGuid(V.Guid, Guid)) return &V;
  }
  return nullptr;
}

EFI_STATUS EFIAPI SimGetVariable(CHAR16 *Name, EFI_GUID *Guid, UINT32 *Attributes, UINTN *Size,
                                 VOID *Data) {
  if (Name == nullptr || Guid == nullptr || Size == nullptr) return EFI_INVALID_PARAMETER;
  const State::Variable *V = FindVariable(NameOf(Name), *Guid);
  if (V == nullptr) return EFI_NOT_FOUND;
  if (*Size < V->Data.size()) {
    *Size = V->Data.size();
    return EFI_BUFFER_TOO_SMALL;
  }
  if (Data == nullptr) return EFI_INVALID_PARAMETER;
  std::memcpy(Data, V->Data.data(), V->Data.size());
  *Size = V->Data.size();
  if (Attributes != nullptr) *Attributes = V->Attributes;
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI SimSetVariable(CHAR16 *Name, EFI_GUID *Guid, UINT32 Attributes, UINTN Size,
                                 VOID *Data) {
  if (Name == nullptr || Guid == nullptr || (Size != 0 && Data == nullptr)) {
    return EFI_INVALID_PARAMETER;
  }
  if (gState.SetVariableFailIn >= 0 && gState.SetVariableFailIn-- == 0) {
    return gState.SetVariableFailure;
  }
  const std::u16string Key = NameOf(Name);
  State::Variable *V = FindVariable(Key, *Guid);
  if (Size == 0) {
    if (V == nullptr) return EFI_NOT_FOUND;
    gState.Variables.erase(gState.Variables.begin() + (V - gState.Variables.data()));
    return EFI_SUCCESS;
  }
  const auto *Bytes = static_cast<const uint8_t *>(Data);
  if (V == nullptr) {
    gState.Variables.push_back({Key, *Guid, Attributes, {}});
    V = &gState.Variables.back();
  }
  V->Attributes = Attributes;
  V->Data.assign(Bytes, Bytes + Size);
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI ConOutAnything() { return EFI_SUCCESS; }

//
// Graphics Output.
//
// A Blt pixel as the display stores it, and back. The reserved byte is kept
// in every layout, so that all displays give back what they were given.
uint32_t ToMemory(ORVANE_PIXEL P) {
  switch (gState.Screen.Format) {
    case PixelRedGreenBlueReserved8BitPerColor:
      return (uint32_t)P.Red | (uint32_t)P.Green << 8 | (uint32_t)P.Blue << 16 |
             (uint32_t)P.Reserved << 24;
    case PixelBitMask:
      return (uint32_t)P.Red << 24 | (uint32_t)P.Green << 16 | (uint32_t)P.Blue << 8 | P.Reserved;
    default:
      return (uint32_t)P.Blue | (uint32_t)P.Green << 8 | (uint32_t)P.Red << 16 |
             (uint32_t)P.Reserved << 24;
  }
}

ORVANE_PIXEL FromMemory(uint32_t V) {
  switch (gState.Screen.Format) {
    case PixelRedGreenBlueReserved8BitPerColor:
      return {(UINT8)(V >> 16), (UINT8)(V >> 8), (UINT8)V, (UINT8)(V >> 24)};
    case PixelBitMask: return {(UINT8)(V >> 8), (UINT8)(V >> 16), (UINT8)(V >> 24), (UINT8)V};
    default: return {(UINT8)V, (UINT8)(V >> 8), (UINT8)(V >> 16), (UINT8)(V >> 24)};
  }
}

bool StoresBlueGreenRed() {
  return gState.Screen.Format == PixelBlueGreenRedReserved8BitPerColor ||
         gState.Screen.Format == PixelBltOnly;
}

void DescribeMode(uint32_t Mode, EFI_GRAPHICS_OUTPUT_MODE_INFORMATION &Info) {
  Info = {};
  Info.HorizontalResolution = gState.Modes[Mode].Width;
  Info.VerticalResolution = gState.Modes[Mode].Height;
  Info.PixelFormat = gState.Screen.Format;
  if (Info.PixelFormat == PixelBitMask) {
    Info.PixelInformation = {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF};
  }
  Info.PixelsPerScanLine = gState.Modes[Mode].Width + gState.Screen.ScanLinePad;
}

void ApplyMode(uint32_t Mode) {
  std::free(gState.Frame);
  DescribeMode(Mode, gGopInfo);
  gState.ScanLine = gGopInfo.PixelsPerScanLine;
  // Sized exactly, so a read past the frame buffer is caught by the sanitizers.
  size_t Bytes = (size_t)gState.ScanLine * gGopInfo.VerticalResolution * 4;
  gState.Frame = static_cast<uint32_t *>(std::calloc(Bytes, 1));
  gState.Mode = Mode;
  gGopMode.MaxMode = (uint32_t)gState.Modes.size();
  gGopMode.Mode = Mode;
  gGopMode.Info = &gGopInfo;
  gGopMode.SizeOfInfo = sizeof(gGopInfo);
  bool Published = gState.Screen.Format != PixelBltOnly;
  gGopMode.FrameBufferBase = Published ? (EFI_PHYSICAL_ADDRESS)(uintptr_t)gState.Frame : 0;
  gGopMode.FrameBufferSize = Published ? Bytes : 0;
}

EFI_STATUS EFIAPI SimQueryMode(EFI_GRAPHICS_OUTPUT_PROTOCOL *, UINT32 ModeNumber, UINTN *SizeOfInfo,
                               EFI_GRAPHICS_OUTPUT_MODE_INFORMATION **Info) {
  if (ModeNumber >= (uint32_t)gState.Modes.size() || SizeOfInfo == nullptr || Info == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  // As firmware does: the caller owns the record it gets.
  EFI_STATUS Status = SimAllocatePool(EfiBootServicesData, sizeof(**Info), (VOID **)Info);
  if (Status != EFI_SUCCESS) {
    return Status;
  }
  DescribeMode(ModeNumber, **Info);
  *SizeOfInfo = sizeof(**Info);
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI SimSetMode(EFI_GRAPHICS_OUTPUT_PROTOCOL *, UINT32 ModeNumber) {
  if (ModeNumber >= (uint32_t)gState.Modes.size()) {
    return EFI_UNSUPPORTED;
  }
  ApplyMode(ModeNumber);
  return EFI_SUCCESS;
}

bool InScreen(UINTN X, UINTN Y, UINTN W, UINTN H) {
  return X <= gGopInfo.HorizontalResolution && W <= gGopInfo.HorizontalResolution - X &&
         Y <= gGopInfo.VerticalResolution && H <= gGopInfo.VerticalResolution - Y;
}

EFI_STATUS EFIAPI SimBlt(EFI_GRAPHICS_OUTPUT_PROTOCOL *, EFI_GRAPHICS_OUTPUT_BLT_PIXEL *BltBuffer,
                         EFI_GRAPHICS_OUTPUT_BLT_OPERATION Op, UINTN SourceX, UINTN SourceY,
                         UINTN DestinationX, UINTN DestinationY, UINTN Width, UINTN Height,
                         UINTN Delta) {
  gStats.BltCalls++;
  if (gRecording) {
    gTransfers.push_back({Op, SourceX, SourceY, DestinationX, DestinationY, Width, Height});
  }
  if ((unsigned)Op < 4) {
    gStats.BltByOperation[Op]++;
  }
  if ((unsigned)Op >= 4 || Width == 0 || Height == 0) {
    return EFI_INVALID_PARAMETER;
  }
  if (Op == EfiBltVideoToBltBuffer && gState.ReadAnswer != EFI_SUCCESS) {
    return gState.ReadAnswer;
  }
  const UINTN Stride = gState.ScanLine;
  uint32_t *Frame = gState.Frame;
  const bool Direct = StoresBlueGreenRed();
  if (Delta == 0) {
    Delta = Width * sizeof(ORVANE_PIXEL);
  }
  switch (Op) {
    case EfiBltVideoFill:
      if (BltBuffer == nullptr || !InScreen(DestinationX, DestinationY, Width, Height)) {
        return EFI_INVALID_PARAMETER;
      }
      for (UINTN R = 0; R < Height; R++) {
        uint32_t *Row = Frame + (DestinationY + R) * Stride + DestinationX;
        uint32_t Word = ToMemory(*BltBuffer);
        for (UINTN C = 0; C < Width; C++) Row[C] = Word;
      }
      return EFI_SUCCESS;
    case EfiBltVideoToBltBuffer:
      if (BltBuffer == nullptr || !InScreen(SourceX, SourceY, Width, Height)) {
        return EFI_INVALID_PARAMETER;
      }
      for (UINTN R = 0; R < Height; R++) {
        auto *To = (ORVANE_PIXEL *)((UINT8 *)BltBuffer + (DestinationY + R) * Delta) + DestinationX;
        const uint32_t *From = Frame + (SourceY + R) * Stride + SourceX;
        if (Direct) {
          std::memcpy(To, From, Width * 4);
        } else {
          for (UINTN C = 0; C < Width; C++) To[C] = FromMemory(From[C]);
        }
      }
      return EFI_SUCCESS;
    case EfiBltBufferToVideo:
      if (BltBuffer == nullptr || !InScreen(DestinationX, DestinationY, Width, Height)) {
        return EFI_INVALID_PARAMETER;
      }
      for (UINTN R = 0; R < Height; R++) {
        auto *From = (ORVANE_PIXEL *)((UINT8 *)BltBuffer + (SourceY + R) * Delta) + SourceX;
        uint32_t *To = Frame + (DestinationY + R) * Stride + DestinationX;
        if (Direct) {
          std::memcpy(To, From, Width * 4);
        } else {
          for (UINTN C = 0; C < Width; C++) To[C] = ToMemory(From[C]);
        }
      }
      return EFI_SUCCESS;
    default:
      if (!InScreen(SourceX, SourceY, Width, Height) ||
          !InScreen(DestinationX, DestinationY, Width, Height)) {
        return EFI_INVALID_PARAMETER;
      }
      for (UINTN R = 0; R < Height; R++) {
        UINTN Row = SourceY > DestinationY ? R : Height - 1 - R;
        std::memmove(Frame + (DestinationY + Row) * Stride + DestinationX,
                     Frame + (SourceY + Row) * Stride + SourceX, Width * 4);
      }
      return EFI_SUCCESS;
  }
}

//
// The float service, counted per entry.
//
#define COUNTED(Index, Name, Ret, Params, Args) \
  Ret EFIAPI Counted##Name Params {             \
    gStats.FloatCalls++;                        \
    gStats.FloatByEntry[Index]++;               \
    return gFloatMathService.Name Args;         \
  }
COUNTED(0, FloatNegate, FLOAT32_BITS, (FLOAT32_BITS A), (A))
COUNTED(1, FloatAbs, FLOAT32_BITS, (FLOAT32_BITS A), (A))
COUNTED(2, FloatFloor, FLOAT32_BITS, (FLOAT32_BITS A), (A))
COUNTED(3, FloatAdd, FLOAT32_BITS, (FLOAT32_BITS A, FLOAT32_BITS B), (A, B))
COUNTED(4, FloatSub, FLOAT32_BITS, (FLOAT32_BITS A, FLOAT32_BITS B), (A, B))
COUNTED(5, FloatMul, FLOAT32_BITS, (FLOAT32_BITS A, FLOAT32_BITS B), (A, B))
COUNTED(6, FloatDiv, FLOAT32_BITS, (FLOAT32_BITS A, FLOAT32_BITS B), (A, B))
COUNTED(7, FloatCos, FLOAT32_BITS, (FLOAT32_BITS A), (A))
COUNTED(8, FloatSin, FLOAT32_BITS, (FLOAT32_BITS A), (A))
COUNTED(9, FloatSqrt, FLOAT32_BITS, (FLOAT32_BITS A), (A))
COUNTED(10, FloatToIntAlt, INT32, (FLOAT32_BITS A), (A))
COUNTED(11, FloatToInt, INT32, (FLOAT32_BITS A), (A))
COUNTED(12, RadiansToDegrees, FLOAT32_BITS, (FLOAT32_BITS A), (A))
COUNTED(13, DegreesToRadians, FLOAT32_BITS, (FLOAT32_BITS A), (A))
COUNTED(14, IntToFloat, FLOAT32_BITS, (INT32 A), (A))
COUNTED(15, FloatCompare, UINT8, (FLOAT32_BITS A, FLOAT32_BITS B), (A, B))
#undef COUNTED

void BuildTables() {
  std::memset(&gBoot, 0, sizeof(gBoot));
  // Fill every slot first, so an unmodelled call fails cleanly instead of jumping to 0.
  auto **Slots =
      reinterpret_cast<void **>(reinterpret_cast<UINT8 *>(&gBoot) + sizeof(EFI_TABLE_HEADER));
  for (size_t I = 0; I < (sizeof(gBoot) - sizeof(EFI_TABLE_HEADER)) / sizeof(void *); I++) {
    Slots[I] = reinterpret_cast<void *>(&NotModelled);
  }
  gBoot.Hdr.Signature = EFI_BOOT_SERVICES_SIGNATURE;
  gBoot.Hdr.HeaderSize = sizeof(gBoot);
  gBoot.AllocatePool = SimAllocatePool;
  gBoot.FreePool = SimFreePool;
  gBoot.CopyMem = SimCopyMem;
  gBoot.SetMem = SimSetMem;
  gBoot.LocateProtocol = SimLocateProtocol;
  gBoot.HandleProtocol = SimHandleProtocol;
  gBoot.LocateHandle = SimLocateHandle;
  gBoot.InstallMultipleProtocolInterfaces = SimInstallMultiple;

  std::memset(&gRuntime, 0, sizeof(gRuntime));
  auto **RtSlots =
      reinterpret_cast<void **>(reinterpret_cast<UINT8 *>(&gRuntime) + sizeof(EFI_TABLE_HEADER));
  for (size_t I = 0; I < (sizeof(gRuntime) - sizeof(EFI_TABLE_HEADER)) / sizeof(void *); I++) {
    RtSlots[I] = reinterpret_cast<void *>(&NotModelled);
  }
  gRuntime.GetVariable = SimGetVariable;
  gRuntime.SetVariable = SimSetVariable;

  auto **OutSlots = reinterpret_cast<void **>(&gConOut);
  for (size_t I = 0; I < offsetof(SIMPLE_TEXT_OUTPUT_INTERFACE, Mode) / sizeof(void *); I++) {
    OutSlots[I] = reinterpret_cast<void *>(&ConOutAnything);
  }
  gConOutMode = {};
  gConOut.Mode = &gConOutMode;

  std::memset(&gSystemTable, 0, sizeof(gSystemTable));
  gSystemTable.Hdr.Signature = EFI_SYSTEM_TABLE_SIGNATURE;
  gSystemTable.Hdr.HeaderSize = sizeof(gSystemTable);
  gSystemTable.FirmwareVendor = W("Orvane simulated firmware");
  gSystemTable.ConOut = &gConOut;
  gSystemTable.StdErr = &gConOut;
  gSystemTable.BootServices = &gBoot;
  gSystemTable.RuntimeServices = &gRuntime;

  std::memset(&gLoadedImage, 0, sizeof(gLoadedImage));
  gLoadedImage.Revision = EFI_IMAGE_INFORMATION_REVISION;
  gLoadedImage.SystemTable = &gSystemTable;
  gLoadedImage.ImageCodeType = EfiBootServicesCode;
  gLoadedImage.ImageDataType = EfiBootServicesData;

  gGop.QueryMode = SimQueryMode;
  gGop.SetMode = SimSetMode;
  gGop.Blt = SimBlt;
  gGop.Mode = &gGopMode;

  gCountingFloat = {
      CountedFloatNegate,      CountedFloatAbs,         CountedFloatFloor,    CountedFloatAdd,
      CountedFloatSub,         CountedFloatMul,         CountedFloatDiv,      CountedFloatCos,
      CountedFloatSin,         CountedFloatSqrt,        CountedFloatToIntAlt, CountedFloatToInt,
      CountedRadiansToDegrees, CountedDegreesToRadians, CountedIntToFloat,    CountedFloatCompare};
  gPrintService.VSPrint = PrintServiceVSPrint;
}

}  // namespace

Counters &Stats() { return gStats; }
void ResetStats() { gStats = Counters{}; }
void RecordTransfers(bool On) {
  gRecording = On;
  gTransfers.clear();
}
const std::vector<Transfer> &Transfers() { return gTransfers; }

Firmware::Firmware(uint32_t StartMode) {
  if (gState.Alive) {
    std::fprintf(stderr, "sim: only one Firmware at a time\n");
    std::abort();
  }
  gState = State{};
  gState.Alive = true;
  BuildTables();
  ApplyMode(StartMode < (uint32_t)gState.Modes.size() ? StartMode : 2);  // on the default display
  SetFontLayout(FontLayout::Tight);
  gState.Protocols.push_back({&gPlatformHandleTag, gFloatMathProtocolGuid, &gCountingFloat});
  gState.Protocols.push_back({&gConsoleHandleTag, gEfiGraphicsOutputProtocolGuid, &gGop});
  gState.Protocols.push_back({&gPlatformHandleTag, gHiiFontProtocolGuid, FontService()});
  gState.Protocols.push_back({&gPlatformHandleTag, gPrintProtocolGuid, &gPrintService});
  // libefi keeps the table it saw first; it is this same static table.
  ST = &gSystemTable;
  BS = &gBoot;
  RT = &gRuntime;
  ResetStats();
}

void Firmware::UseModes(const std::vector<ModeSpec> &Modes, uint32_t Current) {
  gState.Modes = Modes;
  ApplyMode(Current);
}

Firmware::~Firmware() {
  for (auto &Entry : gState.Pool) {
    std::free(Entry.first);
  }
  std::free(gState.Frame);
  gState = State{};
  RecordTransfers(false);
}

EFI_SYSTEM_TABLE *Firmware::SystemTable() { return &gSystemTable; }
EFI_HANDLE Firmware::ImageHandle() { return &gImageHandleTag; }

void Firmware::Withhold(const EFI_GUID &Guid) {
  std::erase_if(gState.Protocols, [&](const Installed &I) { return SameGuid(I.Guid, Guid); });
}

EFI_STATUS Firmware::StartDriver() { return efi_main(&gImageHandleTag, &gSystemTable); }

void *Firmware::Locate(const EFI_GUID &Guid) {
  void *Interface = nullptr;
  EFI_GUID Copy = Guid;
  SimLocateProtocol(&Copy, nullptr, &Interface);
  return Interface;
}

ORVANE_UI_PROTOCOL *Firmware::Ui() {
  return static_cast<ORVANE_UI_PROTOCOL *>(Locate(gOrvaneUiProtocolGuid));
}

ORVANE_BANNER_PROTOCOL *Firmware::BannerProtocol() {
  return static_cast<ORVANE_BANNER_PROTOCOL *>(Locate(gOrvaneBannerProtocolGuid));
}

size_t Firmware::InstalledCount() const { return gState.InstalledByDriver; }
void Firmware::RefuseInstall(EFI_STATUS Status) { gState.InstallAnswer = Status; }

std::vector<uint8_t> Firmware::Variable(const std::u16string &Name, const EFI_GUID &Guid) const {
  const State::Variable *V = FindVariable(Name, Guid);
  return V == nullptr ? std::vector<uint8_t>() : V->Data;
}
bool Firmware::HasVariable(const std::u16string &Name, const EFI_GUID &Guid) const {
  return FindVariable(Name, Guid) != nullptr;
}
void Firmware::PutVariable(const std::u16string &Name, const EFI_GUID &Guid,
                           std::vector<uint8_t> Data, UINT32 Attributes) {
  State::Variable *V = FindVariable(Name, Guid);
  if (V == nullptr) {
    gState.Variables.push_back({Name, Guid, Attributes, std::move(Data)});
  } else {
    V->Attributes = Attributes;
    V->Data = std::move(Data);
  }
}
UINT32 Firmware::VariableAttributes(const std::u16string &Name, const EFI_GUID &Guid) const {
  const State::Variable *V = FindVariable(Name, Guid);
  return V == nullptr ? 0 : V->Attributes;
}
void Firmware::FailSetVariable(int64_t N, EFI_STATUS Status) {
  gState.SetVariableFailIn = N;
  gState.SetVariableFailure = Status;
}

void Firmware::RefuseScreenReads(EFI_STATUS Status) { gState.ReadAnswer = Status; }

void Firmware::FillNewPool(int Byte) { gState.NewPoolByte = Byte; }
size_t Firmware::LiveAllocations() const { return gState.Pool.size(); }
size_t Firmware::LiveBytes() const { return gState.LiveBytes; }
uint64_t Firmware::TotalAllocations() const { return gState.TotalAllocations; }
bool Firmware::OwnsPool(const void *P) const {
  return gState.Pool.count(const_cast<void *>(P)) != 0;
}
void Firmware::FailAllocation(int64_t N) { gState.FailIn = N < 0 ? -1 : N; }
uint64_t Firmware::WrongPoolTypeCount() const { return gState.WrongType; }

EFI_GRAPHICS_OUTPUT_PROTOCOL *Firmware::Gop() { return &gGop; }

void Firmware::UseDisplay(const Display &D) {
  gState.Screen = D;
  ApplyMode(gState.Mode);
}

uint32_t Firmware::Width() const { return gGopInfo.HorizontalResolution; }
uint32_t Firmware::Height() const { return gGopInfo.VerticalResolution; }
uint32_t Firmware::ScanLine() const { return gState.ScanLine; }
uint32_t Firmware::CurrentMode() const { return gState.Mode; }
ORVANE_PIXEL *Firmware::FrameBuffer() { return reinterpret_cast<ORVANE_PIXEL *>(gState.Frame); }

namespace {
uint32_t ColorOf(ORVANE_PIXEL P) {
  return (uint32_t)P.Blue | (uint32_t)P.Green << 8 | (uint32_t)P.Red << 16 |
         (uint32_t)P.Reserved << 24;
}
ORVANE_PIXEL PixelOf(uint32_t C) {
  return {(UINT8)C, (UINT8)(C >> 8), (UINT8)(C >> 16), (UINT8)(C >> 24)};
}
}  // namespace

uint32_t Firmware::Pixel(uint32_t X, uint32_t Y) const {
  return ColorOf(FromMemory(gState.Frame[(size_t)Y * gState.ScanLine + X]));
}

void Firmware::SetPixel(uint32_t X, uint32_t Y, uint32_t Color) {
  gState.Frame[(size_t)Y * gState.ScanLine + X] = ToMemory(PixelOf(Color));
}

void Firmware::FillScreen(uint32_t Color) {
  if (StoresBlueGreenRed() && gState.ScanLine == Width()) {
    std::fill_n(gState.Frame, (size_t)Width() * Height(), Color);
    return;
  }
  for (uint32_t Y = 0; Y < Height(); Y++) {
    for (uint32_t X = 0; X < Width(); X++) SetPixel(X, Y, Color);
  }
}

std::vector<uint32_t> Firmware::Snapshot() const {
  std::vector<uint32_t> Out((size_t)Width() * Height());
  if (StoresBlueGreenRed() && gState.ScanLine == Width()) {
    std::memcpy(Out.data(), gState.Frame, Out.size() * 4);
    return Out;
  }
  for (uint32_t Y = 0; Y < Height(); Y++) {
    for (uint32_t X = 0; X < Width(); X++) Out[(size_t)Y * Width() + X] = Pixel(X, Y);
  }
  return Out;
}

void Firmware::LoadScreen(const std::vector<uint32_t> &Colors) {
  for (uint32_t Y = 0; Y < Height(); Y++) {
    for (uint32_t X = 0; X < Width(); X++) SetPixel(X, Y, Colors[(size_t)Y * Width() + X]);
  }
}

}  // namespace sim
