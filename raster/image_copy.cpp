#include "raster/image_copy.h"

#include "platform/services.h"

namespace {

// Largest extent starting at Start that stays inside Limit.
UINT32 Fit(UINT32 Start, UINT32 Extent, UINT32 Limit) {
  if (Start >= Limit) {
    return 0;
  }
  return Extent < Limit - Start ? Extent : Limit - Start;
}
}  // namespace

UINTN CopyImageRect(ORVANE_PIXEL *Destination, const ORVANE_PIXEL *Source, UINT16 DestinationX,
                    UINT16 DestinationY, UINT16 SourceX, UINT16 SourceY, UINT16 DestinationRowWidth,
                    UINT16 DestinationHeight, UINT16 SourceRowWidth, UINT16 SourceHeight,
                    UINT16 Width, UINT16 Height, const ORVANE_PIXEL *Key) {
  if (Destination == nullptr || Source == nullptr) {
    return 1;
  }
  UINT32 W = Fit(DestinationX, Width, DestinationRowWidth);
  W = Fit(SourceX, W, SourceRowWidth);
  UINT32 H = Fit(DestinationY, Height, DestinationHeight);
  H = Fit(SourceY, H, SourceHeight);
  if (W == 0 || H == 0) {
    return 0;
  }
  if (Key == nullptr) {
    ORVANE_PIXEL *To = Destination + DestinationX + (UINTN)DestinationY * DestinationRowWidth;
    const ORVANE_PIXEL *From = Source + SourceX + (UINTN)SourceY * SourceRowWidth;
    // The first pixel of the first row to one past the last of the last row.
    const UINTN T0 = (UINTN)To, F0 = (UINTN)From;
    const UINTN T1 = (UINTN)(To + (UINTN)(H - 1) * DestinationRowWidth + W);
    const UINTN F1 = (UINTN)(From + (UINTN)(H - 1) * SourceRowWidth + W);
    if (T1 <= F0 || F1 <= T0) {
      // Apart: whole rows on both sides are one block, else a string move a row.
      if (W == DestinationRowWidth && W == SourceRowWidth) {
        CopyPixels(To, From, (UINTN)W * H);
        return 0;
      }
      for (UINT32 R = 0; R < H; R++, To += DestinationRowWidth, From += SourceRowWidth) {
        CopyPixels(To, From, W);
      }
      return 0;
    }
    // A move within one image: row after row, each as the firmware's overlap-safe copy.
    for (UINT32 R = 0; R < H; R++, To += DestinationRowWidth, From += SourceRowWidth) {
      gBootServices->CopyMem(To, (VOID *)From, (UINTN)W * sizeof(ORVANE_PIXEL));
    }
    return 0;
  }
  for (UINT32 R = 0; R < H; R++) {
    const ORVANE_PIXEL *From = Source + SourceX + (UINTN)(SourceY + R) * SourceRowWidth;
    ORVANE_PIXEL *To = Destination + DestinationX + (UINTN)(DestinationY + R) * DestinationRowWidth;
    for (UINT32 U = 0; U < W; U++) {
      ORVANE_PIXEL P = From[U];
      if (P.Red != Key->Red && P.Green != Key->Green && P.Blue != Key->Blue) {
        To[U] = P;
      }
    }
  }
  return 0;
}

namespace {
bool KeptByKey(ORVANE_PIXEL P, const ORVANE_PIXEL *Key) {
  return Key == nullptr || (P.Red != Key->Red && P.Green != Key->Green && P.Blue != Key->Blue);
}
}  // namespace

void PlaceImage(const DrawTarget &T, INT32 X, INT32 Y, const ORVANE_PIXEL *Source,
                INT32 SourceRowWidth, const Rect &SourcePart, const ORVANE_PIXEL *Key) {
  if (Source == nullptr || SourceRowWidth <= 0) {
    return;
  }
  // The part inside the source's rows, then where it lands, cut to the clip.
  const Rect Part = SourcePart.Intersect({0, 0, SourceRowWidth, 0x7FFFFFFF});
  if (Part.Empty()) {
    return;
  }
  // Source pixel (SX, SY) lands at (SX + Dx, SY + Dy).
  const INT64 Dx = (INT64)X - SourcePart.X, Dy = (INT64)Y - SourcePart.Y;
  const Rect Visible = ClipRect(T.Clip, Part.X + Dx, Part.Y + Dy, Part.Width, Part.Height);
  if (Visible.Empty()) {
    return;
  }
  const INT64 L = Visible.X, Top = Visible.Y, R = Visible.Right(), B = Visible.Bottom();
  if (T.IsScreen() && Key == nullptr) {
    SendToScreen(Source, SourceRowWidth, Part, Dx, Dy, T.Clip);
    return;
  }
  if (!T.IsScreen() && Key == nullptr && R - L == T.RowWidth && R - L == SourceRowWidth) {
    // Whole rows on both sides: one block.
    gBootServices->CopyMem(T.At(L, Top),
                           (VOID *)(Source + (UINTN)(Top - Dy) * (UINTN)SourceRowWidth),
                           (UINTN)(B - Top) * (UINTN)(R - L) * sizeof(ORVANE_PIXEL));
    return;
  }
  for (INT64 Row = Top; Row < B; Row++) {
    const ORVANE_PIXEL *From = Source + (UINTN)(Row - Dy) * (UINTN)SourceRowWidth;
    if (T.IsScreen()) {
      // Each stretch of kept pixels in one transfer.
      INT64 Col = L;
      while (Col < R) {
        if (!KeptByKey(From[Col - Dx], Key)) {
          Col++;
          continue;
        }
        const INT64 Start = Col;
        while (Col < R && KeptByKey(From[Col - Dx], Key)) Col++;
        SendToScreen(Source, SourceRowWidth,
                     {(INT32)(Start - Dx), (INT32)(Row - Dy), (INT32)(Col - Start), 1}, Dx, Dy,
                     T.Clip);
      }
      continue;
    }
    ORVANE_PIXEL *To = T.At(L, Row);
    if (Key == nullptr) {
      gBootServices->CopyMem(To, (VOID *)(From + (L - Dx)), (UINTN)(R - L) * sizeof(ORVANE_PIXEL));
      continue;
    }
    for (INT64 Col = L; Col < R; Col++) {
      if (KeptByKey(From[Col - Dx], Key)) To[Col - L] = From[Col - Dx];
    }
  }
}

void PlaceInk(const DrawTarget &T, INT64 X, INT64 Y, const ORVANE_PIXEL *Source, UINT32 Width,
              UINT32 Height, UINT32 Ink, UINT32 DimAfter, UINT32 DimColor) {
  if (Source == nullptr) {
    return;
  }
  const UINT32 Key = Ink & 0x00FFFFFF;
  auto IsInk = [&](ORVANE_PIXEL P) { return (ColorFromPixel(P) & 0x00FFFFFF) == Key; };
  // Only the rows that land inside the clip are visited.
  const INT64 J0 = Max64(T.Clip.Y - Y, 0), J1 = Min64(T.Clip.Bottom() - Y, (INT64)Height);
  for (INT64 J = J0; J < J1; J++) {
    const ORVANE_PIXEL *From = Source + (UINTN)J * Width;
    if (T.IsScreen()) {
      // Stretches of one colour: ink, cut where the dimmed columns begin.
      const INT64 I0 = Max64(T.Clip.X - X, 0), I1 = Min64(T.Clip.Right() - X, (INT64)Width);
      for (INT64 I = I0; I < I1;) {
        if (!IsInk(From[I])) {
          I++;
          continue;
        }
        const bool Dim = (UINT32)I > DimAfter;
        const INT64 Start = I;
        while (I < I1 && IsInk(From[I]) && ((UINT32)I > DimAfter) == Dim) I++;
        T.Fill(X + Start, Y + J, I - Start, 1, Dim ? DimColor : Ink);
      }
      continue;
    }
    INT64 X0 = X, X1 = X + (INT64)Width;
    ORVANE_PIXEL *To = T.Row(Y + J, X0, X1);
    if (To == nullptr) {
      continue;
    }
    const ORVANE_PIXEL Written = PixelFromColor(Ink), Dimmed = PixelFromColor(DimColor);
    const INT64 First = X0 - X;  // image column of To[0]
    for (INT64 I = 0; I < X1 - X0; I++) {
      if (IsInk(From[First + I])) To[I] = (UINT32)(First + I) > DimAfter ? Dimmed : Written;
    }
  }
}
