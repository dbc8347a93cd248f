#include "sim/command_packet.h"

#include <algorithm>

namespace velmora::sim {

uint16_t PacketChecksum(std::span<const uint8_t> packet) {
  uint32_t sum = 0;
  for (size_t i = kCommandByte; i < packet.size() && i < kPacketSize; ++i) sum += packet[i];
  return static_cast<uint16_t>(sum & 0xFFFF);
}

bool ChecksumMatches(std::span<const uint8_t> packet) {
  if (packet.size() < kPacketSize) return false;
  const uint16_t stored = static_cast<uint16_t>(packet[1] | (packet[2] << 8));
  return stored == PacketChecksum(packet);
}

void SealPacket(Packet& packet) {
  const uint16_t sum = PacketChecksum(packet);
  packet[1] = static_cast<uint8_t>(sum & 0xFF);
  packet[2] = static_cast<uint8_t>(sum >> 8);
}

Packet ToPacket(std::span<const uint8_t> report) {
  Packet packet{};
  std::copy_n(report.begin(), std::min(report.size(), kPacketSize), packet.begin());
  return packet;
}

uint8_t CommandOf(const Packet& packet) { return packet[kCommandByte]; }
uint8_t ChunkLength(const Packet& packet) { return packet[kLengthByte]; }
uint16_t ChunkOffset(const Packet& packet) {
  return static_cast<uint16_t>(packet[kOffsetByte] | (packet[kOffsetByte + 1] << 8));
}

Packet MakeReply(const Packet& request, uint8_t status) {
  Packet reply{};
  reply[0] = kCommandReportId;
  reply[kCommandByte] = request[kCommandByte];
  reply[kLengthByte] = request[kLengthByte];
  reply[kOffsetByte] = request[kOffsetByte];
  reply[kOffsetByte + 1] = request[kOffsetByte + 1];
  reply[kStatusByte] = status;
  return reply;
}

}  // namespace velmora::sim
