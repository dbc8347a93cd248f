#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "devices/keyboard_layout.h"
#include "devices/keyboard_light_random.h"
#include "devices/keyboard_light_wave_grid.h"
#include "devices/light_effects.h"
#include "devices/light_state.h"
#include "profiles/light_records.h"

namespace velmora::devices {

inline constexpr size_t kAudioBandCount = 25;

// The keyboard's own effect buffers, all indexed by key position.
struct KeyboardEffectBuffers {
  std::array<uint8_t, kKeyboardPositionCount> fade{};         // key brightness 0-255
  std::array<uint8_t, kKeyboardPositionCount> colourIndex{};  // wheel index per key
  std::array<uint8_t, kKeyboardPositionCount> keyPhase{};     // twinkle phase per key
  std::array<bool, kKeyboardPositionCount> pressed{};         // keys held down
  WaveGrid wave;
  uint8_t waveColour = 0;    // wheel index the wave grid gives the next keys it lights
  uint8_t rippleColour = 0;  // colour of the current random ripple (mode 14)
  uint8_t pressColour = 0;   // colour of the next pressed key (mode 25)
  uint8_t cursor = 0;        // place in the sweep order (mode 21)
  uint8_t sequenceStep = 0;  // place in the group sequence (mode 24)
  uint8_t stepCount = 0;     // steps since the mode started (mode 13 moves every second)
};

// The audio input of the audio-driven mode: the latest 25 band values and the audio light
// style with its colours.
struct AudioInput {
  std::array<int32_t, kAudioBandCount> bands{};
  profiles::AudioLightRecord style;
};

// What one light step works on: the device's light state (read and written under its frame
// lock) and the keyboard's effect buffers.
struct KeyboardLightContext {
  const LightSettings& settings;
  BaseEffectState& base;
  std::span<LedColor> leds;  // LED colour array, indexed by key position
  KeyboardEffectBuffers& buffers;
  const AudioInput& audio;
  LightRandom& random;
  uint32_t nowMs;
};

}  // namespace velmora::devices
