// Every command of the protocol through the host's command channel against the simulator:
// exact packets on the wire, memory reached, result codes.

#include <gtest/gtest.h>

#include <functional>

#include "channel_fixture.h"
#include "sim/factory_memory.h"
#include "transport/result_codes.h"

namespace velmora::sim {
namespace {

using testing::ChannelTest;
using testing::ExpectedBare;
using testing::ExpectedChunks;
using testing::Pattern;
using transport::CDeviceChannel;
using transport::kResultOk;

constexpr size_t kCableChunk = 56;
constexpr size_t kReceiverChunk = 24;

TEST_F(ChannelTest, ArgumentlessCommandsSendTheirBarePacket) {
  struct Case {
    const char* name;
    std::function<int(CDeviceChannel&)> call;
    uint8_t command;
  };
  const Case cases[] = {
      {"BeginConfig", &CDeviceChannel::BeginConfig, kCommandBeginConfig},
      {"EndConfig", &CDeviceChannel::EndConfig, kCommandEndConfig},
      {"AnnounceLightControl", &CDeviceChannel::AnnounceLightControl, kCommandAnnounceLightControl},
  };
  for (const auto& c : cases) {
    machine.Log().Clear();
    EXPECT_EQ(c.call(cable), kResultOk) << c.name;
    if (c.command == kCommandEndConfig) {
      EXPECT_FALSE(machine.Firmware(ProductKind::Keyboard).InConfig());
    }
    EXPECT_TRUE(SentExactly(ProductKind::Keyboard, std::vector<testing::PacketBytes>{ExpectedBare(c.command)})) << c.name;
  }
  machine.Log().Clear();
  cable.BeginConfig();
  testing::PacketBytes beginConfig(64, 0);
  beginConfig[0] = 0x04;
  beginConfig[1] = 0x01;
  beginConfig[3] = 0x01;
  EXPECT_TRUE(SentExactly(ProductKind::Keyboard, std::vector<testing::PacketBytes>{beginConfig}));
  EXPECT_TRUE(machine.Firmware(ProductKind::Keyboard).LightControlAnnounced());
  EXPECT_TRUE(machine.Firmware(ProductKind::Keyboard).InConfig());
}

TEST_F(ChannelTest, DeviceInformationIsOneChunkOnTheCableAndTwoThroughTheReceiver) {
  struct Case {
    CDeviceChannel* channel;
    ProductKind product;
    size_t chunk;
    size_t packets;
  };
  for (const Case& c : {Case{&cable, ProductKind::Keyboard, kCableChunk, 1},
                        Case{&receiver, ProductKind::KeyboardReceiver, kReceiverChunk, 2}}) {
    transport::DeviceInfoRecord info;
    ASSERT_EQ(c.channel->ReadDeviceInfo(info), kResultOk);
    EXPECT_EQ(info.Byte(kInfoKeyCountByte), kKeyboardKeyCount);
    EXPECT_EQ(info.Word(32), 0x0102);
    EXPECT_TRUE(SentExactly(c.product, ExpectedChunks(kCommandReadDeviceInfo, kInformationSize, c.chunk, 0)));
    EXPECT_EQ(Sent(c.product).size(), c.packets);
  }
}

TEST_F(ChannelTest, ParameterRecordRoundTripAtAProfileOffset) {
  const auto record = Pattern(kKeyboardRecordSize, 0x30);
  const uint16_t base = 2 * kKeyboardRecordStride;
  ASSERT_EQ(cable.WriteParams(record, base), kResultOk);
  std::vector<uint8_t> back(kKeyboardRecordSize);
  ASSERT_EQ(receiver.ReadParams(back, base), kResultOk);
  EXPECT_EQ(back, record);
  EXPECT_EQ(Memory(MemoryArea::Parameters, base, record.size()), record);
  EXPECT_TRUE(SentExactly(ProductKind::Keyboard, ExpectedChunks(kCommandWriteParams, record.size(), kCableChunk, base, record)));
  EXPECT_TRUE(SentExactly(ProductKind::KeyboardReceiver, ExpectedChunks(kCommandReadParams, record.size(), kReceiverChunk, base)));
}

TEST_F(ChannelTest, KeyMapOf510BytesTakesTenCablePacketsAndReadsBackThroughTheReceiver) {
  const auto keyMap = Pattern(510, 0x11);
  ASSERT_EQ(cable.SetDataSize(510), 1);
  ASSERT_EQ(receiver.SetDataSize(510), 1);
  ASSERT_EQ(cable.WriteKeyMap(keyMap, 0), kResultOk);
  const auto sent = Sent(ProductKind::Keyboard);
  EXPECT_TRUE(SentExactly(ProductKind::Keyboard, ExpectedChunks(kCommandWriteKeyMap, 510, kCableChunk, 0, keyMap)));
  ASSERT_EQ(sent.size(), 10u);
  EXPECT_EQ(sent.back()[kLengthByte], 6);
  EXPECT_EQ(sent.back()[kOffsetByte] | (sent.back()[kOffsetByte + 1] << 8), 504);
  std::vector<uint8_t> back(512);
  ASSERT_EQ(receiver.ReadKeyMap(back), kResultOk);
  EXPECT_EQ(std::vector<uint8_t>(back.begin(), back.begin() + 510), keyMap);
  EXPECT_TRUE(SentExactly(ProductKind::KeyboardReceiver, ExpectedChunks(kCommandReadKeyMap, 510, kReceiverChunk, 0)));
}

TEST_F(ChannelTest, KeyMapBankOtherThanZeroIsRefusedBeforeSending) {
  EXPECT_EQ(cable.WriteKeyMap(Pattern(512, 0), 1), transport::kResultBadKeyMapBank);
  EXPECT_EQ(machine.Log().Size(), 0u);
}

TEST_F(ChannelTest, LedMapReadsADataSizeThirdOfTheKeyMapSize) {
  ASSERT_EQ(cable.SetDataSize(510), 1);
  std::vector<uint8_t> leds(170);
  ASSERT_EQ(cable.ReadLedMap(leds), kResultOk);
  EXPECT_EQ(leds, Memory(MemoryArea::LedMap, 0, 170));
  EXPECT_TRUE(SentExactly(ProductKind::Keyboard, ExpectedChunks(kCommandReadLedMap, 170, kCableChunk, 0)));
}

TEST_F(ChannelTest, ColourTableLandsAtItsTableOffset) {
  const auto table = Pattern(510, 0x42);
  ASSERT_EQ(cable.WriteColorTable(table, 2, kColorTableSize), kResultOk);
  EXPECT_EQ(Memory(MemoryArea::ColorTables, 2 * kColorTableSize, table.size()), table);
  EXPECT_TRUE(SentExactly(ProductKind::Keyboard, ExpectedChunks(kCommandWriteColorTable, 510, kCableChunk, 1024, table)));
}

TEST_F(ChannelTest, LightFrameStreamsOnTheCableAndIsNeverSentThroughTheReceiver) {
  const auto frame = Pattern(510, 0x07);
  ASSERT_EQ(cable.StreamLightFrame(frame), kResultOk);
  EXPECT_EQ(Memory(MemoryArea::LightFrame, 0, frame.size()), frame);
  EXPECT_TRUE(SentExactly(ProductKind::Keyboard, ExpectedChunks(kCommandStreamLightFrame, 510, kCableChunk, 0, frame)));
  EXPECT_EQ(receiver.StreamLightFrame(frame), kResultOk);
  EXPECT_TRUE(Sent(ProductKind::KeyboardReceiver).empty());
}

TEST_F(ChannelTest, MacroImageLandsInTheMacroArea) {
  const auto image = Pattern(300, 0xAA);
  ASSERT_EQ(receiver.WriteMacroData(image), kResultOk);
  EXPECT_EQ(Memory(MemoryArea::Macro, 0, image.size()), image);
  EXPECT_TRUE(SentExactly(ProductKind::KeyboardReceiver, ExpectedChunks(kCommandWriteMacroData, 300, kReceiverChunk, 0, image)));
}

TEST_F(ChannelTest, ShootingImageGoesIn56ByteChunksOnBothConnections) {
  CDeviceChannel mouse, mouseReceiver;
  ASSERT_TRUE(Open(mouse, ProductKind::Mouse));
  ASSERT_TRUE(Open(mouseReceiver, ProductKind::MouseReceiver));
  const auto image = Pattern(2920, 0x05);
  ASSERT_EQ(mouse.WriteShootData(image), kResultOk);
  ASSERT_EQ(mouseReceiver.WriteShootData(image), kResultOk);
  const auto expected = ExpectedChunks(kCommandWriteShootData, 2920, 56, 0, image);
  ASSERT_EQ(expected.size(), 53u);
  EXPECT_EQ(expected.back()[kLengthByte], 8);
  EXPECT_TRUE(SentExactly(ProductKind::Mouse, expected));
  EXPECT_TRUE(SentExactly(ProductKind::MouseReceiver, expected));
  EXPECT_EQ(Memory(MemoryArea::Shooting, 0, image.size(), ProductKind::Mouse), image);
}

TEST_F(ChannelTest, StatusIsReadInOnePacketFromItsOffset) {
  std::vector<uint8_t> status(6);
  ASSERT_EQ(cable.ReadStatus(status, 0), kResultOk);
  EXPECT_EQ(status, Memory(MemoryArea::Status, 0, 6));
  EXPECT_TRUE(SentExactly(ProductKind::Keyboard, ExpectedChunks(kCommandReadStatus, 6, kCableChunk, 0)));
  CDeviceChannel headset;
  ASSERT_TRUE(Open(headset, ProductKind::Headset));
  ASSERT_EQ(headset.ReadStatus(status, 0), kResultOk);
  EXPECT_EQ(status, std::vector<uint8_t>({100, 0, 0, 0, 1, 0}));
}

TEST_F(ChannelTest, QueryLinkAsksOnlyTheReceiver) {
  EXPECT_TRUE(cable.QueryLink());
  EXPECT_TRUE(Sent(ProductKind::Keyboard).empty());
  EXPECT_TRUE(receiver.QueryLink());
  machine.Product(ProductKind::KeyboardReceiver).SetLinked(false);
  EXPECT_FALSE(receiver.QueryLink());
  EXPECT_TRUE(SentExactly(ProductKind::KeyboardReceiver,
                          {ExpectedBare(kCommandQueryLink), ExpectedBare(kCommandQueryLink)}));
}

TEST_F(ChannelTest, EveryCommandThroughAnUnlinkedReceiverIsUnreachableAfterOnePacket) {
  machine.Product(ProductKind::KeyboardReceiver).SetLinked(false);
  ASSERT_EQ(receiver.SetDataSize(510), 1);
  std::vector<uint8_t> buffer(512);
  const auto block = std::span(buffer).first(510);
  transport::DeviceInfoRecord info;
  struct Case {
    const char* name;
    std::function<int()> call;
  };
  const Case cases[] = {
      {"BeginConfig", [&] { return receiver.BeginConfig(); }},
      {"EndConfig", [&] { return receiver.EndConfig(); }},
      {"ReadDeviceInfo", [&] { return receiver.ReadDeviceInfo(info); }},
      {"ReadParams", [&] { return receiver.ReadParams(block.first(27), 0); }},
      {"WriteParams", [&] { return receiver.WriteParams(block.first(27), 0); }},
      {"ReadKeyMap", [&] { return receiver.ReadKeyMap(buffer); }},
      {"WriteKeyMap", [&] { return receiver.WriteKeyMap(block, 0); }},
      {"WriteColorTable", [&] { return receiver.WriteColorTable(block, 0, 512); }},
      {"WriteMacroData", [&] { return receiver.WriteMacroData(block); }},
      {"WriteShootData", [&] { return receiver.WriteShootData(block); }},
      {"ReadStatus", [&] { return receiver.ReadStatus(block.first(6), 0); }},
      {"ReadLedMap", [&] { return receiver.ReadLedMap(block.first(170)); }},
      {"AnnounceLightControl", [&] { return receiver.AnnounceLightControl(); }},
  };
  for (const auto& c : cases) {
    machine.Log().Clear();
    EXPECT_EQ(c.call(), transport::kResultReceiverUnreachable) << c.name;
    EXPECT_EQ(Sent(ProductKind::KeyboardReceiver).size(), 1u) << c.name;
  }
  EXPECT_EQ(machine.Firmware(ProductKind::Keyboard).CommandCount(kCommandBeginConfig), 0u);
}

}  // namespace
}  // namespace velmora::sim
