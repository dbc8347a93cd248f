#include "toolkit/headless_loop.h"

#include <chrono>
#include <future>

namespace velmora::toolkit {

HeadlessLoop::HeadlessLoop() : uiThread_(std::this_thread::get_id()) {}

HeadlessLoop::~HeadlessLoop() {
  // Queued work is dropped; a sender waiting on it is released by its broken promise.
  std::deque<std::function<void()>> dropped;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    dropped.swap(posted_);
  }
}

void HeadlessLoop::Post(std::function<void()> work) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    posted_.push_back(std::move(work));
  }
  wake_.notify_all();
}

void HeadlessLoop::Send(std::function<void()> work) {
  if (IsUiThread()) {
    work();
    return;
  }
  auto handled = std::make_shared<std::promise<void>>();
  std::future<void> done = handled->get_future();
  Post([handled, work = std::move(work)] {
    work();
    handled->set_value();
  });
  done.wait();
}

bool HeadlessLoop::IsUiThread() const { return std::this_thread::get_id() == uiThread_; }

TimerHandle HeadlessLoop::StartTimer(uint32_t intervalMs, std::function<void()> tick) {
  const TimerHandle handle = nextTimer_++;
  timers_[handle] = {now_.load() + intervalMs, intervalMs, std::move(tick)};
  return handle;
}

void HeadlessLoop::StopTimer(TimerHandle timer) { timers_.erase(timer); }

size_t HeadlessLoop::TimerCount() const { return timers_.size(); }

bool HeadlessLoop::QuitRequested() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return quit_;
}

bool HeadlessLoop::RunOnePosted() {
  std::function<void()> work;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (posted_.empty()) return false;
    work = std::move(posted_.front());
    posted_.pop_front();
  }
  work();
  return true;
}

bool HeadlessLoop::FireNextTimer(uint64_t limit) {
  auto next = timers_.end();
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second.due <= limit && (next == timers_.end() || it->second.due < next->second.due)) next = it;
  }
  if (next == timers_.end()) return false;
  if (next->second.due > now_.load()) now_ = next->second.due;
  // A zero interval would fire for ever at one instant; it repeats one millisecond later.
  next->second.due = now_.load() + (next->second.interval > 0 ? next->second.interval : 1);
  std::function<void()> tick = next->second.tick;  // the tick may stop its own timer
  tick();
  return true;
}

size_t HeadlessLoop::RunPending() {
  size_t ran = 0;
  while (true) {
    if (RunOnePosted() || FireNextTimer(now_.load())) {
      ++ran;
      continue;
    }
    return ran;
  }
}

void HeadlessLoop::AdvanceBy(uint64_t ms) {
  const uint64_t target = now_.load() + ms;
  RunPending();
  while (FireNextTimer(target)) RunPending();
  now_ = target;
  RunPending();
}

void HeadlessLoop::Idle(const std::atomic<bool>* done) {
  std::unique_lock<std::mutex> lock(mutex_);
  auto woken = [&] { return !posted_.empty() || quit_ || (done != nullptr && done->load()); };
  if (timers_.empty()) {
    // Nothing will happen on this thread: only another thread (or a done flag set by one)
    // can move on. Wake up now and then to look at the flag.
    wake_.wait_for(lock, std::chrono::milliseconds(20), woken);
    return;
  }
  if (wake_.wait_for(lock, std::chrono::milliseconds(1), woken)) return;
  lock.unlock();
  uint64_t next = UINT64_MAX;
  for (const auto& [handle, timer] : timers_) next = std::min(next, timer.due);
  FireNextTimer(next);
}

int HeadlessLoop::Run() {
  while (true) {
    RunPending();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (quit_) {
        quit_ = false;
        return quitCode_;
      }
    }
    Idle(nullptr);
  }
}

void HeadlessLoop::Quit(int code) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
    quitCode_ = code;
  }
  wake_.notify_all();
}

void HeadlessLoop::RunUntil(const std::atomic<bool>& done) {
  while (!done.load()) {
    if (RunOnePosted() || FireNextTimer(now_.load())) continue;
    if (QuitRequested()) return;  // left set, so the outer loop ends too
    Idle(&done);
  }
}

}  // namespace velmora::toolkit
