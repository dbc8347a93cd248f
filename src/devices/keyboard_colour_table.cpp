#include "devices/keyboard_colour_table.h"

#include <algorithm>

#include "devices/keyboard_light_frame.h"

namespace velmora::devices {

ColourTable BuildCustomColourTable(std::span<const LedColor> colours, const PositionMap& ledIndex,
                                   bool premultiplied) {
  ColourTable table{};
  const std::span<const LedColor> keys =
      colours.first(std::min(colours.size(), kColourTablePositions));
  if (premultiplied) {
    PackKeyboardFrame(keys, ledIndex, table);
    return table;
  }
  for (size_t i = 0; i < keys.size(); ++i) {
    const uint8_t led = ledIndex[i];
    if (led == kNoMappedIndex || size_t{led} * 3 + 3 > table.size()) continue;
    table[size_t{led} * 3] = keys[i].red;
    table[size_t{led} * 3 + 1] = keys[i].green;
    table[size_t{led} * 3 + 2] = keys[i].blue;
  }
  return table;
}

}  // namespace velmora::devices
