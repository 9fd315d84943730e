// The option popup stage: a boot-device popup whose third row has the focus,
// and a boot-order popup with its second item dragged half a row down.
#include "frontend/scenes.h"

namespace {

constexpr UINT32 kBackdrop = 0x00203040;

CHAR16 *const kDevices[] = {W("Network boot (IPv4)"), W("Internal NVMe drive"), W("USB storage"),
                            W("Optical drive"), W("UEFI shell")};
CHAR16 *const kOrder[] = {W("Windows Boot Manager"), W("debian"), W("UEFI PXE over IPv6"),
                          W("Recovery partition"), W("Memory test")};

// A front-end's set with the item list it hands over.
struct ShownPopup {
  OptionPopupSet Set;
  const CHAR16 *Items[5];
};

// Resets P and defines the five-item popup of Kind in it.
void Show(const SceneContext &C, ShownPopup &P, INT32 X, INT32 Y, UINT16 Kind, const CHAR16 *Title,
          CHAR16 *const *Items) {
  UI(ResetOptionPopups, &P.Set);
  for (UINTN I = 0; I < 5; I++) P.Items[I] = Items[I];
  UI(DefineOptionPopup, &P.Set, X, Y, Kind, Title, 5, P.Items);
}

// Closing restores the screen under a popup and frees what the paint kept;
// the icon is the record's, handed back here.
void Release(const SceneContext &C, ShownPopup &P) {
  UI(CloseOptionPopup, &P.Set);
  for (OptionPopupEntry &E : P.Set.entries) {
    FreePixels(C, E.icon);
    E.icon = nullptr;
  }
}

}  // namespace

void DemoOptionPopups(const SceneContext &C) {
  FillScreen(C, kBackdrop);
  FillScreenRect(C, 0, 0, kSceneWidth, 48, 0x00101820);
  for (UINT32 I = 0; I < 8; I++) {
    FillScreenRect(C, 40 + I * 120, 700, 100, 30, 0x00304868 + I * 0x00040404);
  }

  ShownPopup Focused = {}, Dragged = {};
  // Hovering the third row of entry 0 (kind 0) gives it the focus.
  Show(C, Focused, 80, 120, 0, W("Boot device"), kDevices);
  const OptionPopupEntry &F = Focused.Set.entries[0];
  UI(TrackOptionPopup, &Focused.Set, 0, F.x + 100, F.y + 67 + 46 * 2 + 20, 2, 0);
  UI(PaintOptionPopup, &Focused.Set);

  // Pressing the second row of entry 3 (kind 16) and moving down 15 pixels.
  Show(C, Dragged, 560, 150, 16, W("Boot order"), kOrder);
  const OptionPopupEntry &D = Dragged.Set.entries[3];
  UI(TrackOptionPopup, &Dragged.Set, 3, D.x + 120, D.y + 67 + 46 + 15, 1, 0);
  UI(TrackOptionPopup, &Dragged.Set, 3, D.x + 120, D.y + 67 + 46 + 15 + 15, 1, 0);
  UI(PaintOptionPopup, &Dragged.Set);

  if (C.Snapshot != nullptr) C.Snapshot(&C, "option-popups");

  // Both popups close; the picture stays on the screen for whoever looks next.
  ORVANE_PIXEL *Picture = AllocPixels(C, (UINTN)kSceneWidth * kSceneHeight);
  bool Kept = Picture != nullptr && ReadScreen(C, Picture, 0, 0, kSceneWidth, kSceneHeight);
  Release(C, Dragged);
  Release(C, Focused);
  if (Kept) UI(BlitToScreen, Picture, (INT32)kSceneWidth, (INT32)kSceneHeight, 0, 0);
  FreePixels(C, Picture);
}
