// The keyboard's settings document and what ShowProfile puts on the page.
#include <gtest/gtest.h>

#include <filesystem>

#include "devices/keyboard_device.h"
#include "fake_page.h"
#include "keyboard_rig.h"
#include "profiles/json_file.h"

namespace velmora::devices {
namespace {

using testing::FakeControl;

struct FakeLightingPanel : LightingPanelLink {
  void ShowLightInfo(uint32_t w0, uint32_t w1, uint32_t w2) override { words = {w0, w1, w2}; }
  void SetCustomMode(int index) override { customMode = index; }
  void SetColour(uint8_t r, uint8_t g, uint8_t b) override { colour = {r, g, b}; }
  bool GetColour(uint8_t& r, uint8_t& g, uint8_t& b) const override {
    r = colour[0], g = colour[1], b = colour[2];
    return true;
  }
  void InitLightModes(const std::vector<std::string>& names, const std::vector<bool>&, int maxB,
                      int maxS) override {
    modeCount = names.size();
    maxBrightness = maxB;
    maxSpeed = maxS;
  }
  std::array<uint32_t, 3> words{};
  int customMode = -1;
  std::array<uint8_t, 3> colour{};
  size_t modeCount = 0;
  int maxBrightness = 0, maxSpeed = 0;
};

struct BracketTexts : LanguageTexts {
  std::string Text(const std::string& key) const override { return "[" + key + "]"; }
};

class KeyboardProfileTest : public testing::KeyboardRig {
 protected:
  KeyboardProfileTest() : page("page", "OrvaneKeyboardDevice") {
    FakeControl& picture = page.Add("keyboard_device_key_light", "Container");
    for (int i = 0; i < 170; i += 10) {
      keys.push_back(&picture.Add("key_" + std::to_string(i), "DeviceKeyButton"));
    }
    functionLockKey = &picture.Add("key_110", "DeviceKeyButton");
    FakeControl& settings = page.Add("system_settings", "VerticalLayout");
    for (const char* name :
         {"winlockflag_option", "wflag_option", "6flag_option", "repeat_rate_slider",
          "repeat_input_richedit", "repeat_delay_time_label1"}) {
      settings.Add(name, "Option");
    }
    for (int i = 0; i < 4; ++i) {
      settings.Add("repeat_delay_check_" + std::to_string(i), "Option");
      settings.Add("polling_rate_option_" + std::to_string(i), "Option");
    }
    keyboard.SetPage(&page);
    keyboard.SetLayoutPath("XML/DeviceXml/keyboarddevice.xml");
    keyboard.SetLightingPanel(&lighting);
    keyboard.SetLanguageTexts(&texts);
    keyboard.BindPageControls();
  }

  FakeControl& Control(const std::string& name) {
    auto* c = static_cast<FakeControl*>(FindChildByName(page, name));
    EXPECT_NE(c, nullptr) << name;
    return *c;
  }

  std::string ProfilePath() { return UserFolder() + "profile_under_test.Json"; }

  FakeControl page;
  std::vector<FakeControl*> keys;
  FakeControl* functionLockKey = nullptr;
  FakeLightingPanel lighting;
  BracketTexts texts;
};

TEST_F(KeyboardProfileTest, ShowProfileSetsTheSystemSettingsControls) {
  struct Case {
    uint16_t delay, polling;
    int delayOption, pollingOption;
    const char* label;
  };
  const Case cases[] = {{2, 3, 2, 3, "[Repeat_Delay_Time]750ms"},
                        {7, 9, 0, 0, "[Repeat_Delay_Time]250ms"},
                        {0, 1, 0, 1, "[Repeat_Delay_Time]250ms"},
                        {3, 0, 3, 0, "[Repeat_Delay_Time]1000ms"}};
  for (const Case c : cases) {
    keyboard.SetSystemSettings(KeyboardSystemSettings{12, c.delay, 1, c.polling, 0, 1});
    keyboard.ShowProfile();
    EXPECT_EQ(Control("repeat_delay_time_label1").text, c.label);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(Control("repeat_delay_check_" + std::to_string(i)).checked, i == c.delayOption)
          << "delay " << c.delay << " option " << i;
      EXPECT_EQ(Control("polling_rate_option_" + std::to_string(i)).checked, i == c.pollingOption)
          << "polling " << c.polling << " option " << i;
    }
  }
  EXPECT_TRUE(Control("winlockflag_option").checked);
  EXPECT_FALSE(Control("wflag_option").checked);
  EXPECT_TRUE(Control("6flag_option").checked);
  EXPECT_EQ(Control("repeat_rate_slider").value, 12);
  EXPECT_EQ(Control("repeat_input_richedit").toolTip, "[Repeat_input_text]");
}

TEST_F(KeyboardProfileTest, ShowProfileHandsTheLightSettingsToTheLightingPanel) {
  profiles::LightInfoRecord record;
  record.selectItem = 6;
  record.light = 20;
  record.speed = 1;
  record.red = 9;
  record.zzccLedMode = 3;
  record.customGroup = 2;
  keyboard.SetLightSettings(record.Word1(), record.Word2(), record.Word3(), record.Half4());
  keyboard.SetLightColor(1, 2, 3);
  keyboard.ShowProfile();
  EXPECT_EQ(lighting.words,
            (std::array<uint32_t, 3>{record.Word1(), record.Word2(), record.Word3()}));
  EXPECT_EQ(lighting.customMode, 2);
  EXPECT_EQ(lighting.colour, (std::array<uint8_t, 3>{1, 2, 3}));
  EXPECT_EQ(lighting.maxBrightness, 24);
  EXPECT_EQ(lighting.maxSpeed, 4);
  EXPECT_EQ(lighting.modeCount, 31u) << "the keyboard's modes of default_light.json";
}

TEST_F(KeyboardProfileTest, FunctionSwitchEnablesTheFunctionLockKey) {
  keyboard.SetFunctionSwitch(2);
  EXPECT_FALSE(functionLockKey->enabled);
  keyboard.SetFunctionSwitch(5);
  EXPECT_FALSE(functionLockKey->enabled) << "other states leave it";
  keyboard.SetFunctionSwitch(1);
  EXPECT_TRUE(functionLockKey->enabled);
}

TEST_F(KeyboardProfileTest, ProfileDocumentIsAppliedAndSaved) {
  // A user profile that moves position 1 to "B" and picks a blue colour.
  Json::Value document = profiles::ReadJsonFile(keyboard.DefaultProfilePath());
  ASSERT_TRUE(document.isObject());
  document["Device"][0]["KeyList"][1]["Assignment"] = 0x200005;
  document["Device"][0]["LightInfo"]["Red"] = 0;
  document["Device"][0]["LightInfo"]["Blue"] = 200;
  document["Device"][0]["LightInfo"]["SelectItem"] = 5;
  ASSERT_EQ(profiles::WriteJsonFile(ProfilePath(), document), profiles::kWriteOk);

  ASSERT_EQ(keyboard.ReloadProfile(), 1);
  ASSERT_EQ(keyboard.KeyAssignments().size(), 170u);
  EXPECT_EQ(keyboard.KeyAssignments()[1].current.second, 0x05);
  EXPECT_EQ(keyboard.GetLightState().mode, 5);
  EXPECT_EQ(keyboard.GetLightState().blue, 200);

  keyboard.SetLightColor(7, 8, 9);
  keyboard.SaveProfile();
  const Json::Value saved = profiles::ReadJsonFile(ProfilePath());
  EXPECT_EQ(saved["Device"][0]["LightInfo"]["Red"].asInt(), 7);
  EXPECT_EQ(saved["Device"][0]["LightInfo"]["Blue"].asInt(), 9);
  EXPECT_EQ(saved["Device"][0]["KeyList"][1]["Assignment"].asInt(), 0x200005);

  // Restoring the defaults writes the factory entry into the same document.
  keyboard.LoadProfile();
  EXPECT_EQ(keyboard.KeyAssignments()[1].current.second, 0x3A);
  const Json::Value restored = profiles::ReadJsonFile(ProfilePath());
  EXPECT_EQ(restored["Device"][0]["KeyList"][1]["Assignment"].asInt(), 0x20003A);
  EXPECT_EQ(restored["Device"][0]["LightInfo"]["Red"].asInt(), 255);
}

TEST_F(KeyboardProfileTest, SettingsNameThatIsNotAPlainFileNameIsRefused) {
  keyboard.SetSettingsName("../../escape");
  keyboard.OpenProfileFiles();
  EXPECT_EQ(keyboard.Profile().GetProfilePath(), "");
  keyboard.SaveProfile();
  EXPECT_FALSE(std::filesystem::exists(dataHome / "escape.Json"));
}

TEST_F(KeyboardProfileTest, InitialiseReadsTheKeyboardAndKeepsItsSettings) {
  OpenCable();
  keyboard.Initialise();
  // The simulated keyboard's factory record: mode 1, brightness 24, speed 2, multicolour, red;
  // its last byte (the custom table) is where profile 1's record begins, its mode 1.
  EXPECT_EQ(keyboard.GetLightState(), (LightSettings{1, 24, 2, 0, 1, 255, 0, 0, 0, 1}));
  EXPECT_NE(keyboard.PositionMaps().keyIndex[0], kNoMappedIndex);
  keyboard.SaveProfile();
  const Json::Value saved = profiles::ReadJsonFile(ProfilePath());
  EXPECT_EQ(saved["Device"][0]["LightInfo"]["SelectItem"].asInt(), 1);
  EXPECT_EQ(saved["Device"][0]["LightInfo"]["Light"].asInt(), 24);
  EXPECT_EQ(lighting.words[0] & 0xFF, 1u);
}

TEST_F(KeyboardProfileTest, ResynchroniseReloadsTheListOnlyAfterAListChange) {
  struct CountingPanel : ProfilePanelLink {
    void ReloadProfileList() override { ++reloads; }
    int reloads = 0;
  } panel;
  keyboard.SetProfilePanel(&panel);
  OpenCable();
  ProfileListChangedFlag() = false;
  keyboard.Resynchronise();
  EXPECT_EQ(panel.reloads, 0);
  ProfileListChangedFlag() = true;
  keyboard.Resynchronise();
  EXPECT_EQ(panel.reloads, 1);
  EXPECT_FALSE(ProfileListChangedFlag());
}

TEST_F(KeyboardProfileTest, KeyButtonsShowTheirAssignmentsNames) {
  struct Labels : KeyLabelSource {
    std::vector<std::string> TextKeys(uint8_t type, uint8_t first, uint8_t second) const override {
      if (type == 0) return {"close_text"};
      if (first == 0x01) return {"keyboard_key_LCtrl", "keyboard_key_" + std::to_string(second)};
      return {"keyboard_key_" + std::to_string(second)};
    }
  } labels;
  keyboard.SetKeyLabelSource(&labels);
  std::vector<profiles::KeyAssignEntry> list(21);
  list[0].current = {0, 0x20, 0x00, 0x29};
  list[10].current = {10, 0x20, 0x01, 0x06};
  list[20].current = {20, 0x00, 0x00, 0x00};
  keyboard.SetKeyAssignments(list);
  keyboard.ShowProfile();
  EXPECT_EQ(keys[0]->text, "[keyboard_key_41]");
  EXPECT_EQ(keys[1]->text, "[keyboard_key_LCtrl]+[keyboard_key_6]");
  EXPECT_EQ(keys[2]->text, "[close_text]");
}

TEST_F(KeyboardProfileTest, SelectKeyHandsTheAssignmentToTheKeyPanel) {
  struct Panel : KeyAssignPanelLink {
    void ShowPanel() override { ++shown; }
    void ShowAssignment(uint8_t t, uint8_t f, uint8_t s) override { bytes = {t, f, s}; }
    int shown = 0;
    std::array<uint8_t, 3> bytes{};
  } panel;
  keyboard.SetKeyAssignPanel(&panel);
  std::vector<profiles::KeyAssignEntry> list(3);
  list[2].current = {2, 0x70, 4, 1};
  keyboard.SetKeyAssignments(list);
  keyboard.SelectKey(2);
  EXPECT_EQ(panel.shown, 1);
  EXPECT_EQ(panel.bytes, (std::array<uint8_t, 3>{0x70, 4, 1}));
  keyboard.SelectKey(99);
  EXPECT_EQ(panel.shown, 2);
  EXPECT_EQ(panel.bytes, (std::array<uint8_t, 3>{0x70, 4, 1})) << "no assignment for key 99";
}

TEST_F(KeyboardProfileTest, CustomKeyColourOnlyWhileMode20IsSelected) {
  keyboard.OpenProfileFiles();
  keyboard.SetLightColor(9, 8, 7);
  keyboard.SetLightSettings(5, 0, 0, 0);
  keyboard.SetCustomKeyColor(3);
  EXPECT_NE(LedColor::Unpack(keyboard.GetLedColor(3)).red, 9);
  keyboard.SetLightSettings(20, 0, 0, 0);
  keyboard.SetCustomKeyColor(3);
  EXPECT_EQ(LedColor::Unpack(keyboard.GetLedColor(3)).red, 9);
  keyboard.SetCustomKeyColor(170);  // beyond the LEDs: nothing changes, nothing breaks
  keyboard.SetCustomKeyColor(-1);
  EXPECT_EQ(keyboard.Profile().GetCustomLightColors(0, 170)[3].red, 9);
}

}  // namespace
}  // namespace velmora::devices
