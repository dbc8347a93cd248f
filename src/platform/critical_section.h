#pragma once

#include <mutex>

namespace velmora::platform {

// A re-entrant lock in the manner of a Windows critical section: the owning thread may enter
// it again and must leave it as often as it entered.
class CriticalSection {
 public:
  CriticalSection() = default;
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;

  void Enter() { mutex_.lock(); }
  bool TryEnter() { return mutex_.try_lock(); }
  void Leave() { mutex_.unlock(); }

  // BasicLockable, so std::lock_guard and std::unique_lock work with it.
  void lock() { Enter(); }
  bool try_lock() { return TryEnter(); }
  void unlock() { Leave(); }

 private:
  std::recursive_mutex mutex_;
};

// Holds a critical section for the lifetime of the scope.
class CriticalSectionLock {
 public:
  explicit CriticalSectionLock(CriticalSection& cs) : cs_(cs) { cs_.Enter(); }
  ~CriticalSectionLock() { cs_.Leave(); }
  CriticalSectionLock(const CriticalSectionLock&) = delete;
  CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

 private:
  CriticalSection& cs_;
};

}  // namespace velmora::platform
