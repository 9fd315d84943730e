// The setup front-end, booted as \EFI\BOOT\BOOTX64.EFI. It loads from its own
// volume whichever of the platform shim and the driver the firmware has not
// loaded already (from Driver#### load options or the firmware volume, say),
// then, as the file \orvane-mode says, runs the interactive setup screen
// ("demo", or no file), the firmware checks ("e2e"), the tour of every
// control's stage ("tour"), or installs both drivers as load options
// ("install"). Without the file (started from the firmware volume, say), the
// last word of its load options names the mode.
// What it reports goes to the serial port: OVMF's text console would draw
// over the graphics screen. An image that will not load or start is the
// exception: a person at the screen is told too.
#include "frontend/checks.h"
#include "frontend/report.h"
#include "frontend/scenes.h"
#include "frontend/screen_timing.h"
#include "frontend/setup/panel.h"
#include "frontend/setup/run.h"
#include "frontend/shipping.h"
#include "frontend/usb_connect.h"
#include "platform/guids.h"

namespace {

constexpr UINTN kSnapshotStallMicroseconds = 1500000;
constexpr UINTN kFarewellStallMicroseconds = 3000000;
constexpr UINT32 kPanelMargin = 0x00080E13;  // around the layout on a larger panel

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

constinit bool gConsoleCleared = false;

// A line on the text console, and the same on serial as "INFO say <text>".
// The first one clears the console, so that the screen holds these lines alone.
void Tell(const Line &Text) {
  if (!gConsoleCleared) {
    gConsoleCleared = true;
    ST->ConOut->ClearScreen(ST->ConOut);
    UINTN Columns = 0, Rows = 0;
    ST->ConOut->QueryMode(ST->ConOut, ST->ConOut->Mode->Mode, &Columns, &Rows);
    Line().Text("INFO console ").Dec((INT64)Columns).Text("x").Dec((INT64)Rows).Emit();
  }
  Line().Text("INFO say ").Append(Text).Emit();
  CHAR16 Wide[128];
  for (UINTN At = 0; At < Text.Length();) {
    UINTN N = 0;
    while (N + 1 < sizeof(Wide) / sizeof(Wide[0]) && At < Text.Length()) {
      Wide[N++] = (CHAR16)(UINT8)Text.Data()[At++];
    }
    Wide[N] = 0;
    ST->ConOut->OutputString(ST->ConOut, Wide);
  }
  ST->ConOut->OutputString(ST->ConOut, W("\r\n"));
}

Line &StatusText(Line &L, EFI_STATUS Status) {
  CHAR16 Name[64];
  StatusToString(Name, Status);
  return L.Text(Name).Text(" (").Hex(Status).Text(")");
}

// The first bytes of a file on the volume, to read its headers; 0 when it cannot be read.
UINTN ReadHead(EFI_HANDLE Device, const CHAR16 *Path, UINT8 *Head, UINTN Size) {
  EFI_FILE_HANDLE Root = LibOpenRoot(Device);
  if (Root == nullptr) return 0;
  EFI_FILE_HANDLE File = nullptr;
  UINTN Read = 0;
  if (Root->Open(Root, &File, const_cast<CHAR16 *>(Path), EFI_FILE_MODE_READ, 0) == EFI_SUCCESS) {
    Read = Size;
    if (File->Read(File, &Read, Head) != EFI_SUCCESS) Read = 0;
    File->Close(File);
  }
  Root->Close(Root);
  return Read;
}

// One of the two drivers the front-end needs, and how it came to be there.
struct Component {
  const CHAR16 *File;                   // on the front-end's own volume
  const CHAR16 *Description;            // of its load option
  EFI_GUID *Services[2];                // what it publishes: present means loaded already
  bool Present = false;                 // found before the front-end loaded anything
  EFI_STATUS Status = EFI_NOT_STARTED;  // of its load and start, when it was loaded here

  bool Publishes() const {
    for (EFI_GUID *Guid : Services) {
      void *Interface = nullptr;
      if (BS->LocateProtocol(Guid, nullptr, &Interface) != EFI_SUCCESS) return false;
    }
    return true;
  }
  bool Available() const { return Present || Status == EFI_SUCCESS; }
};

// Where the image that publishes Guid came from: FvFile(<file GUID>) when the
// firmware's dispatcher loaded it from a firmware volume, else its file path.
Line &Origin(Line &L, EFI_GUID *Guid) {
  UINTN Count = 0;
  EFI_HANDLE *Handles = nullptr;
  EFI_LOADED_IMAGE *Image = nullptr;
  if (BS->LocateHandleBuffer(ByProtocol, Guid, nullptr, &Count, &Handles) == EFI_SUCCESS) {
    BS->HandleProtocol(Handles[0], &gEfiLoadedImageProtocolGuid, (void **)&Image);
    FreePool(Handles);
  }
  if (Image == nullptr || Image->FilePath == nullptr) return L.Text("unknown");
  EFI_DEVICE_PATH *Node = Image->FilePath;
  // The EFI Library cannot name a firmware file node.
  if (DevicePathType(Node) == MEDIA_DEVICE_PATH &&
      DevicePathSubType(Node) == MEDIA_PIWG_FW_FILE_DP) {
    CHAR16 Text[40];
    GuidToString(Text, reinterpret_cast<EFI_GUID *>(reinterpret_cast<UINT8 *>(Node) + 4));
    return L.Text("FvFile(").Text(Text).Text(")");
  }
  CHAR16 *Text = DevicePathToStr(Node);
  if (Text == nullptr) return L.Text("unknown");
  L.Text(Text);
  FreePool(Text);
  return L;
}

// Loads and starts the component from the volume unless it is there already.
// A refusal or a failed start is told on serial and on the screen, with the
// reason; the front-end goes on without the component.
void Provide(EFI_HANDLE ImageHandle, EFI_HANDLE Device, Component &Part) {
  Part.Present = Part.Publishes();
  if (Part.Present) {
    Line L;
    L.Text("INFO image ").Text(Part.File).Text(" present before the front-end, from ");
    Origin(L, Part.Services[0]).Emit();
    return;
  }
  EFI_DEVICE_PATH *FilePath = FileDevicePath(Device, const_cast<CHAR16 *>(Part.File));
  if (FilePath == nullptr) {
    Part.Status = EFI_OUT_OF_RESOURCES;
    return;
  }
  EFI_HANDLE Loaded = nullptr;
  Part.Status = BS->LoadImage(FALSE, ImageHandle, FilePath, nullptr, 0, &Loaded);
  FreePool(FilePath);
  if (EFI_ERROR(Part.Status)) {
    // A deferred image still has a handle, which nothing else will unload.
    if (Loaded != nullptr) BS->UnloadImage(Loaded);
    UINT8 Head[1024];
    const UINTN HeadSize = ReadHead(Device, Part.File, Head, sizeof(Head));
    Line L, Why;
    L.Text("Orvane: ").Text(Part.File).Text(" was refused, ");
    Tell(StatusText(L, Part.Status).Text(":"));
    Why.Text("  ").Text(LoadRefusalReason(Part.Status, InspectImageSignature(Head, HeadSize)));
    Tell(Why.Text("."));
    return;
  }
  Part.Status = BS->StartImage(Loaded, nullptr, nullptr);
  if (EFI_ERROR(Part.Status)) {
    Line L;
    L.Text("Orvane: ").Text(Part.File).Text(" did not start, ");
    StatusText(L, Part.Status);
    Tell(L.Text(Part.Status == EFI_NOT_FOUND ? ":" : "."));
    if (Part.Status == EFI_NOT_FOUND) Tell(Line().Text("  a service it needs is missing."));
    return;
  }
  Line().Text("INFO image ").Text(Part.File).Text(" loaded").Emit();
}

// A one-byte global variable as text: its value, or "absent".
Line &ModeByte(Line &L, const CHAR16 *Name) {
  UINT8 Value = 0;
  UINTN Size = sizeof(Value);
  if (RT->GetVariable(const_cast<CHAR16 *>(Name), &gEfiGlobalVariableGuid, nullptr, &Size,
                      &Value) == EFI_SUCCESS &&
      Size == 1) {
    return L.Dec(Value);
  }
  return L.Text("absent");
}

// Writes Driver#### options for the shim and the driver, in that order, with
// the paths of their files on the front-end's volume; reports "CHECK install".
void Install(EFI_HANDLE Device, Component *Parts, UINTN Count) {
  Line D;
  DriverOption Options[2] = {};
  EFI_DEVICE_PATH *Volume = DevicePathFromHandle(Device);
  EFI_STATUS Status = Volume != nullptr && Count <= 2 ? EFI_SUCCESS : EFI_NOT_FOUND;
  for (UINTN I = 0; I < Count && Status == EFI_SUCCESS; I++) {
    // A driver the firmware loaded from elsewhere may not be on this volume.
    UINT8 Probe[2];
    if (ReadHead(Device, Parts[I].File, Probe, sizeof(Probe)) != sizeof(Probe)) {
      Line L;
      Tell(L.Text("Orvane: ").Text(Parts[I].File).Text(" is not on this volume."));
      Status = EFI_NOT_FOUND;
      break;
    }
    Options[I].Description = Parts[I].Description;
    Options[I].Path = LoadOptionPath(BS, Volume, Parts[I].File);
    if (Options[I].Path == nullptr) Status = EFI_OUT_OF_RESOURCES;
  }
  if (Status == EFI_SUCCESS) Status = InstallDriverOptions(BS, RT, Options, Count);
  if (Status == EFI_SUCCESS) {
    for (UINTN I = 0; I < Count; I++) {
      CHAR16 Name[11];
      DriverOptionName(Options[I].Number, Name);
      CHAR16 *Text = DevicePathToStr(const_cast<EFI_DEVICE_PATH *>(Options[I].Path));
      Line L, Path;
      Tell(L.Text("Orvane: installed ")
               .Text(Name)
               .Text(" \"")
               .Text(Parts[I].Description)
               .Text("\""));
      Tell(Path.Text("  loading ").Text(Text != nullptr ? Text : W("?")));
      if (Text != nullptr) FreePool(Text);
      D.Text(Name).Text(" ").Text(Parts[I].File).Text(", ");
    }
    D.Text("DriverOrder");
    UINT16 Order[32];
    UINTN Size = sizeof(Order);
    if (RT->GetVariable(W("DriverOrder"), &gEfiGlobalVariableGuid, nullptr, &Size, Order) ==
        EFI_SUCCESS) {
      for (UINTN I = 0; I < Size / 2; I++) D.Text(" ").Hex(Order[I]);
    }
  } else {
    Line L;
    L.Text("Orvane: the load options could not be written, ");
    Tell(StatusText(L, Status));
    D.Text("not written: ").Hex(Status);
  }
  for (UINTN I = 0; I < Count; I++) {
    if (Options[I].Path != nullptr) FreePool(const_cast<EFI_DEVICE_PATH *>(Options[I].Path));
  }
  Report("install", Status == EFI_SUCCESS, D);
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

// Without a mode file: the last word of the load options, UCS-2 text.
void ModeFromLoadOptions(const EFI_LOADED_IMAGE *Self, char *Mode, UINTN Size) {
  const CHAR16 *Text = static_cast<const CHAR16 *>(Self->LoadOptions);
  if (Text == nullptr) return;
  UINTN End = Self->LoadOptionsSize / sizeof(CHAR16);
  while (End > 0 && (Text[End - 1] == 0 || Text[End - 1] == ' ')) End--;
  UINTN Start = End;
  while (Start > 0 && Text[Start - 1] != ' ' && Text[Start - 1] != 0) Start--;
  UINTN N = 0;
  for (UINTN I = Start; I < End && N + 1 < Size; I++) {
    Mode[N++] = Text[I] < 0x80 ? static_cast<char>(Text[I]) : '?';
  }
  Mode[N] = 0;
}

bool StartsWith(const char *S, const char *Prefix) {
  while (*Prefix != 0) {
    if (*S++ != *Prefix++) return false;
  }
  return true;
}

// ---------------------------------------------------------------- setup screen

void TellReady(UINTN Handled) { Line().Text("READY ").Dec((INT64)Handled).Emit(); }
void TellNote(const char *What, const char *Detail) {
  Line().Text("INFO ").Text(What).Text(Detail).Emit();
}

// The console's keys, and every absolute pointer: the one that answers is used.
// The console splitter's pointer stands in only when there is no device's:
// once a tablet is connected the splitter reads it too, taking each change
// before the tablet's own pointer can give it, in its own rescaled units.
SetupDevices FindDevices() {
  SetupDevices D = {};
  D.ConIn = ST->ConIn;
  D.Rt = RT;
  D.Ready = TellReady;
  D.Note = TellNote;
  BS->HandleProtocol(ST->ConsoleInHandle, &SimpleTextInputExProtocol, (void **)&D.Keys);
  UINTN Count = 0;
  EFI_HANDLE *Handles = nullptr;
  if (BS->LocateHandleBuffer(ByProtocol, &AbsolutePointerProtocol, nullptr, &Count, &Handles) ==
      EFI_SUCCESS) {
    for (int Splitter = 0; Splitter < 2 && D.PointerCount == 0; Splitter++) {
      for (UINTN I = 0; I < Count && D.PointerCount < 4; I++) {
        EFI_ABSOLUTE_POINTER_PROTOCOL *P = nullptr;
        if ((Handles[I] == ST->ConsoleInHandle) == (Splitter == 1) &&
            BS->HandleProtocol(Handles[I], &AbsolutePointerProtocol, (void **)&P) == EFI_SUCCESS &&
            P != nullptr && P->Mode != nullptr) {
          D.Pointers[D.PointerCount++] = P;
        }
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
  if (Mode[0] == 0) ModeFromLoadOptions(Self, Mode, sizeof(Mode));
  bool Checking = StartsWith(Mode, "e2e");
  bool Touring = StartsWith(Mode, "tour");
  bool Installing = StartsWith(Mode, "install");
  Line()
      .Text("START ")
      .Text(Checking     ? "e2e"
            : Touring    ? "tour"
            : Installing ? "install"
                         : "demo")
      .Emit();
  Line SecureBoot;
  SecureBoot.Text("INFO secure-boot ");
  ModeByte(SecureBoot, W("SecureBoot")).Text(" setup-mode ");
  ModeByte(SecureBoot, W("SetupMode")).Emit();

  // The shim first: the driver's entry needs the services it brings.
  Component Parts[] = {
      {W("\\platform-shim.efi"),
       W("Orvane platform shim"),
       {&gFloatMathProtocolGuid, &gPrintProtocolGuid}},
      {W("\\orvane.efi"),
       W("Orvane UI toolkit"),
       {&gOrvaneUiProtocolGuid, &gOrvaneBannerProtocolGuid}},
  };
  for (Component &Part : Parts) {
    Provide(ImageHandle, Self->DeviceHandle, Part);
  }
  // The tablet's driver attaches when a USB handle is connected: a shim loaded
  // here came after the boot manager's connecting, and the boot manager may
  // have left the tablet alone anyway.
  const UINTN UsbFunctions = ConnectUsbFunctions(BS);
  Line().Text("INFO usb functions ").Dec((INT64)UsbFunctions).Text(" connected").Emit();
  SceneContext C = {nullptr, nullptr, BS, nullptr, Snapshot, Midway, nullptr, 0, 0, nullptr, 0};
  BS->LocateProtocol(&gOrvaneUiProtocolGuid, nullptr, (void **)&C.Ui);
  BS->LocateProtocol(&gOrvaneBannerProtocolGuid, nullptr, (void **)&C.Banner);
  BS->LocateProtocol(&gEfiGraphicsOutputProtocolGuid, nullptr, (void **)&C.Gop);
  Line D;
  for (const Component &Part : Parts) {
    D.Text(Part.File + 1).Text(" ");
    (Part.Present ? D.Text("present") : D.Text("loaded ").Hex(Part.Status)).Text(", ");
  }
  D.Text("interfaces ");
  D.Text(C.Ui ? "ui " : "").Text(C.Banner ? "banner " : "").Text(C.Gop ? "graphics" : "");
  bool Published = Parts[0].Available() && Parts[1].Available() && C.Ui != nullptr &&
                   C.Banner != nullptr && C.Gop != nullptr && C.Ui->ImageHandle != nullptr;
  Report("driver-loaded", Published, D);
  if (C.Gop != nullptr) {
    ReportDisplay(C.Gop);
  }
  if (Installing && Published) {
    Install(Self->DeviceHandle, Parts, 2);
    // The lines stay a moment for a person to read.
    Snapshot(&C, "installed");
    Shutdown();
    return EFI_SUCCESS;
  }
  if (!Published) {
    Line L;
    Tell(L.Text("Orvane: the toolkit is not available; there is nothing to show."));
    Snapshot(&C, "unavailable");
    Shutdown();
    return EFI_NOT_FOUND;
  }

  if (Checking) {
    RunFirmwareChecks(C);
    RefusedImageChecks(C, ImageHandle, Self->DeviceHandle);
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
    // The setup screen takes any panel; the tour's pictures are 1024x768 ones.
    SetupPanel Panel = {};
    if (Touring && C.Ui->SetVideoMode(1024, 768) != EFI_SUCCESS) {
      Line().Text("INFO 1024x768 is not offered").Emit();
    } else if (!Touring && !SetupPlaceOnPanel(C, Panel, kPanelMargin)) {
      Line().Text("INFO no mode holds 1024x768: setup runs cut in the mode found").Emit();
    } else if (!Touring) {
      Line L;
      L.Text("INFO panel ").Dec(Panel.Width).Text("x").Dec(Panel.Height).Text(", layout at ");
      L.Dec(Panel.X).Text(",").Dec(Panel.Y).Emit();
    }
    // Timed before the demo starts: the demo's end may be the machine's.
    ReportScreenTiming(C, [](const char *Text) { Line().Text("INFO ").Text(Text).Emit(); });
    if (Touring) {
      RunDemo(C);
    } else {
      SetupDevices Devices = FindDevices();
      Devices.Panel = &Panel;
      RunSetupScreen(C, Devices);
      // The farewell picture stays a moment before the machine goes off.
      BS->Stall(kFarewellStallMicroseconds);
      SetupLeavePanel(Panel);
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
