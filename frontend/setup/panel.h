// Setup's 1024x768 layout on any panel. A mode in use that holds the layout
// is kept: the firmware starts in the panel's own mode, and a 1024x768 picture
// scaled up to a larger panel shows blurred and stretched. A smaller mode gives
// way to 1024x768, or where that is not offered to the smallest mode that
// holds the layout. On a larger mode the layout is centred and the margin
// filled. While the layout is placed, the graphics output shows the toolkit
// and the front-end a 1024x768 screen at the layout's place: its mode record
// says 1024x768 and its block transfers are moved there and cut at the
// layout's edge.
#pragma once
#include "frontend/scenes.h"

struct SetupPanel {
  EFI_GRAPHICS_OUTPUT_PROTOCOL *Gop;
  EFI_GRAPHICS_OUTPUT_PROTOCOL_BLT Blt;        // the firmware's own, while placed
  EFI_GRAPHICS_OUTPUT_MODE_INFORMATION *Info;  // the firmware's own, while placed
  EFI_GRAPHICS_OUTPUT_MODE_INFORMATION Window;
  UINT32 Width, Height;  // the panel's mode
  UINT32 X, Y;           // the layout's top-left corner on it
  bool Placed;
};

// Chooses the mode and places the layout, the margin filled with Margin.
// False when no mode holds 1024x768: nothing is changed then.
bool SetupPlaceOnPanel(const SceneContext &C, SetupPanel &P, UINT32 Margin);
// Gives the graphics output back as it was. One placement at a time.
void SetupLeavePanel(SetupPanel &P);
