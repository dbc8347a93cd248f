#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/hid_descriptor.h"

namespace velmora::hidinfo {

// Describes the top-level collections of a report descriptor in a stable text form: per
// collection one line
//   collection N usage_page=0xPPPP usage=0xUUUU input_len=I output_len=O feature_len=F
// then its capabilities, buttons before values, each group input, output, feature:
//   <type> button usage_page=0xPPPP report_id=R usages=0xMMMM-0xNNNN   (usage=0xUUUU when
//   not a range)
//   <type> value usage_page=0xPPPP usage=0xUUUU report_id=R bits=B count=C logical=L..H
// Returns false (text empty) for a malformed descriptor.
bool DescribeDescriptor(std::span<const uint8_t> descriptor, std::string& text);

// The collection line and capability lines of one parsed collection (number counts from 1).
std::string DescribeCollection(int number, const platform::HidPreparsedData& collection);

}  // namespace velmora::hidinfo
