#pragma once

#include <string>
#include <vector>

#include "profiles/light_records.h"

namespace velmora::profiles {

inline constexpr const char* kLightEffectExtension = ".light";

// The steps of a custom light effect file ({"LEDEffectList": [...]}); empty when the file is
// missing, invalid or has no list.
std::vector<LightEffectEntry> ReadLightEffectFile(const std::string& path);

}  // namespace velmora::profiles
