// The print service's formatting call, fed a Microsoft x64 va_list the way
// the driver does: conversions, padding, and bounded output.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/guids.h"
#include "shim/print_service.h"

namespace {

// The driver's side of the call: a variadic function with the Microsoft ABI.
UINTN EFIAPI Fmt(CHAR16 *B, UINTN S, const CHAR16 *F, ...) {
  __builtin_ms_va_list M;
  __builtin_ms_va_start(M, F);
  const UINTN N = PrintServiceVSPrint(B, S, F, M);
  __builtin_ms_va_end(M);
  return N;
}

// The published pointer type matches the function.
[[maybe_unused]] constexpr EFI_PRINT_VSPRINT kAsPublished = PrintServiceVSPrint;

constexpr CHAR16 kGuard = 0xCDCD;

std::string Narrow(const CHAR16 *S) {
  std::string Out;
  for (; *S; ++S) Out += *S < 0x80 ? static_cast<char>(*S) : '?';
  return Out;
}

// Formats into a guard-filled buffer of 128 characters and checks that the
// result is terminated and that its return value is its length.
template <typename... Args>
std::string Format(const CHAR16 *F, Args... A) {
  CHAR16 Buf[128];
  for (CHAR16 &C : Buf) C = kGuard;
  const UINTN N = Fmt(Buf, sizeof(Buf), F, A...);
  EXPECT_LT(N, 128u);
  EXPECT_EQ(Buf[N], 0) << "not terminated at the returned length";
  for (UINTN I = 0; I < N; ++I) EXPECT_NE(Buf[I], 0) << "early terminator at " << I;
  return Narrow(Buf);
}

TEST(PrintService, Conversions) {
  EXPECT_EQ(Format(W("plain text")), "plain text");
  EXPECT_EQ(Format(W("<%s>"), W("wide")), "<wide>");
  EXPECT_EQ(Format(W("<%a>"), "ascii"), "<ascii>");
  EXPECT_EQ(Format(W("%c%c"), 'O', 'K'), "OK");
  EXPECT_EQ(Format(W("100%%")), "100%");
  EXPECT_EQ(Format(W("%d %d %d"), 0, -42, 2147483647), "0 -42 2147483647");
  EXPECT_EQ(Format(W("%d"), INT32_MIN), "-2147483648");
  EXPECT_EQ(Format(W("%i"), -7), "-7");
  EXPECT_EQ(Format(W("%u"), 4000000000u), "4000000000");
  EXPECT_EQ(Format(W("%x %X"), 0xBEEFu, 0xBEEFu), "beef BEEF");
  EXPECT_EQ(Format(W("%x"), 0xFFFFFFFFu), "ffffffff");
  EXPECT_EQ(Format(W("%ld"), static_cast<INT64>(-1234567890123LL)), "-1234567890123");
  EXPECT_EQ(Format(W("%ld"), INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(Format(W("%lu"), UINT64_MAX), "18446744073709551615");
  EXPECT_EQ(Format(W("%lx %lX"), 0x123456789ABCDEFull, 0xFEDCBA9876543210ull),
            "123456789abcdef FEDCBA9876543210");
  EXPECT_EQ(Format(W("%p"), reinterpret_cast<void *>(0x1234)), "0000000000001234");
  EXPECT_EQ(Format(W("%s|%a"), static_cast<CHAR16 *>(nullptr), static_cast<char *>(nullptr)),
            "<null string>|<null string>");
  EXPECT_EQ(Format(W("%g"), &gPrintProtocolGuid), "df2d868e-32fc-4cf0-8e6b-ffd95d1343d0");
}

TEST(PrintService, ArgumentsOfMixedWidthsStayInStep) {
  // Each argument takes one 8-byte slot; 'l' picks how much of it is read.
  EXPECT_EQ(Format(W("%d,%ld,%x,%lx,%s,%c,%a,%u"), -1, static_cast<INT64>(-2), 0xFFFFFFFFu,
                   0x100000000ull, W("w"), 'c', "a", 5u),
            "-1,-2,ffffffff,100000000,w,c,a,5");
  EXPECT_EQ(Format(W("%*d|%-*d|%.*s"), 5, 42, 4, 7, 2, W("abcdef")), "   42|7   |ab");
}

TEST(PrintService, CharactersBeyondAscii) {
  CHAR16 Buf[8];
  const UINTN N = Fmt(Buf, sizeof(Buf), W("%c%s"), 0x263A, W("\u00e9"));
  ASSERT_EQ(N, 2u);
  EXPECT_EQ(Buf[0], 0x263A);
  EXPECT_EQ(Buf[1], 0x00E9);
  EXPECT_EQ(Buf[2], 0);
  // ASCII strings are widened byte by byte, not sign-extended.
  ASSERT_EQ(Fmt(Buf, sizeof(Buf), W("%a"), "\xE9"), 1u);
  EXPECT_EQ(Buf[0], 0x00E9);
}

TEST(PrintService, WidthPaddingAndPrecision) {
  EXPECT_EQ(Format(W("[%5d]"), 42), "[   42]");
  EXPECT_EQ(Format(W("[%-5d]"), 42), "[42   ]");
  EXPECT_EQ(Format(W("[%05d]"), -42), "[-0042]");
  EXPECT_EQ(Format(W("[%-05d]"), 42), "[42   ]");  // '-' wins over '0'
  EXPECT_EQ(Format(W("[%08X]"), 0xABCu), "[00000ABC]");
  EXPECT_EQ(Format(W("[%016lx]"), 0x1ull), "[0000000000000001]");
  EXPECT_EQ(Format(W("[%2d]"), 12345), "[12345]");  // width never truncates
  EXPECT_EQ(Format(W("[%6s]"), W("ab")), "[    ab]");
  EXPECT_EQ(Format(W("[%-6a]"), "ab"), "[ab    ]");
  EXPECT_EQ(Format(W("[%.3s]"), W("abcdef")), "[abc]");
  EXPECT_EQ(Format(W("[%.4d]"), 7), "[0007]");
  EXPECT_EQ(Format(W("[%+d %+d]"), 3, -3), "[+3 -3]");
  EXPECT_EQ(Format(W("[%3c]"), 'x'), "[x]");
}

TEST(PrintService, UnknownDirectivesAreCopied) {
  EXPECT_EQ(Format(W("%q and %5y"), 1), "%q and %5y");
  EXPECT_EQ(Format(W("ends with %")), "ends with %");
  EXPECT_EQ(Format(W("%q%d"), 9), "%q9");  // nothing consumed by the unknown one
}

TEST(PrintService, OutputStaysInsideTheBuffer) {
  const CHAR16 *F = W("%s=%05d|%-4a|%lx");
  const std::string Full = "key=-0012|ab  |deadbeef12";
  // Every size in bytes, odd ones included: the output is the longest prefix
  // that fits with its terminator, and nothing past BufferSize bytes changes.
  for (UINTN Size = 0; Size <= 2 * Full.size() + 6; ++Size) {
    CHAR16 Buf[64];
    for (CHAR16 &C : Buf) C = kGuard;
    const UINTN N = Fmt(Buf, Size, F, W("key"), -12, "ab", 0xDEADBEEF12ull);
    const UINTN Capacity = Size / 2;
    const UINTN Expect = Capacity == 0 ? 0 : std::min<UINTN>(Full.size(), Capacity - 1);
    ASSERT_EQ(N, Expect) << "size " << Size;
    if (Capacity > 0) {
      ASSERT_EQ(Buf[N], 0) << "size " << Size;
      Buf[N] = kGuard;
    }
    for (UINTN I = 0; I < N; ++I) ASSERT_EQ(Buf[I], static_cast<CHAR16>(Full[I])) << Size;
    for (UINTN I = N; I < 64; ++I) ASSERT_EQ(Buf[I], kGuard) << "size " << Size << " at " << I;
  }
}

TEST(PrintService, DegenerateArguments) {
  CHAR16 Buf[4] = {kGuard, kGuard, kGuard, kGuard};
  EXPECT_EQ(Fmt(Buf, 1, W("x")), 0u);  // less than one character: nothing written
  EXPECT_EQ(Buf[0], kGuard);
  EXPECT_EQ(Fmt(Buf, 2, W("x")), 0u);
  EXPECT_EQ(Buf[0], 0);
  EXPECT_EQ(Buf[1], kGuard);
  EXPECT_EQ(Fmt(nullptr, 100, W("x")), 0u);
  Buf[0] = kGuard;
  EXPECT_EQ(Fmt(Buf, sizeof(Buf), nullptr), 0u);
  EXPECT_EQ(Buf[0], 0);
  // A long padded field is cut at the buffer end too.
  EXPECT_EQ(Fmt(Buf, sizeof(Buf), W("%40d"), 1), 3u);
  EXPECT_EQ(Narrow(Buf), "   ");
  EXPECT_EQ(Fmt(Buf, sizeof(Buf), W("%-40d"), 1), 3u);
  EXPECT_EQ(Narrow(Buf), "1  ");
}

}  // namespace
