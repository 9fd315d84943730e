// The part of the USB I/O protocol the tablet driver uses. gnu-efi does not
// declare it; the layout is the one UEFI defines.
#pragma once
// Its GUID is gUsbIoProtocolGuid.
#include "platform/guids.h"

#pragma pack(push, 1)
typedef struct {
  UINT8 Length;
  UINT8 DescriptorType;
  UINT16 BcdUSB;
  UINT8 DeviceClass;
  UINT8 DeviceSubClass;
  UINT8 DeviceProtocol;
  UINT8 MaxPacketSize0;
  UINT16 IdVendor;
  UINT16 IdProduct;
  UINT16 BcdDevice;
  UINT8 StrManufacturer;
  UINT8 StrProduct;
  UINT8 StrSerialNumber;
  UINT8 NumConfigurations;
} EFI_USB_DEVICE_DESCRIPTOR;

typedef struct {
  UINT8 Length;
  UINT8 DescriptorType;
  UINT8 InterfaceNumber;
  UINT8 AlternateSetting;
  UINT8 NumEndpoints;
  UINT8 InterfaceClass;
  UINT8 InterfaceSubClass;
  UINT8 InterfaceProtocol;
  UINT8 Interface;
} EFI_USB_INTERFACE_DESCRIPTOR;

typedef struct {
  UINT8 Length;
  UINT8 DescriptorType;
  UINT8 EndpointAddress;
  UINT8 Attributes;
  UINT16 MaxPacketSize;
  UINT8 Interval;
} EFI_USB_ENDPOINT_DESCRIPTOR;
#pragma pack(pop)

static_assert(sizeof(EFI_USB_DEVICE_DESCRIPTOR) == 18);
static_assert(__builtin_offsetof(EFI_USB_DEVICE_DESCRIPTOR, IdVendor) == 8);
static_assert(__builtin_offsetof(EFI_USB_DEVICE_DESCRIPTOR, IdProduct) == 10);
static_assert(__builtin_offsetof(EFI_USB_DEVICE_DESCRIPTOR, NumConfigurations) == 17);
static_assert(sizeof(EFI_USB_INTERFACE_DESCRIPTOR) == 9);
static_assert(__builtin_offsetof(EFI_USB_INTERFACE_DESCRIPTOR, NumEndpoints) == 4);
static_assert(__builtin_offsetof(EFI_USB_INTERFACE_DESCRIPTOR, InterfaceClass) == 5);
static_assert(sizeof(EFI_USB_ENDPOINT_DESCRIPTOR) == 7);
static_assert(__builtin_offsetof(EFI_USB_ENDPOINT_DESCRIPTOR, MaxPacketSize) == 4);
static_assert(__builtin_offsetof(EFI_USB_ENDPOINT_DESCRIPTOR, Interval) == 6);

typedef EFI_STATUS(EFIAPI *EFI_ASYNC_USB_TRANSFER_CALLBACK)(VOID *Data, UINTN DataLength,
                                                            VOID *Context, UINT32 Status);

struct _EFI_USB_IO_PROTOCOL;
typedef EFI_STATUS(EFIAPI *EFI_USB_IO_ASYNC_INTERRUPT_TRANSFER)(
    struct _EFI_USB_IO_PROTOCOL *This, UINT8 DeviceEndpoint, BOOLEAN IsNewTransfer,
    UINTN PollingInterval, UINTN DataLength, EFI_ASYNC_USB_TRANSFER_CALLBACK InterruptCallBack,
    VOID *Context);
typedef EFI_STATUS(EFIAPI *EFI_USB_IO_GET_DEVICE_DESCRIPTOR)(struct _EFI_USB_IO_PROTOCOL *This,
                                                             EFI_USB_DEVICE_DESCRIPTOR *Descriptor);
typedef EFI_STATUS(EFIAPI *EFI_USB_IO_GET_INTERFACE_DESCRIPTOR)(
    struct _EFI_USB_IO_PROTOCOL *This, EFI_USB_INTERFACE_DESCRIPTOR *Descriptor);
typedef EFI_STATUS(EFIAPI *EFI_USB_IO_GET_ENDPOINT_DESCRIPTOR)(
    struct _EFI_USB_IO_PROTOCOL *This, UINT8 EndpointIndex,
    EFI_USB_ENDPOINT_DESCRIPTOR *Descriptor);

// Slots the driver never calls are plain pointers; only the order matters.
typedef struct _EFI_USB_IO_PROTOCOL {
  VOID *UsbControlTransfer;
  VOID *UsbBulkTransfer;
  EFI_USB_IO_ASYNC_INTERRUPT_TRANSFER UsbAsyncInterruptTransfer;
  VOID *UsbSyncInterruptTransfer;
  VOID *UsbIsochronousTransfer;
  VOID *UsbAsyncIsochronousTransfer;
  EFI_USB_IO_GET_DEVICE_DESCRIPTOR UsbGetDeviceDescriptor;
  VOID *UsbGetConfigDescriptor;
  EFI_USB_IO_GET_INTERFACE_DESCRIPTOR UsbGetInterfaceDescriptor;
  EFI_USB_IO_GET_ENDPOINT_DESCRIPTOR UsbGetEndpointDescriptor;
  VOID *UsbGetStringDescriptor;
  VOID *UsbGetSupportedLanguages;
  VOID *UsbPortReset;
} EFI_USB_IO_PROTOCOL;

static_assert(sizeof(EFI_USB_IO_PROTOCOL) == 13 * sizeof(VOID *));
static_assert(__builtin_offsetof(EFI_USB_IO_PROTOCOL, UsbAsyncInterruptTransfer) ==
              2 * sizeof(VOID *));
static_assert(__builtin_offsetof(EFI_USB_IO_PROTOCOL, UsbGetDeviceDescriptor) ==
              6 * sizeof(VOID *));
static_assert(__builtin_offsetof(EFI_USB_IO_PROTOCOL, UsbGetInterfaceDescriptor) ==
              8 * sizeof(VOID *));
static_assert(__builtin_offsetof(EFI_USB_IO_PROTOCOL, UsbGetEndpointDescriptor) ==
              9 * sizeof(VOID *));
static_assert(__builtin_offsetof(EFI_USB_IO_PROTOCOL, UsbPortReset) == 12 * sizeof(VOID *));
