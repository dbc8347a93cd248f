#pragma once

// Real HID devices through Linux hidraw: interfaces listed from sysfs, one per top-level
// collection of each node, opened on /dev/hidrawN.
#include <map>
#include <mutex>
#include <string>

#include "platform/hid_backend.h"
#include "platform/hid_interfaces.h"
#include "platform/hidraw_sysfs.h"

namespace velmora::platform {

class HidrawBackend : public HidBackend {
 public:
  // Both roots are configurable so tests can point them at a fixture tree.
  explicit HidrawBackend(std::string sysfsRoot = "/sys", std::string devRoot = "/dev");

  bool EnumeratePaths(std::vector<std::string>& paths) override;
  std::shared_ptr<HidConnection> Open(const std::string& path, const HidOpenFlags& flags) override;
  bool Exists(const std::string& path) override;

 private:
  struct Node {
    HidrawNodeInfo info;
    std::string devicePath;  // <devRoot>/hidrawN
    std::vector<HidInterfaceInfo> interfaces;
  };
  bool LoadNode(const std::string& name, Node& node) const;
  // The node and interface an interface path names, as the system shows them now.
  const HidInterfaceInfo* Resolve(const std::string& path, Node& node) const;
  void Remember(const Node& node);

  std::string sysfsRoot_;
  std::string devRoot_;
  std::mutex mutex_;
  std::map<std::string, size_t> collectionCounts_;  // node path -> interfaces seen last
};

}  // namespace velmora::platform
