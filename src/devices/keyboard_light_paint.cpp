#include "devices/keyboard_light_paint.h"

#include "devices/key_fade.h"
#include "devices/light_effects.h"

namespace velmora::devices {
namespace {

constexpr uint32_t kPulseSteps = 96;
constexpr uint32_t kTwinkleSteps = 192;
// Wheel entries between neighbouring columns of the keyboard rainbow.
constexpr uint32_t kRainbowColumnStep = 8;

}  // namespace

uint8_t WheelIndexAfter(uint32_t index, uint32_t step) {
  return static_cast<uint8_t>((index + step) % kColourWheelSize);
}

Rgb UserColour(const LightSettings& settings) {
  return Rgb{settings.red, settings.green, settings.blue};
}

uint8_t PulseBrightness(uint32_t index, uint8_t level) {
  const uint32_t phase = (index % kPulseSteps) * kBreathingCurveSize / kPulseSteps;
  return ScaledBreath(static_cast<uint8_t>(phase), level);
}

uint8_t TwinkleBrightness(uint32_t phase, uint8_t level) {
  const uint32_t curvePhase = (phase % kTwinkleSteps) * kBreathingCurveSize / kTwinkleSteps;
  return ScaledBreath(static_cast<uint8_t>(curvePhase), level);
}

uint8_t FadedBrightness(uint8_t fade, uint8_t level) {
  return static_cast<uint8_t>(uint32_t{fade} * BrightnessForLevel(level) / 255);
}

void PaintKey(const KeyboardLightContext& ctx, size_t position, Rgb colour, uint8_t brightness) {
  if (position >= ctx.leds.size()) return;
  ctx.leds[position] = LedColor{colour.red, colour.green, colour.blue, brightness};
}

Rgb KeyColour(const KeyboardLightContext& ctx, size_t position) {
  return ctx.settings.multiColour ? ColourWheelAt(ctx.buffers.colourIndex[position])
                                  : UserColour(ctx.settings);
}

void PaintFadedKeys(const KeyboardLightContext& ctx) {
  ForEachGridKey([&](size_t position, size_t, size_t) {
    PaintKey(ctx, position, KeyColour(ctx, position),
             FadedBrightness(ctx.buffers.fade[position], ctx.settings.brightness));
  });
}

void FadeAllKeys(const KeyboardLightContext& ctx, int mode) {
  for (uint8_t& entry : ctx.buffers.fade) entry = FadeStep(entry, mode);
}

uint8_t RainbowIndexOfColumn(size_t column) {
  return WheelIndexAfter(0, static_cast<uint32_t>(column) * kRainbowColumnStep);
}

void SetRainbowColourIndices(KeyboardEffectBuffers& buffers) {
  ForEachGridKey([&](size_t position, size_t, size_t column) {
    buffers.colourIndex[position] = RainbowIndexOfColumn(column);
  });
}

}  // namespace velmora::devices
