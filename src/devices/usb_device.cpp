#include "devices/usb_device.h"

#include <algorithm>

#include "devices/function_switch.h"
#include "devices/key_fade.h"
#include "platform/clock.h"
#include "platform/paths.h"

namespace velmora::devices {
namespace {

constexpr uint32_t kFailedFramePauseMs = 200;
constexpr int kDeviceTypeKeyboard = 1;

uint32_t NowMs32() { return static_cast<uint32_t>(platform::TickCountMs()); }

bool InRange(int index, size_t size) { return index >= 0 && static_cast<size_t>(index) < size; }

}  // namespace

COrvaneUSBDevice::COrvaneUSBDevice() = default;

COrvaneUSBDevice::~COrvaneUSBDevice() = default;

// ----- Page binding -----

void COrvaneUSBDevice::BindPageControls() {
  if (layoutPath.empty()) {
    SetKeyCount(0);
    SetLedCount(0);
    keyButtons.clear();
    lightButtons.clear();
    return;
  }
  if (page == nullptr) return;
  keyButtonPanel = FindChildByClass(*page, "SelectPanel");
  if (keyButtonPanel != nullptr) BindKeyButtons(*keyButtonPanel);
}

void COrvaneUSBDevice::BindKeyButtons(const PageControl& container) {
  for (PageControl* button : container.GetChildren()) {
    if (button == nullptr || button->GetClass() != "DeviceKeyButton") continue;
    const std::string name = button->GetName();
    const int key = ParseIndexedName(name, "key_");
    if (InRange(key, keyButtons.size())) keyButtons[key] = button;
    const int light = ParseIndexedName(name, "light_");
    if (InRange(light, lightButtons.size())) {
      lightButtons[light] = button;
      button->SetBkColor(MakeArgb(255, 255, 255, 255));
    }
  }
}

PageControl* COrvaneUSBDevice::GetKeyButton(int index) const {
  return InRange(index, keyButtons.size()) ? keyButtons[index] : nullptr;
}

PageControl* COrvaneUSBDevice::GetLightButton(int index) const {
  return InRange(index, lightButtons.size()) ? lightButtons[index] : nullptr;
}

// ----- Base effects -----

void COrvaneUSBDevice::EffectBreathing() {
  platform::CriticalSectionLock lock(frameLock);
  StepBreathing(effectState, lightSettings, ledColors);
}

void COrvaneUSBDevice::EffectBreathingPalette() {
  platform::CriticalSectionLock lock(frameLock);
  StepBreathingPalette(effectState, lightSettings, ledColors);
}

void COrvaneUSBDevice::EffectStatic() {
  platform::CriticalSectionLock lock(frameLock);
  StepStatic(lightSettings, ledColors);
}

void COrvaneUSBDevice::EffectSpectrum() {
  platform::CriticalSectionLock lock(frameLock);
  StepSpectrum(effectState, lightSettings, ledColors);
}

void COrvaneUSBDevice::EffectFlash() {
  platform::CriticalSectionLock lock(frameLock);
  StepFlash(effectState, lightSettings, NowMs32(), ledColors);
}

void COrvaneUSBDevice::EffectFlashPalette() {
  platform::CriticalSectionLock lock(frameLock);
  StepFlashPalette(effectState, lightSettings, NowMs32(), ledColors);
}

void COrvaneUSBDevice::EffectOff() {
  platform::CriticalSectionLock lock(frameLock);
  StepOff(ledColors);
}

// ----- Frames -----

void COrvaneUSBDevice::ScaleIntoFrame(const LedColor& led, uint8_t* out) {
  out[0] = ScaleByBrightness(led.red, led.brightness);
  out[1] = ScaleByBrightness(led.green, led.brightness);
  out[2] = ScaleByBrightness(led.blue, led.brightness);
}

void COrvaneUSBDevice::PaintLightButtons() {
  for (size_t i = 0; i < ledColors.size() && i < lightButtons.size(); ++i) {
    PageControl* button = lightButtons[i];
    if (button == nullptr || !button->IsVisible()) continue;
    const LedColor& led = ledColors[i];
    button->SetBkColor(MakeArgb(led.brightness, led.red, led.green, led.blue));
  }
}

void COrvaneUSBDevice::SendLightFrame() {
  if (!IsLightControlEnabled()) return;
  std::vector<uint8_t> frame;
  {
    platform::CriticalSectionLock lock(frameLock);
    PaintLightButtons();
    frame.resize(ledColors.size() * 3);
    for (size_t i = 0; i < ledColors.size(); ++i) ScaleIntoFrame(ledColors[i], &frame[3 * i]);
  }
  if (!IsReceiverConnection()) StreamFrame(frame);
}

void COrvaneUSBDevice::StreamFrame(const std::vector<uint8_t>& frame) {
  if (commandChannel.StreamLightFrame(frame) != transport::kResultOk) {
    platform::SleepMs(kFailedFramePauseMs);
  }
}

// ----- LED entries -----

void COrvaneUSBDevice::SetLedColor(int index, uint32_t packed) {
  platform::CriticalSectionLock lock(frameLock);
  if (InRange(index, ledColors.size())) ledColors[index] = LedColor::Unpack(packed);
}

uint32_t COrvaneUSBDevice::GetLedColor(int index) const {
  platform::CriticalSectionLock lock(frameLock);
  return InRange(index, ledColors.size()) ? ledColors[index].Pack() : 0;
}

LightSettings COrvaneUSBDevice::GetLightState() const {
  platform::CriticalSectionLock lock(frameLock);
  return lightSettings;
}

void COrvaneUSBDevice::SetLightState(const LightSettings& settings) {
  platform::CriticalSectionLock lock(frameLock);
  lightSettings = settings;
}

void COrvaneUSBDevice::SetLightList(const std::vector<profiles::LightListEntry>& list) {
  platform::CriticalSectionLock lock(frameLock);
  std::fill(perLedEntries.begin(), perLedEntries.end(), profiles::LightListEntry{});
  std::copy_n(list.begin(), std::min(list.size(), perLedEntries.size()), perLedEntries.begin());
  perLedLayer.Reset(perLedEntries);
}

void COrvaneUSBDevice::ComposePerLedLayer() {
  platform::CriticalSectionLock lock(frameLock);
  perLedLayer.Compose(perLedEntries, NowMs32(), ledColors);
}

void COrvaneUSBDevice::SetLightEffects(const std::vector<profiles::LightEffectEntry>& steps) {
  platform::CriticalSectionLock lock(effectListLock);
  effectSteps = steps;
  effectStepCount = steps.size();
  effectStepIndex = 0;
}

// ----- Sizes and identity -----

void COrvaneUSBDevice::SetKeyCount(int n) {
  n = std::clamp(n, 0, kMaxKeyCount);
  if (n == keyCount) return;
  keyCount = n;
  keyButtons.resize(n, nullptr);
}

void COrvaneUSBDevice::SetLedCount(int n) {
  n = std::clamp(n, 0, kMaxLedCount);
  platform::CriticalSectionLock lock(frameLock);
  if (n != ledCount) {
    ledCount = n;
    lightButtons.resize(n, nullptr);
    ledColors.resize(n);
    perLedEntries.resize(n);
  }
  std::fill(perLedEntries.begin(), perLedEntries.end(), profiles::LightListEntry{});
  std::fill(ledColors.begin(), ledColors.end(), LedColor{});
  perLedLayer.Reset(perLedEntries);
}

void COrvaneUSBDevice::SetIdentity(const DeviceInterfaceEntry& row) {
  interfaceRow = row;
  deviceType = row.familyCode;
  interfaceKind = row.kind;
}

void COrvaneUSBDevice::SetReceiverFlag(bool throughReceiver) {
  receiverFlag = throughReceiver ? 1 : 0;
}

// ----- Power indicator -----

void COrvaneUSBDevice::SetPowerIndicator(PageControl* control, PowerIndicatorLink* link) {
  powerIndicator = control;
  powerIndicatorLink = link;
  if (powerIndicator == nullptr) return;
  if (PageControl* layout = FindChildByName(*powerIndicator, "device_power_Layout")) {
    layout->SetVisible(powerIndicatorShown.load() != 0);
  }
}

void COrvaneUSBDevice::SetPowerIndicatorShown(bool shown) { powerIndicatorShown = shown ? 1 : 0; }

void COrvaneUSBDevice::SetStatusReadSuppressed(bool suppressed) {
  if (powerIndicatorShown.load()) statusReadSuppressed = suppressed ? 1 : 0;
}

// ----- Key maps and key effects -----

void COrvaneUSBDevice::SetKeyValueMap(const std::map<int, int>& map) { positionToKeyValue = map; }

uint8_t COrvaneUSBDevice::GetFadeEntry(int keyIndex) const {
  platform::CriticalSectionLock lock(frameLock);
  return InRange(keyIndex, keyFade.size()) ? keyFade[keyIndex] : 0;
}

void COrvaneUSBDevice::SetFadeEntry(int keyIndex, uint8_t value) {
  platform::CriticalSectionLock lock(frameLock);
  if (InRange(keyIndex, keyFade.size())) keyFade[keyIndex] = value;
}

uint8_t COrvaneUSBDevice::FadeKey(int keyIndex, int mode) {
  platform::CriticalSectionLock lock(frameLock);
  if (!InRange(keyIndex, keyFade.size())) return 0;
  keyFade[keyIndex] = FadeStep(keyFade[keyIndex], mode);
  return keyFade[keyIndex];
}

void COrvaneUSBDevice::MarkPressedKeys() {
  platform::CriticalSectionLock lock(frameLock);
  constexpr size_t kMarkedEntries = 9;
  for (size_t i = 0; i < kMarkedEntries; ++i) {
    if (marquee[i] != 0) keyFade[i] = 255;
  }
}

void COrvaneUSBDevice::RotateMarquee(int direction) {
  platform::CriticalSectionLock lock(frameLock);
  if (direction == 0) {
    std::rotate(marquee.begin(), marquee.begin() + 1, marquee.end());
  } else {
    std::rotate(marquee.rbegin(), marquee.rbegin() + 1, marquee.rend());
  }
}

void COrvaneUSBDevice::ClearKeyEffects() {
  platform::CriticalSectionLock lock(frameLock);
  keyFade.fill(0);
  marquee.fill(0);
}

// ----- Switches -----

void COrvaneUSBDevice::SetFunctionSwitch(int state) {
  functionSwitch = state;
  if (page != nullptr) {
    functionSwitchControl = FindChildByName(*page, "device_function_switch");
    keyFunctionSwitchControl = FindChildByName(*page, "device_key_function_switch");
  }
  const FunctionSwitchPages pages = FunctionSwitchPagesFor(state, deviceType.load());
  if (functionSwitchControl != nullptr) functionSwitchControl->SelectTabPage(pages.function);
  if (pages.keyFunction >= 0 && keyFunctionSwitchControl != nullptr) {
    keyFunctionSwitchControl->SelectTabPage(pages.keyFunction);
  }
}

void COrvaneUSBDevice::SetLightControl(bool on) {
  lightControlEnabled = on ? 1 : 0;
  if (on && deviceType.load() == kDeviceTypeKeyboard) commandChannel.AnnounceLightControl();
}

// ----- Light settings and colour -----

void COrvaneUSBDevice::SetLightSettings(uint32_t word1, uint32_t word2, uint32_t value,
                                        uint16_t lastWord) {
  platform::CriticalSectionLock lock(frameLock);
  packedLightSettings = PackedLightSettings{word1, word2, value, lastWord};
}

PackedLightSettings COrvaneUSBDevice::GetLightSettings() const {
  platform::CriticalSectionLock lock(frameLock);
  return packedLightSettings;
}

void COrvaneUSBDevice::SetLightColor(int red, int green, int blue) {
  currentColour = {static_cast<uint32_t>(red), static_cast<uint32_t>(green),
                   static_cast<uint32_t>(blue)};
  if (lightingPanel != nullptr) {
    lightingPanel->SetColour(static_cast<uint8_t>(red), static_cast<uint8_t>(green),
                             static_cast<uint8_t>(blue));
  }
}

void COrvaneUSBDevice::GetLightColor() {
  uint8_t red = 0, green = 0, blue = 0;
  if (lightingPanel != nullptr && lightingPanel->GetColour(red, green, blue)) {
    currentColour = {red, green, blue};
  }
}

// ----- Operations the families provide -----

int COrvaneUSBDevice::WriteKeyAssignments(const std::vector<profiles::KeyAssignEntry>&) {
  return 0;
}

int COrvaneUSBDevice::WriteProfileKeyAssignments(int) { return 0; }

int COrvaneUSBDevice::UploadMacros(const std::vector<int>&) { return 0; }

int COrvaneUSBDevice::WriteParameterRecord(int, int) { return 0; }

// ----- Folders -----

std::string COrvaneUSBDevice::DefaultDataFolder() const {
  return platform::JoinPath(platform::ProgramDataDir(), "DefaultData") + "/";
}

std::string COrvaneUSBDevice::DefaultProfilePath() const {
  return DefaultDataFolder() + deviceFolderName + ".Json";
}

std::string COrvaneUSBDevice::UserDataFolder() const {
  const std::string appFolder = platform::JoinPath(platform::DataHome(), platform::kAppFolderName);
  platform::MakeDirectories(appFolder);
  const std::string deviceFolder = platform::JoinPath(appFolder, deviceFolderName);
  platform::MakeDirectories(deviceFolder);
  return deviceFolder + "/";
}

}  // namespace velmora::devices
