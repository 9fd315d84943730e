// The two published interfaces. The slot order is the interface: the
// front-end calls each operation by its position.
//
// The driver needs only the float and print services to start. It looks for
// graphics output and the HII font when a call first needs them, so it may be
// dispatched before the console's display exists. Until the platform offers a
// graphics output, the slots that always draw on the screen (2, 7, 10 to 12,
// 14, 16, 19, 21, 24, 27, 31, 42, 46 to 51, and 36 to 41 when given no buffer)
// answer EFI_UNSUPPORTED and draw and keep nothing; SetVideoMode answers
// EFI_UNSUPPORTED and DrawText 4 as they do for a missing service; operations
// that repaint on the way (tracking, a capturing InitDigitReadout) and Banner
// without a buffer draw nothing. Operations on caller buffers, measuring and
// hit tests do not need a display. Text needs the font (code 4 without it).
#pragma once
#include "controls/readout/icon_dock.h"
#include "platform/types.h"
#include "controls/popup/list_popup.h"
#include "controls/popup/input_dialog.h"
#include "controls/popup/setting_row.h"
#include "controls/readout/digit_readout.h"
#include "controls/status/message_box.h"
#include "controls/popup/option_popup.h"

#define ORVANE_UI_PROTOCOL_GUID                                                    \
  {                                                                                \
    0xdc113a49, 0xa77e, 0x49f9, { 0x8d, 0x09, 0x9d, 0xbf, 0x77, 0x6c, 0x67, 0x11 } \
  }
#define ORVANE_BANNER_PROTOCOL_GUID                                                \
  {                                                                                \
    0x1b3f371e, 0x864e, 0x451a, { 0x9f, 0x27, 0xc1, 0x9d, 0xd9, 0xde, 0xe2, 0xbc } \
  }
// The two GUIDs as variables, defined once in driver/guids.cpp.
extern EFI_GUID gOrvaneUiProtocolGuid;
extern EFI_GUID gOrvaneBannerProtocolGuid;

typedef UINTN(EFIAPI *ORVANE_OPEN_LIST_POPUP)(ListPopup *Popup, INT32 X, INT32 Y, UINT32 Width,
                                              INT32 Height, const CHAR16 *Title, UINT16 Flags,
                                              UINT16 ItemCount, const CHAR16 *const *Items,
                                              INT16 HotRow);
typedef UINTN(EFIAPI *ORVANE_PAINT_LIST_POPUP)(ListPopup *Popup);
typedef UINTN(EFIAPI *ORVANE_SCROLL_LIST_POPUP)(ListPopup *Popup, INT16 ScrollPart, INT32 Delta);
typedef UINTN(EFIAPI *ORVANE_HIT_TEST_LIST_POPUP)(ListPopup *Popup, INT32 PointerX, INT32 PointerY,
                                                  INT16 Kind);
typedef UINTN(EFIAPI *ORVANE_CLOSE_LIST_POPUP)(ListPopup *Popup);
typedef UINTN(EFIAPI *ORVANE_GET_LIST_POPUP_VIEW)(ListPopup *Popup, ListPopupView *View);

typedef UINTN(EFIAPI *ORVANE_DRAW_GAUGE_PANEL)(INT32 X, INT32 Y, INT32 Width, INT32 Height,
                                               const CHAR16 *Label1, const CHAR16 *Label2,
                                               const CHAR16 *Label3, const CHAR16 *Label4,
                                               INT32 Value1, INT32 Value2);
typedef UINTN(EFIAPI *ORVANE_INIT_MESSAGE_BOX)(MessageBox *Box, INT32 X, INT32 Y, INT32 Width,
                                               INT32 Height, UINT16 LineCount, CHAR16 **Lines,
                                               UINT16 ButtonCount, CHAR16 **Captions);
typedef UINTN(EFIAPI *ORVANE_HIT_TEST_MESSAGE_BOX)(MessageBox *Box, INT32 PX, INT32 PY);
typedef UINTN(EFIAPI *ORVANE_PAINT_MESSAGE_BOX)(MessageBox *Box);
typedef UINTN(EFIAPI *ORVANE_DRAW_DIVIDER_STRIP)(INT32 X, INT32 Y, INT32 Width, INT32 Height,
                                                 UINT8 ShowDivider, INT32 DividerX, UINT8 Active);
typedef UINTN(EFIAPI *ORVANE_DRAW_SCROLL_BAR)(INT32 X, INT32 Y, UINT16 Length, UINT16 Total,
                                              UINT16 Visible, UINT16 First, UINT16 Hot);
typedef UINT16(EFIAPI *ORVANE_HIT_TEST_SCROLL_BAR)(INT32 X, INT32 Y, UINT16 Length, UINT16 Total,
                                                   UINT16 Visible, UINT16 First, INT32 PX,
                                                   INT32 PY);
typedef UINTN(EFIAPI *ORVANE_DRAW_TILE)(INT32 X, INT32 Y, INT32 Width, INT32 Height, UINT8 Active);
typedef UINTN(EFIAPI *ORVANE_DRAW_PROGRESS_BAR)(ORVANE_PIXEL *Buffer, INT32 Unused1, INT32 Unused2,
                                                INT32 Unused3, INT32 Unused4, INT32 Width,
                                                INT32 Height, const CHAR16 *Label, INT32 Percent);
typedef UINTN(EFIAPI *ORVANE_DRAW_DOTTED_RULE)(INT16 X, INT16 Y, UINT16 Length);
typedef EFI_STATUS(EFIAPI *ORVANE_INIT_ICON_DOCK)(IconDock *Dock, INT32 X, INT32 Y, UINT16 Count,
                                                  CHAR16 **Labels, UINT16 *Flags, UINT16 *Active);
typedef EFI_STATUS(EFIAPI *ORVANE_TRACK_ICON_DOCK)(IconDock *Dock, INT32 X, INT32 Y, UINT16 Kind,
                                                   UINT16 Key);
typedef EFI_STATUS(EFIAPI *ORVANE_PAINT_ICON_DOCK)(IconDock *Dock);
typedef UINTN(EFIAPI *ORVANE_INIT_INPUT_DIALOG)(InputDialog *Dialog, INT32 X, INT32 Y, UINT32 Width,
                                                INT32 Height, const CHAR16 *Title, UINT16 Tag,
                                                const CHAR16 *Prompt, const CHAR16 *Text,
                                                UINT16 MaxChars, UINT16 ShowPlain,
                                                UINT16 ButtonCount,
                                                const CHAR16 *const *ButtonCaptions);
typedef UINTN(EFIAPI *ORVANE_HIT_TEST_INPUT_DIALOG)(InputDialog *Dialog, INT32 PX, INT32 PY);
typedef UINTN(EFIAPI *ORVANE_PAINT_INPUT_DIALOG)(const InputDialog *Dialog);
typedef UINT32(EFIAPI *ORVANE_STRING_LENGTH)(const CHAR16 *String);
typedef BOOLEAN(EFIAPI *ORVANE_SET_FRAME_BUFFER_CAPTURE)(BOOLEAN Enable);
typedef EFI_STATUS(EFIAPI *ORVANE_SET_VIDEO_MODE)(UINT32 HorizontalResolution,
                                                  UINT32 VerticalResolution);
typedef UINTN(EFIAPI *ORVANE_DRAW_POINT)(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height,
                                         INT32 X, INT32 Y, INT32 PenStyle, UINT32 Color);
typedef UINTN(EFIAPI *ORVANE_DRAW_LINE)(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height,
                                        INT32 X1, INT32 Y1, INT32 X2, INT32 Y2, INT32 PenStyle,
                                        UINT32 Color);
typedef UINTN(EFIAPI *ORVANE_DRAW_CIRCLE)(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height,
                                          INT32 CenterX, INT32 CenterY, INT32 Radius,
                                          INT32 Thickness, INT32 FillStyle, UINT32 Color1,
                                          UINT32 Color2);
typedef UINTN(EFIAPI *ORVANE_DRAW_RECTANGLE)(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height,
                                             INT32 X, INT32 Y, INT32 Width, INT32 RectHeight,
                                             INT32 PenStyle, INT32 FillStyle, UINT32 Color1,
                                             UINT32 Color2);
typedef UINTN(EFIAPI *ORVANE_DRAW_TRIANGLE)(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height,
                                            UINT32 X1, UINT32 Y1, UINT32 X2, UINT32 Y2, UINT32 X3,
                                            UINT32 Y3, INT32 PenStyle, INT32 FillStyle,
                                            UINT32 Color1, UINT32 Color2);
typedef UINTN(EFIAPI *ORVANE_DRAW_REGULAR_POLYGON)(ORVANE_PIXEL *Buffer, INT32 RowWidth,
                                                   INT32 Height, INT32 CenterX, INT32 CenterY,
                                                   INT32 Sides, INT32 Radius, INT32 PenStyle,
                                                   UINT32 Color);
typedef UINTN(EFIAPI *ORVANE_BLIT_TO_SCREEN)(ORVANE_PIXEL *Buffer, INT32 Width, INT32 Height,
                                             INT32 X, INT32 Y);
typedef UINTN(EFIAPI *ORVANE_CLEAR_BUFFER)(ORVANE_PIXEL *Buffer, INT32 Width, INT32 Height);
typedef UINTN(EFIAPI *ORVANE_DRAW_TEXT)(UINT32 Foreground, ORVANE_PIXEL *Background, Milli Scale,
                                        UINT16 X, UINT16 Y, const CHAR16 *Format, ...);
typedef UINTN(EFIAPI *ORVANE_RENDER_TEXT)(Milli Scale, TextImage *Image, const CHAR16 *String);
typedef UINTN(EFIAPI *ORVANE_CAPTURE_SCREEN)(ORVANE_PIXEL **Screen, UINT32 *Width, UINT32 *Height);
typedef UINTN(EFIAPI *ORVANE_DIM_CAPTURED_SCREEN)(UINT32 Level);
typedef UINTN(EFIAPI *ORVANE_SCREEN_ACTION)(void);
typedef UINTN(EFIAPI *ORVANE_TRANSITION)(ORVANE_PIXEL *Image, UINT32 Width, UINT32 Height, UINT32 X,
                                         UINT32 Y);
typedef EFI_STATUS(EFIAPI *ORVANE_INIT_SETTING_ROW)(SettingRow *Row, INT32 X, INT32 Y, UINT16 Width,
                                                    UINT16 LabelWidth, UINT16 SliderLength,
                                                    UINT16 CallerData0, UINT16 StepCount,
                                                    INT16 CallerData1, UINT8 CallerData2,
                                                    UINT8 CallerData3, CHAR16 *Label, CHAR16 *Value,
                                                    UINT16 CellFlags, INT16 Kind, UINT8 Chevron);
typedef EFI_STATUS(EFIAPI *ORVANE_PAINT_SETTING_ROW)(SettingRow *Row);
typedef EFI_STATUS(EFIAPI *ORVANE_TRACK_SETTING_SLIDER)(SettingRow *Row, INT32 PointerX,
                                                        INT32 PointerY);
typedef EFI_STATUS(EFIAPI *ORVANE_INIT_DIGIT_READOUT)(DigitReadout *Readout, INT32 X, INT32 Y,
                                                      CHAR16 *Text, UINT16 Size, UINT8 Capture);
typedef EFI_STATUS(EFIAPI *ORVANE_PAINT_DIGIT_READOUT)(DigitReadout *Readout);
typedef CHAR16 *(EFIAPI *ORVANE_BANNER)(CHAR16 *Buffer);
typedef UINTN(EFIAPI *ORVANE_RESET_OPTION_POPUPS)(OptionPopupSet *Set);
typedef EFI_STATUS(EFIAPI *ORVANE_DEFINE_OPTION_POPUP)(OptionPopupSet *Set, INT32 X, INT32 Y,
                                                       UINT16 Kind, CHAR16 *Title, UINT16 Count,
                                                       CHAR16 **Items);
typedef UINTN(EFIAPI *ORVANE_TRACK_OPTION_POPUP)(OptionPopupSet *Set, UINT16 EntryIndex,
                                                 INT32 PointerX, INT32 PointerY, UINT16 EventKind,
                                                 UINT16 Key);
typedef EFI_STATUS(EFIAPI *ORVANE_PAINT_OPTION_POPUP)(OptionPopupSet *Set);
typedef EFI_STATUS(EFIAPI *ORVANE_CLOSE_OPTION_POPUP)(OptionPopupSet *Set);

typedef struct {
  EFI_HANDLE ImageHandle;
  ORVANE_OPEN_LIST_POPUP OpenListPopup;                   // 1
  ORVANE_PAINT_LIST_POPUP PaintListPopup;                 // 2
  ORVANE_SCROLL_LIST_POPUP ScrollListPopup;               // 3
  ORVANE_HIT_TEST_LIST_POPUP HitTestListPopup;            // 4
  ORVANE_CLOSE_LIST_POPUP CloseListPopup;                 // 5
  ORVANE_GET_LIST_POPUP_VIEW GetListPopupView;            // 6
  ORVANE_DRAW_GAUGE_PANEL DrawGaugePanel;                 // 7
  ORVANE_INIT_MESSAGE_BOX InitMessageBox;                 // 8
  ORVANE_HIT_TEST_MESSAGE_BOX HitTestMessageBox;          // 9
  ORVANE_PAINT_MESSAGE_BOX PaintMessageBox;               // 10
  ORVANE_DRAW_DIVIDER_STRIP DrawDividerStrip;             // 11
  ORVANE_DRAW_SCROLL_BAR DrawScrollBar;                   // 12
  ORVANE_HIT_TEST_SCROLL_BAR HitTestScrollBar;            // 13
  ORVANE_DRAW_TILE DrawTile;                              // 14
  ORVANE_DRAW_PROGRESS_BAR DrawProgressBar;               // 15
  ORVANE_DRAW_DOTTED_RULE DrawDottedRule;                 // 16
  ORVANE_INIT_INPUT_DIALOG InitInputDialog;               // 17
  ORVANE_HIT_TEST_INPUT_DIALOG HitTestInputDialog;        // 18
  ORVANE_PAINT_INPUT_DIALOG PaintInputDialog;             // 19
  ORVANE_INIT_SETTING_ROW InitSettingRow;                 // 20
  ORVANE_PAINT_SETTING_ROW PaintSettingRow;               // 21
  ORVANE_TRACK_SETTING_SLIDER TrackSettingSlider;         // 22
  ORVANE_INIT_DIGIT_READOUT InitDigitReadout;             // 23
  ORVANE_PAINT_DIGIT_READOUT PaintDigitReadout;           // 24
  ORVANE_INIT_ICON_DOCK InitIconDock;                     // 25
  ORVANE_TRACK_ICON_DOCK TrackIconDock;                   // 26
  ORVANE_PAINT_ICON_DOCK PaintIconDock;                   // 27
  ORVANE_RESET_OPTION_POPUPS ResetOptionPopups;           // 28
  ORVANE_DEFINE_OPTION_POPUP DefineOptionPopup;           // 29
  ORVANE_TRACK_OPTION_POPUP TrackOptionPopup;             // 30
  ORVANE_PAINT_OPTION_POPUP PaintOptionPopup;             // 31
  ORVANE_CLOSE_OPTION_POPUP CloseOptionPopup;             // 32
  ORVANE_STRING_LENGTH StringLength;                      // 33
  ORVANE_SET_FRAME_BUFFER_CAPTURE SetFrameBufferCapture;  // 34
  ORVANE_SET_VIDEO_MODE SetVideoMode;                     // 35
  ORVANE_DRAW_POINT DrawPoint;                            // 36
  ORVANE_DRAW_LINE DrawLine;                              // 37
  ORVANE_DRAW_CIRCLE DrawCircle;                          // 38
  ORVANE_DRAW_RECTANGLE DrawRectangle;                    // 39
  ORVANE_DRAW_TRIANGLE DrawTriangle;                      // 40
  ORVANE_DRAW_REGULAR_POLYGON DrawRegularPolygon;         // 41
  ORVANE_BLIT_TO_SCREEN BlitToScreen;                     // 42
  ORVANE_CLEAR_BUFFER ClearBuffer;                        // 43
  ORVANE_DRAW_TEXT DrawText;                              // 44
  ORVANE_RENDER_TEXT RenderText;                          // 45
  ORVANE_CAPTURE_SCREEN CaptureScreen;                    // 46
  ORVANE_DIM_CAPTURED_SCREEN DimCapturedScreen;           // 47
  ORVANE_SCREEN_ACTION RestoreCapturedScreen;             // 48
  ORVANE_SCREEN_ACTION ReleaseCapturedScreen;             // 49
  ORVANE_TRANSITION WipeTransition;                       // 50
  ORVANE_TRANSITION DissolveTransition;                   // 51
} ORVANE_UI_PROTOCOL;

typedef struct {
  ORVANE_BANNER Banner;
} ORVANE_BANNER_PROTOCOL;

// Slot n sits at byte offset 8 * n.
static_assert(sizeof(ORVANE_UI_PROTOCOL) == 52 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, ImageHandle) == 0 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, OpenListPopup) == 1 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, PaintListPopup) == 2 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, ScrollListPopup) == 3 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, HitTestListPopup) == 4 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, CloseListPopup) == 5 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, GetListPopupView) == 6 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, DrawGaugePanel) == 7 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, InitMessageBox) == 8 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, HitTestMessageBox) == 9 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, PaintMessageBox) == 10 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, DrawDividerStrip) == 11 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, DrawScrollBar) == 12 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, HitTestScrollBar) == 13 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, DrawTile) == 14 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, DrawProgressBar) == 15 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, DrawDottedRule) == 16 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, InitInputDialog) == 17 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, HitTestInputDialog) == 18 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, PaintInputDialog) == 19 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, InitSettingRow) == 20 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, PaintSettingRow) == 21 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, TrackSettingSlider) == 22 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, InitDigitReadout) == 23 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, PaintDigitReadout) == 24 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, InitIconDock) == 25 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, TrackIconDock) == 26 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, PaintIconDock) == 27 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, ResetOptionPopups) == 28 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, DefineOptionPopup) == 29 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, TrackOptionPopup) == 30 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, PaintOptionPopup) == 31 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, CloseOptionPopup) == 32 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, StringLength) == 33 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, SetFrameBufferCapture) == 34 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, SetVideoMode) == 35 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, DrawPoint) == 36 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, DrawLine) == 37 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, DrawCircle) == 38 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, DrawRectangle) == 39 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, DrawTriangle) == 40 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, DrawRegularPolygon) == 41 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, BlitToScreen) == 42 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, ClearBuffer) == 43 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, DrawText) == 44 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, RenderText) == 45 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, CaptureScreen) == 46 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, DimCapturedScreen) == 47 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, RestoreCapturedScreen) == 48 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, ReleaseCapturedScreen) == 49 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, WipeTransition) == 50 * 8);
static_assert(__builtin_offsetof(ORVANE_UI_PROTOCOL, DissolveTransition) == 51 * 8);
static_assert(sizeof(ORVANE_BANNER_PROTOCOL) == 8);
