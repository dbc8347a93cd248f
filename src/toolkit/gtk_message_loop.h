#pragma once

// The message loop of the GTK host, running on the GLib main context of the UI thread.

#include <glib.h>

#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "toolkit/message_loop.h"

namespace velmora::toolkit {

class GtkMessageLoop : public MessageLoop {
 public:
  // The thread that constructs the loop is its UI thread; the loop runs GLib's default context.
  GtkMessageLoop();
  ~GtkMessageLoop() override;
  GtkMessageLoop(const GtkMessageLoop&) = delete;
  GtkMessageLoop& operator=(const GtkMessageLoop&) = delete;

  void Post(std::function<void()> work) override;
  // A Send still waiting when the loop is destroyed returns without its work having run.
  void Send(std::function<void()> work) override;
  bool IsUiThread() const override;

  TimerHandle StartTimer(uint32_t intervalMs, std::function<void()> tick) override;
  void StopTimer(TimerHandle timer) override;

  int Run() override;
  void Quit(int code) override;
  // Also returns when Quit is called, so that a modal loop never outlives the program's loop.
  void RunUntil(const std::atomic<bool>& done) override;

  uint64_t NowMs() const override;

 private:
  struct PostedSource;
  struct TimerTag;
  using TimerTick = std::shared_ptr<std::function<void()>>;

  static gboolean DispatchTimer(gpointer data);
  bool HasPostedWork();
  void RunPostedWork();
  TimerTick FindTimer(TimerHandle handle);

  GMainContext* context_;
  std::thread::id uiThread_;
  PostedSource* source_ = nullptr;

  std::mutex postedMutex_;
  std::deque<std::function<void()>> posted_;

  std::mutex timersMutex_;
  std::map<TimerHandle, std::pair<guint, TimerTick>> timers_;  // handle -> GLib source id, tick
  TimerHandle nextTimer_ = 1;

  std::atomic<bool> quitRequested_{false};
  std::atomic<int> quitCode_{0};
};

}  // namespace velmora::toolkit
