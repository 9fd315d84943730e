// Firmware checks kept in their own files. Each reports its verdicts through
// the front-end, which prints "CHECK <name> PASS|FAIL <detail>" and
// "INFO <text>" lines on the serial port.
#pragma once
#include "frontend/scenes.h"

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
    return Char((char)('0' + V / 100 % 10)).Char((char)('0' + V / 10 % 10)).Char((char)('0' + V % 10));
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

// The capture paths on the display the machine has ("capture-path", "capture-control").
void DisplayChecks(const CheckContext &C);

// The digit readout and the setting row ("readout-sizes", "readout-paint",
// "setting-row-slider", "setting-row-paint").
void RowChecks(const CheckContext &C);

// The message box's size rules, the scroll bar's hit codes and the progress
// bar's text colour ("message-box-size", "scroll-bar-hits", "progress-text-colour").
void StatusChecks(const CheckContext &C);

// The list popup's trimmed heights, widening, hit codes, the thumb at the
// bottom and both capture paths ("list-popup-height", "list-popup-width",
// "list-popup-hits", "list-popup-thumb", "list-popup-capture").
void ListPopupChecks(const CheckContext &C);
