#include "raster/target.h"

#include "raster/image_copy.h"

DrawTarget DrawTarget::For(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height) {
  DrawTarget T{Buffer, RowWidth, Height, 0, 0, 0, 0};
  if (Buffer != nullptr) {
    T.ClipRight = RowWidth > 0 ? RowWidth : 0;
    T.ClipBottom = Height > 0 ? Height : 0;
  } else {
    T.ClipRight = (INT32)ScreenWidth();
    T.ClipBottom = (INT32)ScreenHeight();
  }
  return T;
}

bool DrawTarget::Clip(INT32 &X, INT32 &Y, INT32 &W, INT32 &H) const {
  INT64 L = X, T = Y, R = (INT64)X + W, B = (INT64)Y + H;
  if (L < ClipLeft) L = ClipLeft;
  if (T < ClipTop) T = ClipTop;
  if (R > ClipRight) R = ClipRight;
  if (B > ClipBottom) B = ClipBottom;
  if (L >= R || T >= B) {
    return false;
  }
  X = (INT32)L;
  Y = (INT32)T;
  W = (INT32)(R - L);
  H = (INT32)(B - T);
  return true;
}

void DrawTarget::Fill(INT64 X, INT64 Y, INT64 W, INT64 H, UINT32 Color) const {
  INT64 R = X + W, B = Y + H;
  if (X < ClipLeft) X = ClipLeft;
  if (Y < ClipTop) Y = ClipTop;
  if (R > ClipRight) R = ClipRight;
  if (B > ClipBottom) B = ClipBottom;
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
  for (INT64 J = 0; J < H; J++) {
    ORVANE_PIXEL *Row = Pixels + (UINTN)(Y + J) * (UINTN)RowWidth + X;
    for (INT64 I = 0; I < W; I++) {
      Row[I] = P;
    }
  }
}

namespace {
constexpr PenRect kPlus[] = {{-1, 0, 3, 1}, {0, -1, 1, 3}};
constexpr PenRect kSquare3[] = {{-1, -1, 3, 3}};
constexpr PenRect kRound7[] = {{-2, -2, 5, 5}, {-1, -3, 3, 1}, {-1, 3, 3, 1}, {-3, -1, 1, 3}, {3, -1, 1, 3}};
constexpr PenRect kRound9[] = {{-3, -3, 7, 7}, {-1, -4, 3, 1}, {-1, 4, 3, 1}, {-4, -1, 1, 3}, {4, -1, 1, 3}};
constexpr PenRect kDot[] = {{0, 0, 1, 1}};
}  // namespace

void PenAsRects(INT32 PenStyle, const PenRect *&Rects, int &Count) {
  switch (PenStyle) {
    case 2: Rects = kPlus; Count = 2; break;
    case 3: Rects = kSquare3; Count = 1; break;
    case 4: Rects = kRound7; Count = 5; break;
    case 5: Rects = kRound9; Count = 5; break;
    default: Rects = kDot; Count = 1; break;
  }
}

INT32 PenReach(INT32 PenStyle) {
  switch (PenStyle) {
    case 2:
    case 3: return 1;
    case 4: return 3;
    case 5: return 4;
    default: return 0;
  }
}

void StampPen(const DrawTarget &Target, INT32 X, INT32 Y, INT32 PenStyle, UINT32 Color) {
  // Core square half-size and cap half-length per style; the caps of styles 4
  // and 5 are 3-pixel bars one step outside the core, sent pixel by pixel.
  INT32 Core;
  switch (PenStyle) {
    case 2:
      Target.Put(X, Y, Color);
      Target.Put(X - 1, Y, Color);
      Target.Put(X + 1, Y, Color);
      Target.Put(X, Y - 1, Color);
      Target.Put(X, Y + 1, Color);
      return;
    case 3: Core = 1; break;
    case 4: Core = 2; break;
    case 5: Core = 3; break;
    default: Core = 0; break;
  }
  Target.Fill(X - Core, Y - Core, 2 * Core + 1, 2 * Core + 1, Color);
  if (PenStyle == 4 || PenStyle == 5) {
    INT32 Cap = Core + 1;
    for (INT32 D = -1; D <= 1; D++) Target.Put(X + D, Y - Cap, Color);
    for (INT32 D = -1; D <= 1; D++) Target.Put(X + D, Y + Cap, Color);
    for (INT32 D = -1; D <= 1; D++) Target.Put(X - Cap, Y + D, Color);
    for (INT32 D = -1; D <= 1; D++) Target.Put(X + Cap, Y + D, Color);
  }
}

void SendToScreen(const ORVANE_PIXEL *Buffer, INT32 W, INT32 H, INT32 X, INT32 Y) {
  DrawTarget Screen = DrawTarget::For(nullptr, 0, 0);
  INT32 CX = X, CY = Y, CW = W, CH = H;
  if (Buffer == nullptr || !Screen.Clip(CX, CY, CW, CH)) {
    return;
  }
  gGraphics->Blt(gGraphics, const_cast<ORVANE_PIXEL *>(Buffer), EfiBltBufferToVideo,
                 (UINTN)(CX - X), (UINTN)(CY - Y), (UINTN)CX, (UINTN)CY, (UINTN)CW, (UINTN)CH,
                 (UINTN)W * sizeof(ORVANE_PIXEL));
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
  INT32 CX = X, CY = Y, CW = W, CH = H;
  bool Visible = DrawTarget::For(nullptr, 0, 0).Clip(CX, CY, CW, CH);
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

UINTN EFIAPI DrawPoint(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height, INT32 X, INT32 Y,
                       INT32 PenStyle, UINT32 Color) {
  StampPen(DrawTarget::For(Buffer, RowWidth, Height), X, Y, PenStyle, Color);
  return 0;
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
