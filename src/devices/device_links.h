#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velmora::devices {

// What a device hands to and reads from its page's companion panels. The panels layer
// implements these; the device never sees a toolkit class.

// The lighting panel ("LightControlItem").
class LightingPanelLink {
 public:
  virtual ~LightingPanelLink() = default;
  // The lighting record as three 32-bit words (bytes 0-3, 4-7, 8-11, little-endian).
  virtual void ShowLightInfo(uint32_t word0, uint32_t word1, uint32_t word2) = 0;
  virtual void SetCustomMode(int index) = 0;
  virtual void SetColour(uint8_t red, uint8_t green, uint8_t blue) = 0;
  // The colour the panel shows; false when it shows none.
  virtual bool GetColour(uint8_t& red, uint8_t& green, uint8_t& blue) const = 0;
  virtual void InitLightModes(const std::vector<std::string>& names,
                              const std::vector<bool>& visible, int maxBrightness,
                              int maxSpeed) = 0;
};

// The profile panel ("DeviceProfileItem").
class ProfilePanelLink {
 public:
  virtual ~ProfilePanelLink() = default;
  virtual void ReloadProfileList() = 0;
};

// The key assignment panel ("KeySetControlItem").
class KeyAssignPanelLink {
 public:
  virtual ~KeyAssignPanelLink() = default;
  virtual void ShowPanel() = 0;
  virtual void ShowAssignment(uint8_t type, uint8_t first, uint8_t second) = 0;
};

// The macro panel ("MacroControlItem").
class MacroPanelLink {
 public:
  virtual ~MacroPanelLink() = default;
  virtual void SetMacroNames(const std::vector<std::string>& names) = 0;
};

// The power indicator: shows the six status bytes.
class PowerIndicatorLink {
 public:
  virtual ~PowerIndicatorLink() = default;
  virtual void ShowPowerStatus(std::span<const uint8_t, 6> status) = 0;
};

// The device's selector entry: its timers run the device's periodic work on the UI thread.
class SelectorEntryLink {
 public:
  virtual ~SelectorEntryLink() = default;
  virtual void StartDeviceTimer(int timerId, uint32_t intervalMs) = 0;
};

// The main window, as far as a device addresses it.
class MainWindowLink {
 public:
  virtual ~MainWindowLink() = default;
  virtual void PostDeviceMessage(uint32_t message, uint64_t wParam, int64_t lParam) = 0;
};

// The key-assignment vocabulary: the text keys that name an assignment, one per part of a
// key combination (modifiers first), e.g. {"keyboard_key_LCtrl", "keyboard_key_C"}; a key
// switched off names "close_text". Empty when the assignment has no name.
class KeyLabelSource {
 public:
  virtual ~KeyLabelSource() = default;
  virtual std::vector<std::string> TextKeys(uint8_t type, uint8_t first, uint8_t second) const = 0;
};

// Looks up the language text of a key (through the page's hidden "text_test" label on the
// real page); returns the key itself when there is no text.
class LanguageTexts {
 public:
  virtual ~LanguageTexts() = default;
  virtual std::string Text(const std::string& key) const = 0;
};

}  // namespace velmora::devices
