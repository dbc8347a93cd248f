#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <vector>

#include "platform/hid_backend.h"
#include "sim/command_packet.h"
#include "sim/simulated_machine.h"
#include "sim/traffic_log.h"
#include "transport/device_channel.h"

namespace velmora::sim::testing {

using PacketBytes = std::vector<uint8_t>;

// The packets a host must send for a transfer of `total` bytes (data given for writes) cut
// into chunks of chunkSize at offsets base + position: one packet buffer reused for all
// chunks, so the bytes after a short last chunk still hold the chunk before it.
inline std::vector<PacketBytes> ExpectedChunks(uint8_t command, size_t total, size_t chunkSize,
                                               uint32_t base, std::span<const uint8_t> data = {}) {
  std::vector<PacketBytes> packets;
  Packet p{};
  p[0] = kCommandReportId;
  p[kCommandByte] = command;
  for (size_t position = 0; position < total; position += chunkSize) {
    const size_t length = std::min(chunkSize, total - position);
    const uint32_t offset = base + static_cast<uint32_t>(position);
    p[kLengthByte] = static_cast<uint8_t>(length);
    p[kOffsetByte] = static_cast<uint8_t>(offset & 0xFF);
    p[kOffsetByte + 1] = static_cast<uint8_t>((offset >> 8) & 0xFF);
    if (!data.empty()) std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(position), length, p.begin() + kDataByte);
    SealPacket(p);
    packets.emplace_back(p.begin(), p.end());
  }
  return packets;
}

// A single packet with bytes 4-7 zero and no data.
inline PacketBytes ExpectedBare(uint8_t command) {
  Packet p{};
  p[0] = kCommandReportId;
  p[kCommandByte] = command;
  SealPacket(p);
  return {p.begin(), p.end()};
}

inline std::vector<uint8_t> Pattern(size_t size, uint8_t seed) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7);
  return bytes;
}

// Every product plugged and installed as the HID backend; command channels open on the
// keyboard's cable and receiver collections. Every packet the host sends must carry a valid
// checksum.
class ChannelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine.PlugAll();
    ASSERT_TRUE(Open(cable, ProductKind::Keyboard));
    ASSERT_TRUE(Open(receiver, ProductKind::KeyboardReceiver));
  }
  void TearDown() override { EXPECT_EQ(machine.Log().BadChecksumCount(), 0u); }

  bool Open(transport::CDeviceChannel& channel, ProductKind kind) {
    const int connection = IsReceiver(kind) ? transport::kConnectionReceiver : transport::kConnectionCable;
    return channel.OpenInterface(connection, machine.Product(kind).CommandPath()) == 1;
  }
  std::vector<PacketBytes> Sent(ProductKind kind) { return machine.Log().CommandPackets(kind); }
  // The product received exactly these command packets, in this order; a mismatch names the
  // first differing packet in hexadecimal.
  ::testing::AssertionResult SentExactly(ProductKind kind, const std::vector<PacketBytes>& expected) {
    const auto sent = Sent(kind);
    for (size_t i = 0; i < std::max(sent.size(), expected.size()); ++i) {
      if (i < sent.size() && i < expected.size() && sent[i] == expected[i]) continue;
      return ::testing::AssertionFailure()
             << "packet " << i << " of " << sent.size() << " sent (" << expected.size() << " expected)\n  sent:     "
             << (i < sent.size() ? HexBytes(sent[i]) : "none") << "\n  expected: "
             << (i < expected.size() ? HexBytes(expected[i]) : "none");
    }
    return ::testing::AssertionSuccess();
  }
  std::vector<uint8_t> Memory(MemoryArea area, size_t offset, size_t length, ProductKind kind = ProductKind::Keyboard) {
    const auto all = machine.Firmware(kind).Snapshot(area);
    return {all.begin() + static_cast<std::ptrdiff_t>(offset),
            all.begin() + static_cast<std::ptrdiff_t>(offset + length)};
  }

  SimulatedMachine machine;
  platform::ScopedHidBackend backend{machine.Bus()};
  transport::CDeviceChannel cable;
  transport::CDeviceChannel receiver;
};

}  // namespace velmora::sim::testing
