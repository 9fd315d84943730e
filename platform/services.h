// Module-wide state: the bound services and the frame-buffer capture switch.
// One caller at a time; nothing is guarded.
#pragma once
#include "platform/efi.h"
#include "platform/float_math.h"

// Boot services, float and print are bound at entry and never change.
extern EFI_BOOT_SERVICES *gBootServices;
extern EFI_PRINT_PROTOCOL *gPrint;
extern FLOAT_MATH_PROTOCOL *gFloat;
extern BOOLEAN FrameBufferCapture;

// Graphics output and the HII font are looked up when a call first needs
// them: dispatched from the firmware volume, the driver starts long before
// the console's display is connected. Read them through Graphics() and
// Font(); the variables only keep what was found.
extern EFI_GRAPHICS_OUTPUT_PROTOCOL *gGraphics;
extern EFI_HII_FONT_PROTOCOL *gFont;
// The service, located now if not yet found; NULL while the platform has none
// (and nothing is kept then, so a later call looks again).
EFI_GRAPHICS_OUTPUT_PROTOCOL *Graphics();
EFI_HII_FONT_PROTOCOL *Font();

// Pool memory of type EfiBootServicesData; NULL on failure.
void *PoolAlloc(UINTN Bytes);
void PoolFree(void *Buffer);

// A pool buffer owned by the scope that made it, so early returns cannot leak.
// Release() hands the memory over to a caller.
template <typename T>
class PoolBuffer {
 public:
  explicit PoolBuffer(UINTN Count) : Ptr_(static_cast<T *>(PoolAlloc(Count * sizeof(T)))) {}
  // Takes over a block the pool gave out elsewhere (a service, the EFI Library).
  explicit PoolBuffer(T *Owned) : Ptr_(Owned) {}
  PoolBuffer() = default;
  PoolBuffer(const PoolBuffer &) = delete;
  PoolBuffer &operator=(const PoolBuffer &) = delete;
  ~PoolBuffer() { PoolFree(Ptr_); }
  T *Get() const { return Ptr_; }
  T *Release() {
    T *P = Ptr_;
    Ptr_ = nullptr;
    return P;
  }
  explicit operator bool() const { return Ptr_ != nullptr; }
  T &operator[](UINTN I) const { return Ptr_[I]; }

 private:
  T *Ptr_ = nullptr;
};

// Current mode's resolution (0 x 0 while there is no graphics service).
UINT32 ScreenWidth();
UINT32 ScreenHeight();

// Thin wrappers around the float service, so call sites read as arithmetic.
namespace fm {
inline FLOAT32_BITS Add(FLOAT32_BITS A, FLOAT32_BITS B) { return gFloat->FloatAdd(A, B); }
inline FLOAT32_BITS Sub(FLOAT32_BITS A, FLOAT32_BITS B) { return gFloat->FloatSub(A, B); }
inline FLOAT32_BITS Mul(FLOAT32_BITS A, FLOAT32_BITS B) { return gFloat->FloatMul(A, B); }
inline FLOAT32_BITS Div(FLOAT32_BITS A, FLOAT32_BITS B) { return gFloat->FloatDiv(A, B); }
inline FLOAT32_BITS Cos(FLOAT32_BITS A) { return gFloat->FloatCos(A); }
inline FLOAT32_BITS Sin(FLOAT32_BITS A) { return gFloat->FloatSin(A); }
inline FLOAT32_BITS Sqrt(FLOAT32_BITS A) { return gFloat->FloatSqrt(A); }
inline INT32 ToInt(FLOAT32_BITS A) { return gFloat->FloatToInt(A); }
inline INT32 ToIntAlt(FLOAT32_BITS A) { return gFloat->FloatToIntAlt(A); }
inline FLOAT32_BITS FromInt(INT32 A) { return gFloat->IntToFloat(A); }
inline FLOAT32_BITS DegToRad(FLOAT32_BITS A) { return gFloat->DegreesToRadians(A); }
inline UINT8 Compare(FLOAT32_BITS A, FLOAT32_BITS B) { return gFloat->FloatCompare(A, B); }
}  // namespace fm
