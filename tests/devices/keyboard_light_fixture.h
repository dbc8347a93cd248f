#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "devices/keyboard_light_engine.h"
#include "devices/light_tables.h"

namespace velmora::devices::testing {

// Hands out the scripted values in turn (each taken modulo the bound), round and round.
class ScriptedRandom : public LightRandom {
 public:
  explicit ScriptedRandom(std::vector<uint32_t> values = {0}) : values_(std::move(values)) {}
  uint32_t Below(uint32_t bound) override {
    if (bound == 0) return 0;
    const uint32_t value = values_[next_++ % values_.size()];
    return value % bound;
  }

 private:
  std::vector<uint32_t> values_;
  size_t next_ = 0;
};

// A keyboard's light state with an engine over it.
struct KeyboardLightFixture {
  explicit KeyboardLightFixture(std::vector<uint32_t> randomValues = {0})
      : random(std::move(randomValues)) {
    settings.brightness = 24;  // full brightness: LED brightness equals the key's fade
  }

  KeyboardLightFrame Frame() { return KeyboardLightFrame{settings, base, leds}; }
  void Start(uint8_t mode) {
    settings.mode = mode;
    engine.Restart(Frame(), mode);
  }
  void Step(int times = 1) {
    for (int i = 0; i < times; ++i) engine.RunStep(Frame(), nowMs);
  }
  Rgb ColourOf(size_t position) const {
    const LedColor& led = leds[position];
    return Rgb{led.red, led.green, led.blue};
  }
  uint8_t FadeOf(size_t position) const { return engine.Buffers().fade[position]; }

  LightSettings settings;
  BaseEffectState base;
  std::array<LedColor, 170> leds{};
  ScriptedRandom random;
  KeyboardLightEngine engine{&random};
  uint32_t nowMs = 1000;
};

}  // namespace velmora::devices::testing
