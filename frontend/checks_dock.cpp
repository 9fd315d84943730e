// Firmware checks of the icon dock: with 3 items the row is 148 pixels wide,
// with 10 items 465; on the screen the band ends there and the chevrons sit
// at columns 41 to 43 of each gap but the last, rows 18 to 22. A new
// placement keeps the label strip already in the record.
#include "frontend/checks.h"

namespace {

constexpr UINT32 kBack = 0x00302010, kBand = 0x00245909, kChevron = 0x0055A01E;

void DockWidth(const CheckContext &C, UINT16 Count, INT32 Want, const char *Name) {
  const SceneContext &S = *C.Scene;
  const CHAR16 *Labels[10] = {};
  UINT16 Flags[10] = {}, Active[10] = {};
  for (UINT16 I = 0; I < Count; I++) Labels[I] = W("item");
  const INT32 X = 100, Y = 200, Pitch = Count < 9 ? 51 : 47;
  FillScreenRect(S, 0, 150, 1024, 150, kBack);
  IconDock D = {};
  EFI_STATUS Init = S.Ui->InitIconDock(&D, X, Y, Count, Labels, Flags, Active);
  EFI_STATUS Paint = S.Ui->PaintIconDock(&D);

  // Row 20 of the dock and the column just past it; the chevron columns.
  ORVANE_PIXEL Row[600];
  const UINT32 Span = (UINT32)Want + 1;
  bool Read = Span <= 600 && ReadScreen(S, Row, (UINT32)X, (UINT32)Y + 20, Span, 1);
  bool EdgeOk = Read && ColorOf(Row[Want - 1]) != kBack && ColorOf(Row[Want]) == kBack &&
                ColorOf(Row[44]) == kBand;
  UINTN Marks = 0, Misplaced = 0;
  ORVANE_PIXEL Column[41];
  for (INT32 Gap = 0; Read && Gap < Count; Gap++) {
    for (INT32 K = 41; K <= 43; K++) {
      const INT32 At = Gap * Pitch + K;
      if (At >= Want || !ReadScreen(S, Column, (UINT32)(X + At), (UINT32)Y, 1, 41)) continue;
      for (INT32 R = 0; R < 41; R++) {
        if (ColorOf(Column[R]) != kChevron) continue;
        Marks++;
        // Ends in column 41, the middles in 42, the tip in 43; none after the last item.
        const INT32 Off = R - 20 < 0 ? 20 - R : R - 20;
        Misplaced += Gap == Count - 1 || Off != 43 - K || (K < 43 && Off == 0);
      }
    }
  }
  FreePixels(S, D.stripBackground);
  const UINTN WantMarks = 5 * (UINTN)(Count - 1);
  CheckText T;
  T.Text("init ").Dec(Init).Text(" paint ").Dec(Paint).Text(", width ").Dec((UINT64)D.width);
  T.Text(" (expected ")
      .Dec((UINT64)Want)
      .Text("), band ")
      .Text(EdgeOk ? "ends there" : "does not end there");
  T.Text(", chevron pixels ")
      .Dec(Marks)
      .Text(" of ")
      .Dec(WantMarks)
      .Text(", misplaced ")
      .Dec(Misplaced);
  C.Report(Name,
           Init == EFI_SUCCESS && Paint == EFI_SUCCESS && D.width == Want && D.height == 41 &&
               EdgeOk && Marks == WantMarks && Misplaced == 0,
           T.Get());
}

// A strip already in the record survives a new placement: the saved one when
// the dock moves right, a refusal (record as it was) when it would move left,
// and a strip of the caller's own, shown as it is.
void KeptStrip(const CheckContext &C) {
  const SceneContext &S = *C.Scene;
  constexpr UINT32 kAgain = 0x00405060, kMine = 0x00A05030;
  const CHAR16 *Labels[3] = {W("one"), W("two"), W("three")};
  UINT16 Flags[3] = {}, Active[3] = {};
  FillScreenRect(S, 0, 150, 1024, 150, kBack);
  IconDock D = {};
  const EFI_STATUS First = S.Ui->InitIconDock(&D, 300, 200, 3, Labels, Flags, Active);
  ORVANE_PIXEL *Saved = D.stripBackground;
  // A strip saved again would hold this colour now.
  FillScreenRect(S, 0, 244, 1024, 19, kAgain);
  const EFI_STATUS Right = S.Ui->InitIconDock(&D, 320, 200, 3, Labels, Flags, Active);
  const bool KeptRight =
      Saved != nullptr && D.stripBackground == Saved && ColorOf(Saved[0]) == kBack;
  const EFI_STATUS Left = S.Ui->InitIconDock(&D, 310, 200, 3, Labels, Flags, Active);
  const bool Unmoved = D.x == 320 && D.stripBackground == Saved;
  FreePixels(S, D.stripBackground);

  // The caller's strip for x = 400: 674 x 19 pixels of one colour.
  ORVANE_PIXEL *Mine = AllocPixels(S, 674 * 19);
  for (UINTN I = 0; Mine != nullptr && I < 674 * 19; I++) {
    Mine[I] = {0x30, 0x50, 0xA0, 0};
  }
  FillScreenRect(S, 0, 244, 1024, 19, kBack);
  D = {};
  D.x = 400;
  D.stripBackground = Mine;
  const EFI_STATUS Own = S.Ui->InitIconDock(&D, 400, 200, 3, Labels, Flags, Active);
  const bool KeptOwn = Mine != nullptr && D.stripBackground == Mine;
  const EFI_STATUS Paint = S.Ui->PaintIconDock(&D);
  UINTN Shown = 0, Back = 0, Other = 0;
  const bool Read = Census(S, 350, 244, 674, 19, kMine, kBack, Shown, Back, Other);
  FreePixels(S, Mine);

  CheckText T;
  T.Text("init ").Dec(First).Text(", right ").Dec(Right).Text(KeptRight ? " kept" : " not kept");
  T.Text(", left ").Dec(Left).Text(Unmoved ? " unmoved" : " moved");
  T.Text("; own strip ").Dec(Own).Text(KeptOwn ? " kept" : " not kept").Text(", paint ");
  T.Dec(Paint).Text(", strip pixels shown ").Dec(Shown).Text(" of 12806");
  C.Report("icon-dock-kept-strip",
           First == EFI_SUCCESS && Right == EFI_SUCCESS && KeptRight &&
               Left == EFI_BUFFER_TOO_SMALL && Unmoved && Own == EFI_SUCCESS && KeptOwn &&
               Paint == EFI_SUCCESS && Read && Shown == 674 * 19,
           T.Get());
}

}  // namespace

void DockChecks(const CheckContext &C) {
  DockWidth(C, 3, 148, "icon-dock-3-items");
  DockWidth(C, 10, 465, "icon-dock-10-items");
  KeptStrip(C);
}
