#include "sim/factory_blocks.h"

#include <algorithm>

namespace velmora::sim {

void PutLittleEndian(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value & 0xFF);
  at[1] = static_cast<uint8_t>(value >> 8);
}

DeviceMemory MemoryWithInformation(uint16_t productId, uint16_t firmwareVersion, uint8_t keyCount,
                                   uint8_t macroUnits) {
  DeviceMemory memory;
  auto& info = memory.Area(MemoryArea::Information);
  PutLittleEndian(&info[0], productId);
  info[kInfoKeyCountByte] = keyCount;
  info[kInfoMacroCapacityByte] = macroUnits;
  PutLittleEndian(&info[kInformationSize - 2], firmwareVersion);
  memory.Area(MemoryArea::Macro).assign(macroUnits * kMacroCapacityUnit, 0);
  return memory;
}

void FillStatus(DeviceMemory& memory, std::initializer_list<uint8_t> firstBytes) {
  auto& status = memory.Area(MemoryArea::Status);
  status.assign(kStatusSize, 0);
  std::copy(firstBytes.begin(), firstBytes.end(), status.begin());
}

}  // namespace velmora::sim
