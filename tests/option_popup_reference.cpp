#include "tests/option_popup_reference.h"

#include "controls/popup/cursor_image.h"
#include "controls/popup/images/pictures.h"
#include "raster/image_copy.h"
#include "tests/window_frame_reference.h"
#include "text/text.h"

namespace ref {

namespace {

uint32_t Length(const CHAR16 *S) {
  uint32_t N = 0;
  while (S[N] != 0) N++;
  return N;
}

// Decodes the three pieces of Set (left cap, middle tile, right cap) and
// assembles a RW x 45 bar from them.
void AssembleBar(uint32_t PieceSet, ORVANE_PIXEL *Bar, uint32_t RW, uint32_t M) {
  ORVANE_PIXEL *Piece[3] = {};
  for (uint32_t P = 0; P < 3; P++) {
    DecodeCursorImage(&gRowPieces[PieceSet * 3 + P], 8, 45, &Piece[P], 0);
  }
  CopyImageRect(Bar, Piece[0], 0, 0, 0, 0, RW, 45, 8, 45, 8, 45, nullptr);
  CopyImageRect(Bar, Piece[2], RW - 8, 0, 0, 0, RW, 45, 8, 45, 8, 45, nullptr);
  for (uint32_t K = 1; K <= M + 3; K++) {
    CopyImageRect(Bar, Piece[1], 8 * K, 0, 0, 0, RW, 45, 8, 45, 8, 45, nullptr);
  }
  for (ORVANE_PIXEL *P : Piece) BS->FreePool(P);
}

}  // namespace

void PaintOptionPopup(const OptionPopupSet &Set, std::vector<uint32_t> &Window) {
  const OptionPopupState &S = Set.state;
  const OptionPopupEntry &E = Set.entries[S.shown];
  const uint32_t W = E.width, H = E.height, N = E.count, M = S.maxItemChars, RW = W - 27;
  ORVANE_PIXEL *Pixels = reinterpret_cast<ORVANE_PIXEL *>(Window.data());
  DrawTarget T = DrawTarget::For(Pixels, (INT32)W, (INT32)H);

  CHAR16 *Title = StrDuplicate(E.title != nullptr ? E.title : W(""));
  uint32_t TitleLength = Length(Title);
  if (TitleLength > M - 5 && M > 4) {
    Title[M - 8] = Title[M - 7] = Title[M - 6] = '.';
    Title[M - 5] = 0;
  }
  ListPopup Local = {};
  Local.width = W;
  Local.height = (INT32)H;
  Local.title = Title;
  Local.titleHeight = 63;
  Local.closeState = S.closeState;

  PaintTitleBar(T, 0, 0, Local, 6, 0x535353, 0x111111, E.icon);
  PaintWindowBody(T, 0, 0, Local, 6, 0x111111, 0x111111, 0x252525, 0x7D7D7D);
  PaintWindowFrame(T, 0, 0, (INT32)W, (INT32)H, 6, 0x535353, 0x313131);
  if (S.closeShown != 0) {
    PaintCloseButton(T, (INT32)W - 27, 14, Local);
  }

  std::vector<ORVANE_PIXEL> Placeholder;
  if (S.mode == 1) {
    Placeholder.assign(RW * 45, ORVANE_PIXEL{});
    AssembleBar(3, Placeholder.data(), RW, M);
  }
  for (uint32_t I = 0; I < N; I++) {
    std::vector<ORVANE_PIXEL> Row(RW * 45, ORVANE_PIXEL{});
    uint32_t PieceSet = 0;
    if (I == S.focus && S.mode == 2) PieceSet = 2;
    if (I == S.focus && S.mode == 1) PieceSet = 1;
    AssembleBar(PieceSet, Row.data(), RW, M);

    CHAR16 *Text = StrDuplicate(E.items[I]);
    if (Length(Text) >= M) {
      Text[M] = 0;
      if (!(Text[M - 3] == ' ' && Text[M - 2] == ' ' && Text[M - 1] == ' ')) {
        Text[M - 3] = Text[M - 2] = Text[M - 1] = '.';
      }
    }
    TextImage Image = {0xFFFFFF, 0x000000, 0, 0, nullptr};
    RenderText(1000, &Image, Text);
    for (uint32_t R = 0; R < Image.Height; R++) {
      for (uint32_t C = 0; C < Image.Width; C++) {
        ORVANE_PIXEL P = Image.Bitmap[R * Image.Width + C];
        if (P.Blue == 0xFF && P.Green == 0xFF && P.Red == 0xFF && 20 + C < RW && 15 + R < 45) {
          Row[(15 + R) * RW + 20 + C] = ORVANE_PIXEL{0xFF, 0xFF, 0xFF, 0};
        }
      }
    }
    BS->FreePool(Image.Bitmap);
    BS->FreePool(Text);

    auto Copy = [&](const ORVANE_PIXEL *From, uint32_t SourceY, uint32_t Top, uint32_t Rows) {
      CopyImageRect(Pixels, From, 14, (UINT16)Top, 0, (UINT16)SourceY, (UINT16)W, (UINT16)H,
                    (UINT16)RW, 45, (UINT16)RW, (UINT16)Rows, nullptr);
    };
    const uint32_t O = S.dragOffset;
    if (S.dragging == 1 && I == S.focus) {
      if (I == N - 1 && 45 * I < O) {
        Copy(Row.data(), 0, 67 + 45 * I, 45);
      } else {
        if (!Placeholder.empty()) Copy(Placeholder.data(), 0, 67 + 45 * I, 45);
        Copy(Row.data(), 0, 67 + O, 45);
      }
    } else if (S.dragging == 1 && I == (uint32_t)S.focus + 1) {
      int32_t D = (int32_t)O - 45 * ((int32_t)I - 1);
      if (D > 0) {
        if (D < 45) Copy(Row.data(), (uint32_t)D, 67 + 45 * I + (uint32_t)D, 45 - (uint32_t)D);
      } else {
        Copy(Row.data(), 0, 67 + 45 * I, 45);
      }
    } else {
      Copy(Row.data(), 0, 67 + 45 * I, 45);
    }
  }
  BS->FreePool(Title);
}

}  // namespace ref
