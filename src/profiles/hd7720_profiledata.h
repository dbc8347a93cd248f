#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "profiles/basic_profiledata.h"

namespace velmora::profiles {

// "SystemSetStages" in order: "MagicEnable", "MagicType", "EqType", "CustomEqSeletIndex",
// "MicInSelect", "MicInValue", "MicMoniterSelect", "MicMoniterValue".
using SystemSetValues = std::array<int32_t, 8>;

inline constexpr int kEqBandCount = 10;
// The equaliser type that stands for the user's custom equalisers.
inline constexpr uint32_t kCustomEqType = 13;

// The headset's profile document: adds the system-set values and the equalisers.
class CHd7720Profiledata : public CBasicProfiledata {
 public:
  SystemSetValues GetSystemSetStages();
  void SetSystemSetStages(const SystemSetValues& values);

  // Ten band values of preset equaliser type 1-12 ("EQHzValueInfo"[type]); types 0 and
  // above 13 use type 1; type 13 (custom) yields an empty list and writes nothing.
  std::vector<int32_t> GetEQValues(uint32_t type);
  void SetEQValues(uint32_t type, const std::vector<int32_t>& values);

  // Names of the custom equalisers, in slot order (UTF-8).
  std::vector<std::string> GetCustomEQNames();
  void SetCustomEQNames(const std::vector<std::string>& names);

  // Ten band values of custom slot ("CustomEQHzValueInfo"[slot]).
  std::vector<int32_t> GetCustomEQValues(uint32_t slot);
  void SetCustomEQValues(uint32_t slot, const std::vector<int32_t>& values);

 private:
  std::vector<int32_t> ReadBands(const char* section, Json::ArrayIndex index);
  void WriteBands(const char* section, Json::ArrayIndex index,
                  const std::vector<int32_t>& values);

  SystemSetValues systemSet_{};
};

}  // namespace velmora::profiles
