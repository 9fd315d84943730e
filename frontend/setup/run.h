// Running the setup screen on firmware input: keys through Simple Text Input
// Ex (or the plain console input), the pointer through every Absolute Pointer
// the firmware offers, the clock from the real-time clock.
#pragma once
#include "frontend/setup/panel.h"
#include "frontend/setup/setup_screen.h"

struct SetupDevices {
  EFI_SIMPLE_TEXT_INPUT_EX_PROTOCOL *Keys;  // NULL: ConIn serves
  SIMPLE_INPUT_INTERFACE *ConIn;            // may be NULL
  EFI_ABSOLUTE_POINTER_PROTOCOL *Pointers[4];
  UINTN PointerCount;
  EFI_RUNTIME_SERVICES *Rt;  // the clock; may be NULL
  // Told when the screen has handled input and is settled: "READY <n>".
  void (*Ready)(UINTN Handled);
  // Told once what became of the kept settings, a save, or a refusal: the two
  // texts one after the other make a line. May be NULL.
  void (*Note)(const char *What, const char *Detail);
  // Where the layout sits on the panel; NULL: the layout is the screen.
  const SetupPanel *Panel;
};

// Plays the screen until it is left.
void RunSetupScreen(const SceneContext &C, const SetupDevices &D);

// The pieces of the loop, shown here so the host can check them.
// A key as the screen takes it; false for keys the screen has no use for.
bool SetupKeyFromFirmware(const EFI_INPUT_KEY &Key, SetupInput &Out);
// The pointer's state in screen pixels (Width x Height); false when the
// pointer's range is empty. SetupPointerOnLayout then moves it into the
// layout placed at (X, Y), clamped to its edges.
bool SetupPointerFromFirmware(const EFI_ABSOLUTE_POINTER_MODE &Mode,
                              const EFI_ABSOLUTE_POINTER_STATE &State, UINT32 Width, UINT32 Height,
                              SetupInput &Out);
void SetupPointerOnLayout(SetupInput &E, UINT32 X, UINT32 Y);
// "HH:MM" of a time.
void SetupClockText(const EFI_TIME &Time, CHAR16 *Text);
