// Every injected fault as the host's command channel sees it.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "channel_fixture.h"
#include "sim/factory_memory.h"
#include "transport/result_codes.h"

namespace velmora::sim {
namespace {

using testing::ChannelTest;
using testing::Pattern;
using transport::kResultOk;

class ChannelFaultTest : public ChannelTest {
 protected:
  FaultInjector& Faults() { return machine.Product(ProductKind::Keyboard).Faults(); }
  int ReadFirstParams(std::vector<uint8_t>& out) { return cable.ReadParams(out, 0); }
};

TEST_F(ChannelFaultTest, ErrorStatusRepliesBecomeTheirResultCodes) {
  struct Case {
    uint8_t status;
    int result;
  };
  for (const Case c : {Case{0xFF, transport::kResultReplyStatusFF}, Case{0xFE, transport::kResultReplyStatusFE}}) {
    Faults().Inject(Fault::ErrorStatus(c.status).Times(2));
    EXPECT_EQ(cable.BeginConfig(), c.result) << int(c.status);
    std::vector<uint8_t> record(27);
    EXPECT_EQ(ReadFirstParams(record), c.result) << int(c.status);
  }
  EXPECT_EQ(cable.BeginConfig(), kResultOk);
}

TEST_F(ChannelFaultTest, RefusedOrStalledWritesFailWithMinusOne) {
  for (const Fault& fault : {Fault::FailWrite(), Fault::StallWrite()}) {
    Faults().Inject(fault);
    EXPECT_EQ(cable.BeginConfig(), transport::kResultWriteFailed) << int(fault.kind);
  }
  EXPECT_EQ(machine.Firmware(ProductKind::Keyboard).CommandCount(kCommandBeginConfig), 0u);
  EXPECT_EQ(cable.BeginConfig(), kResultOk);
}

TEST_F(ChannelFaultTest, MissingReplyGivesZero) {
  Faults().Inject(Fault::NoReply());
  EXPECT_EQ(cable.EndConfig(), transport::kResultNotDone);
  EXPECT_EQ(cable.EndConfig(), kResultOk);
}

TEST_F(ChannelFaultTest, OneStrayReplyIsAbsorbedByTheEchoCheck) {
  Faults().Inject(Fault::StrayReply(kCommandStreamLightFrame).OnCommand(kCommandReadParams));
  std::vector<uint8_t> record(27);
  ASSERT_EQ(ReadFirstParams(record), kResultOk);
  EXPECT_EQ(record, Memory(MemoryArea::Parameters, 0, 27));
  EXPECT_EQ(machine.Log().Commands(ProductKind::Keyboard), std::vector<uint8_t>({kCommandReadParams}));
}

TEST_F(ChannelFaultTest, TwoStrayRepliesYieldTheSecondReadAndLeaveTheRealReplyForTheNextCommand) {
  Faults().Inject(Fault::StrayReply(kCommandStreamLightFrame, 2).OnCommand(kCommandReadStatus));
  std::vector<uint8_t> status(6, 0x77);
  EXPECT_EQ(cable.ReadStatus(status, 0), kResultOk);
  EXPECT_EQ(status, std::vector<uint8_t>(6, 0x00)) << "the stray reply's data is taken";
  // The status reply still queued is the next command's first read; the echo check skips it.
  EXPECT_EQ(cable.BeginConfig(), kResultOk);
}

TEST_F(ChannelFaultTest, AChunkedTransferStopsAtTheFirstFailingChunk) {
  ASSERT_EQ(cable.SetDataSize(510), 1);
  const auto keyMap = Pattern(510, 0x21);
  const auto before = Memory(MemoryArea::KeyMap, 0, 510);
  Faults().Inject(Fault::ErrorStatus(0xFE).OnCommand(kCommandWriteKeyMap).After(3));
  EXPECT_EQ(cable.WriteKeyMap(keyMap, 0), transport::kResultReplyStatusFE);
  EXPECT_EQ(machine.Log().Commands(ProductKind::Keyboard).size(), 4u);
  const auto after = Memory(MemoryArea::KeyMap, 0, 510);
  EXPECT_TRUE(std::equal(keyMap.begin(), keyMap.begin() + 168, after.begin())) << "chunks sent stay written";
  EXPECT_TRUE(std::equal(before.begin() + 168, before.end(), after.begin() + 168));
}

TEST_F(ChannelFaultTest, UnplugDuringATransferEndsItAndLaterCommandsCannotWrite) {
  ASSERT_EQ(cable.SetDataSize(510), 1);
  const std::string path = machine.Product(ProductKind::Keyboard).CommandPath();
  Faults().Inject(Fault::UnplugBeforeReply().OnCommand(kCommandWriteKeyMap).After(2));
  EXPECT_EQ(cable.WriteKeyMap(Pattern(510, 0x01), 0), transport::kResultNotDone);
  EXPECT_EQ(machine.Log().Commands(ProductKind::Keyboard).size(), 3u);
  EXPECT_FALSE(machine.Bus()->Exists(path));
  EXPECT_EQ(cable.BeginConfig(), transport::kResultWriteFailed);
}

TEST_F(ChannelFaultTest, ReceiverLosingItsDeviceMidTransferIsUnreachable) {
  ASSERT_EQ(receiver.SetDataSize(510), 1);
  auto& product = machine.Product(ProductKind::KeyboardReceiver);
  product.Faults().Inject(Fault::UnlinkBeforeReply().OnCommand(kCommandWriteKeyMap).After(2));
  const auto before = Memory(MemoryArea::KeyMap, 0, 510);
  const auto keyMap = Pattern(510, 0x02);
  EXPECT_EQ(receiver.WriteKeyMap(keyMap, 0), transport::kResultReceiverUnreachable);
  EXPECT_EQ(machine.Log().Commands(ProductKind::KeyboardReceiver).size(), 3u);
  const auto after = Memory(MemoryArea::KeyMap, 0, 510);
  EXPECT_TRUE(std::equal(keyMap.begin(), keyMap.begin() + 48, after.begin()));
  EXPECT_TRUE(std::equal(before.begin() + 48, before.end(), after.begin() + 48));
  EXPECT_FALSE(receiver.QueryLink());
  product.SetLinked(true);
  EXPECT_TRUE(receiver.QueryLink());
}

TEST_F(ChannelFaultTest, ConcurrentLightFramesAndConfigurationKeepEveryPacketWellFormed) {
  std::atomic<bool> stop{false};
  const auto frame = Pattern(510, 0x09);
  std::thread lights([&] {
    while (!stop.load()) cable.StreamLightFrame(frame);
  });
  const auto& firmware = machine.Firmware(ProductKind::Keyboard);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (firmware.CommandCount(kCommandStreamLightFrame) == 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::yield();
  }
  int succeeded = 0;
  for (int i = 0; i < 40; ++i) {
    if (cable.BeginConfig() == kResultOk) ++succeeded;
  }
  stop = true;
  lights.join();
  EXPECT_GT(succeeded, 0);
  EXPECT_GT(firmware.CommandCount(kCommandStreamLightFrame), 0u);
  for (const auto& e : machine.Log().EntriesFor(ProductKind::Keyboard)) {
    EXPECT_TRUE(e.IsCommand());
  }
}

}  // namespace
}  // namespace velmora::sim
