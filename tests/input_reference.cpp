#include "tests/input_reference.h"

#include "platform/services.h"
#include "tests/window_frame_reference.h"

namespace ref {

// ---------------------------------------------------------------- list popup

UINTN HitTestListPopup(ListPopup &P, INT32 PX, INT32 PY, INT16 Kind) {
  const INT64 px = PX, py = PY, x = P.x, y = P.y, W = P.width, H = P.height;
  const INT64 V = (UINT16)(P.height - P.titleHeight - 49), t = P.thumbPos, n = P.thumbLength;
  // 1. The list area.
  if (y + 81 <= py && py < y + 81 + V && x + 19 <= px && px <= x + P.maskWidth) {
    const INT64 o = py - (y + 81) + ScrollOffset(P);
    if (o != 0 && o <= (INT64)P.itemCount * 20 && o / 20 < P.itemCount) {
      if (Kind == 1) P.selectedRow = (INT16)(o / 20);
      if (Kind == 2) P.hotRow = (INT16)(o / 20);
    }
    return 1;
  }
  // 2. The title band and its close box.
  if (x <= px && px < x + W && y < py && py < y + 63) {
    if (x + W - 30 <= px && px < x + W - 14 && y + 20 < py && py < y + 36) return 8;
    return 2;
  }
  // 3. The scroll-bar column, by row.
  if (x + W - 30 <= px && px < x + W - 6) {
    if (y + 69 <= py && py < y + 81) return 3;
    if (y + t + 81 <= py && py < y + t + 69 + n) return 5;
    if (y + H - 31 <= py && py < y + H - 19) return 7;
    if (y + 75 <= py && py < y + t + 69) return 4;
    if (y + t + 69 + n <= py && py < y + H - 12) return 6;
  }
  // 4. The rest of the window.
  if (x <= px && px < x + W && y <= py && py < y + H) return 1;
  return 0;
}

void ScrollListPopup(ListPopup &P, INT16 Part, INT32 Delta) {
  P.hotScrollPart = Part;
  if (P.thumbPos == 0) return;
  const INT64 Moved = (INT64)P.thumbPos + Delta, Bottom = ((INT64)P.height - 112) - P.thumbLength;
  if (Moved < 1) {
    P.thumbPos = 1;
  } else if (Moved > Bottom || P.selectedRow == P.itemCount - 1) {
    P.thumbPos = (UINT16)Bottom;
  } else {
    P.thumbPos = (UINT16)Moved;
  }
}

// ---------------------------------------------------------------- setting row

INT32 SettingSliderKnob(const SettingRow &Row) {
  const INT16 E = (INT16)(Row.x + Row.width - Row.sliderLength);
  const INT16 T0 = (INT16)(E - 49), T1 = (INT16)(E - 65 + Row.sliderLength);
  const FLOAT32_BITS Span = fm::FromInt(T1 - T0);
  const FLOAT32_BITS Per = Row.stepMode == 1 ? fm::Div(Span, fm::FromInt(Row.stepCount - 1))
                                             : fm::Div(Span, fm::FromInt(100));
  const INT32 Units = Row.stepMode == 1 ? Row.stepIndex : Row.percent;
  return (INT16)(T0 + fm::ToIntAlt(fm::Mul(Per, fm::FromInt(Units))));
}

void TrackSettingSlider(SettingRow &Row, INT32 PX, INT32 PY) {
  const INT16 E = (INT16)(Row.x + Row.width - Row.sliderLength);
  const INT16 T0 = (INT16)(E - 49), T1 = (INT16)(E - 65 + Row.sliderLength);
  const INT16 R = (INT16)(E - 52 + Row.sliderLength);
  const FLOAT32_BITS Span = fm::FromInt(T1 - T0);
  const INT32 K = SettingSliderKnob(Row);
  if (PX <= E - 84 || PX >= R + 23 || PY < Row.y || PY >= Row.y + 19) {
    Row.hotPart = 0;
    return;
  }
  if (PX <= E - 61) {
    Row.hotPart = 1;
    if (Row.stepIndex != 0) Row.stepIndex--;
    Row.stepMode = 1;
    return;
  }
  if (PX >= R) {
    Row.hotPart = 3;
    if (Row.stepIndex != Row.stepCount - 1) Row.stepIndex++;
    Row.stepMode = 1;
    return;
  }
  Row.hotPart = (K - 9 <= PX && PX <= K + 9) ? 2 : 4;
  if (PX <= T0) {
    Row.stepIndex = 0;
    Row.percent = 0;
  } else if (PX < T1) {
    Row.stepIndex = (UINT16)fm::ToInt(fm::Div(fm::FromInt((Row.stepCount - 1) * (PX - T0)), Span));
    Row.percent = (UINT16)fm::ToInt(fm::Div(fm::FromInt((PX - T0) * 100), Span));
  } else {
    Row.stepIndex = (UINT16)(Row.stepCount - 1);
    Row.percent = 100;
  }
}

// ---------------------------------------------------------------- option popup

UINTN TrackOptionPopup(OptionPopupSet &Set, UINT16 Index, INT32 A, INT32 B, UINT16 Kind,
                       UINT16 Key) {
  OptionPopupState &S = Set.state;
  OptionPopupEntry &En = Set.entries[Index];
  const INT64 a = A, b = B, e = En.x, f = En.y, w = En.width, h = f + 67;
  const bool KeyEvent = a == 0 && b == 0, Pointer = a != 0 && b != 0;
  auto Swap = [&](INT64 I, INT64 J) {
    const CHAR16 *T = En.items[I];
    En.items[I] = En.items[J];
    En.items[J] = T;
  };
  // 1 to 4.
  S.shown = Index;
  S.mode = (INT16)Kind;
  if (Kind == 0) S.focus = 128;
  if (S.mode != 1) {
    S.dragging = 0;
    S.dragOffset = 0;
    S.grab = 0;
  }
  if (S.focus == 128 && KeyEvent) S.focus = 0;
  S.dragOffset = (b > h && a != 0 && b != 0 && b - h > S.grab) ? (UINT16)(b - h - S.grab) : 0;
  // 5. The close box.
  const bool Close = e + w - 27 <= a && a <= e + w - 11 && f + 14 <= b && b <= f + 30;
  if (Close && S.mode == 1) {
    S.closeState = 2;
    return 8;
  }
  S.closeState = Close && S.mode == 2 ? 1 : 0;
  // 6. Dragging.
  if (S.dragging == 1) {
    auto Up = [&] { return b < f + 46 * S.focus + S.grab + 45 && S.focus != 0 && Pointer; };
    auto Down = [&] {
      return f + 46 * S.focus + S.grab + 90 < b && S.focus + 1 != En.count && Pointer;
    };
    if (Up() || (KeyEvent && Key == 1 && S.focus != 0)) {
      do {
        Swap(S.focus, S.focus - 1);
        S.focus--;
      } while (Up());
    }
    if (Down() || (KeyEvent && Key == 2 && S.focus + 1 != En.count)) {
      do {
        Swap(S.focus, S.focus + 1);
        S.focus++;
      } while (Down());
    }
    if (!KeyEvent) return 0;
    if (S.focus == 128) S.focus = 0;
    S.dragOffset = (UINT16)(S.focus * 45);
    S.grab = 0;
    return 0;
  }
  // 7. Not dragging.
  if (KeyEvent && S.mode == 1) {
    S.dragging = 1;
    if (S.focus == 128) S.focus = 0;
    S.dragOffset = (UINT16)(S.focus * 45);
    S.grab = 0;
  }
  if (a < e + 13 || a > e + w - 14 || b < h || b > h + En.count * 45) {
    if (KeyEvent && S.mode == 2) {
      if (Key == 2 && S.focus + 1 <= En.count - 1) S.focus++;
      if (Key == 1 && S.focus >= 1) S.focus--;
    } else if (Pointer) {
      S.focus = 128;
    }
  } else if (S.mode == 1 || S.mode == 2) {
    S.focus = 128;
    for (INT64 I = 0; I < En.count; I++) {
      if (h + 46 * I < b && b < f + 112 + 46 * I) {
        S.focus = (UINT16)I;
        break;
      }
    }
    if (S.focus != 128 && S.mode == 1) {
      S.dragging = 1;
      S.dragOffset = (UINT16)(S.focus * 45);
      S.grab = (UINT16)(b - f - S.focus * 45 - 67);
    }
  }
  return 0;
}

// ---------------------------------------------------------------- dialogs

void HitTestInputDialog(InputDialog &D, INT32 PX, INT32 PY) {
  const INT64 x = D.x, y = D.y, w = D.width, Gap = D.buttonGap, Bw = D.buttonWidth;
  D.hotButton = 0;
  if (x + w - 30 <= PX && PX < x + w - 14 && y + 20 < PY && PY < y + 36) D.hotButton = 4;
  for (INT64 K = 1; K <= 3; K++) {
    if (D.buttonCount < K) continue;
    if (x + K * Gap + (K - 1) * Bw < PX && PX < x + K * (Bw + Gap) &&
        y + 2 * D.fieldTop + 84 < PY && PY < y + 2 * D.fieldTop + D.buttonHeight + 84) {
      D.hotButton = (INT16)K;
    }
  }
}

void HitTestMessageBox(::MessageBox &Box, INT32 PX, INT32 PY) {
  Box.HotButton = 0;
  const INT64 Top = (INT64)Box.Y + Box.TextTop + Box.TextHeight + Box.ButtonMargin;
  for (INT64 K = 1; K <= 3 && K <= Box.ButtonCount; K++) {
    const INT64 Left = (INT64)Box.X + Box.ButtonsLeft + (K - 1) * (Box.ButtonWidth + Box.ButtonGap);
    if (Top < PY && PY < Top + Box.ButtonHeight && Left < PX && PX < Left + Box.ButtonWidth) {
      Box.HotButton = (UINT16)K;
      Box.HotState = 2;
    }
  }
}

// ---------------------------------------------------------------- scroll bar

Thumb ScrollBarThumb(INT32 M, UINT16 Total, UINT16 Visible, UINT16 First, bool Painting) {
  const INT32 n = (M * Visible) / Total;
  INT32 t = (M / Total) * (First - 1);
  if (Painting && First == Total - Visible + 1) t = M - n;
  // A list that fits in view (t = m - n = 0) keeps its thumb one row below
  // the track's top, as the first page does: the raise to 1 comes last.
  if (t > M - n) t = M - n;
  if (t == 0) t = 1;
  return {t, n};
}

UINT16 HitTestScrollBar(INT32 X, INT32 Y, UINT16 L, UINT16 Total, UINT16 Visible, UINT16 First,
                        INT32 PX, INT32 PY) {
  const Thumb Th = ScrollBarThumb(L - 68, Total, Visible, First, false);
  const INT64 x = X, y = Y, t = Th.Offset, n = Th.Length;
  if (PX < x + 2 || PX > x + 27 || PY < y || PY > y + L - 1) return 0;
  // Bands closed at their lower ends, top to bottom.
  const INT64 Ends[5] = {y + 32, y + 32 + t, y + 31 + t + n, y + L - 34, y + L - 1};
  for (UINT16 Code = 1; Code <= 5; Code++) {
    const INT64 Start = Code == 1 ? y : Ends[Code - 2] + 1;
    if (Start <= PY && PY <= Ends[Code - 1]) return Code;
  }
  return 0;
}

// ---------------------------------------------------------------- icon dock

void TrackIconDock(IconDock &D, INT32 A, INT32 B, UINT16 Kind, UINT16 Key) {
  const INT64 a = A, b = B, x = D.x, y = D.y, Pitch = D.count < 9 ? 51 : 47;
  const bool KeyEvent = a == 0 && b == 0, Pointer = a != 0 && b != 0;
  auto Swap = [&](INT64 I, INT64 J) {
    const CHAR16 *L = D.labels[I];
    D.labels[I] = D.labels[J];
    D.labels[J] = L;
    UINT16 F = D.flags[I];
    D.flags[I] = D.flags[J];
    D.flags[J] = F;
    UINT16 Ac = D.active[I];
    D.active[I] = D.active[J];
    D.active[J] = Ac;
  };
  // 1 to 4.
  D.mode = (INT16)Kind;
  if (Kind == 0) D.focus = 16;
  if (D.mode != 1) {
    D.dragging = 0;
    D.dragX = 0;
    D.grab = 0;
  }
  if (D.focus == 16 && KeyEvent) D.focus = 0;
  D.dragX = (a > x && a != 0 && b != 0 && a - x > D.grab) ? (UINT16)((a - x) - D.grab) : 0;
  // 5. Dragging.
  if (D.dragging == 1) {
    auto Left = [&] { return a < x + Pitch * D.focus + D.grab - 31 && D.focus != 0; };
    auto Right = [&] { return x + Pitch * D.focus + D.grab + 31 < a && D.focus + 1 != D.count; };
    if ((Left() && Pointer) || (KeyEvent && Key == 1 && D.focus != 0)) {
      Swap(D.focus, D.focus - 1);
      D.focus--;
      while (Pointer && Left()) {
        Swap(D.focus, D.focus - 1);
        D.focus--;
      }
    }
    if ((Right() && Pointer) || (KeyEvent && Key == 2 && D.focus + 1 != D.count)) {
      Swap(D.focus, D.focus + 1);
      D.focus++;
      while (Pointer && Right()) {
        Swap(D.focus, D.focus + 1);
        D.focus++;
      }
    }
    if (a != 0 || b != 0) return;
    if (D.focus == 16) D.focus = 0;
    D.dragX = (UINT16)(D.focus * Pitch);
    D.grab = 0;
    return;
  }
  // 6. Not dragging.
  if (KeyEvent && D.mode == 1) {
    D.dragging = 1;
    if (D.focus == 16) D.focus = 0;
    D.dragX = (UINT16)(D.focus * Pitch);
    D.grab = 0;
  }
  if (a < x || a > x + D.width || b < y || b > y + (INT64)D.height) {
    if (KeyEvent && D.mode == 2) {
      if (Key == 2 && D.focus < D.count - 1) D.focus++;
      if (Key == 1 && D.focus > 0) D.focus--;
    } else if (Pointer) {
      D.focus = 16;
    }
  } else if (D.mode == 1 || D.mode == 2) {
    D.focus = 16;
    for (INT64 I = 0; I < D.count; I++) {
      if (x + I * Pitch < a && a < x + I * Pitch + 40) {
        D.focus = (UINT16)I;
        if (D.mode == 1) {
          D.dragging = 1;
          D.dragX = (UINT16)(I * Pitch);
          D.grab = (UINT16)(a - x - I * Pitch);
        }
        break;
      }
    }
  }
}

}  // namespace ref
