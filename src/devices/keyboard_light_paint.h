#pragma once

#include <cstddef>
#include <cstdint>

#include "devices/keyboard_light_context.h"
#include "devices/light_tables.h"

// Drawing helpers shared by the keyboard's light modes.
namespace velmora::devices {

// Wheel index a step away from index, wrapping within the 192 entries.
uint8_t WheelIndexAfter(uint32_t index, uint32_t step);

// The user colour of the light settings.
Rgb UserColour(const LightSettings& settings);

// Brightness of entry index (0-95) of the 96-step pulse the single-colour waves run along,
// at brightness level.
uint8_t PulseBrightness(uint32_t index, uint8_t level);

// Brightness of a twinkling key at phase (0-191), at brightness level.
uint8_t TwinkleBrightness(uint32_t phase, uint8_t level);

// A key brightness 0-255 (fade entry) scaled to the brightness level.
uint8_t FadedBrightness(uint8_t fade, uint8_t level);

// Writes a key's LED entry; positions without an entry in the LED array are skipped.
void PaintKey(const KeyboardLightContext& ctx, size_t position, Rgb colour, uint8_t brightness);

// A key's colour in the keyed effects: its wheel colour in multicolour, else the user colour.
Rgb KeyColour(const KeyboardLightContext& ctx, size_t position);

// Paints every key in its KeyColour at its fade entry's brightness.
void PaintFadedKeys(const KeyboardLightContext& ctx);

// One FadeStep of every key's fade entry with the ladder of mode.
void FadeAllKeys(const KeyboardLightContext& ctx, int mode);

// Calls visit(position, row, column) for every key cell of the grid.
template <typename Visit>
void ForEachGridKey(Visit visit) {
  for (size_t row = 0; row < kGridRows; ++row) {
    for (size_t column = 0; column < kGridColumns; ++column) {
      const uint8_t position = kKeyGrid[row][column];
      if (position != kNoKeyPosition) visit(size_t{position}, row, column);
    }
  }
}

// Gives every key its column's place on a rainbow across the keyboard.
void SetRainbowColourIndices(KeyboardEffectBuffers& buffers);
// The wheel index of a column on that rainbow.
uint8_t RainbowIndexOfColumn(size_t column);

}  // namespace velmora::devices
