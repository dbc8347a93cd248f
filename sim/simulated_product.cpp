#include "sim/simulated_product.h"

#include <string>

#include "sim/command_packet.h"
#include "sim/receiver_firmware.h"
#include "sim/report_descriptors.h"
#include "sim/simulated_interface.h"

namespace velmora::sim {

using platform::VirtualWriteResult;

namespace {

constexpr uint8_t kBootInterface = 0;
constexpr uint8_t kCommandInterface = 1;
constexpr uint8_t kHeadsetInterface = 3;
constexpr uint16_t kNotificationCollection = 3;
constexpr uint16_t kCommandCollection = 4;

bool IsMouse(ProductKind kind) {
  return kind == ProductKind::Mouse || kind == ProductKind::MouseReceiver;
}

// A stray reply: a well-formed reply to some other command.
Packet StrayReply(uint8_t strayCommand, uint8_t requestCommand) {
  Packet stray{};
  stray[0] = kCommandReportId;
  stray[kCommandByte] = strayCommand == requestCommand ? static_cast<uint8_t>(strayCommand ^ 0x80)
                                                       : strayCommand;
  SealPacket(stray);
  return stray;
}

}  // namespace

SimulatedProduct::SimulatedProduct(ProductKind kind, std::shared_ptr<CommandResponder> firmware,
                                   std::shared_ptr<TrafficLog> log)
    : kind_(kind), log_(std::move(log)) {
  if (IsReceiver(kind)) {
    receiver_ = std::make_shared<ReceiverFirmware>(std::move(firmware));
    firmware_ = receiver_;
  } else {
    firmware_ = std::move(firmware);
  }
}

SimulatedProduct::~SimulatedProduct() { Unplug(); }

uint8_t SimulatedProduct::CommandInterfaceNumber() const {
  return kind_ == ProductKind::Headset ? kHeadsetInterface : kCommandInterface;
}

std::vector<std::shared_ptr<platform::VirtualHidDevice>> SimulatedProduct::MakeInterfaces() {
  const auto& id = Identity();
  const platform::HidAttributes attributes{id.vendorId, id.productId, id.version};
  std::weak_ptr<SimulatedProduct> self = weak_from_this();
  auto handlerFor = [self](uint8_t interfaceNumber) {
    return [self, interfaceNumber](std::span<const uint8_t> report, bool controlPipe) {
      auto product = self.lock();
      return product ? product->OnReport(interfaceNumber, report, controlPipe) : VirtualWriteResult::Failed;
    };
  };
  std::vector<std::shared_ptr<platform::VirtualHidDevice>> interfaces;
  if (kind_ == ProductKind::Headset) {
    interfaces.push_back(std::make_shared<SimulatedInterface>(
        attributes, kHeadsetInterface, HeadsetDescriptor(), handlerFor(kHeadsetInterface)));
    return interfaces;
  }
  interfaces.push_back(std::make_shared<SimulatedInterface>(
      attributes, kBootInterface, IsMouse(kind_) ? BootMouseDescriptor() : BootKeyboardDescriptor(),
      handlerFor(kBootInterface)));
  interfaces.push_back(std::make_shared<SimulatedInterface>(
      attributes, kCommandInterface, CommandInterfaceDescriptor(), handlerFor(kCommandInterface)));
  return interfaces;
}

void SimulatedProduct::Plug(const std::shared_ptr<platform::VirtualHidBus>& bus) {
  std::lock_guard lock(plugMutex_);
  if (!plugged_.empty()) return;
  bus_ = bus;
  for (auto& device : MakeInterfaces()) {
    plugged_.push_back({device->InterfaceNumber(), bus->Plug(device)});
  }
}

void SimulatedProduct::Unplug() {
  std::lock_guard lock(plugMutex_);
  if (auto bus = bus_.lock()) {
    for (const auto& p : plugged_) bus->Unplug(p.node);
  }
  plugged_.clear();
  bus_.reset();
}

bool SimulatedProduct::Plugged() const {
  std::lock_guard lock(plugMutex_);
  return !plugged_.empty();
}

std::string SimulatedProduct::PathOf(uint8_t interfaceNumber, uint16_t collection) const {
  std::lock_guard lock(plugMutex_);
  const auto& id = Identity();
  for (const auto& p : plugged_) {
    if (p.interfaceNumber != interfaceNumber) continue;
    return platform::MakeHidInterfacePath("virtual:" + std::to_string(p.node),
                                          {id.vendorId, id.productId, id.version}, interfaceNumber,
                                          collection);
  }
  return {};
}

std::string SimulatedProduct::CommandPath() const {
  return kind_ == ProductKind::Headset ? PathOf(kHeadsetInterface, 0)
                                       : PathOf(kCommandInterface, kCommandCollection);
}

std::string SimulatedProduct::NotificationPath() const {
  return kind_ == ProductKind::Headset ? PathOf(kHeadsetInterface, 0)
                                       : PathOf(kCommandInterface, kNotificationCollection);
}

VirtualWriteResult SimulatedProduct::OnReport(uint8_t interfaceNumber, std::span<const uint8_t> report,
                                              bool controlPipe) {
  TrafficEntry entry{kind_, interfaceNumber, controlPipe, {report.begin(), report.end()},
                     VirtualWriteResult::Accepted};
  VirtualWriteResult result = VirtualWriteResult::Accepted;
  if (interfaceNumber == CommandInterfaceNumber() && entry.IsCommand()) {
    result = OnCommand(report);
  } else if (kind_ == ProductKind::Headset && !report.empty() &&
             report[0] == HeadsetLightState::kReportId) {
    headsetLight_.Apply(report);
  }
  entry.result = result;
  log_->Record(std::move(entry));
  return result;
}

VirtualWriteResult SimulatedProduct::OnCommand(std::span<const uint8_t> report) {
  std::lock_guard answer(answerMutex_);
  const Packet request = ToPacket(report);
  const std::optional<Fault> fault = faults_.Take(CommandOf(request));
  const auto hit = [&fault](FaultKind kind) { return fault && fault->kind == kind; };
  if (hit(FaultKind::FailWrite)) return VirtualWriteResult::Failed;
  if (hit(FaultKind::StallWrite)) return VirtualWriteResult::Stalled;
  const bool checksumOk = ChecksumMatches(request);
  if (!checksumOk) ++badChecksums_;
  if (hit(FaultKind::NoReply)) return VirtualWriteResult::Accepted;
  if (hit(FaultKind::UnplugBeforeReply)) {
    Unplug();
    return VirtualWriteResult::Accepted;
  }
  if (hit(FaultKind::UnlinkBeforeReply)) SetLinked(false);
  const Packet reply = Answer(request, fault, checksumOk);
  if (hit(FaultKind::StrayReply)) {
    const Packet stray = StrayReply(fault->strayCommand, CommandOf(request));
    for (int i = 0; i < fault->strayReplies; ++i) Deliver(CommandInterfaceNumber(), stray);
  }
  Deliver(CommandInterfaceNumber(), reply);
  return VirtualWriteResult::Accepted;
}

Packet SimulatedProduct::Answer(const Packet& request, const std::optional<Fault>& fault, bool checksumOk) {
  std::optional<uint8_t> refusal;
  if (fault && fault->kind == FaultKind::ErrorStatus) {
    refusal = fault->status;
  } else if (!checksumOk && rejectBadChecksum_.load()) {
    refusal = kStatusError;
  }
  if (!refusal) return firmware_->Respond(request);
  Packet reply = MakeReply(request, *refusal);
  SealPacket(reply);
  return reply;
}

bool SimulatedProduct::Deliver(uint8_t interfaceNumber, std::span<const uint8_t> report) {
  std::shared_ptr<platform::VirtualHidBus> bus;
  int node = -1;
  {
    std::lock_guard lock(plugMutex_);
    bus = bus_.lock();
    for (const auto& p : plugged_) {
      if (p.interfaceNumber == interfaceNumber) node = p.node;
    }
  }
  if (!bus || node < 0) return false;
  bus->DeliverInput(node, report);
  return true;
}

bool SimulatedProduct::SendNotification(uint16_t code) {
  const uint8_t report[] = {kNotificationReportId, static_cast<uint8_t>(code & 0xFF),
                            static_cast<uint8_t>(code >> 8)};
  return Deliver(CommandInterfaceNumber(), report);
}

bool SimulatedProduct::SendProfileReport(uint8_t kind, uint8_t value) {
  return SendNotification(static_cast<uint16_t>((kind << 8) | value));
}

void SimulatedProduct::SetLinked(bool linked) {
  if (receiver_) receiver_->SetLinked(linked);
}

bool SimulatedProduct::Linked() const { return receiver_ ? receiver_->Linked() : true; }

}  // namespace velmora::sim
