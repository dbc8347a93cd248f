// Waves and fixed patterns of the keyboard's light modes.
#include "devices/keyboard_light_paint.h"
#include "devices/keyboard_light_steps.h"

namespace velmora::devices {
namespace {

constexpr uint8_t kPulseSteps = 96;
constexpr uint32_t kKeyOrderStep = 5;
constexpr uint32_t kRowColourStep = 24;
constexpr uint32_t kRowPulseStep = 11;
constexpr uint32_t kColumnBreathStep = 7;
constexpr uint32_t kGroupStaticFirst = 138;
constexpr uint32_t kGroupStaticStep = 12;
constexpr uint8_t kGroupStaticWrapped = 150;
constexpr uint32_t kGroupScrollStep = 7;

// The wave's colour or pulse at lane (a column, row or place in an order): the phase moves
// one entry per step, and each lane sits step entries further on.
struct WaveLook {
  bool multiColour;
  uint8_t phase;
  uint32_t colourStep;
  uint32_t pulseStep;

  void Paint(const KeyboardLightContext& ctx, size_t position, uint32_t lane) const {
    if (multiColour) {
      const uint8_t index = WheelIndexAfter(phase + 1u, lane * colourStep);
      PaintKey(ctx, position, ColourWheelAt(index),
               BrightnessForLevel(ctx.settings.brightness));
    } else {
      const uint32_t index = (phase + 1u + lane * pulseStep) % kPulseSteps;
      PaintKey(ctx, position, UserColour(ctx.settings),
               PulseBrightness(index, ctx.settings.brightness));
    }
  }
};

WaveLook AdvanceWave(const KeyboardLightContext& ctx, uint32_t colourStep, uint32_t pulseStep) {
  const bool multiColour = ctx.settings.multiColour != 0;
  const uint8_t limit = multiColour ? kColourWheelSize : kPulseSteps;
  ctx.base.phase = StepPhase(ctx.settings.direction != 0, limit, ctx.base.phase, 1);
  return WaveLook{multiColour, ctx.base.phase, colourStep, pulseStep};
}

void PaintAllKeys(const KeyboardLightContext& ctx, Rgb colour) {
  const uint8_t brightness = BrightnessForLevel(ctx.settings.brightness);
  ForEachGridKey([&](size_t position, size_t, size_t) {
    PaintKey(ctx, position, colour, brightness);
  });
}

void PaintGroup(const KeyboardLightContext& ctx, const KeyGroup& group, Rgb colour) {
  const uint8_t brightness = BrightnessForLevel(ctx.settings.brightness);
  for (uint8_t position : group) {
    if (position != kNoKeyPosition) PaintKey(ctx, position, colour, brightness);
  }
}

uint8_t FixedColourIndex(uint8_t modeParameter) {
  switch (modeParameter) {
    case 1: return 25;
    case 2: return 70;
    case 3: return 95;
    default: return 174;
  }
}

}  // namespace

void StepColumnWave(const KeyboardLightContext& ctx, uint32_t colourStep, uint32_t pulseStep) {
  const WaveLook look = AdvanceWave(ctx, colourStep, pulseStep);
  ForEachGridKey([&](size_t position, size_t, size_t column) {
    look.Paint(ctx, position, static_cast<uint32_t>(column));
  });
}

void StepKeyOrderWave(const KeyboardLightContext& ctx) {
  const WaveLook look = AdvanceWave(ctx, kKeyOrderStep, kKeyOrderStep);
  for (size_t place = 0; place < kWaveKeyOrder.size(); ++place) {
    look.Paint(ctx, kWaveKeyOrder[place], static_cast<uint32_t>(place));
  }
}

void StepRowWave(const KeyboardLightContext& ctx) {
  const WaveLook look = AdvanceWave(ctx, kRowColourStep, kRowPulseStep);
  ForEachGridKey([&](size_t position, size_t row, size_t) {
    look.Paint(ctx, position, static_cast<uint32_t>(row));
  });
}

void StepColumnBreathing(const KeyboardLightContext& ctx) {
  ctx.base.phase =
      StepPhase(ctx.settings.direction != 0, kBreathingCurveSize, ctx.base.phase, 1);
  const uint8_t brightness = ScaledBreath(ctx.base.phase, ctx.settings.brightness);
  ForEachGridKey([&](size_t position, size_t, size_t column) {
    const Rgb colour =
        ctx.settings.multiColour
            ? ColourWheelAt(WheelIndexAfter(0, static_cast<uint32_t>(column) * kColumnBreathStep))
            : UserColour(ctx.settings);
    PaintKey(ctx, position, colour, brightness);
  });
}

void StepGroupStatic(const KeyboardLightContext& ctx) {
  if (!ctx.settings.multiColour) {
    PaintAllKeys(ctx, UserColour(ctx.settings));
    return;
  }
  for (size_t group = 0; group < kKeyGroups.size(); ++group) {
    auto index = static_cast<uint8_t>(kGroupStaticFirst - kGroupStaticStep * group);
    if (index >= kColourWheelSize) index = kGroupStaticWrapped;
    PaintGroup(ctx, kKeyGroups[group], ColourWheelAt(index));
  }
}

void StepColourCycle(const KeyboardLightContext& ctx) {
  const uint8_t brightness = BrightnessForLevel(ctx.settings.brightness);
  ForEachGridKey([&](size_t position, size_t, size_t) {
    uint8_t& index = ctx.buffers.colourIndex[position];
    index = WheelIndexAfter(index, 1);
    PaintKey(ctx, position, ColourWheelAt(index), brightness);
  });
}

void StepFixedColour(const KeyboardLightContext& ctx) {
  PaintAllKeys(ctx, ColourWheelAt(FixedColourIndex(ctx.settings.modeParameter)));
}

void StepGroupScroll(const KeyboardLightContext& ctx) {
  ctx.base.phase = StepPhase(ctx.settings.direction != 0, kColourWheelSize, ctx.base.phase, 1);
  for (size_t group = 0; group < kKeyGroups.size(); ++group) {
    const uint8_t index =
        WheelIndexAfter(ctx.base.phase, static_cast<uint32_t>(group) * kGroupScrollStep);
    PaintGroup(ctx, kKeyGroups[group], ColourWheelAt(index));
  }
}

void StepCustomBrightness(const KeyboardLightContext& ctx) {
  const uint8_t brightness = BrightnessForLevel(ctx.settings.brightness);
  ForEachGridKey([&](size_t position, size_t, size_t) {
    if (position < ctx.leds.size()) ctx.leds[position].brightness = brightness;
  });
}

}  // namespace velmora::devices
