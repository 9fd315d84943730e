// The fixed scattered order of the dissolve transition.
#pragma once
#include "platform/efi.h"

constexpr UINT32 kDissolveBlocks = 51 * 51;

// Every block number 1..2601 once (block number minus one is the block index).
extern const UINT16 DissolveOrder[kDissolveBlocks];
