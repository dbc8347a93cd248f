#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "sim/command_responder.h"
#include "sim/device_memory.h"

namespace velmora::sim {

// The command set over a device's memory: reads answer the bytes at the request's offset
// and length from reply byte 8, writes store the request's data, every reply echoes the
// command with status 0 (0xFF for a range outside the area or a chunk over 56 bytes, 0xFE
// for an unknown command). Thread-safe.
class DeviceFirmware : public CommandResponder {
 public:
  explicit DeviceFirmware(DeviceMemory factoryMemory);

  Packet Respond(const Packet& request) override;

  // A copy of one memory area.
  std::vector<uint8_t> Snapshot(MemoryArea area) const;
  // Puts bytes into memory directly (test setup); false when they do not fit.
  bool Load(MemoryArea area, size_t offset, std::span<const uint8_t> data);

  // How many requests with this command code were answered.
  uint32_t CommandCount(uint8_t command) const;
  // True between BeginConfig and EndConfig.
  bool InConfig() const;
  // True once AnnounceLightControl was received.
  bool LightControlAnnounced() const;

 private:
  Packet Execute(const Packet& request);
  Packet ReadArea(const Packet& request, MemoryArea area);
  Packet WriteArea(const Packet& request, MemoryArea area);

  mutable std::mutex mutex_;
  DeviceMemory memory_;
  std::array<uint32_t, 256> commandCounts_{};
  bool inConfig_ = false;
  bool lightControlAnnounced_ = false;
};

}  // namespace velmora::sim
