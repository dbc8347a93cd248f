#include "profiles/light_effect_file.h"

#include "profiles/json_access.h"
#include "profiles/json_file.h"

namespace velmora::profiles {
namespace {

LightEffectEntry ReadStep(const Json::Value& step) {
  auto byte = [&step](const char* key) { return static_cast<uint8_t>(IntMember(step, key)); };
  LightEffectEntry e;
  e.mode = byte("LEDREGMode");
  e.brightness = byte("LEDBrightness");
  e.speed = byte("LEDSpeed");
  e.direction = byte("LEDDirection");
  e.multiColor = byte("LEDMultiColor");
  e.red = byte("red");
  e.green = byte("green");
  e.blue = byte("blue");
  e.time = static_cast<uint32_t>(IntMember(step, "Time"));
  e.cycle = static_cast<uint32_t>(IntMember(step, "Cyle"));
  return e;
}

}  // namespace

std::vector<LightEffectEntry> ReadLightEffectFile(const std::string& path) {
  std::vector<LightEffectEntry> steps;
  const Json::Value document = ReadJsonFile(path);
  const Json::Value* list = FindArray(document, "LEDEffectList");
  if (list == nullptr) return steps;
  steps.reserve(list->size());
  for (const Json::Value& step : *list) steps.push_back(ReadStep(step));
  return steps;
}

}  // namespace velmora::profiles
