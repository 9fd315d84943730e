// A whole setup screen timed: every control of the toolkit painted once on a
// 1024 x 768 screen, beside one full-screen BlitToScreen of the same run, with
// the time spent inside the font service counted apart. The firmware run and
// the host benchmark use the same composition.
#pragma once
#include "frontend/scenes.h"

// The controls in the order they are painted (the six setting rows as one step).
inline constexpr UINTN kSetupScreenSteps = 14;

// The records of the screen's controls, filled by PrepareSetupScreen.
struct SetupScreen {
  IconDock Dock;
  const CHAR16 *DockLabels[8];  // the dock reorders its labels in place
  SettingRow Rows[6];
  DigitReadout Clock;
  CHAR16 ClockText[8];
  ListPopup List;
  MessageBox Box;
  InputDialog Dialog;
  OptionPopupSet Options;
  const CHAR16 *OptionItems[4];
  ORVANE_PIXEL *Progress;  // the progress bar's own buffer
  // Time-stamp counter ticks of each control's paint in the last PaintEveryControlOnce.
  UINT64 Ticks[kSetupScreenSteps];
};

// Fills the backdrop and initialises every control (texts measured, layouts
// fixed); the screen then holds what the paints go over.
void PrepareSetupScreen(const SceneContext &C, SetupScreen &S);
// Paints every control once, each over what the ones before it left.
void PaintEveryControlOnce(const SceneContext &C, SetupScreen &S);
// Closes what the controls keep (popup masks, saved backgrounds, buffers).
void ReleaseSetupScreen(const SceneContext &C, SetupScreen &S);

// Starts and stops counting the time spent in the font service's
// StringToImage and in the pool (AllocatePool, FreePool outside the font
// service): both are wrapped while counting. False when there is no font service.
bool CountServiceTime(const SceneContext &C, bool On);
UINT64 FontTicks();
UINT64 FontCalls();

// Times the screen (prepared, painted once under the counters, one full-screen
// BlitToScreen of what it left, released) and reports two lines through Info:
// "screen-timing <ratio>x full-screen-blit, font <a>x, freeing font images <b>x,
// other pool <c>x, toolkit <d>x ..." and
// "screen-timing-steps <control> <ratio>x ..." (each control's paint in full-screen blits).
typedef void (*SCREEN_TIMING_INFO)(const char *Text);
void ReportScreenTiming(const SceneContext &C, SCREEN_TIMING_INFO Info);
