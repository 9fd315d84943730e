#include "text/text.h"
UINTN EFIAPI DrawText(UINT32, ORVANE_PIXEL *, Milli, UINT16, UINT16, const CHAR16 *, ...) { return EFI_UNSUPPORTED; }
UINTN EFIAPI RenderText(Milli, TextImage *, const CHAR16 *) { return EFI_UNSUPPORTED; }
