// Factory memory of the mouse pad (1004).

#include "sim/factory_memory.h"
#include "sim/pad_record.h"

namespace velmora::sim {

DeviceMemory MousePadFactoryMemory() {
  DeviceMemory m;
  auto& info = m.Area(MemoryArea::Information);
  info[0] = 0x04;
  info[1] = 0x10;
  info[kInfoKeyCountByte] = 0;
  info[32] = 0x01;
  info[33] = 0x01;
  m.Area(MemoryArea::Parameters) = PadParameterArea();
  m.Area(MemoryArea::LightFrame).assign(64, 0);  // 15 LEDs × 3
  auto& status = m.Area(MemoryArea::Status);
  status.assign(kStatusSize, 0);
  status[4] = 1;
  status[5] = 1;  // indicator byte of the pad
  return m;
}

}  // namespace velmora::sim
