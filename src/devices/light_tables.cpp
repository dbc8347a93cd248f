#include "devices/light_tables.h"

#include <algorithm>

namespace velmora::devices {
namespace {

constexpr size_t kWheelSegment = 64;  // entries from one primary colour to the next
constexpr size_t kWheelHalf = 32;     // the rising half, then the falling half

// The channel that joins the primary: 1 at the primary, 26 at 8 steps, full at 32 steps,
// along the quadratic 1 + (584 t + 77 t^2) / 384, rounded.
constexpr uint8_t WheelRise(size_t t) {
  return static_cast<uint8_t>(1 + (584 * t + 77 * t * t + 192) / 384);
}

// The primary fading out: 248 at the secondary colour, down to 0 at the next primary.
constexpr uint8_t WheelFall(size_t j) { return static_cast<uint8_t>((992 - 31 * j + 2) / 4); }

constexpr std::array<Rgb, kColourWheelSize> BuildColourWheel() {
  std::array<Rgb, kColourWheelSize> wheel{};
  for (size_t i = 0; i < kColourWheelSize; ++i) {
    std::array<uint8_t, 3> channels{};
    const size_t primary = i / kWheelSegment;
    const size_t next = (primary + 1) % 3;
    const size_t t = i % kWheelSegment;
    if (t < kWheelHalf) {
      channels[primary] = 255;
      channels[next] = WheelRise(t);
    } else {
      channels[primary] = WheelFall(t - kWheelHalf);
      channels[next] = 255;
    }
    wheel[i] = Rgb{channels[0], channels[1], channels[2]};
  }
  return wheel;
}

// Rising half: one step at a time up to 10, then steps that grow from 2 so the curve meets
// 255 at entry 63 (10 + 2n + 139 n (n - 1) / 2756, rounded). The falling half mirrors it.
constexpr std::array<uint8_t, kBreathingCurveSize> BuildBreathingCurve() {
  std::array<uint8_t, kBreathingCurveSize> curve{};
  constexpr size_t kHalf = kBreathingCurveSize / 2;
  for (size_t k = 0; k < kHalf; ++k) {
    uint32_t value = static_cast<uint32_t>(k);
    if (k > 10) {
      const uint32_t n = static_cast<uint32_t>(k - 10);
      value = 10 + (5512 * n + 139 * n * (n - 1) + 1378) / 2756;
    }
    curve[k] = static_cast<uint8_t>(value);
    curve[kBreathingCurveSize - 1 - k] = static_cast<uint8_t>(value);
  }
  return curve;
}

template <typename T, size_t N>
const T& ClampedAt(const std::array<T, N>& table, uint32_t index) {
  return table[std::min<size_t>(index, N - 1)];
}

}  // namespace

const std::array<Rgb, kPaletteSize> kPalette = {Rgb{0, 255, 180}, Rgb{0, 255, 0},
                                                Rgb{255, 255, 255}, Rgb{255, 0, 0}};

const std::array<uint8_t, kBrightnessLevels> kBrightnessTable = {
    0,   10,  20,  30,  40,  50,  60,  70,  80,  90,  100, 114, 120,
    133, 140, 152, 160, 171, 180, 190, 200, 209, 220, 228, 255};

const std::array<Rgb, kColourWheelSize> kColourWheel = BuildColourWheel();

const std::array<uint8_t, kBreathingCurveSize> kBreathingCurve = BuildBreathingCurve();

const std::array<uint8_t, kBlinkSpeedLevels> kBlinkPeriods = {28, 23, 18, 13, 7};

uint8_t BrightnessForLevel(uint32_t level) { return ClampedAt(kBrightnessTable, level); }

uint32_t BlinkPeriodMs(uint32_t speedLevel) {
  return ClampedAt(kBlinkPeriods, speedLevel) * kBlinkPeriodUnitMs;
}

Rgb ColourWheelAt(uint32_t index) { return ClampedAt(kColourWheel, index); }

uint8_t BreathingAt(uint32_t phase) { return ClampedAt(kBreathingCurve, phase); }

Rgb PaletteAt(uint32_t index) { return ClampedAt(kPalette, index); }

uint8_t StepPhase(bool direction, uint8_t limit, uint8_t current, uint8_t step) {
  if (direction) {
    const uint32_t next = uint32_t{current} + step;
    return next < limit ? static_cast<uint8_t>(next) : 0;
  }
  const auto next = static_cast<uint8_t>(current - step);
  return next < limit ? next : static_cast<uint8_t>(limit - step);
}

}  // namespace velmora::devices
