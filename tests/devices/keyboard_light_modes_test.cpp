#include <gtest/gtest.h>

#include "devices/keyboard_layout.h"
#include "devices/keyboard_light_paint.h"
#include "devices/keyboard_light_steps.h"
#include "devices/light_effects.h"
#include "keyboard_light_fixture.h"

namespace velmora::devices {
namespace {

using testing::KeyboardLightFixture;

constexpr uint8_t kEsc = 0;
constexpr uint8_t kKeyA = 64;
constexpr uint8_t kEnter = 75;
constexpr uint8_t kExtraKey1 = 120;  // grid column 22

Rgb Wheel(uint32_t index) { return ColourWheelAt(index % kColourWheelSize); }

uint8_t FirstKeyOf(const KeyGroup& group) {
  for (uint8_t position : group) {
    if (position != kNoKeyPosition) return position;
  }
  return kNoKeyPosition;
}

struct FixedColourCase {
  uint8_t parameter;
  uint32_t wheelIndex;
};

TEST(KeyboardLightModesTest, Mode17ColourFollowsTheModeParameter) {
  const FixedColourCase cases[] = {{1, 25}, {2, 70}, {3, 95}, {0, 174}, {4, 174}, {255, 174}};
  for (const FixedColourCase& c : cases) {
    KeyboardLightFixture f;
    f.settings.modeParameter = c.parameter;
    f.Start(17);
    f.Step();
    EXPECT_EQ(f.ColourOf(kKeyA), Wheel(c.wheelIndex)) << "parameter " << int(c.parameter);
    EXPECT_EQ(f.ColourOf(kExtraKey1), Wheel(c.wheelIndex));
    EXPECT_EQ(f.leds[kKeyA].brightness, 255);
  }
}

struct ColumnWaveCase {
  uint8_t mode;
  uint8_t direction;
  uint32_t columnStep;
  uint32_t firstIndex;  // wheel index of column 0 after one step from phase 0
};

TEST(KeyboardLightModesTest, ColumnWavesColourEachColumnAfterAStep) {
  const ColumnWaveCase cases[] = {
      {1, 1, 7, 2},    // phase 0 -> 1, column c at phase + 1 + 7c
      {1, 0, 7, 0},    // phase 0 -> 191 (wraps down), column c at 192 + 7c
      {2, 1, 2, 2},
  };
  for (const ColumnWaveCase& c : cases) {
    KeyboardLightFixture f;
    f.settings.multiColour = 1;
    f.settings.direction = c.direction;
    f.Start(c.mode);
    f.Step();
    EXPECT_EQ(f.ColourOf(kEsc), Wheel(c.firstIndex)) << "mode " << int(c.mode);
    EXPECT_EQ(f.ColourOf(kEnter), Wheel(c.firstIndex + 13 * c.columnStep));
    EXPECT_EQ(f.ColourOf(kExtraKey1), Wheel(c.firstIndex + 22 * c.columnStep));
    // Every key of a column shares the colour.
    EXPECT_EQ(f.ColourOf(GridKeyAt(5, 13)), f.ColourOf(kEnter));
  }
}

TEST(KeyboardLightModesTest, SingleColourWavesRunAPulseOfTheUserColour) {
  KeyboardLightFixture f;
  f.settings.red = 10;
  f.settings.green = 20;
  f.settings.blue = 30;
  f.settings.direction = 1;
  f.Start(1);
  f.Step();  // phase 1
  EXPECT_EQ(f.ColourOf(kEnter), (Rgb{10, 20, 30}));
  EXPECT_EQ(f.leds[kEsc].brightness, PulseBrightness(2, 24));
  EXPECT_EQ(f.leds[kEnter].brightness, PulseBrightness(2 + 7 * 13, 24));
  f.Start(12);
  f.Step();
  EXPECT_EQ(f.leds[GridKeyAt(4, 2)].brightness, PulseBrightness(2 + 11 * 4, 24));
}

TEST(KeyboardLightModesTest, RowWaveAndKeyOrderWaveSpacing) {
  KeyboardLightFixture f;
  f.settings.multiColour = 1;
  f.settings.direction = 1;
  f.Start(12);
  f.Step();
  EXPECT_EQ(f.ColourOf(GridKeyAt(3, 7)), Wheel(2 + 24 * 3));
  f.Start(3);
  f.Step();
  for (size_t place : {0u, 1u, 40u, 121u}) {
    EXPECT_EQ(f.ColourOf(kWaveKeyOrder[place]), Wheel(2 + 5 * place)) << place;
  }
}

TEST(KeyboardLightModesTest, Mode5BreathesWithAColourPerColumn) {
  KeyboardLightFixture f;
  f.settings.multiColour = 1;
  f.settings.direction = 1;
  f.Start(5);
  f.Step(40);
  EXPECT_EQ(f.ColourOf(kEnter), Wheel(7 * 13));
  EXPECT_EQ(f.leds[kEnter].brightness, ScaledBreath(40, 24));
  EXPECT_EQ(f.leds[kEsc].brightness, f.leds[kEnter].brightness);
}

TEST(KeyboardLightModesTest, KeyGroupsTakeTheirWheelColours) {
  KeyboardLightFixture f;
  f.settings.multiColour = 1;
  f.Start(6);
  f.Step();
  for (size_t group = 0; group < kKeyGroupCount; ++group) {
    EXPECT_EQ(f.ColourOf(FirstKeyOf(kKeyGroups[group])), Wheel(138 - 12 * group)) << group;
  }
  f.settings.direction = 1;
  f.Start(18);
  f.Step(3);  // phase 3
  for (size_t group = 0; group < kKeyGroupCount; ++group) {
    EXPECT_EQ(f.ColourOf(FirstKeyOf(kKeyGroups[group])), Wheel(3 + 7 * group)) << group;
  }
}

TEST(KeyboardLightModesTest, ColourCycleMovesEveryKeyOneEntry) {
  KeyboardLightFixture f;
  f.Start(11);
  f.Step(200);  // wraps past the end of the wheel
  GridCell cell;
  ASSERT_TRUE(FindGridCell(kEnter, cell));
  EXPECT_EQ(f.ColourOf(kEnter), Wheel(RainbowIndexOfColumn(cell.column) + 200));
  EXPECT_EQ(f.leds[kEnter].brightness, 255);
}

TEST(KeyboardLightModesTest, CustomColoursKeepTheirColourAndTakeTheBrightness) {
  KeyboardLightFixture f;
  f.leds[kKeyA] = LedColor{9, 8, 7, 0};
  f.settings.brightness = 10;
  f.Start(20);
  EXPECT_EQ(f.leds[kKeyA], (LedColor{9, 8, 7, BrightnessForLevel(10)}));
  f.settings.brightness = 3;
  f.Step();
  EXPECT_EQ(f.leds[kKeyA], (LedColor{9, 8, 7, BrightnessForLevel(3)}));
}

TEST(KeyboardLightModesTest, Mode7HeldKeysBrightenBy15ReleasedDimBy5) {
  for (uint8_t mode : {7, 25}) {
    KeyboardLightFixture f;
    f.Start(mode);
    f.engine.OnKeyEvent(mode, kKeyA, kKeyPressed);
    f.Step();
    EXPECT_EQ(f.FadeOf(kKeyA), 15) << int(mode);
    f.Step(16);
    EXPECT_EQ(f.FadeOf(kKeyA), 255);
    f.Step();
    EXPECT_EQ(f.FadeOf(kKeyA), 255) << "stays at the top while held";
    EXPECT_EQ(f.leds[kKeyA].brightness, 255);
    f.engine.OnKeyEvent(mode, kKeyA, kKeyReleased);
    f.Step();
    EXPECT_EQ(f.FadeOf(kKeyA), 250);
    f.Step(60);
    EXPECT_EQ(f.FadeOf(kKeyA), 0) << "stops at 0";
    EXPECT_EQ(f.FadeOf(kEnter), 0) << "other keys stay dark";
  }
}

TEST(KeyboardLightModesTest, Mode25GivesEachPressTheNextColour) {
  KeyboardLightFixture f;
  f.settings.multiColour = 1;
  f.Start(25);
  f.engine.OnKeyEvent(25, kKeyA, kKeyPressed);
  f.engine.OnKeyEvent(25, kKeyA, kKeyPressed);  // a repeat while held keeps the colour
  f.engine.OnKeyEvent(25, kEnter, kKeyPressed);
  f.Step();
  EXPECT_EQ(f.ColourOf(kKeyA), Wheel(0));
  EXPECT_EQ(f.ColourOf(kEnter), Wheel(24));
}

TEST(KeyboardLightModesTest, Mode8RippleSpreadsFromThePressedKey) {
  KeyboardLightFixture f;
  f.Start(8);
  GridCell cell;
  ASSERT_TRUE(FindGridCell(kKeyA, cell));
  f.engine.OnKeyEvent(8, kKeyA, kKeyPressed);
  f.engine.OnKeyEvent(8, kKeyA, kKeyReleased);  // a release starts nothing
  f.Step();
  EXPECT_EQ(f.FadeOf(kKeyA), 255);
  const uint8_t right = GridKeyAt(cell.row, cell.column + 1);
  const uint8_t left = GridKeyAt(cell.row, cell.column - 1);
  const uint8_t below = GridKeyAt(cell.row + 1, cell.column + 1);
  EXPECT_EQ(f.FadeOf(right), 0);
  f.Step();
  EXPECT_EQ(f.FadeOf(right), 255);
  EXPECT_EQ(f.FadeOf(left), 255);
  EXPECT_EQ(f.FadeOf(below), 255) << "the ring widens by a row as it moves";
  EXPECT_LT(f.FadeOf(kKeyA), 255) << "the pressed key fades once the wave has left";
}

TEST(KeyboardLightModesTest, Mode8AdvancesEveryKeyColourBy7) {
  KeyboardLightFixture f;
  f.settings.multiColour = 1;
  f.Start(8);
  f.Step(3);
  EXPECT_EQ(f.engine.Buffers().colourIndex[kEnter], 21);
}

TEST(KeyboardLightModesTest, Mode9FlashesTheKeyAndItsNeighboursOnce) {
  KeyboardLightFixture f;
  f.Start(9);
  GridCell cell;
  ASSERT_TRUE(FindGridCell(kKeyA, cell));
  f.engine.OnKeyEvent(9, kKeyA, kKeyPressed);
  f.Step();
  for (const auto& [row, column] : {std::pair{cell.row, cell.column},
                                    std::pair{uint8_t(cell.row - 1), cell.column},
                                    std::pair{uint8_t(cell.row + 1), cell.column},
                                    std::pair{cell.row, uint8_t(cell.column - 1)},
                                    std::pair{cell.row, uint8_t(cell.column + 1)}}) {
    EXPECT_EQ(f.FadeOf(GridKeyAt(row, column)), 255) << int(row) << "," << int(column);
  }
  EXPECT_EQ(f.FadeOf(GridKeyAt(cell.row + 1, cell.column + 1)), 0) << "diagonals stay dark";
  EXPECT_TRUE(f.engine.Buffers().wave.Empty());
  f.Step();
  EXPECT_LT(f.FadeOf(kKeyA), 255);
}

TEST(KeyboardLightModesTest, Mode10RainDropsLandOnScriptedKeys) {
  // Six drops per step, each a rain-list place then a colour index.
  KeyboardLightFixture f({0, 100, 1, 101, 2, 102, 3, 103, 4, 104, 5, 105});
  f.settings.multiColour = 1;
  f.Start(10);
  f.Step();
  for (uint32_t drop = 0; drop < 6; ++drop) {
    const uint8_t key = kRainKeys[drop];
    EXPECT_EQ(f.ColourOf(key), Wheel(100 + drop)) << int(key);
    EXPECT_EQ(f.leds[key].brightness, 255);
    EXPECT_EQ(f.FadeOf(key), 250) << "every key fades after the drops";
  }
  EXPECT_EQ(f.leds[kRainKeys[6]].brightness, 0);
}

TEST(KeyboardLightModesTest, TwinkleRestartsAKeyWithARandomColourPastTheLastPhase) {
  // Mode, phase step, and the steps from phase 189 + step until the phase passes 191.
  struct TwinkleCase {
    uint8_t mode;
    uint32_t phaseStep;
    int stepsToRestart;
  };
  for (const TwinkleCase& c : {TwinkleCase{15, 2, 1}, TwinkleCase{22, 1, 2}}) {
    const uint8_t mode = c.mode;
    const uint32_t phaseStep = c.phaseStep;
    // Priming draws a phase and a colour per key: every key starts at phase 189, colour 5.
    KeyboardLightFixture f({189, 5});
    f.settings.multiColour = 1;
    f.Start(mode);
    f.Step();
    EXPECT_EQ(f.engine.Buffers().keyPhase[kKeyA], 189 + phaseStep) << int(mode);
    EXPECT_EQ(f.ColourOf(kKeyA), Wheel(5));
    EXPECT_EQ(f.leds[kKeyA].brightness, TwinkleBrightness(189 + phaseStep, 24));
    f.Step(c.stepsToRestart - 1);
    EXPECT_NE(f.engine.Buffers().keyPhase[kKeyA], 0) << int(mode);
    f.Step();
    EXPECT_EQ(f.engine.Buffers().keyPhase[kKeyA], 0) << int(mode);
  }
}

TEST(KeyboardLightModesTest, Mode21CursorRunsAlongTheSweepOrderByDirection) {
  for (uint8_t direction : {1, 0}) {
    KeyboardLightFixture f;
    f.settings.direction = direction;
    f.Start(21);
    const size_t expected[] = {0, direction ? 1u : 169u, direction ? 2u : 168u};
    for (size_t place : expected) {
      f.Step();
      EXPECT_EQ(f.FadeOf(kSweepKeyOrder[place]), 254)
          << "direction " << int(direction) << " place " << place;
    }
    EXPECT_LT(f.FadeOf(kSweepKeyOrder[expected[1]]), 254) << "the trail fades";
  }
}

TEST(KeyboardLightModesTest, Mode24LightsTheSequenceGroupByGroup) {
  KeyboardLightFixture f;
  f.Start(24);
  f.Step();
  const uint8_t first = kGroupSequence[0][10];  // left Ctrl, row 5 of the first stripe
  ASSERT_NE(first, kNoKeyPosition);
  EXPECT_EQ(f.FadeOf(first), 255);
  EXPECT_EQ(f.engine.Buffers().colourIndex[first], 0);
  f.Step();
  EXPECT_EQ(f.FadeOf(first), 250) << "drops by 5 a step";
  EXPECT_EQ(f.engine.Buffers().colourIndex[first], 3) << "rises by 3 a step";
  for (uint8_t position : kGroupSequence[1]) {
    if (position == kNoKeyPosition) continue;
    EXPECT_EQ(f.FadeOf(position), 255) << int(position);
  }
  f.Step(kGroupSequenceLength - 2);
  f.Step();  // the sequence starts again
  EXPECT_EQ(f.FadeOf(first), 255);
}

TEST(KeyboardLightModesTest, WaveGridModesSendOneSetOfWavesAtATime) {
  KeyboardLightFixture f;
  f.Start(13);
  EXPECT_EQ(f.engine.Buffers().wave.Covered(kGridColumns / 2), WaveGrid::kAllRows);
  f.Step(2);  // moved once
  EXPECT_EQ(f.engine.Buffers().wave.Covered(kGridColumns / 2), 0);
  EXPECT_EQ(f.engine.Buffers().wave.Covered(kGridColumns / 2 + 1), WaveGrid::kAllRows);
  f.Start(16);
  f.Step(kGridColumns);
  EXPECT_TRUE(f.engine.Buffers().wave.Empty()) << "the edge waves have crossed and left";
  f.Step();
  EXPECT_FALSE(f.engine.Buffers().wave.Empty()) << "and new ones start";
}

TEST(KeyboardLightModesTest, Mode14RipplesFromRandomKeysInRandomColours) {
  KeyboardLightFixture f({2, 60});  // rain place 2 (F2), colour 60
  f.Start(14);
  f.Step();
  EXPECT_EQ(f.FadeOf(kRainKeys[2]), 255);
  EXPECT_EQ(f.ColourOf(kRainKeys[2]), Wheel(60));
}

}  // namespace
}  // namespace velmora::devices
