#include "devices/keyboard_key_maps.h"

#include <algorithm>

namespace velmora::devices {
namespace {

bool EntryEquals(std::span<const uint8_t> keyMap, size_t keyIndex, const KeyFunctionCode& code) {
  const size_t at = keyIndex * kKeyFunctionSize;
  return keyMap[at] == code.type && keyMap[at + 1] == code.argument && keyMap[at + 2] == code.code;
}

}  // namespace

KeyPositionMaps BuildKeyPositionMaps(std::span<const uint8_t> keyMap,
                                     std::span<const uint8_t> ledMap, int keyCount) {
  KeyPositionMaps maps;
  maps.keyIndex.fill(kNoMappedIndex);
  maps.ledIndex.fill(kNoMappedIndex);
  const size_t keys = std::min({static_cast<size_t>(std::max(keyCount, 0)),
                                keyMap.size() / kKeyFunctionSize, size_t{kNoMappedIndex}});
  for (size_t position = 0; position < kKeyboardPositionCount; ++position) {
    const KeyFunctionCode& code = kKeyPositionDefaultCodes[position];
    for (size_t k = 0; k < keys; ++k) {
      if (!EntryEquals(keyMap, k, code)) continue;
      maps.keyIndex[position] = static_cast<uint8_t>(k);
      if (k < ledMap.size()) maps.ledIndex[position] = ledMap[k];
      break;
    }
  }
  return maps;
}

}  // namespace velmora::devices
