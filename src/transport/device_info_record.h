#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace velmora::transport {

inline constexpr size_t kDeviceInfoSize = 34;

// The device-information block read with command 3: 32 bytes followed by a 16-bit field
// (little-endian on the wire). The families read their own fields from it by offset.
struct DeviceInfoRecord {
  std::array<uint8_t, 32> bytes{};
  uint16_t tail = 0;

  // Byte at an offset of the 34-byte block; 0 past its end.
  uint8_t Byte(size_t offset) const;
  // Little-endian 16-bit value at an offset of the block; bytes past its end read as 0.
  uint16_t Word(size_t offset) const;

  // Fills the record from the 34 bytes as the device sends them.
  void Assign(std::span<const uint8_t, kDeviceInfoSize> block);
};

}  // namespace velmora::transport
