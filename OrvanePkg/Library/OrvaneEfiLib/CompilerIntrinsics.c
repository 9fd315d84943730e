/** @file
  The memory calls GCC emits for struct copies and clears, which no MdePkg
  library provides.
**/
#include <Library/BaseMemoryLib.h>

void *memcpy(void *Destination, const void *Source, __SIZE_TYPE__ Count) {
  return CopyMem(Destination, Source, Count);
}

void *memmove(void *Destination, const void *Source, __SIZE_TYPE__ Count) {
  // CopyMem allows the two to overlap.
  return CopyMem(Destination, Source, Count);
}

void *memset(void *Destination, int Value, __SIZE_TYPE__ Count) {
  return SetMem(Destination, Count, (UINT8)Value);
}

int memcmp(const void *Left, const void *Right, __SIZE_TYPE__ Count) {
  return (int)CompareMem(Left, Right, Count);
}
