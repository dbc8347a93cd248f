#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace velmora::transport {

// The 64-byte command packet, used both as output report (request) and input report (reply).
inline constexpr size_t kPacketSize = 64;
using Packet = std::array<uint8_t, kPacketSize>;

inline constexpr uint8_t kCommandReportId = 4;

// Byte offsets inside a packet.
inline constexpr size_t kPacketReportIdOffset = 0;
inline constexpr size_t kPacketChecksumOffset = 1;  // 16 bits, little-endian
inline constexpr size_t kPacketCommandOffset = 3;
inline constexpr size_t kPacketLengthOffset = 4;    // chunk length or a command argument
inline constexpr size_t kPacketAddressOffset = 5;   // 16 bits, little-endian
inline constexpr size_t kPacketStatusOffset = 7;
inline constexpr size_t kPacketDataOffset = 8;
inline constexpr size_t kPacketDataCapacity = kPacketSize - kPacketDataOffset;  // 56

// Largest number of data bytes per packet on each connection.
inline constexpr uint8_t kCablePayloadPerPacket = 56;
inline constexpr uint8_t kReceiverPayloadPerPacket = 24;

// Reply command byte of a receiver whose device cannot be reached.
inline constexpr uint8_t kReplyReceiverUnreachable = 0xAA;
// Reply status bytes that report an error.
inline constexpr uint8_t kReplyStatusFF = 0xFF;
inline constexpr uint8_t kReplyStatusFE = 0xFE;
// Reply data byte 8 of a link query when the device behind the receiver is awake and linked.
inline constexpr uint8_t kLinkUp = 0xFF;

enum CommandCode : uint8_t {
  kCommandBeginConfig = 0x01,
  kCommandEndConfig = 0x02,
  kCommandReadDeviceInfo = 0x03,
  kCommandReadParams = 0x05,
  kCommandWriteParams = 0x06,
  kCommandReadKeyMap = 0x07,
  kCommandWriteKeyMap = 0x09,
  kCommandWriteColorTable = 0x0B,
  kCommandStreamLightFrame = 0x12,
  kCommandWriteMacroData = 0x15,
  kCommandWriteShootData = 0x17,
  kCommandReadStatus = 0x1A,
  kCommandReadLedMap = 0x1B,
  kCommandAnnounceLightControl = 0x1C,
  kCommandQueryLink = 0xAA,
};

// Sum of the unsigned values of bytes 3 to 63, low 16 bits.
uint16_t PacketChecksum(std::span<const uint8_t, kPacketSize> packet);
// Computes the checksum of the packet as it stands and stores it at bytes 1 and 2.
void StoreChecksum(std::span<uint8_t, kPacketSize> packet);
// Sets byte 4 (chunk length or argument) and bytes 5-6 (offset, little-endian).
void StoreChunkHeader(std::span<uint8_t, kPacketSize> packet, uint8_t length, uint16_t offset);

}  // namespace velmora::transport
