// The keyboard device driving its light modes: the light thread's loop, key events, audio and
// frames, also from two threads at once.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "devices/keyboard_device.h"
#include "keyboard_rig.h"
#include "platform/clock.h"

namespace velmora::devices {
namespace {

class KeyboardDeviceLightTest : public testing::KeyboardRig {
 protected:
  void SetUp() override {
    OpenCable();
    keyboard.Initialise();
  }

  void SelectMode(uint32_t mode, uint32_t speed = 4) {
    profiles::LightInfoRecord r;
    r.selectItem = static_cast<uint8_t>(mode);
    r.light = 24;
    r.speed = static_cast<uint8_t>(speed);
    r.multiColor = 1;
    r.red = 255;
    keyboard.SetLightSettings(r.Word1(), r.Word2(), r.Word3(), r.Half4());
  }

  std::vector<uint32_t> Leds() {
    std::vector<uint32_t> out;
    for (int i = 0; i < keyboard.GetLedCount(); ++i) out.push_back(keyboard.GetLedColor(i));
    return out;
  }
};

TEST_F(KeyboardDeviceLightTest, EveryModeRunsThroughTheDevicesLightLoop) {
  platform::ManualClock clock(1'000'000);
  platform::ScopedClockOverride guard(clock);
  keyboard.StartLightPacing();
  for (uint32_t mode = 1; mode <= 30; ++mode) {
    SelectMode(mode);
    int steps = 0;
    for (int loop = 0; loop < 400; ++loop) {
      clock.Advance(2);
      if (keyboard.RunLightLoop()) ++steps;
      if (loop % 50 == 0) keyboard.OnKeyEvent(64, loop % 100 == 0 ? 1 : 2);
    }
    // Mode 19 has no step of its own: the custom effect player runs it on every loop.
    if (mode != 19) {
      EXPECT_GT(steps, 0) << "mode " << mode << " never stepped";
    }
  }
}

TEST_F(KeyboardDeviceLightTest, SpectrumModeMovesTheColours) {
  platform::ManualClock clock(1'000'000);
  platform::ScopedClockOverride guard(clock);
  keyboard.StartLightPacing();
  SelectMode(4);
  clock.Advance(2);
  keyboard.RunLightLoop();
  const std::vector<uint32_t> before = Leds();
  for (int loop = 0; loop < 20; ++loop) {
    clock.Advance(2);
    keyboard.RunLightLoop();
  }
  EXPECT_NE(Leds(), before);
}

TEST_F(KeyboardDeviceLightTest, AudioSpectrumIsKeptAndCappedAt25Values) {
  std::vector<int32_t> values(600, 0);
  for (int i = 0; i < 600; ++i) values[i] = i + 1;
  keyboard.FeedAudioSpectrum(values.data(), values.size());
  const auto kept = keyboard.AudioInput();
  EXPECT_EQ(kept[0], 1);
  EXPECT_EQ(kept[24], 25);
  keyboard.FeedAudioSpectrum(values.data(), 3);
  EXPECT_EQ(keyboard.AudioInput()[3], 0) << "a short block leaves the rest zero";
  keyboard.FeedAudioSpectrum(nullptr, 500);
}

TEST_F(KeyboardDeviceLightTest, LoudBlocksAddUpToOneAudioRippleAtATime) {
  SelectMode(8);  // a ripple mode, so the audio pulse shows on the wave grid
  auto rippleStarted = [&] {
    platform::CriticalSectionLock lock(keyboard.FrameLock());
    return !keyboard.LightEngine().Buffers().wave.Empty();
  };
  const std::vector<int32_t> silent(500, 0);   // every band at its top level: adds 0
  const std::vector<int32_t> loud(500, 2000);  // every band at 0: adds 25 per block
  for (int i = 0; i < 10; ++i) keyboard.FeedAudioSpectrum(silent.data(), silent.size());
  EXPECT_FALSE(rippleStarted());
  keyboard.FeedAudioSpectrum(loud.data(), loud.size());  // 25
  keyboard.FeedAudioSpectrum(loud.data(), loud.size());  // 50
  EXPECT_FALSE(rippleStarted());
  keyboard.FeedAudioSpectrum(loud.data(), loud.size());  // 75: a ripple
  EXPECT_TRUE(rippleStarted());
  SelectMode(7);
  SelectMode(8);  // restarting the mode clears the grid
  ASSERT_FALSE(rippleStarted());
  keyboard.FeedAudioSpectrum(loud.data(), loud.size());  // the total began again: 25
  EXPECT_FALSE(rippleStarted());

  // Bands beyond the top of the range count as loud as the top, never louder.
  SelectMode(7);
  SelectMode(8);
  const std::vector<int32_t> overdriven(500, 5000);
  keyboard.FeedAudioSpectrum(overdriven.data(), overdriven.size());  // 50
  EXPECT_FALSE(rippleStarted());
  keyboard.FeedAudioSpectrum(overdriven.data(), overdriven.size());  // 75: a ripple
  EXPECT_TRUE(rippleStarted());
}

// The light thread steps and composes while the UI changes modes, colours and sends frames.
TEST_F(KeyboardDeviceLightTest, LightThreadAndUiShareTheLightStateSafely) {
  std::atomic<bool> stop{false};
  keyboard.StartLightPacing();
  std::thread light([&] {
    while (!stop.load()) {
      keyboard.RunLightLoop();
      platform::SleepMs(1);
    }
  });
  std::vector<int32_t> spectrum(500, 700);
  for (int round = 0; round < 60; ++round) {
    SelectMode(static_cast<uint32_t>(round % 31));
    keyboard.SetLedColor(round % 170, LedColor{1, 2, 3, 4}.Pack());
    keyboard.OnKeyEvent(round % 170, 1 + round % 2);
    keyboard.FeedAudioSpectrum(spectrum.data(), spectrum.size());
    keyboard.SendLightFrame();
    keyboard.SetLightList(std::vector<profiles::LightListEntry>(170));
    (void)keyboard.GetLedColor(round % 170);
  }
  stop = true;
  light.join();
  // Data races and lock misuse show under the sanitizers; the state is the UI's last word.
  EXPECT_EQ(keyboard.GetLightState().mode, 59 % 31);
  EXPECT_EQ(keyboard.AudioInput()[0], 700);
}

}  // namespace
}  // namespace velmora::devices
