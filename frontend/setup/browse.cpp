// Browsing: the dock chooses the page, the rows take the focus, the slider
// follows its arrows and the pointer, and Enter opens what a row leads to.
#include "frontend/setup/ui.h"

namespace setup {

namespace {

constexpr UINT16 kNoFocus = 16;

void ShowPage(SetupScreenState &S, UINT16 Page);

bool Disabled(const SetupSetting &Set) { return (Set.Row.cellFlags & 0xF) == 2; }

// The page whose title the dock shows at Slot.
UINT16 PageAtSlot(const SetupScreenState &S, UINT16 Slot) {
  for (UINT16 P = 0; P < kSetupPages; P++) {
    if (S.Dock.labels[Slot] == S.Pages[P].Title) return P;
  }
  return S.Page;
}

UINT16 SlotOfPage(const SetupScreenState &S, UINT16 Page) {
  for (UINT16 I = 0; I < S.Dock.count; I++) {
    if (S.Dock.labels[I] == S.Pages[Page].Title) return I;
  }
  return 0;
}

// The page follows the dock's focus; the page's item stays lit without it.
void FollowDock(SetupScreenState &S) {
  if (S.Dock.focus < S.Dock.count && !S.Dock.dragging) {
    const UINT16 Page = PageAtSlot(S, S.Dock.focus);
    if (Page != S.Page) {
      ShowPage(S, Page);
    }
  }
  for (UINT16 I = 0; I < S.Dock.count; I++) {
    S.DockActive[I] = S.Dock.labels[I] == S.Pages[S.Page].Title ? 1 : 0;
  }
}

void TrackDock(SetupScreenState &S, INT32 X, INT32 Y, UINT16 Kind, UINT16 Key) {
  UI(TrackIconDock, &S.Dock, X, Y, Kind, Key);
  FollowDock(S);
  PaintDock(S);
}

void FocusRow(SetupScreenState &S, UINT16 Row) {
  SetupPage &Page = S.Pages[S.Page];
  if (Row == S.Row || Row >= Page.RowCount || Disabled(Page.Settings[Row])) {
    return;
  }
  SetupSetting &Old = Current(S);
  Old.Row.cellFlags = 0;
  PaintRow(S, Old);
  S.Row = Row;
  Current(S).Row.cellFlags = 1;
  PaintRow(S, Current(S));
  PaintHelp(S);
}

// The next row in Step's direction that is not disabled; the same row at an end.
UINT16 NextRow(const SetupScreenState &S, INT32 Step) {
  const SetupPage &Page = S.Pages[S.Page];
  for (INT32 R = (INT32)S.Row + Step; R >= 0 && R < (INT32)Page.RowCount; R += Step) {
    if (!Disabled(Page.Settings[R])) return (UINT16)R;
  }
  return S.Row;
}

// After the slider moved: its value cell, its picture, and the fan gauge.
void SliderChanged(SetupScreenState &S) {
  SetupSetting &Set = Current(S);
  const SettingRow &Row = Set.Row;
  const UINTN Percent = Row.stepMode == 1 && Row.stepCount > 1
                            ? (UINTN)Row.stepIndex * 100 / (Row.stepCount - 1)
                            : Row.percent;
  FormatNumber(Set.ValueText, Percent, W(" %"));
  PaintRow(S, Set);
  if (Percent != S.FanPercent) {
    S.FanPercent = Percent;
    PaintGauge(S);
  }
}

// The slider's arrows take a key as a press in their middle.
void StepSlider(SetupScreenState &S, bool Right) {
  SettingRow &Row = Current(S).Row;
  const INT32 E = Row.x + Row.width - Row.sliderLength;
  const INT32 X = Right ? E - 52 + Row.sliderLength + 11 : E - 72;
  UI(TrackSettingSlider, &Row, X, Row.y + 9);
  SliderChanged(S);
}

INT32 RowAt(const SetupScreenState &S, INT32 X, INT32 Y) {
  if (X < kPageX || X >= kPageX + kRowWidth || Y < kRowY) {
    return -1;
  }
  const INT32 R = (Y - kRowY) / kRowPitch;
  if (R >= S.Pages[S.Page].RowCount || Y >= kRowY + R * kRowPitch + 19) {
    return -1;
  }
  return R;
}

bool InDock(const SetupScreenState &S, INT32 X, INT32 Y) {
  return X >= S.Dock.x && X <= S.Dock.x + S.Dock.width && Y >= S.Dock.y &&
         Y <= S.Dock.y + (INT32)S.Dock.height;
}

void ShowPage(SetupScreenState &S, UINT16 Page) {
  S.Page = Page;
  S.Row = 0;
  if (Disabled(Current(S))) S.Row = NextRow(S, 1);
  S.SliderGrab = false;
  PaintPage(S);
}

}  // namespace

void BrowseKey(SetupScreenState &S, const SetupInput &E) {
  switch (E.Key) {
    case kSetupKeyUp:
    case kSetupKeyDown: FocusRow(S, NextRow(S, E.Key == kSetupKeyUp ? -1 : 1)); break;
    case kSetupKeyLeft:
    case kSetupKeyRight:
      if (Current(S).Action == kActionSlider) {
        StepSlider(S, E.Key == kSetupKeyRight);
        break;
      }
      // Keys step from the page shown, wherever the pointer left the focus.
      if (S.Dock.focus == kNoFocus || S.Dock.mode != 2) {
        S.Dock.focus = SlotOfPage(S, S.Page);
      }
      TrackDock(S, 0, 0, 2, E.Key == kSetupKeyLeft ? 1 : 2);
      break;
    case kSetupKeyEnter: OpenRowAction(S); break;
    default: break;
  }
}

void BrowsePointer(SetupScreenState &S, const SetupInput &E, bool Pressed, bool Released) {
  // The dock: a press picks an item up, moves drag it, the release drops it.
  if (S.Dock.dragging) {
    TrackDock(S, E.X, E.Y, E.Down ? 1 : 2, 0);
    return;
  }
  if (InDock(S, E.X, E.Y)) {
    TrackDock(S, E.X, E.Y, Pressed ? 1 : 2, 0);
    return;
  }
  if (S.Dock.focus != kNoFocus && S.Dock.mode == 2) {
    TrackDock(S, E.X, E.Y, 2, 0);  // the pointer left the dock: its label goes
  }

  // The slider follows the pointer while its knob or track is held.
  SettingRow &Row = Current(S).Row;
  if (S.SliderGrab) {
    if (Released || !E.Down) {
      S.SliderGrab = false;
      return;
    }
    UI(TrackSettingSlider, &Row, E.X, Row.y + 9);
    SliderChanged(S);
    return;
  }
  if (!Pressed) {
    return;
  }
  const INT32 Hit = RowAt(S, E.X, E.Y);
  if (Hit < 0 || Disabled(S.Pages[S.Page].Settings[Hit])) {
    return;
  }
  if ((UINT16)Hit != S.Row) {
    FocusRow(S, (UINT16)Hit);
    if (Current(S).Action != kActionSlider) return;
  }
  SetupSetting &Set = Current(S);
  if (Set.Action == kActionSlider) {
    UI(TrackSettingSlider, &Set.Row, E.X, E.Y);
    S.SliderGrab = Set.Row.hotPart == 2 || Set.Row.hotPart == 4;
    SliderChanged(S);
    return;
  }
  // A press on the focused row opens it, as Enter does.
  OpenRowAction(S);
}

}  // namespace setup
