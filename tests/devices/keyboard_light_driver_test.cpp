#include "devices/keyboard_light_driver.h"

#include <gtest/gtest.h>

#include <array>

#include "devices/keyboard_layout.h"
#include "devices/keyboard_light_steps.h"
#include "keyboard_light_fixture.h"
#include "platform/clock.h"

namespace velmora::devices {
namespace {

constexpr uint8_t kKeyA = 64;

// The slice of a keyboard device the driver is bound to.
struct DriverFixture {
  DriverFixture() {
    keyIndex.fill(255);
    keyIndex[kKeyA] = 30;  // this keyboard has the A key, and no other
    settings.brightness = 24;
  }

  KeyboardLightBinding Binding() {
    return KeyboardLightBinding{settings,
                                effectState,
                                leds,
                                keyIndex,
                                audio,
                                CustomEffectList{effectLock, steps, stepCount, stepIndex},
                                [this] { ++composed; }};
  }

  platform::ManualClock clock{1000};
  platform::ScopedClockOverride clockOverride{clock};
  LightSettings settings;
  BaseEffectState effectState;
  std::vector<LedColor> leds = std::vector<LedColor>(170);
  std::array<uint8_t, 170> keyIndex{};
  std::array<int32_t, 25> audio{};
  platform::CriticalSection effectLock;
  std::vector<profiles::LightEffectEntry> steps;
  size_t stepCount = 0;
  size_t stepIndex = 0;
  int composed = 0;
  testing::ScriptedRandom random;
  KeyboardLightModeDriver driver{Binding(), &random};
};

TEST(KeyboardLightDriverTest, LoopsArePacedByTheProcessClockAndComposeTheLayers) {
  DriverFixture f;
  f.settings.mode = 17;
  f.settings.speed = 2;  // three ticks a step
  f.driver.StartMode(17);
  f.driver.RunLoop();
  for (int tick = 0; tick < 2; ++tick) {
    f.clock.Advance(2);
    f.driver.RunLoop();
  }
  EXPECT_EQ(f.leds[kKeyA].brightness, 0) << "two ticks are not yet a step";
  f.clock.Advance(1);
  f.driver.RunLoop();  // the clock moved only 1 ms: no tick
  EXPECT_EQ(f.leds[kKeyA].brightness, 0);
  f.clock.Advance(1);
  f.driver.RunLoop();
  EXPECT_EQ(f.leds[kKeyA].brightness, 255);
  EXPECT_EQ(f.composed, 5) << "the per-LED layer follows every loop";
}

TEST(KeyboardLightDriverTest, KeyEventsOnlyForKeysTheKeyboardHas) {
  DriverFixture f;
  f.settings.mode = 7;
  f.driver.StartMode(7);
  f.driver.OnKeyEvent(75, kKeyPressed);   // Enter: no key index on this keyboard
  f.driver.OnKeyEvent(-1, kKeyPressed);
  f.driver.OnKeyEvent(500, kKeyPressed);
  f.driver.OnKeyEvent(kKeyA, kKeyPressed);
  EXPECT_FALSE(f.driver.Engine().Buffers().pressed[75]);
  EXPECT_TRUE(f.driver.Engine().Buffers().pressed[kKeyA]);
}

TEST(KeyboardLightDriverTest, AudioStepRipplesFromTheArgumentKeyWhenLoudEnough) {
  DriverFixture f;
  f.settings.mode = 8;
  f.driver.StartMode(8);
  f.driver.AudioStep(51, 70);
  EXPECT_TRUE(f.driver.Engine().Buffers().wave.Empty());
  f.driver.AudioStep(51, 71);
  EXPECT_FALSE(f.driver.Engine().Buffers().wave.Empty());
}

TEST(KeyboardLightDriverTest, AudioModeDrawsTheDevicesAudioInput) {
  DriverFixture f;
  f.settings.mode = 29;
  f.driver.SetAudioStyle(profiles::AudioLightRecord{0, 0, 0, 0, 0, 255, 0, 0, 0});
  f.driver.StartMode(29);
  f.audio.fill(2000);  // every bar full
  f.driver.RunLoop();
  f.clock.Advance(2);
  f.driver.RunLoop();
  f.clock.Advance(2);
  f.driver.RunLoop();
  EXPECT_EQ(f.leds[GridKeyAt(0, 0)], (LedColor{0, 255, 0, 255}));
}

TEST(KeyboardLightDriverTest, ModesWithoutAStepPlayTheCustomEffect) {
  DriverFixture f;
  f.settings.mode = 0;
  f.leds.assign(170, LedColor{1, 1, 1, 1});
  f.driver.RunLoop();  // an empty effect list turns the keys off
  EXPECT_EQ(f.leds[kKeyA], LedColor{});
}

}  // namespace
}  // namespace velmora::devices
