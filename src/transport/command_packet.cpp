#include "transport/command_packet.h"

namespace velmora::transport {

uint16_t PacketChecksum(std::span<const uint8_t, kPacketSize> packet) {
  uint32_t sum = 0;
  for (size_t i = kPacketCommandOffset; i < kPacketSize; ++i) sum += packet[i];
  return static_cast<uint16_t>(sum & 0xFFFFu);
}

void StoreChecksum(std::span<uint8_t, kPacketSize> packet) {
  const uint16_t checksum = PacketChecksum(packet);
  packet[kPacketChecksumOffset] = static_cast<uint8_t>(checksum & 0xFF);
  packet[kPacketChecksumOffset + 1] = static_cast<uint8_t>(checksum >> 8);
}

void StoreChunkHeader(std::span<uint8_t, kPacketSize> packet, uint8_t length, uint16_t offset) {
  packet[kPacketLengthOffset] = length;
  packet[kPacketAddressOffset] = static_cast<uint8_t>(offset & 0xFF);
  packet[kPacketAddressOffset + 1] = static_cast<uint8_t>(offset >> 8);
}

}  // namespace velmora::transport
