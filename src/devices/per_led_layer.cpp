#include "devices/per_led_layer.h"

#include <algorithm>

#include "devices/light_effects.h"
#include "devices/light_tables.h"

namespace velmora::devices {
namespace {

constexpr uint8_t kBreathSpeedBase = 4;
constexpr uint8_t kFlashColourStep = 14;
constexpr uint8_t kLastWheelIndex = kColourWheelSize - 1;

// The order in which the kinds are applied.
constexpr PerLedKind kKindOrder[] = {kPerLedBreathing, kPerLedStatic, kPerLedSpectrum, kPerLedFlash,
                                     kPerLedOff};

LedColor EntryColour(const profiles::LightListEntry& entry, uint8_t brightness) {
  return LedColor{entry.red, entry.green, entry.blue, brightness};
}

LedColor WheelColour(uint8_t index, uint8_t brightness) {
  const Rgb c = ColourWheelAt(index);
  return LedColor{c.red, c.green, c.blue, brightness};
}

}  // namespace

void PerLedLayer::Reset(std::span<const profiles::LightListEntry> entries) {
  states_ = {};
  const size_t count = std::min(entries.size(), kMaxLeds);
  for (size_t i = 0; i < count; ++i) states_[i].periodMs = BlinkPeriodMs(entries[i].speed);
}

void PerLedLayer::Compose(std::span<const profiles::LightListEntry> entries, uint32_t nowMs,
                          std::span<LedColor> leds) {
  const size_t count = std::min({entries.size(), leds.size(), kMaxLeds});
  for (const PerLedKind kind : kKindOrder) {
    for (size_t i = 0; i < count; ++i) {
      const profiles::LightListEntry& entry = entries[i];
      if (entry.mode != kind) continue;
      switch (kind) {
        case kPerLedBreathing:
          if (entry.valid) Breathe(entry, states_[i], leds[i]);
          break;
        case kPerLedStatic:
          leds[i] = EntryColour(entry, BrightnessForLevel(entry.brightness));
          break;
        case kPerLedSpectrum:
          if (entry.valid) Spectrum(entry, states_[i], leds[i]);
          break;
        case kPerLedFlash:
          Flash(entry, states_[i], nowMs, leds[i]);
          break;
        case kPerLedOff:
          leds[i] = LedColor{};
          break;
      }
    }
  }
}

void PerLedLayer::Breathe(const profiles::LightListEntry& entry, LedState& state, LedColor& led) {
  state.phase = static_cast<uint8_t>(state.phase + entry.speed + kBreathSpeedBase);
  if (state.phase >= kBreathingCurveSize) {
    state.phase = 0;
    // The colour stops at the wheel's last entry rather than reading past it.
    state.colourIndex = std::min<uint8_t>(state.colourIndex + 1, kLastWheelIndex);
  }
  const uint8_t brightness = ScaledBreath(state.phase, entry.brightness);
  led = entry.multiColor ? WheelColour(state.colourIndex, brightness)
                         : EntryColour(entry, brightness);
}

void PerLedLayer::Spectrum(const profiles::LightListEntry& entry, LedState& state, LedColor& led) {
  ++state.stepCounter;
  if (state.stepCounter >= kBlinkPeriods[std::min<size_t>(entry.speed, kBlinkSpeedLevels - 1)]) {
    state.stepCounter = 0;
    state.colourIndex = state.colourIndex < kLastWheelIndex ? state.colourIndex + 1 : 0;
  }
  led = WheelColour(state.colourIndex, BrightnessForLevel(entry.brightness));
}

void PerLedLayer::Flash(const profiles::LightListEntry& entry, LedState& state, uint32_t nowMs,
                        LedColor& led) {
  if (nowMs - state.lastToggleMs >= state.periodMs) {
    state.blinkState = state.blinkState ? 0 : 1;
    state.lastToggleMs = nowMs;
    const uint32_t next = uint32_t{state.phase} + kFlashColourStep;
    state.phase = next <= kLastWheelIndex ? static_cast<uint8_t>(next) : 0;
  }
  if (!state.blinkState) {
    led = LedColor{};
    return;
  }
  const uint8_t brightness = BrightnessForLevel(entry.brightness);
  led = entry.multiColor ? WheelColour(state.phase, brightness) : EntryColour(entry, brightness);
}

}  // namespace velmora::devices
