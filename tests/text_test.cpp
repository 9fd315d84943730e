// Text: the simulated font service, ScaleImage, RenderText (slot 45) and
// DrawText (slot 44). Pixels are checked against references written from the
// rules: glyphs straight from unifont.hex, scaling straight from the Milli
// definitions, transparent text as one transfer per foreground pixel.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "platform/guids.h"
#include "platform/services.h"
#include "sim/hii_font.h"
#include "raster/target.h"
#include "tests/fixture.h"
#include "text/milli.h"
#include "text/text.h"

namespace {

const CHAR16 *Str(const std::u16string &S) { return reinterpret_cast<const CHAR16 *>(S.c_str()); }

// ---------------------------------------------------------------- references

int64_t RefMul(int64_t A, int64_t B) {
  __int128 P = (__int128)A * B;
  __int128 Q = P / 1000;
  if (P % 1000 > 445) Q += 1;
  return (int64_t)Q;
}
int64_t RefDiv(int64_t N, int64_t D) { return (int64_t)(((__int128)N * 1000) / D); }
int32_t RefToInt(int64_t V) { return (int32_t)V / 1000; }

struct Picture {
  uint32_t Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;
  uint32_t At(uint32_t X, uint32_t Y) const { return Pixels[(size_t)Y * Width + X]; }
};

// Nearest-neighbour scaling exactly as described: sizes and indices through Milli.
Picture RefScale(const Picture &Src, int64_t S) {
  Picture D;
  D.Width = (uint32_t)RefToInt(RefMul((int64_t)Src.Width * 1000, S));
  D.Height = (uint32_t)RefToInt(RefMul((int64_t)Src.Height * 1000, S));
  int64_t Inverse = RefDiv(1000, S);
  D.Pixels.resize((size_t)D.Width * D.Height);
  for (uint32_t I = 0; I < D.Height; I++) {
    for (uint32_t J = 0; J < D.Width; J++) {
      int32_t R = RefToInt(RefMul((int64_t)I * 1000, Inverse));
      int32_t C = RefToInt(RefMul((int64_t)J * 1000, Inverse));
      D.Pixels[(size_t)I * D.Width + J] = Src.At((uint32_t)C, (uint32_t)R);
    }
  }
  return D;
}

// unifont.hex read independently of the simulation.
const std::map<uint32_t, std::string> &HexGlyphs() {
  static std::map<uint32_t, std::string> Glyphs = [] {
    std::map<uint32_t, std::string> G;
    std::ifstream In("/usr/share/unifont/unifont.hex");
    std::string Line;
    while (std::getline(In, Line)) {
      size_t Colon = Line.find(':');
      if (Colon == std::string::npos) continue;
      G[(uint32_t)std::stoul(Line.substr(0, Colon), nullptr, 16)] = Line.substr(Colon + 1);
    }
    return G;
  }();
  return Glyphs;
}

// One unwrapped line in 19-row cells, glyph rows starting one row down.
Picture RefLine(const std::u16string &S, uint32_t Fg, uint32_t Bg) {
  Picture P;
  for (char16_t C : S) P.Width += HexGlyphs().at(C).size() == 64 ? 16 : 8;
  P.Height = 19;
  P.Pixels.assign((size_t)P.Width * 19, Bg);
  uint32_t X = 0;
  for (char16_t C : S) {
    const std::string &Hex = HexGlyphs().at(C);
    uint32_t W = Hex.size() == 64 ? 16 : 8;
    for (uint32_t R = 0; R < 16; R++) {
      uint32_t Bits = (uint32_t)std::stoul(Hex.substr(R * W / 4, W / 4), nullptr, 16);
      for (uint32_t G = 0; G < W; G++) {
        if (Bits & (1u << (W - 1 - G))) P.Pixels[(size_t)(R + 1) * P.Width + X + G] = Fg;
      }
    }
    X += W;
  }
  return P;
}

Picture FromImage(const TextImage &T) {
  Picture P;
  P.Width = T.Width;
  P.Height = T.Height;
  P.Pixels.resize((size_t)T.Width * T.Height);
  if (!P.Pixels.empty()) std::memcpy(P.Pixels.data(), T.Bitmap, P.Pixels.size() * 4);
  return P;
}

// Words of four letters: 120 characters wrap at 800 pixels (100 narrow glyphs).
std::u16string LongText() {
  std::u16string S;
  for (int I = 0; S.size() < 120; I++) {
    S += u"word";
    S += (char16_t)(u'a' + I % 26);
    S += u' ';
  }
  S.resize(120);
  return S;
}

std::u16string RandomText(std::mt19937 &Rng) {
  static const std::u16string Pool =
      u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 "
      u".,:;-_+=()[]!?/\\\u00e9\u00df\u4e00\u4e8c\u6587";
  std::u16string S;
  size_t Length = 1 + Rng() % 24;
  for (size_t I = 0; I < Length; I++) S += Pool[Rng() % Pool.size()];
  return S;
}

// ---------------------------------------------------------------- doubles

class LayoutScope {
 public:
  explicit LayoutScope(sim::FontLayout L) : Saved_(sim::CurrentFontLayout()) {
    sim::SetFontLayout(L);
  }
  ~LayoutScope() { sim::SetFontLayout(Saved_); }

 private:
  sim::FontLayout Saved_;
};

// Stands in for the bound font service: records each request, then forwards
// it to the simulated one unless told to fail or to withhold the row information.
struct FontSpy {
  static inline int Calls = 0;
  static inline EFI_STATUS Fail = EFI_SUCCESS;
  static inline bool DropRowInfo = false;
  static inline EFI_HII_OUT_FLAGS Flags = 0;
  static inline EFI_FONT_DISPLAY_INFO Info = {};
  static inline bool InfoPassed = false, BltWasEmpty = false, RowInfoAsked = false,
                     ColumnInfoAsked = false;
  static inline UINTN BltX = 0, BltY = 0;
  static inline std::u16string Text;

  static EFI_STATUS EFIAPI StringToImage(const EFI_HII_FONT_PROTOCOL *, EFI_HII_OUT_FLAGS F,
                                         const CHAR16 *S, const EFI_FONT_DISPLAY_INFO *I,
                                         EFI_IMAGE_OUTPUT **Blt, UINTN X, UINTN Y,
                                         EFI_HII_ROW_INFO **Rows, UINTN *RowCount, UINTN *Columns) {
    Calls++;
    Flags = F;
    InfoPassed = I != nullptr;
    if (I) Info = *I;
    BltWasEmpty = Blt && *Blt == nullptr;
    RowInfoAsked = Rows != nullptr && RowCount != nullptr;
    ColumnInfoAsked = Columns != nullptr;
    BltX = X;
    BltY = Y;
    Text.clear();
    for (const CHAR16 *P = S; P && *P; P++) Text.push_back((char16_t)*P);
    if (Fail != EFI_SUCCESS) return Fail;
    EFI_HII_FONT_PROTOCOL *Real = sim::FontService();
    if (DropRowInfo) {
      return Real->StringToImage(Real, F, S, I, Blt, X, Y, nullptr, nullptr, Columns);
    }
    return Real->StringToImage(Real, F, S, I, Blt, X, Y, Rows, RowCount, Columns);
  }
};

class SpyScope {
 public:
  SpyScope() : Saved_(gFont) {
    FontSpy::Calls = 0;
    FontSpy::Fail = EFI_SUCCESS;
    FontSpy::DropRowInfo = false;
    gFont = &Table_;
  }
  ~SpyScope() {
    gFont = Saved_;
    FontSpy::Fail = EFI_SUCCESS;
    FontSpy::DropRowInfo = false;
  }

 private:
  EFI_HII_FONT_PROTOCOL Table_ = {FontSpy::StringToImage, nullptr, nullptr, nullptr};
  EFI_HII_FONT_PROTOCOL *Saved_;
};

// Points a module service pointer elsewhere for one scope.
template <typename T>
class ServiceScope {
 public:
  ServiceScope(T *&Slot, T *Value) : Slot_(Slot), Saved_(Slot) { Slot = Value; }
  ~ServiceScope() { Slot_ = Saved_; }

 private:
  T *&Slot_;
  T *Saved_;
};

// The platform without one of its services for one scope: the firmware no
// longer offers it and the driver forgets what it had found.
template <typename T>
class MissingService {
 public:
  MissingService(sim::Firmware &Fw, T *&Slot, const EFI_GUID &Guid)
      : Fw_(Fw), Guid_(Guid), Forgotten_(Slot, nullptr) {
    Fw.Withhold(Guid);
  }
  ~MissingService() { Fw_.Publish(Guid_); }

 private:
  sim::Firmware &Fw_;
  EFI_GUID Guid_;
  ServiceScope<T> Forgotten_;
};

EFI_STATUS EFIAPI FailingBlt(EFI_GRAPHICS_OUTPUT_PROTOCOL *, EFI_GRAPHICS_OUTPUT_BLT_PIXEL *,
                             EFI_GRAPHICS_OUTPUT_BLT_OPERATION, UINTN, UINTN, UINTN, UINTN, UINTN,
                             UINTN, UINTN) {
  sim::Stats().BltCalls++;
  return EFI_DEVICE_ERROR;
}

class TextFixture : public DriverTest {
 protected:
  void FreePool(void *P) { Fw.SystemTable()->BootServices->FreePool(P); }

  // Slot 45, with the bitmap taken into a Picture and its pool block freed.
  Picture Render(const std::u16string &S, Milli Scale, uint32_t Fg, uint32_t Bg,
                 UINTN *Code = nullptr) {
    TextImage T = {Fg, Bg, 0, 0, nullptr};
    UINTN C = Ui->RenderText(Scale, &T, Str(S));
    if (Code) *Code = C;
    Picture P;
    if (C == 0) {
      EXPECT_EQ(T.Foreground, Fg);
      EXPECT_EQ(T.Background, Bg);
      EXPECT_NE(T.Bitmap, nullptr);
      P = FromImage(T);
      FreePool(T.Bitmap);
    }
    return P;
  }

  void SetScreen(const std::vector<uint32_t> &Colors) {
    std::memcpy(Fw.FrameBuffer(), Colors.data(), Colors.size() * 4);
  }

  std::vector<uint32_t> Noise(std::mt19937 &Rng) {
    std::vector<uint32_t> V((size_t)Fw.Width() * Fw.Height());
    for (uint32_t &C : V) C = Rng() & 0x00FFFFFF;
    return V;
  }

  // Expected screen: Start with the picture placed opaquely at (X, Y), clipped.
  std::vector<uint32_t> Placed(std::vector<uint32_t> Screen, const Picture &P, uint32_t X,
                               uint32_t Y) {
    for (uint32_t R = 0; R < P.Height && Y + R < Fw.Height(); R++)
      for (uint32_t U = 0; U < P.Width && X + U < Fw.Width(); U++)
        Screen[(size_t)(Y + R) * Fw.Width() + X + U] = P.At(U, R);
    return Screen;
  }

  void TearDown() override {
    FreeImage();
    DriverTest::TearDown();
  }

  // Calls the font service the way a caller of the platform would, into
  // Image and Rows; the image of the call before is freed first.
  EFI_STATUS FontImage(const std::u16string &S, EFI_HII_OUT_FLAGS Flags, uint32_t Fg, uint32_t Bg) {
    FreeImage();
    Rows.clear();
    EFI_FONT_DISPLAY_INFO Info = {};
    Info.ForegroundColor = PixelFromColor(Fg);
    Info.BackgroundColor = PixelFromColor(Bg);
    Info.FontInfoMask = 7;
    EFI_HII_ROW_INFO *RowInfo = nullptr;
    UINTN Count = 0;
    EFI_HII_FONT_PROTOCOL *Font = sim::FontService();
    EFI_STATUS Status =
        Font->StringToImage(Font, Flags, Str(S), &Info, &Image, 0, 0, &RowInfo, &Count, nullptr);
    if (!EFI_ERROR(Status)) {
      Rows.assign(RowInfo, RowInfo + Count);
      if (RowInfo) FreePool(RowInfo);
    }
    return Status;
  }

  void FreeImage() {
    if (Image == nullptr) return;
    FreePool(Image->Image.Bitmap);
    FreePool(Image);
    Image = nullptr;
  }

  EFI_IMAGE_OUTPUT *Image = nullptr;
  std::vector<EFI_HII_ROW_INFO> Rows;
};

using FontService = TextFixture;
using TextScale = TextFixture;
using TextRender = TextFixture;
using TextDraw = TextFixture;

const sim::FontLayout kLayouts[] = {sim::FontLayout::Tight, sim::FontLayout::ScreenSized};

}  // namespace

// ---------------------------------------------------------------- font service

TEST_F(FontService, TightImageIsTheTextWithGlyphsOneRowDown) {
  LayoutScope L(sim::FontLayout::Tight);
  const std::u16string S = u"Ag,\u4e00y";
  ASSERT_EQ(FontImage(S, EFI_HII_OUT_FLAG_WRAP, 0x00FF8000, 0x00000102), EFI_SUCCESS);
  Picture Want = RefLine(S, 0x00FF8000, 0x00000102);
  EXPECT_EQ(Want.Width, 8u * 4 + 16);
  ASSERT_EQ(Image->Width, Want.Width);
  ASSERT_EQ(Image->Height, 19u);
  Picture Got{Image->Width, Image->Height,
              std::vector<uint32_t>((uint32_t *)Image->Image.Bitmap,
                                    (uint32_t *)Image->Image.Bitmap + Want.Width * 19)};
  EXPECT_EQ(Got.Pixels, Want.Pixels);
  ASSERT_EQ(Rows.size(), 1u);
  EXPECT_EQ(Rows[0].LineWidth, Want.Width);
  EXPECT_EQ(Rows[0].LineHeight, 19u);
  EXPECT_EQ(Rows[0].StartIndex, 0u);
  EXPECT_EQ(Rows[0].EndIndex, S.size() - 1);
}

TEST_F(FontService, ScreenSizedImageHoldsTheRowAtTopLeftAndZeroElsewhere) {
  LayoutScope L(sim::FontLayout::ScreenSized);
  const std::u16string S = u"Hi there";
  ASSERT_EQ(FontImage(S, EFI_HII_OUT_FLAG_WRAP, 0x00FFFFFF, 0x00203040), EFI_SUCCESS);
  ASSERT_EQ(Image->Width, 800u);
  ASSERT_EQ(Image->Height, 600u);
  Picture Want = RefLine(S, 0x00FFFFFF, 0x00203040);
  ASSERT_EQ(Rows.size(), 1u);
  EXPECT_EQ(Rows[0].LineWidth, Want.Width);
  const uint32_t *Px = (const uint32_t *)Image->Image.Bitmap;
  size_t Mismatch = 0;
  for (uint32_t Y = 0; Y < 600; Y++)
    for (uint32_t X = 0; X < 800; X++) {
      uint32_t Expect = (X < Want.Width && Y < 19) ? Want.At(X, Y) : 0;
      Mismatch += Px[Y * 800 + X] != Expect;
    }
  EXPECT_EQ(Mismatch, 0u);
}

TEST_F(FontService, WrapBreaksAtEightHundredOnASpace) {
  const std::u16string S = LongText();
  for (sim::FontLayout Layout : kLayouts) {
    LayoutScope L(Layout);
    ASSERT_EQ(FontImage(S, EFI_HII_OUT_FLAG_WRAP, 0x00FFFFFF, 0), EFI_SUCCESS);
    ASSERT_EQ(Rows.size(), 2u);
    // Sixteen five-letter words and the spaces between them (95 characters) fit in
    // 800 pixels, the seventeenth would not; the space at the break goes.
    EXPECT_EQ(Rows[0].StartIndex, 0u);
    EXPECT_EQ(Rows[0].EndIndex, 94u);
    EXPECT_EQ(S[95], u' ');
    EXPECT_EQ(Rows[0].LineWidth, 95u * 8);
    EXPECT_EQ(Rows[1].StartIndex, 96u);
    EXPECT_EQ(Rows[1].EndIndex, S.size() - 1);
    EXPECT_EQ(Rows[1].LineWidth, (S.size() - 96) * 8);
    if (Layout == sim::FontLayout::Tight) {
      EXPECT_EQ(Image->Width, 95u * 8);
      EXPECT_EQ(Image->Height, 38u);
    }
  }
  // Without the flag a tight image is one row as long as the text.
  LayoutScope L(sim::FontLayout::Tight);
  ASSERT_EQ(FontImage(S, 0, 0x00FFFFFF, 0), EFI_SUCCESS);
  EXPECT_EQ(Rows.size(), 1u);
  EXPECT_EQ(Image->Width, 960u);
}

TEST_F(FontService, WordLongerThanTheRowBreaksInsideIt) {
  LayoutScope L(sim::FontLayout::Tight);
  std::u16string S(130, u'x');
  ASSERT_EQ(FontImage(S, EFI_HII_OUT_FLAG_WRAP, 1, 0), EFI_SUCCESS);
  ASSERT_EQ(Rows.size(), 2u);
  EXPECT_EQ(Rows[0].EndIndex, 99u);
  EXPECT_EQ(Rows[0].LineWidth, 800u);
  EXPECT_EQ(Rows[1].StartIndex, 100u);
}

TEST_F(FontService, LineBreaksStartRowsAndEmptyStringHasNone) {
  LayoutScope L(sim::FontLayout::Tight);
  ASSERT_EQ(FontImage(u"ab\r\ncde\n\nf", EFI_HII_OUT_FLAG_WRAP, 1, 0), EFI_SUCCESS);
  ASSERT_EQ(Rows.size(), 4u);
  EXPECT_EQ(Rows[0].LineWidth, 16u);
  EXPECT_EQ(Rows[1].LineWidth, 24u);
  EXPECT_EQ(Rows[1].StartIndex, 4u);
  EXPECT_EQ(Rows[2].LineWidth, 0u);
  EXPECT_EQ(Rows[3].StartIndex, 9u);
  EXPECT_EQ(Image->Width, 24u);
  EXPECT_EQ(Image->Height, 76u);

  ASSERT_EQ(FontImage(u"", EFI_HII_OUT_FLAG_WRAP, 1, 0), EFI_SUCCESS);
  EXPECT_TRUE(Rows.empty());
  EXPECT_EQ(Image->Width, 0u);
}

TEST_F(FontService, UnknownGlyphWarnsAndTakesANarrowBlankCell) {
  LayoutScope L(sim::FontLayout::Tight);
  ASSERT_EQ(FontImage(u"a\xd800", 0, 0x00FFFFFF, 0x00000005), EFI_WARN_UNKNOWN_GLYPH);
  EXPECT_EQ(Image->Width, 16u);
  const uint32_t *Px = (const uint32_t *)Image->Image.Bitmap;
  for (uint32_t Y = 0; Y < 19; Y++)
    for (uint32_t X = 8; X < 16; X++) ASSERT_EQ(Px[Y * 16 + X], 5u);
}

TEST_F(FontService, BadArgumentsAndFailedAllocationsLeaveNothing) {
  EFI_HII_FONT_PROTOCOL *Font = sim::FontService();
  EFI_IMAGE_OUTPUT *Out = nullptr;
  EXPECT_EQ(Font->StringToImage(Font, 0, nullptr, nullptr, &Out, 0, 0, nullptr, nullptr, nullptr),
            EFI_INVALID_PARAMETER);
  EXPECT_EQ(Font->StringToImage(Font, 0, W("a"), nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr),
            EFI_INVALID_PARAMETER);
  for (sim::FontLayout Layout : kLayouts) {
    LayoutScope L(Layout);
    for (int64_t N = 0; N < 3; N++) {
      Fw.FailAllocation(N);
      EXPECT_EQ(FontImage(u"abc", EFI_HII_OUT_FLAG_WRAP, 1, 0), EFI_OUT_OF_RESOURCES)
          << "allocation " << N;
      Fw.FailAllocation(-1);
      EXPECT_EQ(Image, nullptr);
      EXPECT_EQ(Fw.LiveAllocations(), 0u);
    }
  }
}

// ---------------------------------------------------------------- ScaleImage

TEST_F(TextScale, RefusesScalesOutsideOneToTwoAndNullRecords) {
  std::vector<ORVANE_PIXEL> Px(8 * 19);
  TextImage Src = {1, 2, 8, 19, Px.data()};
  TextImage Dst = {7, 7, 7, 7, nullptr};
  EXPECT_EQ(ScaleImage(999, &Src, &Dst), 1u);
  EXPECT_EQ(ScaleImage(2001, &Src, &Dst), 1u);
  EXPECT_EQ(ScaleImage(-1000, &Src, &Dst), 1u);
  EXPECT_EQ(ScaleImage(1000, nullptr, &Dst), 2u);
  EXPECT_EQ(ScaleImage(1000, &Src, nullptr), 2u);
  EXPECT_EQ(Dst.Width, 7u);
  EXPECT_EQ(Dst.Bitmap, nullptr);
  Fw.FailAllocation(0);
  EXPECT_EQ(ScaleImage(1500, &Src, &Dst), 3u);
  EXPECT_EQ(Dst.Bitmap, nullptr);
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
}

TEST_F(TextScale, TenByNineteenAtOneAndAHalfIsFifteenByTwentyEight) {
  std::vector<uint32_t> Px(10 * 19);
  for (uint32_t I = 0; I < Px.size(); I++) Px[I] = I;
  TextImage Src = {0xAA, 0xBB, 10, 19, (ORVANE_PIXEL *)Px.data()};
  TextImage Dst = {};
  ASSERT_EQ(ScaleImage(1500, &Src, &Dst), 0u);
  EXPECT_EQ(Dst.Width, 15u);
  EXPECT_EQ(Dst.Height, 28u);
  EXPECT_EQ(Dst.Foreground, 0xAAu);
  EXPECT_EQ(Dst.Background, 0xBBu);
  Picture Got = FromImage(Dst);
  // Destination row 1 takes source row 0 (1 x 0.666 truncates to 0).
  for (uint32_t J = 0; J < 15; J++) EXPECT_EQ(Got.At(J, 1), Got.At(J, 0));
  EXPECT_EQ(Got.At(0, 1), 0u);
  EXPECT_EQ(Got.At(0, 2), 10u);  // 2 x 0.666 = 1.332: source row 1
  // Row 27 is 27 x 0.666 = 17.98: the truncated inverse never reaches source row 18.
  EXPECT_EQ(Got.At(14, 27), Px[17 * 10 + 9]);
  EXPECT_EQ(Got.Pixels, RefScale({10, 19, Px}, 1500).Pixels);
  FreePool(Dst.Bitmap);
  EXPECT_EQ(Px[0], 0u);  // the source is left alone
}

TEST_F(TextScale, OneKeepsTheImageAndTwoDoublesIt) {
  std::vector<uint32_t> Px(9 * 19);
  for (uint32_t I = 0; I < Px.size(); I++) Px[I] = I * 2654435761u;
  TextImage Src = {0, 0, 9, 19, (ORVANE_PIXEL *)Px.data()};
  TextImage Dst = {};
  ASSERT_EQ(ScaleImage(1000, &Src, &Dst), 0u);
  EXPECT_EQ(FromImage(Dst).Pixels, Px);
  FreePool(Dst.Bitmap);
  ASSERT_EQ(ScaleImage(2000, &Src, &Dst), 0u);
  Picture Got = FromImage(Dst);
  ASSERT_EQ(Got.Width, 18u);
  ASSERT_EQ(Got.Height, 38u);
  for (uint32_t Y = 0; Y < 38; Y++)
    for (uint32_t X = 0; X < 18; X++) ASSERT_EQ(Got.At(X, Y), Px[(Y / 2) * 9 + X / 2]);
  FreePool(Dst.Bitmap);
}

TEST_F(TextScale, MatchesReferenceOnRandomImagesAndScales) {
  std::mt19937 Rng(31);
  for (int Trial = 0; Trial < 300; Trial++) {
    Picture Src;
    Src.Width = 1 + Rng() % 70;
    Src.Height = 1 + Rng() % 40;
    Src.Pixels.resize((size_t)Src.Width * Src.Height);
    for (uint32_t &C : Src.Pixels) C = Rng();
    int64_t S = Trial < 4 ? 1000 + 333 * Trial : 1000 + Rng() % 1001;
    TextImage In = {1, 2, Src.Width, Src.Height, (ORVANE_PIXEL *)Src.Pixels.data()};
    TextImage Out = {};
    ASSERT_EQ(ScaleImage(S, &In, &Out), 0u);
    Picture Want = RefScale(Src, S);
    ASSERT_EQ(Out.Width, Want.Width) << S;
    ASSERT_EQ(Out.Height, Want.Height) << S;
    ASSERT_EQ(FromImage(Out).Pixels, Want.Pixels) << Src.Width << "x" << Src.Height << " at " << S;
    FreePool(Out.Bitmap);
  }
}

// ---------------------------------------------------------------- RenderText

TEST_F(TextRender, NullRecordAnswersOneAndTouchesNoService) {
  SpyScope Spy;
  uint64_t Allocations = Fw.TotalAllocations();
  EXPECT_EQ(Ui->RenderText(1000, nullptr, W("abc")), 1u);
  EXPECT_EQ(FontSpy::Calls, 0);
  EXPECT_EQ(Fw.TotalAllocations(), Allocations);
  EXPECT_EQ(sim::Stats().BltCalls, 0u);
  EXPECT_EQ(sim::Stats().FloatCalls, 0u);
}

TEST_F(TextRender, RendersTheFontsGlyphsAndScales) {
  const std::u16string S = u"Hello, \u6587!";
  Picture Line = RefLine(S, 0x00102030, 0x00F0E0D0);
  for (sim::FontLayout Layout : kLayouts) {
    LayoutScope L(Layout);
    for (Milli Scale : {1000, 1500, 2000, 1234}) {
      UINTN Code;
      Picture Got = Render(S, Scale, 0x00102030, 0x00F0E0D0, &Code);
      ASSERT_EQ(Code, 0u);
      Picture Want = RefScale(Line, Scale);
      EXPECT_EQ(Got.Width, Want.Width);
      EXPECT_EQ(Got.Height, Want.Height);
      EXPECT_EQ(Got.Pixels, Want.Pixels) << "scale " << Scale;
    }
  }
  LayoutScope L(sim::FontLayout::ScreenSized);
  Picture Short = Render(u"abcd", 1000, 1, 0);
  EXPECT_EQ(Short.Width, 32u);  // never the screen-sized image's 800
  EXPECT_EQ(Short.Height, 19u);
  Picture Big = Render(u"abcd", 1500, 1, 0);
  EXPECT_EQ(Big.Width, 48u);
  EXPECT_EQ(Big.Height, 28u);
}

TEST_F(TextRender, AsksForTheSystemFontWithWrapAndRowInformation) {
  SpyScope Spy;
  Picture P = Render(u"Menu", 1000, 0x00ABCDEF, 0x00123456);
  ASSERT_EQ(FontSpy::Calls, 1);
  EXPECT_EQ(FontSpy::Flags, EFI_HII_OUT_FLAG_WRAP);
  ASSERT_TRUE(FontSpy::InfoPassed);
  EXPECT_EQ(ColorFromPixel(FontSpy::Info.ForegroundColor), 0x00ABCDEFu);
  EXPECT_EQ(ColorFromPixel(FontSpy::Info.BackgroundColor), 0x00123456u);
  EXPECT_EQ(FontSpy::Info.FontInfoMask, 7u);
  EXPECT_EQ(FontSpy::Info.FontInfo.FontStyle, 0u);
  EXPECT_EQ(FontSpy::Info.FontInfo.FontSize, 19u);
  EXPECT_EQ(FontSpy::Info.FontInfo.FontName[0], (CHAR16)u'S');
  EXPECT_TRUE(FontSpy::BltWasEmpty);
  EXPECT_TRUE(FontSpy::RowInfoAsked);
  EXPECT_FALSE(FontSpy::ColumnInfoAsked);
  EXPECT_EQ(FontSpy::BltX, 0u);
  EXPECT_EQ(FontSpy::BltY, 0u);
  EXPECT_EQ(FontSpy::Text, u"Menu");
  EXPECT_EQ(P.Width, 32u);
}

TEST_F(TextRender, BothFontLayoutsGiveTheSameText) {
  for (const std::u16string &S :
       {std::u16string(u"OK"), std::u16string(u"\u4e00\u4e8c x"), LongText()}) {
    Picture Tight, Screen;
    {
      LayoutScope L(sim::FontLayout::Tight);
      Tight = Render(S, 1000, 0x00FFFFFF, 0x00000080);
    }
    {
      LayoutScope L(sim::FontLayout::ScreenSized);
      Screen = Render(S, 1000, 0x00FFFFFF, 0x00000080);
    }
    EXPECT_EQ(Tight.Width, Screen.Width);
    EXPECT_EQ(Tight.Height, 19u);
    EXPECT_EQ(Tight.Pixels, Screen.Pixels);
  }
}

TEST_F(TextRender, WrappedTextKeepsOnlyTheFirstRowNineteenHigh) {
  const std::u16string S = LongText();
  for (sim::FontLayout Layout : kLayouts) {
    LayoutScope L(Layout);
    Picture P = Render(S, 1000, 0x00FFFFFF, 0);
    EXPECT_EQ(P.Width, 95u * 8);
    EXPECT_EQ(P.Height, 19u);
    EXPECT_EQ(P.Pixels, RefLine(S.substr(0, 95), 0x00FFFFFF, 0).Pixels);
    Picture Q = Render(S, 2000, 0x00FFFFFF, 0);
    EXPECT_EQ(Q.Height, 38u);
  }
}

TEST_F(TextRender, WithoutRowInformationTheImageWidthServes) {
  SpyScope Spy;
  FontSpy::DropRowInfo = true;
  LayoutScope L(sim::FontLayout::Tight);
  Picture P = Render(u"abc", 1000, 9, 0);
  EXPECT_EQ(P.Width, 24u);
  EXPECT_EQ(P.Pixels, RefLine(u"abc", 9, 0).Pixels);
}

TEST_F(TextRender, EmptyStringGivesAnEmptyFreeableBitmap) {
  for (sim::FontLayout Layout : kLayouts) {
    LayoutScope L(Layout);
    TextImage T = {1, 0, 5, 5, nullptr};
    ASSERT_EQ(Ui->RenderText(1000, &T, W("")), 0u);
    EXPECT_EQ(T.Width, 0u);
    EXPECT_EQ(T.Height, 19u);
    ASSERT_NE(T.Bitmap, nullptr);
    EXPECT_EQ(Fw.LiveAllocations(), 1u);
    FreePool(T.Bitmap);
  }
}

TEST_F(TextRender, RefusedScaleAndMissingServicesLeaveTheRecordAlone) {
  ORVANE_PIXEL Marker;
  for (Milli Scale : {999, 2001, 0}) {
    TextImage T = {1, 2, 3, 4, &Marker};
    EXPECT_EQ(Ui->RenderText(Scale, &T, W("abc")), 6u);
    EXPECT_EQ(T.Width, 3u);
    EXPECT_EQ(T.Height, 4u);
    EXPECT_EQ(T.Bitmap, &Marker);
    EXPECT_EQ(Fw.LiveAllocations(), 0u);
  }
  TextImage T = {1, 2, 3, 4, &Marker};
  EXPECT_EQ(Ui->RenderText(1000, &T, nullptr), 4u);
  {
    MissingService<EFI_HII_FONT_PROTOCOL> NoFont(Fw, gFont, gHiiFontProtocolGuid);
    EXPECT_EQ(Ui->RenderText(1000, &T, W("abc")), 4u);
  }
  {
    SpyScope Spy;
    FontSpy::Fail = EFI_DEVICE_ERROR;
    EXPECT_EQ(Ui->RenderText(1000, &T, W("abc")), 4u);
  }
  EXPECT_EQ(T.Bitmap, &Marker);
  EXPECT_EQ(T.Width, 3u);
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
}

TEST_F(TextRender, EveryFailedAllocationAnswersAndLeavesNothing) {
  for (sim::FontLayout Layout : kLayouts) {
    LayoutScope L(Layout);
    uint64_t Before = Fw.TotalAllocations();
    Picture P = Render(u"Fail me", 1500, 1, 2);
    int64_t Count = (int64_t)(Fw.TotalAllocations() - Before);
    ASSERT_EQ(Count, 5);  // string copy, image record, bitmap, row information, scaled bitmap
    for (int64_t N = 0; N < Count; N++) {
      ORVANE_PIXEL Marker;
      TextImage T = {1, 2, 3, 4, &Marker};
      Fw.FailAllocation(N);
      UINTN Code = Ui->RenderText(1500, &T, W("Fail me"));
      Fw.FailAllocation(-1);
      EXPECT_EQ(Code, N == Count - 1 ? 6u : 4u) << "allocation " << N;
      EXPECT_EQ(T.Bitmap, &Marker);
      EXPECT_EQ(T.Width, 3u);
      EXPECT_EQ(Fw.LiveAllocations(), 0u) << "allocation " << N;
    }
  }
}

// ---------------------------------------------------------------- DrawText

TEST_F(TextDraw, OpaqueTextIsOneTransferOfTheFormattedText) {
  std::mt19937 Rng(7);
  for (sim::FontLayout Layout : kLayouts) {
    LayoutScope L(Layout);
    std::vector<uint32_t> Start = Noise(Rng);
    SetScreen(Start);
    ORVANE_PIXEL Back = PixelFromColor(0x00336699);
    sim::ResetStats();
    ASSERT_EQ(Ui->DrawText(0x00FFEE00, &Back, 1500, 100, 200, W("%d items in %s"), 42, W("box")),
              0u);
    EXPECT_EQ(sim::Stats().BltCalls, 1u);
    EXPECT_EQ(sim::Stats().BltByOperation[EfiBltBufferToVideo], 1u);
    Picture Want = RefScale(RefLine(u"42 items in box", 0x00FFEE00, 0x00336699), 1500);
    EXPECT_EQ(Fw.Snapshot(), Placed(Start, Want, 100, 200));
  }
}

// Opaque text goes in one transfer; text running past the mode (or wholly
// off it) is refused like such a transfer: code 5, nothing shown. Transparent
// text at the same place shows its glyph pixels that lie on the screen.
TEST_F(TextDraw, OpaqueTextThatDoesNotFitShowsNothingAndAnswers5) {
  std::mt19937 Rng(8);
  const std::vector<uint32_t> Start = Noise(Rng);
  ORVANE_PIXEL Back = PixelFromColor(0x00000040);
  const Picture Edge = RefScale(RefLine(u"Edge", 0x00FFFFFF, 0x00000040), 2000);
  const UINT16 FitX = (UINT16)(1024 - Edge.Width), FitY = (UINT16)(768 - Edge.Height);
  const UINT16 Places[][2] = {
      {(UINT16)(FitX + 1), 10}, {10, (UINT16)(FitY + 1)}, {1000, 760}, {5000, 10}};
  for (auto &P : Places) {
    SetScreen(Start);
    sim::ResetStats();
    EXPECT_EQ(Ui->DrawText(0x00FFFFFF, &Back, 2000, P[0], P[1], W("Edge")), 5u)
        << P[0] << "," << P[1];
    EXPECT_EQ(sim::Stats().BltCalls, 0u);
    EXPECT_EQ(Fw.Snapshot(), Start);
  }
  // Touching the right and bottom edges still fits.
  SetScreen(Start);
  ASSERT_EQ(Ui->DrawText(0x00FFFFFF, &Back, 2000, FitX, FitY, W("Edge")), 0u);
  EXPECT_EQ(Fw.Snapshot(), Placed(Start, Edge, FitX, FitY));
  // Transparent text is clipped instead.
  SetScreen(Start);
  ASSERT_EQ(Ui->DrawText(0x00FFFFFF, nullptr, 2000, 1000, 750, W("Edge")), 0u);
  const std::vector<uint32_t> Now = Fw.Snapshot();
  const Picture Mask = RefScale(RefLine(u"Edge", 0x00FFFFFF, 0), 2000);
  size_t Drawn = 0;
  for (uint32_t Y = 750; Y < 768; Y++)
    for (uint32_t X = 1000; X < 1024; X++) {
      const bool Glyph = Mask.At(X - 1000, Y - 750) == 0x00FFFFFF;
      EXPECT_EQ(Now[Y * 1024 + X], Glyph ? 0x00FFFFFFu : Start[Y * 1024 + X]) << X << "," << Y;
      Drawn += Glyph;
    }
  EXPECT_GT(Drawn, 0u);
}

TEST_F(TextDraw, TransparentTextLeavesTheBackgroundBetweenGlyphsUntouched) {
  std::mt19937 Rng(9);
  std::vector<uint32_t> Start = Noise(Rng);
  SetScreen(Start);
  ASSERT_EQ(Ui->DrawText(0x00FFFFFF, nullptr, 1000, 40, 50, W("H i")), 0u);
  Picture Mask = RefLine(u"H i", 0x00FFFFFF, 0);
  std::vector<uint32_t> Now = Fw.Snapshot();
  size_t Drawn = 0;
  for (uint32_t Y = 0; Y < Fw.Height(); Y++)
    for (uint32_t X = 0; X < Fw.Width(); X++) {
      size_t I = (size_t)Y * Fw.Width() + X;
      bool Glyph = X >= 40 && X < 40 + Mask.Width && Y >= 50 && Y < 69 &&
                   Mask.At(X - 40, Y - 50) == 0x00FFFFFF;
      ASSERT_EQ(Now[I], Glyph ? 0x00FFFFFFu : Start[I]) << X << "," << Y;
      Drawn += Glyph;
    }
  EXPECT_GT(Drawn, 20u);
}

TEST_F(TextDraw, TransparentTextMatchesOneTransferPerPixel) {
  std::mt19937 Rng(44);
  uint64_t PerPixel = 0, PerRun = 0;
  EFI_GRAPHICS_OUTPUT_PROTOCOL *Gop = Fw.Gop();
  for (int Trial = 0; Trial < 40; Trial++) {
    LayoutScope L(Trial % 2 ? sim::FontLayout::Tight : sim::FontLayout::ScreenSized);
    std::u16string S = RandomText(Rng);
    Milli Scale = Trial < 3 ? 1000 + 500 * Trial : 1000 + Rng() % 1001;
    uint32_t Fg = Trial % 5 == 0 ? 0 : (Rng() & (Trial % 7 == 0 ? 0xFFFFFFFF : 0x00FFFFFF));
    UINT16 X = (UINT16)(Trial % 4 == 0 ? Fw.Width() - 1 - Rng() % 60 : Rng() % Fw.Width());
    UINT16 Y = (UINT16)(Trial % 3 == 0 ? Fw.Height() - 1 - Rng() % 30 : Rng() % Fw.Height());
    std::vector<uint32_t> Start = Noise(Rng);

    SetScreen(Start);
    sim::ResetStats();
    ASSERT_EQ(Ui->DrawText(Fg, nullptr, Scale, X, Y, W("%s"), Str(S)), 0u);
    PerRun += sim::Stats().BltCalls;
    std::vector<uint32_t> Got = Fw.Snapshot();

    // The reference: every foreground pixel on its own, off-screen ones skipped.
    Picture T = Render(S, Scale, Fg, Fg == 0 ? 1 : 0);
    SetScreen(Start);
    sim::ResetStats();
    for (uint32_t R = 0; R < T.Height; R++)
      for (uint32_t U = 0; U < T.Width; U++)
        if (T.At(U, R) == Fg && X + U < Fw.Width() && Y + R < Fw.Height())
          Gop->Blt(Gop, (ORVANE_PIXEL *)T.Pixels.data(), EfiBltBufferToVideo, U, R, X + U, Y + R, 1,
                   1, T.Width * 4);
    PerPixel += sim::Stats().BltCalls;
    ASSERT_EQ(Got, Fw.Snapshot()) << "trial " << Trial;
  }
  EXPECT_LT(PerRun * 2, PerPixel);
  std::printf("[ transparent text, 40 draws ] Blt calls: %llu one per pixel, %llu one per run\n",
              (unsigned long long)PerPixel, (unsigned long long)PerRun);
}

TEST_F(TextDraw, BlackTextWithoutBackgroundUsesTheSubstituteAndDrawsOnlyGlyphs) {
  SpyScope Spy;
  Fw.FillScreen(0x00FFFFFF);
  ASSERT_EQ(Ui->DrawText(0x00000000, nullptr, 1000, 10, 10, W("Black")), 0u);
  ASSERT_EQ(FontSpy::Calls, 1);
  EXPECT_EQ(ColorFromPixel(FontSpy::Info.BackgroundColor), 0x00000001u);
  EXPECT_EQ(ColorFromPixel(FontSpy::Info.ForegroundColor), 0x00000000u);
  Picture Mask = RefLine(u"Black", 0, 1);
  std::vector<uint32_t> Now = Fw.Snapshot();
  for (uint32_t Y = 0; Y < Fw.Height(); Y++)
    for (uint32_t X = 0; X < Fw.Width(); X++) {
      bool Glyph =
          X >= 10 && X < 10 + Mask.Width && Y >= 10 && Y < 29 && Mask.At(X - 10, Y - 10) == 0;
      ASSERT_EQ(Now[(size_t)Y * Fw.Width() + X], Glyph ? 0u : 0x00FFFFFFu) << X << "," << Y;
    }
  // Any other foreground keeps the black substitute.
  ASSERT_EQ(Ui->DrawText(0x00000002, nullptr, 1000, 10, 40, W("x")), 0u);
  EXPECT_EQ(ColorFromPixel(FontSpy::Info.BackgroundColor), 0x00000000u);
}

TEST_F(TextDraw, AsksForTheSystemFontWithoutSizeOrName) {
  SpyScope Spy;
  ORVANE_PIXEL Back = PixelFromColor(0x00010203);
  ASSERT_EQ(Ui->DrawText(0x00A0B0C0, &Back, 1000, 0, 0, W("n=%d"), 7), 0u);
  EXPECT_EQ(FontSpy::Flags, EFI_HII_OUT_FLAG_WRAP);
  EXPECT_EQ(FontSpy::Info.FontInfoMask, 7u);
  EXPECT_EQ(FontSpy::Info.FontInfo.FontSize, 0u);
  EXPECT_EQ(FontSpy::Info.FontInfo.FontName[0], 0u);
  EXPECT_EQ(ColorFromPixel(FontSpy::Info.ForegroundColor), 0x00A0B0C0u);
  EXPECT_EQ(ColorFromPixel(FontSpy::Info.BackgroundColor), 0x00010203u);
  EXPECT_TRUE(FontSpy::RowInfoAsked);
  EXPECT_EQ(FontSpy::Text, u"n=7");
}

TEST_F(TextDraw, WrappedTextDrawsOnlyItsFirstRow) {
  LayoutScope L(sim::FontLayout::ScreenSized);
  std::mt19937 Rng(10);
  std::vector<uint32_t> Start = Noise(Rng);
  SetScreen(Start);
  ORVANE_PIXEL Back = PixelFromColor(0x00000080);
  ASSERT_EQ(Ui->DrawText(0x00FFFFFF, &Back, 1000, 0, 100, W("%s"), Str(LongText())), 0u);
  EXPECT_EQ(Fw.Snapshot(),
            Placed(Start, RefLine(LongText().substr(0, 95), 0x00FFFFFF, 0x00000080), 0, 100));
}

TEST_F(TextDraw, RefusedScaleDrawsNothing) {
  ORVANE_PIXEL Back = PixelFromColor(0x00000080);
  for (Milli Scale : {999, 2001}) {
    EXPECT_EQ(Ui->DrawText(0x00FFFFFF, &Back, Scale, 0, 0, W("abc")), 6u);
    EXPECT_EQ(Ui->DrawText(0x00FFFFFF, nullptr, Scale, 0, 0, W("abc")), 6u);
  }
  EXPECT_EQ(sim::Stats().BltCalls, 0u);
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
}

TEST_F(TextDraw, MissingServicesAnswerFour) {
  ORVANE_PIXEL Back = PixelFromColor(0x00000080);
  {
    MissingService<EFI_HII_FONT_PROTOCOL> S(Fw, gFont, gHiiFontProtocolGuid);
    EXPECT_EQ(Ui->DrawText(1, &Back, 1000, 0, 0, W("a")), 4u);
  }
  {
    MissingService<EFI_GRAPHICS_OUTPUT_PROTOCOL> S(Fw, gGraphics, gEfiGraphicsOutputProtocolGuid);
    EXPECT_EQ(Ui->DrawText(1, &Back, 1000, 0, 0, W("a")), 4u);
  }
  {
    ServiceScope<EFI_PRINT_PROTOCOL> S(gPrint, nullptr);
    EXPECT_EQ(Ui->DrawText(1, &Back, 1000, 0, 0, W("a")), 4u);
  }
  {
    ServiceScope<EFI_BOOT_SERVICES> S(gBootServices, nullptr);
    EXPECT_EQ(Ui->DrawText(1, &Back, 1000, 0, 0, W("a")), 4u);
  }
  EXPECT_EQ(Ui->DrawText(1, &Back, 1000, 0, 0, nullptr), 4u);
  {
    SpyScope Spy;
    FontSpy::Fail = EFI_OUT_OF_RESOURCES;
    EXPECT_EQ(Ui->DrawText(1, &Back, 1000, 0, 0, W("a")), 4u);
  }
  EXPECT_EQ(sim::Stats().BltCalls, 0u);
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
}

TEST_F(TextDraw, FailedScreenTransferAnswersFiveForOpaqueTextOnly) {
  EFI_GRAPHICS_OUTPUT_PROTOCOL Broken = *Fw.Gop();
  Broken.Blt = FailingBlt;
  ServiceScope<EFI_GRAPHICS_OUTPUT_PROTOCOL> S(gGraphics, &Broken);
  ORVANE_PIXEL Back = PixelFromColor(0x00000080);
  EXPECT_EQ(Ui->DrawText(0x00FFFFFF, &Back, 1000, 0, 0, W("abc")), 5u);
  EXPECT_EQ(Ui->DrawText(0x00FFFFFF, nullptr, 1000, 0, 0, W("abc")), 0u);
  EXPECT_GT(sim::Stats().BltCalls, 2u);
  EXPECT_EQ(Fw.LiveAllocations(), 0u);
}

TEST_F(TextDraw, EveryFailedAllocationDrawsNothingAndLeavesNothing) {
  ORVANE_PIXEL Back = PixelFromColor(0x00000080);
  for (sim::FontLayout Layout : kLayouts) {
    LayoutScope L(Layout);
    for (ORVANE_PIXEL *Background : {&Back, (ORVANE_PIXEL *)nullptr}) {
      uint64_t Before = Fw.TotalAllocations();
      ASSERT_EQ(Ui->DrawText(0x00FFFFFF, Background, 2000, 5, 5, W("Out of %s"), W("pool")), 0u);
      int64_t Count = (int64_t)(Fw.TotalAllocations() - Before);
      // Text buffer, image record, bitmap, row information, scaled bitmap; transparent
      // text then composes in a copy of the screen under it.
      ASSERT_EQ(Count, Background ? 5 : 6);
      if (!Background) {
        // Without the copy the runs go one by one, and the screen ends the same.
        Fw.FillScreen(0x00123456);
        ASSERT_EQ(Ui->DrawText(0x00FFFFFF, Background, 2000, 5, 5, W("Out of %s"), W("pool")), 0u);
        const std::vector<uint32_t> Drawn = Fw.Snapshot();
        Fw.FillScreen(0x00123456);
        sim::ResetStats();
        Fw.FailAllocation(5);
        EXPECT_EQ(Ui->DrawText(0x00FFFFFF, Background, 2000, 5, 5, W("Out of %s"), W("pool")), 0u);
        Fw.FailAllocation(-1);
        EXPECT_EQ(Fw.Snapshot(), Drawn);
        EXPECT_GT(sim::Stats().BltCalls, 2u);
        Count = 5;
      }
      for (int64_t N = 0; N < Count; N++) {
        Fw.FillScreen(0x00123456);
        sim::ResetStats();
        Fw.FailAllocation(N);
        UINTN Code = Ui->DrawText(0x00FFFFFF, Background, 2000, 5, 5, W("Out of %s"), W("pool"));
        Fw.FailAllocation(-1);
        EXPECT_EQ(Code, N == Count - 1 ? 6u : 4u) << "allocation " << N;
        EXPECT_EQ(sim::Stats().BltCalls, 0u);
        EXPECT_EQ(Fw.Pixel(10, 10), 0x00123456u);
        EXPECT_EQ(Fw.LiveAllocations(), 0u) << "allocation " << N;
      }
    }
  }
}

TEST_F(TextDraw, LongFormattedTextIsCutToTheBuffer) {
  // 8192 bytes hold 4095 characters and the terminator; the first row still renders.
  std::u16string Long(6000, u'm');
  LayoutScope L(sim::FontLayout::Tight);
  SpyScope Spy;
  Fw.FillScreen(0x00777777);
  ORVANE_PIXEL Back = PixelFromColor(0);
  ASSERT_EQ(Ui->DrawText(0x00FFFFFF, &Back, 1000, 0, 0, W("%s"), Str(Long)), 0u);
  EXPECT_EQ(FontSpy::Text.size(), 4095u);
  EXPECT_EQ(Fw.Pixel(799, 0), 0u);           // the first row reaches 800 pixels
  EXPECT_EQ(Fw.Pixel(800, 0), 0x00777777u);  // and stops there
  EXPECT_EQ(Fw.Pixel(0, 19), 0x00777777u);   // one row only
}

// Empty text still goes to the graphics service as one opaque transfer of
// width 0, which the service refuses: code 5 and nothing shown. Transparent
// empty text has no glyph pixel to send.
TEST_F(TextDraw, EmptyOpaqueTextIsOfferedToTheServiceWhichRefusesIt) {
  ORVANE_PIXEL Back = PixelFromColor(0x00000080);
  for (sim::FontLayout Layout : kLayouts) {
    LayoutScope L(Layout);
    Fw.FillScreen(0x00123456);
    const std::vector<uint32_t> Start = Fw.Snapshot();
    sim::ResetStats();
    EXPECT_EQ(Ui->DrawText(0x00FFFFFF, &Back, 1500, 10, 10, W("")), 5u);
    EXPECT_EQ(sim::Stats().BltCalls, 1u);
    EXPECT_EQ(sim::Stats().BltByOperation[EfiBltBufferToVideo], 1u);
    sim::ResetStats();
    EXPECT_EQ(Ui->DrawText(0x00FFFFFF, nullptr, 1500, 10, 10, W("")), 0u);
    EXPECT_EQ(sim::Stats().BltCalls, 0u);
    EXPECT_EQ(Fw.Snapshot(), Start);
    EXPECT_EQ(Fw.LiveAllocations(), 0u);
  }
}
