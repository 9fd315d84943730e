#include "driver/operations.h"
#include "controls/popup/setting_row.h"
#include "controls/readout/digit_readout.h"
#include "controls/status/divider.h"
#include "controls/status/gauge_panel.h"
#include "controls/status/progress_bar.h"
#include "controls/status/scroll_bar.h"
#include "controls/status/tile.h"
#include "platform/services.h"
#include "raster/screen.h"
#include "raster/shapes.h"
#include "raster/line.h"
#include "raster/pen.h"
#include "raster/target.h"
#include "text/text.h"

constinit EFI_GUID gOrvaneUiProtocolGuid = ORVANE_UI_PROTOCOL_GUID;
constinit EFI_GUID gOrvaneBannerProtocolGuid = ORVANE_BANNER_PROTOCOL_GUID;

namespace {
constinit EFI_GUID FloatMathGuid = FLOAT_MATH_PROTOCOL_GUID;
constinit EFI_GUID GraphicsGuid = EFI_GRAPHICS_OUTPUT_PROTOCOL_GUID;
constinit EFI_GUID FontGuid = EFI_HII_FONT_PROTOCOL_GUID;
constinit EFI_GUID PrintGuid = EFI_PRINT_PROTOCOL_GUID;

constexpr ORVANE_PENDING_OPERATION Pending = UnsupportedOperation;
}  // namespace

// Filled in full at build time; the entry point only adds the image handle.
constinit ORVANE_UI_PROTOCOL gOrvaneUi = {
    nullptr,
    OpenListPopup,
    PaintListPopup,
    ScrollListPopup,
    HitTestListPopup,
    CloseListPopup,
    GetListPopupView,
    DrawGaugePanel,
    InitMessageBox,
    HitTestMessageBox,
    PaintMessageBox,
    DrawDividerStrip,
    DrawScrollBar,
    HitTestScrollBar,
    DrawTile,
    DrawProgressBar,
    DrawDottedRule,
    Pending, Pending, Pending,                                              // 17-19
    InitSettingRow,
    PaintSettingRow,
    TrackSettingSlider,
    InitDigitReadout,
    PaintDigitReadout,
    Pending, Pending, Pending, Pending, Pending, Pending, Pending, Pending,  // 25-32
    StringLength,
    SetFrameBufferCapture,
    SetVideoMode,
    DrawPoint,
    DrawLine,
    DrawCircle,
    DrawRectangle,
    DrawTriangle,
    DrawRegularPolygon,
    BlitToScreen,
    ClearBuffer,
    DrawText,
    RenderText,
    CaptureScreen,
    DimCapturedScreen,
    RestoreCapturedScreen,
    ReleaseCapturedScreen,
    WipeTransition,
    DissolveTransition,
};

constinit ORVANE_BANNER_PROTOCOL gOrvaneBanner = {Banner};

// gnu-efi's crt0 calls this with the System V convention.
extern "C" EFI_STATUS efi_main(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  InitializeLib(ImageHandle, SystemTable);
  gBootServices = SystemTable->BootServices;

  struct Binding {
    EFI_GUID *Guid;
    void **Interface;
  };
  const Binding Services[] = {
      {&FloatMathGuid, (void **)&gFloat},
      {&GraphicsGuid, (void **)&gGraphics},
      {&FontGuid, (void **)&gFont},
      {&PrintGuid, (void **)&gPrint},
  };
  for (const Binding &B : Services) {
    EFI_STATUS Status = gBootServices->LocateProtocol(B.Guid, nullptr, B.Interface);
    if (Status != EFI_SUCCESS) {
      return Status;
    }
  }

  gOrvaneUi.ImageHandle = ImageHandle;
  gBootServices->InstallMultipleProtocolInterfaces(&gOrvaneUi.ImageHandle,
                                                   &gOrvaneUiProtocolGuid, &gOrvaneUi,
                                                   &gOrvaneBannerProtocolGuid, &gOrvaneBanner,
                                                   nullptr);
  return EFI_SUCCESS;
}
