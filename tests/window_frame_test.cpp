// The popup window painter: against the plain frame painters on random
// windows (both orders, clipped targets, windows taller than the kept row
// fractions), a title that cannot be rendered, the text ink copy, and the
// look's documented facts: the panel corner tables, the close box in each
// state, the title band's rows, title and icon placement, and where the bevel
// starts.
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

PopupWindowLook Look(INT32 W, INT32 H, const CHAR16 *Title = nullptr, UINT16 Align = 0) {
  return {.Width = W, .Height = H, .Title = Title, .TitleAlign = Align};
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
    // The first rounds are taller than the row fractions the outline and body share.
    const bool Tall = Round < 3;
    const int W = 1 + (int)(Rng() % (Tall ? 440 : 260));
    const int H = Tall ? 790 + (int)(Rng() % 200) : 1 + (int)(Rng() % 220);
    // The record the plain painters read, and the same window as a look.
    ListPopup P = {};
    P.width = W;
    P.height = H;
    P.title = Titles[Rng() % 4];
    P.flags = (UINT16)(Rng() % 4);
    P.titleHeight = Rng() % 4 == 0 ? (UINT16)(Rng() % 90) : 63;
    P.thumbPos = (UINT16)(Rng() % 3 == 0 ? 256 : Rng() % 2);
    P.closeShown = Rng() % 4 != 0;
    P.closeState = (UINT8)(Rng() % 5);
    const UINT16 R = (UINT16)(Rng() % 10);
    const int X = (int)(Rng() % 41) - 20, Y = (int)(Rng() % 41) - 20;
    const int CloseX = W - 30 + (int)(Rng() % 7), CloseY = 14 + (int)(Rng() % 7);
    const int CW = std::max(1, W + (int)(Rng() % 41) - 20),
              CH = std::max(1, H + (int)(Rng() % 41) - 20);
    UINT32 C[8];
    for (UINT32 &Color : C) Color = RandomColor(Rng);
    C[4] &= 0x00FFFFFF;
    const ORVANE_PIXEL *WithIcon = Rng() % 2 ? Icon : nullptr;
    const bool BandFirst = Rng() % 2 != 0;
    const PopupWindowLook L = {.X = X,
                               .Y = Y,
                               .Width = W,
                               .Height = H,
                               .TitleHeight = P.titleHeight,
                               .Radius = R,
                               .Title = P.title,
                               .TitleAlign = P.flags,
                               .Icon = WithIcon,
                               .Scrolls = (P.thumbPos & 0xFF) != 0,
                               .Close = P.closeShown ? P.closeState : kNoCloseBox,
                               .CloseX = CloseX,
                               .CloseY = CloseY,
                               .BandFirst = BandFirst,
                               .Colours = {C[0], C[1], C[2], C[3], C[4], C[5], C[6], C[7]}};
    SCOPED_TRACE("round " + std::to_string(Round) + " window " + std::to_string(W) + "x" +
                 std::to_string(H) + " at " + std::to_string(X) + "," + std::to_string(Y) +
                 (BandFirst ? " band first" : ""));
    Canvas Got(CW, CH), Want(CW, CH);
    DrawTarget TG = DrawTarget::For(Got.Pixels(), CW, CH),
               TW = DrawTarget::For(Want.Pixels(), CW, CH);
    if (Round % 3 == 0) {  // a narrowed clip inside the buffer
      const Rect Part{CW / 4, CH / 4, CW / 2, CH / 2};
      TG = TG.Narrowed(Part);
      TW = TW.Narrowed(Part);
    }
    ASSERT_EQ(PaintPopupWindow(TG, L), EFI_SUCCESS);
    auto Band = [&] { ref::PaintTitleBar(TW, X, Y, P, R, C[6], C[7], WithIcon); };
    auto Body = [&] { ref::PaintWindowBody(TW, X, Y, P, R, C[2], C[3], C[4], C[5]); };
    auto Outline = [&] { ref::PaintWindowFrame(TW, X, Y, W, H, R, C[0], C[1]); };
    if (BandFirst) {
      Band();
      Body();
      Outline();
    } else {
      Outline();
      Body();
      Band();
    }
    if (P.closeShown) ref::PaintCloseButton(TW, X + CloseX, Y + CloseY, P);
    ASSERT_EQ(Got.Image(), Want.Image()) << FirstDifference(Got.Image(), Want.Image(), CW);
    ASSERT_TRUE(Got.GuardsIntact());
  }
}

TEST_F(WindowFrameTest, TitleThatCannotBeRenderedDrawsNothing) {
  const int W = 200, H = 150;
  Canvas C(W, H, 0x00ABCDEF);
  PopupWindowLook L = Look(W, H, W("Boot order"));
  L.Close = 0;
  L.CloseX = W - 30;
  L.CloseY = 20;
  Fw.FailAllocation(0);
  EXPECT_EQ(PaintPopupWindow(DrawTarget::For(C.Pixels(), W, H), L), EFI_OUT_OF_RESOURCES);
  Fw.FailAllocation(-1);
  EXPECT_EQ(C.CountColor(0x00ABCDEF), (size_t)W * H);
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
  // The same window covers the canvas but its rounded corners once the title renders.
  EXPECT_EQ(PaintPopupWindow(DrawTarget::For(C.Pixels(), W, H), L), EFI_SUCCESS);
  EXPECT_LT(C.CountColor(0x00ABCDEF), 40u);
}

// Text pixels in the ink colour (any reserved byte) land in it, clipped; all
// else shows the canvas. Widths cross the four-pixel steps, positions the clip.
TEST_F(WindowFrameTest, TextInkWritesOnlyInkPixelsInsideTheClip) {
  std::mt19937 Rng(77);
  const UINT32 Inks[2] = {0x00FFFFFF, 0x00000000};
  for (int Round = 0; Round < 300; Round++) {
    const UINT32 Ink = Inks[Round % 2];
    const int TW = 1 + (int)(Rng() % 23), TH = 1 + (int)(Rng() % 6);
    std::vector<uint32_t> Bits((size_t)TW * TH);
    for (auto &P : Bits) {
      P = Rng() % 2 ? Ink | (Rng() % 2 ? 0xAB000000u : 0) : Ink ^ (1u << (Rng() % 24));
    }
    const TextImage Text = {0, 0, (UINT32)TW, (UINT32)TH,
                            reinterpret_cast<ORVANE_PIXEL *>(Bits.data())};
    const int X = (int)(Rng() % 40) - 12, Y = (int)(Rng() % 16) - 4;
    const Rect Clip = {(int)(Rng() % 8), (int)(Rng() % 4), 8 + (int)(Rng() % 16),
                       4 + (int)(Rng() % 8)};
    Canvas C(24, 12, 0x00123456);
    PlaceTextInk(DrawTarget::For(C.Pixels(), 24, 12).Narrowed(Clip), X, Y, Text, Ink);
    for (int Py = 0; Py < 12; Py++) {
      for (int Px = 0; Px < 24; Px++) {
        const int U = Px - X, V = Py - Y;
        const bool Hit = Clip.Contains(Px, Py) && U >= 0 && U < TW && V >= 0 && V < TH &&
                         (Bits[(size_t)V * TW + U] & 0x00FFFFFF) == Ink;
        ASSERT_EQ(C.At(Px, Py), Hit ? Ink : 0x00123456u)
            << "round " << Round << " at " << Px << "," << Py;
      }
    }
    ASSERT_TRUE(C.GuardsIntact());
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
  ASSERT_EQ(PaintPopupWindow(DrawTarget::For(C.Pixels(), W, H), Look(W, H)), EFI_SUCCESS);
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
  // The box at (70, 20) of a 100 x 100 window: nothing of it outside its 15
  // x 17 pixels, and nothing at all in state 3.
  PopupWindowLook L = Look(100, 100);
  L.CloseX = 70;
  L.CloseY = 20;
  Canvas Bare(100, 100, 0x00ABCDEF);
  ASSERT_EQ(PaintPopupWindow(DrawTarget::For(Bare.Pixels(), 100, 100), L), EFI_SUCCESS);
  for (UINT8 State = 0; State <= 3; State++) {
    Canvas C(100, 100, 0x00ABCDEF);
    L.Close = State;
    ASSERT_EQ(PaintPopupWindow(DrawTarget::For(C.Pixels(), 100, 100), L), EFI_SUCCESS);
    for (int Y = 0; Y < 100; Y++) {
      for (int X = 0; X < 100; X++) {
        const bool In = X >= 70 && X < 85 && Y >= 20 && Y < 37;
        const uint32_t Want =
            In && State < 3 ? Looks[State][Roles.find(Box[Y - 20][X - 70])] : Bare.At(X, Y);
        ASSERT_EQ(C.At(X, Y), Want) << "state " << (int)State << " at " << X << "," << Y;
      }
    }
  }
}

TEST_F(WindowFrameTest, TitleBandRowsAndDots) {
  const int W = 40;
  Canvas C(W, 63, 0);
  PopupWindowLook L = Look(W, 200);
  L.Colours.BandTop = 0x00F0A000;
  ASSERT_EQ(PaintPopupWindow(DrawTarget::For(C.Pixels(), W, 63), L), EFI_SUCCESS);
  EXPECT_EQ(C.At(8, 0), 0x535353u) << "row 0 is the outline's";
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
    PopupWindowLook L = Look(W, 200, Title, K.Flags);
    if (K.Icon) L.Icon = reinterpret_cast<const ORVANE_PIXEL *>(IconPixels.data());
    ASSERT_EQ(PaintPopupWindow(DrawTarget::For(C.Pixels(), W, 63), L), EFI_SUCCESS);
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
    ASSERT_EQ(PaintPopupWindow(DrawTarget::For(C.Pixels(), K.W, K.H), Look(K.W, K.H)), EFI_SUCCESS);
    // The outermost bevel lines are the base lifted by 50 in each channel.
    EXPECT_EQ(C.At(14, 63 + 5), K.Bevel ? 0x575757u : 0x111111u) << K.W << "x" << K.H;
    EXPECT_EQ(C.At(K.W / 2, 63), K.Bevel ? 0x575757u : 0x111111u) << K.W << "x" << K.H;
    if (K.H >= 63 + 5 + 21) {
      EXPECT_EQ(C.At(18, 63 + 5), 0x7D7D7Du) << "the panel is filled either way";
    }
  }
}
