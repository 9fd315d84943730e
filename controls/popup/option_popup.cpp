#include "controls/popup/option_popup.h"

#include "controls/popup/cursor_image.h"
#include "controls/popup/images/pictures.h"
#include "controls/popup/window_frame.h"
#include "controls/status/label.h"
#include "platform/services.h"
#include "raster/image_copy.h"
#include "raster/target.h"
#include "text/text.h"

namespace {

constexpr UINT16 kEntryCount = 9;
constexpr UINT16 kNoFocus = 128;
constexpr UINT16 kDefaultMaxItemChars = 31;
constexpr UINT32 kDefaultWidth = 315;
constexpr UINT32 kEmptyHeight = 88;
constexpr UINT32 kIconWidth = 48;
constexpr UINT32 kIconHeight = 54;
constexpr INT64 kScreenWidth = 1024;
constexpr INT64 kScreenHeight = 768;
constexpr UINTN kClosePressed = 8;

// Window geometry, relative to the window's top-left corner.
constexpr INT32 kTitleHeight = 63;
constexpr INT32 kListTop = 67;
constexpr INT32 kBottomMargin = 25;
constexpr INT32 kRowHeight = 45;
constexpr INT32 kRowPitch = 46;  // rows are hit 46 pixels apart, drawn 45 apart
constexpr INT32 kRowLeft = 14;
constexpr INT32 kRowMargin = 27;  // row width = window width - 27
constexpr INT32 kTextX = 20;
constexpr INT32 kTextY = 15;
constexpr INT32 kPieceWidth = 8;
constexpr INT32 kCloseX = 27;  // close box column: window width - 27
constexpr INT32 kCloseY = 14;
constexpr INT32 kCloseSpanX = 16;
constexpr INT32 kCloseSpanY = 16;

// Popup kinds and the entries they fill.
struct KindEntry {
  UINT16 Kind;
  UINT16 Entry;
};
constexpr KindEntry kKinds[] = {{0, 0}, {2, 1},  {3, 8},  {4, 5}, {5, 6},
                                {6, 7}, {16, 3}, {17, 2}, {18, 4}};

// Where the background saved by the first paint keeps its own size: two
// pixels ahead of the pixels the record points at, so that closing never reads
// past it after the entry was redefined larger in between.
constexpr UINTN kSavedHeader = 2;

ORVANE_PIXEL *SaveBackground(INT32 X, INT32 Y, UINT32 W, UINT32 H) {
  ORVANE_PIXEL *Block =
      static_cast<ORVANE_PIXEL *>(PoolAlloc((kSavedHeader + (UINTN)W * H) * sizeof(ORVANE_PIXEL)));
  if (Block == nullptr) {
    return nullptr;
  }
  reinterpret_cast<UINT32 *>(Block)[0] = W;
  reinterpret_cast<UINT32 *>(Block)[1] = H;
  CaptureUnder(Block + kSavedHeader, X, Y, (INT32)W, (INT32)H);
  return Block + kSavedHeader;
}

void FreeBackground(ORVANE_PIXEL *Saved) { PoolFree(Saved - kSavedHeader); }

// Reorders two items by swapping the caller's pointers: the control allocates
// nothing, so a drag of any length costs no pool memory, and every string
// stays the caller's. False (nothing swapped) when either index is no item.
bool SwapItems(OptionPopupEntry &E, INT64 I, INT64 J) {
  if (E.items == nullptr || I < 0 || J < 0 || I >= E.count || J >= E.count) {
    return false;
  }
  const CHAR16 *T = E.items[I];
  E.items[I] = E.items[J];
  E.items[J] = T;
  return true;
}

// The item-row piece sets, each a left cap, a middle tile and a right cap.
enum RowLook : UINT32 {
  kLookNormal = kRowSetNormal,
  kLookPressed = kRowSetPressed,
  kLookFocused = kRowSetFocused,
  kLookPlaceholder = kRowSetPlaceholder,
};
constexpr UINT32 kLooks = 4;

UINT32 LengthUpTo(const CHAR16 *S, UINT32 Limit) {
  UINT32 N = 0;
  while (N < Limit && S[N] != 0) N++;
  return N;
}

// A pool copy of the first Length characters of S, terminated.
CHAR16 *CopyText(const CHAR16 *S, UINT32 Length) {
  CHAR16 *Copy = static_cast<CHAR16 *>(PoolAlloc(((UINTN)Length + 1) * sizeof(CHAR16)));
  if (Copy != nullptr) {
    for (UINT32 I = 0; I < Length; I++) Copy[I] = S[I];
    Copy[Length] = 0;
  }
  return Copy;
}

// The title as the window shows it: longer than M - 5 characters, its first
// M - 8 followed by "...".
CHAR16 *ShortTitle(const CHAR16 *Title, UINT16 M) {
  static constexpr CHAR16 kEmpty[] = {0};
  if (Title == nullptr) Title = kEmpty;
  const UINT32 Length = LengthUpTo(Title, M - 4u);
  if (Length <= M - 5u) {
    return CopyText(Title, Length);
  }
  CHAR16 *Copy = CopyText(Title, M - 5u);
  if (Copy != nullptr) {
    Copy[M - 8] = Copy[M - 7] = Copy[M - 6] = '.';
  }
  return Copy;
}

// An item as its row shows it: M characters or more are cut to M, the last
// three becoming "..." unless they are spaces.
CHAR16 *ShortItem(const CHAR16 *Item, UINT16 M) {
  const UINT32 Length = LengthUpTo(Item, M);
  CHAR16 *Copy = CopyText(Item, Length);
  if (Copy != nullptr && Length == M &&
      !(Copy[M - 3] == ' ' && Copy[M - 2] == ' ' && Copy[M - 1] == ' ')) {
    Copy[M - 3] = Copy[M - 2] = Copy[M - 1] = '.';
  }
  return Copy;
}

// Assembles a RW x 45 bar of one look: left cap at column 0, right cap at
// RW - 8, then M + 3 middle tiles from column 8. A row wider than 8 * M + 67
// leaves a gap before the right cap, which stays black.
EFI_STATUS BuildBar(RowLook Look, ORVANE_PIXEL *Bar, INT32 RW, UINT16 M) {
  ORVANE_PIXEL *Pieces[3] = {};
  EFI_STATUS Status = EFI_SUCCESS;
  for (UINT32 P = 0; P < 3 && !EFI_ERROR(Status); P++) {
    Status = DecodeCursorImage(&gRowPieces[Look * 3 + P], kRowPieceWidth, kRowPieceHeight,
                               &Pieces[P], 0);
  }
  if (!EFI_ERROR(Status)) {
    const DrawTarget Target = DrawTarget::For(Bar, RW, kRowHeight);
    const INT32 GapLeft = (M + 4) * kPieceWidth, GapRight = RW - kPieceWidth;
    if (GapLeft < GapRight) Target.Fill(GapLeft, 0, GapRight - GapLeft, kRowHeight, 0);
    // Row by row, each row's pieces in the order the caps and tiles are laid:
    // a piece row is eight pixels, too few to pay for a copy call of its own.
    for (INT32 R = 0; R < kRowHeight; R++) {
      INT64 Left = 0, Right = RW;
      ORVANE_PIXEL *Line = Target.Row(R, Left, Right);
      if (Line == nullptr) {
        continue;
      }
      auto Put = [&](const ORVANE_PIXEL *Piece, INT64 Column) {
        const ORVANE_PIXEL *From = Piece + (UINTN)R * kPieceWidth;
        const INT64 First = Max64(Column, Left), End = Min64(Column + kPieceWidth, Right);
        if (End - First == kPieceWidth) {
          __builtin_memcpy(Line + (First - Left), From, kPieceWidth * sizeof(ORVANE_PIXEL));
        } else if (First < End) {
          CopyPixels(Line + (First - Left), From + (First - Column), (UINTN)(End - First));
        }
      };
      Put(Pieces[0], 0);
      Put(Pieces[2], RW - kPieceWidth);
      for (INT32 Tile = 1; Tile <= M + 3; Tile++) {
        Put(Pieces[1], Tile * kPieceWidth);
      }
    }
  }
  for (ORVANE_PIXEL *Piece : Pieces) PoolFree(Piece);
  return Status;
}

// An item's text, shortened to M characters and rendered white on black.
EFI_STATUS RenderItemText(OwnedText &Out, const CHAR16 *Item, UINT16 M) {
  PoolBuffer<CHAR16> Text(ShortItem(Item, M));
  return Text && Out.Render(Text.Get(), 0x00FFFFFF, 0x00000000) ? EFI_SUCCESS
                                                                : EFI_OUT_OF_RESOURCES;
}

// Draws rows FromRow to 44 of an item row (its bar and, unless NULL, its text)
// into the window with row FromRow at Top. This is the same as composing the
// whole row in a buffer of its own and copying those rows of it: the text is
// clipped to the row and the row to the window.
void PutRow(const DrawTarget &Window, const ORVANE_PIXEL *Bar, INT32 RW, INT64 Top, INT64 FromRow,
            const TextImage *Text) {
  const INT64 RowTop = Top - FromRow;  // where the whole row would start
  const INT64 Bottom = Min64(RowTop + kRowHeight, Window.Height);
  if (FromRow >= kRowHeight || Top < 0 || Top >= Bottom) {
    return;  // nothing left of the row, or nothing of it in the window
  }
  for (INT64 Y = Top; Y < Bottom; Y++) {
    INT64 Left = kRowLeft, Right = kRowLeft + (INT64)RW;
    if (ORVANE_PIXEL *To = Window.Row(Y, Left, Right)) {
      CopyPixels(To, Bar + (UINTN)(Y - RowTop) * (UINTN)RW + (Left - kRowLeft),
                 (UINTN)(Right - Left));
    }
  }
  if (Text != nullptr) {
    // Pixels whose blue, green and red are all 0xFF are written as 0xFFFFFF.
    const Rect Row = {kRowLeft, (INT32)Top, RW, (INT32)(Bottom - Top)};
    PlaceTextInk(Window.Narrowed(Row), kRowLeft + kTextX, RowTop + kTextY, *Text, 0x00FFFFFF);
  }
}

}  // namespace

UINTN EFIAPI ResetOptionPopups(OptionPopupSet *Set) {
  if (Set == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  for (OptionPopupEntry &E : Set->entries) {
    E = {};
    E.width = kDefaultWidth;
    E.height = kEmptyHeight;
  }
  OptionPopupState &S = Set->state;
  S = {};
  S.maxItemChars = kDefaultMaxItemChars;
  S.focus = kNoFocus;
  S.closeShown = 1;
  return 0;
}

EFI_STATUS EFIAPI DefineOptionPopup(OptionPopupSet *Set, INT32 X, INT32 Y, UINT16 Kind,
                                    const CHAR16 *Title, UINT16 Count, const CHAR16 **Items) {
  if (Set == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  const KindEntry *Found = nullptr;
  for (const KindEntry &K : kKinds) {
    if (K.Kind == Kind) Found = &K;
  }
  if (Found == nullptr) {
    return EFI_NOT_FOUND;
  }
  if (Count > 0 && Items == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  OptionPopupEntry &E = Set->entries[Found->Entry];
  // The first decoded icon of an entry stays; a redefinition decodes nothing.
  if (E.icon == nullptr) {
    ORVANE_PIXEL *Icon = nullptr;
    EFI_STATUS Status =
        DecodeCursorImage(&gTitleIcons[Found->Entry], kIconWidth, kIconHeight, &Icon, 0);
    if (EFI_ERROR(Status)) {
      PoolFree(Icon);
      return Status;
    }
    E.icon = Icon;
  }
  E.iconWidth = kIconWidth;
  E.iconHeight = kIconHeight;
  E.title = Title;
  E.count = Count;
  E.items = Items;
  E.height = (UINT32)(kTitleHeight + (INT64)Count * kRowHeight + kBottomMargin);
  // Keep the window on a 1024 x 768 screen.
  INT64 NewX = X, NewY = Y;
  if (NewX + E.width > kScreenWidth) NewX = kScreenWidth - E.width;
  if (NewY + E.height > kScreenHeight) NewY = kScreenHeight - E.height;
  E.x = (INT32)NewX;
  E.y = (INT32)NewY;
  return EFI_SUCCESS;
}

UINTN EFIAPI TrackOptionPopup(OptionPopupSet *Set, UINT16 EntryIndex, INT32 PointerX,
                              INT32 PointerY, UINT16 EventKind, UINT16 Key) {
  if (Set == nullptr || EntryIndex >= kEntryCount) {
    return EFI_INVALID_PARAMETER;
  }
  OptionPopupState &S = Set->state;
  OptionPopupEntry &E = Set->entries[EntryIndex];
  // Positions are compared in 64 bits; the 16-bit fields keep the low bits.
  const INT64 A = PointerX, B = PointerY;
  const INT64 Left = E.x, Top = E.y, Width = E.width, ListTop = Top + kListTop;
  const bool KeyEvent = A == 0 && B == 0;
  const bool Pointer = A != 0 && B != 0;

  S.shown = EntryIndex;
  S.mode = (INT16)EventKind;
  if (EventKind == 0) {
    S.focus = kNoFocus;
  }
  if (S.mode != 1) {
    S.dragging = 0;
    S.dragOffset = 0;
    S.grab = 0;
  }
  if (S.focus == kNoFocus && KeyEvent) {
    S.focus = 0;
  }
  S.dragOffset =
      (B > ListTop && Pointer && B - ListTop > S.grab) ? (UINT16)(B - ListTop - S.grab) : 0;

  const bool InCloseBox = A >= Left + Width - kCloseX &&
                          A <= Left + Width - kCloseX + kCloseSpanX && B >= Top + kCloseY &&
                          B <= Top + kCloseY + kCloseSpanY;
  if (InCloseBox && S.mode == 1) {
    S.closeState = 2;
    return kClosePressed;
  }
  S.closeState = (InCloseBox && S.mode == 2) ? 1 : 0;

  if (S.dragging == 1) {
    auto UpHolds = [&] {
      return S.focus != 0 && ((Pointer && B < Top + (INT64)kRowPitch * S.focus + S.grab + 45) ||
                              (KeyEvent && Key == 1));
    };
    auto DownHolds = [&] {
      return S.focus + 1 != E.count &&
             ((Pointer && Top + (INT64)kRowPitch * S.focus + S.grab + 90 < B) ||
              (KeyEvent && Key == 2));
    };
    // A pointer moves the row as far as it went; a key one place.
    while (UpHolds() && SwapItems(E, S.focus, S.focus - 1)) {
      S.focus--;
      if (!Pointer) break;
    }
    while (DownHolds() && SwapItems(E, S.focus, S.focus + 1)) {
      S.focus++;
      if (!Pointer) break;
    }
    if (!KeyEvent) {
      return 0;
    }
    if (S.focus == kNoFocus) S.focus = 0;
    S.dragOffset = (UINT16)(S.focus * kRowHeight);
    S.grab = 0;
    return 0;
  }

  if (KeyEvent && S.mode == 1) {
    S.dragging = 1;
    if (S.focus == kNoFocus) S.focus = 0;
    S.dragOffset = (UINT16)(S.focus * kRowHeight);
    S.grab = 0;
  }
  const bool Outside = A < Left + 13 || A > Left + Width - 14 || B < ListTop ||
                       B > ListTop + (INT64)E.count * kRowHeight;
  if (Outside) {
    if (KeyEvent && S.mode == 2) {
      if (Key == 2 && S.focus + 1 <= E.count - 1) S.focus++;
      if (Key == 1 && S.focus >= 1) S.focus--;
    } else if (Pointer) {
      S.focus = kNoFocus;
    }
  } else if (S.mode == 1 || S.mode == 2) {
    bool Hit = false;
    S.focus = kNoFocus;
    for (INT64 I = 0; I < E.count && !Hit; I++) {
      if (ListTop + kRowPitch * I < B && B < Top + 112 + kRowPitch * I) {
        S.focus = (UINT16)I;
        Hit = true;
      }
    }
    if (Hit && S.mode == 1) {
      S.dragging = 1;
      S.dragOffset = (UINT16)(S.focus * kRowHeight);
      S.grab = (UINT16)(B - Top - (INT64)S.focus * kRowHeight - kListTop);
    }
  }
  return 0;
}

EFI_STATUS EFIAPI CloseOptionPopup(OptionPopupSet *Set) {
  if (Set == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  OptionPopupState &S = Set->state;
  if (S.savedBackground == nullptr) {
    return EFI_NOT_FOUND;
  }
  if (S.shown >= kEntryCount) {
    return EFI_INVALID_PARAMETER;
  }
  const OptionPopupEntry &E = Set->entries[S.shown];
  // The entry's size as it is now, its rows read at its own width from the
  // saved pixels; rows that would lie past what was saved are not sent.
  const UINT32 *Size = reinterpret_cast<const UINT32 *>(S.savedBackground - kSavedHeader);
  const UINT64 SavedPixels = (UINT64)Size[0] * Size[1];
  const UINT64 Width = E.width <= 0xFFFF ? E.width : 0;
  UINT64 Rows = Width != 0 ? SavedPixels / Width : 0;
  if (Rows > E.height) Rows = E.height;
  EFI_STATUS Status = SendToScreen(S.savedBackground, (INT32)Width, (INT32)Rows, E.x, E.y);
  FreeBackground(S.savedBackground);
  S.savedBackground = nullptr;
  return Status;
}

EFI_STATUS EFIAPI PaintOptionPopup(OptionPopupSet *Set) {
  if (Set == nullptr || Set->state.shown >= kEntryCount) {
    return EFI_INVALID_PARAMETER;
  }
  OptionPopupState &S = Set->state;
  const OptionPopupEntry &E = Set->entries[S.shown];
  const UINT16 M = S.maxItemChars;
  // The title cut writes at M - 8, and the M + 3 tiles of a row need 8 * M + 67.
  if (M < 8 || E.width < 8u * M + 67u || E.width > 0xFFFF || E.height == 0 || E.height > 0xFFFF) {
    return EFI_INVALID_PARAMETER;
  }
  if (E.count > 0 && E.items == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  for (UINT32 I = 0; I < E.count; I++) {
    if (E.items[I] == nullptr) return EFI_INVALID_PARAMETER;
  }
  const INT32 W = (INT32)E.width, H = (INT32)E.height, RW = W - kRowMargin;
  const UINTN BarPixels = (UINTN)RW * kRowHeight;

  PoolBuffer<CHAR16> Title(ShortTitle(E.title, M));
  if (!Title) {
    return EFI_OUT_OF_RESOURCES;
  }
  const PopupWindowLook Window = {
      .Width = W,
      .Height = H,
      .TitleHeight = kTitleHeight,
      .Title = Title.Get(),
      .Icon = E.icon,
      .Close = S.closeShown != 0 ? S.closeState : kNoCloseBox,
      .CloseX = W - kCloseX,
      .CloseY = kCloseY,
      .BandFirst = true,
  };

  // The first paint of a shown popup keeps the screen under it; a paint that
  // fails takes back what it saved, leaving the record as it was.
  bool SavedHere = false;
  if (S.savedBackground == nullptr) {
    S.savedBackground = SaveBackground(E.x, E.y, E.width, E.height);
    if (S.savedBackground == nullptr) {
      return EFI_OUT_OF_RESOURCES;
    }
    SavedHere = true;
  }
  auto Fail = [&](EFI_STATUS Status) {
    if (SavedHere) {
      FreeBackground(S.savedBackground);
      S.savedBackground = nullptr;
    }
    return Status;
  };

  // One bar per look in use.
  const bool Dragging = S.dragging == 1;
  const RowLook FocusLook = S.mode == 2 ? kLookFocused : S.mode == 1 ? kLookPressed : kLookNormal;
  PoolBuffer<ORVANE_PIXEL> Bars(BarPixels * kLooks);
  if (!Bars) {
    return Fail(EFI_OUT_OF_RESOURCES);
  }
  auto BarOf = [&](UINT32 Look) { return Bars.Get() + BarPixels * Look; };
  const bool Built[kLooks] = {true, FocusLook == kLookPressed, FocusLook == kLookFocused,
                              S.mode == 1};
  for (UINT32 Look = 0; Look < kLooks; Look++) {
    if (!Built[Look]) continue;
    EFI_STATUS Status = BuildBar((RowLook)Look, BarOf(Look), RW, M);
    if (EFI_ERROR(Status)) {
      return Fail(Status);
    }
  }

  bool Painted = false;
  EFI_STATUS Status = PaintOffscreen(E.x, E.y, W, H, [&](const DrawTarget &T) -> EFI_STATUS {
    const EFI_STATUS Frame = PaintPopupWindow(T, Window);
    if (EFI_ERROR(Frame)) {
      return Frame;
    }
    // Rows in order, so later rows cover earlier ones where they meet.
    const INT64 Offset = S.dragOffset;
    for (INT64 I = 0; I < E.count; I++) {
      const bool Dragged = Dragging && I == S.focus;
      const INT64 Own = kListTop + kRowHeight * I;
      if (Own >= H && !(Dragged && kListTop + Offset < H)) {
        continue;  // nothing of this row would land in the window
      }
      const ORVANE_PIXEL *Bar = BarOf(I == S.focus ? FocusLook : kLookNormal);
      OwnedText Text;
      EFI_STATUS Rendered = RenderItemText(Text, E.items[I], M);
      if (EFI_ERROR(Rendered)) {
        return Rendered;
      }
      if (Dragged) {
        if (I == E.count - 1 && kRowHeight * I < Offset) {
          PutRow(T, Bar, RW, Own, 0, &Text.Image);
        } else {
          if (Built[kLookPlaceholder]) PutRow(T, BarOf(kLookPlaceholder), RW, Own, 0, nullptr);
          PutRow(T, Bar, RW, kListTop + Offset, 0, &Text.Image);
        }
      } else if (Dragging && I == S.focus + 1) {
        // Only the part the dragged row leaves uncovered; never a negative height.
        const INT64 D = Offset - kRowHeight * (I - 1);
        PutRow(T, Bar, RW, D > 0 ? Own + D : Own, D > 0 ? D : 0, &Text.Image);
      } else {
        PutRow(T, Bar, RW, Own, 0, &Text.Image);
      }
    }
    Painted = true;
    return EFI_SUCCESS;
  });
  return Painted ? Status : Fail(Status);
}
