// Demo stage of the list popup: a scrolled list with a selected row, a hot
// row and the scroll bar, beside a short list whose rows all fit.
#include "frontend/scenes.h"

namespace {

constexpr UINT32 kBackdrop = 0x00182028;

}  // namespace

void DemoListPopup(const SceneContext &C) {
  FillScreen(C, kBackdrop);
  ORVANE_PIXEL Back = {0x28, 0x20, 0x18, 0};
  UI(DrawText, 0x00C8D0E0, &Back, 1000, 20, 8,
     W("List popups: scrolled with a selection, a hot row and the scroll bar; all rows fitting"));

  ListPopup List = {};
  UI(OpenListPopup, &List, 60, 120, 420, 300, W("Boot order"), 0, kBootEntryCount, BootEntries(),
     7);
  List.selectedRow = 5;
  UI(ScrollListPopup, &List, 0, 30);
  UI(PaintListPopup, &List);
  UI(CloseListPopup, &List);

  const CHAR16 *Modes[4] = {W("Performance"), W("Balanced"), W("Quiet"), W("Power saver")};
  ListPopup Short = {};
  UI(OpenListPopup, &Short, 560, 160, 360, 200, W("Fan profile"), 1, 4, Modes, 2);
  Short.selectedRow = 1;
  Short.closeState = 1;
  UI(PaintListPopup, &Short);
  UI(CloseListPopup, &Short);

  if (C.Snapshot != nullptr) {
    C.Snapshot(&C, "list-popup");
  }
}
