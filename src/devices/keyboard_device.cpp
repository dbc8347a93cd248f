#include "devices/keyboard_device.h"

#include <algorithm>

#include "devices/keyboard_colour_table.h"
#include "devices/keyboard_key_assignments.h"
#include "devices/keyboard_light_audio.h"
#include "devices/keyboard_light_frame.h"
#include "platform/clock.h"
#include "profiles/json_file.h"

namespace velmora::devices {
namespace {

constexpr uint32_t kFailedSendPauseMs = 200;
constexpr int kCustomColourMode = 20;
constexpr int kAudioMode = 29;
constexpr int kSoftwareFrameMode = 30;
constexpr int kAudioStyleWithoutLevels = 2;
constexpr size_t kStatusLinkByte = 3;
constexpr size_t kStatusMessageByte = 4;
constexpr int kFunctionLockKeyButton = 110;

bool IsSoftwareFrameMode(int mode) { return mode == kAudioMode || mode == kSoftwareFrameMode; }

}  // namespace

std::atomic<bool>& ProfileListChangedFlag() {
  static std::atomic<bool> changed{false};
  return changed;
}

COrvaneKeyboardDevice::COrvaneKeyboardDevice() {
  deviceType = kFamilyKeyboard;
  familyIndex = 0;
  deviceFolderName = "keyboard";
  lightConfigName = profiles::kLightConfigName;
  SetKeyCount(kMaxKeyCount);
  SetLedCount(kMaxLedCount);
  profile.SetDefaultPath(DefaultProfilePath());
  profile.SetProfileIndex(0);
  positionMaps.keyIndex.fill(kNoMappedIndex);
  positionMaps.ledIndex.fill(kNoMappedIndex);
}

COrvaneKeyboardDevice::~COrvaneKeyboardDevice() = default;

// ----- Reading the keyboard -----

bool COrvaneKeyboardDevice::ReadKeyboard() {
  if (!ChannelOpen()) return false;
  commandChannel.BeginConfig();
  commandChannel.ReadDeviceInfo(deviceInfo);
  const int keys = deviceInfo.Byte(5);
  if (commandChannel.SetDataSize(static_cast<uint32_t>(keys) * kKeyFunctionSize) !=
      transport::kResultOk) {
    commandChannel.EndConfig();
    return false;
  }
  std::fill(keyMapBlock.begin(), keyMapBlock.end(), 0);
  std::fill(ledMapBlock.begin(), ledMapBlock.end(), 0);
  commandChannel.ReadKeyMap(std::span(keyMapBlock).first(commandChannel.DataSize()));
  commandChannel.ReadLedMap(std::span(ledMapBlock).first(commandChannel.DataSize() / 3));
  commandChannel.EndConfig();
  keyMapRead = true;
  const KeyPositionMaps maps = BuildKeyPositionMaps(keyMapBlock, ledMapBlock, keys);
  {
    // Frames read the LED positions under the frame lock.
    platform::CriticalSectionLock lock(frameLock);
    positionMaps = maps;
  }
  for (size_t position = 0; position < kKeyboardPositionCount; ++position) {
    positionToKeyIndex[static_cast<int>(position)] = positionMaps.keyIndex[position];
    positionToLedIndex[static_cast<int>(position)] = positionMaps.ledIndex[position];
  }
  return true;
}

void COrvaneKeyboardDevice::Initialise() {
  ReadKeyboard();
  ReloadProfile();
  ReadParameterRecord();
  ShowProfile();
  StartLightPacing();
}

void COrvaneKeyboardDevice::Resynchronise() {
  if (ProfileListChangedFlag().exchange(false)) {
    if (profilePanel != nullptr) profilePanel->ReloadProfileList();
    ReloadProfile();
  }
  ReadParameterRecord();
  ShowProfile();
}

// ----- Parameter record -----

int COrvaneKeyboardDevice::ReadParameterRecord() {
  commandChannel.SetLightPaused(false);
  if (!ChannelOpen()) return -1;
  std::array<uint8_t, 1> number{};
  if (commandChannel.ReadParams(number, 0) != transport::kResultOk) return -1;
  const int p = number[0];
  ParameterRecord record{};
  if (commandChannel.ReadParams(record, static_cast<uint16_t>(p * kParameterRecordStride)) !=
      transport::kResultOk) {
    return -1;
  }
  activeProfile = p;
  lastRecord = record;

  LightSettings previous = GetLightState();
  const ParsedParameterRecord parsed = ParseParameterRecord(record, lightModeValues, previous.mode);
  SetLightState(parsed.light);
  if (parsed.light.mode != previous.mode || parsed.light.mode == kCustomColourMode) {
    StartLightMode(parsed.light.mode);
  }
  systemSettings.wFlag = parsed.wFlag;
  systemSettings.sixKey = parsed.sixKey;
  systemSettings.winLock = parsed.winLock;
  SetSystemSettings(systemSettings);
  StoreLightSettingsInDocument();
  return p;
}

int COrvaneKeyboardDevice::WriteParameterRecord(int profileIndex, int value) {
  TakeLightSettingsFromDocument();
  const ParameterRecord record = BuildParameterRecord(static_cast<uint8_t>(value), GetLightState(),
                                                      lightModeValues, systemSettings);
  if (!ChannelOpen()) return transport::kResultNotDone;
  commandChannel.BeginConfig();
  const int result = commandChannel.WriteParams(
      record, static_cast<uint16_t>(std::max(profileIndex, 0) * kParameterRecordStride));
  commandChannel.EndConfig();
  return result;
}

void COrvaneKeyboardDevice::SetSystemSettings(const KeyboardSystemSettings& settings) {
  systemSettings = settings;
  profile.SetSystemStages(profiles::JoinHalves(settings.repeatRate, settings.repeatDelay),
                          profiles::JoinHalves(settings.sixKey, settings.pollingRate),
                          profiles::JoinHalves(settings.wFlag, settings.winLock));
}

// ----- Light modes -----

KeyboardLightFrame COrvaneKeyboardDevice::LightFrame() {
  return KeyboardLightFrame{lightSettings, effectState, ledColors};
}

void COrvaneKeyboardDevice::StartLightMode(int mode) {
  if (mode == kCustomColourMode) WriteCustomColourTable();
  platform::CriticalSectionLock lock(frameLock);
  keyFade.fill(0);
  marquee.fill(0);
  effectState = BaseEffectState{};
  lightEngine.Restart(LightFrame(), static_cast<uint32_t>(mode));
}

void COrvaneKeyboardDevice::StartLightPacing() {
  platform::CriticalSectionLock lock(frameLock);
  lightEngine.StartPacing(static_cast<uint32_t>(platform::TickCountMs()));
}

bool COrvaneKeyboardDevice::RunLightLoop() {
  platform::CriticalSectionLock lock(frameLock);
  const CustomEffectList effects{effectListLock, effectSteps, effectStepCount, effectStepIndex};
  const bool stepped =
      lightEngine.RunLoop(LightFrame(), &effects, static_cast<uint32_t>(platform::TickCountMs()));
  ComposePerLedLayer();
  return stepped;
}

void COrvaneKeyboardDevice::OnKeyEvent(int position, int kind) {
  if (position < 0 || static_cast<size_t>(position) >= kKeyboardPositionCount) return;
  if (positionMaps.keyIndex[position] == kNoMappedIndex) return;
  platform::CriticalSectionLock lock(frameLock);
  lightEngine.OnKeyEvent(lightSettings.mode, static_cast<size_t>(position), kind);
}

int COrvaneKeyboardDevice::WriteCustomColourTable() {
  const LightSettings light = GetLightState();
  const std::vector<profiles::CustomLightColor> stored =
      profile.GetCustomLightColors(light.customTable, kKeyboardPositionCount);
  std::vector<LedColor> colours(stored.size());
  {
    platform::CriticalSectionLock lock(frameLock);
    const uint8_t brightness = BrightnessForLevel(light.brightness);
    for (size_t i = 0; i < stored.size() && i < ledColors.size(); ++i) {
      ledColors[i] = LedColor{stored[i].red, stored[i].green, stored[i].blue, brightness};
      colours[i] = ledColors[i];
    }
  }
  return SendColourTable(BuildCustomColourTable(colours, positionMaps.ledIndex, true),
                         light.customTable);
}

int COrvaneKeyboardDevice::SendColourTable(const ColourTable& table, uint8_t tableIndex) {
  if (!ChannelOpen()) return transport::kResultNotDone;
  const size_t keyBytes = std::min<size_t>(size_t{deviceInfo.Byte(5)} * 3, table.size());
  const int result = commandChannel.WriteColorTable(std::span(table).first(keyBytes), tableIndex,
                                                    kColourTableSize);
  if (result != transport::kResultOk) platform::SleepMs(kFailedSendPauseMs);
  return result;
}

void COrvaneKeyboardDevice::SetCustomKeyColor(int position) {
  const LightSettings light = GetLightState();
  std::vector<LedColor> colours;
  {
    platform::CriticalSectionLock lock(frameLock);
    if (light.mode == kCustomColourMode && position >= 0 && position < ledCount) {
      LedColor& led = ledColors[position];
      led.red = static_cast<uint8_t>(currentColour[0]);
      led.green = static_cast<uint8_t>(currentColour[1]);
      led.blue = static_cast<uint8_t>(currentColour[2]);
    }
    colours = ledColors;
  }
  // The colours are kept in the document too, so a chosen key colour survives a reload.
  std::vector<profiles::CustomLightColor> stored(colours.size());
  for (size_t i = 0; i < colours.size(); ++i) {
    stored[i] = profiles::CustomLightColor{colours[i].red, colours[i].green, colours[i].blue, 255};
  }
  profile.SetCustomLightColors(stored, light.customTable);
  profile.SetKeyList(keyAssignments);
  SaveProfile();
  SendColourTable(BuildCustomColourTable(colours, positionMaps.ledIndex, false), light.customTable);
}

void COrvaneKeyboardDevice::SendLightFrame() {
  if (!IsLightControlEnabled()) return;
  std::vector<uint8_t> frame;
  {
    platform::CriticalSectionLock lock(frameLock);
    PaintLightButtons();
    if (IsReceiverConnection() || !IsSoftwareFrameMode(lightSettings.mode)) return;
    frame.assign(ledColors.size() * 3, 0);
    PackKeyboardFrame(ledColors, positionMaps.ledIndex, frame);
  }
  StreamFrame(frame);
}

// ----- Key assignments -----

void COrvaneKeyboardDevice::SetKeyAssignments(const std::vector<profiles::KeyAssignEntry>& list) {
  keyAssignments = list;
}

int COrvaneKeyboardDevice::WriteKeyAssignments(const std::vector<profiles::KeyAssignEntry>& list) {
  if (!ChannelOpen()) return 0;
  if (commandChannel.ReadDeviceInfo(deviceInfo) != transport::kResultOk) return 0;
  // The copy starts from the key map read from this keyboard; without one (or when the key
  // count changed since) it would overwrite the keyboard's keys with zeros.
  const size_t keyBytes = size_t{deviceInfo.Byte(5)} * kKeyFunctionSize;
  if (!keyMapRead || keyBytes != commandChannel.DataSize()) return 0;
  std::vector<uint8_t> copy(keyMapBlock.begin(), keyMapBlock.begin() + keyBytes);
  const Json::Value config = profiles::ReadJsonFile(MacroConfigPath());
  const Json::Value& macros =
      config.isObject() ? config["MacroInfo"] : Json::Value::nullSingleton();
  const size_t macroCount = macros.isArray() ? macros.size() : 0;
  ApplyKeyAssignments(list, positionMaps.keyIndex, macroCount, copy);
  commandChannel.BeginConfig();
  const int result = commandChannel.WriteKeyMap(copy, 0);
  commandChannel.EndConfig();
  if (result != transport::kResultOk) return 0;
  std::copy(copy.begin(), copy.end(), keyMapBlock.begin());
  return 1;
}

int COrvaneKeyboardDevice::WriteProfileKeyAssignments(int profileIndex) {
  (void)profileIndex;
  const std::vector<profiles::KeyAssignEntry> copy = keyAssignments;
  return WriteKeyAssignments(copy);
}

std::vector<int> COrvaneKeyboardDevice::ListMacroKeys() {
  std::vector<int> used;
  for (const profiles::KeyAssignEntry& entry : keyAssignments) {
    if (!entry.current.IsMacro()) continue;
    const int macro = entry.current.first;
    if (std::find(used.begin(), used.end(), macro) == used.end()) used.push_back(macro);
  }
  return used;
}

void COrvaneKeyboardDevice::PruneMacroAssignments() {
  LoadMacroConfig();
  bool changed = false;
  for (profiles::KeyAssignEntry& entry : keyAssignments) {
    if (entry.current.IsMacro() && entry.current.first >= macroNames.size()) {
      entry.current = entry.factory;
      changed = true;
    }
  }
  if (!changed) return;
  profile.SetKeyList(keyAssignments);
  SaveProfile();
  WriteKeyAssignments(keyAssignments);
}

// ----- Status and notifications -----

int COrvaneKeyboardDevice::IsReceiverLinked() {
  return ChannelOpen() && IsReceiverConnection() && commandChannel.QueryLink() ? 1 : 0;
}

void COrvaneKeyboardDevice::ReadPowerStatus() {
  if (!ChannelOpen() || IsStatusReadSuppressed() || !commandChannel.QueryLink()) return;
  std::array<uint8_t, kStatusSize> status{};
  if (commandChannel.ReadStatus(status, 0) != transport::kResultOk) return;
  status[kStatusLinkByte] = IsReceiverConnection() ? 1 : 0;
  if (powerIndicatorLink != nullptr) powerIndicatorLink->ShowPowerStatus(status);
  if (mainWindow != nullptr) {
    mainWindow->PostDeviceMessage(kPowerStatusMessage, status[kStatusMessageByte], 0);
  }
}

void COrvaneKeyboardDevice::HandleNotificationCode(uint32_t code) {
  const uint32_t high = (code >> 8) & 0xFF;
  if (code <= 0x402 || (high != 0x10 && high != 0x11) || !ChannelOpen()) return;
  activeProfile = static_cast<int>(code & 0x0F);
  if (high == 0x11) lastRecord[kSecondaryProfileByte] = static_cast<uint8_t>((code >> 4) & 0x0F);
  ShowProfile();
}

// ----- Audio -----

void COrvaneKeyboardDevice::FeedAudioSpectrum(const int32_t* values, size_t count) {
  constexpr size_t kMaxValues = 500;
  constexpr uint32_t kPulseLevel = KeyboardLightEngine::kAudioRippleLevel;
  constexpr size_t kAudioPulseKey = 51;
  if (values == nullptr) return;
  count = std::min(count, kMaxValues);
  platform::CriticalSectionLock lock(frameLock);
  audioInput.fill(0);
  std::copy_n(values, std::min(count, audioInput.size()), audioInput.begin());
  lightEngine.SetAudioBands(audioInput);
  if (lightSettings.mode == kAudioMode && audioStyle.load() == kAudioStyleWithoutLevels) return;
  audioLevelTotal += static_cast<uint32_t>(AudioLoudness(audioInput));
  lightEngine.OnAudioLevel(kAudioPulseKey, audioLevelTotal);
  // A total that reached the pulse level has started its ripple and begins again; left to
  // grow, every later block would start another ripple however quiet it was.
  if (audioLevelTotal >= kPulseLevel) audioLevelTotal = 0;
}

void COrvaneKeyboardDevice::SetAudioLightParams(const uint32_t* values, size_t count) {
  if (values == nullptr) return;
  platform::CriticalSectionLock lock(frameLock);
  std::copy_n(values, std::min(count, audioLightParams.size()), audioLightParams.begin());
}

std::array<int32_t, kAudioInputSize> COrvaneKeyboardDevice::AudioInput() const {
  platform::CriticalSectionLock lock(frameLock);
  return audioInput;
}

// ----- Switches and selection -----

void COrvaneKeyboardDevice::SetFunctionSwitch(int state) {
  COrvaneUSBDevice::SetFunctionSwitch(state);
  PageControl* button = GetKeyButton(kFunctionLockKeyButton);
  if (button == nullptr) return;
  if (state == 1) button->SetEnabled(true);
  if (state == 2) button->SetEnabled(false);
}

void COrvaneKeyboardDevice::SelectKey(int index) {
  selectedKey = index;
  if (keyAssignPanel == nullptr) return;
  keyAssignPanel->ShowPanel();
  if (index >= 0 && static_cast<size_t>(index) < keyAssignments.size()) {
    const profiles::KeyAssignment& code = keyAssignments[index].current;
    keyAssignPanel->ShowAssignment(code.type, code.first, code.second);
  }
}

}  // namespace velmora::devices
