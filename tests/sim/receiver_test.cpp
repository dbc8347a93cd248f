#include "sim/receiver_firmware.h"

#include <gtest/gtest.h>

#include <memory>

#include "packet_builder.h"
#include "sim/device_firmware.h"
#include "sim/factory_memory.h"

namespace velmora::sim {
namespace {

using testing::Request;

class ReceiverTest : public ::testing::Test {
 protected:
  std::shared_ptr<DeviceFirmware> keyboard = std::make_shared<DeviceFirmware>(KeyboardFactoryMemory());
  ReceiverFirmware receiver{keyboard};
};

TEST_F(ReceiverTest, LinkedReceiverPassesRequestsToItsDevice) {
  const Packet reply = receiver.Respond(Request(kCommandReadDeviceInfo, 24, 0));
  EXPECT_EQ(reply[kCommandByte], kCommandReadDeviceInfo);
  EXPECT_EQ(reply[kDataByte + kInfoKeyCountByte], kKeyboardKeyCount);
  EXPECT_EQ(keyboard->CommandCount(kCommandReadDeviceInfo), 1u);
}

TEST_F(ReceiverTest, UnlinkedReceiverAnswersEveryCommandWith0xAAAndReachesNothing) {
  receiver.SetLinked(false);
  for (uint8_t command : {kCommandBeginConfig, kCommandReadDeviceInfo, kCommandWriteParams, kCommandStreamLightFrame}) {
    const Packet reply = receiver.Respond(Request(command, 1, 0, {7}));
    EXPECT_EQ(reply[kCommandByte], kUnreachableCommand) << int(command);
    EXPECT_TRUE(ChecksumMatches(reply));
    EXPECT_EQ(keyboard->CommandCount(command), 0u);
  }
}

TEST_F(ReceiverTest, QueryLinkReportsTheLinkStateInDataByte8) {
  struct Case {
    bool linked;
    uint8_t mark;
  };
  for (const Case c : {Case{true, kLinkedMark}, Case{false, 0x00}}) {
    receiver.SetLinked(c.linked);
    const Packet reply = receiver.Respond(Request(kCommandQueryLink));
    EXPECT_EQ(reply[kCommandByte], kCommandQueryLink);
    EXPECT_EQ(reply[kStatusByte], kStatusOk);
    EXPECT_EQ(reply[kDataByte], c.mark) << "linked " << c.linked;
  }
  EXPECT_EQ(keyboard->CommandCount(kCommandQueryLink), 0u);
}

}  // namespace
}  // namespace velmora::sim
