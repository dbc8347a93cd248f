#include "platform/event.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/critical_section.h"

namespace velmora::platform {
namespace {

TEST(Event, AutoResetReleasesOneWaitThenClears) {
  Event e(Event::ResetMode::Auto);
  e.Set();
  EXPECT_TRUE(e.Wait(0));
  EXPECT_FALSE(e.Wait(0));
}

TEST(Event, ManualResetStaysSignalledUntilReset) {
  Event e(Event::ResetMode::Manual, true);
  EXPECT_TRUE(e.Wait(0));
  EXPECT_TRUE(e.Wait(0));
  e.Reset();
  EXPECT_FALSE(e.Wait(0));
}

TEST(Event, WaitAnyReturnsFirstSignalledInListOrder) {
  Event a, b, c;
  b.Set();
  c.Set();
  EXPECT_EQ(Event::WaitAny({&a, &b, &c}, 0), 1);
  EXPECT_EQ(Event::WaitAny({&a, &b, &c}, 0), 2);
  EXPECT_EQ(Event::WaitAny({&a, &b, &c}, 10), -1);
}

TEST(Event, InfiniteWaitIsReleasedFromAnotherThread) {
  Event cancel(Event::ResetMode::Auto), done(Event::ResetMode::Auto);
  std::atomic<int> woken{-2};
  std::thread waiter([&] { woken = Event::WaitAny({&cancel, &done}, kInfinite); });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(woken.load(), -2);
  done.Set();
  waiter.join();
  EXPECT_EQ(woken.load(), 1);
}

TEST(Event, TimedWaitTimesOutAfterRoughlyTheTimeout) {
  Event e;
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(e.Wait(50));
  auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GE(elapsed, std::chrono::milliseconds(50));
  EXPECT_LT(elapsed, std::chrono::milliseconds(1000));
}

TEST(CriticalSection, IsReentrantAndExcludesOtherThreads) {
  CriticalSection cs;
  cs.Enter();
  cs.Enter();
  std::atomic<bool> otherGotIt{true};
  std::thread other([&] { otherGotIt = cs.TryEnter(); });
  other.join();
  EXPECT_FALSE(otherGotIt.load());
  cs.Leave();
  cs.Leave();
  std::thread later([&] {
    otherGotIt = cs.TryEnter();
    if (otherGotIt) cs.Leave();
  });
  later.join();
  EXPECT_TRUE(otherGotIt.load());
}

}  // namespace
}  // namespace velmora::platform
