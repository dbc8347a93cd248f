#include "sim/pad_record.h"

#include "sim/factory_memory.h"

namespace velmora::sim {

std::vector<uint8_t> PadParameterArea() {
  // Large enough for a 27-byte read at profile × 25 and a 21-byte write at profile × 64 of
  // every profile.
  std::vector<uint8_t> area(kProfileCount * kPadRecordStride + 64, 0);
  for (int p = 0; p < kProfileCount; ++p) {
    uint8_t* r = &area[p * kPadRecordStride];
    r[0] = static_cast<uint8_t>(p);
    r[1] = 1;      // light mode value
    r[2] = 24;     // brightness level
    r[3] = 4 - 2;  // inverse speed
    r[5] = 1;      // multicolour
    r[6] = 0xFF;
  }
  area[0] = 0;  // active profile
  return area;
}

}  // namespace velmora::sim
