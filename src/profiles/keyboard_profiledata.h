#pragma once

#include <cstdint>
#include <vector>

#include "profiles/basic_profiledata.h"
#include "profiles/light_records.h"
#include "profiles/stage_words.h"

namespace velmora::profiles {

// The keyboard's profile document: adds "SystemStages" and "CustomLightMode".
class CKeyboardProfiledata : public CBasicProfiledata {
 public:
  // "SystemStages": word 1 = "Repeat" | "RepeatDelay" << 16, word 2 = "Key6Flag" |
  // "PollingRate" << 16, word 3 = "WFlag" | "WinFlag" << 16.
  StageWords GetSystemStages();
  void SetSystemStages(uint32_t w1, uint32_t w2, uint32_t w3);

  // "CustomLightMode"/"LightColorInfo"[group]: count colours; colours missing from the
  // document are created there as zero.
  std::vector<CustomLightColor> GetCustomLightColors(uint32_t group, uint32_t count);
  void SetCustomLightColors(const std::vector<CustomLightColor>& colors, uint32_t group);

  // "CustomLightMode"/"CustomLightModeGroupIndex" (0 when absent).
  uint32_t GetCustomLightGroup();
  void SetCustomLightGroup(uint32_t group);

 private:
  StageWords systemStages_{};
  std::vector<CustomLightColor> customColors_;
  uint32_t customGroup_ = 0;
};

}  // namespace velmora::profiles
