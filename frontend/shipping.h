// What the front-end needs to ship the drivers: telling why the firmware
// refused an image, and installing the drivers as Driver#### load options.
// Everything goes through the tables it is given, so the host tests run it
// against the simulated firmware.
#pragma once
#include "platform/efi.h"

// What an image file's headers say of its signature: a PE/COFF image signs
// itself with a certificate table, named by the fifth data directory.
enum class ImageSignature { NotAnImage, Unsigned, Signed };

// Head holds the first HeadSize bytes of the file.
ImageSignature InspectImageSignature(const UINT8 *Head, UINTN HeadSize);

// Why LoadImage answered Status for an image whose headers say Signature,
// as a short sentence for a person.
const char *LoadRefusalReason(EFI_STATUS Status, ImageSignature Signature);

// The path a load option stores for File on the volume at Volume: from the
// volume's hard-drive (partition) node on, so the firmware finds the
// partition by its signature wherever the disk sits; the whole path where the
// volume has no such node. A pool block (the caller frees it), or NULL.
EFI_DEVICE_PATH *LoadOptionPath(EFI_BOOT_SERVICES *Bs, const EFI_DEVICE_PATH *Volume,
                                const CHAR16 *File);

// An active EFI_LOAD_OPTION with Description and Path, no optional data, in
// a pool block of *Size bytes (the caller frees it), or NULL.
UINT8 *BuildLoadOption(EFI_BOOT_SERVICES *Bs, const CHAR16 *Description,
                       const EFI_DEVICE_PATH *Path, UINTN *Size);

struct DriverOption {
  const CHAR16 *Description;
  const EFI_DEVICE_PATH *Path;  // ends in a file path node
  UINT16 Number;                // set by InstallDriverOptions: the #### it took
};

// Writes each option as Driver#### and DriverOrder with the options last, in
// the order given: the firmware starts driver options strictly in that order,
// once each, so a driver must come after what it needs. An option already in
// DriverOrder for a file of the same name keeps its number and is rewritten;
// otherwise the lowest unused number is taken. Other options keep their places.
EFI_STATUS InstallDriverOptions(EFI_BOOT_SERVICES *Bs, EFI_RUNTIME_SERVICES *Rt,
                                DriverOption *Options, UINTN Count);

// "Driver" and four upper-case hex digits, NUL-terminated.
void DriverOptionName(UINT16 Number, CHAR16 Name[11]);
