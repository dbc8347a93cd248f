#pragma once

// How one HID node (a USB HID interface with one report descriptor) becomes interfaces:
// one per top-level collection, as Windows presents them. Shared by every backend so real
// and simulated devices get the same paths and report routing.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/hid_descriptor.h"
#include "platform/hid_types.h"

namespace velmora::platform {

struct HidInterfaceInfo {
  std::string path;
  uint16_t collection = 0;  // 1-based; 0 when the node is a single interface
  HidPreparsedData preparsed;
};

// The node's interfaces in descriptor order: numbered collections when there are two or
// more; a single un-numbered one for one collection, and one without capabilities when the
// descriptor is malformed or holds no collection (nothing will claim it then).
std::vector<HidInterfaceInfo> SplitHidInterfaces(const std::string& node, const HidAttributes& attributes,
                                                 uint8_t interfaceNumber, std::span<const uint8_t> descriptor);

// True when some collection of the node numbers its reports (the first byte of every report
// is then its id).
bool HidNodeUsesReportIds(const std::vector<HidInterfaceInfo>& interfaces);

// The interface of the node that carries this report (report-id byte first); null when none does.
const HidInterfaceInfo* FindHidInterfaceForReport(const std::vector<HidInterfaceInfo>& interfaces,
                                                  std::span<const uint8_t> report);

// Splits an interface path into its node and the identity that follows '#'. False when the
// path has no '#'.
bool SplitHidInterfacePath(const std::string& path, std::string& node, std::string& identity);

}  // namespace velmora::platform
