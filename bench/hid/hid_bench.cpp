#include <benchmark/benchmark.h>

#include "hid_test_support.h"
#include "platform/event.h"
#include "platform/virtual_hid.h"

namespace velmora::platform {
namespace {

using testing::LoadDescriptor;

void BM_ParseCompositeDescriptor(benchmark::State& state) {
  const std::vector<uint8_t> descriptor = LoadDescriptor("composite");
  std::vector<HidPreparsedData> collections;
  for (auto _ : state) {
    ParseReportDescriptor(descriptor, collections);
    benchmark::DoNotOptimize(collections.data());
  }
}
BENCHMARK(BM_ParseCompositeDescriptor);

void BM_GetKeyboardUsages(benchmark::State& state) {
  std::vector<HidPreparsedData> collections;
  ParseReportDescriptor(LoadDescriptor("boot_keyboard"), collections);
  const std::vector<uint8_t> report = {0, 0x42, 0, 0x04, 0x05, 0x06, 0, 0, 0};
  uint16_t usages[14];
  for (auto _ : state) {
    uint32_t length = 14;
    HidpGetUsages(HidReportType::Input, 0x07, 0, usages, &length, collections[0], report);
    benchmark::DoNotOptimize(usages);
  }
}
BENCHMARK(BM_GetKeyboardUsages);

// A device that answers every 65-byte output report with an input report of the same id.
class EchoDevice : public VirtualHidDevice {
 public:
  explicit EchoDevice(VirtualHidBus& bus) : bus_(bus) {}
  HidAttributes Attributes() const override { return {0x320F, 0x505B, 0x0100}; }
  uint8_t InterfaceNumber() const override { return 1; }
  std::vector<uint8_t> ReportDescriptor() const override { return LoadDescriptor("vendor_64"); }
  VirtualWriteResult OnOutputReport(std::span<const uint8_t> report) override {
    bus_.DeliverInput(node, report);
    return VirtualWriteResult::Accepted;
  }
  int node = -1;

 private:
  VirtualHidBus& bus_;
};

void BM_VirtualBusCommandRoundTrip(benchmark::State& state) {
  VirtualHidBus bus;
  auto device = std::make_shared<EchoDevice>(bus);
  device->node = bus.Plug(device);
  std::vector<std::string> paths;
  bus.EnumeratePaths(paths);
  auto connection = bus.Open(paths.at(0), {.read = true, .write = true});
  std::vector<uint8_t> command(65, 0x11), reply(65);
  command[0] = 6;
  size_t transferred = 0;
  for (auto _ : state) {
    if (connection->Write(command, transferred, 1000) != HidIoStatus::Ok ||
        connection->Read(reply, transferred, 1000) != HidIoStatus::Ok) {
      state.SkipWithError("round trip failed");
      break;
    }
  }
}
BENCHMARK(BM_VirtualBusCommandRoundTrip);

}  // namespace
}  // namespace velmora::platform
