#include "platform/debug_output.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace velmora::platform {
namespace {

std::mutex& SinkMutex() {
  static std::mutex m;
  return m;
}
DebugCapture*& ActiveCapture() {
  static DebugCapture* capture = nullptr;
  return capture;
}
bool DebugEnabled() {
  static const bool enabled = [] {
    const char* v = std::getenv("VELMORA_DEBUG");
    return v != nullptr && std::strcmp(v, "1") == 0;
  }();
  return enabled;
}

}  // namespace

bool DebugOutputEnabled() {
  if (DebugEnabled()) return true;
  std::lock_guard lock(SinkMutex());
  return ActiveCapture() != nullptr;
}

void DebugOutput(std::string_view text) {
  std::lock_guard lock(SinkMutex());
  if (DebugCapture* capture = ActiveCapture()) capture->Append(text);
  if (DebugEnabled()) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
  }
}

void DebugOutputF(const char* format, ...) {
  char buffer[1024];
  va_list args;
  va_start(args, format);
  int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (n < 0) return;
  DebugOutput(std::string_view(buffer, std::min(static_cast<size_t>(n), sizeof buffer - 1)));
}

DebugCapture::DebugCapture() {
  std::lock_guard lock(SinkMutex());
  previous_ = ActiveCapture();
  ActiveCapture() = this;
}

DebugCapture::~DebugCapture() {
  std::lock_guard lock(SinkMutex());
  ActiveCapture() = previous_;
}

void DebugCapture::Append(std::string_view text) {
  std::lock_guard lock(mutex_);
  lines_.emplace_back(text);
}

std::vector<std::string> DebugCapture::Lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}

bool DebugCapture::Contains(std::string_view text) const { return Count(text) > 0; }

size_t DebugCapture::Count(std::string_view text) const {
  std::lock_guard lock(mutex_);
  return static_cast<size_t>(std::count(lines_.begin(), lines_.end(), text));
}

void DebugCapture::Clear() {
  std::lock_guard lock(mutex_);
  lines_.clear();
}

}  // namespace velmora::platform
