// The popup frame painters: against their plain versions on random windows
// (clipped targets and guard zones included), and the look's documented
// facts: the panel corner tables, the close box in each state, the title
// band's rows, title and icon placement, and where the bevel starts.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "controls/popup/window_frame.h"
#include "tests/fixture.h"
#include "tests/raster_reference.h"
#include "tests/window_frame_reference.h"
#include "text/text.h"

using rastertest::Canvas;
using rastertest::FirstDifference;
using rastertest::RandomColor;

namespace {

class WindowFrameTest : public DriverTest {};

ListPopup Window(UINT32 W, INT32 H, const CHAR16 *Title = nullptr, UINT16 Flags = 0) {
  ListPopup P = {};
  P.width = W;
  P.height = H;
  P.title = Title;
  P.flags = Flags;
  P.titleHeight = 63;
  return P;
}

int TitleWidth(const CHAR16 *Title) {
  TextImage Image = {0, 0xFFFFFF, 0, 0, nullptr};
  EXPECT_EQ(RenderText(1000, &Image, Title), 0u);
  PoolFree(Image.Bitmap);
  return (int)Image.Width;
}

}  // namespace

TEST_F(WindowFrameTest, RandomWindowsMatchThePlainPainters) {
  std::mt19937 Rng(4242);
  const CHAR16 *Titles[] = {nullptr, W(""), W("Boot order"),
                            W("A title far wider than any small window here")};
  std::vector<uint32_t> IconPixels(48 * 54);
  for (auto &P : IconPixels) P = RandomColor(Rng);
  const ORVANE_PIXEL *Icon = reinterpret_cast<const ORVANE_PIXEL *>(IconPixels.data());
  for (int Round = 0; Round < 160; Round++) {
    const int W = 1 + (int)(Rng() % 260), H = 1 + (int)(Rng() % 220);
    ListPopup P = Window(W, H, Titles[Rng() % 4], (UINT16)(Rng() % 4));
    P.titleHeight = Rng() % 4 == 0 ? (UINT16)(Rng() % 90) : 63;
    P.thumbPos = (UINT16)(Rng() % 3 == 0 ? 256 : Rng() % 2);
    P.closeState = (UINT8)(Rng() % 5);
    const UINT16 R = (UINT16)(Rng() % 10);
    const int X = (int)(Rng() % 41) - 20, Y = (int)(Rng() % 41) - 20;
    const int CW = std::max(1, W + (int)(Rng() % 41) - 20),
              CH = std::max(1, H + (int)(Rng() % 41) - 20);
    const UINT32 C[6] = {RandomColor(Rng), RandomColor(Rng),
                         RandomColor(Rng), RandomColor(Rng) & 0x00FFFFFF,
                         RandomColor(Rng), RandomColor(Rng)};
    const ORVANE_PIXEL *WithIcon = Rng() % 2 ? Icon : nullptr;
    SCOPED_TRACE("round " + std::to_string(Round) + " window " + std::to_string(W) + "x" +
                 std::to_string(H) + " at " + std::to_string(X) + "," + std::to_string(Y));
    Canvas Got(CW, CH), Want(CW, CH);
    DrawTarget TG = DrawTarget::For(Got.Pixels(), CW, CH),
               TW = DrawTarget::For(Want.Pixels(), CW, CH);
    if (Round % 3 == 0) {  // a narrowed clip inside the buffer
      const Rect Part{CW / 4, CH / 4, CW / 2, CH / 2};
      TG = TG.Narrowed(Part);
      TW = TW.Narrowed(Part);
    }
    EXPECT_EQ(PaintWindowFrame(TG, X, Y, W, H, R, C[0], C[1]), 0u);
    ref::PaintWindowFrame(TW, X, Y, W, H, R, C[0], C[1]);
    EXPECT_EQ(PaintWindowBody(TG, X, Y, P, R, C[2], C[3], C[4] & 0x00FFFFFF, C[5]), 0u);
    ref::PaintWindowBody(TW, X, Y, P, R, C[2], C[3], C[4] & 0x00FFFFFF, C[5]);
    EXPECT_EQ(PaintTitleBar(TG, X, Y, P, R, C[0], C[2], WithIcon), 0u);
    ref::PaintTitleBar(TW, X, Y, P, R, C[0], C[2], WithIcon);
    EXPECT_EQ(PaintCloseButton(TG, X + W - 30, Y + 20, P), 0u);
    ref::PaintCloseButton(TW, X + W - 30, Y + 20, P);
    ASSERT_EQ(Got.Image(), Want.Image()) << FirstDifference(Got.Image(), Want.Image(), CW);
    ASSERT_TRUE(Got.GuardsIntact());
  }
}

TEST_F(WindowFrameTest, PanelCornersFollowTheirTables) {
  // Grey levels as the look defines them, row by row.
  const char *Tables[4] = {
      "10 11 17 35 50 11 1F 41 4B 5A 32 3A 4B 57 5F 33 50 5A 64 6A 4B 5A 64 6E 78",
      "50 35 17 11 10 5A 4B 41 1F 11 5F 57 4B 3A 32 6A 64 5A 50 33 78 6E 64 5A 4B",
      "4B 5A 64 6E 78 33 50 5A 64 6A 32 3A 4B 57 5F 11 1F 41 4B 5A 10 11 17 35 50",
      "78 6E 64 5A 4B 6A 64 5A 50 33 5F 57 4B 3A 32 5A 4B 41 1F 11 50 35 17 11 10"};
  const int W = 140, H = 160, T = 63;
  // Left column, top row and centre of each corner's 5 x 5 cells.
  const int Left[4] = {13, W - 17, 13, W - 17}, Top[4] = {T, T, H - 21, H - 21};
  const int CX[4] = {17, W - 17, 17, W - 17}, CY[4] = {T + 3, T + 3, H - 20, H - 20};
  Canvas C(W, H, 0);
  ListPopup P = Window(W, H);
  PaintWindowBody(DrawTarget::For(C.Pixels(), W, H), 0, 0, P, 6, 0x111111, 0x111111, 0x252525,
                  0x7D7D7D);
  for (int K = 0; K < 4; K++) {
    for (int N = 0; N < 25; N++) {
      const int X = Left[K] + N % 5, Y = Top[K] + N / 5;
      if ((X - CX[K]) * (X - CX[K]) + (Y - CY[K]) * (Y - CY[K]) >= 16) continue;
      const uint32_t G = (uint32_t)std::stoul(std::string(Tables[K] + 3 * N, 2), nullptr, 16);
      EXPECT_EQ(C.At(X, Y), G * 0x010101u) << "corner " << K << " cell " << N;
    }
  }
  // The cell outside the radius keeps what lies under it (here the body).
  EXPECT_EQ(C.At(13, T), 0x111111u);
}

TEST_F(WindowFrameTest, CloseBoxInItsThreeLooks) {
  // A side border, B top and bottom rows, F fill, t and b corner dots, f
  // feet, s shade line, 1-4 the short strokes and c the long ones of the X.
  const char *Box[17] = {"ABBBBBBBBBBBBBA", "AsFFFFFFFFFFFFA", "AstFFFFFFFFFFtA", "AsFFFFFFFFFFFFA",
                         "AsFFc1FFFF3cFFA", "AsFF2c1FF3c4FFA", "AsFFF2c13c4FFFA", "AsFFFF2cc4FFFFA",
                         "AsFFFF3cc1FFFFA", "AsFFF3c42c1FFFA", "AsFF3c4FF2c1FFA", "AsFFc4FFFF2cFFA",
                         "AsFFFFFFFFFFFFA", "AsFFFFFFFFFFFFA", "AsbFFFFFFFFFFbA", "fsBBBBBBBBBBBBf",
                         "AfBBBBBBBBBBBfA"};
  const std::string Roles = "ABFtbfs1234c";
  const uint32_t Looks[3][12] = {{0x1C1C1C, 0x1C1C1C, 0x101010, 0x131313, 0x161616, 0x181818,
                                  0x161616, 0x383838, 0x383838, 0x383838, 0x383838, 0x414141},
                                 {0x1E1E1E, 0x222222, 0x292929, 0x282828, 0x242424, 0x181818,
                                  0x292929, 0x717171, 0x797979, 0x7A7A7A, 0x6F6F6F, 0x7F7F7F},
                                 {0x1C1C1C, 0x1C1C1C, 0x1C1C1C, 0x1C1C1C, 0x1C1C1C, 0x181818,
                                  0x1C1C1C, 0x131313, 0x121212, 0x121212, 0x111111, 0x131313}};
  for (UINT8 State = 0; State <= 3; State++) {
    Canvas C(19, 21, 0x00ABCDEF);
    ListPopup P = Window(100, 100);
    P.closeState = State;
    PaintCloseButton(DrawTarget::For(C.Pixels(), 19, 21), 2, 2, P);
    for (int Y = 0; Y < 21; Y++) {
      for (int X = 0; X < 19; X++) {
        const bool In = X >= 2 && X < 17 && Y >= 2 && Y < 19;
        const uint32_t Want =
            In && State < 3 ? Looks[State][Roles.find(Box[Y - 2][X - 2])] : 0x00ABCDEFu;
        ASSERT_EQ(C.At(X, Y), Want) << "state " << (int)State << " at " << X << "," << Y;
      }
    }
  }
}

TEST_F(WindowFrameTest, TitleBandRowsAndDots) {
  const int W = 40;
  Canvas C(W, 63, 0);
  ListPopup P = Window(W, 200);
  PaintTitleBar(DrawTarget::For(C.Pixels(), W, 63), 0, 0, P, 6, 0x00F0A000, 0x111111, nullptr);
  EXPECT_EQ(C.At(8, 0), 0u) << "row 0 is left to the outline";
  EXPECT_EQ(C.At(8, 1), 0x111111u);
  for (int Y = 11; Y < 63; Y++) EXPECT_EQ(C.At(8, Y), 0x111111u) << Y;
  for (int Y = 2; Y <= 10; Y++) {
    EXPECT_EQ(C.At(8, Y), ref::Blend(0x00F0A000, 0x111111, Y, 10)) << Y;
    EXPECT_EQ(C.At(9, Y), (Y % 2 == 1 && Y <= 7) ? 0x090909u : C.At(8, Y)) << Y;
  }
  EXPECT_NE(C.At(8, 9), 0x111111u);
  EXPECT_EQ(C.At(8, 10), 0x111111u);
  EXPECT_EQ(C.At(3, 3), ref::Blend(0x00F0A000, 0x111111, 3, 10)) << "no dot at (3, 3)";
}

TEST_F(WindowFrameTest, TitleAndIconPlacement) {
  const CHAR16 *Title = W("Boot order");
  const int W = 320, Tw = TitleWidth(Title);
  TextImage Text = {0xFFFFFF, 0xFF0000, 0, 0, nullptr};
  ASSERT_EQ(RenderText(1000, &Text, Title), 0u);
  std::vector<uint32_t> IconPixels(48 * 54, 0x00123456);
  struct Case {
    UINT16 Flags;
    bool Icon;
    int Tx, Ty;
  } Cases[] = {
      {0, false, W / 2 - Tw / 2, 21},
      {0, true, W / 2 - Tw / 2 + 27, 28},
      {2, false, W - 13 - Tw, 21},
      {2, true, W - 13 - Tw, 21},
      {1, false, 13, 21},
      {5, true, 13 + 54, 21},
  };
  for (const Case &K : Cases) {
    SCOPED_TRACE("flags " + std::to_string(K.Flags) + (K.Icon ? " with icon" : ""));
    Canvas C(W, 63, 0);
    ListPopup P = Window(W, 200, Title, K.Flags);
    PaintTitleBar(DrawTarget::For(C.Pixels(), W, 63), 0, 0, P, 6, 0x535353, 0x111111,
                  K.Icon ? reinterpret_cast<const ORVANE_PIXEL *>(IconPixels.data()) : nullptr);
    int Mismatch = 0, IconLeft = W, IconTop = 63, IconCount = 0;
    for (int Y = 0; Y < 63; Y++) {
      for (int X = 0; X < W; X++) {
        const int U = X - K.Tx, V = Y - K.Ty;
        const bool InText = U >= 0 && U < (int)Text.Width && V >= 0 && V < 19;
        const bool White =
            InText && (ColorFromPixel(Text.Bitmap[V * Text.Width + U]) & 0xFFFFFF) == 0xFFFFFF;
        if (C.At(X, Y) == 0x123456u) {
          IconLeft = std::min(IconLeft, X);
          IconTop = std::min(IconTop, Y);
          IconCount++;
        } else {
          Mismatch += White != (C.At(X, Y) == 0xFFFFFFu);
        }
      }
    }
    EXPECT_EQ(Mismatch, 0);
    EXPECT_EQ(IconCount, K.Icon ? 48 * 54 : 0);
    if (K.Icon) {
      EXPECT_EQ(IconLeft, K.Tx - 54);
      EXPECT_EQ(IconTop, 9);
    }
  }
  PoolFree(Text.Bitmap);
}

TEST_F(WindowFrameTest, BevelOnlyFrom75By86) {
  struct Case {
    int W, H;
    bool Bevel;
  } Cases[] = {{74, 200, false}, {75, 85, false}, {75, 86, true}, {200, 86, true}};
  for (const Case &K : Cases) {
    Canvas C(K.W, K.H, 0);
    ListPopup P = Window(K.W, K.H);
    PaintWindowBody(DrawTarget::For(C.Pixels(), K.W, K.H), 0, 0, P, 6, 0x111111, 0x111111, 0x252525,
                    0x7D7D7D);
    // The outermost bevel lines are the base lifted by 50 in each channel.
    EXPECT_EQ(C.At(14, 63 + 5), K.Bevel ? 0x575757u : 0x111111u) << K.W << "x" << K.H;
    EXPECT_EQ(C.At(K.W / 2, 63), K.Bevel ? 0x575757u : 0x111111u) << K.W << "x" << K.H;
    if (K.H >= 63 + 5 + 21) {
      EXPECT_EQ(C.At(18, 63 + 5), 0x7D7D7Du) << "the panel is filled either way";
    }
  }
}
