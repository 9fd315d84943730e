// Reading and writing the settings variable.
#include "frontend/setup/settings.h"

#include "frontend/setup/sha256.h"

namespace {

constinit EFI_GUID gVendor = ORVANE_SETUP_VENDOR_GUID;

void CopyBytes(void *To, const void *From, UINTN Size) {
  for (UINTN I = 0; I < Size; I++) {
    static_cast<UINT8 *>(To)[I] = static_cast<const UINT8 *>(From)[I];
  }
}

}  // namespace

const char *SetupRecordStatusText(UINT16 Status) {
  switch (Status) {
    case kRecordLoaded: return "loaded";
    case kRecordMissing: return "missing";
    case kRecordTooShort: return "too short";
    case kRecordTooLong: return "too long";
    case kRecordOtherVersion: return "of another version";
    case kRecordBadSize: return "with a wrong size field";
    case kRecordBadChecksum: return "with a bad checksum";
    case kRecordBadValue: return "with a value out of range";
    default: return "unreadable";
  }
}

UINT32 SetupRecordChecksum(const SetupRecord &R) {
  SetupRecord Copy = R;
  Copy.Checksum = 0;
  Sha256 H;
  Sha256Start(H);
  Sha256Add(H, &Copy, sizeof(Copy));
  UINT8 Digest[kSha256Bytes];
  Sha256Finish(H, Digest);
  WipeBytes(&Copy, sizeof(Copy));
  return (UINT32)Digest[0] | (UINT32)Digest[1] << 8 | (UINT32)Digest[2] << 16 |
         (UINT32)Digest[3] << 24;
}

void SetupSealRecord(SetupRecord &R) {
  R.Version = kSetupRecordVersion;
  R.Size = sizeof(SetupRecord);
  R.Checksum = SetupRecordChecksum(R);
}

UINT16 SetupParseRecord(const void *Data, UINTN Size, SetupRecord &Out) {
  // The version comes first, so that another version's record is named as such
  // whatever its length.
  if (Data == nullptr || Size < 4) return kRecordTooShort;
  UINT16 Version, Stated;
  CopyBytes(&Version, Data, 2);
  CopyBytes(&Stated, static_cast<const UINT8 *>(Data) + 2, 2);
  if (Version != kSetupRecordVersion) return kRecordOtherVersion;
  if (Size < sizeof(SetupRecord)) return kRecordTooShort;
  if (Size > sizeof(SetupRecord)) return kRecordTooLong;
  if (Stated != sizeof(SetupRecord)) return kRecordBadSize;
  SetupRecord R;
  CopyBytes(&R, Data, sizeof(R));
  if (R.Checksum != SetupRecordChecksum(R)) return kRecordBadChecksum;
  Out = R;
  return kRecordLoaded;
}

UINT16 SetupReadRecord(EFI_RUNTIME_SERVICES *Rt, SetupRecord &Out) {
  if (Rt == nullptr) return kRecordUnreadable;
  // One byte more than a record: a longer variable does not fit and says so.
  UINT8 Buffer[sizeof(SetupRecord) + 1];
  UINTN Size = sizeof(Buffer);
  UINT32 Attributes = 0;
  const EFI_STATUS Status =
      Rt->GetVariable(W(ORVANE_SETUP_VARIABLE_NAME), &gVendor, &Attributes, &Size, Buffer);
  UINT16 Result;
  if (Status == EFI_NOT_FOUND) {
    Result = kRecordMissing;
  } else if (Status == EFI_BUFFER_TOO_SMALL) {
    Result = kRecordTooLong;
  } else if (Status != EFI_SUCCESS || Size > sizeof(Buffer)) {
    Result = kRecordUnreadable;
  } else {
    Result = SetupParseRecord(Buffer, Size, Out);
  }
  WipeBytes(Buffer, sizeof(Buffer));
  return Result;
}

EFI_STATUS SetupWriteRecord(EFI_RUNTIME_SERVICES *Rt, SetupRecord R) {
  if (Rt == nullptr) return EFI_NOT_READY;
  SetupSealRecord(R);
  const EFI_STATUS Status = Rt->SetVariable(W(ORVANE_SETUP_VARIABLE_NAME), &gVendor,
                                            kSetupVariableAttributes, sizeof(R), &R);
  WipeBytes(&R, sizeof(R));
  return Status;
}
