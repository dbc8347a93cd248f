#include "devices/keyboard_parameter_record.h"

#include <algorithm>

namespace velmora::devices {
namespace {

constexpr uint8_t kMaxSpeedLevel = 4;

enum RecordByte : size_t {
  kProfileByte = 0,
  kModeByte = 1,
  kBrightnessByte = 2,
  kInverseSpeedByte = 3,
  kDirectionByte = 4,
  kMultiColourByte = 5,
  kRedByte = 6,
  kGreenByte = 7,
  kBlueByte = 8,
  kModeParameterByte = 19,
  kWFlagByte = 20,
  kSixKeyByte = 21,
  kWinLockByte = 22,
  kPollingRateByte = 23,
  kCustomTableByte = 26,
};

bool IsSoftwareDrivenMode(int32_t mode) { return mode == 29 || mode == 30; }

}  // namespace

uint8_t ModeByteForIndex(int modeIndex, std::span<const int32_t> modeValues) {
  int32_t value = modeIndex;
  if (modeIndex >= 0 && static_cast<size_t>(modeIndex) < modeValues.size()) {
    value = modeValues[modeIndex];
  }
  if (IsSoftwareDrivenMode(value)) return kSoftwareModeByte;
  return static_cast<uint8_t>(value);
}

int ModeIndexForByte(uint8_t modeByte, std::span<const int32_t> modeValues) {
  const auto found = std::find(modeValues.begin(), modeValues.end(), int32_t{modeByte});
  if (found == modeValues.end()) return modeByte;
  return static_cast<int>(found - modeValues.begin());
}

ParameterRecord BuildParameterRecord(uint8_t value, const LightSettings& light,
                                     std::span<const int32_t> modeValues,
                                     const KeyboardSystemSettings& system) {
  ParameterRecord record{};
  record[kProfileByte] = value;
  record[kModeByte] = ModeByteForIndex(light.mode, modeValues);
  record[kBrightnessByte] = light.brightness;
  record[kInverseSpeedByte] =
      static_cast<uint8_t>(kMaxSpeedLevel - std::min(light.speed, kMaxSpeedLevel));
  record[kDirectionByte] = light.direction;
  record[kMultiColourByte] = light.multiColour;
  record[kRedByte] = light.red;
  record[kGreenByte] = light.green;
  record[kBlueByte] = light.blue;
  record[kModeParameterByte] = light.modeParameter;
  record[kWFlagByte] = static_cast<uint8_t>(system.wFlag);
  record[kSixKeyByte] = static_cast<uint8_t>(system.sixKey);
  record[kWinLockByte] = static_cast<uint8_t>(system.winLock);
  record[kPollingRateByte] = static_cast<uint8_t>(system.pollingRate);
  record[kCustomTableByte] = light.customTable;
  return record;
}

ParsedParameterRecord ParseParameterRecord(const ParameterRecord& record,
                                           std::span<const int32_t> modeValues,
                                           uint8_t currentMode) {
  ParsedParameterRecord parsed;
  LightSettings& light = parsed.light;
  light.mode = record[kModeByte] == kSoftwareModeByte
                   ? currentMode
                   : static_cast<uint8_t>(ModeIndexForByte(record[kModeByte], modeValues));
  light.brightness = record[kBrightnessByte];
  // A stored inverse above 4 would make a negative speed; it reads as the slowest level.
  light.speed =
      static_cast<uint8_t>(kMaxSpeedLevel - std::min(record[kInverseSpeedByte], kMaxSpeedLevel));
  light.direction = record[kDirectionByte];
  light.multiColour = record[kMultiColourByte];
  light.red = record[kRedByte];
  light.green = record[kGreenByte];
  light.blue = record[kBlueByte];
  light.modeParameter = record[kModeParameterByte];
  light.customTable = record[kCustomTableByte];
  parsed.wFlag = record[kWFlagByte];
  parsed.sixKey = record[kSixKeyByte];
  parsed.winLock = record[kWinLockByte];
  return parsed;
}

}  // namespace velmora::devices
