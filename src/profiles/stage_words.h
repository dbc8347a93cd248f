#pragma once

#include <array>
#include <cstdint>

namespace velmora::profiles {

// Three 32-bit words, each carrying two 16-bit settings (low half first).
using StageWords = std::array<uint32_t, 3>;

// The low and high 16-bit halves of a word, and the word made of two halves.
inline uint16_t LowHalf(uint32_t word) { return static_cast<uint16_t>(word & 0xFFFF); }
inline uint16_t HighHalf(uint32_t word) { return static_cast<uint16_t>(word >> 16); }
inline uint32_t JoinHalves(uint32_t low, uint32_t high) {
  return (low & 0xFFFF) | ((high & 0xFFFF) << 16);
}

}  // namespace velmora::profiles
