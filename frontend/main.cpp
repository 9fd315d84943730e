// The setup front-end, booted as \EFI\BOOT\BOOTX64.EFI. It loads the platform
// shim and the driver from its own volume, then, as the file \orvane-mode
// says, runs the interactive setup screen ("demo", or no file), the firmware
// checks ("e2e") or the tour of every control's stage ("tour").
// Everything it reports goes to the serial port only: OVMF's text console
// would draw over the graphics screen.
#include "frontend/checks.h"
#include "frontend/report.h"
#include "frontend/scenes.h"
#include "frontend/screen_timing.h"
#include "frontend/setup/run.h"

namespace {

constexpr UINTN kSnapshotStallMicroseconds = 1500000;
constexpr UINTN kFarewellStallMicroseconds = 3000000;

// ---------------------------------------------------------------- snapshots

void Snapshot(const SceneContext *C, const char *Name) {
  Line().Text("SCREENSHOT ").Text(Name).Emit();
  // The host stops the machine, takes the picture and lets it run again.
  C->Bs->Stall(kSnapshotStallMicroseconds);
  Line().Text("SCREENSHOT-END ").Text(Name).Emit();
}

// The host may photograph a transition while it runs; nothing waits for it.
void Midway(const SceneContext *, const char *Name) { Line().Text("MIDWAY ").Text(Name).Emit(); }

// What the graphics output offers in its current mode, for the run's log:
// "INFO display <w>x<h> format <n> scan-line <n> frame-buffer <base> size <bytes> modes <n>".
void ReportDisplay(EFI_GRAPHICS_OUTPUT_PROTOCOL *Gop) {
  const EFI_GRAPHICS_OUTPUT_MODE_INFORMATION *Info = Gop->Mode->Info;
  Line L;
  L.Text("INFO display ").Dec(Info->HorizontalResolution).Text("x").Dec(Info->VerticalResolution);
  L.Text(" format ").Dec(Info->PixelFormat).Text(" scan-line ").Dec(Info->PixelsPerScanLine);
  L.Text(" frame-buffer ").Hex(Gop->Mode->FrameBufferBase).Text(" size ");
  L.Dec((INT64)Gop->Mode->FrameBufferSize).Text(" modes ").Dec(Gop->Mode->MaxMode);
  L.Emit();
}

// ---------------------------------------------------------------- loading

EFI_STATUS LoadAndStart(EFI_HANDLE ImageHandle, EFI_HANDLE Device, const CHAR16 *Path) {
  EFI_DEVICE_PATH *FilePath = FileDevicePath(Device, const_cast<CHAR16 *>(Path));
  if (FilePath == nullptr) {
    return EFI_OUT_OF_RESOURCES;
  }
  EFI_HANDLE Loaded = nullptr;
  EFI_STATUS Status = BS->LoadImage(FALSE, ImageHandle, FilePath, nullptr, 0, &Loaded);
  FreePool(FilePath);
  if (EFI_ERROR(Status)) {
    return Status;
  }
  return BS->StartImage(Loaded, nullptr, nullptr);
}

// Reads the first bytes of \orvane-mode; empty when there is none.
void ReadMode(EFI_HANDLE Device, char *Mode, UINTN Size) {
  Mode[0] = 0;
  EFI_FILE_HANDLE Root = LibOpenRoot(Device);
  if (Root == nullptr) {
    return;
  }
  EFI_FILE_HANDLE File = nullptr;
  if (Root->Open(Root, &File, W("\\orvane-mode"), EFI_FILE_MODE_READ, 0) == EFI_SUCCESS) {
    UINTN Read = Size - 1;
    if (File->Read(File, &Read, Mode) == EFI_SUCCESS) {
      Mode[Read] = 0;
    }
    File->Close(File);
  }
  Root->Close(Root);
}

bool StartsWith(const char *S, const char *Prefix) {
  while (*Prefix != 0) {
    if (*S++ != *Prefix++) return false;
  }
  return true;
}

// ---------------------------------------------------------------- setup screen

void TellReady(UINTN Handled) { Line().Text("READY ").Dec((INT64)Handled).Emit(); }

// The console's keys, and every absolute pointer: the one that answers is used.
SetupDevices FindDevices() {
  SetupDevices D = {};
  D.ConIn = ST->ConIn;
  D.Rt = RT;
  D.Ready = TellReady;
  BS->HandleProtocol(ST->ConsoleInHandle, &SimpleTextInputExProtocol, (void **)&D.Keys);
  UINTN Count = 0;
  EFI_HANDLE *Handles = nullptr;
  if (BS->LocateHandleBuffer(ByProtocol, &AbsolutePointerProtocol, nullptr, &Count, &Handles) ==
      EFI_SUCCESS) {
    for (UINTN I = 0; I < Count && D.PointerCount < 4; I++) {
      EFI_ABSOLUTE_POINTER_PROTOCOL *P = nullptr;
      if (BS->HandleProtocol(Handles[I], &AbsolutePointerProtocol, (void **)&P) == EFI_SUCCESS &&
          P != nullptr && P->Mode != nullptr) {
        D.Pointers[D.PointerCount++] = P;
      }
    }
    FreePool(Handles);
  }
  Line()
      .Text("INFO input ")
      .Text(D.Keys ? "text-input-ex" : "con-in")
      .Text(", pointers ")
      .Dec((INT64)D.PointerCount)
      .Emit();
  return D;
}

void Shutdown() {
  Line L;
  L.Text("DONE ").Dec((INT64)ChecksPassed()).Text(" passed, ").Dec((INT64)ChecksFailed());
  L.Text(" failed");
  L.Emit();
  RT->ResetSystem(EfiResetShutdown, EFI_SUCCESS, 0, nullptr);
}

}  // namespace

// gnu-efi's crt0 calls this with the System V convention.
extern "C" EFI_STATUS efi_main(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  InitializeLib(ImageHandle, SystemTable);
  EFI_SERIAL_IO_PROTOCOL *Serial = nullptr;
  BS->LocateProtocol(&gEfiSerialIoProtocolGuid, nullptr, (void **)&Serial);
  SetSerialPort(Serial);
  BS->SetWatchdogTimer(0, 0, 0, nullptr);
  // The text console's cursor would otherwise appear on the pictures.
  ST->ConOut->EnableCursor(ST->ConOut, FALSE);

  EFI_LOADED_IMAGE *Self = nullptr;
  BS->HandleProtocol(ImageHandle, &gEfiLoadedImageProtocolGuid, (void **)&Self);
  char Mode[16];
  ReadMode(Self->DeviceHandle, Mode, sizeof(Mode));
  bool Checking = StartsWith(Mode, "e2e");
  bool Touring = StartsWith(Mode, "tour");
  Line().Text("START ").Text(Checking ? "e2e" : Touring ? "tour" : "demo").Emit();

  EFI_STATUS Shim = LoadAndStart(ImageHandle, Self->DeviceHandle, W("\\platform-shim.efi"));
  EFI_STATUS Driver = LoadAndStart(ImageHandle, Self->DeviceHandle, W("\\orvane.efi"));
  SceneContext C = {nullptr, nullptr, BS, nullptr, Snapshot, Midway, nullptr, 0, 0, nullptr, 0};
  BS->LocateProtocol(&gOrvaneUiProtocolGuid, nullptr, (void **)&C.Ui);
  BS->LocateProtocol(&gOrvaneBannerProtocolGuid, nullptr, (void **)&C.Banner);
  BS->LocateProtocol(&gEfiGraphicsOutputProtocolGuid, nullptr, (void **)&C.Gop);
  Line D;
  D.Text("shim ").Hex(Shim).Text(", driver ").Hex(Driver).Text(", interfaces ");
  D.Text(C.Ui ? "ui " : "").Text(C.Banner ? "banner " : "").Text(C.Gop ? "graphics" : "");
  bool Published = Shim == EFI_SUCCESS && Driver == EFI_SUCCESS && C.Ui != nullptr &&
                   C.Banner != nullptr && C.Gop != nullptr && C.Ui->ImageHandle != nullptr;
  Report("driver-loaded", Published, D);
  if (C.Gop != nullptr) {
    ReportDisplay(C.Gop);
  }
  if (!Published) {
    Shutdown();
    return EFI_NOT_FOUND;
  }

  if (Checking) {
    RunFirmwareChecks(C);
    C.Ui->SetVideoMode(1024, 768);
    ReportDisplay(C.Gop);
    DrawPrimitiveScene(C);
    Snapshot(&C, "primitives");
    // Every primitive of the scene must have answered 0; a scene of refusals would
    // match the host's picture just as well.
    Line D2;
    D2.Dec((INT64)C.Calls).Text(" calls, ").Dec((INT64)C.FailedCalls).Text(" failed");
    if (C.FailedCalls != 0) {
      D2.Text(", first ").Text(C.FirstFailedCall).Text(" with ").Hex(C.FirstFailedStatus);
    }
    Report("primitive-calls", C.FailedCalls == 0, D2);
  } else {
    if (C.Ui->SetVideoMode(1024, 768) != EFI_SUCCESS) {
      Line().Text("INFO 1024x768 is not offered").Emit();
    }
    // Timed before the demo starts: the demo's end may be the machine's.
    ReportScreenTiming(C, [](const char *Text) { Line().Text("INFO ").Text(Text).Emit(); });
    if (Touring) {
      RunDemo(C);
    } else {
      RunSetupScreen(C, FindDevices());
      // The farewell picture stays a moment before the machine goes off.
      BS->Stall(kFarewellStallMicroseconds);
    }
    Line L;
    L.Text("INFO demo made ").Dec((INT64)C.Calls).Text(" calls, ").Dec((INT64)C.FailedCalls);
    L.Text(" failed");
    if (C.FailedCalls != 0) {
      L.Text(", first ").Text(C.FirstFailedCall).Text(" with ").Hex(C.FirstFailedStatus);
    }
    L.Emit();
  }
  Shutdown();
  return EFI_SUCCESS;
}
