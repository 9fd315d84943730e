// The look every popup window shares: outline, body with its inset panel,
// title band with title and icon, and the close box. Each painter draws into
// a target (every popup passes its window buffer, window at the origin) and
// writes only inside the target's clip.
#pragma once
#include "controls/popup/images/pictures.h"
#include "controls/popup/list_popup.h"
#include "raster/target.h"

// The palette every popup paints its frame with.
inline constexpr UINT16 kWindowRadius = 6;
inline constexpr UINT32 kWindowOutlineTop = 0x535353;
inline constexpr UINT32 kWindowOutlineBottom = 0x313131;
inline constexpr UINT32 kWindowBody = 0x111111;
inline constexpr UINT32 kWindowBevelBase = 0x252525;
inline constexpr UINT32 kWindowPanel = 0x7D7D7D;
inline constexpr UINT32 kTitleBandTop = 0x535353;
inline constexpr UINT32 kTitleBandBase = 0x111111;
inline constexpr UINT32 kTitleText = 0xFFFFFF;
inline constexpr UINT16 kWindowTitleHeight = 63;

// Title icons are kTitleIconWidth x kTitleIconHeight (48 x 54) pixels, as the
// embedded pictures give them.

// The close box is 15 x 17 pixels.
inline constexpr INT32 kCloseBoxWidth = 15;
inline constexpr INT32 kCloseBoxHeight = 17;

// A vertical blend of A towards B at T = Numerator / Denominator, channel by
// channel through the float service. Channels equal in all three pairs are
// blended once.
UINT32 BlendColor(UINT32 A, UINT32 B, INT32 Numerator, INT32 Denominator);

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

// The one-pixel outline with rounded corners, graded from Top to Bottom.
// Shared (may be NULL) lends the row fractions when it is for Height rows.
UINTN PaintWindowFrame(const DrawTarget &T, INT32 X, INT32 Y, INT32 Width, INT32 Height,
                       UINT16 Radius, UINT32 Top, UINT32 Bottom, WindowFractions *Shared = nullptr);

// The body below the title band with its rounded bottom, the inset panel with
// its softened corners and, on windows big enough, its five-pixel bevel.
// Shared (may be NULL) lends the row fractions when it is for Window.height rows.
UINTN PaintWindowBody(const DrawTarget &T, INT32 X, INT32 Y, const ListPopup &Window, UINT16 Radius,
                      UINT32 BodyTop, UINT32 BodyBottom, UINT32 BevelBase, UINT32 Panel,
                      WindowFractions *Shared = nullptr);

// The dotted title band, the white title and the optional 48 x 54 icon.
// Returns EFI_OUT_OF_RESOURCES, having drawn only the band, when the title
// cannot be rendered.
UINTN PaintTitleBar(const DrawTarget &T, INT32 X, INT32 Y, const ListPopup &Window, UINT16 Radius,
                    UINT32 Top, UINT32 Base, const ORVANE_PIXEL *Icon);

// The close box with its top-left corner at (X, Y), in the look closeState selects.
UINTN PaintCloseButton(const DrawTarget &T, INT32 X, INT32 Y, const ListPopup &Window);
