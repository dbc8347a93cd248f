#include "sim/receiver_firmware.h"

namespace velmora::sim {

ReceiverFirmware::ReceiverFirmware(std::shared_ptr<CommandResponder> device, bool linked)
    : device_(std::move(device)), linked_(linked) {}

Packet ReceiverFirmware::Respond(const Packet& request) {
  const bool linked = linked_.load();
  if (CommandOf(request) == kCommandQueryLink) {
    Packet reply = MakeReply(request, kStatusOk);
    reply[kDataByte] = linked ? kLinkedMark : 0x00;
    SealPacket(reply);
    return reply;
  }
  if (linked && device_) return device_->Respond(request);
  Packet reply = MakeReply(request, kStatusOk);
  reply[kCommandByte] = kUnreachableCommand;
  SealPacket(reply);
  return reply;
}

}  // namespace velmora::sim
