#include "profiles/light_effect_file.h"

#include "profiles/json_access.h"
#include "profiles/json_file.h"

namespace velmora::profiles {
namespace {

LightEffectEntry ReadStep(const Json::Value& step) {
  LightEffectEntry e;
  e.mode = ByteMember(step, "LEDREGMode");
  e.brightness = ByteMember(step, "LEDBrightness");
  e.speed = ByteMember(step, "LEDSpeed");
  e.direction = ByteMember(step, "LEDDirection");
  e.multiColor = ByteMember(step, "LEDMultiColor");
  e.red = ByteMember(step, "red");
  e.green = ByteMember(step, "green");
  e.blue = ByteMember(step, "blue");
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
