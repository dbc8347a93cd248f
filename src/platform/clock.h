#pragma once

#include <cstdint>

namespace velmora::platform {

// Source of monotonic milliseconds (GetTickCount and Sleep). Tests install their own.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint64_t NowMs() = 0;
  virtual void SleepMs(uint32_t ms) = 0;
};

// The process clock: the real monotonic clock unless a test installed another.
Clock& CurrentClock();
uint64_t TickCountMs();
void SleepMs(uint32_t ms);

// Installs clock as the process clock until the guard goes out of scope.
class ScopedClockOverride {
 public:
  explicit ScopedClockOverride(Clock& clock);
  ~ScopedClockOverride();
  ScopedClockOverride(const ScopedClockOverride&) = delete;
  ScopedClockOverride& operator=(const ScopedClockOverride&) = delete;

 private:
  Clock* previous_;
};

// A clock that moves only when told to; SleepMs advances it at once.
class ManualClock : public Clock {
 public:
  explicit ManualClock(uint64_t startMs = 0) : now_(startMs) {}
  uint64_t NowMs() override;
  void SleepMs(uint32_t ms) override;
  void Advance(uint64_t ms);

 private:
  uint64_t now_;
};

}  // namespace velmora::platform
