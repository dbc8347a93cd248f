// Notification reports read the way the notification threads read them: one input report of
// the consumer collection, unpacked into its items, the first usage of the first item being
// the code.

#include <gtest/gtest.h>

#include "channel_fixture.h"
#include "transport/hid_device.h"

namespace velmora::sim {
namespace {

using testing::ChannelTest;

uint16_t ReadNotificationCode(transport::CHidDevice& device) {
  auto report = device.InputReport();
  size_t transferred = 0;
  if (device.ReadReport(report, &transferred, 1000) != 1) return 0;
  auto items = device.InputItems();
  if (items.empty() ||
      device.UnpackInputReport(report.first(transferred), platform::HidReportType::Input, items,
                               device.PreparsedData()) != 1) {
    return 0;
  }
  return items[0].button.usages.empty() ? 0 : items[0].button.usages[0];
}

TEST_F(ChannelTest, NotificationCodesReachTheNotificationReaderOfEachProduct) {
  struct Case {
    ProductKind product;
    uint16_t code;
  };
  const Case cases[] = {
      {ProductKind::Keyboard, 0x401}, {ProductKind::Keyboard, 0x402}, {ProductKind::KeyboardReceiver, 0x1123},
      {ProductKind::Mouse, 0x1131},   {ProductKind::MouseReceiver, 0x1005}, {ProductKind::MousePad, 0x401},
      {ProductKind::Headset, 0x401},
  };
  for (const auto& c : cases) {
    transport::CHidDevice device;
    ASSERT_EQ(device.Open(machine.Product(c.product).NotificationPath(), true, true, true, false), 1)
        << IdentityOf(c.product).name;
    ASSERT_TRUE(machine.Product(c.product).SendNotification(c.code));
    EXPECT_EQ(ReadNotificationCode(device), c.code) << IdentityOf(c.product).name;
  }
}

TEST_F(ChannelTest, AShortRequestIsSentAsAFullPacketWithZeros) {
  // ReadStatus of 6 bytes at 0, checksum 0x1A + 0x06 = 0x20.
  std::vector<uint8_t> request = {0x04, 0x20, 0x00, 0x1A, 0x06, 0x00, 0x00, 0x00};
  std::array<uint8_t, 64> reply{};
  size_t transferred = 0;
  ASSERT_EQ(cable.Exchange(request, reply, &transferred), 1);
  const auto sent = Sent(ProductKind::Keyboard);
  ASSERT_EQ(sent.size(), 1u);
  request.resize(64, 0);
  EXPECT_EQ(sent[0], request);
  EXPECT_EQ(reply[kCommandByte], kCommandReadStatus);
}

}  // namespace
}  // namespace velmora::sim
