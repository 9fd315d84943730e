// Screen capture, dimming and the two block transitions.
#include <chrono>
#include <cstring>
#include <random>
#include <set>
#include <vector>

#include "platform/services.h"
#include "raster/dissolve_order.h"
#include "raster/screen.h"
#include "raster/transition.h"
#include "raster/target.h"
#include "tests/fixture.h"

namespace {

// ---------------------------------------------------------------- helpers

// Fills the whole frame buffer, reserved byte included, with random pixels.
void RandomScreen(sim::Firmware &Fw, uint32_t Seed) {
  std::mt19937 Rng(Seed);
  ORVANE_PIXEL *Frame = Fw.FrameBuffer();
  size_t N = (size_t)Fw.Width() * Fw.Height();
  for (size_t I = 0; I < N; I++) {
    uint32_t C = Rng();
    std::memcpy(&Frame[I], &C, 4);
  }
}

std::vector<ORVANE_PIXEL> RandomImage(uint32_t W, uint32_t H, uint32_t Seed) {
  std::mt19937 Rng(Seed);
  std::vector<ORVANE_PIXEL> Image((size_t)W * H);
  for (auto &P : Image) {
    uint32_t C = Rng();
    std::memcpy(&P, &C, 4);
  }
  return Image;
}

// The dimming as first described: every channel of every pixel through the
// float service, the reserved byte carried over.
std::vector<ORVANE_PIXEL> LiteralDim(const ORVANE_PIXEL *Captured, size_t Count, uint32_t Level) {
  FLOAT32_BITS Factor = gFloat->FloatDiv(gFloat->IntToFloat((INT32)Level), gFloat->IntToFloat(10));
  std::vector<ORVANE_PIXEL> Out(Captured, Captured + Count);
  for (size_t I = 0; I < Count; I++) {
    ORVANE_PIXEL &P = Out[I];
    P.Red = (UINT8)gFloat->FloatToIntAlt(gFloat->FloatMul(gFloat->IntToFloat(P.Red), Factor));
    P.Green = (UINT8)gFloat->FloatToIntAlt(gFloat->FloatMul(gFloat->IntToFloat(P.Green), Factor));
    P.Blue = (UINT8)gFloat->FloatToIntAlt(gFloat->FloatMul(gFloat->IntToFloat(P.Blue), Factor));
  }
  return Out;
}

// Counts the screen pixels that differ from Expected (row width = screen width).
size_t ScreenDiffers(sim::Firmware &Fw, const std::vector<ORVANE_PIXEL> &Expected) {
  size_t Bad = 0;
  const ORVANE_PIXEL *Frame = Fw.FrameBuffer();
  for (size_t I = 0; I < Expected.size(); I++) {
    Bad += ColorFromPixel(Frame[I]) != ColorFromPixel(Expected[I]);
  }
  return Bad;
}

// Records every Blt the driver makes while it lives, and passes it on.
struct BltCall {
  EFI_GRAPHICS_OUTPUT_BLT_OPERATION Op;
  ORVANE_PIXEL *Buffer;
  UINTN SourceX, SourceY, DestinationX, DestinationY, Width, Height, Delta;
  EFI_STATUS Status;
};
std::vector<BltCall> *gCalls = nullptr;
EFI_GRAPHICS_OUTPUT_PROTOCOL_BLT gForward = nullptr;

EFI_STATUS EFIAPI RecordingBlt(EFI_GRAPHICS_OUTPUT_PROTOCOL *This,
                               EFI_GRAPHICS_OUTPUT_BLT_PIXEL *Buffer,
                               EFI_GRAPHICS_OUTPUT_BLT_OPERATION Op, UINTN SourceX, UINTN SourceY,
                               UINTN DestinationX, UINTN DestinationY, UINTN Width, UINTN Height,
                               UINTN Delta) {
  EFI_STATUS Status = gForward(This, Buffer, Op, SourceX, SourceY, DestinationX, DestinationY,
                               Width, Height, Delta);
  gCalls->push_back(
      {Op, Buffer, SourceX, SourceY, DestinationX, DestinationY, Width, Height, Delta, Status});
  return Status;
}

class BltRecorder {
 public:
  explicit BltRecorder(sim::Firmware &Fw) : Gop_(Fw.Gop()) {
    gForward = Gop_->Blt;
    gCalls = &Calls;
    Gop_->Blt = RecordingBlt;
  }
  ~BltRecorder() {
    Gop_->Blt = gForward;
    gCalls = nullptr;
  }
  std::vector<BltCall> Calls;

 private:
  EFI_GRAPHICS_OUTPUT_PROTOCOL *Gop_;
};

// ---------------------------------------------------------------- capture

class ScreenCapture : public DriverTest {
 protected:
  // Captures and checks the size and the two held buffers.
  ORVANE_PIXEL *Capture(ORVANE_PIXEL *In = nullptr) {
    ORVANE_PIXEL *Screen = In;
    UINT32 W = 0, H = 0;
    EXPECT_EQ(Ui->CaptureScreen(&Screen, &W, &H), 0u);
    EXPECT_EQ(W, Fw.Width());
    EXPECT_EQ(H, Fw.Height());
    EXPECT_EQ(Fw.LiveAllocations(), 2u);
    return Screen;
  }
};

TEST_F(ScreenCapture, HandsOverTheScreenAndItsSize) {
  RandomScreen(Fw, 1);
  ORVANE_PIXEL *Screen = Capture();
  ASSERT_NE(Screen, nullptr);
  EXPECT_EQ(std::memcmp(Screen, Fw.FrameBuffer(), (size_t)1024 * 768 * 4), 0);
  EXPECT_EQ(sim::Stats().BltByOperation[EfiBltVideoToBltBuffer], 1u);
}

TEST_F(ScreenCapture, RepeatedCaptureReusesBothBuffers) {
  RandomScreen(Fw, 2);
  ORVANE_PIXEL *First = Capture();
  uint64_t Allocated = Fw.TotalAllocations();

  RandomScreen(Fw, 3);
  ORVANE_PIXEL *Second = Capture(First);
  EXPECT_EQ(Second, First);
  EXPECT_EQ(Fw.TotalAllocations(), Allocated) << "a held buffer was replaced";
  EXPECT_EQ(std::memcmp(Second, Fw.FrameBuffer(), (size_t)1024 * 768 * 4), 0);

  // Handing back NULL (or a pointer that is not ours) neither leaks nor
  // abandons the held buffer.
  ORVANE_PIXEL Foreign[4];
  EXPECT_EQ(Capture(nullptr), First);
  EXPECT_EQ(Capture(Foreign), First);
  EXPECT_EQ(Fw.TotalAllocations(), Allocated);
}

TEST_F(ScreenCapture, StalePointerAfterReleaseIsNotReused) {
  ORVANE_PIXEL *First = Capture();
  EXPECT_EQ(Ui->ReleaseCapturedScreen(), 0u);
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
  uint64_t Allocated = Fw.TotalAllocations();
  RandomScreen(Fw, 4);
  ORVANE_PIXEL *Second = Capture(First);
  EXPECT_EQ(Fw.TotalAllocations(), Allocated + 2);
  EXPECT_EQ(std::memcmp(Second, Fw.FrameBuffer(), (size_t)1024 * 768 * 4), 0);
}

TEST_F(ScreenCapture, ReleaseIsSafeTwiceAndWithoutCapture) {
  EXPECT_EQ(Ui->ReleaseCapturedScreen(), 0u);
  Capture();
  EXPECT_EQ(Ui->ReleaseCapturedScreen(), 0u);
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
  EXPECT_EQ(Ui->ReleaseCapturedScreen(), 0u);
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
}

TEST_F(ScreenCapture, ResolutionChangeReplacesBothBuffers) {
  ORVANE_PIXEL *First = Capture();
  ASSERT_EQ(Ui->SetVideoMode(800, 600), EFI_SUCCESS);
  uint64_t Allocated = Fw.TotalAllocations();
  RandomScreen(Fw, 5);
  ORVANE_PIXEL *Second = Capture(First);
  EXPECT_EQ(Fw.TotalAllocations(), Allocated + 2);
  EXPECT_EQ(Fw.LiveBytes(), 2u * 800 * 600 * 4);
  EXPECT_EQ(std::memcmp(Second, Fw.FrameBuffer(), (size_t)800 * 600 * 4), 0);
}

TEST_F(ScreenCapture, ScreenBufferAllocationFailureReturns1) {
  ORVANE_PIXEL *Screen = reinterpret_cast<ORVANE_PIXEL *>(0x1000);
  UINT32 W = 7, H = 9;
  Fw.FailAllocation(0);
  EXPECT_EQ(Ui->CaptureScreen(&Screen, &W, &H), 1u);
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
  EXPECT_EQ(Screen, reinterpret_cast<ORVANE_PIXEL *>(0x1000));
  EXPECT_EQ(W, 7u);
  EXPECT_EQ(H, 9u);
  // Nothing is held, so dimming and restoring leave the screen alone.
  RandomScreen(Fw, 6);
  auto Before = Fw.Snapshot();
  sim::ResetStats();
  EXPECT_EQ(Ui->DimCapturedScreen(5), 0u);
  EXPECT_EQ(Ui->RestoreCapturedScreen(), 0u);
  EXPECT_EQ(sim::Stats().BltCalls, 0u);
  EXPECT_EQ(Fw.Snapshot(), Before);
  // A later capture works.
  Fw.FailAllocation(-1);
  Capture();
}

TEST_F(ScreenCapture, WorkingBufferAllocationFailureReturns2) {
  RandomScreen(Fw, 7);
  auto Captured = Fw.Snapshot();
  ORVANE_PIXEL *Screen = nullptr;
  UINT32 W = 0, H = 0;
  Fw.FailAllocation(1);
  EXPECT_EQ(Ui->CaptureScreen(&Screen, &W, &H), 2u);
  EXPECT_EQ(Fw.LiveAllocations(), 1u);
  EXPECT_EQ(Screen, nullptr);

  // Without a working buffer dimming does nothing; the held picture can still be restored.
  Fw.FillScreen(0x00123456);
  sim::ResetStats();
  EXPECT_EQ(Ui->DimCapturedScreen(5), 0u);
  EXPECT_EQ(sim::Stats().BltCalls, 0u);
  EXPECT_EQ(Fw.Pixel(10, 10), 0x00123456u);
  EXPECT_EQ(Ui->RestoreCapturedScreen(), 0u);
  EXPECT_EQ(Fw.Snapshot(), Captured);

  // Release frees what the failed capture held.
  EXPECT_EQ(Ui->ReleaseCapturedScreen(), 0u);
  EXPECT_EQ(Fw.LiveAllocations(), 0u);

  // And a failure followed by a retry keeps the held screen buffer.
  Fw.FailAllocation(1);
  EXPECT_EQ(Ui->CaptureScreen(&Screen, &W, &H), 2u);
  uint64_t Allocated = Fw.TotalAllocations();
  Capture();
  EXPECT_EQ(Fw.TotalAllocations(), Allocated + 1);
}

TEST_F(ScreenCapture, FrameBufferPathReadsTheFrameBuffer) {
  RandomScreen(Fw, 8);
  Ui->SetFrameBufferCapture(1);
  sim::ResetStats();
  ORVANE_PIXEL *Screen = Capture();
  EXPECT_EQ(sim::Stats().BltCalls, 0u);
  EXPECT_EQ(std::memcmp(Screen, Fw.FrameBuffer(), (size_t)1024 * 768 * 4), 0);
}

TEST_F(ScreenCapture, FrameBufferPathTooShortForTheScreenGoesByBlt) {
  RandomScreen(Fw, 9);
  Ui->SetFrameBufferCapture(1);
  UINTN Size = Fw.Gop()->Mode->FrameBufferSize;
  Fw.Gop()->Mode->FrameBufferSize = (UINTN)1024 * 4 * 100 + 3000;  // 100 whole rows
  ORVANE_PIXEL *Screen = Capture();
  Fw.Gop()->Mode->FrameBufferSize = Size;
  EXPECT_EQ(sim::Stats().BltByOperation[EfiBltVideoToBltBuffer], 1u);
  EXPECT_EQ(std::memcmp(Screen, Fw.FrameBuffer(), (size_t)1024 * 768 * 4), 0);
}

// Modes other than 1024 x 768: the frame buffer is read at the mode's scan
// line, so the capture is the whole screen, without a Blt. The simulated frame
// buffer is sized exactly, so a sanitizer build also catches any read past it.
void CheckFrameBufferCapture(sim::Firmware &Fw, ORVANE_UI_PROTOCOL *Ui, uint32_t Seed, UINT32 WantW,
                             UINT32 WantH) {
  ASSERT_EQ(Fw.Width(), WantW);
  RandomScreen(Fw, Seed);
  Ui->SetFrameBufferCapture(1);
  ORVANE_PIXEL *Screen = nullptr;
  UINT32 W = 0, H = 0;
  ASSERT_EQ(Ui->CaptureScreen(&Screen, &W, &H), 0u);
  EXPECT_EQ(W, WantW);
  EXPECT_EQ(H, WantH);
  EXPECT_EQ(sim::Stats().BltByOperation[EfiBltVideoToBltBuffer], 0u);
  EXPECT_EQ(std::memcmp(Screen, Fw.FrameBuffer(), (size_t)Fw.Width() * Fw.Height() * 4), 0)
      << Fw.Width() << "x" << Fw.Height();
}

}  // namespace

using ScreenCaptureMode0 = DriverTestInMode<0>;
using ScreenCaptureMode3 = DriverTestInMode<3>;
using ScreenCaptureMode1 = DriverTestInMode<1>;

TEST_F(ScreenCaptureMode0, FrameBufferPathIn800x600ReadsTheWholeScreen) {
  CheckFrameBufferCapture(Fw, Ui, 10, 800, 600);
}

TEST_F(ScreenCaptureMode3, FrameBufferPathIn1280x800ReadsTheWholeScreen) {
  CheckFrameBufferCapture(Fw, Ui, 11, 1280, 800);
}

TEST_F(ScreenCaptureMode3, BltPathIn1280x800CapturesEverything) {
  RandomScreen(Fw, 12);
  ORVANE_PIXEL *Screen = nullptr;
  UINT32 W = 0, H = 0;
  ASSERT_EQ(Ui->CaptureScreen(&Screen, &W, &H), 0u);
  EXPECT_EQ(std::memcmp(Screen, Fw.FrameBuffer(), (size_t)1280 * 800 * 4), 0);
  Fw.FillScreen(0);
  EXPECT_EQ(Ui->RestoreCapturedScreen(), 0u);
  EXPECT_EQ(std::memcmp(Screen, Fw.FrameBuffer(), (size_t)1280 * 800 * 4), 0);
}

// ---------------------------------------------------------------- dim and restore

using ScreenDim = ScreenCapture;

TEST_F(ScreenDim, LevelsZeroAndTenAndAboveLeaveTheScreen) {
  RandomScreen(Fw, 13);
  Capture();
  Fw.FillScreen(0x00A0B0C0);
  auto Before = Fw.Snapshot();
  sim::ResetStats();
  for (UINT32 Level : {0u, 10u, 11u, 0xFFFFFFFFu}) {
    EXPECT_EQ(Ui->DimCapturedScreen(Level), 0u);
  }
  EXPECT_EQ(sim::Stats().BltCalls, 0u);
  EXPECT_EQ(sim::Stats().FloatCalls, 0u);
  EXPECT_EQ(Fw.Snapshot(), Before);
}

TEST_F(ScreenDim, MatchesTheLiteralDimmingAndKeepsTheReservedByte) {
  RandomScreen(Fw, 14);
  ORVANE_PIXEL *Screen = Capture();
  std::vector<ORVANE_PIXEL> Captured(Screen, Screen + (size_t)1024 * 768);
  for (UINT32 Level : {1u, 5u, 9u}) {
    Fw.FillScreen(0);
    sim::ResetStats();
    EXPECT_EQ(Ui->DimCapturedScreen(Level), 0u);
    // One float evaluation per channel value, not per pixel.
    EXPECT_LE(sim::Stats().FloatCalls, 3u + 3u * 256u);
    EXPECT_EQ(sim::Stats().BltCalls, 1u);
    auto Want = LiteralDim(Captured.data(), Captured.size(), Level);
    EXPECT_EQ(ScreenDiffers(Fw, Want), 0u) << "level " << Level;
    size_t ReservedChanged = 0;
    for (size_t I = 0; I < Captured.size(); I++) {
      ReservedChanged += Fw.FrameBuffer()[I].Reserved != Captured[I].Reserved;
    }
    EXPECT_EQ(ReservedChanged, 0u);
  }
  // The capture itself is not darkened.
  EXPECT_EQ(std::memcmp(Screen, Captured.data(), Captured.size() * 4), 0);
}

TEST_F(ScreenCaptureMode1, DimMatchesTheLiteralDimmingAtEveryLevel) {
  ASSERT_EQ(Fw.Width(), 640u);
  Ui->SetFrameBufferCapture(1);
  ORVANE_PIXEL *Screen = nullptr;
  auto CaptureAndDimAtEveryLevel = [&] {
    UINT32 W = 0, H = 0;
    ASSERT_EQ(Ui->CaptureScreen(&Screen, &W, &H), 0u);
    const std::vector<ORVANE_PIXEL> Captured(Screen, Screen + (size_t)W * H);
    for (UINT32 Level = 1; Level <= 9; Level++) {
      EXPECT_EQ(Ui->DimCapturedScreen(Level), 0u);
      EXPECT_EQ(ScreenDiffers(Fw, LiteralDim(Captured.data(), Captured.size(), Level)), 0u)
          << "level " << Level;
    }
  };
  RandomScreen(Fw, 15);
  ASSERT_NO_FATAL_FAILURE(CaptureAndDimAtEveryLevel());
  // Every channel value, so that no table entry goes unchecked.
  ORVANE_PIXEL *Frame = Fw.FrameBuffer();
  for (uint32_t I = 0; I < 256; I++) {
    Frame[I] = {(UINT8)I, (UINT8)(255 - I), (UINT8)(I * 7), (UINT8)I};
  }
  ASSERT_NO_FATAL_FAILURE(CaptureAndDimAtEveryLevel());
  // Level 5 halves and truncates.
  EXPECT_EQ(Ui->DimCapturedScreen(5), 0u);
  EXPECT_EQ(Fw.FrameBuffer()[255].Blue, 127);
  EXPECT_EQ(Fw.FrameBuffer()[255].Green, 0);
}

// Every length, so that the eight-pixel steps and the table-driven tail meet
// at every offset; a random table has no multiplier and takes the table alone.
TEST_F(ScreenDim, EveryLengthMatchesTheTableAndStopsAtItsEnd) {
  std::mt19937 Rng(17);
  std::vector<ORVANE_PIXEL> From(40), To(41);
  for (ORVANE_PIXEL &P : From) {
    const uint32_t V = Rng();
    std::memcpy(&P, &V, sizeof(P));
  }
  for (UINT32 Level : {1u, 7u, 0u}) {
    UINT8 Table[256];
    std::vector<ORVANE_PIXEL> Want;
    if (Level != 0) {
      Want = LiteralDim(From.data(), From.size(), Level);
      for (UINT32 C = 0; C < 256; C++) {
        const ORVANE_PIXEL One = {(UINT8)C, 0, 0, 0};
        Table[C] = LiteralDim(&One, 1, Level)[0].Blue;
      }
    } else {
      for (UINT8 &T : Table) T = (UINT8)Rng();
      Want = From;
      for (ORVANE_PIXEL &P : Want) P = {Table[P.Blue], Table[P.Green], Table[P.Red], P.Reserved};
    }
    for (size_t Count = 1; Count <= From.size(); Count++) {
      std::fill(To.begin(), To.end(), ORVANE_PIXEL{1, 2, 3, 4});
      DimPixels(To.data(), From.data(), Count, Table);
      EXPECT_EQ(std::memcmp(To.data(), Want.data(), Count * 4), 0)
          << "level " << Level << ", " << Count;
      EXPECT_EQ(To[Count].Reserved, 4) << "written past " << Count;
    }
  }
}

TEST_F(ScreenDim, RestorePutsTheCaptureBack) {
  RandomScreen(Fw, 16);
  auto Captured = Fw.Snapshot();
  Capture();
  EXPECT_EQ(Ui->DimCapturedScreen(3), 0u);
  EXPECT_NE(Fw.Snapshot(), Captured);
  EXPECT_EQ(Ui->RestoreCapturedScreen(), 0u);
  EXPECT_EQ(Fw.Snapshot(), Captured);
}

TEST_F(ScreenDim, DimAndRestoreWithoutCaptureDoNothing) {
  RandomScreen(Fw, 17);
  auto Before = Fw.Snapshot();
  EXPECT_EQ(Ui->DimCapturedScreen(5), 0u);
  EXPECT_EQ(Ui->RestoreCapturedScreen(), 0u);
  Capture();
  Ui->ReleaseCapturedScreen();
  Fw.FillScreen(0x00010203);
  sim::ResetStats();
  EXPECT_EQ(Ui->DimCapturedScreen(5), 0u);
  EXPECT_EQ(Ui->RestoreCapturedScreen(), 0u);
  EXPECT_EQ(sim::Stats().BltCalls, 0u);
  EXPECT_EQ(sim::Stats().FloatCalls, 0u);
  EXPECT_EQ(Fw.Pixel(500, 500), 0x00010203u);
}

TEST_F(ScreenDim, AfterAModeChangeOnlyTheVisiblePartIsSent) {
  RandomScreen(Fw, 18);
  ORVANE_PIXEL *Screen = Capture();
  std::vector<ORVANE_PIXEL> Captured(Screen, Screen + (size_t)1024 * 768);
  ASSERT_EQ(Ui->SetVideoMode(640, 480), EFI_SUCCESS);
  BltRecorder Rec(Fw);
  EXPECT_EQ(Ui->RestoreCapturedScreen(), 0u);
  EXPECT_EQ(Ui->DimCapturedScreen(2), 0u);
  ASSERT_EQ(Rec.Calls.size(), 2u);
  for (const BltCall &C : Rec.Calls) {
    EXPECT_EQ(C.Status, EFI_SUCCESS);
    EXPECT_EQ(C.Width, 640u);
    EXPECT_EQ(C.Height, 480u);
    EXPECT_EQ(C.Delta, 1024u * 4);
  }
  auto Dimmed = LiteralDim(Captured.data(), Captured.size(), 2);
  size_t Bad = 0;
  for (size_t Y = 0; Y < 480; Y++) {
    for (size_t X = 0; X < 640; X++) {
      Bad += Fw.Pixel(X, Y) != ColorFromPixel(Dimmed[Y * 1024 + X]);
    }
  }
  EXPECT_EQ(Bad, 0u);
}

// ---------------------------------------------------------------- transitions

TEST(TransitionGrid, ColumnsOfA1024PixelImage) {
  for (UINT32 F = 0; F < 4; F++) {
    EXPECT_EQ(TransitionSpan(1024, F).Size, 21u);
    EXPECT_EQ(TransitionSpan(1024, F).Start, 21u * F);
  }
  for (UINT32 F = 4; F <= 50; F++) {
    EXPECT_EQ(TransitionSpan(1024, F).Size, 20u);
  }
  BlockSpan Last = TransitionSpan(1024, 50);
  EXPECT_EQ(Last.Start + Last.Size - 1, 1023u);
}

TEST(TransitionGrid, A50PixelImageLeavesTheLastColumnEmpty) {
  for (UINT32 F = 0; F < 50; F++) {
    EXPECT_EQ(TransitionSpan(50, F).Start, F);
    EXPECT_EQ(TransitionSpan(50, F).Size, 1u);
  }
  EXPECT_EQ(TransitionSpan(50, 50).Size, 0u);
}

TEST(TransitionGrid, SpansTileEveryExtent) {
  for (UINT32 Extent : {0u, 1u, 50u, 51u, 52u, 101u, 480u, 768u, 800u, 1280u, 4095u}) {
    UINT32 Next = 0;
    for (UINT32 F = 0; F < 51; F++) {
      BlockSpan S = TransitionSpan(Extent, F);
      EXPECT_EQ(S.Start, Next) << Extent << " column " << F;
      Next += S.Size;
    }
    EXPECT_EQ(Next, Extent);
  }
}

TEST(DissolveOrder, IsAPermutationWithTheFixedEnds) {
  const UINT16 Head[] = {833, 126, 491, 26, 224, 665, 1475, 1433, 663, 72, 271, 2122};
  const UINT16 Tail[] = {1580, 2182, 1520, 2058, 779};
  for (size_t I = 0; I < 12; I++) EXPECT_EQ(DissolveOrder[I], Head[I]);
  for (size_t I = 0; I < 5; I++) EXPECT_EQ(DissolveOrder[kDissolveBlocks - 5 + I], Tail[I]);
  std::set<UINT16> Seen(DissolveOrder, DissolveOrder + kDissolveBlocks);
  EXPECT_EQ(Seen.size(), 2601u);
  EXPECT_EQ(*Seen.begin(), 1);
  EXPECT_EQ(*Seen.rbegin(), 2601);
}

class Transition : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    TransitionPauseIterations = 0;
  }
  void TearDown() override {
    TransitionPauseIterations = 100000;
    DriverTest::TearDown();
  }

  // Block (column, row) of a W x H image placed at (X, Y) that call C sent,
  // checking that C is exactly that block, clipped to the screen.
  std::pair<int, int> BlockOf(const BltCall &C, const ORVANE_PIXEL *Image, UINT32 W, UINT32 H,
                              UINT32 X, UINT32 Y) {
    EXPECT_EQ(C.Op, EfiBltBufferToVideo);
    EXPECT_EQ(C.Buffer, Image);
    EXPECT_EQ(C.Delta, (UINTN)W * 4);
    EXPECT_EQ(C.Status, EFI_SUCCESS);
    for (UINT32 Col = 0; Col < 51; Col++) {
      BlockSpan Cs = TransitionSpan(W, Col);
      if (Cs.Size == 0 || Cs.Start != C.SourceX) continue;
      for (UINT32 Row = 0; Row < 51; Row++) {
        BlockSpan Rs = TransitionSpan(H, Row);
        if (Rs.Size == 0 || Rs.Start != C.SourceY) continue;
        EXPECT_EQ(C.DestinationX, X + Cs.Start);
        EXPECT_EQ(C.DestinationY, Y + Rs.Start);
        EXPECT_EQ(C.Width, std::min<UINTN>(Cs.Size, Fw.Width() - C.DestinationX));
        EXPECT_EQ(C.Height, std::min<UINTN>(Rs.Size, Fw.Height() - C.DestinationY));
        return {(int)Col, (int)Row};
      }
    }
    ADD_FAILURE() << "no block starts at " << C.SourceX << "," << C.SourceY;
    return {-1, -1};
  }

  // The screen shows Image at (X, Y), clipped, and Background elsewhere.
  void ExpectShown(const std::vector<ORVANE_PIXEL> &Image, UINT32 W, UINT32 H, UINT32 X, UINT32 Y,
                   const std::vector<uint32_t> &Background) {
    size_t Bad = 0;
    for (uint32_t SY = 0; SY < Fw.Height(); SY++) {
      for (uint32_t SX = 0; SX < Fw.Width(); SX++) {
        bool Inside = SX >= X && SX - X < W && SY >= Y && SY - Y < H;
        uint32_t Want = Inside ? ColorFromPixel(Image[(size_t)(SY - Y) * W + (SX - X)])
                               : Background[(size_t)SY * Fw.Width() + SX];
        Bad += Fw.Pixel(SX, SY) != Want;
      }
    }
    EXPECT_EQ(Bad, 0u);
  }
};

TEST_F(Transition, WipeGoesDiagonalByDiagonalFromTheLargestColumn) {
  auto Image = RandomImage(1024, 768, 20);
  RandomScreen(Fw, 21);
  auto Background = Fw.Snapshot();
  BltRecorder Rec(Fw);
  EXPECT_EQ(Ui->WipeTransition(Image.data(), 1024, 768, 0, 0), 0u);
  ASSERT_EQ(Rec.Calls.size(), 2601u);
  // Expected order, straight from the description of the wipe.
  std::vector<std::pair<int, int>> Want;
  for (int D = 0; D <= 100; D++) {
    for (int Col = D <= 50 ? D : 50; Col >= (D <= 50 ? 0 : D - 50); Col--) {
      Want.push_back({Col, D - Col});
    }
  }
  for (size_t I = 0; I < Rec.Calls.size(); I++) {
    EXPECT_EQ(BlockOf(Rec.Calls[I], Image.data(), 1024, 768, 0, 0), Want[I]) << "call " << I;
  }
  EXPECT_EQ(Rec.Calls.front().Width, 21u);
  EXPECT_EQ(Rec.Calls.front().Height, 16u);  // 768 = 51 x 15 + 3
  EXPECT_EQ(Rec.Calls.back().DestinationX + Rec.Calls.back().Width, 1024u);
  EXPECT_EQ(Rec.Calls.back().DestinationY + Rec.Calls.back().Height, 768u);
  ExpectShown(Image, 1024, 768, 0, 0, Background);
}

TEST_F(Transition, DissolveFollowsTheTableFromBlock833) {
  auto Image = RandomImage(300, 200, 22);
  RandomScreen(Fw, 23);
  auto Background = Fw.Snapshot();
  BltRecorder Rec(Fw);
  EXPECT_EQ(Ui->DissolveTransition(Image.data(), 300, 200, 100, 50), 0u);
  ASSERT_EQ(Rec.Calls.size(), 2601u);
  EXPECT_EQ(BlockOf(Rec.Calls[0], Image.data(), 300, 200, 100, 50),
            std::make_pair(832 % 51, 832 / 51));
  for (size_t I = 0; I < Rec.Calls.size(); I++) {
    int N = DissolveOrder[I] - 1;
    EXPECT_EQ(BlockOf(Rec.Calls[I], Image.data(), 300, 200, 100, 50),
              std::make_pair(N % 51, N / 51))
        << "call " << I;
  }
  ExpectShown(Image, 300, 200, 100, 50, Background);
}

TEST_F(Transition, EmptyBlocksSendNothing) {
  auto Image = RandomImage(50, 50, 24);
  auto Background = Fw.Snapshot();
  for (bool Wipe : {true, false}) {
    Fw.FillScreen(0);
    BltRecorder Rec(Fw);
    if (Wipe) {
      Ui->WipeTransition(Image.data(), 50, 50, 7, 9);
    } else {
      Ui->DissolveTransition(Image.data(), 50, 50, 7, 9);
    }
    EXPECT_EQ(Rec.Calls.size(), 2500u);  // column 50 and row 50 are empty
    for (const BltCall &C : Rec.Calls) {
      EXPECT_EQ(C.Width, 1u);
      EXPECT_EQ(C.Height, 1u);
      EXPECT_EQ(C.Status, EFI_SUCCESS);
    }
    ExpectShown(Image, 50, 50, 7, 9, Background);
  }
}

TEST_F(Transition, AnImageOverTheEdgeIsClipped) {
  auto Image = RandomImage(300, 200, 25);
  RandomScreen(Fw, 26);
  auto Background = Fw.Snapshot();
  {
    BltRecorder Rec(Fw);
    Ui->DissolveTransition(Image.data(), 300, 200, 900, 700);
    size_t Visible = 0;
    for (UINT32 Col = 0; Col < 51; Col++) {
      for (UINT32 Row = 0; Row < 51; Row++) {
        Visible += 900 + TransitionSpan(300, Col).Start < 1024 &&
                   700 + TransitionSpan(200, Row).Start < 768;
      }
    }
    EXPECT_EQ(Rec.Calls.size(), Visible);
    for (const BltCall &C : Rec.Calls) BlockOf(C, Image.data(), 300, 200, 900, 700);
  }
  ExpectShown(Image, 300, 200, 900, 700, Background);

  // Entirely off the screen, even where X + column would wrap around 32 bits.
  BltRecorder Rec(Fw);
  Ui->WipeTransition(Image.data(), 300, 200, 5000, 0);
  Ui->WipeTransition(Image.data(), 300, 200, 0xFFFFFF00u, 0xFFFFFF00u);
  Ui->DissolveTransition(Image.data(), 300, 200, 0, 768);
  EXPECT_EQ(Rec.Calls.size(), 0u);
  ExpectShown(Image, 300, 200, 900, 700, Background);
}

TEST_F(Transition, NoImageShowsNothing) {
  BltRecorder Rec(Fw);
  std::vector<ORVANE_PIXEL> Image(16);
  EXPECT_EQ(Ui->WipeTransition(nullptr, 4, 4, 0, 0), 0u);
  EXPECT_EQ(Ui->DissolveTransition(nullptr, 4, 4, 0, 0), 0u);
  EXPECT_EQ(Ui->WipeTransition(Image.data(), 0, 4, 0, 0), 0u);
  EXPECT_EQ(Ui->DissolveTransition(Image.data(), 4, 0, 0, 0), 0u);
  EXPECT_EQ(Rec.Calls.size(), 0u);
}

TEST_F(Transition, ThePauseLoopIsKept) {
  // 2601 pauses of 100000 empty iterations take tens of milliseconds on any
  // machine; a loop the compiler dropped takes microseconds.
  std::vector<ORVANE_PIXEL> Image(1);
  TransitionPauseIterations = 100000;
  auto Start = std::chrono::steady_clock::now();
  Ui->DissolveTransition(Image.data(), 1, 1, 0, 0);
  double Ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
  EXPECT_GT(Ms, 10.0);
}
