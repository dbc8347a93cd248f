#include <algorithm>

#include "platform/debug_output.h"
#include "transport/device_channel.h"
#include "transport/packet_log.h"

namespace velmora::transport {
namespace {

using platform::CriticalSectionLock;

// The request as a 64-byte packet: a shorter one is followed by zeros, a longer one is cut.
Packet PadRequest(std::span<const uint8_t> request) {
  Packet packet{};
  std::copy_n(request.begin(), std::min(request.size(), packet.size()), packet.begin());
  return packet;
}

// Hands the caller the first bytes of the reply packet; never more than it holds.
void CopyReply(const Packet& packet, std::span<uint8_t> reply) {
  std::copy_n(packet.begin(), std::min(reply.size(), packet.size()), reply.begin());
}

// The reply as logged: its first length bytes, zero-padded to 64.
Packet ReplyAsLogged(const Packet& packet, size_t length) {
  Packet logged{};
  std::copy_n(packet.begin(), std::min(length, packet.size()), logged.begin());
  return logged;
}

}  // namespace

int CDeviceChannel::Exchange(std::span<const uint8_t> request, std::span<uint8_t> reply,
                             size_t* transferred) {
  if (transferred) *transferred = 0;
  ++busy_;
  int result = kResultNotDone;
  if (IsOpen() && !IsSuspended()) {
    Packet replyPacket{};
    result = LoggedTransfer(PadRequest(request), replyPacket, transferred);
    CopyReply(replyPacket, reply);
    if (result != kResultWriteFailed && platform::DebugOutputEnabled()) {
      LogPacket(kLogReplyTitle, ReplyAsLogged(replyPacket, reply.size()));
    }
  }
  --busy_;
  return result;
}

int CDeviceChannel::LoggedTransfer(const Packet& request, Packet& reply, size_t* transferred) {
  if (platform::DebugOutputEnabled()) LogPacket(kLogCommandTitle, request);
  const bool wireless = IsWireless();
  CHidDevice& device = wireless ? receiver_ : wired_;
  if (WritePacket(device, request, wireless ? kReceiverTimeoutMs : kCableTimeoutMs) <= 0) {
    return kResultWriteFailed;
  }
  return ReadMatchingReply(wireless, request[kPacketCommandOffset], reply, transferred);
}

int CDeviceChannel::WritePacket(CHidDevice& device, const Packet& request, uint32_t timeoutMs) {
  CriticalSectionLock lock(exchangeLock_);
  return device.WriteReport(request, nullptr, timeoutMs);
}

int CDeviceChannel::ReadMatchingReply(bool wireless, uint8_t command, Packet& reply,
                                      size_t* transferred) {
  CHidDevice& device = wireless ? receiver_ : wired_;
  const uint32_t timeoutMs = wireless ? kReceiverTimeoutMs : kCableTimeoutMs;
  CriticalSectionLock lock(exchangeLock_);
  reply.fill(0);
  int result = kResultNotDone;
  for (int attempt = 0; attempt < 2; ++attempt) {
    result = device.ReadReport(reply, transferred, timeoutMs);
    const uint8_t echoed = reply[kPacketCommandOffset];
    if (echoed == command) break;
    if (wireless && echoed == kReplyReceiverUnreachable) return kResultReceiverUnreachable;
  }
  return result;
}

int CDeviceChannel::ExchangeQuiet(std::span<const uint8_t> request, std::span<uint8_t> reply,
                                  size_t* transferred) {
  if (transferred) *transferred = 0;
  if (!IsOpen() || IsSuspended()) return kResultNotDone;
  const Packet packet = PadRequest(request);
  if (WritePacket(wired_, packet, kCableTimeoutMs) <= 0) return kResultWriteFailed;
  Packet replyPacket{};
  int result;
  {
    CriticalSectionLock lock(exchangeLock_);
    result = wired_.ReadReport(replyPacket, transferred, kCableTimeoutMs);
  }
  CopyReply(replyPacket, reply);
  return result;
}

}  // namespace velmora::transport
