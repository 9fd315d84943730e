// Where a loaded image came from, so that a second copy can be loaded from
// the same place: a file on a volume, or a file of a firmware volume.
#pragma once
#include "platform/efi.h"

// The full device path Image was loaded from, in pool memory (the caller
// frees it), or NULL. The firmware's own record (the loaded image's device
// path) when it keeps one, else the device handle's path joined with the
// image's file path: a file path on a file system, or an FvFile node on a
// firmware volume's handle, both of which LoadImage takes whole.
EFI_DEVICE_PATH *ImageSource(EFI_BOOT_SERVICES *Bs, EFI_HANDLE Image);

// Whether Path names a file of a firmware volume (an FvFile node) rather than
// a file on a file system.
bool FromFirmwareVolume(const EFI_DEVICE_PATH *Path);
