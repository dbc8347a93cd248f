#include "devices/keyboard_light_pacing.h"

#include <algorithm>
#include <array>

namespace velmora::devices {
namespace {

constexpr uint32_t kLastMode = 30;
constexpr uint32_t kModeWithoutStep = 19;
constexpr uint32_t kAudioMode = 29;
constexpr uint32_t kSoftwareFrameMode = 30;
constexpr uint32_t kLastSpeed = 4;
constexpr uint32_t kSlowGroupThreshold = 4;

constexpr std::array<uint32_t, kLastSpeed + 1> kStandardThresholds = {5, 4, 3, 2, 1};
constexpr std::array<uint32_t, kLastSpeed + 1> kSoftwareFrameThresholds = {1, 0, 0, 0, 0};

}  // namespace

bool HasOwnStep(uint32_t mode) { return mode >= 1 && mode <= kLastMode && mode != kModeWithoutStep; }

uint32_t StepThreshold(uint32_t mode, uint32_t speed) {
  const uint32_t level = std::min(speed, kLastSpeed);
  if (mode == 16 || mode == 18) return kSlowGroupThreshold;
  if (mode == kSoftwareFrameMode) return kSoftwareFrameThresholds[level];
  return kStandardThresholds[level];
}

bool StepDue(uint32_t mode, uint32_t speed, uint32_t ticks) {
  if (mode == kAudioMode) return ticks > 1;
  return ticks >= StepThreshold(mode, speed);
}

void TickCounter::Restart(uint32_t nowMs) {
  lastTickMs_ = nowMs;
  ticks_ = 0;
}

void TickCounter::Advance(uint32_t nowMs) {
  if (nowMs - lastTickMs_ >= kKeyboardTickMs) {
    lastTickMs_ = nowMs;
    ++ticks_;
  }
}

}  // namespace velmora::devices
