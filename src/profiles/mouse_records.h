#pragma once

#include <cstdint>
#include <string>

namespace velmora::profiles {

// One DPI stage of "DPIStages"/"StageDPIs". On the device a stage is nine bytes: enabled,
// XY flag, X (16 bits, little-endian), Y (16 bits, little-endian), red, green, blue.
struct DPIStageRecord {
  static constexpr int kByteSize = 9;

  uint8_t enabled = 0;  // "StageActive"
  uint8_t xyFlag = 0;   // "StageXY": separate X and Y values
  uint16_t dpiX = 0;    // "StageDPIX"
  uint16_t dpiY = 0;    // "StageDPIY"
  uint8_t red = 0;      // "StageColorR"
  uint8_t green = 0;    // "StageColorG"
  uint8_t blue = 0;     // "StageColorB"

  // Writes the nine-byte device form to out[0..8].
  void ToBytes(uint8_t* out) const;
  static DPIStageRecord FromBytes(const uint8_t* in);
  bool operator==(const DPIStageRecord&) const = default;
};

// One element of "CorrectInfo" (read only).
struct CorrectInfoEntry {
  uint8_t pixThresh = 0;  // "CorrectPixThresh"
  uint8_t minSq = 0;      // "CorrectMinSq"
  uint8_t select = 0;     // "CorrectSelect"
  std::string name;       // "CorrectName" (UTF-8)
  bool operator==(const CorrectInfoEntry&) const = default;
};

}  // namespace velmora::profiles
