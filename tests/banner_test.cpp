// The banner: its text in a caller's buffer, and its four lines on the screen.
#include <cstring>
#include <string>
#include <vector>

#include "platform/services.h"
#include "tests/fixture.h"

namespace {

// Lines joined by "\n" alone, although the EFI Library's print writes "\r\n".
const std::u16string kBannerText =
    u"ORVANE PROTOCOL\n"
    u"Version OrvaneUI_m019\n"
    u"Copyright (c) 2026 Orvane Contributors\n"
    u"Licensed under the Orvane Licence 1.0";

const std::u16string kScreenLines[4] = {
    u"ORVANE Protocol",
    u"Version OrvaneUI_m019",
    u"Copyright (c) 2026 Orvane Contributors",
    u"Licensed under the Orvane Licence 1.0",
};

constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kBannerBlue = 0x00002041;

class Banner : public DriverTest {
 protected:
  ORVANE_BANNER_PROTOCOL *B() { return Fw.BannerProtocol(); }

  // One line as slot 45 renders it: white on the banner blue.
  std::vector<uint32_t> LineImage(const std::u16string &S, uint32_t &Width) {
    TextImage T = {kWhite, kBannerBlue, 0, 0, nullptr};
    EXPECT_EQ(Ui->RenderText(1000, &T, reinterpret_cast<const CHAR16 *>(S.c_str())), 0u);
    Width = T.Width;
    std::vector<uint32_t> Px((size_t)T.Width * T.Height);
    std::memcpy(Px.data(), T.Bitmap, Px.size() * 4);
    Fw.SystemTable()->BootServices->FreePool(T.Bitmap);
    return Px;
  }

  std::vector<uint32_t> ExpectedScreen(uint32_t Fill, int SkipLine = -1) {
    std::vector<uint32_t> Screen((size_t)Fw.Width() * Fw.Height(), Fill);
    for (int L = 0; L < 4; L++) {
      if (L == SkipLine) continue;
      uint32_t W;
      std::vector<uint32_t> Px = LineImage(kScreenLines[L], W);
      for (uint32_t R = 0; R < 19; R++)
        for (uint32_t X = 0; X < W; X++)
          Screen[(size_t)(20 + 20 * L + R) * Fw.Width() + X] = Px[R * W + X];
    }
    return Screen;
  }
};

}  // namespace

TEST_F(Banner, BufferGetsTheWholeTextWithoutFinalNewline) {
  ASSERT_NE(B(), nullptr);
  std::vector<CHAR16> Buffer(200, 0xBEEF);
  CHAR16 *Out = B()->Banner(Buffer.data());
  EXPECT_EQ(Out, Buffer.data());
  std::u16string Got(reinterpret_cast<const char16_t *>(Buffer.data()));
  EXPECT_EQ(Got, kBannerText);
  EXPECT_NE(Got.back(), u'\n');
  // The whole text fits the 250-byte buffer, so it is never cut.
  EXPECT_LE(kBannerText.size(), 124u);
  // Nothing is written past the 125 characters the banner may use.
  for (size_t I = 125; I < Buffer.size(); I++) ASSERT_EQ(Buffer[I], 0xBEEF) << I;
  EXPECT_EQ(sim::Stats().BltCalls, 0u);
}

TEST_F(Banner, ScreenShowsFourOpaqueLinesAtTwentyFortySixtyEighty) {
  Fw.FillScreen(0x00808080);
  sim::ResetStats();
  EXPECT_EQ(B()->Banner(nullptr), nullptr);
  EXPECT_EQ(sim::Stats().BltCalls, 4u);  // one opaque transfer per line
  EXPECT_EQ(Fw.Snapshot(), ExpectedScreen(0x00808080));
  // Each line is 19 rows of white and blue, with one untouched row between lines.
  for (int L = 0; L < 4; L++) {
    uint32_t Top = 20 + 20 * L;
    EXPECT_EQ(Fw.Pixel(0, Top - 1), 0x00808080u);
    EXPECT_EQ(Fw.Pixel(0, Top), kBannerBlue);
    EXPECT_EQ(Fw.Pixel(0, Top + 18), kBannerBlue);
    EXPECT_EQ(Fw.Pixel(0, Top + 19), 0x00808080u);
    const uint32_t End = 8 * (uint32_t)kScreenLines[L].size();
    const uint32_t Last = Fw.Pixel(End - 1, Top + 9);
    EXPECT_TRUE(Last == kWhite || Last == kBannerBlue) << std::hex << Last;
    EXPECT_EQ(Fw.Pixel(End, Top + 9), 0x00808080u);
  }
}

TEST_F(Banner, ALineThatCannotBeDrawnIsSkippedAndTheRestFollow) {
  Fw.FillScreen(0);
  Fw.FailAllocation(0);  // the first line's text buffer
  EXPECT_EQ(B()->Banner(nullptr), nullptr);
  Fw.FailAllocation(-1);
  EXPECT_EQ(Fw.Snapshot(), ExpectedScreen(0, 0));
}
