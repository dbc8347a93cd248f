#include <algorithm>

#include "platform/clock.h"
#include "platform/debug_output.h"
#include "transport/device_channel.h"
#include "transport/packet_log.h"

namespace velmora::transport {
namespace {

using platform::CriticalSectionLock;

// Byte 0 = report id 4, byte 3 = command, status byte 0, everything else zero.
Packet FramedPacket(uint8_t command) {
  Packet packet{};
  packet[kPacketReportIdOffset] = kCommandReportId;
  packet[kPacketCommandOffset] = command;
  return packet;
}

}  // namespace

int CDeviceChannel::CheckReplyStatus(int result, const Packet& reply) {
  if (result != kResultOk) return result;
  if (reply[kPacketStatusOffset] == kReplyStatusFF) return kResultReplyStatusFF;
  if (reply[kPacketStatusOffset] == kReplyStatusFE) return kResultReplyStatusFE;
  return kResultOk;
}

int CDeviceChannel::SendChunk(Route route, const Packet& packet, Packet& reply) {
  switch (route) {
    case Route::CommandLock: {
      CriticalSectionLock lock(commandLock_);
      return Exchange(packet, reply, nullptr);
    }
    case Route::LightStreamLock: {
      CriticalSectionLock lock(lightStreamLock_);
      return Exchange(packet, reply, nullptr);
    }
    case Route::LightFrame:
      break;
  }
  if (IsBusy()) {
    if (platform::DebugOutputEnabled()) platform::DebugOutput(kLogLightDropped);
    return kResultOk;
  }
  if (IsWireless()) return kResultOk;
  CriticalSectionLock lock(lightStreamLock_);
  return ExchangeQuiet(packet, reply, nullptr);
}

int CDeviceChannel::SendSingle(uint8_t command, uint8_t argument, uint16_t offset, Packet& reply) {
  Packet packet = FramedPacket(command);
  StoreChunkHeader(packet, argument, offset);
  StoreChecksum(packet);
  return CheckReplyStatus(SendChunk(Route::CommandLock, packet, reply), reply);
}

// Sends the transfer chunk by chunk: chunk length = chunk size while position + chunk size
// < total, else the rest. The packet is zeroed once, so bytes after a short last chunk still
// hold the previous chunk's data (and count in its checksum, as sent).
int CDeviceChannel::RunChunked(const ChunkedTransfer& transfer) {
  Packet packet = FramedPacket(transfer.command);
  Packet reply{};
  for (uint32_t position = 0; position < transfer.total; position += transfer.chunkSize) {
    const uint32_t length = position + transfer.chunkSize < transfer.total
                                ? transfer.chunkSize
                                : transfer.total - position;
    StoreChunkHeader(packet, static_cast<uint8_t>(length),
                     static_cast<uint16_t>(transfer.base + position));
    if (transfer.source) {
      std::copy_n(transfer.source + position, length, packet.begin() + kPacketDataOffset);
    }
    StoreChecksum(packet);
    const int result = CheckReplyStatus(SendChunk(transfer.route, packet, reply), reply);
    if (result != kResultOk) return result;
    if (transfer.destination) {
      std::copy_n(reply.begin() + kPacketDataOffset, length, transfer.destination + position);
    }
  }
  return kResultOk;
}

int CDeviceChannel::ChunkedRead(uint8_t command, std::span<uint8_t> out, uint32_t base) {
  ChunkedTransfer transfer;
  transfer.command = command;
  transfer.total = static_cast<uint32_t>(out.size());
  transfer.chunkSize = PayloadPerPacket();
  transfer.base = base;
  transfer.destination = out.data();
  return RunChunked(transfer);
}

int CDeviceChannel::ChunkedWrite(uint8_t command, std::span<const uint8_t> data, uint32_t base,
                                 uint32_t chunkSize, Route route) {
  ChunkedTransfer transfer;
  transfer.command = command;
  transfer.total = static_cast<uint32_t>(data.size());
  transfer.chunkSize = chunkSize;
  transfer.base = base;
  transfer.source = data.data();
  transfer.route = route;
  return RunChunked(transfer);
}

int CDeviceChannel::BeginConfig() {
  Packet reply{};
  return SendSingle(kCommandBeginConfig, 0, 0, reply);
}

int CDeviceChannel::EndConfig() {
  platform::SleepMs(kEndConfigDelayMs);
  Packet reply{};
  return SendSingle(kCommandEndConfig, 0, 0, reply);
}

int CDeviceChannel::AnnounceLightControl() {
  Packet reply{};
  return SendSingle(kCommandAnnounceLightControl, 0, 0, reply);
}

int CDeviceChannel::ReadDeviceInfo(DeviceInfoRecord& out) {
  std::array<uint8_t, kDeviceInfoSize> block{};
  const int result = ChunkedRead(kCommandReadDeviceInfo, block, 0);
  if (result == kResultOk) out.Assign(block);
  return result;
}

int CDeviceChannel::ReadParams(std::span<uint8_t> out, uint16_t base) {
  return ChunkedRead(kCommandReadParams, out, base);
}

int CDeviceChannel::WriteParams(std::span<const uint8_t> data, uint16_t base) {
  return ChunkedWrite(kCommandWriteParams, data, base, PayloadPerPacket(), Route::CommandLock);
}

int CDeviceChannel::ReadKeyMap(std::span<uint8_t> out) {
  const uint16_t size = DataSize();
  if (out.size() < size) return kResultNotDone;
  return ChunkedRead(kCommandReadKeyMap, out.first(size), 0);
}

int CDeviceChannel::WriteKeyMap(std::span<const uint8_t> data, int bank) {
  if (bank != 0) return kResultBadKeyMapBank;
  const uint16_t size = DataSize();
  if (data.size() < size) return kResultNotDone;
  return ChunkedWrite(kCommandWriteKeyMap, data.first(size), 0, PayloadPerPacket(),
                      Route::CommandLock);
}

int CDeviceChannel::ReadLedMap(std::span<uint8_t> out) {
  const uint16_t size = DataSize() / 3;
  if (out.size() < size) return kResultNotDone;
  return ChunkedRead(kCommandReadLedMap, out.first(size), 0);
}

int CDeviceChannel::WriteColorTable(std::span<const uint8_t> data, uint32_t tableIndex,
                                    uint32_t tableSize) {
  return ChunkedWrite(kCommandWriteColorTable, data, tableIndex * tableSize, PayloadPerPacket(),
                      Route::LightStreamLock);
}

int CDeviceChannel::StreamLightFrame(std::span<const uint8_t> data) {
  return ChunkedWrite(kCommandStreamLightFrame, data, 0, PayloadPerPacket(), Route::LightFrame);
}

int CDeviceChannel::WriteMacroData(std::span<const uint8_t> data) {
  return ChunkedWrite(kCommandWriteMacroData, data, 0, PayloadPerPacket(), Route::CommandLock);
}

int CDeviceChannel::WriteShootData(std::span<const uint8_t> data) {
  return ChunkedWrite(kCommandWriteShootData, data, 0, kCablePayloadPerPacket, Route::CommandLock);
}

int CDeviceChannel::ReadStatus(std::span<uint8_t> out, uint16_t offset) {
  if (out.size() > kPacketDataCapacity) return kResultNotDone;
  Packet reply{};
  const int result =
      SendSingle(kCommandReadStatus, static_cast<uint8_t>(out.size()), offset, reply);
  if (result == kResultOk) {
    std::copy_n(reply.begin() + kPacketDataOffset, out.size(), out.begin());
  }
  return result;
}

bool CDeviceChannel::QueryLink() {
  if (!IsWireless()) return true;
  Packet reply{};
  const int result = SendSingle(kCommandQueryLink, 0, 0, reply);
  return result == kResultOk && reply[kPacketDataOffset] == kLinkUp;
}

}  // namespace velmora::transport
