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
  EFI_GRAPHICS_OUTPUT_PROTOCOL *Gop = Graphics();
  if (Gop == nullptr) {
    return EFI_UNSUPPORTED;
  }
  for (UINT32 Mode = 0; Mode < Gop->Mode->MaxMode; Mode++) {
    EFI_GRAPHICS_OUTPUT_MODE_INFORMATION *Info = nullptr;
    UINTN InfoSize = 0;
    EFI_STATUS Status = Gop->QueryMode(Gop, Mode, &InfoSize, &Info);
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
      return Gop->SetMode(Gop, Mode);
    }
  }
  return EFI_UNSUPPORTED;
}

// Filled in full at build time; the entry point only adds the image handle.
constinit ORVANE_UI_PROTOCOL gOrvaneUi = {
    .ImageHandle = nullptr,
    .OpenListPopup = OpenListPopup,                                           // 1
    .PaintListPopup = NeedsScreen<PaintListPopup>::Call,                      // 2
    .ScrollListPopup = ScrollListPopup,                                       // 3
    .HitTestListPopup = HitTestListPopup,                                     // 4
    .CloseListPopup = CloseListPopup,                                         // 5
    .GetListPopupView = GetListPopupView,                                     // 6
    .DrawGaugePanel = NeedsScreen<DrawGaugePanel>::Call,                      // 7
    .InitMessageBox = InitMessageBox,                                         // 8
    .HitTestMessageBox = HitTestMessageBox,                                   // 9
    .PaintMessageBox = NeedsScreen<PaintMessageBox>::Call,                    // 10
    .DrawDividerStrip = NeedsScreen<DrawDividerStrip>::Call,                  // 11
    .DrawScrollBar = NeedsScreen<DrawScrollBar>::Call,                        // 12
    .HitTestScrollBar = HitTestScrollBar,                                     // 13
    .DrawTile = NeedsScreen<DrawTile>::Call,                                  // 14
    .DrawProgressBar = DrawProgressBar,                                       // 15
    .DrawDottedRule = NeedsScreen<DrawDottedRule>::Call,                      // 16
    .InitInputDialog = InitInputDialog,                                       // 17
    .HitTestInputDialog = HitTestInputDialog,                                 // 18
    .PaintInputDialog = NeedsScreen<PaintInputDialog>::Call,                  // 19
    .InitSettingRow = InitSettingRow,                                         // 20
    .PaintSettingRow = NeedsScreen<PaintSettingRow>::Call,                    // 21
    .TrackSettingSlider = TrackSettingSlider,                                 // 22
    .InitDigitReadout = InitDigitReadout,                                     // 23
    .PaintDigitReadout = NeedsScreen<PaintDigitReadout>::Call,                // 24
    .InitIconDock = InitIconDock,                                             // 25
    .TrackIconDock = TrackIconDock,                                           // 26
    .PaintIconDock = NeedsScreen<PaintIconDock>::Call,                        // 27
    .ResetOptionPopups = ResetOptionPopups,                                   // 28
    .DefineOptionPopup = DefineOptionPopup,                                   // 29
    .TrackOptionPopup = TrackOptionPopup,                                     // 30
    .PaintOptionPopup = NeedsScreen<PaintOptionPopup>::Call,                  // 31
    .CloseOptionPopup = CloseOptionPopup,                                     // 32
    .StringLength = StringLength,                                             // 33
    .SetFrameBufferCapture = SetFrameBufferCapture,                           // 34
    .SetVideoMode = SetVideoMode,                                             // 35
    .DrawPoint = NeedsScreenUnlessBuffer<DrawPoint>::Call,                    // 36
    .DrawLine = NeedsScreenUnlessBuffer<DrawLine>::Call,                      // 37
    .DrawCircle = NeedsScreenUnlessBuffer<DrawCircle>::Call,                  // 38
    .DrawRectangle = NeedsScreenUnlessBuffer<DrawRectangle>::Call,            // 39
    .DrawTriangle = NeedsScreenUnlessBuffer<DrawTriangle>::Call,              // 40
    .DrawRegularPolygon = NeedsScreenUnlessBuffer<DrawRegularPolygon>::Call,  // 41
    .BlitToScreen = NeedsScreen<BlitToScreen>::Call,                          // 42
    .ClearBuffer = ClearBuffer,                                               // 43
    .DrawText = DrawText,                                                     // 44
    .RenderText = RenderText,                                                 // 45
    .CaptureScreen = NeedsScreen<CaptureScreen>::Call,                        // 46
    .DimCapturedScreen = NeedsScreen<DimCapturedScreen>::Call,                // 47
    .RestoreCapturedScreen = NeedsScreen<RestoreCapturedScreen>::Call,        // 48
    .ReleaseCapturedScreen = ReleaseCapturedScreen,                           // 49
    .WipeTransition = NeedsScreen<WipeTransition>::Call,                      // 50
    .DissolveTransition = NeedsScreen<DissolveTransition>::Call,              // 51
};

constinit ORVANE_BANNER_PROTOCOL gOrvaneBanner = {.Banner = Banner};
