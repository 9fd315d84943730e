#include "frontend/shipping.h"

namespace {

constexpr UINT32 kOptionAttributes =
    EFI_VARIABLE_NON_VOLATILE | EFI_VARIABLE_BOOTSERVICE_ACCESS | EFI_VARIABLE_RUNTIME_ACCESS;
// A path longer than this, or with more nodes, is taken for a damaged one.
constexpr UINTN kMaxPathBytes = 4096;
constexpr UINTN kMaxOptions = 64;

UINT32 Read16(const UINT8 *P) { return (UINT32)P[0] | ((UINT32)P[1] << 8); }
UINT32 Read32(const UINT8 *P) { return Read16(P) | (Read16(P + 2) << 16); }

UINTN NodeLength(const EFI_DEVICE_PATH *Node) {
  return Read16(reinterpret_cast<const UINT8 *>(Node) + 2);
}
bool IsEnd(const EFI_DEVICE_PATH *Node) {
  return Node->Type == END_DEVICE_PATH_TYPE && Node->SubType == END_ENTIRE_DEVICE_PATH_SUBTYPE;
}
const EFI_DEVICE_PATH *Next(const EFI_DEVICE_PATH *Node) {
  return reinterpret_cast<const EFI_DEVICE_PATH *>(reinterpret_cast<const UINT8 *>(Node) +
                                                   NodeLength(Node));
}

// The bytes of Path before its end node, or kMaxPathBytes + 1 when it is
// damaged or does not end within Limit bytes.
UINTN PathBytes(const EFI_DEVICE_PATH *Path, UINTN Limit = kMaxPathBytes) {
  UINTN Bytes = 0;
  for (const EFI_DEVICE_PATH *Node = Path;; Node = Next(Node)) {
    if (Bytes + 4 > Limit) return kMaxPathBytes + 1;
    if (IsEnd(Node)) return Bytes;
    if (NodeLength(Node) < 4) return kMaxPathBytes + 1;
    Bytes += NodeLength(Node);
  }
}

UINTN StrBytes(const CHAR16 *S) {
  UINTN N = 0;
  while (S[N] != 0) N++;
  return (N + 1) * sizeof(CHAR16);
}

void Copy(EFI_BOOT_SERVICES *Bs, void *To, const void *From, UINTN Bytes) {
  if (Bytes != 0) Bs->CopyMem(To, const_cast<void *>(From), Bytes);
}

void *Allocate(EFI_BOOT_SERVICES *Bs, UINTN Bytes) {
  void *P = nullptr;
  return Bs->AllocatePool(EfiBootServicesData, Bytes, &P) == EFI_SUCCESS ? P : nullptr;
}

CHAR16 Lower(CHAR16 C) { return C >= 'A' && C <= 'Z' ? (CHAR16)(C - 'A' + 'a') : C; }

// The file name a path ends in (its last file path node, after the last
// backslash), compared without regard to ASCII case.
struct FileName {
  const CHAR16 *Text = nullptr;
  UINTN Length = 0;

  static FileName Of(const EFI_DEVICE_PATH *Path, UINTN Limit) {
    FileName F;
    if (PathBytes(Path, Limit) > kMaxPathBytes) return F;
    for (const EFI_DEVICE_PATH *Node = Path; !IsEnd(Node); Node = Next(Node)) {
      if (Node->Type != MEDIA_DEVICE_PATH || Node->SubType != MEDIA_FILEPATH_DP) continue;
      const UINT8 *Bytes = reinterpret_cast<const UINT8 *>(Node) + 4;
      const UINTN Chars = (NodeLength(Node) - 4) / sizeof(CHAR16);
      UINTN End = 0, Start = 0;
      while (End < Chars && Read16(Bytes + 2 * End) != 0) {
        if (Read16(Bytes + 2 * End) == '\\') Start = End + 1;
        End++;
      }
      F.Text = reinterpret_cast<const CHAR16 *>(Bytes) + Start;
      F.Length = End - Start;
    }
    return F;
  }
  bool Same(const FileName &Other) const {
    if (Text == nullptr || Other.Text == nullptr || Length != Other.Length) return false;
    for (UINTN I = 0; I < Length; I++) {
      if (Lower(Text[I]) != Lower(Other.Text[I])) return false;
    }
    return true;
  }
};

// A variable in a pool block; NULL with *Status EFI_NOT_FOUND when there is none.
UINT8 *ReadVariable(EFI_BOOT_SERVICES *Bs, EFI_RUNTIME_SERVICES *Rt, const CHAR16 *Name,
                    UINTN *Size, EFI_STATUS *Status) {
  *Size = 0;
  *Status =
      Rt->GetVariable(const_cast<CHAR16 *>(Name), &gEfiGlobalVariableGuid, nullptr, Size, nullptr);
  if (*Status != EFI_BUFFER_TOO_SMALL) {
    if (*Status == EFI_SUCCESS) *Status = EFI_NOT_FOUND;  // an empty variable holds nothing
    return nullptr;
  }
  UINT8 *Data = static_cast<UINT8 *>(Allocate(Bs, *Size));
  if (Data == nullptr) {
    *Status = EFI_OUT_OF_RESOURCES;
    return nullptr;
  }
  *Status =
      Rt->GetVariable(const_cast<CHAR16 *>(Name), &gEfiGlobalVariableGuid, nullptr, Size, Data);
  if (*Status != EFI_SUCCESS) {
    Bs->FreePool(Data);
    return nullptr;
  }
  return Data;
}

bool Exists(EFI_RUNTIME_SERVICES *Rt, const CHAR16 *Name) {
  UINTN Size = 0;
  return Rt->GetVariable(const_cast<CHAR16 *>(Name), &gEfiGlobalVariableGuid, nullptr, &Size,
                         nullptr) != EFI_NOT_FOUND;
}

// Whether the option stored as Driver<Number> loads a file named Wanted.
bool OptionLoads(EFI_BOOT_SERVICES *Bs, EFI_RUNTIME_SERVICES *Rt, UINT16 Number,
                 const FileName &Wanted) {
  CHAR16 Name[11];
  DriverOptionName(Number, Name);
  UINTN Size = 0;
  EFI_STATUS Status;
  UINT8 *Option = ReadVariable(Bs, Rt, Name, &Size, &Status);
  if (Option == nullptr) return false;
  bool Same = false;
  UINTN At = 6;  // attributes, path length
  while (At + 1 < Size && Read16(Option + At) != 0) At += 2;
  At += 2;
  if (Size >= 6 && At <= Size) {
    const UINTN PathLength = Read16(Option + 4);
    if (PathLength <= Size - At) {
      Same = FileName::Of(reinterpret_cast<const EFI_DEVICE_PATH *>(Option + At), PathLength)
                 .Same(Wanted);
    }
  }
  Bs->FreePool(Option);
  return Same;
}

}  // namespace

ImageSignature InspectImageSignature(const UINT8 *Head, UINTN HeadSize) {
  if (HeadSize < 0x40 || Head[0] != 'M' || Head[1] != 'Z') return ImageSignature::NotAnImage;
  const UINTN Pe = Read32(Head + 0x3C);
  if (Pe > HeadSize || HeadSize - Pe < 24 + 2) return ImageSignature::NotAnImage;
  if (Read32(Head + Pe) != 0x00004550) return ImageSignature::NotAnImage;  // "PE\0\0"
  const UINTN OptionalSize = Read16(Head + Pe + 20);
  const UINTN Optional = Pe + 24;
  if (HeadSize - Optional < OptionalSize) return ImageSignature::NotAnImage;
  // PE32 and PE32+ differ in where the data directories start.
  UINTN CountAt, Directories;
  switch (Read16(Head + Optional)) {
    case 0x10B:
      CountAt = 92;
      Directories = 96;
      break;
    case 0x20B:
      CountAt = 108;
      Directories = 112;
      break;
    default: return ImageSignature::NotAnImage;
  }
  constexpr UINTN kSecurity = 4;
  if (OptionalSize < Directories) return ImageSignature::NotAnImage;
  const UINTN Count = Read32(Head + Optional + CountAt);
  if (Count <= kSecurity || OptionalSize < Directories + (kSecurity + 1) * 8) {
    return ImageSignature::Unsigned;
  }
  const UINT8 *Entry = Head + Optional + Directories + kSecurity * 8;
  return Read32(Entry) != 0 && Read32(Entry + 4) != 0 ? ImageSignature::Signed
                                                      : ImageSignature::Unsigned;
}

const char *LoadRefusalReason(EFI_STATUS Status, ImageSignature Signature) {
  if (Status == EFI_ACCESS_DENIED || Status == EFI_SECURITY_VIOLATION) {
    switch (Signature) {
      case ImageSignature::Unsigned: return "Secure Boot is on and the image is not signed";
      case ImageSignature::Signed:
        return "its signature is not trusted: signed with a key that is not in db, "
               "or changed after signing";
      case ImageSignature::NotAnImage: break;
    }
    return "the platform's security policy refuses it";
  }
  if (Status == EFI_NOT_FOUND) return "the file is not on the volume";
  if (Signature == ImageSignature::NotAnImage) return "the file is not a UEFI image";
  if (Status == EFI_UNSUPPORTED) return "the image is not for this machine";
  return "the firmware could not load it";
}

EFI_DEVICE_PATH *LoadOptionPath(EFI_BOOT_SERVICES *Bs, const EFI_DEVICE_PATH *Volume,
                                const CHAR16 *File) {
  const UINTN VolumeBytes = PathBytes(Volume);
  if (VolumeBytes > kMaxPathBytes) return nullptr;
  const EFI_DEVICE_PATH *From = Volume;
  for (const EFI_DEVICE_PATH *Node = Volume; !IsEnd(Node); Node = Next(Node)) {
    if (Node->Type == MEDIA_DEVICE_PATH && Node->SubType == MEDIA_HARDDRIVE_DP) {
      From = Node;
      break;
    }
  }
  const UINTN Prefix = VolumeBytes - (reinterpret_cast<const UINT8 *>(From) -
                                      reinterpret_cast<const UINT8 *>(Volume));
  const UINTN FileNode = 4 + StrBytes(File);
  if (FileNode > 0xFFFF) return nullptr;
  auto *Path = static_cast<UINT8 *>(Allocate(Bs, Prefix + FileNode + 4));
  if (Path == nullptr) return nullptr;
  Copy(Bs, Path, From, Prefix);
  UINT8 *Node = Path + Prefix;
  Node[0] = MEDIA_DEVICE_PATH;
  Node[1] = MEDIA_FILEPATH_DP;
  Node[2] = (UINT8)FileNode;
  Node[3] = (UINT8)(FileNode >> 8);
  Copy(Bs, Node + 4, File, FileNode - 4);
  UINT8 *End = Node + FileNode;
  End[0] = END_DEVICE_PATH_TYPE;
  End[1] = END_ENTIRE_DEVICE_PATH_SUBTYPE;
  End[2] = 4;
  End[3] = 0;
  return reinterpret_cast<EFI_DEVICE_PATH *>(Path);
}

UINT8 *BuildLoadOption(EFI_BOOT_SERVICES *Bs, const CHAR16 *Description,
                       const EFI_DEVICE_PATH *Path, UINTN *Size) {
  const UINTN PathSize = PathBytes(Path) + 4;
  if (PathSize > kMaxPathBytes) return nullptr;
  const UINTN DescriptionSize = StrBytes(Description);
  *Size = 4 + 2 + DescriptionSize + PathSize;
  auto *Option = static_cast<UINT8 *>(Allocate(Bs, *Size));
  if (Option == nullptr) return nullptr;
  const UINT32 Attributes = LOAD_OPTION_ACTIVE;
  Copy(Bs, Option, &Attributes, 4);
  Option[4] = (UINT8)PathSize;
  Option[5] = (UINT8)(PathSize >> 8);
  Copy(Bs, Option + 6, Description, DescriptionSize);
  Copy(Bs, Option + 6 + DescriptionSize, Path, PathSize);
  return Option;
}

void DriverOptionName(UINT16 Number, CHAR16 Name[11]) {
  const char *Prefix = "Driver";
  for (UINTN I = 0; I < 6; I++) Name[I] = (CHAR16)Prefix[I];
  for (UINTN I = 0; I < 4; I++) {
    const UINT32 Digit = (Number >> (12 - 4 * I)) & 0xF;
    Name[6 + I] = (CHAR16)(Digit < 10 ? '0' + Digit : 'A' + Digit - 10);
  }
  Name[10] = 0;
}

EFI_STATUS InstallDriverOptions(EFI_BOOT_SERVICES *Bs, EFI_RUNTIME_SERVICES *Rt,
                                DriverOption *Options, UINTN Count) {
  if (Count == 0 || Count > kMaxOptions) return EFI_INVALID_PARAMETER;
  UINTN OrderSize = 0;
  EFI_STATUS Status;
  UINT8 *OldOrder = ReadVariable(Bs, Rt, W("DriverOrder"), &OrderSize, &Status);
  if (OldOrder == nullptr && Status != EFI_NOT_FOUND) return Status;
  const UINTN OldCount = OrderSize / 2;

  // Numbers first, so nothing is written unless every option has one.
  for (UINTN I = 0; I < Count; I++) {
    const FileName Wanted = FileName::Of(Options[I].Path, kMaxPathBytes);
    if (Wanted.Text == nullptr || Wanted.Length == 0) {
      Status = EFI_INVALID_PARAMETER;
      break;
    }
    auto Taken = [&](UINT32 Number) {
      for (UINTN J = 0; J < I; J++) {
        if (Options[J].Number == Number) return true;
      }
      return false;
    };
    bool Found = false;
    for (UINTN J = 0; J < OldCount && !Found; J++) {
      const UINT16 Number = (UINT16)Read16(OldOrder + 2 * J);
      if (!Taken(Number) && OptionLoads(Bs, Rt, Number, Wanted)) {
        Options[I].Number = Number;
        Found = true;
      }
    }
    for (UINT32 Number = 0; Number <= 0xFFFF && !Found; Number++) {
      CHAR16 Name[11];
      DriverOptionName((UINT16)Number, Name);
      if (!Taken(Number) && !Exists(Rt, Name)) {
        Options[I].Number = (UINT16)Number;
        Found = true;
      }
    }
    if (!Found) {
      Status = EFI_OUT_OF_RESOURCES;
      break;
    }
    Status = EFI_SUCCESS;
  }

  for (UINTN I = 0; I < Count && Status == EFI_SUCCESS; I++) {
    UINTN Size = 0;
    UINT8 *Option = BuildLoadOption(Bs, Options[I].Description, Options[I].Path, &Size);
    if (Option == nullptr) {
      Status = EFI_OUT_OF_RESOURCES;
      break;
    }
    CHAR16 Name[11];
    DriverOptionName(Options[I].Number, Name);
    Status = Rt->SetVariable(Name, &gEfiGlobalVariableGuid, kOptionAttributes, Size, Option);
    Bs->FreePool(Option);
  }

  if (Status == EFI_SUCCESS) {
    auto *Order = static_cast<UINT8 *>(Allocate(Bs, (OldCount + Count) * 2));
    if (Order == nullptr) {
      Status = EFI_OUT_OF_RESOURCES;
    } else {
      UINTN N = 0;
      for (UINTN J = 0; J < OldCount; J++) {
        const UINT16 Number = (UINT16)Read16(OldOrder + 2 * J);
        bool Ours = false;
        for (UINTN I = 0; I < Count; I++) Ours = Ours || Options[I].Number == Number;
        if (!Ours) Copy(Bs, Order + 2 * N++, &Number, 2);
      }
      for (UINTN I = 0; I < Count; I++) Copy(Bs, Order + 2 * N++, &Options[I].Number, 2);
      Status = Rt->SetVariable(W("DriverOrder"), &gEfiGlobalVariableGuid, kOptionAttributes, N * 2,
                               Order);
      Bs->FreePool(Order);
    }
  }
  if (OldOrder != nullptr) Bs->FreePool(OldOrder);
  return Status;
}
