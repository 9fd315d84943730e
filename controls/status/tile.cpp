#include "controls/status/tile.h"

#include "controls/status/round_frame.h"
#include "controls/status/tile_face.h"

UINTN EFIAPI DrawTile(INT32 X, INT32 Y, INT32 Width, INT32 Height, UINT8 Active) {
  return PaintOffscreen(X, Y, Width, Height, [&](const DrawTarget &T) {
    DrawTileFace(T, 0, 0, Width, Height, Active);
    DrawRoundFrame(T, 0, 0, Width, Height, 10, 0xFFFFFF);
  });
}
