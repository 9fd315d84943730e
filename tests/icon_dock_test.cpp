// The icon dock: layout and strip of Init, tracking by pointer and keys, the
// paint against the step-by-step version, and the faults it refuses.
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "controls/popup/images/pictures.h"
#include "controls/readout/icon_dock.h"
#include "platform/services.h"
#include "tests/cursor_image_reference.h"
#include "tests/fixture.h"
#include "tests/icon_dock_reference.h"
#include "text/text.h"

namespace {

// Items of a dock: labels "item 0", "item 1", ... and their flags and active values.
struct Items {
  std::vector<std::u16string> Text;
  std::vector<const CHAR16 *> Labels;
  std::vector<UINT16> Flags, Active;
  explicit Items(size_t N, UINT16 FlagsAll = 0)
      : Text(N), Labels(N), Flags(N, FlagsAll), Active(N, 0) {
    for (size_t I = 0; I < N; I++) {
      Text[I] = u"item " + std::u16string(1, (char16_t)(u'A' + I));
      Labels[I] = reinterpret_cast<CHAR16 *>(Text[I].data());
    }
  }
};

class Dock : public DriverTest {
 protected:
  void TearDown() override {
    PoolFree(D.stripBackground);
    D.stripBackground = nullptr;
    DriverTest::TearDown();
  }

  EFI_STATUS Init(Items &It, INT32 X = 120, INT32 Y = 300) {
    return Ui->InitIconDock(&D, X, Y, (UINT16)It.Labels.size(), It.Labels.data(), It.Flags.data(),
                            It.Active.data());
  }
  void Track(INT32 A, INT32 B, UINT16 Kind, UINT16 Key = 0) {
    ASSERT_EQ(Ui->TrackIconDock(&D, A, B, Kind, Key), EFI_SUCCESS);
  }
  // A screen of distinct colours, so that any pixel drawn shows.
  void Pattern(uint32_t Seed) {
    std::mt19937 Rng(Seed);
    ORVANE_PIXEL *F = Fw.FrameBuffer();
    for (size_t I = 0; I < (size_t)Fw.Width() * Fw.Height(); I++) {
      uint32_t C = Rng() & 0x00FFFFFF;
      std::memcpy(&F[I], &C, 4);
    }
  }
  // Screen pixels of the area, colour bytes only; off-screen pixels read as ~0.
  std::vector<uint32_t> Screen(int64_t X, int64_t Y, int64_t W, int64_t H) {
    std::vector<uint32_t> Out;
    for (int64_t R = 0; R < H; R++)
      for (int64_t C = 0; C < W; C++) {
        bool On = X + C >= 0 && X + C < Fw.Width() && Y + R >= 0 && Y + R < Fw.Height();
        Out.push_back(On ? Fw.Pixel((uint32_t)(X + C), (uint32_t)(Y + R)) & 0xFFFFFF : ~0u);
      }
    return Out;
  }
  // Paints, and holds the screen to the reference: the row and the strip where
  // they are on the screen, everything else as it was.
  void PaintMatchesReference() {
    std::vector<uint32_t> Before = Fw.Snapshot();
    ref::DockPaint Want = ref::PaintIconDock(D);
    ASSERT_EQ(Ui->PaintIconDock(&D), EFI_SUCCESS);
    std::vector<uint32_t> After = Fw.Snapshot();
    const int64_t SW = 1074 - (int64_t)D.x, SX = D.x - 50, SY = D.y + 44;
    size_t Wrong = 0;
    for (int64_t Y = 0; Y < Fw.Height(); Y++)
      for (int64_t X = 0; X < Fw.Width(); X++) {
        uint32_t Expect = Before[Y * Fw.Width() + X];
        if (X >= D.x && X < D.x + D.width && Y >= D.y && Y < D.y + (int64_t)D.height) {
          Expect = Want.Row[(Y - D.y) * D.width + (X - D.x)];
        } else if (!Want.Strip.empty() && X >= SX && X < SX + SW && Y >= SY && Y < SY + 19) {
          Expect = Want.Strip[(Y - SY) * SW + (X - SX)];
        }
        if (((After[Y * Fw.Width() + X] ^ Expect) & 0xFFFFFF) != 0 && Wrong++ < 3) {
          ADD_FAILURE() << "pixel (" << X << ", " << Y << ") is " << std::hex
                        << After[Y * Fw.Width() + X] << ", expected " << Expect;
        }
      }
    EXPECT_EQ(Wrong, 0u);
  }

  IconDock D = {};
};

constexpr uint32_t kChevron = 0x55A01E, kBand = 0x245909;

}  // namespace

TEST_F(Dock, InitSizesTheRowAndSavesTheStripOnce) {
  Items Three(3), Ten(10);
  D.dragX = 77;
  Pattern(1);
  const std::vector<uint32_t> Under = Screen(70, 344, 954, 19);
  ASSERT_EQ(Init(Three), EFI_SUCCESS);
  EXPECT_EQ(D.width, 148);
  EXPECT_EQ(D.height, 41u);
  EXPECT_EQ(D.focus, 16);
  EXPECT_EQ(D.dragX, 77) << "dragX keeps its value";
  ASSERT_NE(D.stripBackground, nullptr);
  std::vector<uint32_t> Saved;
  for (int I = 0; I < 954 * 19; I++)
    Saved.push_back(ColorFromPixel(D.stripBackground[I]) & 0xFFFFFF);
  EXPECT_EQ(Saved, Under);

  // Placed again at the same x: the first strip stays, whatever the screen shows now.
  ORVANE_PIXEL *First = D.stripBackground;
  Pattern(2);
  ASSERT_EQ(Init(Ten, 120, 500), EFI_SUCCESS);
  EXPECT_EQ(D.width, 465);
  EXPECT_EQ(D.stripBackground, First);
  EXPECT_EQ(ColorFromPixel(D.stripBackground[5]) & 0xFFFFFF, Under[5]);
  // Further right the kept strip is wider than needed: it stays, nothing saved or freed.
  const uint64_t Allocations = Fw.TotalAllocations();
  ASSERT_EQ(Init(Ten, 900, 500), EFI_SUCCESS);
  EXPECT_EQ(D.stripBackground, First);
  EXPECT_EQ(Fw.TotalAllocations(), Allocations);
  EXPECT_EQ(ColorFromPixel(D.stripBackground[5]) & 0xFFFFFF, Under[5]);
  PaintMatchesReference();
  // Left of the record's x the strip would be too narrow: refused, the record as it was.
  const IconDock Kept = D;
  EXPECT_EQ(Init(Three, 899, 500), EFI_BUFFER_TOO_SMALL);
  EXPECT_EQ(std::memcmp(&D, &Kept, sizeof D), 0);
  // The caller frees and clears it: the dock moves left and saves the screen anew.
  PoolFree(D.stripBackground);
  D.stripBackground = nullptr;
  ASSERT_EQ(Init(Ten, 100, 500), EFI_SUCCESS);
  EXPECT_EQ(Fw.LiveAllocations(), 1u);
  EXPECT_EQ(ColorFromPixel(D.stripBackground[973]) & 0xFFFFFF, Fw.Pixel(50 + 973, 544) & 0xFFFFFF);
  // At x = 1074 the strip has no width and nothing is saved.
  PoolFree(D.stripBackground);
  D.stripBackground = nullptr;
  ASSERT_EQ(Init(Three, 1074, 10), EFI_SUCCESS);
  EXPECT_EQ(D.stripBackground, nullptr);
  EXPECT_EQ(Ui->PaintIconDock(&D), EFI_SUCCESS);
}

TEST_F(Dock, KeepsTheCallersOwnStrip) {
  // A strip the caller made for x = 600, in memory the pool never gave out.
  Items It(4);
  std::vector<uint32_t> Mine((1074 - 600) * 19);
  std::mt19937 Rng(5);
  for (uint32_t &P : Mine) P = Rng() & 0xFFFFFF;
  D.x = 600;
  D.stripBackground = reinterpret_cast<EFI_GRAPHICS_OUTPUT_BLT_PIXEL *>(Mine.data());
  Pattern(3);
  const uint64_t Start = Fw.TotalAllocations();
  // EXPECT only: the teardown must not reach the caller's strip.
  EXPECT_EQ(Init(It, 600, 200), EFI_SUCCESS);
  EXPECT_EQ(Fw.TotalAllocations(), Start) << "nothing saved";
  EXPECT_EQ(Ui->PaintIconDock(&D), EFI_SUCCESS);
  const uint64_t Painted = Fw.TotalAllocations();
  EXPECT_EQ(Screen(550, 244, 474, 19), Mine) << "the strip shows the caller's pixels";
  // Further right it is kept; left of the record's x it would be too narrow.
  EXPECT_EQ(Init(It, 610, 200), EFI_SUCCESS);
  EXPECT_EQ(Init(It, 609, 200), EFI_BUFFER_TOO_SMALL);
  EXPECT_EQ(D.x, 610);
  EXPECT_EQ(D.stripBackground, reinterpret_cast<EFI_GRAPHICS_OUTPUT_BLT_PIXEL *>(Mine.data()));
  EXPECT_EQ(Fw.TotalAllocations(), Painted) << "nothing saved";
  D.stripBackground = nullptr;
}

TEST_F(Dock, RefusesWhatItCannotDrawAndLeavesTheRecord) {
  Items Three(3), Many(17), One(1);
  const IconDock Blank = D;
  auto Untouched = [&] { return std::memcmp(&D, &Blank, sizeof D) == 0; };
  EXPECT_EQ(Init(Many), EFI_INVALID_PARAMETER);
  EXPECT_EQ(
      Ui->InitIconDock(&D, 100, 100, 0, One.Labels.data(), One.Flags.data(), One.Active.data()),
      EFI_INVALID_PARAMETER);
  EXPECT_EQ(Init(Three, 1075, 100), EFI_INVALID_PARAMETER);
  EXPECT_EQ(Ui->InitIconDock(&D, 100, 100, 3, nullptr, Three.Flags.data(), Three.Active.data()),
            EFI_INVALID_PARAMETER);
  EXPECT_EQ(Ui->InitIconDock(nullptr, 100, 100, 3, Three.Labels.data(), Three.Flags.data(),
                             Three.Active.data()),
            EFI_INVALID_PARAMETER);
  for (UINT16 Kind = 8; Kind < 16; Kind++) {
    Three.Flags[1] = (UINT16)(0x90 | Kind);
    EXPECT_EQ(Init(Three), EFI_INVALID_PARAMETER) << Kind;
  }
  Three.Flags[1] = 7;
  EXPECT_TRUE(Untouched());
  Fw.FailAllocation(0);
  EXPECT_EQ(Init(Three), EFI_OUT_OF_RESOURCES);
  EXPECT_TRUE(Untouched());
  Fw.FailAllocation(-1);

  // A record changed behind the dock's back is refused by tracking and paint, with nothing drawn.
  ASSERT_EQ(Init(Three), EFI_SUCCESS);
  Fw.FillScreen(0x123456);
  const IconDock Good = D;
  auto Refused = [&](const char *What) {
    EXPECT_EQ(Ui->PaintIconDock(&D), EFI_INVALID_PARAMETER) << What;
    EXPECT_EQ(Ui->TrackIconDock(&D, 130, 310, 1, 0), EFI_INVALID_PARAMETER) << What;
    D = Good;
  };
  Three.Flags[2] = 9;
  Refused("kind 9");
  Three.Flags[2] = 0;
  D.count = 17;
  Refused("17 items");
  D.x = 1075;
  Refused("x beyond 1074");
  D.focus = 3;
  Refused("focus on no item");
  D.flags = nullptr;
  Refused("no flags");
  for (uint32_t V : Fw.Snapshot()) ASSERT_EQ(V & 0xFFFFFF, 0x123456u);
}

TEST_F(Dock, ChevronsSitBetweenThePictures) {
  for (size_t N : {3u, 10u}) {
    SCOPED_TRACE(N);
    Items It(N);
    PoolFree(D.stripBackground);
    D = {};
    ASSERT_EQ(Init(It, 0, 0), EFI_SUCCESS);
    ASSERT_EQ(Ui->PaintIconDock(&D), EFI_SUCCESS);
    const int Pitch = N < 9 ? 51 : 47;
    std::vector<int> Columns;
    for (int X = 0; X < D.width; X++) {
      int Marks = 0;
      for (int Y = 0; Y < 41; Y++) {
        if ((Fw.Pixel(X, Y) & 0xFFFFFF) == kChevron) {
          Marks++;
          EXPECT_GE(Y, 18);
          EXPECT_LE(Y, 22);
        }
      }
      if (Marks > 0) Columns.push_back(X);
      // Column 41 of a gap holds the two ends, 42 the middles, 43 the tip.
      if (X % Pitch >= 41 && X % Pitch <= 43 && X / Pitch < (int)N - 1) {
        EXPECT_EQ(Marks, X % Pitch == 43 ? 1 : 2) << X;
      }
    }
    std::vector<int> Want;
    for (int I = 0; I + 1 < (int)N; I++)
      for (int C = 41; C <= 43; C++) Want.push_back(I * Pitch + C);
    EXPECT_EQ(Columns, Want);
    EXPECT_EQ(Fw.Pixel(44, 20) & 0xFFFFFF, kBand);
  }
}

TEST_F(Dock, KeysStepTheFocusAndKindZeroClearsIt) {
  Items It(4);
  ASSERT_EQ(Init(It), EFI_SUCCESS);
  Track(0, 0, 2, 1);  // no focus: a key event starts at item 0, key 1 cannot go below
  EXPECT_EQ(D.focus, 0);
  for (int Step = 0; Step < 6; Step++) Track(0, 0, 2, 2);
  EXPECT_EQ(D.focus, 3) << "no wrapping at the end";
  Track(0, 0, 2, 1);
  EXPECT_EQ(D.focus, 2);
  Track(500, 500, 0);
  EXPECT_EQ(D.focus, 16) << "kind 0 with a pointer";
  Track(0, 0, 0);
  EXPECT_EQ(D.focus, 0) << "kind 0 as a key event ends at item 0";
  EXPECT_EQ(D.mode, 0);
  // Hover: the picture under the pointer, nothing between pictures or outside.
  Track(120 + 51 + 5, 310, 2);
  EXPECT_EQ(D.focus, 1);
  Track(120 + 51 + 45, 310, 2);
  EXPECT_EQ(D.focus, 16);
  Track(120 + 5, 300 + 42, 2);
  EXPECT_EQ(D.focus, 16);
  EXPECT_EQ(D.dragging, 0);
}

TEST_F(Dock, DraggingReordersByExchangingItems) {
  Items It(5);
  for (UINT16 I = 0; I < 5; I++) It.Flags[I] = I;
  It.Active[1] = 1;
  ASSERT_EQ(Init(It, 100, 200), EFI_SUCCESS);
  // Press on item 1, 12 pixels into it.
  Track(100 + 51 + 12, 210, 1);
  EXPECT_EQ(D.focus, 1);
  EXPECT_EQ(D.dragging, 1);
  EXPECT_EQ(D.grab, 12);
  EXPECT_EQ(D.dragX, 51);
  const uint64_t Allocations = Fw.TotalAllocations();
  // 31 pixels past item 1's reference point is not enough; 32 swaps it with item 2.
  Track(100 + 51 + 12 + 31, 210, 1);
  EXPECT_EQ(D.focus, 1);
  EXPECT_EQ(D.dragX, 51 + 31);
  Track(100 + 51 + 12 + 32, 210, 1);
  EXPECT_EQ(D.focus, 2);
  EXPECT_EQ(It.Flags[2], 1);
  EXPECT_EQ(It.Flags[1], 2);
  EXPECT_EQ(It.Active[2], 1);
  EXPECT_EQ(It.Active[1], 0);
  EXPECT_EQ(It.Labels[2], reinterpret_cast<CHAR16 *>(It.Text[1].data()));
  EXPECT_EQ(It.Labels[1], reinterpret_cast<CHAR16 *>(It.Text[2].data()));
  // Far left in one move: the item travels to the front, one exchange at a time.
  Track(101, 210, 1);
  EXPECT_EQ(D.focus, 0);
  EXPECT_EQ(It.Flags[0], 1);
  EXPECT_EQ(It.Flags[1], 0);
  EXPECT_EQ(It.Flags[2], 2);
  // Keys move the dragged item one place and put the picture at its slot.
  Track(0, 0, 1, 2);
  EXPECT_EQ(D.focus, 1);
  EXPECT_EQ(D.dragX, 51);
  EXPECT_EQ(It.Flags[1], 1);
  EXPECT_EQ(Fw.TotalAllocations(), Allocations) << "reordering allocates nothing";
  // Another mode ends the drag.
  Track(0, 0, 2, 0);
  EXPECT_EQ(D.dragging, 0);
  EXPECT_EQ(D.dragX, 0);
}

TEST_F(Dock, PaintMatchesTheStepByStepVersion) {
  std::mt19937 Rng(21);
  const char16_t *Words[] = {
      u"Boot", u"Network settings and adapters", u"",
      u"A rather long label for a dock item, "
      u"long enough to be wider than the whole label strip of a large dock, so cut it is"};
  for (int Round = 0; Round < 80; Round++) {
    const size_t N = 1 + Rng() % 16;
    Items It(N);
    for (size_t I = 0; I < N; I++) {
      It.Flags[I] = (UINT16)((Rng() % 8) | (Rng() % 2 ? 0x10 : 0) | (Rng() % 2 ? 0x80 : 0) |
                             (Rng() % 4 ? 0 : 0x20));
      It.Active[I] = Rng() % 4 == 0 ? 1 : (UINT16)(Rng() % 3);
      It.Labels[I] = const_cast<CHAR16 *>(reinterpret_cast<const CHAR16 *>(Words[Rng() % 4]));
    }
    const INT32 X = (INT32)(Rng() % 1100) - 60;
    const INT32 Y = (INT32)(Rng() % 800) - 20;
    SCOPED_TRACE(testing::Message()
                 << "round " << Round << ": " << N << " items at " << X << ", " << Y);
    Pattern(Round);
    PoolFree(D.stripBackground);
    D = {};
    if (X > 1074) continue;
    ASSERT_EQ(Init(It, X, Y), EFI_SUCCESS);
    // Some events, then a state of the record's own: any focus, mode and drag.
    for (int E = 0; E < 3; E++) {
      Track(X + (INT32)(Rng() % 900), Y + (INT32)(Rng() % 41), (UINT16)(Rng() % 3), 0);
    }
    if (Rng() % 2) {
      D.focus = (UINT16)(Rng() % (N + 1) == N ? 16 : Rng() % N);
      D.mode = (INT16)(Rng() % 3);
      D.dragging = (INT16)(D.focus != 16 && Rng() % 2);
      const uint32_t Pick = Rng() % 4, Slot = D.focus == 16 ? 0 : D.focus * (N < 9 ? 51 : 47);
      // Far off, anywhere in the row, or just past its own slot, where the next item gives way.
      D.dragX = (UINT16)(Pick == 0   ? Rng() % 2000
                         : Pick == 1 ? Rng() % (N * 51)
                                     : Slot + Rng() % 40);
    }
    PaintMatchesReference();
  }
}

TEST_F(Dock, LabelFollowsTheFocusUpToTheLimit) {
  // The last item's label, wider than the limit: 713 with 10 items, 500 with 3.
  Items Ten(10), Three(3);
  std::u16string Wide(120, u'W');
  Ten.Labels[9] = reinterpret_cast<CHAR16 *>(Wide.data());
  Three.Labels[2] = reinterpret_cast<CHAR16 *>(Wide.data());
  TextImage Text = {0xFFFFFF, 0, 0, 0, nullptr};
  ASSERT_EQ(RenderText(1000, &Text, reinterpret_cast<CHAR16 *>(Wide.data())), 0u);
  ASSERT_GT(Text.Width, 713u);
  for (auto *It : {&Ten, &Three}) {
    const uint32_t Limit = It == &Ten ? 713 : 500;
    SCOPED_TRACE(Limit);
    PoolFree(D.stripBackground);
    D = {};
    Fw.FillScreen(0x000080);
    ASSERT_EQ(Init(*It, 60, 100), EFI_SUCCESS);
    Track(0, 0, 2);
    for (int I = 0; I < 9; I++) Track(0, 0, 2, 2);
    ASSERT_EQ(Ui->PaintIconDock(&D), EFI_SUCCESS);
    // The strip starts at screen column 10; the label at strip column 0, cut at the limit.
    size_t Wrong = 0;
    for (uint32_t Y = 0; Y < 19; Y++)
      for (uint32_t X = 0; X < 1014; X++) {
        const bool Ink =
            X < Limit && (ColorFromPixel(Text.Bitmap[Y * Text.Width + X]) & 0xFFFFFF) == 0xFFFFFF;
        Wrong += (Fw.Pixel(10 + X, 144 + Y) & 0xFFFFFF) != (Ink ? 0xFFFFFFu : 0x000080u);
      }
    EXPECT_EQ(Wrong, 0u);
  }
  PoolFree(Text.Bitmap);
}

TEST_F(Dock, FocusedFlags95ShowTheHighlightedThirdBadge) {
  Items It(3);
  It.Flags[1] = 0x95;
  ASSERT_EQ(Init(It, 100, 100), EFI_SUCCESS);
  Track(100 + 51 + 20, 120, 2);
  ASSERT_EQ(D.focus, 1);
  ASSERT_EQ(Ui->PaintIconDock(&D), EFI_SUCCESS);
  auto Bytes = [](const CursorImage &C) { return std::vector<uint8_t>(C.Bytes, C.Bytes + C.Size); };
  std::vector<ORVANE_PIXEL> Want(40 * 41);
  ref::DecodeCursorOver(Bytes(gDockPictures[kDockHighlighted + 5]), Want.data());
  ref::DecodeCursorOver(Bytes(gDockPictures[kDockBadgeHighlighted + 2]), Want.data());
  std::vector<ORVANE_PIXEL> Plain(40 * 41);
  ref::DecodeCursorOver(Bytes(gDockPictures[kDockHighlighted + 5]), Plain.data());
  size_t Wrong = 0, BadgePixels = 0;
  for (int Y = 0; Y < 41; Y++)
    for (int X = 0; X < 40; X++) {
      Wrong +=
          (Fw.Pixel(151 + X, 100 + Y) & 0xFFFFFF) != (ColorFromPixel(Want[Y * 40 + X]) & 0xFFFFFF);
      BadgePixels += ColorFromPixel(Want[Y * 40 + X]) != ColorFromPixel(Plain[Y * 40 + X]);
    }
  EXPECT_EQ(Wrong, 0u);
  EXPECT_GT(BadgePixels, 100u);
}

TEST_F(Dock, FailedAllocationsLeaveNothingBehind) {
  Items It(6, 0x10);
  It.Labels[2] = W("a label");
  ASSERT_EQ(Init(It), EFI_SUCCESS);
  Track(0, 0, 2, 2);
  Track(0, 0, 2, 2);
  ASSERT_EQ(D.focus, 2);
  // Count the allocations of one paint, then fail each in turn.
  const uint64_t Before = Fw.TotalAllocations();
  ASSERT_EQ(Ui->PaintIconDock(&D), EFI_SUCCESS);
  const int64_t Count = (int64_t)(Fw.TotalAllocations() - Before);
  ASSERT_GT(Count, 2);
  for (int64_t N = 0; N < Count; N++) {
    SCOPED_TRACE(N);
    Fw.FillScreen(0x00ABCDEF);
    Fw.FailAllocation(N);
    const EFI_STATUS Status = Ui->PaintIconDock(&D);
    Fw.FailAllocation(-1);
    EXPECT_EQ(Status, EFI_OUT_OF_RESOURCES);
    EXPECT_EQ(Fw.LiveAllocations(), 1u) << "only the saved strip";
    if (N < Count - 1) {
      // The label and the row buffer come first: failing them draws nothing.
      EXPECT_EQ(Fw.Pixel(130, 310) & 0xFFFFFF, 0xABCDEFu);
    }
  }
}

TEST_F(Dock, TheItemAfterTheDraggedOneGivesWay) {
  // Every drag position near the dragged item's slot, for the margins 11, 15,
  // 7 and 11 (a first badge or not, up to 8 items or more).
  for (size_t N : {8u, 9u}) {
    for (UINT16 Flags : {0x10, 0x00, 0x90, 0x30}) {
      Items It(N, 3);
      It.Flags[2] = Flags | 2;
      PoolFree(D.stripBackground);
      D = {};
      ASSERT_EQ(Init(It, 20, 30), EFI_SUCCESS);
      const int64_t Pitch = N < 9 ? 51 : 47;
      for (int64_t DragX = 2 * Pitch - 2; DragX < 2 * Pitch + 60; DragX++) {
        SCOPED_TRACE(testing::Message() << N << " items, flags " << Flags << ", dragX " << DragX);
        D.focus = 2;
        D.mode = 1;
        D.dragging = 1;
        D.dragX = (UINT16)DragX;
        ref::DockPaint Want = ref::PaintIconDock(D);
        ASSERT_EQ(Ui->PaintIconDock(&D), EFI_SUCCESS);
        size_t Wrong = 0;
        for (int64_t Y = 0; Y < 41; Y++)
          for (int64_t X = 0; X < D.width; X++)
            Wrong += ((Fw.Pixel(20 + X, 30 + Y) ^ Want.Row[Y * D.width + X]) & 0xFFFFFF) != 0;
        ASSERT_EQ(Wrong, 0u);
      }
    }
  }
}
