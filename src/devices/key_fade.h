#pragma once

#include <cstdint>

namespace velmora::devices {

// One fade step of a key-press fade entry. Every mode follows the same ladder, chosen by the
// entry's high bits: from 128 up a large decrement, with bit 6 set a middle one, with bit 5
// set a smaller one, above 16 a small one, and from 16 down one at a time; 0 stays 0. The
// modes differ only in the sizes of the steps (mode 0's are 40, 30, 15, 8, 1).
uint8_t FadeStep(uint8_t entry, int mode);

}  // namespace velmora::devices
