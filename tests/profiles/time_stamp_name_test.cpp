#include "profiles/time_stamp_name.h"

#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <set>
#include <thread>
#include <vector>

namespace velmora::profiles {
namespace {

TEST(TimeStampNameTest, FormatsLocalTimeWithMilliseconds) {
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  // 2026-03-04 05:06:07.089 UTC
  EXPECT_EQ(FormatTimeStampName(1772600767089), "2026_03_04_05_06_07_089");
  EXPECT_EQ(FormatTimeStampName(0), "1970_01_01_00_00_00_000");
}

TEST(TimeStampNameTest, NamesMadeInTheSameMillisecondNeverCollide) {
  const std::regex format(R"(\d{4}_\d{2}_\d{2}_\d{2}_\d{2}_\d{2}_\d{3})");
  std::set<std::string> names;
  for (int i = 0; i < 2000; ++i) {
    const std::string name = MakeTimeStampName();
    ASSERT_TRUE(std::regex_match(name, format)) << name;
    names.insert(name);
  }
  EXPECT_EQ(names.size(), 2000u);
}

TEST(TimeStampNameTest, NamesFromSeveralThreadsAreDistinct) {
  constexpr int kThreads = 4;
  constexpr int kPerThread = 500;
  std::vector<std::vector<std::string>> made(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&made, t] {
      for (int i = 0; i < kPerThread; ++i) made[t].push_back(MakeTimeStampName());
    });
  }
  for (std::thread& thread : threads) thread.join();
  std::set<std::string> names;
  for (const auto& list : made) names.insert(list.begin(), list.end());
  EXPECT_EQ(names.size(), static_cast<size_t>(kThreads * kPerThread));
}

}  // namespace
}  // namespace velmora::profiles
