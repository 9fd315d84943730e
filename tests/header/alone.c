/* The toolkit's header on its own brings the UEFI types it needs. */
#include <orvane.h>

_Static_assert(ORVANE_RGB(0x12, 0x34, 0x56) == 0x00123456, "colour");
_Static_assert(sizeof(OptionPopupSet) == 9 * 56 + 32, "option popup set");
int OrvaneHeaderAlone(void) { return ORVANE_LIST_HIT_CLOSE + ORVANE_OPTION_NO_FOCUS; }
