// Firmware checks of the option popup: the close box and row hit points of a
// popup at (100, 100) ("option-popup-close-box", "option-popup-rows"), and a
// 13-item popup defined at (900, 100) that must move to (709, 95), paint there
// and be taken off the screen again by closing ("option-popup-move").
#include "frontend/checks.h"

namespace {

CHAR16 *const kItems[13] = {W("One"),    W("Two"),    W("Three"),   W("Four"), W("Five"),
                            W("Six"),    W("Seven"),  W("Eight"),   W("Nine"), W("Ten"),
                            W("Eleven"), W("Twelve"), W("Thirteen")};

// A reset set with kind 0 (entry 0) defined at (X, Y); the icon is freed by Drop.
struct Popup {
  const SceneContext &S;
  OptionPopupSet Set = {};
  const CHAR16 *Items[13] = {};
  EFI_STATUS Defined = EFI_NOT_READY;

  Popup(const SceneContext &Scene, INT32 X, INT32 Y, UINT16 Count) : S(Scene) {
    for (UINTN I = 0; I < 13; I++) Items[I] = kItems[I];
    S.Ui->ResetOptionPopups(&Set);
    Defined = S.Ui->DefineOptionPopup(&Set, X, Y, 0, W("Options"), Count, Items);
  }
  ~Popup() {
    if (Set.state.savedBackground != nullptr) S.Ui->CloseOptionPopup(&Set);
    FreePixels(S, Set.entries[0].icon);
  }
  UINTN Track(INT32 X, INT32 Y, UINT16 Kind) {
    return S.Ui->TrackOptionPopup(&Set, 0, X, Y, Kind, 0);
  }
};

void CloseBox(const CheckContext &C) {
  Popup P(*C.Scene, 100, 100, 4);
  UINTN Press = P.Track(388, 114, 1);
  UINT8 Pressed = P.Set.state.closeState;
  P.Track(404, 130, 2);
  UINT8 Hot = P.Set.state.closeState;
  UINTN Outside = P.Track(388, 113, 1);
  UINT8 Normal = P.Set.state.closeState;
  CheckText D;
  D.Text("press at (388, 114) answered ").Dec(Press).Text(" state ").Dec(Pressed);
  D.Text("; hover at (404, 130) state ").Dec(Hot);
  D.Text("; press at (388, 113) answered ").Dec(Outside).Text(" state ").Dec(Normal);
  C.Report("option-popup-close-box",
           P.Defined == EFI_SUCCESS && Press == 8 && Pressed == 2 && Hot == 1 && Outside == 0 &&
               Normal == 0,
           D.Get());
}

void Rows(const CheckContext &C) {
  Popup P(*C.Scene, 100, 100, 4);
  struct {
    INT32 Row;
    UINT16 Focus;
  } Hits[] = {{168, 0}, {211, 0}, {212, 128}, {213, 128}, {214, 1}, {257, 1}, {348, 128}};
  bool Pass = P.Defined == EFI_SUCCESS;
  CheckText D;
  D.Text("focus by row:");
  for (auto &H : Hits) {
    P.Track(200, H.Row, 2);
    D.Text(" ").Dec((UINT64)H.Row).Text("->").Dec(P.Set.state.focus);
    Pass = Pass && P.Set.state.focus == H.Focus;
  }
  P.Track(200, 230, 1);
  const OptionPopupState &S = P.Set.state;
  D.Text("; press at 230: focus ").Dec(S.focus).Text(" dragging ").Dec((UINT64)S.dragging);
  D.Text(" grab ").Dec(S.grab).Text(" offset ").Dec(S.dragOffset);
  Pass = Pass && S.focus == 1 && S.dragging == 1 && S.grab == 18 && S.dragOffset == 45;
  C.Report("option-popup-rows", Pass, D.Get());
}

// Screen pixels of (X, Y, W, H) that differ from Before (row width W).
UINTN Differences(const SceneContext &S, const ORVANE_PIXEL *Before, UINT32 X, UINT32 Y, UINT32 W,
                  UINT32 H) {
  ORVANE_PIXEL *Now = AllocPixels(S, (UINTN)W * H);
  UINTN Wrong = (UINTN)W * H;
  if (Now != nullptr && ReadScreen(S, Now, X, Y, W, H)) {
    Wrong = 0;
    for (UINTN I = 0; I < (UINTN)W * H; I++) {
      Wrong += Now[I].Blue != Before[I].Blue || Now[I].Green != Before[I].Green ||
               Now[I].Red != Before[I].Red;
    }
  }
  FreePixels(S, Now);
  return Wrong;
}

void Move(const CheckContext &C) {
  const SceneContext &S = *C.Scene;
  FillScreen(S, 0x00304050);
  for (UINT32 I = 0; I < 24; I++)
    FillScreenRect(S, 640 + I * 16, 60 + I * 28, 300, 9, 0x00A08020 + I);
  Popup P(S, 900, 100, 13);
  const OptionPopupEntry &E = P.Set.entries[0];
  ORVANE_PIXEL *Before = AllocPixels(S, 315 * 673);
  bool Read = Before != nullptr && ReadScreen(S, Before, 709, 95, 315, 673);
  EFI_STATUS Painted = S.Ui->PaintOptionPopup(&P.Set);
  UINTN Drawn = Read ? Differences(S, Before, 709, 95, 315, 673) : 0;
  EFI_STATUS Closed = S.Ui->CloseOptionPopup(&P.Set);
  UINTN Left = Read ? Differences(S, Before, 709, 95, 315, 673) : 1;
  EFI_STATUS Again = S.Ui->CloseOptionPopup(&P.Set);
  FreePixels(S, Before);
  CheckText D;
  D.Text("placed at (").Dec((UINT64)E.x).Text(", ").Dec((UINT64)E.y).Text(") ");
  D.Dec(E.width).Text("x").Dec(E.height).Text("; paint ").Dec(Painted).Text(" changed ").Dec(Drawn);
  D.Text(" pixels; close ").Dec(Closed).Text(" left ").Dec(Left).Text(" changed; closing again ");
  D.Dec(Again);
  C.Report("option-popup-move",
           P.Defined == EFI_SUCCESS && E.x == 709 && E.y == 95 && E.height == 673 &&
               Painted == EFI_SUCCESS && Drawn > 100000 && Closed == EFI_SUCCESS && Left == 0 &&
               Again == EFI_NOT_FOUND,
           D.Get());
}

}  // namespace

void OptionPopupChecks(const CheckContext &C) {
  CloseBox(C);
  Rows(C);
  Move(C);
}
