#include "devices/light_effects.h"

#include <gtest/gtest.h>

#include <array>

#include "devices/light_tables.h"

namespace velmora::devices {
namespace {

Rgb ColourOf(const LedColor& led) { return Rgb{led.red, led.green, led.blue}; }

class LightEffectsTest : public ::testing::Test {
 protected:
  LightEffectsTest() {
    light.brightness = 24;
    light.red = 1, light.green = 2, light.blue = 3;
  }
  void ExpectAll(Rgb colour, uint8_t brightness, const char* what) {
    for (const LedColor& led : leds) {
      EXPECT_EQ(ColourOf(led), colour) << what;
      EXPECT_EQ(led.brightness, brightness) << what;
    }
  }
  LightSettings light;
  BaseEffectState state;
  std::array<LedColor, 3> leds{};
};

TEST_F(LightEffectsTest, StaticUsesTheUserColourAtTheLevelsBrightness) {
  light.brightness = 11;
  StepStatic(light, leds);
  ExpectAll({1, 2, 3}, 114, "static");
}

TEST_F(LightEffectsTest, SpectrumStepsRoundTheWheelInBothDirections) {
  StepSpectrum(state, light, leds);
  ExpectAll(kColourWheel[191], 255, "backwards from 0 wraps to the last entry");
  light.direction = 1;
  StepSpectrum(state, light, leds);
  ExpectAll(kColourWheel[0], 255, "forwards past the last entry restarts");
  StepSpectrum(state, light, leds);
  ExpectAll(kColourWheel[1], 255, "forwards");
}

TEST_F(LightEffectsTest, BreathingFollowsTheCurveScaledByTheLevel) {
  light.direction = 1;
  light.brightness = 12;  // 120
  for (int i = 1; i <= 63; ++i) StepBreathing(state, light, leds);
  ExpectAll({1, 2, 3}, 255 * 120 / 256, "top of the breath");
  StepBreathing(state, light, leds);
  EXPECT_EQ(state.phase, 64);
}

TEST_F(LightEffectsTest, PaletteBreathingTakesTheNextColourEachBreathAndWraps) {
  light.direction = 1;
  for (int breath = 1; breath <= 5; ++breath) {
    for (size_t i = 0; i < kBreathingCurveSize; ++i) StepBreathingPalette(state, light, leds);
    ExpectAll(kPalette[breath % 4], 0, "end of a breath");
  }
}

TEST_F(LightEffectsTest, PaletteFlashShowsTheNextPaletteColourOnEachToggle) {
  light.speed = 4;  // 1400 ms
  uint32_t now = 1400;
  StepFlashPalette(state, light, now, leds);
  ExpectAll(kPalette[1], 255, "first toggle: on");
  StepFlashPalette(state, light, now += 1400, leds);
  ExpectAll({0, 0, 0}, 0, "second toggle: off");
  StepFlashPalette(state, light, now += 1400, leds);
  StepFlashPalette(state, light, now += 1400, leds);
  StepFlashPalette(state, light, now += 1400, leds);
  ExpectAll(kPalette[1], 255, "fifth toggle: the palette came round");
}

TEST_F(LightEffectsTest, FlashInMulticolourMovesSixteenWheelStepsPerToggle) {
  light.multiColour = 1;
  light.speed = 4;
  StepFlash(state, light, 1400, leds);
  ExpectAll(kColourWheel[16], 255, "on");
  for (uint32_t t = 2; t <= 12; ++t) StepFlash(state, light, 1400 * t, leds);
  EXPECT_EQ(state.phase, 0) << "twelve toggles make the full wheel";
}

TEST_F(LightEffectsTest, OffClearsEveryLed) {
  StepStatic(light, leds);
  StepOff(leds);
  ExpectAll({0, 0, 0}, 0, "off");
}

}  // namespace
}  // namespace velmora::devices
