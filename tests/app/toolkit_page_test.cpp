// Device logic reaching real toolkit controls through the page adapter.
#include "app/toolkit_page.h"

#include <gtest/gtest.h>

#include "devices/usb_device.h"
#include "toolkit/button.h"
#include "toolkit/container.h"
#include "toolkit/option.h"
#include "toolkit/slider.h"
#include "toolkit/tab_layout.h"

namespace velmora::app {
namespace {

using namespace velmora::toolkit;

// The device page's own control classes, as the class query names them.
class SelectPanel : public CContainerUI {
 public:
  std::string GetClass() const override { return "SelectPanel"; }
};
class DeviceKeyButton : public CButtonUI {
 public:
  std::string GetClass() const override { return "DeviceKeyButton"; }
};

template <typename T>
T* AddNamed(CContainerUI& parent, const std::string& name) {
  auto* control = new T();
  control->SetName(name);
  parent.Add(control);
  return control;
}

class ToolkitPageTest : public ::testing::Test {
 protected:
  ToolkitPageTest() {
    auto* panel = AddNamed<SelectPanel>(root, "");
    key3 = AddNamed<DeviceKeyButton>(*panel, "key_3");
    light1 = AddNamed<DeviceKeyButton>(*panel, "light_1");
    tabs = AddNamed<CTabLayoutUI>(root, "device_function_switch");
    for (int i = 0; i < 4; ++i) AddNamed<CContainerUI>(*tabs, "page_" + std::to_string(i));
    option = AddNamed<COptionUI>(root, "winlockflag_option");
    slider = AddNamed<CSliderUI>(root, "repeat_rate_slider");
  }

  CContainerUI root;
  DeviceKeyButton* key3 = nullptr;
  DeviceKeyButton* light1 = nullptr;
  CTabLayoutUI* tabs = nullptr;
  COptionUI* option = nullptr;
  CSliderUI* slider = nullptr;
};

TEST_F(ToolkitPageTest, DeviceBindsAndPaintsToolkitKeyButtons) {
  ToolkitPage page(&root);
  devices::COrvaneUSBDevice device;
  device.SetKeyCount(10);
  device.SetLedCount(10);
  device.SetPage(page.Root());
  device.SetLayoutPath("XML/DeviceXml/test.xml");

  device.BindPageControls();

  ASSERT_NE(device.GetKeyButton(3), nullptr);
  EXPECT_EQ(device.GetKeyButton(3)->GetName(), "key_3");
  EXPECT_EQ(device.GetLightButton(1), page.Wrap(light1));
  EXPECT_EQ(light1->GetBkColor(), 0xFFFFFFFFu);
  device.SetLedColor(1, devices::LedColor{10, 20, 30, 255}.Pack());
  device.SetLightControl(true);
  device.SendLightFrame();  // no channel: paints only
  EXPECT_EQ(light1->GetBkColor(), devices::MakeArgb(255, 10, 20, 30));
}

TEST_F(ToolkitPageTest, FunctionSwitchSelectsTheToolkitTabPage) {
  ToolkitPage page(&root);
  devices::COrvaneUSBDevice device;
  device.SetPage(page.Root());
  device.SetFunctionSwitch(5);
  EXPECT_EQ(tabs->GetCurSel(), 2);
  EXPECT_FALSE(page.Wrap(tabs)->SelectTabPage(9));
  EXPECT_EQ(tabs->GetCurSel(), 2);
}

TEST_F(ToolkitPageTest, OptionsSlidersAndTextReachTheirControls) {
  ToolkitPage page(&root);
  devices::PageControl* found = devices::FindChildByName(*page.Root(), "WINLOCKFLAG_OPTION");
  ASSERT_EQ(found, page.Wrap(option));
  found->SetCheck(true);
  EXPECT_TRUE(option->IsSelected());
  devices::FindChildByName(*page.Root(), "repeat_rate_slider")->SetValue(7);
  EXPECT_EQ(slider->GetValue(), 7);
  page.Wrap(key3)->SetText("Esc");
  EXPECT_EQ(key3->GetText(), "Esc");
  page.Wrap(key3)->SetVisible(false);
  EXPECT_FALSE(page.Wrap(key3)->IsVisible());
  // Operations a control does not have change nothing.
  page.Wrap(key3)->SetValue(3);
  page.Wrap(key3)->SetCheck(true);
  EXPECT_FALSE(page.Wrap(key3)->SelectTabPage(0));
  EXPECT_TRUE(page.Wrap(key3)->GetChildren().empty());
  EXPECT_EQ(page.Wrap(nullptr), nullptr);
}

}  // namespace
}  // namespace velmora::app
