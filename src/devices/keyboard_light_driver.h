#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "devices/keyboard_light_engine.h"
#include "devices/light_mode_driver.h"

namespace velmora::devices {

// The parts of the keyboard device its light modes work on. Everything lives in the device
// and outlives the driver; all of it is guarded by the device's frame lock except the custom
// effect list, which its effect-list lock guards.
struct KeyboardLightBinding {
  LightSettings& settings;
  BaseEffectState& effectState;
  std::vector<LedColor>& leds;                // LED colour array, by key position
  std::span<const uint8_t> keyIndexOfPosition;  // 255: the position has no key
  std::span<const int32_t> audioInput;          // the latest audio band values
  CustomEffectList effects;
  std::function<void()> composeLayers;          // the per-LED effect layer
};

// Drives the keyboard's light modes for COrvaneKeyboardDevice (see LightModeDriver): the
// device makes every call with its frame lock held.
class KeyboardLightModeDriver : public LightModeDriver {
 public:
  // random: see KeyboardLightEngine. The light thread's clock is the process clock.
  explicit KeyboardLightModeDriver(KeyboardLightBinding binding, LightRandom* random = nullptr);

  void StartMode(int mode) override;
  void RunLoop() override;
  // keyCode is the key's position; keys this keyboard does not have are ignored.
  void OnKeyEvent(int keyCode, int kind) override;
  // argument is the key the audio ripple starts from, level the collected audio level.
  void AudioStep(int argument, uint32_t level) override;

  // The audio light style of the profile ("AudioLightInfo").
  void SetAudioStyle(const profiles::AudioLightRecord& style) { engine_.SetAudioStyle(style); }
  const KeyboardLightEngine& Engine() const { return engine_; }

 private:
  KeyboardLightFrame Frame();

  KeyboardLightBinding binding_;
  KeyboardLightEngine engine_;
  bool pacingStarted_ = false;
};

}  // namespace velmora::devices
