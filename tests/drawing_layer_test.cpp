// The drawing layer the controls paint through: narrowed targets, and
// pictures and text placed partly outside a buffer or the screen. Every
// result is held against a plain version drawn without the narrowing or
// against a literal pixel-by-pixel copy.
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "raster/image_copy.h"
#include "raster/line.h"
#include "raster/pen.h"
#include "raster/shapes.h"
#include "tests/fixture.h"
#include "tests/raster_reference.h"
#include "text/text.h"

namespace {

using rastertest::Canvas;
using rastertest::FirstDifference;
using rastertest::RandomColor;

class DrawingLayer : public DriverTest {};

// One of each painter, with random arguments around a W x H area.
std::function<void(const DrawTarget &)> RandomPainter(std::mt19937 &Rng, int W, int H) {
  auto Coord = [&](int Extent) { return (INT32)(Rng() % (Extent + 20)) - 10; };
  const INT32 X1 = Coord(W), Y1 = Coord(H), X2 = Coord(W), Y2 = Coord(H), X3 = Coord(W),
              Y3 = Coord(H);
  const INT32 Pen = (INT32)(Rng() % 6), Fill = (INT32)(Rng() % 8);
  const UINT32 C1 = RandomColor(Rng), C2 = RandomColor(Rng);
  switch (Rng() % 7) {
    case 0: return [=](const DrawTarget &T) { DrawPointOn(T, X1, Y1, Pen, C1); };
    case 1: return [=](const DrawTarget &T) { DrawLineOn(T, X1, Y1, X2, Y2, Pen, C1); };
    case 2:
      return [=](const DrawTarget &T) {
        DrawRegularPolygonOn(T, X1, Y1, 3 + Pen, 5 + Y2 % 20, Pen, C1);
      };
    case 3:
      return [=](const DrawTarget &T) {
        DrawRectangleOn(T, X1, Y1, X2 - X1, Y2 - Y1, Pen, Fill, C1, C2);
      };
    case 4:
      // Corners read as unsigned: a negative one would make a gradient step
      // through billions of columns, so they stay on the non-negative side.
      return [=](const DrawTarget &T) {
        DrawTriangleOn(T, X1 + 10, Y1 + 10, X2 + 10, Y2 + 10, X3 + 10, Y3 + 10, Pen, Fill, C1, C2);
      };
    case 5:
      return
          [=](const DrawTarget &T) { DrawCircleOn(T, X1, Y1, 1 + X2 % 15, Pen, Fill % 4, C1, C2); };
    default:
      return [=](const DrawTarget &T) {
        EXPECT_EQ(
            DrawTextOn(T, X1, Y1, W("Ab"), C1 & 0x00FFFFFF, C2 & 0x00FFFFFF, 1000 + Pen * 200), 0u);
      };
  }
}

TEST_F(DrawingLayer, NarrowedClipIsTheIntersection) {
  DrawTarget T = DrawTarget::For(nullptr, 0, 0);
  EXPECT_TRUE(T.IsScreen());
  const Rect Mode = T.Clip;
  EXPECT_EQ(Mode.Right(), 1024);
  EXPECT_EQ(Mode.Bottom(), 768);
  DrawTarget N = T.Narrowed({-5, 700, 100, 200}).Narrowed({20, 690, 1000, 40});
  EXPECT_EQ(N.Clip.X, 20);
  EXPECT_EQ(N.Clip.Y, 700);
  EXPECT_EQ(N.Clip.Right(), 95);
  EXPECT_EQ(N.Clip.Bottom(), 730);
  EXPECT_TRUE(N.Narrowed({95, 700, 10, 10}).Clip.Empty()) << "touching edges do not overlap";
  EXPECT_TRUE(N.Narrowed({0x7FFFFFF0, 0, 0x7FFFFFFF, 800}).Clip.Empty()) << "no 32-bit wrap";
  EXPECT_FALSE(N.Clip.Contains(95, 700));
  EXPECT_TRUE(N.Clip.Contains(94, 729));
}

// Each painter on a narrowed target draws exactly the plain drawing's pixels
// inside the area and nothing outside it, in a buffer and on the screen.
TEST_F(DrawingLayer, EveryPainterStaysInsideANarrowedArea) {
  std::mt19937 Rng(71);
  for (int Trial = 0; Trial < 400; Trial++) {
    const int W = 40 + (int)(Rng() % 30), H = 30 + (int)(Rng() % 30);
    const Rect Area = {(INT32)(Rng() % W) - 8, (INT32)(Rng() % H) - 8, (INT32)(Rng() % W),
                       (INT32)(Rng() % H)};
    auto Paint = RandomPainter(Rng, W, H);
    const bool OnScreen = Trial % 4 == 0;
    std::vector<uint32_t> Plain, Narrow;
    if (OnScreen) {
      // Around the top-left corner, so the mode clips too.
      Fw.FillScreen(0x00202020);
      Paint(DrawTarget::Screen());
      Plain = Fw.Snapshot();
      Fw.FillScreen(0x00202020);
      Paint(DrawTarget::Screen().Narrowed(Area));
      Narrow = Fw.Snapshot();
      for (int Y = 0; Y < 768; Y++) {
        for (int X = 0; X < 1024; X++) {
          const uint32_t Want = Area.Contains(X, Y) ? Plain[Y * 1024 + X] : 0x00202020u;
          ASSERT_EQ(Narrow[Y * 1024 + X], Want) << "trial " << Trial << " at " << X << "," << Y;
        }
      }
      continue;
    }
    Canvas A(W, H), B(W, H);
    Paint(DrawTarget::For(A.Pixels(), W, H));
    Paint(DrawTarget::For(B.Pixels(), W, H).Narrowed(Area));
    ASSERT_TRUE(B.GuardsIntact()) << "trial " << Trial;
    for (int Y = 0; Y < H; Y++) {
      for (int X = 0; X < W; X++) {
        const uint32_t Want = Area.Contains(X, Y) ? A.At(X, Y) : 0x00101010u;
        ASSERT_EQ(B.At(X, Y), Want) << "trial " << Trial << " at " << X << "," << Y;
      }
    }
  }
}

// The literal placement: every pixel of the part, written where it lands inside
// W x H and passes the key (left out when it matches in any one channel).
void LiteralPlace(std::vector<uint32_t> &Image, int W, int H, INT64 X, INT64 Y,
                  const uint32_t *Source, int SourceRowWidth, const Rect &Part,
                  const uint32_t *Key) {
  for (INT64 R = 0; R < Part.Height; R++) {
    for (INT64 U = 0; U < Part.Width; U++) {
      const INT64 DX = X + U, DY = Y + R;
      if (DX < 0 || DY < 0 || DX >= W || DY >= H) continue;
      const uint32_t P = Source[(Part.Y + R) * SourceRowWidth + Part.X + U];
      if (Key != nullptr && (((P ^ *Key) & 0xFF) == 0 || ((P ^ *Key) & 0xFF00) == 0 ||
                             ((P ^ *Key) & 0xFF0000) == 0)) {
        continue;
      }
      Image[DY * W + DX] = P;
    }
  }
}

TEST_F(DrawingLayer, PicturesPlacedPartlyOutsideMatchTheLiteralCopy) {
  std::mt19937 Rng(5);
  for (int Trial = 0; Trial < 300; Trial++) {
    const int SW = 1 + (int)(Rng() % 30), SH = 1 + (int)(Rng() % 20);
    std::vector<uint32_t> Source(SW * SH);
    const uint32_t Key = RandomColor(Rng);
    for (uint32_t &P : Source) {
      // Often sharing one channel with the key, so the any-channel rule shows.
      P = RandomColor(Rng);
      if (Rng() % 3 == 0)
        P = (P & ~(0xFFu << (8 * (Rng() % 3)))) | (Key & (0xFFu << (8 * (Rng() % 3))));
    }
    const Rect Part = {(INT32)(Rng() % SW), (INT32)(Rng() % SH), 0, 0};
    const Rect Whole = {Part.X, Part.Y, (INT32)(1 + Rng() % (SW - Part.X)),
                        (INT32)(1 + Rng() % (SH - Part.Y))};
    const bool Keyed = Rng() % 2;
    const bool OnScreen = Trial % 5 == 0;
    const int W = OnScreen ? 1024 : 20 + (int)(Rng() % 20),
              H = OnScreen ? 768 : 10 + (int)(Rng() % 20);
    const INT32 X = (INT32)(Rng() % (W + 2 * SW)) - SW;
    const INT32 Y = (INT32)(Rng() % (H + 2 * SH)) - SH;
    const INT32 PX = OnScreen ? (Rng() % 2 ? X % 40 - SW : W - SW / 2) : X;
    const INT32 PY = OnScreen ? (Rng() % 2 ? Y % 30 - SH : H - SH / 2) : Y;
    const auto *Src = reinterpret_cast<const ORVANE_PIXEL *>(Source.data());
    const ORVANE_PIXEL KeyPixel = PixelFromColor(Key);
    if (OnScreen) {
      Fw.FillScreen(0x00303030);
      std::vector<uint32_t> Want = Fw.Snapshot();
      LiteralPlace(Want, W, H, PX, PY, Source.data(), SW, Whole, Keyed ? &Key : nullptr);
      PlaceImage(DrawTarget::Screen(), PX, PY, Src, SW, Whole, Keyed ? &KeyPixel : nullptr);
      ASSERT_EQ(Fw.Snapshot(), Want)
          << "trial " << Trial << ": " << FirstDifference(Fw.Snapshot(), Want, W);
      continue;
    }
    Canvas C(W, H);
    std::vector<uint32_t> Want = C.Image();
    LiteralPlace(Want, W, H, PX, PY, Source.data(), SW, Whole, Keyed ? &Key : nullptr);
    PlaceImage(DrawTarget::For(C.Pixels(), W, H), PX, PY, Src, SW, Whole,
               Keyed ? &KeyPixel : nullptr);
    ASSERT_TRUE(C.GuardsIntact()) << "trial " << Trial;
    ASSERT_EQ(C.Image(), Want) << "trial " << Trial << ": " << FirstDifference(C.Image(), Want, W);
  }
}

// Text composed at positions running off every edge keeps, where it is in
// bounds, exactly the pixels of the rendered text copied with its background
// as the key; nothing else changes and the bitmap is freed (fixture).
TEST_F(DrawingLayer, TextPlacedPartlyOutsideMatchesTheRenderedText) {
  const UINT32 Fore = 0x00F0E010, Back = 0x00102030;
  TextImage Text = {Fore, Back, 0, 0, nullptr};
  ASSERT_EQ(RenderText(1500, &Text, W("Orvane 42")), 0u);
  std::vector<uint32_t> Pixels(
      reinterpret_cast<uint32_t *>(Text.Bitmap),
      reinterpret_cast<uint32_t *>(Text.Bitmap) + Text.Width * Text.Height);
  PoolFree(Text.Bitmap);
  const int TW = (int)Text.Width, TH = (int)Text.Height;
  const uint32_t Key = Back;
  const INT32 Positions[][2] = {{-TW + 3, -TH + 2}, {-5, 4},  {10, -7}, {30, 12},
                                {37, 19},           {-TW, 0}, {40, 3}};
  for (auto &P : Positions) {
    Canvas C(40, 20);
    std::vector<uint32_t> Want = C.Image();
    LiteralPlace(Want, 40, 20, P[0], P[1], Pixels.data(), TW, {0, 0, TW, TH}, &Key);
    EXPECT_EQ(DrawTextOn(DrawTarget::For(C.Pixels(), 40, 20), P[0], P[1], W("Orvane 42"), Fore,
                         Back, 1500),
              0u);
    EXPECT_TRUE(C.GuardsIntact());
    EXPECT_EQ(C.Image(), Want) << P[0] << "," << P[1] << ": "
                               << FirstDifference(C.Image(), Want, 40);
  }
  // On the screen, running off the right and bottom edges.
  Fw.FillScreen(0x00445566);
  std::vector<uint32_t> Want = Fw.Snapshot();
  LiteralPlace(Want, 1024, 768, 1024 - TW / 2, 768 - TH / 2, Pixels.data(), TW, {0, 0, TW, TH},
               &Key);
  EXPECT_EQ(DrawTextOn(DrawTarget::Screen(), 1024 - TW / 2, 768 - TH / 2, W("Orvane 42"), Fore,
                       Back, 1500),
            0u);
  EXPECT_EQ(Fw.Snapshot(), Want);
  // A refused scale draws nothing.
  Canvas C(40, 20);
  EXPECT_EQ(DrawTextOn(DrawTarget::For(C.Pixels(), 40, 20), 0, 0, W("x"), Fore, Back, 2001), 6u);
  EXPECT_EQ(C.CountColor(0x00101010), 800u);
}

}  // namespace
