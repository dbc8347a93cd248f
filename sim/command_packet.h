#pragma once

#include <cstdint>
#include <span>

#include "transport/command_packet.h"

namespace velmora::sim {

// The 64-byte command report as the firmware sees it: report id, checksum of bytes 3-63
// (little-endian at 1-2), command, chunk length, chunk offset (little-endian at 5-6), status,
// then up to 56 data bytes. Layout and command codes are the host's (transport/command_packet.h);
// the checksum is verified here on its own, so that a fault in the host's framing shows.
using transport::kCommandReportId;
using transport::kPacketSize;
using transport::Packet;
inline constexpr size_t kCommandByte = transport::kPacketCommandOffset;
inline constexpr size_t kLengthByte = transport::kPacketLengthOffset;
inline constexpr size_t kOffsetByte = transport::kPacketAddressOffset;
inline constexpr size_t kStatusByte = transport::kPacketStatusOffset;
inline constexpr size_t kDataByte = transport::kPacketDataOffset;
inline constexpr size_t kMaxChunk = transport::kPacketDataCapacity;

using transport::kCommandAnnounceLightControl;
using transport::kCommandBeginConfig;
using transport::kCommandEndConfig;
using transport::kCommandQueryLink;
using transport::kCommandReadDeviceInfo;
using transport::kCommandReadKeyMap;
using transport::kCommandReadLedMap;
using transport::kCommandReadParams;
using transport::kCommandReadStatus;
using transport::kCommandStreamLightFrame;
using transport::kCommandWriteColorTable;
using transport::kCommandWriteKeyMap;
using transport::kCommandWriteMacroData;
using transport::kCommandWriteParams;
using transport::kCommandWriteShootData;

// Reply status bytes. 0xFF is what the firmware answers to a request it cannot carry out
// (outside the block, chunk too long, bad checksum when checked); 0xFE to a command it does
// not know.
inline constexpr uint8_t kStatusOk = 0x00;
inline constexpr uint8_t kStatusError = transport::kReplyStatusFF;
inline constexpr uint8_t kStatusUnsupported = transport::kReplyStatusFE;
// Command byte of every reply a receiver gives while its device is not reachable.
inline constexpr uint8_t kUnreachableCommand = transport::kReplyReceiverUnreachable;
// QueryLink reply data byte 8 while the device behind a receiver is linked.
inline constexpr uint8_t kLinkedMark = transport::kLinkUp;

// Sum of bytes 3-63 (low 16 bits). A shorter span counts the bytes it has.
uint16_t PacketChecksum(std::span<const uint8_t> packet);
// True when bytes 1-2 hold PacketChecksum (false for a packet shorter than 64 bytes).
bool ChecksumMatches(std::span<const uint8_t> packet);
// Writes PacketChecksum into bytes 1-2.
void SealPacket(Packet& packet);

// Copies a report into a packet, zero-padded or cut at 64 bytes.
Packet ToPacket(std::span<const uint8_t> report);

uint8_t CommandOf(const Packet& packet);
uint8_t ChunkLength(const Packet& packet);
uint16_t ChunkOffset(const Packet& packet);

// A reply header echoing the request's command, length and offset, with the given status
// and no data; not yet sealed.
Packet MakeReply(const Packet& request, uint8_t status);

}  // namespace velmora::sim
