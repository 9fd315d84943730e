// Edge sweeps: for every control that classifies a pointer, scrolls or
// clamps, the edges of each zone come from a table of the control's geometry,
// and each edge is probed one before, on and one after it against the plain
// versions (tests/*_reference.cpp): hit codes and record fields for the input
// handlers, pixels for the painters whose clamps show only in the picture.
// Last, runs of float additions that end on, just before and just after a
// binade edge, as the gradients take them at once.
#include <bit>
#include <cmath>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "controls/popup/input_dialog.h"
#include "controls/popup/list_popup.h"
#include "controls/popup/option_popup.h"
#include "controls/popup/setting_row.h"
#include "controls/readout/icon_dock.h"
#include "controls/status/divider.h"
#include "controls/status/gauge_panel.h"
#include "controls/status/level_bar.h"
#include "controls/status/message_box.h"
#include "controls/status/progress_bar.h"
#include "controls/status/scroll_bar.h"
#include "controls/status/tile.h"
#include "raster/gradient.h"
#include "tests/fixture.h"
#include "tests/input_reference.h"
#include "tests/raster_reference.h"
#include "tests/status_reference.h"
#include "tests/window_frame_reference.h"
#include "text/text.h"

using rastertest::Canvas;
using rastertest::FirstDifference;

namespace {

// Each edge with its two neighbours, in order, once.
std::vector<INT64> Around(const std::vector<INT64> &Edges) {
  std::set<INT64> Out;
  for (INT64 E : Edges)
    for (INT64 D = -1; D <= 1; D++) Out.insert(E + D);
  return {Out.begin(), Out.end()};
}

// A byte copy, so that two copies of a record agree in their padding too.
template <typename T>
T Copy(const T &From) {
  T To;
  std::memcpy(&To, &From, sizeof(T));
  return To;
}

template <typename T>
::testing::AssertionResult SameRecord(const T &Got, const T &Want) {
  const auto *G = reinterpret_cast<const uint8_t *>(&Got);
  const auto *R = reinterpret_cast<const uint8_t *>(&Want);
  for (size_t I = 0; I < sizeof(T); I++) {
    if (G[I] != R[I])
      return ::testing::AssertionFailure()
             << "record byte " << I << " is " << +G[I] << " instead of " << +R[I];
  }
  return ::testing::AssertionSuccess();
}

std::string At(INT64 X, INT64 Y) {
  return " at (" + std::to_string(X) + ", " + std::to_string(Y) + ")";
}

CHAR16 *S(const char16_t *Text) { return reinterpret_cast<CHAR16 *>(const_cast<char16_t *>(Text)); }

class EdgeSweep : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    for (uint32_t Y = 0; Y < Fw.Height(); Y++)
      for (uint32_t X = 0; X < Fw.Width(); X++) {
        const uint32_t C = (X * 5 + Y * 3) & 0xFFFFFF;
        std::memcpy(&Fw.FrameBuffer()[Y * Fw.Width() + X], &C, 4);
      }
  }

  // Paint() must leave the screen inside (X, Y, W, H) as Reference paints the
  // pixels it found there, and the ring of pixels around the area untouched.
  template <typename PaintFn, typename ReferenceFn>
  ::testing::AssertionResult PaintsAsReference(INT32 X, INT32 Y, INT32 W, INT32 H, PaintFn &&Paint,
                                               ReferenceFn &&Reference) {
    std::vector<uint32_t> Want = ScreenRect(X - 1, Y - 1, W + 2, H + 2);
    std::vector<uint32_t> Inside = ScreenRect(X, Y, W, H);
    Reference(reinterpret_cast<ORVANE_PIXEL *>(Inside.data()));
    for (INT32 J = 0; J < H; J++)
      for (INT32 I = 0; I < W; I++) Want[(J + 1) * (W + 2) + I + 1] = Inside[J * W + I];
    const UINTN Status = Paint();
    if (Status != 0) return ::testing::AssertionFailure() << "status " << Status;
    std::vector<uint32_t> Got = ScreenRect(X - 1, Y - 1, W + 2, H + 2);
    if (Got == Want) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(ring included) " << FirstDifference(Got, Want, W + 2);
  }
};

}  // namespace

// ---------------------------------------------------------------- popup windows

TEST_F(EdgeSweep, ListPopupHitZonesAndScrollEnds) {
  struct Layout {
    UINT16 Count;
    UINT32 W;
    INT32 H;
  } Layouts[] = {
      {12, 300, 252},  // two pages: V 140, thumb 81
      {10, 300, 252},  // two pages, thumb 98: a raw offset of exactly 21
      {40, 260, 192},  // ten pages: V 80, thumb 8, offsets snap to rows
      {1, 200, 100},   // one row in a 132-high window: the thumb fills the track
      {3, 300, 300},   // no scroll bar
  };
  struct Selection {
    INT16 Now, AtLastPaint;
  };
  std::vector<std::u16string> Texts;
  std::vector<const CHAR16 *> Items;
  for (int I = 0; I < 40; I++) Texts.push_back(u"Row " + std::u16string(1, u'A' + I % 26));
  for (auto &T : Texts) Items.push_back(reinterpret_cast<const CHAR16 *>(T.c_str()));
  std::set<UINTN> Codes;
  for (const Layout &L : Layouts) {
    ListPopup Opened = {};
    ASSERT_EQ(
        Ui->OpenListPopup(&Opened, 100, 50, L.W, L.H, S(u"Pick"), 0, L.Count, Items.data(), 5), 0u);
    const INT64 x = Opened.x, y = Opened.y, W = Opened.width, H = Opened.height;
    const INT64 V = H - 112, N = Opened.thumbLength, Bottom = V - N, Last = L.Count - 1;
    // Thumb positions at the track's ends and wherever the raw offset meets
    // an edge of the snapping: 21, a multiple of 20, the content's end.
    std::vector<INT64> Thumbs = {Opened.thumbPos};
    for (INT64 T = 2; Opened.thumbPos != 0 && T <= Bottom; T++) {
      const INT64 Raw = ref::RawOffset(Opened, (INT32)T, false), Up = (Raw + 19) / 20 * 20;
      const INT64 Limit = Opened.contentHeight - V;
      const bool NearRow = Raw % 20 <= 1 || Raw % 20 == 19, Near21 = Raw >= 20 && Raw <= 22;
      const bool NearLimit = Up >= Limit - 1 && Up <= Limit + 1;
      if (NearRow || Near21 || NearLimit || T >= Bottom - 1) Thumbs.push_back(T);
    }
    const Selection Selections[] = {{-1, -1}, {0, 3}, {(INT16)Last, (INT16)Last}, {-1, 2}};
    for (INT64 Thumb : Thumbs) {
      for (const Selection &Sel : Selections) {
        ListPopup Base = Copy(Opened);
        Base.thumbPos = (UINT16)Thumb;
        Base.selectedRow = Sel.Now;
        Base.lastSelectedRow = Sel.AtLastPaint;
        const std::string State = "count " + std::to_string(L.Count) + " thumb " +
                                  std::to_string(Thumb) + " selected " + std::to_string(Sel.Now) +
                                  "/" + std::to_string(Sel.AtLastPaint);
        // Zones: title band and close box, list, window; then the scroll-bar column's parts.
        std::vector<INT64> Ys = {y, y + 20, y + 36, y + 63, y + 81, y + 81 + V, y + H};
        for (INT64 Bar : {y + 69, y + 75, y + Thumb + 69, y + Thumb + 81, y + Thumb + 69 + N,
                          y + H - 31, y + H - 19, y + H - 12})
          Ys.push_back(Bar);
        // Row boundaries inside the list, where o passes a multiple of 20.
        const INT64 Offset = ref::ScrollOffset(Base);
        for (INT64 K = -1; K <= L.Count; K++) {
          const INT64 Row = y + 81 + 20 * K - Offset;
          if (Row >= y + 81 && Row <= y + 81 + V) Ys.push_back(Row);
        }
        const std::vector<INT64> Xs =
            Around({x, x + 19, x + Base.maskWidth, x + W - 30, x + W - 14, x + W - 6, x + W});
        for (INT64 Py : Around(Ys)) {
          for (INT64 Px : Xs) {
            for (INT16 Kind = 0; Kind <= 2; Kind++) {
              ListPopup Got = Copy(Base), Want = Copy(Base);
              const UINTN Code = Ui->HitTestListPopup(&Got, (INT32)Px, (INT32)Py, Kind);
              ASSERT_EQ(Code, ref::HitTestListPopup(Want, (INT32)Px, (INT32)Py, Kind))
                  << State << At(Px - x, Py - y);
              ASSERT_TRUE(SameRecord(Got, Want)) << State << " kind " << Kind << At(Px - x, Py - y);
              Codes.insert(Code);
            }
          }
        }
        // Scrolls landing before, on and after both ends of the track, and far off.
        std::vector<INT64> Targets = Around({1, Bottom});
        Targets.push_back(-100000);
        Targets.push_back(100000);
        for (INT64 Target : Targets) {
          ListPopup Got = Copy(Base), Want = Copy(Base);
          const INT16 Part = (INT16)(Target & 3);
          ASSERT_EQ(Ui->ScrollListPopup(&Got, Part, (INT32)(Target - Thumb)), 0u);
          ref::ScrollListPopup(Want, Part, (INT32)(Target - Thumb));
          ASSERT_TRUE(SameRecord(Got, Want)) << State << " scrolled to " << Target;
        }
      }
    }
    Ui->CloseListPopup(&Opened);
  }
  EXPECT_EQ(Codes.size(), 9u) << "every hit code reached";
}

TEST_F(EdgeSweep, SettingSliderZonesAndClamps) {
  struct Layout {
    UINT16 Width, SliderLength, Steps;
  } Layouts[] = {{600, 200, 11}, {400, 116, 5}, {300, 40, 2}};
  struct Knob {
    UINT8 Mode;
    UINT16 Percent;
    INT32 Step;  // -1: the last step
  } Knobs[] = {{0, 0, 0}, {0, 37, 0}, {0, 100, 0}, {1, 0, 0}, {1, 0, 1}, {1, 0, -1}};
  std::set<INT16> Parts;
  for (const Layout &L : Layouts) {
    SettingRow Row;
    std::memset(&Row, 0xA5, sizeof(Row));
    ASSERT_EQ(Ui->InitSettingRow(&Row, 100, 50, L.Width, 120, L.SliderLength, 0, L.Steps, 0, 0, 0,
                                 S(u"Fan"), S(u"Auto"), 0, 2, 0),
              EFI_SUCCESS);
    const INT64 E = Row.x + L.Width - L.SliderLength, T0 = E - 49, T1 = E - 65 + L.SliderLength,
                R = E - 52 + L.SliderLength;
    for (const Knob &K : Knobs) {
      SettingRow Base = Copy(Row);
      Base.stepMode = K.Mode;
      Base.percent = K.Percent;
      Base.stepIndex = (UINT16)(K.Step < 0 ? L.Steps - 1 : K.Step);
      const INT64 Centre = ref::SettingSliderKnob(Base);
      for (INT64 Px : Around({E - 84, E - 61, T0, T1, R, R + 23, Centre - 9, Centre + 9})) {
        for (INT64 Py : Around({Row.y, Row.y + 19})) {
          SettingRow Got = Copy(Base), Want = Copy(Base);
          ASSERT_EQ(Ui->TrackSettingSlider(&Got, (INT32)Px, (INT32)Py), EFI_SUCCESS);
          ref::TrackSettingSlider(Want, (INT32)Px, (INT32)Py);
          ASSERT_TRUE(SameRecord(Got, Want)) << "slider " << L.SliderLength << " knob at "
                                             << Centre - E << At(Px - E, Py - Row.y) << " from E";
          Parts.insert(Got.hotPart);
        }
      }
    }
  }
  EXPECT_EQ(Parts.size(), 5u) << "every slider part reached";
}

TEST_F(EdgeSweep, OptionPopupCloseBoxRowsAndDragThresholds) {
  OptionPopupSet Set = {};
  ASSERT_EQ(Ui->ResetOptionPopups(&Set), 0u);
  std::vector<std::u16string> Texts = {u"First", u"Second", u"Third", u"Fourth"};
  std::vector<const CHAR16 *> Items;
  for (auto &T : Texts) Items.push_back(reinterpret_cast<CHAR16 *>(T.data()));
  ASSERT_EQ(
      Ui->DefineOptionPopup(&Set, 100, 100, 0, S(u"Boot"), (UINT16)Items.size(), Items.data()),
      EFI_SUCCESS);
  const OptionPopupEntry &E = Set.entries[0];
  const INT64 e = E.x, f = E.y, w = E.width, h = f + 67, Count = E.count;
  struct Drag {
    UINT16 Focus;
    INT16 Dragging;
    UINT16 Grab;
  } Drags[] = {{128, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 17}, {3, 1, 44}};
  std::set<int> Outcomes;  // focus values, and 100 + closeState
  for (const Drag &D : Drags) {
    std::vector<INT64> Bs = {f + 14, f + 30, h, h + Count * 45, h + D.Grab};
    for (INT64 I = 0; I < Count; I++) {
      Bs.push_back(h + 46 * I);
      Bs.push_back(f + 112 + 46 * I);
    }
    if (D.Dragging) {
      Bs.push_back(f + 46 * D.Focus + D.Grab + 45);
      Bs.push_back(f + 46 * D.Focus + D.Grab + 90);
    }
    // Pointer events, then key events (position 0, 0) with no key, up and down.
    std::vector<std::pair<INT64, INT64>> Points;
    for (INT64 A : Around({e + 13, e + w - 14, e + w - 27, e + w - 11}))
      for (INT64 B : Around(Bs)) Points.push_back({A, B});
    for (UINT16 Kind = 0; Kind <= 2; Kind++) {
      for (size_t P = 0; P < Points.size() + 3; P++) {
        const bool Key = P >= Points.size();
        const INT64 A = Key ? 0 : Points[P].first, B = Key ? 0 : Points[P].second;
        const UINT16 KeyCode = Key ? (UINT16)(P - Points.size()) : 0;
        OptionPopupSet Got = Copy(Set), Want = Copy(Set);
        std::vector<const CHAR16 *> GotItems = Items, WantItems = Items;
        Got.entries[0].items = GotItems.data();
        Want.entries[0].items = WantItems.data();
        for (OptionPopupSet *Q : {&Got, &Want}) {
          Q->state.focus = D.Focus;
          Q->state.dragging = D.Dragging;
          Q->state.grab = D.Grab;
          Q->state.mode = D.Dragging ? 1 : 2;
        }
        const std::string What = "focus " + std::to_string(D.Focus) + " dragging " +
                                 std::to_string(D.Dragging) + " grab " + std::to_string(D.Grab) +
                                 " kind " + std::to_string(Kind) + " key " +
                                 std::to_string(KeyCode) + At(A - e, B - f);
        const UINTN Code = Ui->TrackOptionPopup(&Got, 0, (INT32)A, (INT32)B, Kind, KeyCode);
        ASSERT_EQ(Code, ref::TrackOptionPopup(Want, 0, (INT32)A, (INT32)B, Kind, KeyCode)) << What;
        ASSERT_EQ(GotItems, WantItems) << What;
        Want.entries[0].items = Got.entries[0].items;
        ASSERT_TRUE(SameRecord(Got, Want)) << What;
        Outcomes.insert(Got.state.focus);
        Outcomes.insert(100 + Got.state.closeState);
      }
    }
  }
  for (OptionPopupEntry &En : Set.entries) PoolFree(En.icon);
  EXPECT_EQ(Outcomes, (std::set<int>{0, 1, 2, 3, 100, 101, 102, 128}));
}

TEST_F(EdgeSweep, InputDialogCloseBoxAndButtonSlots) {
  const CHAR16 *Captions[] = {S(u"OK"), S(u"Cancel"), S(u"Retry")};
  InputDialog Dialog = {};
  ASSERT_EQ(InitInputDialog(&Dialog, 100, 50, 500, 300, S(u"Name"), 0, nullptr, S(u"abc"), 4, 1, 3,
                            Captions),
            0u);
  const INT64 x = Dialog.x, y = Dialog.y, R = x + Dialog.width, Gap = Dialog.buttonGap,
              Bw = Dialog.buttonWidth, Top = y + 2 * Dialog.fieldTop + 84;
  std::vector<INT64> Xs = {R - 30, R - 14}, Ys = {y + 20, y + 36, Top, Top + Dialog.buttonHeight};
  for (INT64 K = 1; K <= 3; K++) {
    Xs.push_back(x + K * Gap + (K - 1) * Bw);
    Xs.push_back(x + K * (Bw + Gap));
  }
  std::set<INT16> Hits;
  for (UINT16 Buttons = 0; Buttons <= 3; Buttons++) {
    for (INT64 Px : Around(Xs)) {
      for (INT64 Py : Around(Ys)) {
        InputDialog Got = Copy(Dialog);
        Got.buttonCount = Buttons;
        Got.hotButton = 3;  // whatever an earlier call left
        InputDialog Want = Copy(Got);
        ASSERT_EQ(HitTestInputDialog(&Got, (INT32)Px, (INT32)Py), 0u);
        ref::HitTestInputDialog(Want, (INT32)Px, (INT32)Py);
        ASSERT_TRUE(SameRecord(Got, Want)) << Buttons << " buttons" << At(Px - x, Py - y);
        Hits.insert(Got.hotButton);
      }
    }
  }
  EXPECT_EQ(Hits.size(), 5u) << "the close box and every button reached";
}

// ---------------------------------------------------------------- status controls

TEST_F(EdgeSweep, MessageBoxButtonEdges) {
  CHAR16 *Lines[] = {S(u"Save the changes?")};
  CHAR16 *Captions[] = {S(u"Yes"), S(u"No"), S(u"Cancel"), S(u"Help")};
  MessageBox Box = {};
  ASSERT_EQ(InitMessageBox(&Box, 200, 150, 300, 140, 1, Lines, 3, Captions), 0u);
  const INT64 Top = (INT64)Box.Y + Box.TextTop + Box.TextHeight + Box.ButtonMargin;
  std::vector<INT64> Xs;
  for (INT64 K = 1; K <= 4; K++) {  // a fourth slot too: never a button
    const INT64 Left = Box.X + Box.ButtonsLeft + (K - 1) * (Box.ButtonWidth + Box.ButtonGap);
    Xs.push_back(Left);
    Xs.push_back(Left + Box.ButtonWidth);
  }
  std::set<UINT16> Hits;
  for (UINT16 Buttons = 0; Buttons <= 4; Buttons++) {
    for (INT64 Px : Around(Xs)) {
      for (INT64 Py : Around({Top, Top + Box.ButtonHeight})) {
        MessageBox Got = Copy(Box);
        Got.ButtonCount = Buttons;
        Got.HotButton = 3;
        Got.HotState = 9;  // kept when nothing is hit
        MessageBox Want = Copy(Got);
        ASSERT_EQ(HitTestMessageBox(&Got, (INT32)Px, (INT32)Py), 0u);
        ref::HitTestMessageBox(Want, (INT32)Px, (INT32)Py);
        ASSERT_TRUE(SameRecord(Got, Want)) << Buttons << " buttons" << At(Px - Box.X, Py - Box.Y);
        Hits.insert(Got.HotButton);
      }
    }
  }
  EXPECT_EQ(Hits.size(), 4u) << "every button reached";
}

TEST_F(EdgeSweep, GaugeAndLevelBarClamps) {
  // Values at the clamps, where a segment lights (multiples of 5) and at the warning look.
  const std::vector<INT64> Values = Around({0, 5, 50, 95, 100});
  for (size_t I = 0; I < Values.size(); I++) {
    const INT32 V1 = (INT32)Values[I], V2 = (INT32)Values[Values.size() - 1 - I];
    EXPECT_TRUE(PaintsAsReference(
        30, 40, 420, 90,
        [&] {
          return DrawGaugePanel(30, 40, 420, 90, S(u"CPU"), S(u"Load"), S(u"Temp"), S(u"Core"), V1,
                                V2);
        },
        [&](ORVANE_PIXEL *P) {
          ref::PaintGaugePanel(P, 420, 90, S(u"CPU"), S(u"Load"), S(u"Temp"), S(u"Core"), V1, V2);
        }))
        << V1 << " / " << V2;
  }
  // The bar's own clamps: width 41 (segments of 2; 61 gives 3) and height 3.
  for (INT64 W : Around({41, 61})) {
    for (INT64 H : Around({3})) {
      for (INT64 V : Values) {
        Canvas Got(80, 8, 0x00777777), Want(80, 8, 0x00777777);
        DrawLevelBar(DrawTarget::For(Got.Pixels(), 80, 8), 2, 1, (INT32)W, (INT32)H, (INT32)V);
        ref::DrawLevelBar(Want.Pixels(), 80, 8, 2, 1, (INT32)W, (INT32)H, (INT32)V);
        ASSERT_TRUE(Got.GuardsIntact());
        ASSERT_EQ(Got.Image(), Want.Image()) << W << "x" << H << " value " << V << ": "
                                             << FirstDifference(Got.Image(), Want.Image(), 80);
      }
    }
  }
}

TEST_F(EdgeSweep, DividerAtEveryColumnEdge) {
  const INT32 W = 40;
  for (INT64 H : Around({4, 12})) {  // H 4 and below: the lines run upwards
    for (INT64 Divider : Around({0, W})) {
      for (UINT8 Show = 0; Show <= 2; Show++) {
        for (UINT8 Active = 0; Active <= 2; Active++) {
          EXPECT_TRUE(PaintsAsReference(
              100, 70, W, (INT32)H,
              [&] { return DrawDividerStrip(100, 70, W, (INT32)H, Show, (INT32)Divider, Active); },
              [&](ORVANE_PIXEL *P) {
                ref::PaintDividerStrip(P, W, (INT32)H, Show, (INT32)Divider, Active);
              }))
              << "height " << H << " divider " << Divider << " show " << +Show << " active "
              << +Active;
        }
      }
    }
  }
}

TEST_F(EdgeSweep, ScrollBarBandsAndThumbClamps) {
  struct List {
    UINT16 L, Total, Visible;
  } Lists[] = {{170, 10, 5}, {170, 10, 10}, {170, 50, 10}, {100, 3, 1}, {120, 7, 3}};
  const INT32 x = 100, y = 50;
  std::set<UINT16> Codes;
  for (const List &Li : Lists) {
    // First positions at the first page and the last page, one either side.
    for (INT64 First : Around({1, Li.Total - Li.Visible + 1})) {
      const UINT16 S1 = (UINT16)First;
      const ref::Thumb Hit = ref::ScrollBarThumb(Li.L - 68, Li.Total, Li.Visible, S1, false);
      const std::string What = "list " + std::to_string(Li.Total) + "/" +
                               std::to_string(Li.Visible) + " first " + std::to_string(First);
      const INT64 t = Hit.Offset, n = Hit.Length;
      for (INT64 Px : Around({x + 2, x + 27})) {
        for (INT64 Py :
             Around({y, y + 32, y + 32 + t, y + 31 + t + n, y + Li.L - 34, y + Li.L - 1})) {
          const UINT16 Code =
              HitTestScrollBar(x, y, Li.L, Li.Total, Li.Visible, S1, (INT32)Px, (INT32)Py);
          ASSERT_EQ(Code, ref::HitTestScrollBar(x, y, Li.L, Li.Total, Li.Visible, S1, (INT32)Px,
                                                (INT32)Py))
              << What << At(Px - x, Py - y);
          Codes.insert(Code);
        }
      }
      const ref::Thumb Paint = ref::ScrollBarThumb(Li.L - 70, Li.Total, Li.Visible, S1, true);
      const INT32 Thumb[2] = {Paint.Offset, Paint.Length};
      const UINT16 Hot = (UINT16)(First & 3);
      EXPECT_TRUE(PaintsAsReference(
          x, y, 16, Li.L, [&] { return DrawScrollBar(x, y, Li.L, Li.Total, Li.Visible, S1, Hot); },
          [&](ORVANE_PIXEL *P) { ref::DrawScrollBarBody(P, 16, Li.L, 0, 0, Thumb, Hot, Li.L); }))
          << What;
    }
  }
  EXPECT_EQ(Codes.size(), 6u) << "every band reached";
}

TEST_F(EdgeSweep, TileSplitAndInsetEdges) {
  // Widths where the face, the bevel rows and the frame's straight parts
  // vanish; heights where the face's split row and the side columns do, and
  // where 60 percent of the height is whole: exactly at 100, just below it in
  // single precision at 105 (1.05 x 60 gives 62.99..., so the split is 62).
  for (INT64 W : Around({12, 18, 20})) {
    for (INT64 H : Around({10, 15, 18, 20, 100, 105})) {
      for (UINT8 Active = 0; Active <= 1; Active++) {
        EXPECT_TRUE(PaintsAsReference(
            200, 100, (INT32)W, (INT32)H,
            [&] { return DrawTile(200, 100, (INT32)W, (INT32)H, Active); },
            [&](ORVANE_PIXEL *P) {
              ref::DrawTileFace(P, (INT32)W, (INT32)H, 0, 0, (INT32)W, (INT32)H, Active);
              ref::DrawRoundFrame(P, (INT32)W, (INT32)H, 0, 0, (INT32)W, (INT32)H, 10, 0xFFFFFF);
            }))
            << W << "x" << H << " active " << +Active;
      }
    }
  }
}

TEST_F(EdgeSweep, ProgressBarPercentHeightAndFillEdges) {
  TextImage Label = {0, 0xFFFFFF, 0, 0, nullptr};
  ASSERT_EQ(RenderText(1000, &Label, S(u"Copy")), 0u);
  PoolFree(Label.Bitmap);
  const INT32 X0 = (INT32)Label.Width + 6;
  // Bars with no inside, one column of it, and 100 columns (the fill end exact).
  for (INT32 W : {X0 + 2, X0 + 3, X0 + 102, 301}) {
    for (INT64 H : Around({20})) {
      for (INT64 Percent : Around({0, 53, 100})) {
        const INT32 Rows = H < 20 ? 20 : (INT32)H;
        Canvas Got(W, 21, 0x00555555), Want(W, 21, 0x00555555);
        ASSERT_EQ(
            DrawProgressBar(Got.Pixels(), 0, 0, 0, 0, W, (INT32)H, S(u"Copy"), (INT32)Percent), 0u);
        ref::DrawProgressBar(Want.Pixels(), W, Rows, S(u"Copy"), (INT32)Percent);
        ASSERT_TRUE(Got.GuardsIntact());
        ASSERT_EQ(Got.Image(), Want.Image())
            << W << "x" << H << " at " << Percent
            << "%: " << FirstDifference(Got.Image(), Want.Image(), W);
      }
    }
  }
}

// ---------------------------------------------------------------- icon dock

TEST_F(EdgeSweep, IconDockPicturesRowAndDragThresholds) {
  for (UINT16 Count : {8, 9}) {  // the pitch changes from 51 to 47
    std::set<UINT16> Focus;
    std::vector<std::u16string> Texts;
    std::vector<const CHAR16 *> Labels;
    std::vector<UINT16> Flags, Active;
    for (UINT16 I = 0; I < Count; I++) {
      Texts.push_back(u"item " + std::u16string(1, u'A' + I));
      Flags.push_back(I % 8);
      Active.push_back(I == 2);
    }
    for (auto &T : Texts) Labels.push_back(reinterpret_cast<CHAR16 *>(T.data()));
    IconDock Dock = {};
    ASSERT_EQ(Ui->InitIconDock(&Dock, 120, 300, Count, Labels.data(), Flags.data(), Active.data()),
              EFI_SUCCESS);
    const INT64 x = Dock.x, y = Dock.y, Pitch = Count < 9 ? 51 : 47;
    struct Drag {
      UINT16 Focus;
      INT16 Dragging;
      UINT16 Grab;
    } Drags[] = {{16, 0, 0}, {0, 0, 0}, {0, 1, 0}, {4, 1, 20}, {(UINT16)(Count - 1), 1, 39}};
    for (const Drag &D : Drags) {
      std::vector<INT64> As = {x, x + Dock.width, x + D.Grab};
      for (INT64 I = 0; I < Count; I++) {
        As.push_back(x + I * Pitch);
        As.push_back(x + I * Pitch + 40);
      }
      if (D.Dragging) {
        As.push_back(x + Pitch * D.Focus + D.Grab - 31);
        As.push_back(x + Pitch * D.Focus + D.Grab + 31);
      }
      std::vector<std::pair<INT64, INT64>> Points;
      for (INT64 A : Around(As))
        for (INT64 B : Around({y, y + 41})) Points.push_back({A, B});
      for (UINT16 Kind = 0; Kind <= 2; Kind++) {
        for (size_t P = 0; P < Points.size() + 3; P++) {
          const bool Key = P >= Points.size();
          const INT64 A = Key ? 0 : Points[P].first, B = Key ? 0 : Points[P].second;
          const UINT16 KeyCode = Key ? (UINT16)(P - Points.size()) : 0;
          IconDock Got = Copy(Dock), Want = Copy(Dock);
          std::vector<const CHAR16 *> GotLabels = Labels, WantLabels = Labels;
          std::vector<UINT16> GotFlags = Flags, WantFlags = Flags, GotActive = Active,
                              WantActive = Active;
          Got.labels = GotLabels.data();
          Got.flags = GotFlags.data();
          Got.active = GotActive.data();
          Want.labels = WantLabels.data();
          Want.flags = WantFlags.data();
          Want.active = WantActive.data();
          for (IconDock *Q : {&Got, &Want}) {
            Q->focus = D.Focus;
            Q->dragging = D.Dragging;
            Q->grab = D.Grab;
            Q->mode = D.Dragging ? 1 : 2;
          }
          const std::string What =
              std::to_string(Count) + " items, focus " + std::to_string(D.Focus) + " dragging " +
              std::to_string(D.Dragging) + " grab " + std::to_string(D.Grab) + " kind " +
              std::to_string(Kind) + " key " + std::to_string(KeyCode) + At(A - x, B - y);
          ASSERT_EQ(Ui->TrackIconDock(&Got, (INT32)A, (INT32)B, Kind, KeyCode), EFI_SUCCESS)
              << What;
          ref::TrackIconDock(Want, (INT32)A, (INT32)B, Kind, KeyCode);
          ASSERT_EQ(GotLabels, WantLabels) << What;
          ASSERT_EQ(GotFlags, WantFlags) << What;
          ASSERT_EQ(GotActive, WantActive) << What;
          Want.labels = Got.labels;
          Want.flags = Got.flags;
          Want.active = Got.active;
          ASSERT_TRUE(SameRecord(Got, Want)) << What;
          Focus.insert(Got.focus);
        }
      }
    }
    PoolFree(Dock.stripBackground);
    EXPECT_EQ(Focus.size(), Count + 1u) << "every picture and no focus reached";
  }
}

// ---------------------------------------------------------------- float runs

// Gradients skip rows outside the clip by adding a colour step many times at
// once. Runs that end just before, exactly on and just after a power of two,
// where the spacing of floats doubles or halves, against the sums taken one
// by one on the float service.
TEST_F(EdgeSweep, RepeatedAdditionAcrossBinadeEdges) {
  const float Edges[] = {1.0f, 128.0f, 256.0f, 0x1p-10f};
  const UINT32 Ulps[] = {0, 1, 3, 1000, 1u << 20};  // whole spacings in one step
  const double Fractions[] = {0, 0.25, 0.5, 0.75};  // and the part of one
  const int Runs[] = {1, 2, 40};
  int Probes = 0, Landings = 0;
  for (float Edge : Edges) {
    for (int Sign : {1, -1}) {
      for (bool Up : {true, false}) {  // magnitudes growing to the edge, or shrinking to it
        // The spacing of floats on the side of the edge the run comes from.
        const double Spacing = Up ? Edge * 0x1p-24 : Edge * 0x1p-23;
        for (UINT32 Q : Ulps) {
          for (double Fraction : Fractions) {
            if (Q == 0 && Fraction == 0) continue;
            const double Step = (Up ? 1 : -1) * (Q + Fraction) * Spacing;
            for (int Run : Runs) {
              for (int Near = -2; Near <= 2; Near++) {
                // Back from a last sum that lands within two spacings of the edge.
                float Start = (float)(Edge - Step + Near * Spacing);
                for (int K = 1; K < Run; K++) Start = (float)(Start - Step);
                const FLOAT32_BITS From = std::bit_cast<UINT32>(Sign * Start),
                                   By = std::bit_cast<UINT32>((float)(Sign * Step));
                std::vector<FLOAT32_BITS> Sums = {From};
                for (int K = 0; K < Run + 4; K++) Sums.push_back(fm::Add(Sums.back(), By));
                // The first sum on or past the edge.
                size_t Cross = Run;
                for (size_t K = 0; K < Sums.size(); K++) {
                  const float M = std::abs(std::bit_cast<float>(Sums[K]));
                  if (Up ? M >= Edge : M <= Edge) {
                    Cross = K;
                    break;
                  }
                }
                Landings += std::abs(std::bit_cast<float>(Sums[Cross])) == Edge;
                for (size_t Count : {Cross - 1, Cross, Cross + 1}) {
                  if (Count >= Sums.size()) continue;
                  Probes++;
                  ASSERT_EQ(AddRepeatedly(From, By, Count), Sums[Count])
                      << std::hex << From << " + " << By << " x " << std::dec << Count
                      << " (edge at " << Cross << ")";
                }
              }
            }
          }
        }
      }
    }
  }
  // The table must reach the edges themselves, not only their neighbourhood.
  EXPECT_GT(Landings, 1000);
  EXPECT_GT(Probes, 10000);
}
