#include "controls/popup/window_frame.h"

#include "controls/status/label.h"
#include "raster/exact_float.h"
#include "raster/image_copy.h"
#include "raster/line.h"
#include "raster/row_runs.h"
#include "raster/shapes.h"
#include "text/text.h"

namespace {

UINT32 Channel(UINT32 Color, int C) { return (Color >> (8 * C)) & 0xFF; }

// The rows [Top, Bottom) that lie inside the target's clip.
struct RowSpan {
  INT64 First, End;
};
RowSpan VisibleRows(const DrawTarget &T, INT64 Top, INT64 Bottom) {
  return {Max64(Top, T.Clip.Y), Min64(Bottom, T.Clip.Bottom())};
}

// The blend of A towards B for one fixed denominator: the constants go
// through the float service once, and each row costs its fraction plus one
// product-and-sum per distinct channel pair. The row number's conversion and
// the truncation are the service's answers worked out in integers (exact_float.h).
class Blend {
 public:
  // From channel values (blue, green, red); a lifted bevel base may exceed 255.
  // Shared, when it is for this denominator, gives the row fractions.
  Blend(const UINT32 A[3], const UINT32 B[3], INT32 Denominator, WindowFractions *Shared = nullptr)
      : Shared_(Shared != nullptr && Shared->Height() == Denominator ? Shared : nullptr),
        Denominator_(Shared_ != nullptr ? 0 : fm::FromInt(Denominator)),
        One_(Shared_ != nullptr ? 0 : fm::FromInt(1)) {
    for (int C = 0; C < 3; C++) {
      for (int P = 0; P < C && Same_[C] < 0; P++) {
        if (A[P] == A[C] && B[P] == B[C]) Same_[C] = P;
      }
      if (Same_[C] < 0) {
        A_[C] = fm::FromInt((INT32)A[C]);
        B_[C] = fm::FromInt((INT32)B[C]);
      }
    }
  }

  UINT32 At(INT32 Numerator) const {
    FLOAT32_BITS T, Rest;
    if (Shared_ != nullptr) {
      Shared_->At(Numerator, T, Rest);
    } else {
      T = fm::Div(xf::FromInt(Numerator), Denominator_);
      Rest = fm::Sub(One_, T);
    }
    UINT32 Value[3];
    for (int C = 0; C < 3; C++) {
      if (Same_[C] >= 0) {
        Value[C] = Value[Same_[C]];
        continue;
      }
      Value[C] = (UINT32)xf::ToInt(fm::Add(fm::Mul(A_[C], Rest), fm::Mul(B_[C], T))) & 0xFF;
    }
    return Value[0] | (Value[1] << 8) | (Value[2] << 16);
  }

 private:
  WindowFractions *Shared_;
  FLOAT32_BITS Denominator_, One_;
  FLOAT32_BITS A_[3] = {}, B_[3] = {};
  int Same_[3] = {-1, -1, -1};
};

struct Channels {
  UINT32 V[3];
  explicit Channels(UINT32 Color, UINT32 Lift = 0)
      : V{Channel(Color, 0) + Lift, Channel(Color, 1) + Lift, Channel(Color, 2) + Lift} {}
};

Blend BlendOf(UINT32 A, UINT32 B, INT32 Denominator, UINT32 LiftA = 0,
              WindowFractions *Shared = nullptr) {
  return Blend(Channels(A, LiftA).V, Channels(B).V, Denominator, Shared);
}

// Grey levels of the inset panel's four softened corners, 5 x 5 cells each,
// row by row.
constexpr UINT8 kPanelCorner[4][25] = {
    {0x10, 0x11, 0x17, 0x35, 0x50, 0x11, 0x1F, 0x41, 0x4B, 0x5A, 0x32, 0x3A, 0x4B,
     0x57, 0x5F, 0x33, 0x50, 0x5A, 0x64, 0x6A, 0x4B, 0x5A, 0x64, 0x6E, 0x78},
    {0x50, 0x35, 0x17, 0x11, 0x10, 0x5A, 0x4B, 0x41, 0x1F, 0x11, 0x5F, 0x57, 0x4B,
     0x3A, 0x32, 0x6A, 0x64, 0x5A, 0x50, 0x33, 0x78, 0x6E, 0x64, 0x5A, 0x4B},
    {0x4B, 0x5A, 0x64, 0x6E, 0x78, 0x33, 0x50, 0x5A, 0x64, 0x6A, 0x32, 0x3A, 0x4B,
     0x57, 0x5F, 0x11, 0x1F, 0x41, 0x4B, 0x5A, 0x10, 0x11, 0x17, 0x35, 0x50},
    {0x78, 0x6E, 0x64, 0x5A, 0x4B, 0x6A, 0x64, 0x5A, 0x50, 0x33, 0x5F, 0x57, 0x4B,
     0x3A, 0x32, 0x5A, 0x4B, 0x41, 0x1F, 0x11, 0x50, 0x35, 0x17, 0x11, 0x10},
};

// One row of a panel corner: the cells of table row Row at columns Left to
// Left + 4 whose squared distance from (CX, CY) is below 16.
void PanelCornerRow(const DrawTarget &T, const UINT8 *Table, INT64 Row, INT64 Left, INT64 Y,
                    INT64 CX, INT64 CY) {
  for (INT64 I = 0; I < 5; I++) {
    if (CompareDistance(Left + I, Y, CX, CY, 4) < 0) {
      UINT32 G = Table[Row * 5 + I];
      T.Put((INT32)(Left + I), (INT32)Y, G | (G << 8) | (G << 16));
    }
  }
}

// The points of columns [Left, Left + R) in row Y that In accepts (a ring or a disc).
template <typename Inside>
void CornerRow(const DrawTarget &T, INT64 Left, INT64 R, INT64 Y, UINT32 Color, Inside &&In) {
  for (INT64 X = Left; X < Left + R; X++) {
    if (In(X)) T.Put((INT32)X, (INT32)Y, Color);
  }
}

}  // namespace

WindowFractions::WindowFractions(INT32 Height)
    : Height_(Height), Denominator_(fm::FromInt(Height)), One_(fm::FromInt(1)) {
  for (UINT8 &K : Known_) K = 0;
}

void WindowFractions::At(INT32 N, FLOAT32_BITS &T, FLOAT32_BITS &Rest) {
  const bool Kept = N >= 0 && N < kRows;
  if (Kept && Known_[N]) {
    T = T_[N];
    Rest = Rest_[N];
    return;
  }
  T = fm::Div(xf::FromInt(N), Denominator_);
  Rest = fm::Sub(One_, T);
  if (Kept) {
    T_[N] = T;
    Rest_[N] = Rest;
    Known_[N] = 1;
  }
}

namespace {

constexpr UINT32 kTitleText = 0xFFFFFF;
constexpr UINT32 kTitleRenderPaper = 0xFF0000;

// The one-pixel outline with rounded corners, graded from top to bottom.
void PaintOutline(const DrawTarget &T, const PopupWindowLook &L, WindowFractions *Shared) {
  const INT64 x = L.X, y = L.Y, W = L.Width, H = L.Height, r = L.Radius;
  const UINT32 Top = L.Colours.OutlineTop, Bottom = L.Colours.OutlineBottom;
  T.HLine(x + r, x + W - r, y, Top);
  T.HLine(x + r, x + W - r - 1, y + H - 1, Bottom);
  if (H <= 0) {
    return;
  }
  const Blend Grade = BlendOf(Top, Bottom, L.Height, 0, Shared);
  RowRuns LeftSide(T), RightSide(T);
  const RowSpan Rows = VisibleRows(T, y, y + H);
  for (INT64 Row = Rows.First; Row < Rows.End; Row++) {
    const UINT32 C = Grade.At((INT32)(Row - y));
    auto Ring = [&](INT64 CX, INT64 CY) {
      return [=](INT64 Px) { return InRing(Px, Row, CX, CY, r - 1, r); };
    };
    if (Row < y + r + 1) {
      CornerRow(T, x, r, Row, C, Ring(x + r - 1, y + r - 1));
      CornerRow(T, x + W - r, r, Row, C, Ring(x + W - r, y + r - 1));
    }
    if (Row > y + H - r - 1) {
      CornerRow(T, x, r, Row, C, Ring(x + r - 1, y + H - r));
      CornerRow(T, x + W - r, r, Row, C, Ring(x + W - r, y + H - r));
    }
    // A side point meets a ring only in a row of one colour.
    if (y + r - 1 < Row && Row < y + H - r + 1) {
      LeftSide.Set(x, Row, C);
      RightSide.Set(x + W - 1, Row, C);
    }
  }
}

// The body below the title band with its rounded bottom, the inset panel with
// its softened corners and, on windows big enough, its five-pixel bevel.
void PaintBody(const DrawTarget &T, const PopupWindowLook &L, WindowFractions *Shared) {
  const INT64 x = L.X, y = L.Y, W = L.Width, H = L.Height, r = L.Radius;
  const INT64 TH = L.TitleHeight;
  const PopupPalette &Colours = L.Colours;
  if (H > 0) {
    const Blend Grade = BlendOf(Colours.BodyTop, Colours.BodyBottom, (INT32)H, 0, Shared);
    auto PanelCovers = [&](INT64 Row) { return W >= 36 && y + TH + 5 <= Row && Row <= y + H - 21; };
    RowRuns Wide(T), RightStrip(T);
    const RowSpan Rows = VisibleRows(T, y, y + H);
    for (INT64 Row = Rows.First; Row < Rows.End; Row++) {
      const bool Middle = y + TH <= Row && Row < y + H - r;
      const bool Bottom = y + H - r - 1 < Row && Row < y + H - 1;
      const bool TopCorners = y + TH <= Row && Row <= y + TH + 4;
      const bool BottomCorners = y + H - 21 <= Row && Row <= y + H - 17;
      const bool Round = Row > y + H - r - 1;
      if (!Middle && !Bottom && !TopCorners && !BottomCorners && !Round) {
        continue;  // nothing of this row is drawn
      }
      const UINT32 C = (Middle || Bottom || Round) ? Grade.At((INT32)(Row - y)) : 0;
      if (Middle && PanelCovers(Row)) {
        // The panel is filled over the middle of this row last of all.
        Wide.HLine(x + 1, x + 17, Row, C);
        RightStrip.HLine(x + W - 17, x + W - 2, Row, C);
      } else if (Middle) {
        Wide.HLine(x + 1, x + W - 2, Row, C);
      }
      if (TopCorners || BottomCorners) {
        // The corners go over this row's body line.
        Wide.Flush();
        RightStrip.Flush();
      }
      if (Bottom) T.HLine(x + r, L.Scrolls ? x + W - r : x + W - r - 1, Row, C);
      if (TopCorners) {
        PanelCornerRow(T, kPanelCorner[0], Row - (y + TH), x + 13, Row, x + 17, y + TH + 3);
        PanelCornerRow(T, kPanelCorner[1], Row - (y + TH), x + W - 17, Row, x + W - 17, y + TH + 3);
      }
      if (BottomCorners) {
        PanelCornerRow(T, kPanelCorner[2], Row - (y + H - 21), x + 13, Row, x + 17, y + H - 20);
        PanelCornerRow(T, kPanelCorner[3], Row - (y + H - 21), x + W - 17, Row, x + W - 17,
                       y + H - 20);
      }
      if (Round) {
        auto Disc = [&](INT64 CX, INT64 CY) {
          return [=](INT64 Px) { return CompareDistance(Px, Row, CX, CY, r - 1) < 0; };
        };
        CornerRow(T, x, r, Row, C, Disc(x + r - 1, y + H - r));
        CornerRow(T, x + W - r, r, Row, C, Disc(x + W - r, y + H - r));
      }
    }
  }

  if (W > 74 && H > 85) {
    const Blend Bevel = BlendOf(Colours.BevelBase, Colours.Panel, 4, 50);
    for (INT32 I = 0; I <= 4; I++) {
      const UINT32 C = Bevel.At(I);
      T.VLine(x + 14 + I, y + TH + 5, y + H - 22, C);
      T.VLine(x + W - 14 - I, y + TH + 5, y + H - 22, C);
      T.HLine(x + 18, x + W - 18, y + TH + I, C);
      T.HLine(x + 18, x + W - 18, y + H - 17 - I, C);
    }
  }
  const RowSpan PanelRows = VisibleRows(T, y + TH + 5, y + H - 20);
  if (PanelRows.First < PanelRows.End) {
    T.Fill(Min64(x + 18, x + W - 18), PanelRows.First, (W >= 36 ? W - 36 : 36 - W) + 1,
           PanelRows.End - PanelRows.First, Colours.Panel);
  }
}

// The dotted title band, then the title (Title, rendered white on red)
// and the icon.
void PaintTitleBand(const DrawTarget &T, const PopupWindowLook &L, const TextImage &Title) {
  const INT64 x = L.X, y = L.Y, W = L.Width, r = L.Radius;
  const INT64 TH = L.TitleHeight;
  const UINT32 Base = L.Colours.BandBase;
  constexpr UINT32 kDot = 0x090909;
  auto Odd = [](INT64 V) { return (V & 1) != 0; };
  auto Disc = [&](INT64 Row, INT64 CX, INT64 CY) {
    return [=](INT64 Px) { return CompareDistance(Px, Row, CX, CY, r - 1) < 0; };
  };

  const Blend Grade = BlendOf(L.Colours.BandTop, Base, 10);
  const RowSpan Rows = VisibleRows(T, y + 1, y + TH);
  for (INT64 Row = Rows.First; Row < Rows.End; Row++) {
    if (Row <= y + r) {
      CornerRow(T, x, r, Row, Base, Disc(Row, x + r - 1, y + r - 1));
      CornerRow(T, x + W - r, r, Row, Base, Disc(Row, x + W - r, y + r - 1));
    } else {
      T.HLine(x + 1, x + W - 2, Row, Base);
    }
    T.HLine(x + r, x + W - r - 1, Row, Base);
    if (y + 1 < Row && Row <= y + 10) {
      const UINT32 G = Grade.At((INT32)(Row - y));
      const bool Dotted = Row <= y + 7 && Odd(Row);
      T.HLine(x + r, x + W - r - 1, Row, G);
      if (Dotted) {
        for (INT64 Px = x + r + (Odd(x + r) ? 0 : 1); Px < x + W - r; Px += 2) {
          T.Put((INT32)Px, (INT32)Row, kDot);
        }
      }
      auto Left = Disc(Row, x + r, y + r);
      for (INT64 Px = x; Px < x + r; Px++) {
        if (!Left(Px)) continue;
        T.Put((INT32)Px, (INT32)Row, G);
        if (Dotted && Odd(Px) && !(Px == x + 3 && Row == y + 3)) T.Put((INT32)Px, (INT32)Row, kDot);
      }
      auto Right = Disc(Row, x + W - r - 1, y + r);
      for (INT64 Px = x + W - r; Px < x + W; Px++) {
        if (!Right(Px)) continue;
        T.Put((INT32)Px, (INT32)Row, G);
        if (Dotted && Odd(Px)) T.Put((INT32)Px, (INT32)Row, kDot);
      }
    }
  }

  if (L.Title == nullptr) {
    return;
  }
  const INT64 TW = Title.Width;
  const bool Centred = L.TitleAlign == 0, RightAligned = L.TitleAlign == 2;
  const bool WithIcon = L.Icon != nullptr && !T.IsScreen();
  const INT64 Dx = WithIcon && Centred ? 27 : 0, Dy = WithIcon && Centred ? 7 : 0;
  const INT64 TY = y - 10 + TH / 2 + Dy;
  const INT64 TX = Centred        ? x + W / 2 - TW / 2 + Dx
                   : RightAligned ? x + W - 13 - TW
                                  : x + 13 + (WithIcon ? 54 : 0);
  if (T.IsScreen()) {
    DrawTextOn(T, (INT32)TX, (INT32)TY, L.Title, kTitleText, 0x000000, 1000);
    return;
  }
  // Only pure white text pixels are written.
  PlaceTextInk(T, TX, TY, Title, kTitleText);
  if (WithIcon) {
    PlaceImage(T, (INT32)(TX - 54), (INT32)(y + 9), L.Icon, kTitleIconWidth,
               Rect{0, 0, kTitleIconWidth, kTitleIconHeight}, nullptr);
  }
}

struct CloseLook {
  UINT32 BorderSide, BorderRow, Fill, TopDots, BottomDots, Foot, Shade;
  UINT32 Strokes[4];  // the four short strokes of the X
  UINT32 Cross;       // its two long diagonals
};

constexpr CloseLook kCloseLooks[3] = {
    {0x1C1C1C,
     0x1C1C1C,
     0x101010,
     0x131313,
     0x161616,
     0x181818,
     0x161616,
     {0x383838, 0x383838, 0x383838, 0x383838},
     0x414141},
    {0x1E1E1E,
     0x222222,
     0x292929,
     0x282828,
     0x242424,
     0x181818,
     0x292929,
     {0x717171, 0x797979, 0x7A7A7A, 0x6F6F6F},
     0x7F7F7F},
    {0x1C1C1C,
     0x1C1C1C,
     0x1C1C1C,
     0x1C1C1C,
     0x1C1C1C,
     0x181818,
     0x1C1C1C,
     {0x131313, 0x121212, 0x121212, 0x111111},
     0x131313},
};

// The close box with its top-left corner at (X, Y) in the look State selects.
void PaintCloseBox(const DrawTarget &T, INT64 X, INT64 Y, UINT8 State) {
  if (State > 2) {
    return;
  }
  const CloseLook &L = kCloseLooks[State];
  const INT64 x = X, y = Y;
  T.Fill(x, y, 1, kCloseBoxHeight, L.BorderSide);
  T.Fill(x + 14, y, 1, kCloseBoxHeight, L.BorderSide);
  T.Fill(x + 1, y, 13, 1, L.BorderRow);
  T.Fill(x + 1, y + 15, 13, 2, L.BorderRow);
  T.Fill(x + 1, y + 1, 13, 14, L.Fill);
  auto Point = [&](INT64 Dx, INT64 Dy, UINT32 C) { T.Fill(x + Dx, y + Dy, 1, 1, C); };
  auto Line = [&](INT64 X1, INT64 Y1, INT64 X2, INT64 Y2, UINT32 C) {
    DrawLineOn(T, (INT32)(x + X1), (INT32)(y + Y1), (INT32)(x + X2), (INT32)(y + Y2), 1, C);
  };
  Point(2, 2, L.TopDots);
  Point(13, 2, L.TopDots);
  Point(2, 14, L.BottomDots);
  Point(13, 14, L.BottomDots);
  Point(0, 15, L.Foot);
  Point(1, 16, L.Foot);
  Point(14, 15, L.Foot);
  Point(13, 16, L.Foot);
  Line(1, 1, 1, 15, L.Shade);
  Line(5, 4, 11, 10, L.Strokes[0]);
  Line(4, 5, 10, 11, L.Strokes[1]);
  Line(10, 4, 4, 10, L.Strokes[2]);
  Line(11, 5, 5, 11, L.Strokes[3]);
  Line(4, 4, 11, 11, L.Cross);
  Line(11, 4, 4, 11, L.Cross);
}

}  // namespace

EFI_STATUS PaintPopupWindow(const DrawTarget &T, const PopupWindowLook &Look) {
  // The title is rendered before anything is drawn, so that a failure leaves
  // the target as it was.
  OwnedText Title;
  if (!Title.RenderIfAny(Look.Title, kTitleText, kTitleRenderPaper)) {
    return EFI_OUT_OF_RESOURCES;
  }
  // The outline and the body grade over the same rows.
  WindowFractions Fractions(Look.Height);
  if (Look.BandFirst) {
    PaintTitleBand(T, Look, Title.Image);
    PaintBody(T, Look, &Fractions);
    PaintOutline(T, Look, &Fractions);
  } else {
    PaintOutline(T, Look, &Fractions);
    PaintBody(T, Look, &Fractions);
    PaintTitleBand(T, Look, Title.Image);
  }
  PaintCloseBox(T, (INT64)Look.X + Look.CloseX, (INT64)Look.Y + Look.CloseY, Look.Close);
  return EFI_SUCCESS;
}

void PlaceTextInk(const DrawTarget &T, INT64 X, INT64 Y, const TextImage &Text, UINT32 Color) {
  if (Text.Bitmap == nullptr) {
    return;
  }
  const UINT32 Ink = Color & 0x00FFFFFF;
  // Four pixels a step, branch-free: glyph pixels are too scattered to predict.
  typedef UINT32 Four __attribute__((vector_size(16)));
  typedef UINT64 Two __attribute__((vector_size(16)));
  const INT64 End = Min64(Text.Height, T.Clip.Bottom() - Y);
  for (INT64 J = Max64(0, T.Clip.Y - Y); J < End; J++) {
    INT64 Left = X, Right = X + (INT64)Text.Width;
    ORVANE_PIXEL *To = T.Row(Y + J, Left, Right);
    if (To == nullptr) {
      continue;
    }
    const ORVANE_PIXEL *From = Text.Bitmap + (UINTN)J * Text.Width + (Left - X);
    const INT64 N = Right - Left;
    INT64 I = 0;
    for (; I + 4 <= N; I += 4) {
      Four F, D;
      __builtin_memcpy(&F, From + I, sizeof(F));
      const Four Hit = (Four)((F & 0x00FFFFFF) == Ink);
      const Two Any = (Two)Hit;
      if ((Any[0] | Any[1]) == 0) {
        continue;
      }
      __builtin_memcpy(&D, To + I, sizeof(D));
      D = (D & ~Hit) | (Hit & Color);
      __builtin_memcpy(To + I, &D, sizeof(D));
    }
    for (; I < N; I++) {
      if ((ColorFromPixel(From[I]) & 0x00FFFFFF) == Ink) To[I] = PixelFromColor(Color);
    }
  }
}
