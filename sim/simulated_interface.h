#pragma once

#include <functional>
#include <span>
#include <vector>

#include "platform/virtual_hid.h"

namespace velmora::sim {

// One USB HID interface of a simulated product as the virtual bus sees it: identity, report
// descriptor, and a handler that receives every output report (controlPipe is true for
// reports sent with SetOutputReport).
class SimulatedInterface : public platform::VirtualHidDevice {
 public:
  using Handler = std::function<platform::VirtualWriteResult(std::span<const uint8_t> report,
                                                             bool controlPipe)>;

  SimulatedInterface(platform::HidAttributes attributes, uint8_t interfaceNumber,
                     std::vector<uint8_t> descriptor, Handler handler);

  platform::HidAttributes Attributes() const override { return attributes_; }
  uint8_t InterfaceNumber() const override { return interfaceNumber_; }
  std::vector<uint8_t> ReportDescriptor() const override { return descriptor_; }
  platform::VirtualWriteResult OnOutputReport(std::span<const uint8_t> report) override;
  platform::VirtualWriteResult OnSetOutputReport(std::span<const uint8_t> report) override;

 private:
  platform::HidAttributes attributes_;
  uint8_t interfaceNumber_;
  std::vector<uint8_t> descriptor_;
  Handler handler_;
};

}  // namespace velmora::sim
