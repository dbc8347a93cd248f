// The factory contents must be what the host expects to find in a fresh device.

#include "sim/factory_memory.h"

#include <gtest/gtest.h>

#include <set>

#include "devices/keyboard_layout.h"

namespace velmora::sim {
namespace {

TEST(KeyboardFactoryMemory, EveryKeyPositionFindsItsKeyAndADistinctLed) {
  const DeviceMemory memory = KeyboardFactoryMemory();
  const auto& info = memory.Area(MemoryArea::Information);
  ASSERT_EQ(info.size(), kInformationSize);
  const size_t keys = info[kInfoKeyCountByte];
  EXPECT_EQ(keys * 3, 510u);
  const auto& keyMap = memory.Area(MemoryArea::KeyMap);
  const auto& ledMap = memory.Area(MemoryArea::LedMap);
  std::set<uint8_t> leds;
  for (size_t position = 0; position < devices::kKeyPositionDefaultCodes.size(); ++position) {
    if (!devices::IsKeyPositionUsed(position)) continue;
    const auto code = devices::kKeyPositionDefaultCodes[position];
    size_t key = 0;
    while (key < keys && !(keyMap[key * 3] == code.type && keyMap[key * 3 + 1] == code.argument &&
                           keyMap[key * 3 + 2] == code.code)) {
      ++key;
    }
    ASSERT_LT(key, keys) << "no key holds the code of position " << position;
    EXPECT_NE(ledMap[key], 0xFF) << position;
    EXPECT_TRUE(leds.insert(ledMap[key]).second) << "LED shared by position " << position;
  }
  EXPECT_EQ(memory.Area(MemoryArea::Macro).size(), info[kInfoMacroCapacityByte] * kMacroCapacityUnit);
}

TEST(MouseFactoryMemory, InformationDescribesButtonsAndDpiScale) {
  const DeviceMemory memory = MouseFactoryMemory();
  const auto& info = memory.Area(MemoryArea::Information);
  EXPECT_EQ(info[kInfoKeyCountByte], kMouseButtonCount);
  EXPECT_EQ(info[9] | (info[10] << 8), 0x3325);
  EXPECT_EQ(info[11], 100);
  const auto& keyMap = memory.Area(MemoryArea::KeyMap);
  EXPECT_EQ(std::vector<uint8_t>(keyMap.begin(), keyMap.begin() + 3), std::vector<uint8_t>({0x10, 0x01, 0x00}));
  // Every profile's 71-byte record fits its 128-byte block and names its own profile.
  const auto& params = memory.Area(MemoryArea::Parameters);
  for (int p = 1; p < kProfileCount; ++p) EXPECT_EQ(params[p * kMouseRecordStride], p);
  EXPECT_GE(params.size(), (kProfileCount - 1) * kMouseRecordStride + kMouseRecordSize);
}

TEST(PadAndHeadsetFactoryMemory, RecordsFitBothTheReadAndTheWriteLayout) {
  for (const DeviceMemory& memory : {MousePadFactoryMemory(), HeadsetFactoryMemory()}) {
    const auto& params = memory.Area(MemoryArea::Parameters);
    EXPECT_GE(params.size(), (kProfileCount - 1) * kPadRecordStride + kPadRecordSize);
    EXPECT_GE(params.size(), (kProfileCount - 1) * kKeyboardRecordStride + kKeyboardRecordSize);
    EXPECT_GE(memory.Area(MemoryArea::Status).size(), 6u);
  }
}

}  // namespace
}  // namespace velmora::sim
