// An EFI application for a test machine in setup mode: enrols Secure Boot keys
// from its own volume, \db.auth, \KEK.auth and \PK.auth (authenticated
// signature lists, as efitools' sign-efi-sig-list writes them), with
// SetVariable. PK goes last: once it is set the machine leaves setup mode,
// and Secure Boot is enforced from the next boot on. Each write is reported
// on serial ("CHECK enroll-<name> PASS|FAIL"), then the modes read back
// ("INFO setup-mode <n> secure-boot <n>"); then the machine shuts down.
#include "frontend/report.h"
#include "platform/guids.h"

namespace {

// db lives under the image security database's GUID, PK and KEK are global.

constexpr UINT32 kAuthenticatedAttributes =
    EFI_VARIABLE_NON_VOLATILE | EFI_VARIABLE_BOOTSERVICE_ACCESS | EFI_VARIABLE_RUNTIME_ACCESS |
    EFI_VARIABLE_TIME_BASED_AUTHENTICATED_WRITE_ACCESS;

struct List {
  const char *Name;
  const CHAR16 *Variable;
  EFI_GUID *Guid;
  const CHAR16 *File;
};

constinit const List kLists[] = {
    {"db", W("db"), &gImageSecurityDatabaseGuid, W("\\db.auth")},
    {"KEK", W("KEK"), &gEfiGlobalVariableGuid, W("\\KEK.auth")},
    {"PK", W("PK"), &gEfiGlobalVariableGuid, W("\\PK.auth")},
};

// The whole file in pool memory; NULL when it cannot be read.
UINT8 *ReadFile(EFI_FILE_HANDLE Root, const CHAR16 *Path, UINTN *Size) {
  EFI_FILE_HANDLE File = nullptr;
  if (Root->Open(Root, &File, const_cast<CHAR16 *>(Path), EFI_FILE_MODE_READ, 0) != EFI_SUCCESS) {
    return nullptr;
  }
  UINT8 *Data = nullptr;
  EFI_FILE_INFO *Info = LibFileInfo(File);
  if (Info != nullptr && Info->FileSize > 0) {
    *Size = Info->FileSize;
    Data = static_cast<UINT8 *>(AllocatePool(*Size));
    if (Data != nullptr &&
        (File->Read(File, Size, Data) != EFI_SUCCESS || *Size != Info->FileSize)) {
      FreePool(Data);
      Data = nullptr;
    }
  }
  if (Info != nullptr) FreePool(Info);
  File->Close(File);
  return Data;
}

// A one-byte global variable, or -1 when it cannot be read.
INT64 ModeByte(const CHAR16 *Name) {
  UINT8 Value = 0;
  UINTN Size = sizeof(Value);
  EFI_STATUS Status =
      RT->GetVariable(const_cast<CHAR16 *>(Name), &gEfiGlobalVariableGuid, nullptr, &Size, &Value);
  return Status == EFI_SUCCESS && Size == 1 ? Value : -1;
}

}  // namespace

extern "C" EFI_STATUS efi_main(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  InitializeLib(ImageHandle, SystemTable);
  EFI_SERIAL_IO_PROTOCOL *Serial = nullptr;
  BS->LocateProtocol(&gEfiSerialIoProtocolGuid, nullptr, (void **)&Serial);
  SetSerialPort(Serial);
  Line().Text("START enroll").Emit();
  Line().Text("INFO before setup-mode ").Dec(ModeByte(W("SetupMode"))).Emit();

  EFI_LOADED_IMAGE *Self = nullptr;
  BS->HandleProtocol(ImageHandle, &gEfiLoadedImageProtocolGuid, (void **)&Self);
  EFI_FILE_HANDLE Root = Self != nullptr ? LibOpenRoot(Self->DeviceHandle) : nullptr;
  for (const List &L : kLists) {
    char Name[24] = "enroll-";
    for (UINTN I = 0; L.Name[I] != 0; I++) Name[7 + I] = L.Name[I];
    UINTN Size = 0;
    UINT8 *Data = Root != nullptr ? ReadFile(Root, L.File, &Size) : nullptr;
    Line D;
    if (Data == nullptr) {
      Report(Name, false, D.Text("cannot read ").Text(L.File));
      continue;
    }
    EFI_STATUS Status = RT->SetVariable(const_cast<CHAR16 *>(L.Variable), L.Guid,
                                        kAuthenticatedAttributes, Size, Data);
    FreePool(Data);
    D.Text("SetVariable ").Text(L.Variable).Text(" with ").Dec((INT64)Size).Text(" bytes: ");
    Report(Name, Status == EFI_SUCCESS, D.Hex(Status));
  }
  if (Root != nullptr) Root->Close(Root);

  Line M;
  M.Text("INFO after setup-mode ").Dec(ModeByte(W("SetupMode")));
  M.Text(" secure-boot ").Dec(ModeByte(W("SecureBoot"))).Emit();
  Line Done;
  Done.Text("DONE ").Dec((INT64)ChecksPassed()).Text(" passed, ").Dec((INT64)ChecksFailed());
  Done.Text(" failed").Emit();
  RT->ResetSystem(EfiResetShutdown, EFI_SUCCESS, 0, nullptr);
  return EFI_SUCCESS;
}
