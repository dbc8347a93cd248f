#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "platform/virtual_hid.h"
#include "sim/command_packet.h"
#include "sim/command_responder.h"
#include "sim/fault_injector.h"
#include "sim/headset_light_state.h"
#include "sim/product_catalog.h"
#include "sim/traffic_log.h"

namespace velmora::sim {

class ReceiverFirmware;

// One simulated USB product: its HID interfaces (boot interface 0 and command interface 1,
// or the headset's interface 3), the firmware that answers its command collection, the
// faults planned for that collection, and its notifications. Every output report any of its
// interfaces receives goes into the traffic log. Create with std::make_shared.
class SimulatedProduct : public std::enable_shared_from_this<SimulatedProduct> {
 public:
  SimulatedProduct(ProductKind kind, std::shared_ptr<CommandResponder> firmware,
                   std::shared_ptr<TrafficLog> log);
  ~SimulatedProduct();
  SimulatedProduct(const SimulatedProduct&) = delete;
  SimulatedProduct& operator=(const SimulatedProduct&) = delete;

  ProductKind Kind() const { return kind_; }
  const ProductIdentity& Identity() const { return IdentityOf(kind_); }
  // USB interface number of the command collection (1, or 3 for the headset).
  uint8_t CommandInterfaceNumber() const;
  // The paths the bus gives the command and notification collections while plugged
  // (empty when unplugged). The headset's single collection is both.
  std::string CommandPath() const;
  std::string NotificationPath() const;

  // Plugs every interface into the bus (no effect while plugged); Unplug takes them out.
  // Unplug may be called from any thread, also from inside a transfer.
  void Plug(const std::shared_ptr<platform::VirtualHidBus>& bus);
  void Unplug();
  bool Plugged() const;

  FaultInjector& Faults() { return faults_; }
  // When on, a command request whose checksum does not match is answered with status 0xFF
  // and not carried out; when off (the default) it is carried out. It is counted either way.
  void SetRejectBadChecksum(bool reject) { rejectBadChecksum_.store(reject); }
  size_t BadChecksums() const { return badChecksums_.load(); }

  // Sends a notification code on the consumer collection (report 3, code little-endian).
  // False while unplugged.
  bool SendNotification(uint16_t code);
  // A profile report: kind in the high byte (0x10 profile, 0x11 profile and stage or
  // secondary value), value in the low byte.
  bool SendProfileReport(uint8_t kind, uint8_t value);

  // Receiver link state; a product that is not a receiver is always linked.
  void SetLinked(bool linked);
  bool Linked() const;

  // Live colours set by the headset's light output reports.
  const HeadsetLightState& HeadsetLight() const { return headsetLight_; }

 private:
  struct PluggedInterface {
    uint8_t interfaceNumber;
    int node;
  };

  std::vector<std::shared_ptr<platform::VirtualHidDevice>> MakeInterfaces();
  platform::VirtualWriteResult OnReport(uint8_t interfaceNumber, std::span<const uint8_t> report,
                                        bool controlPipe);
  platform::VirtualWriteResult OnCommand(std::span<const uint8_t> report);
  // The reply to a request that reaches the firmware: a refusal for an error-status fault or
  // a rejected checksum, else the firmware's answer.
  Packet Answer(const Packet& request, const std::optional<Fault>& fault, bool checksumOk);
  bool Deliver(uint8_t interfaceNumber, std::span<const uint8_t> report);
  std::string PathOf(uint8_t interfaceNumber, uint16_t collection) const;

  const ProductKind kind_;
  std::shared_ptr<CommandResponder> firmware_;
  std::shared_ptr<ReceiverFirmware> receiver_;  // set for receivers
  std::shared_ptr<TrafficLog> log_;
  FaultInjector faults_;
  HeadsetLightState headsetLight_;
  std::atomic<bool> rejectBadChecksum_{false};
  std::atomic<size_t> badChecksums_{0};

  std::mutex answerMutex_;  // one request answered at a time, replies queued in order
  mutable std::mutex plugMutex_;
  std::weak_ptr<platform::VirtualHidBus> bus_;
  std::vector<PluggedInterface> plugged_;
};

}  // namespace velmora::sim
