#include "devices/keyboard_light_player.h"

#include <algorithm>

#include "devices/keyboard_light_pacing.h"
#include "devices/keyboard_light_paint.h"
#include "devices/keyboard_light_steps.h"
#include "devices/light_effects.h"

namespace velmora::devices {
namespace {

enum CustomStepMode : uint8_t {
  kCustomBreathing = 0,
  kCustomColourCycle = 1,
  kCustomFlash = 2,
  kCustomSpectrum = 4,
  kCustomColumnBreathing = 5,
};

constexpr uint8_t kLastCycleColour = 9;
constexpr uint32_t kCycleColours = kLastCycleColour + 1;
constexpr uint32_t kColumnBreathingMode = 5;

LightSettings SettingsOf(const profiles::LightEffectEntry& step, const LightSettings& current) {
  LightSettings settings = current;
  settings.mode = step.mode;
  settings.brightness = step.brightness;
  settings.speed = step.speed;
  settings.direction = step.direction;
  settings.multiColour = step.multiColor;
  settings.red = step.red;
  settings.green = step.green;
  settings.blue = step.blue;
  return settings;
}

uint32_t BlinkThreshold(uint8_t speed) {
  return kBlinkPeriods[std::min<size_t>(speed, kBlinkPeriods.size() - 1)];
}

}  // namespace

void CustomEffectPlayer::Restart() {
  loops_ = 0;
  colourCounter_ = 0;
  running_ = false;
}

void CustomEffectPlayer::Loop(const KeyboardLightContext& ctx, const CustomEffectList& list) {
  profiles::LightEffectEntry step;
  size_t index = 0;
  if (!TakeCurrentStep(list, step, index)) {
    StepOff(ctx.leds);
    running_ = false;
    return;
  }
  if (!running_ || index != runningIndex_) {
    running_ = true;
    runningIndex_ = index;
    stepStartMs_ = ctx.nowMs;
    loops_ = 0;
  }
  const LightSettings settings = SettingsOf(step, ctx.settings);
  const KeyboardLightContext stepCtx{settings,      ctx.base,  ctx.leds, ctx.buffers,
                                     ctx.audio,     ctx.random, ctx.nowMs};
  RunEffect(stepCtx, step);
  AdvanceWhenDone(list, step, ctx.nowMs);
}

bool CustomEffectPlayer::TakeCurrentStep(const CustomEffectList& list,
                                         profiles::LightEffectEntry& step,
                                         size_t& index) const {
  platform::CriticalSectionLock hold(list.lock);
  const size_t count = std::min(list.count, list.steps.size());
  if (list.index >= count) list.index = 0;
  if (count == 0) return false;
  index = list.index;
  step = list.steps[index];
  return true;
}

void CustomEffectPlayer::RunEffect(const KeyboardLightContext& ctx,
                                   const profiles::LightEffectEntry& step) {
  ++loops_;
  switch (step.mode) {
    case kCustomBreathing:
      if (ThresholdReached(BlinkThreshold(step.speed))) StepBreathing(ctx.base, ctx.settings, ctx.leds);
      break;
    case kCustomColourCycle:
      if (ThresholdReached(BlinkThreshold(step.speed))) {
        colourCounter_ = colourCounter_ >= kLastCycleColour ? 0 : colourCounter_ + 1;
        const Rgb colour = ColourWheelAt(colourCounter_ * kColourWheelSize / kCycleColours);
        ForEachGridKey([&](size_t position, size_t, size_t) {
          PaintKey(ctx, position, colour, BrightnessForLevel(step.brightness));
        });
      }
      break;
    case kCustomFlash:
      StepFlash(ctx.base, ctx.settings, ctx.nowMs, ctx.leds);
      break;
    case kCustomSpectrum:
      if (ThresholdReached(BlinkThreshold(step.speed))) StepSpectrum(ctx.base, ctx.settings, ctx.leds);
      break;
    case kCustomColumnBreathing:
      if (ThresholdReached(StepThreshold(kColumnBreathingMode, step.speed))) StepColumnBreathing(ctx);
      break;
    default:
      break;  // a step kind without an effect keeps the last frame
  }
}

bool CustomEffectPlayer::ThresholdReached(uint32_t threshold) {
  if (loops_ < threshold) return false;
  loops_ = 0;
  return true;
}

void CustomEffectPlayer::AdvanceWhenDone(const CustomEffectList& list,
                                         const profiles::LightEffectEntry& step, uint32_t nowMs) {
  if (nowMs - stepStartMs_ < step.time) return;
  platform::CriticalSectionLock hold(list.lock);
  const size_t count = std::min(list.count, list.steps.size());
  list.index = count == 0 ? 0 : (list.index + 1) % count;
}

}  // namespace velmora::devices
