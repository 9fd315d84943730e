// Random format strings through the print service. Every argument slot holds
// a pointer to a long string, which is valid whatever conversion reads it.
#include <cstdlib>
#include <vector>

#include "fuzz/fuzz_env.h"
#include "shim/print_service.h"

namespace {

char16_t gArgText[64] = u"fuzz argument text, long enough for a GUID read";

UINTN EFIAPI Format(CHAR16 *Buffer, UINTN Size, const CHAR16 *Fmt, ...) {
  __builtin_ms_va_list Args;
  __builtin_ms_va_start(Args, Fmt);
  UINTN N = PrintServiceVSPrint(Buffer, Size, Fmt, Args);
  __builtin_ms_va_end(Args);
  return N;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  if (Size < 2) return 0;
  const size_t BufferBytes = Data[0] % 96;
  std::vector<CHAR16> Fmt;
  int Conversions = 0;
  for (size_t I = 1; I + 1 < Size && Fmt.size() < 200; I += 2) {
    CHAR16 C = (CHAR16)(Data[I] | Data[I + 1] << 8);
    if (C == 0) C = u'%';
    // '*' widths consume arguments too; keep within the 24 that are passed.
    if ((C == u'%' || C == u'*') && ++Conversions > 11) C = u'x';
    Fmt.push_back(C);
  }
  Fmt.push_back(0);
  // The buffer is exactly BufferBytes long: the sanitizer checks the bound.
  CHAR16 *Out = static_cast<CHAR16 *>(std::malloc(BufferBytes ? BufferBytes : 1));
  void *A = gArgText;
  UINTN N = Format(Out, BufferBytes, Fmt.data(), A, A, A, A, A, A, A, A, A, A, A, A, A, A, A, A, A,
                   A, A, A, A, A, A, A);
  if (BufferBytes >= 2 && (N >= BufferBytes / 2 || Out[N] != 0)) std::abort();
  std::free(Out);
  return 0;
}
