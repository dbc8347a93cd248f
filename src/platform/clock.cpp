#include "platform/clock.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace velmora::platform {
namespace {

class SteadyClock : public Clock {
 public:
  uint64_t NowMs() override {
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
  }
  void SleepMs(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

SteadyClock& RealClock() {
  static SteadyClock clock;
  return clock;
}

std::atomic<Clock*>& ClockSlot() {
  static std::atomic<Clock*> slot{&RealClock()};
  return slot;
}

std::mutex& ManualClockMutex() {
  static std::mutex m;
  return m;
}

}  // namespace

Clock& CurrentClock() { return *ClockSlot().load(); }
uint64_t TickCountMs() { return CurrentClock().NowMs(); }
void SleepMs(uint32_t ms) { CurrentClock().SleepMs(ms); }

ScopedClockOverride::ScopedClockOverride(Clock& clock) : previous_(ClockSlot().exchange(&clock)) {}
ScopedClockOverride::~ScopedClockOverride() { ClockSlot().store(previous_); }

uint64_t ManualClock::NowMs() {
  std::lock_guard lock(ManualClockMutex());
  return now_;
}
void ManualClock::SleepMs(uint32_t ms) { Advance(ms); }
void ManualClock::Advance(uint64_t ms) {
  std::lock_guard lock(ManualClockMutex());
  now_ += ms;
}

}  // namespace velmora::platform
