#pragma once

#include <json/json.h>

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::profiles {

// Device-kind index of the light-name lists.
inline constexpr int kLightKindKeyboard = 0;
inline constexpr int kLightKindMouse = 1;
inline constexpr int kLightKindMousePad = 2;
inline constexpr int kLightKindHeadset = 3;

// File names of the documents that hold the lists.
inline constexpr const char* kDefaultLightFileName = "default_light.json";
inline constexpr const char* kLightConfigName = "kivra_light";
inline constexpr const char* kLightConfigExtension = ".config";

// One built-in lighting mode: its language-text key, whether it is shown, and the value the
// device's parameter record uses for it.
struct LightModeName {
  std::string name;
  bool visible = false;
  int32_t value = 0;
  bool operator==(const LightModeName&) const = default;
};

// "DefaultLightName"[kind] of a "default_light.json" document.
std::vector<LightModeName> ReadDefaultLightNames(const Json::Value& document, int kind);
// "AreaLightName"[kind]: names of the lighting areas.
std::vector<std::string> ReadAreaLightNames(const Json::Value& document, int kind);
// "LightInfo"[kind] of a light configuration document: names of the user's custom modes.
std::vector<std::string> ReadCustomLightNames(const Json::Value& configDocument, int kind);

// The "value" of every mode, in mode order: the list that maps the parameter record's mode
// byte to the mode index and back.
std::vector<int32_t> LightModeValues(const std::vector<LightModeName>& modes);

}  // namespace velmora::profiles
