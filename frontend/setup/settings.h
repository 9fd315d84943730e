// The settings setup keeps across reboots: one non-volatile variable under the
// front-end's own vendor GUID, holding a fixed record with its version, its
// size and a checksum. Anything else found there is not trusted: setup starts
// from its defaults and says why.
#pragma once
#include "platform/efi.h"

inline constexpr UINT16 kSetupPages = 5;
inline constexpr UINT16 kSetupMaxRows = 5;
inline constexpr UINT16 kSetupMaxItems = 12;
inline constexpr UINT16 kSetupPasswordChars = 16;
inline constexpr UINTN kSetupSaltBytes = 16;
inline constexpr UINTN kSetupHashBytes = 32;

inline constexpr UINT16 kSetupRecordVersion = 1;
#define ORVANE_SETUP_VARIABLE_NAME "OrvaneSetup"
// {5B0C6A7E-3D2F-4E51-9A8B-6C1D2E3F4A5B}
#define ORVANE_SETUP_VENDOR_GUID                                                   \
  {                                                                                \
    0x5b0c6a7e, 0x3d2f, 0x4e51, { 0x9a, 0x8b, 0x6c, 0x1d, 0x2e, 0x3f, 0x4a, 0x5b } \
  }
inline constexpr UINT32 kSetupVariableAttributes =
    EFI_VARIABLE_NON_VOLATILE | EFI_VARIABLE_BOOTSERVICE_ACCESS | EFI_VARIABLE_RUNTIME_ACCESS;

// Bytes in this order, little-endian, no padding.
struct SetupRecord {
  UINT16 Version;
  UINT16 Size;      // of the whole record
  UINT32 Checksum;  // the record's SHA-256, first four bytes, with this field zero
  UINT8 Value[kSetupPages][kSetupMaxRows];  // item picked on choice and list rows; else 0
  UINT8 BootOrder[kSetupMaxItems];          // the boot entry shown at each place
  UINT8 DockOrder[kSetupPages];             // the page at each dock place
  UINT8 FanStep;                            // the fan duty slider's step
  UINT8 PasswordSet;                        // 0 or 1
  UINT8 PasswordSalt[kSetupSaltBytes];
  UINT8 PasswordHash[kSetupHashBytes];
};
static_assert(sizeof(SetupRecord) == 100, "the variable's layout");

// Why the kept settings were or were not used.
enum SetupRecordStatus : UINT16 {
  kRecordLoaded = 0,
  kRecordMissing,
  kRecordTooShort,
  kRecordTooLong,
  kRecordOtherVersion,
  kRecordBadSize,  // its size field disagrees with the variable's size
  kRecordBadChecksum,
  kRecordBadValue,  // a value names nothing the pages offer
  kRecordUnreadable,
};
const char *SetupRecordStatusText(UINT16 Status);

UINT32 SetupRecordChecksum(const SetupRecord &R);
// Version, size and checksum filled in.
void SetupSealRecord(SetupRecord &R);
// Checks Size bytes at Data and copies them to Out when they are a sealed
// record of this version; reads nothing past Size. The values are left to
// SetupRecordValid.
UINT16 SetupParseRecord(const void *Data, UINTN Size, SetupRecord &Out);
// Reads and parses the variable.
UINT16 SetupReadRecord(EFI_RUNTIME_SERVICES *Rt, SetupRecord &Out);
// Seals R and writes the variable.
EFI_STATUS SetupWriteRecord(EFI_RUNTIME_SERVICES *Rt, SetupRecord R);
