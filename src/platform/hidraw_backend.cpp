#include "platform/hidraw_backend.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/hidraw_connection.h"
#include "platform/paths.h"

namespace velmora::platform {

HidrawBackend::HidrawBackend(std::string sysfsRoot, std::string devRoot)
    : sysfsRoot_(std::move(sysfsRoot)), devRoot_(std::move(devRoot)) {}

bool HidrawBackend::LoadNode(const std::string& name, Node& node) const {
  if (!ReadHidrawNode(sysfsRoot_, name, node.info)) return false;
  node.devicePath = JoinPath(devRoot_, name);
  node.interfaces = SplitHidInterfaces(node.devicePath, node.info.attributes, node.info.interfaceNumber,
                                       node.info.descriptor);
  return true;
}

void HidrawBackend::Remember(const Node& node) {
  std::lock_guard lock(mutex_);
  collectionCounts_[node.devicePath] = node.interfaces.size();
}

bool HidrawBackend::EnumeratePaths(std::vector<std::string>& paths) {
  paths.clear();
  std::vector<std::string> names;
  if (!ListHidrawNodes(sysfsRoot_, names)) return false;
  for (const std::string& name : names) {
    Node node;
    if (!LoadNode(name, node)) continue;  // vanished while listing
    Remember(node);
    for (const HidInterfaceInfo& info : node.interfaces) paths.push_back(info.path);
  }
  return true;
}

const HidInterfaceInfo* HidrawBackend::Resolve(const std::string& path, Node& node) const {
  std::string nodePath, identity;
  if (!SplitHidInterfacePath(path, nodePath, identity)) return nullptr;
  const size_t slash = nodePath.rfind('/');
  const std::string name = slash == std::string::npos ? nodePath : nodePath.substr(slash + 1);
  if (!LoadNode(name, node) || node.devicePath != nodePath) return nullptr;
  for (const HidInterfaceInfo& info : node.interfaces) {
    if (info.path == path) return &info;
  }
  return nullptr;
}

std::shared_ptr<HidConnection> HidrawBackend::Open(const std::string& path, const HidOpenFlags& flags) {
  Node node;
  const HidInterfaceInfo* info = Resolve(path, node);
  if (info == nullptr) return nullptr;
  int mode = O_PATH;  // neither read nor write: a handle without access, as Windows allows
  if (flags.read && flags.write) {
    mode = O_RDWR;
  } else if (flags.read) {
    mode = O_RDONLY;
  } else if (flags.write) {
    mode = O_WRONLY;
  }
  const int fd = open(node.devicePath.c_str(), mode | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  Remember(node);
  auto connection = std::make_shared<HidrawConnection>(fd, node.info.attributes, info->preparsed,
                                                       HidNodeUsesReportIds(node.interfaces));
  if (!connection->Valid()) return nullptr;
  return connection;
}

bool HidrawBackend::Exists(const std::string& path) {
  Node node;
  if (Resolve(path, node) == nullptr) return false;
  struct stat status {};
  if (stat(node.devicePath.c_str(), &status) != 0) return false;
  // A different device on the same node number may split into a different number of
  // collections while keeping this path's text: that is not the interface seen before.
  std::lock_guard lock(mutex_);
  const auto seen = collectionCounts_.find(node.devicePath);
  return seen == collectionCounts_.end() || seen->second == node.interfaces.size();
}

}  // namespace velmora::platform
