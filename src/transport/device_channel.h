#pragma once

#include <atomic>
#include <cstdint>
#include <span>
#include <string>

#include "platform/critical_section.h"
#include "transport/command_packet.h"
#include "transport/device_info_record.h"
#include "transport/hid_device.h"
#include "transport/result_codes.h"

namespace velmora::transport {

// Connection kinds passed to SetConnection and OpenInterface.
inline constexpr int kConnectionCable = 1;
inline constexpr int kConnectionReceiver = 2;

// Largest key map block (commands 7 and 9).
inline constexpr uint16_t kMaxDataSize = 512;

// Time-outs per write or read of one packet.
inline constexpr uint32_t kCableTimeoutMs = 1000;
inline constexpr uint32_t kReceiverTimeoutMs = 5000;
// Pause before EndConfig is sent.
inline constexpr uint32_t kEndConfigDelayMs = 10;

// The command channel of one device: frames commands into 64-byte packets, cuts long
// transfers into chunks, sends them on the wired or the receiver interface, matches each
// reply by its echoed command byte and turns its status byte into a result code (see
// result_codes.h). Lock order: command lock or light-stream lock first, exchange lock second.
class CDeviceChannel {
 public:
  CDeviceChannel() = default;
  CDeviceChannel(const CDeviceChannel&) = delete;
  CDeviceChannel& operator=(const CDeviceChannel&) = delete;

  // --- Connection state (used by discovery and the worker threads) ---

  // Kind kConnectionReceiver selects the receiver (payload 24 per packet), any other the
  // cable (payload 56).
  void SetConnection(int kind);
  // Opens the wired (kConnectionCable) or receiver interface for read and write under the
  // exchange lock; on success sets open and selects the connection. 1 or 0.
  int OpenInterface(int kind, const std::string& path);
  // Closes the interface in use and clears open. Not under the exchange lock: closing is
  // what ends a transfer blocked while holding it.
  void CloseInterface();

  // Refuses n above 512 (returns 0, size unchanged); otherwise stores it and returns 1.
  int SetDataSize(uint32_t n);
  uint16_t DataSize() const { return dataSize_; }

  bool IsBusy() const { return busy_.load() > 0; }
  bool IsOpen() const { return open_.load() != 0; }
  void SetOpen(bool open) { open_ = open ? 1 : 0; }
  bool IsSuspended() const { return suspended_.load() != 0; }
  void SetSuspended(bool suspended) { suspended_ = suspended ? 1 : 0; }
  bool IsLightPaused() const { return lightPaused_.load() != 0; }
  void SetLightPaused(bool paused) { lightPaused_ = paused ? 1 : 0; }
  bool IsWireless() const { return wireless_.load() != 0; }
  uint8_t PayloadPerPacket() const { return payloadPerPacket_; }

  CHidDevice& Wired() { return wired_; }
  CHidDevice& Receiver() { return receiver_; }
  platform::CriticalSection& ExchangeLock() { return exchangeLock_; }
  platform::CriticalSection& SecondLock() { return secondLock_; }
  platform::CriticalSection& CommandLock() { return commandLock_; }
  platform::CriticalSection& LightStreamLock() { return lightStreamLock_; }

  // --- Exchanges: the only code that touches the interfaces ---

  // Logged exchange: writes the request (padded or cut to 64 bytes) and reads up to two
  // replies until one echoes the command byte. Returns the last read's result (1 or 0), -1
  // when the write failed, -101 for a receiver's 0xAA reply, 0 when nothing was sent. The
  // reply receives the first reply.size() bytes (at most 64); transferred (optional) the
  // last read's byte count.
  int Exchange(std::span<const uint8_t> request, std::span<uint8_t> reply, size_t* transferred);
  // Unlogged exchange on the wired interface: one write, one read, no echo check.
  int ExchangeQuiet(std::span<const uint8_t> request, std::span<uint8_t> reply,
                    size_t* transferred);

  // --- Commands: 1 on success or a code of result_codes.h ---

  int BeginConfig();
  int EndConfig();
  int ReadDeviceInfo(DeviceInfoRecord& out);
  // Reads out.size() bytes of parameter memory starting at base.
  int ReadParams(std::span<uint8_t> out, uint16_t base);
  int WriteParams(std::span<const uint8_t> data, uint16_t base);
  // Reads DataSize() bytes; out must hold them (0, nothing sent, otherwise).
  int ReadKeyMap(std::span<uint8_t> out);
  // Writes DataSize() bytes of data to bank 0; another bank is refused with -201.
  int WriteKeyMap(std::span<const uint8_t> data, int bank);
  // Writes a colour table at offset tableIndex × tableSize.
  int WriteColorTable(std::span<const uint8_t> data, uint32_t tableIndex, uint32_t tableSize);
  // Streams a software light frame: chunks are dropped while a logged exchange runs and are
  // never sent through a receiver.
  int StreamLightFrame(std::span<const uint8_t> data);
  int WriteMacroData(std::span<const uint8_t> data);
  // Always 56-byte chunks, on either connection.
  int WriteShootData(std::span<const uint8_t> data);
  // Reads out.size() status bytes at offset in one packet (at most 56; 0, nothing sent,
  // for more).
  int ReadStatus(std::span<uint8_t> out, uint16_t offset);
  // Reads DataSize() ÷ 3 bytes; out must hold them.
  int ReadLedMap(std::span<uint8_t> out);
  int AnnounceLightControl();
  // True at once on a cable; through a receiver true only when the device behind it answers
  // linked (reply byte 8 = 0xFF).
  bool QueryLink();

 private:
    // How a chunk goes out: a logged exchange under the command lock or under the light-stream
  // lock, or a light-frame chunk (drop rules, then a quiet exchange under the light-stream lock).
  enum class Route { CommandLock, LightStreamLock, LightFrame };
  struct ChunkedTransfer {
    uint8_t command = 0;
    uint32_t total = 0;
    uint32_t chunkSize = 0;
    uint32_t base = 0;
    const uint8_t* source = nullptr;  // writes
    uint8_t* destination = nullptr;   // reads
    Route route = Route::CommandLock;
  };

  int LoggedTransfer(const Packet& request, Packet& reply, size_t* transferred);
  int ReadMatchingReply(bool wireless, uint8_t command, Packet& reply, size_t* transferred);
  int WritePacket(CHidDevice& device, const Packet& request, uint32_t timeoutMs);

  int SendSingle(uint8_t command, uint8_t argument, uint16_t offset, Packet& reply);
  int RunChunked(const ChunkedTransfer& transfer);
  int ChunkedRead(uint8_t command, std::span<uint8_t> out, uint32_t base);
  int ChunkedWrite(uint8_t command, std::span<const uint8_t> data, uint32_t base,
                   uint32_t chunkSize, Route route);
  int SendChunk(Route route, const Packet& packet, Packet& reply);
  static int CheckReplyStatus(int result, const Packet& reply);

  std::atomic<uint16_t> dataSize_{kMaxDataSize};
  // Number of logged exchanges in progress (the "busy" flag: set while any runs).
  std::atomic<int> busy_{0};
  std::atomic<uint32_t> suspended_{0};
  std::atomic<uint32_t> open_{0};
  std::atomic<uint32_t> lightPaused_{0};
  CHidDevice wired_;
  CHidDevice receiver_;
  platform::CriticalSection exchangeLock_;
  platform::CriticalSection secondLock_;
  platform::CriticalSection commandLock_;
  platform::CriticalSection lightStreamLock_;
  std::atomic<uint32_t> wireless_{0};
  std::atomic<uint8_t> payloadPerPacket_{kReceiverPayloadPerPacket};
};

}  // namespace velmora::transport
