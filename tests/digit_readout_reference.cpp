#include "tests/digit_readout_reference.h"

#include <cstring>

#include "raster/shapes.h"
#include "tests/raster_reference.h"

namespace ref {
namespace {

struct Box {
  const char *Name;
  int V[3][4];  // x, y, w, h for sizes 0, 1, 2 (the sizes' own numbers, not formulas)
};

constexpr Box kBoxes[] = {
    {"top", {{6, 1, 25, 5}, {6, 1, 15, 5}, {4, 1, 11, 3}}},
    {"bottom", {{6, 34, 25, 5}, {6, 26, 15, 5}, {4, 17, 11, 3}}},
    {"left", {{1, 6, 5, 28}, {1, 6, 5, 20}, {1, 4, 3, 13}}},
    {"right", {{31, 6, 5, 28}, {21, 6, 5, 20}, {15, 4, 3, 13}}},
    {"ul5", {{1, 6, 5, 12}, {1, 6, 5, 8}, {1, 4, 3, 5}}},
    {"ur23", {{31, 6, 5, 12}, {21, 6, 5, 8}, {15, 4, 3, 5}}},
    {"ul89", {{1, 6, 5, 11}, {1, 6, 5, 7}, {1, 4, 3, 4}}},
    {"ur8", {{31, 6, 5, 11}, {21, 6, 5, 7}, {15, 4, 3, 4}}},
    {"ul4", {{1, 6, 5, 13}, {1, 6, 5, 9}, {1, 4, 3, 5}}},
    {"lowleft", {{1, 23, 5, 14}, {1, 19, 5, 10}, {1, 12, 3, 6}}},
    {"lowright", {{31, 23, 5, 14}, {21, 19, 5, 10}, {15, 12, 3, 6}}},
    {"mid", {{6, 18, 25, 5}, {6, 14, 15, 5}, {4, 9, 11, 3}}},
    {"mid3", {{1, 18, 33, 5}, {1, 14, 23, 5}, {1, 9, 16, 3}}},
    {"mid6", {{9, 18, 24, 5}, {9, 14, 14, 5}, {6, 9, 10, 3}}},
    {"mid8", {{3, 18, 31, 5}, {3, 14, 21, 5}, {2, 9, 15, 3}}},
    {"updot", {{15, 12, 5, 6}, {10, 8, 5, 6}, {7, 5, 3, 4}}},
    {"lowdot", {{15, 34, 5, 6}, {10, 26, 5, 6}, {7, 17, 3, 4}}},
    {"top4", {{6, 1, 25, 6}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
    {"bottom4", {{5, 34, 25, 6}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
    {"left4", {{1, 6, 5, 29}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
    {"ur6", {{31, 6, 5, 20}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
    {"ll9", {{1, 17, 5, 17}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
};

// Rectangles then masks, as in the glyph table; "~" marks an unlit part.
// Masks: TL TR BL BR J9, "BL+1" one row lower, "BL^" moved up to the middle.
constexpr const char *kGlyphs[11][2] = {
    {"top bottom left right", "TL TR BL BR"},
    {"~top ~bottom ~left right", "~TL TR ~BL BR"},
    {"top bottom ~left ~right ur23 lowleft mid", "TL TR BL BR"},
    {"top bottom ~left ~right ur23 lowright mid3", "TL TR BL BR"},
    {"~top4 ~bottom4 ~left4 right ul4 mid", "TL TR ~BL+1 BL^ BR"},
    {"top bottom ~left ~right ul5 lowright mid", "TL TR BL BR"},
    {"top bottom left ~ur6 lowright mid6", "TL TR BL BR"},
    {"top ~bottom ~left right", "TL TR ~BL BR"},
    {"top bottom ~left ul89 lowleft ~right ur8 lowright mid8", "TL TR BL BR"},
    {"top bottom ul89 ~ll9 right mid", "TL TR BL BR J9"},
    {"updot lowdot", ""},
};

const int kT[3] = {6, 6, 4}, kW[3] = {36, 26, 18}, kH[3] = {40, 32, 21}, kG[3] = {12, 5, 5};
const UINT32 kLit[3] = {0xFFFFFF, 0xFFFFFF, 0xA4C693};

struct Ctx {
  ORVANE_PIXEL *P;
  INT32 Width, Height;
  int S;
  void Rect(int X, int Y, int W, int H, UINT32 C) const {
    ref::DrawRectangle(P, Width, Height, X, Y, W, H, 1, 1, C, C);
  }
  void Point(int X, int Y, UINT32 C) const {
    ref::Stamp(DrawTarget::For(P, Width, Height), X, Y, 1, C);
  }
  // Scans rows R0..R1 and columns C0..C1 about centre (CX, CY); draws at row + Dy.
  void Mask(int CX, int CY, int R0, int R1, int C0, int C1, int Dy, int OX, UINT32 C) const {
    for (int R = R0; R <= R1; R++)
      for (int Cl = C0; Cl <= C1; Cl++)
        if (WithinRadius(Cl, R, CX, CY, kT[S])) Point(OX + Cl, R + Dy, C);
  }
};

// Calls Fn(word, unlit) for each space-separated word.
template <typename F>
void Words(const char *List, F &&Fn) {
  char Word[16];
  while (*List) {
    while (*List == ' ') List++;
    int N = 0;
    while (*List && *List != ' ') Word[N++] = *List++;
    Word[N] = 0;
    if (N) Fn(Word[0] == '~' ? Word + 1 : Word, Word[0] == '~');
  }
}

void Glyph(const Ctx &K, int OX, CHAR16 Ch, UINT32 Lit) {
  const int t = kT[K.S], W = kW[K.S], H = kH[K.S];
  const UINT32 Unlit = 0x3A5A29;
  Words(kGlyphs[Ch - u'0'][0], [&](const char *Name, bool Unlit_) {
    if (Unlit_ && K.S != 0) return;
    for (const Box &B : kBoxes)
      if (!std::strcmp(B.Name, Name)) {
        const int *V = B.V[K.S];
        K.Rect(OX + V[0], V[1], V[2], V[3], Unlit_ ? Unlit : Lit);
      }
  });
  Words(kGlyphs[Ch - u'0'][1], [&](const char *Name, bool Unlit_) {
    if (Unlit_ && K.S != 0) return;
    const UINT32 C = Unlit_ ? Unlit : Lit;
    if (!std::strcmp(Name, "TL")) K.Mask(t, t, 0, t - 1, 1, t - 1, 0, OX, C);
    if (!std::strcmp(Name, "TR")) K.Mask(W - t, t, 0, t - 1, W - t + 1, W - 1, 0, OX, C);
    if (!std::strcmp(Name, "BL")) K.Mask(t, H - t, H - t, H - 2, 1, t - 1, 0, OX, C);
    if (!std::strcmp(Name, "BL+1")) K.Mask(t, H - t, H - t, H - 2, 1, t - 1, 1, OX, C);
    if (!std::strcmp(Name, "BL^")) {
      const int Up = K.S == 2 ? H / 2 - t / 2 : H / 2 - t / 2 - 1;
      K.Mask(t, H - t, H - t, H - 2, 1, t - 1, -Up, OX, C);
    }
    if (!std::strcmp(Name, "BR")) K.Mask(W - t, H - t, H - t, H - 2, W - t + 1, W - 1, 0, OX, C);
    if (!std::strcmp(Name, "J9"))
      K.Mask(t, H / 2 - t / 2, H / 2 - t / 2, H / 2 + t / 2 - 1, 1, t - 1, 0, OX, C);
  });
}

}  // namespace

void PaintReadout(ORVANE_PIXEL *Pixels, INT32 Width, INT32 Height, const CHAR16 *Text,
                  UINT16 Size) {
  const Ctx K{Pixels, Width, Height, Size};
  const int t = kT[Size], W = kW[Size], H = kH[Size], G = kG[Size];
  const UINT32 Lit = kLit[Size];
  auto Digit = [](CHAR16 C) { return C >= u'0' && C <= u'9'; };
  int N = 0;
  while (Text[N]) N++;
  int X = 0;
  for (int I = 0; I < N; I++) {
    const CHAR16 C = Text[I];
    if (Size != 0 && C == u'-') {
      X += Size == 1 ? 6 : 32;
      K.Rect(X, H / 2 - t / 2 + 1, Size == 1 ? 6 : 5, t - 1, Lit);
      X += Size == 1 ? 10 : 8;
      continue;
    }
    if (I == 0) X += Size == 0 ? 0 : Size == 1 ? 16 : 40;
    if (!(C >= u'0' && C <= u':')) continue;
    UINT32 Color = Lit;
    if (Size != 0 && C == u'0' &&
        (I == 0 || Text[I - 1] == u'-' || (Text[I - 1] == u'0' && I != N - 1)))
      Color = 0x558B37;
    Glyph(K, X, C, Color);
    X += W;
    if (Digit(C) && Digit(Text[I + 1])) X += G;
    if (Size != 0 && I == N - 1) {
      const int S = X, C0 = S + 12;
      ref::DrawCircle(Pixels, Width, Height, S + 8, 3, 3, 1, 0, Lit, Lit);
      const int D[9][2] = {{0, 2}, {0, 4}, {2, 0}, {4, 0}, {6, 2}, {6, 4}, {2, 6}, {4, 6}, {5, 4}};
      for (auto &P : D) K.Point(S + 5 + P[0], P[1], Lit);
      K.Rect(C0 + 2, 1, 8, 2, Lit);
      K.Rect(C0 + 2, 12, 8, 2, Lit);
      K.Rect(C0, 3, 2, 9, Lit);
      K.Point(C0 + 1, 2, Lit);
      K.Point(C0 + 1, 12, Lit);
    }
  }
}

}  // namespace ref
