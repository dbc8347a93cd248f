#include "profiles/light_records.h"

namespace velmora::profiles {
namespace {

uint8_t ByteOf(uint32_t word, int index) { return static_cast<uint8_t>(word >> (8 * index)); }

uint32_t WordOf(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
  return static_cast<uint32_t>(b0) | static_cast<uint32_t>(b1) << 8 |
         static_cast<uint32_t>(b2) << 16 | static_cast<uint32_t>(b3) << 24;
}

}  // namespace

LightInfoRecord LightInfoRecord::FromWords(uint32_t w1, uint32_t w2, uint32_t w3, uint16_t h4) {
  LightInfoRecord r;
  r.selectItem = ByteOf(w1, 0);
  r.light = ByteOf(w1, 1);
  r.speed = ByteOf(w1, 2);
  r.fx = ByteOf(w1, 3);
  r.multiColor = ByteOf(w2, 0);
  r.red = ByteOf(w2, 1);
  r.green = ByteOf(w2, 2);
  r.blue = ByteOf(w2, 3);
  r.unstored[0] = ByteOf(w3, 0);
  r.unstored[1] = ByteOf(w3, 1);
  r.unstored[2] = ByteOf(w3, 2);
  r.zzccLedMode = ByteOf(w3, 3);
  r.customGroup = ByteOf(h4, 0);
  r.oldLedMode = ByteOf(h4, 1);
  return r;
}

uint32_t LightInfoRecord::Word1() const { return WordOf(selectItem, light, speed, fx); }
uint32_t LightInfoRecord::Word2() const { return WordOf(multiColor, red, green, blue); }
uint32_t LightInfoRecord::Word3() const {
  return WordOf(unstored[0], unstored[1], unstored[2], zzccLedMode);
}
uint16_t LightInfoRecord::Half4() const {
  return static_cast<uint16_t>(customGroup | oldLedMode << 8);
}

AudioLightRecord AudioLightRecord::FromWords(uint32_t w1, uint32_t w2, uint8_t b3) {
  AudioLightRecord r;
  r.audioMode = ByteOf(w1, 0);
  r.bkRed = ByteOf(w1, 1);
  r.bkGreen = ByteOf(w1, 2);
  r.bkBlue = ByteOf(w1, 3);
  r.fgRed = ByteOf(w2, 0);
  r.fgGreen = ByteOf(w2, 1);
  r.fgBlue = ByteOf(w2, 2);
  r.sevenColor = ByteOf(w2, 3);
  r.colorType = b3;
  return r;
}

uint32_t AudioLightRecord::Word1() const { return WordOf(audioMode, bkRed, bkGreen, bkBlue); }
uint32_t AudioLightRecord::Word2() const { return WordOf(fgRed, fgGreen, fgBlue, sevenColor); }

}  // namespace velmora::profiles
