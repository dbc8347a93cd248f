// Factory memory of the mouse (cable 221C, and the same mouse behind receiver 221D).

#include <array>

#include "sim/factory_blocks.h"
#include "sim/factory_memory.h"

namespace velmora::sim {
namespace {

constexpr uint16_t kSensorCode = 0x3325;
constexpr uint8_t kDpiStep = 100;
constexpr uint16_t kHighestSliderPosition = 79;
constexpr uint16_t kDpiAtPositionZero = 100;

// Button functions in button order: left, right, middle, back, forward, DPI up, DPI down,
// DPI cycle, game mode, M8 key, fire key.
constexpr std::array<std::array<uint8_t, 3>, kMouseButtonCount> kButtons = {{
    {0x10, 0x01, 0x00}, {0x10, 0x02, 0x00}, {0x10, 0x04, 0x00}, {0x10, 0x08, 0x00},
    {0x10, 0x10, 0x00}, {0x13, 0x01, 0x00}, {0x13, 0x02, 0x00}, {0x13, 0x03, 0x00},
    {0xA0, 0x1B, 0x00}, {0x16, 0x90, 0x01}, {0x14, 0x78, 0x02},
}};

struct Stage {
  uint8_t position, red, green, blue;
};
constexpr std::array<Stage, 5> kStages = {{
    {7, 0xFF, 0x00, 0x00}, {15, 0x00, 0xFF, 0x00}, {31, 0x00, 0x00, 0xFF},
    {48, 0xFF, 0xFF, 0x00}, {63, 0xFF, 0x00, 0xFF},
}};

void FillRecord(uint8_t* r, uint8_t profile) {
  r[0] = profile;
  r[1] = 1;      // lighting mode value
  r[2] = 24;     // brightness level
  r[3] = 4 - 2;  // inverse speed
  r[5] = 1;      // multicolour
  r[6] = 0xFF;
  r[11] = 3;     // report-rate choice
  r[12] = 1;     // active DPI stage
  for (size_t s = 0; s < kStages.size(); ++s) {
    uint8_t* stage = r + 14 + s * 9;
    stage[0] = 1;  // enabled
    PutLittleEndian(stage + 2, kStages[s].position);
    PutLittleEndian(stage + 4, kStages[s].position);
    stage[6] = kStages[s].red;
    stage[7] = kStages[s].green;
    stage[8] = kStages[s].blue;
  }
  r[59] = 1;
  PutLittleEndian(r + 60, 1920);
  PutLittleEndian(r + 62, 1080);
}

}  // namespace

DeviceMemory MouseFactoryMemory() {
  DeviceMemory m = MemoryWithInformation(0x221C, 0x0105, kMouseButtonCount, 16);
  auto& info = m.Area(MemoryArea::Information);
  PutLittleEndian(&info[9], kSensorCode);
  info[11] = kDpiStep;
  PutLittleEndian(&info[12], kHighestSliderPosition);
  PutLittleEndian(&info[14], kDpiAtPositionZero);

  auto& keyMap = m.Area(MemoryArea::KeyMap);
  keyMap.assign(kKeyMapSize, 0);
  for (size_t b = 0; b < kButtons.size(); ++b) {
    std::copy(kButtons[b].begin(), kButtons[b].end(), keyMap.begin() + static_cast<std::ptrdiff_t>(b * 3));
  }

  auto& params = m.Area(MemoryArea::Parameters);
  params.assign(kProfileCount * kMouseRecordStride, 0);
  for (int p = 0; p < kProfileCount; ++p) FillRecord(&params[p * kMouseRecordStride], static_cast<uint8_t>(p));

  m.Area(MemoryArea::LightFrame).assign(64, 0);  // 15 LEDs × 3
  m.Area(MemoryArea::Shooting).assign(4096, 0);
  FillStatus(m, {70, 2, 0, 0, 1});  // 70 %, on battery
  return m;
}

}  // namespace velmora::sim
