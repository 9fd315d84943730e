// The status painters written as plainly as they are described: every
// rectangle a DrawRectangle, every stroke a DrawLine, every corner pixel a
// WithinRadius and a DrawPoint, in the order given. The production painters
// are held to these pixel for pixel.
#pragma once
#include "controls/status/message_box.h"
#include "driver/protocol.h"

namespace ref {

void DrawRoundFrame(ORVANE_PIXEL *P, INT32 RW, INT32 RH, INT32 X, INT32 Y, INT32 W, INT32 H,
                    UINT16 Radius, UINT32 Color);
void DrawLevelBar(ORVANE_PIXEL *P, INT32 RW, INT32 RH, INT32 X, INT32 Y, INT32 W, INT32 H,
                  INT32 Value);
// Thumb NULL: no thumb.
void DrawScrollBarBody(ORVANE_PIXEL *P, INT32 RW, INT32 RH, INT32 X, INT32 Y, const INT32 *Thumb,
                       INT32 Hot, INT32 H);
void DrawTileFace(ORVANE_PIXEL *P, INT32 RW, INT32 RH, INT32 X, INT32 Y, INT32 W, INT32 H,
                  UINT8 Active);
void DrawDialogWindow(ORVANE_PIXEL *P, INT32 RW, INT32 RH, INT32 X, INT32 Y, INT32 W, INT32 H);
// The divider strip into Buffer (W x H): the fill, then the divider's two
// lines, clipped to the buffer.
void PaintDividerStrip(ORVANE_PIXEL *Buffer, INT32 W, INT32 H, UINT8 ShowDivider, INT32 DividerX,
                       UINT8 Active);
// The progress bar into Buffer (row width W, H already raised), with the
// texts rendered by RenderText as the operation does.
void DrawProgressBar(ORVANE_PIXEL *Buffer, INT32 W, INT32 H, const CHAR16 *Label, INT32 Percent);

// The message box and the gauge panel painted into Buffer (W x H, holding
// what the screen showed under them), as the operations describe it.
void PaintMessageBox(const ::MessageBox &Box, ORVANE_PIXEL *Buffer);
void PaintGaugePanel(ORVANE_PIXEL *Buffer, INT32 W, INT32 H, const CHAR16 *Label1,
                     const CHAR16 *Label2, const CHAR16 *Label3, const CHAR16 *Label4, INT32 Value1,
                     INT32 Value2);

}  // namespace ref
