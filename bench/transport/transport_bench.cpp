// Cost of one logged 64-byte exchange (BeginConfig) and of streaming one 170-LED keyboard
// frame (510 bytes, 10 chunks) through the command channel, the virtual HID bus and the
// simulated keyboard. Each benchmark is repeated and reports its median.

#include <benchmark/benchmark.h>

#include <vector>

#include "platform/hid_backend.h"
#include "sim/simulated_machine.h"
#include "transport/device_channel.h"

namespace {

using velmora::sim::ProductKind;

constexpr int kRepetitions = 15;
// The traffic log keeps every packet; it is emptied now and then so memory stays flat.
constexpr int64_t kLogClearInterval = 4096;

struct CableKeyboard {
  CableKeyboard() : backend(machine.Bus()) {
    machine.Plug(ProductKind::Keyboard);
    channel.OpenInterface(velmora::transport::kConnectionCable,
                          machine.Product(ProductKind::Keyboard).CommandPath());
  }
  void ClearLogNowAndThen(benchmark::State& state, int64_t iteration) {
    if (iteration % kLogClearInterval != 0) return;
    state.PauseTiming();
    machine.Log().Clear();
    state.ResumeTiming();
  }
  velmora::sim::SimulatedMachine machine;
  velmora::platform::ScopedHidBackend backend;
  velmora::transport::CDeviceChannel channel;
};

void BM_LoggedExchange(benchmark::State& state) {
  CableKeyboard keyboard;
  int64_t iteration = 0;
  for (auto _ : state) {
    if (keyboard.channel.BeginConfig() != 1) {
      state.SkipWithError("BeginConfig failed");
      break;
    }
    keyboard.ClearLogNowAndThen(state, ++iteration);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_StreamKeyboardFrame(benchmark::State& state) {
  CableKeyboard keyboard;
  std::vector<uint8_t> frame(170 * 3);
  for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<uint8_t>(i);
  int64_t iteration = 0;
  for (auto _ : state) {
    if (keyboard.channel.StreamLightFrame(frame) != 1) {
      state.SkipWithError("StreamLightFrame failed");
      break;
    }
    keyboard.ClearLogNowAndThen(state, ++iteration);
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_LoggedExchange)->Unit(benchmark::kMicrosecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_StreamKeyboardFrame)->Unit(benchmark::kMicrosecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
