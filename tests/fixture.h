// A running driver inside a fresh simulated firmware, for each test.
// TearDown checks that the test left no pool allocation behind.
#pragma once
#include <gtest/gtest.h>

#include <vector>

#include "driver/protocol.h"
#include "sim/sim.h"

class DriverTest : public ::testing::Test {
 protected:
  explicit DriverTest(uint32_t StartMode = 2) : Fw(StartMode) {}

  void SetUp() override {
    ASSERT_EQ(Fw.StartDriver(), EFI_SUCCESS);
    Ui = Fw.Ui();
    ASSERT_NE(Ui, nullptr);
    Fw.FillScreen(0);
    sim::ResetStats();
  }

  void TearDown() override {
    Fw.FailAllocation(-1);
    Ui->ReleaseCapturedScreen();
    Ui->SetFrameBufferCapture(0);
    EXPECT_EQ(Fw.LiveAllocations(), 0u) << "pool allocations left behind";
    EXPECT_EQ(Fw.WrongPoolTypeCount(), 0u);
  }

  // The screen's W x H pixels at (X, Y), row by row, each masked with Mask.
  std::vector<uint32_t> ScreenRect(int X, int Y, int W, int H, uint32_t Mask = 0xFFFFFFFFu) const {
    std::vector<uint32_t> Out;
    for (int J = Y; J < Y + H; J++)
      for (int I = X; I < X + W; I++) Out.push_back(Fw.Pixel(I, J) & Mask);
    return Out;
  }

  // The screen after Draw() on a screen filled with Background.
  template <typename DrawFn>
  std::vector<uint32_t> OnScreen(uint32_t Background, DrawFn &&Draw) {
    Fw.FillScreen(Background);
    Draw();
    return Fw.Snapshot();
  }

  sim::Firmware Fw;
  ORVANE_UI_PROTOCOL *Ui = nullptr;
};

// The same, started in video mode Mode.
template <uint32_t Mode>
class DriverTestInMode : public DriverTest {
 protected:
  DriverTestInMode() : DriverTest(Mode) {}
};
