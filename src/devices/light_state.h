#pragma once

#include <cstdint>

namespace velmora::devices {

// One LED colour array entry.
struct LedColor {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t brightness = 0;
  // Packed as the bytes red, green, blue, brightness (little-endian).
  constexpr uint32_t Pack() const {
    return uint32_t{red} | uint32_t{green} << 8 | uint32_t{blue} << 16 | uint32_t{brightness} << 24;
  }
  static constexpr LedColor Unpack(uint32_t packed) {
    return LedColor{static_cast<uint8_t>(packed), static_cast<uint8_t>(packed >> 8),
                    static_cast<uint8_t>(packed >> 16), static_cast<uint8_t>(packed >> 24)};
  }
  bool operator==(const LedColor&) const = default;
};

// A colour channel as frames carry it: multiplied by the LED's brightness, the high byte of
// the 16-bit product kept.
constexpr uint8_t ScaleByBrightness(uint8_t channel, uint8_t brightness) {
  return static_cast<uint8_t>((channel * brightness) >> 8);
}

// The unpacked light settings the effects run on.
struct LightSettings {
  uint8_t mode = 0;
  uint8_t brightness = 0;  // brightness level (index into the brightness table)
  uint8_t speed = 0;       // speed level 0-4
  uint8_t direction = 0;
  uint8_t multiColour = 0;
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t modeParameter = 0;
  uint8_t customTable = 0;
  bool operator==(const LightSettings&) const = default;
};

// The packed light settings of SetLightSettings / GetLightSettings: the lighting record as
// two words, a value and a last word (low byte custom-table index, high byte saved mode).
struct PackedLightSettings {
  uint32_t word1 = 0;
  uint32_t word2 = 0;
  uint32_t value = 0;
  uint16_t lastWord = 0;
  bool operator==(const PackedLightSettings&) const = default;
};

}  // namespace velmora::devices
