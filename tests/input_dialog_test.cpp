// The input dialog: the layout rules of init, the hit-test edges, and the
// paint against a literal composition of the window painters, the literal
// cell and button painters and the prompt pixels, with allocation failures.
#include <algorithm>
#include <string>
#include <vector>

#include "controls/popup/input_dialog.h"
#include "controls/popup/list_popup.h"
#include "platform/services.h"
#include "tests/fixture.h"
#include "tests/painter_reference.h"
#include "tests/window_frame_reference.h"
#include "text/text.h"

namespace {

// Records keep pointers to their texts: literals, or strings that outlive the record.
const CHAR16 *Str(const std::u16string &S) { return reinterpret_cast<const CHAR16 *>(S.c_str()); }
const CHAR16 *Str(const char16_t *S) { return reinterpret_cast<const CHAR16 *>(S); }

// The sim font is 8 pixels a character: a text of N characters is 8 N wide.
std::u16string Chars(int N, char16_t C = u'W') { return std::u16string((size_t)N, C); }

class InputDialogTest : public DriverTest {
 protected:
  explicit InputDialogTest(uint32_t Mode = 2) : DriverTest(Mode) {}

  InputDialog Init(INT32 X, INT32 Y, UINT32 W, INT32 H, const CHAR16 *Title, const CHAR16 *Prompt,
                   UINT16 MaxChars, UINT16 Count, const CHAR16 *const *Captions) {
    InputDialog D = {};
    EXPECT_EQ(InitInputDialog(&D, X, Y, W, H, Title, 7, Prompt, Str(u"abc"), MaxChars, 1, Count,
                              Captions),
              0u);
    return D;
  }

  // The dialog painted literally: capture by Blt, the window painters, the
  // prompt's black pixels, the literal cell and buttons, one transfer.
  void ReferencePaint(const InputDialog &D) {
    std::vector<ORVANE_PIXEL> Buf((size_t)D.width * D.height);
    Fw.Gop()->Blt(Fw.Gop(), Buf.data(), EfiBltVideoToBltBuffer, D.x, D.y, 0, 0, D.width, D.height,
                  0);
    DrawTarget T = DrawTarget::For(Buf.data(), D.width, D.height);
    ListPopup Window = {};
    Window.width = (UINT32)D.width;
    Window.height = D.height;
    Window.title = D.title;
    Window.titleHeight = 63;
    Window.closeState = D.closeState;
    ref::PaintTitleBar(T, 0, 0, Window, 6, 0x535353, 0x111111, nullptr);
    ref::PaintWindowBody(T, 0, 0, Window, 6, 0x111111, 0x111111, 0x252525, 0x7D7D7D);
    ref::PaintWindowFrame(T, 0, 0, D.width, D.height, 6, 0x535353, 0x313131);
    if (D.closeShown) ref::PaintCloseButton(T, D.width - 30, 20, Window);
    INT32 Pw = 0, Ph = 19;
    if (D.prompt != nullptr) {
      TextImage Mask = {0x000000, 0xFFFFFF, 0, 0, nullptr};
      ASSERT_EQ(RenderText(1000, &Mask, D.prompt), 0u);
      Pw = (INT32)Mask.Width;
      Ph = (INT32)Mask.Height;
      for (INT32 J = 0; J < Ph; J++)
        for (INT32 I = 0; I < Pw; I++)
          if ((ColorFromPixel(Mask.Bitmap[J * Pw + I]) & 0xFFFFFF) == 0)
            T.Put(D.promptX + I, D.fieldTop + 65 + J, 0x000000);
      PoolFree(Mask.Bitmap);
    }
    std::u16string Shown;
    for (UINT32 I = 0; D.text[I] != 0 && I < D.maxChars; I++)
      Shown += D.showPlain ? (char16_t)D.text[I] : u'*';
    ref::DrawItemCell(T, D.prompt ? D.promptX + 10 + Pw : D.promptX, D.fieldTop + 65,
                      D.maxChars * 9, Ph, 0, 6, Shown.empty() ? nullptr : Str(Shown),
                      D.prompt ? 0 : 1, 0);
    for (INT32 I = 1; I <= D.buttonCount && I <= 3; I++) {
      INT32 Column = I == 1   ? D.buttonGap
                     : I == 2 ? D.buttonWidth + 2 * D.buttonGap
                              : 2 * D.buttonWidth + 3 * D.buttonGap;
      ref::DrawButton(T, Column, Ph + 2 * D.fieldTop + 65, D.buttonWidth - 40, D.buttonHeight - 20,
                      D.buttonCaptions[I - 1], 1, D.hotButton == I ? 1 : 0);
    }
    Fw.Gop()->Blt(Fw.Gop(), Buf.data(), EfiBltBufferToVideo, 0, 0, D.x, D.y, D.width, D.height, 0);
  }

  // Paints D with the operation and literally over the same background; compares the screens.
  void ExpectPaintMatches(const InputDialog &D, const char *What) {
    Fw.FillScreen(0x00336699);
    ASSERT_EQ(PaintInputDialog(&D), 0u) << What;
    ExpectScreenIsReference(D, What);
  }
  void ExpectScreenIsReference(const InputDialog &D, const char *What) {
    std::vector<uint32_t> Got = Fw.Snapshot();
    Fw.FillScreen(0x00336699);
    ReferencePaint(D);
    std::vector<uint32_t> Want = Fw.Snapshot();
    size_t First = 0;
    while (First < Got.size() && Got[First] == Want[First]) First++;
    EXPECT_EQ(First, Got.size()) << What << ": first difference at (" << First % Fw.Width() << ", "
                                 << First / Fw.Width() << ")";
  }
};

const std::u16string kOk = u"OK", kCancel = u"Cancel", kRetry = u"Retry";
const CHAR16 *const kCaptions[3] = {Str(kOk), Str(kCancel), Str(kRetry)};

// ---------------------------------------------------------------- layout

TEST_F(InputDialogTest, WideTitleWidensTheWindowAboutItsCentre) {
  // A 24-pixel title needs 94: the window grows by 44 and moves left by 22, or to 0.
  InputDialog A = Init(5, 40, 50, 100, Str(u"WWW"), nullptr, 0, 0, nullptr);
  EXPECT_EQ(A.width, 94);
  EXPECT_EQ(A.x, 0);
  InputDialog B = Init(100, 40, 50, 100, Str(u"WWW"), nullptr, 0, 0, nullptr);
  EXPECT_EQ(B.width, 94);
  EXPECT_EQ(B.x, 78);
  EXPECT_EQ(B.y, 40);
  EXPECT_EQ(B.promptX, 47);    // (94 - 0) / 2
  EXPECT_EQ(B.buttonGap, 94);  // (94 - 0) / 1
  EXPECT_EQ(B.reserved, 7);
  EXPECT_EQ(B.closeShown, 1);
  EXPECT_EQ(B.hotButton, 0);
}

TEST_F(InputDialogTest, WidthRules) {
  // span = cw + 36 wider than the row of buttons: the gaps spread.
  InputDialog A = Init(0, 0, 100, 0, Str(u"T"), nullptr, 20, 1, kCaptions);
  EXPECT_EQ(A.width, 216);
  EXPECT_EQ(A.buttonGap, 53);
  EXPECT_EQ(A.promptX, 18);
  // Three buttons (row 3 x 138 + 28 = 442), a 40-pixel prompt and 10 characters (cw 130).
  const std::u16string Prompt = Chars(5, u'N');
  for (UINT32 Width : {100u, 300u}) {  // narrower than the span, or than the row only
    InputDialog B = Init(0, 0, Width, 0, Str(u"T"), Str(Prompt), 10, 3, kCaptions);
    EXPECT_EQ(B.width, 442);
    EXPECT_EQ(B.promptX, 156);  // (442 - 130) / 2
    EXPECT_EQ(B.buttonGap, 28);
  }
  InputDialog C = Init(0, 0, 600, 0, Str(u"T"), Str(Prompt), 10, 3, kCaptions);
  EXPECT_EQ(C.width, 600);
  EXPECT_EQ(C.promptX, 235);   // (600 - 130) / 2
  EXPECT_EQ(C.buttonGap, 67);  // (600 - 330) / 4
  EXPECT_EQ(C.buttonCount, 3);
}

TEST_F(InputDialogTest, CaptionsSetTheButtonSlots) {
  // A 104-pixel caption makes every slot 140 wide.
  const std::u16string Wide = Chars(13);
  const CHAR16 *const Captions[3] = {Str(kOk), Str(Wide), nullptr};
  InputDialog D = Init(0, 0, 900, 0, Str(u"T"), nullptr, 4, 3, Captions);
  EXPECT_EQ(D.buttonWidth, 140);
  // Two captions are measured before the NULL; the width still counts the three asked for.
  EXPECT_EQ(D.buttonCount, 2);
  EXPECT_EQ(D.buttonGap, (900 - 3 * 140) / 4);
  InputDialog E = Init(0, 0, 10, 0, Str(u"T"), nullptr, 4, 3, Captions);
  EXPECT_EQ(E.width, 3 * (140 + 28) + 28);
  // No more than the three captions the record holds are read.
  const CHAR16 *const Four[4] = {Str(kOk), Str(kOk), Str(kOk), Str(Wide)};
  EXPECT_EQ(Init(0, 0, 10, 0, Str(u"T"), nullptr, 4, 4, Four).buttonWidth, 110);
}

TEST_F(InputDialogTest, HeightRules) {
  struct Case {
    INT32 Asked, Height, FieldTop;
  };
  for (const Case &K :
       {Case{100, 188, 18}, Case{-5, 188, 18}, Case{188, 188, 18}, Case{300, 300, 55}}) {
    InputDialog D = Init(0, 0, 400, K.Asked, Str(u"T"), nullptr, 4, 1, kCaptions);
    EXPECT_EQ(D.height, K.Height) << K.Asked;
    EXPECT_EQ(D.fieldTop, K.FieldTop) << K.Asked;
  }
}

TEST_F(InputDialogTest, InitThatCannotMeasureLeavesTheRecord) {
  const std::u16string Prompt = u"Name";
  int Failed = 0;
  for (int N = 0;; N++) {
    InputDialog D = {};
    D.x = 1234;
    Fw.FailAllocation(N);
    UINTN Status = InitInputDialog(&D, 10, 10, 100, 100, Str(u"Title"), 0, Str(Prompt), Str(u"x"),
                                   8, 0, 3, kCaptions);
    Fw.FailAllocation(-1);
    EXPECT_EQ(Fw.LiveAllocations(), 0u) << "failure " << N;
    if (Status == 0) break;
    EXPECT_EQ(Status, EFI_OUT_OF_RESOURCES);
    EXPECT_EQ(D.x, 1234);
    EXPECT_EQ(D.width, 0);
    Failed++;
  }
  EXPECT_GE(Failed, 5);  // title, three captions and the prompt each allocate
}

// ---------------------------------------------------------------- hit test

TEST_F(InputDialogTest, HitTestEdges) {
  InputDialog D = Init(100, 50, 500, 300, Str(u"T"), nullptr, 4, 2, kCaptions);
  ASSERT_EQ(D.width, 500);
  const INT32 X = D.x, Y = D.y, R = X + D.width, Top = Y + 2 * D.fieldTop + 84;
  const INT32 Gap = D.buttonGap, Bw = D.buttonWidth, Bh = D.buttonHeight;
  struct Probe {
    INT32 PX, PY;
    INT16 Want;
  };
  const Probe Probes[] = {
      {R - 30, Y + 21, 4},
      {R - 15, Y + 35, 4},
      {R - 14, Y + 21, 0},
      {R - 31, Y + 21, 0},
      {R - 30, Y + 20, 0},
      {R - 30, Y + 36, 0},
      {X + Gap, Top + 1, 0},
      {X + Gap + 1, Top + 1, 1},
      {X + Gap + Bw - 1, Top + Bh - 1, 1},
      {X + Gap + Bw, Top + 1, 0},
      {X + Gap + 1, Top, 0},
      {X + Gap + 1, Top + Bh, 0},
      {X + 2 * Gap + Bw + 1, Top + 1, 2},
      {X + 2 * Gap + 2 * Bw - 1, Top + 1, 2},
      {X + 3 * Gap + 2 * Bw + 1, Top + 1, 0},  // a third slot, but only two buttons
      {X + 5, Y + 5, 0}};
  for (const Probe &P : Probes) {
    D.hotButton = 3;
    EXPECT_EQ(HitTestInputDialog(&D, P.PX, P.PY), 0u);
    EXPECT_EQ(D.hotButton, P.Want) << "at (" << P.PX - X << ", " << P.PY - Y << ")";
  }
}

// ---------------------------------------------------------------- paint

TEST_F(InputDialogTest, PaintsTheLiteralComposition) {
  const std::u16string Prompt = u"Password:", Long = u"secret text", Title = u"Enter the password";
  const CHAR16 *const Captions[3] = {Str(kOk), Str(kCancel), Str(kRetry)};
  int Case = 0;
  for (const CHAR16 *P : {Str(Prompt), (const CHAR16 *)nullptr}) {
    for (UINT16 Count : {0, 1, 3, 5}) {
      for (UINT16 Plain : {0, 1}) {
        InputDialog D = {};
        ASSERT_EQ(
            InitInputDialog(&D, 150 + Case, 100 + Case, 300, 200 + Case * 3, Str(Title), 0, P,
                            Str(Long), (UINT16)(Case % 3 == 0 ? 4 : 16), Plain, Count, Captions),
            0u);
        D.buttonCount = Count;
        D.hotButton = (INT16)(Case % 5);
        D.closeState = (UINT8)(Case % 4);
        D.closeShown = Case % 7 != 3;
        ExpectPaintMatches(D, ("case " + std::to_string(Case)).c_str());
        Case++;
      }
    }
  }
  // The frame-buffer capture path composes over the same background.
  InputDialog D = Init(200, 100, 300, 200, Str(Title), Str(Prompt), 12, 2, Captions);
  Ui->SetFrameBufferCapture(1);
  ExpectPaintMatches(D, "frame buffer capture");
}

TEST_F(InputDialogTest, MaskedTextShowsOneAsteriskPerShownCharacter) {
  const std::u16string Stars3 = u"***", Stars2 = u"**";
  auto FieldOf = [&](const CHAR16 *Text, UINT16 MaxChars, UINT16 Plain) {
    InputDialog D = {};
    EXPECT_EQ(
        InitInputDialog(&D, 100, 100, 300, 200, Str(u"T"), 0, nullptr, Text, 8, Plain, 0, nullptr),
        0u);
    D.maxChars = MaxChars;  // the same layout, a different capacity
    Fw.FillScreen(0);
    EXPECT_EQ(PaintInputDialog(&D), 0u);
    std::vector<uint32_t> Field;
    for (int J = 0; J < 19; J++)
      for (int I = 0; I < 72; I++)
        Field.push_back(Fw.Pixel(D.x + D.promptX + I, D.y + D.fieldTop + 65 + J));
    return Field;
  };
  EXPECT_EQ(FieldOf(Str(u"abc"), 8, 0), FieldOf(Str(Stars3), 8, 1));
  EXPECT_EQ(FieldOf(Str(u"abc"), 2, 0), FieldOf(Str(Stars2), 2, 1));
  EXPECT_NE(FieldOf(Str(u"abc"), 8, 1), FieldOf(Str(Stars3), 8, 1));
  // An empty text leaves a plain raised field.
  std::vector<uint32_t> Empty = FieldOf(Str(u""), 8, 1);
  EXPECT_EQ(std::count(Empty.begin(), Empty.end(), 0x00565656u), (long)Empty.size());
}

TEST_F(InputDialogTest, FailedAllocationsDrawNothingAndLeakNothing) {
  const std::u16string Prompt = u"Name:";
  InputDialog D = Init(200, 100, 300, 200, Str(u"Title"), Str(Prompt), 12, 3, kCaptions);
  D.hotButton = 2;
  Fw.FillScreen(0x00336699);
  const std::vector<uint32_t> Before = Fw.Snapshot();
  int Failed = 0;
  for (int N = 0;; N++) {
    Fw.FillScreen(0x00336699);
    Fw.FailAllocation(N);
    UINTN Status = PaintInputDialog(&D);
    Fw.FailAllocation(-1);
    EXPECT_EQ(Fw.LiveAllocations(), 0u) << "failure " << N;
    if (Status == 0) {
      // The first call that succeeds painted the whole dialog.
      ExpectScreenIsReference(D, ("success after " + std::to_string(N) + " failures").c_str());
      break;
    }
    EXPECT_EQ(Status, EFI_OUT_OF_RESOURCES);
    EXPECT_TRUE(Fw.Snapshot() == Before) << "failure " << N << " drew";
    Failed++;
  }
  EXPECT_GE(Failed, 7);  // prompt, shown text, field, three captions, window, title
}

// More characters than a fixed 127-character buffer holds are all shown.
class WideInputDialogTest : public InputDialogTest {
 protected:
  WideInputDialogTest() : InputDialogTest(3) {}  // 1280 x 800
};

TEST_F(WideInputDialogTest, LongTextsAreShownWhole) {
  const std::u16string Text = Chars(129, u'x');
  InputDialog D = {};
  ASSERT_EQ(
      InitInputDialog(&D, 0, 0, 100, 200, Str(u"T"), 0, nullptr, Str(Text), 130, 1, 0, nullptr),
      0u);
  ASSERT_EQ(D.width, 130 * 9 + 36);
  ExpectPaintMatches(D, "129 characters");
}

}  // namespace
