// The list popup: opening geometry (trimmed heights, widening, scroll
// geometry and its guards), the text mask, the paint against its plain
// version on the screen over a captured background (both capture paths),
// the scroll offset's snapping, hit codes, scrolling, the view summary, the
// one plain paint, and allocation failures.
#include <random>
#include <string>
#include <vector>

#include "controls/popup/list_popup.h"
#include "tests/fixture.h"
#include "tests/raster_reference.h"
#include "tests/window_frame_reference.h"
#include "text/text.h"

using rastertest::FirstDifference;

namespace {

const CHAR16 *Str(const std::u16string &S) { return reinterpret_cast<const CHAR16 *>(S.c_str()); }

class ListPopupTest : public DriverTest {
 protected:
  // Items "Entry 0" ... as the caller's strings.
  void MakeItems(int Count, const std::u16string &Prefix = u"Entry ") {
    Texts.clear();
    for (int I = 0; I < Count; I++) Texts.push_back(Prefix + std::u16string(1, u'0' + I % 10));
    Items.clear();
    for (auto &S : Texts) Items.push_back(Str(S));
  }
  UINTN Open(int Count, INT32 X, INT32 Y, UINT32 W, INT32 H, const char16_t *Title = u"Pick one",
             UINT16 Flags = 0, INT16 Hot = -1) {
    if ((int)Texts.size() != Count) MakeItems(Count);
    P = {};
    return Ui->OpenListPopup(&P, X, Y, W, H, reinterpret_cast<const CHAR16 *>(Title), Flags,
                             (UINT16)Count, Items.data(), Hot);
  }
  void TearDown() override {
    Ui->CloseListPopup(&P);
    DriverTest::TearDown();
  }

  // Paints the popup and compares the screen under it with the plain
  // paint over the same background, record updates included.
  void PaintMatchesPlain(const std::string &What) {
    SCOPED_TRACE(What);
    const int W = (int)P.width, H = P.height;
    std::vector<uint32_t> Want(W * H, 0);
    for (int Y = 0; Y < H; Y++)
      for (int X = 0; X < W; X++) {
        const int SX = P.x + X, SY = P.y + Y;
        if (SX >= 0 && SY >= 0 && SX < (int)Fw.Width() && SY < (int)Fw.Height())
          Want[Y * W + X] = Fw.Pixel(SX, SY);
      }
    ListPopup Plain = P;
    ref::PaintListPopupWindow(DrawTarget::For(reinterpret_cast<ORVANE_PIXEL *>(Want.data()), W, H),
                              Plain);
    ASSERT_EQ(Ui->PaintListPopup(&P), 0u);
    std::vector<uint32_t> Got(W * H, 0);
    for (int Y = 0; Y < H; Y++)
      for (int X = 0; X < W; X++) {
        const int SX = P.x + X, SY = P.y + Y;
        if (SX >= 0 && SY >= 0 && SX < (int)Fw.Width() && SY < (int)Fw.Height())
          Got[Y * W + X] = Fw.Pixel(SX, SY);
        else
          Got[Y * W + X] = Want[Y * W + X];
      }
    ASSERT_EQ(Got, Want) << FirstDifference(Got, Want, W);
    EXPECT_EQ(P.flags, Plain.flags);
    EXPECT_EQ(P.lastSelectedRow, Plain.lastSelectedRow);
  }

  // Mask row shown at the top of the view, read back through the hit test:
  // the row hit one pixel below the list's first row.
  int TopRow() {
    const INT16 Saved = P.hotRow;
    Ui->HitTestListPopup(&P, P.x + 40, P.y + 82, 2);
    const int Row = P.hotRow;
    P.hotRow = Saved;
    return Row;
  }

  std::vector<std::u16string> Texts;
  std::vector<const CHAR16 *> Items;
  ListPopup P = {};
};

int TitleWidth(const char16_t *Title) {
  TextImage Image = {0, 0xFFFFFF, 0, 0, nullptr};
  EXPECT_EQ(RenderText(1000, &Image, reinterpret_cast<const CHAR16 *>(Title)), 0u);
  PoolFree(Image.Bitmap);
  return (int)Image.Width;
}

}  // namespace

TEST_F(ListPopupTest, HeightsAreTrimmedToWholeRows) {
  struct Case {
    int Count, Height, Want, Visible;
  } Cases[] = {{5, 100, 152, 0},  {1, 100, 132, 0}, {5, 152, 152, 0}, {5, 200, 192, 4},
               {3, 200, 192, -1}, {4, 200, 192, 4}, {9, 212, 212, 0}, {2, 212, 212, 0}};
  for (const Case &K : Cases) {
    ASSERT_EQ(Open(K.Count, 100, 100, 300, K.Height), 0u);
    EXPECT_EQ(P.height, K.Want) << K.Count << " items, height " << K.Height;
    EXPECT_EQ(P.visibleRows, K.Visible) << K.Count << " items, height " << K.Height;
    EXPECT_EQ(P.maskWidth, 300 - 67);
    EXPECT_EQ(P.contentHeight, K.Count * 20);
    EXPECT_EQ(P.titleHeight, 63);
    EXPECT_EQ(P.selectedRow, -1);
    EXPECT_EQ(P.lastSelectedRow, -1);
    Ui->CloseListPopup(&P);
  }
}

TEST_F(ListPopupTest, WideTitleWidensTheWindowAboutItsCentre) {
  const char16_t *Title = u"Twenty characters!!!";
  ASSERT_EQ(TitleWidth(Title), 160);
  ASSERT_EQ(Open(3, 100, 50, 200, 200, Title), 0u);
  EXPECT_EQ(P.width, 230u);
  EXPECT_EQ(P.x, 85);
  EXPECT_EQ(P.maskWidth, 230 - 67);
  Ui->CloseListPopup(&P);
  ASSERT_EQ(Open(3, 14, 50, 200, 200, Title), 0u);
  EXPECT_EQ(P.x, 0);
  Ui->CloseListPopup(&P);
  ASSERT_EQ(Open(3, 14, 50, 230, 200, Title), 0u);
  EXPECT_EQ(P.width, 230u);
  EXPECT_EQ(P.x, 14);
}

TEST_F(ListPopupTest, ScrollGeometryAndItsGuards) {
  // The thumb starts at 1 exactly when the rows exceed the passed height minus 88.
  ASSERT_EQ(Open(6, 0, 0, 300, 208), 0u);  // 120 < 120 fails: no bar
  EXPECT_EQ(P.thumbPos, 0);
  Ui->CloseListPopup(&P);
  ASSERT_EQ(Open(7, 0, 0, 300, 208), 0u);
  EXPECT_EQ(P.thumbPos, 1);
  EXPECT_EQ(P.height, 192);  // V = 80
  EXPECT_EQ(P.pageCount, 2);
  EXPECT_EQ(P.thumbLength, 80 * 80 / 140);
  Ui->CloseListPopup(&P);
  // No rows: nothing scrolls and nothing divides by zero.
  ASSERT_EQ(Open(0, 0, 0, 300, 50), 0u);
  EXPECT_EQ(P.thumbPos, 0);
  EXPECT_GE(P.thumbLength, 1);
  EXPECT_EQ(P.pageCount, 0);
  EXPECT_EQ(Ui->PaintListPopup(&P), 0u);
  EXPECT_EQ(Ui->HitTestListPopup(&P, 40, 90, 1), 1u);
  ListPopupView View = {};
  EXPECT_EQ(Ui->GetListPopupView(&P, &View), 0u);
  Ui->CloseListPopup(&P);
  // More rows than V * V / 20: the thumb stays one pixel long.
  ASSERT_EQ(Open(400, 0, 0, 300, 192), 0u);
  EXPECT_EQ(P.thumbLength, 1);
  P.selectedRow = 399;
  EXPECT_EQ(Ui->ScrollListPopup(&P, 3, 5), 0u);
  EXPECT_EQ(P.thumbPos, 80 - 1);
  PaintMatchesPlain("thumb of length 1 at the bottom");
  EXPECT_EQ(TopRow(), 316) << "80 x 78 + 80: a one-pixel thumb never reaches the last page";
}

TEST_F(ListPopupTest, TextMaskHoldsEachRowOnceAndCutsWideText) {
  const std::u16string Wide(40, u'W');  // 320 pixels, wider than the mask
  Texts = {u"first", Wide, u"third"};
  Items = {Str(Texts[0]), Str(Texts[1]), Str(Texts[2])};
  ASSERT_EQ(Open(3, 0, 0, 200, 200), 0u);
  const int MW = P.maskWidth, CH = P.contentHeight;
  for (int K = 0; K < 3; K++) {
    TextImage Image = {0, 0xFFFFFF, 0, 0, nullptr};
    ASSERT_EQ(RenderText(1000, &Image, Items[K]), 0u);
    for (int R = 0; R < 20; R++) {
      for (int J = 0; J < MW; J++) {
        const bool Glyph = R < 19 && J < (int)Image.Width &&
                           (ColorFromPixel(Image.Bitmap[R * Image.Width + J]) & 0xFFFFFF) == 0;
        const uint32_t Mask = ColorFromPixel(P.textMask[(20 * K + R) * MW + J]) & 0xFFFFFF;
        ASSERT_EQ(Mask, Glyph ? 0u : 0xFFFFFFu) << "row " << K << " pixel " << J << "," << R;
      }
    }
    PoolFree(Image.Bitmap);
  }
  EXPECT_EQ(CH, 60);
  Ui->CloseListPopup(&P);
  // 3300 rows are 66000 pixels, beyond 16 bits: the mask holds what its
  // wrapped height allows and rows past its end are left out.
  MakeItems(3300);
  ASSERT_EQ(Open(3300, 0, 0, 200, 200), 0u);
  EXPECT_EQ(P.contentHeight, 66000 - 65536);
  ASSERT_EQ(Ui->PaintListPopup(&P), 0u);
  Ui->CloseListPopup(&P);
  Texts = {u"first", Wide, u"third"};
  Items = {Str(Texts[0]), Str(Texts[1]), Str(Texts[2])};
  ASSERT_EQ(Open(3, 0, 0, 200, 200), 0u);
  // The caller's strings are read only while opening: later paints show the
  // rows as they were, whatever the strings hold now.
  Fw.FillScreen(0x00203040);
  ASSERT_EQ(Ui->PaintListPopup(&P), 0u);
  const auto Before = Fw.Snapshot();
  for (auto &S : Texts) S.assign(S.size(), u'#');
  Fw.FillScreen(0x00203040);
  ASSERT_EQ(Ui->PaintListPopup(&P), 0u);
  EXPECT_EQ(Fw.Snapshot(), Before);
}

TEST_F(ListPopupTest, PaintMatchesThePlainPaintInManyStates) {
  std::mt19937 Rng(77);
  for (int Round = 0; Round < 40; Round++) {
    const int Count = 1 + (int)(Rng() % 14);
    const int W = 120 + (int)(Rng() % 300), H = 90 + (int)(Rng() % 300);
    const int X = (int)(Rng() % 1100) - 60, Y = (int)(Rng() % 800) - 40;
    ASSERT_EQ(
        Open(Count, X, Y, W, H, Rng() % 2 ? u"Boot device" : u"A much longer title for a list",
             (UINT16)(Rng() % 3), (INT16)((int)(Rng() % (Count + 3)) - 2)),
        0u);
    P.selectedRow = (INT16)((int)(Rng() % (Count + 2)) - 1);
    P.lastSelectedRow = (INT16)((int)(Rng() % (Count + 2)) - 1);
    P.hotScrollPart = (INT16)(Rng() % 4);
    P.closeState = (UINT8)(Rng() % 4);
    P.closeShown = (UINT8)(Rng() % 4 != 0);
    if (Rng() % 3 == 0) P.flags |= 0x10;
    if (P.thumbPos != 0) Ui->ScrollListPopup(&P, (INT16)(Rng() % 4), (INT32)(Rng() % 200) - 50);
    Ui->SetFrameBufferCapture((BOOLEAN)(Rng() % 2));
    // A background with detail, so the capture position shows.
    std::vector<uint32_t> Pattern(Fw.Width() * Fw.Height());
    for (size_t I = 0; I < Pattern.size(); I++)
      Pattern[I] = (uint32_t)(I * 2654435761u) & 0x00FFFFFF;
    std::copy(Pattern.begin(), Pattern.end(), reinterpret_cast<uint32_t *>(Fw.FrameBuffer()));
    PaintMatchesPlain("round " + std::to_string(Round));
    if (HasFatalFailure()) return;
    Ui->CloseListPopup(&P);
  }
}

TEST_F(ListPopupTest, ScrollOffsetSnapsToRows) {
  // Height 192 (V = 80), 10 rows: thumb length 32, three pages, and a raw
  // offset of 80 x ((pos - 1) div 32) + 2.5 x (((pos - 1) mod 32) + 1).
  ASSERT_EQ(Open(10, 0, 0, 300, 192), 0u);
  ASSERT_EQ(P.thumbLength, 32);
  ASSERT_EQ(P.pageCount, 3);
  struct Case {
    UINT16 Thumb;
    int Top;
  } Cases[] = {{1, 0}, {8, 0}, {9, 2}, {16, 2}, {17, 3}, {33, 5}, {48, 6}};
  for (const Case &K : Cases) {
    P.thumbPos = K.Thumb;
    EXPECT_EQ(TopRow(), K.Top) << "thumb at " << K.Thumb;
  }
  // A newly selected row above the snapped offset is brought to the top.
  P.thumbPos = 17;
  P.selectedRow = 1;
  P.lastSelectedRow = 4;
  EXPECT_EQ(TopRow(), 1);
  P.lastSelectedRow = 1;
  EXPECT_EQ(TopRow(), 3);
  // A selection cleared since the last paint pulls the offset to -20: the
  // view starts a row above the mask, which is never read before its start.
  P.selectedRow = -1;
  EXPECT_EQ(TopRow(), 0) << "offset -19 is row 0 by truncation";
  PaintMatchesPlain("offset above the mask");
  Ui->CloseListPopup(&P);

  // One page (two rows in 40 pixels): an offset that is not a row multiple shows the first row.
  ASSERT_EQ(Open(2, 0, 0, 300, 120), 0u);
  ASSERT_EQ(P.pageCount, 1);
  ASSERT_NE(P.thumbPos, 0);
  P.thumbPos = 25;
  EXPECT_EQ(TopRow(), 0);
}

TEST_F(ListPopupTest, HitCodesAndRegions) {
  ASSERT_EQ(Open(12, 100, 50, 300, 252), 0u);  // V = 140, thumb length 81
  const int x = 100, y = 50, W = 300, H = 252, T = P.thumbPos, L = P.thumbLength;
  ASSERT_EQ(T, 1);
  auto Hit = [&](int X, int Y) { return Ui->HitTestListPopup(&P, X, Y, 0); };
  EXPECT_EQ(Hit(x - 1, y + 100), 0u);
  EXPECT_EQ(Hit(x + W, y + 100), 0u);
  EXPECT_EQ(Hit(x + 50, y + H), 0u);
  EXPECT_EQ(Hit(x + 50, y + 10), 2u);
  EXPECT_EQ(Hit(x + 50, y), 1u) << "the window's top row is not the title band";
  EXPECT_EQ(Hit(x + W - 30, y + 21), 8u);
  EXPECT_EQ(Hit(x + W - 15, y + 35), 8u);
  EXPECT_EQ(Hit(x + W - 14, y + 35), 2u);
  EXPECT_EQ(Hit(x + W - 30, y + 36), 2u);
  EXPECT_EQ(Hit(x + 19, y + 81), 1u);
  EXPECT_EQ(Hit(x + W - 30, y + 69), 3u);
  EXPECT_EQ(Hit(x + W - 7, y + 80), 3u);
  EXPECT_EQ(Hit(x + W - 6, y + 80), 1u);
  EXPECT_EQ(Hit(x + W - 20, y + T + 81), 5u);
  EXPECT_EQ(Hit(x + W - 20, y + T + 68 + L), 5u);
  EXPECT_EQ(Hit(x + W - 20, y + T + 69 + L), 6u);
  EXPECT_EQ(Hit(x + W - 20, y + H - 32), 6u);
  EXPECT_EQ(Hit(x + W - 20, y + H - 31), 7u);
  EXPECT_EQ(Hit(x + W - 20, y + H - 20), 7u);
  EXPECT_EQ(Hit(x + W - 20, y + H - 19), 6u);
  EXPECT_EQ(Hit(x + W - 20, y + H - 12), 1u);
  P.thumbPos = 20;
  EXPECT_EQ(Hit(x + W - 20, y + 80), 3u) << "the up arrow comes first";
  EXPECT_EQ(Hit(x + W - 20, y + 81), 4u);
  EXPECT_EQ(Hit(x + W - 20, y + 88), 4u);
  EXPECT_EQ(Hit(x + W - 20, y + 101), 5u);
  P.thumbPos = 1;

  // The list's first pixel row hits nothing (offset 0), the next one row 0;
  // kind 1 selects, kind 2 makes the row hot, others only classify.
  EXPECT_EQ(Ui->HitTestListPopup(&P, x + 40, y + 81, 1), 1u);
  EXPECT_EQ(P.selectedRow, -1);
  EXPECT_EQ(Ui->HitTestListPopup(&P, x + 40, y + 82, 1), 1u);
  EXPECT_EQ(P.selectedRow, 0);
  EXPECT_EQ(Ui->HitTestListPopup(&P, x + P.maskWidth, y + 81 + 139, 2), 1u);
  EXPECT_EQ(P.hotRow, 6);
  EXPECT_EQ(Ui->HitTestListPopup(&P, x + 40, y + 130, 3), 1u);
  EXPECT_EQ(P.selectedRow, 0);
  EXPECT_EQ(P.hotRow, 6);
  EXPECT_EQ(Hit(x + P.maskWidth + 1, y + 100), 1u);
}

TEST_F(ListPopupTest, ScrollingMovesTheThumbWithinTheTrack) {
  ASSERT_EQ(Open(12, 0, 0, 300, 252), 0u);
  const int Bottom = 140 - P.thumbLength;
  EXPECT_EQ(Ui->ScrollListPopup(&P, 2, 10), 0u);
  EXPECT_EQ(P.thumbPos, 11);
  EXPECT_EQ(P.hotScrollPart, 2);
  Ui->ScrollListPopup(&P, 1, -50);
  EXPECT_EQ(P.thumbPos, 1);
  Ui->ScrollListPopup(&P, 3, 1000);
  EXPECT_EQ(P.thumbPos, Bottom);
  Ui->ScrollListPopup(&P, 1, -30);
  P.selectedRow = 11;  // the last row: any move goes to the bottom
  Ui->ScrollListPopup(&P, 1, -1);
  EXPECT_EQ(P.thumbPos, Bottom);
  Ui->CloseListPopup(&P);
  ASSERT_EQ(Open(2, 0, 0, 300, 300), 0u);
  ASSERT_EQ(P.thumbPos, 0);
  Ui->ScrollListPopup(&P, 3, 7);
  EXPECT_EQ(P.thumbPos, 0);
  EXPECT_EQ(P.hotScrollPart, 3);
}

TEST_F(ListPopupTest, ViewSummaryMatchesThePlainOne) {
  std::mt19937 Rng(5);
  for (int Round = 0; Round < 60; Round++) {
    const int Count = 1 + (int)(Rng() % 40);
    ASSERT_EQ(Open(Count, 0, 0, 300, 132 + (int)(Rng() % 400)), 0u);
    P.selectedRow = (INT16)((int)(Rng() % (Count + 1)) - 1);
    if (P.thumbPos != 0) Ui->ScrollListPopup(&P, 0, (INT32)(Rng() % 300));
    ListPopupView Got = {9, 777, 888}, Want = Got;
    ASSERT_EQ(Ui->GetListPopupView(&P, &Got), 0u);
    ref::GetListPopupView(P, Want);
    EXPECT_EQ(Got.outOfView, Want.outOfView) << Round;
    EXPECT_EQ(Got.thumbShowingTop, Want.thumbShowingTop) << Round;
    EXPECT_EQ(Got.thumbShowingBottom, Want.thumbShowingBottom) << Round;
    Ui->CloseListPopup(&P);
  }
  // 10 rows in V = 80 (thumb length 32): row 6 lies at 120, out of the
  // first view; every thumb position (up to 48) starts at most at 120 + 10,
  // and those up to 34 at most at 85 (= 120 - 80 + 45).
  ASSERT_EQ(Open(10, 0, 0, 300, 192), 0u);
  P.selectedRow = 6;
  ListPopupView View = {0, -5, -5};
  ASSERT_EQ(Ui->GetListPopupView(&P, &View), 0u);
  EXPECT_EQ(View.outOfView, 1);
  EXPECT_EQ(View.thumbShowingTop, 48);
  EXPECT_EQ(View.thumbShowingBottom, 34);
}

TEST_F(ListPopupTest, OnePlainPaintWithoutHighlight) {
  ASSERT_EQ(Open(5, 200, 100, 300, 300, u"Pick one", 0, 2), 0u);
  P.selectedRow = 1;
  auto Count = [&](uint32_t Color) {
    size_t N = 0;
    for (int Y = P.y + 81; Y < P.y + P.height - 31; Y++)
      for (int X = P.x; X < P.x + (int)P.width; X++) N += Fw.Pixel(X, Y) == Color;
    return N;
  };
  P.flags |= 0x10;
  PaintMatchesPlain("plain");
  EXPECT_EQ(P.flags, 0);
  EXPECT_EQ(Count(0x565656), 0u);
  EXPECT_EQ(Count(0xE3974B), 0u);
  PaintMatchesPlain("highlighted again");
  EXPECT_GT(Count(0x565656), 19u * 15);
  EXPECT_GT(Count(0xE3974B), 0u);
}

TEST_F(ListPopupTest, HotRowsOfMinusOneAndTwoHideTheScrollBar) {
  ASSERT_EQ(Open(12, 0, 0, 300, 252, u"Pick", 0, 0), 0u);
  auto Thumb = [&] { return Fw.Pixel(300 - 29, 81 + P.thumbPos + 1); };
  Fw.FillScreen(0x00010203);
  Ui->PaintListPopup(&P);
  EXPECT_EQ(Thumb(), 0xBEBEBEu);
  for (INT16 Hot : {-1, -2}) {
    P.hotRow = Hot;
    Ui->PaintListPopup(&P);
    EXPECT_NE(Thumb(), 0xBEBEBEu) << Hot;
  }
  P.hotRow = 3;
  P.hotScrollPart = 2;
  Ui->PaintListPopup(&P);
  EXPECT_EQ(Thumb(), 0x464646u);
}

TEST_F(ListPopupTest, FailedAllocationsDrawNothingAndLeakNothing) {
  MakeItems(6);
  // Opening: every allocation in turn fails.
  for (int N = 0;; N++) {
    ListPopup Q = {};
    Fw.FailAllocation(N);
    UINTN Status = Ui->OpenListPopup(&Q, 10, 10, 300, 200, W("Title"), 0, 6, Items.data(), -1);
    Fw.FailAllocation(-1);
    if (Status == 0) {
      ASSERT_NE(Q.textMask, nullptr);
      Ui->CloseListPopup(&Q);
      ASSERT_GT(N, 2);
      break;
    }
    ASSERT_EQ(Status, (UINTN)EFI_OUT_OF_RESOURCES) << N;
    EXPECT_EQ(Q.textMask, nullptr);
    ASSERT_EQ(Fw.LiveAllocations(), 0u) << N;
  }
  // Painting: the screen stays as it was and the record keeps its one plain paint.
  ASSERT_EQ(Open(6, 10, 10, 300, 200), 0u);
  const size_t Held = Fw.LiveAllocations();
  P.flags |= 0x10;
  for (int N = 0;; N++) {
    Fw.FillScreen(0x00445566);
    Fw.FailAllocation(N);
    UINTN Status = Ui->PaintListPopup(&P);
    Fw.FailAllocation(-1);
    ASSERT_EQ(Fw.LiveAllocations(), Held) << N;
    if (Status == 0) {
      ASSERT_GT(N, 1);
      break;
    }
    ASSERT_EQ(Status, (UINTN)EFI_OUT_OF_RESOURCES) << N;
    EXPECT_EQ(Fw.Pixel(20, 20), 0x00445566u) << N;
    EXPECT_EQ(P.flags, 0x10) << N;
  }
  EXPECT_EQ(P.flags, 0);
}

TEST_F(ListPopupTest, FrameBufferCaptureNeverReadsPastTheEnd) {
  // The last rows of a 1024 x 768 frame buffer: the window hangs off the
  // bottom right corner; whatever the capture reads stays inside the buffer.
  ASSERT_EQ(Open(8, 900, 700, 300, 200), 0u);
  Ui->SetFrameBufferCapture(1);
  PaintMatchesPlain("frame buffer path at the corner");
  Ui->SetFrameBufferCapture(0);
  PaintMatchesPlain("Blt path at the corner");
}
