#include "frontend/report.h"

namespace {

constinit EFI_SERIAL_IO_PROTOCOL *gSerial = nullptr;
constinit UINTN gPassed = 0, gFailed = 0;

void PortWrite(const char *Bytes, UINTN Count) {
  // Direct COM1 output when no serial protocol is published.
  for (UINTN I = 0; I < Count; I++) {
    UINT8 Status;
    do {
      __asm__ volatile("inb %1, %0" : "=a"(Status) : "Nd"((UINT16)0x3FD));
    } while ((Status & 0x20) == 0);
    __asm__ volatile("outb %0, %1" : : "a"((UINT8)Bytes[I]), "Nd"((UINT16)0x3F8));
  }
}

}  // namespace

void SetSerialPort(EFI_SERIAL_IO_PROTOCOL *Serial) { gSerial = Serial; }

void SerialWrite(const char *Bytes, UINTN Count) {
  if (gSerial == nullptr) {
    PortWrite(Bytes, Count);
    return;
  }
  while (Count > 0) {
    UINTN Size = Count;
    if (gSerial->Write(gSerial, &Size, const_cast<char *>(Bytes)) != EFI_SUCCESS && Size == 0) {
      return;
    }
    Bytes += Size;
    Count -= Size;
  }
}

void Report(const char *Name, bool Pass, const Line &Detail) {
  (Pass ? gPassed : gFailed)++;
  Line().Text("CHECK ").Text(Name).Text(Pass ? " PASS " : " FAIL ").Append(Detail).Emit();
}

UINTN ChecksPassed() { return gPassed; }
UINTN ChecksFailed() { return gFailed; }
