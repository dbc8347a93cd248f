#include "devices/light_tables.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace velmora::devices {
namespace {

TEST(ColourWheel, PassesThroughTheAnchorColours) {
  struct Anchor {
    size_t index;
    Rgb colour;
  };
  const Anchor anchors[] = {{0, {255, 1, 0}},
                            {8, {255, 26, 0}},
                            {32, {248, 255, 0}},
                            {64, {0, 255, 1}},
                            {128, {1, 0, 255}}};
  for (const auto& anchor : anchors) {
    EXPECT_EQ(kColourWheel[anchor.index], anchor.colour) << "entry " << anchor.index;
  }
}

TEST(ColourWheel, IsASmoothCircleOfSaturatedColours) {
  for (size_t i = 0; i < kColourWheelSize; ++i) {
    const Rgb a = kColourWheel[i];
    const Rgb b = kColourWheel[(i + 1) % kColourWheelSize];
    const int step =
        std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue);
    EXPECT_LE(step, 24) << "entry " << i;
    // Every entry is a saturated colour: one channel full, one off.
    const int full = (a.red == 255) + (a.green == 255) + (a.blue == 255);
    const int off = (a.red == 0) + (a.green == 0) + (a.blue == 0);
    EXPECT_GE(full, 1) << "entry " << i;
    EXPECT_GE(off, 1) << "entry " << i;
  }
}

TEST(BreathingCurve, RisesToFullAndFallsBackSymmetrically) {
  const uint8_t start[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14};
  for (size_t i = 0; i < std::size(start); ++i) EXPECT_EQ(kBreathingCurve[i], start[i]);
  EXPECT_EQ(kBreathingCurve[63], 255);
  EXPECT_EQ(kBreathingCurve[64], 255);
  EXPECT_EQ(kBreathingCurve[127], 0);
  for (size_t i = 0; i < 63; ++i) {
    EXPECT_LT(kBreathingCurve[i], kBreathingCurve[i + 1]) << "entry " << i;
    EXPECT_EQ(kBreathingCurve[i], kBreathingCurve[127 - i]) << "entry " << i;
  }
}

TEST(LightTables, LookupsClampLevelsBeyondTheTables) {
  EXPECT_EQ(BrightnessForLevel(24), 255);
  EXPECT_EQ(BrightnessForLevel(11), 114);
  EXPECT_EQ(BrightnessForLevel(200), 255);
  EXPECT_EQ(BlinkPeriodMs(0), 5600u);
  EXPECT_EQ(BlinkPeriodMs(4), 1400u);
  EXPECT_EQ(BlinkPeriodMs(9), 1400u);
  EXPECT_EQ(ColourWheelAt(192), kColourWheel[191]);
  EXPECT_EQ(PaletteAt(4), kPalette[3]);
  EXPECT_EQ(BreathingAt(300), 0);
}

TEST(StepPhase, StepsAndWrapsInBothDirections) {
  struct Case {
    bool direction;
    uint8_t limit, current, step, expected;
  };
  const Case cases[] = {
      {false, 128, 0, 1, 127},  // down from 0 wraps to the top
      {true, 128, 127, 1, 0},   // up past the limit restarts at 0
      {true, 128, 5, 1, 6},      {false, 128, 5, 1, 4},
      {true, 192, 176, 16, 0},  // lands exactly on the limit
      {true, 192, 175, 16, 191}, {false, 192, 10, 16, 176},
      {true, 255, 250, 10, 0},    // the sum does not wrap through 8 bits first
      {false, 128, 200, 1, 127},  // out-of-range phase falls back into range
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StepPhase(c.direction, c.limit, c.current, c.step), c.expected)
        << "direction " << c.direction << " limit " << int{c.limit} << " current " << int{c.current}
        << " step " << int{c.step};
  }
}

}  // namespace
}  // namespace velmora::devices
