#include "devices/keyboard_colour_table.h"

#include <algorithm>

namespace velmora::devices {
namespace {

uint8_t Scaled(uint8_t channel, uint8_t brightness) {
  return static_cast<uint8_t>((channel * brightness) >> 8);
}

}  // namespace

ColourTable BuildCustomColourTable(std::span<const LedColor> colours, const PositionMap& ledIndex,
                                   bool premultiplied) {
  ColourTable table{};
  const size_t positions = std::min(colours.size(), kColourTablePositions);
  for (size_t i = 0; i < positions; ++i) {
    const uint8_t led = ledIndex[i];
    if (led == kNoMappedIndex || size_t{led} * 3 + 3 > table.size()) continue;
    const LedColor& c = colours[i];
    uint8_t* out = &table[size_t{led} * 3];
    out[0] = premultiplied ? Scaled(c.red, c.brightness) : c.red;
    out[1] = premultiplied ? Scaled(c.green, c.brightness) : c.green;
    out[2] = premultiplied ? Scaled(c.blue, c.brightness) : c.blue;
  }
  return table;
}

}  // namespace velmora::devices
