#include "devices/keyboard_key_assignments.h"

#include <algorithm>

namespace velmora::devices {
namespace {

// The macro's place in order, adding it at the end when it is new.
uint8_t MacroPlace(std::vector<uint8_t>& order, uint8_t macroNumber) {
  const auto found = std::find(order.begin(), order.end(), macroNumber);
  if (found != order.end()) return static_cast<uint8_t>(found - order.begin());
  order.push_back(macroNumber);
  return static_cast<uint8_t>(order.size() - 1);
}

}  // namespace

std::vector<uint8_t> ApplyKeyAssignments(std::span<const profiles::KeyAssignEntry> list,
                                         const PositionMap& keyIndex, size_t macroCount,
                                         std::span<uint8_t> keyMap) {
  std::vector<uint8_t> macroOrder;
  const size_t positions = std::min(list.size(), keyIndex.size());
  for (size_t position = 0; position < positions; ++position) {
    const uint8_t key = keyIndex[position];
    const size_t at = size_t{key} * kKeyFunctionSize;
    if (key == kNoMappedIndex || at + kKeyFunctionSize > keyMap.size()) continue;
    profiles::KeyAssignment code = list[position].current;
    if (code.IsMacro() && code.first < macroCount) code.first = MacroPlace(macroOrder, code.first);
    keyMap[at] = code.type;
    keyMap[at + 1] = code.first;
    keyMap[at + 2] = code.second;
  }
  return macroOrder;
}

}  // namespace velmora::devices
