// The C front-end (c_frontend.c, compiled as C11) against the simulated firmware.
#include "tests/fixture.h"

extern "C" {
extern const UINTN CFrontendRecordSizes[8];
int CFrontendRun(ORVANE_UI_PROTOCOL *Ui, ORVANE_BANNER_PROTOCOL *Banner,
                 EFI_GRAPHICS_OUTPUT_PROTOCOL *Gop, EFI_BOOT_SERVICES *Bs);
}

namespace {

using CFrontend = DriverTest;

TEST_F(CFrontend, RecordsHaveTheSameSizeInCAndCxx) {
  const UINTN Cxx[8] = {sizeof(ORVANE_UI_PROTOCOL), sizeof(ListPopup),     sizeof(InputDialog),
                        sizeof(SettingRow),         sizeof(DigitReadout),  sizeof(IconDock),
                        sizeof(MessageBox),         sizeof(OptionPopupSet)};
  for (int I = 0; I < 8; I++) EXPECT_EQ(CFrontendRecordSizes[I], Cxx[I]) << "record " << I;
}

TEST_F(CFrontend, DrivesTheInterfaceAndLeavesNothingAllocated) {
  EXPECT_EQ(CFrontendRun(Ui, Fw.BannerProtocol(), Fw.Gop(), Fw.SystemTable()->BootServices), 0);
  // The popup painted its title band: the screen under it is no longer black.
  EXPECT_NE(Fw.Pixel(600, 230), 0u);
}

}  // namespace
