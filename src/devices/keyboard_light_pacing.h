#pragma once

#include <cstdint>

// How often the keyboard's light thread runs each light mode's step.
namespace velmora::devices {

inline constexpr uint32_t kKeyboardTickMs = 2;

// True for the modes that have a step of their own (1-18 and 20-30); the others run the
// custom light effect player on every loop.
bool HasOwnStep(uint32_t mode);

// Ticks to count before the mode's step runs at speed level speed (0-4; a higher level is
// taken as 4): 5, 4, 3, 2, 1 for most modes, 4 at every speed for modes 16 and 18, and
// 1, 0, 0, 0, 0 for mode 30.
uint32_t StepThreshold(uint32_t mode, uint32_t speed);

// Whether the step is due after ticks counted ticks; mode 29 steps once more than one tick
// has been counted.
bool StepDue(uint32_t mode, uint32_t speed, uint32_t ticks);

// Counts light thread ticks: one each time the clock has moved on by kKeyboardTickMs or more
// since the last counted tick.
class TickCounter {
 public:
  void Restart(uint32_t nowMs);
  void Advance(uint32_t nowMs);
  void ClearTicks() { ticks_ = 0; }
  uint32_t Ticks() const { return ticks_; }

 private:
  uint32_t lastTickMs_ = 0;
  uint32_t ticks_ = 0;
};

}  // namespace velmora::devices
