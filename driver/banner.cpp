#include "driver/operations.h"
CHAR16 *EFIAPI Banner(CHAR16 *) { return nullptr; }
