// The process-wide HID backend and the interface path form shared by every backend.
#include "platform/hid_backend.h"

#include <cstdio>
#include <mutex>

#include "platform/hidraw_backend.h"

namespace velmora::platform {

namespace {

std::mutex& BackendMutex() {
  static std::mutex mutex;
  return mutex;
}

std::shared_ptr<HidBackend>& InstalledBackend() {
  static std::shared_ptr<HidBackend> installed;
  return installed;
}

HidBackend& DefaultBackend() {
  static HidrawBackend backend;
  return backend;
}

}  // namespace

HidBackend& ActiveHidBackend() {
  // The reference handed out must stay valid even when another thread installs a different
  // backend meanwhile: the calling thread keeps the backend alive until its next call.
  thread_local std::shared_ptr<HidBackend> held;
  std::shared_ptr<HidBackend> current;
  {
    std::lock_guard lock(BackendMutex());
    current = InstalledBackend();
  }
  held = std::move(current);
  if (held) return *held;
  return DefaultBackend();
}

std::shared_ptr<HidBackend> InstallHidBackend(std::shared_ptr<HidBackend> backend) {
  std::lock_guard lock(BackendMutex());
  std::shared_ptr<HidBackend> previous = std::move(InstalledBackend());
  InstalledBackend() = std::move(backend);
  return previous;
}

std::string MakeHidInterfacePath(const std::string& node, const HidAttributes& attributes,
                                 uint8_t interfaceNumber, uint16_t collection) {
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, "#vid_%04x&pid_%04x&mi_%02x", attributes.vendorId, attributes.productId,
                interfaceNumber);
  std::string path = node + suffix;
  if (collection > 0) {
    std::snprintf(suffix, sizeof suffix, "&col%02x", collection);
    path += suffix;
  }
  return path;
}

}  // namespace velmora::platform
