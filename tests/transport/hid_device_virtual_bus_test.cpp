// CHidDevice against the in-process virtual bus: a real time-out and a cross-thread Close.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/event.h"
#include "platform/hid_backend.h"
#include "platform/virtual_hid.h"
#include "transport/hid_device.h"

namespace velmora::transport::testing {
namespace {

using Clock = std::chrono::steady_clock;

// A vendor interface with 64-byte input and output reports (report id 4) that takes every
// command and never answers on its own.
class SilentDevice : public platform::VirtualHidDevice {
 public:
  platform::HidAttributes Attributes() const override { return {0x320F, 0x505B, 0x0100}; }
  uint8_t InterfaceNumber() const override { return 1; }
  std::vector<uint8_t> ReportDescriptor() const override {
    return {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x04, 0x09, 0x01, 0x15, 0x00,
            0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x3F, 0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0};
  }
  platform::VirtualWriteResult OnOutputReport(std::span<const uint8_t>) override {
    return platform::VirtualWriteResult::Accepted;
  }
};

class VirtualBusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    node = bus->Plug(std::make_shared<SilentDevice>());
    std::vector<std::string> paths;
    ASSERT_TRUE(bus->EnumeratePaths(paths));
    ASSERT_EQ(paths.size(), 1u);
    path = paths[0];
    ASSERT_EQ(device.Open(path, true, true, true, false), 1);
  }

  std::vector<uint8_t> Report(uint8_t marker) {
    std::vector<uint8_t> report(64, 0);
    report[0] = 4;
    report[1] = marker;
    return report;
  }

  std::shared_ptr<platform::VirtualHidBus> bus = std::make_shared<platform::VirtualHidBus>();
  platform::ScopedHidBackend scope{bus};
  int node = 0;
  std::string path;
  CHidDevice device;
};

TEST_F(VirtualBusTest, OpenReadsTheInterfaceFromThePath) {
  EXPECT_EQ(device.Attributes().productId, 0x505B);
  EXPECT_EQ(device.InterfaceNumber(), 1u);
  EXPECT_EQ(device.InputReport().size(), 64u);
  EXPECT_TRUE(device.Probe(path));
  bus->Unplug(node);
  EXPECT_FALSE(device.Probe(path));
}

TEST_F(VirtualBusTest, ReadTimesOutAfterASecondAndLeavesNoRequestOutstanding) {
  std::vector<uint8_t> buffer(64, 0xEE);
  size_t transferred = 99;
  const auto start = Clock::now();
  EXPECT_EQ(device.ReadReport(buffer, &transferred, 1000), 0);
  const auto elapsed = Clock::now() - start;
  EXPECT_EQ(transferred, 0u);
  EXPECT_GE(elapsed, std::chrono::milliseconds(950));
  EXPECT_LT(elapsed, std::chrono::milliseconds(5000));
  EXPECT_FALSE(device.ReadPending());
  // A report arriving after the time-out goes to the next read, not to the abandoned one.
  bus->DeliverInput(node, Report(0x5A));
  EXPECT_EQ(device.ReadReport(buffer, &transferred, 1000), 1);
  EXPECT_EQ(transferred, 64u);
  EXPECT_EQ(buffer[1], 0x5A);
}

TEST_F(VirtualBusTest, CloseFromAnotherThreadEndsAnInfiniteRead) {
  int result = -1;
  size_t transferred = 99;
  platform::Event done(platform::Event::ResetMode::Manual);
  std::thread reader([&] {
    std::vector<uint8_t> buffer(64);
    result = device.ReadReport(buffer, &transferred, platform::kInfinite);
    done.Set();
  });
  while (!device.ReadPending()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  device.Close();
  EXPECT_TRUE(done.Wait(5000));
  reader.join();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(transferred, 0u);
  EXPECT_FALSE(device.IsOpen());
}

TEST_F(VirtualBusTest, UnplugDuringAReadFailsIt) {
  int result = -1;
  std::thread reader([&] {
    std::vector<uint8_t> buffer(64);
    result = device.ReadReport(buffer, nullptr, platform::kInfinite);
  });
  while (!device.ReadPending()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  bus->Unplug(node);
  reader.join();
  EXPECT_EQ(result, 0);
}

}  // namespace
}  // namespace velmora::transport::testing
