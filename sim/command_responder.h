#pragma once

#include "sim/command_packet.h"

namespace velmora::sim {

// Something that answers command packets: a device's firmware, or a receiver in front of one.
class CommandResponder {
 public:
  virtual ~CommandResponder() = default;
  // Carries out one request and returns the sealed reply. Thread-safe.
  virtual Packet Respond(const Packet& request) = 0;
};

}  // namespace velmora::sim
