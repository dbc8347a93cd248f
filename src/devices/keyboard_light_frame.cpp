#include "devices/keyboard_light_frame.h"

#include <algorithm>

namespace velmora::devices {
namespace {

constexpr uint8_t kNoLed = 255;
constexpr size_t kBytesPerLed = 3;

}  // namespace

void PackKeyboardFrame(std::span<const LedColor> leds, std::span<const uint8_t> ledIndexOfPosition,
                       std::span<uint8_t> frame) {
  const size_t positions = std::min(leds.size(), ledIndexOfPosition.size());
  for (size_t position = 0; position < positions; ++position) {
    const uint8_t led = ledIndexOfPosition[position];
    const size_t offset = size_t{led} * kBytesPerLed;
    if (led == kNoLed || offset + kBytesPerLed > frame.size()) continue;
    const LedColor& colour = leds[position];
    frame[offset] = ScaleByBrightness(colour.red, colour.brightness);
    frame[offset + 1] = ScaleByBrightness(colour.green, colour.brightness);
    frame[offset + 2] = ScaleByBrightness(colour.blue, colour.brightness);
  }
}

}  // namespace velmora::devices
