#pragma once

// Real and simulated devices side by side (demo mode): "virtual:" paths go to the bus of
// simulated devices, every other path to the other backend.
#include <memory>

#include "platform/hid_backend.h"
#include "platform/virtual_hid.h"

namespace velmora::platform {

class CompositeHidBackend : public HidBackend {
 public:
  CompositeHidBackend(std::shared_ptr<VirtualHidBus> bus, std::shared_ptr<HidBackend> other);

  // Lists the other backend's paths, then the bus's. Fails only when both listings fail.
  bool EnumeratePaths(std::vector<std::string>& paths) override;
  std::shared_ptr<HidConnection> Open(const std::string& path, const HidOpenFlags& flags) override;
  bool Exists(const std::string& path) override;

 private:
  HidBackend* Route(const std::string& path) const;

  std::shared_ptr<VirtualHidBus> bus_;
  std::shared_ptr<HidBackend> other_;
};

// True for the paths of simulated devices.
bool IsVirtualHidPath(const std::string& path);

}  // namespace velmora::platform
