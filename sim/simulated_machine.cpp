#include "sim/simulated_machine.h"

#include "sim/factory_memory.h"

namespace velmora::sim {

SimulatedMachine::SimulatedMachine()
    : bus_(std::make_shared<platform::VirtualHidBus>()),
      log_(std::make_shared<TrafficLog>()),
      keyboard_(std::make_shared<DeviceFirmware>(KeyboardFactoryMemory())),
      mouse_(std::make_shared<DeviceFirmware>(MouseFactoryMemory())),
      mousePad_(std::make_shared<DeviceFirmware>(MousePadFactoryMemory())),
      headset_(std::make_shared<DeviceFirmware>(HeadsetFactoryMemory())) {
  for (ProductKind kind : kAllProducts) {
    products_[static_cast<size_t>(kind)] = std::make_shared<SimulatedProduct>(
        kind, FirmwareOf(kind), log_);
  }
}

SimulatedMachine::~SimulatedMachine() {
  for (auto& product : products_) product->Unplug();
}

void SimulatedMachine::PlugAll() {
  for (ProductKind kind : kAllProducts) Plug(kind);
}

void SimulatedMachine::Plug(ProductKind kind) { Product(kind).Plug(bus_); }

void SimulatedMachine::Unplug(ProductKind kind) { Product(kind).Unplug(); }

bool SimulatedMachine::SwitchProfileOnDevice(ProductKind kind, uint8_t profile) {
  constexpr uint8_t kProfileReport = 0x10;
  const uint8_t value = static_cast<uint8_t>(profile & 0x0F);
  const uint8_t activeProfile[] = {value};
  Firmware(kind).Load(MemoryArea::Parameters, 0, activeProfile);
  return Product(kind).SendProfileReport(kProfileReport, value);
}

SimulatedProduct& SimulatedMachine::Product(ProductKind kind) {
  return *products_[static_cast<size_t>(kind)];
}

const std::shared_ptr<DeviceFirmware>& SimulatedMachine::FirmwareOf(ProductKind kind) const {
  switch (kind) {
    case ProductKind::Keyboard:
    case ProductKind::KeyboardReceiver: return keyboard_;
    case ProductKind::Mouse:
    case ProductKind::MouseReceiver: return mouse_;
    case ProductKind::MousePad: return mousePad_;
    case ProductKind::Headset: return headset_;
  }
  return keyboard_;
}

}  // namespace velmora::sim
