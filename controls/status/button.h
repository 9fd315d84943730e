// The push button painter shared by the message box and the input dialog: a
// rounded rectangle with a two-pixel edge ring and a face, in a normal,
// pressed or focused look, with a one-line caption.
#pragma once
#include "controls/status/label.h"

// Button states; any other value looks focused with the pressed caption colour.
enum : INT32 { kButtonNormal = 0, kButtonPressed = 1, kButtonFocused = 2 };

// Smaller sizes are raised to these.
inline constexpr INT32 kButtonMinWidth = 111;
inline constexpr INT32 kButtonMinHeight = 33;

// The colour a caption is rendered in, and the background it is rendered on.
UINT32 ButtonCaptionColor(INT32 State);
inline constexpr UINT32 kButtonCaptionBackground = 0x00FF0000;

// Paints the button (X, Y, W, H) into a buffer target; a width up to 111
// becomes 111 and a height up to 33 becomes 33. Caption may be NULL (no
// caption); when the text service fails the button has none either.
void DrawButton(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, const CHAR16 *Caption,
                UINT16 Align, INT32 State);

// The same with the caption already rendered (RenderLabel in ButtonCaptionColor
// on kButtonCaptionBackground); Caption NULL: no caption.
void DrawButtonRendered(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H,
                        const TextImage *Caption, UINT16 Align, INT32 State);
