#include "profiles/time_stamp_name.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <mutex>

namespace velmora::profiles {

std::string FormatTimeStampName(int64_t epochMs) {
  std::time_t seconds = static_cast<std::time_t>(epochMs / 1000);
  int millis = static_cast<int>(epochMs % 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[64];
  std::snprintf(text, sizeof text, "%d_%02d_%02d_%02d_%02d_%02d_%03d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                millis);
  return text;
}

std::string MakeTimeStampName() {
  static std::mutex mutex;
  static int64_t lastMs = 0;
  int64_t nowMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
  std::lock_guard lock(mutex);
  lastMs = nowMs > lastMs ? nowMs : lastMs + 1;
  return FormatTimeStampName(lastMs);
}

}  // namespace velmora::profiles
