// The digit readout: sizes and text clean-up of InitDigitReadout, its refusals,
// the paint against the plain per-pixel version, the documented pixel facts,
// and allocation failures.
#include <array>
#include <random>
#include <string>
#include <vector>

#include "controls/readout/digit_readout.h"
#include "tests/digit_readout_reference.h"
#include "tests/fixture.h"
#include "tests/raster_reference.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF, kUnlit = 0x3A5A29, kDim = 0x558B37, kSmallLit = 0xA4C693;
constexpr uint32_t kBack = 0x102030;

class ReadoutTest : public DriverTest {
 protected:
  // Initialises R for Text (kept alive in Store) with a captured background.
  EFI_STATUS Init(DigitReadout &R, const std::u16string &Text, UINT16 Size, INT32 X = 100,
                  INT32 Y = 100, UINT8 Capture = 1) {
    Store = Text;
    return Ui->InitDigitReadout(&R, X, Y, reinterpret_cast<CHAR16 *>(Store.data()), Size, Capture);
  }
  std::u16string Shown(const DigitReadout &R) { return reinterpret_cast<const char16_t *>(R.text); }
  // Frees what a successful Init handed over.
  void Release(DigitReadout &R) {
    if (R.text != reinterpret_cast<CHAR16 *>(Store.data()))
      Fw.SystemTable()->BootServices->FreePool(R.text);
    if (R.background != nullptr) Fw.SystemTable()->BootServices->FreePool(R.background);
  }
  std::u16string Store;
};

}  // namespace

TEST_F(ReadoutTest, InitCleansPadsAndSizes) {
  struct Case {
    std::u16string In;
    UINT16 Size;
    std::u16string Text;
    int W, H;
  } Cases[] = {
      {u"12:34", 0, u"12:34", 204, 40},
      {u"1:2", 0, u"1:2", 108, 40},
      {u"12a4", 0, u"12", 84, 40},
      {u"-", 0, u"-", 36, 40},
      {u"", 0, u"", 0, 40},
      {u"5", 1, u"005", 126, 32},
      {u"-5", 2, u"-005", 126, 21},
      {u"100", 1, u"100", 126, 32},
      {u"42", 2, u"042", 126, 21},
      {u"-12", 1, u"-012", 126, 32},
      {u"-123", 1, u"-123", 126, 32},
      {u"1234", 2, u"1234", 149, 21},
      {u"", 1, u"000", 126, 32},
      {u"-", 2, u"-000", 126, 21},
      {u"7x", 1, u"007", 126, 32},
      {u"9:", 1, u"09:", 121, 32},
  };
  for (const Case &C : Cases) {
    SCOPED_TRACE(std::string(C.In.begin(), C.In.end()) + " size " + std::to_string(C.Size));
    DigitReadout R{};
    ASSERT_EQ(Init(R, C.In, C.Size, 10, 20), EFI_SUCCESS);
    EXPECT_EQ(Shown(R), C.Text);
    EXPECT_EQ(R.width, C.W);
    EXPECT_EQ(R.height, C.H);
    EXPECT_EQ(R.x, 10);
    EXPECT_EQ(R.y, 20);
    EXPECT_EQ(R.size, C.Size);
    EXPECT_EQ(R.capture, 1);
    EXPECT_EQ(R.background == nullptr, C.W == 0);
    // The caller's string is cut in place; an unpadded text is the caller's own.
    EXPECT_EQ(Store.c_str(), std::u16string(Store.c_str()));
    EXPECT_EQ(R.text == reinterpret_cast<CHAR16 *>(Store.data()), C.Text == Store.c_str());
    Release(R);
  }
}

TEST_F(ReadoutTest, InitCapturesOnlyWithFlagOne) {
  Fw.FillScreen(kBack);
  DigitReadout R{};
  ORVANE_PIXEL Mine[4];
  for (UINT8 Flag : {0, 2}) {
    R.background = Mine;
    ASSERT_EQ(Init(R, u"8", 0, 0, 0, Flag), EFI_SUCCESS);
    EXPECT_EQ(R.background, Mine);
  }
  for (bool FrameBuffer : {false, true}) {
    Ui->SetFrameBufferCapture(FrameBuffer);
    ASSERT_EQ(Init(R, u"88", 0, 1000, 760, 1), EFI_SUCCESS);
    // The part off the 1024 x 768 screen reads as 0.
    EXPECT_EQ(ColorFromPixel(R.background[0]) & 0xFFFFFF, kBack);
    EXPECT_EQ(ColorFromPixel(R.background[23]) & 0xFFFFFF, kBack);
    EXPECT_EQ(ColorFromPixel(R.background[24]), 0u);
    EXPECT_EQ(ColorFromPixel(R.background[8 * R.width]), 0u);
    Release(R);
  }
}

TEST_F(ReadoutTest, InitRefusesBadInputAndLeavesEverythingAlone) {
  DigitReadout R{};
  R.width = 77;
  CHAR16 Text[] = {u'1', u'x', 0};
  EXPECT_EQ(Ui->InitDigitReadout(nullptr, 0, 0, Text, 0, 1), EFI_INVALID_PARAMETER);
  EXPECT_EQ(Ui->InitDigitReadout(&R, 0, 0, nullptr, 0, 1), EFI_INVALID_PARAMETER);
  EXPECT_EQ(Ui->InitDigitReadout(&R, 0, 0, Text, 3, 1), EFI_INVALID_PARAMETER);
  EXPECT_EQ(Ui->InitDigitReadout(&R, 0, 0, Text, 0xFFFF, 1), EFI_INVALID_PARAMETER);
  EXPECT_EQ(Text[1], u'x');
  std::u16string Long(256, u'8');
  EXPECT_EQ(Init(R, Long + u"z", 0), EFI_INVALID_PARAMETER);
  EXPECT_EQ(Store.size(), 257u);
  EXPECT_EQ(R.width, 77);
  // 255 characters are the most a readout takes.
  ASSERT_EQ(Init(R, Long.substr(1), 0), EFI_SUCCESS);
  EXPECT_EQ(R.width, 36 * 255 + 12 * 254);
  Release(R);
}

TEST_F(ReadoutTest, FailedAllocationsLeaveRecordAndPoolAsTheyWere) {
  // Size 1 "5" allocates the padded text (0), then the background (1).
  for (int Fail : {0, 1}) {
    DigitReadout R{};
    R.width = 77;
    Fw.FailAllocation(Fail);
    EXPECT_EQ(Init(R, u"5", 1), EFI_OUT_OF_RESOURCES);
    EXPECT_EQ(R.width, 77);
    EXPECT_EQ(R.text, nullptr);
    EXPECT_EQ(R.background, nullptr);
    EXPECT_EQ(Fw.LiveAllocations(), 0u);
  }
  Fw.FailAllocation(-1);
  DigitReadout R{};
  Fw.FillScreen(kBack);
  ASSERT_EQ(Init(R, u"12", 0, 5, 5), EFI_SUCCESS);
  Fw.FillScreen(0x777777);
  Fw.FailAllocation(0);
  sim::ResetStats();
  EXPECT_EQ(Ui->PaintDigitReadout(&R), EFI_OUT_OF_RESOURCES);
  EXPECT_EQ(sim::Stats().BltCalls, 0u);
  EXPECT_EQ(Fw.Pixel(10, 10) & 0xFFFFFF, 0x777777u);
  Fw.FailAllocation(-1);
  Release(R);
}

TEST_F(ReadoutTest, PaintRefusesARecordItCannotDraw) {
  DigitReadout R{};
  ASSERT_EQ(Init(R, u"12", 0, 0, 0, 0), EFI_SUCCESS);
  Fw.FillScreen(kBack);
  EXPECT_EQ(Ui->PaintDigitReadout(nullptr), EFI_INVALID_PARAMETER);
  EXPECT_EQ(Ui->PaintDigitReadout(&R), EFI_INVALID_PARAMETER);  // no background
  ORVANE_PIXEL Image[84 * 40] = {};
  R.background = Image;
  R.size = 3;
  EXPECT_EQ(Ui->PaintDigitReadout(&R), EFI_INVALID_PARAMETER);
  EXPECT_EQ(Fw.Pixel(33, 20) & 0xFFFFFF, kBack);
  R.size = 0;
  EXPECT_EQ(Ui->PaintDigitReadout(&R), EFI_SUCCESS);
  EXPECT_EQ(Fw.Pixel(33, 20) & 0xFFFFFF, kWhite);  // the right bar of "1"
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
}

// Production against the plain version, on random texts over random
// backgrounds, partly off the screen too.
TEST_F(ReadoutTest, PaintMatchesThePlainVersion) {
  std::mt19937 Rng(11);
  const char16_t Alphabet[] = u"0123456789:-0000";
  for (int Round = 0; Round < 150; Round++) {
    std::u16string Text;
    int Len = (int)(Rng() % 9);
    for (int I = 0; I < Len; I++) Text += Alphabet[Rng() % 16];
    UINT16 Size = (UINT16)(Rng() % 3);
    INT32 X = (INT32)(Rng() % 1100) - 60, Y = (INT32)(Rng() % 800) - 30;
    SCOPED_TRACE(std::string(Text.begin(), Text.end()) + " size " + std::to_string(Size));
    DigitReadout R{};
    ASSERT_EQ(Init(R, Text, Size, X, Y, 0), EFI_SUCCESS);
    std::vector<uint32_t> Back((size_t)R.width * R.height);
    for (uint32_t &P : Back) P = rastertest::RandomColor(Rng);
    R.background = reinterpret_cast<ORVANE_PIXEL *>(Back.data());
    std::vector<uint32_t> Want = Back;
    ref::PaintReadout(reinterpret_cast<ORVANE_PIXEL *>(Want.data()), R.width, R.height, R.text,
                      Size);
    Fw.FillScreen(0x123456);
    sim::ResetStats();
    ASSERT_EQ(Ui->PaintDigitReadout(&R), EFI_SUCCESS);
    EXPECT_LE(sim::Stats().BltCalls, 1u);
    EXPECT_EQ(sim::Stats().FloatCalls, 0u);
    for (int J = 0; J < R.height; J++) {
      for (int I = 0; I < R.width; I++) {
        int SX = X + I, SY = Y + J;
        if (SX < 0 || SY < 0 || SX >= (int)Fw.Width() || SY >= (int)Fw.Height()) continue;
        ASSERT_EQ(Fw.Pixel(SX, SY), Want[(size_t)J * R.width + I]) << I << "," << J;
      }
    }
    if (R.text != reinterpret_cast<CHAR16 *>(Store.data()))
      Fw.SystemTable()->BootServices->FreePool(R.text);
  }
}

// Every glyph, from its row of the glyph table as written: the rectangles by
// name, in order, over the element formulas, then the masks. A name that is not
// an element is "unlit" before a plain element: that element in the unlit
// colour. Unlit parts show in size 0 only. The driver's cell, in each size, must
// be this picture to the pixel.
TEST_F(ReadoutTest, EveryGlyphIsItsTableRow) {
  using Box = std::array<int, 4>;  // x, y, w, h
  struct Element {
    const char *Name;
    Box (*At)(int t, int W, int H);
  };
#define ELEMENT(Name, ...)                                     \
  {                                                            \
    Name, [](int t, int W, int H) { return Box{__VA_ARGS__}; } \
  }
  const Element Elements[] = {
      ELEMENT("top", t, 1, W - 2 * t + 1, t - 1),
      ELEMENT("bottom", t, H - t, W - 2 * t + 1, t - 1),
      ELEMENT("left", 1, t, t - 1, H - 2 * t),
      ELEMENT("right", W - t + 1, t, t - 1, H - 2 * t),
      ELEMENT("upper left 5", 1, t, t - 1, H / 2 - 2 * t + t / 2 + 1),
      ELEMENT("upper right 23", W - t + 1, t, t - 1, H / 2 - 2 * t + t / 2 + 1),
      ELEMENT("upper left 89", 1, t, t - 1, H / 2 - t - t / 2),
      ELEMENT("upper right 8", W - t + 1, t, t - 1, H / 2 - t - t / 2),
      ELEMENT("upper left 4", 1, t, t - 1, H / 2 - t - 1),
      ELEMENT("lower left", 1, H / 2 + t / 2, t - 1, H / 2 - t),
      ELEMENT("lower right", W - t + 1, H / 2 + t / 2, t - 1, H / 2 - t),
      ELEMENT("middle", t, H / 2 - t / 2 + 1, W - 2 * t + 1, t - 1),
      ELEMENT("middle 3", 1, H / 2 - t / 2 + 1, W - t / 2, t - 1),
      ELEMENT("middle 6", t + t / 2, H / 2 - t / 2 + 1, W - 2 * t, t - 1),
      ELEMENT("middle 8", t / 2, H / 2 - t / 2 + 1, W - t + 1, t - 1),
      ELEMENT("upper dot", W / 2 - t / 2, H / 2 - t / 2 - t + 1, t - 1, t),
      ELEMENT("lower dot", W / 2 - t / 2, H - t, t - 1, t),
      ELEMENT("unlit top 4", t, 1, W - 2 * t + 1, t),
      ELEMENT("unlit bottom 4", t - 1, H - t, W - 2 * t + 1, t),
      ELEMENT("unlit left 4", 1, t, t - 1, H - 2 * t + 1),
      ELEMENT("unlit upper right 6", W - t + 1, t, t - 1, H / 2),
      ELEMENT("unlit lower left 9", 1, H / 2 - t / 2, t - 1, H / 2 - t / 2),
  };
#undef ELEMENT
  enum { TL, TR, BL, BR, J9 };
  struct Mask {
    int Which;
    bool Lit;
    int Shift;  // 0 in place, 1 one row lower, 2 up to the middle
  };
  struct Row {
    char16_t Glyph;
    std::vector<std::string> Rects;
    std::vector<Mask> Masks;
  };
  const std::vector<Mask> Four = {{TL, true, 0}, {TR, true, 0}, {BL, true, 0}, {BR, true, 0}};
  const Row Table[] = {
      {u'0', {"top", "bottom", "left", "right"}, Four},
      {u'1',
       {"unlit top", "unlit bottom", "unlit left", "right"},
       {{TL, false, 0}, {TR, true, 0}, {BL, false, 0}, {BR, true, 0}}},
      {u'2',
       {"top", "bottom", "unlit left", "unlit right", "upper right 23", "lower left", "middle"},
       Four},
      {u'3',
       {"top", "bottom", "unlit left", "unlit right", "upper right 23", "lower right", "middle 3"},
       Four},
      {u'4',
       {"unlit top 4", "unlit bottom 4", "unlit left 4", "right", "upper left 4", "middle"},
       {{TL, true, 0}, {TR, true, 0}, {BL, false, 1}, {BL, true, 2}, {BR, true, 0}}},
      {u'5',
       {"top", "bottom", "unlit left", "unlit right", "upper left 5", "lower right", "middle"},
       Four},
      {u'6', {"top", "bottom", "left", "unlit upper right 6", "lower right", "middle 6"}, Four},
      {u'7',
       {"top", "unlit bottom", "unlit left", "right"},
       {{TL, true, 0}, {TR, true, 0}, {BL, false, 0}, {BR, true, 0}}},
      {u'8',
       {"top", "bottom", "unlit left", "upper left 89", "lower left", "unlit right",
        "upper right 8", "lower right", "middle 8"},
       Four},
      {u'9',
       {"top", "bottom", "upper left 89", "unlit lower left 9", "right", "middle"},
       {{TL, true, 0}, {TR, true, 0}, {BL, true, 0}, {BR, true, 0}, {J9, true, 0}}},
      {u':', {"upper dot", "lower dot"}, {}},
  };
  const int kT[3] = {6, 6, 4}, kW[3] = {36, 26, 18}, kH[3] = {40, 32, 21};
  const uint32_t kLit[3] = {kWhite, kWhite, kSmallLit};
  auto Find = [&](const std::string &Name) -> const Element * {
    for (const Element &E : Elements)
      if (Name == E.Name) return &E;
    return nullptr;
  };
  for (UINT16 Size = 0; Size < 3; Size++) {
    const int t = kT[Size], W = kW[Size], H = kH[Size];
    for (const Row &G : Table) {
      SCOPED_TRACE(testing::Message() << "glyph " << (char)G.Glyph << ", size " << Size);
      std::vector<uint32_t> Want((size_t)W * H, kBack);
      auto Set = [&](int X, int Y, bool Lit) {
        ASSERT_TRUE(X >= 0 && X < W && Y >= 0 && Y < H) << X << "," << Y;
        Want[(size_t)Y * W + X] = Lit ? kLit[Size] : kUnlit;
      };
      for (const std::string &Name : G.Rects) {
        const Element *E = Find(Name);
        bool Lit = E != nullptr && Name.rfind("unlit ", 0) != 0;
        if (E == nullptr && Name.rfind("unlit ", 0) == 0) E = Find(Name.substr(6));
        ASSERT_NE(E, nullptr) << Name;
        if (!Lit && Size != 0) continue;
        const Box B = E->At(t, W, H);
        for (int Y = B[1]; Y < B[1] + B[3]; Y++)
          for (int X = B[0]; X < B[0] + B[2]; X++) Set(X, Y, Lit);
      }
      for (const Mask &M : G.Masks) {
        if (!M.Lit && Size != 0) continue;
        const bool Right = M.Which == TR || M.Which == BR;
        const bool Bottom = M.Which == BL || M.Which == BR;
        const int CX = Right ? W - t : t;
        const int CY = M.Which == J9 ? H / 2 - t / 2 : Bottom ? H - t : t;
        const int R0 = M.Which == J9 ? CY : Bottom ? H - t : 0;
        const int R1 = M.Which == J9 ? H / 2 + t / 2 - 1 : Bottom ? H - 2 : t - 1;
        const int C0 = Right ? W - t + 1 : 1, C1 = Right ? W - 1 : t - 1;
        const int Dy = M.Shift == 1 ? 1 : M.Shift == 2 ? -(H / 2 - t / 2 - (Size == 2 ? 0 : 1)) : 0;
        // Within radius t: distance at most t.
        for (int Y = R0; Y <= R1; Y++)
          for (int X = C0; X <= C1; X++)
            if ((X - CX) * (X - CX) + (Y - CY) * (Y - CY) <= t * t) Set(X, Y + Dy, M.Lit);
      }
      // The glyph last in its text, so lit and undimmed: alone in size 0, after
      // "00" in the temperatures, whose degree sign (22 wide) follows it.
      DigitReadout R{};
      ASSERT_EQ(Init(R, Size == 0 ? std::u16string(1, G.Glyph) : u"00" + std::u16string(1, G.Glyph),
                     Size, 0, 0, 0),
                EFI_SUCCESS);
      std::vector<uint32_t> Back((size_t)R.width * R.height, kBack);
      R.background = reinterpret_cast<ORVANE_PIXEL *>(Back.data());
      Fw.FillScreen(0);
      ASSERT_EQ(Ui->PaintDigitReadout(&R), EFI_SUCCESS);
      const int X0 = R.width - (Size == 0 ? 0 : 22) - W;
      size_t Wrong = 0;
      for (int Y = 0; Y < H; Y++)
        for (int X = 0; X < W; X++) {
          const uint32_t Got = Fw.Pixel(X0 + X, Y) & 0xFFFFFF;
          if (Got != Want[(size_t)Y * W + X] && Wrong++ == 0)
            ADD_FAILURE() << "cell pixel (" << X << ", " << Y << ") is " << std::hex << Got
                          << ", expected " << Want[(size_t)Y * W + X];
        }
      EXPECT_EQ(Wrong, 0u);
      R.background = nullptr;
      Release(R);
    }
  }
}

TEST_F(ReadoutTest, ClockColumnsAndUnlitSegments) {
  Fw.FillScreen(kBack);
  DigitReadout R{};
  ASSERT_EQ(Init(R, u"12:34", 0, 0, 0), EFI_SUCCESS);
  ASSERT_EQ(Ui->PaintDigitReadout(&R), EFI_SUCCESS);
  // Digits at 0, 48, 120, 168: the middle bar (x 6..30 at row 20) of "2", "3" and
  // "4" starts 6 columns in; "1" shows its unlit top bar there instead.
  EXPECT_EQ(Fw.Pixel(6, 3) & 0xFFFFFF, kUnlit);
  EXPECT_EQ(Fw.Pixel(6 + 48, 20) & 0xFFFFFF, kWhite);
  EXPECT_EQ(Fw.Pixel(1 + 48, 20) & 0xFFFFFF, kUnlit);  // unlit left bar of "2"
  EXPECT_EQ(Fw.Pixel(0 + 48, 20) & 0xFFFFFF, kBack);
  EXPECT_EQ(Fw.Pixel(1 + 120, 20) & 0xFFFFFF, kWhite);  // middle 3 reaches column 1
  EXPECT_EQ(Fw.Pixel(0 + 120, 20) & 0xFFFFFF, kBack);
  EXPECT_EQ(Fw.Pixel(6 + 168, 20) & 0xFFFFFF, kWhite);
  EXPECT_EQ(Fw.Pixel(5 + 168, 20) & 0xFFFFFF, kWhite);  // the raised corner of "4"
  // The colon's dots at columns 99 to 103.
  for (int Row : {12, 17, 34, 39}) {
    EXPECT_EQ(Fw.Pixel(99, Row) & 0xFFFFFF, kWhite) << Row;
    EXPECT_EQ(Fw.Pixel(103, Row) & 0xFFFFFF, kWhite) << Row;
    EXPECT_EQ(Fw.Pixel(98, Row) & 0xFFFFFF, kBack) << Row;
  }
  Release(R);
}

TEST_F(ReadoutTest, OneAndMinusBySize) {
  Fw.FillScreen(kBack);
  // Size 0: "1" keeps its unlit top, left and bottom; a "-" draws nothing.
  DigitReadout R{};
  ASSERT_EQ(Init(R, u"-1", 0, 0, 0), EFI_SUCCESS);
  EXPECT_EQ(R.width, 72);
  ASSERT_EQ(Ui->PaintDigitReadout(&R), EFI_SUCCESS);
  auto Count = [&](int X0, int W, int H, uint32_t C) {
    int N = 0;
    for (int J = 0; J < H; J++)
      for (int I = X0; I < X0 + W; I++) N += (Fw.Pixel(I, J) & 0xFFFFFF) == C;
    return N;
  };
  EXPECT_GT(Count(0, 36, 40, kUnlit), 25 * 6 * 2);
  EXPECT_EQ(Count(36, 36, 40, kUnlit) + Count(36, 36, 40, kWhite), 0);
  EXPECT_EQ(Fw.Pixel(33, 20) & 0xFFFFFF, kWhite);
  Release(R);
  // Sizes 1 and 2: only the right bar and the right corners of "1"; the digit sits after the sign
  // room.
  for (UINT16 Size : {1, 2}) {
    Fw.FillScreen(kBack);
    ASSERT_EQ(Init(R, u"111", Size, 0, 0), EFI_SUCCESS);
    ASSERT_EQ(Ui->PaintDigitReadout(&R), EFI_SUCCESS);
    const int Room = Size == 1 ? 16 : 40, W = Size == 1 ? 26 : 18, t = Size == 1 ? 6 : 4;
    const uint32_t Lit = Size == 1 ? kWhite : kSmallLit;
    EXPECT_EQ(Count(0, Room + W - t + 1, R.height, Lit), 0);
    EXPECT_EQ(Count(0, R.width, R.height, kUnlit), 0);
    EXPECT_EQ(Fw.Pixel(Room + W - t + 1, R.height / 2) & 0xFFFFFF, Lit);
    Release(R);
  }
}

TEST_F(ReadoutTest, LeadingZerosAndTheMinusBar) {
  struct Case {
    std::u16string Text;
    UINT16 Size;
    std::vector<bool> Dim;  // per digit
  } Cases[] = {
      {u"100", 1, {false, false, false}},        {u"5", 1, {true, true, false}},
      {u"000", 2, {true, true, false}},          {u"-5", 2, {true, true, false}},
      {u"1005", 1, {false, false, true, false}},
  };
  for (const Case &C : Cases) {
    SCOPED_TRACE(std::string(C.Text.begin(), C.Text.end()));
    Fw.FillScreen(kBack);
    DigitReadout R{};
    ASSERT_EQ(Init(R, C.Text, C.Size, 0, 0), EFI_SUCCESS);
    ASSERT_EQ(Ui->PaintDigitReadout(&R), EFI_SUCCESS);
    const int Room = C.Size == 1 ? 16 : 40, W = C.Size == 1 ? 26 : 18;
    const uint32_t Lit = C.Size == 1 ? kWhite : kSmallLit;
    // Column 1, a third down: the left bar of a "0", the "1" has none there, "5" does.
    for (size_t D = 0; D < C.Dim.size(); D++) {
      int X = Room + (int)D * (W + 5) + 1;
      uint32_t Got = Fw.Pixel(X, R.height / 3) & 0xFFFFFF;
      if (Shown(R)[D + (Shown(R)[0] == u'-')] == u'1') {
        EXPECT_EQ(Got, kBack) << D;
      } else {
        EXPECT_EQ(Got, C.Dim[D] ? kDim : Lit) << D;
      }
    }
    if (C.Text == u"-5") {
      // The minus bar covers columns 32 to 36 at rows 9 to 11.
      EXPECT_EQ(Fw.Pixel(32, 9) & 0xFFFFFF, Lit);
      EXPECT_EQ(Fw.Pixel(36, 11) & 0xFFFFFF, Lit);
      EXPECT_EQ(Fw.Pixel(31, 10) & 0xFFFFFF, kBack);
      EXPECT_EQ(Fw.Pixel(37, 10) & 0xFFFFFF, kBack);
      EXPECT_EQ(Fw.Pixel(34, 12) & 0xFFFFFF, kBack);
    }
    // The Celsius letter's stem at C0 = width - 10, rows 3 to 11.
    EXPECT_EQ(Fw.Pixel(R.width - 10, 7) & 0xFFFFFF, Lit);
    EXPECT_EQ(Fw.Pixel(R.width - 10, 2) & 0xFFFFFF, kBack);
    Release(R);
  }
}
