// The audio-driven light mode (mode 29) and its seven audio light styles.
#include "devices/keyboard_light_audio.h"

#include <algorithm>

#include "devices/keyboard_light_paint.h"
#include "devices/keyboard_light_steps.h"

namespace velmora::devices {
namespace {

constexpr int32_t kDepthRange = 600;
constexpr int32_t kValueRange = 2000;
constexpr int32_t kNegativeDepth = 500;
constexpr int32_t kLoudnessRange = 25;
constexpr int kAudioFadeMode = 29;
constexpr uint32_t kRowColourStep = 32;
constexpr uint32_t kSparklesPerLoudness = 1;
constexpr size_t kCentreColumn = kGridColumns / 2;

enum AudioStyle : uint8_t {
  kBarsFromBottom = 0,
  kBarsFromTop = 1,
  kWholePulse = 2,
  kBarsFromCentre = 3,
  kRipples = 4,
  kRainbowBars = 5,
  kSparkles = 6,
};

Rgb Foreground(const KeyboardLightContext& ctx) {
  const profiles::AudioLightRecord& s = ctx.audio.style;
  return Rgb{s.fgRed, s.fgGreen, s.fgBlue};
}

Rgb Background(const KeyboardLightContext& ctx) {
  const profiles::AudioLightRecord& s = ctx.audio.style;
  return Rgb{s.bkRed, s.bkGreen, s.bkBlue};
}

uint8_t Level(const KeyboardLightContext& ctx) {
  return BrightnessForLevel(ctx.settings.brightness);
}

// The band a grid column shows when the 25 bands spread over width columns.
int32_t BandValue(const KeyboardLightContext& ctx, size_t column, size_t width) {
  return ctx.audio.bands[std::min(column * kAudioBandCount / width, kAudioBandCount - 1)];
}

// Bars of the bands' heights, rising from the bottom row, hanging from the top row, or
// (fromCentre) rising from the bottom and mirrored out from the centre column.
enum class BarShape { kFromBottom, kFromTop, kFromCentre };

void PaintBars(const KeyboardLightContext& ctx, BarShape shape, bool rainbow) {
  const bool rowColours = !rainbow && ctx.audio.style.sevenColor != 0;
  ForEachGridKey([&](size_t position, size_t row, size_t column) {
    const size_t distance = column > kCentreColumn ? column - kCentreColumn : kCentreColumn - column;
    const int32_t value = shape == BarShape::kFromCentre
                              ? BandValue(ctx, distance, kCentreColumn + 1)
                              : BandValue(ctx, column, kGridColumns);
    const size_t height = AudioBarHeight(value);
    const bool lit = shape == BarShape::kFromTop ? row < height : row >= kGridRows - height;
    Rgb colour = Background(ctx);
    if (lit) {
      colour = rainbow      ? ColourWheelAt(RainbowIndexOfColumn(column))
               : rowColours ? ColourWheelAt(WheelIndexAfter(0, uint32_t(row) * kRowColourStep))
                            : Foreground(ctx);
    }
    PaintKey(ctx, position, colour, Level(ctx));
  });
}

void PaintWholePulse(const KeyboardLightContext& ctx) {
  ctx.base.phase = WheelIndexAfter(ctx.base.phase, 1);
  const Rgb colour =
      ctx.audio.style.sevenColor ? ColourWheelAt(ctx.base.phase) : Foreground(ctx);
  const auto brightness =
      static_cast<uint8_t>(Level(ctx) * AudioLoudness(ctx.audio.bands) / kLoudnessRange);
  ForEachGridKey([&](size_t position, size_t, size_t) {
    PaintKey(ctx, position, colour, brightness);
  });
}

// Keys above the background: lit keys in the foreground (or their wheel colour), fading out.
void PaintFadingOverBackground(const KeyboardLightContext& ctx) {
  const Rgb background = Background(ctx);
  const Rgb foreground = Foreground(ctx);
  ForEachGridKey([&](size_t position, size_t, size_t) {
    const uint8_t fade = ctx.buffers.fade[position];
    if (fade == 0) {
      PaintKey(ctx, position, background, Level(ctx));
      return;
    }
    const Rgb colour = ctx.audio.style.sevenColor
                           ? ColourWheelAt(ctx.buffers.colourIndex[position])
                           : foreground;
    PaintKey(ctx, position, colour, FadedBrightness(fade, ctx.settings.brightness));
  });
}

void PaintRipples(const KeyboardLightContext& ctx) {
  FadeAllKeys(ctx, kAudioFadeMode);
  LightWaveCells(ctx, true);
  PaintFadingOverBackground(ctx);
  ctx.buffers.wave.Move();
}

void PaintSparkles(const KeyboardLightContext& ctx) {
  FadeAllKeys(ctx, kAudioFadeMode);
  const int32_t sparkles = AudioLoudness(ctx.audio.bands) * kSparklesPerLoudness;
  for (int32_t i = 0; i < sparkles; ++i) {
    const uint8_t position = kRainKeys[ctx.random.Below(kRainKeyCount)];
    ctx.buffers.fade[position] = 255;
    ctx.buffers.colourIndex[position] = static_cast<uint8_t>(ctx.random.Below(kColourWheelSize));
  }
  PaintFadingOverBackground(ctx);
}

}  // namespace

int32_t AudioBandDepth(int32_t value) {
  if (value < 0) return kNegativeDepth;
  if (value >= kValueRange) return 0;
  return kDepthRange - value * kDepthRange / kValueRange;
}

uint32_t AudioBarHeight(int32_t value) {
  return static_cast<uint32_t>((kDepthRange - AudioBandDepth(value)) * int32_t(kGridRows) /
                               kDepthRange);
}

int32_t AudioLoudness(std::span<const int32_t> bands) {
  if (bands.empty()) return 0;
  int64_t total = 0;
  for (int32_t value : bands) total += AudioBandDepth(value);
  const auto average = static_cast<int32_t>(total / static_cast<int64_t>(bands.size()));
  return kLoudnessRange - average * kLoudnessRange / kDepthRange;
}

void StepAudio(const KeyboardLightContext& ctx) {
  switch (ctx.audio.style.audioMode) {
    case kBarsFromBottom: PaintBars(ctx, BarShape::kFromBottom, false); break;
    case kBarsFromTop: PaintBars(ctx, BarShape::kFromTop, false); break;
    case kWholePulse: PaintWholePulse(ctx); break;
    case kBarsFromCentre: PaintBars(ctx, BarShape::kFromCentre, false); break;
    case kRipples: PaintRipples(ctx); break;
    case kRainbowBars: PaintBars(ctx, BarShape::kFromBottom, true); break;
    case kSparkles: PaintSparkles(ctx); break;
    default: break;  // an unknown style keeps the last frame
  }
}

}  // namespace velmora::devices
