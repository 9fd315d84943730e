// The setup front-end's scenes. The same code runs inside firmware (the
// setup-demo application) and on the host against the simulated firmware, so
// the two can be compared pixel for pixel. Nothing here may call the EFI
// Library or the C library: everything goes through the tables in the context.
#pragma once
#include "driver/protocol.h"

struct SceneContext;

// Called at each moment worth keeping as a picture, and before each transition.
typedef void (*SCENE_SNAPSHOT)(const SceneContext *Context, const char *Name);

struct SceneContext {
  ORVANE_UI_PROTOCOL *Ui;
  ORVANE_BANNER_PROTOCOL *Banner;
  EFI_BOOT_SERVICES *Bs;              // pool memory
  EFI_GRAPHICS_OUTPUT_PROTOCOL *Gop;  // the screen the driver draws on
  SCENE_SNAPSHOT Snapshot;            // may be NULL
  SCENE_SNAPSHOT Announce;            // a transition starts; may be NULL
  void *Owner;                        // for the snapshot callback
  // Toolkit calls made by the scenes, and those that did not answer 0.
  mutable UINTN Calls;
  mutable UINTN FailedCalls;
  mutable const char *FirstFailedCall;
  mutable UINTN FirstFailedStatus;
};

// Every toolkit call is counted; the first status other than 0 is remembered.
inline UINTN Tally(const SceneContext &C, UINTN Status, const char *Name) {
  C.Calls++;
  if (Status != 0 && C.FailedCalls++ == 0) {
    C.FirstFailedCall = Name;
    C.FirstFailedStatus = Status;
  }
  return Status;
}
// A counted call through the context C in scope: UI(FillRect, ...).
#define UI(Operation, ...) Tally(C, C.Ui->Operation(__VA_ARGS__), #Operation)

// Screen helpers that do not depend on the toolkit.
void FillScreenRect(const SceneContext &C, UINT32 X, UINT32 Y, UINT32 W, UINT32 H, UINT32 Color);
void FillScreen(const SceneContext &C, UINT32 Color);
// Reads W x H screen pixels at (X, Y) into Pixels (row width W); false on a Blt error.
bool ReadScreen(const SceneContext &C, ORVANE_PIXEL *Pixels, UINT32 X, UINT32 Y, UINT32 W,
                UINT32 H);

// The boot entries the list popup of the demo and of the soak offers.
inline constexpr UINT16 kBootEntryCount = 14;
const CHAR16 *const *BootEntries();

// Pool helpers: NULL on failure; FreePixels accepts NULL.
ORVANE_PIXEL *AllocPixels(const SceneContext &C, UINTN Count);
void FreePixels(const SceneContext &C, void *Pixels);

// The fixed scene of non-text primitives that firmware and host must draw identically.
void DrawPrimitiveScene(const SceneContext &C);

// Demo stages; each leaves its picture on the screen and calls Snapshot where named.
void DemoPens(const SceneContext &C);          // "pens"
void DemoText(const SceneContext &C);          // "text"
void DemoShapes(const SceneContext &C);        // "shapes"
void DemoDim(const SceneContext &C);           // "dim", "restored"
void DemoTransitions(const SceneContext &C);   // "wipe", "dissolve"
void DemoFinal(const SceneContext &C);         // "final"
void DemoSettings(const SceneContext &C);      // "settings"
void DemoStatus(const SceneContext &C);        // "status"
void DemoListPopup(const SceneContext &C);     // "list-popup"
void DemoOptionPopups(const SceneContext &C);  // "option-popups"
void DemoDock(const SceneContext &C);          // "dock"
void DemoDialog(const SceneContext &C);        // "dialog"
void RunDemo(const SceneContext &C);           // all of the above in order

inline constexpr UINT32 kSceneWidth = 1024;
inline constexpr UINT32 kSceneHeight = 768;
