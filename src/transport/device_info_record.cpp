#include "transport/device_info_record.h"

#include <algorithm>

namespace velmora::transport {

uint8_t DeviceInfoRecord::Byte(size_t offset) const {
  if (offset < bytes.size()) return bytes[offset];
  if (offset == bytes.size()) return static_cast<uint8_t>(tail & 0xFF);
  if (offset == bytes.size() + 1) return static_cast<uint8_t>(tail >> 8);
  return 0;
}

uint16_t DeviceInfoRecord::Word(size_t offset) const {
  return static_cast<uint16_t>(Byte(offset) | (Byte(offset + 1) << 8));
}

void DeviceInfoRecord::Assign(std::span<const uint8_t, kDeviceInfoSize> block) {
  std::copy_n(block.begin(), bytes.size(), bytes.begin());
  tail = static_cast<uint16_t>(block[32] | (block[33] << 8));
}

}  // namespace velmora::transport
