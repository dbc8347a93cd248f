#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "sim/command_packet.h"

namespace velmora::sim::testing {

// A sealed request as the host frames it: command, chunk length, offset, data from byte 8.
inline Packet Request(uint8_t command, uint8_t length = 0, uint16_t offset = 0,
                      std::initializer_list<uint8_t> data = {}) {
  Packet p{};
  p[0] = kCommandReportId;
  p[kCommandByte] = command;
  p[kLengthByte] = length;
  p[kOffsetByte] = static_cast<uint8_t>(offset & 0xFF);
  p[kOffsetByte + 1] = static_cast<uint8_t>(offset >> 8);
  size_t i = kDataByte;
  for (uint8_t b : data) p[i++] = b;
  SealPacket(p);
  return p;
}

inline std::vector<uint8_t> DataOf(const Packet& reply, size_t length) {
  return {reply.begin() + kDataByte, reply.begin() + kDataByte + static_cast<std::ptrdiff_t>(length)};
}

}  // namespace velmora::sim::testing
