// SHA-256 (FIPS 180-4, section 6.2): 64-byte blocks, big-endian words.
#include "frontend/setup/sha256.h"

namespace {

constexpr UINT32 kRound[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr UINT32 Rotr(UINT32 X, int N) { return (X >> N) | (X << (32 - N)); }

void Compress(UINT32 State[8], const UINT8 Block[64]) {
  UINT32 W[64];
  for (int T = 0; T < 16; T++) {
    W[T] = (UINT32)Block[4 * T] << 24 | (UINT32)Block[4 * T + 1] << 16 |
           (UINT32)Block[4 * T + 2] << 8 | Block[4 * T + 3];
  }
  for (int T = 16; T < 64; T++) {
    const UINT32 S0 = Rotr(W[T - 15], 7) ^ Rotr(W[T - 15], 18) ^ (W[T - 15] >> 3);
    const UINT32 S1 = Rotr(W[T - 2], 17) ^ Rotr(W[T - 2], 19) ^ (W[T - 2] >> 10);
    W[T] = W[T - 16] + S0 + W[T - 7] + S1;
  }
  UINT32 A = State[0], B = State[1], C = State[2], D = State[3];
  UINT32 E = State[4], F = State[5], G = State[6], H = State[7];
  for (int T = 0; T < 64; T++) {
    const UINT32 T1 =
        H + (Rotr(E, 6) ^ Rotr(E, 11) ^ Rotr(E, 25)) + ((E & F) ^ (~E & G)) + kRound[T] + W[T];
    const UINT32 T2 = (Rotr(A, 2) ^ Rotr(A, 13) ^ Rotr(A, 22)) + ((A & B) ^ (A & C) ^ (B & C));
    H = G;
    G = F;
    F = E;
    E = D + T1;
    D = C;
    C = B;
    B = A;
    A = T1 + T2;
  }
  State[0] += A;
  State[1] += B;
  State[2] += C;
  State[3] += D;
  State[4] += E;
  State[5] += F;
  State[6] += G;
  State[7] += H;
  WipeBytes(W, sizeof(W));
}

}  // namespace

void WipeBytes(void *Data, UINTN Size) {
  volatile UINT8 *P = static_cast<volatile UINT8 *>(Data);
  for (UINTN I = 0; I < Size; I++) P[I] = 0;
}

void Sha256Start(Sha256 &H) {
  constexpr UINT32 kInitial[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                  0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  for (int I = 0; I < 8; I++) H.State[I] = kInitial[I];
  H.Length = 0;
  H.Filled = 0;
}

void Sha256Add(Sha256 &H, const void *Data, UINTN Size) {
  const UINT8 *P = static_cast<const UINT8 *>(Data);
  H.Length += Size;
  while (Size > 0) {
    const UINTN Take = 64 - H.Filled < Size ? 64 - H.Filled : Size;
    for (UINTN I = 0; I < Take; I++) H.Block[H.Filled + I] = P[I];
    H.Filled += Take;
    P += Take;
    Size -= Take;
    if (H.Filled == 64) {
      Compress(H.State, H.Block);
      H.Filled = 0;
    }
  }
}

void Sha256Finish(Sha256 &H, UINT8 Digest[kSha256Bytes]) {
  const UINT64 Bits = H.Length * 8;
  // A one bit, zeros up to 56 bytes into a block, then the length in bits.
  H.Block[H.Filled++] = 0x80;
  if (H.Filled > 56) {
    while (H.Filled < 64) H.Block[H.Filled++] = 0;
    Compress(H.State, H.Block);
    H.Filled = 0;
  }
  while (H.Filled < 56) H.Block[H.Filled++] = 0;
  for (int I = 0; I < 8; I++) H.Block[56 + I] = (UINT8)(Bits >> (56 - 8 * I));
  Compress(H.State, H.Block);
  for (int I = 0; I < 8; I++) {
    Digest[4 * I] = (UINT8)(H.State[I] >> 24);
    Digest[4 * I + 1] = (UINT8)(H.State[I] >> 16);
    Digest[4 * I + 2] = (UINT8)(H.State[I] >> 8);
    Digest[4 * I + 3] = (UINT8)H.State[I];
  }
  WipeBytes(&H, sizeof(H));
}
