#include "devices/key_fade.h"

namespace velmora::devices {
namespace {

// Each step is added modulo 256, so 226 takes 30 away. The bit-5 step never exceeds 32, so
// an entry of 32-63 can never wrap below 0.
struct FadeLadder {
  int mode;
  uint8_t highDecrement;  // entry >= 128
  uint8_t bit6Add;        // 64-127
  uint8_t bit5Add;        // 32-63
  uint8_t lowAdd;         // 17-31
};

constexpr FadeLadder kLadders[] = {
    {0, 40, 226, 241, 248},                            // -40, -30, -15, -8
    {10, 5, 246, 248, 255},                            // rain: a long, slow tail
    {13, 25, 221, 236, 248},                           // -25, -35, -20, -8
    {16, 25, 221, 236, 248}, {21, 30, 216, 236, 246},  // sweep: -30, -40, -20, -10
    {29, 1, 211, 226, 248},                            // audio: holds the peak, then -45, -30, -8
};

const FadeLadder& LadderFor(int mode) {
  for (const FadeLadder& ladder : kLadders) {
    if (ladder.mode == mode) return ladder;
  }
  return kLadders[0];
}

}  // namespace

uint8_t FadeStep(uint8_t entry, int mode) {
  const FadeLadder& ladder = LadderFor(mode);
  if (entry >= 128) return static_cast<uint8_t>(entry - ladder.highDecrement);
  if (entry & 0x40) return static_cast<uint8_t>(entry + ladder.bit6Add);
  if (entry & 0x20) return static_cast<uint8_t>(entry + ladder.bit5Add);
  if (entry > 16) return static_cast<uint8_t>(entry + ladder.lowAdd);
  if (entry != 0) return static_cast<uint8_t>(entry - 1);
  return 0;
}

}  // namespace velmora::devices
