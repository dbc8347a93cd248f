#include "profiles/hd7720_profiledata.h"

#include "profiles/json_access.h"

namespace velmora::profiles {
namespace {

constexpr const char* kSystemSetStages = "SystemSetStages";
constexpr const char* kEQHzValueInfo = "EQHzValueInfo";
constexpr const char* kCustomEQNameInfo = "CustomEQNameInfo";
constexpr const char* kCustomEQHzValueInfo = "CustomEQHzValueInfo";
constexpr const char* kSystemSetKeys[] = {"MagicEnable",      "MagicType",       "EqType",
                                          "CustomEqSeletIndex", "MicInSelect", "MicInValue",
                                          "MicMoniterSelect", "MicMoniterValue"};
static_assert(std::size(kSystemSetKeys) == SystemSetValues().size());

// The "EQHzValueInfo" index of an equaliser type: 1-12 are themselves, 0 and above 13 use 1.
Json::ArrayIndex PresetIndex(uint32_t type) { return type >= 1 && type <= 12 ? type : 1; }

}  // namespace

SystemSetValues CHd7720Profiledata::GetSystemSetStages() {
  systemSet_ = {};
  if (const Json::Value* section = FindSection(kSystemSetStages)) {
    for (size_t i = 0; i < systemSet_.size(); ++i) {
      systemSet_[i] = static_cast<int32_t>(IntMember(*section, kSystemSetKeys[i]));
    }
  }
  return systemSet_;
}

void CHd7720Profiledata::SetSystemSetStages(const SystemSetValues& values) {
  Json::Value& section = WritableSection(kSystemSetStages);
  for (size_t i = 0; i < values.size(); ++i) section[kSystemSetKeys[i]] = values[i];
}

// Ten bands of list[index] of the current entry's section; when the list or its element is
// absent, the element is created with ten zero bands.
std::vector<int32_t> CHd7720Profiledata::ReadBands(const char* section, Json::ArrayIndex index) {
  std::vector<int32_t> bands(kEqBandCount, 0);
  const Json::Value* lists = FindArray(CurrentEntry(), section);
  const Json::Value* element = lists ? FindElement(*lists, index) : nullptr;
  if (element == nullptr || !element->isArray()) {
    WriteBands(section, index, bands);
    return bands;
  }
  for (Json::ArrayIndex band = 0; band < kEqBandCount; ++band) {
    if (const Json::Value* stored = FindElement(*element, band)) {
      bands[band] = static_cast<int32_t>(IntMember(*stored, "value"));
    }
  }
  return bands;
}

void CHd7720Profiledata::WriteBands(const char* section, Json::ArrayIndex index,
                                    const std::vector<int32_t>& values) {
  Json::Value* element = WritableElement(WritableMember(currentEntry(), section), index);
  if (element == nullptr) return;
  for (Json::ArrayIndex band = 0; band < kEqBandCount; ++band) {
    Json::Value& stored = *WritableElement(*element, band);
    WritableMember(stored, "value") = band < values.size() ? values[band] : 0;
  }
}

std::vector<int32_t> CHd7720Profiledata::GetEQValues(uint32_t type) {
  if (type == kCustomEqType) return {};
  return ReadBands(kEQHzValueInfo, PresetIndex(type));
}

void CHd7720Profiledata::SetEQValues(uint32_t type, const std::vector<int32_t>& values) {
  if (type == kCustomEqType) return;
  WriteBands(kEQHzValueInfo, PresetIndex(type), values);
}

std::vector<std::string> CHd7720Profiledata::GetCustomEQNames() {
  std::vector<std::string> names;
  if (const Json::Value* list = FindArray(CurrentEntry(), kCustomEQNameInfo)) {
    for (const Json::Value& element : *list) names.push_back(StringMember(element, "Name"));
  }
  return names;
}

void CHd7720Profiledata::SetCustomEQNames(const std::vector<std::string>& names) {
  Json::Value list(Json::arrayValue);
  for (const std::string& name : names) {
    Json::Value element(Json::objectValue);
    element["Name"] = name;
    list.append(element);
  }
  WritableMember(currentEntry(), kCustomEQNameInfo) = list;
}

std::vector<int32_t> CHd7720Profiledata::GetCustomEQValues(uint32_t slot) {
  return ReadBands(kCustomEQHzValueInfo, slot);
}

void CHd7720Profiledata::SetCustomEQValues(uint32_t slot, const std::vector<int32_t>& values) {
  WriteBands(kCustomEQHzValueInfo, slot, values);
}

}  // namespace velmora::profiles
