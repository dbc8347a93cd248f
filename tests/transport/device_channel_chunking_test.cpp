// Packet framing and chunk layout of every command on both connections.
#include <gtest/gtest.h>

#include <functional>
#include <numeric>

#include "channel_rig.h"
#include "platform/clock.h"
#include "transport/command_packet.h"

namespace velmora::transport::testing {
namespace {

Bytes Sequence(size_t n) {
  Bytes bytes(n);
  std::iota(bytes.begin(), bytes.end(), uint8_t{1});
  return bytes;
}

uint16_t StoredChecksum(const Bytes& p) { return static_cast<uint16_t>(p[1] | (p[2] << 8)); }

TEST(DeviceChannelFraming, BeginConfigPacketBytes) {
  ChannelRig rig;
  ASSERT_EQ(rig.channel.BeginConfig(), kResultOk);
  Bytes expected(64, 0);
  expected[0] = 0x04;
  expected[1] = 0x01;
  expected[3] = 0x01;
  ASSERT_EQ(rig.wired->Written().size(), 1u);
  EXPECT_EQ(rig.wired->Written()[0], expected);
}

TEST(DeviceChannelFraming, ExchangePadsShortAndCutsLongRequests) {
  ChannelRig rig;
  const Bytes shortRequest = {4, 0, 0, 0x1C, 1, 2, 3, 0};
  Bytes longRequest = Sequence(70);
  longRequest[3] = 0x1C;
  Bytes reply(64);
  EXPECT_EQ(rig.channel.Exchange(shortRequest, reply, nullptr), kResultOk);
  EXPECT_EQ(rig.channel.Exchange(longRequest, reply, nullptr), kResultOk);
  const auto written = rig.wired->Written();
  ASSERT_EQ(written.size(), 2u);
  Bytes paddedShort = shortRequest;
  paddedShort.resize(64, 0);
  EXPECT_EQ(written[0], paddedShort);
  EXPECT_EQ(written[1], Bytes(longRequest.begin(), longRequest.begin() + 64));
}

struct LayoutCase {
  const char* name;
  int kind;
  std::function<int(CDeviceChannel&)> command;
  std::vector<ChunkHeader> expected;
};

TEST(DeviceChannelFraming, ChunkLayoutPerCommandAndConnection) {
  const Bytes data510 = Sequence(510);
  const Bytes data100 = Sequence(100);
  const Bytes data60 = Sequence(60);
  const Bytes data30 = Sequence(30);
  const LayoutCase cases[] = {
      {"BeginConfig", kConnectionCable, [](auto& c) { return c.BeginConfig(); }, {{0x01, 0, 0}}},
      {"EndConfig", kConnectionReceiver, [](auto& c) { return c.EndConfig(); }, {{0x02, 0, 0}}},
      {"AnnounceLightControl", kConnectionCable,
       [](auto& c) { return c.AnnounceLightControl(); }, {{0x1C, 0, 0}}},
      {"ReadDeviceInfo cable", kConnectionCable,
       [](auto& c) { DeviceInfoRecord r; return c.ReadDeviceInfo(r); }, {{0x03, 34, 0}}},
      {"ReadDeviceInfo receiver", kConnectionReceiver,
       [](auto& c) { DeviceInfoRecord r; return c.ReadDeviceInfo(r); },
       {{0x03, 24, 0}, {0x03, 10, 24}}},
      {"WriteKeyMap 510 cable", kConnectionCable,
       [&](auto& c) { c.SetDataSize(510); return c.WriteKeyMap(data510, 0); },
       {{9, 56, 0}, {9, 56, 56}, {9, 56, 112}, {9, 56, 168}, {9, 56, 224}, {9, 56, 280},
        {9, 56, 336}, {9, 56, 392}, {9, 56, 448}, {9, 6, 504}}},
      {"ReadKeyMap 100 receiver", kConnectionReceiver,
       [](auto& c) { Bytes out(100); c.SetDataSize(100); return c.ReadKeyMap(out); },
       {{7, 24, 0}, {7, 24, 24}, {7, 24, 48}, {7, 24, 72}, {7, 4, 96}}},
      {"ReadLedMap is a third of the data size", kConnectionCable,
       [](auto& c) { Bytes out(170); c.SetDataSize(510); return c.ReadLedMap(out); },
       {{0x1B, 56, 0}, {0x1B, 56, 56}, {0x1B, 56, 112}, {0x1B, 2, 168}}},
      {"ReadParams from a base", kConnectionReceiver,
       [](auto& c) { Bytes out(71); return c.ReadParams(out, 128); },
       {{5, 24, 128}, {5, 24, 152}, {5, 23, 176}}},
      {"WriteParams exact multiple", kConnectionCable,
       [&](auto& c) { return c.WriteParams(std::span(data510).first(112), 0); },
       {{6, 56, 0}, {6, 56, 56}}},
      {"WriteColorTable offset from table index", kConnectionCable,
       [&](auto& c) { return c.WriteColorTable(data60, 2, 512); },
       {{0x0B, 56, 1024}, {0x0B, 4, 1080}}},
      {"WriteMacroData receiver", kConnectionReceiver,
       [&](auto& c) { return c.WriteMacroData(data30); }, {{0x15, 24, 0}, {0x15, 6, 24}}},
      {"WriteShootData 56 on the receiver too", kConnectionReceiver,
       [&](auto& c) { return c.WriteShootData(data100); }, {{0x17, 56, 0}, {0x17, 44, 56}}},
      {"ReadStatus length argument", kConnectionCable,
       [](auto& c) { Bytes out(6); return c.ReadStatus(out, 0); }, {{0x1A, 6, 0}}},
      {"StreamLightFrame cable", kConnectionCable,
       [&](auto& c) { return c.StreamLightFrame(data60); }, {{0x12, 56, 0}, {0x12, 4, 56}}},
      {"StreamLightFrame receiver sends nothing", kConnectionReceiver,
       [&](auto& c) { return c.StreamLightFrame(data60); }, {}},
      {"QueryLink on a cable sends nothing", kConnectionCable,
       [](auto& c) { return c.QueryLink() ? 1 : 0; }, {}},
      {"QueryLink through a receiver", kConnectionReceiver,
       [](auto& c) { c.QueryLink(); return 1; }, {{0xAA, 0, 0}}},
  };
  for (const LayoutCase& tc : cases) {
    SCOPED_TRACE(tc.name);
    ChannelRig rig(tc.kind);
    ASSERT_EQ(rig.opened, 1);
    EXPECT_EQ(tc.command(rig.channel), kResultOk);
    const auto written = rig.active->Written();
    EXPECT_EQ(Headers(written), tc.expected);
    for (const Bytes& packet : written) {
      EXPECT_EQ(packet.size(), 64u);
      EXPECT_EQ(packet[0], 4);
      EXPECT_EQ(packet[7], 0);
      EXPECT_EQ(StoredChecksum(packet), PacketChecksum(std::span<const uint8_t, 64>(packet)));
    }
    // The other interface stays silent.
    auto& other = rig.active == rig.wired ? rig.receiver : rig.wired;
    EXPECT_TRUE(other->Written().empty());
  }
}

TEST(DeviceChannelFraming, WrittenChunksCarryTheirDataAndShortChunksKeepStaleBytes) {
  ChannelRig rig;
  const Bytes data = Sequence(60);
  ASSERT_EQ(rig.channel.WriteParams(data, 0), kResultOk);
  const auto written = rig.wired->Written();
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(Bytes(written[0].begin() + 8, written[0].end()),
            Bytes(data.begin(), data.begin() + 56));
  // Second chunk: 4 new bytes, then the first chunk's bytes 4..55 still in the buffer.
  Bytes expectedTail(data.begin() + 56, data.end());
  expectedTail.insert(expectedTail.end(), data.begin() + 4, data.begin() + 56);
  EXPECT_EQ(Bytes(written[1].begin() + 8, written[1].end()), expectedTail);
}

TEST(DeviceChannelFraming, ReadsAssembleChunksAtTheirPositions) {
  for (int kind : {kConnectionCable, kConnectionReceiver}) {
    SCOPED_TRACE(kind);
    ChannelRig rig(kind);
    Bytes memory = Sequence(300);
    memory[32] = 0x34;
    memory[33] = 0x12;
    rig.active->SetResponder(EchoFromMemory(memory));
    DeviceInfoRecord info;
    ASSERT_EQ(rig.channel.ReadDeviceInfo(info), kResultOk);
    EXPECT_EQ(info.Byte(5), 6);
    EXPECT_EQ(info.Word(9), 0x0B0A);
    EXPECT_EQ(info.tail, 0x1234);
    EXPECT_EQ(info.Byte(34), 0);

    Bytes params(71);
    ASSERT_EQ(rig.channel.ReadParams(params, 128), kResultOk);
    EXPECT_EQ(params, Bytes(memory.begin() + 128, memory.begin() + 199));
  }
}

TEST(DeviceChannelFraming, EndConfigIsSentTenMillisecondsAfterTheCall) {
  platform::ManualClock clock(1000);
  platform::ScopedClockOverride useClock(clock);
  ChannelRig rig;
  uint64_t writtenAt = 0;
  rig.wired->SetWriteHook([&] { writtenAt = clock.NowMs(); });
  ASSERT_EQ(rig.channel.EndConfig(), kResultOk);
  EXPECT_EQ(writtenAt, 1010u);
  ASSERT_EQ(rig.channel.BeginConfig(), kResultOk);
  EXPECT_EQ(writtenAt, 1010u);  // no pause before other commands
}

}  // namespace
}  // namespace velmora::transport::testing
