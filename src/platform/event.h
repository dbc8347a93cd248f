#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>

namespace velmora::platform {

// Wait time-out meaning "no time-out".
inline constexpr uint32_t kInfinite = 0xFFFFFFFFu;

// A waitable flag in the manner of a Windows event object. A manual-reset event stays
// signalled until Reset; an auto-reset event is cleared by the one wait that it releases.
class Event {
 public:
  enum class ResetMode { Manual, Auto };

  explicit Event(ResetMode mode = ResetMode::Auto, bool initiallySet = false);
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  void Set();
  void Reset();
  bool IsSet() const;

  // True when the event was signalled within the time-out (kInfinite waits for ever).
  bool Wait(uint32_t timeoutMs);

  // Waits until any of the events is signalled; returns the index of the first signalled one
  // in list order, or -1 on time-out. An auto-reset event that releases the wait is cleared.
  static int WaitAny(std::span<Event* const> events, uint32_t timeoutMs);
  static int WaitAny(std::initializer_list<Event*> events, uint32_t timeoutMs);

 private:
  bool ConsumeLocked();

  const ResetMode mode_;
  bool signalled_;
};

}  // namespace velmora::platform
