#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "devices/keyboard_key_maps.h"
#include "profiles/key_assign_entry.h"

namespace velmora::devices {

// Writes each assignment of list (indexed by key position) into keyMap at its key index x 3.
// A macro reference whose macro number is below macroCount is renumbered to the macro's place
// in the device's macro order, macros taking places in the order the keys first use them.
// Returns that order: the macro numbers (indices into the macro list) by device place.
std::vector<uint8_t> ApplyKeyAssignments(std::span<const profiles::KeyAssignEntry> list,
                                         const PositionMap& keyIndex, size_t macroCount,
                                         std::span<uint8_t> keyMap);

}  // namespace velmora::devices
