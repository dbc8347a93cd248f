#pragma once

#include <cstdint>

#include "sim/device_memory.h"

namespace velmora::sim {

// Factory contents of each product family's memory, as a freshly reset device holds them.

inline constexpr uint8_t kKeyboardKeyCount = 170;  // key map entries and LEDs
inline constexpr uint8_t kMouseButtonCount = 11;
inline constexpr uint8_t kMousePadLedCount = 15;
inline constexpr uint8_t kHeadsetLedCount = 13;

// Parameter record layouts the firmware keeps: the profile number at offset 0, then one
// record per profile at profile × stride.
inline constexpr size_t kKeyboardRecordStride = 25;
inline constexpr size_t kKeyboardRecordSize = 27;
inline constexpr size_t kMouseRecordStride = 128;
inline constexpr size_t kMouseRecordSize = 71;
inline constexpr size_t kPadRecordStride = 64;  // where the host writes a pad or headset record
inline constexpr size_t kPadRecordSize = 21;
inline constexpr int kProfileCount = 4;

DeviceMemory KeyboardFactoryMemory();
DeviceMemory MouseFactoryMemory();
DeviceMemory MousePadFactoryMemory();
DeviceMemory HeadsetFactoryMemory();

}  // namespace velmora::sim
