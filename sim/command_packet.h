#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace velmora::sim {

// The 64-byte command report as the firmware sees it: report id, checksum of bytes 3-63
// (little-endian at 1-2), command, chunk length, chunk offset (little-endian at 5-6), status,
// then up to 56 data bytes.
inline constexpr size_t kPacketSize = 64;
inline constexpr uint8_t kCommandReportId = 4;
inline constexpr size_t kCommandByte = 3;
inline constexpr size_t kLengthByte = 4;
inline constexpr size_t kOffsetByte = 5;
inline constexpr size_t kStatusByte = 7;
inline constexpr size_t kDataByte = 8;
inline constexpr size_t kMaxChunk = kPacketSize - kDataByte;

using Packet = std::array<uint8_t, kPacketSize>;

// Command codes the firmware answers.
enum CommandCode : uint8_t {
  kCmdBeginConfig = 0x01,
  kCmdEndConfig = 0x02,
  kCmdReadDeviceInfo = 0x03,
  kCmdReadParams = 0x05,
  kCmdWriteParams = 0x06,
  kCmdReadKeyMap = 0x07,
  kCmdWriteKeyMap = 0x09,
  kCmdWriteColorTable = 0x0B,
  kCmdStreamLightFrame = 0x12,
  kCmdWriteMacroData = 0x15,
  kCmdWriteShootData = 0x17,
  kCmdReadStatus = 0x1A,
  kCmdReadLedMap = 0x1B,
  kCmdAnnounceLightControl = 0x1C,
  kCmdQueryLink = 0xAA,
};

// Reply status bytes. 0xFF is what the firmware answers to a request it cannot carry out
// (outside the block, chunk too long, bad checksum when checked); 0xFE to a command it does
// not know.
inline constexpr uint8_t kStatusOk = 0x00;
inline constexpr uint8_t kStatusError = 0xFF;
inline constexpr uint8_t kStatusUnsupported = 0xFE;
// Command byte of every reply a receiver gives while its device is not reachable.
inline constexpr uint8_t kUnreachableCommand = 0xAA;
// QueryLink reply data byte 8 while the device behind a receiver is linked.
inline constexpr uint8_t kLinkedMark = 0xFF;

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
