#include "raster/target.h"

#include "raster/image_copy.h"

DrawTarget DrawTarget::For(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height) {
  DrawTarget T{Buffer, RowWidth, Height, {0, 0, 0, 0}};
  if (Buffer != nullptr) {
    T.Clip.Width = RowWidth > 0 ? RowWidth : 0;
    T.Clip.Height = Height > 0 ? Height : 0;
  } else {
    T.Clip.Width = (INT32)ScreenWidth();
    T.Clip.Height = (INT32)ScreenHeight();
  }
  return T;
}

void DrawTarget::Fill(INT64 X, INT64 Y, INT64 W, INT64 H, UINT32 Color) const {
  const Rect Part = ClipRect(Clip, X, Y, W, H);
  if (Part.Empty()) {
    return;
  }
  ORVANE_PIXEL P = PixelFromColor(Color);
  if (IsScreen()) {
    gGraphics->Blt(gGraphics, &P, EfiBltVideoFill, 0, 0, (UINTN)Part.X, (UINTN)Part.Y,
                   (UINTN)Part.Width, (UINTN)Part.Height, 0);
    return;
  }
  const UINTN Stride = (UINTN)RowWidth;
  ORVANE_PIXEL *Row = At(Part.X, Part.Y);
  for (INT32 J = 0; J < Part.Height; J++, Row += Stride) {
    FillPixels(Row, (UINTN)Part.Width, P);
  }
}

namespace {

// Moves the Part of Buffer (row width RowWidth) between the buffer and the
// screen, buffer pixel (0, 0) at screen (X, Y), only inside Clip and the mode.
EFI_STATUS Transfer(EFI_GRAPHICS_OUTPUT_BLT_OPERATION Operation, ORVANE_PIXEL *Buffer,
                    INT32 RowWidth, const Rect &Part, INT64 X, INT64 Y, const Rect &Clip) {
  if (Buffer == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  const Rect Screen = ClipRect(Clip.Intersect(DrawTarget::Screen().Clip), X + Part.X, Y + Part.Y,
                               Part.Width, Part.Height);
  if (Screen.Empty()) {
    return EFI_SUCCESS;
  }
  const UINTN BufferX = (UINTN)(Screen.X - X), BufferY = (UINTN)(Screen.Y - Y);
  const bool ToScreen = Operation == EfiBltBufferToVideo;
  return gGraphics->Blt(gGraphics, Buffer, Operation, ToScreen ? BufferX : (UINTN)Screen.X,
                        ToScreen ? BufferY : (UINTN)Screen.Y, ToScreen ? (UINTN)Screen.X : BufferX,
                        ToScreen ? (UINTN)Screen.Y : BufferY, (UINTN)Screen.Width,
                        (UINTN)Screen.Height, (UINTN)RowWidth * sizeof(ORVANE_PIXEL));
}

}  // namespace

EFI_STATUS SendToScreen(const ORVANE_PIXEL *Buffer, INT32 RowWidth, const Rect &Part, INT64 X,
                        INT64 Y, const Rect &Clip) {
  return Transfer(EfiBltBufferToVideo, const_cast<ORVANE_PIXEL *>(Buffer), RowWidth, Part, X, Y,
                  Clip);
}

EFI_STATUS ReadFromScreen(ORVANE_PIXEL *Buffer, INT32 RowWidth, const Rect &Part, INT64 X, INT64 Y,
                          const Rect &Clip) {
  return Transfer(EfiBltVideoToBltBuffer, Buffer, RowWidth, Part, X, Y, Clip);
}

namespace {

// The frame buffer may stand in for Blt only where it is linear 32-bit
// blue-green-red memory and every pixel read lies inside FrameBufferSize.
// Elsewhere (a Blt-only display, another layout, a cut-short or odd frame
// buffer) Blt gives the right pixels. (X, Y, W, H) is visible on the screen.
bool FrameBufferHolds(INT32 X, INT32 Y, INT32 W, INT32 H, INT32 RowWidth) {
  const EFI_GRAPHICS_OUTPUT_PROTOCOL_MODE *Mode = gGraphics->Mode;
  const EFI_GRAPHICS_OUTPUT_MODE_INFORMATION *Info = Mode->Info;
  if (Mode->FrameBufferBase == 0 || Mode->FrameBufferSize == 0 || Info == nullptr ||
      Info->PixelFormat != PixelBlueGreenRedReserved8BitPerColor) {
    return false;
  }
  // A scan line shorter than the mode's width is no layout Blt would agree with;
  // positions and widths beyond 16 bits do not fit the image copy.
  UINT64 ScanLine = Info->PixelsPerScanLine;
  if (ScanLine < Info->HorizontalResolution || ScanLine > 0xFFFF || RowWidth > 0xFFFF ||
      (INT64)Y + H > 0xFFFF) {
    return false;
  }
  UINT64 End = ((UINT64)(Y + H - 1) * ScanLine + (UINT64)X + (UINT64)W) * sizeof(ORVANE_PIXEL);
  return End <= Mode->FrameBufferSize;
}

}  // namespace

EFI_STATUS CaptureUnder(ORVANE_PIXEL *Buffer, INT32 X, INT32 Y, INT32 W, INT32 H) {
  const Rect Part = Rect{X, Y, W, H}.Intersect(DrawTarget::Screen().Clip);
  const INT32 CX = Part.X, CY = Part.Y, CW = Part.Width, CH = Part.Height;
  bool Visible = !Part.Empty();
  if (!Visible || CW != W || CH != H) {
    gBootServices->SetMem(Buffer, (UINTN)W * (UINTN)H * sizeof(ORVANE_PIXEL), 0);
  }
  if (!Visible) {
    return EFI_SUCCESS;
  }
  if (FrameBufferCapture && FrameBufferHolds(CX, CY, CW, CH, W)) {
    // Rows at the mode's scan line: with a 1024-pixel scan line this is the
    // frame buffer read 1024 pixels a row.
    UINT32 ScanLine = gGraphics->Mode->Info->PixelsPerScanLine;
    CopyImageRect(Buffer, (const ORVANE_PIXEL *)(UINTN)gGraphics->Mode->FrameBufferBase,
                  (UINT16)(CX - X), (UINT16)(CY - Y), (UINT16)CX, (UINT16)CY, (UINT16)W, (UINT16)H,
                  (UINT16)ScanLine, (UINT16)(CY + CH), (UINT16)CW, (UINT16)CH, nullptr);
    return EFI_SUCCESS;
  }
  // A display that refuses the read leaves the pool's old contents behind;
  // never show those: the buffer reads as black, like the parts off the screen.
  const EFI_STATUS Status = ReadFromScreen(Buffer, W, {CX - X, CY - Y, CW, CH}, X, Y, Part);
  if (EFI_ERROR(Status)) {
    gBootServices->SetMem(Buffer, (UINTN)W * (UINTN)H * sizeof(ORVANE_PIXEL), 0);
  }
  return Status;
}

UINTN EFIAPI BlitToScreen(const ORVANE_PIXEL *Buffer, INT32 Width, INT32 Height, INT32 X, INT32 Y) {
  if (Width > 0 && Height > 0) {
    SendToScreen(Buffer, Width, Height, X, Y);
  }
  return 0;
}

UINTN EFIAPI ClearBuffer(ORVANE_PIXEL *Buffer, INT32 Width, INT32 Height) {
  if (Buffer != nullptr && Width > 0 && Height > 0) {
    gBootServices->SetMem(Buffer, (UINTN)Width * (UINTN)Height * sizeof(ORVANE_PIXEL), 0);
  }
  return 0;
}
