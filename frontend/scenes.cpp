#include "frontend/scenes.h"

namespace {

// Every toolkit call of a scene is counted; a status other than 0 is remembered.

constexpr UINT32 kBackdrop = 0x00182028;
constexpr UINT32 kWhite = 0x00F0F0F0;
constexpr UINT32 kPalette[8] = {0x00E04040, 0x0040C060, 0x004080F0, 0x00F0D040,
                                0x0040D0D0, 0x00D050C0, 0x00F09030, 0xFF9AA0FF};
constexpr UINT32 kGradientPairs[8][2] = {{0x00FF0000, 0x000000FF}, {0x0000FF00, 0x00FF00FF},
                                         {0x00102040, 0x00F0E0C0}, {0x00FFFF00, 0x00004080},
                                         {0x00FFFFFF, 0x00000000}, {0x00203040, 0x0000FFA0},
                                         {0x00F08000, 0x008000F0}, {0x00000000, 0x00FFFFFF}};

UINT32 PaletteColor(INT32 I) { return kPalette[(UINT32)I % 8]; }

// A pool pixel buffer released when the scope ends.
class SceneBuffer {
 public:
  SceneBuffer(const SceneContext &C, UINT32 W, UINT32 H)
      : C_(C), W_(W), H_(H), Pixels_(AllocPixels(C, (UINTN)W * H)) {}
  ~SceneBuffer() { FreePixels(C_, Pixels_); }
  SceneBuffer(const SceneBuffer &) = delete;
  SceneBuffer &operator=(const SceneBuffer &) = delete;
  ORVANE_PIXEL *Get() const { return Pixels_; }
  INT32 Width() const { return (INT32)W_; }
  INT32 Height() const { return (INT32)H_; }
  explicit operator bool() const { return Pixels_ != nullptr; }
  void Fill(UINT32 Color) const {
    for (UINTN I = 0; I < (UINTN)W_ * H_; I++) {
      Pixels_[I].Blue = (UINT8)Color;
      Pixels_[I].Green = (UINT8)(Color >> 8);
      Pixels_[I].Red = (UINT8)(Color >> 16);
      Pixels_[I].Reserved = (UINT8)(Color >> 24);
    }
  }
  void Show(const SceneContext &C, INT32 X, INT32 Y) const {
    UI(BlitToScreen, Pixels_, (INT32)W_, (INT32)H_, X, Y);
  }

 private:
  const SceneContext &C_;
  UINT32 W_, H_;
  ORVANE_PIXEL *Pixels_;
};

void Snap(const SceneContext &C, const char *Name) {
  if (C.Snapshot != nullptr) {
    C.Snapshot(&C, Name);
  }
}

// Says that a moving picture starts, for whoever wants a frame of it.
void Announce(const SceneContext &C, const char *Name) {
  if (C.Announce != nullptr) {
    C.Announce(&C, Name);
  }
}

UINT32 ColorOf(const ORVANE_PIXEL &P) {
  return (UINT32)P.Blue | ((UINT32)P.Green << 8) | ((UINT32)P.Red << 16) |
         ((UINT32)P.Reserved << 24);
}

// Composes rendered text into a buffer: every pixel that is not the text's
// background is copied, clipped to the buffer.
void ComposeText(const SceneContext &C, const SceneBuffer &Into, INT32 X, INT32 Y, Milli Scale,
                 UINT32 Foreground, const CHAR16 *String) {
  TextImage Image = {Foreground, Foreground == 0 ? 0x00FFFFFFu : 0u, 0, 0, nullptr};
  if (UI(RenderText, Scale, &Image, String) != 0 || Image.Bitmap == nullptr) {
    return;
  }
  for (UINT32 R = 0; R < Image.Height; R++) {
    for (UINT32 U = 0; U < Image.Width; U++) {
      INT32 DX = X + (INT32)U, DY = Y + (INT32)R;
      const ORVANE_PIXEL &P = Image.Bitmap[(UINTN)R * Image.Width + U];
      if (DX < 0 || DY < 0 || DX >= Into.Width() || DY >= Into.Height() ||
          (ColorOf(P) & 0x00FFFFFF) == (Image.Background & 0x00FFFFFF)) {
        continue;
      }
      Into.Get()[(UINTN)DY * (UINTN)Into.Width() + (UINTN)DX] = P;
    }
  }
  FreePixels(C, Image.Bitmap);
}

// A caption in the demo: opaque on the backdrop so it reads on any picture.
void Caption(const SceneContext &C, UINT16 X, UINT16 Y, const CHAR16 *Text) {
  ORVANE_PIXEL Back = {0x28, 0x20, 0x18, 0};
  UI(DrawText, 0x00C8D0E0, &Back, 1000, X, Y, W("%s"), Text);
}

// ---------------------------------------------------------------- primitives

// Endpoints around a square of half-size 100: every slope class, both signs.
constexpr INT32 kStar[24][2] = {{100, 0},     {100, 25},   {100, 50},   {100, 100},  {50, 100},
                                {25, 100},    {0, 100},    {-25, 100},  {-50, 100},  {-100, 100},
                                {-100, 50},   {-100, 25},  {-100, 0},   {-100, -25}, {-100, -50},
                                {-100, -100}, {-50, -100}, {-25, -100}, {0, -100},   {25, -100},
                                {50, -100},   {100, -100}, {100, -50},  {100, -25}};

void PrimitivePens(const SceneContext &C) {
  // Every pen code on the screen, including codes outside 1..5.
  for (INT32 S = 0; S <= 6; S++) {
    UI(DrawPoint, nullptr, 0, 0, 20 + S * 44, 24, S, PaletteColor(S));
    UI(DrawPoint, nullptr, 0, 0, 41 + S * 44, 35, 6 - S, PaletteColor(S + 3));
  }
  // Stamps at the screen's corners are clipped to the mode.
  UI(DrawPoint, nullptr, 0, 0, 0, 0, 5, kWhite);
  UI(DrawPoint, nullptr, 0, 0, 1023, 0, 4, kPalette[1]);
  UI(DrawPoint, nullptr, 0, 0, 0, 767, 3, kPalette[2]);
  UI(DrawPoint, nullptr, 0, 0, 1023, 767, 5, kPalette[3]);

  // The same pens through a buffer; stamps at its corners are clipped to it.
  SceneBuffer Buffer(C, 300, 60);
  if (Buffer) {
    Buffer.Fill(0x00FFFFFF);
    UI(ClearBuffer, Buffer.Get(), Buffer.Width(), Buffer.Height());
    for (INT32 S = 0; S <= 6; S++) {
      UI(DrawPoint, Buffer.Get(), 300, 60, 20 + S * 40, 20, S, PaletteColor(S));
      UI(DrawPoint, Buffer.Get(), 300, 60, 40 + S * 40, 40, S + 1, PaletteColor(7 - S));
    }
    UI(DrawPoint, Buffer.Get(), 300, 60, 0, 0, 5, kWhite);
    UI(DrawPoint, Buffer.Get(), 300, 60, 299, 59, 5, kWhite);
    UI(DrawPoint, Buffer.Get(), 300, 60, 150, 0, 4, kPalette[4]);
    UI(DrawPoint, Buffer.Get(), 300, 60, 299, 30, 2, kPalette[5]);
    Buffer.Show(C, 10, 50);
  }
  // A buffer cleared only in part keeps the rest of its pixels.
  SceneBuffer Partial(C, 40, 40);
  if (Partial) {
    Partial.Fill(0x00806040);
    UI(ClearBuffer, Partial.Get(), 40, 20);
    UI(ClearBuffer, Partial.Get(), 0, 40);
    Partial.Show(C, 330, 60);
  }
}

void PrimitiveLines(const SceneContext &C) {
  const INT32 CX = 510, CY = 125;
  for (INT32 I = 0; I < 24; I++) {
    INT32 EX = CX + kStar[I][0], EY = CY + kStar[I][1];
    INT32 Pen = 1 + I % 5;
    if (I % 2 == 0) {
      UI(DrawLine, nullptr, 0, 0, CX, CY, EX, EY, Pen, PaletteColor(I));
    } else {
      UI(DrawLine, nullptr, 0, 0, EX, EY, CX, CY, Pen, PaletteColor(I));
    }
  }
  // Short strokes: a point, reversed runs, a steep and a shallow line, every pen.
  UI(DrawLine, nullptr, 0, 0, 20, 130, 20, 130, 5, kPalette[0]);
  UI(DrawLine, nullptr, 0, 0, 200, 130, 60, 130, 3, kPalette[1]);
  UI(DrawLine, nullptr, 0, 0, 270, 240, 270, 120, 4, kPalette[2]);
  for (INT32 Pen = 1; Pen <= 5; Pen++) {
    UI(DrawLine, nullptr, 0, 0, 40, 140 + Pen * 14, 250, 140 + Pen * 14, Pen,
       PaletteColor(Pen + 2));
  }
  UI(DrawLine, nullptr, 0, 0, 15, 140, 22, 245, 1, kWhite);
  UI(DrawLine, nullptr, 0, 0, 30, 245, 255, 228, 1, kWhite);
  UI(DrawLine, nullptr, 0, 0, 280, 150, 330, 200, 1, kPalette[6]);
  UI(DrawLine, nullptr, 0, 0, 330, 150, 280, 240, 2, kPalette[7]);
  // A line leaving the screen is clipped.
  UI(DrawLine, nullptr, 0, 0, 1000, 250, 1040, 230, 3, kPalette[4]);
}

void PrimitivePolygons(const SceneContext &C) {
  struct Poly {
    INT32 X, Y, Sides, Radius, Pen;
  };
  constexpr Poly Polys[] = {{745, 60, 3, 45, 1},   {855, 60, 4, 45, 2},  {965, 60, 5, 45, 3},
                            {745, 185, 6, 45, 4},  {855, 185, 7, 40, 5}, {965, 185, 8, 45, 1},
                            {965, 185, 12, 25, 2}, {855, 185, 0, 20, 5}, {745, 185, 2, 20, 1}};
  INT32 I = 0;
  for (const Poly &P : Polys) {
    UI(DrawRegularPolygon, nullptr, 0, 0, P.X, P.Y, P.Sides, P.Radius, P.Pen, PaletteColor(I++));
  }
}

void PrimitiveRectangles(const SceneContext &C) {
  for (INT32 F = 0; F <= 7; F++) {
    UI(DrawRectangle, nullptr, 0, 0, 8 + F * 127, 262, 112, 62, 1 + F % 5, F, kGradientPairs[F][0],
       kGradientPairs[F][1]);
  }
  SceneBuffer Buffer(C, 1016, 76);
  if (!Buffer) {
    return;
  }
  UI(ClearBuffer, Buffer.Get(), Buffer.Width(), Buffer.Height());
  for (INT32 F = 0; F <= 7; F++) {
    UI(DrawRectangle, Buffer.Get(), 1016, 76, 4 + F * 127, 6, 112, 62, 5 - F % 5, F,
       kGradientPairs[7 - F][0], kGradientPairs[7 - F][1]);
  }
  // Shapes reaching past the buffer's edges are clipped to it.
  UI(DrawRectangle, Buffer.Get(), 1016, 76, 1004, 50, 40, 40, 5, 1, kPalette[3], kPalette[4]);
  UI(DrawLine, Buffer.Get(), 1016, 76, 0, 0, 1015, 75, 2, kPalette[6]);
  UI(DrawRegularPolygon, Buffer.Get(), 1016, 76, 1000, 20, 5, 30, 3, kPalette[1]);
  Buffer.Show(C, 4, 338);
}

void PrimitiveTriangles(const SceneContext &C) {
  for (INT32 F = 0; F <= 7; F++) {
    UINT32 X0 = 10 + (UINT32)F * 127;
    UI(DrawTriangle, nullptr, 0, 0, X0, 515, X0 + 50, 422, X0 + 110, 500, 1 + F % 3, F,
       kGradientPairs[F][0], kGradientPairs[F][1]);
  }
  SceneBuffer Buffer(C, 1016, 100);
  if (!Buffer) {
    return;
  }
  UI(ClearBuffer, Buffer.Get(), Buffer.Width(), Buffer.Height());
  for (INT32 F = 0; F <= 7; F++) {
    UINT32 X0 = 4 + (UINT32)F * 127;
    UI(DrawTriangle, Buffer.Get(), 1016, 100, X0 + 100, 4, X0, 4, X0, 96, 1 + (F + 1) % 5, F,
       kGradientPairs[(F + 3) % 8][0], kGradientPairs[(F + 3) % 8][1]);
  }
  // All corners in one column: the gradient divides by zero in the float service.
  UI(DrawTriangle, Buffer.Get(), 1016, 100, 1008, 10, 1008, 50, 1008, 90, 1, 2, kPalette[0],
     kPalette[2]);
  Buffer.Show(C, 4, 526);
}

void PrimitiveCircles(const SceneContext &C) {
  for (INT32 F = 0; F <= 7; F++) {
    UI(DrawCircle, nullptr, 0, 0, 40 + F * 64, 700, 30, F % 5, F, kGradientPairs[F][0],
       kGradientPairs[F][1]);
  }
  SceneBuffer Buffer(C, 496, 136);
  if (Buffer) {
    UI(ClearBuffer, Buffer.Get(), Buffer.Width(), Buffer.Height());
    for (INT32 F = 0; F <= 7; F++) {
      UI(DrawCircle, Buffer.Get(), 496, 136, 31 + F * 61, 40 + (F % 2) * 56, 28, 1 + F % 3, F,
         kGradientPairs[(F + 5) % 8][0], kGradientPairs[(F + 5) % 8][1]);
    }
    UI(DrawCircle, Buffer.Get(), 496, 136, 490, 130, 20, 2, 1, kPalette[5], kPalette[6]);
    Buffer.Show(C, 524, 632);
  }
  // A radius-0 circle, and one leaving the bottom right corner of the screen.
  UI(DrawCircle, nullptr, 0, 0, 520, 640, 0, 0, 0, kWhite, kWhite);
  UI(DrawCircle, nullptr, 0, 0, 1010, 760, 20, 3, 2, kPalette[3], kPalette[2]);
}

}  // namespace

// ---------------------------------------------------------------- helpers

void FillScreenRect(const SceneContext &C, UINT32 X, UINT32 Y, UINT32 W, UINT32 H, UINT32 Color) {
  ORVANE_PIXEL P = {(UINT8)Color, (UINT8)(Color >> 8), (UINT8)(Color >> 16), 0};
  C.Gop->Blt(C.Gop, &P, EfiBltVideoFill, 0, 0, X, Y, W, H, 0);
}

void FillScreen(const SceneContext &C, UINT32 Color) {
  FillScreenRect(C, 0, 0, C.Gop->Mode->Info->HorizontalResolution,
                 C.Gop->Mode->Info->VerticalResolution, Color);
}

bool ReadScreen(const SceneContext &C, ORVANE_PIXEL *Pixels, UINT32 X, UINT32 Y, UINT32 W,
                UINT32 H) {
  return C.Gop->Blt(C.Gop, Pixels, EfiBltVideoToBltBuffer, X, Y, 0, 0, W, H, 0) == EFI_SUCCESS;
}

// Kept as char16_t so the table needs no code to run before the scenes do.
constinit const char16_t *const kBootEntries[kBootEntryCount] = {
    u"UEFI Shell",           u"Hard disk 0",    u"Hard disk 1",
    u"NVMe drive",           u"USB stick",      u"Network (IPv4)",
    u"Network (IPv6)",       u"DVD drive",      u"SD card",
    u"Recovery partition",   u"Firmware setup", u"Memory test",
    u"Windows Boot Manager", u"Linux"};

const CHAR16 *const *BootEntries() { return reinterpret_cast<const CHAR16 *const *>(kBootEntries); }

ORVANE_PIXEL *AllocPixels(const SceneContext &C, UINTN Count) {
  void *P = nullptr;
  if (Count == 0 ||
      C.Bs->AllocatePool(EfiBootServicesData, Count * sizeof(ORVANE_PIXEL), &P) != EFI_SUCCESS) {
    return nullptr;
  }
  return static_cast<ORVANE_PIXEL *>(P);
}

void FreePixels(const SceneContext &C, void *Pixels) {
  if (Pixels != nullptr) {
    C.Bs->FreePool(Pixels);
  }
}

void DrawPrimitiveScene(const SceneContext &C) {
  FillScreen(C, kBackdrop);
  PrimitivePens(C);
  PrimitiveLines(C);
  PrimitivePolygons(C);
  PrimitiveRectangles(C);
  PrimitiveTriangles(C);
  PrimitiveCircles(C);
}

// ---------------------------------------------------------------- demo stages

void DemoPens(const SceneContext &C) {
  FillScreen(C, kBackdrop);
  Caption(C, 20, 12, W("Pens 0 to 6 on the screen"));
  for (INT32 S = 0; S <= 6; S++) {
    for (INT32 K = 0; K < 16; K++) {
      UI(DrawPoint, nullptr, 0, 0, 40 + K * 28, 60 + S * 34, S, PaletteColor(K + S));
    }
  }
  // Strokes made of stamps: a staircase of each pen.
  for (INT32 S = 1; S <= 5; S++) {
    for (INT32 K = 0; K < 60; K++) {
      UI(DrawPoint, nullptr, 0, 0, 520 + K * 8, 60 + S * 40 + (K % 10) * 2, S, PaletteColor(S));
    }
  }
  Caption(C, 20, 320, W("The same pens through buffers: ClearBuffer, DrawPoint, BlitToScreen"));
  SceneBuffer Buffer(C, 300, 180);
  if (!Buffer) {
    return;
  }
  for (INT32 B = 0; B < 3; B++) {
    UI(ClearBuffer, Buffer.Get(), Buffer.Width(), Buffer.Height());
    for (INT32 S = 0; S <= 6; S++) {
      for (INT32 K = 0; K < 10; K++) {
        UI(DrawPoint, Buffer.Get(), 300, 180, 16 + K * 30, 14 + S * 25, S,
           PaletteColor(K * (B + 1) + S));
      }
    }
    // Stamps at the buffer's edges are clipped to it.
    UI(DrawPoint, Buffer.Get(), 300, 180, 0, 0, 5, kWhite);
    UI(DrawPoint, Buffer.Get(), 300, 180, 299, 179, 5, kWhite);
    Buffer.Show(C, 20 + B * 330, 350);
  }
  Snap(C, "pens");
}

void DemoText(const SceneContext &C) {
  FillScreen(C, kBackdrop);
  if (C.Banner != nullptr) {
    C.Banner->Banner(nullptr);
    C.Calls++;
  }
  ORVANE_PIXEL Back = {0x60, 0x30, 0x10, 0};
  constexpr Milli Scales[3] = {1000, 1500, 2000};
  UINT16 Y = 115;
  for (Milli S : Scales) {
    UI(DrawText, 0x00FFFFFF, &Back, S, 20, Y, W("Opaque text at scale %d: %s"), (INT32)S,
       W("The quick brown fox"));
    Y = (UINT16)(Y + 19 * S / 1000 + 6);
  }
  // Transparent text over a gradient keeps the picture between the glyphs.
  UI(DrawRectangle, nullptr, 0, 0, 20, 250, 984, 170, 1, 4, 0x00203060, 0x00C06020);
  const UINT32 Colors[3] = {0x00FFFF80, 0x0080FFFF, 0x00FFFFFF};
  Y = 258;
  for (INT32 I = 0; I < 3; I++) {
    UI(DrawText, Colors[I], nullptr, Scales[I], 30, Y, W("Transparent text at scale %d"),
       (INT32)Scales[I]);
    Y = (UINT16)(Y + 19 * Scales[I] / 1000 + 8);
  }
  UI(DrawText, 0x00000000, nullptr, 1500, 30, Y, W("Black transparent text, %d%%"), 100);

  // Text composed into a buffer, then sent to the screen in one transfer.
  SceneBuffer Panel(C, 984, 230);
  if (Panel) {
    Panel.Fill(0x00304070);
    UI(DrawRectangle, Panel.Get(), 984, 230, 0, 0, 984, 230, 3, 3, 0x00E0E0F0, 0x00304070);
    ComposeText(C, Panel, 24, 20, 2000, 0x00102040, W("Composed in a buffer"));
    ComposeText(C, Panel, 24, 70, 1500, 0x00602020,
                W("RenderText, copied by key, shown by BlitToScreen"));
    ComposeText(C, Panel, 24, 110, 1000, 0x00804000,
                W("0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_{|}~"));
    ComposeText(C, Panel, 24, 140, 1000, 0x00004020,
                W("ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz"));
    UI(DrawCircle, Panel.Get(), 984, 230, 880, 115, 80, 3, 2, 0x00FFD040, 0x00803000);
    ComposeText(C, Panel, 848, 96, 2000, 0x00FFFFFF, W("2.0"));
    Panel.Show(C, 20, 500);
  }
  Snap(C, "text");
}

namespace {
// Outline and fill of the demo's circles, chosen to read on the backdrop.
constexpr UINT32 kCirclePairs[7][2] = {{0x00FFFFFF, 0x00000000}, {0x00FFE080, 0x0000C0A0},
                                       {0x00FFA040, 0x006000C0}, {0x00C0C0C0, 0x00A0E0FF},
                                       {0x00FF4040, 0x00FFFFFF}, {0x0040FF40, 0x00FFFFFF},
                                       {0x004080FF, 0x00FFFFFF}};
}  // namespace

void DemoShapes(const SceneContext &C) {
  FillScreen(C, kBackdrop);
  // Lines of every slope, every pen.
  const INT32 CX = 150, CY = 150;
  for (INT32 I = 0; I < 24; I++) {
    UI(DrawLine, nullptr, 0, 0, CX + kStar[I][0] * 13 / 10, CY + kStar[I][1] * 13 / 10,
       CX + kStar[I][0] * 3 / 10, CY + kStar[I][1] * 3 / 10, 1 + I % 5, PaletteColor(I));
  }
  Caption(C, 80, 6, W("lines, pens 1-5"));
  // Regular polygons, concentric and in a row.
  for (INT32 Sides = 3; Sides <= 10; Sides++) {
    UI(DrawRegularPolygon, nullptr, 0, 0, 450, 150, Sides, 25 + (Sides - 3) * 15, 1 + Sides % 3,
       PaletteColor(Sides));
  }
  Caption(C, 390, 6, W("polygons 3-10"));
  for (INT32 Sides = 3; Sides <= 8; Sides++) {
    INT32 X = 640 + ((Sides - 3) % 3) * 125, Y = 80 + ((Sides - 3) / 3) * 140;
    UI(DrawRegularPolygon, nullptr, 0, 0, X, Y, Sides, 50, 3, PaletteColor(Sides + 2));
    UI(DrawRegularPolygon, nullptr, 0, 0, X, Y, Sides, 30, 1, PaletteColor(Sides + 4));
  }
  // Every fill style of the three shapes: 0 outline, 1 solid, 2-5 gradients, 6 dotted.
  for (INT32 F = 0; F <= 6; F++) {
    INT32 X = 20 + F * 143;
    UI(DrawText, 0x00C8D0E0, nullptr, 1000, (UINT16)(X + 30), 308, W("fill %d"), F);
    UI(DrawRectangle, nullptr, 0, 0, X, 332, 125, 110, 1 + F % 3, F, kGradientPairs[F][0],
       kGradientPairs[F][1]);
    UI(DrawTriangle, nullptr, 0, 0, (UINT32)X, 592, (UINT32)X + 62, 460, (UINT32)X + 125, 592,
       1 + F % 2, F, kGradientPairs[(F + 3) % 8][0], kGradientPairs[(F + 3) % 8][1]);
    UI(DrawCircle, nullptr, 0, 0, X + 62, 680, 62, 3, F, kCirclePairs[F][0], kCirclePairs[F][1]);
  }
  Snap(C, "shapes");
}

void DemoDim(const SceneContext &C) {
  ORVANE_PIXEL *Screen = nullptr;
  UINT32 Width = 0, Height = 0;
  if (UI(CaptureScreen, &Screen, &Width, &Height) != 0) {
    return;
  }
  for (UINT32 Level = 8; Level >= 4; Level -= 2) {
    UI(DimCapturedScreen, Level);
  }
  // A dialog over the dimmed screen, as the setup screen shows one.
  UI(DrawRectangle, nullptr, 0, 0, 262, 284, 500, 200, 3, 3, 0x00E0E8F0, 0x008090B0);
  ORVANE_PIXEL Back = {0xB0, 0x90, 0x80, 0};
  UI(DrawText, 0x00102030, nullptr, 1500, 300, 320, W("Screen captured and dimmed"));
  UI(DrawText, 0x00FFFFFF, &Back, 1000, 300, 380, W("Level 4 of 10 keeps %d%% of the light"), 40);
  UI(DrawText, 0x00102030, nullptr, 1000, 300, 420, W("RestoreCapturedScreen brings it back"));
  Snap(C, "dim");
  UI(RestoreCapturedScreen, );
  Snap(C, "restored");
  UI(ReleaseCapturedScreen, );
}

namespace {
void PaintPicture(const SceneContext &C, const SceneBuffer &Image, UINT32 From, UINT32 To,
                  const CHAR16 *Title) {
  INT32 IW = Image.Width(), IH = Image.Height();
  Image.Fill(To);
  UI(DrawRectangle, Image.Get(), IW, IH, 0, 0, IW, IH, 1, 5, From, To);
  for (INT32 K = 0; K < 9; K++) {
    UI(DrawCircle, Image.Get(), IW, IH, 110 + K * 100, 200 + (K % 3) * 40, 45, 3, 1 + K % 3,
       PaletteColor(K), PaletteColor(K + 3));
  }
  for (INT32 K = 0; K < 6; K++) {
    UI(DrawRegularPolygon, Image.Get(), IW, IH, 160 + K * 140, 560, 3 + K, 60, 3,
       PaletteColor(K + 1));
  }
  ComposeText(C, Image, 40, 40, 2000, 0x00FFFFFF, Title);
}
}  // namespace

void DemoTransitions(const SceneContext &C) {
  SceneBuffer Image(C, kSceneWidth, kSceneHeight);
  if (!Image) {
    return;
  }
  PaintPicture(C, Image, 0x00102060, 0x0060A0E0, W("Wipe: diagonal by diagonal"));
  Announce(C, "wipe-midway");
  UI(WipeTransition, Image.Get(), kSceneWidth, kSceneHeight, 0, 0);
  Snap(C, "wipe");
  PaintPicture(C, Image, 0x00601020, 0x00E0A060, W("Dissolve: 2601 blocks, scattered"));
  Announce(C, "dissolve-midway");
  UI(DissolveTransition, Image.Get(), kSceneWidth, kSceneHeight, 0, 0);
  Snap(C, "dissolve");
}

void DemoFinal(const SceneContext &C) {
  // Backdrop and header band.
  UI(DrawRectangle, nullptr, 0, 0, 0, 0, 1024, 768, 1, 5, 0x00203050, 0x00080C18);
  UI(DrawRectangle, nullptr, 0, 0, 0, 0, 1024, 110, 1, 4, 0x00204080, 0x0060A0E0);
  if (C.Banner != nullptr) {
    C.Banner->Banner(nullptr);
    C.Calls++;
  }
  UI(DrawText, 0x00FFFFFF, nullptr, 2000, 600, 30, W("Orvane Setup"));

  // Menu on the left, one entry selected.
  const CHAR16 *Menu[6] = {W("Main"),     W("Display"), W("Boot order"),
                           W("Security"), W("Power"),   W("Exit")};
  UI(DrawRectangle, nullptr, 0, 0, 20, 130, 240, 610, 1, 6, 0x00506080, 0x00283040);
  for (INT32 I = 0; I < 6; I++) {
    if (I == 1) {
      UI(DrawRectangle, nullptr, 0, 0, 30, 148 + I * 50, 220, 38, 1, 2, 0x00F0A040, 0x00C05010);
    }
    UI(DrawText, 0x00F0F0F0, nullptr, 1500, 48, (UINT16)(154 + I * 50), W("%s"), Menu[I]);
  }

  // Display panel: a gauge, a bar, a palette and two buttons.
  UI(DrawRectangle, nullptr, 0, 0, 280, 130, 724, 610, 2, 3, 0x00405878, 0x00181C28);
  UI(DrawText, 0x00FFFFFF, nullptr, 1500, 300, 145, W("Display"));
  UI(DrawCircle, nullptr, 0, 0, 420, 330, 100, 6, 2, 0x00102040, 0x0040E0FF);
  UI(DrawRegularPolygon, nullptr, 0, 0, 420, 330, 12, 80, 2, 0x00FFFFFF);
  UI(DrawLine, nullptr, 0, 0, 420, 330, 480, 270, 4, 0x00FF6040);
  UI(DrawCircle, nullptr, 0, 0, 420, 330, 8, 0, 1, 0x00FF6040, 0x00FF6040);
  ORVANE_PIXEL Panel = {0x28, 0x1C, 0x18, 0};
  UI(DrawText, 0x00C0E0FF, &Panel, 1000, 370, 450, W("Brightness %d%%"), 72);
  UI(DrawText, 0x00FFFFFF, nullptr, 1000, 580, 200, W("Resolution %dx%d"), 1024, 768);
  UI(DrawRectangle, nullptr, 0, 0, 580, 230, 380, 30, 1, 1, 0x00A0A0A0, 0x00303030);
  UI(DrawRectangle, nullptr, 0, 0, 582, 232, 270, 26, 1, 4, 0x0040C060, 0x00E0F040);
  for (INT32 K = 0; K < 8; K++) {
    UI(DrawRectangle, nullptr, 0, 0, 580 + K * 48, 290, 40, 40, 1, 1, 0x00FFFFFF, PaletteColor(K));
  }
  UI(DrawTriangle, nullptr, 0, 0, 580, 460, 680, 360, 780, 460, 2, 3, 0x00FFE060, 0x00C03060);
  UI(DrawTriangle, nullptr, 0, 0, 800, 360, 960, 360, 880, 460, 2, 2, 0x0060E0FF, 0x00203080);
  const CHAR16 *Buttons[2] = {W("Save"), W("Cancel")};
  for (INT32 I = 0; I < 2; I++) {
    INT32 X = 600 + I * 200;
    UI(DrawRectangle, nullptr, 0, 0, X, 640, 160, 50, 3, 3, 0x00E0E8F0,
       I == 0 ? 0x003070C0u : 0x00505860u);
    UI(DrawText, 0x00FFFFFF, nullptr, 1500, (UINT16)(X + 40), 652, W("%s"), Buttons[I]);
  }
  for (INT32 K = 0; K < 5; K++) {
    UI(DrawPoint, nullptr, 0, 0, 320 + K * 24, 520, K + 1, PaletteColor(K));
  }
  UI(DrawText, 0x00A0A8B0, nullptr, 1000, 300, 550, W("Pens 1-5"));
  Snap(C, "final");
}

void RunDemo(const SceneContext &C) {
  DemoPens(C);
  DemoText(C);
  DemoShapes(C);
  DemoDim(C);
  DemoTransitions(C);
  DemoSettings(C);
  DemoStatus(C);
  DemoListPopup(C);
  DemoOptionPopups(C);
  DemoDock(C);
  DemoDialog(C);
  DemoFinal(C);
}
