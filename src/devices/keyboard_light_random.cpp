#include "devices/keyboard_light_random.h"

namespace velmora::devices {

uint32_t DefaultLightRandom::Below(uint32_t bound) {
  if (bound == 0) return 0;
  return static_cast<uint32_t>(engine_() % bound);
}

}  // namespace velmora::devices
