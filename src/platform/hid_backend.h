#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/hid_descriptor.h"
#include "platform/hid_types.h"

namespace velmora::platform {

struct HidOpenFlags {
  bool read = false;
  bool write = false;
  bool overlapped = false;
  bool exclusive = false;
};

enum class HidIoStatus { Ok, TimedOut, Cancelled, Failed };

// One open top-level collection of a HID interface.
class HidConnection {
 public:
  virtual ~HidConnection() = default;

  virtual const HidAttributes& Attributes() const = 0;
  virtual const HidPreparsedData& PreparsedData() const = 0;

  // Reads one input report of this collection (other collections' reports are skipped). The
  // buffer receives the report-id byte first, as on Windows (0 for a collection without
  // report ids). A report longer than the buffer is cut. timeoutMs may be kInfinite. On a
  // time-out no read stays outstanding.
  virtual HidIoStatus Read(std::span<uint8_t> buffer, size_t& transferred, uint32_t timeoutMs) = 0;
  // Writes one output report (report-id byte first).
  virtual HidIoStatus Write(std::span<const uint8_t> report, size_t& transferred, uint32_t timeoutMs) = 0;
  // Sends an output report through the control pipe (HidD_SetOutputReport).
  virtual bool SetOutputReport(std::span<const uint8_t> report) = 0;

  // Ends a pending Read or Write with Cancelled, from any thread, and makes every later one
  // return Cancelled at once: the connection is finished after it.
  virtual void Cancel() = 0;
};

// The machine's HID interfaces: one path per top-level collection.
class HidBackend {
 public:
  virtual ~HidBackend() = default;

  // Lists the interface paths present. False when the listing itself fails.
  virtual bool EnumeratePaths(std::vector<std::string>& paths) = 0;
  // Opens an interface; null on failure.
  virtual std::shared_ptr<HidConnection> Open(const std::string& path, const HidOpenFlags& flags) = 0;
  // "Open with no access": true while the interface still exists with the same identity.
  virtual bool Exists(const std::string& path) = 0;
};

// The process's backend: hidraw unless another was installed.
HidBackend& ActiveHidBackend();
// Installs backend as the process's backend; returns the previous one (null for the default).
std::shared_ptr<HidBackend> InstallHidBackend(std::shared_ptr<HidBackend> backend);

// Installs a backend for the lifetime of the scope.
class ScopedHidBackend {
 public:
  explicit ScopedHidBackend(std::shared_ptr<HidBackend> backend)
      : previous_(InstallHidBackend(std::move(backend))) {}
  ~ScopedHidBackend() { InstallHidBackend(std::move(previous_)); }
  ScopedHidBackend(const ScopedHidBackend&) = delete;
  ScopedHidBackend& operator=(const ScopedHidBackend&) = delete;

 private:
  std::shared_ptr<HidBackend> previous_;
};

// Forms an interface path: "<node>#vid_XXXX&pid_XXXX&mi_XX" plus "&colXX" when collection > 0.
std::string MakeHidInterfacePath(const std::string& node, const HidAttributes& attributes,
                                 uint8_t interfaceNumber, uint16_t collection);

}  // namespace velmora::platform
