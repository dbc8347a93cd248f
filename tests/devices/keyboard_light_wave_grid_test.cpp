#include "devices/keyboard_light_wave_grid.h"

#include <gtest/gtest.h>

namespace velmora::devices {
namespace {

constexpr uint8_t kRow2 = 1u << 2;
constexpr uint8_t kRows1To3 = 0b001110;

TEST(WaveGridTest, FrontsMoveApartAndTheInnerPairWidens) {
  WaveGrid grid;
  grid.Seed(5, kRow2);
  grid.Move();
  EXPECT_EQ(grid.Front(0, 6), kRow2);
  EXPECT_EQ(grid.Front(1, 4), kRow2);
  EXPECT_EQ(grid.Front(2, 6), kRows1To3);
  EXPECT_EQ(grid.Front(3, 4), kRows1To3);
  EXPECT_EQ(grid.Covered(5), 0);
  grid.Move();
  EXPECT_EQ(grid.Front(2, 7), 0b011111);
  grid.Move();
  EXPECT_EQ(grid.Front(2, 8), WaveGrid::kAllRows) << "a front never grows past the six rows";
}

TEST(WaveGridTest, FrontsLeaveAtTheEdgesWithoutWrapping) {
  WaveGrid grid;
  grid.Seed(kGridColumns - 1, kRow2);
  grid.Move();
  EXPECT_EQ(grid.Covered(0), 0) << "nothing wraps round to the left edge";
  EXPECT_EQ(grid.Covered(kGridColumns - 2), kRows1To3);
  for (size_t i = 0; i < kGridColumns; ++i) grid.Move();
  EXPECT_TRUE(grid.Empty());
}

TEST(WaveGridTest, OneSidedSeedsAndClear) {
  WaveGrid grid;
  grid.SeedMovingRight(0, 0xFF);  // bits above the six rows are dropped
  grid.SeedMovingLeft(kGridColumns, kRow2);  // outside the grid: ignored
  EXPECT_EQ(grid.Front(0, 0), WaveGrid::kAllRows);
  EXPECT_EQ(grid.Front(1, 0), 0);
  grid.Move();
  EXPECT_EQ(grid.Covered(1), WaveGrid::kAllRows);
  EXPECT_EQ(grid.Covered(0), 0);
  grid.Clear();
  EXPECT_TRUE(grid.Empty());
}

}  // namespace
}  // namespace velmora::devices
