// The capture paths on the machine's own display. With the frame-buffer switch
// on, a capture reads video memory only where the mode has a linear 32-bit
// blue-green-red frame buffer holding the screen; else, and with the switch
// off, it makes one Blt read. Both must give the screen as it is, to the
// screen operations and to the controls that keep what lies under them.
#include "frontend/checks.h"

namespace {

// Blt reads of the graphics service, counted while a capture runs.
EFI_GRAPHICS_OUTPUT_PROTOCOL_BLT gPassOn = nullptr;
UINTN gBltReads = 0;

EFI_STATUS EFIAPI CountingBlt(EFI_GRAPHICS_OUTPUT_PROTOCOL *This,
                              EFI_GRAPHICS_OUTPUT_BLT_PIXEL *Buffer,
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

// A busy screen: bands and a diagonal of pen stamps.
void BusyScreen(const SceneContext &S, UINT32 W, UINT32 H) {
  for (UINT32 I = 0; I < 8; I++)
    FillScreenRect(S, 0, I * H / 8, W, H / 8 + 1, 0x00203040 + I * 0x00151311);
  for (INT32 K = 0; K < 40; K++) {
    S.Ui->DrawPoint(nullptr, 0, 0, 20 + K * (INT32)W / 41, 10 + K * (INT32)H / 41, 1 + K % 5,
                    0x00F0E0D0 - K * 0x00030507);
  }
}

// Sets up a digit readout at (X, Y) over the busy screen with the switch as
// given, paints the screen under it magenta and paints it: the readout must
// bring back what it kept. Reads its area into Out (Width x Height); false on any failure.
bool ShowReadout(const SceneContext &S, BOOLEAN Flag, INT32 X, INT32 Y, ORVANE_PIXEL *Out,
                 INT32 Width, INT32 Height) {
  const UINT32 W = S.Gop->Mode->Info->HorizontalResolution,
               H = S.Gop->Mode->Info->VerticalResolution;
  BusyScreen(S, W, H);
  S.Ui->SetFrameBufferCapture(Flag);
  CHAR16 Text[] = {'1', '2', ':', '3', '4', 0};
  DigitReadout R = {};
  EFI_STATUS Init = S.Ui->InitDigitReadout(&R, X, Y, Text, 0, 1);
  S.Ui->SetFrameBufferCapture(0);
  if (Init != EFI_SUCCESS) return false;
  FillScreenRect(S, (UINT32)X, (UINT32)Y, (UINT32)Width, (UINT32)Height, 0x00FF00FF);
  EFI_STATUS Paint = S.Ui->PaintDigitReadout(&R);
  bool Same = R.width == Width && R.height == Height;
  if (R.text != Text) FreePixels(S, R.text);
  FreePixels(S, R.background);
  return Paint == EFI_SUCCESS && Same &&
         ReadScreen(S, Out, (UINT32)X, (UINT32)Y, (UINT32)Width, (UINT32)Height);
}

// A control that keeps what lies under it shows the same picture with the
// switch on as with it off ("capture-control").
void ControlCheck(const CheckContext &C) {
  const SceneContext &S = *C.Scene;
  const INT32 X = 300, Y = 200;
  CHAR16 Text[] = {'1', '2', ':', '3', '4', 0};
  DigitReadout Probe = {};
  S.Ui->InitDigitReadout(&Probe, X, Y, Text, 0, 0);  // sizes only, nothing kept
  if (Probe.text != Text) FreePixels(S, Probe.text);
  const INT32 Width = Probe.width, Height = Probe.height;
  UINTN Count = Width > 0 && Height > 0 ? (UINTN)Width * (UINTN)Height : 0;
  ORVANE_PIXEL *On = AllocPixels(S, Count), *Off = AllocPixels(S, Count);
  bool Shown = On != nullptr && Off != nullptr && ShowReadout(S, 1, X, Y, On, Width, Height) &&
               ShowReadout(S, 0, X, Y, Off, Width, Height);
  UINTN Differ = 0, Magenta = 0;
  for (UINTN I = 0; Shown && I < Count; I++) {
    Differ += On[I].Blue != Off[I].Blue || On[I].Green != Off[I].Green || On[I].Red != Off[I].Red;
    Magenta += On[I].Blue == 0xFF && On[I].Green == 0 && On[I].Red == 0xFF;
  }
  FreePixels(S, On);
  FreePixels(S, Off);
  CheckText D;
  D.Text("digit readout ").Dec((UINT64)Width).Text("x").Dec((UINT64)Height);
  D.Text(Shown ? ", shown" : ", not shown").Text(": ").Dec(Differ);
  D.Text(" pixels differ between the switch on and off, ").Dec(Magenta).Text(" not brought back");
  C.Report("capture-control", Shown && Differ == 0 && Magenta == 0, D.Get());
}

}  // namespace

void DisplayChecks(const CheckContext &C) {
  const SceneContext &S = *C.Scene;
  ORVANE_UI_PROTOCOL *Ui = S.Ui;
  const bool Direct = FrameBufferHoldsTheScreen(S.Gop->Mode);
  const UINT32 W = S.Gop->Mode->Info->HorizontalResolution,
               H = S.Gop->Mode->Info->VerticalResolution;
  BusyScreen(S, W, H);

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
    Info.Text(Flag ? " switch-on " : " switch-off ")
        .Text(Flag && Direct ? "frame-buffer " : "blt ");
    Info.Thousandths(Mean).Text(" ms");
  }
  Ui->SetFrameBufferCapture(0);
  C.Info(Info.Get());
  C.Report("capture-path", Pass, D.Get());
  ControlCheck(C);
}
