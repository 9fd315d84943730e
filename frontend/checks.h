// The firmware checks the front-end runs in OVMF. Each check draws through the
// driver, reads the screen back and reports one "CHECK" line (frontend/report.h).
// A group of checks lives in its own file frontend/checks_<name>.cpp, declares
// its functions here and adds them to the list in frontend/checks.cpp.
#pragma once
#include "frontend/report.h"
#include "frontend/scenes.h"

// Checks that report plain text take their report and info lines through a
// CheckContext; the list in checks.cpp hands them one.
typedef void (*CHECK_REPORT)(const char *Name, bool Pass, const char *Detail);
typedef void (*CHECK_INFO)(const char *Text);

struct CheckContext {
  const SceneContext *Scene;
  CHECK_REPORT Report;
  CHECK_INFO Info;
};

// Text for a report, built in place; too long a text is cut.
class CheckText {
 public:
  CheckText &Text(const char *S) {
    while (*S != 0) Char(*S++);
    return *this;
  }
  CheckText &Dec(UINT64 V) {
    char Digits[24];
    UINTN N = 0;
    do {
      Digits[N++] = (char)('0' + V % 10);
      V /= 10;
    } while (V != 0);
    while (N > 0) Char(Digits[--N]);
    return *this;
  }
  // V / 1000 with three decimals.
  CheckText &Thousandths(UINT64 V) {
    Dec(V / 1000).Char('.');
    return Char((char)('0' + V / 100 % 10))
        .Char((char)('0' + V / 10 % 10))
        .Char((char)('0' + V % 10));
  }
  const char *Get() const { return Buffer_; }

 private:
  CheckText &Char(char C) {
    if (Length_ < sizeof(Buffer_) - 1) {
      Buffer_[Length_++] = C;
      Buffer_[Length_] = 0;
    }
    return *this;
  }
  char Buffer_[400] = {};
  UINTN Length_ = 0;
};

typedef void (*FIRMWARE_CHECK)(const SceneContext &C);

// Runs every check of the list, in order.
void RunFirmwareChecks(const SceneContext &C);

// Under Secure Boot: each image in \refused\ on the volume Device must be
// refused by LoadImage and publish nothing ("CHECK refused-<name>"). Reports
// nothing where there is no such folder.
void RefusedImageChecks(const SceneContext &C, EFI_HANDLE ImageHandle, EFI_HANDLE Device);

// A string literal as the CHAR16 * the control records hold.
inline CHAR16 *Text(const char16_t *S) {
  return reinterpret_cast<CHAR16 *>(const_cast<char16_t *>(S));
}
// The width RenderText gives String at scale 1; 0 when it fails.
UINT32 TextWidth(const SceneContext &C, const CHAR16 *String);

// A pixel's blue, green and red as 0x00RRGGBB.
UINT32 ColorOf(const ORVANE_PIXEL &P);
// The screen pixel at (X, Y) as 0x00RRGGBB; 0 when the screen cannot be read.
UINT32 ScreenPixel(const SceneContext &C, UINT32 X, UINT32 Y);
// Counts the colours of a screen area: pixels equal to A, to B, and others.
// False when the screen cannot be read.
bool Census(const SceneContext &C, UINT32 X, UINT32 Y, UINT32 W, UINT32 H, UINT32 A, UINT32 B,
            UINTN &CountA, UINTN &CountB, UINTN &Other);

// checks_core.cpp: the driver frame, primitives, text and screen operations.
void StringLengthCheck(const SceneContext &C);
void CaptureFlagCheck(const SceneContext &C);
void VideoModeCheck(const SceneContext &C);
void PenChecks(const SceneContext &C);
void ClearBufferCheck(const SceneContext &C);
void BlitPositionCheck(const SceneContext &C);
void BannerTextCheck(const SceneContext &C);
void BannerScreenCheck(const SceneContext &C);
void RenderTextCheck(const SceneContext &C);
void RenderTextWrapCheck(const SceneContext &C);
void OpaqueTextCheck(const SceneContext &C);
void OpaqueTextFitCheck(const SceneContext &C);
void TransparentTextCheck(const SceneContext &C);
void CaptureChecks(const SceneContext &C);
void SmallModeCaptureCheck(const SceneContext &C);
void TransitionChecks(const SceneContext &C);

// checks_displays.cpp: the capture paths on the display the machine has ("capture-path",
// "capture-control").
void DisplayChecks(const CheckContext &C);

// The digit readout and the setting row ("readout-sizes", "readout-paint",
// "readout-one", "setting-row-slider", "setting-row-paint").
void RowChecks(const CheckContext &C);

// The message box's size rules, the scroll bar's hit codes and the progress
// bar's text colour ("message-box-size", "scroll-bar-hits", "progress-text-colour").
void StatusChecks(const CheckContext &C);

// The list popup's trimmed heights, widening, hit codes, the thumb at the
// bottom and both capture paths ("list-popup-height", "list-popup-width",
// "list-popup-hits", "list-popup-thumb", "list-popup-capture").
void ListPopupChecks(const CheckContext &C);
// The option popup's close box and row hit points, and a 13-item popup moved
// on screen and closed ("option-popup-close-box", "option-popup-rows",
// "option-popup-move").
void OptionPopupChecks(const CheckContext &C);

// The icon dock's row width and chevrons for 3 and 10 items, on the screen
// ("icon-dock-3-items", "icon-dock-10-items"), and a label strip kept by a
// new placement ("icon-dock-kept-strip").
void DockChecks(const CheckContext &C);

// The input dialog's layout, hit codes and paint ("input-dialog-layout", "input-dialog-hits",
// "input-dialog-paint").
void InputDialogChecks(const CheckContext &C);

// The USB tablet's Absolute Pointer gives back the moves and the button the host sends
// ("absolute-pointer").
void PointerCheck(const SceneContext &C);

// The driver started again with the float service, the print service or both
// taken out for the moment ("startup-without-float", "startup-without-print",
// "startup-without-both").
void StartupChecks(const SceneContext &C);

// The soak ("soak"), when the volume holds \orvane-soak with a pass count.
void SoakCheck(const SceneContext &C);

// The free memory the memory map shows. The map's buffer is taken once, by
// Open, so that readings do not move the figure themselves.
class MemoryMap {
 public:
  MemoryMap() = default;
  MemoryMap(const MemoryMap &) = delete;
  MemoryMap &operator=(const MemoryMap &) = delete;
  ~MemoryMap();
  bool Open(EFI_BOOT_SERVICES *Bs);
  // Pages of conventional memory; false when the map cannot be read.
  bool FreePages(UINT64 &Pages);

 private:
  EFI_BOOT_SERVICES *Bs_ = nullptr;
  void *Map_ = nullptr;
  UINTN Capacity_ = 0;
};
