#include "devices/usb_device.h"

#include <gtest/gtest.h>

#include <string>

#include "devices/function_switch.h"
#include "devices/key_fade.h"
#include "fake_page.h"
#include "platform/clock.h"
#include "platform/paths.h"

namespace velmora::devices {
namespace {

using testing::FakeControl;

class UsbDeviceTest : public ::testing::Test {
 protected:
  UsbDeviceTest() : root("page", "OrvaneUSBDevice"), clock(100000), clockGuard(clock) {
    device.SetPage(&root);
    device.SetLayoutPath("XML/DeviceXml/test.xml");
  }

  FakeControl& AddKeyPanel() {
    return root.Add("key_panel", "VerticalLayout").Add("", "SelectPanel");
  }

  FakeControl root;
  platform::ManualClock clock;
  platform::ScopedClockOverride clockGuard;
  COrvaneUSBDevice device;
};

TEST_F(UsbDeviceTest, BindsKeyAndLightButtonsWithinTheCounts) {
  device.SetKeyCount(170);
  device.SetLedCount(170);
  FakeControl& panel = AddKeyPanel();
  FakeControl& key5 = panel.Add("key_5", "DeviceKeyButton");
  FakeControl& key200 = panel.Add("key_200", "DeviceKeyButton");
  FakeControl& light7 = panel.Add("light_7", "DeviceKeyButton");
  FakeControl& light170 = panel.Add("light_170", "DeviceKeyButton");
  FakeControl& notAButton = panel.Add("key_6", "Label");
  FakeControl& badNumber = panel.Add("key_6x", "DeviceKeyButton");

  device.BindPageControls();

  EXPECT_EQ(device.GetKeyButton(5), &key5);
  EXPECT_EQ(device.GetKeyButton(6), nullptr) << &notAButton << &badNumber;
  EXPECT_EQ(device.GetKeyButton(200), nullptr) << &key200;
  EXPECT_EQ(device.GetLightButton(7), &light7);
  EXPECT_EQ(light7.bkColor, 0xFFFFFFFFu);
  EXPECT_EQ(light170.paintCount, 0);
  EXPECT_EQ(key5.paintCount, 0);
}

TEST_F(UsbDeviceTest, EmptyLayoutPathBindsNothingAndZeroesTheCounts) {
  device.SetKeyCount(10);
  device.SetLedCount(10);
  AddKeyPanel().Add("key_1", "DeviceKeyButton");
  device.SetLayoutPath("");

  device.BindPageControls();

  EXPECT_EQ(device.GetKeyCount(), 0);
  EXPECT_EQ(device.GetLedCount(), 0);
  EXPECT_EQ(device.GetKeyButton(1), nullptr);
}

TEST_F(UsbDeviceTest, LedColorOutsideTheArrayIsIgnoredAndReadsZero) {
  device.SetLedCount(4);
  const uint32_t colour = LedColor{1, 2, 3, 4}.Pack();
  for (int index : {-1, 4, 1000}) {
    device.SetLedColor(index, colour);
    EXPECT_EQ(device.GetLedColor(index), 0u) << index;
  }
  for (int i = 0; i < 4; ++i) EXPECT_EQ(device.GetLedColor(i), 0u);
  device.SetLedColor(3, colour);
  EXPECT_EQ(device.GetLedColor(3), colour);
}

TEST_F(UsbDeviceTest, SetLedCountClearsEveryEntryAndCapsAt170) {
  device.SetLedCount(3);
  device.SetLedColor(1, 0xFFFFFFFF);
  device.SetLedCount(3);
  EXPECT_EQ(device.GetLedColor(1), 0u);
  device.SetLedCount(400);
  EXPECT_EQ(device.GetLedCount(), kMaxLedCount);
  device.SetKeyCount(-5);
  EXPECT_EQ(device.GetKeyCount(), 0);
}

TEST_F(UsbDeviceTest, FlashTogglesOnceEveryBlinkPeriod) {
  struct Case {
    uint8_t speed;
    uint64_t periodMs;
  };
  for (const Case c : {Case{4, 1400}, Case{0, 5600}, Case{2, 3600}}) {
    COrvaneUSBDevice flashing;
    flashing.SetLedCount(2);
    LightSettings light;
    light.speed = c.speed;
    light.brightness = 24;
    light.red = 10;
    flashing.SetLightState(light);

    flashing.EffectFlash();  // the first step toggles on
    ASSERT_EQ(LedColor::Unpack(flashing.GetLedColor(0)), (LedColor{10, 0, 0, 255}));
    clock.Advance(c.periodMs - 1);
    flashing.EffectFlash();
    EXPECT_NE(flashing.GetLedColor(1), 0u) << "speed " << int{c.speed} << " toggled early";
    clock.Advance(1);
    flashing.EffectFlash();
    EXPECT_EQ(flashing.GetLedColor(1), 0u) << "speed " << int{c.speed} << " did not toggle";
    clock.Advance(c.periodMs);
    flashing.EffectFlash();
    EXPECT_NE(flashing.GetLedColor(1), 0u) << "speed " << int{c.speed};
  }
}

TEST_F(UsbDeviceTest, BreathingInMulticolourMovesSixteenWheelStepsPerBreath) {
  device.SetLedCount(1);
  LightSettings light;
  light.multiColour = 1;
  light.direction = 1;
  light.brightness = 24;
  device.SetLightState(light);
  uint32_t last = 0;
  for (int breath = 0; breath < 13; ++breath) {
    for (size_t step = 0; step < kBreathingCurveSize; ++step) device.EffectBreathing();
    last = device.GetLedColor(0);
    const LedColor led = LedColor::Unpack(last);
    // Every breath ends on phase 0 with the next colour (the wheel restarts after 192).
    const Rgb expected = kColourWheel[(16 * (breath + 1)) % kColourWheelSize];
    EXPECT_EQ((Rgb{led.red, led.green, led.blue}), expected) << "breath " << breath;
    EXPECT_EQ(led.brightness, 0);
  }
}

TEST(KeyFade, ModeZeroFollowsItsLadder) {
  struct Case {
    uint8_t before, after;
  };
  const Case cases[] = {
      {255, 215}, {128, 88}, {127, 97}, {64, 34}, {63, 48}, {32, 17},
      {31, 23},   {17, 9},   {16, 15},  {1, 0},   {0, 0},
  };
  for (const Case c : cases) EXPECT_EQ(FadeStep(c.before, 0), c.after) << int{c.before};
}

TEST(KeyFade, EveryModeFadesFromFullToZeroWithoutWrapping) {
  for (int mode : {0, 7, 10, 13, 16, 21, 29, 30}) {
    uint8_t entry = 255;
    int steps = 0;
    while (entry != 0 && steps < 400) {
      const uint8_t next = FadeStep(entry, mode);
      ASSERT_LT(next, entry) << "mode " << mode << " entry " << int{entry};
      entry = next;
      ++steps;
    }
    EXPECT_EQ(entry, 0) << "mode " << mode;
  }
}

TEST_F(UsbDeviceTest, FadeKeyStoresTheStepAndIgnoresKeysOutsideTheArray) {
  device.SetFadeEntry(170, 200);
  EXPECT_EQ(device.FadeKey(170, 0), 160);
  EXPECT_EQ(device.GetFadeEntry(170), 160);
  EXPECT_EQ(device.FadeKey(171, 0), 0);
  EXPECT_EQ(device.FadeKey(-1, 0), 0);
}

TEST(FunctionSwitch, StatesSelectTheirPages) {
  struct Case {
    int state, deviceType;
    FunctionSwitchPages pages;
  };
  const Case cases[] = {
      {3, 1, {1, -1}}, {8, 2, {1, -1}}, {5, 3, {2, -1}}, {4, 1, {3, -1}}, {4, 2, {3, -1}},
      {4, 3, {0, 2}},  {4, 9, {0, 2}},  {2, 1, {0, 1}},  {6, 7, {0, 1}},  {7, 1, {0, 2}},
      {1, 1, {0, 0}},  {0, 2, {0, 0}},  {42, 1, {0, 0}},
  };
  for (const Case c : cases) {
    EXPECT_EQ(FunctionSwitchPagesFor(c.state, c.deviceType), c.pages)
        << "state " << c.state << " type " << c.deviceType;
  }
}

TEST_F(UsbDeviceTest, SetFunctionSwitchSelectsTabsThroughThePage) {
  FakeControl& functionSwitch = root.Add("device_function_switch", "TabLayout");
  FakeControl& keySwitch =
      root.Add("tabs", "VerticalLayout").Add("device_key_function_switch", "TabLayout");
  device.SetFunctionSwitch(7);
  EXPECT_EQ(device.GetFunctionSwitch(), 7);
  EXPECT_EQ(functionSwitch.selectedTab, 0);
  EXPECT_EQ(keySwitch.selectedTab, 2);
  device.SetFunctionSwitch(5);
  EXPECT_EQ(functionSwitch.selectedTab, 2);
  EXPECT_EQ(keySwitch.selectedTab, 2);
}

TEST_F(UsbDeviceTest, ClearKeyEffectsZeroesTheFadeEntries) {
  device.SetFadeEntry(3, 9);
  device.ClearKeyEffects();
  EXPECT_EQ(device.GetFadeEntry(3), 0);
}

TEST_F(UsbDeviceTest, PowerIndicatorLayoutFollowsTheShownFlag) {
  FakeControl indicator("power", "HorizontalLayout");
  FakeControl& layout = indicator.Add("device_power_Layout", "HorizontalLayout");
  device.SetStatusReadSuppressed(true);
  EXPECT_FALSE(device.IsStatusReadSuppressed()) << "only while the indicator is shown";
  device.SetPowerIndicator(&indicator, nullptr);
  EXPECT_FALSE(layout.visible);
  device.SetPowerIndicatorShown(true);
  device.SetPowerIndicator(&indicator, nullptr);
  EXPECT_TRUE(layout.visible);
  device.SetStatusReadSuppressed(true);
  EXPECT_TRUE(device.IsStatusReadSuppressed());
}

TEST_F(UsbDeviceTest, IdentitySetsDeviceTypeAndKind) {
  DeviceInterfaceEntry row;
  row.familyCode = kFamilyKeyboardReceiver;
  row.kind = kKindNotification;
  row.devicePath = "virtual:1#vid_320f&pid_5088&mi_02";
  device.SetIdentity(row);
  EXPECT_EQ(device.GetDeviceType(), 9);
  EXPECT_EQ(device.GetIdentity().devicePath, row.devicePath);
}

TEST_F(UsbDeviceTest, FoldersLiveUnderTheDataHomeAndTheProgramData) {
  const std::string home = ::testing::TempDir() + "usb_device_folders";
  setenv("XDG_DATA_HOME", home.c_str(), 1);
  device.SetDeviceFolderName("keyboard");
  const std::string folder = device.UserDataFolder();
  EXPECT_EQ(folder, home + "/VELMORA Q7 PRO/keyboard/");
  EXPECT_TRUE(platform::MakeDirectories(folder));
  EXPECT_TRUE(device.DefaultProfilePath().ends_with("/DefaultData/keyboard.Json"));
}

}  // namespace
}  // namespace velmora::devices
