#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "platform/hid_backend.h"

namespace velmora::platform {

enum class VirtualWriteResult {
  Accepted,  // the device took the report
  Failed,    // the write fails at once
  Stalled,   // the write never completes: it times out or is cancelled
};

// A simulated USB HID interface (what one hidraw node is): its identity, its report
// descriptor and its firmware. The bus splits the descriptor into top-level collections and
// hands out one path per collection, exactly as the hidraw backend does.
class VirtualHidDevice {
 public:
  virtual ~VirtualHidDevice() = default;
  virtual HidAttributes Attributes() const = 0;
  virtual uint8_t InterfaceNumber() const = 0;
  virtual std::vector<uint8_t> ReportDescriptor() const = 0;
  // The host wrote an output report (report-id byte first). Called on the writing thread,
  // with no bus lock held: the device may call VirtualHidBus::DeliverInput from here.
  virtual VirtualWriteResult OnOutputReport(std::span<const uint8_t> report) = 0;
  // The host sent an output report through the control pipe.
  virtual VirtualWriteResult OnSetOutputReport(std::span<const uint8_t> report) {
    return OnOutputReport(report);
  }
};

// In-process bus of simulated devices. Paths are "virtual:<node>#vid_…".
class VirtualHidBus : public HidBackend {
 public:
  VirtualHidBus();
  ~VirtualHidBus() override;

  // Plugs a device in; returns its node number.
  int Plug(std::shared_ptr<VirtualHidDevice> device);
  // Unplugs it: pending and later transfers on its connections fail, Exists turns false.
  void Unplug(int node);
  // Delivers an input report (report-id byte first) to every open connection of the
  // collection that carries its report id, queued in arrival order.
  void DeliverInput(int node, std::span<const uint8_t> report);

  bool EnumeratePaths(std::vector<std::string>& paths) override;
  std::shared_ptr<HidConnection> Open(const std::string& path, const HidOpenFlags& flags) override;
  bool Exists(const std::string& path) override;

 private:
  struct State;
  std::shared_ptr<State> state_;
};

}  // namespace velmora::platform
