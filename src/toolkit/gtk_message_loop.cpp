#include "toolkit/gtk_message_loop.h"

#include <condition_variable>
#include <utility>

#include "platform/clock.h"

namespace velmora::toolkit {

// A GLib source that is ready while posted work is queued. Posting wakes the context, so the
// queue is looked at again at once even when the UI thread is asleep in poll.
struct GtkMessageLoop::PostedSource {
  GSource base;
  GtkMessageLoop* loop;

  static gboolean Prepare(GSource* source, gint* timeout) {
    *timeout = -1;
    return reinterpret_cast<PostedSource*>(source)->loop->HasPostedWork();
  }
  static gboolean Check(GSource* source) { return reinterpret_cast<PostedSource*>(source)->loop->HasPostedWork(); }
  static gboolean Dispatch(GSource* source, GSourceFunc, gpointer) {
    reinterpret_cast<PostedSource*>(source)->loop->RunPostedWork();
    return G_SOURCE_CONTINUE;
  }
  static GSourceFuncs kFuncs;
};

GSourceFuncs GtkMessageLoop::PostedSource::kFuncs = {Prepare, Check, Dispatch, nullptr, nullptr, nullptr};

struct GtkMessageLoop::TimerTag {
  GtkMessageLoop* loop;
  TimerHandle handle;
};

namespace {

// Completion of one Send. The guard lives inside the posted work, so the sender is released
// both when the work has run and when the queue is dropped without running it.
struct SendCompletion {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;

  void Finish() {
    std::lock_guard lock(mutex);
    done = true;
    finished.notify_all();
  }
  void Wait() {
    std::unique_lock lock(mutex);
    finished.wait(lock, [this] { return done; });
  }
};

class SendGuard {
 public:
  explicit SendGuard(std::shared_ptr<SendCompletion> completion) : completion_(std::move(completion)) {}
  ~SendGuard() { completion_->Finish(); }
  SendGuard(const SendGuard&) = delete;
  SendGuard& operator=(const SendGuard&) = delete;

 private:
  std::shared_ptr<SendCompletion> completion_;
};

// Wakes a nested loop now and then, so a done flag set by another thread is seen even when
// nothing else happens on the UI thread.
constexpr guint kNestedLoopPollMs = 20;

}  // namespace

GtkMessageLoop::GtkMessageLoop() : context_(g_main_context_default()), uiThread_(std::this_thread::get_id()) {
  GSource* source = g_source_new(&PostedSource::kFuncs, sizeof(PostedSource));
  source_ = reinterpret_cast<PostedSource*>(source);
  source_->loop = this;
  g_source_set_priority(source, G_PRIORITY_DEFAULT);
  // Posted work may open a modal loop; the work posted meanwhile must run inside it.
  g_source_set_can_recurse(source, TRUE);
  g_source_attach(source, context_);
}

GtkMessageLoop::~GtkMessageLoop() {
  GSource* source = &source_->base;
  g_source_destroy(source);
  g_source_unref(source);
  std::map<TimerHandle, std::pair<guint, TimerTick>> timers;
  {
    std::lock_guard lock(timersMutex_);
    timers.swap(timers_);
  }
  for (auto& [handle, timer] : timers) g_source_remove(timer.first);
  std::deque<std::function<void()>> dropped;
  {
    std::lock_guard lock(postedMutex_);
    dropped.swap(posted_);
  }
}

void GtkMessageLoop::Post(std::function<void()> work) {
  {
    std::lock_guard lock(postedMutex_);
    posted_.push_back(std::move(work));
  }
  g_main_context_wakeup(context_);
}

void GtkMessageLoop::Send(std::function<void()> work) {
  if (IsUiThread()) {
    work();
    return;
  }
  auto completion = std::make_shared<SendCompletion>();
  auto guard = std::make_shared<SendGuard>(completion);
  Post([guard, work = std::move(work)] { work(); });
  guard.reset();
  completion->Wait();
}

bool GtkMessageLoop::IsUiThread() const { return std::this_thread::get_id() == uiThread_; }

bool GtkMessageLoop::HasPostedWork() {
  std::lock_guard lock(postedMutex_);
  return !posted_.empty();
}

// Runs what was queued up to now; work posted while it runs waits for the next dispatch, so a
// piece of work that posts itself again cannot starve the other sources. Items are taken one
// at a time, so a nested loop opened by one of them goes on with the rest in order.
void GtkMessageLoop::RunPostedWork() {
  size_t count = 0;
  {
    std::lock_guard lock(postedMutex_);
    count = posted_.size();
  }
  for (size_t i = 0; i < count; ++i) {
    std::function<void()> work;
    {
      std::lock_guard lock(postedMutex_);
      if (posted_.empty()) return;
      work = std::move(posted_.front());
      posted_.pop_front();
    }
    work();
  }
}

TimerHandle GtkMessageLoop::StartTimer(uint32_t intervalMs, std::function<void()> tick) {
  std::lock_guard lock(timersMutex_);
  TimerHandle handle = nextTimer_++;
  auto* tag = new TimerTag{this, handle};
  guint id = g_timeout_add_full(G_PRIORITY_DEFAULT, intervalMs, DispatchTimer, tag,
                                [](gpointer data) { delete static_cast<TimerTag*>(data); });
  timers_[handle] = {id, std::make_shared<std::function<void()>>(std::move(tick))};
  return handle;
}

void GtkMessageLoop::StopTimer(TimerHandle timer) {
  guint id = 0;
  {
    std::lock_guard lock(timersMutex_);
    auto it = timers_.find(timer);
    if (it == timers_.end()) return;
    id = it->second.first;
    timers_.erase(it);
  }
  g_source_remove(id);
}

GtkMessageLoop::TimerTick GtkMessageLoop::FindTimer(TimerHandle handle) {
  std::lock_guard lock(timersMutex_);
  auto it = timers_.find(handle);
  return it == timers_.end() ? nullptr : it->second.second;
}

// The tick is held by a shared copy while it runs, so it may stop its own timer.
gboolean GtkMessageLoop::DispatchTimer(gpointer data) {
  auto* tag = static_cast<TimerTag*>(data);
  TimerTick tick = tag->loop->FindTimer(tag->handle);
  if (!tick) return G_SOURCE_REMOVE;
  (*tick)();
  return G_SOURCE_CONTINUE;
}

int GtkMessageLoop::Run() {
  while (!quitRequested_.load()) g_main_context_iteration(context_, TRUE);
  quitRequested_.store(false);
  return quitCode_.load();
}

void GtkMessageLoop::Quit(int code) {
  quitCode_.store(code);
  quitRequested_.store(true);
  g_main_context_wakeup(context_);
}

void GtkMessageLoop::RunUntil(const std::atomic<bool>& done) {
  guint poll = g_timeout_add(kNestedLoopPollMs, [](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);
  while (!done.load() && !quitRequested_.load()) g_main_context_iteration(context_, TRUE);
  g_source_remove(poll);
}

uint64_t GtkMessageLoop::NowMs() const { return platform::TickCountMs(); }

}  // namespace velmora::toolkit
