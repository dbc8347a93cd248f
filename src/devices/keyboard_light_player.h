#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "devices/keyboard_light_context.h"
#include "platform/critical_section.h"
#include "profiles/light_records.h"

namespace velmora::devices {

// The device's custom light effect: its step list with the step count and the current step
// index, all guarded by the device's effect-list lock.
struct CustomEffectList {
  platform::CriticalSection& lock;
  const std::vector<profiles::LightEffectEntry>& steps;
  size_t& count;
  size_t& index;
};

// Plays the custom light effect for a light mode without a step of its own, one call per loop
// of the light thread. Each step of the list runs its effect (0 breathing, 1 colour cycle,
// 2 flash, 4 spectrum, 5 column breathing) for the step's time in milliseconds, then the
// next step follows, round and round.
class CustomEffectPlayer {
 public:
  void Restart();
  void Loop(const KeyboardLightContext& ctx, const CustomEffectList& list);

 private:
  // Copies the current step; false for an empty list.
  bool TakeCurrentStep(const CustomEffectList& list, profiles::LightEffectEntry& step,
                       size_t& index) const;
  void RunEffect(const KeyboardLightContext& ctx, const profiles::LightEffectEntry& step);
  bool ThresholdReached(uint32_t threshold);
  void AdvanceWhenDone(const CustomEffectList& list, const profiles::LightEffectEntry& step,
                       uint32_t nowMs);

  uint32_t loops_ = 0;
  uint8_t colourCounter_ = 0;
  bool running_ = false;
  size_t runningIndex_ = 0;
  uint32_t stepStartMs_ = 0;
};

}  // namespace velmora::devices
