// What the setup screen's files share: text composed off-screen, numbers, copies.
#pragma once
#include "frontend/setup/setup_screen.h"

namespace setup {

void FillPixels(ORVANE_PIXEL *Pixels, UINTN Count, UINT32 Color);

// Fills (X, Y, Width, Height) with Back and writes Text into it at (Dx, Dy)
// at Scale, composed off-screen and sent in one transfer, so nothing flickers.
void ShowTextBox(const SceneContext &C, INT32 X, INT32 Y, INT32 Width, INT32 Height, UINT32 Back,
                 UINT32 Fore, INT32 Dx, INT32 Dy, Milli Scale, const CHAR16 *Text);

// Writes Text into a Width x Height buffer at (Dx, Dy), glyphs only, clipped.
void ComposeText(const SceneContext &C, ORVANE_PIXEL *Into, INT32 Width, INT32 Height, UINT32 Back,
                 UINT32 Fore, INT32 Dx, INT32 Dy, Milli Scale, const CHAR16 *Text);

// Decimal digits of Value into Into (at least 8 characters), with Suffix after them.
void FormatNumber(CHAR16 *Into, UINTN Value, const CHAR16 *Suffix);

// Copies a string into a fixed buffer of Size characters, cutting it.
void CopyText(CHAR16 *Into, UINTN Size, const CHAR16 *From);

}  // namespace setup

// The setup files reach their context through the screen state S.
#undef UI
#define UI(Operation, ...) ::Tally(*S.C, S.C->Ui->Operation(__VA_ARGS__), #Operation)
