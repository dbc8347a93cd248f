// Applying a profile reads the whole document and runs the section readers; every setting the
// user changes saves it (read afresh, styled, written to a temporary file, synced, renamed).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "platform/paths.h"
#include "profiles/keyboard_profiledata.h"
#include "profiles/time_stamp_name.h"

namespace {

using velmora::profiles::CKeyboardProfiledata;

std::string ShippedKeyboardProfile() {
  return std::string(VELMORA_SOURCE_DIR) + "/DefaultData/keyboard.Json";
}

// A copy of the shipped keyboard profile in a scratch folder, removed at the end.
class ScratchProfile {
 public:
  ScratchProfile() {
    std::string pattern = velmora::platform::JoinPath(velmora::platform::TempDir(),
                                                      "velmora-bench-XXXXXX");
    folder_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    path_ = velmora::platform::JoinPath(folder_, "profile.Json");
    std::filesystem::copy_file(ShippedKeyboardProfile(), path_);
  }
  ~ScratchProfile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string folder_;
  std::string path_;
};

void BM_ApplyKeyboardProfile(benchmark::State& state) {
  CKeyboardProfiledata profile;
  for (auto _ : state) {
    profile.ReadEntry(ShippedKeyboardProfile());
    benchmark::DoNotOptimize(profile.GetLightInfo());
    benchmark::DoNotOptimize(profile.GetLightList());
    benchmark::DoNotOptimize(profile.GetKeyList());
    benchmark::DoNotOptimize(profile.GetSystemStages());
    benchmark::DoNotOptimize(profile.GetCustomLightColors(profile.GetCustomLightGroup(), 170));
  }
}
BENCHMARK(BM_ApplyKeyboardProfile)->Unit(benchmark::kMicrosecond);

void BM_SaveKeyboardSetting(benchmark::State& state) {
  ScratchProfile scratch;
  CKeyboardProfiledata profile;
  profile.SetProfilePath(scratch.Path());
  profile.ReadEntry(scratch.Path());
  uint32_t item = 0;
  for (auto _ : state) {
    profile.SetLightInfo(++item % 30, 0x00FF0001, 0, 0);
    benchmark::DoNotOptimize(profile.SaveCurrentEntry());
  }
}
BENCHMARK(BM_SaveKeyboardSetting)->Unit(benchmark::kMillisecond);

void BM_MakeTimeStampName(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(velmora::profiles::MakeTimeStampName());
}
BENCHMARK(BM_MakeTimeStampName);

}  // namespace

BENCHMARK_MAIN();
