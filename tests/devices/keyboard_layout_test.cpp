#include "devices/keyboard_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

namespace velmora::devices {
namespace {

struct Cell {
  int row;
  int column;
};

std::optional<Cell> FindInGrid(uint8_t position) {
  for (size_t row = 0; row < kGridRows; ++row) {
    for (size_t column = 0; column < kGridColumns; ++column) {
      if (kKeyGrid[row][column] == position) {
        return Cell{static_cast<int>(row), static_cast<int>(column)};
      }
    }
  }
  return std::nullopt;
}

std::set<uint8_t> UsedPositions() {
  std::set<uint8_t> used;
  for (size_t position = 0; position < kKeyboardPositionCount; ++position) {
    if (IsKeyPositionUsed(position)) used.insert(static_cast<uint8_t>(position));
  }
  return used;
}

std::vector<uint8_t> KeysOf(const KeyGroup& group) {
  std::vector<uint8_t> keys;
  for (uint8_t position : group) {
    if (position != kNoKeyPosition) keys.push_back(position);
  }
  return keys;
}

struct CodeCase {
  uint8_t position;
  KeyFunctionCode code;
};

TEST(KeyboardLayoutTest, FactoryCodesFollowTheKeyPositionRows) {
  const CodeCase cases[] = {
      {0, {0x20, 0x00, 0x29}},   {1, {0x20, 0x00, 0x3A}},   {15, {0x20, 0x00, 0x48}},
      {16, {0xA0, 0x1B, 0x00}},  {17, {0xA0, 0x24, 0x00}},  {18, kUnusedKeyCode},
      {20, kUnusedKeyCode},      {22, {0x20, 0x00, 0x1E}},  {31, {0x20, 0x00, 0x27}},
      {41, {0x20, 0x00, 0x56}},  {62, {0x20, 0x00, 0x32}},  {72, {0x20, 0x00, 0x0F}},
      {83, {0x20, 0x00, 0x88}},  {84, {0x20, 0x02, 0x00}},  {95, {0x20, 0x20, 0x00}},
      {103, {0x20, 0x00, 0x85}}, {104, kUnusedKeyCode},     {110, {0xA0, 0x01, 0x00}},
      {119, {0x20, 0x00, 0x57}}, {120, {0xD0, 0xA2, 0x01}}, {124, {0xD0, 0xA2, 0x05}},
      {125, {0x20, 0x80, 0x00}}, {126, kUnusedKeyCode},     {169, kUnusedKeyCode},
  };
  for (const CodeCase& c : cases) {
    EXPECT_EQ(kKeyPositionDefaultCodes[c.position], c.code) << "position " << int(c.position);
  }
}

TEST(KeyboardLayoutTest, EveryKeyHasItsOwnFactoryCode) {
  // The key map lookup takes the first key whose code matches, so a shared code would put
  // two positions on one key.
  std::set<std::array<uint8_t, 3>> seen;
  for (uint8_t position : UsedPositions()) {
    const KeyFunctionCode& code = kKeyPositionDefaultCodes[position];
    EXPECT_TRUE(seen.insert({code.type, code.argument, code.code}).second)
        << "position " << int(position);
  }
  EXPECT_EQ(UsedPositions().size(), 122u);
  EXPECT_FALSE(IsKeyPositionUsed(kKeyboardPositionCount));
}

TEST(KeyboardLayoutTest, GridHoldsEveryKeyExactlyOnce) {
  std::multiset<uint8_t> cells;
  for (const KeyGridRow& row : kKeyGrid) {
    for (uint8_t cell : row) {
      if (cell == kNoKeyPosition) continue;
      EXPECT_TRUE(IsKeyPositionUsed(cell)) << "cell holds unused position " << int(cell);
      cells.insert(cell);
    }
  }
  const std::set<uint8_t> distinct(cells.begin(), cells.end());
  EXPECT_EQ(distinct.size(), cells.size()) << "a key sits in two cells";
  EXPECT_EQ(distinct, UsedPositions());
}

TEST(KeyboardLayoutTest, GridLookupOutsideTheGridIsEmpty) {
  EXPECT_EQ(GridKeyAt(0, 0), 0);               // Esc, top left
  EXPECT_EQ(GridKeyAt(5, 0), 105);             // left Ctrl, bottom left
  EXPECT_EQ(GridKeyAt(3, 13), 75);             // Enter
  EXPECT_EQ(GridKeyAt(kGridRows, 0), kNoKeyPosition);
  EXPECT_EQ(GridKeyAt(0, kGridColumns), kNoKeyPosition);
}

TEST(KeyboardLayoutTest, CellLookupFindsEveryGridKey) {
  GridCell cell;
  EXPECT_FALSE(FindGridCell(kNoKeyPosition, cell));
  for (size_t position = 0; position < kKeyboardPositionCount; ++position) {
    const std::optional<Cell> expected = FindInGrid(static_cast<uint8_t>(position));
    ASSERT_EQ(FindGridCell(position, cell), expected.has_value()) << position;
    if (!expected) continue;
    EXPECT_EQ(cell.row, expected->row) << position;
    EXPECT_EQ(cell.column, expected->column) << position;
  }
}

TEST(KeyboardLayoutTest, WaveOrderIsAContinuousLineThroughPositions0To125) {
  std::set<uint8_t> distinct(kWaveKeyOrder.begin(), kWaveKeyOrder.end());
  EXPECT_EQ(distinct.size(), kWaveOrderLength);
  EXPECT_EQ(*distinct.rbegin(), kWaveOrderLength - 1);
  for (uint8_t position : UsedPositions()) {
    EXPECT_TRUE(distinct.count(position)) << "main key " << int(position) << " missing";
  }
  // The keys come first and each follows its neighbour in the same or the next grid row.
  const size_t keyCount = UsedPositions().size();
  for (size_t i = 0; i < kWaveOrderLength; ++i) {
    EXPECT_EQ(IsKeyPositionUsed(kWaveKeyOrder[i]), i < keyCount) << "entry " << i;
  }
  for (size_t i = 1; i < keyCount; ++i) {
    const Cell before = *FindInGrid(kWaveKeyOrder[i - 1]);
    const Cell after = *FindInGrid(kWaveKeyOrder[i]);
    EXPECT_LE(after.row - before.row, 1) << "entry " << i;
    EXPECT_GE(after.row, before.row) << "entry " << i;
  }
}

TEST(KeyboardLayoutTest, SweepOrderVisitsAllPositionsColumnByColumn) {
  std::set<uint8_t> distinct(kSweepKeyOrder.begin(), kSweepKeyOrder.end());
  EXPECT_EQ(distinct.size(), kKeyboardPositionCount);
  EXPECT_EQ(*distinct.rbegin(), kKeyboardPositionCount - 1);
  const size_t keyCount = UsedPositions().size();
  for (size_t i = 1; i < keyCount; ++i) {
    const Cell before = *FindInGrid(kSweepKeyOrder[i - 1]);
    const Cell after = *FindInGrid(kSweepKeyOrder[i]);
    EXPECT_GE(after.column, before.column) << "entry " << i;
    EXPECT_LE(after.column - before.column, 1) << "entry " << i;
  }
  for (size_t i = keyCount; i < kKeyboardPositionCount; ++i) {
    EXPECT_FALSE(IsKeyPositionUsed(kSweepKeyOrder[i])) << "entry " << i;
  }
}

TEST(KeyboardLayoutTest, KeyGroupsAreDisjointColumnBandsCoveringTheGrid) {
  std::set<uint8_t> covered;
  for (size_t group = 0; group < kKeyGroupCount; ++group) {
    for (uint8_t position : KeysOf(kKeyGroups[group])) {
      EXPECT_TRUE(covered.insert(position).second) << "position " << int(position) << " twice";
      const Cell cell = *FindInGrid(position);
      EXPECT_EQ(cell.column / 2, static_cast<int>(group)) << "position " << int(position);
    }
  }
  EXPECT_EQ(covered, UsedPositions());
}

TEST(KeyboardLayoutTest, RainListIsTheFullSizeAnsiKeySet) {
  const std::set<uint8_t> rain(kRainKeys.begin(), kRainKeys.end());
  EXPECT_EQ(rain.size(), kRainKeyCount);
  for (uint8_t position : rain) EXPECT_TRUE(IsKeyPositionUsed(position)) << int(position);
  // Fn, the device functions, the extra keys and the ISO/JIS/Korean/Brazilian keys stay out.
  const uint8_t notAnsi[] = {16, 17, 62, 79, 80, 81, 82, 83, 100, 101, 102, 103, 110,
                             120, 121, 122, 123, 124};
  for (uint8_t position : notAnsi) EXPECT_FALSE(rain.count(position)) << int(position);
  EXPECT_EQ(rain.size() + std::size(notAnsi), UsedPositions().size());
}

TEST(KeyboardLayoutTest, GroupSequenceSweepsADiagonalStripeRightAndBack) {
  std::vector<int> expectedOffsets;
  for (int d = -5; d <= 21; ++d) expectedOffsets.push_back(d);
  for (int d = 20; d >= -4; --d) expectedOffsets.push_back(d);
  ASSERT_EQ(expectedOffsets.size(), kGroupSequenceLength);

  std::set<uint8_t> lit;
  for (size_t step = 0; step < kGroupSequenceLength; ++step) {
    const std::vector<uint8_t> keys = KeysOf(kGroupSequence[step]);
    EXPECT_FALSE(keys.empty()) << "step " << step;
    EXPECT_EQ(std::set<uint8_t>(keys.begin(), keys.end()).size(), keys.size());
    for (uint8_t position : keys) {
      const Cell cell = *FindInGrid(position);
      const int offset = cell.column - cell.row;
      EXPECT_TRUE(offset == expectedOffsets[step] || offset == expectedOffsets[step] + 1)
          << "step " << step << " position " << int(position);
      lit.insert(position);
    }
  }
  EXPECT_EQ(lit, UsedPositions());
}

}  // namespace
}  // namespace velmora::devices
