// Drawing targets: a caller's pixel buffer, or the screen through Blt.
// Every primitive draws through a DrawTarget, which clips what it writes.
#pragma once
#include "driver/protocol.h"
#include "platform/services.h"

inline ORVANE_PIXEL PixelFromColor(UINT32 Color) {
  ORVANE_PIXEL P;
  P.Blue = (UINT8)Color;
  P.Green = (UINT8)(Color >> 8);
  P.Red = (UINT8)(Color >> 16);
  P.Reserved = (UINT8)(Color >> 24);
  return P;
}

inline UINT32 ColorFromPixel(ORVANE_PIXEL P) {
  return (UINT32)P.Blue | ((UINT32)P.Green << 8) | ((UINT32)P.Red << 16) | ((UINT32)P.Reserved << 24);
}

struct DrawTarget {
  ORVANE_PIXEL *Pixels;  // NULL: the screen
  INT32 RowWidth;        // pixels per row of the buffer
  INT32 Height;
  // Writes land only in [ClipLeft, ClipRight) x [ClipTop, ClipBottom).
  INT32 ClipLeft, ClipTop, ClipRight, ClipBottom;

  // A buffer clips to its row width and height; the screen to the current mode.
  static DrawTarget For(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height);

  bool IsScreen() const { return Pixels == nullptr; }

  // Clips (X, Y, W, H) in place; false when nothing is left.
  bool Clip(INT32 &X, INT32 &Y, INT32 &W, INT32 &H) const;

  // One solid rectangle: stores in a buffer, a single EfiBltVideoFill on the screen.
  // Coordinates are 64-bit so that far-off shapes clip before anything narrows.
  void Fill(INT64 X, INT64 Y, INT64 W, INT64 H, UINT32 Color) const;
  void Put(INT32 X, INT32 Y, UINT32 Color) const { Fill(X, Y, 1, 1, Color); }
};

// A pen shape as rectangles (offsets from the centre) whose union is the
// shape; a run of stamps is each rectangle swept along the run.
struct PenRect {
  INT8 Dx, Dy, W, H;
};
void PenAsRects(INT32 PenStyle, const PenRect *&Rects, int &Count);

// How far a pen reaches from its centre.
INT32 PenReach(INT32 PenStyle);

// Stamps one pen shape centred on (X, Y).
void StampPen(const DrawTarget &Target, INT32 X, INT32 Y, INT32 PenStyle, UINT32 Color);

// Sends W x H pixels of Buffer (row width W) to the screen at (X, Y), clipped to the mode.
void SendToScreen(const ORVANE_PIXEL *Buffer, INT32 W, INT32 H, INT32 X, INT32 Y);

// Fills Buffer (row width W) with what the screen shows under (X, Y, W, H): from the
// frame buffer, read at the mode's scan line, when FrameBufferCapture is set and
// the mode has a linear 32-bit blue-green-red frame buffer holding every row
// read; else by Blt. Both give the same pixels. Parts off the screen read as 0.
void CaptureUnder(ORVANE_PIXEL *Buffer, INT32 X, INT32 Y, INT32 W, INT32 H);

// The off-screen paint every control uses: capture what lies under (X, Y, W, H)
// into a pool buffer, let Paint draw into it, send it to the screen, free it.
// Returns EFI_OUT_OF_RESOURCES, having drawn nothing, when the buffer cannot be had.
template <typename PaintFn>
EFI_STATUS PaintOffscreen(INT32 X, INT32 Y, INT32 W, INT32 H, PaintFn &&Paint) {
  if (W <= 0 || H <= 0) {
    return EFI_SUCCESS;
  }
  PoolBuffer<ORVANE_PIXEL> Buffer((UINTN)W * (UINTN)H);
  if (!Buffer) {
    return EFI_OUT_OF_RESOURCES;
  }
  CaptureUnder(Buffer.Get(), X, Y, W, H);
  Paint(DrawTarget::For(Buffer.Get(), W, H));
  SendToScreen(Buffer.Get(), W, H, X, Y);
  return EFI_SUCCESS;
}

UINTN EFIAPI DrawPoint(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 X, INT32 Y,
                       INT32 PenStyle, UINT32 Color);
UINTN EFIAPI BlitToScreen(ORVANE_PIXEL *Buffer, INT32 Width, INT32 Height, INT32 X, INT32 Y);
UINTN EFIAPI ClearBuffer(ORVANE_PIXEL *Buffer, INT32 Width, INT32 Height);
