// Echo matching, status bytes and the result codes of the command channel.
#include <gtest/gtest.h>

#include <functional>

#include "channel_rig.h"
#include "platform/debug_output.h"

namespace velmora::transport::testing {
namespace {

using platform::HidIoStatus;

struct ReplyCase {
  const char* name;
  int kind;
  std::vector<Bytes> replies;  // queued before the command; no responder
  HidIoStatus writeStatus;
  int expected;
  size_t expectedReadsConsumed;  // replies taken from the queue
};

TEST(DeviceChannelResults, ReplyScriptsGiveTheirResultCodes) {
  const Bytes match = MakeReply(0x01);
  const Bytes stray = MakeReply(0x12);
  const ReplyCase cases[] = {
      {"matching echo", kConnectionCable, {match}, HidIoStatus::Ok, kResultOk, 1},
      {"status FE although the command matched", kConnectionCable, {MakeReply(0x01, 0xFE)},
       HidIoStatus::Ok, kResultReplyStatusFE, 1},
      {"status FF", kConnectionReceiver, {MakeReply(0x01, 0xFF)}, HidIoStatus::Ok,
       kResultReplyStatusFF, 1},
      {"other status bytes pass", kConnectionCable, {MakeReply(0x01, 0x01)}, HidIoStatus::Ok,
       kResultOk, 1},
      {"stray reply then match", kConnectionCable, {stray, match}, HidIoStatus::Ok, kResultOk, 2},
      {"two non-matching replies: result of the second read", kConnectionCable,
       {stray, stray, match}, HidIoStatus::Ok, kResultOk, 2},
      {"non-matching then silence", kConnectionCable, {stray}, HidIoStatus::Ok, kResultNotDone, 1},
      {"no reply at all", kConnectionCable, {}, HidIoStatus::Ok, kResultNotDone, 0},
      {"status is only looked at after a read result of 1", kConnectionCable,
       {MakeReply(0x12, 0xFF)}, HidIoStatus::Ok, kResultNotDone, 1},
      {"write fails", kConnectionCable, {match}, HidIoStatus::Failed, kResultWriteFailed, 0},
      {"write times out", kConnectionReceiver, {match}, HidIoStatus::TimedOut,
       kResultWriteFailed, 0},
      {"receiver answers 0xAA", kConnectionReceiver, {MakeReply(0xAA), match}, HidIoStatus::Ok,
       kResultReceiverUnreachable, 1},
      {"0xAA on a cable is just a stray reply", kConnectionCable, {MakeReply(0xAA), match},
       HidIoStatus::Ok, kResultOk, 2},
      {"receiver: stray then 0xAA", kConnectionReceiver, {stray, MakeReply(0xAA)},
       HidIoStatus::Ok, kResultReceiverUnreachable, 2},
  };
  for (const ReplyCase& tc : cases) {
    SCOPED_TRACE(tc.name);
    ChannelRig rig(tc.kind);
    rig.active->SetResponder(nullptr);
    rig.active->SetWriteStatus(tc.writeStatus);
    for (const Bytes& reply : tc.replies) rig.active->QueueReply(reply);
    EXPECT_EQ(rig.channel.BeginConfig(), tc.expected);
    EXPECT_EQ(rig.active->Written().size(), 1u);
    // What is left in the queue shows how many reads were made.
    rig.active->SetResponder(nullptr);
    size_t left = 0;
    Bytes sink(64);
    size_t n = 0;
    while (rig.active->Read(sink, n, 0) == HidIoStatus::Ok) ++left;
    EXPECT_EQ(tc.replies.size() - left, tc.expectedReadsConsumed);
  }
}

TEST(DeviceChannelResults, ReadDataComesFromTheMatchingReply) {
  ChannelRig rig;
  rig.wired->SetResponder(nullptr);
  const Bytes strayData(56, 0xEE);
  const Bytes goodData = {1, 2, 3, 4, 5, 6};
  rig.wired->QueueReply(MakeReply(0x12, 0, strayData));
  rig.wired->QueueReply(MakeReply(0x1A, 0, goodData));
  Bytes status(6);
  ASSERT_EQ(rig.channel.ReadStatus(status, 0), kResultOk);
  EXPECT_EQ(status, goodData);
}

TEST(DeviceChannelResults, ChunkedTransferStopsAtTheFirstFailingChunk) {
  ChannelRig rig(kConnectionReceiver);
  int chunk = 0;
  rig.receiver->SetResponder([&](std::span<const uint8_t> request) {
    return std::vector<Bytes>{MakeReply(request[3], ++chunk == 2 ? 0xFE : 0)};
  });
  const Bytes data(100, 7);
  EXPECT_EQ(rig.channel.WriteMacroData(data), kResultReplyStatusFE);
  EXPECT_EQ(rig.receiver->Written().size(), 2u);
}

TEST(DeviceChannelResults, FailedReadLeavesTheDestinationUntouched) {
  ChannelRig rig;
  rig.wired->SetResponder(nullptr);
  Bytes params(10, 0x55);
  EXPECT_EQ(rig.channel.ReadParams(params, 0), kResultNotDone);
  EXPECT_EQ(params, Bytes(10, 0x55));
  DeviceInfoRecord info;
  info.bytes[5] = 9;
  EXPECT_EQ(rig.channel.ReadDeviceInfo(info), kResultNotDone);
  EXPECT_EQ(info.Byte(5), 9);
}

struct LinkCase {
  const char* name;
  std::vector<Bytes> replies;
  bool expected;
};

TEST(DeviceChannelResults, QueryLinkThroughAReceiver) {
  const Bytes linked = {0xFF};
  const Bytes asleep = {0x00};
  const LinkCase cases[] = {
      {"linked", {MakeReply(0xAA, 0, linked)}, true},
      {"not linked", {MakeReply(0xAA, 0, asleep)}, false},
      {"status FE", {MakeReply(0xAA, 0xFE, linked)}, false},
      {"status FF", {MakeReply(0xAA, 0xFF, linked)}, false},
      {"no reply", {}, false},
      {"stray then linked", {MakeReply(0x12, 0, linked), MakeReply(0xAA, 0, linked)}, true},
  };
  for (const LinkCase& tc : cases) {
    SCOPED_TRACE(tc.name);
    ChannelRig rig(kConnectionReceiver);
    rig.receiver->SetResponder(nullptr);
    for (const Bytes& reply : tc.replies) rig.receiver->QueueReply(reply);
    EXPECT_EQ(rig.channel.QueryLink(), tc.expected);
  }
}

TEST(DeviceChannelResults, QueryLinkOnACableIsTrueWithoutSending) {
  ChannelRig rig;
  rig.wired->SetWriteStatus(HidIoStatus::Failed);
  EXPECT_TRUE(rig.channel.QueryLink());
  EXPECT_TRUE(rig.wired->Written().empty());
}

TEST(DeviceChannelResults, SetDataSizeRefusesMoreThan512) {
  CDeviceChannel channel;
  EXPECT_EQ(channel.DataSize(), 512);
  EXPECT_EQ(channel.SetDataSize(300), 1);
  EXPECT_EQ(channel.SetDataSize(513), 0);
  EXPECT_EQ(channel.DataSize(), 300);
  EXPECT_EQ(channel.SetDataSize(512), 1);
  EXPECT_EQ(channel.DataSize(), 512);
}

// Every command of the channel, with its result on a closed channel on a cable and through a
// receiver: a light frame through a receiver and a link query on a cable never look at the
// connection, so they succeed without sending.
struct CommandCase {
  const char* name;
  std::function<int(CDeviceChannel&)> command;
  int closedCable;
  int closedReceiver;
};

std::vector<CommandCase> AllCommands() {
  static const Bytes data(100, 1);
  return {
      {"BeginConfig", [](auto& c) { return c.BeginConfig(); }, 0, 0},
      {"EndConfig", [](auto& c) { return c.EndConfig(); }, 0, 0},
      {"ReadDeviceInfo", [](auto& c) { DeviceInfoRecord r; return c.ReadDeviceInfo(r); }, 0, 0},
      {"ReadParams", [](auto& c) { Bytes o(10); return c.ReadParams(o, 0); }, 0, 0},
      {"WriteParams", [](auto& c) { return c.WriteParams(data, 0); }, 0, 0},
      {"ReadKeyMap", [](auto& c) { Bytes o(512); return c.ReadKeyMap(o); }, 0, 0},
      {"WriteKeyMap", [](auto& c) { Bytes d(512); return c.WriteKeyMap(d, 0); }, 0, 0},
      {"WriteColorTable", [](auto& c) { return c.WriteColorTable(data, 0, 512); }, 0, 0},
      {"StreamLightFrame", [](auto& c) { return c.StreamLightFrame(data); }, 0, 1},
      {"WriteMacroData", [](auto& c) { return c.WriteMacroData(data); }, 0, 0},
      {"WriteShootData", [](auto& c) { return c.WriteShootData(data); }, 0, 0},
      {"ReadStatus", [](auto& c) { Bytes o(6); return c.ReadStatus(o, 0); }, 0, 0},
      {"ReadLedMap", [](auto& c) { Bytes o(170); return c.ReadLedMap(o); }, 0, 0},
      {"AnnounceLightControl", [](auto& c) { return c.AnnounceLightControl(); }, 0, 0},
      {"QueryLink", [](auto& c) { return c.QueryLink() ? 1 : 0; }, 1, 0},
  };
}

TEST(DeviceChannelResults, ClosedOrSuspendedChannelSendsAndLogsNothing) {
  for (int kind : {kConnectionCable, kConnectionReceiver}) {
    for (const char* state : {"closed", "suspended"}) {
      for (const CommandCase& tc : AllCommands()) {
        SCOPED_TRACE(std::string(state) + " " + tc.name + " kind " + std::to_string(kind));
        ChannelRig rig(kind);
        if (std::string(state) == "closed") rig.channel.SetOpen(false);
        else rig.channel.SetSuspended(true);
        platform::DebugCapture capture;
        EXPECT_EQ(tc.command(rig.channel),
                  kind == kConnectionCable ? tc.closedCable : tc.closedReceiver);
        EXPECT_TRUE(rig.wired->Written().empty());
        EXPECT_TRUE(rig.receiver->Written().empty());
        EXPECT_TRUE(capture.Lines().empty());
        EXPECT_FALSE(rig.channel.IsBusy());
      }
    }
  }
}

TEST(DeviceChannelResults, ClosingTheInterfaceEndsTheChannelsTraffic) {
  ChannelRig rig;
  ASSERT_TRUE(rig.channel.IsOpen());
  rig.channel.CloseInterface();
  EXPECT_FALSE(rig.channel.IsOpen());
  EXPECT_FALSE(rig.channel.Wired().IsOpen());
  EXPECT_TRUE(rig.wired->Cancelled());
  EXPECT_EQ(rig.channel.BeginConfig(), kResultNotDone);
  EXPECT_TRUE(rig.wired->Written().empty());
}

TEST(DeviceChannelResults, OpenInterfaceSelectsTheConnection) {
  ChannelRig rig(kConnectionReceiver);
  EXPECT_TRUE(rig.channel.IsWireless());
  EXPECT_EQ(rig.channel.PayloadPerPacket(), 24);
  EXPECT_TRUE(rig.channel.Receiver().IsOpen());
  EXPECT_FALSE(rig.channel.Wired().IsOpen());
  CDeviceChannel fresh;
  EXPECT_FALSE(fresh.IsOpen());
  EXPECT_FALSE(fresh.IsWireless());
  EXPECT_EQ(fresh.PayloadPerPacket(), 24);
  EXPECT_EQ(fresh.OpenInterface(kConnectionCable, "virtual:9#vid_0000&pid_0000&mi_00"), 0);
  EXPECT_FALSE(fresh.IsOpen());
  EXPECT_EQ(fresh.OpenInterface(kConnectionCable, kWiredPath), 1);
  EXPECT_TRUE(fresh.IsOpen());
  EXPECT_FALSE(fresh.IsWireless());
  EXPECT_EQ(fresh.PayloadPerPacket(), 56);
}

TEST(DeviceChannelResults, RefusedArgumentsSendNothing) {
  ChannelRig rig;
  const Bytes keyMap(512);
  Bytes shortBuffer(100);
  Bytes tooLong(57);
  EXPECT_EQ(rig.channel.WriteKeyMap(keyMap, 1), kResultBadKeyMapBank);
  EXPECT_EQ(rig.channel.WriteKeyMap(keyMap, -1), kResultBadKeyMapBank);
  EXPECT_EQ(rig.channel.WriteKeyMap(shortBuffer, 0), kResultNotDone);
  EXPECT_EQ(rig.channel.ReadKeyMap(shortBuffer), kResultNotDone);
  EXPECT_EQ(rig.channel.ReadLedMap(std::span(shortBuffer).first(10)), kResultNotDone);
  EXPECT_EQ(rig.channel.ReadStatus(tooLong, 0), kResultNotDone);
  EXPECT_TRUE(rig.wired->Written().empty());
  rig.channel.SetOpen(false);
  EXPECT_EQ(rig.channel.WriteKeyMap(keyMap, 2), kResultBadKeyMapBank);
}

TEST(DeviceChannelResults, ReplyBufferIsNeverOverrun) {
  ChannelRig rig;
  const Bytes request = {4, 1, 0, 1};
  rig.wired->SetResponder([](std::span<const uint8_t>) {
    Bytes full(64, 0xAB);
    full[3] = 1;
    return std::vector<Bytes>{full};
  });
  Bytes small(2, 0);
  EXPECT_EQ(rig.channel.Exchange(request, small, nullptr), kResultOk);
  EXPECT_EQ(small, (Bytes{0xAB, 0xAB}));
  Bytes large(100, 0x11);
  size_t transferred = 0;
  EXPECT_EQ(rig.channel.Exchange(request, large, &transferred), kResultOk);
  EXPECT_EQ(transferred, 64u);
  EXPECT_EQ(large[63], 0xAB);
  EXPECT_EQ(large[64], 0x11);
}

TEST(DeviceChannelResults, ExchangeQuietUsesTheCableAndSkipsTheEchoCheck) {
  ChannelRig rig(kConnectionReceiver);
  rig.channel.OpenInterface(kConnectionCable, kWiredPath);
  rig.channel.SetConnection(kConnectionReceiver);
  rig.wired->SetResponder([](std::span<const uint8_t>) {
    return std::vector<Bytes>{MakeReply(0x55, 0)};
  });
  platform::DebugCapture capture;
  const Bytes request = {4, 0, 0, 0x12};
  Bytes reply(64);
  EXPECT_EQ(rig.channel.ExchangeQuiet(request, reply, nullptr), kResultOk);
  EXPECT_EQ(reply[3], 0x55);
  EXPECT_EQ(rig.wired->Written().size(), 1u);
  EXPECT_TRUE(rig.receiver->Written().empty());
  EXPECT_TRUE(capture.Lines().empty());
}

}  // namespace
}  // namespace velmora::transport::testing
