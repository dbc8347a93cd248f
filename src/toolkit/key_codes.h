#pragma once

// X keysyms the toolkit's controls react to.

#include <cstdint>

namespace velmora::toolkit::keys {

inline constexpr uint32_t kBackSpace = 0xFF08;
inline constexpr uint32_t kTab = 0xFF09;
inline constexpr uint32_t kLeftTab = 0xFE20;  // Shift+Tab as X reports it
inline constexpr uint32_t kReturn = 0xFF0D;
inline constexpr uint32_t kEscape = 0xFF1B;
inline constexpr uint32_t kHome = 0xFF50;
inline constexpr uint32_t kLeft = 0xFF51;
inline constexpr uint32_t kUp = 0xFF52;
inline constexpr uint32_t kRight = 0xFF53;
inline constexpr uint32_t kDown = 0xFF54;
inline constexpr uint32_t kEnd = 0xFF57;
inline constexpr uint32_t kKeypadEnter = 0xFF8D;
inline constexpr uint32_t kDelete = 0xFFFF;

}  // namespace velmora::toolkit::keys
