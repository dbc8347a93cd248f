#include "devices/light_effects.h"

#include "devices/light_tables.h"

namespace velmora::devices {
namespace {

constexpr uint8_t kBreathColourStep = 16;
constexpr uint8_t kFlashColourStep = 16;

Rgb UserColour(const LightSettings& light) { return Rgb{light.red, light.green, light.blue}; }

// Advances a wheel index by step; an index that would reach past the wheel restarts at 0.
uint8_t NextWheelIndex(uint8_t index, uint8_t step) {
  const uint32_t next = uint32_t{index} + step;
  return next < kColourWheelSize ? static_cast<uint8_t>(next) : 0;
}

uint8_t NextPaletteIndex(uint8_t index) {
  return index + 1u < kPaletteSize ? static_cast<uint8_t>(index + 1) : 0;
}

// Toggles the blink state once the speed level's period has passed since the last toggle.
bool BlinkDue(BaseEffectState& state, const LightSettings& light, uint32_t nowMs) {
  if (nowMs - state.lastBlinkMs < BlinkPeriodMs(light.speed)) return false;
  state.blinkState = state.blinkState ? 0 : 1;
  state.lastBlinkMs = nowMs;
  return true;
}

}  // namespace

uint8_t ScaledBreath(uint8_t phase, uint8_t level) {
  return static_cast<uint8_t>(BreathingAt(phase) * BrightnessForLevel(level) / 256);
}

void StepBreathing(BaseEffectState& state, const LightSettings& light, std::span<LedColor> leds) {
  state.phase = StepPhase(light.direction != 0, kBreathingCurveSize, state.phase, 1);
  if (state.phase == 0) state.colourIndex = NextWheelIndex(state.colourIndex, kBreathColourStep);
  const Rgb colour = light.multiColour ? ColourWheelAt(state.colourIndex) : UserColour(light);
  FillAll(leds, colour, ScaledBreath(state.phase, light.brightness));
}

void StepBreathingPalette(BaseEffectState& state, const LightSettings& light,
                          std::span<LedColor> leds) {
  state.phase = StepPhase(light.direction != 0, kBreathingCurveSize, state.phase, 1);
  if (state.phase == 0) state.colourIndex = NextPaletteIndex(state.colourIndex);
  FillAll(leds, PaletteAt(state.colourIndex), ScaledBreath(state.phase, light.brightness));
}

void StepStatic(const LightSettings& light, std::span<LedColor> leds) {
  FillAll(leds, UserColour(light), BrightnessForLevel(light.brightness));
}

void StepSpectrum(BaseEffectState& state, const LightSettings& light, std::span<LedColor> leds) {
  state.phase = StepPhase(light.direction != 0, kColourWheelSize, state.phase, 1);
  FillAll(leds, ColourWheelAt(state.phase), BrightnessForLevel(light.brightness));
}

void StepFlash(BaseEffectState& state, const LightSettings& light, uint32_t nowMs,
               std::span<LedColor> leds) {
  if (BlinkDue(state, light, nowMs)) state.phase = NextWheelIndex(state.phase, kFlashColourStep);
  if (!state.blinkState) {
    StepOff(leds);
    return;
  }
  const Rgb colour = light.multiColour ? ColourWheelAt(state.phase) : UserColour(light);
  FillAll(leds, colour, BrightnessForLevel(light.brightness));
}

void StepFlashPalette(BaseEffectState& state, const LightSettings& light, uint32_t nowMs,
                      std::span<LedColor> leds) {
  if (BlinkDue(state, light, nowMs)) state.phase = NextPaletteIndex(state.phase);
  if (!state.blinkState) {
    StepOff(leds);
    return;
  }
  FillAll(leds, PaletteAt(state.phase), BrightnessForLevel(light.brightness));
}

void StepOff(std::span<LedColor> leds) { FillAll(leds, Rgb{}, 0); }

void FillAll(std::span<LedColor> leds, Rgb colour, uint8_t brightness) {
  for (LedColor& led : leds) led = LedColor{colour.red, colour.green, colour.blue, brightness};
}

}  // namespace velmora::devices
