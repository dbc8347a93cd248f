#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "devices/light_state.h"
#include "profiles/light_records.h"

namespace velmora::devices {

// Per-LED effect kinds of a "LightList" entry.
enum PerLedKind : uint8_t {
  kPerLedBreathing = 0,
  kPerLedStatic = 1,
  kPerLedFlash = 2,
  kPerLedSpectrum = 3,
  kPerLedOff = 4,
};

// The per-LED effect layer: every LED runs its own effect from its "LightList" entry. The
// layer keeps, per LED, the phase, colour index, step counter and blink state those effects
// advance.
class PerLedLayer {
 public:
  static constexpr size_t kMaxLeds = 170;

  // Zeroes phases, colour indices, counters and blink times, and fixes each LED's flash
  // period from its entry's speed level.
  void Reset(std::span<const profiles::LightListEntry> entries);

  // One step over every LED: breathing, static, spectrum, flash, then off, each kind writing
  // the colour entries of its LEDs. Entries beyond leds (or beyond 170) are ignored.
  void Compose(std::span<const profiles::LightListEntry> entries, uint32_t nowMs,
               std::span<LedColor> leds);

 private:
  struct LedState {
    uint8_t phase = 0;
    uint8_t colourIndex = 0;
    uint8_t stepCounter = 0;
    uint8_t blinkState = 0;
    uint32_t lastToggleMs = 0;
    uint32_t periodMs = 0;
  };

  void Breathe(const profiles::LightListEntry& entry, LedState& state, LedColor& led);
  void Spectrum(const profiles::LightListEntry& entry, LedState& state, LedColor& led);
  void Flash(const profiles::LightListEntry& entry, LedState& state, uint32_t nowMs, LedColor& led);

  std::array<LedState, kMaxLeds> states_{};
};

}  // namespace velmora::devices
