// Light-frame streaming: dropped while a logged exchange runs, never sent through a receiver.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "channel_rig.h"
#include "platform/debug_output.h"
#include "transport/packet_log.h"

namespace velmora::transport::testing {
namespace {

// Holds the first writes made on a connection until the test lets each one go.
class WriteGates {
 public:
  explicit WriteGates(ScriptedConnection& connection, size_t count) : gates_(count) {
    connection.SetWriteHook([this] {
      const size_t n = calls_++;
      if (n >= gates_.size()) return;
      gates_[n].entered.set_value();
      gates_[n].release.get_future().wait();
    });
  }
  void WaitEntered(size_t n) { gates_[n].entered.get_future().wait(); }
  void Release(size_t n) { gates_[n].release.set_value(); }

 private:
  struct Gate {
    std::promise<void> entered;
    std::promise<void> release;
  };
  std::vector<Gate> gates_;
  std::atomic<size_t> calls_{0};
};

size_t CountCommand(const std::vector<Bytes>& packets, uint8_t command) {
  size_t n = 0;
  for (const Bytes& p : packets) n += p[3] == command;
  return n;
}

TEST(LightFrameStream, ChunksAreDroppedWhileALoggedExchangeRuns) {
  ChannelRig rig;
  WriteGates gates(*rig.wired, 1);
  platform::DebugCapture capture;
  std::thread config([&] { EXPECT_EQ(rig.channel.BeginConfig(), kResultOk); });
  gates.WaitEntered(0);
  EXPECT_TRUE(rig.channel.IsBusy());
  const Bytes frame(100, 0x40);
  EXPECT_EQ(rig.channel.StreamLightFrame(frame), kResultOk);
  EXPECT_EQ(capture.Count(kLogLightDropped), 2u);
  gates.Release(0);
  config.join();
  EXPECT_FALSE(rig.channel.IsBusy());
  EXPECT_EQ(CountCommand(rig.wired->Written(), 0x12), 0u);
}

TEST(LightFrameStream, StaysBusyUntilTheLastOverlappingLoggedExchangeEnds) {
  // A colour-table exchange starts and ends inside the write of a configuration exchange
  // (the locks are re-entrant): when it ends, the configuration exchange still runs.
  ChannelRig rig;
  platform::DebugCapture capture;
  const Bytes table(10, 1);
  const Bytes frame(10, 0x40);
  int nestedResult = 0, frameResult = 0;
  bool busyAfterNested = false;
  std::atomic<int> writes{0};
  rig.wired->SetWriteHook([&] {
    if (writes++ != 0) return;
    nestedResult = rig.channel.WriteColorTable(table, 0, 512);
    busyAfterNested = rig.channel.IsBusy();
    frameResult = rig.channel.StreamLightFrame(frame);
  });
  EXPECT_EQ(rig.channel.BeginConfig(), kResultOk);
  EXPECT_EQ(nestedResult, kResultOk);
  EXPECT_TRUE(busyAfterNested);
  EXPECT_EQ(frameResult, kResultOk);
  EXPECT_EQ(capture.Count(kLogLightDropped), 1u);
  EXPECT_FALSE(rig.channel.IsBusy());
  EXPECT_EQ(CountCommand(rig.wired->Written(), 0x12), 0u);
}

TEST(LightFrameStream, OnACableChunksGoQuietlyWithStatusChecks) {
  struct Case {
    const char* name;
    uint8_t replyCommand;
    uint8_t status;
    int expected;
  };
  const Case cases[] = {
      {"accepted", 0x12, 0, kResultOk},
      {"no echo check", 0x05, 0, kResultOk},
      {"status FE", 0x12, 0xFE, kResultReplyStatusFE},
      {"status FF", 0x12, 0xFF, kResultReplyStatusFF},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.name);
    ChannelRig rig;
    rig.wired->SetResponder([&](std::span<const uint8_t>) {
      return std::vector<Bytes>{MakeReply(tc.replyCommand, tc.status)};
    });
    platform::DebugCapture capture;
    const Bytes frame(60, 3);
    EXPECT_EQ(rig.channel.StreamLightFrame(frame), tc.expected);
    EXPECT_TRUE(capture.Lines().empty());
    EXPECT_EQ(rig.wired->Written().size(), tc.expected == kResultOk ? 2u : 1u);
  }
}

TEST(LightFrameStream, ThroughAReceiverNothingIsSentAndNothingLogged) {
  ChannelRig rig(kConnectionReceiver);
  platform::DebugCapture capture;
  const Bytes frame(200, 9);
  EXPECT_EQ(rig.channel.StreamLightFrame(frame), kResultOk);
  EXPECT_TRUE(rig.receiver->Written().empty());
  EXPECT_TRUE(rig.wired->Written().empty());
  EXPECT_TRUE(capture.Lines().empty());
}

}  // namespace
}  // namespace velmora::transport::testing
