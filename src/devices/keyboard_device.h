#pragma once

#include <json/json.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "devices/keyboard_colour_table.h"
#include "devices/keyboard_key_maps.h"
#include "devices/keyboard_light_engine.h"
#include "devices/keyboard_parameter_record.h"
#include "devices/usb_device.h"
#include "profiles/keyboard_profiledata.h"
#include "profiles/light_name_lists.h"

namespace velmora::devices {

// Main window message carrying the keyboard's status byte 4.
inline constexpr uint32_t kPowerStatusMessage = 3329;
inline constexpr size_t kStatusSize = 6;

// Set by a notification thread on code 0x402 and taken by the next Resynchronise.
std::atomic<bool>& ProfileListChangedFlag();

// The keyboard family: reads and writes the keyboard's key map, LED map, parameter records and
// per-key colour tables, keeps them in step with its settings document, and drives its light
// modes (its KeyboardLightEngine).
class COrvaneKeyboardDevice : public COrvaneUSBDevice {
 public:
  COrvaneKeyboardDevice();
  ~COrvaneKeyboardDevice() override;

  std::string GetClass() const override { return "OrvaneKeyboardDevice"; }

  void BindPageControls() override;
  int RefreshPage() override;
  void SendLightFrame() override;
  void Initialise() override;
  void Resynchronise() override;
  void ReadPowerStatus() override;
  int IsReceiverLinked() override;
  int ReloadProfile() override;
  void ShowProfile() override;
  void PruneMacroAssignments() override;
  void LoadProfile() override;
  std::vector<int> ListMacroKeys() override;
  int WriteKeyAssignments(const std::vector<profiles::KeyAssignEntry>& list) override;
  int WriteProfileKeyAssignments(int profileIndex) override;
  int WriteParameterRecord(int profileIndex, int value) override;
  void LoadMacroConfig() override;
  void SetFunctionSwitch(int state) override;
  void OpenProfileFiles() override;
  std::string GetProfileName() override;
  void SaveProfile() override;
  void SetFamilyIndex(int index) override;
  void SetLightSettings(uint32_t word1, uint32_t word2, uint32_t value, uint16_t lastWord) override;
  void SetLightColor(int red, int green, int blue) override;
  void GetLightColor() override;
  void SelectKey(int index) override;
  void FeedAudioSpectrum(const int32_t* values, size_t count) override;
  void SetAudioLightParams(const uint32_t* values, size_t count) override;
  void BuildPage() override;

  // Reads the device information, key map and LED map and builds the position maps. False
  // when the channel is closed or the key count does not fit the key map block.
  bool ReadKeyboard();
  // Reads the active profile number and its parameter record and applies it; returns the
  // profile number, or -1 when nothing was read.
  int ReadParameterRecord();
  // Gives a position the current user colour while mode 20 is selected, saves and sends the
  // custom colour table (slot 238).
  void SetCustomKeyColor(int position);
  // Sends the mode 20 table: the document's custom colours, scaled by brightness.
  int WriteCustomColourTable();
  // A notification code above 0x402: a profile change made on the keyboard. Runs on the UI
  // thread, to which the notification thread hands the code.
  void HandleNotificationCode(uint32_t code);

  // The light thread starts: the light modes note the clock.
  void StartLightPacing();
  // One loop of the light thread: the light mode's step when due, then the per-LED layer.
  // Takes the frame lock (and, inside it, the effect-list lock). True when a step ran.
  bool RunLightLoop();
  // A key event from the input hook (slot 191): key position, kind 1 press or 2 release.
  // Positions without a key on this keyboard are ignored.
  void OnKeyEvent(int position, int kind);
  // The light modes' own buffers (for the page and tests); read under FrameLock().
  const KeyboardLightEngine& LightEngine() const { return lightEngine; }
  void SetProfilePanel(ProfilePanelLink* panel) { profilePanel = panel; }
  void SetKeyAssignPanel(KeyAssignPanelLink* panel) { keyAssignPanel = panel; }
  void SetMacroPanel(MacroPanelLink* panel) { macroPanel = panel; }
  void SetKeyLabelSource(const KeyLabelSource* source) { keyLabels = source; }

  profiles::CKeyboardProfiledata& Profile() { return profile; }
  const KeyPositionMaps& PositionMaps() const { return positionMaps; }
  const std::vector<uint8_t>& KeyMapBlock() const { return keyMapBlock; }
  const ParameterRecord& LastParameterRecord() const { return lastRecord; }
  int GetActiveProfile() const { return activeProfile.load(); }
  KeyboardSystemSettings GetSystemSettings() const { return systemSettings; }
  void SetSystemSettings(const KeyboardSystemSettings& settings);
  const std::vector<profiles::KeyAssignEntry>& KeyAssignments() const { return keyAssignments; }
  void SetKeyAssignments(const std::vector<profiles::KeyAssignEntry>& list);
  const std::vector<int32_t>& LightModeValues() const { return lightModeValues; }
  const std::vector<std::string>& MacroNames() const { return macroNames; }
  std::array<int32_t, kAudioInputSize> AudioInput() const;

 protected:
  // The light settings as the document's "LightInfo" words.
  void StoreLightSettingsInDocument();
  void TakeLightSettingsFromDocument();
  void TakeCurrentColourFromDocument();
  void StartLightMode(int mode);
  void ShowSystemSettings();
  void ShowKeyLabels();
  std::string LanguageText(const std::string& key) const;
  // Sends the first K x 3 bytes of a colour table; pauses 200 ms when it is refused.
  int SendColourTable(const ColourTable& table, uint8_t tableIndex);
  PageControl* PageChild(const std::string& name) const;
  bool ChannelOpen() { return commandChannel.IsOpen(); }
  std::string MacroConfigPath() const;

  std::vector<profiles::KeyAssignEntry> keyAssignments;
  Json::Value macroList;
  KeyboardSystemSettings systemSettings;
  profiles::CKeyboardProfiledata profile;
  std::vector<uint8_t> keyMapBlock = std::vector<uint8_t>(kKeyBlockSize, 0);
  std::vector<uint8_t> ledMapBlock = std::vector<uint8_t>(kKeyBlockSize, 0);
  bool keyMapRead = false;
  ParameterRecord lastRecord{};
  std::atomic<int> activeProfile{0};
  KeyPositionMaps positionMaps{};

  // Name lists of LoadMacroConfig.
  std::vector<std::string> macroNames;
  std::vector<profiles::LightModeName> lightModes;
  std::vector<int32_t> lightModeValues;
  std::vector<std::string> areaLightNames;
  std::vector<std::string> customLightNames;

  // Guarded by frameLock.
  KeyboardLightEngine lightEngine;
  KeyAssignPanelLink* keyAssignPanel = nullptr;
  MacroPanelLink* macroPanel = nullptr;
  const KeyLabelSource* keyLabels = nullptr;
  PageControl* keyPicture = nullptr;  // "keyboard_device_key_light"

  // Audio: the running level total of FeedAudioSpectrum (guarded by frameLock) and the audio
  // light style of the document.
  uint32_t audioLevelTotal = 0;
  std::atomic<int> audioStyle{0};

 private:
  KeyboardLightFrame LightFrame();
};

}  // namespace velmora::devices
