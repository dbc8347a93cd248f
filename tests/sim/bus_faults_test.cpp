// Every injected fault, seen as raw transfers on the virtual bus.

#include <gtest/gtest.h>

#include "bus_fixture.h"

namespace velmora::sim {
namespace {

using platform::HidIoStatus;
using testing::BusTest;
using testing::Request;

class BusFaultTest : public BusTest {
 protected:
  void SetUp() override {
    BusTest::SetUp();
    keyboard = OpenCommand(ProductKind::Keyboard);
    ASSERT_TRUE(keyboard);
  }
  SimulatedProduct& Product() { return machine.Product(ProductKind::Keyboard); }
  std::shared_ptr<platform::HidConnection> keyboard;
};

TEST_F(BusFaultTest, ErrorStatusRepliesEchoTheCommandWithoutCarryingItOut) {
  for (uint8_t status : {uint8_t{0xFF}, uint8_t{0xFE}}) {
    Product().Faults().Inject(Fault::ErrorStatus(status).OnCommand(kCommandWriteKeyMap));
    const Packet reply = Exchange(*keyboard, Request(kCommandWriteKeyMap, 1, 0, {0x55}));
    EXPECT_EQ(reply[kCommandByte], kCommandWriteKeyMap);
    EXPECT_EQ(reply[kStatusByte], status);
    EXPECT_NE(machine.Firmware(ProductKind::Keyboard).Snapshot(MemoryArea::KeyMap)[0], 0x55);
  }
  EXPECT_EQ(Exchange(*keyboard, Request(kCommandWriteKeyMap, 1, 0, {0x55}))[kStatusByte], kStatusOk);
}

TEST_F(BusFaultTest, StrayRepliesComeBeforeTheRealOne) {
  Product().Faults().Inject(Fault::StrayReply(kCommandStreamLightFrame, 2));
  ASSERT_EQ(Write(*keyboard, Request(kCommandReadParams, 1, 0)), HidIoStatus::Ok);
  EXPECT_EQ(Read(*keyboard)[kCommandByte], kCommandStreamLightFrame);
  EXPECT_EQ(Read(*keyboard)[kCommandByte], kCommandStreamLightFrame);
  EXPECT_EQ(Read(*keyboard)[kCommandByte], kCommandReadParams);
}

TEST_F(BusFaultTest, AStrayReplyNeverEchoesTheRequest) {
  Product().Faults().Inject(Fault::StrayReply(kCommandBeginConfig));
  ASSERT_EQ(Write(*keyboard, Request(kCommandBeginConfig)), HidIoStatus::Ok);
  EXPECT_NE(Read(*keyboard)[kCommandByte], kCommandBeginConfig);
  EXPECT_EQ(Read(*keyboard)[kCommandByte], kCommandBeginConfig);
}

TEST_F(BusFaultTest, NoReplyLeavesTheReadToTimeOut) {
  Product().Faults().Inject(Fault::NoReply());
  ASSERT_EQ(Write(*keyboard, Request(kCommandBeginConfig)), HidIoStatus::Ok);
  HidIoStatus status;
  Read(*keyboard, &status);
  EXPECT_EQ(status, HidIoStatus::TimedOut);
  EXPECT_EQ(machine.Log().Commands(ProductKind::Keyboard), std::vector<uint8_t>({kCommandBeginConfig}));
}

TEST_F(BusFaultTest, WriteFaultsFailOrStallTheWrite) {
  struct Case {
    Fault fault;
    HidIoStatus status;
  };
  for (const Case& c : {Case{Fault::FailWrite(), HidIoStatus::Failed}, Case{Fault::StallWrite(), HidIoStatus::TimedOut}}) {
    Product().Faults().Inject(c.fault);
    EXPECT_EQ(Write(*keyboard, Request(kCommandBeginConfig)), c.status);
    HidIoStatus status;
    Read(*keyboard, &status);
    EXPECT_EQ(status, HidIoStatus::TimedOut) << "a refused write is never answered";
  }
  EXPECT_EQ(machine.Firmware(ProductKind::Keyboard).CommandCount(kCommandBeginConfig), 0u);
}

TEST_F(BusFaultTest, UnplugBeforeReplyTakesTheWriteThenTheProductIsGone) {
  const std::string path = Product().CommandPath();
  Product().Faults().Inject(Fault::UnplugBeforeReply());
  EXPECT_EQ(Write(*keyboard, Request(kCommandBeginConfig)), HidIoStatus::Ok);
  HidIoStatus status;
  Read(*keyboard, &status);
  EXPECT_EQ(status, HidIoStatus::Failed);
  EXPECT_FALSE(Product().Plugged());
  EXPECT_FALSE(machine.Bus()->Exists(path));
  machine.Plug(ProductKind::Keyboard);
  auto again = OpenCommand(ProductKind::Keyboard);
  ASSERT_TRUE(again);
  EXPECT_EQ(Exchange(*again, Request(kCommandBeginConfig))[kStatusByte], kStatusOk);
}

TEST_F(BusFaultTest, BadChecksumsAreCountedAndRejectedOnlyWhenAsked) {
  Packet bad = Request(kCommandWriteParams, 1, 3, {0x09});
  bad[1] ^= 0x01;
  EXPECT_EQ(Exchange(*keyboard, bad)[kStatusByte], kStatusOk);
  EXPECT_EQ(machine.Firmware(ProductKind::Keyboard).Snapshot(MemoryArea::Parameters)[3], 0x09);
  Product().SetRejectBadChecksum(true);
  bad[kDataByte] = 0x0A;
  EXPECT_EQ(Exchange(*keyboard, bad)[kStatusByte], kStatusError);
  EXPECT_EQ(machine.Firmware(ProductKind::Keyboard).Snapshot(MemoryArea::Parameters)[3], 0x09);
  EXPECT_EQ(Product().BadChecksums(), 2u);
  EXPECT_EQ(machine.Log().BadChecksumCount(), 2u);
}

}  // namespace
}  // namespace velmora::sim
