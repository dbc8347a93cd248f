#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/hid_backend.h"

namespace velmora::hidinfo {

// One HID interface path as the program sees it.
struct InterfaceInfo {
  std::string path;
  bool opened = false;  // false: the interface could not be opened, the fields below are 0
  platform::HidAttributes attributes;
  uint16_t interfaceNumber = 0;   // from "&mi_" in the path
  uint16_t collectionNumber = 0;  // from "&col" in the path, 0 without
  platform::HidpCaps caps;
  int supportedRow = -1;  // the supported-interface table row it matches, -1 for none
  bool readWrite = false;  // the program may open it for reading and writing
};

// Lists and opens (without read or write access) every interface of the backend. False when
// the listing itself fails.
bool ListInterfaces(platform::HidBackend& backend, std::vector<InterfaceInfo>& out);

// One line per interface:
//   <path> vendor=0xVVVV product=0xPPPP interface=I collection=C usage_page=0xUUUU
//   usage=0xUUUU input_len=I output_len=O feature_len=F access=read-write|denied
//   supported=row N (<family>, <kind>)
// ending in "supported=no" for no row, or "<path> cannot be opened" when it did not open.
std::string FormatInterface(const InterfaceInfo& info);

// True when some supported interface is there but cannot be opened for reading and writing
// (the usual cause: the udev rule is not installed).
bool SupportedInterfaceDenied(const std::vector<InterfaceInfo>& interfaces);

}  // namespace velmora::hidinfo
