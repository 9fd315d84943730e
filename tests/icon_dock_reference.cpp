#include "tests/icon_dock_reference.h"

#include <cstring>

#include "controls/popup/images/pictures.h"
#include "platform/services.h"
#include "tests/cursor_image_reference.h"
#include "tests/raster_reference.h"
#include "text/text.h"

namespace ref {

namespace {

typedef EFI_GRAPHICS_OUTPUT_BLT_PIXEL Pixel;

// A "new" 40 x 41 buffer holding the decoded picture over junk.
std::vector<Pixel> Decode(const CursorImage &Image) {
  std::vector<Pixel> Out(40 * 41);
  std::memset(Out.data(), 0xA7, Out.size() * sizeof(Pixel));
  ref::DecodeCursorOver(std::vector<uint8_t>(Image.Bytes, Image.Bytes + Image.Size), Out.data());
  return Out;
}

void DecodeOver(const CursorImage &Image, std::vector<Pixel> &Over) {
  ref::DecodeCursorOver(std::vector<uint8_t>(Image.Bytes, Image.Bytes + Image.Size), Over.data());
}

// Copies W x H from (SX, SY) of Source to (DX, DY) of Dest, pixel by pixel,
// leaving out what falls outside either image.
void Copy(std::vector<Pixel> &Dest, int64_t DW, int64_t DH, int64_t DX, int64_t DY,
          const std::vector<Pixel> &Source, int64_t SW, int64_t SH, int64_t SX, int64_t SY,
          int64_t W, int64_t H) {
  for (int64_t R = 0; R < H; R++)
    for (int64_t C = 0; C < W; C++) {
      int64_t FX = SX + C, FY = SY + R, TX = DX + C, TY = DY + R;
      if (FX < 0 || FX >= SW || FY < 0 || FY >= SH || TX < 0 || TX >= DW || TY < 0 || TY >= DH)
        continue;
      Dest[TY * DW + TX] = Source[FY * SW + FX];
    }
}

}  // namespace

DockPaint PaintIconDock(const IconDock &D) {
  const int64_t W = D.width, H = D.height, N = D.count;
  const int64_t Pitch = N < 9 ? 51 : 47;
  // 1. The row buffer, all band colour; a work buffer.
  std::vector<Pixel> Row(W * H);
  ref::DrawRectangle(Row.data(), (INT32)W, (INT32)H, 0, 0, (INT32)W, (INT32)H, 1, 1, 0x245909,
                     0x245909);
  std::vector<Pixel> Work(40 * 41);
  std::vector<Pixel> Placeholder;
  // 2. Items.
  for (int64_t I = 0; I < N; I++) {
    const bool Highlighted = (I == D.focus && (D.mode == 1 || D.mode == 2)) || D.active[I] == 1;
    const uint32_t Kind = D.flags[I] & 0x0F;
    std::vector<Pixel> Picture = Decode(gDockPictures[(Highlighted ? 8 : 0) + Kind]);
    if (I == D.focus && D.mode == 1) Placeholder = Decode(gDockPictures[16]);
    if (D.flags[I] & 0x90) {
      Copy(Work, 40, 41, 0, 0, Picture, 40, 41, 0, 0, 40, 41);
      const uint32_t Badge = (D.flags[I] & 0x90) == 0x10 ? 0 : (D.flags[I] & 0x90) == 0x80 ? 1 : 2;
      DecodeOver(gDockPictures[(Highlighted ? 20 : 17) + Badge], Work);
      Copy(Picture, 40, 41, 0, 0, Work, 40, 41, 0, 0, 40, 41);
    }
    if (I < N - 1) {
      ref::DrawLine(Row.data(), (INT32)W, (INT32)H, (INT32)(I * Pitch + 41), (INT32)(H / 2 - 2),
                    (INT32)(I * Pitch + 43), (INT32)(H / 2), 1, 0x55A01E);
      ref::DrawLine(Row.data(), (INT32)W, (INT32)H, (INT32)(I * Pitch + 41), (INT32)(H / 2 + 2),
                    (INT32)(I * Pitch + 43), (INT32)(H / 2), 1, 0x55A01E);
    }
    const bool DraggedOne = D.dragging == 1 && I == D.focus;
    if (DraggedOne && !(I == N - 1 && D.dragX > I * Pitch)) {
      if (Placeholder.empty()) Placeholder = Decode(gDockPictures[16]);  // a drag outside mode 1
      Copy(Row, W, H, I * Pitch, 0, Placeholder, 40, 41, 0, 0, 40, 41);
      Copy(Row, W, H, D.dragX, 0, Picture, 40, 41, 0, 0, 40, 41);
    } else if (D.dragging == 1 && I == D.focus + 1) {
      int64_t Off = (D.flags[I - 1] & 0xF0) == 0x10 ? 11 : 15;
      if (N > 8) Off -= 4;
      const int64_t S = (I - 1) * Pitch;
      if (S < D.dragX && D.dragX - S > Off) {
        const int64_t From = D.dragX - S - Off;
        Copy(Row, W, H, Pitch + D.dragX - Off, 0, Picture, 40, 41, From, 0, 40 - From, 41);
      } else {
        Copy(Row, W, H, I * Pitch, 0, Picture, 40, 41, 0, 0, 40, 41);
      }
    } else {
      Copy(Row, W, H, I * Pitch, 0, Picture, 40, 41, 0, 0, 40, 41);
    }
  }
  DockPaint Out;
  Out.Row.resize(Row.size());
  std::memcpy(Out.Row.data(), Row.data(), Row.size() * 4);
  // 4. The strip.
  const int64_t SW = 1074 - (int64_t)D.x;
  if (SW <= 0 || D.stripBackground == nullptr) return Out;
  std::vector<Pixel> Strip(D.stripBackground, D.stripBackground + SW * 19);
  if (D.mode == 2 && D.focus != 16 && D.labels[D.focus] != nullptr) {
    TextImage Text = {0xFFFFFF, 0x000000, 0, 0, nullptr};
    if (RenderText(1000, &Text, D.labels[D.focus]) == 0) {
      const int64_t TW = Text.Width, TH = Text.Height, L = N < 9 ? 500 : 713,
                    M = Pitch * D.focus + 68;
      int64_t O, K0 = 0;
      if (M < TW / 2 && TW < L) {
        O = 0;
      } else if (M + TW / 2 > L && TW < L) {
        O = L - TW;
      } else if (TW > L) {
        O = 0;
        K0 = TW - L;
      } else {
        O = M - TW / 2;
      }
      for (int64_t J = 0; J <= TW - K0 - 1; J++)
        for (int64_t K = 0; K <= TH - 1; K++) {
          const Pixel P = Text.Bitmap[K * TW + J];
          if (P.Red == 0xFF && P.Green == 0xFF && P.Blue == 0xFF && O + J >= 0 && O + J < SW &&
              K < 19) {
            Strip[K * SW + O + J] = Pixel{0xFF, 0xFF, 0xFF, 0};
          }
        }
      PoolFree(Text.Bitmap);
    }
  }
  Out.Strip.resize(Strip.size());
  std::memcpy(Out.Strip.data(), Strip.data(), Strip.size() * 4);
  return Out;
}

}  // namespace ref
