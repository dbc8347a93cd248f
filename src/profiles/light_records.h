#pragma once

#include <cstdint>

namespace velmora::profiles {

// The selected lighting mode of a profile ("LightInfo"), 14 bytes in this order. It travels as
// three 32-bit words and one 16-bit word, little-endian: word 1 = bytes 0-3, word 2 = bytes
// 4-7, word 3 = bytes 8-11, the last half-word = bytes 12-13.
struct LightInfoRecord {
  uint8_t selectItem = 0;  // "SelectItem": index of the selected lighting mode
  uint8_t light = 0;       // "Light": brightness level
  uint8_t speed = 0;       // "Speed"
  uint8_t fx = 0;          // "Fx": direction
  uint8_t multiColor = 0;  // "MultiColor": 0 or 1
  uint8_t red = 0;         // "Red"
  uint8_t green = 0;       // "Green"
  uint8_t blue = 0;        // "Blue"
  uint8_t unstored[3] = {0, 0, 0};  // carried by the device, never stored; read back as 0
  uint8_t zzccLedMode = 0;  // "ZZCCLedMode": the secondary mode
  uint8_t customGroup = 0;  // "CustomGroup": the custom colour table index
  uint8_t oldLedMode = 0;   // "OldLedmode": the mode saved while game-event lighting runs

  static LightInfoRecord FromWords(uint32_t w1, uint32_t w2, uint32_t w3, uint16_t h4);
  uint32_t Word1() const;
  uint32_t Word2() const;
  uint32_t Word3() const;
  uint16_t Half4() const;
  bool operator==(const LightInfoRecord&) const = default;
};
static_assert(sizeof(LightInfoRecord) == 14);

// Audio-reactive light options ("AudioLightInfo"), 9 bytes in this order.
struct AudioLightRecord {
  uint8_t audioMode = 0;       // "AudioMode": audio light style
  uint8_t bkRed = 0;           // "BkColorR"
  uint8_t bkGreen = 0;         // "BkColorG"
  uint8_t bkBlue = 0;          // "BkColorB"
  uint8_t fgRed = 0;           // "FgColorR"
  uint8_t fgGreen = 0;         // "FgColorG"
  uint8_t fgBlue = 0;          // "FgColorB"
  uint8_t sevenColor = 0;      // "7ColorFlags": foreground multicolour (boolean)
  uint8_t colorType = 0;       // "ColorTypeFlags": 1 foreground, 0 background is edited

  // Word 1 carries bytes 0-3, word 2 bytes 4-7 (little-endian); b3 is byte 8.
  static AudioLightRecord FromWords(uint32_t w1, uint32_t w2, uint8_t b3);
  uint32_t Word1() const;
  uint32_t Word2() const;
  bool operator==(const AudioLightRecord&) const = default;
};
static_assert(sizeof(AudioLightRecord) == 9);

// One LED's entry of "LightList": the per-LED effect the light thread runs on it.
struct LightListEntry {
  uint8_t mode = 0;        // "LEDREGMode": effect kind
  uint8_t brightness = 0;  // "LEDBrightness"
  uint8_t speed = 0;       // "LEDSpeed"
  uint8_t direction = 0;   // "LEDDirection" (boolean)
  uint8_t multiColor = 0;  // "LEDMultiColor" (boolean)
  uint8_t red = 0;         // "red"
  uint8_t green = 0;       // "green"
  uint8_t blue = 0;        // "blue"
  uint8_t valid = 0;       // 1 for an object in the list, 0 for a null element
  bool operator==(const LightListEntry&) const = default;
};
static_assert(sizeof(LightListEntry) == 9);

// One step of a custom light effect ("LEDEffectList" of a .light file).
struct LightEffectEntry {
  uint8_t mode = 0;        // "LEDREGMode"
  uint8_t brightness = 0;  // "LEDBrightness"
  uint8_t speed = 0;       // "LEDSpeed"
  uint8_t direction = 0;   // "LEDDirection"
  uint8_t multiColor = 0;  // "LEDMultiColor"
  uint8_t red = 0;         // "red"
  uint8_t green = 0;       // "green"
  uint8_t blue = 0;        // "blue"
  uint32_t time = 0;       // "Time": how long the step lasts, in milliseconds
  uint32_t cycle = 0;      // "Cyle"
  bool operator==(const LightEffectEntry&) const = default;
};

// One per-key colour of the keyboard's user-defined light mode ("LightColorInfo").
struct CustomLightColor {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t alpha = 0;
  bool operator==(const CustomLightColor&) const = default;
};
static_assert(sizeof(CustomLightColor) == 4);

}  // namespace velmora::profiles
