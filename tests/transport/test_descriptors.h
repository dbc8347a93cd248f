#pragma once

#include <cstdint>
#include <vector>

#include "platform/hid_descriptor.h"

namespace velmora::transport::testing {

// A mouse-like collection with two reports.
// Report 1: buttons 1-3 and buttons 4-8 (two ranged button capabilities), X (-127..127).
// Report 2: wheel, then X, Y, Z as one ranged value capability (0..255).
inline const std::vector<uint8_t> kTwoReportDescriptor = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,              // Generic Desktop, Mouse, Application
    0x85, 0x01,                                      // Report ID 1
    0x05, 0x09, 0x19, 0x01, 0x29, 0x03,              // Buttons 1-3
    0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x03, 0x81, 0x02,
    0x19, 0x04, 0x29, 0x08, 0x95, 0x05, 0x81, 0x02,  // Buttons 4-8
    0x05, 0x01, 0x09, 0x30,                          // X
    0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x01, 0x81, 0x06,
    0x85, 0x02,                                      // Report ID 2
    0x09, 0x38, 0x81, 0x06,                          // Wheel
    0x19, 0x30, 0x29, 0x32,                          // X..Z
    0x15, 0x00, 0x26, 0xFF, 0x00, 0x95, 0x03, 0x81, 0x02,
    0xC0,
};

// One collection of eight buttons 1-8 in a report without report id.
inline const std::vector<uint8_t> kEightButtonDescriptor = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,
    0x05, 0x09, 0x19, 0x01, 0x29, 0x08,
    0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02,
    0xC0,
};

// The parsed form of a descriptor's only (first) collection.
inline platform::HidPreparsedData ParseFirstCollection(const std::vector<uint8_t>& descriptor) {
  std::vector<platform::HidPreparsedData> collections;
  platform::ParseReportDescriptor(descriptor, collections);
  return collections.empty() ? platform::HidPreparsedData{} : collections.front();
}

}  // namespace velmora::transport::testing
