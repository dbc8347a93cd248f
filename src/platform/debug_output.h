#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::platform {

// The debugger output channel. Silent unless VELMORA_DEBUG=1 (then each text goes to stderr
// on a line of its own); a capture installed by a test receives every text regardless.
void DebugOutput(std::string_view text);

// True when texts go anywhere (VELMORA_DEBUG=1 or a capture installed): callers with costly
// formatting skip it otherwise.
bool DebugOutputEnabled();

// printf-style convenience for the fixed log formats.
void DebugOutputF(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Collects every DebugOutput text while it lives (for tests). Thread-safe. Captures nest: the
// innermost one receives the texts.
class DebugCapture {
 public:
  DebugCapture();
  ~DebugCapture();
  DebugCapture(const DebugCapture&) = delete;
  DebugCapture& operator=(const DebugCapture&) = delete;

  std::vector<std::string> Lines() const;
  bool Contains(std::string_view text) const;  // some line equals text
  size_t Count(std::string_view text) const;   // how many lines equal text
  void Clear();

 private:
  friend void DebugOutput(std::string_view text);
  void Append(std::string_view text);

  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
  DebugCapture* previous_;
};

}  // namespace velmora::platform
