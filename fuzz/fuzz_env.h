// A started driver shared by every input of a fuzz run.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

#include "driver/protocol.h"
#include "platform/services.h"
#include "sim/sim.h"

// Reads little-endian fields from the fuzz input; zeros once it runs out.
class FuzzInput {
 public:
  FuzzInput(const uint8_t *Data, size_t Size) : Data_(Data), Size_(Size) {}
  template <typename T>
  T Take() {
    T V{};
    size_t N = sizeof(T) < Size_ - Pos_ ? sizeof(T) : Size_ - Pos_;
    std::memcpy(&V, Data_ + Pos_, N);
    Pos_ += N;
    return V;
  }
  // A value in [Low, High].
  int32_t Range(int32_t Low, int32_t High) {
    uint32_t Span = (uint32_t)(High - Low) + 1;
    return Low + (int32_t)(Take<uint32_t>() % Span);
  }
  bool Empty() const { return Pos_ >= Size_; }
  // A screen coordinate: mostly on or near a 1024 x 768 screen, sometimes an extreme.
  int32_t Coord() {
    static constexpr int32_t kFar[] = {INT32_MIN, INT32_MIN + 1, -70000, -32768, -1,
                                       1023,      1024,          32767,  70000,  INT32_MAX};
    const uint8_t Kind = Take<uint8_t>();
    return Kind < 224 ? Range(-300, 1300) : kFar[Kind % (sizeof(kFar) / sizeof(kFar[0]))];
  }
  // A width and height: mostly small, sometimes screen-sized, sometimes zero,
  // negative or huge; never a buffer the pool would grant of more than a
  // little over a screen's worth (each paint allocates, clears and fills it).
  // Small sizes reach the same branches as large ones at a fraction of the
  // pixels, so a run tries many more of them.
  void Size(int32_t &W, int32_t &H) {
    static constexpr int32_t kFar[] = {INT32_MIN, -70000, -1, 0, 1, 65535, 70000, INT32_MAX};
    auto One = [&] {
      const uint8_t Kind = Take<uint8_t>();
      if (Kind < 176) return Range(-20, 300);
      return Kind < 232 ? Range(-20, 1100) : kFar[Kind % (sizeof(kFar) / sizeof(kFar[0]))];
    };
    W = One();
    H = One();
    const long long Pixels = (long long)W * H;
    if (W > 0 && H > 0 && Pixels > 1200000 && Pixels < (1LL << 28)) H = 3;
  }
  // A string of up to Max characters (any code units, NUL ends it early).
  std::u16string Text(size_t Max) {
    const size_t N = Take<uint8_t>() % (Max + 1);
    std::u16string S;
    for (size_t I = 0; I < N && !Empty(); I++) {
      const uint8_t B = Take<uint8_t>();
      // Mostly printable ASCII, digits and separators; sometimes any unit.
      char16_t C =
          B < 200 ? (char16_t)(0x20 + B % 0x5F) : (char16_t)(B == 255 ? Take<uint16_t>() : u'\n');
      S.push_back(C);
    }
    return S;
  }

 private:
  const uint8_t *Data_;
  size_t Size_;
  size_t Pos_ = 0;
};

// One simulated firmware for the whole run; the driver started once.
inline sim::Firmware &FuzzFirmware() {
  static sim::Firmware *Fw = [] {
    auto *F = new sim::Firmware(2);
    F->StartDriver();
    return F;
  }();
  return *Fw;
}

inline ORVANE_UI_PROTOCOL *FuzzDriver() { return FuzzFirmware().Ui(); }

// Pixels placed directly against an inaccessible page, after their end or
// right before their start, so a write outside them faults at once.
class GuardedPixels {
 public:
  GuardedPixels(size_t Count, bool GuardBefore) {
    const size_t Page = (size_t)sysconf(_SC_PAGESIZE);
    const size_t Bytes = Count * sizeof(ORVANE_PIXEL);
    Length_ = (Bytes + Page - 1) / Page * Page + Page;
    void *Map = mmap(nullptr, Length_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (Map == MAP_FAILED) std::abort();
    Base_ = static_cast<uint8_t *>(Map);
    if (GuardBefore) {
      mprotect(Base_, Page, PROT_NONE);
      Data_ = reinterpret_cast<ORVANE_PIXEL *>(Base_ + Page);
    } else {
      mprotect(Base_ + Length_ - Page, Page, PROT_NONE);
      Data_ = reinterpret_cast<ORVANE_PIXEL *>(Base_ + Length_ - Page - Bytes);
    }
  }
  ~GuardedPixels() { munmap(Base_, Length_); }
  GuardedPixels(const GuardedPixels &) = delete;
  GuardedPixels &operator=(const GuardedPixels &) = delete;
  ORVANE_PIXEL *Data() const { return Data_; }

 private:
  uint8_t *Base_ = nullptr;
  size_t Length_ = 0;
  ORVANE_PIXEL *Data_ = nullptr;
};

inline CHAR16 *Chars(std::u16string &S) { return reinterpret_cast<CHAR16 *>(S.data()); }

// A screen rectangle in 64-bit-safe arithmetic.
struct FuzzArea {
  __int128 X, Y, W, H;
};

// Holds no pixel: a call checked against it alone may only read the screen.
inline constexpr FuzzArea kNowhere = {0, 0, 0, 0};

// Starts recording Blt calls for one input.
inline void BeginTransfers() { sim::RecordTransfers(true); }

// Every transfer since BeginTransfers stays on the screen; those that write
// to it lie inside one of Allowed (none given: anywhere on the screen).
// Stops the run otherwise.
inline void CheckTransfers(std::initializer_list<FuzzArea> Allowed) {
  sim::Firmware &Fw = FuzzFirmware();
  const __int128 SW = Fw.Width(), SH = Fw.Height();
  for (const sim::Transfer &T : sim::Transfers()) {
    const bool Reads = T.Op == EfiBltVideoToBltBuffer;
    const __int128 X = Reads ? T.SourceX : T.DestinationX, Y = Reads ? T.SourceY : T.DestinationY;
    if (T.Width == 0 || T.Height == 0 || X + T.Width > SW || Y + T.Height > SH) std::abort();
    if (Reads) continue;
    bool Inside = Allowed.size() == 0;
    for (const FuzzArea &A : Allowed) {
      Inside |= X >= A.X && Y >= A.Y && X + T.Width <= A.X + A.W && Y + T.Height <= A.Y + A.H;
    }
    if (!Inside) std::abort();
  }
  sim::RecordTransfers(true);
}

// The pool must hold what it held before the input.
inline void CheckPool(size_t Live) {
  if (FuzzFirmware().LiveAllocations() != Live) std::abort();
}

// One input against a control: the started driver, the input's reader and
// the pool as it stood before. Unless told otherwise, the input's first byte
// sets the frame-buffer capture switch, so every target reaches both ways.
struct FuzzUnit {
  ORVANE_UI_PROTOCOL *const Ui;
  FuzzInput In;
  const size_t Live;

  FuzzUnit(const uint8_t *Data, size_t Size, bool TakeCapture = true)
      : Ui(FuzzDriver()), In(Data, Size), Live(FuzzFirmware().LiveAllocations()) {
    if (TakeCapture) Ui->SetFrameBufferCapture(In.Take<uint8_t>() & 1);
  }
  // Whatever happened, the pool holds what it held before the input.
  int Done() const {
    CheckPool(Live);
    return 0;
  }
  // The init refused: it drew nothing and kept nothing.
  int Refused() const {
    CheckTransfers({kNowhere});
    return Done();
  }
  // A step of a control that keeps no memory: it drew only inside Allowed.
  void Step(std::initializer_list<FuzzArea> Allowed) const {
    CheckTransfers(Allowed);
    CheckPool(Live);
  }
};

// Reordering may hand the caller pool copies of strings in place of its own:
// frees each of Strings[0, Count) that points into none of Texts and that the pool owns.
inline void FreeSwappedCopies(std::vector<const CHAR16 *> &Strings,
                              std::vector<std::u16string> &Texts, UINT16 Count) {
  for (UINT16 I = 0; I < Count; I++) {
    bool Original = false;
    for (UINT16 J = 0; J < Count; J++) Original |= Strings[I] == Chars(Texts[J]);
    if (!Original && FuzzFirmware().OwnsPool(Strings[I]))
      PoolFree(const_cast<CHAR16 *>(Strings[I]));
  }
}
