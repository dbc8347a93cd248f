#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "devices/keyboard_layout.h"

namespace velmora::devices {

inline constexpr size_t kKeyBlockSize = 512;
inline constexpr size_t kKeyFunctionSize = 3;
// Marks a position without a key index or without an LED.
inline constexpr uint8_t kNoMappedIndex = 255;

using PositionMap = std::array<uint8_t, kKeyboardPositionCount>;

// For each key position the key index and the LED index of its key on this keyboard.
struct KeyPositionMaps {
  PositionMap keyIndex;
  PositionMap ledIndex;
};

// Finds, for each position, the first key index k < keyCount whose 3-byte entry in keyMap
// equals the position's factory code, and takes its LED from ledMap byte k. Positions
// without a match keep 255 in both maps. Key indices past either block are never matched.
KeyPositionMaps BuildKeyPositionMaps(std::span<const uint8_t> keyMap,
                                     std::span<const uint8_t> ledMap, int keyCount);

}  // namespace velmora::devices
