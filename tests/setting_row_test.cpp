// The setting row: slider tracking at every boundary of its geometry, slider
// guards for fewer than two steps, the cells and chevron of the paint against
// the cell painter called directly, its background, and allocation failures.
#include <cstring>
#include <string>
#include <vector>

#include "controls/popup/setting_row.h"
#include "controls/status/item_cell.h"
#include "tests/fixture.h"

namespace {

// A row at x 100 of width 400 with a slider 116 long: E = 384, left arrow
// 301..323, T0 = 335, T1 = 435, right arrow 448..470; the track spans 100.
class SettingRowTest : public DriverTest {
 protected:
  SettingRow Row(UINT16 Steps = 5, CHAR16 *Label = W("Fan"), CHAR16 *Value = W("Auto"),
                 UINT16 Flags = 0, INT16 Kind = 2, UINT8 Chevron = 0) {
    SettingRow R;
    std::memset(&R, 0xA5, sizeof(R));
    EXPECT_EQ(Ui->InitSettingRow(&R, 100, 50, 400, 150, 116, 7, Steps, -3, 9, 11, Label, Value,
                                 Flags, Kind, Chevron),
              EFI_SUCCESS);
    return R;
  }
};

struct Track {
  INT32 Px, Py;
  INT16 Hot;
  UINT16 Step, Percent;
  UINT8 Mode;
};

void Expect(ORVANE_UI_PROTOCOL *Ui, SettingRow R, const Track &T) {
  SCOPED_TRACE("pointer " + std::to_string(T.Px) + "," + std::to_string(T.Py));
  EXPECT_EQ(Ui->TrackSettingSlider(&R, T.Px, T.Py), EFI_SUCCESS);
  EXPECT_EQ(R.hotPart, T.Hot);
  EXPECT_EQ(R.stepIndex, T.Step);
  EXPECT_EQ(R.percent, T.Percent);
  EXPECT_EQ(R.stepMode, T.Mode);
}

}  // namespace

TEST_F(SettingRowTest, InitStoresEverythingAndResetsTheSlider) {
  SettingRow R = Row();
  EXPECT_EQ(R.x, 100);
  EXPECT_EQ(R.width, 400);
  EXPECT_EQ(R.labelWidth, 150);
  EXPECT_EQ(R.sliderLength, 116);
  EXPECT_EQ(R.callerData0, 7);
  EXPECT_EQ(R.stepCount, 5);
  EXPECT_EQ(R.callerData1, -3);
  EXPECT_EQ(R.callerData2, 9);
  EXPECT_EQ(R.callerData3, 11);
  EXPECT_EQ(R.kind, 2);
  EXPECT_EQ(R.percent | R.stepIndex | R.stepMode | R.hotPart, 0);
  EXPECT_EQ(Ui->InitSettingRow(nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, 0, 0, 0),
            EFI_INVALID_PARAMETER);
  EXPECT_EQ(Ui->PaintSettingRow(nullptr), EFI_INVALID_PARAMETER);
  EXPECT_EQ(Ui->TrackSettingSlider(nullptr, 0, 0), EFI_INVALID_PARAMETER);
}

TEST_F(SettingRowTest, ArrowsBandAndTrackBoundaries) {
  const SettingRow R = Row();
  const Track Cases[] = {
      {300, 55, 0, 0, 0, 0},                           // just left of the band
      {471, 55, 0, 0, 0, 0},                           // just right of it
      {400, 49, 0, 0, 0, 0},                           // above
      {400, 69, 0, 0, 0, 0},                           // below
      {301, 50, 1, 0, 0, 1},                           // left arrow at step 0 stays there
      {323, 68, 1, 0, 0, 1},   {324, 55, 4, 0, 0, 0},  // between the arrows, left of T0
      {335, 55, 2, 0, 0, 0},                           // T0; the knob is at T0
      {344, 55, 2, 0, 9, 0},                           // K + 9
      {345, 55, 4, 0, 10, 0},                          // K + 10
      {385, 55, 4, 2, 50, 0},  {434, 55, 4, 3, 99, 0}, {435, 55, 4, 4, 100, 0},  // T1
      {447, 55, 4, 4, 100, 0}, {448, 55, 3, 1, 0, 1},                            // right arrow
      {470, 55, 3, 1, 0, 1},
  };
  for (const Track &T : Cases) Expect(Ui, R, T);
}

TEST_F(SettingRowTest, ArrowsStopAtTheEndsAndTheKnobFollowsTheMode) {
  SettingRow R = Row();
  R.stepIndex = 4;
  Expect(Ui, R, {460, 55, 3, 4, 0, 1});  // last step kept
  R.stepIndex = 3;
  Expect(Ui, R, {460, 55, 3, 4, 0, 1});
  R.stepIndex = 6;  // past the last step: only the last step itself holds it
  Expect(Ui, R, {460, 55, 3, 7, 0, 1});
  R.stepIndex = 3;
  Expect(Ui, R, {310, 55, 1, 2, 0, 1});
  // Step mode: K = T0 + 100 / 4 * 2 = 385; its edges are K - 9 and K + 9.
  R.stepMode = 1;
  R.stepIndex = 2;
  R.percent = 0;
  Expect(Ui, R, {376, 55, 2, 1, 41, 1});
  Expect(Ui, R, {375, 55, 4, 1, 40, 1});
  Expect(Ui, R, {394, 55, 2, 2, 59, 1});
  Expect(Ui, R, {395, 55, 4, 2, 60, 1});
  // Percent mode: K = T0 + 100 / 100 * 70 = 405.
  R.stepMode = 0;
  R.percent = 70;
  Expect(Ui, R, {396, 55, 2, 2, 61, 0});
  Expect(Ui, R, {395, 55, 4, 2, 60, 0});
}

TEST_F(SettingRowTest, FewerThanTwoStepsHaveOnlyStepZero) {
  for (UINT16 Steps : {0, 1}) {
    SCOPED_TRACE(Steps);
    SettingRow R = Row(Steps);
    Expect(Ui, R, {460, 55, 3, 0, 0, 1});  // right arrow
    Expect(Ui, R, {440, 55, 4, 0, 100, 0});
    Expect(Ui, R, {385, 55, 4, 0, 50, 0});
    // In step mode the knob sits at T0.
    R.stepMode = 1;
    Expect(Ui, R, {344, 55, 2, 0, 9, 1});
    Expect(Ui, R, {345, 55, 4, 0, 10, 1});
  }
}

// The row's picture is the background, then the two cells as the cell painter
// draws them with the row's styles and alignments, then the chevron.
TEST_F(SettingRowTest, CellsStylesAndChevron) {
  struct Case {
    const char *Name;
    CHAR16 *Label;
    UINT16 Flags;
    INT16 Kind;
    UINT8 Chevron;
    UINT16 LabelStyle, ValueStyle;
    bool Cells;
  } Cases[] = {
      {"normal", W("Fan"), 0, 2, 0, 0, 1, true},
      {"highlighted", W("Fan"), 1, 4, 0, 0, 1, true},
      {"disabled", W("Fan"), 2, 2, 0, 3, 4, true},
      {"disabled, colour code", W("Fan"), 0x22, 2, 0, 3, 4, true},
      {"chevron", W("Fan"), 2, 2, 1, 2, 2, true},
      {"chevron, no label", nullptr, 1, 2, 1, 2, 2, true},
      {"no label", nullptr, 2, 2, 0, 5, 5, true},
      {"kind 3", W("Fan"), 1, 3, 0, 0, 0, false},
      {"kind 0 with chevron", W("Fan"), 0, 0, 1, 0, 0, false},
  };
  const uint32_t Back = 0x00405060;
  for (bool FrameBuffer : {false, true}) {
    Ui->SetFrameBufferCapture(FrameBuffer);
    for (const Case &C : Cases) {
      SCOPED_TRACE(std::string(C.Name) + (FrameBuffer ? ", frame-buffer capture" : ""));
      Fw.FillScreen(Back);
      SettingRow R = Row(5, C.Label, W("Auto 75%"), C.Flags, C.Kind, C.Chevron);
      std::vector<uint32_t> Want(400 * 19, FrameBuffer ? 0x131313 : Back);
      DrawTarget T = DrawTarget::For(reinterpret_cast<ORVANE_PIXEL *>(Want.data()), 400, 19);
      if (C.Cells) {
        DrawItemCell(T, 0, 0, 150, 19, 0, C.LabelStyle, C.Label, 5, C.Flags);
        DrawItemCell(T, 150, 0, 250, 19, 0, C.ValueStyle, W("Auto 75%"), 6, C.Flags);
      }
      sim::ResetStats();
      ASSERT_EQ(Ui->PaintSettingRow(&R), EFI_SUCCESS);
      EXPECT_EQ(sim::Stats().BltCalls, FrameBuffer ? 1u : 2u);
      EXPECT_EQ(sim::Stats().BltByOperation[EfiBltBufferToVideo], 1u);
      std::vector<uint32_t> Got = ScreenRect(100, 50, 400, 19);
      int Chevron = 0;
      for (int Y = 0; Y < 19; Y++) {
        for (int X = 0; X < 400; X++) {
          uint32_t G = Got[(size_t)Y * 400 + X];
          if (C.Chevron && G == 0x66BC29 && X >= 13 && X <= 19 && Y >= 4 && Y <= 14) {
            Chevron++;
            continue;
          }
          ASSERT_EQ(G, Want[(size_t)Y * 400 + X]) << X << "," << Y;
        }
      }
      EXPECT_EQ(Chevron, C.Chevron ? 20 : 0);
      // Nothing beside the row.
      EXPECT_EQ(Fw.Pixel(99, 55), Back);
      EXPECT_EQ(Fw.Pixel(500, 55), Back);
      EXPECT_EQ(Fw.Pixel(200, 69), Back);
    }
  }
}

TEST_F(SettingRowTest, ChevronPoints) {
  Fw.FillScreen(0);
  SettingRow R = Row(5, W("Fan"), nullptr, 0, 0, 1);
  ASSERT_EQ(Ui->PaintSettingRow(&R), EFI_SUCCESS);
  const char *Rows[11] = {".x.....", "x.x....", ".x.x...", "..x.x..", "...x.x.", "....x.x",
                          "...x.x.", "..x.x..", ".x.x...", "x.x....", ".x....."};
  for (int Y = 0; Y < 19; Y++)
    for (int X = 0; X < 30; X++) {
      bool On = Y >= 4 && Y <= 14 && X >= 13 && X < 20 && Rows[Y - 4][X - 13] == 'x';
      EXPECT_EQ(Fw.Pixel(100 + X, 50 + Y), On ? 0x66BC29u : 0u) << X << "," << Y;
    }
}

TEST_F(SettingRowTest, FailuresDrawNothingAndKeepNothing) {
  // Allocations: the label's text, the value's text, the row's buffer (the
  // text service allocates on its own in between; each is tried in turn).
  for (int Fail = 0; Fail < 12; Fail++) {
    SCOPED_TRACE(Fail);
    Fw.FillScreen(0x777777);
    SettingRow R = Row();
    Fw.FailAllocation(Fail);
    sim::ResetStats();
    EFI_STATUS Status = Ui->PaintSettingRow(&R);
    Fw.FailAllocation(-1);
    EXPECT_EQ(Fw.LiveAllocations(), 0u);
    if (Status == EFI_SUCCESS) {
      EXPECT_EQ(sim::Stats().BltByOperation[EfiBltBufferToVideo], 1u);
      continue;
    }
    EXPECT_EQ(Status, EFI_OUT_OF_RESOURCES);
    EXPECT_EQ(sim::Stats().BltByOperation[EfiBltBufferToVideo], 0u);
    EXPECT_EQ(Fw.Pixel(120, 60), 0x777777u);
  }
}
