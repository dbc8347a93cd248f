#include "toolkit/gtk_input_mapping.h"

#include <gtest/gtest.h>

namespace velmora::toolkit {
namespace {

constexpr uint32_t kIntervalMs = 400;
constexpr int kDistance = 5;

struct Press {
  HostMouseButton button;
  int x, y;
  uint32_t timeMs;
  bool expectDouble;
};

struct PressSequence {
  const char* name;
  std::vector<Press> presses;
};

class DoubleClickTrackerTest : public ::testing::TestWithParam<PressSequence> {};

TEST_P(DoubleClickTrackerTest, ReportsTheSecondPressOfAPairAsDoubleClick) {
  DoubleClickTracker tracker(kIntervalMs, kDistance);
  for (size_t i = 0; i < GetParam().presses.size(); ++i) {
    const Press& press = GetParam().presses[i];
    EXPECT_EQ(tracker.Press(press.button, press.x, press.y, press.timeMs), press.expectDouble) << "press " << i;
  }
}

constexpr auto L = HostMouseButton::Left;
constexpr auto R = HostMouseButton::Right;

INSTANTIATE_TEST_SUITE_P(
    Sequences, DoubleClickTrackerTest,
    ::testing::Values(
        PressSequence{"QuickPair", {{L, 10, 10, 1000, false}, {L, 12, 13, 1200, true}}},
        PressSequence{"AtTheLimits", {{L, 10, 10, 1000, false}, {L, 15, 5, 1400, true}}},
        PressSequence{"TooSlow", {{L, 10, 10, 1000, false}, {L, 10, 10, 1401, false}}},
        PressSequence{"TooFar", {{L, 10, 10, 1000, false}, {L, 16, 10, 1100, false}}},
        PressSequence{"OtherButton", {{L, 10, 10, 1000, false}, {R, 10, 10, 1100, false}}},
        // A third quick press starts a new pair; the fourth completes it.
        PressSequence{"Quadruple",
                      {{L, 1, 1, 100, false}, {L, 1, 1, 200, true}, {L, 1, 1, 300, false}, {L, 1, 1, 400, true}}},
        // The event clock of X wraps around after 49 days.
        PressSequence{"ClockWrap", {{L, 0, 0, 0xFFFFFF00u, false}, {L, 0, 0, 0x00000010u, true}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WheelAccumulatorTest, DiscreteNotchesAreOneHundredTwentyAwayFromTheUserPositive) {
  WheelAccumulator wheel;
  EXPECT_EQ(wheel.Delta(GDK_SCROLL_UP, 0), 120);
  EXPECT_EQ(wheel.Delta(GDK_SCROLL_DOWN, 0), -120);
  EXPECT_EQ(wheel.Delta(GDK_SCROLL_LEFT, 0), 0);
}

TEST(WheelAccumulatorTest, SmoothScrollingIsSummedIntoWholeNotches) {
  WheelAccumulator wheel;
  EXPECT_EQ(wheel.Delta(GDK_SCROLL_SMOOTH, -0.4), 0);
  EXPECT_EQ(wheel.Delta(GDK_SCROLL_SMOOTH, -0.4), 0);
  EXPECT_EQ(wheel.Delta(GDK_SCROLL_SMOOTH, -0.4), 120);  // 1.2 notches: one out, 0.2 kept
  EXPECT_EQ(wheel.Delta(GDK_SCROLL_SMOOTH, 2.2), -240);  // back by 2.2: -2.0 out
  EXPECT_EQ(wheel.Delta(GDK_SCROLL_SMOOTH, 0.9), 0);
  EXPECT_EQ(wheel.Delta(GDK_SCROLL_SMOOTH, 0.2), -120);
}

TEST(GdkMappingTest, ModifiersAndButtons) {
  EXPECT_EQ(ModifiersFromGdkState(0), 0u);
  EXPECT_EQ(ModifiersFromGdkState(GDK_SHIFT_MASK | GDK_CONTROL_MASK), kModShift | kModControl);
  EXPECT_EQ(ModifiersFromGdkState(GDK_MOD1_MASK | GDK_MOD4_MASK | GDK_LOCK_MASK), kModAlt | kModSuper);
  EXPECT_EQ(ButtonFromGdk(1), HostMouseButton::Left);
  EXPECT_EQ(ButtonFromGdk(2), HostMouseButton::Middle);
  EXPECT_EQ(ButtonFromGdk(3), HostMouseButton::Right);
  EXPECT_EQ(ButtonFromGdk(8), HostMouseButton::None);
}

}  // namespace
}  // namespace velmora::toolkit
