// SHA-256 as FIPS 180-4 defines it, for the supervisor password's salted hash.
#pragma once
#include "platform/efi.h"

inline constexpr UINTN kSha256Bytes = 32;

struct Sha256 {
  UINT32 State[8];
  UINT64 Length;  // bytes taken so far
  UINT8 Block[64];
  UINTN Filled;  // bytes waiting in Block
};

void Sha256Start(Sha256 &H);
void Sha256Add(Sha256 &H, const void *Data, UINTN Size);
// Writes the digest and wipes the state, which held the message's last bytes.
void Sha256Finish(Sha256 &H, UINT8 Digest[kSha256Bytes]);

// Sets Size bytes to zero in a way the compiler keeps (for secrets).
void WipeBytes(void *Data, UINTN Size);
