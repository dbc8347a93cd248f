#include "devices/keyboard_layout.h"

namespace velmora::devices {
namespace {

constexpr uint8_t N = kNoKeyPosition;

// Type 0x20 with a HID keyboard usage, and type 0x20 with a modifier bit.
constexpr KeyFunctionCode Usage(uint8_t usage) { return {0x20, 0x00, usage}; }
constexpr KeyFunctionCode Modifier(uint8_t bit) { return {0x20, bit, 0x00}; }

struct CodeRun {
  uint8_t firstPosition;
  uint8_t count;
  KeyFunctionCode firstCode;  // the code byte rises by 1 per position within the run
};

// Factory codes, by rows of positions.
constexpr CodeRun kCodeRuns[] = {
    // Function row: Esc, F1-F12, Print Screen, Scroll Lock, Pause, two device functions.
    {0, 1, Usage(0x29)}, {1, 15, Usage(0x3A)}, {16, 1, {0xA0, 0x1B, 0x00}},
    {17, 1, {0xA0, 0x24, 0x00}},
    // Number row: `, 1-0, -, =, Backspace, Insert, Home, Page Up, Num Lock, pad / * -.
    {21, 1, Usage(0x35)}, {22, 10, Usage(0x1E)}, {32, 1, Usage(0x2D)}, {33, 1, Usage(0x2E)},
    {34, 1, Usage(0x2A)}, {35, 3, Usage(0x49)}, {38, 4, Usage(0x53)},
    // Top letter row: Tab, Q-P, [, ], \, Delete, End, Page Down, pad 7-9, ISO #.
    {42, 1, Usage(0x2B)}, {43, 1, Usage(0x14)}, {44, 1, Usage(0x1A)}, {45, 1, Usage(0x08)},
    {46, 1, Usage(0x15)}, {47, 1, Usage(0x17)}, {48, 1, Usage(0x1C)}, {49, 1, Usage(0x18)},
    {50, 1, Usage(0x0C)}, {51, 1, Usage(0x12)}, {52, 1, Usage(0x13)}, {53, 3, Usage(0x2F)},
    {56, 3, Usage(0x4C)}, {59, 3, Usage(0x5F)}, {62, 1, Usage(0x32)},
    // Home row: Caps Lock, A-L, ;, ', Enter, pad 4-6, JIS Henkan, Muhenkan, LANG1, LANG2,
    // Katakana/Hiragana.
    {63, 1, Usage(0x39)}, {64, 1, Usage(0x04)}, {65, 1, Usage(0x16)}, {66, 1, Usage(0x07)},
    {67, 3, Usage(0x09)}, {70, 3, Usage(0x0D)}, {73, 2, Usage(0x33)}, {75, 1, Usage(0x28)},
    {76, 3, Usage(0x5C)}, {79, 2, Usage(0x8A)}, {81, 2, Usage(0x90)}, {83, 1, Usage(0x88)},
    // Shift row: left Shift, Z-/, right Shift, Up, pad 1-3, JIS Ro, Yen, ISO \, pad comma.
    {84, 1, Modifier(0x02)}, {85, 1, Usage(0x1D)}, {86, 1, Usage(0x1B)}, {87, 1, Usage(0x06)},
    {88, 1, Usage(0x19)}, {89, 1, Usage(0x05)}, {90, 1, Usage(0x11)}, {91, 1, Usage(0x10)},
    {92, 3, Usage(0x36)}, {95, 1, Modifier(0x20)}, {96, 1, Usage(0x52)}, {97, 3, Usage(0x59)},
    {100, 1, Usage(0x87)}, {101, 1, Usage(0x89)}, {102, 1, Usage(0x64)}, {103, 1, Usage(0x85)},
    // Bottom row: left Ctrl, left GUI, left Alt, Space, right Alt, Fn, Menu, right Ctrl, Left,
    // Down, Right, pad 0, pad ., pad Enter, pad +, five extra keys, right GUI.
    {105, 1, Modifier(0x01)}, {106, 1, Modifier(0x08)}, {107, 1, Modifier(0x04)},
    {108, 1, Usage(0x2C)}, {109, 1, Modifier(0x40)}, {110, 1, {0xA0, 0x01, 0x00}},
    {111, 1, Usage(0x65)}, {112, 1, Modifier(0x10)}, {113, 1, Usage(0x50)},
    {114, 1, Usage(0x51)}, {115, 1, Usage(0x4F)}, {116, 1, Usage(0x62)},
    {117, 1, Usage(0x63)}, {118, 1, Usage(0x58)}, {119, 1, Usage(0x57)},
    {120, 5, {0xD0, 0xA2, 0x01}}, {125, 1, Modifier(0x80)},
};

constexpr std::array<KeyFunctionCode, kKeyboardPositionCount> BuildDefaultCodes() {
  std::array<KeyFunctionCode, kKeyboardPositionCount> codes{};
  codes.fill(kUnusedKeyCode);
  for (const CodeRun& run : kCodeRuns) {
    for (uint8_t i = 0; i < run.count; ++i) {
      KeyFunctionCode code = run.firstCode;
      code.code = static_cast<uint8_t>(code.code + i);
      codes[run.firstPosition + i] = code;
    }
  }
  return codes;
}

// The physical layout, one line per row of keys; N is an empty cell.
constexpr std::array<KeyGridRow, kGridRows> kGrid = {{
    // Esc, F1-F4, F5-F8, F9-F12, Print Screen, Scroll Lock, Pause, the two device functions.
    {0, N, 1, 2, 3, 4, 5, 6, 7, 8, N, 9, 10, 11, 12, 13, 14, 15, 16, 17, N, N, N},
    // `, 1-0, -, =, Backspace, Yen, Insert, Home, Page Up, Num Lock, / * -, extra key 1.
    {21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 101, 35, 36, 37, 38, 39, 40, 41,
     120},
    // Tab, Q-P, [, ], \, Delete, End, Page Down, pad 7-9, pad +, extra key 2.
    {42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, N, 56, 57, 58, 59, 60, 61, 119,
     121},
    // Caps Lock, A-L, ;, ', ISO #, Enter, pad 4-6, pad comma, extra key 3.
    {63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 62, 75, N, N, N, N, 76, 77, 78, 103, 122},
    // Left Shift, ISO \, Z-/, Ro, right Shift, Up, pad 1-3, extra key 4.
    {84, 102, 85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 100, 95, N, N, 96, N, 97, 98, 99, N, 123},
    // Left Ctrl, left GUI, left Alt, Muhenkan, LANG2, Space, LANG1, Henkan, Katakana, right
    // Alt, right GUI, Fn, Menu, right Ctrl, Left, Down, Right, pad 0, pad ., pad Enter, extra 5.
    {105, 106, 107, 80, 82, N, 108, 81, 79, 83, 109, 125, 110, 111, 112, 113, 114, 115, 116, N,
     117, 118, 124},
}};

constexpr uint8_t CellAt(size_t row, size_t column) {
  return row < kGridRows && column < kGridColumns ? kGrid[row][column] : N;
}

constexpr bool PositionInGrid(uint8_t position) {
  for (const KeyGridRow& row : kGrid) {
    for (uint8_t cell : row) {
      if (cell == position) return true;
    }
  }
  return false;
}

// Appends, in ascending order, the positions below limit that the grid does not hold.
template <size_t Size>
constexpr void AppendPositionsOutsideGrid(std::array<uint8_t, Size>& order, size_t& next,
                                          size_t limit) {
  for (size_t position = 0; position < limit; ++position) {
    if (!PositionInGrid(static_cast<uint8_t>(position))) {
      order[next++] = static_cast<uint8_t>(position);
    }
  }
}

// The grid's keys as one snaking line, along the rows (or down the columns) and turning back
// at every edge, followed by the positions below Size that the grid does not hold.
template <size_t Size>
constexpr std::array<uint8_t, Size> SnakeOrder(bool byColumns) {
  std::array<uint8_t, Size> order{};
  size_t next = 0;
  const size_t lines = byColumns ? kGridColumns : kGridRows;
  const size_t length = byColumns ? kGridRows : kGridColumns;
  for (size_t line = 0; line < lines; ++line) {
    for (size_t step = 0; step < length; ++step) {
      const size_t along = line % 2 == 0 ? step : length - 1 - step;
      const uint8_t cell = byColumns ? CellAt(along, line) : CellAt(line, along);
      if (cell != N) order[next++] = cell;
    }
  }
  AppendPositionsOutsideGrid(order, next, Size);
  return order;
}

constexpr std::array<KeyGroup, kKeyGroupCount> BuildKeyGroups() {
  std::array<KeyGroup, kKeyGroupCount> groups{};
  for (size_t group = 0; group < kKeyGroupCount; ++group) {
    for (size_t row = 0; row < kGridRows; ++row) {
      groups[group][2 * row] = CellAt(row, 2 * group);
      groups[group][2 * row + 1] = CellAt(row, 2 * group + 1);
    }
  }
  return groups;
}

// The stripe whose left cell on each row sits at column row + offset.
constexpr KeyGroup DiagonalStripe(int offset) {
  KeyGroup stripe{};
  for (size_t row = 0; row < kGridRows; ++row) {
    for (size_t half = 0; half < 2; ++half) {
      const int column = static_cast<int>(row) + offset + static_cast<int>(half);
      stripe[2 * row + half] = column < 0 ? N : CellAt(row, static_cast<size_t>(column));
    }
  }
  return stripe;
}

constexpr int kFirstStripe = -5;
constexpr int kLastStripe = 21;

constexpr std::array<KeyGroup, kGroupSequenceLength> BuildGroupSequence() {
  std::array<KeyGroup, kGroupSequenceLength> sequence{};
  size_t next = 0;
  for (int offset = kFirstStripe; offset <= kLastStripe; ++offset) {
    sequence[next++] = DiagonalStripe(offset);
  }
  for (int offset = kLastStripe - 1; offset > kFirstStripe; --offset) {
    sequence[next++] = DiagonalStripe(offset);
  }
  return sequence;
}

constexpr GridCell kNotInGrid{0xFF, 0xFF};

constexpr std::array<GridCell, kKeyboardPositionCount> BuildCellOfPosition() {
  std::array<GridCell, kKeyboardPositionCount> cells{};
  cells.fill(kNotInGrid);
  for (size_t row = 0; row < kGridRows; ++row) {
    for (size_t column = 0; column < kGridColumns; ++column) {
      const uint8_t position = kGrid[row][column];
      if (position != N) cells[position] = GridCell{uint8_t(row), uint8_t(column)};
    }
  }
  return cells;
}

constexpr std::array<GridCell, kKeyboardPositionCount> kCellOfPosition = BuildCellOfPosition();

static_assert((kLastStripe - kFirstStripe + 1) + (kLastStripe - kFirstStripe - 1) ==
              static_cast<int>(kGroupSequenceLength));

}  // namespace

const std::array<KeyFunctionCode, kKeyboardPositionCount> kKeyPositionDefaultCodes =
    BuildDefaultCodes();

const std::array<KeyGridRow, kGridRows> kKeyGrid = kGrid;

const std::array<uint8_t, kWaveOrderLength> kWaveKeyOrder = SnakeOrder<kWaveOrderLength>(false);

const std::array<uint8_t, kKeyboardPositionCount> kSweepKeyOrder =
    SnakeOrder<kKeyboardPositionCount>(true);

const std::array<KeyGroup, kKeyGroupCount> kKeyGroups = BuildKeyGroups();

const std::array<uint8_t, kRainKeyCount> kRainKeys = {
    // Esc, F1-F12, Print Screen, Scroll Lock, Pause.
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15,
    // `, 1-0, -, =, Backspace, Insert, Home, Page Up, Num Lock, pad / * -.
    21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41,
    // Tab, Q-P, [, ], \, Delete, End, Page Down, pad 7-9, pad +.
    42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 119,
    // Caps Lock, A-L, ;, ', Enter, pad 4-6.
    63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78,
    // Left Shift, Z-/, right Shift, Up, pad 1-3, pad Enter.
    84, 85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 118,
    // Left Ctrl, left GUI, left Alt, Space, right Alt, right GUI, Menu, right Ctrl, Left, Down,
    // Right, pad 0, pad ..
    105, 106, 107, 108, 109, 125, 111, 112, 113, 114, 115, 116, 117,
};

const std::array<KeyGroup, kGroupSequenceLength> kGroupSequence = BuildGroupSequence();

bool IsKeyPositionUsed(size_t position) {
  return position < kKeyboardPositionCount && kKeyPositionDefaultCodes[position] != kUnusedKeyCode;
}

uint8_t GridKeyAt(size_t row, size_t column) { return CellAt(row, column); }

bool FindGridCell(size_t position, GridCell& cell) {
  if (position >= kKeyboardPositionCount || kCellOfPosition[position] == kNotInGrid) return false;
  cell = kCellOfPosition[position];
  return true;
}

}  // namespace velmora::devices
