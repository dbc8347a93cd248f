#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>

namespace velmora::transport {

// The list of interface paths built by an enumeration, handed out one by one. The slot array
// grows by doubling a capacity counter that starts at 4 before each allocation, so it holds
// 8, then 16, 32, … paths; a grown array keeps the paths already stored.
class HidPathList {
 public:
  static constexpr size_t kInitialCapacityCounter = 4;

  // Replaces the list with the given paths. An empty path stands for a slot that could not
  // be read: it reads as an empty path, never as stale data.
  void Build(std::span<const std::string> paths);
  // Frees every path and the array; the cursor goes back to the start.
  void Free();

  // The path at the cursor, advancing it; null when the list is empty or exhausted.
  // The path stays owned by the list.
  const std::string* Next();
  void ResetCursor() { cursor_ = 0; }

  size_t Count() const { return count_; }
  // Number of slots of the array currently allocated (0 when none).
  size_t Capacity() const { return allocated_ ? capacity_ : 0; }

 private:
  void Grow();

  std::unique_ptr<std::string[]> slots_;
  size_t capacity_ = kInitialCapacityCounter;
  bool allocated_ = false;
  size_t count_ = 0;
  size_t cursor_ = 0;
};

}  // namespace velmora::transport
