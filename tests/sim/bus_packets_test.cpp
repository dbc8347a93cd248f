// Raw command packets and notifications through the virtual bus.

#include <gtest/gtest.h>

#include <thread>

#include "bus_fixture.h"
#include "sim/factory_memory.h"

namespace velmora::sim {
namespace {

using platform::HidIoStatus;
using testing::BusTest;
using testing::DataOf;
using testing::Request;

TEST_F(BusTest, EveryProductEchoesCommandsOnItsCommandCollection) {
  for (ProductKind kind : kAllProducts) {
    auto c = OpenCommand(kind);
    ASSERT_TRUE(c) << IdentityOf(kind).name;
    const Packet reply = Exchange(*c, Request(kCommandBeginConfig));
    EXPECT_EQ(reply[0], kCommandReportId) << IdentityOf(kind).name;
    EXPECT_EQ(reply[kCommandByte], kCommandBeginConfig) << IdentityOf(kind).name;
    EXPECT_EQ(reply[kStatusByte], kStatusOk) << IdentityOf(kind).name;
  }
}

TEST_F(BusTest, MemoryRoundTripThroughTheCableAndTheReceiverReachesOneKeyboard) {
  auto cable = OpenCommand(ProductKind::Keyboard);
  auto receiver = OpenCommand(ProductKind::KeyboardReceiver);
  ASSERT_TRUE(cable && receiver);
  EXPECT_EQ(Exchange(*cable, Request(kCommandWriteKeyMap, 3, 21, {0x70, 0x02, 0x00}))[kStatusByte], kStatusOk);
  const Packet reply = Exchange(*receiver, Request(kCommandReadKeyMap, 3, 21));
  EXPECT_EQ(DataOf(reply, 3), std::vector<uint8_t>({0x70, 0x02, 0x00}));
  EXPECT_EQ(machine.Firmware(ProductKind::Keyboard).Snapshot(MemoryArea::KeyMap)[21], 0x70);
}

TEST_F(BusTest, UnlinkedReceiverRepliesWith0xAAAndQueryLinkShowsTheLink) {
  auto receiver = OpenCommand(ProductKind::MouseReceiver);
  ASSERT_TRUE(receiver);
  machine.Product(ProductKind::MouseReceiver).SetLinked(false);
  EXPECT_EQ(Exchange(*receiver, Request(kCommandReadParams, 1, 0))[kCommandByte], kUnreachableCommand);
  EXPECT_EQ(Exchange(*receiver, Request(kCommandQueryLink))[kDataByte], 0x00);
  machine.Product(ProductKind::MouseReceiver).SetLinked(true);
  const Packet linked = Exchange(*receiver, Request(kCommandQueryLink));
  EXPECT_EQ(linked[kCommandByte], kCommandQueryLink);
  EXPECT_EQ(linked[kDataByte], kLinkedMark);
}

TEST_F(BusTest, NotificationsArriveOnTheConsumerCollectionOnly) {
  auto notifications = OpenPath(machine.Product(ProductKind::Keyboard).NotificationPath());
  auto commands = OpenCommand(ProductKind::Keyboard);
  ASSERT_TRUE(notifications && commands);
  for (uint16_t code : {uint16_t{0x401}, uint16_t{0x402}, uint16_t{0x1123}}) {
    ASSERT_TRUE(machine.Product(ProductKind::Keyboard).SendNotification(code));
    std::array<uint8_t, 3> report{};
    size_t transferred = 0;
    ASSERT_EQ(notifications->Read(report, transferred, kReadTimeoutMs), HidIoStatus::Ok);
    EXPECT_EQ(transferred, 3u);
    EXPECT_EQ(report, (std::array<uint8_t, 3>{3, uint8_t(code & 0xFF), uint8_t(code >> 8)}));
  }
  HidIoStatus status;
  Read(*commands, &status);
  EXPECT_EQ(status, HidIoStatus::TimedOut);
}

TEST_F(BusTest, MouseProfileReportCarriesKindAndValue) {
  auto notifications = OpenPath(machine.Product(ProductKind::Mouse).NotificationPath());
  ASSERT_TRUE(notifications);
  ASSERT_TRUE(machine.Product(ProductKind::Mouse).SendProfileReport(17, 0x31));
  std::array<uint8_t, 3> report{};
  size_t transferred = 0;
  ASSERT_EQ(notifications->Read(report, transferred, kReadTimeoutMs), HidIoStatus::Ok);
  EXPECT_EQ(report, (std::array<uint8_t, 3>{3, 0x31, 17}));
}

TEST_F(BusTest, ProfileSwitchedOnTheDeviceIsStoredAndReported) {
  auto notifications = OpenPath(machine.Product(ProductKind::KeyboardReceiver).NotificationPath());
  auto cable = OpenCommand(ProductKind::Keyboard);
  ASSERT_TRUE(notifications && cable);
  ASSERT_TRUE(machine.SwitchProfileOnDevice(ProductKind::KeyboardReceiver, 3));
  std::array<uint8_t, 3> report{};
  size_t transferred = 0;
  ASSERT_EQ(notifications->Read(report, transferred, kReadTimeoutMs), HidIoStatus::Ok);
  EXPECT_EQ(report, (std::array<uint8_t, 3>{3, 0x03, 0x10}));
  EXPECT_EQ(Exchange(*cable, Request(kCommandReadParams, 1, 0))[kDataByte], 3) << "one keyboard behind both";
  machine.Unplug(ProductKind::MousePad);
  EXPECT_FALSE(machine.SwitchProfileOnDevice(ProductKind::MousePad, 1));
}

TEST_F(BusTest, HeadsetTakesCommandsAndLightReportsOnItsOneCollection) {
  auto headset = OpenCommand(ProductKind::Headset);
  ASSERT_TRUE(headset);
  const Packet status = Exchange(*headset, Request(kCommandReadStatus, 6, 0));
  EXPECT_EQ(DataOf(status, 6), std::vector<uint8_t>({100, 0, 0, 0, 1, 0}));
  std::array<uint8_t, 17> light{0xFF, 0x44, 0xAB, 0, 1, 2, 3, 4, 5, 6, 7};
  ASSERT_TRUE(headset->SetOutputReport(light));
  EXPECT_EQ(machine.Product(ProductKind::Headset).HeadsetLight().Led(0x44, 6),
            (HeadsetLightState::Rgb{0, 7, 0}));
  const auto entries = machine.Log().EntriesFor(ProductKind::Headset);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_FALSE(entries[0].controlPipe);
  EXPECT_TRUE(entries[1].controlPipe);
  EXPECT_EQ(entries[1].bytes, std::vector<uint8_t>(light.begin(), light.end()));
}

TEST_F(BusTest, TrafficLogKeepsEveryPacketInArrivalOrder) {
  auto keyboard = OpenCommand(ProductKind::Keyboard);
  auto pad = OpenCommand(ProductKind::MousePad);
  ASSERT_TRUE(keyboard && pad);
  const Packet first = Request(kCommandBeginConfig);
  const Packet second = Request(kCommandReadParams, 1, 0);
  Exchange(*keyboard, first);
  Exchange(*pad, second);
  Exchange(*keyboard, Request(kCommandEndConfig));
  const auto entries = machine.Log().Entries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].bytes, std::vector<uint8_t>(first.begin(), first.end()));
  EXPECT_EQ(entries[1].product, ProductKind::MousePad);
  EXPECT_EQ(entries[1].bytes, std::vector<uint8_t>(second.begin(), second.end()));
  EXPECT_EQ(machine.Log().Commands(ProductKind::Keyboard), std::vector<uint8_t>({kCommandBeginConfig, kCommandEndConfig}));
  EXPECT_EQ(machine.Log().BadChecksumCount(), 0u);
}

TEST_F(BusTest, ConcurrentWritersAreAllLoggedAndAnswered) {
  constexpr int kPerThread = 50;
  auto run = [this](ProductKind kind) {
    auto c = OpenCommand(kind);
    for (int i = 0; i < kPerThread; ++i) {
      if (!c || Exchange(*c, Request(kCommandReadStatus, 6, 0))[kCommandByte] != kCommandReadStatus) return;
    }
  };
  std::thread a(run, ProductKind::Keyboard), b(run, ProductKind::Mouse);
  a.join();
  b.join();
  EXPECT_EQ(machine.Log().Commands(ProductKind::Keyboard).size(), size_t{kPerThread});
  EXPECT_EQ(machine.Firmware(ProductKind::Mouse).CommandCount(kCommandReadStatus), uint32_t{kPerThread});
}

}  // namespace
}  // namespace velmora::sim
