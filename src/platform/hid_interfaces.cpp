#include "platform/hid_interfaces.h"

#include <algorithm>

#include "platform/hid_backend.h"

namespace velmora::platform {

std::vector<HidInterfaceInfo> SplitHidInterfaces(const std::string& node, const HidAttributes& attributes,
                                                 uint8_t interfaceNumber, std::span<const uint8_t> descriptor) {
  std::vector<HidPreparsedData> collections;
  std::vector<HidInterfaceInfo> interfaces;
  if (!ParseReportDescriptor(descriptor, collections) || collections.size() <= 1) {
    HidInterfaceInfo single;
    single.path = MakeHidInterfacePath(node, attributes, interfaceNumber, 0);
    if (collections.size() == 1) single.preparsed = std::move(collections[0]);
    interfaces.push_back(std::move(single));
    return interfaces;
  }
  for (size_t i = 0; i < collections.size() && i < 0xFFFF; ++i) {
    HidInterfaceInfo info;
    info.collection = static_cast<uint16_t>(i + 1);
    info.path = MakeHidInterfacePath(node, attributes, interfaceNumber, info.collection);
    info.preparsed = std::move(collections[i]);
    interfaces.push_back(std::move(info));
  }
  return interfaces;
}

bool HidNodeUsesReportIds(const std::vector<HidInterfaceInfo>& interfaces) {
  return std::any_of(interfaces.begin(), interfaces.end(),
                     [](const HidInterfaceInfo& i) { return i.preparsed.UsesReportIds(); });
}

const HidInterfaceInfo* FindHidInterfaceForReport(const std::vector<HidInterfaceInfo>& interfaces,
                                                  std::span<const uint8_t> report) {
  if (report.empty()) return nullptr;
  for (const HidInterfaceInfo& info : interfaces) {
    if (info.preparsed.HasReportId(report[0])) return &info;
  }
  return nullptr;
}

bool SplitHidInterfacePath(const std::string& path, std::string& node, std::string& identity) {
  const size_t hash = path.find('#');
  if (hash == std::string::npos) return false;
  node = path.substr(0, hash);
  identity = path.substr(hash + 1);
  return true;
}

}  // namespace velmora::platform
