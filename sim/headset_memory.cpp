// Factory memory of the headset (0C76:1630). Its live colours travel as light output
// reports (headset_light_state.h), not through a memory area.

#include "sim/factory_blocks.h"
#include "sim/factory_memory.h"
#include "sim/pad_record.h"

namespace velmora::sim {

DeviceMemory HeadsetFactoryMemory() {
  DeviceMemory m = MemoryWithInformation(0x1630, 0x0200);
  m.Area(MemoryArea::Parameters) = PadParameterArea();
  FillStatus(m, {100, 0, 0, 0, 1});  // full, on cable power
  return m;
}

}  // namespace velmora::sim
