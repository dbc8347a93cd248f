#include "devices/keyboard_light_driver.h"

#include "platform/clock.h"

namespace velmora::devices {
namespace {

constexpr uint8_t kNoKeyIndex = 255;

uint32_t NowMs() { return static_cast<uint32_t>(platform::TickCountMs()); }

}  // namespace

KeyboardLightModeDriver::KeyboardLightModeDriver(KeyboardLightBinding binding,
                                                 LightRandom* random)
    : binding_(std::move(binding)), engine_(random) {}

KeyboardLightFrame KeyboardLightModeDriver::Frame() {
  return KeyboardLightFrame{binding_.settings, binding_.effectState, binding_.leds};
}

void KeyboardLightModeDriver::StartMode(int mode) {
  engine_.Restart(Frame(), static_cast<uint32_t>(mode));
}

void KeyboardLightModeDriver::RunLoop() {
  const uint32_t now = NowMs();
  if (!pacingStarted_) {
    engine_.StartPacing(now);
    pacingStarted_ = true;
  }
  engine_.SetAudioBands(binding_.audioInput);
  engine_.RunLoop(Frame(), &binding_.effects, now);
  if (binding_.composeLayers) binding_.composeLayers();
}

void KeyboardLightModeDriver::OnKeyEvent(int keyCode, int kind) {
  if (keyCode < 0 || static_cast<size_t>(keyCode) >= binding_.keyIndexOfPosition.size()) return;
  if (binding_.keyIndexOfPosition[static_cast<size_t>(keyCode)] == kNoKeyIndex) return;
  engine_.OnKeyEvent(binding_.settings.mode, static_cast<size_t>(keyCode), kind);
}

void KeyboardLightModeDriver::AudioStep(int argument, uint32_t level) {
  if (argument < 0) return;
  engine_.OnAudioLevel(static_cast<size_t>(argument), level);
}

}  // namespace velmora::devices
