#include "sim/traffic_log.h"

#include <algorithm>
#include <cstdio>

#include "sim/command_packet.h"

namespace velmora::sim {

bool TrafficEntry::IsCommand() const {
  return bytes.size() == kPacketSize && bytes[0] == kCommandReportId;
}

uint8_t TrafficEntry::Command() const { return bytes.size() > kCommandByte ? bytes[kCommandByte] : 0; }

bool TrafficEntry::ChecksumValid() const { return ChecksumMatches(bytes); }

void TrafficLog::Record(TrafficEntry entry) {
  std::lock_guard lock(mutex_);
  entries_.push_back(std::move(entry));
}

void TrafficLog::Clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
}

std::vector<TrafficEntry> TrafficLog::Entries() const {
  std::lock_guard lock(mutex_);
  return entries_;
}

std::vector<TrafficEntry> TrafficLog::EntriesFor(ProductKind product) const {
  std::lock_guard lock(mutex_);
  std::vector<TrafficEntry> out;
  std::copy_if(entries_.begin(), entries_.end(), std::back_inserter(out),
               [product](const TrafficEntry& e) { return e.product == product; });
  return out;
}

std::vector<uint8_t> TrafficLog::Commands(ProductKind product) const {
  std::vector<uint8_t> out;
  for (const auto& e : EntriesFor(product)) {
    if (e.IsCommand()) out.push_back(e.Command());
  }
  return out;
}

std::vector<std::vector<uint8_t>> TrafficLog::CommandPackets(ProductKind product) const {
  std::vector<std::vector<uint8_t>> out;
  for (const auto& e : EntriesFor(product)) {
    if (e.IsCommand()) out.push_back(e.bytes);
  }
  return out;
}

size_t TrafficLog::Size() const {
  std::lock_guard lock(mutex_);
  return entries_.size();
}

size_t TrafficLog::BadChecksumCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<size_t>(std::count_if(entries_.begin(), entries_.end(), [](const TrafficEntry& e) {
    return e.IsCommand() && !e.ChecksumValid();
  }));
}

std::string HexBytes(std::span<const uint8_t> bytes) {
  std::string out;
  char cell[4];
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(cell, sizeof cell, i ? " %02x" : "%02x", bytes[i]);
    out += cell;
  }
  return out;
}

}  // namespace velmora::sim
