#include "controls/popup/input_dialog.h"

#include "controls/popup/window_frame.h"
#include "controls/status/button.h"
#include "controls/status/item_cell.h"
#include "text/text.h"

namespace {

constexpr INT32 kTitleMargin = 70;    // the title's width plus this fits the window
constexpr INT32 kCaptionMargin = 36;  // a caption's width plus this fits its button slot
constexpr INT32 kCharWidth = 9;       // field pixels per character
constexpr INT32 kTextLine = 19;
constexpr INT32 kFieldRow = 65;    // below the 63-pixel title band
constexpr INT32 kLayoutRows = 84;  // text line, title band and two more rows
constexpr INT32 kPromptGap = 10;
constexpr INT32 kButtonInsetX = 40;  // buttons are drawn this much narrower than their slot
constexpr INT32 kButtonInsetY = 20;  // and this much shorter
constexpr INT32 kMaxButtons = 3;
constexpr UINT32 kPromptInk = 0x000000;
constexpr UINT32 kPromptPaper = 0xFFFFFF;

// Width of Text at scale 1.0 (0 for NULL); false when it cannot be rendered.
bool Measure(const CHAR16 *Text, INT64 &Width) {
  UINT32 Measured = 0;
  const bool Ok = MeasureLabel(Text, Measured);
  Width = Measured;
  return Ok;
}

INT64 ButtonColumn(const InputDialog &D, INT32 K) {  // K from 1
  return (INT64)(K - 1) * D.buttonWidth + (INT64)K * D.buttonGap;
}

}  // namespace

UINTN EFIAPI InitInputDialog(InputDialog *Dialog, INT32 X, INT32 Y, UINT32 Width, INT32 Height,
                             const CHAR16 *Title, UINT16 Tag, const CHAR16 *Prompt,
                             const CHAR16 *Text, UINT16 MaxChars, UINT16 ShowPlain,
                             UINT16 ButtonCount, const CHAR16 *const *ButtonCaptions) {
  if (Dialog == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  // Laid out in a copy, so a text that cannot be measured leaves the record alone.
  InputDialog D = *Dialog;
  INT64 W = Width, Left = X;
  INT64 TitleWidth;
  if (!Measure(Title, TitleWidth)) {
    return EFI_OUT_OF_RESOURCES;
  }
  if (W < TitleWidth + kTitleMargin) {
    INT64 Grow = TitleWidth + kTitleMargin - W;
    W += Grow;
    Left = Left < Grow / 2 ? 0 : Left - Grow / 2;
  }
  D.y = Y;
  D.height = Height;
  D.title = Title;
  D.reserved = Tag;
  D.prompt = Prompt;
  D.text = Text;
  D.maxChars = MaxChars;
  D.showPlain = (INT16)ShowPlain;
  D.buttonCaptions = ButtonCaptions;
  D.hotButton = 0;
  D.buttonWidth = 110;
  D.buttonHeight = 50;
  D.promptX = 18;
  D.fieldTop = 18;
  D.buttonGap = 28;
  D.closeShown = 1;

  // The caption array holds three strings: no more are read.
  INT64 Widest = 0;
  UINT16 Measured = 0;
  while (ButtonCaptions != nullptr && Measured < ButtonCount && Measured < kMaxButtons &&
         ButtonCaptions[Measured] != nullptr) {
    INT64 CaptionWidth;
    if (!Measure(ButtonCaptions[Measured], CaptionWidth)) {
      return EFI_OUT_OF_RESOURCES;
    }
    Widest = CaptionWidth > Widest ? CaptionWidth : Widest;
    Measured++;
  }
  if (D.buttonWidth < Widest + kCaptionMargin) {
    D.buttonWidth = (UINT16)(Widest + kCaptionMargin);
  }
  D.buttonCount = Measured;

  INT64 PromptWidth;
  if (!Measure(Prompt, PromptWidth)) {
    return EFI_OUT_OF_RESOURCES;
  }
  const INT64 Content = (INT64)MaxChars * kCharWidth + PromptWidth;
  const INT64 N = ButtonCount;  // the count as passed
  const INT64 Row = N * (D.buttonWidth + D.buttonGap) + D.buttonGap;
  const INT64 Span = Content + 2 * D.promptX;
  if (W < Span && Row < Span) {
    W = Span;
    D.buttonGap = (UINT16)((W - N * D.buttonWidth) / (N + 1));
  } else if (W < Row) {
    W = Row;
    D.promptX = (UINT16)((W - Content) / 2);
  } else {
    D.promptX = (UINT16)((W - Content) / 2);
    D.buttonGap = (UINT16)((W - N * D.buttonWidth) / (N + 1));
  }

  const INT64 Least = (INT64)D.buttonHeight + 3 * D.fieldTop + kLayoutRows;
  if (Height < Least) {
    D.height = (INT32)Least;
  } else {
    D.fieldTop = (UINT16)((Height - D.buttonHeight - kLayoutRows) / 3);
  }
  D.x = (INT32)Left;
  D.width = (INT32)W;
  *Dialog = D;
  return 0;
}

UINTN EFIAPI HitTestInputDialog(InputDialog *Dialog, INT32 PX, INT32 PY) {
  if (Dialog == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  InputDialog &D = *Dialog;
  const INT64 X = D.x, Y = D.y, Right = X + D.width;
  D.hotButton = INPUT_DIALOG_HIT_NONE;
  if (PX >= Right - 30 && PX < Right - 14 && PY > Y + 20 && PY < Y + 36) {
    D.hotButton = INPUT_DIALOG_HIT_CLOSE;
  }
  const INT64 Top = Y + 2 * (INT64)D.fieldTop + kLayoutRows;
  for (INT32 K = 1; K <= kMaxButtons && K <= D.buttonCount; K++) {
    INT64 Left = X + ButtonColumn(D, K);
    if (PX > Left && PX < Left + D.buttonWidth && PY > Top && PY < Top + D.buttonHeight) {
      D.hotButton = (INT16)K;
    }
  }
  return 0;
}

UINTN EFIAPI PaintInputDialog(const InputDialog *Dialog) {
  if (Dialog == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  const InputDialog &D = *Dialog;

  // Every text is rendered before anything is drawn, so a failure shows nothing.
  OwnedText Prompt;
  if (!Prompt.RenderIfAny(D.prompt, kPromptInk, kPromptPaper)) {
    return EFI_OUT_OF_RESOURCES;
  }
  const bool HasPrompt = Prompt.Get() != nullptr;
  const INT64 PromptWidth = HasPrompt ? Prompt.Image.Width : 0;
  const INT32 LineHeight = HasPrompt ? (INT32)Prompt.Image.Height : kTextLine;

  // The shown text, masked or plain, in a buffer sized to the field.
  UINT32 Shown = D.text != nullptr ? TextLength(D.text) : 0;
  Shown = Shown < D.maxChars ? Shown : D.maxChars;
  PoolBuffer<CHAR16> ShownText((UINTN)Shown + 1);
  if (!ShownText) {
    return EFI_OUT_OF_RESOURCES;
  }
  for (UINT32 I = 0; I < Shown; I++) {
    ShownText[I] = D.showPlain == 0 ? (CHAR16)'*' : D.text[I];
  }
  ShownText[Shown] = 0;
  const UINT16 FieldAlign = D.prompt != nullptr ? 0 : kAlignCentred;
  OwnedText Field;
  if (!Field.RenderIfAny(Shown > 0 ? ShownText.Get() : nullptr,
                         ItemCellTextColor(kCellRaised, FieldAlign, 0), kItemCellTextBackground)) {
    return EFI_OUT_OF_RESOURCES;
  }

  const INT32 Buttons = D.buttonCount < kMaxButtons ? D.buttonCount : kMaxButtons;
  OwnedText Captions[kMaxButtons];
  for (INT32 K = 1; K <= Buttons; K++) {
    const CHAR16 *Caption = D.buttonCaptions != nullptr ? D.buttonCaptions[K - 1] : nullptr;
    if (!Captions[K - 1].RenderIfAny(
            Caption, ButtonCaptionColor(D.hotButton == K ? kButtonPressed : kButtonNormal),
            kButtonCaptionBackground)) {
      return EFI_OUT_OF_RESOURCES;
    }
  }

  return PaintOffscreen(D.x, D.y, D.width, D.height, [&](const DrawTarget &T) -> EFI_STATUS {
    // Here the width is positive.
    const PopupWindowLook Window = {
        .Width = D.width,
        .Height = D.height,
        .Title = D.title,
        .Close = D.closeShown ? D.closeState : kNoCloseBox,
        .CloseX = D.width - 30,
        .CloseY = 20,
        .BandFirst = true,
    };
    const EFI_STATUS Status = PaintPopupWindow(T, Window);
    if (EFI_ERROR(Status)) {
      return Status;
    }
    const INT64 Row = (INT64)D.fieldTop + kFieldRow;
    if (HasPrompt) {
      PlaceGlyphs(T, D.promptX, Row, Prompt.Image, kPromptInk);
    }
    const INT64 FieldX = HasPrompt ? D.promptX + kPromptGap + PromptWidth : D.promptX;
    DrawItemCellRendered(T, (INT32)FieldX, (INT32)Row, (INT32)D.maxChars * kCharWidth, LineHeight,
                         kCellRaised, Field.Get(), FieldAlign, 0);
    const INT64 ButtonRow = LineHeight + 2 * (INT64)D.fieldTop + kFieldRow;
    for (INT32 K = 1; K <= Buttons; K++) {
      DrawButtonRendered(T, (INT32)ButtonColumn(D, K), (INT32)ButtonRow,
                         D.buttonWidth - kButtonInsetX, D.buttonHeight - kButtonInsetY,
                         Captions[K - 1].Get(), kAlignCentred,
                         D.hotButton == K ? kButtonPressed : kButtonNormal);
    }
    return EFI_SUCCESS;
  });
}
