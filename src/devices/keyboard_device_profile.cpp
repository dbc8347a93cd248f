// The keyboard's settings document and the data side of its page.
#include <string>

#include "devices/keyboard_device.h"
#include "platform/paths.h"
#include "profiles/json_file.h"

namespace velmora::devices {
namespace {

constexpr int kMaxBrightnessLevel = 24;
constexpr int kMaxSpeedLevel = 4;
constexpr int kOptionCount = 4;
constexpr int kRepeatDelayStepMs = 250;

LightSettings FromRecord(const profiles::LightInfoRecord& r) {
  return LightSettings{r.selectItem, r.light, r.speed, r.fx,          r.multiColor,
                       r.red,        r.green, r.blue,  r.zzccLedMode, r.customGroup};
}

profiles::LightInfoRecord ToRecord(const LightSettings& s, uint8_t savedMode) {
  profiles::LightInfoRecord r;
  r.selectItem = s.mode;
  r.light = s.brightness;
  r.speed = s.speed;
  r.fx = s.direction;
  r.multiColor = s.multiColour ? 1 : 0;
  r.red = s.red;
  r.green = s.green;
  r.blue = s.blue;
  r.zzccLedMode = s.modeParameter;
  r.customGroup = s.customTable;
  r.oldLedMode = savedMode;
  return r;
}

// Option indices outside 0-3 show as 0.
int OptionIndex(uint16_t value) { return value < kOptionCount ? value : 0; }

}  // namespace

// ----- Page -----

void COrvaneKeyboardDevice::BindPageControls() { BuildPage(); }

void COrvaneKeyboardDevice::BuildPage() {
  if (page == nullptr) return;
  keyPicture = FindChildByName(*page, "keyboard_device_key_light");
  if (keyPicture != nullptr) BindKeyButtons(*keyPicture);
}

int COrvaneKeyboardDevice::RefreshPage() {
  ShowKeyLabels();
  return 1;
}

PageControl* COrvaneKeyboardDevice::PageChild(const std::string& name) const {
  return page != nullptr ? FindChildByName(*page, name) : nullptr;
}

std::string COrvaneKeyboardDevice::LanguageText(const std::string& key) const {
  return languageTexts != nullptr ? languageTexts->Text(key) : key;
}

void COrvaneKeyboardDevice::ShowKeyLabels() {
  if (keyLabels == nullptr) return;
  for (size_t i = 0; i < keyAssignments.size() && i < keyButtons.size(); ++i) {
    PageControl* button = keyButtons[i];
    if (button == nullptr) continue;
    const profiles::KeyAssignment& code = keyAssignments[i].current;
    std::string label;
    for (const std::string& key : keyLabels->TextKeys(code.type, code.first, code.second)) {
      if (!label.empty()) label += "+";
      label += LanguageText(key);
    }
    button->SetText(label);
  }
}

void COrvaneKeyboardDevice::ShowSystemSettings() {
  const auto check = [&](const std::string& name, bool on) {
    if (PageControl* c = PageChild(name)) c->SetCheck(on);
  };
  check("winlockflag_option", systemSettings.winLock != 0);
  check("wflag_option", systemSettings.wFlag != 0);
  check("6flag_option", systemSettings.sixKey != 0);
  if (PageControl* slider = PageChild("repeat_rate_slider")) {
    slider->SetValue(systemSettings.repeatRate);
  }
  const int delay = OptionIndex(systemSettings.repeatDelay);
  const int polling = OptionIndex(systemSettings.pollingRate);
  for (int i = 0; i < kOptionCount; ++i) {
    check("repeat_delay_check_" + std::to_string(i), i == delay);
    check("polling_rate_option_" + std::to_string(i), i == polling);
  }
  if (PageControl* edit = PageChild("repeat_input_richedit")) {
    edit->SetToolTip(LanguageText("Repeat_input_text"));
  }
  if (PageControl* label = PageChild("repeat_delay_time_label1")) {
    label->SetText(LanguageText("Repeat_Delay_Time") +
                   std::to_string(delay * kRepeatDelayStepMs + kRepeatDelayStepMs) + "ms");
  }
}

void COrvaneKeyboardDevice::ShowProfile() {
  LoadMacroConfig();
  ShowKeyLabels();
  const LightSettings light = GetLightState();
  const profiles::LightInfoRecord record =
      ToRecord(light, static_cast<uint8_t>(GetLightSettings().lastWord >> 8));
  if (lightingPanel != nullptr) {
    lightingPanel->ShowLightInfo(record.Word1(), record.Word2(), record.Word3());
    lightingPanel->SetColour(static_cast<uint8_t>(currentColour[0]),
                             static_cast<uint8_t>(currentColour[1]),
                             static_cast<uint8_t>(currentColour[2]));
    lightingPanel->SetCustomMode(light.customTable);
  }
  ShowSystemSettings();
}

// ----- Documents -----

std::string COrvaneKeyboardDevice::MacroConfigPath() const {
  return UserDataFolder() + "macro.config";
}

void COrvaneKeyboardDevice::OpenProfileFiles() {
  // A settings name that is not a plain file name could point outside the data folder.
  if (!platform::IsPlainFileName(settingsName + ".Json")) return;
  const std::string folder = UserDataFolder();
  profile.SetProfilePath(folder + settingsName + ".Json");
  profile.SetConfigPath(folder + lightConfigName + profiles::kLightConfigExtension);
}

std::string COrvaneKeyboardDevice::GetProfileName() { return settingsName; }

void COrvaneKeyboardDevice::SaveProfile() {
  if (!profile.GetProfilePath().empty()) profile.SaveCurrentEntry();
}

void COrvaneKeyboardDevice::SetFamilyIndex(int index) { familyIndex = index; }

void COrvaneKeyboardDevice::TakeCurrentColourFromDocument() {
  const profiles::LightInfoRecord record = profile.GetLightInfo();
  currentColour = {record.red, record.green, record.blue};
}

void COrvaneKeyboardDevice::TakeLightSettingsFromDocument() {
  const profiles::LightInfoRecord record = profile.GetLightInfo();
  SetLightState(FromRecord(record));
  COrvaneUSBDevice::SetLightSettings(record.Word1(), record.Word2(), record.Word3(),
                                     record.Half4());
  const profiles::StageWords stages = profile.GetSystemStages();
  systemSettings = KeyboardSystemSettings{
      profiles::LowHalf(stages[0]),  profiles::HighHalf(stages[0]), profiles::LowHalf(stages[1]),
      profiles::HighHalf(stages[1]), profiles::LowHalf(stages[2]),  profiles::HighHalf(stages[2])};
}

void COrvaneKeyboardDevice::StoreLightSettingsInDocument() {
  const uint8_t savedMode = static_cast<uint8_t>(GetLightSettings().lastWord >> 8);
  const profiles::LightInfoRecord record = ToRecord(GetLightState(), savedMode);
  profile.SetLightInfo(record.Word1(), record.Word2(), record.Word3(), record.Half4());
  COrvaneUSBDevice::SetLightSettings(record.Word1(), record.Word2(), record.Word3(),
                                     record.Half4());
}

int COrvaneKeyboardDevice::ReloadProfile() {
  OpenProfileFiles();
  profile.ReadEntry(profile.GetProfilePath());
  profile.LoadLightConfig(profile.GetConfigPath());
  keyAssignments = profile.GetKeyList();
  TakeLightSettingsFromDocument();
  SetLightList(profile.GetLightList());
  SetLightEffects(profile.GetLightEffects());
  const profiles::AudioLightRecord audio = profile.GetAudioLight();
  audioStyle = audio.audioMode;
  {
    platform::CriticalSectionLock lock(frameLock);
    lightEngine.SetAudioStyle(audio);
  }
  RefreshPage();
  TakeCurrentColourFromDocument();
  return 1;
}

void COrvaneKeyboardDevice::LoadProfile() {
  OpenProfileFiles();
  profile.ReadEntry(DefaultProfilePath());
  keyAssignments = profile.GetKeyList();
  TakeLightSettingsFromDocument();
  RefreshPage();
  TakeCurrentColourFromDocument();
  SaveProfile();
  ShowProfile();
}

void COrvaneKeyboardDevice::LoadMacroConfig() {
  const Json::Value macroConfig = profiles::ReadJsonFile(MacroConfigPath());
  macroList = macroConfig.isObject() ? macroConfig["MacroInfo"] : Json::Value();
  macroNames.clear();
  if (macroList.isArray()) {
    for (const Json::Value& macro : macroList) {
      const Json::Value& name =
          macro.isObject() ? macro["MacroName"] : Json::Value::nullSingleton();
      macroNames.push_back(name.isString() ? name.asString() : std::string());
    }
  }
  const Json::Value names =
      profiles::ReadJsonFile(DefaultDataFolder() + profiles::kDefaultLightFileName);
  lightModes = profiles::ReadDefaultLightNames(names, profiles::kLightKindKeyboard);
  lightModeValues = profiles::LightModeValues(lightModes);
  areaLightNames = profiles::ReadAreaLightNames(names, profiles::kLightKindKeyboard);
  const Json::Value config =
      profiles::ReadJsonFile(UserDataFolder() + lightConfigName + profiles::kLightConfigExtension);
  customLightNames = profiles::ReadCustomLightNames(config, profiles::kLightKindKeyboard);

  if (macroPanel != nullptr) macroPanel->SetMacroNames(macroNames);
  if (lightingPanel != nullptr) {
    std::vector<std::string> modeNames;
    std::vector<bool> visible;
    for (const profiles::LightModeName& mode : lightModes) {
      modeNames.push_back(mode.name);
      visible.push_back(mode.visible);
    }
    lightingPanel->InitLightModes(modeNames, visible, kMaxBrightnessLevel, kMaxSpeedLevel);
  }
}

// ----- Light settings and colour -----

void COrvaneKeyboardDevice::SetLightSettings(uint32_t word1, uint32_t word2, uint32_t value,
                                             uint16_t lastWord) {
  COrvaneUSBDevice::SetLightSettings(word1, word2, value, lastWord);
  profile.SetLightInfo(word1, word2, value, lastWord);
  const profiles::LightInfoRecord record =
      profiles::LightInfoRecord::FromWords(word1, word2, value, lastWord);
  const int previousMode = GetLightState().mode;
  SetLightState(FromRecord(record));
  if (record.selectItem != previousMode || record.selectItem == 20) {
    StartLightMode(record.selectItem);
  }
}

void COrvaneKeyboardDevice::SetLightColor(int red, int green, int blue) {
  COrvaneUSBDevice::SetLightColor(red, green, blue);
  profiles::LightInfoRecord record = profile.GetLightInfo();
  record.red = static_cast<uint8_t>(red);
  record.green = static_cast<uint8_t>(green);
  record.blue = static_cast<uint8_t>(blue);
  profile.SetLightInfo(record.Word1(), record.Word2(), record.Word3(), record.Half4());
}

void COrvaneKeyboardDevice::GetLightColor() { COrvaneUSBDevice::GetLightColor(); }

}  // namespace velmora::devices
