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
  INT64 R = X + W, B = Y + H;
  if (X < Clip.X) X = Clip.X;
  if (Y < Clip.Y) Y = Clip.Y;
  if (R > Clip.Right()) R = Clip.Right();
  if (B > Clip.Bottom()) B = Clip.Bottom();
  if (X >= R || Y >= B) {
    return;
  }
  W = R - X;
  H = B - Y;
  ORVANE_PIXEL P = PixelFromColor(Color);
  if (IsScreen()) {
    gGraphics->Blt(gGraphics, &P, EfiBltVideoFill, 0, 0, (UINTN)X, (UINTN)Y, (UINTN)W, (UINTN)H, 0);
    return;
  }
  const UINTN Stride = (UINTN)RowWidth;
  ORVANE_PIXEL *Row = Pixels + (UINTN)Y * Stride + (UINTN)X;
  for (INT64 J = 0; J < H; J++, Row += Stride) {
    FillPixels(Row, (UINTN)W, P);
  }
}

EFI_STATUS SendToScreen(const ORVANE_PIXEL *Buffer, INT32 RowWidth, const Rect &Part, INT64 X,
                        INT64 Y, const Rect &Clip) {
  if (Buffer == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  // The part's place on the screen, cut to the clip and the mode, in 64 bits.
  const Rect Visible = Clip.Intersect(DrawTarget::Screen().Clip);
  INT64 L = X + Part.X, T = Y + Part.Y;
  INT64 R = L + (Part.Width > 0 ? Part.Width : 0), B = T + (Part.Height > 0 ? Part.Height : 0);
  if (L < Visible.X) L = Visible.X;
  if (T < Visible.Y) T = Visible.Y;
  if (R > Visible.Right()) R = Visible.Right();
  if (B > Visible.Bottom()) B = Visible.Bottom();
  if (Visible.Empty() || L >= R || T >= B) {
    return EFI_SUCCESS;
  }
  return gGraphics->Blt(gGraphics, const_cast<ORVANE_PIXEL *>(Buffer), EfiBltBufferToVideo,
                        (UINTN)(L - X), (UINTN)(T - Y), (UINTN)L, (UINTN)T, (UINTN)(R - L),
                        (UINTN)(B - T), (UINTN)RowWidth * sizeof(ORVANE_PIXEL));
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

void CaptureUnder(ORVANE_PIXEL *Buffer, INT32 X, INT32 Y, INT32 W, INT32 H) {
  const Rect Part = Rect{X, Y, W, H}.Intersect(DrawTarget::Screen().Clip);
  const INT32 CX = Part.X, CY = Part.Y, CW = Part.Width, CH = Part.Height;
  bool Visible = !Part.Empty();
  if (!Visible || CW != W || CH != H) {
    gBootServices->SetMem(Buffer, (UINTN)W * (UINTN)H * sizeof(ORVANE_PIXEL), 0);
  }
  if (!Visible) {
    return;
  }
  if (FrameBufferCapture && FrameBufferHolds(CX, CY, CW, CH, W)) {
    // Rows at the mode's scan line: with a 1024-pixel scan line this is the
    // frame buffer read 1024 pixels a row.
    UINT32 ScanLine = gGraphics->Mode->Info->PixelsPerScanLine;
    CopyImageRect(Buffer, (const ORVANE_PIXEL *)(UINTN)gGraphics->Mode->FrameBufferBase,
                  (UINT16)(CX - X), (UINT16)(CY - Y), (UINT16)CX, (UINT16)CY, (UINT16)W, (UINT16)H,
                  (UINT16)ScanLine, (UINT16)(CY + CH), (UINT16)CW, (UINT16)CH, nullptr);
    return;
  }
  gGraphics->Blt(gGraphics, Buffer, EfiBltVideoToBltBuffer, (UINTN)CX, (UINTN)CY,
                 (UINTN)(CX - X), (UINTN)(CY - Y), (UINTN)CW, (UINTN)CH,
                 (UINTN)W * sizeof(ORVANE_PIXEL));
}

UINTN EFIAPI BlitToScreen(ORVANE_PIXEL *Buffer, INT32 Width, INT32 Height, INT32 X, INT32 Y) {
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
