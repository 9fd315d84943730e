// The same header in a C++ front-end.
#include <orvane.h>

static_assert(sizeof(ListPopup) == 64, "list popup");
int OrvaneHeaderInCpp(const ORVANE_UI_PROTOCOL *Ui, ListPopup *Popup) {
  return (int)OrvaneListPopupSelect(Ui, Popup, 2) + ORVANE_PEN_ROUND9;
}
