// Scattered and running keys of the keyboard's light modes: rain, twinkle, sweep, sequence.
#include <algorithm>

#include "devices/keyboard_light_paint.h"
#include "devices/keyboard_light_steps.h"

namespace velmora::devices {
namespace {

constexpr int kRainDropsPerStep = 6;
constexpr int kRainFadeMode = 10;
constexpr uint32_t kTwinklePhases = 192;
constexpr int kSweepFadeMode = 21;
constexpr uint8_t kSweepCursorFade = 254;
constexpr int kSequenceFall = 5;
constexpr uint32_t kSequenceColourStep = 3;
constexpr uint8_t kFullFade = 255;

uint8_t RandomWheelIndex(LightRandom& random) {
  return static_cast<uint8_t>(random.Below(kColourWheelSize));
}

}  // namespace

void StepRain(const KeyboardLightContext& ctx) {
  for (int drop = 0; drop < kRainDropsPerStep; ++drop) {
    const uint8_t position = kRainKeys[ctx.random.Below(kRainKeyCount)];
    ctx.buffers.colourIndex[position] = RandomWheelIndex(ctx.random);
    ctx.buffers.fade[position] = kFullFade;
  }
  PaintFadedKeys(ctx);
  FadeAllKeys(ctx, kRainFadeMode);
}

void StartTwinkle(KeyboardEffectBuffers& buffers, LightRandom& random) {
  ForEachGridKey([&](size_t position, size_t, size_t) {
    buffers.keyPhase[position] = static_cast<uint8_t>(random.Below(kTwinklePhases));
    buffers.colourIndex[position] = RandomWheelIndex(random);
  });
}

void StepTwinkle(const KeyboardLightContext& ctx, uint32_t phaseStep) {
  ForEachGridKey([&](size_t position, size_t, size_t) {
    uint8_t& phase = ctx.buffers.keyPhase[position];
    const uint32_t next = phase + phaseStep;
    if (next >= kTwinklePhases) {
      phase = 0;
      ctx.buffers.colourIndex[position] = RandomWheelIndex(ctx.random);
    } else {
      phase = static_cast<uint8_t>(next);
    }
    PaintKey(ctx, position, KeyColour(ctx, position),
             TwinkleBrightness(phase, ctx.settings.brightness));
  });
}

void StepSweep(const KeyboardLightContext& ctx) {
  KeyboardEffectBuffers& buffers = ctx.buffers;
  FadeAllKeys(ctx, kSweepFadeMode);
  const uint8_t position = kSweepKeyOrder[buffers.cursor % kSweepKeyOrder.size()];
  buffers.fade[position] = kSweepCursorFade;
  buffers.colourIndex[position] =
      static_cast<uint8_t>(buffers.cursor * kColourWheelSize / kSweepKeyOrder.size());
  PaintFadedKeys(ctx);
  const size_t count = kSweepKeyOrder.size();
  buffers.cursor = static_cast<uint8_t>(
      ctx.settings.direction ? (buffers.cursor + 1) % count : (buffers.cursor + count - 1) % count);
}

void StepGroupSequence(const KeyboardLightContext& ctx) {
  KeyboardEffectBuffers& buffers = ctx.buffers;
  for (size_t position = 0; position < kKeyboardPositionCount; ++position) {
    buffers.fade[position] = static_cast<uint8_t>(std::max(buffers.fade[position] - kSequenceFall, 0));
    buffers.colourIndex[position] = WheelIndexAfter(buffers.colourIndex[position], kSequenceColourStep);
  }
  for (uint8_t position : kGroupSequence[buffers.sequenceStep % kGroupSequenceLength]) {
    if (position == kNoKeyPosition) continue;
    buffers.fade[position] = kFullFade;
    buffers.colourIndex[position] = 0;
  }
  buffers.sequenceStep = static_cast<uint8_t>((buffers.sequenceStep + 1) % kGroupSequenceLength);
  PaintFadedKeys(ctx);
}

}  // namespace velmora::devices
