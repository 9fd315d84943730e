// Block grid and pacing shared by the wipe and dissolve transitions.
#pragma once
#include "platform/efi.h"

constexpr UINT32 kTransitionGrid = 51;  // blocks per row and per column

// Empty-loop iterations after every block. Host tests set it to 0 to run fast.
extern UINT32 TransitionPauseIterations;

struct BlockSpan {
  UINT32 Start;
  UINT32 Size;  // 0 when the extent is narrower than the grid
};

// Column (or row) Index of an image Extent pixels wide (or high): the first
// Extent mod 51 spans are one pixel larger than the rest.
inline BlockSpan TransitionSpan(UINT32 Extent, UINT32 Index) {
  UINT32 Base = Extent / kTransitionGrid;
  UINT32 Extra = Extent % kTransitionGrid;
  return {Index * Base + (Index < Extra ? Index : Extra), Base + (Index < Extra ? 1u : 0u)};
}
