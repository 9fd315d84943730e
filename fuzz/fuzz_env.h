// A started driver shared by every input of a fuzz run.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "driver/protocol.h"
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
