// Seven-segment digits built from filled rectangles, with quarter-disc masks
// rounding the outer corners.
//
// The masks are the pixels within radius t of a centre (the float service's
// WithinRadius). Here the same set comes from integers: every coordinate is
// below 2^12, so the squares and their sum are exact in single precision,
// the service's square root is correctly rounded and monotone with sqrt(t^2)
// = t exactly, and sqrt(t^2 + 1) lies far more than one ulp above t; hence
// "distance <= t" is exactly "dx^2 + dy^2 <= t^2".
#include "controls/readout/digit_readout.h"

#include "raster/image_copy.h"
#include "raster/shapes.h"

namespace {

constexpr UINT32 kUnlitColor = 0x003A5A29;
constexpr UINT32 kLeadingZeroColor = 0x00558B37;
constexpr UINT32 kMaxTextLength = 255;

struct Metrics {
  INT32 T, W, H, Gap, SignRoom;
  UINT32 Lit;
  // The minus sign: room before the bar, bar width, room after it.
  INT32 MinusBefore, MinusWidth, MinusAfter;
};

constexpr Metrics kMetrics[3] = {
    {6, 36, 40, 12, 0, 0x00FFFFFF, 0, 0, 0},
    {6, 26, 32, 5, 16, 0x00FFFFFF, 6, 6, 10},
    {4, 18, 21, 5, 40, 0x00A4C693, 32, 5, 8},
};

enum Element : UINT8 {
  kTop,
  kBottom,
  kLeft,
  kRight,
  kUpperLeft5,
  kUpperRight23,
  kUpperLeft89,
  kUpperRight8,
  kUpperLeft4,
  kLowerLeft,
  kLowerRight,
  kMiddle,
  kMiddle3,
  kMiddle6,
  kMiddle8,
  kUpperDot,
  kLowerDot,
  kUnlitTop4,
  kUnlitBottom4,
  kUnlitLeft4,
  kUnlitUpperRight6,
  kUnlitLowerLeft9,
  kElementCount
};

struct Box {
  INT32 X, Y, W, H;
};

constexpr Box ElementBox(UINT8 E, INT32 t, INT32 W, INT32 H) {
  switch (E) {
    case kTop: return {t, 1, W - 2 * t + 1, t - 1};
    case kBottom: return {t, H - t, W - 2 * t + 1, t - 1};
    case kLeft: return {1, t, t - 1, H - 2 * t};
    case kRight: return {W - t + 1, t, t - 1, H - 2 * t};
    case kUpperLeft5: return {1, t, t - 1, H / 2 - 2 * t + t / 2 + 1};
    case kUpperRight23: return {W - t + 1, t, t - 1, H / 2 - 2 * t + t / 2 + 1};
    case kUpperLeft89: return {1, t, t - 1, H / 2 - t - t / 2};
    case kUpperRight8: return {W - t + 1, t, t - 1, H / 2 - t - t / 2};
    case kUpperLeft4: return {1, t, t - 1, H / 2 - t - 1};
    case kLowerLeft: return {1, H / 2 + t / 2, t - 1, H / 2 - t};
    case kLowerRight: return {W - t + 1, H / 2 + t / 2, t - 1, H / 2 - t};
    case kMiddle: return {t, H / 2 - t / 2 + 1, W - 2 * t + 1, t - 1};
    case kMiddle3: return {1, H / 2 - t / 2 + 1, W - t / 2, t - 1};
    case kMiddle6: return {t + t / 2, H / 2 - t / 2 + 1, W - 2 * t, t - 1};
    case kMiddle8: return {t / 2, H / 2 - t / 2 + 1, W - t + 1, t - 1};
    case kUpperDot: return {W / 2 - t / 2, H / 2 - t / 2 - t + 1, t - 1, t};
    case kLowerDot: return {W / 2 - t / 2, H - t, t - 1, t};
    case kUnlitTop4: return {t, 1, W - 2 * t + 1, t};
    case kUnlitBottom4: return {t - 1, H - t, W - 2 * t + 1, t};
    case kUnlitLeft4: return {1, t, t - 1, H - 2 * t + 1};
    case kUnlitUpperRight6: return {W - t + 1, t, t - 1, H / 2};
    case kUnlitLowerLeft9: return {1, H / 2 - t / 2, t - 1, H / 2 - t / 2};
    default: return {0, 0, 0, 0};
  }
}

struct BoxTable {
  Box Of[3][kElementCount];
};

constexpr BoxTable MakeBoxes() {
  BoxTable Table{};
  for (int S = 0; S < 3; S++) {
    for (UINT8 E = 0; E < kElementCount; E++) {
      Table.Of[S][E] = ElementBox(E, kMetrics[S].T, kMetrics[S].W, kMetrics[S].H);
    }
  }
  return Table;
}

constexpr BoxTable kBoxes = MakeBoxes();

enum Mask : UINT8 { kTopLeft, kTopRight, kBottomLeft, kBottomRight, kJoin9 };

// How a mask is moved before it is drawn (the lower-left corner of "4").
enum Shift : UINT8 { kInPlace, kDownOne, kUpToMiddle };

struct Stroke {
  UINT8 Part;  // an Element or a Mask
  bool Lit;
  Shift Moved = kInPlace;
};

struct Glyph {
  UINT8 RectCount, MaskCount;
  Stroke Rects[9];
  Stroke Masks[5];
};

constexpr Stroke L(UINT8 Part) { return {Part, true}; }
constexpr Stroke U(UINT8 Part) { return {Part, false}; }

#define ALL_FOUR_LIT L(kTopLeft), L(kTopRight), L(kBottomLeft), L(kBottomRight)

// "0" to "9" and ":", rectangles in drawing order, then masks. U() draws an
// element in the unlit colour; the "4" elements (kUnlit...4) are that glyph's own,
// the "1" and "7" use the plain bars.
constexpr Glyph kGlyphs[11] = {
    {4, 4, {L(kTop), L(kBottom), L(kLeft), L(kRight)}, {ALL_FOUR_LIT}},
    {4,
     4,
     {U(kTop), U(kBottom), U(kLeft), L(kRight)},
     {U(kTopLeft), L(kTopRight), U(kBottomLeft), L(kBottomRight)}},
    {7,
     4,
     {L(kTop), L(kBottom), U(kLeft), U(kRight), L(kUpperRight23), L(kLowerLeft), L(kMiddle)},
     {ALL_FOUR_LIT}},
    {7,
     4,
     {L(kTop), L(kBottom), U(kLeft), U(kRight), L(kUpperRight23), L(kLowerRight), L(kMiddle3)},
     {ALL_FOUR_LIT}},
    {6,
     5,
     {U(kUnlitTop4), U(kUnlitBottom4), U(kUnlitLeft4), L(kRight), L(kUpperLeft4), L(kMiddle)},
     {L(kTopLeft),
      L(kTopRight),
      {kBottomLeft, false, kDownOne},
      {kBottomLeft, true, kUpToMiddle},
      L(kBottomRight)}},
    {7,
     4,
     {L(kTop), L(kBottom), U(kLeft), U(kRight), L(kUpperLeft5), L(kLowerRight), L(kMiddle)},
     {ALL_FOUR_LIT}},
    {6,
     4,
     {L(kTop), L(kBottom), L(kLeft), U(kUnlitUpperRight6), L(kLowerRight), L(kMiddle6)},
     {ALL_FOUR_LIT}},
    {4,
     4,
     {L(kTop), U(kBottom), U(kLeft), L(kRight)},
     {L(kTopLeft), L(kTopRight), U(kBottomLeft), L(kBottomRight)}},
    {9,
     4,
     {L(kTop), L(kBottom), U(kLeft), L(kUpperLeft89), L(kLowerLeft), U(kRight), L(kUpperRight8),
      L(kLowerRight), L(kMiddle8)},
     {ALL_FOUR_LIT}},
    {6,
     5,
     {L(kTop), L(kBottom), L(kUpperLeft89), U(kUnlitLowerLeft9), L(kRight), L(kMiddle)},
     {ALL_FOUR_LIT, L(kJoin9)}},
    {2, 0, {L(kUpperDot), L(kLowerDot)}, {}},
};

#undef ALL_FOUR_LIT

bool IsDigit(CHAR16 C) { return C >= u'0' && C <= u'9'; }
bool IsDrawn(CHAR16 C) { return C >= u'0' && C <= u':'; }
bool IsKept(CHAR16 C) { return IsDrawn(C) || C == u'-'; }

// ---------------------------------------------------------------- cell pictures
//
// Each glyph (and the degree-Celsius sign) is drawn once, at compile time, into
// a cell of pixel kinds, in the documented order so that later parts cover
// earlier ones; the paint then lays the cell's runs of equal kind.

constexpr UINT8 kUntouched = 0, kLitKind = 1, kUnlitKind = 2;
constexpr INT32 kDegreeSign = 11;  // picture index after "0"-"9" and ":"
constexpr INT32 kDegreeWidth = 22, kDegreeHeight = 14;

struct Cell {
  UINT8 Kind[40][36];
  INT32 W, H;

  constexpr void Fill(INT32 X, INT32 Y, INT32 Wd, INT32 Ht, UINT8 K) {
    for (INT32 R = Y; R < Y + Ht; R++)
      for (INT32 C = X; C < X + Wd; C++) Kind[R][C] = K;
  }
};

// One corner mask: the pixels of its square within radius t of its centre.
constexpr void DrawMask(Cell &Into, INT32 Size, const Stroke &S) {
  const Metrics &M = kMetrics[Size];
  const INT32 t = M.T;
  INT32 CX = t, CY = t, Row0 = 0, Row1 = t - 1, Col0 = 1, Col1 = t - 1;
  if (S.Part == kTopRight || S.Part == kBottomRight) {
    CX = M.W - t;
    Col0 = M.W - t + 1;
    Col1 = M.W - 1;
  }
  if (S.Part == kBottomLeft || S.Part == kBottomRight) {
    CY = M.H - t;
    Row0 = M.H - t;
    Row1 = M.H - 2;
  }
  if (S.Part == kJoin9) {
    CY = M.H / 2 - t / 2;
    Row0 = CY;
    Row1 = M.H / 2 + t / 2 - 1;
  }
  INT32 Dy = 0;
  if (S.Moved == kDownOne) Dy = 1;
  if (S.Moved == kUpToMiddle) Dy = -(M.H / 2 - t / 2 - (Size == 2 ? 0 : 1));
  for (INT32 R = Row0; R <= Row1; R++)
    for (INT32 C = Col0; C <= Col1; C++)
      if (CompareDistance(C, R, CX, CY, t) <= 0)
        Into.Kind[R + Dy][C] = S.Lit ? kLitKind : kUnlitKind;
}

constexpr Cell Picture(INT32 Size, INT32 Index) {
  Cell Out{};
  const Metrics &M = kMetrics[Size];
  if (Index == kDegreeSign) {
    Out.W = kDegreeWidth;
    Out.H = kDegreeHeight;
    // The ring of DrawCircle about (8, 3), radius 3, thickness 1: 4 <= d^2 <= 9.
    for (INT32 R = 0; R <= 6; R++)
      for (INT32 C = 5; C <= 11; C++) {
        if (InRing(C, R, 8, 3, 2, 3)) Out.Kind[R][C] = kLitKind;
      }
    constexpr INT8 kRound[9][2] = {{0, 2}, {0, 4}, {2, 0}, {4, 0}, {6, 2},
                                   {6, 4}, {2, 6}, {4, 6}, {5, 4}};
    for (const auto &P : kRound) Out.Kind[P[1]][5 + P[0]] = kLitKind;
    Out.Fill(12 + 2, 1, 8, 2, kLitKind);
    Out.Fill(12 + 2, 12, 8, 2, kLitKind);
    Out.Fill(12, 3, 2, 9, kLitKind);
    Out.Kind[2][12 + 1] = kLitKind;
    Out.Kind[12][12 + 1] = kLitKind;
    return Out;
  }
  Out.W = M.W;
  Out.H = M.H;
  const Glyph &G = kGlyphs[Index];
  // Unlit parts exist only in the large readout.
  for (UINT8 I = 0; I < G.RectCount; I++) {
    const Stroke &S = G.Rects[I];
    if (!S.Lit && Size != 0) continue;
    const Box &B = kBoxes.Of[Size][S.Part];
    Out.Fill(B.X, B.Y, B.W, B.H, S.Lit ? kLitKind : kUnlitKind);
  }
  for (UINT8 I = 0; I < G.MaskCount; I++) {
    if (!G.Masks[I].Lit && Size != 0) continue;
    DrawMask(Out, Size, G.Masks[I]);
  }
  return Out;
}

// A rectangle of one kind: the runs of equal kind, merged down the rows.
struct Run {
  UINT8 X, Y, W, H, Kind;
};

constexpr INT32 kPictures = 12;
constexpr INT32 kMostRuns = 40 * 18;  // a cell of 40 rows holds at most 18 runs a row

// The rectangles of a picture; returns their number.
constexpr INT32 PictureRuns(const Cell &P, Run *Out) {
  INT32 N = 0;
  for (INT32 R = 0; R < P.H; R++) {
    for (INT32 C = 0; C < P.W;) {
      const UINT8 K = P.Kind[R][C];
      INT32 E = C + 1;
      while (E < P.W && P.Kind[R][E] == K) E++;
      if (K != kUntouched) {
        bool Merged = false;
        for (INT32 I = 0; I < N && !Merged; I++) {
          Run &Q = Out[I];
          if (Q.Y + Q.H == R && Q.X == C && Q.W == E - C && Q.Kind == K) {
            Q.H++;
            Merged = true;
          }
        }
        if (!Merged) Out[N++] = Run{(UINT8)C, (UINT8)R, (UINT8)(E - C), 1, K};
      }
      C = E;
    }
  }
  return N;
}

constexpr INT32 CountRuns() {
  INT32 N = 0;
  for (INT32 S = 0; S < 3; S++) {
    for (INT32 I = 0; I < kPictures; I++) {
      Run Scratch[kMostRuns] = {};
      N += PictureRuns(Picture(S, I), Scratch);
    }
  }
  return N;
}

constexpr INT32 kRunCount = CountRuns();

struct RunTable {
  Run Runs[kRunCount];
  UINT16 First[3]
              [kPictures + 1];  // picture I of size S: Runs[First[S][I]] to Runs[First[S][I + 1]]
};

constexpr RunTable MakeRuns() {
  RunTable T{};
  INT32 N = 0;
  for (INT32 S = 0; S < 3; S++) {
    for (INT32 I = 0; I < kPictures; I++) {
      T.First[S][I] = (UINT16)N;
      Run Scratch[kMostRuns] = {};
      const INT32 Count = PictureRuns(Picture(S, I), Scratch);
      for (INT32 J = 0; J < Count; J++) T.Runs[N++] = Scratch[J];
    }
    T.First[S][kPictures] = (UINT16)N;
  }
  return T;
}

constexpr RunTable kRuns = MakeRuns();

// Lays picture Index of size Size with its top-left corner at (OX, 0).
void PutPicture(const DrawTarget &T, INT32 Size, INT32 Index, INT32 OX, UINT32 Lit) {
  const INT32 W = Index == kDegreeSign ? kDegreeWidth : kMetrics[Size].W;
  const INT32 H = Index == kDegreeSign ? kDegreeHeight : kMetrics[Size].H;
  const UINT32 Colors[3] = {0, Lit, kUnlitColor};
  // A picture wholly in the buffer is clipped once, not run by run.
  const bool Whole = T.Holds(OX, 0, W, H);
  for (UINT16 I = kRuns.First[Size][Index]; I < kRuns.First[Size][Index + 1]; I++) {
    const Run &R = kRuns.Runs[I];
    if (Whole) {
      T.FillInside(OX + R.X, R.Y, R.W, R.H, PixelFromColor(Colors[R.Kind]));
    } else {
      T.Fill(OX + R.X, R.Y, R.W, R.H, Colors[R.Kind]);
    }
  }
}

// The readout's picture, drawn over whatever the target holds at (0, 0).
void DrawReadout(const DrawTarget &T, const CHAR16 *Text, INT32 Size, INT32 Width) {
  const Metrics &M = kMetrics[Size];
  const bool Temperature = Size != 0;
  INT32 X = 0;
  // Beyond the readout's width nothing more can show, so the walk ends there.
  for (UINT32 I = 0; Text[I] != 0 && X < Width; I++) {
    const CHAR16 C = Text[I];
    const CHAR16 Next = Text[I + 1];
    if (Temperature && C == u'-') {
      X += M.MinusBefore;
      T.Fill(X, M.H / 2 - M.T / 2 + 1, M.MinusWidth, M.T - 1, M.Lit);
      X += M.MinusAfter;
      continue;
    }
    if (I == 0) X += M.SignRoom;
    if (!IsDrawn(C)) continue;
    UINT32 Color = M.Lit;
    if (Temperature && C == u'0' &&
        (I == 0 || Text[I - 1] == u'-' || (Text[I - 1] == u'0' && Next != 0))) {
      Color = kLeadingZeroColor;
    }
    PutPicture(T, Size, C - u'0', X, Color);
    X += M.W;
    if (IsDigit(C) && IsDigit(Next)) X += M.Gap;
    if (Temperature && Next == 0) PutPicture(T, Size, kDegreeSign, X, M.Lit);
  }
}

// Padded: a temperature's text padded to three digits after an optional sign,
// or NULL when it needs none. An empty text becomes "000" and a lone "-"
// "-000". EFI_OUT_OF_RESOURCES when the copy cannot be had.
EFI_STATUS PaddedCopy(const CHAR16 *Text, UINT32 Length, CHAR16 *&Padded) {
  Padded = nullptr;
  const bool Signed = Length > 0 && Text[0] == u'-';
  const UINT32 Digits = Signed ? Length - 1 : Length;
  if (Digits >= 3) return EFI_SUCCESS;
  PoolBuffer<CHAR16> Copy(5);
  if (!Copy) {
    return EFI_OUT_OF_RESOURCES;
  }
  UINT32 N = 0;
  if (Signed) Copy[N++] = u'-';
  for (UINT32 Z = Digits; Z < 3; Z++) Copy[N++] = u'0';
  for (UINT32 I = Signed ? 1 : 0; I < Length; I++) Copy[N++] = Text[I];
  Copy[N] = 0;
  Padded = Copy.Release();
  return EFI_SUCCESS;
}

}  // namespace

EFI_STATUS EFIAPI InitDigitReadout(DigitReadout *Readout, INT32 X, INT32 Y, CHAR16 *Text,
                                   UINT16 Size, UINT8 Capture) {
  if (Readout == nullptr || Text == nullptr || Size > 2) {
    return EFI_INVALID_PARAMETER;
  }
  UINT32 Length = 0;
  while (IsKept(Text[Length])) {
    if (++Length > kMaxTextLength) {
      return EFI_INVALID_PARAMETER;
    }
  }
  Text[Length] = 0;

  CHAR16 *Copy = nullptr;
  if (Size != 0 && EFI_ERROR(PaddedCopy(Text, Length, Copy))) {
    return EFI_OUT_OF_RESOURCES;
  }
  PoolBuffer<CHAR16> Padded(Copy);
  CHAR16 *Shown = Padded ? Padded.Get() : Text;
  UINT32 N = 0, Pairs = 0;
  for (; Shown[N] != 0; N++) {
    Pairs += IsDigit(Shown[N]) && IsDigit(Shown[N + 1]);
  }
  const Metrics &M = kMetrics[Size];
  if (Size != 0 && Shown[0] == u'-') N--;
  const INT32 Suffix = Size == 0 ? 0 : 22;
  const INT32 Width = M.W * (INT32)N + M.Gap * (INT32)Pairs + M.SignRoom + Suffix;

  // A readout of no width has nothing under it to keep.
  const bool Capturing = Capture == 1 && Width > 0;
  PoolBuffer<ORVANE_PIXEL> Background(
      Capturing
          ? static_cast<ORVANE_PIXEL *>(PoolAlloc((UINTN)Width * (UINTN)M.H * sizeof(ORVANE_PIXEL)))
          : nullptr);
  if (Capturing && !Background) {
    return EFI_OUT_OF_RESOURCES;
  }
  if (Capturing) {
    CaptureUnder(Background.Get(), X, Y, Width, M.H);
  }

  Readout->x = X;
  Readout->y = Y;
  Readout->capture = Capture;
  Readout->width = Width;
  Readout->height = M.H;
  Readout->text = Padded ? Padded.Release() : Text;
  Readout->size = Size;
  if (Capture == 1) {
    Readout->background = Background.Release();
  }
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI PaintDigitReadout(const DigitReadout *Readout) {
  if (Readout == nullptr || Readout->text == nullptr || Readout->size > 2) {
    return EFI_INVALID_PARAMETER;
  }
  const INT32 Width = Readout->width, Height = Readout->height;
  if (Width <= 0 || Height <= 0) {
    return EFI_SUCCESS;
  }
  const ORVANE_PIXEL *Background = Readout->background;
  if (Background == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  const CHAR16 *Text = Readout->text;
  const INT32 Size = Readout->size;
  // The paint starts from the stored background, so nothing is captured.
  return PaintOffscreen(
      Underlay::Unset, Readout->x, Readout->y, Width, Height, [&](const DrawTarget &T) {
        PlaceImage(T, 0, 0, Background, Width, Rect{0, 0, Width, Height}, nullptr);
        DrawReadout(T, Text, Size, Width);
      });
}
