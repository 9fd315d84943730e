// Placing the 1024x768 layout on the panel's mode.
#include "frontend/setup/panel.h"

namespace {

constinit SetupPanel *gPlaced = nullptr;

// The layout's screen: coordinates moved to its place, anything past its
// edge cut, as a 1024x768 display would refuse or cut it.
EFI_STATUS EFIAPI WindowBlt(EFI_GRAPHICS_OUTPUT_PROTOCOL *This,
                            EFI_GRAPHICS_OUTPUT_BLT_PIXEL *Buffer,
                            EFI_GRAPHICS_OUTPUT_BLT_OPERATION Op, UINTN SourceX, UINTN SourceY,
                            UINTN DestinationX, UINTN DestinationY, UINTN Width, UINTN Height,
                            UINTN Delta) {
  const SetupPanel &P = *gPlaced;
  const bool FromVideo = Op == EfiBltVideoToBltBuffer || Op == EfiBltVideoToVideo;
  const bool ToVideo = Op != EfiBltVideoToBltBuffer;
  if (Delta == 0) Delta = Width * sizeof(EFI_GRAPHICS_OUTPUT_BLT_PIXEL);
  auto Cut = [&](UINTN X, UINTN Y) {
    if (X >= kSceneWidth || Y >= kSceneHeight) return false;
    if (Width > kSceneWidth - X) Width = kSceneWidth - X;
    if (Height > kSceneHeight - Y) Height = kSceneHeight - Y;
    return true;
  };
  if ((FromVideo && !Cut(SourceX, SourceY)) || (ToVideo && !Cut(DestinationX, DestinationY))) {
    return EFI_INVALID_PARAMETER;
  }
  if (FromVideo) SourceX += P.X, SourceY += P.Y;
  if (ToVideo) DestinationX += P.X, DestinationY += P.Y;
  return P.Blt(This, Buffer, Op, SourceX, SourceY, DestinationX, DestinationY, Width, Height,
               Delta);
}

bool Holds(const EFI_GRAPHICS_OUTPUT_MODE_INFORMATION &Info) {
  return Info.HorizontalResolution >= kSceneWidth && Info.VerticalResolution >= kSceneHeight;
}

// The smallest mode that holds the layout, when the one in use does not.
bool UseSmallestHolding(EFI_GRAPHICS_OUTPUT_PROTOCOL *Gop, const SceneContext &C) {
  UINT32 Best = Gop->Mode->MaxMode;
  UINT64 BestArea = 0;
  for (UINT32 M = 0; M < Gop->Mode->MaxMode; M++) {
    EFI_GRAPHICS_OUTPUT_MODE_INFORMATION *Info = nullptr;
    UINTN Size = 0;
    if (Gop->QueryMode(Gop, M, &Size, &Info) != EFI_SUCCESS || Info == nullptr) continue;
    const UINT64 Area = (UINT64)Info->HorizontalResolution * Info->VerticalResolution;
    if (Holds(*Info) && (Best == Gop->Mode->MaxMode || Area < BestArea)) {
      Best = M;
      BestArea = Area;
    }
    C.Bs->FreePool(Info);
  }
  return Best != Gop->Mode->MaxMode && Gop->SetMode(Gop, Best) == EFI_SUCCESS;
}

}  // namespace

bool SetupPlaceOnPanel(const SceneContext &C, SetupPanel &P, UINT32 Margin) {
  P = {};
  EFI_GRAPHICS_OUTPUT_PROTOCOL *Gop = C.Gop;
  if (Gop == nullptr || gPlaced != nullptr) {
    return false;
  }
  if (!Holds(*Gop->Mode->Info) && C.Ui->SetVideoMode(kSceneWidth, kSceneHeight) != EFI_SUCCESS &&
      !UseSmallestHolding(Gop, C)) {
    return false;
  }
  P.Gop = Gop;
  P.Width = Gop->Mode->Info->HorizontalResolution;
  P.Height = Gop->Mode->Info->VerticalResolution;
  P.X = (P.Width - kSceneWidth) / 2;
  P.Y = (P.Height - kSceneHeight) / 2;
  if (P.X == 0 && P.Y == 0 && P.Width == kSceneWidth && P.Height == kSceneHeight) {
    return true;  // the layout is the screen: nothing to move
  }
  EFI_GRAPHICS_OUTPUT_BLT_PIXEL Fill = {(UINT8)Margin, (UINT8)(Margin >> 8), (UINT8)(Margin >> 16),
                                        0};
  Gop->Blt(Gop, &Fill, EfiBltVideoFill, 0, 0, 0, 0, P.Width, P.Height, 0);
  P.Blt = Gop->Blt;
  P.Info = Gop->Mode->Info;
  P.Window = *P.Info;
  P.Window.HorizontalResolution = kSceneWidth;
  P.Window.VerticalResolution = kSceneHeight;
  gPlaced = &P;
  Gop->Blt = WindowBlt;
  Gop->Mode->Info = &P.Window;
  P.Placed = true;
  return true;
}

void SetupLeavePanel(SetupPanel &P) {
  if (!P.Placed) {
    return;
  }
  P.Gop->Blt = P.Blt;
  P.Gop->Mode->Info = P.Info;
  P.Placed = false;
  gPlaced = nullptr;
}
