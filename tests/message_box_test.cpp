// The message box and the gauge panel: layout rules, hit edges, pictures
// against the plain versions, the mended faults and allocation failures.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "controls/status/gauge_panel.h"
#include "controls/status/message_box.h"
#include "tests/fixture.h"
#include "tests/raster_reference.h"
#include "tests/status_reference.h"
#include "text/text.h"

using rastertest::FirstDifference;

namespace {

class MessageBoxTest : public DriverTest {
 protected:
  // Width of Text as the font service renders it.
  static UINT32 TextWidth(const CHAR16 *Text) {
    TextImage T = {0, 0xFFFFFF, 0, 0, nullptr};
    EXPECT_EQ(RenderText(1000, &T, Text), 0u);
    PoolFree(T.Bitmap);
    return T.Width;
  }
  // What the plain version paints over the screen under the box.
  std::vector<uint32_t> Expected(const MessageBox &B) {
    std::vector<uint32_t> Under = ScreenRect(B.X, B.Y, B.Width, B.Height);
    ref::PaintMessageBox(B, reinterpret_cast<ORVANE_PIXEL *>(Under.data()));
    return Under;
  }
  void ExpectPaintedAsPlain(MessageBox &B) {
    std::vector<uint32_t> Want = Expected(B);
    ASSERT_EQ(PaintMessageBox(&B), 0u);
    std::vector<uint32_t> Got = ScreenRect(B.X, B.Y, B.Width, B.Height);
    ASSERT_EQ(Got, Want) << FirstDifference(Got, Want, B.Width);
  }
  static void Patterned(sim::Firmware &Fw) {
    for (uint32_t Y = 0; Y < Fw.Height(); Y++)
      for (uint32_t X = 0; X < Fw.Width(); X++) {
        uint32_t C = (X * 5 + Y * 3) & 0xFFFFFF;
        std::memcpy(&Fw.FrameBuffer()[Y * Fw.Width() + X], &C, 4);
      }
  }
};

CHAR16 *S(const char16_t *Text) { return reinterpret_cast<CHAR16 *>(const_cast<char16_t *>(Text)); }

}  // namespace

TEST_F(MessageBoxTest, SmallBoxIsCentredIn295By137) {
  CHAR16 *Lines[] = {S(u"Saved.")};
  CHAR16 *Captions[] = {S(u"OK")};
  MessageBox B = {};
  ASSERT_EQ(InitMessageBox(&B, 100, 80, 50, 40, 1, Lines, 1, Captions), 0u);
  EXPECT_EQ(B.Width, 295);
  EXPECT_EQ(B.Height, 137);  // 20 + 33 + 34 + 50 = 137
  EXPECT_EQ(B.TextWidth, TextWidth(S(u"Saved.")));
  EXPECT_EQ(B.TextHeight, 20);
  EXPECT_EQ(B.TextLeft, (295 - B.TextWidth) / 2);
  EXPECT_EQ(B.ButtonsLeft, (295 - 111) / 2);
  EXPECT_EQ(B.ButtonWidth, 111);
  EXPECT_EQ(B.HotButton, 0);
  // Asked far wider than text and buttons: still 295.
  ASSERT_EQ(InitMessageBox(&B, 100, 80, 600, 300, 1, Lines, 1, Captions), 0u);
  EXPECT_EQ(B.Width, 295);
  EXPECT_EQ(B.Height, 137);
  Patterned(Fw);
  B.HotButton = 1;
  B.HotState = 1;
  ExpectPaintedAsPlain(B);
}

TEST_F(MessageBoxTest, CrLfSplitsLinesAndOnlyTheFirstIsCentred) {
  CHAR16 *Lines[] = {S(u"Disk\r\nNot ready"), S(u"Retry?")};
  CHAR16 *Captions[] = {S(u"Retry"), S(u"Cancel")};
  MessageBox B = {};
  ASSERT_EQ(InitMessageBox(&B, 40, 30, 0, 0, 2, Lines, 2, Captions), 0u);
  EXPECT_EQ(B.LineCount, 2);
  EXPECT_EQ(B.TextHeight, 60);  // (2 strings + 1 LF) x 20
  EXPECT_EQ(B.TextWidth, TextWidth(S(u"Not ready")));
  EXPECT_EQ(B.Height, 60 + 33 + 34 + 50);
  Patterned(Fw);
  B.HotButton = 2;
  B.HotState = 2;
  ExpectPaintedAsPlain(B);
  // The first line sits centred on row 0 of the text block, "Not ready" at the left on row 20.
  bool LeftOnFirstRow = false, LeftOnSecondRow = false;
  for (int J = 0; J < 19; J++) {
    LeftOnFirstRow |= Fw.Pixel(40 + B.TextLeft + 1, 30 + B.TextTop + J) == 0x4C4C4C;
    LeftOnSecondRow |= Fw.Pixel(40 + B.TextLeft + 1, 30 + B.TextTop + 20 + J) == 0x4C4C4C;
  }
  EXPECT_FALSE(LeftOnFirstRow);
  EXPECT_TRUE(LeftOnSecondRow);
}

TEST_F(MessageBoxTest, WideCaptionWidensEveryButtonAndTheRow) {
  CHAR16 *Lines[] = {S(u"Choose")};
  CHAR16 *Captions[] = {S(u"A"), S(u"Nineteen characters"), S(u"B")};
  const UINT32 Wide = TextWidth(Captions[1]);
  MessageBox B = {};
  ASSERT_EQ(InitMessageBox(&B, 0, 0, 0, 0, 1, Lines, 3, Captions), 0u);
  EXPECT_EQ(B.ButtonWidth, Wide + 20);
  EXPECT_EQ(B.Width, 3 * (INT32)(Wide + 20) + 2 * 17 + 56);  // the row is wider than the text
  EXPECT_EQ(B.TextLeft, (B.Width - B.TextWidth) / 2);
  EXPECT_EQ(B.ButtonsLeft, 28);
  // A NULL caption ends the list; the row was laid out for the count asked.
  CHAR16 *Two[] = {S(u"Yes"), nullptr, S(u"No")};
  ASSERT_EQ(InitMessageBox(&B, 0, 0, 0, 0, 1, Lines, 3, Two), 0u);
  EXPECT_EQ(B.ButtonCount, 1);
  EXPECT_EQ(B.Width, 3 * 111 + 2 * 17 + 56);
}

TEST_F(MessageBoxTest, HitTestingSkipsEdgesAndKeepsTheStateOnAMiss) {
  CHAR16 *Lines[] = {S(u"Exit setup?")};
  CHAR16 *Captions[] = {S(u"Yes"), S(u"No")};
  MessageBox B = {};
  ASSERT_EQ(InitMessageBox(&B, 200, 100, 0, 0, 1, Lines, 2, Captions), 0u);
  const INT32 Top = 100 + B.TextTop + B.TextHeight + B.ButtonMargin;
  const INT32 Left2 = 200 + B.ButtonsLeft + B.ButtonWidth + B.ButtonGap;
  auto Hit = [&](INT32 PX, INT32 PY) {
    HitTestMessageBox(&B, PX, PY);
    return B.HotButton;
  };
  EXPECT_EQ(Hit(Left2 + 1, Top + 1), 2);
  EXPECT_EQ(B.HotState, 2);
  B.HotState = 1;
  EXPECT_EQ(Hit(Left2, Top + 5), 0);                  // edge column
  EXPECT_EQ(Hit(Left2 + B.ButtonWidth, Top + 5), 0);  // right edge
  EXPECT_EQ(Hit(Left2 + 5, Top), 0);                  // edge row
  EXPECT_EQ(Hit(Left2 + 5, Top + B.ButtonHeight), 0);
  EXPECT_EQ(B.HotState, 1);  // not reset by a miss
  EXPECT_EQ(Hit(200 + B.ButtonsLeft + 1, Top + B.ButtonHeight - 1), 1);
  // Beyond the counted buttons nothing answers.
  EXPECT_EQ(Hit(Left2 + B.ButtonWidth + B.ButtonGap + 5, Top + 5), 0);
}

TEST_F(MessageBoxTest, WideTextStaysInsideTheBox) {
  // Text wider than 239 pixels, asked at a width beyond its span: the width asked is kept.
  CHAR16 *Lines[] = {S(u"The configuration could not be saved to flash")};
  CHAR16 *Captions[] = {S(u"OK")};
  const UINT32 Text = TextWidth(Lines[0]);
  ASSERT_GT(Text, 239u);
  MessageBox B = {};
  ASSERT_EQ(InitMessageBox(&B, 10, 10, (INT32)Text + 100, 0, 1, Lines, 1, Captions), 0u);
  EXPECT_EQ(B.Width, (INT32)Text + 100);
  EXPECT_EQ(B.TextLeft, 50);
  EXPECT_EQ(B.ButtonsLeft, (Text + 100 - 111) / 2);
  // Three buttons asked into a box wider than their row: the row stays inside too.
  CHAR16 *Short[] = {S(u"Go")};
  CHAR16 *Three[] = {S(u"A"), S(u"B"), S(u"C")};
  ASSERT_EQ(InitMessageBox(&B, 10, 10, 500, 0, 1, Short, 3, Three), 0u);
  EXPECT_EQ(B.Width, 500);
  EXPECT_EQ(B.ButtonsLeft, (500 - 3 * 111 - 2 * 17) / 2);
  // Two widened buttons that fit in 295 only with narrower margins: 295 all the same.
  CHAR16 *Two[] = {S(u"Save and exit"), S(u"No")};
  const UINT32 Caption = TextWidth(Two[0]);
  ASSERT_GT(2 * (Caption + 20) + 17 + 56, 295u);
  ASSERT_LE(2 * (Caption + 20) + 17, 295u);
  ASSERT_EQ(InitMessageBox(&B, 10, 10, 500, 0, 1, Short, 2, Two), 0u);
  EXPECT_EQ(B.ButtonWidth, Caption + 20);
  EXPECT_EQ(B.Width, 295);
  EXPECT_EQ(B.ButtonsLeft, (295 - 2 * (Caption + 20) - 17) / 2);
  EXPECT_EQ(B.TextLeft, (295 - B.TextWidth) / 2);
  // Asked narrower than the text: the text span.
  ASSERT_EQ(InitMessageBox(&B, 10, 10, 0, 0, 1, Lines, 1, Captions), 0u);
  EXPECT_EQ(B.Width, (INT32)Text + 56);
  EXPECT_EQ(B.ButtonsLeft, (Text + 56 - 111) / 2);
  Patterned(Fw);
  ExpectPaintedAsPlain(B);
}

TEST_F(MessageBoxTest, OverlongLinesAreCutAndEmptyTextDrawsNothing) {
  std::u16string Long(1500, u'x');
  std::u16string Cut(1023, u'x');
  CHAR16 *Lines[] = {S(Long.c_str())};
  MessageBox B = {};
  ASSERT_EQ(InitMessageBox(&B, 0, 0, 0, 0, 1, Lines, 0, nullptr), 0u);
  EXPECT_EQ(B.TextWidth, (UINT16)TextWidth(S(Cut.c_str())));
  EXPECT_EQ(PaintMessageBox(&B), 0u);
  // No text at all: the mask is empty and the box is the window and the buttons.
  CHAR16 *Captions[] = {S(u"OK")};
  ASSERT_EQ(InitMessageBox(&B, 300, 200, 0, 0, 0, nullptr, 1, Captions), 0u);
  EXPECT_EQ(B.TextWidth, 0);
  EXPECT_EQ(B.TextHeight, 0);
  Patterned(Fw);
  ExpectPaintedAsPlain(B);
  CHAR16 *Empty[] = {S(u"")};
  ASSERT_EQ(InitMessageBox(&B, 300, 200, 0, 0, 1, Empty, 1, Captions), 0u);
  EXPECT_EQ(B.TextWidth, 0);
  ExpectPaintedAsPlain(B);
}

TEST_F(MessageBoxTest, FailedAllocationsDrawNothingAndLeaveTheRecord) {
  CHAR16 *Lines[] = {S(u"Line one\nLine two")};
  CHAR16 *Captions[] = {S(u"Yes"), S(u"No")};
  for (int Capture = 0; Capture < 2; Capture++) {
    Ui->SetFrameBufferCapture((BOOLEAN)Capture);
    MessageBox B = {};
    ASSERT_EQ(InitMessageBox(&B, 50, 60, 0, 0, 1, Lines, 2, Captions), 0u);
    Patterned(Fw);
    const std::vector<uint32_t> Before = Fw.Snapshot();
    int Failures = 0;
    for (int N = 0;; N++) {
      Fw.FailAllocation(N);
      UINTN Status = PaintMessageBox(&B);
      Fw.FailAllocation(-1);
      ASSERT_EQ(Fw.LiveAllocations(), 0u);
      if (Status == 0) break;
      Failures++;
      ASSERT_EQ(Status, EFI_OUT_OF_RESOURCES);
      ASSERT_EQ(Fw.Snapshot(), Before) << "failure " << N << " drew";
    }
    EXPECT_GE(Failures, 4);  // mask, three renders at least, the buffer
    for (int N = 0;; N++) {
      MessageBox Fresh = {};
      Fresh.HotState = 7;
      Fw.FailAllocation(N);
      UINTN Status = InitMessageBox(&Fresh, 50, 60, 0, 0, 1, Lines, 2, Captions);
      Fw.FailAllocation(-1);
      ASSERT_EQ(Fw.LiveAllocations(), 0u);
      if (Status == 0) break;
      ASSERT_EQ(Status, EFI_OUT_OF_RESOURCES);
      ASSERT_EQ(Fresh.Width, 0);
      ASSERT_EQ(Fresh.HotState, 7);
    }
  }
}

// ---------------------------------------------------------------- gauge panel

TEST_F(MessageBoxTest, GaugePanelMatchesThePlainVersion) {
  const int Sizes[][2] = {{420, 90}, {500, 120}, {380, 70}};
  const int Values[][2] = {{50, 30}, {99, 100}, {100, 99}, {-5, 150}, {0, 0}, {73, 42}};
  for (int Capture = 0; Capture < 2; Capture++) {
    Ui->SetFrameBufferCapture((BOOLEAN)Capture);
    for (const auto &Sz : Sizes) {
      for (const auto &V : Values) {
        Patterned(Fw);
        std::vector<uint32_t> Want = ScreenRect(30, 40, Sz[0], Sz[1]);
        ref::PaintGaugePanel(reinterpret_cast<ORVANE_PIXEL *>(Want.data()), Sz[0], Sz[1], S(u"CPU"),
                             S(u"Load"), S(u"Temp"), S(u"Core"), V[0], V[1]);
        ASSERT_EQ(DrawGaugePanel(30, 40, Sz[0], Sz[1], S(u"CPU"), S(u"Load"), S(u"Temp"),
                                 S(u"Core"), V[0], V[1]),
                  0u);
        std::vector<uint32_t> Got = ScreenRect(30, 40, Sz[0], Sz[1]);
        ASSERT_EQ(Got, Want) << Sz[0] << "x" << Sz[1] << " " << V[0] << "/" << V[1] << ": "
                             << FirstDifference(Got, Want, Sz[0]);
      }
    }
  }
}

TEST_F(MessageBoxTest, GaugeWarningLookAtOneHundred) {
  const int W = 420, H = 90, Q = (H - 4) / 4, T = (H - 4) / 2, U = (H - 4) - T, M = T + 2 + U / 2;
  Fw.FillScreen(0);
  ASSERT_EQ(DrawGaugePanel(0, 0, W, H, S(u"A"), S(u"B"), S(u"C"), S(u"D"), 99, 50), 0u);
  EXPECT_EQ(Fw.Pixel(W - 100, Q - 6), 0x4C4E4Bu);
  EXPECT_EQ(Fw.Pixel(W - 100, U + Q + 11), 0x9F9F9Fu);
  EXPECT_EQ(Fw.Pixel(W - 195, M - 5), 0xFFFFFFu);               // degree ring
  EXPECT_EQ(Fw.Pixel(W - 175 + 1 + 19 * 8, T / 2), 0x000000u);  // at 99 the last segment is dark
  ASSERT_EQ(DrawGaugePanel(0, 0, W, H, S(u"A"), S(u"B"), S(u"C"), S(u"D"), 100, 100), 0u);
  EXPECT_EQ(Fw.Pixel(W - 100, Q - 6), 0xA29836u);
  EXPECT_EQ(Fw.Pixel(W - 176, Q), 0xAF9E36u);
  EXPECT_EQ(Fw.Pixel(W - 14, Q), 0xE3C940u);
  EXPECT_EQ(Fw.Pixel(W - 100, U + Q + 11), 0xFFF488u);
  EXPECT_EQ(Fw.Pixel(W - 175 + 1 + 19 * 8, T / 2), 0xFF1F05u);
  EXPECT_EQ(Fw.Pixel(W - 175 + 159, T / 2), 0xFF1F05u);  // solid to the inner edge
  EXPECT_EQ(Fw.Pixel(W - 175 + 160, T / 2), 0x000000u);
  EXPECT_EQ(Fw.Pixel(W - 195, M - 5), 0x000000u);
}

TEST_F(MessageBoxTest, GaugeFailedAllocationsDrawNothing) {
  Patterned(Fw);
  const std::vector<uint32_t> Before = Fw.Snapshot();
  int Failures = 0;
  for (int N = 0;; N++) {
    Fw.FailAllocation(N);
    UINTN Status = DrawGaugePanel(10, 10, 420, 90, S(u"A"), S(u"B"), S(u"C"), S(u"D"), 40, 60);
    Fw.FailAllocation(-1);
    ASSERT_EQ(Fw.LiveAllocations(), 0u);
    if (Status == 0) break;
    Failures++;
    ASSERT_EQ(Status, EFI_OUT_OF_RESOURCES);
    ASSERT_EQ(Fw.Snapshot(), Before);
  }
  EXPECT_GE(Failures, 6);  // five texts and the buffer
}
