// Factory memory of the headset (0C76:1630). Its live colours travel as light output
// reports (headset_light_state.h), not through a memory area.

#include "sim/factory_memory.h"
#include "sim/pad_record.h"

namespace velmora::sim {

DeviceMemory HeadsetFactoryMemory() {
  DeviceMemory m;
  auto& info = m.Area(MemoryArea::Information);
  info[0] = 0x30;
  info[1] = 0x16;
  info[32] = 0x00;
  info[33] = 0x02;
  m.Area(MemoryArea::Parameters) = PadParameterArea();
  auto& status = m.Area(MemoryArea::Status);
  status.assign(kStatusSize, 0);
  status[0] = 100;
  status[1] = 0;
  status[4] = 1;
  return m;
}

}  // namespace velmora::sim
