#include "raster/screen.h"

#include "raster/dissolve_order.h"
#include "raster/exact_float.h"
#include "raster/target.h"
#include "raster/transition.h"

constinit UINT32 TransitionPauseIterations = 100000;

namespace {

// The one captured screen: CapturedScreen is handed to the caller, DimmedScreen
// is the working buffer of DimCapturedScreen. Both are CapturedWidth x
// CapturedHeight pixels; DimmedScreen is never held without CapturedScreen.
constinit UINT32 CapturedWidth = 0;
constinit UINT32 CapturedHeight = 0;
constinit ORVANE_PIXEL *CapturedScreen = nullptr;
constinit ORVANE_PIXEL *DimmedScreen = nullptr;

void FreeCapture() {
  PoolFree(CapturedScreen);
  PoolFree(DimmedScreen);
  CapturedScreen = nullptr;
  DimmedScreen = nullptr;
}

ORVANE_PIXEL *AllocateScreen() {
  return static_cast<ORVANE_PIXEL *>(
      PoolAlloc((UINTN)CapturedWidth * (UINTN)CapturedHeight * sizeof(ORVANE_PIXEL)));
}

void PauseAfterBlock() {
  UINT32 Iterations = TransitionPauseIterations;
  for (UINT32 I = 0; I < Iterations; I++) {
    // Keeps the empty loop: the pacing is the only purpose of this code.
    asm volatile("");
  }
}

// Shows block Block (column Block mod 51 of row Block / 51) of a W x H image
// placed at (X, Y); the part off the screen is not sent.
void SendBlock(const ORVANE_PIXEL *Image, UINT32 W, UINT32 H, UINT32 X, UINT32 Y, UINT32 Block) {
  BlockSpan Col = TransitionSpan(W, Block % kTransitionGrid);
  BlockSpan Row = TransitionSpan(H, Block / kTransitionGrid);
  SendToScreen(Image, (INT32)W,
               {(INT32)Col.Start, (INT32)Row.Start, (INT32)Col.Size, (INT32)Row.Size}, X, Y,
               DrawTarget::Screen().Clip);
}

// The M with Dimmed[c] = floor(c * M / 2^16) for every c, when there is one:
// each c asks for M in [ceil(Dimmed[c] 2^16 / c), ceil((Dimmed[c] + 1) 2^16 / c) - 1],
// and any M common to all 255 intervals gives every entry exactly.
bool DimMultiplier(const UINT8 (&Dimmed)[256], UINT32 &M) {
  if (Dimmed[0] != 0) {
    return false;
  }
  UINT32 Lo = 0, Hi = 0xFFFF;
  for (UINT32 C = 1; C < 256; C++) {
    const UINT32 Least = ((UINT32)Dimmed[C] * 65536 + C - 1) / C;
    const UINT32 Most = (((UINT32)Dimmed[C] + 1) * 65536 + C - 1) / C - 1;
    if (Least > Lo) Lo = Least;
    if (Most < Hi) Hi = Most;
  }
  M = Lo;
  return Lo <= Hi;
}

}  // namespace

// To[i] = From[i] with blue, green and red looked up in Dimmed; the reserved
// byte is carried over.
void DimPixels(ORVANE_PIXEL *To, const ORVANE_PIXEL *From, UINTN Count,
               const UINT8 (&Dimmed)[256]) {
  UINTN I = 0;
  UINT32 M;
  if (DimMultiplier(Dimmed, M) && M <= 0xFFFF) {
    // Eight channels at a time in 16-bit lanes: the unsigned high-half
    // multiply gives floor(c M / 2^16) exactly for c < 2^16, M < 2^16. The
    // odd lanes hold green and reserved; reserved is multiplied by 0 and
    // taken from the source instead.
    typedef short Half __attribute__((vector_size(16)));
    typedef UINT32 Lanes __attribute__((vector_size(16)));
    const short Even = (short)(UINT16)M;
    const Half ByEven = {Even, Even, Even, Even, Even, Even, Even, Even};
    const Half ByOdd = {Even, 0, Even, 0, Even, 0, Even, 0};
    auto Dim = [&](Lanes P) {
      const Lanes Low = (Lanes)__builtin_ia32_pmulhuw128((Half)(P & 0x00FF00FFu), ByEven);
      const Lanes High = (Lanes)__builtin_ia32_pmulhuw128((Half)((P >> 8) & 0x00FF00FFu), ByOdd);
      return Low | (High << 8) | (P & 0xFF000000u);
    };
    for (; I + 8 <= Count; I += 8) {
      Lanes P, Q;
      __builtin_memcpy(&P, From + I, sizeof(P));
      __builtin_memcpy(&Q, From + I + 4, sizeof(Q));
      P = Dim(P);
      Q = Dim(Q);
      __builtin_memcpy(To + I, &P, sizeof(P));
      __builtin_memcpy(To + I + 4, &Q, sizeof(Q));
    }
  }
  for (; I < Count; I++) {
    UINT32 V;
    __builtin_memcpy(&V, From + I, sizeof(V));
    V = (V & 0xFF000000u) | Dimmed[V & 0xFF] | ((UINT32)Dimmed[(V >> 8) & 0xFF] << 8) |
        ((UINT32)Dimmed[(V >> 16) & 0xFF] << 16);
    __builtin_memcpy(To + I, &V, sizeof(V));
  }
}

UINTN EFIAPI CaptureScreen(ORVANE_PIXEL **Screen, UINT32 *Width, UINT32 *Height) {
  UINT32 W = ScreenWidth();
  UINT32 H = ScreenHeight();
  // The caller's pointer (*Screen) is not adopted: the only buffer it may
  // rightly hold is CapturedScreen, which is kept here anyway. A stale pointer
  // from before a release, or a buffer of unknown size, would be written
  // through and later freed, and dropping the held one would leak it.
  if (CapturedWidth == 0) CapturedWidth = W;
  if (CapturedHeight == 0) CapturedHeight = H;
  if (W != CapturedWidth || H != CapturedHeight) {
    FreeCapture();
    CapturedWidth = W;
    CapturedHeight = H;
  }
  if (CapturedScreen == nullptr) {
    CapturedScreen = AllocateScreen();
    if (CapturedScreen == nullptr) {
      return kCaptureNoScreenBuffer;
    }
  }
  // Filled before the working buffer is sought, so a held CapturedScreen
  // always holds a picture, even after a failure below. The frame-buffer
  // switch reads the frame buffer at the mode's scan line where the display
  // has a usable one, else Blt: either way the whole screen as it is.
  CaptureUnder(CapturedScreen, 0, 0, (INT32)W, (INT32)H);
  // A working buffer still held from the last capture at this resolution is reused.
  if (DimmedScreen == nullptr) {
    DimmedScreen = AllocateScreen();
    if (DimmedScreen == nullptr) {
      return kCaptureNoWorkingBuffer;
    }
  }
  if (Screen != nullptr) *Screen = CapturedScreen;
  if (Width != nullptr) *Width = CapturedWidth;
  if (Height != nullptr) *Height = CapturedHeight;
  return kCaptureDone;
}

UINTN EFIAPI DimCapturedScreen(UINT32 Level) {
  if (Level == 0 || Level >= 10 || CapturedScreen == nullptr || DimmedScreen == nullptr) {
    return 0;
  }
  FLOAT32_BITS Factor = fm::Div(fm::FromInt((INT32)Level), fm::FromInt(10));
  // A dimmed channel depends only on its value, so 256 evaluations of the
  // float service's steps (taken in integers, raster/exact_float.h) stand for all of them.
  UINT8 Dimmed[256];
  for (INT32 C = 0; C < 256; C++) {
    Dimmed[C] = (UINT8)xf::ToIntAlt(xf::Mul(xf::FromInt(C), Factor));
  }
  DimPixels(DimmedScreen, CapturedScreen, (UINTN)CapturedWidth * (UINTN)CapturedHeight, Dimmed);
  SendToScreen(DimmedScreen, (INT32)CapturedWidth, (INT32)CapturedHeight, 0, 0);
  return 0;
}

UINTN EFIAPI RestoreCapturedScreen(void) {
  if (CapturedScreen != nullptr) {
    SendToScreen(CapturedScreen, (INT32)CapturedWidth, (INT32)CapturedHeight, 0, 0);
  }
  return 0;
}

UINTN EFIAPI ReleaseCapturedScreen(void) {
  FreeCapture();
  return 0;
}

UINTN EFIAPI WipeTransition(const ORVANE_PIXEL *Image, UINT32 Width, UINT32 Height, UINT32 X,
                            UINT32 Y) {
  if (Image == nullptr || Width == 0 || Height == 0) {
    return 0;
  }
  constexpr UINT32 Last = kTransitionGrid - 1;
  // Diagonal D holds the blocks whose column plus row is D, largest column first.
  for (UINT32 D = 0; D <= 2 * Last; D++) {
    UINT32 High = D < Last ? D : Last;
    UINT32 Low = D > Last ? D - Last : 0;
    for (UINT32 Col = High + 1; Col-- > Low;) {
      SendBlock(Image, Width, Height, X, Y, (D - Col) * kTransitionGrid + Col);
      PauseAfterBlock();
    }
  }
  return 0;
}

UINTN EFIAPI DissolveTransition(const ORVANE_PIXEL *Image, UINT32 Width, UINT32 Height, UINT32 X,
                                UINT32 Y) {
  if (Image == nullptr || Width == 0 || Height == 0) {
    return 0;
  }
  for (UINT32 I = 0; I < kDissolveBlocks; I++) {
    SendBlock(Image, Width, Height, X, Y, (UINT32)DissolveOrder[I] - 1);
    PauseAfterBlock();
  }
  return 0;
}
