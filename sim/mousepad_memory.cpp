// Factory memory of the mouse pad (1004).

#include "sim/factory_blocks.h"
#include "sim/factory_memory.h"
#include "sim/pad_record.h"

namespace velmora::sim {

DeviceMemory MousePadFactoryMemory() {
  DeviceMemory m = MemoryWithInformation(0x1004, 0x0101);
  m.Area(MemoryArea::Parameters) = PadParameterArea();
  m.Area(MemoryArea::LightFrame).assign(64, 0);  // 15 LEDs × 3
  FillStatus(m, {0, 0, 0, 0, 1, 1});  // byte 5: the pad's indicator
  return m;
}

}  // namespace velmora::sim
