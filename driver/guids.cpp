// The toolkit's two interface GUIDs, defined once for the driver and for the
// front-end that locates them.
#include "driver/protocol.h"

constinit EFI_GUID gOrvaneUiProtocolGuid = ORVANE_UI_PROTOCOL_GUID;
constinit EFI_GUID gOrvaneBannerProtocolGuid = ORVANE_BANNER_PROTOCOL_GUID;
