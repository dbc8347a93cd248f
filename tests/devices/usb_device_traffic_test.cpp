// The device base's own traffic: light frames and the light-control announcement.
#include <gtest/gtest.h>

#include <algorithm>

#include "devices/usb_device.h"
#include "fake_page.h"
#include "keyboard_rig.h"

namespace velmora::devices {
namespace {

using testing::FakeControl;

constexpr uint8_t kStreamFrame = 0x12, kAnnounce = 0x1C;

class UsbDeviceTrafficTest : public testing::KeyboardRig {
 protected:
  UsbDeviceTrafficTest() : page("page", "OrvaneUSBDevice") {
    device.SetPage(&page);
    device.SetLayoutPath("XML/DeviceXml/test.xml");
    device.SetLedCount(3);
    panel = &page.Add("panel", "SelectPanel");
    for (int i = 0; i < 3; ++i)
      lights.push_back(&panel->Add("light_" + std::to_string(i), "DeviceKeyButton"));
    device.BindPageControls();
    device.SetLedColor(0, LedColor{255, 128, 2, 255}.Pack());
    device.SetLedColor(1, LedColor{200, 100, 50, 128}.Pack());
  }

  size_t Sent(uint8_t command, sim::ProductKind kind) {
    const std::vector<uint8_t> commands = CommandsSent(kind);
    return static_cast<size_t>(std::count(commands.begin(), commands.end(), command));
  }

  FakeControl page;
  FakeControl* panel = nullptr;
  std::vector<FakeControl*> lights;
  COrvaneUSBDevice device;
};

TEST_F(UsbDeviceTrafficTest, FrameOnTheCableCarriesColoursScaledByBrightness) {
  OpenCable(device);
  lights[2]->visible = false;
  lights[2]->paintCount = 0;

  device.SendLightFrame();

  ASSERT_EQ(Sent(kStreamFrame, sim::ProductKind::Keyboard), 1u);
  const std::vector<uint8_t> frame = Memory(sim::MemoryArea::LightFrame);
  const std::vector<uint8_t> expected = {254, 127, 1, 100, 50, 25, 0, 0, 0};
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), frame.begin()));
  EXPECT_EQ(lights[0]->bkColor, MakeArgb(255, 255, 128, 2));
  EXPECT_EQ(lights[1]->bkColor, MakeArgb(128, 200, 100, 50));
  EXPECT_EQ(lights[2]->paintCount, 0) << "hidden buttons are not painted";
}

TEST_F(UsbDeviceTrafficTest, FrameThroughTheReceiverPaintsButSendsNothing) {
  OpenReceiver(device);
  device.SendLightFrame();
  EXPECT_EQ(Sent(kStreamFrame, sim::ProductKind::KeyboardReceiver), 0u);
  EXPECT_EQ(Sent(kStreamFrame, sim::ProductKind::Keyboard), 0u);
  EXPECT_EQ(lights[0]->bkColor, MakeArgb(255, 255, 128, 2));
}

TEST_F(UsbDeviceTrafficTest, NoFrameWhileLightControlIsOff) {
  OpenCable(device);
  device.SetLightControl(false);
  lights[0]->bkColor = 0;
  device.SendLightFrame();
  EXPECT_EQ(Sent(kStreamFrame, sim::ProductKind::Keyboard), 0u);
  EXPECT_EQ(lights[0]->bkColor, 0u);
}

TEST_F(UsbDeviceTrafficTest, LightControlIsAnnouncedOnlyToACabledKeyboard) {
  struct Case {
    uint16_t family;
    bool receiver;
    size_t announcements;
  };
  const Case cases[] = {{kFamilyKeyboard, false, 1},
                        {kFamilyKeyboardReceiver, true, 0},
                        {kFamilyMouse, false, 0},
                        {kFamilyMousePad, false, 0}};
  for (const Case c : cases) {
    COrvaneUSBDevice other;
    DeviceInterfaceEntry row;
    row.familyCode = c.family;
    other.SetIdentity(row);
    if (c.receiver) {
      OpenReceiver(other);
    } else {
      OpenCable(other);
    }
    machine.Log().Clear();
    other.SetLightControl(false);
    other.SetLightControl(true);
    const sim::ProductKind kind =
        c.receiver ? sim::ProductKind::KeyboardReceiver : sim::ProductKind::Keyboard;
    EXPECT_EQ(Sent(kAnnounce, kind), c.announcements) << "family " << c.family;
    EXPECT_TRUE(other.IsLightControlEnabled());
  }
}

}  // namespace
}  // namespace velmora::devices
