/* gnu-efi without GNU_EFI_USE_MS_ABI: EFIAPI is empty, and the header must
   refuse to compile rather than call every slot the System V way. */
#include <efi.h>
#include <orvane.h>
