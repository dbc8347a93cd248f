#include "profiles/keyboard_profiledata.h"

#include <algorithm>

#include "profiles/json_access.h"

namespace velmora::profiles {
namespace {

constexpr const char* kSystemStages = "SystemStages";
constexpr const char* kCustomLightMode = "CustomLightMode";
constexpr const char* kLightColorInfo = "LightColorInfo";
constexpr const char* kGroupIndex = "CustomLightModeGroupIndex";

uint32_t HalvesOf(const Json::Value& section, const char* low, const char* high) {
  return JoinHalves(static_cast<uint32_t>(IntMember(section, low)),
                    static_cast<uint32_t>(IntMember(section, high)));
}

CustomLightColor ReadColor(const Json::Value& element) {
  return {ByteMember(element, "Red"), ByteMember(element, "Green"), ByteMember(element, "Blue"),
          ByteMember(element, "Alpha")};
}

void WriteColor(Json::Value& element, const CustomLightColor& color) {
  element = Json::Value(Json::objectValue);
  element["Red"] = color.red;
  element["Green"] = color.green;
  element["Blue"] = color.blue;
  element["Alpha"] = color.alpha;
}

}  // namespace

StageWords CKeyboardProfiledata::GetSystemStages() {
  systemStages_ = {};
  if (const Json::Value* section = FindSection(kSystemStages)) {
    systemStages_ = {HalvesOf(*section, "Repeat", "RepeatDelay"),
                     HalvesOf(*section, "Key6Flag", "PollingRate"),
                     HalvesOf(*section, "WFlag", "WinFlag")};
  }
  return systemStages_;
}

void CKeyboardProfiledata::SetSystemStages(uint32_t w1, uint32_t w2, uint32_t w3) {
  Json::Value& section = WritableSection(kSystemStages);
  section["Repeat"] = LowHalf(w1);
  section["RepeatDelay"] = HighHalf(w1);
  section["Key6Flag"] = LowHalf(w2);
  section["PollingRate"] = HighHalf(w2);
  section["WFlag"] = LowHalf(w3);
  section["WinFlag"] = HighHalf(w3);
}

std::vector<CustomLightColor> CKeyboardProfiledata::GetCustomLightColors(uint32_t group,
                                                                         uint32_t count) {
  count = std::min<uint32_t>(count, kMaxWritableIndex + 1);
  customColors_.assign(count, CustomLightColor{});
  Json::Value* colors =
      WritableElement(WritableMember(WritableSection(kCustomLightMode), kLightColorInfo), group);
  if (colors == nullptr) return customColors_;
  if (!colors->isArray()) *colors = Json::Value(Json::arrayValue);
  for (uint32_t i = 0; i < count; ++i) {
    if (const Json::Value* stored = FindElement(*colors, i); stored && stored->isObject()) {
      customColors_[i] = ReadColor(*stored);
    } else {
      WriteColor((*colors)[i], CustomLightColor{});
    }
  }
  return customColors_;
}

void CKeyboardProfiledata::SetCustomLightColors(const std::vector<CustomLightColor>& colors,
                                                uint32_t group) {
  Json::Value* stored =
      WritableElement(WritableMember(WritableSection(kCustomLightMode), kLightColorInfo), group);
  if (stored == nullptr) return;
  customColors_ = colors;
  for (size_t i = 0; i < colors.size(); ++i) {
    Json::Value* element = WritableElement(*stored, static_cast<Json::ArrayIndex>(i));
    if (element == nullptr) return;
    WriteColor(*element, colors[i]);
  }
}

uint32_t CKeyboardProfiledata::GetCustomLightGroup() {
  const Json::Value* section = FindSection(kCustomLightMode);
  customGroup_ = section ? static_cast<uint32_t>(IntMember(*section, kGroupIndex)) : 0;
  return customGroup_;
}

void CKeyboardProfiledata::SetCustomLightGroup(uint32_t group) {
  customGroup_ = group;
  WritableSection(kCustomLightMode)[kGroupIndex] = group;
}

}  // namespace velmora::profiles
