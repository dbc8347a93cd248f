#include "devices/supported_interfaces.h"

namespace velmora::devices {
namespace {

DeviceInterfaceEntry Row(uint16_t vid, uint16_t pid, uint16_t mi, uint16_t col, uint16_t family,
                         uint16_t kind, uint16_t page, uint16_t usage, uint16_t hasPartner,
                         uint16_t partner) {
  DeviceInterfaceEntry e;
  e.vendorId = vid;
  e.productId = pid;
  e.interfaceNumber = mi;
  e.collectionNumber = col;
  e.familyCode = family;
  e.kind = kind;
  e.usagePage = page;
  e.usage = usage;
  e.hasPartner = hasPartner;
  e.partnerIndex = partner;
  return e;
}

const std::array<DeviceInterfaceEntry, kSupportedInterfaceCount>& Table() {
  static const std::array<DeviceInterfaceEntry, kSupportedInterfaceCount> table = {
      Row(0x320F, 0x505B, 1, 4, kFamilyKeyboard, kKindCommand, 0xFF1C, 0x92, 1, 2),
      Row(0x320F, 0x505B, 1, 3, kFamilyKeyboard, kKindNotification, 0x000C, 0x01, 1, 3),
      Row(0x320F, 0x5088, 1, 4, kFamilyKeyboardReceiver, kKindCommand, 0xFF1C, 0x92, 1, 0),
      Row(0x320F, 0x5088, 1, 3, kFamilyKeyboardReceiver, kKindNotification, 0x000C, 0x01, 1, 1),
      Row(0x320F, 0x221C, 1, 4, kFamilyMouse, kKindCommand, 0xFF1C, 0x92, 1, 6),
      Row(0x320F, 0x221C, 1, 3, kFamilyMouse, kKindNotification, 0x000C, 0x01, 1, 7),
      Row(0x320F, 0x221D, 1, 4, kFamilyMouseReceiver, kKindCommand, 0xFF1C, 0x92, 1, 4),
      Row(0x320F, 0x221D, 1, 3, kFamilyMouseReceiver, kKindNotification, 0x000C, 0x01, 1, 5),
      Row(0x320F, 0x1004, 1, 4, kFamilyMousePad, kKindCommand, 0xFF1C, 0x92, 0, 0),
      Row(0x320F, 0x1004, 1, 3, kFamilyMousePad, kKindNotification, 0x000C, 0x01, 0, 0),
      Row(0x0C76, 0x1630, 3, 0, kFamilyHeadset, kKindCommand, 0x000C, 0x01, 0, 0),
  };
  return table;
}

}  // namespace

bool SameDeviceInterface(const DeviceInterfaceEntry& a, const DeviceInterfaceEntry& b) {
  return a.vendorId == b.vendorId && a.productId == b.productId &&
         a.interfaceNumber == b.interfaceNumber && a.collectionNumber == b.collectionNumber &&
         a.familyCode == b.familyCode && a.kind == b.kind && a.usagePage == b.usagePage &&
         a.usage == b.usage;
}

std::span<const DeviceInterfaceEntry, kSupportedInterfaceCount> SupportedInterfaces() {
  return std::span<const DeviceInterfaceEntry, kSupportedInterfaceCount>(Table());
}

int FindSupportedInterface(uint16_t vendorId, uint16_t productId, uint16_t interfaceNumber,
                           uint16_t collectionNumber, uint16_t usagePage, uint16_t usage) {
  const auto& table = Table();
  for (size_t i = 0; i < table.size(); ++i) {
    const auto& r = table[i];
    if (r.vendorId == vendorId && r.productId == productId && r.interfaceNumber == interfaceNumber &&
        r.collectionNumber == collectionNumber && r.usagePage == usagePage && r.usage == usage) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace velmora::devices
