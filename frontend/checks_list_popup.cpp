// Firmware checks of the list popup: its trimmed heights, the widening for a
// wide title, its hit codes, the thumb at the bottom with the last row
// selected, and the same picture through either capture path.
#include "frontend/checks.h"

namespace {

// Kept as char16_t so the table needs no code to run before the checks do.
constinit const char16_t *kItems[12] = {u"One",  u"Two", u"Three",  u"Four",
                                        u"Five", u"Six", u"Seven",  u"Eight",
                                        u"Nine", u"Ten", u"Eleven", u"Twelve"};
CHAR16 **Items() { return reinterpret_cast<CHAR16 **>(const_cast<char16_t **>(kItems)); }

void Heights(const CheckContext &C) {
  const SceneContext &S = *C.Scene;
  struct Case {
    UINT16 Count;
    INT32 Asked, Height;
    INT16 Visible;
  } Cases[] = {
      {5, 100, 152, 0}, {1, 100, 132, 0}, {5, 200, 192, 4}, {3, 200, 192, -1}, {9, 212, 212, 0}};
  CheckText D;
  bool Pass = true;
  for (const Case &K : Cases) {
    ListPopup P = {};
    UINTN St =
        S.Ui->OpenListPopup(&P, 100, 100, 300, K.Asked, Text(u"Title"), 0, K.Count, Items(), -1);
    Pass &= St == 0 && P.height == K.Height && P.visibleRows == K.Visible;
    D.Text("asked ")
        .Dec((UINT64)K.Asked)
        .Text(" with ")
        .Dec(K.Count)
        .Text(": ")
        .Dec((UINT64)P.height);
    if (P.visibleRows < 0) {
      D.Text(" rows -1; ");
    } else {
      D.Text(" rows ").Dec((UINT64)P.visibleRows).Text("; ");
    }
    S.Ui->CloseListPopup(&P);
  }
  C.Report("list-popup-height", Pass, D.Get());
}

void Widening(const CheckContext &C) {
  const SceneContext &S = *C.Scene;
  CHAR16 *Title = Text(u"Twenty characters!!!");
  const UINT32 Tw = TextWidth(S, Title);
  ListPopup P = {};
  S.Ui->OpenListPopup(&P, 100, 50, 200, 200, Title, 0, 3, Items(), -1);
  const bool Wide =
      P.width == Tw + 70 && P.x == 100 - (INT32)(Tw + 70 - 200) / 2 && P.maskWidth == Tw + 3;
  S.Ui->CloseListPopup(&P);
  S.Ui->OpenListPopup(&P, 5, 50, 200, 200, Title, 0, 3, Items(), -1);
  const bool Edge = P.x == 0;
  S.Ui->CloseListPopup(&P);
  CheckText D;
  D.Text("title ")
      .Dec(Tw)
      .Text(" wide: window ")
      .Dec(P.width)
      .Text(", moved to ")
      .Dec((UINT64)(P.x < 0 ? 0 : P.x));
  C.Report("list-popup-width", Tw == 160 && Wide && Edge, D.Get());
}

void Hits(const CheckContext &C) {
  const SceneContext &S = *C.Scene;
  ListPopup P = {};
  // 12 rows in a 300 x 252 window at (100, 50): V = 140, thumb 1 long 81.
  S.Ui->OpenListPopup(&P, 100, 50, 300, 252, Text(u"Pick"), 0, 12, Items(), -1);
  struct Probe {
    INT32 X, Y;
    UINTN Want;
  } Probes[] = {{99, 150, 0},  {400, 150, 0}, {150, 302, 0}, {150, 60, 2},  {150, 50, 1},
                {370, 71, 8},  {385, 85, 8},  {386, 85, 2},  {119, 131, 1}, {370, 119, 3},
                {380, 132, 5}, {380, 200, 5}, {380, 201, 6}, {380, 271, 7}, {380, 283, 6},
                {380, 290, 1}, {394, 125, 1}};
  CheckText D;
  bool Pass = P.thumbPos == 1 && P.thumbLength == 81;
  for (const Probe &K : Probes) {
    const UINTN Got = S.Ui->HitTestListPopup(&P, K.X, K.Y, 0);
    if (Got != K.Want) {
      Pass = false;
      D.Text("(").Dec((UINT64)K.X).Text(",").Dec((UINT64)K.Y).Text(") gave ").Dec(Got).Text("; ");
    }
  }
  // The first row of the list selects nothing; the next selects row 0.
  S.Ui->HitTestListPopup(&P, 140, 131, 1);
  Pass &= P.selectedRow == -1;
  S.Ui->HitTestListPopup(&P, 140, 132, 1);
  Pass &= P.selectedRow == 0;
  D.Text(Pass ? "17 points as expected, " : "").Text("the list's second pixel row selects ");
  D.Text(P.selectedRow == 0 ? "row 0" : "another row");
  S.Ui->CloseListPopup(&P);
  C.Report("list-popup-hits", Pass, D.Get());
}

// With the last row selected any scroll puts the thumb at the bottom: its
// last row is the track's last row, 31 above the window's bottom.
void ThumbAtBottom(const CheckContext &C) {
  const SceneContext &S = *C.Scene;
  FillScreen(S, 0x00102030);
  ListPopup P = {};
  S.Ui->OpenListPopup(&P, 200, 150, 300, 252, Text(u"Pick"), 0, 12, Items(), 0);
  P.selectedRow = 11;
  S.Ui->ScrollListPopup(&P, 0, 1);
  const bool Bottom = P.thumbPos == 140 - P.thumbLength;
  S.Ui->PaintListPopup(&P);
  // Window rows 120 to 239 of the thumb's middle column (the track line's column).
  ORVANE_PIXEL Column[120] = {};
  const bool Read = ReadScreen(S, Column, 200 + 300 - 25, 150 + 120, 1, 120);
  auto At = [&](INT32 Row) {
    const ORVANE_PIXEL &Px = Column[Row - 120];
    return (UINT32)Px.Blue | (UINT32)Px.Green << 8 | (UINT32)Px.Red << 16;
  };
  const INT32 First = 252 - 31 - P.thumbLength;
  const bool Pass = Read && Bottom && P.thumbLength == 81 && At(252 - 31) == 0xBEBEBE &&
                    At(252 - 30) != 0xBEBEBE && At(First) == 0xBEBEBE && At(First - 1) == 0x464646;
  CheckText D;
  D.Text("thumb at ")
      .Dec(P.thumbPos)
      .Text(" of ")
      .Dec(140 - P.thumbLength)
      .Text(", last thumb row ");
  D.Text(At(252 - 31) == 0xBEBEBE ? "drawn" : "missing");
  S.Ui->CloseListPopup(&P);
  C.Report("list-popup-thumb", Pass, D.Get());
}

// Painted over the same background through the frame buffer and through Blt,
// the popup must look the same, here near the screen's bottom right corner.
void CapturePaths(const CheckContext &C) {
  const SceneContext &S = *C.Scene;
  ListPopup P = {};
  S.Ui->OpenListPopup(&P, 820, 600, 300, 252, Text(u"Corner"), 2, 12, Items(), 3);
  P.selectedRow = 2;
  const UINT32 W = 1024 - 820, H = 768 - 600;
  ORVANE_PIXEL *Shot[2] = {AllocPixels(S, W * H), AllocPixels(S, W * H)};
  bool Pass = Shot[0] != nullptr && Shot[1] != nullptr;
  for (int Path = 0; Pass && Path < 2; Path++) {
    FillScreen(S, 0x00304050);
    FillScreenRect(S, 900, 650, 50, 50, 0x00C02020);
    S.Ui->SetFrameBufferCapture((BOOLEAN)Path);
    Pass &= S.Ui->PaintListPopup(&P) == 0;
    Pass &= ReadScreen(S, Shot[Path], 820, 600, W, H);
  }
  S.Ui->SetFrameBufferCapture(0);
  UINTN Differ = 0;
  for (UINTN I = 0; Pass && I < (UINTN)W * H; I++) {
    Differ += Shot[0][I].Blue != Shot[1][I].Blue || Shot[0][I].Green != Shot[1][I].Green ||
              Shot[0][I].Red != Shot[1][I].Red;
  }
  FreePixels(S, Shot[0]);
  FreePixels(S, Shot[1]);
  S.Ui->CloseListPopup(&P);
  CheckText D;
  D.Text("pixels differing between the paths: ").Dec(Differ);
  C.Report("list-popup-capture", Pass && Differ == 0, D.Get());
}

}  // namespace

void ListPopupChecks(const CheckContext &C) {
  Heights(C);
  Widening(C);
  Hits(C);
  ThumbAtBottom(C);
  CapturePaths(C);
}
