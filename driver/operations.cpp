#include "driver/operations.h"

#include "controls/popup/input_dialog.h"
#include "controls/popup/list_popup.h"
#include "controls/popup/option_popup.h"
#include "controls/popup/setting_row.h"
#include "controls/readout/digit_readout.h"
#include "controls/readout/icon_dock.h"
#include "controls/status/divider.h"
#include "controls/status/gauge_panel.h"
#include "controls/status/message_box.h"
#include "controls/status/progress_bar.h"
#include "controls/status/scroll_bar.h"
#include "controls/status/tile.h"
#include "platform/services.h"
#include "raster/line.h"
#include "raster/pen.h"
#include "raster/screen.h"
#include "raster/shapes.h"
#include "raster/target.h"
#include "text/text.h"

UINT32 EFIAPI StringLength(const CHAR16 *String) { return TextLength(String); }

BOOLEAN EFIAPI SetFrameBufferCapture(BOOLEAN Enable) {
  FrameBufferCapture = Enable;
  return FrameBufferCapture;
}

EFI_STATUS EFIAPI SetVideoMode(UINT32 HorizontalResolution, UINT32 VerticalResolution) {
  if (gGraphics == nullptr) {
    return EFI_UNSUPPORTED;
  }
  for (UINT32 Mode = 0; Mode < gGraphics->Mode->MaxMode; Mode++) {
    EFI_GRAPHICS_OUTPUT_MODE_INFORMATION *Info = nullptr;
    UINTN InfoSize = 0;
    EFI_STATUS Status = gGraphics->QueryMode(gGraphics, Mode, &InfoSize, &Info);
    if (Status != EFI_SUCCESS) {
      continue;
    }
    // The firmware allocated Info for us; hand it back before deciding.
    // A success without a record describes no mode.
    bool Match = InfoSize != 0 && Info != nullptr &&
                 Info->HorizontalResolution == HorizontalResolution &&
                 Info->VerticalResolution == VerticalResolution;
    PoolFree(Info);
    if (Match) {
      return gGraphics->SetMode(gGraphics, Mode);
    }
  }
  return EFI_UNSUPPORTED;
}

// Filled in full at build time; the entry point only adds the image handle.
constinit ORVANE_UI_PROTOCOL gOrvaneUi = {
    .ImageHandle = nullptr,
    .OpenListPopup = OpenListPopup,                  // 1
    .PaintListPopup = PaintListPopup,                // 2
    .ScrollListPopup = ScrollListPopup,              // 3
    .HitTestListPopup = HitTestListPopup,            // 4
    .CloseListPopup = CloseListPopup,                // 5
    .GetListPopupView = GetListPopupView,            // 6
    .DrawGaugePanel = DrawGaugePanel,                // 7
    .InitMessageBox = InitMessageBox,                // 8
    .HitTestMessageBox = HitTestMessageBox,          // 9
    .PaintMessageBox = PaintMessageBox,              // 10
    .DrawDividerStrip = DrawDividerStrip,            // 11
    .DrawScrollBar = DrawScrollBar,                  // 12
    .HitTestScrollBar = HitTestScrollBar,            // 13
    .DrawTile = DrawTile,                            // 14
    .DrawProgressBar = DrawProgressBar,              // 15
    .DrawDottedRule = DrawDottedRule,                // 16
    .InitInputDialog = InitInputDialog,              // 17
    .HitTestInputDialog = HitTestInputDialog,        // 18
    .PaintInputDialog = PaintInputDialog,            // 19
    .InitSettingRow = InitSettingRow,                // 20
    .PaintSettingRow = PaintSettingRow,              // 21
    .TrackSettingSlider = TrackSettingSlider,        // 22
    .InitDigitReadout = InitDigitReadout,            // 23
    .PaintDigitReadout = PaintDigitReadout,          // 24
    .InitIconDock = InitIconDock,                    // 25
    .TrackIconDock = TrackIconDock,                  // 26
    .PaintIconDock = PaintIconDock,                  // 27
    .ResetOptionPopups = ResetOptionPopups,          // 28
    .DefineOptionPopup = DefineOptionPopup,          // 29
    .TrackOptionPopup = TrackOptionPopup,            // 30
    .PaintOptionPopup = PaintOptionPopup,            // 31
    .CloseOptionPopup = CloseOptionPopup,            // 32
    .StringLength = StringLength,                    // 33
    .SetFrameBufferCapture = SetFrameBufferCapture,  // 34
    .SetVideoMode = SetVideoMode,                    // 35
    .DrawPoint = DrawPoint,                          // 36
    .DrawLine = DrawLine,                            // 37
    .DrawCircle = DrawCircle,                        // 38
    .DrawRectangle = DrawRectangle,                  // 39
    .DrawTriangle = DrawTriangle,                    // 40
    .DrawRegularPolygon = DrawRegularPolygon,        // 41
    .BlitToScreen = BlitToScreen,                    // 42
    .ClearBuffer = ClearBuffer,                      // 43
    .DrawText = DrawText,                            // 44
    .RenderText = RenderText,                        // 45
    .CaptureScreen = CaptureScreen,                  // 46
    .DimCapturedScreen = DimCapturedScreen,          // 47
    .RestoreCapturedScreen = RestoreCapturedScreen,  // 48
    .ReleaseCapturedScreen = ReleaseCapturedScreen,  // 49
    .WipeTransition = WipeTransition,                // 50
    .DissolveTransition = DissolveTransition,        // 51
};

constinit ORVANE_BANNER_PROTOCOL gOrvaneBanner = {.Banner = Banner};
