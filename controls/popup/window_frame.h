// The look every popup window shares: outline, body with its inset panel,
// title band with title and icon, and the close box. A popup describes its
// window in a PopupWindowLook and paints it with one PaintPopupWindow call
// into a target (every popup passes its window buffer, window at the origin);
// nothing is written outside the target's clip.
#pragma once
#include "controls/popup/images/pictures.h"
#include "raster/target.h"

inline constexpr UINT16 kWindowRadius = 6;
inline constexpr UINT16 kWindowTitleHeight = 63;

// Title icons are kTitleIconWidth x kTitleIconHeight (48 x 54) pixels, as the
// embedded pictures give them.

// The close box is 15 x 17 pixels.
inline constexpr INT32 kCloseBoxWidth = 15;
inline constexpr INT32 kCloseBoxHeight = 17;
// A close state that draws no box (any state above 2 draws none).
inline constexpr UINT8 kNoCloseBox = 0xFF;

// The colours of a popup window.
struct PopupPalette {
  UINT32 OutlineTop, OutlineBottom;  // the outline's grade
  UINT32 BodyTop, BodyBottom;        // the body's grade
  UINT32 BevelBase;                  // lifted by 50 a channel at the bevel's outer edge
  UINT32 Panel;                      // the inset panel and the bevel's inner edge
  UINT32 BandTop, BandBase;          // the title band's grade, and its colour below the grade
};

// The palette every popup paints with.
inline constexpr PopupPalette kPopupPalette = {0x535353, 0x313131, 0x111111, 0x111111,
                                               0x252525, 0x7D7D7D, 0x535353, 0x111111};

// One popup window as PaintPopupWindow draws it.
struct PopupWindowLook {
  INT32 X = 0, Y = 0;  // the window's top-left corner in the target
  INT32 Width = 0, Height = 0;
  UINT16 TitleHeight = kWindowTitleHeight;
  UINT16 Radius = kWindowRadius;
  const CHAR16 *Title = nullptr;       // NULL: neither title nor icon
  UINT16 TitleAlign = 0;               // 0 centred, 2 right-aligned, any other value left-aligned
  const ORVANE_PIXEL *Icon = nullptr;  // 48 x 54 beside the title; NULL: none
  // A scroll bar runs down the right side: the body's rounded bottom rows
  // reach one column further right.
  bool Scrolls = false;
  UINT8 Close = kNoCloseBox;     // the close box: 0 normal, 1 hot, 2 pressed; others none
  INT32 CloseX = 0, CloseY = 0;  // its top-left corner, from the window's
  // The title band goes down before the body and the outline rather than
  // after them. The two orders differ only where the band meets them: on
  // windows too short or too narrow for the band and the panel.
  bool BandFirst = false;
  PopupPalette Colours = kPopupPalette;
};

// Paints the outline, the body with its panel, the title band with its title
// and icon, and the close box. Returns EFI_OUT_OF_RESOURCES, having drawn
// nothing, when the title cannot be rendered; else EFI_SUCCESS.
EFI_STATUS PaintPopupWindow(const DrawTarget &T, const PopupWindowLook &Look);

// Writes the pixels of Text whose blue, green and red are those of Color in
// Color, with their top-left pixel at (X, Y) of the target, clipped to it;
// the target shows through the rest. Nothing on the screen. The way popups
// compose their titles, item texts and text masks.
void PlaceTextInk(const DrawTarget &T, INT64 X, INT64 Y, const TextImage &Text, UINT32 Color);

// The row fractions t = n / Height and 1 - t that the outline's and the
// body's grades both take on a window Height rows high: the float service is
// asked once per row for the two of them (the same calls, so the same bits).
// Rows from kRows on are not kept and are asked each time.
class WindowFractions {
 public:
  explicit WindowFractions(INT32 Height);
  INT32 Height() const { return Height_; }
  // t and 1 - t of row N, as Div(N, Height) and Sub(1, t) give them.
  void At(INT32 N, FLOAT32_BITS &T, FLOAT32_BITS &Rest);

 private:
  static constexpr INT32 kRows = 800;
  INT32 Height_;
  FLOAT32_BITS Denominator_, One_;
  FLOAT32_BITS T_[kRows], Rest_[kRows];
  UINT8 Known_[kRows];
};
