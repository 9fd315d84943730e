// The capture paths on the machine's own display. With the frame-buffer switch
// on, a capture reads video memory only where the mode has a linear 32-bit
// blue-green-red frame buffer holding the screen; else, and with the switch
// off, it makes one Blt read. Both must give the screen as it is.
#include "frontend/checks.h"

namespace {

// Blt reads of the graphics service, counted while a capture runs.
EFI_GRAPHICS_OUTPUT_PROTOCOL_BLT gPassOn = nullptr;
UINTN gBltReads = 0;

EFI_STATUS EFIAPI CountingBlt(EFI_GRAPHICS_OUTPUT_PROTOCOL *This, EFI_GRAPHICS_OUTPUT_BLT_PIXEL *Buffer,
                              EFI_GRAPHICS_OUTPUT_BLT_OPERATION Op, UINTN SourceX, UINTN SourceY,
                              UINTN DestinationX, UINTN DestinationY, UINTN Width, UINTN Height,
                              UINTN Delta) {
  gBltReads += Op == EfiBltVideoToBltBuffer;
  return gPassOn(This, Buffer, Op, SourceX, SourceY, DestinationX, DestinationY, Width, Height,
                 Delta);
}

UINT64 Ticks() {
  UINT32 Low, High;
  __asm__ volatile("rdtsc" : "=a"(Low), "=d"(High));
  return ((UINT64)High << 32) | Low;
}

bool FrameBufferHoldsTheScreen(const EFI_GRAPHICS_OUTPUT_PROTOCOL_MODE *Mode) {
  const EFI_GRAPHICS_OUTPUT_MODE_INFORMATION *Info = Mode->Info;
  UINT64 ScanLine = Info->PixelsPerScanLine;
  UINT64 End = ((UINT64)(Info->VerticalResolution - 1) * ScanLine + Info->HorizontalResolution) * 4;
  return Mode->FrameBufferBase != 0 && Info->PixelFormat == PixelBlueGreenRedReserved8BitPerColor &&
         ScanLine >= Info->HorizontalResolution && End <= Mode->FrameBufferSize;
}

// Screen pixels that differ from Captured (row width = screen width).
UINTN Differs(const SceneContext &S, const ORVANE_PIXEL *Captured, UINT32 W, UINT32 H) {
  ORVANE_PIXEL *Row = AllocPixels(S, W);
  if (Row == nullptr) return (UINTN)W * H;
  UINTN Wrong = 0;
  for (UINT32 Y = 0; Y < H; Y++) {
    if (!ReadScreen(S, Row, 0, Y, W, 1)) {
      Wrong += W;
      continue;
    }
    for (UINT32 X = 0; X < W; X++) {
      const ORVANE_PIXEL &A = Row[X], &B = Captured[(UINTN)Y * W + X];
      Wrong += A.Blue != B.Blue || A.Green != B.Green || A.Red != B.Red;
    }
  }
  FreePixels(S, Row);
  return Wrong;
}

}  // namespace

void DisplayChecks(const CheckContext &C) {
  const SceneContext &S = *C.Scene;
  ORVANE_UI_PROTOCOL *Ui = S.Ui;
  const bool Direct = FrameBufferHoldsTheScreen(S.Gop->Mode);
  // A busy screen: bands and a diagonal of pen stamps.
  const UINT32 W = S.Gop->Mode->Info->HorizontalResolution, H = S.Gop->Mode->Info->VerticalResolution;
  for (UINT32 I = 0; I < 8; I++) FillScreenRect(S, 0, I * H / 8, W, H / 8 + 1, 0x00203040 + I * 0x00151311);
  for (INT32 K = 0; K < 40; K++) {
    Ui->DrawPoint(nullptr, 0, 0, 20 + K * (INT32)W / 41, 10 + K * (INT32)H / 41, 1 + K % 5,
                  0x00F0E0D0 - K * 0x00030507);
  }

  // Ticks per millisecond, from a 50 ms stall.
  UINT64 Start = Ticks();
  S.Bs->Stall(50000);
  UINT64 PerMs = (Ticks() - Start) / 50;
  if (PerMs == 0) PerMs = 1;

  bool Pass = true;
  CheckText D, Info;
  Info.Text("capture-times ").Dec(W).Text("x").Dec(H);
  gPassOn = S.Gop->Blt;
  const BOOLEAN Flags[2] = {1, 0};
  for (BOOLEAN Flag : Flags) {
    Ui->SetFrameBufferCapture(Flag);
    ORVANE_PIXEL *Captured = nullptr;
    UINT32 CW = 0, CH = 0;
    // One capture counted, then ten more timed (the mean, in microseconds).
    S.Gop->Blt = CountingBlt;
    gBltReads = 0;
    UINTN Status = Ui->CaptureScreen(&Captured, &CW, &CH);
    S.Gop->Blt = gPassOn;
    UINTN Reads = gBltReads;
    UINT64 T0 = Ticks();
    for (int Round = 0; Round < 10; Round++) Status |= Ui->CaptureScreen(&Captured, &CW, &CH);
    UINT64 Mean = (Ticks() - T0) * 100 / PerMs;
    UINTN Wrong = Status == 0 && Captured != nullptr ? Differs(S, Captured, CW, CH) : (UINTN)W * H;
    Ui->ReleaseCapturedScreen();
    UINTN Wanted = Flag && Direct ? 0 : 1;
    Pass &= Status == 0 && CW == W && CH == H && Reads == Wanted && Wrong == 0;
    D.Text(Flag ? "switch on: " : "; switch off: ").Dec(Reads).Text(" Blt read(s), want ");
    D.Dec(Wanted).Text(", ").Dec(Wrong).Text(" pixels differ");
    Info.Text(Flag ? " switch-on " : " switch-off ").Text(Flag && Direct ? "frame-buffer " : "blt ");
    Info.Thousandths(Mean).Text(" ms");
  }
  Ui->SetFrameBufferCapture(0);
  C.Info(Info.Get());
  C.Report("capture-path", Pass, D.Get());
}
