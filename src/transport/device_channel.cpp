#include "transport/device_channel.h"

namespace velmora::transport {

void CDeviceChannel::SetConnection(int kind) {
  const bool receiver = kind == kConnectionReceiver;
  wireless_ = receiver ? 1 : 0;
  payloadPerPacket_ = receiver ? kReceiverPayloadPerPacket : kCablePayloadPerPacket;
}

int CDeviceChannel::OpenInterface(int kind, const std::string& path) {
  CHidDevice& device = kind == kConnectionReceiver ? receiver_ : wired_;
  platform::CriticalSectionLock lock(exchangeLock_);
  if (!device.Open(path, true, true, true, false)) return 0;
  open_ = 1;
  SetConnection(kind);
  return 1;
}

void CDeviceChannel::CloseInterface() {
  (IsWireless() ? receiver_ : wired_).Close();
  open_ = 0;
}

int CDeviceChannel::SetDataSize(uint32_t n) {
  if (n > kMaxDataSize) return 0;
  dataSize_ = static_cast<uint16_t>(n);
  return 1;
}

}  // namespace velmora::transport
