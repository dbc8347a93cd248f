#include "sim/device_firmware.h"

#include <algorithm>
#include <optional>

namespace velmora::sim {
namespace {

enum class Access { Read, Write };

struct AreaCommand {
  uint8_t code;
  MemoryArea area;
  Access access;
};

// Which memory area each block command reaches.
constexpr AreaCommand kAreaCommands[] = {
    {kCommandReadDeviceInfo, MemoryArea::Information, Access::Read},
    {kCommandReadParams, MemoryArea::Parameters, Access::Read},
    {kCommandWriteParams, MemoryArea::Parameters, Access::Write},
    {kCommandReadKeyMap, MemoryArea::KeyMap, Access::Read},
    {kCommandWriteKeyMap, MemoryArea::KeyMap, Access::Write},
    {kCommandWriteColorTable, MemoryArea::ColorTables, Access::Write},
    {kCommandStreamLightFrame, MemoryArea::LightFrame, Access::Write},
    {kCommandWriteMacroData, MemoryArea::Macro, Access::Write},
    {kCommandWriteShootData, MemoryArea::Shooting, Access::Write},
    {kCommandReadStatus, MemoryArea::Status, Access::Read},
    {kCommandReadLedMap, MemoryArea::LedMap, Access::Read},
};

std::optional<AreaCommand> FindAreaCommand(uint8_t code) {
  for (const auto& c : kAreaCommands) {
    if (c.code == code) return c;
  }
  return std::nullopt;
}

}  // namespace

DeviceFirmware::DeviceFirmware(DeviceMemory factoryMemory) : memory_(std::move(factoryMemory)) {}

Packet DeviceFirmware::Respond(const Packet& request) {
  std::lock_guard lock(mutex_);
  ++commandCounts_[CommandOf(request)];
  Packet reply = Execute(request);
  SealPacket(reply);
  return reply;
}

Packet DeviceFirmware::Execute(const Packet& request) {
  const uint8_t command = CommandOf(request);
  if (auto areaCommand = FindAreaCommand(command)) {
    return areaCommand->access == Access::Read ? ReadArea(request, areaCommand->area)
                                               : WriteArea(request, areaCommand->area);
  }
  switch (command) {
    case kCommandBeginConfig:
      inConfig_ = true;
      return MakeReply(request, kStatusOk);
    case kCommandEndConfig:
      inConfig_ = false;
      return MakeReply(request, kStatusOk);
    case kCommandAnnounceLightControl:
      lightControlAnnounced_ = true;
      return MakeReply(request, kStatusOk);
    case kCommandQueryLink: {
      // Answering at all means the device is reachable.
      Packet reply = MakeReply(request, kStatusOk);
      reply[kDataByte] = kLinkedMark;
      return reply;
    }
    default:
      return MakeReply(request, kStatusUnsupported);
  }
}

Packet DeviceFirmware::ReadArea(const Packet& request, MemoryArea area) {
  const size_t length = ChunkLength(request);
  if (length > kMaxChunk) return MakeReply(request, kStatusError);
  Packet reply = MakeReply(request, kStatusOk);
  std::span<uint8_t> data(reply.data() + kDataByte, length);
  if (!memory_.Read(area, ChunkOffset(request), data)) return MakeReply(request, kStatusError);
  return reply;
}

Packet DeviceFirmware::WriteArea(const Packet& request, MemoryArea area) {
  const size_t length = ChunkLength(request);
  if (length > kMaxChunk) return MakeReply(request, kStatusError);
  std::span<const uint8_t> data(request.data() + kDataByte, length);
  if (!memory_.Write(area, ChunkOffset(request), data)) return MakeReply(request, kStatusError);
  return MakeReply(request, kStatusOk);
}

std::vector<uint8_t> DeviceFirmware::Snapshot(MemoryArea area) const {
  std::lock_guard lock(mutex_);
  return memory_.Area(area);
}

bool DeviceFirmware::Load(MemoryArea area, size_t offset, std::span<const uint8_t> data) {
  std::lock_guard lock(mutex_);
  return memory_.Write(area, offset, data);
}

uint32_t DeviceFirmware::CommandCount(uint8_t command) const {
  std::lock_guard lock(mutex_);
  return commandCounts_[command];
}

bool DeviceFirmware::InConfig() const {
  std::lock_guard lock(mutex_);
  return inConfig_;
}

bool DeviceFirmware::LightControlAnnounced() const {
  std::lock_guard lock(mutex_);
  return lightControlAnnounced_;
}

}  // namespace velmora::sim
