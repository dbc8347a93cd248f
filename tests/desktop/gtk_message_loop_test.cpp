#include "toolkit/gtk_message_loop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace velmora::toolkit {
namespace {

// Each test owns its loop; the loop lives on GLib's default context of the test thread.
class GtkMessageLoopTest : public ::testing::Test {
 protected:
  // Runs the loop for at most timeoutMs (a safety net: a hung test fails instead of blocking).
  int RunWithTimeout(uint32_t timeoutMs) {
    TimerHandle guard = loop_->StartTimer(timeoutMs, [this] {
      timedOut_ = true;
      loop_->Quit(-1);
    });
    int code = loop_->Run();
    loop_->StopTimer(guard);
    return code;
  }

  std::unique_ptr<GtkMessageLoop> loop_ = std::make_unique<GtkMessageLoop>();
  bool timedOut_ = false;
};

TEST_F(GtkMessageLoopTest, PostedWorkFromOtherThreadsRunsOnTheUiThreadInOrderPerThread) {
  constexpr int kThreads = 4, kPerThread = 200;
  std::vector<std::vector<int>> seen(kThreads);
  std::atomic<int> ran{0};
  bool allOnUiThread = true;
  std::vector<std::thread> posters;
  for (int t = 0; t < kThreads; ++t) {
    posters.emplace_back([&, t] {
      for (int i = 0; i < kPerThread; ++i) {
        loop_->Post([&, t, i] {
          allOnUiThread = allOnUiThread && loop_->IsUiThread();
          seen[t].push_back(i);
          if (++ran == kThreads * kPerThread) loop_->Quit(7);
        });
      }
    });
  }
  EXPECT_EQ(RunWithTimeout(5000), 7);
  for (auto& poster : posters) poster.join();
  EXPECT_TRUE(allOnUiThread);
  for (const auto& order : seen) {
    ASSERT_EQ(order.size(), static_cast<size_t>(kPerThread));
    for (int i = 0; i < kPerThread; ++i) EXPECT_EQ(order[i], i);
  }
}

TEST_F(GtkMessageLoopTest, SendFromAnotherThreadReturnsAfterTheWorkRanOnTheUiThread) {
  int value = 0;
  bool ranOnUiThread = false;
  bool valueSeenAfterSend = false;
  std::thread sender([&] {
    EXPECT_FALSE(loop_->IsUiThread());
    loop_->Send([&] {
      ranOnUiThread = loop_->IsUiThread();
      value = 42;
    });
    valueSeenAfterSend = value == 42;
    loop_->Post([&] { loop_->Quit(0); });
  });
  EXPECT_EQ(RunWithTimeout(5000), 0);
  sender.join();
  EXPECT_TRUE(ranOnUiThread);
  EXPECT_TRUE(valueSeenAfterSend);
}

TEST_F(GtkMessageLoopTest, SendOnTheUiThreadRunsAtOnceWithoutTheLoopRunning) {
  bool ran = false;
  loop_->Send([&] { ran = true; });
  EXPECT_TRUE(ran);
}

TEST_F(GtkMessageLoopTest, PendingSendIsReleasedWhenTheLoopIsDestroyed) {
  std::atomic<bool> returned{false};
  std::atomic<bool> workRan{false};
  std::thread sender([&] {
    loop_->Send([&] { workRan = true; });
    returned = true;
  });
  // Wait until the send is queued, then drop the loop without running it.
  while (!g_main_context_pending(nullptr)) std::this_thread::yield();
  loop_.reset();
  sender.join();
  EXPECT_TRUE(returned);
  EXPECT_FALSE(workRan);
}

TEST_F(GtkMessageLoopTest, TimerRepeatsUntilItStopsItself) {
  int ticks = 0;
  TimerHandle timer = 0;
  timer = loop_->StartTimer(5, [&] {
    if (++ticks == 3) {
      loop_->StopTimer(timer);
      loop_->StartTimer(30, [&] { loop_->Quit(0); });
    }
  });
  uint64_t start = loop_->NowMs();
  EXPECT_EQ(RunWithTimeout(5000), 0);
  EXPECT_EQ(ticks, 3);
  EXPECT_GE(loop_->NowMs() - start, 15u + 30u);
}

TEST_F(GtkMessageLoopTest, StoppingAnUnknownOrStoppedTimerIsHarmless) {
  TimerHandle timer = loop_->StartTimer(1000, [] {});
  loop_->StopTimer(timer);
  loop_->StopTimer(timer);
  loop_->StopTimer(0);
  loop_->StopTimer(999999);
  loop_->Post([&] { loop_->Quit(3); });
  EXPECT_EQ(RunWithTimeout(5000), 3);
}

TEST_F(GtkMessageLoopTest, RunUntilReturnsWhenAnotherThreadSetsTheFlag) {
  std::atomic<bool> done{false};
  std::thread setter([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    done = true;
  });
  TimerHandle guard = loop_->StartTimer(5000, [&] { timedOut_ = true; loop_->Quit(-1); });
  loop_->RunUntil(done);
  loop_->StopTimer(guard);
  setter.join();
  EXPECT_TRUE(done);
  EXPECT_FALSE(timedOut_);
}

TEST_F(GtkMessageLoopTest, QuitInsideANestedLoopEndsItAndTheOuterLoop) {
  std::atomic<bool> never{false};
  bool nestedReturned = false;
  loop_->Post([&] {
    loop_->Post([&] { loop_->Quit(5); });
    loop_->RunUntil(never);
    nestedReturned = true;
  });
  EXPECT_EQ(RunWithTimeout(5000), 5);
  EXPECT_TRUE(nestedReturned);
  EXPECT_FALSE(timedOut_);
}

TEST_F(GtkMessageLoopTest, ANestedLoopRunsTheQueuedWorkInOrder) {
  std::vector<std::string> order;
  std::atomic<bool> modalDone{false};
  loop_->Post([&] {
    order.push_back("modal opens");
    loop_->Post([&] {
      order.push_back("posted inside");
      modalDone = true;
    });
    loop_->RunUntil(modalDone);
    order.push_back("modal closed");
    loop_->Quit(0);
  });
  loop_->Post([&] { order.push_back("queued before"); });
  EXPECT_EQ(RunWithTimeout(5000), 0);
  EXPECT_EQ(order, (std::vector<std::string>{"modal opens", "queued before", "posted inside", "modal closed"}));
}

TEST_F(GtkMessageLoopTest, QuitBeforeRunReturnsAtOnceAndTheLoopCanRunAgain) {
  loop_->Quit(9);
  EXPECT_EQ(loop_->Run(), 9);
  bool ran = false;
  loop_->Post([&] {
    ran = true;
    loop_->Quit(1);
  });
  EXPECT_EQ(RunWithTimeout(5000), 1);
  EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace velmora::toolkit
