#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/virtual_hid.h"
#include "sim/device_firmware.h"
#include "sim/product_catalog.h"
#include "sim/simulated_product.h"
#include "sim/traffic_log.h"

namespace velmora::sim {

// A machine with every simulated product on one virtual HID bus: keyboard 505B and its
// receiver 5088 (which reaches the same keyboard), mouse 221C and its receiver 221D (the same
// mouse), mouse pad 1004 and headset 0C76:1630. Products start unplugged; one traffic log
// records what all of them receive. Install Bus() as the HID backend to let the program see
// them.
class SimulatedMachine {
 public:
  SimulatedMachine();
  ~SimulatedMachine();
  SimulatedMachine(const SimulatedMachine&) = delete;
  SimulatedMachine& operator=(const SimulatedMachine&) = delete;

  void PlugAll();
  void Plug(ProductKind kind);
  void Unplug(ProductKind kind);

  SimulatedProduct& Product(ProductKind kind);
  // The firmware a product's command collection reaches (for a receiver, the device behind it).
  DeviceFirmware& Firmware(ProductKind kind) { return *FirmwareOf(kind); }

  // The user switches profile on the device itself: the active profile byte (parameter
  // offset 0) becomes profile and the product reports it on its notification collection
  // (code 0x10nn with the profile in the low bits). False while the product is unplugged.
  bool SwitchProfileOnDevice(ProductKind kind, uint8_t profile);

  std::shared_ptr<platform::VirtualHidBus> Bus() const { return bus_; }
  TrafficLog& Log() { return *log_; }

 private:
  const std::shared_ptr<DeviceFirmware>& FirmwareOf(ProductKind kind) const;

  std::shared_ptr<platform::VirtualHidBus> bus_;
  std::shared_ptr<TrafficLog> log_;
  std::shared_ptr<DeviceFirmware> keyboard_, mouse_, mousePad_, headset_;
  std::array<std::shared_ptr<SimulatedProduct>, kAllProducts.size()> products_;
};

}  // namespace velmora::sim
