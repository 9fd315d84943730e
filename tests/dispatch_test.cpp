// Start-up in dispatch order: the driver starts before the platform has a
// display or a font, and every operation finds them once they appear.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "frontend/usb_connect.h"
#include "platform/guids.h"
#include "shim/usb_tablet.h"
#include "sim/sim.h"

namespace {

constexpr UINTN kUnsupported = EFI_UNSUPPORTED;

// What an operation answers at each stage: neither service, the font alone, both.
struct Case {
  const char *Name;
  std::function<UINTN(ORVANE_UI_PROTOCOL *, ORVANE_PIXEL *)> Call;
  UINTN Answers[3];
  bool DrawsOnScreen;  // once the display is there
};

TEST(Dispatch, OperationsFindTheDisplayAndTheFontWhenTheyAppear) {
  const Case Cases[] = {
      {"rectangle on the screen",
       [](ORVANE_UI_PROTOCOL *Ui, ORVANE_PIXEL *) {
         return Ui->DrawRectangle(nullptr, 0, 0, 10, 10, 20, 20, 1, 1, 0x00FF0000, 0x0000FF00);
       },
       {kUnsupported, kUnsupported, 0},
       true},
      {"rectangle in a buffer",
       [](ORVANE_UI_PROTOCOL *Ui, ORVANE_PIXEL *B) {
         return Ui->DrawRectangle(B, 16, 16, 2, 2, 8, 8, 1, 1, 0x00FF0000, 0x0000FF00);
       },
       {0, 0, 0},
       false},
      {"line on the screen",
       [](ORVANE_UI_PROTOCOL *Ui, ORVANE_PIXEL *) {
         return Ui->DrawLine(nullptr, 0, 0, 5, 5, 60, 40, 1, 0x00FFFFFF);
       },
       {kUnsupported, kUnsupported, 0},
       true},
      {"buffer to the screen",
       [](ORVANE_UI_PROTOCOL *Ui, ORVANE_PIXEL *B) {
         return Ui->BlitToScreen(B, 16, 16, 100, 100);
       },
       {kUnsupported, kUnsupported, 0},
       true},
      {"tile",
       [](ORVANE_UI_PROTOCOL *Ui, ORVANE_PIXEL *) { return Ui->DrawTile(200, 200, 80, 60, 1); },
       {kUnsupported, kUnsupported, 0},
       true},
      {"screen capture",
       [](ORVANE_UI_PROTOCOL *Ui, ORVANE_PIXEL *) {
         ORVANE_PIXEL *Shot = nullptr;
         UINT32 W = 0, H = 0;
         const UINTN Code = Ui->CaptureScreen(&Shot, &W, &H);
         Ui->ReleaseCapturedScreen();
         return Code;
       },
       {kUnsupported, kUnsupported, 0},
       false},
      {"video mode",
       [](ORVANE_UI_PROTOCOL *Ui, ORVANE_PIXEL *) { return Ui->SetVideoMode(1024, 768); },
       {kUnsupported, kUnsupported, 0},
       false},
      {"opaque text",
       [](ORVANE_UI_PROTOCOL *Ui, ORVANE_PIXEL *B) {
         return Ui->DrawText(0x00FFFFFF, B, 1000, 300, 300, W("Boot"));
       },
       {4, 4, 0},
       true},
      {"rendered text",
       [](ORVANE_UI_PROTOCOL *Ui, ORVANE_PIXEL *) {
         TextImage T = {0x00FFFFFF, 0, 0, 0, nullptr};
         const UINTN Code = Ui->RenderText(1000, &T, W("Boot"));
         if (T.Bitmap != nullptr) FreePool(T.Bitmap);
         return Code;
       },
       {4, 0, 0},
       false},
  };

  sim::Firmware Fw;
  Fw.Withhold(gEfiGraphicsOutputProtocolGuid);
  Fw.Withhold(gHiiFontProtocolGuid);
  ASSERT_EQ(Fw.StartDriver(), EFI_SUCCESS) << "float and print are all the entry needs";
  ORVANE_UI_PROTOCOL *Ui = Fw.Ui();
  ASSERT_NE(Ui, nullptr);

  for (int Stage = 0; Stage < 3; Stage++) {
    if (Stage == 1) Fw.Publish(gHiiFontProtocolGuid);
    if (Stage == 2) Fw.Publish(gEfiGraphicsOutputProtocolGuid);
    for (const Case &C : Cases) {
      SCOPED_TRACE(testing::Message() << C.Name << ", stage " << Stage);
      std::vector<uint32_t> Buffer(16 * 16, 0x00123456);
      Fw.FillScreen(0);
      sim::ResetStats();
      const UINTN Code = C.Call(Ui, reinterpret_cast<ORVANE_PIXEL *>(Buffer.data()));
      EXPECT_EQ(Code, C.Answers[Stage]);
      if (Stage < 2) {
        EXPECT_EQ(sim::Stats().BltCalls, 0u) << "no display, no transfer";
      }
      const std::vector<uint32_t> Screen = Fw.Snapshot();
      const bool Drawn = std::any_of(Screen.begin(), Screen.end(), [](uint32_t P) { return P; });
      EXPECT_EQ(Drawn, Stage == 2 && C.DrawsOnScreen);
      EXPECT_EQ(Fw.LiveAllocations(), 0u);
    }
  }
}

// The banner has no status to give: without a display it draws nothing.
TEST(Dispatch, BannerDrawsOnceTheDisplayAppears) {
  sim::Firmware Fw;
  Fw.Withhold(gEfiGraphicsOutputProtocolGuid);
  ASSERT_EQ(Fw.StartDriver(), EFI_SUCCESS);
  Fw.FillScreen(0);
  for (bool Display : {false, true}) {
    if (Display) Fw.Publish(gEfiGraphicsOutputProtocolGuid);
    sim::ResetStats();
    EXPECT_EQ(Fw.BannerProtocol()->Banner(nullptr), nullptr);
    EXPECT_EQ(sim::Stats().BltCalls > 0, Display);
    const std::vector<uint32_t> Screen = Fw.Snapshot();
    EXPECT_EQ(std::any_of(Screen.begin(), Screen.end(), [](uint32_t P) { return P; }), Display);
  }
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
}

// The absolute pointer on Handle, or NULL.
EFI_ABSOLUTE_POINTER_PROTOCOL *PointerOn(EFI_BOOT_SERVICES *Bs, EFI_HANDLE Handle) {
  void *P = nullptr;
  return Bs->HandleProtocol(Handle, &AbsolutePointerProtocol, &P) == EFI_SUCCESS
             ? static_cast<EFI_ABSOLUTE_POINTER_PROTOCOL *>(P)
             : nullptr;
}

// The firmware volume's order: the shim with no USB device yet, the toolkit
// with no display, then USB functions appear and are connected, the display
// comes, and a tablet is unplugged and plugged again.
TEST(Dispatch, ShimAndToolkitStartBeforeTheirDevices) {
  sim::Firmware Fw;
  EFI_BOOT_SERVICES *Bs = Fw.SystemTable()->BootServices;
  for (EFI_GUID *G : {&gFloatMathProtocolGuid, &gPrintProtocolGuid, &gEfiGraphicsOutputProtocolGuid,
                      &gHiiFontProtocolGuid}) {
    Fw.Withhold(*G);
  }
  EXPECT_EQ(Fw.StartDriver(), EFI_NOT_FOUND) << "the toolkit waits for the shim's services";
  EXPECT_EQ(Fw.Ui(), nullptr);
  ASSERT_EQ(Fw.StartShim(), EFI_SUCCESS) << "no USB device is needed";
  void *Binding = nullptr;
  EXPECT_EQ(Bs->HandleProtocol(Fw.ShimHandle(), &gEfiDriverBindingProtocolGuid, &Binding),
            EFI_SUCCESS);
  ASSERT_EQ(Fw.StartDriver(), EFI_SUCCESS);
  ORVANE_UI_PROTOCOL *Ui = Fw.Ui();
  ASSERT_NE(Ui, nullptr);
  EXPECT_EQ(Ui->DrawTile(10, 10, 50, 40, 0), kUnsupported);
  EXPECT_EQ(ConnectUsbFunctions(Bs), 0u);

  const EFI_HANDLE Keyboard = Fw.AddUsbFunction(kTabletVendor, 0x0002, kHidClass);
  const EFI_HANDLE Tablets[] = {Fw.AddUsbFunction(kTabletVendor, kTabletProduct, kHidClass),
                                Fw.AddUsbFunction(kTabletVendor, kTabletProduct, kHidClass)};
  EXPECT_EQ(PointerOn(Bs, Tablets[0]), nullptr) << "nothing attaches before a connect";
  EXPECT_EQ(ConnectUsbFunctions(Bs), 3u);
  EXPECT_EQ(PointerOn(Bs, Keyboard), nullptr);
  EXPECT_FALSE(Fw.UsbPolled(Keyboard));
  for (EFI_HANDLE T : Tablets) {
    ASSERT_NE(PointerOn(Bs, T), nullptr);
    EXPECT_TRUE(Fw.UsbPolled(T));
  }
  EXPECT_EQ(ConnectUsbFunctions(Bs), 3u) << "connecting again changes nothing";
  EXPECT_EQ(Fw.OpenEvents(), 2u);
  const size_t Records = Fw.LiveAllocations();

  // Each tablet reports to its own pointer.
  EXPECT_TRUE(Fw.UsbReport(Tablets[1], {0x01, 0x34, 0x12, 0xCD, 0x0A, 0x00}));
  EFI_ABSOLUTE_POINTER_STATE S = {};
  EFI_ABSOLUTE_POINTER_PROTOCOL *P0 = PointerOn(Bs, Tablets[0]), *P1 = PointerOn(Bs, Tablets[1]);
  EXPECT_EQ(P0->GetState(P0, &S), EFI_NOT_READY);
  ASSERT_EQ(P1->GetState(P1, &S), EFI_SUCCESS);
  EXPECT_EQ(S.CurrentX, 0x1234u);
  EXPECT_EQ(S.CurrentY, 0x0ACDu);
  EXPECT_EQ(S.ActiveButtons, (UINT32)EFI_ABSP_TouchActive);

  Fw.Publish(gHiiFontProtocolGuid);
  Fw.Publish(gEfiGraphicsOutputProtocolGuid);
  EXPECT_EQ(Ui->DrawTile(10, 10, 50, 40, 0), 0u);

  // Unplugged: the driver stops, and frees its record, event and transfer.
  for (int Round = 0; Round < 2; Round++) {
    EXPECT_EQ(Bs->DisconnectController(Tablets[0], nullptr, nullptr), EFI_SUCCESS);
    EXPECT_EQ(PointerOn(Bs, Tablets[0]), nullptr);
    EXPECT_FALSE(Fw.UsbPolled(Tablets[0]));
    EXPECT_FALSE(Fw.UsbReport(Tablets[0], {0x00, 0x01, 0x00, 0x01, 0x00, 0x00}));
    EXPECT_EQ(Fw.OpenEvents(), 1u);
    EXPECT_EQ(Fw.LiveAllocations(), Records - 1);
    EXPECT_EQ(Bs->ConnectController(Tablets[0], nullptr, nullptr, FALSE), EFI_SUCCESS);
    EXPECT_NE(PointerOn(Bs, Tablets[0]), nullptr);
    EXPECT_EQ(Fw.LiveAllocations(), Records);
  }
  for (EFI_HANDLE T : Tablets) Bs->DisconnectController(T, nullptr, nullptr);
  EXPECT_EQ(Fw.OpenEvents(), 0u);
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
}

}  // namespace
