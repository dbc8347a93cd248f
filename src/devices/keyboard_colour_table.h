#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "devices/keyboard_key_maps.h"
#include "devices/light_state.h"

namespace velmora::devices {

// The per-key colour table is 512 bytes of red, green, blue per LED index; profile tables sit
// 512 bytes apart.
inline constexpr uint32_t kColourTableSize = 512;
// Positions from here on have no key of the main block and are left out of the table.
inline constexpr size_t kColourTablePositions = 127;

using ColourTable = std::array<uint8_t, kColourTableSize>;

// Places each position's colour (positions 0-126, colours indexed by position) at 3 x its LED
// index; positions without an LED, or whose LED would lie past the table, are skipped.
// premultiplied scales each colour by its brightness, as a light frame does.
ColourTable BuildCustomColourTable(std::span<const LedColor> colours, const PositionMap& ledIndex,
                                   bool premultiplied);

}  // namespace velmora::devices
