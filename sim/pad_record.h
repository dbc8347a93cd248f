#pragma once

#include <cstdint>
#include <vector>

namespace velmora::sim {

// The parameter area shared by the mouse pad and the headset: the profile number at 0 and a
// 21-byte light record per profile at profile × 64, whose profile 0 record is also what a
// 27-byte read at profile × 25 returns for profile 0.
std::vector<uint8_t> PadParameterArea();

}  // namespace velmora::sim
