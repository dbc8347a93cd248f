// Factory memory of the keyboard (cable 505B, and the same keyboard behind receiver 5088).

#include <array>
#include <vector>

#include "sim/factory_blocks.h"
#include "sim/factory_memory.h"

namespace velmora::sim {
namespace {

struct KeyCode {
  uint8_t type, first, second;
};

constexpr KeyCode Key(uint8_t usage) { return {0x20, 0x00, usage}; }
constexpr KeyCode Modifier(uint8_t mask) { return {0x20, mask, 0x00}; }
constexpr KeyCode Function(uint8_t type, uint8_t first, uint8_t second) { return {type, first, second}; }

// The keyboard's switch matrix, scanned row by row from the top left; entry k is key index k.
// Each key holds its factory function: a HID keyboard usage, a modifier, or a device function.
const std::vector<KeyCode>& KeyMatrix() {
  static const std::vector<KeyCode> matrix = {
      // Row 0: Esc, F1-F12, Print Screen, Scroll Lock, Pause, two device-function keys.
      Key(0x29), Key(0x3A), Key(0x3B), Key(0x3C), Key(0x3D), Key(0x3E), Key(0x3F), Key(0x40),
      Key(0x41), Key(0x42), Key(0x43), Key(0x44), Key(0x45), Key(0x46), Key(0x47), Key(0x48),
      Function(0xA0, 0x1B, 0x00), Function(0xA0, 0x24, 0x00),
      // Row 1: grave, 1-0, minus, equal, Backspace, Insert, Home, Page Up, keypad top row.
      Key(0x35), Key(0x1E), Key(0x1F), Key(0x20), Key(0x21), Key(0x22), Key(0x23), Key(0x24),
      Key(0x25), Key(0x26), Key(0x27), Key(0x2D), Key(0x2E), Key(0x2A), Key(0x49), Key(0x4A),
      Key(0x4B), Key(0x53), Key(0x54), Key(0x55), Key(0x56),
      // Row 2: Tab, Q-P, brackets, backslash, Delete, End, Page Down, keypad 7-9.
      Key(0x2B), Key(0x14), Key(0x1A), Key(0x08), Key(0x15), Key(0x17), Key(0x1C), Key(0x18),
      Key(0x0C), Key(0x12), Key(0x13), Key(0x2F), Key(0x30), Key(0x31), Key(0x4C), Key(0x4D),
      Key(0x4E), Key(0x5F), Key(0x60), Key(0x61),
      // Row 3: non-US hash, Caps Lock, A-L, semicolon, quote, Enter, keypad 4-6, the
      // international keys of the layout variants.
      Key(0x32), Key(0x39), Key(0x04), Key(0x16), Key(0x07), Key(0x09), Key(0x0A), Key(0x0B),
      Key(0x0D), Key(0x0E), Key(0x0F), Key(0x33), Key(0x34), Key(0x28), Key(0x5C), Key(0x5D),
      Key(0x5E), Key(0x8A), Key(0x8B), Key(0x90), Key(0x91), Key(0x88),
      // Row 4: left Shift, Z-M, comma, period, slash, right Shift, Up, keypad 1-3, more
      // international keys, non-US backslash.
      Modifier(0x02), Key(0x1D), Key(0x1B), Key(0x06), Key(0x19), Key(0x05), Key(0x11),
      Key(0x10), Key(0x36), Key(0x37), Key(0x38), Modifier(0x20), Key(0x52), Key(0x59),
      Key(0x5A), Key(0x5B), Key(0x87), Key(0x89), Key(0x64), Key(0x85),
      // Row 5: left Ctrl, left GUI, left Alt, Space, right Alt, Fn, Menu, right Ctrl, arrows,
      // keypad 0, dot, Enter, plus, profile keys 1-5, right GUI.
      Modifier(0x01), Modifier(0x08), Modifier(0x04), Key(0x2C), Modifier(0x40),
      Function(0xA0, 0x01, 0x00), Key(0x65), Modifier(0x10), Key(0x50), Key(0x51), Key(0x4F),
      Key(0x62), Key(0x63), Key(0x58), Key(0x57), Function(0xD0, 0xA2, 0x01),
      Function(0xD0, 0xA2, 0x02), Function(0xD0, 0xA2, 0x03), Function(0xD0, 0xA2, 0x04),
      Function(0xD0, 0xA2, 0x05), Modifier(0x80),
  };
  return matrix;
}

// Factory parameter record of a profile: spectrum-style mode 1 at full brightness, middle
// speed, multicolour, red as user colour.
std::array<uint8_t, kKeyboardRecordSize> FactoryRecord(uint8_t profile) {
  std::array<uint8_t, kKeyboardRecordSize> r{};
  r[0] = profile;
  r[1] = 1;       // light mode
  r[2] = 24;      // brightness level
  r[3] = 4 - 2;   // inverse speed level
  r[5] = 1;       // multicolour
  r[6] = 0xFF;    // red
  r[23] = 0;      // polling rate index
  return r;
}

}  // namespace

DeviceMemory KeyboardFactoryMemory() {
  DeviceMemory m = MemoryWithInformation(0x505B, 0x0102, kKeyboardKeyCount, 32);

  auto& keyMap = m.Area(MemoryArea::KeyMap);
  keyMap.assign(kKeyMapSize, 0);
  auto& ledMap = m.Area(MemoryArea::LedMap);
  ledMap.assign(kLedMapSize, 0xFF);
  const auto& matrix = KeyMatrix();
  for (size_t k = 0; k < kKeyboardKeyCount; ++k) {
    const KeyCode code = k < matrix.size() ? matrix[k] : Modifier(0x00);  // unused matrix cells
    keyMap[k * 3] = code.type;
    keyMap[k * 3 + 1] = code.first;
    keyMap[k * 3 + 2] = code.second;
    if (k < matrix.size()) ledMap[k] = static_cast<uint8_t>(k);  // one LED per fitted switch
  }

  auto& params = m.Area(MemoryArea::Parameters);
  params.assign(256, 0);
  for (int p = 0; p < kProfileCount; ++p) {
    const auto record = FactoryRecord(static_cast<uint8_t>(p));
    std::copy(record.begin(), record.end(), params.begin() + p * kKeyboardRecordStride);
  }
  params[0] = 0;  // active profile

  m.Area(MemoryArea::ColorTables).assign(8 * kColorTableSize, 0);
  m.Area(MemoryArea::LightFrame).assign(kLightFrameSize, 0);
  FillStatus(m, {85, 2, 0, 0, 1});  // 85 %, on battery
  return m;
}

}  // namespace velmora::sim
