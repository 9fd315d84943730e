// Demo stage of the icon dock: one dock hovered, with badges and the label of
// the hovered item below it, and a larger one with an item being dragged.
#include "frontend/scenes.h"

namespace {

constexpr UINT32 kText = 0x00D8E4C8;

CHAR16 *const kLabels[10] = {W("Home"),    W("Settings"), W("Files"), W("Processor"),  W("Display"),
                             W("Network"), W("Power"),    W("About"), W("Boot order"), W("Clock")};

}  // namespace

void DemoDock(const SceneContext &C) {
  UI(DrawRectangle, nullptr, 0, 0, 0, 0, 1024, 768, 1, 5, 0x00142818, 0x00060C08);
  UI(DrawText, 0x00FFFFFF, nullptr, 2000, 40, 30, W("Icon dock"));
  UI(DrawText, kText, nullptr, 1000, 40, 110,
     W("Hovered: the label of the item under the pointer shows below the row"));
  UI(DrawText, kText, nullptr, 1000, 40, 330,
     W("Dragged: the item follows the pointer, its slot shows the placeholder"));

  // Eight items: badges (first, second, third), one highlighted without focus.
  const CHAR16 *Labels1[8];
  UINT16 Flags1[8] = {0x00, 0x11, 0x02, 0x83, 0x94, 0x05, 0x06, 0x17};
  UINT16 Active1[8] = {0, 0, 0, 0, 0, 0, 1, 0};
  for (int I = 0; I < 8; I++) Labels1[I] = kLabels[I];
  IconDock Hovered = {};
  UI(InitIconDock, &Hovered, 120, 170, 8, Labels1, Flags1, Active1);
  UI(TrackIconDock, &Hovered, 120 + 4 * 51 + 20, 190, 2, 0);
  UI(PaintIconDock, &Hovered);

  // Ten items (the closer spacing); item 3 picked up and moved 26 pixels right.
  const CHAR16 *Labels2[10];
  UINT16 Flags2[10] = {0x00, 0x01, 0x92, 0x13, 0x04, 0x85, 0x06, 0x07, 0x01, 0x03};
  UINT16 Active2[10] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 0};
  for (int I = 0; I < 10; I++) Labels2[I] = kLabels[I];
  IconDock Dragged = {};
  UI(InitIconDock, &Dragged, 120, 390, 10, Labels2, Flags2, Active2);
  UI(TrackIconDock, &Dragged, 120 + 3 * 47 + 10, 410, 1, 0);
  UI(TrackIconDock, &Dragged, 120 + 3 * 47 + 36, 412, 1, 0);
  UI(PaintIconDock, &Dragged);

  // Keys: the focus stepped to the last item, its label against the strip's right end.
  UI(DrawText, kText, nullptr, 1000, 40, 530,
     W("Keys: the focus stepped along the row, without wrapping"));
  IconDock Keys = {};
  UI(InitIconDock, &Keys, 420, 590, 8, Labels1, Flags1, Active1);
  for (int I = 0; I < 9; I++) UI(TrackIconDock, &Keys, 0, 0, 2, 2);
  UI(PaintIconDock, &Keys);

  if (C.Snapshot != nullptr) C.Snapshot(&C, "dock");
  FreePixels(C, Hovered.stripBackground);
  FreePixels(C, Dragged.stripBackground);
  FreePixels(C, Keys.stripBackground);
}
