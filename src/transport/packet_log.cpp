#include "transport/packet_log.h"

#include <cstdio>

#include "platform/debug_output.h"

namespace velmora::transport {

std::string FormatPacketLine(std::span<const uint8_t, kPacketSize / 2> b) {
  char line[128];
  const int n = std::snprintf(
      line, sizeof line,
      "%02x %02x %02x %02x   %02x %02x %02x %02x   %02x %02x %02x %02x   %02x %02x %02x %02x  "
      "%02x %02x %02x %02x  %02x %02x %02x %02x  %02x %02x %02x %02x  %02x %02x %02x %02x",
      b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13],
      b[14], b[15], b[16], b[17], b[18], b[19], b[20], b[21], b[22], b[23], b[24], b[25], b[26],
      b[27], b[28], b[29], b[30], b[31]);
  return std::string(line, n > 0 ? static_cast<size_t>(n) : 0);
}

void LogPacket(std::string_view title, std::span<const uint8_t, kPacketSize> packet) {
  platform::DebugOutput(title);
  platform::DebugOutput(FormatPacketLine(packet.first<kPacketSize / 2>()));
  platform::DebugOutput(FormatPacketLine(packet.last<kPacketSize / 2>()));
}

}  // namespace velmora::transport
