#include "platform/event.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace velmora::platform {
namespace {

// One lock and one condition for all events: waits on several events at once need a common
// place to sleep, and the program has few events, so the occasional spurious wake-up is cheap.
std::mutex& EventMutex() {
  static std::mutex m;
  return m;
}
std::condition_variable& EventCondition() {
  static std::condition_variable cv;
  return cv;
}

}  // namespace

Event::Event(ResetMode mode, bool initiallySet) : mode_(mode), signalled_(initiallySet) {}

void Event::Set() {
  {
    std::lock_guard lock(EventMutex());
    signalled_ = true;
  }
  EventCondition().notify_all();
}

void Event::Reset() {
  std::lock_guard lock(EventMutex());
  signalled_ = false;
}

bool Event::IsSet() const {
  std::lock_guard lock(EventMutex());
  return signalled_;
}

bool Event::ConsumeLocked() {
  if (!signalled_) return false;
  if (mode_ == ResetMode::Auto) signalled_ = false;
  return true;
}

bool Event::Wait(uint32_t timeoutMs) {
  Event* self = this;
  return WaitAny(std::span<Event* const>(&self, 1), timeoutMs) == 0;
}

int Event::WaitAny(std::initializer_list<Event*> events, uint32_t timeoutMs) {
  return WaitAny(std::span<Event* const>(events.begin(), events.size()), timeoutMs);
}

int Event::WaitAny(std::span<Event* const> events, uint32_t timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::unique_lock lock(EventMutex());
  for (;;) {
    for (size_t i = 0; i < events.size(); ++i) {
      if (events[i] != nullptr && events[i]->ConsumeLocked()) return static_cast<int>(i);
    }
    if (timeoutMs == kInfinite) {
      EventCondition().wait(lock);
    } else if (EventCondition().wait_until(lock, deadline) == std::cv_status::timeout) {
      for (size_t i = 0; i < events.size(); ++i) {
        if (events[i] != nullptr && events[i]->ConsumeLocked()) return static_cast<int>(i);
      }
      return -1;
    }
  }
}

}  // namespace velmora::platform
