// Call budgets of the control slots: the Blt calls and float-service calls of
// a representative call of each slot 1 to 32 (init, paint, tracking), and of
// the whole setup screen. A paint that starts sending row by row or goes back
// to a float call per pixel fails here before anyone measures it.
#include <cstdio>
#include <functional>
#include <vector>

#include "controls/status/scroll_bar.h"
#include "frontend/screen_timing.h"
#include "tests/fixture.h"
#include "tests/scene_util.h"

namespace {

struct Budget {
  int Slot;
  const char *Name;
  UINTN Answer;    // what the call must answer: a measured failure proves nothing
  uint64_t Blt;    // at most this many Blt calls
  uint64_t Float;  // at most this many float-service calls
  std::function<UINTN()> Call;
};

class ControlBudget : public DriverTest {
 protected:
  // Runs each call once under fresh counters and holds it to its budget.
  void Hold(const std::vector<Budget> &Budgets) {
    for (const Budget &B : Budgets) {
      sim::ResetStats();
      const UINTN Answer = B.Call();
      const uint64_t Blt = sim::Stats().BltCalls, Float = sim::Stats().FloatCalls;
      if (getenv("ORVANE_PRINT_BUDGETS") != nullptr) {
        std::printf("slot %2d %-20s answer %zu blt %llu float %llu\n", B.Slot, B.Name,
                    (size_t)Answer, (unsigned long long)Blt, (unsigned long long)Float);
      }
      EXPECT_EQ(Answer, B.Answer) << "slot " << B.Slot << " " << B.Name;
      EXPECT_LE(Blt, B.Blt) << "Blt calls of slot " << B.Slot << " " << B.Name;
      EXPECT_LE(Float, B.Float) << "float calls of slot " << B.Slot << " " << B.Name;
    }
  }
};

const CHAR16 *const kItems[8] = {W("UEFI Shell"),         W("Hard disk 0"),    W("NVMe drive"),
                                 W("USB stick"),          W("Network (IPv4)"), W("DVD drive"),
                                 W("Recovery partition"), W("Memory test")};

TEST_F(ControlBudget, ListPopupSlots) {
  ListPopup P = {};
  ListPopupView View = {};
  Hold({
      {1, "OpenListPopup", 0, 0, 0,
       [&] { return Ui->OpenListPopup(&P, 40, 80, 360, 200, W("Boot order"), 0, 8, kItems, 2); }},
      {2, "PaintListPopup", 0, 2, 1859, [&] { return Ui->PaintListPopup(&P); }},
      {3, "ScrollListPopup", 0, 0, 0, [&] { return Ui->ScrollListPopup(&P, 0, 20); }},
      {4, "HitTestListPopup", ORVANE_LIST_HIT_LIST, 0, 6,
       [&] { return Ui->HitTestListPopup(&P, P.x + 60, P.y + P.titleHeight + 30, 2); }},
      {6, "GetListPopupView", 0, 0, 129, [&] { return Ui->GetListPopupView(&P, &View); }},
      {5, "CloseListPopup", 0, 0, 0, [&] { return Ui->CloseListPopup(&P); }},
  });
}

TEST_F(ControlBudget, StatusSlots) {
  CHAR16 *Lines[] = {W("Save changes and exit?")};
  CHAR16 *Captions[] = {W("Yes"), W("No")};
  MessageBox Box = {};
  std::vector<ORVANE_PIXEL> Bar(460 * 24);
  Hold({
      {7, "DrawGaugePanel", 0, 2, 151,
       [&] {
         return Ui->DrawGaugePanel(20, 20, 420, 90, W("CPU"), W("Load"), W("Temp"), W("Core"), 50,
                                   100);
       }},
      {8, "InitMessageBox", 0, 0, 0,
       [&] { return Ui->InitMessageBox(&Box, 300, 200, 0, 0, 1, Lines, 2, Captions); }},
      {9, "HitTestMessageBox", 0, 0, 0,
       [&] {
         return Ui->HitTestMessageBox(&Box, Box.X + Box.ButtonsLeft + 20,
                                      Box.Y + Box.TextTop + Box.TextHeight + Box.ButtonMargin + 10);
       }},
      {10, "PaintMessageBox", 0, 2, 142, [&] { return Ui->PaintMessageBox(&Box); }},
      {11, "DrawDividerStrip", 0, 1, 0,
       [&] { return Ui->DrawDividerStrip(20, 400, 460, 30, 1, 230, 1); }},
      {12, "DrawScrollBar", 0, 2, 303,
       [&] { return Ui->DrawScrollBar(990, 36, 300, 50, 10, 11, 2); }},
      {13, "HitTestScrollBar", kScrollTrackBelow, 0, 0,
       [&] { return (UINTN)Ui->HitTestScrollBar(990, 36, 300, 50, 10, 11, 998, 36 + 120); }},
      {14, "DrawTile", 0, 2, 653, [&] { return Ui->DrawTile(540, 266, 180, 110, 0); }},
      {15, "DrawProgressBar", 0, 0, 252,
       [&] { return Ui->DrawProgressBar(Bar.data(), 0, 0, 0, 0, 460, 24, W("Copying"), 53); }},
      {16, "DrawDottedRule", 0, 2, 0, [&] { return Ui->DrawDottedRule(20, 516, 460); }},
  });
}

TEST_F(ControlBudget, DialogAndRowSlots) {
  const CHAR16 *Buttons[2] = {W("OK"), W("Cancel")};
  InputDialog D = {};
  SettingRow R = {};
  Hold({
      {17, "InitInputDialog", 0, 0, 0,
       [&] {
         return Ui->InitInputDialog(&D, 60, 40, 300, 200, W("Machine name"), 1, W("Name:"),
                                    W("Orvane 42"), 20, 1, 2, Buttons);
       }},
      {18, "HitTestInputDialog", 0, 0, 0,
       [&] { return Ui->HitTestInputDialog(&D, D.x + 10, D.y + 2 * D.fieldTop + 84 + 10); }},
      {19, "PaintInputDialog", 0, 2, 1905, [&] { return Ui->PaintInputDialog(&D); }},
      {20, "InitSettingRow", 0, 0, 0,
       [&] {
         return Ui->InitSettingRow(&R, 80, 400, 600, 240, 120, 0, 5, 0, 0, 0, W("Fan speed"),
                                   W("Auto"), 1, 4, 0);
       }},
      {21, "PaintSettingRow", 0, 2, 0, [&] { return Ui->PaintSettingRow(&R); }},
      {22, "TrackSettingSlider", 0, 0, 6, [&] { return Ui->TrackSettingSlider(&R, 385, 405); }},
  });
}

TEST_F(ControlBudget, ReadoutAndDockSlots) {
  CHAR16 Clock[] = {'1', '2', ':', '3', '4', 0};
  const CHAR16 *Labels[8] = {W("Home"),    W("Settings"), W("Files"), W("Processor"),
                             W("Display"), W("Network"),  W("Power"), W("About")};
  UINT16 Flags[8] = {0x00, 0x11, 0x02, 0x83, 0x94, 0x05, 0x06, 0x17};
  UINT16 Active[8] = {0, 0, 0, 0, 0, 0, 1, 0};
  DigitReadout R = {};
  IconDock Dock = {};
  Hold({
      {23, "InitDigitReadout", 0, 1, 0,
       [&] { return Ui->InitDigitReadout(&R, 80, 450, Clock, 0, 1); }},
      {24, "PaintDigitReadout", 0, 1, 0, [&] { return Ui->PaintDigitReadout(&R); }},
      {25, "InitIconDock", 0, 1, 0,
       [&] { return Ui->InitIconDock(&Dock, 120, 170, 8, Labels, Flags, Active); }},
      {26, "TrackIconDock", 0, 0, 0,
       [&] { return Ui->TrackIconDock(&Dock, 120 + 4 * 51 + 20, 190, 2, 0); }},
      {27, "PaintIconDock", 0, 2, 0, [&] { return Ui->PaintIconDock(&Dock); }},
  });
  if (R.text != Clock) Fw.SystemTable()->BootServices->FreePool(R.text);
  Fw.SystemTable()->BootServices->FreePool(R.background);
  Fw.SystemTable()->BootServices->FreePool(Dock.stripBackground);
}

TEST_F(ControlBudget, OptionPopupSlots) {
  const CHAR16 *Items[4] = {W("Performance"), W("Balanced"), W("Quiet"), W("Power saver")};
  OptionPopupSet S = {};
  const OptionPopupEntry &E = S.entries[0];
  Hold({
      {28, "ResetOptionPopups", 0, 0, 0, [&] { return Ui->ResetOptionPopups(&S); }},
      {29, "DefineOptionPopup", 0, 0, 0,
       [&] { return Ui->DefineOptionPopup(&S, 420, 300, 0, W("Fan profile"), 4, Items); }},
      {30, "TrackOptionPopup", 0, 0, 0,
       [&] { return Ui->TrackOptionPopup(&S, 0, E.x + 100, E.y + 67 + 46 + 20, 2, 0); }},
      {31, "PaintOptionPopup", 0, 3, 2445, [&] { return Ui->PaintOptionPopup(&S); }},
      {32, "CloseOptionPopup", 0, 1, 0, [&] { return Ui->CloseOptionPopup(&S); }},
  });
  for (OptionPopupEntry &Entry : S.entries) {
    if (Entry.icon != nullptr) Fw.SystemTable()->BootServices->FreePool(Entry.icon);
  }
}

// The whole setup screen: one Blt per control shown, float calls summed.
TEST_F(ControlBudget, WholeSetupScreen) {
  SceneContext C = SceneContextOf(Fw);
  SetupScreen S;
  PrepareSetupScreen(C, S);
  sim::ResetStats();
  PaintEveryControlOnce(C, S);
  const uint64_t Blt = sim::Stats().BltCalls, Float = sim::Stats().FloatCalls;
  ReleaseSetupScreen(C, S);
  if (getenv("ORVANE_PRINT_BUDGETS") != nullptr) {
    std::printf("screen blt %llu float %llu\n", (unsigned long long)Blt, (unsigned long long)Float);
  }
  EXPECT_EQ(C.FailedCalls, 0u) << C.FirstFailedCall;
  EXPECT_LE(Blt, 36u);
  EXPECT_LE(Float, 8508u);
}

}  // namespace
