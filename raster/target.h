// Drawing targets: a caller's pixel buffer, or the screen through Blt.
// Every primitive draws through a DrawTarget, which clips what it writes.
#pragma once
#include "platform/services.h"
#include "platform/types.h"

inline ORVANE_PIXEL PixelFromColor(UINT32 Color) {
  ORVANE_PIXEL P;
  P.Blue = (UINT8)Color;
  P.Green = (UINT8)(Color >> 8);
  P.Red = (UINT8)(Color >> 16);
  P.Reserved = (UINT8)(Color >> 24);
  return P;
}

inline UINT32 ColorFromPixel(ORVANE_PIXEL P) {
  return (UINT32)P.Blue | ((UINT32)P.Green << 8) | ((UINT32)P.Red << 16) |
         ((UINT32)P.Reserved << 24);
}

// Sets N pixels from To to P, 16 bytes a store: an unaligned store at each
// end and aligned ones between them (a pixel under both is stored twice in
// the same colour), as fast as a library memset with no branch per pixel.
// Pixels are bytes to the compiler, so a plain loop stores one at a time.
inline void FillPixels(ORVANE_PIXEL *To, UINTN N, ORVANE_PIXEL P) {
  UINT32 V;
  __builtin_memcpy(&V, &P, sizeof(V));
  if (N < 8) {
    for (UINTN I = 0; I < N; I++) __builtin_memcpy(To + I, &V, sizeof(V));
    return;
  }
  typedef UINT32 Four __attribute__((vector_size(16)));
  const Four Q = {V, V, V, V};
  UINT8 *const Start = (UINT8 *)To, *const End = (UINT8 *)(To + N);
  __builtin_memcpy(Start, &Q, sizeof(Q));
  __builtin_memcpy(End - sizeof(Q), &Q, sizeof(Q));
  UINT8 *A = (UINT8 *)(((UINTN)Start + sizeof(Q)) & ~(UINTN)(sizeof(Q) - 1));
  for (; A + 4 * sizeof(Q) <= End; A += 4 * sizeof(Q)) {
    for (UINTN I = 0; I < 4; I++)
      __builtin_memcpy(__builtin_assume_aligned(A + I * sizeof(Q), 16), &Q, sizeof(Q));
  }
  for (; A + sizeof(Q) <= End; A += sizeof(Q))
    __builtin_memcpy(__builtin_assume_aligned(A, 16), &Q, sizeof(Q));
}

// Copies N pixels; the areas do not overlap. 16 bytes a step, stores
// aligned, unaligned 16-byte ends (a pixel under both is written twice, the
// same): as fast as a library copy whatever the two addresses are, where a
// string move slows to half speed when they sit differently within their
// 64-byte lines; the firmware's own memcpy goes byte by byte.
inline void CopyPixels(ORVANE_PIXEL *To, const ORVANE_PIXEL *From, UINTN N) {
  typedef UINT32 Four __attribute__((vector_size(16)));
  UINT8 *const T = (UINT8 *)To;
  const UINT8 *const F = (const UINT8 *)From;
  const UINTN Bytes = N * sizeof(ORVANE_PIXEL);
  if (Bytes < sizeof(Four)) {
    for (UINTN I = 0; I < N; I++) To[I] = From[I];
    return;
  }
  Four Head, Tail, A, B, C, D;
  __builtin_memcpy(&Head, F, sizeof(Four));
  __builtin_memcpy(&Tail, F + Bytes - sizeof(Four), sizeof(Four));
  UINTN I = sizeof(Four) - ((UINTN)T & (sizeof(Four) - 1));
  for (; I + 4 * sizeof(Four) <= Bytes; I += 4 * sizeof(Four)) {
    __builtin_memcpy(&A, F + I, sizeof(Four));
    __builtin_memcpy(&B, F + I + 16, sizeof(Four));
    __builtin_memcpy(&C, F + I + 32, sizeof(Four));
    __builtin_memcpy(&D, F + I + 48, sizeof(Four));
    __builtin_memcpy(__builtin_assume_aligned(T + I, 16), &A, sizeof(Four));
    __builtin_memcpy(__builtin_assume_aligned(T + I + 16, 16), &B, sizeof(Four));
    __builtin_memcpy(__builtin_assume_aligned(T + I + 32, 16), &C, sizeof(Four));
    __builtin_memcpy(__builtin_assume_aligned(T + I + 48, 16), &D, sizeof(Four));
  }
  for (; I + sizeof(Four) <= Bytes; I += sizeof(Four)) {
    __builtin_memcpy(&A, F + I, sizeof(Four));
    __builtin_memcpy(__builtin_assume_aligned(T + I, 16), &A, sizeof(Four));
  }
  __builtin_memcpy(T, &Head, sizeof(Four));
  __builtin_memcpy(T + Bytes - sizeof(Four), &Tail, sizeof(Four));
}

struct DrawTarget {
  ORVANE_PIXEL *Pixels;  // NULL: the screen
  INT32 RowWidth;        // pixels per row of the buffer
  INT32 Height;
  Rect Clip;  // every write lands inside Clip
  // Target coordinates of buffer pixel (0, 0): a buffer standing in for a
  // part of the screen keeps the screen's coordinates.
  INT32 OriginX = 0, OriginY = 0;

  // A buffer clips to its row width and height; the screen to the current mode.
  static DrawTarget For(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height);
  static DrawTarget Screen() { return For(nullptr, 0, 0); }
  // Buffer (Area.Width x Area.Height) holding Area of the screen, in screen coordinates.
  static DrawTarget ScreenWindow(ORVANE_PIXEL *Buffer, const Rect &Area) {
    DrawTarget T = For(Buffer, Area.Width, Area.Height);
    T.Clip = Area;
    T.OriginX = Area.X;
    T.OriginY = Area.Y;
    return T;
  }

  // The buffer pixel at target (X, Y), which must lie inside Clip.
  ORVANE_PIXEL *At(INT64 X, INT64 Y) const {
    return Pixels + (UINTN)(Y - OriginY) * (UINTN)RowWidth + (UINTN)(X - OriginX);
  }

  // The same pixels, clipped to the intersection of Clip and Area; coordinates stay as they are.
  DrawTarget Narrowed(const Rect &Area) const {
    DrawTarget T = *this;
    T.Clip = Clip.Intersect(Area);
    return T;
  }

  bool IsScreen() const { return Pixels == nullptr; }

  // Row Y between columns X0 (inclusive) and X1 (exclusive), in target
  // coordinates: X0 and X1 are narrowed to the clip and the buffer pixel at
  // (X0, Y) is returned. NULL when nothing of it is visible, and always on the
  // screen, which has no pixels to hand out. The way a painter reaches pixels.
  ORVANE_PIXEL *Row(INT64 Y, INT64 &X0, INT64 &X1) const {
    if (IsScreen() || Y < Clip.Y || Y >= Clip.Bottom()) {
      return nullptr;
    }
    X0 = Max64(X0, Clip.X);
    X1 = Min64(X1, Clip.Right());
    return X0 < X1 ? At(X0, Y) : nullptr;
  }

  // Whether (X, Y, W, H) is a buffer's and lies wholly inside Clip: then
  // FillInside may fill any part of it. A painter of many small rectangles
  // clips their picture once this way instead of each rectangle.
  bool Holds(INT64 X, INT64 Y, INT64 W, INT64 H) const {
    return !IsScreen() && W > 0 && H > 0 && X >= Clip.X && Y >= Clip.Y && X + W <= Clip.Right() &&
           Y + H <= Clip.Bottom();
  }
  // A rectangle inside an area Holds accepted, stored without clipping.
  void FillInside(INT64 X, INT64 Y, INT64 W, INT64 H, ORVANE_PIXEL P) const {
    // Held in locals: a store of bytes could otherwise change them.
    const UINTN Stride = (UINTN)RowWidth, Width = (UINTN)W;
    ORVANE_PIXEL *Row = At(X, Y);
    for (INT64 J = 0; J < H; J++, Row += Stride) FillPixels(Row, Width, P);
  }

  // One solid rectangle: stores in a buffer, a single EfiBltVideoFill on the screen.
  // Coordinates are 64-bit so that far-off shapes clip before anything narrows.
  void Fill(INT64 X, INT64 Y, INT64 W, INT64 H, UINT32 Color) const;
  void Put(INT32 X, INT32 Y, UINT32 Color) const { Fill(X, Y, 1, 1, Color); }
  // One-pixel lines from the first to the second coordinate, both included,
  // in either order: what the single-pixel pen draws for a straight line.
  void HLine(INT64 X1, INT64 X2, INT64 Y, UINT32 Color) const {
    Fill(Min64(X1, X2), Y, (X1 < X2 ? X2 - X1 : X1 - X2) + 1, 1, Color);
  }
  void VLine(INT64 X, INT64 Y1, INT64 Y2, UINT32 Color) const {
    Fill(X, Min64(Y1, Y2), 1, (Y1 < Y2 ? Y2 - Y1 : Y1 - Y2) + 1, Color);
  }
};

// The one transfer to the screen: the Part of Buffer (row width RowWidth, in
// buffer coordinates) goes to the screen with buffer pixel (0, 0) at (X, Y).
// Only what lies inside Clip and the mode is sent. Returns the Blt status,
// EFI_SUCCESS when nothing is visible, EFI_INVALID_PARAMETER for a NULL buffer.
EFI_STATUS SendToScreen(const ORVANE_PIXEL *Buffer, INT32 RowWidth, const Rect &Part, INT64 X,
                        INT64 Y, const Rect &Clip);

// The way back, for pixels a paint leaves as the screen shows them: fills the
// same part of Buffer from the screen under it, only inside Clip and the mode.
EFI_STATUS ReadFromScreen(ORVANE_PIXEL *Buffer, INT32 RowWidth, const Rect &Part, INT64 X, INT64 Y,
                          const Rect &Clip);

// W x H pixels of Buffer (row width W) at (X, Y), clipped to the mode.
inline EFI_STATUS SendToScreen(const ORVANE_PIXEL *Buffer, INT32 W, INT32 H, INT32 X, INT32 Y) {
  return SendToScreen(Buffer, W, Rect{0, 0, W, H}, X, Y, DrawTarget::Screen().Clip);
}

// Fills Buffer (row width W) with what the screen shows under (X, Y, W, H): from the
// frame buffer, read at the mode's scan line, when FrameBufferCapture is set and
// the mode has a linear 32-bit blue-green-red frame buffer holding every row
// read; else by Blt. Both give the same pixels. Parts off the screen read as 0;
// when the display refuses the read, all of Buffer does and its status is returned.
EFI_STATUS CaptureUnder(ORVANE_PIXEL *Buffer, INT32 X, INT32 Y, INT32 W, INT32 H);

// What an off-screen buffer holds before the paint: the screen under it (the
// controls), zeros, or nothing in particular (a paint that covers every pixel).
enum class Underlay : UINT8 { Capture, Zero, Unset };

// The off-screen paint every control uses: capture what lies under (X, Y, W, H)
// into a pool buffer, let Paint draw into it (buffer pixel (0, 0) is (X, Y)),
// send it to the screen in one transfer, free it. Returns EFI_OUT_OF_RESOURCES,
// having drawn nothing, when the buffer cannot be had, and the display's status
// when it refuses the capture; a painter returning an EFI_STATUS error has
// nothing sent and that error returned; else the send's status.
template <typename PaintFn>
EFI_STATUS PaintOffscreen(Underlay Under, INT32 X, INT32 Y, INT32 W, INT32 H, PaintFn &&Paint) {
  if (W <= 0 || H <= 0) {
    return EFI_SUCCESS;
  }
  const UINTN Count = (UINTN)W * (UINTN)H;
  PoolBuffer<ORVANE_PIXEL> Buffer(Count);
  if (!Buffer) {
    return EFI_OUT_OF_RESOURCES;
  }
  if (Under == Underlay::Capture) {
    const EFI_STATUS Read = CaptureUnder(Buffer.Get(), X, Y, W, H);
    if (EFI_ERROR(Read)) {
      return Read;
    }
  } else if (Under == Underlay::Zero) {
    gBootServices->SetMem(Buffer.Get(), Count * sizeof(ORVANE_PIXEL), 0);
  }
  // A painter that answers with a status can call the paint off: an error
  // sends nothing, so the screen stays as it was.
  if constexpr (__is_same(decltype(Paint(DrawTarget::For(Buffer.Get(), W, H))), void)) {
    Paint(DrawTarget::For(Buffer.Get(), W, H));
  } else {
    const EFI_STATUS Status = Paint(DrawTarget::For(Buffer.Get(), W, H));
    if (EFI_ERROR(Status)) {
      return Status;
    }
  }
  return SendToScreen(Buffer.Get(), W, H, X, Y);
}

template <typename PaintFn>
EFI_STATUS PaintOffscreen(INT32 X, INT32 Y, INT32 W, INT32 H, PaintFn &&Paint) {
  return PaintOffscreen(Underlay::Capture, X, Y, W, H, static_cast<PaintFn &&>(Paint));
}

// The same flow for a primitive that would otherwise send many small
// transfers: Area of the screen (clipped to the mode) is captured, Paint
// draws on it in screen coordinates, and it goes back in one transfer.
// EFI_NOT_STARTED: nothing was sent, for want of memory or of a readable
// screen, and the caller paints another way; else the send's status.
template <typename PaintFn>
EFI_STATUS PaintScreenArea(const Rect &Area, PaintFn &&Paint) {
  const Rect A = Area.Intersect(DrawTarget::Screen().Clip);
  const EFI_STATUS Status = PaintOffscreen(
      Underlay::Unset, A.X, A.Y, A.Width, A.Height, [&](const DrawTarget &B) -> EFI_STATUS {
        if (EFI_ERROR(CaptureUnder(B.Pixels, A.X, A.Y, A.Width, A.Height))) {
          return EFI_NOT_STARTED;
        }
        Paint(DrawTarget::ScreenWindow(B.Pixels, A));
        return EFI_SUCCESS;
      });
  return Status == EFI_OUT_OF_RESOURCES ? EFI_NOT_STARTED : Status;
}

UINTN EFIAPI BlitToScreen(const ORVANE_PIXEL *Buffer, INT32 Width, INT32 Height, INT32 X, INT32 Y);
UINTN EFIAPI ClearBuffer(ORVANE_PIXEL *Buffer, INT32 Width, INT32 Height);
