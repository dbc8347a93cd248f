#pragma once

// HeadlessLoop: the UI thread's message loop for tests, under a virtual clock. Time moves
// only when a test advances it (AdvanceBy) or when a running loop has nothing else to do, in
// which case it jumps to the next timer. Post and Send work from any thread.

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include "toolkit/message_loop.h"

namespace velmora::toolkit {

class HeadlessLoop : public MessageLoop {
 public:
  // The constructing thread is the UI thread.
  HeadlessLoop();
  ~HeadlessLoop() override;

  void Post(std::function<void()> work) override;
  void Send(std::function<void()> work) override;
  bool IsUiThread() const override;
  TimerHandle StartTimer(uint32_t intervalMs, std::function<void()> tick) override;
  void StopTimer(TimerHandle timer) override;
  int Run() override;
  void Quit(int code) override;
  void RunUntil(const std::atomic<bool>& done) override;
  uint64_t NowMs() const override { return now_.load(); }

  // Runs the queued work (and the work it queues) and the timers due now; returns how many
  // items ran.
  size_t RunPending();
  // Moves the clock forward by ms, firing each timer at its due time in order.
  void AdvanceBy(uint64_t ms);
  size_t TimerCount() const;
  bool QuitRequested() const;

 private:
  struct Timer {
    uint64_t due;
    uint32_t interval;
    std::function<void()> tick;
  };

  bool RunOnePosted();
  // Fires the earliest timer due at or before limit; false when there is none.
  bool FireNextTimer(uint64_t limit);
  // With nothing queued: waits briefly for other threads, then jumps to the next timer;
  // with no timer either, waits until work arrives.
  void Idle(const std::atomic<bool>* done);

  const std::thread::id uiThread_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> posted_;
  std::map<TimerHandle, Timer> timers_;  // touched on the UI thread only
  TimerHandle nextTimer_ = 1;
  std::atomic<uint64_t> now_{0};
  bool quit_ = false;
  int quitCode_ = 0;
};

}  // namespace velmora::toolkit
