// One light thread frame per light mode: the mode's effect step, the per-LED effect layer over
// all 170 LEDs, and packing the 170-LED frame. Run with --benchmark_repetitions to get the
// median of several runs (the default below reports it).
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

#include "devices/keyboard_layout.h"
#include "devices/keyboard_light_engine.h"
#include "devices/keyboard_light_frame.h"
#include "devices/keyboard_light_steps.h"
#include "devices/per_led_layer.h"

namespace velmora::devices {
namespace {

constexpr size_t kLeds = 170;
constexpr uint32_t kLoopMs = 2;

// Every LED with a real per-LED entry, the five kinds in turn: the layer's heaviest load.
std::vector<profiles::LightListEntry> FullLightList() {
  std::vector<profiles::LightListEntry> list(kLeds);
  for (size_t i = 0; i < kLeds; ++i) {
    list[i] = profiles::LightListEntry{static_cast<uint8_t>(i % 5), 20, 2, 1, 1, 200, 100, 50, 1};
  }
  return list;
}

// A keyboard whose keys drive the LEDs in position order.
std::array<uint8_t, kLeds> LedIndexOfPosition() {
  std::array<uint8_t, kLeds> map{};
  map.fill(255);
  uint8_t next = 0;
  for (size_t position = 0; position < kLeds; ++position) {
    if (IsKeyPositionUsed(position)) map[position] = next++;
  }
  return map;
}

struct FrameRig {
  explicit FrameRig(uint8_t mode) {
    settings.mode = mode;
    settings.brightness = 20;
    settings.speed = 4;
    settings.direction = 1;
    settings.multiColour = 1;
    settings.red = 255;
    layer.Reset(lightList);
    engine.SetAudioStyle(profiles::AudioLightRecord{4, 0, 0, 40, 255, 0, 0, 1, 0});
    engine.SetAudioBands(std::vector<int32_t>(kAudioBandCount, 1500));
    engine.Restart(Frame(), mode);
    effectSteps = {profiles::LightEffectEntry{0, 20, 4, 1, 1, 255, 0, 0, 1000, 0}};
  }

  KeyboardLightFrame Frame() { return KeyboardLightFrame{settings, base, leds}; }

  void RunFrame() {
    nowMs += kLoopMs;
    // Keep the key-press modes busy: a key goes down or up on every loop.
    engine.OnKeyEvent(settings.mode, kRainKeys[nowMs % kRainKeyCount],
                      (nowMs / kLoopMs) % 2 ? kKeyPressed : kKeyReleased);
    if (HasOwnStep(settings.mode)) {
      engine.RunStep(Frame(), nowMs);
    } else {
      const CustomEffectList effects{effectLock, effectSteps, effectCount, effectIndex};
      engine.RunLoop(Frame(), &effects, nowMs);
    }
    layer.Compose(lightList, nowMs, leds);
    PackKeyboardFrame(leds, ledIndex, frame);
  }

  LightSettings settings;
  BaseEffectState base;
  std::array<LedColor, kLeds> leds{};
  std::vector<profiles::LightListEntry> lightList = FullLightList();
  PerLedLayer layer;
  std::array<uint8_t, kLeds> ledIndex = LedIndexOfPosition();
  std::array<uint8_t, kLeds * 3> frame{};
  DefaultLightRandom random;
  KeyboardLightEngine engine{&random};
  platform::CriticalSection effectLock;
  std::vector<profiles::LightEffectEntry> effectSteps;
  size_t effectCount = 1;
  size_t effectIndex = 0;
  uint32_t nowMs = 0;
};

void BM_KeyboardLightFrame(benchmark::State& state) {
  FrameRig rig(static_cast<uint8_t>(state.range(0)));
  for (auto _ : state) {
    rig.RunFrame();
    benchmark::DoNotOptimize(rig.frame.data());
    benchmark::ClobberMemory();
  }
}

// Modes 1-30; mode 19 has no step of its own and plays the custom light effect.
BENCHMARK(BM_KeyboardLightFrame)
    ->ArgName("mode")
    ->DenseRange(1, 30)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->DisplayAggregatesOnly(true);

}  // namespace
}  // namespace velmora::devices

BENCHMARK_MAIN();
