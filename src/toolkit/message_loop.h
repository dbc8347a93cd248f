#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

namespace velmora::toolkit {

using TimerHandle = uint64_t;

// The UI thread's message loop. Post and Send may be called from any thread; everything they
// carry runs on the UI thread. Timers run on the UI thread.
class MessageLoop {
 public:
  virtual ~MessageLoop() = default;

  // Queues work for the UI thread.
  virtual void Post(std::function<void()> work) = 0;
  // Runs work on the UI thread and returns when it has run; on the UI thread it runs at once.
  virtual void Send(std::function<void()> work) = 0;
  virtual bool IsUiThread() const = 0;

  // A repeating timer; the first run is intervalMs from now.
  virtual TimerHandle StartTimer(uint32_t intervalMs, std::function<void()> tick) = 0;
  virtual void StopTimer(TimerHandle timer) = 0;

  // Runs until Quit; returns Quit's code.
  virtual int Run() = 0;
  virtual void Quit(int code) = 0;
  // A nested loop (modal windows): runs until done is set, then returns.
  virtual void RunUntil(const std::atomic<bool>& done) = 0;

  // The loop's clock in milliseconds (virtual in the headless host).
  virtual uint64_t NowMs() const = 0;
};

}  // namespace velmora::toolkit
