#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "devices/light_state.h"

namespace velmora::devices {

inline constexpr size_t kParameterRecordSize = 27;
// Profile p's record starts at p x 25 in parameter memory.
inline constexpr uint16_t kParameterRecordStride = 25;
// The mode byte stored while a software-driven mode (29 or 30) is selected.
inline constexpr uint8_t kSoftwareModeByte = 0xFE;
// Record byte 18: the secondary profile value.
inline constexpr size_t kSecondaryProfileByte = 18;

using ParameterRecord = std::array<uint8_t, kParameterRecordSize>;

// The keyboard's system settings, in their stored order.
struct KeyboardSystemSettings {
  uint16_t repeatRate = 0;
  uint16_t repeatDelay = 0;  // index 0-3
  uint16_t sixKey = 0;
  uint16_t pollingRate = 0;  // index 0-3
  uint16_t wFlag = 0;
  uint16_t winLock = 0;
  bool operator==(const KeyboardSystemSettings&) const = default;
};

// The mode byte the record stores for a mode index: the light mode list's value at the index
// (the index itself when the list has no such entry), 0xFE when that value is 29 or 30.
uint8_t ModeByteForIndex(int modeIndex, std::span<const int32_t> modeValues);
// The mode index of a stored mode byte: the index of the first entry whose value equals it,
// or the byte itself when none does.
int ModeIndexForByte(uint8_t modeByte, std::span<const int32_t> modeValues);

// The record as written: byte 0 = value, the light settings, the system flags.
ParameterRecord BuildParameterRecord(uint8_t value, const LightSettings& light,
                                     std::span<const int32_t> modeValues,
                                     const KeyboardSystemSettings& system);

// What a record read back gives: the light settings (the current mode is kept for 0xFE) and
// the W, six-key and Win-lock flags (the polling rate is not read back).
struct ParsedParameterRecord {
  LightSettings light;
  uint16_t wFlag = 0;
  uint16_t sixKey = 0;
  uint16_t winLock = 0;
};
ParsedParameterRecord ParseParameterRecord(const ParameterRecord& record,
                                           std::span<const int32_t> modeValues,
                                           uint8_t currentMode);

}  // namespace velmora::devices
