// Operations of the driver frame itself, and the table the entry point fills.
#pragma once
#include "driver/protocol.h"
#include "platform/services.h"

UINT32 EFIAPI StringLength(const CHAR16 *String);
BOOLEAN EFIAPI SetFrameBufferCapture(BOOLEAN Enable);
EFI_STATUS EFIAPI SetVideoMode(UINT32 HorizontalResolution, UINT32 VerticalResolution);
CHAR16 *EFIAPI Banner(CHAR16 *Buffer);

// The slots of operations that always reach the screen answer EFI_UNSUPPORTED,
// drawing nothing and keeping nothing, while the platform offers no graphics
// output (see driver/protocol.h). A primitive reaches it only without a buffer.
template <auto Op>
struct NeedsScreen;
template <typename R, typename... A, R(EFIAPI *Op)(A...)>
struct NeedsScreen<Op> {
  static R EFIAPI Call(A... Args) {
    return Graphics() == nullptr ? (R)EFI_UNSUPPORTED : Op(Args...);
  }
};
template <auto Op>
struct NeedsScreenUnlessBuffer;
template <typename R, typename... A, R(EFIAPI *Op)(ORVANE_PIXEL *, A...)>
struct NeedsScreenUnlessBuffer<Op> {
  static R EFIAPI Call(ORVANE_PIXEL *Buffer, A... Args) {
    return Buffer == nullptr && Graphics() == nullptr ? (R)EFI_UNSUPPORTED : Op(Buffer, Args...);
  }
};

extern ORVANE_UI_PROTOCOL gOrvaneUi;
extern ORVANE_BANNER_PROTOCOL gOrvaneBanner;

extern "C" EFI_STATUS efi_main(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);
