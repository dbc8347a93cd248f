#pragma once

// What sysfs tells about one hidraw node: identity, report descriptor and USB interface.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/hid_types.h"

namespace velmora::platform {

struct HidrawNodeInfo {
  std::string name;  // "hidraw3"
  HidAttributes attributes;
  uint8_t interfaceNumber = 0;
  std::vector<uint8_t> descriptor;  // empty when it could not be read
};

// The hidraw node names under <sysfsRoot>/class/hidraw, in numeric order. False when the
// folder exists but cannot be listed (a missing folder is a machine without hidraw nodes).
bool ListHidrawNodes(const std::string& sysfsRoot, std::vector<std::string>& names);

// Reads the node's HID device: vendor and product from its uevent (HID_ID), the report
// descriptor, the USB interface number (bInterfaceNumber) and the device version
// (bcdDevice) of its USB ancestors. False when the node is not present in sysfs.
bool ReadHidrawNode(const std::string& sysfsRoot, const std::string& name, HidrawNodeInfo& info);

}  // namespace velmora::platform
