#pragma once

#include <cstdint>
#include <random>

namespace velmora::devices {

// Where the keyboard's light modes draw their random choices (rain drops, twinkle restarts,
// random ripple colours). Tests install a scripted source to make the effects repeatable.
class LightRandom {
 public:
  virtual ~LightRandom() = default;
  // A value in [0, bound); 0 when bound is 0.
  virtual uint32_t Below(uint32_t bound) = 0;
};

// A small fast generator for the light thread; not for anything that must be unpredictable.
class DefaultLightRandom : public LightRandom {
 public:
  explicit DefaultLightRandom(uint32_t seed = 0x5EEDu) : engine_(seed) {}
  uint32_t Below(uint32_t bound) override;

 private:
  std::minstd_rand engine_;
};

}  // namespace velmora::devices
