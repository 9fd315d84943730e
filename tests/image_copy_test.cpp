// CopyImageRect against a pixel-by-pixel reference, including rectangles that
// reach past either image, and the frame-buffer capture path built on it.
#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "raster/image_copy.h"
#include "raster/target.h"
#include "tests/fixture.h"

namespace {

constexpr uint32_t kPoison = 0xDEADBEEF;

struct Copy {
  uint16_t DX, DY, SX, SY, DRW, DH, SRW, SH, W, H;
};

// The copy as described, one pixel at a time, keeping only pixels inside both images.
void RefCopy(std::vector<uint32_t> &Dst, const std::vector<uint32_t> &Src, const Copy &C,
             const uint32_t *Key) {
  // Past the destination's own size nothing can land, so the loops stop there.
  for (uint32_t R = 0; R < C.H && R < C.DH; R++) {
    for (uint32_t U = 0; U < C.W && U < C.DRW; U++) {
      uint32_t SX = C.SX + U, SY = C.SY + R, DX = C.DX + U, DY = C.DY + R;
      if (SX >= C.SRW || SY >= C.SH || DX >= C.DRW || DY >= C.DH) continue;
      uint32_t P = Src[(size_t)SY * C.SRW + SX];
      if (Key) {
        bool Blue = (P & 0xFF) == (*Key & 0xFF);
        bool Green = (P & 0xFF00) == (*Key & 0xFF00);
        bool Red = (P & 0xFF0000) == (*Key & 0xFF0000);
        if (Blue || Green || Red) continue;
      }
      Dst[(size_t)DY * C.DRW + DX] = P;
    }
  }
}

// An image with poisoned margins on both sides, to catch reads and writes beyond it.
struct Guarded {
  static constexpr size_t kMargin = 4096;
  std::vector<uint32_t> All;
  size_t Size;
  explicit Guarded(size_t N) : All(N + 2 * kMargin, kPoison), Size(N) {}
  ORVANE_PIXEL *Pixels() { return reinterpret_cast<ORVANE_PIXEL *>(All.data() + kMargin); }
  std::vector<uint32_t> Inside() const {
    return std::vector<uint32_t>(All.begin() + kMargin, All.begin() + kMargin + Size);
  }
  bool MarginsIntact() const {
    for (size_t I = 0; I < kMargin; I++)
      if (All[I] != kPoison || All[kMargin + Size + I] != kPoison) return false;
    return true;
  }
};

using ImageCopy = DriverTest;

}  // namespace

TEST_F(ImageCopy, NullBufferAnswersOneAndEmptyRectanglesCopyNothing) {
  std::vector<uint32_t> A(16, 1), B(16, 2);
  auto *PA = reinterpret_cast<ORVANE_PIXEL *>(A.data());
  auto *PB = reinterpret_cast<ORVANE_PIXEL *>(B.data());
  EXPECT_EQ(CopyImageRect(nullptr, PB, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4, nullptr), 1u);
  EXPECT_EQ(CopyImageRect(PA, nullptr, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4, nullptr), 1u);
  EXPECT_EQ(CopyImageRect(PA, PB, 0, 0, 0, 0, 4, 4, 4, 4, 0, 3, nullptr), 0u);
  EXPECT_EQ(CopyImageRect(PA, PB, 0, 0, 0, 0, 4, 4, 4, 4, 3, 0, nullptr), 0u);
  ORVANE_PIXEL Key = PixelFromColor(0x00030303);
  EXPECT_EQ(CopyImageRect(PA, PB, 0, 0, 0, 0, 4, 4, 4, 4, 0, 4, &Key), 0u);
  EXPECT_EQ(A, std::vector<uint32_t>(16, 1));
}

TEST_F(ImageCopy, KeyLeavesOutPixelsMatchingInAnyChannel) {
  std::vector<uint32_t> Src = {0x00FF0000, 0x00808080, 0x0000FF00, 0x000000FF,
                               0xFF101010, 0x00000000, 0x00010101, 0x00FFFFFF};
  std::vector<uint32_t> Dst(8, 0x00555555);
  ORVANE_PIXEL Black = PixelFromColor(0x00000000);
  ASSERT_EQ(CopyImageRect((ORVANE_PIXEL *)Dst.data(), (ORVANE_PIXEL *)Src.data(), 0, 0, 0, 0, 8, 1,
                          8, 1, 8, 1, &Black),
            0u);
  // Pure red matches the black key in green and blue; grey shares no channel.
  EXPECT_EQ(Dst[0], 0x00555555u);
  EXPECT_EQ(Dst[1], 0x00808080u);
  EXPECT_EQ(Dst[2], 0x00555555u);
  EXPECT_EQ(Dst[3], 0x00555555u);
  EXPECT_EQ(Dst[4], 0xFF101010u);  // reserved byte not compared, but copied
  EXPECT_EQ(Dst[5], 0x00555555u);
  EXPECT_EQ(Dst[6], 0x00010101u);
  EXPECT_EQ(Dst[7], 0x00FFFFFFu);
  // A key whose reserved byte differs still matches on colour.
  ORVANE_PIXEL Grey = PixelFromColor(0xAA808080);
  Dst.assign(8, 0x00555555);
  CopyImageRect((ORVANE_PIXEL *)Dst.data(), (ORVANE_PIXEL *)Src.data(), 0, 0, 1, 0, 8, 1, 8, 1, 1,
                1, &Grey);
  EXPECT_EQ(Dst[0], 0x00555555u);
}

TEST_F(ImageCopy, KeyedWithTextBackgroundComposesOnlyTheGlyphs) {
  TextImage T = {0x00FFFFFF, 0x00000020, 0, 0, nullptr};
  ASSERT_EQ(Ui->RenderText(1000, &T, W("Key")), 0u);
  std::vector<uint32_t> Canvas((size_t)T.Width * 19, 0x00404040);
  ORVANE_PIXEL Key = PixelFromColor(T.Background);
  CopyImageRect((ORVANE_PIXEL *)Canvas.data(), T.Bitmap, 0, 0, 0, 0, (UINT16)T.Width, 19,
                (UINT16)T.Width, 19, (UINT16)T.Width, 19, &Key);
  size_t Glyph = 0;
  for (size_t I = 0; I < Canvas.size(); I++) {
    uint32_t Src = ColorFromPixel(T.Bitmap[I]);
    ASSERT_EQ(Canvas[I], Src == T.Background ? 0x00404040u : Src);
    Glyph += Src == 0x00FFFFFF;
  }
  EXPECT_GT(Glyph, 10u);
  Fw.SystemTable()->BootServices->FreePool(T.Bitmap);
}

TEST_F(ImageCopy, SourceReadAtStrideOf1024) {
  std::vector<uint32_t> Frame(1024 * 768);
  for (size_t I = 0; I < Frame.size(); I++) Frame[I] = (uint32_t)I;
  std::vector<uint32_t> Out(6 * 3, 0);
  ASSERT_EQ(CopyImageRect((ORVANE_PIXEL *)Out.data(), (ORVANE_PIXEL *)Frame.data(), 0, 0, 500, 300,
                          6, 3, 1024, 768, 6, 3, nullptr),
            0u);
  for (uint32_t R = 0; R < 3; R++)
    for (uint32_t U = 0; U < 6; U++) EXPECT_EQ(Out[R * 6 + U], (300 + R) * 1024 + 500 + U);
}

TEST_F(ImageCopy, ClipsToBothImagesAndMatchesReference) {
  std::mt19937 Rng(24);
  for (int Trial = 0; Trial < 600; Trial++) {
    Copy C;
    C.SRW = 1 + Rng() % 60;
    C.SH = 1 + Rng() % 40;
    C.DRW = 1 + Rng() % 60;
    C.DH = 1 + Rng() % 40;
    C.SX = Rng() % (C.SRW + 8);
    C.SY = Rng() % (C.SH + 8);
    C.DX = Rng() % (C.DRW + 8);
    C.DY = Rng() % (C.DH + 8);
    C.W = Rng() % 80;
    C.H = Rng() % 60;
    if (Trial % 50 == 0) C.W = C.H = 0xFFFF;  // far past everything
    Guarded Src((size_t)C.SRW * C.SH), Dst((size_t)C.DRW * C.DH);
    for (size_t I = 0; I < Src.Size; I++)
      Src.Pixels()[I] = PixelFromColor(Rng() & (Trial % 3 ? 0x00FFFFFF : 0x00030303));
    for (size_t I = 0; I < Dst.Size; I++) Dst.Pixels()[I] = PixelFromColor(0x00777777);
    uint32_t KeyColor = 0x00010203;
    ORVANE_PIXEL Key = PixelFromColor(KeyColor);
    bool Keyed = Trial % 2;
    std::vector<uint32_t> Want = Dst.Inside();
    RefCopy(Want, Src.Inside(), C, Keyed ? &KeyColor : nullptr);
    ASSERT_EQ(CopyImageRect(Dst.Pixels(), Src.Pixels(), C.DX, C.DY, C.SX, C.SY, C.DRW, C.DH, C.SRW,
                            C.SH, C.W, C.H, Keyed ? &Key : nullptr),
              0u);
    ASSERT_TRUE(Dst.MarginsIntact()) << "trial " << Trial;
    // A read past the source would bring poison into the destination.
    ASSERT_EQ(Dst.Inside(), Want) << "trial " << Trial;
  }
}

TEST_F(ImageCopy, CopyWithinOneImageMovesLikeMemmove) {
  std::vector<uint32_t> Img(32 * 4);
  for (size_t I = 0; I < Img.size(); I++) Img[I] = (uint32_t)I;
  std::vector<uint32_t> Src = Img;
  std::vector<uint32_t> Want = Img;
  RefCopy(Want, Src, Copy{3, 1, 0, 1, 32, 4, 32, 4, 20, 2}, nullptr);
  CopyImageRect((ORVANE_PIXEL *)Img.data(), (ORVANE_PIXEL *)Img.data(), 3, 1, 0, 1, 32, 4, 32, 4,
                20, 2, nullptr);
  EXPECT_EQ(Img, Want);
}

// Within one image the rows move one after another, each as memmove moves
// it: a rectangle moved down by less than its height copies rows it has
// already written. Apart or overlapping, whole rows or windows, odd widths.
TEST_F(ImageCopy, MovesWithinOneImageGoRowAfterRow) {
  std::mt19937 Rng(25);
  for (int Trial = 0; Trial < 500; Trial++) {
    const uint16_t RW = 1 + Rng() % 40, H = 1 + Rng() % 30;
    Copy C{(uint16_t)(Rng() % RW),
           (uint16_t)(Rng() % H),
           (uint16_t)(Rng() % RW),
           (uint16_t)(Rng() % H),
           RW,
           H,
           RW,
           H,
           (uint16_t)(Rng() % (RW + 4)),
           (uint16_t)(Rng() % (H + 4))};
    if (Trial % 4 == 0) {
      C.DX = C.SX = 0;
      C.W = RW;
    }
    Guarded Img((size_t)RW * H);
    for (size_t I = 0; I < Img.Size; I++)
      Img.Pixels()[I] = PixelFromColor((uint32_t)I * 2654435761u);
    std::vector<uint32_t> Want = Img.Inside();
    const uint32_t W = std::min<uint32_t>(C.W, RW - std::max(C.DX, C.SX));
    const uint32_t Rows = std::min<uint32_t>(C.H, H - std::max(C.DY, C.SY));
    for (uint32_t R = 0; R < Rows; R++) {
      std::memmove(&Want[(size_t)(C.DY + R) * RW + C.DX], &Want[(size_t)(C.SY + R) * RW + C.SX],
                   W * 4);
    }
    ASSERT_EQ(CopyImageRect(Img.Pixels(), Img.Pixels(), C.DX, C.DY, C.SX, C.SY, RW, H, RW, H, C.W,
                            C.H, nullptr),
              0u);
    ASSERT_TRUE(Img.MarginsIntact()) << "trial " << Trial;
    ASSERT_EQ(Img.Inside(), Want) << "trial " << Trial << " " << C.SX << "," << C.SY << " to "
                                  << C.DX << "," << C.DY << " " << W << "x" << Rows << " of " << RW
                                  << "x" << H;
  }
}

TEST_F(ImageCopy, FrameBufferCaptureReadsTheScreenThroughTheCopy) {
  std::mt19937 Rng(5);
  ORVANE_PIXEL *Frame = Fw.FrameBuffer();
  for (size_t I = 0; I < (size_t)Fw.Width() * Fw.Height(); I++)
    Frame[I] = PixelFromColor(Rng() & 0x00FFFFFF);
  Ui->SetFrameBufferCapture(1);
  for (int Trial = 0; Trial < 3; Trial++) {
    // Inside, across the right edge, across the bottom-right corner.
    const INT32 X = Trial == 0 ? 100 : 1000, Y = Trial == 2 ? 750 : 200, W = 40, H = 30;
    std::vector<uint32_t> Buf((size_t)W * H, kPoison);
    sim::ResetStats();
    CaptureUnder((ORVANE_PIXEL *)Buf.data(), X, Y, W, H);
    EXPECT_EQ(sim::Stats().BltCalls, 0u);
    for (INT32 R = 0; R < H; R++)
      for (INT32 U = 0; U < W; U++) {
        bool On = X + U < (INT32)Fw.Width() && Y + R < (INT32)Fw.Height();
        ASSERT_EQ(Buf[(size_t)R * W + U], On ? Fw.Pixel(X + U, Y + R) : 0u)
            << Trial << ":" << U << "," << R;
      }
  }
}
