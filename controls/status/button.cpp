#include "controls/status/button.h"

#include "raster/shapes.h"

namespace {

constexpr INT32 kRadius = 5;
constexpr INT32 kFaceRadius = 3;
constexpr UINT32 kShades[6] = {0x00333333, 0x00363636, 0x00393939,
                               0x003C3C3C, 0x003F3F3F, 0x00414141};

struct Look {
  UINT32 Edge, Face, Caption;
};

Look LookOf(INT32 State) {
  switch (State) {
    case kButtonNormal: return {0x00DCDCDC, 0x00A0A0A0, 0x00FFFFFF};
    case kButtonPressed: return {0x00434343, 0x00434343, 0x00B5B5B5};
    case kButtonFocused: return {0x0066BC29, 0x007D7D7D, 0x00FFFFFF};
    default: return {0x0066BC29, 0x007D7D7D, 0x00B5B5B5};
  }
}

// The corner cells lie 1 to 4 pixels from their corner centre in both
// directions; whether a cell is within a radius depends only on those two.
bool Within(INT32 DX, INT32 DY, INT32 R) { return InRadius(DX, DY, 0, 0, R); }

// One corner: cell (DX, DY) away from the corner centre, towards the corner,
// sits at (CX + SX * DX, CY + SY * DY).
void Corner(const DrawTarget &T, INT64 CX, INT64 CY, INT32 SX, INT32 SY, UINT32 Edge, UINT32 Face) {
  for (INT32 DY = 1; DY <= 4; DY++) {
    for (INT32 DX = 1; DX <= 4; DX++) {
      if (Within(DX, DY, kFaceRadius)) {
        T.Put((INT32)(CX + SX * DX), (INT32)(CY + SY * DY), Face);
      } else if (Within(DX, DY, kRadius)) {
        T.Put((INT32)(CX + SX * DX), (INT32)(CY + SY * DY), Edge);
      }
    }
  }
}

void PaintBody(const DrawTarget &T, INT64 X, INT64 Y, INT64 W, INT64 H, const Look &L,
               bool Pressed) {
  if (Pressed) {
    for (INT32 I = 0; I < 6; I++) {
      T.Fill(X + 5, Y + 1 + I, W - 9, 1, kShades[I]);
    }
    T.Fill(X + 5, Y + 7, W - 8, H - 7, L.Face);
    const INT64 Strips[2] = {X + 1, X + W - 4};
    for (INT64 Left : Strips) {
      T.Fill(Left, Y + 5, 4, 1, kShades[4]);
      T.Fill(Left, Y + 6, 4, 1, kShades[5]);
      T.Fill(Left, Y + 7, 4, H - 11, L.Face);
    }
    // Top corners: the shadow row's shade inside the radius.
    for (INT32 DY = 1; DY <= 4; DY++) {
      UINT32 Shade = kShades[4 - DY];
      for (INT32 DX = 1; DX <= 4; DX++) {
        if (Within(DX, DY, kRadius)) {
          T.Put((INT32)(X + 5 - DX), (INT32)(Y + 5 - DY), Shade);
          T.Put((INT32)(X + W - 5 + DX), (INT32)(Y + 5 - DY), Shade);
        }
      }
    }
  } else {
    T.Fill(X + 5, Y + 2, W - 9, H - 3, L.Face);
    T.Fill(X + 2, Y + 5, 3, H - 9, L.Face);
    T.Fill(X + W - 4, Y + 5, 3, H - 9, L.Face);
    T.Fill(X + 5, Y + 1, W - 9, 2, L.Edge);
    T.Fill(X + 5, Y + H - 2, W - 9, 2, L.Edge);
    T.Fill(X + 1, Y + 5, 2, H - 9, L.Edge);
    T.Fill(X + W - 2, Y + 5, 2, H - 9, L.Edge);
    Corner(T, X + 5, Y + 5, -1, -1, L.Edge, L.Face);
    Corner(T, X + W - 5, Y + 5, 1, -1, L.Edge, L.Face);
  }
  Corner(T, X + 5, Y + H - 5, -1, 1, L.Edge, L.Face);
  Corner(T, X + W - 5, Y + H - 5, 1, 1, L.Edge, L.Face);
}

void Clamp(INT32 &W, INT32 &H) {
  if (W <= kButtonMinWidth) W = kButtonMinWidth;
  if (H <= kButtonMinHeight) H = kButtonMinHeight;
}

}  // namespace

UINT32 ButtonCaptionColor(INT32 State) { return LookOf(State).Caption; }

void DrawButtonRendered(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H,
                        const TextImage *Caption, UINT16 Align, INT32 State) {
  Clamp(W, H);
  Look L = LookOf(State);
  PaintBody(T, X, Y, W, H, L, State == kButtonPressed);
  if (Caption != nullptr) {
    PlaceGlyphs(T, LabelLeft(Align, X, W, Caption->Width), LabelTop(Y, H, Caption->Height),
                *Caption, L.Caption);
  }
}

void DrawButton(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, const CHAR16 *Caption,
                UINT16 Align, INT32 State) {
  OwnedText Text;
  Text.Render(Caption, ButtonCaptionColor(State), kButtonCaptionBackground);
  DrawButtonRendered(T, X, Y, W, H, Text.Get(), Align, State);
}
