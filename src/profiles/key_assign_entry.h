#pragma once

#include <cstdint>

namespace velmora::profiles {

// Key-assignment types that refer to a macro; the first code byte is then the macro number.
inline constexpr uint8_t kMacroAssignType = 0x70;        // 'p'
inline constexpr uint8_t kMacroAssignTypeRepeat = 0x71;  // 'q'

// One key function: a type byte and two code bytes, stored in a document as the integer
// type * 65536 + first * 256 + second.
struct KeyAssignment {
  uint16_t position = 0;  // the key's place in "KeyList"
  uint8_t type = 0;
  uint8_t first = 0;
  uint8_t second = 0;

  // The document integer of this function (position is not part of it).
  uint32_t Encoded() const;
  // Splits a document integer: bits 16-23 type, 8-15 first, 0-7 second.
  static KeyAssignment Decode(uint16_t position, int64_t encoded);
  bool IsMacro() const { return type == kMacroAssignType || type == kMacroAssignTypeRepeat; }
  bool operator==(const KeyAssignment&) const = default;
};

// One element of "KeyList": the current assignment ("Assignment") and the factory one
// ("DefaultAssignment"), both with the key's position.
struct KeyAssignEntry {
  KeyAssignment current;
  KeyAssignment factory;
  bool operator==(const KeyAssignEntry&) const = default;
};

}  // namespace velmora::profiles
