#pragma once

#include <json/json.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "devices/device_links.h"
#include "devices/device_page.h"
#include "devices/light_effects.h"
#include "devices/light_state.h"
#include "devices/light_tables.h"
#include "devices/per_led_layer.h"
#include "devices/supported_interfaces.h"
#include "platform/critical_section.h"
#include "profiles/key_assign_entry.h"
#include "profiles/light_records.h"
#include "transport/device_channel.h"
#include "transport/device_info_record.h"

namespace velmora::devices {

inline constexpr int kMaxKeyCount = 170;
inline constexpr int kMaxLedCount = 170;
// Key-press fade entries are addressed by key index 1-170.
inline constexpr size_t kFadeEntryCount = 171;
inline constexpr size_t kMarqueeSize = 23;
// The first 25 spectrum values (100 bytes) are kept.
inline constexpr size_t kAudioInputSize = 25;
inline constexpr size_t kAudioLightParamCount = 6;

// The base of every device family: identity, command and notification channels, light state
// and software light effects, key buttons and LEDs, and the folders of the device's data.
//
// Locks: frameLock guards the light state shared by the light thread, the frame timer and the
// UI (LED colour array, light settings, effect phases, per-LED layer, fade and marquee
// arrays); effectListLock guards the custom light effect step list and its indices. Flags read
// by other threads are atomic.
class COrvaneUSBDevice {
 public:
  COrvaneUSBDevice();
  virtual ~COrvaneUSBDevice();
  COrvaneUSBDevice(const COrvaneUSBDevice&) = delete;
  COrvaneUSBDevice& operator=(const COrvaneUSBDevice&) = delete;

  // The control-type name the toolkit's class query answers.
  virtual std::string GetClass() const { return "OrvaneUSBDevice"; }

  // ----- Virtual operations, in slot order -----
  virtual void BindPageControls();                                                     // 139
  virtual int RefreshPage() { return 0; }                                              // 140
  virtual void EffectBreathing();                                                      // 141
  virtual void EffectBreathingPalette();                                               // 142
  virtual void EffectStatic();                                                         // 143
  virtual void EffectSpectrum();                                                       // 144
  virtual void EffectFlash();                                                          // 145
  virtual void EffectFlashPalette();                                                   // 146
  virtual void EffectOff();                                                            // 147
  virtual void SendLightFrame();                                                       // 148
  virtual void SetLedColor(int index, uint32_t packed);                                // 149
  virtual uint32_t GetLedColor(int index) const;                                       // 150
  virtual void Initialise() {}                                                         // 151
  virtual void Resynchronise() {}                                                      // 152
  virtual void ReadPowerStatus() {}                                                    // 155
  virtual int IsReceiverLinked() { return 1; }                                         // 156
  virtual int ReloadProfile() { return 0; }                                            // 157
  virtual void ShowProfile() {}                                                        // 158
  virtual void PruneMacroAssignments() {}                                              // 159
  virtual void LoadProfile() {}                                                        // 160
  virtual std::vector<int> ListMacroKeys() { return {}; }                              // 161
  virtual int WriteKeyAssignments(const std::vector<profiles::KeyAssignEntry>& list);  // 162
  virtual int WriteProfileKeyAssignments(int profileIndex);                            // 163
  // Macro indices ("MacroInfo" places of "macro.config") in device order.
  virtual int UploadMacros(const std::vector<int>& macroIndices);          // 164
  virtual int WriteParameterRecord(int profileIndex, int value);           // 165
  virtual void LoadMacroConfig() {}                                        // 166
  virtual void SetKeyValueMap(const std::map<int, int>& map);              // 167
  virtual uint8_t FadeKey(int keyIndex, int mode);                         // 168
  virtual void MarkPressedKeys();                                          // 169
  virtual void RotateMarquee(int direction);                               // 170
  virtual void ClearKeyEffects();                                          // 171
  virtual void SetFunctionSwitch(int state);                               // 172
  virtual int GetFunctionSwitch() const { return functionSwitch.load(); }  // 173
  virtual void OpenProfileFiles() {}                                       // 174
  virtual std::string GetProfileName() { return {}; }                      // 175
  virtual void SaveProfile() {}                                            // 176
  virtual void SetFamilyIndex(int index) { familyIndex = index; }          // 177
  virtual int GetFamilyIndex() const { return familyIndex; }               // 178
  virtual void SetLightSettings(uint32_t word1, uint32_t word2, uint32_t value,
                                uint16_t lastWord);           // 179
  virtual void SetLightColor(int red, int green, int blue);   // 180
  virtual void GetLightColor();                               // 181
  virtual void SelectKey(int index) { selectedKey = index; }  // 182
  // Spectrum values of the capture program (band levels first).
  virtual void FeedAudioSpectrum(const int32_t* values, size_t count) {  // 183
    (void)values;
    (void)count;
  }
  virtual void SetAudioLightParams(const uint32_t* values, size_t count) {  // 184
    (void)values;
    (void)count;
  }
  virtual void BuildPage() {}  // 185
  // The four values of SetLightSettings (shared by all families).
  virtual PackedLightSettings GetLightSettings() const;  // 186

  // ----- Non-virtual operations -----
  void SetKeyCount(int n);
  void SetLedCount(int n);
  int GetKeyCount() const { return keyCount; }
  int GetLedCount() const { return ledCount; }
  void SetIdentity(const DeviceInterfaceEntry& row);
  const DeviceInterfaceEntry& GetIdentity() const { return interfaceRow; }

  void SetSettingsName(const std::string& name) { settingsName = name; }
  void SetLightConfigName(const std::string& name) { lightConfigName = name; }
  void SetDeviceFolderName(const std::string& name) { deviceFolderName = name; }
  const std::string& GetSettingsName() const { return settingsName; }
  const std::string& GetDeviceFolderName() const { return deviceFolderName; }
  void SetLayoutPath(const std::string& path) { layoutPath = path; }
  void SetMainWindow(MainWindowLink* window) { mainWindow = window; }
  void SetPageRowIndex(int index) { pageRowIndex = index; }
  int GetPageRowIndex() const { return pageRowIndex; }
  void SetSelectorEntry(SelectorEntryLink* entry) { selectorEntry = entry; }
  // The device's page root; the page outlives the device's use of it.
  void SetPage(PageControl* root) { page = root; }
  PageControl* GetPage() const { return page; }
  void SetLightingPanel(LightingPanelLink* panel) { lightingPanel = panel; }
  void SetLanguageTexts(const LanguageTexts* texts) { languageTexts = texts; }
  // The power indicator control: its "device_power_Layout" child is shown or hidden by the
  // power indicator shown flag.
  void SetPowerIndicator(PageControl* control, PowerIndicatorLink* link);
  void SetPowerIndicatorShown(bool shown);
  // Takes effect only while the power indicator is shown.
  void SetStatusReadSuppressed(bool suppressed);
  bool IsStatusReadSuppressed() const { return statusReadSuppressed.load(); }

  void SetLightControl(bool on);
  bool IsLightControlEnabled() const { return lightControlEnabled.load(); }
  int GetDeviceType() const { return deviceType.load(); }
  bool IsReceiverConnection() const { return receiverFlag.load() != 0; }
  // 1 while the device is reached through its receiver, 0 on its cable.
  void SetReceiverFlag(bool throughReceiver);

  // Folders: "<program>/DefaultData/", "<data home>/VELMORA Q7 PRO/<device folder>/" (both
  // created when missing) and the default document "<default data>/<device folder>.Json".
  std::string DefaultDataFolder() const;
  std::string UserDataFolder() const;
  std::string DefaultProfilePath() const;

  transport::CDeviceChannel& Channel() { return commandChannel; }
  transport::CDeviceChannel& NotificationChannel() { return notificationChannel; }

  // Light state access for the UI and tests (each takes the frame lock).
  LightSettings GetLightState() const;
  void SetLightState(const LightSettings& settings);
  // Replaces the per-LED entries from a "LightList" and resets the layer.
  void SetLightList(const std::vector<profiles::LightListEntry>& list);
  // Replaces the custom light effect step list and restarts it at step 0.
  void SetLightEffects(const std::vector<profiles::LightEffectEntry>& steps);
  // Runs the per-LED effect layer once over every LED (the light thread calls it after each
  // step, under the frame lock).
  void ComposePerLedLayer();
  uint8_t GetFadeEntry(int keyIndex) const;
  void SetFadeEntry(int keyIndex, uint8_t value);
  PageControl* GetKeyButton(int index) const;
  PageControl* GetLightButton(int index) const;

  platform::CriticalSection& FrameLock() const { return frameLock; }
  platform::CriticalSection& EffectListLock() const { return effectListLock; }

 protected:
  // Binds the "DeviceKeyButton" children of container as key_<n> and light_<n> buttons.
  void BindKeyButtons(const PageControl& container);
  // Paints light button i with its LED colour when it exists and is visible.
  void PaintLightButtons();
  // The frame bytes: red, green and blue of each LED, each scaled by its brightness.
  static void ScaleIntoFrame(const LedColor& led, uint8_t* out);
  // Sends a frame with StreamLightFrame; sleeps 200 ms when it is not accepted.
  void StreamFrame(const std::vector<uint8_t>& frame);

  // ----- Fields -----
  transport::CDeviceChannel commandChannel;
  std::atomic<int> receiverFlag{0};
  // Holds the wired and receiver notification interfaces: its open flag says the wired one is
  // open, its wireless flag the receiver one; its exchange lock guards opening and closing the
  // wired one, its second lock the receiver one.
  transport::CDeviceChannel notificationChannel;
  transport::DeviceInfoRecord deviceInfo;

  // Companion controls of the page.
  LightingPanelLink* lightingPanel = nullptr;
  ProfilePanelLink* profilePanel = nullptr;
  PageControl* keyButtonPanel = nullptr;  // the child of class "SelectPanel"
  SelectorEntryLink* selectorEntry = nullptr;
  PageControl* powerIndicator = nullptr;
  PowerIndicatorLink* powerIndicatorLink = nullptr;
  PageControl* functionSwitchControl = nullptr;     // "device_function_switch"
  PageControl* keyFunctionSwitchControl = nullptr;  // "device_key_function_switch"
  PageControl* page = nullptr;
  const LanguageTexts* languageTexts = nullptr;

  std::string layoutPath;
  MainWindowLink* mainWindow = nullptr;
  std::string settingsName;
  std::string lightConfigName;
  std::string deviceFolderName;

  std::atomic<int> deviceType{0};
  int interfaceKind = 0;
  int keyCount = 0;
  int ledCount = 0;
  int pageRowIndex = -1;
  int selectedKey = -1;
  std::atomic<int> functionSwitch{1};

  std::vector<PageControl*> keyButtons;
  std::vector<PageControl*> lightButtons;
  // Key position (0-169) -> key index, LED index, and a third per-key value.
  std::map<int, int> positionToKeyIndex;
  std::map<int, int> positionToLedIndex;
  std::map<int, int> positionToKeyValue;

  // Guarded by frameLock.
  std::vector<LedColor> ledColors;
  LightSettings lightSettings;
  PackedLightSettings packedLightSettings;

  std::array<Json::Value, 3> workingDocuments;

  mutable platform::CriticalSection effectListLock;
  mutable platform::CriticalSection frameLock;

  // Guarded by effectListLock.
  std::vector<profiles::LightEffectEntry> effectSteps;
  size_t effectStepCount = 0;
  size_t effectStepIndex = 0;

  // Guarded by frameLock.
  std::vector<profiles::LightListEntry> perLedEntries;
  PerLedLayer perLedLayer;

  std::atomic<int> lightControlEnabled{1};
  std::atomic<int> secondEnable{1};

  // Guarded by frameLock.
  // Effect phase, colour index, blink state and last blink time of the base effects.
  BaseEffectState effectState;

  std::atomic<int> powerIndicatorShown{0};
  std::atomic<int> statusReadSuppressed{0};

  DeviceInterfaceEntry interfaceRow;
  int familyIndex = 0;
  // Mirrored from the lighting panel.
  std::array<uint32_t, 3> currentColour{};

  // Guarded by frameLock.
  std::array<uint8_t, kFadeEntryCount> keyFade{};
  std::array<uint8_t, kMarqueeSize> pressedKeyMarks{};
  std::array<uint8_t, kMarqueeSize> marquee{};

  std::array<int32_t, kAudioInputSize> audioInput{};
  std::array<uint32_t, kAudioLightParamCount> audioLightParams{};
};

}  // namespace velmora::devices
