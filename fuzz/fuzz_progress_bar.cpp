// The progress bar draws into the caller's buffer: W x max(H, 20) pixels
// placed against a guard page (after the end, or right before the start), so
// any write outside them faults. It must not touch the screen.
#include "fuzz/fuzz_env.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
  FuzzUnit U(Data, Size, false);
  const uint8_t Mode = U.In.Take<uint8_t>();
  const INT32 W = Mode & 0x80 ? U.In.Take<INT32>() : U.In.Range(-4, 700);
  const INT32 H = Mode & 0x40 ? U.In.Take<INT32>() : U.In.Range(-4, 120);
  const INT32 Percent = Mode & 0x20 ? U.In.Take<INT32>() : U.In.Range(-5, 105);
  std::u16string Label = U.In.Text(60);
  const size_t Rows = H < 20 ? 20 : (size_t)H;
  // A buffer no caller could hand over; up to a million pixels, more than
  // the screen, keeps a unit short (each row steps a gradient).
  if (W > 0 && (size_t)W * Rows > 1000000) return 0;
  GuardedPixels Buffer(W > 0 ? (size_t)W * Rows : 0, Mode & 1);
  BeginTransfers();
  U.Ui->DrawProgressBar(Buffer.Data(), U.In.Take<INT32>(), U.In.Take<INT32>(), 0, 0, W, H,
                        Mode & 2 ? Chars(Label) : nullptr, Percent);
  CheckTransfers({kNowhere});
  return U.Done();
}
