#include "devices/per_led_layer.h"

#include <gtest/gtest.h>

#include <vector>

#include "devices/light_tables.h"

namespace velmora::devices {
namespace {

profiles::LightListEntry Entry(uint8_t kind, uint8_t brightness, uint8_t speed,
                               uint8_t multiColour = 0, uint8_t valid = 1) {
  profiles::LightListEntry e;
  e.mode = kind;
  e.brightness = brightness;
  e.speed = speed;
  e.multiColor = multiColour;
  e.red = 10;
  e.green = 20;
  e.blue = 30;
  e.valid = valid;
  return e;
}

class PerLedLayerTest : public ::testing::Test {
 protected:
  void Load(std::vector<profiles::LightListEntry> list) {
    entries = std::move(list);
    leds.assign(entries.size(), LedColor{1, 1, 1, 1});
    layer.Reset(entries);
  }
  void Step(uint32_t nowMs = 0) { layer.Compose(entries, nowMs, leds); }

  PerLedLayer layer;
  std::vector<profiles::LightListEntry> entries;
  std::vector<LedColor> leds;
};

TEST_F(PerLedLayerTest, StaticAndOffWriteTheirColourAtOnce) {
  Load({Entry(kPerLedStatic, 11, 0), Entry(kPerLedOff, 24, 0), Entry(kPerLedStatic, 24, 0, 0, 0)});
  Step();
  EXPECT_EQ(leds[0], (LedColor{10, 20, 30, 114}));
  EXPECT_EQ(leds[1], LedColor{});
  EXPECT_EQ(leds[2], (LedColor{10, 20, 30, 255})) << "static does not need a valid entry";
}

TEST_F(PerLedLayerTest, BreathingStepsBySpeedPlusFourAndSkipsEmptyEntries) {
  Load({Entry(kPerLedBreathing, 24, 2), Entry(kPerLedBreathing, 24, 2, 0, 0)});
  Step();  // phase 6
  EXPECT_EQ(leds[0], (LedColor{10, 20, 30, static_cast<uint8_t>(kBreathingCurve[6] * 255 / 256)}));
  EXPECT_EQ(leds[1], (LedColor{1, 1, 1, 1})) << "an empty entry is left alone";
  for (int i = 0; i < 20; ++i) Step();  // phase 126
  EXPECT_EQ(leds[0].brightness, kBreathingCurve[126] * 255 / 256);
  Step();  // 132: restarts at 0
  EXPECT_EQ(leds[0].brightness, 0);
}

TEST_F(PerLedLayerTest, MulticolourBreathingMovesOneWheelStepPerBreathAndStopsAtTheEnd) {
  Load({Entry(kPerLedBreathing, 24, 124, 1)});  // 128 per step: a breath on every step
  for (int breath = 1; breath <= 200; ++breath) {
    Step();
    const Rgb expected = kColourWheel[std::min(breath, 191)];
    EXPECT_EQ((Rgb{leds[0].red, leds[0].green, leds[0].blue}), expected) << breath;
  }
}

TEST_F(PerLedLayerTest, SpectrumAdvancesOnceEveryBlinkPeriodSteps) {
  Load({Entry(kPerLedSpectrum, 24, 4)});  // period 7 steps
  for (int i = 0; i < 6; ++i) Step();
  EXPECT_EQ((Rgb{leds[0].red, leds[0].green, leds[0].blue}), kColourWheel[0]);
  Step();
  EXPECT_EQ((Rgb{leds[0].red, leds[0].green, leds[0].blue}), kColourWheel[1]);
  EXPECT_EQ(leds[0].brightness, 255);
}

TEST_F(PerLedLayerTest, FlashTogglesWithThePeriodFixedAtReset) {
  Load({Entry(kPerLedFlash, 24, 4, 1)});  // 1400 ms
  Step(1400);
  EXPECT_EQ((Rgb{leds[0].red, leds[0].green, leds[0].blue}), kColourWheel[14]);
  entries[0].speed = 0;  // a later speed change does not move the period until a reset
  Step(2799);
  EXPECT_NE(leds[0].brightness, 0);
  Step(2800);
  EXPECT_EQ(leds[0], LedColor{});
  Step(4200);
  EXPECT_EQ((Rgb{leds[0].red, leds[0].green, leds[0].blue}), kColourWheel[42]);
}

TEST_F(PerLedLayerTest, EntriesBeyondTheLedsAreIgnored) {
  Load({Entry(kPerLedStatic, 24, 0), Entry(kPerLedStatic, 24, 0)});
  leds.resize(1);
  Step();
  EXPECT_EQ(leds[0].brightness, 255);
}

}  // namespace
}  // namespace velmora::devices
