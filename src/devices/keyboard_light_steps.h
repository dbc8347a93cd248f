#pragma once

#include <cstddef>
#include <cstdint>

#include "devices/keyboard_light_context.h"

// The effect steps of the keyboard's light modes. Each advances its effect by one step and
// writes the LED entries of the keys it drives.
namespace velmora::devices {

enum KeyEventKind : int {
  kKeyPressed = 1,
  kKeyReleased = 2,
};

// ----- Waves and fixed patterns -----

// Modes 1 and 2: a wave across the 23 grid columns, colourStep wheel entries (multicolour)
// or pulseStep pulse entries (single colour) apart from column to column.
void StepColumnWave(const KeyboardLightContext& ctx, uint32_t colourStep, uint32_t pulseStep);
// Mode 3: a wave along the 126-key order, 5 entries apart from key to key.
void StepKeyOrderWave(const KeyboardLightContext& ctx);
// Mode 12: a wave down the 6 grid rows, 24 wheel or 11 pulse entries apart.
void StepRowWave(const KeyboardLightContext& ctx);
// Mode 5: breathing; in multicolour each column keeps its own wheel colour, 7 entries apart.
void StepColumnBreathing(const KeyboardLightContext& ctx);
// Mode 6: static; in multicolour the 12 key groups take fixed wheel colours 12 entries apart.
void StepGroupStatic(const KeyboardLightContext& ctx);
// Mode 11: every key's colour index moves one wheel entry per step.
void StepColourCycle(const KeyboardLightContext& ctx);
// Mode 17: one colour on all keys, chosen by the light mode parameter.
void StepFixedColour(const KeyboardLightContext& ctx);
// Mode 18: the 12 key groups scroll through the wheel, 7 entries apart.
void StepGroupScroll(const KeyboardLightContext& ctx);
// Mode 20: the custom colours stay; only the brightness level is applied.
void StepCustomBrightness(const KeyboardLightContext& ctx);

// ----- Key-press effects -----

// Modes 7 and 25: held keys brighten by 15 per step, released keys dim by 5 per step.
void StepPressGlow(const KeyboardLightContext& ctx);
// Mode 7's key handler: marks the key held or released; its colour is its column's rainbow
// colour. Mode 25's handler gives each newly pressed key the next colour of the wheel.
void HandlePressGlowKey(KeyboardEffectBuffers& buffers, size_t position, int kind);
void HandleNewColourKey(KeyboardEffectBuffers& buffers, size_t position, int kind);
// Mode 8: the wave grid lights and moves; every key's colour index advances by 7.
void StepRipple(const KeyboardLightContext& ctx);
// Mode 8's key handler (and the audio pulse): a ripple starts at the pressed key.
void HandleRippleKey(KeyboardEffectBuffers& buffers, size_t position, int kind);
// Mode 9: the cells in the wave grid light once in their keys' own colours, then the grid
// is cleared.
void StepKeyFlash(const KeyboardLightContext& ctx);
// Mode 9's key handler: the pressed key and its four neighbours flash.
void HandleKeyFlashKey(KeyboardEffectBuffers& buffers, size_t position, int kind);
// Lights every key the wave grid covers: full fade and, when assignColour, the wave colour.
void LightWaveCells(const KeyboardLightContext& ctx, bool assignColour);

// ----- Wave-grid patterns -----
// Each sends one set of waves at a time and starts the next once the grid has run empty.

// Mode 13: waves leave the centre column, moved every second step.
void StartCentreWaves(KeyboardEffectBuffers& buffers);
void StepCentreWaves(const KeyboardLightContext& ctx);
// Mode 14: one ripple at a time from a random key, in a random colour.
void StepRandomRipples(const KeyboardLightContext& ctx);
// Mode 16: waves enter from both edges and cross.
void StartEdgeWaves(KeyboardEffectBuffers& buffers);
void StepEdgeWaves(const KeyboardLightContext& ctx);

// ----- Scattered and running keys -----

// Mode 10: rain, six random keys of the 104-key list per step.
void StepRain(const KeyboardLightContext& ctx);
// Modes 15 and 22: every key twinkles on its own phase, phaseStep per step.
void StartTwinkle(KeyboardEffectBuffers& buffers, LightRandom& random);
void StepTwinkle(const KeyboardLightContext& ctx, uint32_t phaseStep);
// Mode 21: a cursor runs along the 170-position sweep order, leaving a fading trail.
void StepSweep(const KeyboardLightContext& ctx);
// Mode 24: the 52-step group sequence.
void StepGroupSequence(const KeyboardLightContext& ctx);

// ----- Audio -----

// Mode 29: draws the audio input in the audio light style (0-6).
void StepAudio(const KeyboardLightContext& ctx);

}  // namespace velmora::devices
