#pragma once

#include <cstdint>
#include <span>

#include "devices/light_state.h"

namespace velmora::devices {

// Packs the keyboard's LED colour array (indexed by key position) into a light frame: at 3 x
// the position's LED index go its red, green and blue, each multiplied by its brightness,
// keeping the high byte. Positions without an LED (255), or whose LED lies beyond the frame,
// are skipped; the rest of the frame is left as it is.
void PackKeyboardFrame(std::span<const LedColor> leds, std::span<const uint8_t> ledIndexOfPosition,
                       std::span<uint8_t> frame);

}  // namespace velmora::devices
