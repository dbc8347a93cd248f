#include "platform/composite_hid_backend.h"

namespace velmora::platform {

bool IsVirtualHidPath(const std::string& path) { return path.rfind("virtual:", 0) == 0; }

CompositeHidBackend::CompositeHidBackend(std::shared_ptr<VirtualHidBus> bus, std::shared_ptr<HidBackend> other)
    : bus_(std::move(bus)), other_(std::move(other)) {}

HidBackend* CompositeHidBackend::Route(const std::string& path) const {
  return IsVirtualHidPath(path) ? static_cast<HidBackend*>(bus_.get()) : other_.get();
}

bool CompositeHidBackend::EnumeratePaths(std::vector<std::string>& paths) {
  paths.clear();
  std::vector<std::string> part;
  bool anyListed = false;
  for (HidBackend* backend : {other_.get(), static_cast<HidBackend*>(bus_.get())}) {
    if (backend == nullptr || !backend->EnumeratePaths(part)) continue;
    anyListed = true;
    paths.insert(paths.end(), part.begin(), part.end());
  }
  return anyListed;
}

std::shared_ptr<HidConnection> CompositeHidBackend::Open(const std::string& path, const HidOpenFlags& flags) {
  HidBackend* backend = Route(path);
  return backend ? backend->Open(path, flags) : nullptr;
}

bool CompositeHidBackend::Exists(const std::string& path) {
  HidBackend* backend = Route(path);
  return backend && backend->Exists(path);
}

}  // namespace velmora::platform
