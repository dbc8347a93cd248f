// The headless message loop: the virtual clock, timers, work from other threads, sends that
// block their caller, and modal windows.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "test_window.h"
#include "toolkit/headless_loop.h"

namespace velmora::toolkit {
namespace {

using testing::TestWindow;

TEST(HeadlessLoop, TimersFireInOrderAtTheirVirtualTimes) {
  HeadlessLoop loop;
  std::vector<std::pair<char, uint64_t>> fired;
  const TimerHandle fast = loop.StartTimer(30, [&] { fired.emplace_back('f', loop.NowMs()); });
  loop.StartTimer(50, [&] { fired.emplace_back('s', loop.NowMs()); });
  loop.AdvanceBy(100);
  const std::vector<std::pair<char, uint64_t>> expected = {{'f', 30}, {'s', 50}, {'f', 60}, {'f', 90}, {'s', 100}};
  EXPECT_EQ(fired, expected);
  EXPECT_EQ(loop.NowMs(), 100u);
  loop.StopTimer(fast);
  fired.clear();
  loop.AdvanceBy(60);
  EXPECT_EQ(fired, (std::vector<std::pair<char, uint64_t>>{{'s', 150}}));
}

TEST(HeadlessLoop, ATimerMayStopItselfAndPostedWorkRunsInOrder) {
  HeadlessLoop loop;
  int ticks = 0;
  TimerHandle self = 0;
  self = loop.StartTimer(10, [&] {
    if (++ticks == 2) loop.StopTimer(self);
  });
  loop.AdvanceBy(100);
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(loop.TimerCount(), 0u);

  std::string order;
  loop.Post([&] {
    order += 'a';
    loop.Post([&] { order += 'c'; });
  });
  loop.Post([&] { order += 'b'; });
  EXPECT_EQ(loop.RunPending(), 3u);
  EXPECT_EQ(order, "abc");
}

TEST(HeadlessLoop, ASendFromAWorkerBlocksUntilTheUiThreadRanIt) {
  HeadlessLoop loop;
  std::atomic<bool> handled{false};
  std::atomic<bool> sendReturned{false};
  std::atomic<bool> handledBeforeReturn{false};
  std::thread worker([&] {
    loop.Send([&] {
      EXPECT_TRUE(loop.IsUiThread());
      handled = true;
    });
    handledBeforeReturn = handled.load();
    sendReturned = true;
    loop.Quit(5);
  });
  EXPECT_EQ(loop.Run(), 5);
  worker.join();
  EXPECT_TRUE(sendReturned);
  EXPECT_TRUE(handledBeforeReturn);
  // On the UI thread a send runs at once.
  bool direct = false;
  loop.Send([&] { direct = true; });
  EXPECT_TRUE(direct);
}

TEST(HeadlessLoop, RunLetsVirtualTimePassWhenIdle) {
  HeadlessLoop loop;
  int ticks = 0;
  loop.StartTimer(1000, [&] {
    if (++ticks == 3) loop.Quit(0);
  });
  EXPECT_EQ(loop.Run(), 0);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(loop.NowMs(), 3000u);
}

TEST(WindowMessages, AWorkersSendMessageReturnsTheHandlersResult) {
  HeadlessHost host;
  TestWindow window(R"(<Window><VerticalLayout name="root"/></Window>)");
  ASSERT_TRUE(window.Open(host));
  std::atomic<bool> ranOnUi{false};
  window.onMessage = [&](uint32_t msg, UiWParam, UiLParam) {
    if (msg == WM_USER + 5) ranOnUi = host.Loop().IsUiThread();
  };
  std::thread worker([&] {
    window.SendMessage(WM_USER + 5, 11, 22);
    // The send returned, so the message was handled.
    EXPECT_EQ(window.messages.size(), 1u);
    window.PostMessage(WM_USER + 6, 0, 0);
    host.Loop().Quit(1);
  });
  EXPECT_EQ(host.Loop().Run(), 1);
  worker.join();
  host.Loop().RunPending();
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_EQ(window.messages[0].wParam, 11u);
  EXPECT_EQ(window.messages[0].lParam, 22);
  EXPECT_EQ(window.messages[1].msg, WM_USER + 6);
  EXPECT_TRUE(ranOnUi);
}

TEST(WindowMessages, APostedMessageToAWindowThatIsGoneIsDropped) {
  HeadlessHost host;
  auto window = std::make_unique<TestWindow>(R"(<Window><VerticalLayout/></Window>)");
  ASSERT_TRUE(window->Open(host));
  window->PostMessage(WM_USER + 1);
  window.reset();
  EXPECT_EQ(host.Loop().RunPending(), 1u);  // ran, and did nothing
}

TEST(WindowMessages, WindowTimersDeliverWmTimerUntilKilled) {
  HeadlessHost host;
  TestWindow window(R"(<Window><VerticalLayout/></Window>)");
  ASSERT_TRUE(window.Open(host));
  ASSERT_TRUE(window.SetTimer(1011, 100));
  ASSERT_TRUE(window.SetTimer(1032, 10));
  host.Loop().AdvanceBy(25);
  EXPECT_TRUE(window.KillTimer(1032));
  EXPECT_FALSE(window.KillTimer(1032));
  host.Loop().AdvanceBy(200);
  std::vector<UiWParam> ids;
  for (const auto& message : window.messages) {
    if (message.msg == WM_TIMER) ids.push_back(message.wParam);
  }
  EXPECT_EQ(ids, (std::vector<UiWParam>{1032, 1032, 1011, 1011}));
  window.DestroyWindow();
  EXPECT_EQ(host.Loop().TimerCount(), 0u);  // a window takes its timers along
}

// A dialog closing itself from a timer a while after it was shown.
class TimedDialog : public TestWindow {
 public:
  TimedDialog(int code, uint32_t afterMs) : TestWindow(R"(<Window><VerticalLayout name="root"/></Window>)"),
                                            code_(code), afterMs_(afterMs) {
    BindNotify(kNotifyWindowInit, [this](TNotifyUI&) { m_pm.SetTimer(m_pm.GetRoot(), 1, afterMs_); });
    BindNotify(kNotifyTimer, [this](TNotifyUI&) {
      m_pm.KillTimer(m_pm.GetRoot(), 1);
      if (onTimer) onTimer();
      Close(code_);
    });
  }
  std::function<void()> onTimer;

 private:
  int code_;
  uint32_t afterMs_;
};

TEST(ModalWindows, ShowModalReturnsTheCloseCodeAndNests) {
  HeadlessHost host;
  TestWindow owner(R"(<Window><VerticalLayout/></Window>)");
  ASSERT_TRUE(owner.Open(host));
  TimedDialog outer(2, 500);
  TimedDialog inner(7, 100);
  int innerResult = -1;
  outer.onTimer = [&] {
    ASSERT_TRUE(inner.Create(host, &outer, "inner", 0, 0, 0, 100, 100));
    innerResult = inner.ShowModal();
  };
  ASSERT_TRUE(outer.Create(host, &owner, "outer", 0, 0, 0, 200, 200));
  const uint64_t start = host.Loop().NowMs();
  EXPECT_EQ(outer.ShowModal(), 2);
  EXPECT_EQ(innerResult, 7);
  EXPECT_EQ(host.Loop().NowMs() - start, 600u);
  EXPECT_FALSE(outer.IsWindow());
  EXPECT_TRUE(owner.IsWindow());
}

}  // namespace
}  // namespace velmora::toolkit
