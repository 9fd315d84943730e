// The cursor-image decoder against the literal version on random files of
// every depth, the composition rules, its refusals, and the embedded pictures.
#include <cstring>
#include <random>
#include <vector>

#include "controls/popup/cursor_image.h"
#include "controls/popup/images/pictures.h"
#include "platform/services.h"
#include "tests/cursor_image_reference.h"
#include "tests/fixture.h"

namespace {

typedef EFI_GRAPHICS_OUTPUT_BLT_PIXEL Pixel;
constexpr uint32_t kGuard = 0xA5C3E1F7;

uint32_t Color(const Pixel &P) {
  uint32_t V;
  std::memcpy(&V, &P, 4);
  return V;
}

size_t MaskRowBytes(uint32_t W) { return (W / 8 + 3) / 4 * 4; }
size_t ColorBytes(uint32_t W, uint32_t H, uint16_t Bits) { return (size_t)W * H * Bits / 8; }
size_t PaletteBytes(uint16_t Bits) { return Bits <= 8 ? 4u << Bits : 0; }

std::vector<uint8_t> RandomBytes(std::mt19937 &Rng, size_t N) {
  std::vector<uint8_t> V(N);
  for (uint8_t &B : V) B = (uint8_t)Rng();
  return V;
}

// A random well-formed file; its padding bytes are random too.
std::vector<uint8_t> RandomCursor(std::mt19937 &Rng, uint32_t W, uint32_t H, uint16_t Bits,
                                  uint32_t Offset = 22) {
  return ref::MakeCursor(W, H, Bits, RandomBytes(Rng, PaletteBytes(Bits)),
                         RandomBytes(Rng, ColorBytes(W, H, Bits)),
                         RandomBytes(Rng, MaskRowBytes(W) * H), Offset);
}

// A buffer of N pixels between two guard zones.
struct Guarded {
  static constexpr size_t kMargin = 64;
  std::vector<uint32_t> All;
  explicit Guarded(size_t N, uint32_t Fill = 0) : All(N + 2 * kMargin, kGuard) {
    for (size_t I = 0; I < N; I++) All[kMargin + I] = Fill;
  }
  Pixel *Pixels() { return reinterpret_cast<Pixel *>(All.data() + kMargin); }
  bool GuardsIntact() const {
    for (size_t I = 0; I < kMargin; I++)
      if (All[I] != kGuard || All[All.size() - 1 - I] != kGuard) return false;
    return true;
  }
};

CursorImage View(const std::vector<uint8_t> &File) { return {File.data(), (UINT32)File.size()}; }

EFI_STATUS Decode(const std::vector<uint8_t> &File, Pixel *&Out, uint8_t Overlay, uint64_t W,
                  uint64_t H) {
  CursorImage Image = View(File);
  return DecodeCursorImage(&Image, W, H, &Out, Overlay);
}

using CursorDecoder = DriverTest;

}  // namespace

TEST_F(CursorDecoder, MatchesTheLiteralDecoderOnRandomFiles) {
  std::mt19937 Rng(12);
  const uint16_t Depths[] = {1, 4, 8, 24, 32};
  for (int Round = 0; Round < 400; Round++) {
    const uint32_t W = 8 * (1 + Rng() % 31), H = 1 + Rng() % 255;
    const uint16_t Bits = Depths[Rng() % 5];
    const uint32_t Offset = Round % 4 == 0 ? 22 + Rng() % 300 : 22;
    std::vector<uint8_t> File = RandomCursor(Rng, W, H, Bits, Offset);
    SCOPED_TRACE(testing::Message()
                 << W << "x" << H << " at " << Bits << " bits, offset " << Offset);

    // Over a random background, in a guarded buffer.
    std::vector<uint32_t> Background(W * H);
    for (uint32_t &V : Background) V = Rng();
    Guarded Got(W * H);
    std::memcpy(Got.Pixels(), Background.data(), W * H * 4);
    std::vector<uint32_t> Want = Background;
    ref::DecodeCursorOver(File, reinterpret_cast<Pixel *>(Want.data()));
    Pixel *Out = Got.Pixels();
    ASSERT_EQ(Decode(File, Out, 1, W, H), EFI_SUCCESS);
    EXPECT_EQ(Out, Got.Pixels());
    ASSERT_TRUE(Got.GuardsIntact());
    ASSERT_EQ(0, std::memcmp(Got.Pixels(), Want.data(), W * H * 4));

    // Into a new buffer: the same composition over whatever the pool held.
    Pixel *New = nullptr;
    const size_t Before = Fw.LiveAllocations();
    ASSERT_EQ(Decode(File, New, 0, W, H), EFI_SUCCESS);
    ASSERT_NE(New, nullptr);
    EXPECT_EQ(Fw.LiveAllocations(), Before + 1);
    // Re-decoding over a copy of the result undoes the colour where the mask
    // kept the pixel; where the mask cleared it the colour is exact either way.
    std::vector<uint32_t> Again(W * H, 0);
    ref::DecodeCursorOver(File, reinterpret_cast<Pixel *>(Again.data()));
    std::vector<uint8_t> Mask(File.end() - MaskRowBytes(W) * H, File.end());
    for (uint32_t Y = 0; Y < H; Y++) {
      for (uint32_t X = 0; X < W; X++) {
        const uint8_t M = Mask[(H - 1 - Y) * MaskRowBytes(W) + X / 8];
        if (((M >> (7 - X % 8)) & 1) == 0) {
          ASSERT_EQ(Color(New[Y * W + X]) & 0xFFFFFF, Again[Y * W + X] & 0xFFFFFF) << X << "," << Y;
        }
      }
    }
    gBootServices->FreePool(New);
  }
}

TEST_F(CursorDecoder, CompositionRules) {
  std::mt19937 Rng(3);
  const uint32_t W = 16, H = 5;
  std::vector<uint32_t> Background(W * H);
  for (uint32_t &V : Background) V = Rng();

  // All-ones mask and black colours: the background comes out unchanged, reserved bytes too.
  {
    auto File = ref::MakeCursor(W, H, 32, {}, std::vector<uint8_t>(W * H * 4, 0),
                                std::vector<uint8_t>(4 * H, 0xFF));
    std::vector<uint32_t> Got = Background;
    Pixel *Out = reinterpret_cast<Pixel *>(Got.data());
    ASSERT_EQ(Decode(File, Out, 1, W, H), EFI_SUCCESS);
    EXPECT_EQ(Got, Background);
  }
  // All-zeros mask: every pixel is the stored colour, whatever lay under it; the
  // reserved byte keeps the background's.
  {
    auto Colors = RandomBytes(Rng, W * H * 3);
    auto File = ref::MakeCursor(W, H, 24, {}, Colors, std::vector<uint8_t>(4 * H, 0));
    for (uint32_t Fill : {0x00000000u, 0xFFFFFFFFu, 0x12345678u}) {
      std::vector<uint32_t> Got(W * H, Fill);
      Pixel *Out = reinterpret_cast<Pixel *>(Got.data());
      ASSERT_EQ(Decode(File, Out, 1, W, H), EFI_SUCCESS);
      for (uint32_t Y = 0; Y < H; Y++)
        for (uint32_t X = 0; X < W; X++) {
          const uint8_t *C = &Colors[((H - 1 - Y) * W + X) * 3];
          EXPECT_EQ(Got[Y * W + X], (Fill & 0xFF000000) | C[0] | (C[1] << 8) | (C[2] << 16));
        }
    }
  }
  // Alpha is ignored: varying alpha bytes decode as all 255.
  {
    auto Colors = RandomBytes(Rng, W * H * 4), Mask = RandomBytes(Rng, 4 * H);
    auto Opaque = Colors;
    for (size_t I = 3; I < Opaque.size(); I += 4) Opaque[I] = 255;
    std::vector<uint32_t> A = Background, B = Background;
    Pixel *PA = reinterpret_cast<Pixel *>(A.data()), *PB = reinterpret_cast<Pixel *>(B.data());
    ASSERT_EQ(Decode(ref::MakeCursor(W, H, 32, {}, Colors, Mask), PA, 1, W, H), EFI_SUCCESS);
    ASSERT_EQ(Decode(ref::MakeCursor(W, H, 32, {}, Opaque, Mask), PB, 1, W, H), EFI_SUCCESS);
    EXPECT_EQ(A, B);
  }
  // The first stored row is the bottom row: red there, blue above.
  {
    std::vector<uint8_t> Colors;
    for (uint32_t I = 0; I < W * H; I++) {
      bool First = I < W;
      Colors.insert(Colors.end(), {(uint8_t)(First ? 0 : 255), 0, (uint8_t)(First ? 255 : 0)});
    }
    std::vector<uint32_t> Got(W * H, 0);
    Pixel *Out = reinterpret_cast<Pixel *>(Got.data());
    ASSERT_EQ(
        Decode(ref::MakeCursor(W, H, 24, {}, Colors, std::vector<uint8_t>(4 * H, 0)), Out, 1, W, H),
        EFI_SUCCESS);
    for (uint32_t Y = 0; Y < H; Y++)
      for (uint32_t X = 0; X < W; X++)
        EXPECT_EQ(Got[Y * W + X], Y == H - 1 ? 0xFF0000u : 0x0000FFu);
  }
}

TEST_F(CursorDecoder, MaskRowsArePaddedToFourBytes) {
  // Widths 8, 40 and 48 use 1, 5 and 6 mask bytes of 4, 8 and 8. Row R's mask
  // clears only column R, and the padding bytes are zeros, which would clear
  // whole rows if they were read as mask bits.
  for (uint32_t W : {8u, 40u, 48u}) {
    const uint32_t H = 6;
    const size_t Row = MaskRowBytes(W);
    EXPECT_EQ(Row, W == 8 ? 4u : 8u);
    std::vector<uint8_t> Mask(Row * H, 0);
    for (uint32_t R = 0; R < H; R++) {
      for (uint32_t B = 0; B < W / 8; B++) Mask[R * Row + B] = 0xFF;
      Mask[R * Row + R / 8] &= (uint8_t) ~(0x80 >> (R % 8));
    }
    auto File = ref::MakeCursor(W, H, 24, {}, std::vector<uint8_t>(W * H * 3, 0), Mask);
    std::vector<uint32_t> Got(W * H, 0x00777777);
    Pixel *Out = reinterpret_cast<Pixel *>(Got.data());
    ASSERT_EQ(Decode(File, Out, 1, W, H), EFI_SUCCESS);
    for (uint32_t Y = 0; Y < H; Y++)
      for (uint32_t X = 0; X < W; X++)
        EXPECT_EQ(Got[Y * W + X], X == H - 1 - Y ? 0u : 0x00777777u) << W << ": " << X << "," << Y;
  }
}

TEST_F(CursorDecoder, RefusesBadFilesAndArgumentsWithoutTouchingAnything) {
  std::mt19937 Rng(5);
  auto Good = RandomCursor(Rng, 16, 4, 8);
  Pixel *const Sentinel = reinterpret_cast<Pixel *>(0x1000);
  auto ExpectImage = [&](CursorImage Image, uint64_t W, uint64_t H, EFI_STATUS Want) {
    Pixel *Out = Sentinel;
    const uint64_t Allocated = Fw.TotalAllocations();
    EXPECT_EQ(DecodeCursorImage(&Image, W, H, &Out, 0), Want);
    EXPECT_EQ(Out, Sentinel);
    EXPECT_EQ(Fw.TotalAllocations(), Allocated);
  };
  auto Expect = [&](const std::vector<uint8_t> &File, uint64_t W, uint64_t H, EFI_STATUS Want) {
    ExpectImage(View(File), W, H, Want);
  };
  // Every truncation of a good file, and files whose offset points past the end.
  for (size_t N = 0; N < Good.size(); N++) {
    SCOPED_TRACE(N);
    ExpectImage({Good.data(), (UINT32)N}, 16, 4, EFI_BAD_BUFFER_SIZE);
  }
  for (uint32_t Offset : {23u, 4000u, 0xFFFFFFFFu, 0xFFFFFBF0u}) {
    auto File = Good;
    std::memcpy(&File[18], &Offset, 4);
    Expect(File, 16, 4, EFI_BAD_BUFFER_SIZE);
  }
  // Depths and widths the decoder does not take.
  for (uint16_t Bits : {0, 2, 3, 5, 15, 16, 33, 0xFFFF}) {
    auto File = Good;
    std::memcpy(&File[36], &Bits, 2);
    Expect(File, 16, 4, EFI_UNSUPPORTED);
  }
  for (uint32_t W : {1u, 7u, 12u, 255u}) Expect(RandomCursor(Rng, W, 3, 24), W, 3, EFI_UNSUPPORTED);
  Expect(RandomCursor(Rng, 0, 3, 24), 16, 3, EFI_UNSUPPORTED);
  Expect(RandomCursor(Rng, 8, 0, 24), 8, 3, EFI_UNSUPPORTED);
  // A buffer too small for the picture, sizes that cannot be a buffer, NULL pointers.
  Expect(Good, 16, 3, EFI_BUFFER_TOO_SMALL);
  Expect(Good, 4, 4, EFI_BUFFER_TOO_SMALL);
  Expect(Good, 0x10000, 1, EFI_INVALID_PARAMETER);
  Expect(Good, 1, 0x100000000ull, EFI_INVALID_PARAMETER);
  CursorImage Image = View(Good), NoBytes = {nullptr, 100};
  Pixel *Out = nullptr;
  EXPECT_EQ(DecodeCursorImage(nullptr, 16, 4, &Out, 0), EFI_INVALID_PARAMETER);
  EXPECT_EQ(DecodeCursorImage(&NoBytes, 16, 4, &Out, 0), EFI_INVALID_PARAMETER);
  EXPECT_EQ(DecodeCursorImage(&Image, 16, 4, nullptr, 0), EFI_INVALID_PARAMETER);
  EXPECT_EQ(DecodeCursorImage(&Image, 16, 4, &Out, 1),
            EFI_INVALID_PARAMETER);  // overlay on nothing
}

TEST_F(CursorDecoder, ReportsAFailedAllocation) {
  std::mt19937 Rng(8);
  auto File = RandomCursor(Rng, 40, 41, 32);
  Pixel *const Sentinel = reinterpret_cast<Pixel *>(0x2000);
  Pixel *Out = Sentinel;
  Fw.FailAllocation(0);
  EXPECT_EQ(Decode(File, Out, 0, 40, 41), EFI_OUT_OF_RESOURCES);
  EXPECT_EQ(Out, Sentinel);
}

// ---------------------------------------------------------------- embedded pictures

namespace {

uint32_t Level(const std::vector<uint32_t> &P, uint32_t W, uint32_t X, uint32_t Y) {
  return P[Y * W + X] & 0xFF;
}

// Decodes an embedded picture over a background (overlay), checking its size and depth.
std::vector<uint32_t> DecodeEmbedded(const CursorImage &Image, uint32_t W, uint32_t H,
                                     uint16_t Bits, uint32_t Background) {
  EXPECT_GE(Image.Size, 38u);
  EXPECT_EQ(Image.Bytes[6], W);
  EXPECT_EQ(Image.Bytes[7], H);
  EXPECT_EQ(Image.Bytes[36] | (Image.Bytes[37] << 8), Bits);
  uint32_t Offset;
  std::memcpy(&Offset, Image.Bytes + 18, 4);
  EXPECT_EQ(Offset, 22u);
  EXPECT_EQ(Image.Size, 22 + 40 + ColorBytes(W, H, Bits) + MaskRowBytes(W) * H);
  std::vector<uint32_t> Out(W * H, Background);
  Pixel *P = reinterpret_cast<Pixel *>(Out.data());
  EXPECT_EQ(DecodeCursorImage(&Image, W, H, &P, 1), EFI_SUCCESS);
  return Out;
}

// Opaque pictures look the same over any background.
std::vector<uint32_t> DecodeOpaque(const CursorImage &Image, uint32_t W, uint32_t H,
                                   uint16_t Bits) {
  auto Black = DecodeEmbedded(Image, W, H, Bits, 0);
  auto White = DecodeEmbedded(Image, W, H, Bits, 0xFFFFFF);
  EXPECT_EQ(Black, White) << "an opaque picture lets the background through";
  return Black;
}

}  // namespace

TEST_F(CursorDecoder, RowPiecesHaveTheirShades) {
  // Middle-tile levels, top row first, per set.
  auto Tile = [](uint32_t Set, uint32_t R) -> int {
    switch (Set) {
      case kRowSetNormal: return R == 0 ? 0x96 : R == 44 ? 0x6D : -1;
      case kRowSetPressed:
        return R == 0    ? 0xCA
               : R == 1  ? 0xBF
               : R == 26 ? 0x6A
               : R == 43 ? 0xA4
               : R == 44 ? 0x89
                         : -1;
      case kRowSetFocused:
        return R == 0    ? 0xD1
               : R == 1  ? 0xC6
               : R == 26 ? 0x7D
               : R == 43 ? 0xB0
               : R == 44 ? 0x94
                         : -1;
      default:
        return R == 0                 ? 0x56
               : R == 1               ? 0x57
               : (R >= 12 && R <= 42) ? 0x64
               : R == 43              ? 0x63
               : R == 44              ? 0x62
                                      : -1;
    }
  };
  for (uint32_t Set = 0; Set < 4; Set++) {
    SCOPED_TRACE(Set);
    auto Left = DecodeOpaque(gRowPieces[3 * Set + kRowPieceLeft], 8, 45, 24);
    auto Middle = DecodeOpaque(gRowPieces[3 * Set + kRowPieceMiddle], 8, 45, 24);
    auto Right = DecodeOpaque(gRowPieces[3 * Set + kRowPieceRight], 8, 45, 24);
    for (uint32_t R = 0; R < 45; R++) {
      const uint32_t Shade = Level(Middle, 8, 0, R);
      for (uint32_t X = 0; X < 8; X++) {
        EXPECT_EQ(Middle[R * 8 + X], Shade * 0x010101u) << "tile rows are uniform greys";
        EXPECT_EQ(Left[R * 8 + X], Right[R * 8 + 7 - X]) << "the right cap mirrors the left";
        EXPECT_EQ(Left[R * 8 + X] % 0x010101u, 0u) << "grey";
        EXPECT_LE(Level(Left, 8, X, R), Shade) << "caps are darker, never lighter";
      }
      const uint32_t Darker = Shade - Level(Left, 8, 0, R);
      EXPECT_GE(Darker, 11u) << R;
      EXPECT_LE(Darker, 37u) << R;
      if (Tile(Set, R) >= 0) {
        EXPECT_EQ(Shade, (uint32_t)Tile(Set, R)) << R;
      }
    }
    // Runs between the fixed rows move evenly in one direction.
    if (Set == kRowSetNormal) {
      EXPECT_EQ(Level(Middle, 8, 0, 1), 0x7Au);
      EXPECT_EQ(Level(Middle, 8, 0, 43), 0x7Fu);
      for (uint32_t R = 2; R <= 43; R++)
        EXPECT_LE(Level(Middle, 8, 0, R) - Level(Middle, 8, 0, R - 1), 1u);
    }
    if (Set == kRowSetPressed || Set == kRowSetFocused) {
      for (uint32_t R = 2; R <= 26; R++)
        EXPECT_LT(Level(Middle, 8, 0, R), Level(Middle, 8, 0, R - 1));
      for (uint32_t R = 27; R <= 43; R++)
        EXPECT_GT(Level(Middle, 8, 0, R), Level(Middle, 8, 0, R - 1));
    }
    if (Set == kRowSetPlaceholder) {
      for (uint32_t R = 2; R <= 12; R++)
        EXPECT_GE(Level(Middle, 8, 0, R), Level(Middle, 8, 0, R - 1));
    }
  }
}

TEST_F(CursorDecoder, IconsAndDockPicturesHaveTheirSizesDepthsAndLooks) {
  for (uint32_t I = 0; I < 9; I++) {
    auto Icon = DecodeOpaque(gTitleIcons[I], 48, 54, 24);
    // Each icon differs from the others.
    for (uint32_t J = 0; J < I; J++)
      EXPECT_NE(Icon, DecodeOpaque(gTitleIcons[J], 48, 54, 24)) << I << " " << J;
  }
  for (uint32_t Kind = 0; Kind < 8; Kind++) {
    SCOPED_TRACE(Kind);
    auto Normal =
        DecodeOpaque(gDockPictures[kDockNormal + Kind], 40, 41, Kind == 3 || Kind == 6 ? 24 : 32);
    auto High = DecodeOpaque(gDockPictures[kDockHighlighted + Kind], 40, 41, Kind == 3 ? 24 : 32);
    size_t Changed = 0;
    for (size_t P = 0; P < Normal.size(); P++) Changed += Normal[P] != High[P];
    EXPECT_GT(Changed, Normal.size() / 3) << "the highlighted picture must look different";
    // The corners show the dock's band.
    EXPECT_EQ(Normal[0], 0x245909u);
    EXPECT_EQ(High[0], 0x245909u);
  }
  DecodeOpaque(gDockPictures[kDockPlaceholder], 40, 41, 32);
  // Badges cover a corner and leave the rest of the picture as it was.
  for (uint32_t B = 0; B < 6; B++) {
    SCOPED_TRACE(B);
    const uint32_t Under = 0x00123456;
    auto Badge = DecodeEmbedded(gDockPictures[kDockBadgeNormal + B], 40, 41, 32, Under);
    size_t Covered = 0;
    for (uint32_t Y = 0; Y < 41; Y++)
      for (uint32_t X = 0; X < 40; X++) {
        const bool Kept = Badge[Y * 40 + X] == Under;
        Covered += !Kept;
        if (X < 20 || Y > 20) {
          EXPECT_TRUE(Kept) << X << "," << Y;
        }
      }
    EXPECT_GT(Covered, 100u);
    EXPECT_LT(Covered, 400u);
  }
}
