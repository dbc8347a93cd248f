#include "devices/keyboard_light_engine.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "devices/keyboard_layout.h"
#include "devices/keyboard_light_audio.h"
#include "devices/keyboard_light_steps.h"
#include "keyboard_light_fixture.h"

namespace velmora::devices {
namespace {

using testing::KeyboardLightFixture;

struct ThresholdCase {
  uint32_t mode;
  uint32_t speed;
  uint32_t threshold;
};

TEST(KeyboardLightPacingTest, ThresholdsPerModeAndSpeed) {
  const ThresholdCase cases[] = {
      {1, 0, 5},  {1, 1, 4},  {1, 2, 3},  {1, 3, 2},  {1, 4, 1},  {12, 0, 5}, {24, 3, 2},
      {16, 0, 4}, {16, 4, 4}, {18, 0, 4}, {18, 4, 4}, {30, 0, 1}, {30, 1, 0}, {30, 4, 0},
      {26, 2, 3}, {27, 4, 1},
      {1, 9, 1},  // a speed level beyond 4 is taken as 4
  };
  for (const ThresholdCase& c : cases) {
    EXPECT_EQ(StepThreshold(c.mode, c.speed), c.threshold)
        << "mode " << c.mode << " speed " << c.speed;
  }
}

TEST(KeyboardLightPacingTest, ModesWithoutAStepOfTheirOwn) {
  for (uint32_t mode : {0u, 19u, 31u, 200u}) EXPECT_FALSE(HasOwnStep(mode)) << mode;
  for (uint32_t mode = 1; mode <= 30; ++mode) EXPECT_EQ(HasOwnStep(mode), mode != 19) << mode;
}

// Loops at the given clock readings; returns the readings at which a step ran.
std::vector<uint32_t> StepTimes(KeyboardLightFixture& f, const std::vector<uint32_t>& clock) {
  std::vector<uint32_t> steps;
  for (uint32_t now : clock) {
    if (f.engine.RunLoop(f.Frame(), nullptr, now)) steps.push_back(now);
  }
  return steps;
}

TEST(KeyboardLightPacingTest, TickCountsOnlyWhenTheClockMovedTwoMilliseconds) {
  KeyboardLightFixture f;
  f.Start(1);
  f.settings.speed = 0;  // five ticks a step
  f.engine.StartPacing(0);
  // Ticks at 2, 4, 6, 8, 10 (1, 3, 5 and 11 are too close to the last tick).
  EXPECT_EQ(StepTimes(f, {1, 2, 3, 4, 5, 6, 8, 10, 11, 12, 14, 16, 18, 20}),
            (std::vector<uint32_t>{10, 20}));
}

TEST(KeyboardLightPacingTest, AudioModeStepsOnceMoreThanOneTickCounted) {
  KeyboardLightFixture f;
  f.Start(29);
  f.engine.StartPacing(0);
  EXPECT_EQ(StepTimes(f, {2, 4, 6, 8, 10, 12}), (std::vector<uint32_t>{4, 8, 12}));
}

TEST(KeyboardLightPacingTest, SoftwareFrameModeStepsEveryLoopFromSpeedOne) {
  KeyboardLightFixture f;
  f.Start(30);
  f.engine.StartPacing(0);
  f.settings.speed = 1;
  EXPECT_EQ(StepTimes(f, {0, 0, 1}), (std::vector<uint32_t>{0, 0, 1}));
  f.settings.speed = 0;
  EXPECT_EQ(StepTimes(f, {1, 2, 3, 4}), (std::vector<uint32_t>{2, 4}));
}

TEST(KeyboardLightEngineTest, EveryModeRunsAndLightsTheKeyboard) {
  for (uint8_t mode = 1; mode <= 30; ++mode) {
    if (mode == 19) continue;
    KeyboardLightFixture f({3, 77, 140, 9, 51, 120});
    f.settings.multiColour = 1;
    f.settings.red = 200;
    f.settings.green = 100;
    f.settings.blue = 50;
    f.leds.fill(LedColor{10, 20, 30, 0});  // mode 20 shows the custom colours already there
    f.engine.SetAudioStyle(profiles::AudioLightRecord{0, 0, 0, 0, 255, 255, 255, 0, 0});
    const std::vector<int32_t> loud(kAudioBandCount, 2000);
    f.settings.speed = 4;
    f.Start(mode);
    bool lit = false;
    for (int i = 0; i < 300; ++i) {
      f.engine.OnKeyEvent(mode, 64 + i % 10, i % 2 ? kKeyReleased : kKeyPressed);
      f.engine.SetAudioBands(loud);
      f.engine.OnAudioLevel(51, 100);
      f.nowMs += 10;
      f.Step();
      lit = lit || std::any_of(f.leds.begin(), f.leds.end(), [](const LedColor& led) {
              return led.brightness != 0 && (led.red | led.green | led.blue) != 0;
            });
    }
    // Mode 28 is off; mode 30 shows only what was written from outside.
    EXPECT_EQ(lit, mode != 28 && mode != 30) << "mode " << int(mode);
  }
}

TEST(KeyboardLightEngineTest, AShortLedArrayIsNeverWrittenPastItsEnd) {
  // The engine is handed the first ten entries of a longer array (a smaller LED count); the
  // entries after them must keep their marker in every mode.
  const LedColor marker{1, 2, 3, 4};
  for (uint8_t mode = 0; mode <= 31; ++mode) {
    LightSettings settings;
    settings.mode = mode;
    settings.multiColour = 1;
    settings.brightness = 24;
    BaseEffectState base;
    std::vector<LedColor> leds(12, marker);
    testing::ScriptedRandom random({5, 90, 33});
    KeyboardLightEngine engine(&random);
    const KeyboardLightFrame frame{settings, base, std::span<LedColor>(leds).first(10)};
    engine.Restart(frame, mode);
    for (uint32_t i = 0; i < 60; ++i) {
      engine.OnKeyEvent(mode, 64, kKeyPressed);
      engine.RunStep(frame, 1000 + 100 * i);
    }
    EXPECT_EQ(leds[10], marker) << "mode " << int(mode);
    EXPECT_EQ(leds[11], marker) << "mode " << int(mode);
  }
}

TEST(KeyboardLightEngineTest, KeyEventsReachOnlyTheKeyPressModes) {
  for (uint8_t mode : {1, 10, 21, 29}) {
    KeyboardLightFixture f;
    f.Start(mode);
    f.engine.OnKeyEvent(mode, 64, kKeyPressed);
    EXPECT_FALSE(f.engine.Buffers().pressed[64]) << int(mode);
    EXPECT_TRUE(f.engine.Buffers().wave.Empty()) << int(mode);
  }
  KeyboardLightFixture f;
  f.Start(7);
  f.engine.OnKeyEvent(7, kKeyboardPositionCount, kKeyPressed);  // beyond the positions
  f.engine.OnKeyEvent(7, 64, kKeyPressed);
  EXPECT_TRUE(f.engine.Buffers().pressed[64]);
}

TEST(KeyboardLightEngineTest, RestartClearsTheBuffersAndPrimesTheNewMode) {
  KeyboardLightFixture f;
  f.Start(7);
  f.engine.OnKeyEvent(7, 64, kKeyPressed);
  f.Step(3);
  ASSERT_GT(f.FadeOf(64), 0);
  f.Start(16);
  EXPECT_EQ(f.FadeOf(64), 0);
  EXPECT_FALSE(f.engine.Buffers().pressed[64]);
  EXPECT_EQ(f.engine.Buffers().wave.Covered(0), WaveGrid::kAllRows);
  EXPECT_EQ(f.engine.Buffers().wave.Covered(kGridColumns - 1), WaveGrid::kAllRows);
}

struct DepthCase {
  int32_t value;
  int32_t depth;
  uint32_t barHeight;
};

TEST(KeyboardLightAudioTest, BandValuesBecomeDepthsAndBars) {
  const DepthCase cases[] = {
      {0, 600, 0}, {1000, 300, 3}, {1999, 1, 5}, {2000, 0, 6}, {90000, 0, 6}, {-1, 500, 1},
  };
  for (const DepthCase& c : cases) {
    EXPECT_EQ(AudioBandDepth(c.value), c.depth) << c.value;
    EXPECT_EQ(AudioBarHeight(c.value), c.barHeight) << c.value;
  }
  EXPECT_EQ(AudioLoudness(std::vector<int32_t>(25, 0)), 0);
  EXPECT_EQ(AudioLoudness(std::vector<int32_t>(25, 2000)), 25);
  EXPECT_EQ(AudioLoudness(std::vector<int32_t>(25, 1000)), 13);  // 25 - 300 * 25 / 600
}

TEST(KeyboardLightAudioTest, AudioLevelStartsARippleAtTheGivenKey) {
  constexpr size_t kAudioKey = 51;
  KeyboardLightFixture f;
  f.Start(8);
  f.engine.OnAudioLevel(kAudioKey, KeyboardLightEngine::kAudioRippleLevel - 1);
  EXPECT_TRUE(f.engine.Buffers().wave.Empty());
  f.engine.OnAudioLevel(kAudioKey, KeyboardLightEngine::kAudioRippleLevel);
  GridCell cell;
  ASSERT_TRUE(FindGridCell(kAudioKey, cell));
  EXPECT_EQ(f.engine.Buffers().wave.Covered(cell.column), 1u << cell.row);
  f.Step();
  EXPECT_EQ(f.FadeOf(kAudioKey), 255);
}

TEST(KeyboardLightAudioTest, OnlyTheRippleModesTakeTheAudioPulse) {
  for (uint8_t mode : {13, 14, 16, 1}) {
    KeyboardLightFixture f;
    f.Start(mode);
    const WaveGrid before = f.engine.Buffers().wave;
    f.engine.OnAudioLevel(51, 500);
    for (size_t column = 0; column < kGridColumns; ++column) {
      EXPECT_EQ(f.engine.Buffers().wave.Covered(column), before.Covered(column)) << int(mode);
    }
  }
  KeyboardLightFixture f;
  f.Start(29);
  f.engine.OnAudioLevel(51, 500);
  EXPECT_FALSE(f.engine.Buffers().wave.Empty());
}

TEST(KeyboardLightAudioTest, KeepsTheFirst25BandsOfABlock) {
  KeyboardLightFixture f;
  std::vector<int32_t> block(600, 0);
  block[24] = 7;
  block[25] = 9;
  f.engine.SetAudioBands(block);
  EXPECT_EQ(f.engine.Audio().bands[24], 7);
  f.engine.SetAudioBands(std::vector<int32_t>(3, 5));  // a short block clears the rest
  EXPECT_EQ(f.engine.Audio().bands[2], 5);
  EXPECT_EQ(f.engine.Audio().bands[24], 0);
}

TEST(KeyboardLightAudioTest, BarsRiseFromTheBottomInTheForeground) {
  KeyboardLightFixture f;
  f.engine.SetAudioStyle(profiles::AudioLightRecord{0, 0, 0, 40, 255, 0, 0, 0, 0});
  f.Start(29);
  std::vector<int32_t> bands(kAudioBandCount, 0);
  bands[0] = 1000;  // column 0 shows band 0: three rows
  f.engine.SetAudioBands(bands);
  f.Step();
  const Rgb foreground{255, 0, 0};
  const Rgb background{0, 0, 40};
  EXPECT_EQ(f.ColourOf(GridKeyAt(5, 0)), foreground);  // left Ctrl
  EXPECT_EQ(f.ColourOf(GridKeyAt(3, 0)), foreground);  // Caps Lock
  EXPECT_EQ(f.ColourOf(GridKeyAt(2, 0)), background);  // Tab
  EXPECT_EQ(f.ColourOf(GridKeyAt(5, 22)), background);
}

// ----- Custom light effect player -----

struct EffectListFixture : KeyboardLightFixture {
  EffectListFixture() { settings.mode = 0; }
  CustomEffectList List() { return CustomEffectList{lock, steps, count, index}; }
  void Loop(uint32_t now) {
    const CustomEffectList list = List();
    engine.RunLoop(Frame(), &list, now);
  }

  platform::CriticalSection lock;
  std::vector<profiles::LightEffectEntry> steps;
  size_t count = 0;
  size_t index = 0;
};

profiles::LightEffectEntry EffectStep(uint8_t mode, uint32_t timeMs) {
  profiles::LightEffectEntry step;
  step.mode = mode;
  step.brightness = 24;
  step.speed = 4;
  step.multiColor = 0;
  step.red = 255;
  step.time = timeMs;
  return step;
}

TEST(KeyboardLightPlayerTest, StepsFollowEachOtherByTheirTimes) {
  EffectListFixture f;
  f.steps = {EffectStep(2, 100), EffectStep(4, 50)};
  f.count = 2;
  f.Loop(0);
  EXPECT_EQ(f.index, 0u);
  f.Loop(99);
  EXPECT_EQ(f.index, 0u);
  f.Loop(100);
  EXPECT_EQ(f.index, 1u);
  f.Loop(120);  // step 1 starts here
  f.Loop(169);
  EXPECT_EQ(f.index, 1u);
  f.Loop(170);
  EXPECT_EQ(f.index, 0u);
}

TEST(KeyboardLightPlayerTest, EmptyListTurnsTheKeysOffAndAStaleIndexRestarts) {
  EffectListFixture f;
  f.leds.fill(LedColor{1, 2, 3, 4});
  f.Loop(0);
  EXPECT_EQ(f.leds[64], LedColor{});
  f.steps = {EffectStep(2, 1000)};
  f.count = 5;  // more than the list holds
  f.index = 7;
  f.Loop(10);
  EXPECT_EQ(f.index, 0u);
}

struct PlayerPaceCase {
  uint8_t stepMode;
  uint8_t speed;
  int loopsPerStep;
};

TEST(KeyboardLightPlayerTest, EachStepKindRunsOnItsOwnLoopThreshold) {
  const PlayerPaceCase cases[] = {
      {0, 4, 7}, {0, 0, 28},  // breathing: the blink period value of the speed level
      {4, 2, 18},             // spectrum: likewise
      {5, 4, 1}, {5, 0, 5},   // column breathing: the keyboard thresholds
  };
  for (const PlayerPaceCase& c : cases) {
    EffectListFixture f;
    profiles::LightEffectEntry step = EffectStep(c.stepMode, 100000);
    step.speed = c.speed;
    step.direction = 1;
    f.steps = {step};
    f.count = 1;
    for (int loop = 1; loop < c.loopsPerStep; ++loop) f.Loop(loop);
    EXPECT_EQ(f.leds[64], LedColor{}) << "mode " << int(c.stepMode) << " speed " << int(c.speed);
    f.Loop(c.loopsPerStep);
    EXPECT_NE(f.ColourOf(64), Rgb{}) << "mode " << int(c.stepMode) << " speed " << int(c.speed);
  }
}

TEST(KeyboardLightPlayerTest, ColourCycleCountsTenColoursOnTheBlinkThreshold) {
  EffectListFixture f;
  f.steps = {EffectStep(1, 100000)};
  f.count = 1;
  // Speed 4: the blink period value 7 is the loop threshold.
  for (int loop = 1; loop <= 6; ++loop) f.Loop(loop);
  EXPECT_EQ(f.leds[64], LedColor{});
  f.Loop(7);
  const Rgb first = ColourWheelAt(1 * 192 / 10);
  EXPECT_EQ(f.ColourOf(64), first);
  for (int loop = 8; loop <= 7 * 10; ++loop) f.Loop(loop);
  EXPECT_EQ(f.ColourOf(64), ColourWheelAt(0));  // the counter wrapped after 9
}

}  // namespace
}  // namespace velmora::devices
