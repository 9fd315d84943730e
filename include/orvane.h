/** @file
  The Orvane UI toolkit as a setup or boot front-end sees it: the two
  published interfaces, every operation of their slots, the records the
  controls share with the caller, and the codes they take and answer.

  This one header is all a front-end needs. It compiles as C11 and as C++.
  Include it after your UEFI headers (gnu-efi's <efi.h>, or EDK2's <Uefi.h>),
  or alone: without UEFI types in sight it includes <efi.h> itself. It defines
  only names of its own (records, ORVANE_ names, static inline Orvane helpers)
  and leaves every name of gnu-efi and EDK2 as it found it.

  Conventions that hold for every slot:
  - A colour is a UINT32 0x00RRGGBB: the four bytes of an
    EFI_GRAPHICS_OUTPUT_BLT_PIXEL (blue, green, red, reserved) read as a
    little-endian number. ORVANE_RGB() builds one.
  - A pixel buffer is row-major, without padding: pixel (x, y) is element
    x + y * row width. Coordinates and sizes are in pixels; screen
    coordinates are those of the current graphics mode.
  - Where a primitive takes a buffer, NULL means the screen (through the
    graphics output's Blt). Everything drawn is clipped to the buffer (its row
    width and height) or to the screen.
  - Controls paint off-screen: they read the screen under their rectangle,
    draw over it and send it back in one transfer. They keep no state of their
    own between calls; what they remember lives in the caller's record.
  - Memory a slot hands over is pool memory (EfiBootServicesData); the caller
    releases it with the Boot Services' FreePool. The ownership of each
    pointer is stated where it is declared.
  - Slots run on the caller's thread, one call at a time.
  - The driver starts with only the float and print services, so it may be
    dispatched before the display exists. It finds the graphics output and
    the HII font when a slot first needs them. Until a graphics output
    exists, slots that always draw on the screen (and primitives given a NULL
    buffer) answer EFI_UNSUPPORTED and draw nothing; the text slots answer
    ORVANE_TEXT_SERVICE_MISSING without the font.
**/
#ifndef ORVANE_H_
#define ORVANE_H_

/// @cond ORVANE_INTERNAL
// UEFI base types: the program's own, when it included gnu-efi or EDK2 first
// (EDK2's Uefi.h, or any MdePkg header that brings ProcessorBind.h).
#if defined(__PI_UEFI_H__) || defined(MDE_CPU_X64)
#include <Protocol/GraphicsOutput.h>
#elif !defined(_EFI_INCLUDE_)
#ifdef __cplusplus
extern "C" {
#endif
#include <efi.h>
#ifdef __cplusplus
}
#endif
#endif

// Every slot uses the Microsoft x64 calling convention. gnu-efi without
// GNU_EFI_USE_MS_ABI defines EFIAPI as nothing, which would turn every slot
// into a System V call that compiles cleanly and crashes at run time.
#define ORVANE_ABI_KIND_(Api) ORVANE_ABI_KIND2_(Api)
#define ORVANE_ABI_KIND2_(Api) ORVANE_ABI_PROBE_##Api
#define ORVANE_ABI_PROBE_ 1
#define ORVANE_ABI_PROBE___attribute__(Attributes) ORVANE_ABI_NAME_ Attributes
#define ORVANE_ABI_NAME_(Name) ORVANE_ABI_IS_##Name
#define ORVANE_ABI_IS_ms_abi 2
#define ORVANE_ABI_IS___ms_abi__ 2
#if !defined(EFIAPI)
#error "orvane.h: EFIAPI is not defined; include your UEFI headers (gnu-efi's efi.h) first."
#elif defined(__x86_64__) && !defined(_WIN64) && ORVANE_ABI_KIND_(EFIAPI) == 1
#error "orvane.h: EFIAPI is empty, so slots would be called as System V: add -DGNU_EFI_USE_MS_ABI"
#endif

#ifdef __cplusplus
#define ORVANE_STATIC_ASSERT(Condition, Message) static_assert(Condition, Message)
#else
#define ORVANE_STATIC_ASSERT(Condition, Message) _Static_assert(Condition, Message)
#endif
#if defined(__GNUC__)
#define ORVANE_OFFSET_OF(Type, Field) __builtin_offsetof(Type, Field)
#else
#include <stddef.h>
#define ORVANE_OFFSET_OF(Type, Field) offsetof(Type, Field)
#endif

// The same check on the types, for an EFIAPI spelt some other way.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(_WIN64)
typedef void(EFIAPI *ORVANE_EFIAPI_PROBE_)(void);
typedef void(__attribute__((ms_abi)) * ORVANE_MS_ABI_PROBE_)(void);
#ifdef __cplusplus
extern "C++" {
template <class A, class B>
struct OrvaneSameType_ {
  enum { Value = 0 };
};
template <class A>
struct OrvaneSameType_<A, A> {
  enum { Value = 1 };
};
}
ORVANE_STATIC_ASSERT((OrvaneSameType_<ORVANE_EFIAPI_PROBE_, ORVANE_MS_ABI_PROBE_>::Value),
                     "orvane.h: EFIAPI must be the Microsoft x64 calling convention");
#else
ORVANE_STATIC_ASSERT(__builtin_types_compatible_p(ORVANE_EFIAPI_PROBE_, ORVANE_MS_ABI_PROBE_),
                     "orvane.h: EFIAPI must be the Microsoft x64 calling convention");
#endif
#endif
/// @endcond

#ifdef __cplusplus
extern "C" {
#endif

/** GUID of ORVANE_UI_PROTOCOL: DC113A49-A77E-49F9-8D09-9DBF776C6711. */
#define ORVANE_UI_PROTOCOL_GUID                                                    \
  {                                                                                \
    0xdc113a49, 0xa77e, 0x49f9, { 0x8d, 0x09, 0x9d, 0xbf, 0x77, 0x6c, 0x67, 0x11 } \
  }
/** GUID of ORVANE_BANNER_PROTOCOL: 1B3F371E-864E-451A-9F27-C19DD9DEE2BC. */
#define ORVANE_BANNER_PROTOCOL_GUID                                                \
  {                                                                                \
    0x1b3f371e, 0x864e, 0x451a, { 0x9f, 0x27, 0xc1, 0x9d, 0xd9, 0xde, 0xe2, 0xbc } \
  }

/** GUID of the float service the driver needs: CC2AC9E3-14A9-11D3-8E77-00A0C969723B.
    platform-shim.efi installs it where the platform lacks it. */
#define ORVANE_FLOAT_MATH_GUID                                                     \
  {                                                                                \
    0xcc2ac9e3, 0x14a9, 0x11d3, { 0x8e, 0x77, 0x00, 0xa0, 0xc9, 0x69, 0x72, 0x3b } \
  }
/** GUID of the print service the driver needs: DF2D868E-32FC-4CF0-8E6B-FFD95D1343D0.
    platform-shim.efi installs it where the platform lacks it. */
#define ORVANE_PRINT_SERVICE_GUID                                                  \
  {                                                                                \
    0xdf2d868e, 0x32fc, 0x4cf0, { 0x8e, 0x6b, 0xff, 0xd9, 0x5d, 0x13, 0x43, 0xd0 } \
  }

/** The colour 0x00RRGGBB of three channels 0 to 255. */
#define ORVANE_RGB(Red, Green, Blue) \
  ((UINT32)(((UINT32)(Red)&0xFF) << 16 | ((UINT32)(Green)&0xFF) << 8 | ((UINT32)(Blue)&0xFF)))

/** The target that stands for the screen where a primitive takes a buffer. */
#define ORVANE_SCREEN ((ORVANE_PIXEL *)0)

// ---------------------------------------------------------------- shared types

/** The pixel of every buffer: bytes blue, green, red, reserved. */
typedef EFI_GRAPHICS_OUTPUT_BLT_PIXEL ORVANE_PIXEL;

/** A number times 1000: 1500 is 1.5. Text scales are Milli values 1000 to 2000. */
typedef INT64 Milli;

/** Text scale 1.0: the system font's own size, 19 pixels a line. */
#define ORVANE_SCALE_NORMAL 1000
/** Text scale 2.0, the largest. */
#define ORVANE_SCALE_DOUBLE 2000

/** Rendered text, exchanged with RenderText. */
typedef struct {
  UINT32 Foreground;     ///< Glyph colour, 0x00RRGGBB; set by the caller before rendering.
  UINT32 Background;     ///< Colour around the glyphs; set by the caller before rendering.
  UINT32 Width;          ///< Pixels across, set by RenderText.
  UINT32 Height;         ///< Pixels down, set by RenderText: 19 times the scale.
  ORVANE_PIXEL *Bitmap;  ///< Width x Height pixels of pool memory, the caller's to FreePool.
} TextImage;

/** Codes of DrawText and RenderText. */
enum {
  ORVANE_TEXT_DONE = 0,             ///< Drawn or rendered.
  ORVANE_TEXT_NO_RECORD = 1,        ///< RenderText: the record pointer is NULL.
  ORVANE_TEXT_SERVICE_MISSING = 4,  ///< A service, the text or pool memory was missing, or
                                    ///< the font service could not rasterise the text.
  ORVANE_TEXT_TRANSFER_FAILED = 5,  ///< DrawText: the screen refused the text (opaque text
                                    ///< that runs past the screen); nothing was shown.
  ORVANE_TEXT_SCALE_REFUSED = 6     ///< The scale is outside 1000 to 2000, or scaling ran out
                                    ///< of pool memory.
};

// ---------------------------------------------------------------- primitives

/** Pen styles: the shape stamped at each point of points, lines and outlines.
    Any other code stamps one pixel. */
enum {
  ORVANE_PEN_DOT = 1,     ///< One pixel.
  ORVANE_PEN_PLUS = 2,    ///< A plus of five pixels.
  ORVANE_PEN_SQUARE = 3,  ///< A 3 x 3 square.
  ORVANE_PEN_ROUND7 = 4,  ///< A rounded 7 x 7 dot of 37 pixels.
  ORVANE_PEN_ROUND9 = 5   ///< A rounded 9 x 9 dot of 61 pixels.
};

/** Fill styles of DrawRectangle and DrawTriangle. The first colour draws the
    outline and starts a gradient; the second fills and ends the gradient. Any
    other code draws the outline only. */
enum {
  ORVANE_FILL_OUTLINE = 0,       ///< Outline only.
  ORVANE_FILL_SOLID = 1,         ///< Solid fill in the second colour, outline.
  ORVANE_FILL_COLUMNS = 2,       ///< Gradient by columns, left to right, outline.
  ORVANE_FILL_ROWS = 3,          ///< Gradient by rows, top to bottom, outline.
  ORVANE_FILL_COLUMNS_BARE = 4,  ///< Gradient by columns, no outline.
  ORVANE_FILL_ROWS_BARE = 5,     ///< Gradient by rows, no outline.
  ORVANE_FILL_DOTTED = 6         ///< Every second pixel both ways in the second colour, outline.
};

/** Fill styles of DrawCircle. Any other code draws the outline only. */
enum {
  ORVANE_CIRCLE_OUTLINE = 0,  ///< Outline ring only.
  ORVANE_CIRCLE_DISC = 1,     ///< Solid disc in the second colour, outline.
  ORVANE_CIRCLE_RADIAL = 2,   ///< Gradient in rings from the rim (first colour) inwards.
  ORVANE_CIRCLE_DOTTED = 3    ///< Dotted disc in the second colour, outline.
};

/** Answers of CaptureScreen. */
enum {
  ORVANE_CAPTURE_DONE = 0,              ///< The screen is captured.
  ORVANE_CAPTURE_NO_SCREEN_BUFFER = 1,  ///< No pool memory for the picture; nothing captured.
  ORVANE_CAPTURE_NO_WORKING_BUFFER = 2  ///< Captured, but no pool memory to dim it.
};

// ---------------------------------------------------------------- shared control codes

/** Close-box looks, in ListPopup::closeState, InputDialog::closeState and
    OptionPopupState::closeState. Any other value draws no close box. */
enum {
  ORVANE_CLOSE_NORMAL = 0,  ///< Normal.
  ORVANE_CLOSE_HOT = 1,     ///< The pointer is over it.
  ORVANE_CLOSE_PRESSED = 2  ///< Pressed.
};

/** Text alignments of the toolkit's cells and buttons: the setting row's label
    cell is indented 26, its value cell 13, and buttons are centred. They tell
    which bits of ORVANE_CELL flags count (see SettingRow::cellFlags). */
enum {
  ORVANE_ALIGN_LEFT = 0,      ///< Left, with a margin of a twentieth of the width.
  ORVANE_ALIGN_CENTRED = 1,   ///< Centred.
  ORVANE_ALIGN_RIGHT = 2,     ///< Right, with a margin of a twentieth of the width.
  ORVANE_ALIGN_INDENT26 = 5,  ///< 26 pixels from the left (cells only).
  ORVANE_ALIGN_INDENT13 = 6   ///< 13 pixels from the left (cells only).
};

/** Cell flags of a setting row (SettingRow::cellFlags): a state in the low
    four bits, a colour for the value text, a dimmed label end. */
enum {
  ORVANE_CELL_NORMAL = 0x00,        ///< State: white text on the dark cell.
  ORVANE_CELL_HIGHLIGHTED = 0x01,   ///< State: a green bar under the text.
  ORVANE_CELL_DISABLED = 0x02,      ///< State: grey text, no groove.
  ORVANE_CELL_STATE_MASK = 0x0F,    ///< The bits of the state.
  ORVANE_CELL_RED = 0x10,           ///< Value text 0xFF0000 (value cell only).
  ORVANE_CELL_GREEN = 0x20,         ///< Value text 0x00FF00 (value cell only).
  ORVANE_CELL_BLUE = 0x30,          ///< Value text 0x0000FF (value cell only).
  ORVANE_CELL_YELLOW = 0x40,        ///< Value text 0xFFFF00 (value cell only).
  ORVANE_CELL_COLOUR_MASK = 0x70,   ///< The bits of the value colour; 0x50 to 0x70 are white.
  ORVANE_CELL_DIM_LABEL_END = 0x80  ///< The label's last 48 columns in grey (normal rows only).
};

/** Event kinds of TrackIconDock and TrackOptionPopup, kept in their records'
    mode fields. */
enum {
  ORVANE_EVENT_NONE = 0,   ///< No event: clears the focus.
  ORVANE_EVENT_PRESS = 1,  ///< A button press or a drag; with a key, picks the focused item up.
  ORVANE_EVENT_HOVER = 2   ///< The pointer moving with no button, or key navigation.
};

/** Keys of TrackIconDock and TrackOptionPopup, with the pointer position (0, 0). */
enum {
  ORVANE_KEY_NONE = 0,      ///< No key: a pointer event.
  ORVANE_KEY_PREVIOUS = 1,  ///< Left (dock) or up (option popup).
  ORVANE_KEY_NEXT = 2       ///< Right (dock) or down (option popup).
};

// ---------------------------------------------------------------- list popup

/** Title alignment, in the low four bits of ListPopup::flags. */
enum {
  ORVANE_TITLE_CENTRED = 0,  ///< Centred.
  ORVANE_TITLE_LEFT = 1,     ///< Left-aligned (any value but 0 and 2).
  ORVANE_TITLE_RIGHT = 2     ///< Right-aligned.
};

/** ListPopup::flags bit: the next paint draws no highlight, then clears it. */
#define ORVANE_LIST_PLAIN_ONCE 0x10

/** Scroll-bar parts: ScrollListPopup's part, ListPopup::hotScrollPart and the
    hot part of DrawScrollBar. The named part is drawn dark (hot). */
enum {
  ORVANE_SCROLL_PART_NONE = 0,       ///< No part.
  ORVANE_SCROLL_PART_UP_ARROW = 1,   ///< The up arrow.
  ORVANE_SCROLL_PART_THUMB = 2,      ///< The thumb.
  ORVANE_SCROLL_PART_DOWN_ARROW = 3  ///< The down arrow.
};

/** Kinds of HitTestListPopup: what a hit on a row does. */
enum {
  ORVANE_HIT_CLASSIFY = 0,  ///< Only answer where the pointer is.
  ORVANE_HIT_SELECT = 1,    ///< A row under the pointer becomes ListPopup::selectedRow.
  ORVANE_HIT_HOVER = 2      ///< A row under the pointer becomes ListPopup::hotRow.
};

/** Answers of HitTestListPopup. */
enum {
  ORVANE_LIST_HIT_OUTSIDE = 0,      ///< Outside the window.
  ORVANE_LIST_HIT_LIST = 1,         ///< In the list, or elsewhere inside the window.
  ORVANE_LIST_HIT_TITLE = 2,        ///< In the title band.
  ORVANE_LIST_HIT_UP_ARROW = 3,     ///< On the scroll bar's up arrow.
  ORVANE_LIST_HIT_TRACK_ABOVE = 4,  ///< On the track above the thumb.
  ORVANE_LIST_HIT_THUMB = 5,        ///< On the thumb.
  ORVANE_LIST_HIT_TRACK_BELOW = 6,  ///< On the track below the thumb.
  ORVANE_LIST_HIT_DOWN_ARROW = 7,   ///< On the down arrow.
  ORVANE_LIST_HIT_CLOSE = 8         ///< On the close box.
};

/** A list popup: a titled window of text rows 20 pixels apart, with a scroll
    bar when the rows do not fit. The caller allocates it and keeps it from
    OpenListPopup to CloseListPopup; the fields below that the caller may set
    say so. The popup, the option popup and the input dialog share its look. */
typedef struct ListPopup {
  INT32 x;                 ///< Screen column of the left edge.
  INT32 y;                 ///< Screen row of the top edge.
  UINT32 width;            ///< Window width; widened to fit the title.
  INT32 height;            ///< Window height: at least 152 (132 for one row), else whole rows.
  const CHAR16 *title;     ///< Held by reference: the string must live until CloseListPopup.
  UINT16 flags;            ///< Bits 0-3 title alignment (ORVANE_TITLE_); ORVANE_LIST_PLAIN_ONCE.
  UINT16 itemCount;        ///< Rows.
  ORVANE_PIXEL *textMask;  ///< The rows' rendered text, owned by the popup until CloseListPopup.
  UINT16 pageCount;        ///< Views the rows fill, rounded up.
  UINT16 maskWidth;        ///< Width of the text column: width - 67.
  UINT16 contentHeight;    ///< itemCount x 20.
  UINT16 thumbPos;         ///< Thumb offset in the track, from 1; 0: the window has no scroll bar.
  UINT16 thumbLength;      ///< Thumb length: view height squared / contentHeight.
  INT16 selectedRow;  ///< Selected row (dark bar, orange text); -1 none. The caller may set it.
  INT16 hotRow;  ///< Row under the pointer (orange text); -1 or -2: none and no scroll bar drawn.
                 ///< The caller may set it.
  INT16 hotScrollPart;    ///< Scroll-bar part drawn dark (ORVANE_SCROLL_PART_).
  UINT16 titleHeight;     ///< Title band height: 63.
  UINT8 closeShown;       ///< Non-zero: the window has a close box. The caller may set it.
  UINT8 closeState;       ///< Close-box look (ORVANE_CLOSE_). The caller may set it.
  INT16 lastSelectedRow;  ///< selectedRow at the last paint of a popup of several pages.
  INT16 visibleRows;      ///< Rows the trimmed height shows; -1 when all rows fit; 0 untrimmed.
} ListPopup;

/** Where a list popup's selected row lies, written by GetListPopupView. */
typedef struct ListPopupView {
  UINT8 outOfView;           ///< 1: the selected row is not comfortably inside the view.
  INT16 thumbShowingTop;     ///< Largest thumb position that shows the row at the view's top.
  INT16 thumbShowingBottom;  ///< Largest thumb position that shows the row at its bottom.
} ListPopupView;

// ---------------------------------------------------------------- message box

/** MessageBox::HotState: the look of the hot button. */
enum {
  ORVANE_BUTTON_NORMAL = 0,   ///< Normal.
  ORVANE_BUTTON_PRESSED = 1,  ///< Pressed.
  ORVANE_BUTTON_FOCUSED = 2   ///< Focused: green edge.
};

/** A message box: lines of text and up to three push buttons in a row below
    them, in a rounded window. InitMessageBox lays it out; the caller may then
    move it (X, Y) and choose the hot button and its look. */
typedef struct MessageBox {
  INT32 X;                        ///< Screen column of the left edge.
  INT32 Y;                        ///< Screen row of the top edge.
  INT32 Width;                    ///< Box width, computed by InitMessageBox.
  INT32 Height;                   ///< Box height, computed by InitMessageBox.
  UINT16 LineCount;               ///< Strings of Lines in use.
  const CHAR16 *const *Lines;     ///< The text, held by reference; a string may hold several
                                  ///< lines split by LF (a CR before it is dropped).
  UINT16 ButtonCount;             ///< Captions in use, 0 to 3.
  const CHAR16 *const *Captions;  ///< Button captions, left to right, held by reference.
  UINT16 TextWidth;               ///< Width of the widest text line.
  UINT16 TextHeight;              ///< 20 per text line.
  UINT16 TextLeft;                ///< Left margin of the text block.
  UINT16 TextTop;                 ///< Top margin of the text block.
  UINT16 ButtonsLeft;             ///< Left margin of the button row.
  UINT16 ButtonGap;               ///< Gap between buttons.
  UINT16 ButtonMargin;            ///< Gap between text and buttons, and below the buttons.
  UINT16 ButtonWidth;             ///< Width of every button.
  UINT16 ButtonHeight;            ///< Height of every button.
  UINT16 HotButton;               ///< The hot button, 1 to 3; 0 none.
  UINT16 HotState;                ///< Look of the hot button (ORVANE_BUTTON_).
} MessageBox;

// ---------------------------------------------------------------- input dialog

/** Answers of HitTestInputDialog, left in InputDialog::hotButton. */
enum {
  ORVANE_DIALOG_HIT_NONE = 0,     ///< Neither a button nor the close box.
  ORVANE_DIALOG_HIT_BUTTON1 = 1,  ///< The first button.
  ORVANE_DIALOG_HIT_BUTTON2 = 2,  ///< The second button.
  ORVANE_DIALOG_HIT_BUTTON3 = 3,  ///< The third button.
  ORVANE_DIALOG_HIT_CLOSE = 4     ///< The close box.
};

/** An input dialog: a titled window with an optional prompt, one text field
    (plain or masked) and up to three buttons. The caller keeps the text and
    the key handling, and paints again whenever something changes. */
typedef struct InputDialog {
  INT32 x;               ///< Screen column of the left edge.
  INT32 y;               ///< Screen row of the top edge.
  INT32 width;           ///< Window width, computed by InitInputDialog.
  INT32 height;          ///< Window height, computed by InitInputDialog.
  const CHAR16 *prompt;  ///< Shown left of the field; NULL for none. Held by reference.
  const CHAR16 *text;    ///< The current input, held by reference: the caller edits it.
  UINT16 maxChars;       ///< Field capacity in characters; 9 pixels each.
  INT16 showPlain;       ///< 0: every character shows as an asterisk.
  UINT16 buttonCount;    ///< Buttons, 0 to 3.
  const CHAR16 *const *buttonCaptions;  ///< Captions of buttons 1 to 3, held by reference.
  UINT16 buttonWidth;   ///< Pitch of the button slots; buttons are drawn 40 narrower.
  UINT16 buttonHeight;  ///< Slot height; buttons are drawn 20 shorter.
  INT16 hotButton;      ///< 1 to 3: that button is drawn pressed; the hit test's answer.
  UINT16 promptX;       ///< Column of the prompt (of the field without one).
  UINT16 fieldTop;      ///< The prompt and field start at row fieldTop + 65.
  UINT16 buttonGap;     ///< Before the first button and between button slots.
  const CHAR16 *title;  ///< Window title, held by reference.
  UINT16 reserved;      ///< The caller's tag; not read.
  UINT8 closeShown;     ///< Non-zero: draw the close box. The caller may set it.
  UINT8 closeState;     ///< Close-box look (ORVANE_CLOSE_). The caller may set it.
} InputDialog;

// ---------------------------------------------------------------- setting row

/** SettingRow::kind values that draw the label and value cells; any other
    value draws no cells (only the chevron, when set). */
enum {
  ORVANE_ROW_CELLS = 2,     ///< A row with label and value cells.
  ORVANE_ROW_CELLS_ALT = 4  ///< The same look.
};

/** SettingRow::hotPart: the slider part under the pointer. */
enum {
  ORVANE_SLIDER_NONE = 0,         ///< None.
  ORVANE_SLIDER_LEFT_ARROW = 1,   ///< The left arrow: one step down.
  ORVANE_SLIDER_KNOB = 2,         ///< The knob.
  ORVANE_SLIDER_RIGHT_ARROW = 3,  ///< The right arrow: one step up.
  ORVANE_SLIDER_TRACK = 4         ///< The track beside the knob.
};

/** A setting row: a label cell and a value cell 19 pixels high, an optional
    submenu chevron, and the state of a slider at its right end. The toolkit
    tracks the slider but does not draw it: the caller draws it from percent,
    or stepIndex when stepMode is 1. */
typedef struct SettingRow {
  INT32 x;              ///< Screen column of the left edge.
  INT32 y;              ///< Screen row of the top edge.
  UINT16 width;         ///< Row width.
  UINT16 labelWidth;    ///< Width of the label cell; the value cell takes the rest.
  UINT16 sliderLength;  ///< Slider extent, measured back from the row's right end.
  UINT16 callerData0;   ///< Kept for the caller.
  UINT16 stepCount;     ///< Slider steps.
  UINT16 percent;       ///< Slider value, 0 to 100.
  UINT16 stepIndex;     ///< Slider step, 0 to stepCount - 1.
  UINT8 stepMode;       ///< 1 once an arrow was used: the knob follows stepIndex, else percent.
  INT16 callerData1;    ///< Kept for the caller.
  UINT8 callerData2;    ///< Kept for the caller.
  INT16 hotPart;        ///< Slider part under the pointer (ORVANE_SLIDER_).
  UINT8 callerData3;    ///< Kept for the caller.
  const CHAR16 *label;  ///< Label text, held by reference; NULL paints both cells empty.
  const CHAR16 *value;  ///< Value text, held by reference; NULL for none.
  UINT16 cellFlags;     ///< ORVANE_CELL_ flags of both cells.
  INT16 kind;           ///< ORVANE_ROW_CELLS (or _ALT) for cells; any other value: none.
  UINT8 chevron;        ///< Non-zero: a green submenu chevron, the label indented.
} SettingRow;

// ---------------------------------------------------------------- digit readout

/** Sizes of the digit readout. */
enum {
  ORVANE_READOUT_LARGE = 0,        ///< Digits and colons 40 high, unlit segments shown: a clock.
  ORVANE_READOUT_TEMPERATURE = 1,  ///< 32 high, three digits at least, a degree-Celsius sign.
  ORVANE_READOUT_SMALL = 2         ///< 21 high, three digits at least, a degree-Celsius sign.
};

/** InitDigitReadout's capture flag: save the screen under the readout. */
#define ORVANE_READOUT_CAPTURE 1

/** A seven-segment readout. InitDigitReadout fills it; PaintDigitReadout reads
    it. background and a padded text copy are pool memory of the caller's:
    free them with FreePool before the record goes, or before initialising it
    again (the readout never frees them). */
typedef struct DigitReadout {
  ORVANE_PIXEL *background;  ///< width x height pixels under the readout: captured by
                             ///< InitDigitReadout, or supplied by the caller.
  INT32 x;                   ///< Screen column of the left edge.
  INT32 y;                   ///< Screen row of the top edge.
  INT32 width;               ///< Width, computed by InitDigitReadout.
  INT32 height;              ///< Height: 40, 32 or 21.
  CHAR16 *text;              ///< The cleaned text: the caller's string, or a padded pool copy
                             ///< when it differs from it.
  UINT16 size;               ///< ORVANE_READOUT_ size.
  UINT8 capture;             ///< ORVANE_READOUT_CAPTURE: InitDigitReadout captured background.
} DigitReadout;

// ---------------------------------------------------------------- icon dock

/** Picture kinds of the icon dock, in the low four bits of each item's flags,
    and the badges drawn over a picture. */
enum {
  ORVANE_DOCK_HOME = 0,                ///< A house.
  ORVANE_DOCK_SETTINGS = 1,            ///< A gear.
  ORVANE_DOCK_FILES = 2,               ///< A folder.
  ORVANE_DOCK_PROCESSOR = 3,           ///< A chip.
  ORVANE_DOCK_DISPLAY = 4,             ///< A monitor.
  ORVANE_DOCK_NETWORK = 5,             ///< A network.
  ORVANE_DOCK_POWER = 6,               ///< A power symbol.
  ORVANE_DOCK_ABOUT = 7,               ///< An information sign.
  ORVANE_DOCK_KIND_MASK = 0x0F,        ///< The bits of the kind; 8 to 15 are refused.
  ORVANE_DOCK_BADGE_READY = 0x10,      ///< First badge: ready.
  ORVANE_DOCK_BADGE_ATTENTION = 0x80,  ///< Second badge: attention.
  ORVANE_DOCK_BADGE_FAVOURITE = 0x90,  ///< Third badge: favourite.
  ORVANE_DOCK_BADGE_MASK = 0x90        ///< The bits of the badge.
};

/** IconDock::focus when no item has the focus. */
#define ORVANE_DOCK_NO_FOCUS 16
/** Most items a dock holds. */
#define ORVANE_DOCK_MAX_ITEMS 16

/** The icon dock: a row of 40 x 41 picture buttons on a green band with the
    focused item's label in a strip below. Items can be dragged to a new place;
    the dock then exchanges the entries of labels, flags and active (the arrays
    are the caller's and must stay valid; the strings are never copied). The
    caller zeroes the record before the first InitIconDock. */
typedef struct IconDock {
  INT32 x;                        ///< Screen column of the row's left edge, at most 1074.
  INT32 y;                        ///< Screen row of the row's top edge.
  INT32 width;                    ///< Row width: count x 51 - 5 below 9 items, else count x 47 - 5.
  UINT32 height;                  ///< Row height: 41.
  UINT16 count;                   ///< Items, 1 to 16.
  const CHAR16 **labels;          ///< count label strings; reordering exchanges the entries.
  UINT16 *flags;                  ///< count values: picture kind and badge (ORVANE_DOCK_).
  UINT16 *active;                 ///< count values: 1 shows the highlighted picture without focus.
  UINT16 focus;                   ///< Focused item; ORVANE_DOCK_NO_FOCUS for none.
  INT16 mode;                     ///< Kind of the last event (ORVANE_EVENT_).
  INT16 dragging;                 ///< 1 while an item is dragged.
  UINT16 dragX;                   ///< Left edge of the dragged picture, relative to x.
  UINT16 grab;                    ///< Pointer offset inside the dragged picture.
  ORVANE_PIXEL *stripBackground;  ///< (1074 - x) x 19 pixels of screen under the label strip,
                                  ///< saved by InitIconDock when NULL (pool memory of the
                                  ///< caller's, to FreePool when the dock goes), or the
                                  ///< caller's own buffer; the dock never frees it.
} IconDock;

// ---------------------------------------------------------------- option popup

/** Option-popup kinds, each with its own title icon and entry of the set. */
enum {
  ORVANE_OPTION_SETTINGS = 0,     ///< Gear icon; entry 0.
  ORVANE_OPTION_CLOCK = 2,        ///< Clock icon; entry 1.
  ORVANE_OPTION_PERFORMANCE = 3,  ///< Gauge icon; entry 8.
  ORVANE_OPTION_STORAGE = 4,      ///< Disk icon; entry 5.
  ORVANE_OPTION_POWER = 5,        ///< Power icon; entry 6.
  ORVANE_OPTION_BOOT_ORDER = 6,   ///< Boot-order icon; entry 7.
  ORVANE_OPTION_SECURITY = 16,    ///< Lock icon; entry 3.
  ORVANE_OPTION_LANGUAGE = 17,    ///< Globe icon; entry 2.
  ORVANE_OPTION_DISPLAY = 18      ///< Monitor icon; entry 4.
};

/** Entries of an OptionPopupSet. */
#define ORVANE_OPTION_ENTRIES 9
/** OptionPopupState::focus when no item has the focus. */
#define ORVANE_OPTION_NO_FOCUS 128
/** TrackOptionPopup's answer when the close box is pressed. */
#define ORVANE_OPTION_CLOSE_PRESSED 8

/** One option popup of the set, filled by DefineOptionPopup. */
typedef struct OptionPopupEntry {
  INT32 x;               ///< Screen column of the left edge, kept on a 1024 x 768 screen.
  INT32 y;               ///< Screen row of the top edge, kept on a 1024 x 768 screen.
  UINT32 width;          ///< Window width: 315.
  UINT32 height;         ///< 63 + count x 45 + 25 once defined.
  UINT16 count;          ///< Items.
  const CHAR16 *title;   ///< Window title, held by reference.
  const CHAR16 **items;  ///< count item strings, the caller's; reordering exchanges the entries.
  UINT32 iconWidth;      ///< Title icon width: 48 once defined.
  UINT32 iconHeight;     ///< Title icon height: 54 once defined.
  ORVANE_PIXEL *icon;    ///< The decoded title icon, NULL until first defined: pool memory of
                         ///< the caller's, to FreePool before ResetOptionPopups or the set goes.
} OptionPopupEntry;

/** What the shown option popup remembers between events. */
typedef struct OptionPopupState {
  UINT16 maxItemChars;  ///< Text length limit in characters; 31 after a reset.
  UINT16 shown;         ///< Entry being shown and tracked. The caller sets it when opening.
  UINT16 focus;         ///< Focused item; ORVANE_OPTION_NO_FOCUS for none. The caller may set it.
  INT16 mode;           ///< Kind of the last event (ORVANE_EVENT_). The caller may set it.
  INT16 dragging;       ///< 1 while an item is dragged.
  UINT16 dragOffset;    ///< Top of the dragged row below the list top.
  UINT16 grab;          ///< Pointer offset inside the dragged row.
  ORVANE_PIXEL *savedBackground;  ///< Screen under the shown popup, saved by its first paint;
                                  ///< only CloseOptionPopup restores and frees it.
  UINT8 closeShown;               ///< Non-zero: the close box is drawn. The caller may set it.
  UINT8 closeState;               ///< Close-box look (ORVANE_CLOSE_).
} OptionPopupState;

/** The nine option popups and the state of the one shown. The caller owns it
    and calls ResetOptionPopups once before anything else. */
typedef struct OptionPopupSet {
  OptionPopupEntry entries[ORVANE_OPTION_ENTRIES];  ///< One per kind (ORVANE_OPTION_).
  OptionPopupState state;                           ///< The shown popup's state.
} OptionPopupSet;

// ---------------------------------------------------------------- scroll bar

/** Answers of HitTestScrollBar. */
enum {
  ORVANE_SCROLL_BAR_OUTSIDE = 0,      ///< Outside the bar.
  ORVANE_SCROLL_BAR_UP_ARROW = 1,     ///< The up arrow.
  ORVANE_SCROLL_BAR_TRACK_ABOVE = 2,  ///< The track above the thumb.
  ORVANE_SCROLL_BAR_THUMB = 3,        ///< The thumb.
  ORVANE_SCROLL_BAR_TRACK_BELOW = 4,  ///< The track below the thumb.
  ORVANE_SCROLL_BAR_DOWN_ARROW = 5    ///< The down arrow.
};

// ================================================================ the slots

/**
  Opens a list popup: lays the window out and renders every row's text once.

  The window is widened to fit the title (keeping its centre, not left of
  column 0); the height is raised to 152 (132 for one row) or trimmed to whole
  rows. The popup has a scroll bar when the rows do not fit. Nothing is drawn.

  @param[out] Popup      The caller's record, kept until CloseListPopup.
  @param[in]  X          Screen column of the left edge.
  @param[in]  Y          Screen row of the top edge.
  @param[in]  Width      Window width in pixels.
  @param[in]  Height     Window height in pixels.
  @param[in]  Title      Title; held by reference, so it must live until CloseListPopup.
  @param[in]  Flags      Title alignment (ORVANE_TITLE_), ORVANE_LIST_PLAIN_ONCE.
  @param[in]  ItemCount  Rows.
  @param[in]  Items      ItemCount strings, read only during this call; a NULL string is an
                         empty row. Rows wider than the text column are cut.
  @param[in]  HotRow     First hot row; -1 none. -1 and -2 also hide the scroll bar, so
                         keyboard popups pass -3 (no row) or a row.

  @retval 0                      Opened: selectedRow is -1, the text mask is the popup's.
  @retval EFI_INVALID_PARAMETER  Popup is NULL, or Items is NULL with rows.
  @retval EFI_OUT_OF_RESOURCES   A text could not be rendered or the mask allocated; nothing
                                 is held.
**/
typedef UINTN(EFIAPI *ORVANE_OPEN_LIST_POPUP)(ListPopup *Popup, INT32 X, INT32 Y, UINT32 Width,
                                              INT32 Height, const CHAR16 *Title, UINT16 Flags,
                                              UINT16 ItemCount, const CHAR16 *const *Items,
                                              INT16 HotRow);

/**
  Paints the whole list popup over the screen under it, in one transfer.

  Draws the frame, title, close box, scroll bar and the rows in view with the
  selected row (dark bar) and the hot row (orange text). The screen under the
  window is not kept: to take the popup away, the caller puts back what it
  saved before opening (CloseListPopup leaves the popup on the screen).
  Clears ORVANE_LIST_PLAIN_ONCE.

  @param[in, out] Popup  An open popup.

  @retval 0                      Painted.
  @retval EFI_INVALID_PARAMETER  Popup is NULL.
  @retval EFI_OUT_OF_RESOURCES   No pool memory; nothing drawn.
  @retval other                  The graphics output's status for the capture or transfer.
**/
typedef UINTN(EFIAPI *ORVANE_PAINT_LIST_POPUP)(ListPopup *Popup);

/**
  Moves the list popup's thumb and marks a scroll-bar part hot. Draws nothing.

  The view follows the thumb: Delta is in pixels of thumb travel, not rows.
  One row is 20 x (height - 112) / contentHeight pixels of travel, a page is
  thumbLength. To bring a row into view use GetListPopupView and move by
  target - thumbPos (OrvaneListPopupSelect does both). The thumb stays between
  1 and height - 112 - thumbLength; with the last row selected it goes to the
  bottom. On a popup without a scroll bar only the part is recorded.

  @param[in, out] Popup       An open popup.
  @param[in]      ScrollPart  Part to draw dark from now on (ORVANE_SCROLL_PART_).
  @param[in]      Delta       Thumb movement in pixels; negative moves up.

  @retval 0                      Done.
  @retval EFI_INVALID_PARAMETER  Popup is NULL.
**/
typedef UINTN(EFIAPI *ORVANE_SCROLL_LIST_POPUP)(ListPopup *Popup, INT16 ScrollPart, INT32 Delta);

/**
  Tells which part of the list popup lies under a pointer, and with Kind 1 or
  2 makes the row under it the selected or hot row. Draws nothing.

  @param[in, out] Popup     An open popup.
  @param[in]      PointerX  Screen column of the pointer.
  @param[in]      PointerY  Screen row of the pointer.
  @param[in]      Kind      ORVANE_HIT_SELECT, ORVANE_HIT_HOVER, or ORVANE_HIT_CLASSIFY to
                            change nothing.

  @return  An ORVANE_LIST_HIT_ code; ORVANE_LIST_HIT_OUTSIDE also for a NULL Popup.
**/
typedef UINTN(EFIAPI *ORVANE_HIT_TEST_LIST_POPUP)(ListPopup *Popup, INT32 PointerX, INT32 PointerY,
                                                  INT16 Kind);

/**
  Closes a list popup: frees its text mask. The popup stays on the screen; the
  caller puts back what was under it. The record may then be opened again.

  @param[in, out] Popup  An open popup; textMask becomes NULL.

  @retval 0                      Closed.
  @retval EFI_INVALID_PARAMETER  Popup is NULL.
**/
typedef UINTN(EFIAPI *ORVANE_CLOSE_LIST_POPUP)(ListPopup *Popup);

/**
  Tells where the selected row lies against the view, and which thumb
  positions would show it. Draws nothing, changes nothing.

  thumbShowingTop and thumbShowingBottom are written only when some position
  qualifies; preset both to the current thumbPos.

  @param[in]  Popup  An open popup.
  @param[out] View   outOfView, thumbShowingTop and thumbShowingBottom.

  @retval 0                      Done.
  @retval EFI_INVALID_PARAMETER  Popup or View is NULL.
**/
typedef UINTN(EFIAPI *ORVANE_GET_LIST_POPUP_VIEW)(const ListPopup *Popup, ListPopupView *View);

/**
  Paints a status panel of two rows on the screen, in one transfer: each row a
  label cell and a wide cell with a second label and a 20-segment level bar
  from green to red; the second row reads degrees Celsius. A value of 100 or
  more turns its row to a warning look.

  @param[in] X       Screen column of the left edge.
  @param[in] Y       Screen row of the top edge.
  @param[in] Width   Panel width; the bars need about 200 pixels on the right.
  @param[in] Height  Panel height.
  @param[in] Label1  Left cell of row 1; NULL for none.
  @param[in] Label2  Right cell of row 1; NULL for none.
  @param[in] Label3  Left cell of row 2; NULL for none.
  @param[in] Label4  Right cell of row 2; NULL for none.
  @param[in] Value1  Level of row 1, 0 to 100 (clamped).
  @param[in] Value2  Level of row 2 in degrees Celsius, 0 to 100 (clamped).

  @retval 0                     Painted, or nothing to paint (no width or height).
  @retval EFI_OUT_OF_RESOURCES  No pool memory; nothing drawn.
  @retval other                 The graphics output's status.
**/
typedef UINTN(EFIAPI *ORVANE_DRAW_GAUGE_PANEL)(INT32 X, INT32 Y, INT32 Width, INT32 Height,
                                               const CHAR16 *Label1, const CHAR16 *Label2,
                                               const CHAR16 *Label3, const CHAR16 *Label4,
                                               INT32 Value1, INT32 Value2);

/**
  Lays a message box out from its texts. Draws nothing.

  The box is at least 295 x 137 and grows to fit the widest text line and the
  button row; buttons are at least 111 x 33, wider for a long caption. The
  first line of the first string is centred, every other line left-aligned.
  HotButton becomes 0. A NULL entry ends Lines or Captions early.

  @param[out] Box          The caller's record; left unchanged on failure.
  @param[in]  X            Screen column of the left edge.
  @param[in]  Y            Screen row of the top edge.
  @param[in]  Width        Requested width; the layout decides the final one.
  @param[in]  Height       Requested height; the layout decides the final one.
  @param[in]  LineCount    Strings in Lines.
  @param[in]  Lines        The text, held by reference; each string may hold LF line breaks.
  @param[in]  ButtonCount  Captions, 0 to 3.
  @param[in]  Captions     Button captions, held by reference.

  @retval 0                      Laid out.
  @retval EFI_INVALID_PARAMETER  Box is NULL.
  @retval EFI_OUT_OF_RESOURCES   A text could not be measured.
**/
typedef UINTN(EFIAPI *ORVANE_INIT_MESSAGE_BOX)(MessageBox *Box, INT32 X, INT32 Y, INT32 Width,
                                               INT32 Height, UINT16 LineCount,
                                               const CHAR16 *const *Lines, UINT16 ButtonCount,
                                               const CHAR16 *const *Captions);

/**
  Marks the button under a pointer hot: HotButton becomes its number and
  HotState ORVANE_BUTTON_FOCUSED, or HotButton 0 (HotState kept) when the
  pointer is on no button. Edges do not count. Draws nothing.

  @param[in, out] Box  A laid-out box.
  @param[in]      PX   Screen column of the pointer.
  @param[in]      PY   Screen row of the pointer.

  @retval 0                      Done.
  @retval EFI_INVALID_PARAMETER  Box is NULL.
**/
typedef UINTN(EFIAPI *ORVANE_HIT_TEST_MESSAGE_BOX)(MessageBox *Box, INT32 PX, INT32 PY);

/**
  Paints the message box over the screen at (X, Y), in one transfer: the
  rounded window, the text, and the buttons with the hot one in its HotState
  look. The screen under the box is not kept: the caller saves it first if it
  wants it back.

  @param[in] Box  A laid-out box.

  @retval 0                      Painted.
  @retval EFI_INVALID_PARAMETER  Box is NULL.
  @retval EFI_OUT_OF_RESOURCES   No pool memory; nothing drawn.
  @retval other                  The graphics output's status.
**/
typedef UINTN(EFIAPI *ORVANE_PAINT_MESSAGE_BOX)(const MessageBox *Box);

/**
  Paints a dark strip (0x131313) on the screen, in one transfer, optionally
  split by an engraved vertical divider that leaves two rows free at each end.

  @param[in] X            Screen column of the left edge.
  @param[in] Y            Screen row of the top edge.
  @param[in] Width        Strip width.
  @param[in] Height       Strip height.
  @param[in] ShowDivider  1 draws the divider; any other value none.
  @param[in] DividerX     Column of the divider's light line, relative to the strip; its dark
                          line is one column left.
  @param[in] Active       1: white and green divider; any other value: grey.

  @retval 0                     Painted, or nothing to paint.
  @retval EFI_OUT_OF_RESOURCES  No pool memory; nothing drawn.
  @retval other                 The graphics output's status.
**/
typedef UINTN(EFIAPI *ORVANE_DRAW_DIVIDER_STRIP)(INT32 X, INT32 Y, INT32 Width, INT32 Height,
                                                 UINT8 ShowDivider, INT32 DividerX, UINT8 Active);

/**
  Paints a vertical scroll bar, 16 pixels wide, on the screen in one transfer,
  from a list position that the caller keeps.

  @param[in] X        Screen column of the left edge.
  @param[in] Y        Screen row of the top edge.
  @param[in] Length   Bar length in pixels; below 100 it is drawn 100 long.
  @param[in] Total    Items in the list, at least 1 (0 draws no thumb).
  @param[in] Visible  Items in view.
  @param[in] First    1-based number of the first item in view.
  @param[in] Hot      Part drawn hot (ORVANE_SCROLL_PART_): green arrow or light thumb edge.

  @retval 0                     Painted.
  @retval EFI_OUT_OF_RESOURCES  No pool memory; nothing drawn.
  @retval other                 The graphics output's status.
**/
typedef UINTN(EFIAPI *ORVANE_DRAW_SCROLL_BAR)(INT32 X, INT32 Y, UINT16 Length, UINT16 Total,
                                              UINT16 Visible, UINT16 First, UINT16 Hot);

/**
  Tells which part of a scroll bar drawn with the same numbers lies under a
  pointer. The hit area reaches from X + 2 to X + 27, wider than the bar.

  @param[in] X        Screen column of the bar's left edge.
  @param[in] Y        Screen row of its top edge.
  @param[in] Length   Bar length.
  @param[in] Total    Items in the list.
  @param[in] Visible  Items in view.
  @param[in] First    1-based number of the first item in view.
  @param[in] PX       Screen column of the pointer.
  @param[in] PY       Screen row of the pointer.

  @return  An ORVANE_SCROLL_BAR_ code.
**/
typedef UINT16(EFIAPI *ORVANE_HIT_TEST_SCROLL_BAR)(INT32 X, INT32 Y, UINT16 Length, UINT16 Total,
                                                   UINT16 Visible, UINT16 First, INT32 PX,
                                                   INT32 PY);

/**
  Paints a tile on the screen in one transfer: a soft six-layer bevel, a face
  that fades from a darker top into a light lower part, a white rounded frame.

  @param[in] X       Screen column of the left edge.
  @param[in] Y       Screen row of the top edge.
  @param[in] Width   Tile width.
  @param[in] Height  Tile height.
  @param[in] Active  1: the tile in greens; any other value: greys.

  @retval 0                     Painted, or nothing to paint.
  @retval EFI_OUT_OF_RESOURCES  No pool memory; nothing drawn.
  @retval other                 The graphics output's status.
**/
typedef UINTN(EFIAPI *ORVANE_DRAW_TILE)(INT32 X, INT32 Y, INT32 Width, INT32 Height, UINT8 Active);

/**
  Paints a progress bar into the caller's buffer: an orange label box on the
  left and a framed bar that fills with amber in proportion to Percent, with
  "N%" centred over it. The bar is drawn at the buffer's origin and covers
  every pixel of Width x Height; the buffer's row width is Width. Nothing is
  shown: the caller sends the buffer to the screen (BlitToScreen).

  @param[in, out] Buffer   Width x max(Height, 20) pixels, the caller's.
  @param[in]      Unused1  Not used; pass 0.
  @param[in]      Unused2  Not used; pass 0.
  @param[in]      Unused3  Not used; pass 0.
  @param[in]      Unused4  Not used; pass 0.
  @param[in]      Width    Bar width and the buffer's row width.
  @param[in]      Height   Bar height; below 20 it is drawn 20 high.
  @param[in]      Label    Caption in the label box; NULL for none.
  @param[in]      Percent  Progress, clamped to 0 to 100.

  @retval 0                      Painted.
  @retval EFI_INVALID_PARAMETER  Buffer is NULL or Width is not positive.
  @retval EFI_OUT_OF_RESOURCES   The texts could not be rendered; the buffer is untouched.
**/
typedef UINTN(EFIAPI *ORVANE_DRAW_PROGRESS_BAR)(ORVANE_PIXEL *Buffer, INT32 Unused1, INT32 Unused2,
                                                INT32 Unused3, INT32 Unused4, INT32 Width,
                                                INT32 Height, const CHAR16 *Label, INT32 Percent);

/**
  Draws a light dotted rule on the screen: 2 x 2 dots of 0xDFDFDF every 4
  pixels, two rows high, in one transfer.

  @param[in] X       Screen column of the first dot.
  @param[in] Y       Screen row of the rule's top.
  @param[in] Length  Columns the rule spans; dots start below X + Length.

  @retval 0                     Drawn, or nothing to draw (Length 0).
  @retval EFI_OUT_OF_RESOURCES  No pool memory; nothing drawn.
  @retval other                 The graphics output's status.
**/
typedef UINTN(EFIAPI *ORVANE_DRAW_DOTTED_RULE)(INT16 X, INT16 Y, UINT16 Length);

/**
  Lays an icon dock out and saves the screen under its label strip. Draws
  nothing. Focus, mode and drag are cleared.

  The strip is 19 rows at (X - 50, Y + 44) reaching column 1024, (1074 - X)
  pixels wide. It is saved only when stripBackground is NULL; a strip already
  there (saved before, or a buffer of the caller's) is kept as it is, never
  freed, and read as (1074 - x) x 19 for the record's x. To move the dock
  left, or to save the strip anew, free it and set it to NULL first.

  @param[in, out] Dock    The caller's record, zeroed before the first call.
  @param[in]      X       Screen column of the row, at most 1074.
  @param[in]      Y       Screen row of the row.
  @param[in]      Count   Items, 1 to ORVANE_DOCK_MAX_ITEMS.
  @param[in]      Labels  Count label strings; the array is the caller's and is reordered.
  @param[in]      Flags   Count values: picture kind 0 to 7 and badge (ORVANE_DOCK_); reordered.
  @param[in]      Active  Count values: 1 highlights the item without focus; reordered.

  @retval EFI_SUCCESS            Laid out.
  @retval EFI_INVALID_PARAMETER  A NULL pointer, Count 0 or above 16, X beyond 1074, or a
                                 picture kind of 8 to 15; the record is untouched.
  @retval EFI_BUFFER_TOO_SMALL   X is left of the record's x while a strip is kept (it would
                                 be too narrow); the record is untouched.
  @retval EFI_OUT_OF_RESOURCES   The strip could not be saved; the record is untouched.
**/
typedef EFI_STATUS(EFIAPI *ORVANE_INIT_ICON_DOCK)(IconDock *Dock, INT32 X, INT32 Y, UINT16 Count,
                                                  const CHAR16 **Labels, UINT16 *Flags,
                                                  UINT16 *Active);

/**
  Turns one pointer or key event into focus, drag and reorder changes of the
  dock. Draws nothing: call PaintIconDock after it.

  Hovering (ORVANE_EVENT_HOVER) focuses the picture under the pointer; a
  press (ORVANE_EVENT_PRESS) on a picture picks it up and moves with the
  pointer, exchanging it with its neighbours; any event of another kind drops
  it. A key event is the position (0, 0): with ORVANE_EVENT_HOVER the key moves
  the focus (no wrap), with ORVANE_EVENT_PRESS it moves the focused item one
  place. ORVANE_EVENT_NONE clears the focus.

  @param[in, out] Dock  A laid-out dock.
  @param[in]      X     Screen column of the pointer, or 0 with Y 0 for a key.
  @param[in]      Y     Screen row of the pointer.
  @param[in]      Kind  ORVANE_EVENT_ kind.
  @param[in]      Key   ORVANE_KEY_PREVIOUS (left) or ORVANE_KEY_NEXT (right) for a key event.

  @retval EFI_SUCCESS            Done.
  @retval EFI_INVALID_PARAMETER  A record InitIconDock would refuse, or a focus that is
                                 neither an item nor ORVANE_DOCK_NO_FOCUS; untouched.
**/
typedef EFI_STATUS(EFIAPI *ORVANE_TRACK_ICON_DOCK)(IconDock *Dock, INT32 X, INT32 Y, UINT16 Kind,
                                                   UINT16 Key);

/**
  Paints the dock's row and, below it, the label strip: the saved background
  and, while the focus comes from hovering or keys, the focused item's label.
  Two transfers.

  @param[in] Dock  A laid-out dock.

  @retval EFI_SUCCESS            Painted.
  @retval EFI_INVALID_PARAMETER  A record TrackIconDock would refuse; nothing drawn.
  @retval EFI_OUT_OF_RESOURCES   No pool memory; nothing drawn.
  @retval other                  A picture's decode status, or the graphics output's.
**/
typedef EFI_STATUS(EFIAPI *ORVANE_PAINT_ICON_DOCK)(const IconDock *Dock);

/**
  Lays an input dialog out from its texts. Draws nothing.

  The window widens to fit the title (keeping its centre), the field
  (MaxChars x 9 pixels and the prompt) and the buttons, and grows to at least
  188 pixels high. hotButton becomes 0 and closeShown 1.

  @param[out] Dialog          The caller's record; left unchanged on failure.
  @param[in]  X               Screen column of the left edge.
  @param[in]  Y               Screen row of the top edge.
  @param[in]  Width           Requested width; the layout decides the final one.
  @param[in]  Height          Requested height; more spreads the rows apart.
  @param[in]  Title           Window title, held by reference.
  @param[in]  Tag             Kept in the record's reserved field; not read.
  @param[in]  Prompt          Shown left of the field; NULL for none. Held by reference.
  @param[in]  Text            The input, held by reference: the caller edits it between paints.
  @param[in]  MaxChars        Field capacity in characters.
  @param[in]  ShowPlain       0 masks every character with an asterisk.
  @param[in]  ButtonCount     Buttons, 0 to 3.
  @param[in]  ButtonCaptions  Captions, held by reference; a NULL entry ends them early.

  @retval 0                      Laid out.
  @retval EFI_INVALID_PARAMETER  Dialog is NULL.
  @retval EFI_OUT_OF_RESOURCES   A text could not be measured.
**/
typedef UINTN(EFIAPI *ORVANE_INIT_INPUT_DIALOG)(InputDialog *Dialog, INT32 X, INT32 Y, UINT32 Width,
                                                INT32 Height, const CHAR16 *Title, UINT16 Tag,
                                                const CHAR16 *Prompt, const CHAR16 *Text,
                                                UINT16 MaxChars, UINT16 ShowPlain,
                                                UINT16 ButtonCount,
                                                const CHAR16 *const *ButtonCaptions);

/**
  Tells what of the input dialog lies under a pointer: hotButton becomes an
  ORVANE_DIALOG_HIT_ code. A button answers over its whole slot. Draws
  nothing. As the paint shows hotButton pressed, set it back to 0 when the
  pointer only hovers.

  @param[in, out] Dialog  A laid-out dialog.
  @param[in]      PX      Screen column of the pointer.
  @param[in]      PY      Screen row of the pointer.

  @retval 0                      Done.
  @retval EFI_INVALID_PARAMETER  Dialog is NULL.
**/
typedef UINTN(EFIAPI *ORVANE_HIT_TEST_INPUT_DIALOG)(InputDialog *Dialog, INT32 PX, INT32 PY);

/**
  Paints the input dialog over the screen at (x, y), in one transfer: frame,
  title, close box, prompt, the field with the text (masked unless showPlain)
  and the buttons, hotButton pressed. The screen under it is not kept.

  @param[in] Dialog  A laid-out dialog.

  @retval 0                      Painted.
  @retval EFI_INVALID_PARAMETER  Dialog is NULL.
  @retval EFI_OUT_OF_RESOURCES   No pool memory; nothing drawn.
  @retval other                  The graphics output's status.
**/
typedef UINTN(EFIAPI *ORVANE_PAINT_INPUT_DIALOG)(const InputDialog *Dialog);

/**
  Returns the length of a string.

  @param[in] String  A NUL-terminated string.

  @return  The characters before the terminator.
**/
typedef UINT32(EFIAPI *ORVANE_STRING_LENGTH)(const CHAR16 *String);

/**
  Switches how controls read the screen under them. With the switch on they
  read the frame buffer directly where the mode has a linear 32-bit
  blue-green-red one, else Blt: the pixels are the same, only the speed
  differs. Also makes PaintSettingRow paint on a plain dark ground.

  @param[in] Enable  TRUE to read the frame buffer, FALSE for Blt (the start).

  @return  The switch as stored.
**/
typedef BOOLEAN(EFIAPI *ORVANE_SET_FRAME_BUFFER_CAPTURE)(BOOLEAN Enable);

/**
  Sets the first graphics mode of the given resolution. The screen is cleared
  as the graphics output does on a mode change.

  @param[in] HorizontalResolution  Pixels across.
  @param[in] VerticalResolution    Pixels down.

  @retval EFI_SUCCESS      The mode is set.
  @retval EFI_UNSUPPORTED  No mode has that resolution.
  @retval other            The graphics output's SetMode status.
**/
typedef EFI_STATUS(EFIAPI *ORVANE_SET_VIDEO_MODE)(UINT32 HorizontalResolution,
                                                  UINT32 VerticalResolution);

/**
  Stamps one pen shape centred on (X, Y).

  @param[in, out] Buffer    Pixel buffer, or NULL (ORVANE_SCREEN) for the screen.
  @param[in]      RowWidth  Pixels per row of Buffer; ignored for the screen.
  @param[in]      Height    Rows of Buffer; ignored for the screen.
  @param[in]      X         Column of the centre.
  @param[in]      Y         Row of the centre.
  @param[in]      PenStyle  ORVANE_PEN_ style.
  @param[in]      Color     0x00RRGGBB.

  @retval 0  Always.
**/
typedef UINTN(EFIAPI *ORVANE_DRAW_POINT)(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height,
                                         INT32 X, INT32 Y, INT32 PenStyle, UINT32 Color);

/**
  Draws a line from (X1, Y1) to (X2, Y2), both ends included, stamping the pen
  at each point.

  @param[in, out] Buffer    Pixel buffer, or NULL for the screen.
  @param[in]      RowWidth  Pixels per row of Buffer.
  @param[in]      Height    Rows of Buffer.
  @param[in]      X1        Column of the first end.
  @param[in]      Y1        Row of the first end.
  @param[in]      X2        Column of the second end.
  @param[in]      Y2        Row of the second end.
  @param[in]      PenStyle  ORVANE_PEN_ style.
  @param[in]      Color     0x00RRGGBB.

  @retval 0  Always.
**/
typedef UINTN(EFIAPI *ORVANE_DRAW_LINE)(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height,
                                        INT32 X1, INT32 Y1, INT32 X2, INT32 Y2, INT32 PenStyle,
                                        UINT32 Color);

/**
  Draws a circle with an outline ring and a fill.

  @param[in, out] Buffer     Pixel buffer, or NULL for the screen.
  @param[in]      RowWidth   Pixels per row of Buffer.
  @param[in]      Height     Rows of Buffer.
  @param[in]      CenterX    Column of the centre.
  @param[in]      CenterY    Row of the centre.
  @param[in]      Radius     Radius in pixels.
  @param[in]      Thickness  Width of the outline ring in pixels.
  @param[in]      FillStyle  ORVANE_CIRCLE_ style.
  @param[in]      Color1     Outline and gradient start, 0x00RRGGBB.
  @param[in]      Color2     Fill and gradient end, 0x00RRGGBB.

  @retval 0  Always.
**/
typedef UINTN(EFIAPI *ORVANE_DRAW_CIRCLE)(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height,
                                          INT32 CenterX, INT32 CenterY, INT32 Radius,
                                          INT32 Thickness, INT32 FillStyle, UINT32 Color1,
                                          UINT32 Color2);

/**
  Draws a rectangle with a pen outline and a fill. On the screen a filled
  rectangle is painted off-screen and sent in one transfer.

  @param[in, out] Buffer      Pixel buffer, or NULL for the screen.
  @param[in]      RowWidth    Pixels per row of Buffer.
  @param[in]      Height      Rows of Buffer.
  @param[in]      X           Column of the left edge.
  @param[in]      Y           Row of the top edge.
  @param[in]      Width       Rectangle width.
  @param[in]      RectHeight  Rectangle height.
  @param[in]      PenStyle    ORVANE_PEN_ style of the outline.
  @param[in]      FillStyle   ORVANE_FILL_ style.
  @param[in]      Color1      Outline and gradient start, 0x00RRGGBB.
  @param[in]      Color2      Fill and gradient end, 0x00RRGGBB.

  @retval 0                     Drawn.
  @retval EFI_OUT_OF_RESOURCES  A filled rectangle on the screen found no pool memory; nothing
                                drawn.
**/
typedef UINTN(EFIAPI *ORVANE_DRAW_RECTANGLE)(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height,
                                             INT32 X, INT32 Y, INT32 Width, INT32 RectHeight,
                                             INT32 PenStyle, INT32 FillStyle, UINT32 Color1,
                                             UINT32 Color2);

/**
  Draws a triangle with a pen outline and a fill.

  @param[in, out] Buffer     Pixel buffer, or NULL for the screen.
  @param[in]      RowWidth   Pixels per row of Buffer.
  @param[in]      Height     Rows of Buffer.
  @param[in]      X1         Column of the first corner.
  @param[in]      Y1         Row of the first corner.
  @param[in]      X2         Column of the second corner.
  @param[in]      Y2         Row of the second corner.
  @param[in]      X3         Column of the third corner.
  @param[in]      Y3         Row of the third corner.
  @param[in]      PenStyle   ORVANE_PEN_ style of the outline.
  @param[in]      FillStyle  ORVANE_FILL_ style.
  @param[in]      Color1     Outline and gradient start, 0x00RRGGBB.
  @param[in]      Color2     Fill and gradient end, 0x00RRGGBB.

  @retval 0  Always.
**/
typedef UINTN(EFIAPI *ORVANE_DRAW_TRIANGLE)(ORVANE_PIXEL *Buffer, INT32 RowWidth, INT32 Height,
                                            UINT32 X1, UINT32 Y1, UINT32 X2, UINT32 Y2, UINT32 X3,
                                            UINT32 Y3, INT32 PenStyle, INT32 FillStyle,
                                            UINT32 Color1, UINT32 Color2);

/**
  Draws a regular polygon inscribed in a circle, its first vertex at the top,
  each next one turned clockwise.

  @param[in, out] Buffer    Pixel buffer, or NULL for the screen.
  @param[in]      RowWidth  Pixels per row of Buffer.
  @param[in]      Height    Rows of Buffer.
  @param[in]      CenterX   Column of the centre.
  @param[in]      CenterY   Row of the centre.
  @param[in]      Sides     Number of sides; 0 draws nothing.
  @param[in]      Radius    Radius of the circle in pixels.
  @param[in]      PenStyle  ORVANE_PEN_ style.
  @param[in]      Color     0x00RRGGBB.

  @retval 0  Always.
**/
typedef UINTN(EFIAPI *ORVANE_DRAW_REGULAR_POLYGON)(ORVANE_PIXEL *Buffer, INT32 RowWidth,
                                                   INT32 Height, INT32 CenterX, INT32 CenterY,
                                                   INT32 Sides, INT32 Radius, INT32 PenStyle,
                                                   UINT32 Color);

/**
  Sends a whole buffer to the screen in one transfer; what lies off the screen
  is left out. The buffer stays the caller's.

  @param[in] Buffer  Width x Height pixels, row width Width.
  @param[in] Width   Pixels across.
  @param[in] Height  Rows.
  @param[in] X       Screen column of the buffer's left edge.
  @param[in] Y       Screen row of its top edge.

  @retval 0  Always; the graphics output's status is not reported.
**/
typedef UINTN(EFIAPI *ORVANE_BLIT_TO_SCREEN)(const ORVANE_PIXEL *Buffer, INT32 Width, INT32 Height,
                                             INT32 X, INT32 Y);

/**
  Sets every pixel of a buffer to 0x00000000 (black).

  @param[out] Buffer  Width x Height pixels; NULL changes nothing.
  @param[in]  Width   Pixels across.
  @param[in]  Height  Rows.

  @retval 0  Always.
**/
typedef UINTN(EFIAPI *ORVANE_CLEAR_BUFFER)(ORVANE_PIXEL *Buffer, INT32 Width, INT32 Height);

/**
  Draws formatted text on the screen in the system font, 19 pixels a line
  times Scale; only the first line of the text is drawn.

  Opaque text (a Background) is one transfer and must fit on the screen.
  Transparent text (no Background) changes only the glyph pixels and leaves
  the screen under everything else.

  @param[in] Foreground  Glyph colour, 0x00RRGGBB.
  @param[in] Background  Colour of the cell around the glyphs, or NULL for transparent text.
  @param[in] Scale       Milli factor, ORVANE_SCALE_NORMAL (1000) to ORVANE_SCALE_DOUBLE (2000).
  @param[in] X           Screen column of the text's top-left corner.
  @param[in] Y           Screen row of the text's top-left corner.
  @param[in] Format      Format of the platform's print service: %s a CHAR16 string, %a an
                         ASCII one, %d %u %x 32-bit numbers (%ld and so on 64-bit), %c, %%.
  @param[in] ...         The format's arguments.

  @retval ORVANE_TEXT_DONE             Drawn.
  @retval ORVANE_TEXT_SERVICE_MISSING  No Format, a missing service or no pool memory.
  @retval ORVANE_TEXT_TRANSFER_FAILED  Opaque text past the screen's edge; nothing shown.
  @retval ORVANE_TEXT_SCALE_REFUSED    Scale outside 1000 to 2000.
**/
typedef UINTN(EFIAPI *ORVANE_DRAW_TEXT)(UINT32 Foreground, const ORVANE_PIXEL *Background,
                                        Milli Scale, UINT16 X, UINT16 Y, const CHAR16 *Format, ...);

/**
  Renders a string (not formatted) into a bitmap in the system font, to
  measure it or to compose it into a buffer. Draws nothing.

  @param[in]      Scale   Milli factor, 1000 to 2000.
  @param[in, out] Image   In: Foreground and Background. Out: Width, Height and Bitmap; the
                          bitmap is pool memory of the caller's, to FreePool.
  @param[in]      String  The text; only its first line is rendered.

  @retval ORVANE_TEXT_DONE             Rendered; Image->Bitmap is the caller's.
  @retval ORVANE_TEXT_NO_RECORD        Image is NULL.
  @retval ORVANE_TEXT_SERVICE_MISSING  No String, a missing service or no pool memory.
  @retval ORVANE_TEXT_SCALE_REFUSED    Scale outside 1000 to 2000.
**/
typedef UINTN(EFIAPI *ORVANE_RENDER_TEXT)(Milli Scale, TextImage *Image, const CHAR16 *String);

/**
  Captures the whole screen into a picture that the toolkit keeps, for
  DimCapturedScreen, RestoreCapturedScreen and ReleaseCapturedScreen. A second
  capture at the same resolution reuses the buffers; the screen is unchanged.

  @param[out] Screen  The captured picture, Width x Height pixels. It stays the toolkit's:
                      read it, never free it; it lives until ReleaseCapturedScreen.
  @param[out] Width   The picture's width (the current mode's).
  @param[out] Height  The picture's height.

  @retval ORVANE_CAPTURE_DONE               Captured.
  @retval ORVANE_CAPTURE_NO_SCREEN_BUFFER   No pool memory; nothing captured.
  @retval ORVANE_CAPTURE_NO_WORKING_BUFFER  Captured, but DimCapturedScreen cannot work.
**/
typedef UINTN(EFIAPI *ORVANE_CAPTURE_SCREEN)(ORVANE_PIXEL **Screen, UINT32 *Width, UINT32 *Height);

/**
  Shows the captured picture darkened over the whole screen; the picture
  itself is kept. Without a capture nothing happens.

  @param[in] Level  1 (10 % of the brightness) to 9 (90 %); 0 and 10 or more do nothing.

  @retval 0  Always.
**/
typedef UINTN(EFIAPI *ORVANE_DIM_CAPTURED_SCREEN)(UINT32 Level);

/**
  RestoreCapturedScreen puts the captured picture back on the screen, in one
  transfer, and keeps it. ReleaseCapturedScreen frees the captured picture and
  draws nothing; a second release does nothing. Without a capture neither
  does anything.

  @retval 0  Always.
**/
typedef UINTN(EFIAPI *ORVANE_SCREEN_ACTION)(void);

/**
  WipeTransition and DissolveTransition bring a prepared picture onto the
  screen block by block: the picture is cut into 51 x 51 blocks, sent along
  the diagonals from the top-left corner (wipe) or in a fixed scattered order
  (dissolve), with a pause after each block. The picture stays the caller's.

  @param[in] Image   Width x Height pixels, row width Width; NULL does nothing.
  @param[in] Width   Pixels across.
  @param[in] Height  Rows.
  @param[in] X       Screen column of the picture's left edge.
  @param[in] Y       Screen row of its top edge.

  @retval 0  Always.
**/
typedef UINTN(EFIAPI *ORVANE_TRANSITION)(const ORVANE_PIXEL *Image, UINT32 Width, UINT32 Height,
                                         UINT32 X, UINT32 Y);

/**
  Fills a setting row and resets its slider (percent, stepIndex, stepMode and
  hotPart 0). Draws nothing.

  The slider lies at the row's right end: with E = X + Width - SliderLength,
  its left arrow spans columns E - 83 to E - 61, its track E - 49 (value 0) to
  E - 65 + SliderLength (value 100), its right arrow the 23 columns from
  E - 52 + SliderLength.

  @param[out] Row           The caller's record.
  @param[in]  X             Screen column of the left edge.
  @param[in]  Y             Screen row of the top edge.
  @param[in]  Width         Row width.
  @param[in]  LabelWidth    Width of the label cell.
  @param[in]  SliderLength  Slider extent; 0 for a row without a slider.
  @param[in]  CallerData0   Kept for the caller.
  @param[in]  StepCount     Slider steps, at least 2 for a slider.
  @param[in]  CallerData1   Kept for the caller.
  @param[in]  CallerData2   Kept for the caller.
  @param[in]  CallerData3   Kept for the caller.
  @param[in]  Label         Label text, held by reference; NULL paints empty cells.
  @param[in]  Value         Value text, held by reference; NULL for none.
  @param[in]  CellFlags     ORVANE_CELL_ flags of both cells.
  @param[in]  Kind          ORVANE_ROW_CELLS; any other value draws no cells.
  @param[in]  Chevron       Non-zero: a submenu chevron.

  @retval EFI_SUCCESS            Filled.
  @retval EFI_INVALID_PARAMETER  Row is NULL.
**/
typedef EFI_STATUS(EFIAPI *ORVANE_INIT_SETTING_ROW)(
    SettingRow *Row, INT32 X, INT32 Y, UINT16 Width, UINT16 LabelWidth, UINT16 SliderLength,
    UINT16 CallerData0, UINT16 StepCount, INT16 CallerData1, UINT8 CallerData2, UINT8 CallerData3,
    const CHAR16 *Label, const CHAR16 *Value, UINT16 CellFlags, INT16 Kind, UINT8 Chevron);

/**
  Paints a setting row, 19 pixels high, in one transfer: its two cells over
  the screen under it (over 0x131313 when frame-buffer capture is on) and the
  chevron. The slider is not drawn.

  @param[in] Row  A filled row.

  @retval EFI_SUCCESS            Painted.
  @retval EFI_INVALID_PARAMETER  Row is NULL.
  @retval EFI_OUT_OF_RESOURCES   No pool memory; nothing drawn.
  @retval other                  The graphics output's status.
**/
typedef EFI_STATUS(EFIAPI *ORVANE_PAINT_SETTING_ROW)(const SettingRow *Row);

/**
  Turns a pointer position into slider state: hotPart, and for a press on an
  arrow one step (stepMode 1), on the track a position (percent and
  stepIndex). A position off the slider only clears hotPart. Draws nothing.

  @param[in, out] Row       A filled row.
  @param[in]      PointerX  Screen column of the pointer.
  @param[in]      PointerY  Screen row of the pointer.

  @retval EFI_SUCCESS            Done.
  @retval EFI_INVALID_PARAMETER  Row is NULL.
**/
typedef EFI_STATUS(EFIAPI *ORVANE_TRACK_SETTING_SLIDER)(SettingRow *Row, INT32 PointerX,
                                                        INT32 PointerY);

/**
  Fills a digit readout: cleans the text, pads a temperature to three digits,
  sizes the readout and, with Capture, saves the screen under it. Draws
  nothing.

  @param[out]     Readout  The caller's record. Free a background or padded text it holds
                           from an earlier call first.
  @param[in]      X        Screen column of the left edge.
  @param[in]      Y        Screen row of the top edge.
  @param[in, out] Text     Digits, ":" and "-"; cut in place at the first other character.
                           Kept by reference unless a padded copy is made.
  @param[in]      Size     ORVANE_READOUT_ size.
  @param[in]      Capture  ORVANE_READOUT_CAPTURE saves the screen under the readout into
                           background (pool memory of the caller's); any other value leaves
                           background to the caller.

  @retval EFI_SUCCESS            Filled.
  @retval EFI_INVALID_PARAMETER  NULL Readout or Text, a size above 2 or a text over 255
                                 characters; the record is untouched.
  @retval EFI_OUT_OF_RESOURCES   No pool memory; the record is untouched.
**/
typedef EFI_STATUS(EFIAPI *ORVANE_INIT_DIGIT_READOUT)(DigitReadout *Readout, INT32 X, INT32 Y,
                                                      CHAR16 *Text, UINT16 Size, UINT8 Capture);

/**
  Paints the readout's text over its background and sends it to the screen
  in one transfer. The record is not changed.

  @param[in] Readout  A filled readout with a background.

  @retval EFI_SUCCESS            Painted.
  @retval EFI_INVALID_PARAMETER  NULL record, text or background, or a bad size.
  @retval EFI_OUT_OF_RESOURCES   No pool memory; nothing drawn.
  @retval other                  The graphics output's status.
**/
typedef EFI_STATUS(EFIAPI *ORVANE_PAINT_DIGIT_READOUT)(const DigitReadout *Readout);

/**
  Gives the toolkit's name and version: as text in a buffer, or drawn on the
  screen as four white lines on blue at the top left (rows 20 to 98).

  @param[out] Buffer  At least 125 characters for the text (four lines joined by LF), or
                      NULL to draw on the screen.

  @return  Buffer, or NULL when the banner was drawn.
**/
typedef CHAR16 *(EFIAPI *ORVANE_BANNER)(CHAR16 *Buffer);

/**
  Puts an option-popup set into its first state: nine empty entries, no
  focus, a close box, texts cut at 31 characters. Draws nothing. Icons held by
  the entries are dropped, not freed: free them first.

  @param[out] Set  The caller's set.

  @retval 0                      Done.
  @retval EFI_INVALID_PARAMETER  Set is NULL.
**/
typedef UINTN(EFIAPI *ORVANE_RESET_OPTION_POPUPS)(OptionPopupSet *Set);

/**
  Fills the entry of a popup kind: title, items, height (63 + Count x 45 + 25)
  and its title icon, decoded on the first definition. The window is moved to
  fit a 1024 x 768 screen. Draws nothing; the shown popup is not changed.

  @param[in, out] Set    A reset set.
  @param[in]      X      Screen column of the left edge.
  @param[in]      Y      Screen row of the top edge.
  @param[in]      Kind   ORVANE_OPTION_ kind.
  @param[in]      Title  Window title, held by reference.
  @param[in]      Count  Items.
  @param[in]      Items  Count strings; the array is the caller's and is reordered by drags.

  @retval EFI_SUCCESS            Defined.
  @retval EFI_NOT_FOUND          Kind is not an ORVANE_OPTION_ kind; nothing changed.
  @retval EFI_INVALID_PARAMETER  Set is NULL, or Items is NULL with items.
  @retval other                  The icon could not be decoded.
**/
typedef EFI_STATUS(EFIAPI *ORVANE_DEFINE_OPTION_POPUP)(OptionPopupSet *Set, INT32 X, INT32 Y,
                                                       UINT16 Kind, const CHAR16 *Title,
                                                       UINT16 Count, const CHAR16 **Items);

/**
  Turns one pointer or key event into focus, close-box, drag and reorder
  changes of the shown popup. Draws nothing: call PaintOptionPopup after it.

  Hovering (ORVANE_EVENT_HOVER) focuses the row under the pointer and lights
  the close box; a press (ORVANE_EVENT_PRESS) on a row picks it up and the
  rows are reordered while it moves; an event of another kind drops it. A key
  event is the position (0, 0): with ORVANE_EVENT_HOVER the key moves the
  focus (no wrap), with ORVANE_EVENT_PRESS it moves the focused item.

  @param[in, out] Set         A set whose entry is defined.
  @param[in]      EntryIndex  The entry shown (ORVANE_OPTION_ kinds name their entries).
  @param[in]      PointerX    Screen column of the pointer, or 0 with PointerY 0 for a key.
  @param[in]      PointerY    Screen row of the pointer.
  @param[in]      EventKind   ORVANE_EVENT_ kind.
  @param[in]      Key         ORVANE_KEY_PREVIOUS (up) or ORVANE_KEY_NEXT (down).

  @retval 0                            Done.
  @retval ORVANE_OPTION_CLOSE_PRESSED  The close box was pressed: close the popup.
  @retval EFI_INVALID_PARAMETER        Set is NULL or EntryIndex is above 8.
**/
typedef UINTN(EFIAPI *ORVANE_TRACK_OPTION_POPUP)(OptionPopupSet *Set, UINT16 EntryIndex,
                                                 INT32 PointerX, INT32 PointerY, UINT16 EventKind,
                                                 UINT16 Key);

/**
  Paints the shown option popup in one transfer: frame, title icon, item rows
  (the focused one lit, a dragged one at its drag position) and close box. The
  first paint saves the screen under the popup for CloseOptionPopup.

  @param[in, out] Set  A set whose shown entry is defined.

  @retval EFI_SUCCESS            Painted.
  @retval EFI_INVALID_PARAMETER  NULL Set, a shown entry above 8, a NULL item or item array,
                                 a height of 0, or maxItemChars below 8 or too large for the
                                 width (8 x maxItemChars + 67 must fit in it).
  @retval EFI_OUT_OF_RESOURCES   No pool memory; nothing drawn or saved.
  @retval other                  A decode or the graphics output's status.
**/
typedef EFI_STATUS(EFIAPI *ORVANE_PAINT_OPTION_POPUP)(OptionPopupSet *Set);

/**
  Closes the shown option popup: puts the screen saved by its first paint
  back and frees it.

  @param[in, out] Set  The set; savedBackground becomes NULL.

  @retval EFI_SUCCESS            Restored.
  @retval EFI_NOT_FOUND          Nothing is saved (the popup was never painted).
  @retval EFI_INVALID_PARAMETER  Set is NULL or its shown entry is above 8.
  @retval other                  The graphics output's status; the saved screen is freed.
**/
typedef EFI_STATUS(EFIAPI *ORVANE_CLOSE_OPTION_POPUP)(OptionPopupSet *Set);

/**
  The drawing toolkit's interface, installed on the driver's image handle under
  ORVANE_UI_PROTOCOL_GUID. Slot n sits at byte offset 8 x n; the order is the
  interface.
**/
typedef struct {
  EFI_HANDLE ImageHandle;                                 ///< The driver's image handle.
  ORVANE_OPEN_LIST_POPUP OpenListPopup;                   ///< 1: see ORVANE_OPEN_LIST_POPUP.
  ORVANE_PAINT_LIST_POPUP PaintListPopup;                 ///< 2: see ORVANE_PAINT_LIST_POPUP.
  ORVANE_SCROLL_LIST_POPUP ScrollListPopup;               ///< 3: see ORVANE_SCROLL_LIST_POPUP.
  ORVANE_HIT_TEST_LIST_POPUP HitTestListPopup;            ///< 4: see ORVANE_HIT_TEST_LIST_POPUP.
  ORVANE_CLOSE_LIST_POPUP CloseListPopup;                 ///< 5: see ORVANE_CLOSE_LIST_POPUP.
  ORVANE_GET_LIST_POPUP_VIEW GetListPopupView;            ///< 6: see ORVANE_GET_LIST_POPUP_VIEW.
  ORVANE_DRAW_GAUGE_PANEL DrawGaugePanel;                 ///< 7: see ORVANE_DRAW_GAUGE_PANEL.
  ORVANE_INIT_MESSAGE_BOX InitMessageBox;                 ///< 8: see ORVANE_INIT_MESSAGE_BOX.
  ORVANE_HIT_TEST_MESSAGE_BOX HitTestMessageBox;          ///< 9: see ORVANE_HIT_TEST_MESSAGE_BOX.
  ORVANE_PAINT_MESSAGE_BOX PaintMessageBox;               ///< 10: see ORVANE_PAINT_MESSAGE_BOX.
  ORVANE_DRAW_DIVIDER_STRIP DrawDividerStrip;             ///< 11: see ORVANE_DRAW_DIVIDER_STRIP.
  ORVANE_DRAW_SCROLL_BAR DrawScrollBar;                   ///< 12: see ORVANE_DRAW_SCROLL_BAR.
  ORVANE_HIT_TEST_SCROLL_BAR HitTestScrollBar;            ///< 13: see ORVANE_HIT_TEST_SCROLL_BAR.
  ORVANE_DRAW_TILE DrawTile;                              ///< 14: see ORVANE_DRAW_TILE.
  ORVANE_DRAW_PROGRESS_BAR DrawProgressBar;               ///< 15: see ORVANE_DRAW_PROGRESS_BAR.
  ORVANE_DRAW_DOTTED_RULE DrawDottedRule;                 ///< 16: see ORVANE_DRAW_DOTTED_RULE.
  ORVANE_INIT_INPUT_DIALOG InitInputDialog;               ///< 17: see ORVANE_INIT_INPUT_DIALOG.
  ORVANE_HIT_TEST_INPUT_DIALOG HitTestInputDialog;        ///< 18: see ORVANE_HIT_TEST_INPUT_DIALOG.
  ORVANE_PAINT_INPUT_DIALOG PaintInputDialog;             ///< 19: see ORVANE_PAINT_INPUT_DIALOG.
  ORVANE_INIT_SETTING_ROW InitSettingRow;                 ///< 20: see ORVANE_INIT_SETTING_ROW.
  ORVANE_PAINT_SETTING_ROW PaintSettingRow;               ///< 21: see ORVANE_PAINT_SETTING_ROW.
  ORVANE_TRACK_SETTING_SLIDER TrackSettingSlider;         ///< 22: see ORVANE_TRACK_SETTING_SLIDER.
  ORVANE_INIT_DIGIT_READOUT InitDigitReadout;             ///< 23: see ORVANE_INIT_DIGIT_READOUT.
  ORVANE_PAINT_DIGIT_READOUT PaintDigitReadout;           ///< 24: see ORVANE_PAINT_DIGIT_READOUT.
  ORVANE_INIT_ICON_DOCK InitIconDock;                     ///< 25: see ORVANE_INIT_ICON_DOCK.
  ORVANE_TRACK_ICON_DOCK TrackIconDock;                   ///< 26: see ORVANE_TRACK_ICON_DOCK.
  ORVANE_PAINT_ICON_DOCK PaintIconDock;                   ///< 27: see ORVANE_PAINT_ICON_DOCK.
  ORVANE_RESET_OPTION_POPUPS ResetOptionPopups;           ///< 28: see ORVANE_RESET_OPTION_POPUPS.
  ORVANE_DEFINE_OPTION_POPUP DefineOptionPopup;           ///< 29: see ORVANE_DEFINE_OPTION_POPUP.
  ORVANE_TRACK_OPTION_POPUP TrackOptionPopup;             ///< 30: see ORVANE_TRACK_OPTION_POPUP.
  ORVANE_PAINT_OPTION_POPUP PaintOptionPopup;             ///< 31: see ORVANE_PAINT_OPTION_POPUP.
  ORVANE_CLOSE_OPTION_POPUP CloseOptionPopup;             ///< 32: see ORVANE_CLOSE_OPTION_POPUP.
  ORVANE_STRING_LENGTH StringLength;                      ///< 33: see ORVANE_STRING_LENGTH.
  ORVANE_SET_FRAME_BUFFER_CAPTURE SetFrameBufferCapture;  ///< 34: see
                                                          ///< ORVANE_SET_FRAME_BUFFER_CAPTURE.
  ORVANE_SET_VIDEO_MODE SetVideoMode;                     ///< 35: see ORVANE_SET_VIDEO_MODE.
  ORVANE_DRAW_POINT DrawPoint;                            ///< 36: see ORVANE_DRAW_POINT.
  ORVANE_DRAW_LINE DrawLine;                              ///< 37: see ORVANE_DRAW_LINE.
  ORVANE_DRAW_CIRCLE DrawCircle;                          ///< 38: see ORVANE_DRAW_CIRCLE.
  ORVANE_DRAW_RECTANGLE DrawRectangle;                    ///< 39: see ORVANE_DRAW_RECTANGLE.
  ORVANE_DRAW_TRIANGLE DrawTriangle;                      ///< 40: see ORVANE_DRAW_TRIANGLE.
  ORVANE_DRAW_REGULAR_POLYGON DrawRegularPolygon;         ///< 41: see ORVANE_DRAW_REGULAR_POLYGON.
  ORVANE_BLIT_TO_SCREEN BlitToScreen;                     ///< 42: see ORVANE_BLIT_TO_SCREEN.
  ORVANE_CLEAR_BUFFER ClearBuffer;                        ///< 43: see ORVANE_CLEAR_BUFFER.
  ORVANE_DRAW_TEXT DrawText;                              ///< 44: see ORVANE_DRAW_TEXT.
  ORVANE_RENDER_TEXT RenderText;                          ///< 45: see ORVANE_RENDER_TEXT.
  ORVANE_CAPTURE_SCREEN CaptureScreen;                    ///< 46: see ORVANE_CAPTURE_SCREEN.
  ORVANE_DIM_CAPTURED_SCREEN DimCapturedScreen;           ///< 47: see ORVANE_DIM_CAPTURED_SCREEN.
  ORVANE_SCREEN_ACTION RestoreCapturedScreen;             ///< 48: see ORVANE_SCREEN_ACTION.
  ORVANE_SCREEN_ACTION ReleaseCapturedScreen;             ///< 49: see ORVANE_SCREEN_ACTION.
  ORVANE_TRANSITION WipeTransition;                       ///< 50: see ORVANE_TRANSITION.
  ORVANE_TRANSITION DissolveTransition;                   ///< 51: see ORVANE_TRANSITION.
} ORVANE_UI_PROTOCOL;

/** The banner interface, installed under ORVANE_BANNER_PROTOCOL_GUID. */
typedef struct {
  ORVANE_BANNER Banner;  ///< The toolkit's name and version; see ORVANE_BANNER.
} ORVANE_BANNER_PROTOCOL;

// ================================================================ recipes
// Small sequences of slot calls that every front-end would otherwise repeat.

/**
  Selects a row of a list popup, as the Up and Down keys do, and scrolls the
  popup so that the row shows. Draws nothing: call PaintListPopup after it.

  The row becomes both selectedRow and hotRow (a hot row left on another row
  would show two highlights, and hotRow -1 or -2 would hide the scroll bar).
  Moving down brings the row to the view's bottom, moving up to its top.

  @param[in]      Ui     The toolkit.
  @param[in, out] Popup  An open popup with rows.
  @param[in]      Row    The row; clamped to the rows there are.

  @retval 0                      Selected, and in view.
  @retval EFI_INVALID_PARAMETER  Popup is NULL or has no rows.
**/
static inline UINTN OrvaneListPopupSelect(const ORVANE_UI_PROTOCOL *Ui, ListPopup *Popup,
                                          INT32 Row) {
  ListPopupView View;
  INT32 Target;
  INT16 Before;
  UINTN Status;
  if (!Popup || Popup->itemCount == 0) {
    return EFI_INVALID_PARAMETER;
  }
  Row = Row < 0 ? 0 : (Row >= Popup->itemCount ? Popup->itemCount - 1 : Row);
  Before = Popup->selectedRow;
  Popup->selectedRow = (INT16)Row;
  Popup->hotRow = (INT16)Row;
  // Written only when some thumb position qualifies: start from where it is.
  View.outOfView = 0;
  View.thumbShowingTop = (INT16)Popup->thumbPos;
  View.thumbShowingBottom = (INT16)Popup->thumbPos;
  Status = Ui->GetListPopupView(Popup, &View);
  if (Status != 0 || !View.outOfView || Popup->thumbPos == 0) {
    return Status;
  }
  // The thumb's travel, in pixels, is what scrolls: never a row count.
  Target = Row > Before ? View.thumbShowingBottom : View.thumbShowingTop;
  return Ui->ScrollListPopup(Popup, ORVANE_SCROLL_PART_NONE, Target - (INT32)Popup->thumbPos);
}

/**
  Moves a setting row's slider one step, as the Left and Right keys do: the
  same as a press on the slider's arrow, so stepIndex moves (held at 0 and
  stepCount - 1), stepMode becomes 1 and hotPart names the arrow. percent is
  not changed: with stepMode 1 the value is stepIndex / (stepCount - 1).
  Draws nothing: paint the row and draw the slider after it.

  @param[in]      Ui    The toolkit.
  @param[in, out] Row   A row with a slider.
  @param[in]      Up    TRUE for the right arrow (one step up), FALSE for the left one.

  @retval EFI_SUCCESS            Stepped.
  @retval EFI_INVALID_PARAMETER  Row is NULL.
**/
static inline EFI_STATUS OrvaneSettingSliderStep(const ORVANE_UI_PROTOCOL *Ui, SettingRow *Row,
                                                 BOOLEAN Up) {
  INT32 End;
  if (!Row) {
    return EFI_INVALID_PARAMETER;
  }
  // The slider's columns are counted in 16 bits, as TrackSettingSlider counts them.
  End = (INT16)((INT64)Row->x + Row->width - Row->sliderLength);
  return Ui->TrackSettingSlider(Row, Up ? (INT16)(End - 52 + Row->sliderLength) + 11 : End - 72,
                                Row->y + 9);
}

/**
  The entry of an OptionPopupSet that a popup kind fills.

  @param[in] Kind  An ORVANE_OPTION_ kind.

  @return  The entry, 0 to 8, or ORVANE_OPTION_ENTRIES for a value that is no kind.
**/
static inline UINT16 OrvaneOptionEntry(UINT16 Kind) {
  switch (Kind) {
    case ORVANE_OPTION_SETTINGS: return 0;
    case ORVANE_OPTION_CLOCK: return 1;
    case ORVANE_OPTION_LANGUAGE: return 2;
    case ORVANE_OPTION_SECURITY: return 3;
    case ORVANE_OPTION_DISPLAY: return 4;
    case ORVANE_OPTION_STORAGE: return 5;
    case ORVANE_OPTION_POWER: return 6;
    case ORVANE_OPTION_BOOT_ORDER: return 7;
    case ORVANE_OPTION_PERFORMANCE: return 8;
    default: return ORVANE_OPTION_ENTRIES;
  }
}

/**
  Opens an option popup: closes the one shown (its screen comes back),
  defines the popup of Kind, makes it the shown one with Focus lit, and paints
  it, which saves the screen under it. Feed it events with TrackOptionPopup
  (entry OrvaneOptionEntry(Kind)) and PaintOptionPopup; CloseOptionPopup
  takes it away.

  @param[in]      Ui     The toolkit.
  @param[in, out] Set    A reset set.
  @param[in]      X      Screen column of the left edge.
  @param[in]      Y      Screen row of the top edge.
  @param[in]      Kind   ORVANE_OPTION_ kind.
  @param[in]      Title  Window title, held by reference.
  @param[in]      Count  Items.
  @param[in]      Items  Count strings; the array is reordered by drags.
  @param[in]      Focus  The item lit first, or ORVANE_OPTION_NO_FOCUS.

  @retval EFI_SUCCESS  Shown.
  @retval other        DefineOptionPopup's or PaintOptionPopup's status.
**/
static inline EFI_STATUS OrvaneOpenOptionPopup(const ORVANE_UI_PROTOCOL *Ui, OptionPopupSet *Set,
                                               INT32 X, INT32 Y, UINT16 Kind, const CHAR16 *Title,
                                               UINT16 Count, const CHAR16 **Items, UINT16 Focus) {
  EFI_STATUS Status;
  if (!Set) {
    return EFI_INVALID_PARAMETER;
  }
  if (Set->state.savedBackground) {
    Ui->CloseOptionPopup(Set);
  }
  Status = Ui->DefineOptionPopup(Set, X, Y, Kind, Title, Count, Items);
  if (EFI_ERROR(Status)) {
    return Status;
  }
  Set->state.shown = OrvaneOptionEntry(Kind);
  Set->state.focus = Focus < Count ? Focus : ORVANE_OPTION_NO_FOCUS;
  Set->state.mode = Focus < Count ? ORVANE_EVENT_HOVER : ORVANE_EVENT_NONE;
  Set->state.dragging = 0;
  Set->state.dragOffset = 0;
  Set->state.grab = 0;
  Set->state.closeState = ORVANE_CLOSE_NORMAL;
  return Ui->PaintOptionPopup(Set);
}

/// @cond ORVANE_INTERNAL
// The layouts every front-end relies on, in C as in C++.
ORVANE_STATIC_ASSERT(sizeof(TextImage) == 24, "TextImage");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(TextImage, Foreground) == 0, "TextImage.Foreground");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(TextImage, Background) == 4, "TextImage.Background");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(TextImage, Width) == 8, "TextImage.Width");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(TextImage, Height) == 12, "TextImage.Height");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(TextImage, Bitmap) == 16, "TextImage.Bitmap");
ORVANE_STATIC_ASSERT(sizeof(ListPopup) == 64, "ListPopup");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, x) == 0, "ListPopup.x");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, y) == 4, "ListPopup.y");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, width) == 8, "ListPopup.width");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, height) == 12, "ListPopup.height");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, title) == 16, "ListPopup.title");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, flags) == 24, "ListPopup.flags");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, itemCount) == 26, "ListPopup.itemCount");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, textMask) == 32, "ListPopup.textMask");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, pageCount) == 40, "ListPopup.pageCount");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, maskWidth) == 42, "ListPopup.maskWidth");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, contentHeight) == 44, "ListPopup.contentHeight");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, thumbPos) == 46, "ListPopup.thumbPos");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, thumbLength) == 48, "ListPopup.thumbLength");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, selectedRow) == 50, "ListPopup.selectedRow");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, hotRow) == 52, "ListPopup.hotRow");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, hotScrollPart) == 54, "ListPopup.hotScrollPart");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, titleHeight) == 56, "ListPopup.titleHeight");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, closeShown) == 58, "ListPopup.closeShown");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, closeState) == 59, "ListPopup.closeState");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, lastSelectedRow) == 60,
                     "ListPopup.lastSelectedRow");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopup, visibleRows) == 62, "ListPopup.visibleRows");
ORVANE_STATIC_ASSERT(sizeof(ListPopupView) == 6, "ListPopupView");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopupView, outOfView) == 0, "ListPopupView.outOfView");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopupView, thumbShowingTop) == 2,
                     "ListPopupView.thumbShowingTop");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ListPopupView, thumbShowingBottom) == 4,
                     "ListPopupView.thumbShowingBottom");
ORVANE_STATIC_ASSERT(sizeof(MessageBox) == 72, "MessageBox");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, X) == 0, "MessageBox.X");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, Y) == 4, "MessageBox.Y");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, Width) == 8, "MessageBox.Width");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, Height) == 12, "MessageBox.Height");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, LineCount) == 16, "MessageBox.LineCount");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, Lines) == 24, "MessageBox.Lines");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, ButtonCount) == 32, "MessageBox.ButtonCount");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, Captions) == 40, "MessageBox.Captions");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, TextWidth) == 48, "MessageBox.TextWidth");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, TextHeight) == 50, "MessageBox.TextHeight");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, TextLeft) == 52, "MessageBox.TextLeft");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, TextTop) == 54, "MessageBox.TextTop");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, ButtonsLeft) == 56, "MessageBox.ButtonsLeft");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, ButtonGap) == 58, "MessageBox.ButtonGap");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, ButtonMargin) == 60, "MessageBox.ButtonMargin");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, ButtonWidth) == 62, "MessageBox.ButtonWidth");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, ButtonHeight) == 64, "MessageBox.ButtonHeight");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, HotButton) == 66, "MessageBox.HotButton");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(MessageBox, HotState) == 68, "MessageBox.HotState");
ORVANE_STATIC_ASSERT(sizeof(InputDialog) == 80, "InputDialog");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, x) == 0, "InputDialog.x");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, y) == 4, "InputDialog.y");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, width) == 8, "InputDialog.width");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, height) == 12, "InputDialog.height");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, prompt) == 16, "InputDialog.prompt");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, text) == 24, "InputDialog.text");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, maxChars) == 32, "InputDialog.maxChars");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, showPlain) == 34, "InputDialog.showPlain");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, buttonCount) == 36, "InputDialog.buttonCount");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, buttonCaptions) == 40,
                     "InputDialog.buttonCaptions");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, buttonWidth) == 48, "InputDialog.buttonWidth");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, buttonHeight) == 50, "InputDialog.buttonHeight");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, hotButton) == 52, "InputDialog.hotButton");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, promptX) == 54, "InputDialog.promptX");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, fieldTop) == 56, "InputDialog.fieldTop");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, buttonGap) == 58, "InputDialog.buttonGap");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, title) == 64, "InputDialog.title");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, reserved) == 72, "InputDialog.reserved");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, closeShown) == 74, "InputDialog.closeShown");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(InputDialog, closeState) == 75, "InputDialog.closeState");
ORVANE_STATIC_ASSERT(sizeof(SettingRow) == 56, "SettingRow");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, x) == 0, "SettingRow.x");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, y) == 4, "SettingRow.y");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, width) == 8, "SettingRow.width");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, labelWidth) == 10, "SettingRow.labelWidth");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, sliderLength) == 12, "SettingRow.sliderLength");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, callerData0) == 14, "SettingRow.callerData0");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, stepCount) == 16, "SettingRow.stepCount");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, percent) == 18, "SettingRow.percent");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, stepIndex) == 20, "SettingRow.stepIndex");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, stepMode) == 22, "SettingRow.stepMode");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, callerData1) == 24, "SettingRow.callerData1");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, callerData2) == 26, "SettingRow.callerData2");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, hotPart) == 28, "SettingRow.hotPart");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, callerData3) == 30, "SettingRow.callerData3");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, label) == 32, "SettingRow.label");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, value) == 40, "SettingRow.value");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, cellFlags) == 48, "SettingRow.cellFlags");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, kind) == 50, "SettingRow.kind");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(SettingRow, chevron) == 52, "SettingRow.chevron");
ORVANE_STATIC_ASSERT(sizeof(DigitReadout) == 40, "DigitReadout");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(DigitReadout, background) == 0, "DigitReadout.background");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(DigitReadout, x) == 8, "DigitReadout.x");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(DigitReadout, y) == 12, "DigitReadout.y");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(DigitReadout, width) == 16, "DigitReadout.width");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(DigitReadout, height) == 20, "DigitReadout.height");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(DigitReadout, text) == 24, "DigitReadout.text");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(DigitReadout, size) == 32, "DigitReadout.size");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(DigitReadout, capture) == 34, "DigitReadout.capture");
ORVANE_STATIC_ASSERT(sizeof(IconDock) == 72, "IconDock");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(IconDock, x) == 0, "IconDock.x");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(IconDock, y) == 4, "IconDock.y");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(IconDock, width) == 8, "IconDock.width");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(IconDock, height) == 12, "IconDock.height");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(IconDock, count) == 16, "IconDock.count");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(IconDock, labels) == 24, "IconDock.labels");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(IconDock, flags) == 32, "IconDock.flags");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(IconDock, active) == 40, "IconDock.active");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(IconDock, focus) == 48, "IconDock.focus");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(IconDock, mode) == 50, "IconDock.mode");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(IconDock, dragging) == 52, "IconDock.dragging");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(IconDock, dragX) == 54, "IconDock.dragX");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(IconDock, grab) == 56, "IconDock.grab");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(IconDock, stripBackground) == 64, "IconDock.stripBackground");
ORVANE_STATIC_ASSERT(sizeof(OptionPopupEntry) == 56, "OptionPopupEntry");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupEntry, x) == 0, "OptionPopupEntry.x");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupEntry, y) == 4, "OptionPopupEntry.y");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupEntry, width) == 8, "OptionPopupEntry.width");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupEntry, height) == 12, "OptionPopupEntry.height");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupEntry, count) == 16, "OptionPopupEntry.count");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupEntry, title) == 24, "OptionPopupEntry.title");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupEntry, items) == 32, "OptionPopupEntry.items");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupEntry, iconWidth) == 40,
                     "OptionPopupEntry.iconWidth");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupEntry, iconHeight) == 44,
                     "OptionPopupEntry.iconHeight");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupEntry, icon) == 48, "OptionPopupEntry.icon");
ORVANE_STATIC_ASSERT(sizeof(OptionPopupState) == 32, "OptionPopupState");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupState, maxItemChars) == 0,
                     "OptionPopupState.maxItemChars");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupState, shown) == 2, "OptionPopupState.shown");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupState, focus) == 4, "OptionPopupState.focus");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupState, mode) == 6, "OptionPopupState.mode");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupState, dragging) == 8,
                     "OptionPopupState.dragging");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupState, dragOffset) == 10,
                     "OptionPopupState.dragOffset");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupState, grab) == 12, "OptionPopupState.grab");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupState, savedBackground) == 16,
                     "OptionPopupState.savedBackground");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupState, closeShown) == 24,
                     "OptionPopupState.closeShown");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupState, closeState) == 25,
                     "OptionPopupState.closeState");
ORVANE_STATIC_ASSERT(sizeof(OptionPopupSet) == 9 * 56 + 32, "OptionPopupSet");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupSet, entries) == 0, "OptionPopupSet.entries");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(OptionPopupSet, state) == 504, "OptionPopupSet.state");
ORVANE_STATIC_ASSERT(sizeof(ORVANE_UI_PROTOCOL) == 52 * 8, "ORVANE_UI_PROTOCOL");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, ImageHandle) == 0 * 8,
                     "ORVANE_UI_PROTOCOL.ImageHandle");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, OpenListPopup) == 1 * 8,
                     "ORVANE_UI_PROTOCOL.OpenListPopup");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, PaintListPopup) == 2 * 8,
                     "ORVANE_UI_PROTOCOL.PaintListPopup");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, ScrollListPopup) == 3 * 8,
                     "ORVANE_UI_PROTOCOL.ScrollListPopup");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, HitTestListPopup) == 4 * 8,
                     "ORVANE_UI_PROTOCOL.HitTestListPopup");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, CloseListPopup) == 5 * 8,
                     "ORVANE_UI_PROTOCOL.CloseListPopup");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, GetListPopupView) == 6 * 8,
                     "ORVANE_UI_PROTOCOL.GetListPopupView");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, DrawGaugePanel) == 7 * 8,
                     "ORVANE_UI_PROTOCOL.DrawGaugePanel");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, InitMessageBox) == 8 * 8,
                     "ORVANE_UI_PROTOCOL.InitMessageBox");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, HitTestMessageBox) == 9 * 8,
                     "ORVANE_UI_PROTOCOL.HitTestMessageBox");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, PaintMessageBox) == 10 * 8,
                     "ORVANE_UI_PROTOCOL.PaintMessageBox");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, DrawDividerStrip) == 11 * 8,
                     "ORVANE_UI_PROTOCOL.DrawDividerStrip");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, DrawScrollBar) == 12 * 8,
                     "ORVANE_UI_PROTOCOL.DrawScrollBar");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, HitTestScrollBar) == 13 * 8,
                     "ORVANE_UI_PROTOCOL.HitTestScrollBar");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, DrawTile) == 14 * 8,
                     "ORVANE_UI_PROTOCOL.DrawTile");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, DrawProgressBar) == 15 * 8,
                     "ORVANE_UI_PROTOCOL.DrawProgressBar");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, DrawDottedRule) == 16 * 8,
                     "ORVANE_UI_PROTOCOL.DrawDottedRule");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, InitInputDialog) == 17 * 8,
                     "ORVANE_UI_PROTOCOL.InitInputDialog");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, HitTestInputDialog) == 18 * 8,
                     "ORVANE_UI_PROTOCOL.HitTestInputDialog");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, PaintInputDialog) == 19 * 8,
                     "ORVANE_UI_PROTOCOL.PaintInputDialog");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, InitSettingRow) == 20 * 8,
                     "ORVANE_UI_PROTOCOL.InitSettingRow");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, PaintSettingRow) == 21 * 8,
                     "ORVANE_UI_PROTOCOL.PaintSettingRow");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, TrackSettingSlider) == 22 * 8,
                     "ORVANE_UI_PROTOCOL.TrackSettingSlider");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, InitDigitReadout) == 23 * 8,
                     "ORVANE_UI_PROTOCOL.InitDigitReadout");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, PaintDigitReadout) == 24 * 8,
                     "ORVANE_UI_PROTOCOL.PaintDigitReadout");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, InitIconDock) == 25 * 8,
                     "ORVANE_UI_PROTOCOL.InitIconDock");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, TrackIconDock) == 26 * 8,
                     "ORVANE_UI_PROTOCOL.TrackIconDock");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, PaintIconDock) == 27 * 8,
                     "ORVANE_UI_PROTOCOL.PaintIconDock");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, ResetOptionPopups) == 28 * 8,
                     "ORVANE_UI_PROTOCOL.ResetOptionPopups");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, DefineOptionPopup) == 29 * 8,
                     "ORVANE_UI_PROTOCOL.DefineOptionPopup");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, TrackOptionPopup) == 30 * 8,
                     "ORVANE_UI_PROTOCOL.TrackOptionPopup");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, PaintOptionPopup) == 31 * 8,
                     "ORVANE_UI_PROTOCOL.PaintOptionPopup");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, CloseOptionPopup) == 32 * 8,
                     "ORVANE_UI_PROTOCOL.CloseOptionPopup");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, StringLength) == 33 * 8,
                     "ORVANE_UI_PROTOCOL.StringLength");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, SetFrameBufferCapture) == 34 * 8,
                     "ORVANE_UI_PROTOCOL.SetFrameBufferCapture");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, SetVideoMode) == 35 * 8,
                     "ORVANE_UI_PROTOCOL.SetVideoMode");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, DrawPoint) == 36 * 8,
                     "ORVANE_UI_PROTOCOL.DrawPoint");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, DrawLine) == 37 * 8,
                     "ORVANE_UI_PROTOCOL.DrawLine");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, DrawCircle) == 38 * 8,
                     "ORVANE_UI_PROTOCOL.DrawCircle");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, DrawRectangle) == 39 * 8,
                     "ORVANE_UI_PROTOCOL.DrawRectangle");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, DrawTriangle) == 40 * 8,
                     "ORVANE_UI_PROTOCOL.DrawTriangle");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, DrawRegularPolygon) == 41 * 8,
                     "ORVANE_UI_PROTOCOL.DrawRegularPolygon");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, BlitToScreen) == 42 * 8,
                     "ORVANE_UI_PROTOCOL.BlitToScreen");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, ClearBuffer) == 43 * 8,
                     "ORVANE_UI_PROTOCOL.ClearBuffer");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, DrawText) == 44 * 8,
                     "ORVANE_UI_PROTOCOL.DrawText");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, RenderText) == 45 * 8,
                     "ORVANE_UI_PROTOCOL.RenderText");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, CaptureScreen) == 46 * 8,
                     "ORVANE_UI_PROTOCOL.CaptureScreen");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, DimCapturedScreen) == 47 * 8,
                     "ORVANE_UI_PROTOCOL.DimCapturedScreen");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, RestoreCapturedScreen) == 48 * 8,
                     "ORVANE_UI_PROTOCOL.RestoreCapturedScreen");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, ReleaseCapturedScreen) == 49 * 8,
                     "ORVANE_UI_PROTOCOL.ReleaseCapturedScreen");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, WipeTransition) == 50 * 8,
                     "ORVANE_UI_PROTOCOL.WipeTransition");
ORVANE_STATIC_ASSERT(ORVANE_OFFSET_OF(ORVANE_UI_PROTOCOL, DissolveTransition) == 51 * 8,
                     "ORVANE_UI_PROTOCOL.DissolveTransition");
ORVANE_STATIC_ASSERT(sizeof(ORVANE_BANNER_PROTOCOL) == 8, "ORVANE_BANNER_PROTOCOL");
/// @endcond

#ifdef __cplusplus
}
#endif

#endif  // ORVANE_H_
