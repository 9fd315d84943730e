// The entry point when the firmware refuses to install its interfaces.
#include <gtest/gtest.h>

#include "sim/sim.h"

TEST(DriverStart, ARefusedInstallIsAnsweredAndLeavesNothingPublished) {
  for (EFI_STATUS Refusal : {EFI_OUT_OF_RESOURCES, EFI_INVALID_PARAMETER}) {
    sim::Firmware Fw;
    Fw.RefuseInstall(Refusal);
    EXPECT_EQ(Fw.StartDriver(), Refusal);
    EXPECT_EQ(Fw.InstalledCount(), 0u);
    EXPECT_EQ(Fw.Ui(), nullptr);
    EXPECT_EQ(Fw.BannerProtocol(), nullptr);
    EXPECT_EQ(Fw.LiveAllocations(), 0u);
  }
}
