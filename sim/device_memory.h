#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace velmora::sim {

// The memory areas a device keeps, each reached by its own commands.
enum class MemoryArea {
  Information,  // 34-byte device information block (read)
  Parameters,   // profile number at 0, parameter records per profile (read, write)
  KeyMap,       // 3 bytes per key index (read, write)
  LedMap,       // LED index per key index (read)
  ColorTables,  // per-key colour tables, 512 bytes each (write)
  LightFrame,   // the last streamed light frame (write)
  Macro,        // macro upload image (write)
  Shooting,     // shooting pattern image (write)
  Status,       // power and link status (read)
};
inline constexpr size_t kMemoryAreaCount = 9;

std::string_view MemoryAreaName(MemoryArea area);

inline constexpr size_t kInformationSize = 34;
inline constexpr size_t kKeyMapSize = 512;
inline constexpr size_t kLedMapSize = 512;
inline constexpr size_t kColorTableSize = 512;
inline constexpr size_t kLightFrameSize = 512;
inline constexpr size_t kStatusSize = 16;

// Information block fields the firmware fills.
inline constexpr size_t kInfoKeyCountByte = 5;       // key map entries
inline constexpr size_t kInfoMacroCapacityByte = 6;  // macro area size in units of 128 bytes
inline constexpr size_t kMacroCapacityUnit = 128;

// A device's memory: one byte area per MemoryArea. An area of size 0 is one the product
// does not have. Not thread-safe by itself: the firmware guards it.
class DeviceMemory {
 public:
  DeviceMemory();

  std::vector<uint8_t>& Area(MemoryArea area) { return areas_[Index(area)]; }
  const std::vector<uint8_t>& Area(MemoryArea area) const { return areas_[Index(area)]; }

  // Copies length bytes at offset into out; false (out untouched) when the range leaves the
  // area.
  bool Read(MemoryArea area, size_t offset, std::span<uint8_t> out) const;
  // Stores data at offset; false (nothing stored) when the range leaves the area.
  bool Write(MemoryArea area, size_t offset, std::span<const uint8_t> data);

 private:
  static size_t Index(MemoryArea area) { return static_cast<size_t>(area); }
  std::array<std::vector<uint8_t>, kMemoryAreaCount> areas_;
};

}  // namespace velmora::sim
