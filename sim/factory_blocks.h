#pragma once

#include <cstdint>
#include <initializer_list>

#include "sim/device_memory.h"

namespace velmora::sim {

// Building blocks shared by the families' factory memories.

// A memory whose information block starts with the product id (little-endian), holds the key
// count at byte 5 and the macro capacity (in 128-byte units) at byte 6, and ends with the
// firmware version (little-endian at 32-33); the macro area is sized to the capacity.
DeviceMemory MemoryWithInformation(uint16_t productId, uint16_t firmwareVersion, uint8_t keyCount = 0,
                                   uint8_t macroUnits = 0);

// Sizes the status area and sets its first bytes: battery percent, charge state, ...
void FillStatus(DeviceMemory& memory, std::initializer_list<uint8_t> firstBytes);

void PutLittleEndian(uint8_t* at, uint16_t value);

}  // namespace velmora::sim
