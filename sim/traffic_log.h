#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/virtual_hid.h"
#include "sim/product_catalog.h"

namespace velmora::sim {

// One output report the host sent to a simulated interface.
struct TrafficEntry {
  ProductKind product = ProductKind::Keyboard;
  uint8_t interfaceNumber = 0;
  bool controlPipe = false;  // sent with SetOutputReport rather than a write
  std::vector<uint8_t> bytes;  // as sent, report-id byte first
  platform::VirtualWriteResult result = platform::VirtualWriteResult::Accepted;

  bool IsCommand() const;        // a 64-byte report with id 4
  uint8_t Command() const;       // byte 3 (0 for a report shorter than 4 bytes)
  bool ChecksumValid() const;    // bytes 1-2 hold the sum of bytes 3-63
};

// Every report every simulated interface received, in arrival order. Thread-safe.
class TrafficLog {
 public:
  void Record(TrafficEntry entry);
  void Clear();

  std::vector<TrafficEntry> Entries() const;
  std::vector<TrafficEntry> EntriesFor(ProductKind product) const;
  // The command bytes of the command reports a product received, in order.
  std::vector<uint8_t> Commands(ProductKind product) const;
  // The command reports a product received, as 64-byte packets.
  std::vector<std::vector<uint8_t>> CommandPackets(ProductKind product) const;
  size_t Size() const;
  // Command reports whose checksum did not match.
  size_t BadChecksumCount() const;

 private:
  mutable std::mutex mutex_;
  std::vector<TrafficEntry> entries_;
};

// Lower-case hexadecimal bytes separated by blanks, for assertion messages.
std::string HexBytes(std::span<const uint8_t> bytes);

}  // namespace velmora::sim
