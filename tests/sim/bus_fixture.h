#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "packet_builder.h"
#include "platform/hid_backend.h"
#include "sim/simulated_machine.h"

namespace velmora::sim::testing {

// A machine with every product plugged, and raw reads and writes on its collections.
class BusTest : public ::testing::Test {
 protected:
  static constexpr uint32_t kReadTimeoutMs = 200;

  void SetUp() override { machine.PlugAll(); }

  std::shared_ptr<platform::HidConnection> OpenPath(const std::string& path) {
    return machine.Bus()->Open(path, {.read = true, .write = true, .overlapped = true});
  }
  std::shared_ptr<platform::HidConnection> OpenCommand(ProductKind kind) {
    return OpenPath(machine.Product(kind).CommandPath());
  }

  static platform::HidIoStatus Write(platform::HidConnection& c, const Packet& request) {
    size_t transferred = 0;
    return c.Write(request, transferred, kReadTimeoutMs);
  }
  // Reads one report; the status goes to *status when given.
  static Packet Read(platform::HidConnection& c, platform::HidIoStatus* status = nullptr) {
    Packet reply{};
    size_t transferred = 0;
    const auto s = c.Read(reply, transferred, kReadTimeoutMs);
    if (status) *status = s;
    return reply;
  }
  static Packet Exchange(platform::HidConnection& c, const Packet& request) {
    EXPECT_EQ(Write(c, request), platform::HidIoStatus::Ok);
    platform::HidIoStatus status;
    Packet reply = Read(c, &status);
    EXPECT_EQ(status, platform::HidIoStatus::Ok);
    return reply;
  }

  SimulatedMachine machine;
};

}  // namespace velmora::sim::testing
