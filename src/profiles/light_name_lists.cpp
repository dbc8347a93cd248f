#include "profiles/light_name_lists.h"

#include "profiles/json_access.h"

namespace velmora::profiles {
namespace {

// The array list[kind] of document[key], or nullptr.
const Json::Value* KindList(const Json::Value& document, const char* key, int kind) {
  const Json::Value* perKind = FindArray(document, key);
  if (perKind == nullptr || kind < 0) return nullptr;
  const Json::Value* list = FindElement(*perKind, static_cast<Json::ArrayIndex>(kind));
  return list != nullptr && list->isArray() ? list : nullptr;
}

std::vector<std::string> NamesOf(const Json::Value* list) {
  std::vector<std::string> names;
  if (list == nullptr) return names;
  for (const Json::Value& element : *list) names.push_back(StringMember(element, "LightName"));
  return names;
}

}  // namespace

std::vector<LightModeName> ReadDefaultLightNames(const Json::Value& document, int kind) {
  std::vector<LightModeName> modes;
  const Json::Value* list = KindList(document, "DefaultLightName", kind);
  if (list == nullptr) return modes;
  for (const Json::Value& element : *list) {
    modes.push_back({StringMember(element, "LightName"), BoolMember(element, "visible") != 0,
                     static_cast<int32_t>(IntMember(element, "value"))});
  }
  return modes;
}

std::vector<std::string> ReadAreaLightNames(const Json::Value& document, int kind) {
  return NamesOf(KindList(document, "AreaLightName", kind));
}

std::vector<std::string> ReadCustomLightNames(const Json::Value& configDocument, int kind) {
  return NamesOf(KindList(configDocument, "LightInfo", kind));
}

std::vector<int32_t> LightModeValues(const std::vector<LightModeName>& modes) {
  std::vector<int32_t> values;
  values.reserve(modes.size());
  for (const LightModeName& mode : modes) values.push_back(mode.value);
  return values;
}

}  // namespace velmora::profiles
