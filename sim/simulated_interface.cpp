#include "sim/simulated_interface.h"

namespace velmora::sim {

SimulatedInterface::SimulatedInterface(platform::HidAttributes attributes, uint8_t interfaceNumber,
                                       std::vector<uint8_t> descriptor, Handler handler)
    : attributes_(attributes),
      interfaceNumber_(interfaceNumber),
      descriptor_(std::move(descriptor)),
      handler_(std::move(handler)) {}

platform::VirtualWriteResult SimulatedInterface::OnOutputReport(std::span<const uint8_t> report) {
  return handler_(report, false);
}

platform::VirtualWriteResult SimulatedInterface::OnSetOutputReport(std::span<const uint8_t> report) {
  return handler_(report, true);
}

}  // namespace velmora::sim
