#include "devices/keyboard_light_engine.h"

#include <algorithm>
#include <array>

#include "devices/keyboard_light_paint.h"
#include "devices/keyboard_light_steps.h"

namespace velmora::devices {
namespace {

constexpr uint32_t kRippleMode = 8;
constexpr uint32_t kAudioMode = 29;

using StepFunction = void (*)(const KeyboardLightContext&);

void NoStep(const KeyboardLightContext&) {}
void ColumnWave(const KeyboardLightContext& ctx) { StepColumnWave(ctx, 7, 7); }
void NarrowColumnWave(const KeyboardLightContext& ctx) { StepColumnWave(ctx, 2, 1); }
void Spectrum(const KeyboardLightContext& ctx) { StepSpectrum(ctx.base, ctx.settings, ctx.leds); }
void FastTwinkle(const KeyboardLightContext& ctx) { StepTwinkle(ctx, 2); }
void SlowTwinkle(const KeyboardLightContext& ctx) { StepTwinkle(ctx, 1); }
void Flash(const KeyboardLightContext& ctx) {
  StepFlash(ctx.base, ctx.settings, ctx.nowMs, ctx.leds);
}
void BreathingPalette(const KeyboardLightContext& ctx) {
  StepBreathingPalette(ctx.base, ctx.settings, ctx.leds);
}
void FlashPalette(const KeyboardLightContext& ctx) {
  StepFlashPalette(ctx.base, ctx.settings, ctx.nowMs, ctx.leds);
}
void Off(const KeyboardLightContext& ctx) { StepOff(ctx.leds); }
// Mode 30: the frame is written from outside (SetLedColor); the step keeps it as it is.
void SoftwareFrame(const KeyboardLightContext&) {}

// The step of each light mode, by mode number; 0 and 19 have none.
constexpr std::array<StepFunction, 31> kModeSteps = {
    NoStep,                // 0
    ColumnWave,            // 1
    NarrowColumnWave,      // 2
    StepKeyOrderWave,      // 3
    Spectrum,              // 4
    StepColumnBreathing,   // 5
    StepGroupStatic,       // 6
    StepPressGlow,         // 7
    StepRipple,            // 8
    StepKeyFlash,          // 9
    StepRain,              // 10
    StepColourCycle,       // 11
    StepRowWave,           // 12
    StepCentreWaves,       // 13
    StepRandomRipples,     // 14
    FastTwinkle,           // 15
    StepEdgeWaves,         // 16
    StepFixedColour,       // 17
    StepGroupScroll,       // 18
    NoStep,                // 19
    StepCustomBrightness,  // 20
    StepSweep,             // 21
    SlowTwinkle,           // 22
    Flash,                 // 23
    StepGroupSequence,     // 24
    StepPressGlow,         // 25
    BreathingPalette,      // 26
    FlashPalette,          // 27
    Off,                   // 28
    StepAudio,             // 29
    SoftwareFrame,         // 30
};

}  // namespace

KeyboardLightEngine::KeyboardLightEngine(LightRandom* random)
    : random_(random != nullptr ? *random : ownRandom_) {}

void KeyboardLightEngine::StartPacing(uint32_t nowMs) { ticks_.Restart(nowMs); }

KeyboardLightContext KeyboardLightEngine::ContextFor(const KeyboardLightFrame& frame,
                                                     uint32_t nowMs) {
  return KeyboardLightContext{frame.settings, frame.base, frame.leds, buffers_,
                              audio_,         random_,    nowMs};
}

void KeyboardLightEngine::Restart(const KeyboardLightFrame& frame, uint32_t mode) {
  mode_ = mode;
  buffers_ = KeyboardEffectBuffers{};
  frame.base = BaseEffectState{};
  ticks_.ClearTicks();
  player_.Restart();
  switch (mode) {
    case 11: SetRainbowColourIndices(buffers_); break;
    case 13: StartCentreWaves(buffers_); break;
    case 15:
    case 22: StartTwinkle(buffers_, random_); break;
    case 16: StartEdgeWaves(buffers_); break;
    case 20: StepCustomBrightness(ContextFor(frame, 0)); break;
    default: break;
  }
}

bool KeyboardLightEngine::RunLoop(const KeyboardLightFrame& frame,
                                  const CustomEffectList* effects, uint32_t nowMs) {
  ticks_.Advance(nowMs);
  const uint32_t mode = frame.settings.mode;
  if (!HasOwnStep(mode)) {
    if (effects != nullptr) player_.Loop(ContextFor(frame, nowMs), *effects);
    return false;
  }
  if (!StepDue(mode, frame.settings.speed, ticks_.Ticks())) return false;
  RunStep(frame, nowMs);
  ticks_.ClearTicks();
  return true;
}

void KeyboardLightEngine::RunStep(const KeyboardLightFrame& frame, uint32_t nowMs) {
  const uint32_t mode = frame.settings.mode;
  if (!HasOwnStep(mode)) return;
  kModeSteps[mode](ContextFor(frame, nowMs));
}

void KeyboardLightEngine::OnKeyEvent(uint32_t mode, size_t position, int kind) {
  if (position >= kKeyboardPositionCount) return;
  switch (mode) {
    case 7: HandlePressGlowKey(buffers_, position, kind); break;
    case 8: HandleRippleKey(buffers_, position, kind); break;
    case 9: HandleKeyFlashKey(buffers_, position, kind); break;
    case 25: HandleNewColourKey(buffers_, position, kind); break;
    default: break;
  }
}

void KeyboardLightEngine::SetAudioBands(std::span<const int32_t> bands) {
  audio_.bands.fill(0);
  std::copy_n(bands.begin(), std::min(bands.size(), audio_.bands.size()), audio_.bands.begin());
}

void KeyboardLightEngine::OnAudioLevel(size_t position, uint32_t level) {
  if (mode_ != kRippleMode && mode_ != kAudioMode) return;
  if (level >= kAudioRippleLevel) HandleRippleKey(buffers_, position, kKeyPressed);
}

void KeyboardLightEngine::SetAudioStyle(const profiles::AudioLightRecord& style) {
  audio_.style = style;
}

}  // namespace velmora::devices
