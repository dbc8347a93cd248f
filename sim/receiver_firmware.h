#pragma once

#include <atomic>
#include <memory>

#include "sim/command_responder.h"

namespace velmora::sim {

// A 2.4 GHz receiver: while its device is linked it passes every request on and returns the
// device's reply; while unlinked every reply carries command byte 0xAA. QueryLink (0xAA) is
// answered by the receiver itself: data byte 8 is 0xFF while linked, 0 otherwise.
class ReceiverFirmware : public CommandResponder {
 public:
  explicit ReceiverFirmware(std::shared_ptr<CommandResponder> device, bool linked = true);

  Packet Respond(const Packet& request) override;

  void SetLinked(bool linked) { linked_.store(linked); }
  bool Linked() const { return linked_.load(); }

 private:
  std::shared_ptr<CommandResponder> device_;
  std::atomic<bool> linked_;
};

}  // namespace velmora::sim
