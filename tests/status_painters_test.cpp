// The cell and button painters: the production painters against the literal
// ones on random boxes (guarded buffers, narrowed clips), the looks named by
// their rules, painted off-screen onto the screen, and a text service that fails.
#include <random>
#include <set>
#include <string>
#include <vector>

#include "controls/status/button.h"
#include "controls/status/item_cell.h"
#include "tests/fixture.h"
#include "tests/painter_reference.h"
#include "tests/raster_reference.h"

using rastertest::Canvas;
using rastertest::FirstDifference;

namespace {

const CHAR16 *Str(const char16_t *S) { return reinterpret_cast<const CHAR16 *>(S); }

const CHAR16 *const kLabels[] = {nullptr,
                                 Str(u""),
                                 Str(u"Boot"),
                                 Str(u"Boot order"),
                                 Str(u"A label far wider than any cell here"),
                                 Str(u"50% %s")};

constexpr uint32_t kBack = 0x00204060;

// Distinct colours inside (X, Y, W, H) of a canvas.
std::set<uint32_t> ColorsIn(const Canvas &C, int X, int Y, int W, int H) {
  std::set<uint32_t> Out;
  for (int J = Y; J < Y + H; J++)
    for (int I = X; I < X + W; I++) Out.insert(C.At(I, J));
  return Out;
}

class PainterTest : public DriverTest {
 protected:
  // A target over the canvas, sometimes with a narrowed clip.
  static DrawTarget TargetOn(Canvas &C, std::mt19937 &Rng, bool Narrow) {
    DrawTarget T = DrawTarget::For(C.Pixels(), C.W, C.H);
    if (!Narrow) return T;
    std::uniform_int_distribution<int> RX(-10, C.W), RY(-10, C.H), RS(0, 120);
    return T.Narrowed(Rect{RX(Rng), RY(Rng), RS(Rng), RS(Rng)});
  }

  template <typename Fast, typename Literal>
  void CompareOnRandomBoxes(int Rounds, Fast &&Draw, Literal &&Plain) {
    std::mt19937 Rng(7);
    std::uniform_int_distribution<int> RX(-40, 170), RY(-30, 80), RW(-6, 220), RH(-6, 60),
        Any(0, 0xFFFF);
    for (int N = 0; N < Rounds; N++) {
      Canvas A(180, 90, kBack), B(180, 90, kBack);
      bool Narrow = N % 3 == 2;
      std::mt19937 Same = Rng;
      DrawTarget TA = TargetOn(A, Rng, Narrow), TB = TargetOn(B, Same, Narrow);
      int Px = RX(Rng), Py = RY(Rng), Pw = RW(Rng), Ph = RH(Rng), R = Any(Rng);
      const CHAR16 *Label = kLabels[R % 6];
      Draw(TA, Px, Py, Pw, Ph, Label, R);
      Plain(TB, Px, Py, Pw, Ph, Label, R);
      ASSERT_TRUE(A.GuardsIntact()) << "round " << N;
      ASSERT_EQ(A.Image(), B.Image())
          << "round " << N << " at (" << Px << ", " << Py << ") " << Pw << " x " << Ph << " code "
          << R << ": " << FirstDifference(A.Image(), B.Image(), A.W);
    }
  }
};

// ---------------------------------------------------------------- cells

class ItemCellTest : public PainterTest {};

TEST_F(ItemCellTest, MatchesTheLiteralPainter) {
  CompareOnRandomBoxes(
      600,
      [](const DrawTarget &T, int X, int Y, int W, int H, const CHAR16 *L, int R) {
        DrawItemCell(T, X, Y, W, H, R, (UINT16)(R % 10), L, (UINT16)((R >> 4) % 8),
                     (UINT16)(R >> 8));
      },
      [](const DrawTarget &T, int X, int Y, int W, int H, const CHAR16 *L, int R) {
        ref::DrawItemCell(T, X, Y, W, H, R, (UINT16)(R % 10), L, (UINT16)((R >> 4) % 8),
                          (UINT16)(R >> 8));
      });
}

// Styles other than 0, 1, 2 and 6 are plain: background and label, no groove
// and no bar in any state; style 6 is a plain raised face without a bar.
TEST_F(ItemCellTest, PlainAndRaisedStylesHaveNoGrooveOrBar) {
  for (UINT16 Style : {3, 4, 5, 7, 8, 6}) {
    for (UINT16 Flags : {0, 1, 2}) {
      Canvas C(140, 40, kBack);
      DrawItemCell(DrawTarget::For(C.Pixels(), C.W, C.H), 5, 5, 120, 30, 0, Style, Str(u"Boot"), 1,
                   Flags);
      uint32_t Face = Style == 6 ? 0x00565656 : 0x00131313;
      uint32_t Ink = Flags == 2 ? 0x00828282 : Style == 6 ? 0x00E5994B : 0x00FFFFFF;
      EXPECT_EQ(ColorsIn(C, 5, 5, 120, 30), (std::set<uint32_t>{Face, Ink}))
          << "style " << Style << " flags " << Flags;
      EXPECT_EQ(ColorsIn(C, 5, 33, 120, 2), (std::set<uint32_t>{Face}));
    }
  }
}

// Style 2 moves its groove and bar with the presence of a label.
TEST_F(ItemCellTest, GrooveAndBarFollowTheStyle) {
  struct Case {
    UINT16 Style;
    const CHAR16 *Label;
    bool Indented;
  };
  for (const Case &K : {Case{0, nullptr, true}, Case{2, Str(u"x"), true}, Case{1, Str(u"x"), false},
                        Case{2, nullptr, false}}) {
    Canvas C(140, 40, kBack);
    const int X = 5, Y = 5, W = 120, H = 30;
    DrawItemCell(DrawTarget::For(C.Pixels(), C.W, C.H), X, Y, W, H, 0, K.Style, K.Label, 7, 1);
    int From = K.Indented ? X + 26 : X, To = K.Indented ? X + W : X + W - 16;
    for (int I = X - 1; I <= X + W + 1; I++) {
      bool Groove = I >= From && I <= To;
      uint32_t Outside = I < X || I >= X + W ? kBack : 0x00131313;
      EXPECT_EQ(C.At(I, Y + H - 2), Groove ? 0x00090909u : Outside) << "column " << I;
      EXPECT_EQ(C.At(I, Y + H - 1), Groove ? 0x003C3C3Cu : Outside) << "column " << I;
      bool Bar = K.Indented ? I >= X + 26 && I < X + W : I >= X && I < X + W - 15;
      EXPECT_EQ(C.At(I, Y + 1) == 0x002C6C05u, Bar) << "column " << I;
    }
    EXPECT_EQ(C.At(From, Y), 0x00131313u);
    EXPECT_EQ(C.At(From, Y + H - 3), 0x002C6C05u);
  }
}

TEST_F(ItemCellTest, ColourCodesApplyToTheThirteenPixelIndent) {
  const uint32_t Want[8] = {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF,
                            0xFFFF00, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
  for (UINT16 Code = 0; Code < 8; Code++) {
    for (UINT16 Align : {6, 5}) {
      Canvas C(140, 40, kBack);
      DrawItemCell(DrawTarget::For(C.Pixels(), C.W, C.H), 0, 0, 140, 40, 0, 3, Str(u"Boot"), Align,
                   (UINT16)(Code << 4));
      uint32_t Ink = Align == 6 ? Want[Code] : 0xFFFFFF;
      EXPECT_EQ(ColorsIn(C, 0, 0, 140, 40), (std::set<uint32_t>{0x131313, Ink})) << "code " << Code;
      // The label starts 13 (or 26) pixels in: nothing left of that column.
      EXPECT_EQ(ColorsIn(C, 0, 0, Align == 6 ? 13 : 26, 40), (std::set<uint32_t>{0x131313}));
    }
  }
}

// Style 0 with the 26-pixel indent greys the label's columns past width - 48.
TEST_F(ItemCellTest, DimmedTail) {
  for (const CHAR16 *Label : {Str(u"Boot order"), Str(u"Boot")}) {
    Canvas C(200, 40, kBack);
    DrawItemCell(DrawTarget::For(C.Pixels(), C.W, C.H), 0, 0, 200, 40, 0, 0, Label, 5, 0x80);
    int TextWidth = Label[4] == 0 ? 32 : 80;
    for (int I = 0; I < 200; I++) {
      for (int J = 0; J < 40; J++) {
        uint32_t P = C.At(I, J);
        if (P != 0x00FFFFFF && P != 0x00828282) continue;
        bool Tail = TextWidth > 48 && I - 26 > TextWidth - 48;
        EXPECT_EQ(P, Tail ? 0x00828282u : 0x00FFFFFFu) << "at " << I << ", " << J;
      }
    }
  }
}

// A label hanging off the buffer on every side writes nothing outside it.
TEST_F(ItemCellTest, GlyphsOutsideTheBufferAreNotWritten) {
  for (UINT16 Align : {1, 2, 6}) {
    Canvas C(30, 12, kBack);
    DrawItemCell(DrawTarget::For(C.Pixels(), C.W, C.H), -20, -8, 200, 28, 0, 4,
                 Str(u"A label far wider than any cell here"), Align, 0);
    EXPECT_TRUE(C.GuardsIntact()) << "align " << Align;
    EXPECT_EQ(C.CountColor(kBack), 0u);
  }
}

// ---------------------------------------------------------------- buttons

class ButtonTest : public PainterTest {};

TEST_F(ButtonTest, MatchesTheLiteralPainter) {
  CompareOnRandomBoxes(
      300,
      [](const DrawTarget &T, int X, int Y, int W, int H, const CHAR16 *L, int R) {
        DrawButton(T, X, Y, W + 60, H, L, (UINT16)(R % 4), R % 5 - 1);
      },
      [](const DrawTarget &T, int X, int Y, int W, int H, const CHAR16 *L, int R) {
        ref::DrawButton(T, X, Y, W + 60, H, L, (UINT16)(R % 4), R % 5 - 1);
      });
}

TEST_F(ButtonTest, SmallButtonsGrowTo111By33) {
  Canvas Small(140, 50, kBack), Exact(140, 50, kBack);
  DrawButton(DrawTarget::For(Small.Pixels(), 140, 50), 10, 10, 50, 20, Str(u"OK"), 1, 0);
  DrawButton(DrawTarget::For(Exact.Pixels(), 140, 50), 10, 10, 111, 33, Str(u"OK"), 1, 0);
  EXPECT_EQ(Small.Image(), Exact.Image());
  EXPECT_EQ(Small.At(10 + 110, 10 + 16), 0x00DCDCDCu);  // right edge column
  EXPECT_EQ(Small.At(10 + 55, 10 + 32), 0x00DCDCDCu);   // bottom edge row
  EXPECT_EQ(ColorsIn(Small, 10 + 111, 0, 19, 50), (std::set<uint32_t>{kBack}));
  EXPECT_EQ(ColorsIn(Small, 0, 10 + 33, 140, 7), (std::set<uint32_t>{kBack}));
}

// Normal, focused and other looks: a two-pixel edge ring round the face, rounded corners.
TEST_F(ButtonTest, Looks) {
  const int X = 10, Y = 10, W = 120, H = 40;
  struct Case {
    INT32 State;
    uint32_t Edge, Face, Ink;
  };
  for (const Case &K :
       {Case{0, 0xDCDCDC, 0xA0A0A0, 0xFFFFFF}, Case{2, 0x66BC29, 0x7D7D7D, 0xFFFFFF},
        Case{3, 0x66BC29, 0x7D7D7D, 0xB5B5B5}, Case{-1, 0x66BC29, 0x7D7D7D, 0xB5B5B5}}) {
    Canvas C(150, 60, kBack);
    DrawButton(DrawTarget::For(C.Pixels(), C.W, C.H), X, Y, W, H, Str(u"Save"), 1, K.State);
    const uint32_t Probes[5][3] = {{X + 60, Y + 2, K.Edge},
                                   {X + 60, Y + 3, K.Face},
                                   {X + 1, Y + 1, kBack},
                                   {X + W - 2, Y + H - 2, K.Edge},
                                   {X + W - 3, Y + H - 3, K.Face}};
    for (const auto &P : Probes) EXPECT_EQ(C.At((int)P[0], (int)P[1]), P[2]) << "state " << K.State;
    EXPECT_EQ(ColorsIn(C, X + 1, Y + 1, W - 1, H - 1),
              (std::set<uint32_t>{kBack, K.Edge, K.Face, K.Ink}));
  }
}

// Pressed: six shadow rows, shaded top corners, face-coloured bottom corners.
TEST_F(ButtonTest, PressedLook) {
  const int X = 10, Y = 10, W = 120, H = 40;
  const uint32_t Shade[6] = {0x333333, 0x363636, 0x393939, 0x3C3C3C, 0x3F3F3F, 0x414141};
  Canvas C(150, 60, kBack);
  DrawButton(DrawTarget::For(C.Pixels(), C.W, C.H), X, Y, W, H, Str(u"Save"), 1, 1);
  for (int I = 0; I < 6; I++) {
    EXPECT_EQ(ColorsIn(C, X + 5, Y + 1 + I, W - 9, 1), (std::set<uint32_t>{Shade[I]}))
        << "row " << I;
  }
  EXPECT_EQ(C.At(X + W - 4, Y + 1), Shade[0]);  // corner: 1, 4 from its centre
  EXPECT_EQ(C.At(X + W - 1, Y + 1), kBack);
  EXPECT_EQ(ColorsIn(C, X + 1, Y + 5, 4, 1), (std::set<uint32_t>{Shade[4]}));
  EXPECT_EQ(ColorsIn(C, X + W - 4, Y + 6, 4, 1), (std::set<uint32_t>{Shade[5]}));
  EXPECT_EQ(C.At(X + 1, Y + 4), Shade[3]);  // top corner row y + 4
  EXPECT_EQ(C.At(X + 2, Y + 1), Shade[0]);  // 3, 4 from the centre: on the radius
  EXPECT_EQ(C.At(X + 1, Y + 1), kBack);
  EXPECT_EQ(C.At(X + W - 3, Y + 2), Shade[1]);
  EXPECT_EQ(C.At(X + 2, Y + H - 2), 0x434343u);
  EXPECT_EQ(C.At(X + 1, Y + H - 1), kBack);
  EXPECT_EQ(ColorsIn(C, X + 1, Y + 7, W - 1, H - 7),
            (std::set<uint32_t>{kBack, 0x434343, 0xB5B5B5}));
}

// ---------------------------------------------------------------- both

// Painted off-screen onto the screen, a cell or a button keeps what the screen
// showed wherever it paints nothing (round corners, the rows below a cell),
// exactly as in a buffer of that background.
TEST_F(PainterTest, OffscreenOntoTheScreenMatchesBuffer) {
  for (int Case = 0; Case < 6; Case++) {
    auto Paint = [&](const DrawTarget &T) {
      if (Case < 3)
        DrawItemCell(T, 0, 0, 150, 30, 0, (UINT16)(Case * 3), Str(u"50% %s"), 2, 1);
      else
        DrawButton(T, 0, 0, 150, 30, Str(u"100%"), 2, Case - 3);
    };
    Fw.FillScreen(kBack);
    ASSERT_EQ(PaintOffscreen(300, 200, 150, 33, Paint), EFI_SUCCESS);
    Canvas C(150, 33, kBack);
    Paint(DrawTarget::For(C.Pixels(), C.W, C.H));
    for (int J = 0; J < C.H; J++)
      for (int I = 0; I < C.W; I++)
        ASSERT_EQ(Fw.Pixel(300 + I, 200 + J), C.At(I, J)) << Case << ": " << I << ", " << J;
  }
}

// A buffer standing in for a part of the screen keeps the screen's
// coordinates: a cell and a button painted there at their screen places come
// out as in a buffer of their own at (0, 0), glyphs included, and nothing
// lands outside it.
TEST_F(PainterTest, BufferWithAnOriginKeepsThePicture) {
  for (int Case = 0; Case < 4; Case++) {
    auto Paint = [&](const DrawTarget &T, INT32 X, INT32 Y) {
      if (Case < 2)
        DrawItemCell(T, X, Y, 150, 30, 0, 0, Str(u"Boot order"), 5, Case == 0 ? 0x80 : 1);
      else
        DrawButton(T, X, Y, 150, 30, Str(u"Save"), 1, Case - 2);
    };
    Canvas Window(150, 33, kBack), Plain(150, 33, kBack);
    Paint(DrawTarget::ScreenWindow(Window.Pixels(), Rect{300, 200, 150, 33}), 300, 200);
    Paint(DrawTarget::For(Plain.Pixels(), 150, 33), 0, 0);
    ASSERT_TRUE(Window.GuardsIntact()) << Case;
    ASSERT_EQ(Window.Image(), Plain.Image())
        << Case << ": " << FirstDifference(Window.Image(), Plain.Image(), 150);
  }
}

// A text service that fails leaves the label out and nothing allocated.
TEST_F(PainterTest, FailingTextService) {
  for (int N = 0; N < 4; N++) {
    Canvas Cell(140, 40, kBack), Button(140, 40, kBack);
    Fw.FailAllocation(N);
    DrawItemCell(DrawTarget::For(Cell.Pixels(), 140, 40), 0, 0, 140, 40, 0, 3, Str(u"Boot"), 1, 0);
    Fw.FailAllocation(N);
    DrawButton(DrawTarget::For(Button.Pixels(), 140, 40), 0, 0, 140, 40, Str(u"OK"), 1, 0);
    Fw.FailAllocation(-1);
    EXPECT_EQ(Fw.LiveAllocations(), 0u) << "failure " << N;
    EXPECT_EQ(ColorsIn(Cell, 0, 0, 140, 40), (std::set<uint32_t>{0x131313})) << "failure " << N;
    EXPECT_EQ(Button.CountColor(0x00FFFFFF), 0u) << "failure " << N;
  }
}

}  // namespace
