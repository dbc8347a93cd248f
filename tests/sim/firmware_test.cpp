#include "sim/device_firmware.h"

#include <gtest/gtest.h>

#include "packet_builder.h"
#include "sim/factory_memory.h"

namespace velmora::sim {
namespace {

using testing::DataOf;
using testing::Request;

class FirmwareTest : public ::testing::Test {
 protected:
  DeviceFirmware keyboard{KeyboardFactoryMemory()};
};

TEST_F(FirmwareTest, RepliesEchoTheRequestHeaderAndCarryAValidChecksum) {
  const Packet reply = keyboard.Respond(Request(kCommandReadKeyMap, 5, 0x0119));
  EXPECT_EQ(reply[0], kCommandReportId);
  EXPECT_EQ(reply[kCommandByte], kCommandReadKeyMap);
  EXPECT_EQ(reply[kLengthByte], 5);
  EXPECT_EQ(reply[kOffsetByte], 0x19);
  EXPECT_EQ(reply[kOffsetByte + 1], 0x01);
  EXPECT_EQ(reply[kStatusByte], kStatusOk);
  EXPECT_TRUE(ChecksumMatches(reply));
}

TEST_F(FirmwareTest, StatusOfEachKindOfRequest) {
  struct Case {
    const char* what;
    Packet request;
    uint8_t status;
  };
  const Case cases[] = {
      {"begin", Request(kCommandBeginConfig), kStatusOk},
      {"end", Request(kCommandEndConfig), kStatusOk},
      {"announce", Request(kCommandAnnounceLightControl), kStatusOk},
      {"information in one chunk", Request(kCommandReadDeviceInfo, 34, 0), kStatusOk},
      {"information past its end", Request(kCommandReadDeviceInfo, 10, 30), kStatusError},
      {"chunk longer than a packet holds", Request(kCommandReadKeyMap, 57, 0), kStatusError},
      {"key map write at its last bytes", Request(kCommandWriteKeyMap, 2, 510, {1, 2}), kStatusOk},
      {"key map write past its end", Request(kCommandWriteKeyMap, 3, 510, {1, 2, 3}), kStatusError},
      {"colour table 7 of 8", Request(kCommandWriteColorTable, 4, 7 * 512, {1, 2, 3, 4}), kStatusOk},
      {"colour table 8 of 8", Request(kCommandWriteColorTable, 4, 8 * 512, {1, 2, 3, 4}), kStatusError},
      {"status", Request(kCommandReadStatus, 6, 0), kStatusOk},
      {"unknown command", Request(0x42), kStatusUnsupported},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(keyboard.Respond(c.request)[kStatusByte], c.status) << c.what;
  }
}

TEST_F(FirmwareTest, WritesStoreTheChunkAndReadsReturnIt) {
  keyboard.Respond(Request(kCommandWriteParams, 4, 25, {0xDE, 0xAD, 0xBE, 0xEF}));
  const Packet reply = keyboard.Respond(Request(kCommandReadParams, 6, 24));
  const auto stored = keyboard.Snapshot(MemoryArea::Parameters);
  EXPECT_EQ(DataOf(reply, 6), std::vector<uint8_t>({stored[24], 0xDE, 0xAD, 0xBE, 0xEF, stored[29]}));
  EXPECT_EQ(stored[25], 0xDE);
}

TEST_F(FirmwareTest, FailedWriteLeavesMemoryUntouched) {
  const auto before = keyboard.Snapshot(MemoryArea::KeyMap);
  keyboard.Respond(Request(kCommandWriteKeyMap, 4, 510, {9, 9, 9, 9}));
  EXPECT_EQ(keyboard.Snapshot(MemoryArea::KeyMap), before);
}

TEST_F(FirmwareTest, ReadRepliesZeroTheBytesAfterTheChunk) {
  const Packet reply = keyboard.Respond(Request(kCommandReadKeyMap, 3, 0));
  for (size_t i = kDataByte + 3; i < kPacketSize; ++i) EXPECT_EQ(reply[i], 0) << i;
}

TEST_F(FirmwareTest, ConfigurationBracketAndLightControlAreTracked) {
  EXPECT_FALSE(keyboard.InConfig());
  keyboard.Respond(Request(kCommandBeginConfig));
  EXPECT_TRUE(keyboard.InConfig());
  keyboard.Respond(Request(kCommandEndConfig));
  EXPECT_FALSE(keyboard.InConfig());
  EXPECT_FALSE(keyboard.LightControlAnnounced());
  keyboard.Respond(Request(kCommandAnnounceLightControl));
  EXPECT_TRUE(keyboard.LightControlAnnounced());
  EXPECT_EQ(keyboard.CommandCount(kCommandBeginConfig), 1u);
}

TEST_F(FirmwareTest, QueryLinkOnTheDeviceItselfAnswersLinked) {
  const Packet reply = keyboard.Respond(Request(kCommandQueryLink));
  EXPECT_EQ(reply[kCommandByte], kCommandQueryLink);
  EXPECT_EQ(reply[kDataByte], kLinkedMark);
}

TEST(FirmwareAreas, AProductWithoutAnAreaRefusesItsCommands) {
  DeviceFirmware headset{HeadsetFactoryMemory()};
  EXPECT_EQ(headset.Respond(Request(kCommandReadKeyMap, 3, 0))[kStatusByte], kStatusError);
  EXPECT_EQ(headset.Respond(Request(kCommandStreamLightFrame, 3, 0, {1, 2, 3}))[kStatusByte], kStatusError);
  EXPECT_EQ(headset.Respond(Request(kCommandReadParams, 27, 50))[kStatusByte], kStatusOk);
}

TEST(FirmwareAreas, LoadOutsideTheAreaIsRefused) {
  DeviceFirmware pad{MousePadFactoryMemory()};
  const uint8_t bytes[4] = {1, 2, 3, 4};
  EXPECT_TRUE(pad.Load(MemoryArea::Status, 12, bytes));
  EXPECT_FALSE(pad.Load(MemoryArea::Status, 13, bytes));
  EXPECT_FALSE(pad.Load(MemoryArea::KeyMap, 0, bytes));
}

}  // namespace
}  // namespace velmora::sim
