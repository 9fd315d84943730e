// Captures on every kind of display: with the frame-buffer switch on or off,
// a capture shows the screen as Blt sees it. The frame buffer stands in for
// Blt only where it is linear 32-bit blue-green-red memory holding every row read.
#include <algorithm>
#include <cstring>
#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "controls/readout/digit_readout.h"
#include "controls/status/tile.h"
#include "raster/target.h"
#include "tests/fixture.h"

namespace {

struct DisplayKind {
  const char *Name;
  sim::Display Display;
  bool FrameBufferUsable;
};

void PrintTo(const DisplayKind &Kind, std::ostream *Os) { *Os << Kind.Name; }

const DisplayKind kKinds[] = {
    {"BlueGreenRed", {PixelBlueGreenRedReserved8BitPerColor, 0}, true},
    {"BlueGreenRedPadded", {PixelBlueGreenRedReserved8BitPerColor, 37}, true},
    {"RedGreenBlue", {PixelRedGreenBlueReserved8BitPerColor, 0}, false},
    {"BitMaskPadded", {PixelBitMask, 16}, false},
    {"BltOnly", {PixelBltOnly, 0}, false},
};

std::vector<uint32_t> RandomColors(size_t Count, uint32_t Seed) {
  std::mt19937 Rng(Seed);
  std::vector<uint32_t> Colors(Count);
  for (uint32_t &C : Colors) C = Rng();
  return Colors;
}

uint64_t BltReads() { return sim::Stats().BltByOperation[EfiBltVideoToBltBuffer]; }

// What a capture of (X, Y, W, H) must hold: the screen, 0 off it.
uint32_t Expected(const std::vector<uint32_t> &Screen, uint32_t SW, uint32_t SH, int64_t X,
                  int64_t Y) {
  return X >= 0 && Y >= 0 && X < SW && Y < SH ? Screen[(size_t)Y * SW + X] : 0;
}

}  // namespace

class DisplayCapture : public DriverTest,
                       public ::testing::WithParamInterface<std::tuple<DisplayKind, uint32_t>> {
 protected:
  DisplayCapture() : DriverTest(std::get<1>(GetParam())) {}

  void SetUp() override {
    DriverTest::SetUp();
    Kind = std::get<0>(GetParam());
    Fw.UseDisplay(Kind.Display);
    Screen = RandomColors((size_t)Fw.Width() * Fw.Height(), Fw.Width() + Kind.Display.ScanLinePad);
    Fw.LoadScreen(Screen);
    sim::ResetStats();
  }

  // Blt reads a capture of a visible area makes.
  uint64_t ReadsWanted(BOOLEAN Flag) const { return Flag && Kind.FrameBufferUsable ? 0 : 1; }

  DisplayKind Kind;
  std::vector<uint32_t> Screen;
};

TEST_P(DisplayCapture, CaptureUnderShowsTheScreen) {
  const uint32_t SW = Fw.Width(), SH = Fw.Height();
  const uint32_t kGuard = 16, kSentinel = 0xA5A5A5A5;
  std::mt19937 Rng(7);
  for (BOOLEAN Flag : {0, 1}) {
    Ui->SetFrameBufferCapture(Flag);
    for (int I = 0; I < 120; I++) {
      INT32 W = 1 + Rng() % 300, H = 1 + Rng() % 200;
      INT32 X = (INT32)(Rng() % (SW + 100)) - 50, Y = (INT32)(Rng() % (SH + 100)) - 50;
      if (I == 0) X = 0, Y = 0, W = SW, H = SH;          // the whole screen
      if (I == 1) X = SW - 5, Y = SH - 5, W = 9, H = 9;  // the last pixel inside
      std::vector<uint32_t> Buffer((size_t)W * H + 2 * kGuard, kSentinel);
      bool Visible = X < (INT32)SW && Y < (INT32)SH && X + W > 0 && Y + H > 0;
      uint64_t Before = BltReads();
      CaptureUnder(reinterpret_cast<ORVANE_PIXEL *>(Buffer.data() + kGuard), X, Y, W, H);
      EXPECT_EQ(BltReads() - Before, Visible ? ReadsWanted(Flag) : 0u)
          << "flag " << (int)Flag << " at " << X << "," << Y << " " << W << "x" << H;
      size_t Wrong = 0;
      for (INT32 R = 0; R < H; R++) {
        for (INT32 C = 0; C < W; C++) {
          Wrong += Buffer[kGuard + (size_t)R * W + C] != Expected(Screen, SW, SH, X + C, Y + R);
        }
      }
      for (uint32_t G = 0; G < kGuard; G++) {
        Wrong += Buffer[G] != kSentinel;
        Wrong += Buffer[Buffer.size() - 1 - G] != kSentinel;
      }
      ASSERT_EQ(Wrong, 0u) << "flag " << (int)Flag << " at " << X << "," << Y << " " << W << "x"
                           << H;
    }
  }
  EXPECT_EQ(Fw.Snapshot(), Screen);
}

TEST_P(DisplayCapture, CaptureScreenTakesTheScreenAndRestoresIt) {
  for (BOOLEAN Flag : {0, 1}) {
    Ui->SetFrameBufferCapture(Flag);
    ORVANE_PIXEL *Captured = nullptr;
    UINT32 W = 0, H = 0;
    sim::ResetStats();
    ASSERT_EQ(Ui->CaptureScreen(&Captured, &W, &H), 0u);
    ASSERT_EQ(W, Fw.Width());
    ASSERT_EQ(H, Fw.Height());
    EXPECT_EQ(BltReads(), ReadsWanted(Flag)) << "flag " << (int)Flag;
    EXPECT_EQ(std::memcmp(Captured, Screen.data(), Screen.size() * 4), 0) << "flag " << (int)Flag;
    Fw.FillScreen(0x00123456);
    EXPECT_EQ(Ui->RestoreCapturedScreen(), 0u);
    EXPECT_EQ(Fw.Snapshot(), Screen) << "flag " << (int)Flag;
    EXPECT_EQ(Ui->ReleaseCapturedScreen(), 0u);
  }
}

// The off-screen paint every control goes through, over the edge of the screen:
// the picture painted on the captured background, the rest of the screen kept.
TEST_P(DisplayCapture, OffscreenPaintShowsThePaintOverTheBackground) {
  const INT32 SW = (INT32)Fw.Width(), SH = (INT32)Fw.Height();
  const INT32 X = SW - 60, Y = SH - 30, W = 100, H = 50;
  for (BOOLEAN Flag : {0, 1}) {
    Fw.LoadScreen(Screen);
    Ui->SetFrameBufferCapture(Flag);
    sim::ResetStats();
    EXPECT_EQ(
        PaintOffscreen(X, Y, W, H, [](const DrawTarget &T) { T.Fill(10, 5, 20, 10, 0x00FEDCBA); }),
        EFI_SUCCESS);
    EXPECT_EQ(BltReads(), ReadsWanted(Flag));
    std::vector<uint32_t> Want = Screen;
    for (INT32 R = 5; R < 15; R++) {
      for (INT32 C = 10; C < 30; C++) Want[(size_t)(Y + R) * SW + X + C] = 0x00FEDCBA;
    }
    EXPECT_EQ(Fw.Snapshot(), Want) << "flag " << (int)Flag;
  }
}

// A display that refuses to be read: what the pool held before never reaches
// the screen.
TEST_F(DriverTest, ARefusedScreenReadShowsBlackNeverStalePool) {
  constexpr uint32_t kStale = 0xA5A5A5A5;
  const std::vector<uint32_t> Screen = RandomColors((size_t)1024 * 768, 5);
  Fw.LoadScreen(Screen);
  Fw.RefuseScreenReads(EFI_DEVICE_ERROR);
  Fw.FillNewPool(0xA5);
  std::vector<uint32_t> Buffer(40 * 30 + 2, kStale);
  CaptureUnder(reinterpret_cast<ORVANE_PIXEL *>(Buffer.data() + 1), 1000, 10, 40, 30);
  EXPECT_EQ(std::count(Buffer.begin() + 1, Buffer.end() - 1, 0u), 40 * 30);
  EXPECT_EQ(Buffer.front(), kStale);
  EXPECT_EQ(Buffer.back(), kStale);

  auto StaleShown = [&] {
    const std::vector<uint32_t> Now = Fw.Snapshot();
    return std::count_if(Now.begin(), Now.end(),
                         [](uint32_t P) { return (P & 0xFFFFFF) == (kStale & 0xFFFFFF); });
  };
  // A control painted over what it could not read would show a wrong
  // background: it sends nothing and answers the display's status.
  EXPECT_EQ(Ui->DrawScrollBar(100, 100, 200, 50, 10, 5, 0xFFFF), EFI_DEVICE_ERROR);
  EXPECT_EQ(Fw.Snapshot(), Screen);
  EXPECT_EQ(Fw.LiveAllocations(), 0u);

  ORVANE_PIXEL *Captured = nullptr;
  UINT32 W = 0, H = 0;
  ASSERT_EQ(Ui->CaptureScreen(&Captured, &W, &H), 0u);
  Fw.RefuseScreenReads(EFI_SUCCESS);
  ASSERT_EQ(Ui->RestoreCapturedScreen(), 0u);
  EXPECT_EQ(StaleShown(), 0);
  EXPECT_EQ(Fw.Pixel(512, 384), 0u);
  EXPECT_EQ(Ui->ReleaseCapturedScreen(), 0u);
  Fw.FillNewPool(-1);
}

// Shapes and transparent text compose on a read-back of the screen; when the
// display refuses the read they are painted run by run, to the same picture.
TEST_F(DriverTest, ShapesOnAnUnreadableScreenLookAsOnAReadableOne) {
  const std::vector<uint32_t> Screen = RandomColors((size_t)1024 * 768, 9);
  const std::function<void()> Paints[] = {
      [&] { Ui->DrawCircle(nullptr, 0, 0, 120, 120, 100, 2, 2, 0x00FF8040, 0x000040FF); },
      [&] { Ui->DrawCircle(nullptr, 0, 0, 1000, 700, 90, 3, 0, 0x00FF8040, 0); },
      [&] {
        Ui->DrawTriangle(nullptr, 0, 0, 20, 20, 219, 70, 90, 219, 1, 2, 0x00FF8040, 0x000040FF);
      },
      [&] { Ui->DrawText(0x00FFFFFF, nullptr, 1500, 900, 10, W("%s"), W("Fan duty 40%")); },
  };
  for (const auto &Paint : Paints) {
    Fw.LoadScreen(Screen);
    Paint();
    const std::vector<uint32_t> Want = Fw.Snapshot();
    Fw.LoadScreen(Screen);
    Fw.RefuseScreenReads(EFI_DEVICE_ERROR);
    Paint();
    Fw.RefuseScreenReads(EFI_SUCCESS);
    EXPECT_NE(Want, Screen);
    EXPECT_EQ(Fw.Snapshot(), Want);
  }
}

std::string DisplayCaseName(
    const ::testing::TestParamInfo<std::tuple<DisplayKind, uint32_t>> &Info) {
  static const char *kModeNames[] = {"800x600", "640x480", "1024x768", "1280x800"};
  return std::string(std::get<0>(Info.param).Name) + "_" + kModeNames[std::get<1>(Info.param)];
}

INSTANTIATE_TEST_SUITE_P(AllDisplays, DisplayCapture,
                         ::testing::Combine(::testing::ValuesIn(kKinds),
                                            ::testing::Values(0u, 2u, 3u)),
                         DisplayCaseName);

// The simulated displays really keep their pictures in the layouts they report,
// so the captures above meet what real hardware offers.
TEST(SimulatedDisplay, KeepsThePictureInTheReportedLayout) {
  sim::Firmware Fw;
  const uint32_t Color = 0x11223344;  // reserved 0x11, red 0x22, green 0x33, blue 0x44
  struct Case {
    sim::Display Display;
    uint32_t Word;
  } Cases[] = {
      {{PixelBlueGreenRedReserved8BitPerColor, 0}, 0x11223344},
      {{PixelRedGreenBlueReserved8BitPerColor, 0}, 0x11443322},
      {{PixelBitMask, 8}, 0x22334411},
      {{PixelBltOnly, 0}, 0x11223344},
  };
  for (const Case &C : Cases) {
    Fw.UseDisplay(C.Display);
    const EFI_GRAPHICS_OUTPUT_PROTOCOL_MODE *Mode = Fw.Gop()->Mode;
    uint32_t ScanLine = 1024 + C.Display.ScanLinePad;
    EXPECT_EQ(Mode->Info->PixelFormat, C.Display.Format);
    EXPECT_EQ(Mode->Info->PixelsPerScanLine, ScanLine);
    bool Published = C.Display.Format != PixelBltOnly;
    EXPECT_EQ(Mode->FrameBufferBase != 0, Published);
    EXPECT_EQ(Mode->FrameBufferSize, Published ? (UINTN)ScanLine * 768 * 4 : 0u);

    ORVANE_PIXEL P = PixelFromColor(Color);
    ASSERT_EQ(Fw.Gop()->Blt(Fw.Gop(), &P, EfiBltVideoFill, 0, 0, 3, 1, 1, 1, 0), EFI_SUCCESS);
    uint32_t Word;
    std::memcpy(&Word, Fw.FrameBuffer() + ScanLine + 3, 4);
    EXPECT_EQ(Word, C.Word) << "format " << C.Display.Format;
    ORVANE_PIXEL Back = {};
    ASSERT_EQ(Fw.Gop()->Blt(Fw.Gop(), &Back, EfiBltVideoToBltBuffer, 3, 1, 0, 0, 1, 1, 0),
              EFI_SUCCESS);
    EXPECT_EQ(ColorFromPixel(Back), Color);

    // QueryMode describes the modes the same way.
    UINTN Size = 0;
    EFI_GRAPHICS_OUTPUT_MODE_INFORMATION *Info = nullptr;
    ASSERT_EQ(Fw.Gop()->QueryMode(Fw.Gop(), 0, &Size, &Info), EFI_SUCCESS);
    EXPECT_EQ(Info->PixelFormat, C.Display.Format);
    EXPECT_EQ(Info->PixelsPerScanLine, 800 + C.Display.ScanLinePad);
    Fw.SystemTable()->BootServices->FreePool(Info);
  }
}

// Frame buffers that do not hold what a capture reads: the capture goes by Blt.
class OddFrameBuffer : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    Screen = RandomColors((size_t)1024 * 768, 21);
    Fw.LoadScreen(Screen);
    Ui->SetFrameBufferCapture(1);
  }

  // Captures (X, Y, W, H), checks the pixels, returns the Blt reads it made.
  uint64_t Capture(INT32 X, INT32 Y, INT32 W, INT32 H) {
    std::vector<uint32_t> Buffer((size_t)W * H);
    uint64_t Before = BltReads();
    CaptureUnder(reinterpret_cast<ORVANE_PIXEL *>(Buffer.data()), X, Y, W, H);
    size_t Wrong = 0;
    for (INT32 R = 0; R < H; R++) {
      for (INT32 C = 0; C < W; C++) {
        Wrong += Buffer[(size_t)R * W + C] != Expected(Screen, 1024, 768, X + C, Y + R);
      }
    }
    EXPECT_EQ(Wrong, 0u) << X << "," << Y << " " << W << "x" << H;
    return BltReads() - Before;
  }

  std::vector<uint32_t> Screen;
};

TEST_F(OddFrameBuffer, ACutShortFrameBufferServesOnlyTheRowsItHolds) {
  EFI_GRAPHICS_OUTPUT_PROTOCOL_MODE *Mode = Fw.Gop()->Mode;
  UINTN Size = Mode->FrameBufferSize;
  Mode->FrameBufferSize = (UINTN)1024 * 4 * 100 + 3000;  // 100 rows and 750 pixels
  EXPECT_EQ(Capture(0, 0, 1024, 100), 0u);
  EXPECT_EQ(Capture(0, 100, 750, 1), 0u);  // ends on the last byte
  EXPECT_EQ(Capture(0, 100, 751, 1), 1u);  // one pixel past it
  EXPECT_EQ(Capture(-10, 90, 30, 30), 1u);
  Mode->FrameBufferSize = Size;
}

TEST_F(OddFrameBuffer, NoBaseNoSizeOrAShortScanLineGoByBlt) {
  EFI_GRAPHICS_OUTPUT_PROTOCOL_MODE *Mode = Fw.Gop()->Mode;
  EFI_GRAPHICS_OUTPUT_PROTOCOL_MODE Saved = *Mode;
  EFI_GRAPHICS_OUTPUT_MODE_INFORMATION SavedInfo = *Mode->Info;
  Mode->FrameBufferBase = 0;
  EXPECT_EQ(Capture(5, 5, 40, 40), 1u);
  *Mode = Saved;
  Mode->FrameBufferSize = 0;
  EXPECT_EQ(Capture(5, 5, 40, 40), 1u);
  *Mode = Saved;
  Mode->Info->PixelsPerScanLine = 1000;  // would shear the picture
  EXPECT_EQ(Capture(5, 5, 40, 40), 1u);
  *Mode->Info = SavedInfo;
  EXPECT_EQ(Capture(5, 5, 40, 40), 0u);
}

// 800 x 600 with a 1024-pixel scan line, as a display with a fixed pitch has it:
// rows are read 1024 pixels apart, the rule the frame-buffer capture began with.
TEST(ScanLine1024, TheFrameBufferIsRead1024PixelsARow) {
  sim::Firmware Fw(0);
  ASSERT_EQ(Fw.StartDriver(), EFI_SUCCESS);
  Fw.UseDisplay({PixelBlueGreenRedReserved8BitPerColor, 224});
  ASSERT_EQ(Fw.ScanLine(), 1024u);
  std::vector<uint32_t> Screen = RandomColors((size_t)800 * 600, 3);
  Fw.LoadScreen(Screen);
  ORVANE_UI_PROTOCOL *Ui = Fw.Ui();
  Ui->SetFrameBufferCapture(1);
  ORVANE_PIXEL *Captured = nullptr;
  UINT32 W = 0, H = 0;
  sim::ResetStats();
  ASSERT_EQ(Ui->CaptureScreen(&Captured, &W, &H), 0u);
  EXPECT_EQ(BltReads(), 0u);
  const ORVANE_PIXEL *Frame = Fw.FrameBuffer();
  size_t Wrong = 0;
  for (size_t Y = 0; Y < 600; Y++) {
    for (size_t X = 0; X < 800; X++) {
      Wrong += ColorFromPixel(Captured[Y * 800 + X]) != ColorFromPixel(Frame[Y * 1024 + X]);
    }
  }
  EXPECT_EQ(Wrong, 0u);
  EXPECT_EQ(std::memcmp(Captured, Screen.data(), Screen.size() * 4), 0);
  Ui->ReleaseCapturedScreen();
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
}

// A control that keeps what lies under it: the digit readout captures its
// background when it is set up and paints over it later. Over the screen's
// right edge, on every display and with the switch on or off, it keeps the
// screen under it and shows the picture it shows on the plain display.
class ControlCapture : public DriverTest {
 protected:
  // Screen loaded on every display, the switch off and on, and then Draw(Kind,
  // Flag): the screen must end as on the plain display with the switch off,
  // which is returned.
  template <typename DrawFn>
  std::vector<uint32_t> SameOnEveryDisplay(const std::vector<uint32_t> &Screen, DrawFn &&Draw) {
    auto Show = [&](const DisplayKind &Kind, BOOLEAN Flag) {
      Fw.UseDisplay(Kind.Display);
      Fw.LoadScreen(Screen);
      Ui->SetFrameBufferCapture(Flag);
      Draw(Kind, Flag);
      return Fw.Snapshot();
    };
    const std::vector<uint32_t> Plain = Show(kKinds[0], 0);
    for (const DisplayKind &Kind : kKinds) {
      for (BOOLEAN Flag : {0, 1}) {
        EXPECT_EQ(Show(Kind, Flag), Plain) << Kind.Name << " flag " << (int)Flag;
      }
    }
    return Plain;
  }
};

TEST_F(ControlCapture, TheDigitReadoutLooksTheSameOnEveryDisplay) {
  const std::vector<uint32_t> Screen = RandomColors((size_t)1024 * 768, 5);
  const std::vector<uint32_t> Plain =
      SameOnEveryDisplay(Screen, [&](const DisplayKind &Kind, BOOLEAN Flag) {
        CHAR16 Text[] = {u'1', u'2', u':', u'3', u'4', 0};
        DigitReadout R = {};
        EXPECT_EQ(Ui->InitDigitReadout(&R, 960, 700, Text, 0, 1), EFI_SUCCESS);
        size_t Wrong = R.background == nullptr ? 1 : 0;
        for (INT32 Y = 0; Y < R.height && Wrong == 0; Y++) {
          for (INT32 X = 0; X < R.width; X++) {
            Wrong += ColorFromPixel(R.background[(size_t)Y * R.width + X]) !=
                     Expected(Screen, 1024, 768, 960 + X, 700 + Y);
          }
        }
        EXPECT_EQ(Wrong, 0u) << Kind.Name << " flag " << (int)Flag;
        EXPECT_GT(960 + R.width, 1024) << "the readout should reach over the edge";
        Fw.FillScreen(0x00FFFFFF);  // the paint must bring back the background it kept
        EXPECT_EQ(Ui->PaintDigitReadout(&R), EFI_SUCCESS);
        EFI_BOOT_SERVICES *Bs = Fw.SystemTable()->BootServices;
        if (R.text != Text) Bs->FreePool(R.text);
        Bs->FreePool(R.background);
      });
  EXPECT_NE(Plain[(size_t)710 * 1024 + 970], 0x00FFFFFFu);
}

// A control painted over what it captures at paint time: a tile's rounded
// corners let the screen through.
TEST_F(ControlCapture, TheTileLooksTheSameOnEveryDisplay) {
  const std::vector<uint32_t> Screen = RandomColors((size_t)1024 * 768, 6);
  const std::vector<uint32_t> Plain = SameOnEveryDisplay(Screen, [&](const DisplayKind &, BOOLEAN) {
    EXPECT_EQ(Ui->DrawTile(980, 720, 80, 60, 1), 0u);
  });
  size_t Kept = 0, Painted = 0;
  for (size_t Y = 720; Y < 768; Y++) {
    for (size_t X = 980; X < 1024; X++) {
      (Plain[Y * 1024 + X] == Screen[Y * 1024 + X] ? Kept : Painted)++;
    }
  }
  EXPECT_GT(Kept, 0u);
  EXPECT_GT(Painted, Kept);
}
