#pragma once

#include <span>
#include <string>
#include <string_view>

#include "transport/command_packet.h"

namespace velmora::transport {

// Title lines of the exchange log.
inline constexpr std::string_view kLogCommandTitle = "命令";
inline constexpr std::string_view kLogReplyTitle = "返回";
inline constexpr std::string_view kLogLightDropped = "放弃灯光数据";

// One 32-byte half of a packet as a log line: hex bytes in groups of four, three blanks
// between the first four groups and two between the others.
std::string FormatPacketLine(std::span<const uint8_t, kPacketSize / 2> bytes);

// Sends the title, then the packet as two 32-byte lines, to the debugger output channel.
void LogPacket(std::string_view title, std::span<const uint8_t, kPacketSize> packet);

}  // namespace velmora::transport
