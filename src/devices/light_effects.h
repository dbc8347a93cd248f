#pragma once

#include <cstdint>
#include <span>

#include "devices/light_state.h"
#include "devices/light_tables.h"

namespace velmora::devices {

// The state the whole-device effects advance from step to step.
struct BaseEffectState {
  uint8_t phase = 0;
  uint8_t colourIndex = 0;
  uint8_t blinkState = 0;
  uint32_t lastBlinkMs = 0;
};

// Whole-device light effects. Each advances state by one step and fills every LED entry;
// nowMs is the millisecond clock (only the flashing effects read it).

// Breathing along the breathing curve; in multicolour the colour moves 16 wheel steps on
// every breath.
void StepBreathing(BaseEffectState& state, const LightSettings& light, std::span<LedColor> leds);
// Breathing through the four-colour palette, one colour per breath.
void StepBreathingPalette(BaseEffectState& state, const LightSettings& light,
                          std::span<LedColor> leds);
void StepStatic(const LightSettings& light, std::span<LedColor> leds);
// Runs round the colour wheel, one entry per step.
void StepSpectrum(BaseEffectState& state, const LightSettings& light, std::span<LedColor> leds);
// On and off with the blink period of the speed level; each toggle moves 16 wheel steps.
void StepFlash(BaseEffectState& state, const LightSettings& light, uint32_t nowMs,
               std::span<LedColor> leds);
// As StepFlash, through the four-colour palette.
void StepFlashPalette(BaseEffectState& state, const LightSettings& light, uint32_t nowMs,
                      std::span<LedColor> leds);
void StepOff(std::span<LedColor> leds);

// Gives every LED one colour and brightness.
void FillAll(std::span<LedColor> leds, Rgb colour, uint8_t brightness);

// brightness curve value x brightness level, as the effects scale a breath.
uint8_t ScaledBreath(uint8_t phase, uint8_t level);

}  // namespace velmora::devices
