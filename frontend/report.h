// What the front-end says goes to the serial port, a line at a time; the
// firmware checks report through Report(), which the host run reads.
#pragma once
#include "platform/efi.h"

// Serial output through the serial protocol when one is set, else straight to COM1.
void SetSerialPort(EFI_SERIAL_IO_PROTOCOL *Serial);
void SerialWrite(const char *Bytes, UINTN Count);

// One output line, built in place and sent with Emit().
class Line {
 public:
  Line &Text(const char *S) {
    while (*S != 0) Char(*S++);
    return *this;
  }
  Line &Text(const CHAR16 *S) {
    for (; *S != 0; S++) {
      if (*S == '\n') {
        Text("\\n");
      } else if (*S == '\r') {
        Text("\\r");
      } else {
        Char(*S < 0x7F && *S >= 0x20 ? (char)*S : '?');
      }
    }
    return *this;
  }
  Line &Dec(INT64 V) {
    if (V < 0) {
      Char('-');
      return Unsigned((UINT64)0 - (UINT64)V, 10);
    }
    return Unsigned((UINT64)V, 10);
  }
  Line &Hex(UINT64 V) {
    Text("0x");
    return Unsigned(V, 16);
  }
  Line &Append(const Line &Other) {
    for (UINTN I = 0; I < Other.Length_; I++) Char(Other.Buffer_[I]);
    return *this;
  }
  const char *Data() const { return Buffer_; }
  UINTN Length() const { return Length_; }
  void Emit() {
    Buffer_[Length_++] = '\r';
    Buffer_[Length_++] = '\n';
    SerialWrite(Buffer_, Length_);
    Length_ = 0;
  }

 private:
  Line &Unsigned(UINT64 V, UINT32 Base) {
    char Digits[24];
    UINTN N = 0;
    do {
      UINT32 D = (UINT32)(V % Base);
      Digits[N++] = (char)(D < 10 ? '0' + D : 'a' + D - 10);
      V /= Base;
    } while (V != 0);
    while (N > 0) Char(Digits[--N]);
    return *this;
  }
  void Char(char C) {
    if (Length_ < sizeof(Buffer_) - 2) Buffer_[Length_++] = C;
  }
  char Buffer_[600];
  UINTN Length_ = 0;
};

// Reports one check as "CHECK <name> PASS|FAIL <what was seen>".
void Report(const char *Name, bool Pass, const Line &Detail);
UINTN ChecksPassed();
UINTN ChecksFailed();
