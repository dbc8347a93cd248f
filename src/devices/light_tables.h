#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace velmora::devices {

// One colour of the fixed light tables.
struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr size_t kPaletteSize = 4;
inline constexpr size_t kBrightnessLevels = 25;
inline constexpr size_t kColourWheelSize = 192;
inline constexpr size_t kBreathingCurveSize = 128;
inline constexpr size_t kBlinkSpeedLevels = 5;
// Blink periods are counted in these units.
inline constexpr uint32_t kBlinkPeriodUnitMs = 200;

// The four-colour palette of the palette effects.
extern const std::array<Rgb, kPaletteSize> kPalette;

// Brightness (0-255) of each brightness level.
extern const std::array<uint8_t, kBrightnessLevels> kBrightnessTable;

// A hue circle of 192 steps: red -> yellow -> green -> cyan -> blue -> magenta -> red.
extern const std::array<Rgb, kColourWheelSize> kColourWheel;

// One breath: entries 0-63 rise from 0 to 255, entries 64-127 fall back to 0.
extern const std::array<uint8_t, kBreathingCurveSize> kBreathingCurve;

// Blink period of each speed level, in units of kBlinkPeriodUnitMs.
extern const std::array<uint8_t, kBlinkSpeedLevels> kBlinkPeriods;

// Table lookups that clamp an out-of-range level to the last entry, so a level read from a
// hand-edited document can never index past a table.
uint8_t BrightnessForLevel(uint32_t level);
uint32_t BlinkPeriodMs(uint32_t speedLevel);
Rgb ColourWheelAt(uint32_t index);
uint8_t BreathingAt(uint32_t phase);
Rgb PaletteAt(uint32_t index);

// Advances an 8-bit effect phase. Forwards: current + step, or 0 once that reaches limit.
// Backwards: current - step (as an 8-bit value) while that is below limit, else limit - step,
// so stepping down from 0 wraps round to the top.
uint8_t StepPhase(bool direction, uint8_t limit, uint8_t current, uint8_t step);

}  // namespace velmora::devices
