#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace velmora::devices {

// Family codes of the supported products.
enum FamilyCode : uint16_t {
  kFamilyKeyboard = 1,
  kFamilyMouse = 2,
  kFamilyMousePad = 3,
  kFamilyMouseReceiver = 6,
  kFamilyHeadset = 7,
  kFamilyKeyboardReceiver = 9,
};

// Interface kinds.
enum InterfaceKind : uint16_t {
  kKindCommand = 0,
  kKindNotification = 255,
};

// One supported HID interface (a row of the supported-interface table and of the main
// window's slot list), with its device path while it is attached.
struct DeviceInterfaceEntry {
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  uint16_t interfaceNumber = 0;
  uint16_t collectionNumber = 0;
  uint16_t familyCode = 0;
  uint16_t kind = 0;
  uint16_t present = 0;
  uint16_t usagePage = 0;
  uint16_t usage = 0;
  uint16_t hasPartner = 0;
  uint16_t partnerIndex = 0;
  std::string devicePath;
};

// Same device interface: every identifying field equal (present, partner and path ignored).
bool SameDeviceInterface(const DeviceInterfaceEntry& a, const DeviceInterfaceEntry& b);

inline constexpr size_t kSupportedInterfaceCount = 11;

// The fixed table of supported interfaces, in slot order.
std::span<const DeviceInterfaceEntry, kSupportedInterfaceCount> SupportedInterfaces();

// The row whose vendor, product, interface and collection numbers, usage page and usage all
// equal the given ones; -1 when none does.
int FindSupportedInterface(uint16_t vendorId, uint16_t productId, uint16_t interfaceNumber,
                           uint16_t collectionNumber, uint16_t usagePage, uint16_t usage);

}  // namespace velmora::devices
