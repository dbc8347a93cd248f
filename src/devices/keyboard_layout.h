#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The keyboard's fixed layout data: its 170 key positions with their factory key codes, and
// the tables the light modes walk (the 23 x 6 grid, the key orders, groups, rain list and the
// group sequence). All of them are drawn from the physical layout the factory codes describe:
// six rows of 21 positions (0-20 function row, 21-41 number row, 42-62 top letter row, 63-83
// home row, 84-104 shift row, 105-125 bottom row), main keys first in each row, then the
// navigation block, the number pad and the layout-variant keys (ISO, JIS, Korean, Brazilian).
namespace velmora::devices {

inline constexpr size_t kKeyboardPositionCount = 170;
// Marks an empty cell or slot in the tables below.
inline constexpr uint8_t kNoKeyPosition = 170;

inline constexpr size_t kGridColumns = 23;
inline constexpr size_t kGridRows = 6;
inline constexpr size_t kWaveOrderLength = 126;
inline constexpr size_t kKeyGroupCount = 12;
inline constexpr size_t kKeyGroupSize = 12;
inline constexpr size_t kRainKeyCount = 104;
inline constexpr size_t kGroupSequenceLength = 52;

// A key function as the keyboard's key map stores it: type, modifier mask or argument, code.
struct KeyFunctionCode {
  uint8_t type = 0;
  uint8_t argument = 0;
  uint8_t code = 0;
  friend constexpr bool operator==(const KeyFunctionCode&, const KeyFunctionCode&) = default;
};

// The code of a position that has no key of its own.
inline constexpr KeyFunctionCode kUnusedKeyCode{0x20, 0x00, 0x00};

// Factory key code of every key position; the keyboard finds each position's key index by
// looking this code up in the device's key map.
extern const std::array<KeyFunctionCode, kKeyboardPositionCount> kKeyPositionDefaultCodes;

// True for a position that stands for a physical key (its factory code is not the unused one).
bool IsKeyPositionUsed(size_t position);

using KeyGridRow = std::array<uint8_t, kGridColumns>;
using KeyGroup = std::array<uint8_t, kKeyGroupSize>;

// Key position at each cell, [row][column]: rows top (function row) to bottom, columns left
// (Esc, Tab, Ctrl) to right (number pad, then the five extra keys of positions 120-124).
extern const std::array<KeyGridRow, kGridRows> kKeyGrid;

// The grid cell's position, or kNoKeyPosition for an empty cell or one outside the grid.
uint8_t GridKeyAt(size_t row, size_t column);

struct GridCell {
  uint8_t row = 0;
  uint8_t column = 0;
  friend constexpr bool operator==(const GridCell&, const GridCell&) = default;
};

// The cell that holds position; false for a position the grid does not show.
bool FindGridCell(size_t position, GridCell& cell);

// Positions 0-125 as one continuous line: the grid's rows snake from the top-left corner
// (row 0 left to right, row 1 right to left, ...); the four unused positions come last.
extern const std::array<uint8_t, kWaveOrderLength> kWaveKeyOrder;

// All 170 positions as one sweep: the grid's columns snake from the left edge (column 0 top
// to bottom, column 1 bottom to top, ...); the positions without a key come last.
extern const std::array<uint8_t, kKeyboardPositionCount> kSweepKeyOrder;

// Vertical bands of the grid: group g holds columns 2g and 2g + 1, row by row; the last group
// holds column 22 alone, its other slots empty.
extern const std::array<KeyGroup, kKeyGroupCount> kKeyGroups;

// The 104 keys of a full-size ANSI keyboard (no Fn, no layout-variant or extra keys).
extern const std::array<uint8_t, kRainKeyCount> kRainKeys;

// A diagonal stripe two cells wide (the cells whose column minus row is d or d + 1) sweeping
// right across the grid, d = -5 ... 21, and back, d = 20 ... -4; row by row within a step.
extern const std::array<KeyGroup, kGroupSequenceLength> kGroupSequence;

}  // namespace velmora::devices
