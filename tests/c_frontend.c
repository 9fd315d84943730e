/* A setup front-end written in C11: it includes the published header as a C
   program would (alone, with the header's folder as its only -I of the
   toolkit), checks the layouts it relies on, and drives a few operations
   through the interface. The host test runs it against the simulated firmware. */
#include <orvane.h>

#define W(Text) ((const CHAR16 *)u"" Text)

/* The interface and the records as a C compiler lays them out. */
_Static_assert(sizeof(ORVANE_UI_PROTOCOL) == 52 * 8, "slot table");
_Static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, OpenListPopup) == 1 * 8, "slot 1");
_Static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, InitSettingRow) == 20 * 8, "slot 20");
_Static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, DrawText) == 44 * 8, "slot 44");
_Static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, DissolveTransition) == 51 * 8, "slot 51");
_Static_assert(sizeof(TextImage) == 24, "TextImage");
_Static_assert(__builtin_offsetof(TextImage, Bitmap) == 16, "TextImage.Bitmap");
_Static_assert(__builtin_offsetof(SettingRow, label) == 32, "SettingRow.label");
_Static_assert(__builtin_offsetof(ListPopup, textMask) == 32, "ListPopup.textMask");
_Static_assert(__builtin_offsetof(OptionPopupSet, state) == 9 * 56, "OptionPopupSet.state");
_Static_assert(__builtin_offsetof(IconDock, stripBackground) == 64, "IconDock.stripBackground");

/* Sizes the C++ side compares with its own sizeof. */
const UINTN CFrontendRecordSizes[8] = {
    sizeof(ORVANE_UI_PROTOCOL), sizeof(ListPopup), sizeof(InputDialog), sizeof(SettingRow),
    sizeof(DigitReadout),       sizeof(IconDock),  sizeof(MessageBox),  sizeof(OptionPopupSet)};

static UINT32 ScreenPixel(EFI_GRAPHICS_OUTPUT_PROTOCOL *Gop, UINTN X, UINTN Y) {
  EFI_GRAPHICS_OUTPUT_BLT_PIXEL P = {0, 0, 0, 0};
  Gop->Blt(Gop, &P, EfiBltVideoToBltBuffer, X, Y, 0, 0, 1, 1, 0);
  return (UINT32)P.Blue | ((UINT32)P.Green << 8) | ((UINT32)P.Red << 16);
}

/* Returns 0, or the number of the first step that went wrong. */
int CFrontendRun(ORVANE_UI_PROTOCOL *Ui, ORVANE_BANNER_PROTOCOL *Banner,
                 EFI_GRAPHICS_OUTPUT_PROTOCOL *Gop, EFI_BOOT_SERVICES *Bs) {
  CHAR16 Text[128];
  const CHAR16 *Items[3] = {W("First"), W("Second"), W("Third")};
  ListPopup Popup;
  SettingRow Row;
  EFI_GRAPHICS_OUTPUT_BLT_PIXEL Back = {0x40, 0x20, 0x10, 0};
  UINT32 Red = 0x00C03020;

  /* 1: a solid rectangle straight onto the screen. */
  if (Ui->DrawRectangle(NULL, 0, 0, 10, 10, 40, 30, 1, 1, Red, Red) != 0 ||
      ScreenPixel(Gop, 25, 20) != Red || ScreenPixel(Gop, 9, 9) == Red) {
    return 1;
  }
  /* 2: the variadic text operation takes its arguments the Microsoft way. */
  if (Ui->DrawText(0x00FFFFFF, &Back, 1000, 100, 100, W("%s %d"), W("C front-end"), 11) != 0 ||
      ScreenPixel(Gop, 100, 100) != 0x00102040) {
    return 2;
  }
  /* 3: the length of a string, and the banner's text in a buffer. */
  if (Ui->StringLength(W("orvane")) != 6 || Banner->Banner(Text) != Text || Text[0] != 'O') {
    return 3;
  }
  /* 4: a setting row paints its cells over the screen. */
  if (Ui->InitSettingRow(&Row, 200, 300, 400, 160, 0, 0, 0, 0, 0, 0, W("Language"), W("English"), 0,
                         2, 0) != EFI_SUCCESS ||
      Row.width != 400 || Ui->PaintSettingRow(&Row) != EFI_SUCCESS ||
      ScreenPixel(Gop, 300, 309) == 0) {
    return 4;
  }
  /* 5: a list popup opens, paints, hit-tests and closes, freeing its mask. */
  if (Ui->OpenListPopup(&Popup, 500, 200, 240, 200, W("Pick"), 0, 3, Items, -1) != 0 ||
      Popup.textMask == NULL || Ui->PaintListPopup(&Popup) != 0 ||
      Ui->HitTestListPopup(&Popup, Popup.x + 40, Popup.y + 81 + 25, 1) != ORVANE_LIST_HIT_LIST ||
      Popup.selectedRow != 1 || Ui->CloseListPopup(&Popup) != 0) {
    return 5;
  }
  /* 6: a screen capture, handed back to the toolkit. */
  {
    ORVANE_PIXEL *Screen = NULL;
    UINT32 Width = 0, Height = 0;
    if (Ui->CaptureScreen(&Screen, &Width, &Height) != 0 || Screen == NULL ||
        Width != Gop->Mode->Info->HorizontalResolution) {
      return 6;
    }
    Ui->ReleaseCapturedScreen();
  }
  /* 7: the keyboard recipe: a row far down comes into view, the first row
     takes the thumb back to the top, and a row past the end is the last. */
  {
    const CHAR16 *Rows[30];
    ListPopupView View = {0, 0, 0};
    int I;
    for (I = 0; I < 30; I++) Rows[I] = W("Row");
    if (Ui->OpenListPopup(&Popup, 100, 100, 240, 200, W("Many"), 0, 30, Rows, -3) != 0 ||
        Popup.thumbPos != 1 || OrvaneListPopupSelect(Ui, &Popup, 20) != 0 ||
        Popup.selectedRow != 20 || Popup.hotRow != 20 || Popup.thumbPos <= 1 ||
        Ui->GetListPopupView(&Popup, &View) != 0 || View.outOfView != 0 ||
        OrvaneListPopupSelect(Ui, &Popup, 0) != 0 || Popup.thumbPos != 1 ||
        OrvaneListPopupSelect(Ui, &Popup, 99) != 0 || Popup.selectedRow != 29 ||
        Ui->CloseListPopup(&Popup) != 0) {
      return 7;
    }
  }
  /* 8: every kind names the entry OrvaneOptionEntry says, and the opening
     recipe shows, tracks and closes a popup. The icons are the caller's. */
  {
    static OptionPopupSet Set;
    static const UINT16 Kinds[9] = {0, 2, 3, 4, 5, 6, 16, 17, 18};
    const CHAR16 *Titles[9];
    const CHAR16 *Choices[3] = {W("Disk"), W("Network"), W("Shell")};
    int I, Failed = 0;
    Ui->ResetOptionPopups(&Set);
    for (I = 0; I < 9; I++) {
      Titles[I] = Choices[I % 3] + I % 2;
      if (Ui->DefineOptionPopup(&Set, 0, 0, Kinds[I], Titles[I], 1, Choices) != EFI_SUCCESS ||
          Set.entries[OrvaneOptionEntry(Kinds[I])].title != Titles[I]) {
        Failed = 1;
      }
    }
    Failed |= OrvaneOptionEntry(1) != ORVANE_OPTION_ENTRIES;
    Failed |= OrvaneOpenOptionPopup(Ui, &Set, 200, 100, ORVANE_OPTION_BOOT_ORDER, W("Boot"), 3,
                                    Choices, 1) != EFI_SUCCESS;
    Failed |= Set.state.shown != 7 || Set.state.focus != 1 || Set.state.savedBackground == NULL;
    Failed |= Ui->TrackOptionPopup(&Set, Set.state.shown, 0, 0, ORVANE_EVENT_HOVER,
                                   ORVANE_KEY_NEXT) != 0 ||
              Set.state.focus != 2;
    Failed |= Ui->CloseOptionPopup(&Set) != EFI_SUCCESS || Set.state.savedBackground != NULL;
    for (I = 0; I < ORVANE_OPTION_ENTRIES; I++) Bs->FreePool(Set.entries[I].icon);
    if (Failed) {
      return 8;
    }
  }
  /* 9: the slider's key recipe steps as its arrows do, and holds at both ends. */
  {
    SettingRow Slider;
    int Failed = Ui->InitSettingRow(&Slider, 100, 400, 600, 200, 160, 0, 5, 0, 0, 0, W("Fan"),
                                    W("50 %"), 0, ORVANE_ROW_CELLS, 0) != EFI_SUCCESS;
    Failed |= OrvaneSettingSliderStep(Ui, &Slider, TRUE) != EFI_SUCCESS ||
              OrvaneSettingSliderStep(Ui, &Slider, TRUE) != EFI_SUCCESS || Slider.stepIndex != 2 ||
              Slider.stepMode != 1 || Slider.hotPart != ORVANE_SLIDER_RIGHT_ARROW;
    for (int I = 0; I < 3; I++) OrvaneSettingSliderStep(Ui, &Slider, FALSE);
    Failed |= Slider.stepIndex != 0 || Slider.hotPart != ORVANE_SLIDER_LEFT_ARROW;
    for (int I = 0; I < 6; I++) OrvaneSettingSliderStep(Ui, &Slider, TRUE);
    if (Failed || Slider.stepIndex != 4) {
      return 9;
    }
  }
  return 0;
}
