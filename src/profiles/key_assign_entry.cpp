#include "profiles/key_assign_entry.h"

namespace velmora::profiles {

uint32_t KeyAssignment::Encoded() const {
  return static_cast<uint32_t>(type) << 16 | static_cast<uint32_t>(first) << 8 | second;
}

KeyAssignment KeyAssignment::Decode(uint16_t position, int64_t encoded) {
  KeyAssignment a;
  a.position = position;
  a.type = static_cast<uint8_t>(encoded >> 16);
  a.first = static_cast<uint8_t>(encoded >> 8);
  a.second = static_cast<uint8_t>(encoded);
  return a;
}

}  // namespace velmora::profiles
