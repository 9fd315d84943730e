// The formatting call of EFI_PRINT_PROTOCOL. Callers pass a Microsoft x64
// va_list, so gnu-efi's VSPrint (System V va_list) cannot serve; this is a
// small formatter of its own.
//
// Conversions: %s CHAR16 string, %a ASCII string (NULL prints "<null string>"),
// %c CHAR16 (passed as int), %d/%i signed, %u unsigned, %x lower-case hex,
// %X upper-case hex, %p pointer (16 upper-case hex digits), %g EFI_GUID*,
// %% a percent sign. Without 'l' integers are read as 32-bit int, with 'l'
// (or 'll', 'L') as 64-bit. Flags '-' (left-justify), '0' (zero padding),
// '+' and ' ' (sign of positive values); width and precision as digits or '*'.
// Precision is the minimum digit count of numbers and the maximum length of
// strings. Anything else after '%' is copied literally.
#include "shim/print_service.h"

namespace {

class Sink {
 public:
  Sink(CHAR16 *Buffer, UINTN Capacity) : Buffer_(Buffer), Limit_(Capacity - 1) {}
  void Put(CHAR16 C) {
    if (Length_ < Limit_) Buffer_[Length_++] = C;
  }
  void Repeat(CHAR16 C, UINTN Count) {
    for (UINTN I = 0; I < Count && Length_ < Limit_; ++I) Put(C);
  }
  bool Full() const { return Length_ >= Limit_; }
  UINTN Finish() {
    Buffer_[Length_] = 0;
    return Length_;
  }

 private:
  CHAR16 *Buffer_;
  UINTN Limit_;  // characters before the terminator
  UINTN Length_ = 0;
};

struct Conversion {
  bool Left = false, Zero = false, Plus = false, Space = false, Long = false;
  UINTN Width = 0;
  bool HasPrecision = false;
  UINTN Precision = 0;
};

void Pad(Sink &Out, UINTN Length, const Conversion &S, CHAR16 Fill) {
  if (S.Width > Length) Out.Repeat(Fill, S.Width - Length);
}

// A string of CHAR16 (Wide) or of ASCII bytes.
void PutString(Sink &Out, const void *Text, bool Wide, const Conversion &S) {
  static const char kNull[] = "<null string>";
  if (!Text) {
    Text = kNull;
    Wide = false;
  }
  const CHAR16 *W16 = static_cast<const CHAR16 *>(Text);
  const CHAR8 *A8 = static_cast<const CHAR8 *>(Text);
  UINTN Length = 0;
  while ((!S.HasPrecision || Length < S.Precision) && (Wide ? W16[Length] : A8[Length])) ++Length;
  if (!S.Left) Pad(Out, Length, S, ' ');
  for (UINTN I = 0; I < Length; ++I) Out.Put(Wide ? W16[I] : static_cast<CHAR16>(A8[I]));
  if (S.Left) Pad(Out, Length, S, ' ');
}

void PutNumber(Sink &Out, UINT64 Magnitude, bool Negative, unsigned Base, bool Upper,
               const Conversion &S) {
  const char *Digits = Upper ? "0123456789ABCDEF" : "0123456789abcdef";
  CHAR16 Reversed[20];
  UINTN Count = 0;
  do {
    Reversed[Count++] = static_cast<CHAR16>(Digits[Magnitude % Base]);
    Magnitude /= Base;
  } while (Magnitude);
  // An explicit precision of 0 prints nothing for the value 0, as in C.
  if (S.HasPrecision && S.Precision == 0 && Count == 1 && Reversed[0] == '0') Count = 0;
  const UINTN Zeros = S.HasPrecision && S.Precision > Count ? S.Precision - Count : 0;
  CHAR16 Sign = 0;
  if (Negative)
    Sign = '-';
  else if (S.Plus)
    Sign = '+';
  else if (S.Space)
    Sign = ' ';
  const UINTN Length = Count + Zeros + (Sign ? 1 : 0);
  const bool ZeroFill = S.Zero && !S.Left && !S.HasPrecision;
  if (!S.Left && !ZeroFill) Pad(Out, Length, S, ' ');
  if (Sign) Out.Put(Sign);
  if (ZeroFill) Pad(Out, Length, S, '0');
  Out.Repeat('0', Zeros);
  while (Count) Out.Put(Reversed[--Count]);
  if (S.Left) Pad(Out, Length, S, ' ');
}

void PutGuid(Sink &Out, const EFI_GUID *Guid, const Conversion &S) {
  if (!Guid) {
    PutString(Out, nullptr, false, S);
    return;
  }
  Conversion Hex;
  Hex.Zero = true;
  Hex.Width = 8;
  PutNumber(Out, Guid->Data1, false, 16, false, Hex);
  Hex.Width = 4;
  Out.Put('-');
  PutNumber(Out, Guid->Data2, false, 16, false, Hex);
  Out.Put('-');
  PutNumber(Out, Guid->Data3, false, 16, false, Hex);
  Out.Put('-');
  Hex.Width = 2;
  for (int I = 0; I < 8; ++I) {
    if (I == 2) Out.Put('-');
    PutNumber(Out, Guid->Data4[I], false, 16, false, Hex);
  }
}

bool IsDigit(CHAR16 C) { return C >= '0' && C <= '9'; }

}  // namespace

UINTN EFIAPI PrintServiceVSPrint(CHAR16 *Buffer, UINTN BufferSize, const CHAR16 *Format,
                                 VA_LIST Marker) {
  if (!Buffer || BufferSize < sizeof(CHAR16)) return 0;
  Sink Out(Buffer, BufferSize / sizeof(CHAR16));
  if (!Format) return Out.Finish();

  const CHAR16 *P = Format;
  while (*P && !Out.Full()) {
    if (*P != '%') {
      Out.Put(*P++);
      continue;
    }
    const CHAR16 *Start = P++;
    Conversion S;
    for (;; ++P) {
      if (*P == '-')
        S.Left = true;
      else if (*P == '0')
        S.Zero = true;
      else if (*P == '+')
        S.Plus = true;
      else if (*P == ' ')
        S.Space = true;
      else
        break;
    }
    if (*P == '*') {
      const int W = __builtin_va_arg(Marker, int);
      if (W < 0) {
        S.Left = true;
        S.Width = static_cast<UINTN>(-static_cast<INT64>(W));
      } else {
        S.Width = static_cast<UINTN>(W);
      }
      ++P;
    } else {
      while (IsDigit(*P)) S.Width = S.Width * 10 + (*P++ - '0');
    }
    if (*P == '.') {
      ++P;
      S.HasPrecision = true;
      if (*P == '*') {
        const int Precision = __builtin_va_arg(Marker, int);
        S.Precision = Precision < 0 ? 0 : static_cast<UINTN>(Precision);
        if (Precision < 0) S.HasPrecision = false;
        ++P;
      } else {
        while (IsDigit(*P)) S.Precision = S.Precision * 10 + (*P++ - '0');
      }
    }
    while (*P == 'l' || *P == 'L') {
      S.Long = true;
      ++P;
    }
    while (*P == 'h') ++P;  // short arguments arrive promoted to int anyway

    switch (*P) {
      case '%': Out.Put('%'); break;
      case 'c': Out.Put(static_cast<CHAR16>(__builtin_va_arg(Marker, int))); break;
      case 's': PutString(Out, __builtin_va_arg(Marker, const CHAR16 *), true, S); break;
      case 'a': PutString(Out, __builtin_va_arg(Marker, const CHAR8 *), false, S); break;
      case 'd':
      case 'i': {
        const INT64 V = S.Long ? __builtin_va_arg(Marker, INT64) : __builtin_va_arg(Marker, int);
        // Negate as unsigned so INT64_MIN survives.
        const UINT64 Mag = V < 0 ? 0 - static_cast<UINT64>(V) : static_cast<UINT64>(V);
        PutNumber(Out, Mag, V < 0, 10, false, S);
        break;
      }
      case 'u':
      case 'x':
      case 'X': {
        const UINT64 V =
            S.Long ? __builtin_va_arg(Marker, UINT64) : __builtin_va_arg(Marker, unsigned int);
        PutNumber(Out, V, false, *P == 'u' ? 10 : 16, *P == 'X', S);
        break;
      }
      case 'p': {
        Conversion Pointer = S;
        Pointer.Zero = true;
        if (Pointer.Width < 16) Pointer.Width = 16;
        PutNumber(Out, reinterpret_cast<UINTN>(__builtin_va_arg(Marker, void *)), false, 16, true,
                  Pointer);
        break;
      }
      case 'g': PutGuid(Out, __builtin_va_arg(Marker, const EFI_GUID *), S); break;
      default:
        // Unknown: copy the whole directive; a lone '%' at the end stays too.
        for (const CHAR16 *C = Start; C < P; ++C) Out.Put(*C);
        if (*P)
          Out.Put(*P);
        else
          continue;
        break;
    }
    ++P;
  }
  return Out.Finish();
}
