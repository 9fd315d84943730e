#include "controls/status/message_box.h"

#include "controls/status/button.h"
#include "controls/status/dialog_window.h"

namespace {

constexpr INT32 kMinWidth = 295, kMinHeight = 137;
constexpr INT32 kLinePitch = 20;
constexpr UINTN kLineChars = 1023;  // longer text lines are cut here
constexpr UINT32 kText = 0x4C4C4C;
constexpr UINT32 kMaxButtons = 3;

// One text line of the box, NUL-terminated in a line buffer.
struct TextLine {
  const CHAR16 *Text;
  UINT32 StringIndex;
  UINT32 LfBefore;  // LF characters seen before this line, over all strings
  bool FirstOfString;
};

// Calls Fn(const TextLine &) for each text line of the first Count strings:
// each string split at LF, a CR just before an LF dropped, each line cut to
// 1023 characters. Stops early, returning false, when Fn does.
template <typename Fn>
bool ForEachTextLine(const CHAR16 *const *Lines, UINT32 Count, Fn &&F) {
  CHAR16 Buffer[kLineChars + 1];
  UINT32 Lf = 0;
  for (UINT32 S = 0; Lines != nullptr && S < Count && Lines[S] != nullptr; S++) {
    const CHAR16 *P = Lines[S];
    for (bool First = true;; First = false) {
      const CHAR16 *End = P;
      while (*End != 0 && *End != u'\n') End++;
      UINTN Length = (UINTN)(End - P);
      if (*End == u'\n' && Length > 0 && P[Length - 1] == u'\r') Length--;
      if (Length > kLineChars) Length = kLineChars;
      for (UINTN I = 0; I < Length; I++) Buffer[I] = P[I];
      Buffer[Length] = 0;
      if (!F(TextLine{Buffer, S, Lf, First})) {
        return false;
      }
      if (*End == 0) break;
      Lf++;
      P = End + 1;
    }
  }
  return true;
}

bool Measure(const CHAR16 *Text, UINT32 &Width) {
  return Text != nullptr && MeasureLabel(Text, Width);
}

INT32 ButtonState(const MessageBox &B, UINT32 K) {
  if (B.HotButton != K) return kButtonNormal;
  return B.HotState == 1 ? kButtonPressed : B.HotState == 2 ? kButtonFocused : kButtonNormal;
}

}  // namespace

UINTN EFIAPI InitMessageBox(MessageBox *Box, INT32 X, INT32 Y, INT32 Width, INT32 Height,
                            UINT16 LineCount, const CHAR16 *const *Lines, UINT16 ButtonCount,
                            const CHAR16 *const *Captions) {
  if (Box == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  // Laid out in a copy, so a failed measurement leaves the caller's record as it was.
  MessageBox B = *Box;
  B.X = X;
  B.Y = Y;
  B.Width = Width < kMinWidth ? kMinWidth : Width;
  B.Height = Height < kMinHeight ? kMinHeight : Height;
  B.LineCount = LineCount;
  B.Lines = Lines;
  B.ButtonCount = ButtonCount;
  B.Captions = Captions;
  B.HotButton = 0;
  B.ButtonWidth = 111;
  B.ButtonHeight = 33;
  B.TextLeft = 28;
  B.TextTop = 34;
  B.ButtonsLeft = 28;
  B.ButtonGap = 17;
  B.ButtonMargin = 25;
  B.TextWidth = 0;

  UINT32 Widest = 0, Measured = 0;
  for (; Captions != nullptr && Measured < ButtonCount && Captions[Measured] != nullptr;
       Measured++) {
    UINT32 W;
    if (!Measure(Captions[Measured], W)) return EFI_OUT_OF_RESOURCES;
    if (W > Widest) Widest = W;
  }
  if (B.ButtonWidth < Widest + 20) B.ButtonWidth = (UINT16)(Widest + 20);
  B.ButtonCount = (UINT16)Measured;

  UINT32 Strings = 0;
  while (Lines != nullptr && Strings < LineCount && Lines[Strings] != nullptr) Strings++;
  B.LineCount = (UINT16)Strings;
  UINT32 TextLines = 0, TextWidth = 0;
  if (!ForEachTextLine(Lines, Strings, [&](const TextLine &L) {
        UINT32 W;
        if (!Measure(L.Text, W)) return false;
        if (W > TextWidth) TextWidth = W;
        TextLines++;
        return true;
      })) {
    return EFI_OUT_OF_RESOURCES;
  }
  B.TextWidth = (UINT16)TextWidth;
  B.TextHeight = (UINT16)(TextLines * kLinePitch);

  // The row is laid out for the buttons asked for, measured or not.
  const INT64 N = ButtonCount;
  const INT64 Buttons = N * B.ButtonWidth + (N - 1) * B.ButtonGap;
  const INT64 TextSpan = (INT64)B.TextWidth + 2 * B.TextLeft;
  const INT64 RowSpan = Buttons + 2 * B.ButtonsLeft;
  const INT64 Asked = B.Width;
  if (Asked < TextSpan && RowSpan < TextSpan) {
    B.Width = (INT32)TextSpan;
    B.ButtonsLeft = (UINT16)((TextSpan - Buttons) / 2);
  } else if (Asked < TextSpan || Asked < RowSpan) {
    B.Width = (INT32)RowSpan;
    B.TextLeft = (UINT16)((RowSpan - B.TextWidth) / 2);
  } else {
    // A box asked wider than its text and its buttons comes out 295 wide
    // (the row's margins may then shrink), unless the text span or the
    // buttons alone need more: then it keeps the width asked, so that
    // neither would start left of the box.
    const INT64 Final = (TextSpan > kMinWidth || Buttons > kMinWidth) ? Asked : kMinWidth;
    B.Width = (INT32)Final;
    B.TextLeft = (UINT16)((Final - B.TextWidth) / 2);
    B.ButtonsLeft = (UINT16)((Final - Buttons) / 2);
  }
  const INT64 Tall = (INT64)B.TextHeight + B.ButtonHeight + B.TextTop + 2 * B.ButtonMargin;
  B.Height = Tall < kMinHeight ? kMinHeight : (INT32)Tall;
  *Box = B;
  return EFI_SUCCESS;
}

UINTN EFIAPI HitTestMessageBox(MessageBox *Box, INT32 PX, INT32 PY) {
  if (Box == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  Box->HotButton = 0;
  const INT64 Top = (INT64)Box->Y + Box->TextTop + Box->TextHeight + Box->ButtonMargin;
  if (!(PY > Top && PY < Top + Box->ButtonHeight)) {
    return EFI_SUCCESS;
  }
  for (UINT32 K = 1; K <= kMaxButtons && K <= Box->ButtonCount; K++) {
    const INT64 Left =
        (INT64)Box->X + Box->ButtonsLeft + (INT64)(K - 1) * (Box->ButtonWidth + Box->ButtonGap);
    if (PX > Left && PX < Left + Box->ButtonWidth) {
      Box->HotButton = (UINT16)K;
      Box->HotState = 2;
    }
  }
  return EFI_SUCCESS;
}

UINTN EFIAPI PaintMessageBox(const MessageBox *Box) {
  if (Box == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  const MessageBox &B = *Box;
  // Every text is rendered before anything is drawn: a failure draws nothing.
  // The text lines go into a mask of black pixels; the first line of the
  // first string is centred, every other one left-aligned.
  const UINT32 MW = B.TextWidth, MH = B.TextHeight;
  const bool HasText = MW != 0 && MH != 0;  // no text: the text step draws nothing
  PoolBuffer<UINT8> Mask(HasText ? static_cast<UINT8 *>(PoolAlloc((UINTN)MW * MH)) : nullptr);
  if (HasText) {
    if (!Mask) return EFI_OUT_OF_RESOURCES;
    gBootServices->SetMem(Mask.Get(), (UINTN)MW * MH, 0);
    if (!ForEachTextLine(B.Lines, B.LineCount, [&](const TextLine &L) {
          OwnedText T;
          if (!T.Render(L.Text, 0x000000, 0xFFFFFF)) return false;
          const bool Centred = L.StringIndex == 0 && L.FirstOfString;
          const INT64 Left = Centred ? ((INT64)MW - (INT64)T.Image.Width) / 2 : 0;
          const INT64 Top = Centred ? 0 : (INT64)kLinePitch * (L.StringIndex + L.LfBefore);
          // Glyph columns that land inside the mask.
          const INT64 I0 = Left < 0 ? -Left : 0;
          const INT64 I1 =
              (INT64)MW - Left < (INT64)T.Image.Width ? (INT64)MW - Left : (INT64)T.Image.Width;
          for (INT64 J = 0; J < (INT64)T.Image.Height && Top + J < (INT64)MH; J++) {
            const ORVANE_PIXEL *Row = T.Image.Bitmap + (UINTN)J * T.Image.Width;
            UINT8 *To = Mask.Get() + (UINTN)(Top + J) * MW + Left;
            for (INT64 I = I0; I < I1; I++) {
              if (Row[I].Blue == 0 && Row[I].Green == 0 && Row[I].Red == 0) To[I] = 1;
            }
          }
          return true;
        })) {
      return EFI_OUT_OF_RESOURCES;
    }
  }
  OwnedText Captions[kMaxButtons];
  const UINT32 Buttons = B.Captions == nullptr ? 0 : B.ButtonCount;
  for (UINT32 K = 1; K <= kMaxButtons && K <= Buttons; K++) {
    if (B.Captions[K - 1] != nullptr &&
        !RenderLabel(B.Captions[K - 1], ButtonCaptionColor(ButtonState(B, K)),
                     kButtonCaptionBackground, Captions[K - 1].Image)) {
      return EFI_OUT_OF_RESOURCES;
    }
  }

  return PaintOffscreen(B.X, B.Y, B.Width, B.Height, [&](const DrawTarget &T) {
    DrawDialogWindow(T, 0, 0, B.Width, B.Height);
    const ORVANE_PIXEL Ink = PixelFromColor(kText);
    for (UINT32 J = 0; Mask && J < MH; J++) {
      INT64 X0 = B.TextLeft, X1 = (INT64)B.TextLeft + MW;
      ORVANE_PIXEL *To = T.Row((INT64)B.TextTop + J, X0, X1);
      const UINT8 *From = Mask.Get() + (UINTN)J * MW + (X0 - B.TextLeft);
      for (INT64 I = 0; To != nullptr && I < X1 - X0; I++) {
        if (From[I]) To[I] = Ink;
      }
    }
    const INT32 Top = B.TextTop + B.TextHeight + B.ButtonMargin;
    for (UINT32 K = 1; K <= kMaxButtons && K <= Buttons; K++) {
      const INT32 Left = B.ButtonsLeft + (INT32)(K - 1) * (B.ButtonWidth + B.ButtonGap);
      DrawButtonRendered(T, Left, Top, B.ButtonWidth, B.ButtonHeight,
                         B.Captions[K - 1] != nullptr ? &Captions[K - 1].Image : nullptr,
                         kAlignCentred, ButtonState(B, K));
    }
  });
}
