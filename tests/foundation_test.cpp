// Entry point, published table, mode setting, pens and whole-buffer operations.
#include <cstring>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "driver/operations.h"
#include "platform/guids.h"
#include "raster/target.h"
#include "tests/fixture.h"

namespace {

// The pen shapes, written out from their definition rather than from the code.
std::set<std::pair<int, int>> PenOffsets(int Style) {
  std::set<std::pair<int, int>> S;
  for (int Dy = -4; Dy <= 4; Dy++) {
    for (int Dx = -4; Dx <= 4; Dx++) {
      int Ax = Dx < 0 ? -Dx : Dx, Ay = Dy < 0 ? -Dy : Dy;
      bool In;
      switch (Style) {
        case 2: In = (Ax + Ay <= 1); break;
        case 3: In = Ax <= 1 && Ay <= 1; break;
        case 4: In = (Ax <= 2 && Ay <= 2) || (Ay == 3 && Ax <= 1) || (Ax == 3 && Ay <= 1); break;
        case 5: In = (Ax <= 3 && Ay <= 3) || (Ay == 4 && Ax <= 1) || (Ax == 4 && Ay <= 1); break;
        default: In = Ax == 0 && Ay == 0; break;
      }
      if (In) S.insert({Dx, Dy});
    }
  }
  return S;
}

std::set<std::pair<int, int>> PixelsOf(const std::vector<uint32_t> &Img, int W, uint32_t Color) {
  std::set<std::pair<int, int>> S;
  for (size_t I = 0; I < Img.size(); I++) {
    if (Img[I] == Color) S.insert({(int)(I % W), (int)(I / W)});
  }
  return S;
}

}  // namespace

TEST(DriverEntry, EachMissingServiceStopsTheEntryAndPublishesNothing) {
  for (EFI_GUID *Missing : {&gFloatMathProtocolGuid, &gEfiGraphicsOutputProtocolGuid,
                            &gHiiFontProtocolGuid, &gPrintProtocolGuid}) {
    sim::Firmware Fw;
    Fw.Withhold(*Missing);
    EXPECT_EQ(Fw.StartDriver(), EFI_NOT_FOUND);
    EXPECT_EQ(Fw.InstalledCount(), 0u);
    EXPECT_EQ(Fw.Ui(), nullptr);
    EXPECT_EQ(Fw.BannerProtocol(), nullptr);
  }
}

TEST(DriverEntry, PublishesBothInterfacesOnItsImageHandle) {
  sim::Firmware Fw;
  ASSERT_EQ(Fw.StartDriver(), EFI_SUCCESS);
  EXPECT_EQ(Fw.InstalledCount(), 2u);
  ORVANE_UI_PROTOCOL *Ui = Fw.Ui();
  ASSERT_NE(Ui, nullptr);
  EXPECT_EQ(Ui->ImageHandle, Fw.ImageHandle());
  ASSERT_NE(Fw.BannerProtocol(), nullptr);
  EXPECT_NE(Fw.BannerProtocol()->Banner, nullptr);
  // Every slot holds its own operation: a slot left empty or wired twice would
  // shift what a front-end calls by position.
  void *Slots[51];
  static_assert(sizeof(Slots) + sizeof(EFI_HANDLE) == sizeof(ORVANE_UI_PROTOCOL));
  std::memcpy(Slots, &Ui->OpenListPopup, sizeof(Slots));
  std::set<void *> Seen;
  for (int I = 0; I < 51; I++) {
    EXPECT_NE(Slots[I], nullptr) << "slot " << I + 1;
    EXPECT_TRUE(Seen.insert(Slots[I]).second) << "slot " << I + 1 << " repeats an earlier slot";
  }
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
}

using Foundation = DriverTest;

TEST_F(Foundation, StringLengthCountsUpToTheTerminator) {
  EXPECT_EQ(Ui->StringLength(W("")), 0u);
  EXPECT_EQ(Ui->StringLength(W("Boot order")), 10u);
}

TEST_F(Foundation, FrameBufferCaptureSwitch) {
  EXPECT_EQ(Ui->SetFrameBufferCapture(1), 1);
  EXPECT_EQ(FrameBufferCapture, 1);
  EXPECT_EQ(Ui->SetFrameBufferCapture(0), 0);
  EXPECT_EQ(FrameBufferCapture, 0);
}

TEST(VideoMode, FirstMatchingModeWinsAndModeInfoIsFreed) {
  sim::Firmware Fw(/*StartMode=*/0);
  ASSERT_EQ(Fw.StartDriver(), EFI_SUCCESS);
  ORVANE_UI_PROTOCOL *Ui = Fw.Ui();
  EXPECT_EQ(Ui->SetVideoMode(1024, 768), EFI_SUCCESS);
  EXPECT_EQ(Fw.CurrentMode(), 2u);  // modes 2 and 4 are both 1024 x 768
  EXPECT_EQ(Ui->SetVideoMode(800, 600), EFI_SUCCESS);
  EXPECT_EQ(Fw.CurrentMode(), 0u);
  EXPECT_EQ(Ui->SetVideoMode(1280, 800), EFI_SUCCESS);
  EXPECT_EQ(Fw.Width(), 1280u);
  EXPECT_EQ(Ui->SetVideoMode(1280, 1024), EFI_UNSUPPORTED);
  EXPECT_EQ(Fw.CurrentMode(), 3u);
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
}

TEST(VideoMode, QueryFailureSkipsTheMode) {
  sim::Firmware Fw(0);
  ASSERT_EQ(Fw.StartDriver(), EFI_SUCCESS);
  Fw.FailAllocation(0);  // the first mode record cannot be made
  EXPECT_EQ(Fw.Ui()->SetVideoMode(800, 600), EFI_SUCCESS);
  EXPECT_EQ(Fw.CurrentMode(), 5u);
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
}

// A graphics service that answers success for mode 0 but hands back no record.
decltype(EFI_GRAPHICS_OUTPUT_PROTOCOL::QueryMode) RealQueryMode = nullptr;
EFI_STATUS EFIAPI QueryWithoutRecord(EFI_GRAPHICS_OUTPUT_PROTOCOL *This, UINT32 Mode, UINTN *Size,
                                     EFI_GRAPHICS_OUTPUT_MODE_INFORMATION **Info) {
  if (Mode == 0) {
    *Size = sizeof(**Info);
    *Info = nullptr;
    return EFI_SUCCESS;
  }
  return RealQueryMode(This, Mode, Size, Info);
}

TEST(VideoMode, SuccessWithoutRecordSkipsTheMode) {
  sim::Firmware Fw(2);
  ASSERT_EQ(Fw.StartDriver(), EFI_SUCCESS);
  EFI_GRAPHICS_OUTPUT_PROTOCOL Odd = *Fw.Gop();
  RealQueryMode = Odd.QueryMode;
  Odd.QueryMode = QueryWithoutRecord;
  EFI_GRAPHICS_OUTPUT_PROTOCOL *Saved = gGraphics;
  gGraphics = &Odd;
  EXPECT_EQ(Fw.Ui()->SetVideoMode(800, 600), EFI_SUCCESS);
  gGraphics = Saved;
  EXPECT_EQ(Fw.CurrentMode(), 5u);  // mode 0 is 800 x 600 too, but undescribed
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
}

TEST_F(Foundation, PenShapesInABuffer) {
  const uint32_t Color = 0x12345678;
  const int Expected[] = {1, 1, 5, 9, 37, 61, 1, 1};
  for (int Style = 0; Style <= 7; Style++) {
    std::vector<uint32_t> Buf(20 * 20, 0);
    Ui->DrawPoint(reinterpret_cast<ORVANE_PIXEL *>(Buf.data()), 20, 20, 9, 10, Style, Color);
    std::set<std::pair<int, int>> Want;
    for (auto [Dx, Dy] : PenOffsets(Style)) Want.insert({9 + Dx, 10 + Dy});
    EXPECT_EQ(PixelsOf(Buf, 20, Color), Want) << "style " << Style;
    EXPECT_EQ((int)Want.size(), Expected[Style]);
  }
}

TEST_F(Foundation, PenShapesOnTheScreenUseTheFewestFills) {
  const uint64_t Fills[] = {1, 1, 5, 1, 13, 13, 1};
  for (int Style = 0; Style <= 6; Style++) {
    Fw.FillScreen(0);
    sim::ResetStats();
    const uint32_t Color = 0x00ABCDEF;
    EXPECT_EQ(Ui->DrawPoint(nullptr, 0, 0, 100, 50, Style, Color), 0u);
    EXPECT_EQ(sim::Stats().BltCalls, Fills[Style]) << "style " << Style;
    EXPECT_EQ(sim::Stats().BltByOperation[EfiBltVideoFill], Fills[Style]);
    std::set<std::pair<int, int>> Want;
    for (auto [Dx, Dy] : PenOffsets(Style)) Want.insert({100 + Dx, 50 + Dy});
    EXPECT_EQ(PixelsOf(Fw.Snapshot(), Fw.Width(), Color), Want) << "style " << Style;
  }
}

TEST_F(Foundation, PenStampsAreClippedToTheBuffer) {
  // A 10 x 6 image inside a guarded allocation: nothing outside it may change.
  std::mt19937 Rng(7);
  const int W = 10, H = 6, Guard = 64;
  for (int Trial = 0; Trial < 400; Trial++) {
    std::vector<uint32_t> Mem(W * H + 2 * Guard, 0xDEADBEEF);
    uint32_t *Img = Mem.data() + Guard;
    std::fill(Img, Img + W * H, 0);
    int X = (int)(Rng() % 20) - 5, Y = (int)(Rng() % 16) - 5, Style = (int)(Rng() % 7);
    Ui->DrawPoint(reinterpret_cast<ORVANE_PIXEL *>(Img), W, H, X, Y, Style, 0x00FF00FF);
    for (int I = 0; I < Guard; I++) {
      ASSERT_EQ(Mem[I], 0xDEADBEEFu);
      ASSERT_EQ(Mem[Guard + W * H + I], 0xDEADBEEFu);
    }
    std::set<std::pair<int, int>> Want;
    for (auto [Dx, Dy] : PenOffsets(Style)) {
      if (X + Dx >= 0 && X + Dx < W && Y + Dy >= 0 && Y + Dy < H) Want.insert({X + Dx, Y + Dy});
    }
    std::vector<uint32_t> Seen(Img, Img + W * H);
    ASSERT_EQ(PixelsOf(Seen, W, 0x00FF00FF), Want) << X << "," << Y << " style " << Style;
  }
}

TEST_F(Foundation, PenStampsAreClippedToTheScreen) {
  const uint32_t Color = 0x00102030;
  Ui->DrawPoint(nullptr, 0, 0, 0, 0, 5, Color);
  Ui->DrawPoint(nullptr, 0, 0, 1023, 767, 5, Color);
  Ui->DrawPoint(nullptr, 0, 0, -10, 5, 5, Color);  // wholly off the screen
  std::set<std::pair<int, int>> Want;
  for (auto [Dx, Dy] : PenOffsets(5)) {
    if (Dx >= 0 && Dy >= 0) Want.insert({Dx, Dy});
    if (Dx <= 0 && Dy <= 0) Want.insert({1023 + Dx, 767 + Dy});
  }
  EXPECT_EQ(PixelsOf(Fw.Snapshot(), 1024, Color), Want);
}

TEST_F(Foundation, ClearBufferClearsExactlyWidthTimesHeight) {
  std::vector<uint32_t> Buf(12, 0xFFFFFFFF);
  auto *P = reinterpret_cast<ORVANE_PIXEL *>(Buf.data());
  Ui->ClearBuffer(P, 0, 3);
  Ui->ClearBuffer(P, 3, 0);
  Ui->ClearBuffer(P, -2, 3);
  EXPECT_EQ(Buf, std::vector<uint32_t>(12, 0xFFFFFFFF));
  EXPECT_EQ(Ui->ClearBuffer(P, 5, 2), 0u);
  for (int I = 0; I < 12; I++) EXPECT_EQ(Buf[I], I < 10 ? 0u : 0xFFFFFFFFu) << I;
}

TEST_F(Foundation, BlitToScreenPlacesTheBuffer) {
  std::vector<uint32_t> Buf(10 * 5);
  for (int I = 0; I < 50; I++) Buf[I] = 0x00010000u * (I / 10) + (uint32_t)(I % 10) + 1;
  EXPECT_EQ(Ui->BlitToScreen(reinterpret_cast<ORVANE_PIXEL *>(Buf.data()), 10, 5, 100, 50), 0u);
  EXPECT_EQ(sim::Stats().BltCalls, 1u);
  for (int Y = 0; Y < 5; Y++) {
    for (int X = 0; X < 10; X++) EXPECT_EQ(Fw.Pixel(100 + X, 50 + Y), Buf[Y * 10 + X]);
  }
  EXPECT_EQ(Fw.Pixel(99, 50), 0u);
  EXPECT_EQ(Fw.Pixel(100, 49), 0u);
  EXPECT_EQ(Fw.Pixel(110, 50), 0u);
}

TEST_F(Foundation, BlitToScreenShowsTheVisiblePartOfAnOverhangingBuffer) {
  std::vector<uint32_t> Buf(10 * 5);
  for (int I = 0; I < 50; I++) Buf[I] = 0x00100000u + (uint32_t)I;
  Ui->BlitToScreen(reinterpret_cast<ORVANE_PIXEL *>(Buf.data()), 10, 5, 1020, -2);
  for (int Y = 0; Y < 3; Y++) {
    for (int X = 0; X < 4; X++) EXPECT_EQ(Fw.Pixel(1020 + X, Y), Buf[(Y + 2) * 10 + X]);
  }
  EXPECT_EQ(Fw.Pixel(1019, 0), 0u);
}

// The off-screen paint helper every control uses: both capture paths see
// the same background, and painting lands where it should.
TEST_F(Foundation, OffscreenPaintCapturesThroughEitherPath) {
  std::mt19937 Rng(3);
  for (uint32_t Y = 0; Y < 768; Y++) {
    for (uint32_t X = 0; X < 1024; X++) {
      uint32_t C = Rng() & 0x00FFFFFF;
      std::memcpy(&Fw.FrameBuffer()[Y * 1024 + X], &C, 4);
    }
  }
  const std::vector<uint32_t> Before = Fw.Snapshot();
  for (BOOLEAN Flag : {0, 1}) {
    Ui->SetFrameBufferCapture(Flag);
    std::vector<uint32_t> Seen;
    EXPECT_EQ(PaintOffscreen(1000, 700, 40, 80,
                             [&](const DrawTarget &T) {
                               Seen.assign(reinterpret_cast<uint32_t *>(T.Pixels),
                                           reinterpret_cast<uint32_t *>(T.Pixels) + 40 * 80);
                             }),
              EFI_SUCCESS);
    for (int Y = 0; Y < 80; Y++) {
      for (int X = 0; X < 40; X++) {
        uint32_t Want =
            (1000 + X < 1024 && 700 + Y < 768) ? Before[(700 + Y) * 1024 + 1000 + X] : 0;
        ASSERT_EQ(Seen[Y * 40 + X], Want) << "flag " << (int)Flag << " at " << X << "," << Y;
      }
    }
    EXPECT_EQ(Fw.Snapshot(), Before);  // painting nothing changes nothing
  }
  EXPECT_EQ(
      PaintOffscreen(10, 10, 4, 4, [](const DrawTarget &T) { T.Fill(1, 1, 2, 2, 0x00ABCDEF); }),
      EFI_SUCCESS);
  EXPECT_EQ(Fw.Pixel(11, 11), 0x00ABCDEFu);
  EXPECT_EQ(Fw.Pixel(12, 12), 0x00ABCDEFu);
  EXPECT_EQ(Fw.Pixel(10, 10), Before[10 * 1024 + 10]);
}

TEST_F(Foundation, OffscreenPaintWithoutMemoryDrawsNothing) {
  Fw.FailAllocation(0);
  bool Painted = false;
  EXPECT_EQ(PaintOffscreen(0, 0, 8, 8, [&](const DrawTarget &) { Painted = true; }),
            EFI_OUT_OF_RESOURCES);
  EXPECT_FALSE(Painted);
  EXPECT_EQ(sim::Stats().BltCalls, 0u);
}

// In a mode smaller than 1024 x 768 the frame buffer is read at the mode's own
// scan line: a capture at the bottom right corner finds the screen there.
using SmallMode = DriverTestInMode<1>;

TEST_F(SmallMode, FrameBufferCaptureReadsAtTheModesScanLine) {
  ASSERT_EQ(Fw.Width(), 640u);
  Fw.FillScreen(0x00777777);
  Ui->SetFrameBufferCapture(1);
  std::vector<uint32_t> Seen;
  EXPECT_EQ(PaintOffscreen(600, 440, 40, 40,
                           [&](const DrawTarget &T) {
                             Seen.assign(reinterpret_cast<uint32_t *>(T.Pixels),
                                         reinterpret_cast<uint32_t *>(T.Pixels) + 1600);
                           }),
            EFI_SUCCESS);
  EXPECT_EQ(sim::Stats().BltByOperation[EfiBltVideoToBltBuffer], 0u);
  ASSERT_EQ(Seen.size(), 1600u);
  for (uint32_t C : Seen) EXPECT_EQ(C, 0x00777777u);
}
