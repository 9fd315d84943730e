// The input dialog stage: a masked password with three buttons, the one under
// the pointer pressed; a plain text without a prompt, one button and a hot close
// box; a taller dialog with a prompt, two buttons and a pressed close box.
#include "frontend/scenes.h"

namespace {

CHAR16 *const kThree[3] = {W("OK"), W("Cancel"), W("Help")};
CHAR16 *const kOne[1] = {W("Done")};
CHAR16 *const kTwo[2] = {W("Save"), W("Discard")};

}  // namespace

void DemoDialog(const SceneContext &C) {
  // A row gradient behind the windows shows that each paints over what it captured.
  UI(DrawRectangle, nullptr, 0, 0, 0, 0, (INT32)kSceneWidth, (INT32)kSceneHeight, 1, 5, 0x00203850,
     0x00705030);

  InputDialog Password = {};
  UI(InitInputDialog, &Password, 60, 40, 300, 200, W("Supervisor password"), 1, W("Password:"),
     W("orvane-setup"), 16, 0, 3, kThree);
  // The pointer rests on the middle button, which the paint then shows pressed.
  UI(HitTestInputDialog, &Password, Password.x + Password.buttonWidth + 2 * Password.buttonGap + 10,
     Password.y + 2 * Password.fieldTop + 84 + 10);
  UI(PaintInputDialog, &Password);

  InputDialog Plain = {};
  UI(InitInputDialog, &Plain, 600, 40, 200, 150, W("Machine name"), 2, nullptr, W("Orvane 42"), 20,
     1, 1, kOne);
  Plain.closeState = 1;
  UI(PaintInputDialog, &Plain);

  InputDialog Tall = {};
  UI(InitInputDialog, &Tall, 200, 330, 560, 300, W("Asset tag"), 3, W("Tag:"), W("RACK-07/SLOT-3"),
     24, 1, 2, kTwo);
  Tall.closeState = 2;
  UI(PaintInputDialog, &Tall);

  if (C.Snapshot != nullptr) {
    C.Snapshot(&C, "dialog");
  }
}
