#include "devices/keyboard_light_frame.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace velmora::devices {
namespace {

TEST(KeyboardLightFrameTest, EachKeyLandsAtItsLedScaledByBrightness) {
  std::vector<LedColor> leds(4);
  leds[0] = LedColor{255, 128, 2, 255};  // 255 * 255 >> 8 = 254, 128 -> 127, 2 -> 1
  leds[1] = LedColor{200, 100, 50, 128};
  leds[2] = LedColor{90, 90, 90, 90};  // no LED
  leds[3] = LedColor{10, 20, 30, 255};  // its LED lies beyond the frame
  const std::array<uint8_t, 4> ledIndex = {1, 0, 255, 3};
  std::vector<uint8_t> frame(9, 0xEE);
  PackKeyboardFrame(leds, ledIndex, frame);
  EXPECT_EQ(frame, (std::vector<uint8_t>{100, 50, 25, 254, 127, 1, 0xEE, 0xEE, 0xEE}));
}

TEST(KeyboardLightFrameTest, ShortMapsAndArraysAreReadOnlyAsFarAsBothGo) {
  const std::vector<LedColor> leds(2, LedColor{255, 255, 255, 255});
  const std::array<uint8_t, 1> ledIndex = {0};
  std::vector<uint8_t> frame(6, 0);
  PackKeyboardFrame(leds, ledIndex, frame);
  EXPECT_EQ(frame, (std::vector<uint8_t>{254, 254, 254, 0, 0, 0}));
}

}  // namespace
}  // namespace velmora::devices
