#include "transport/hid_path_list.h"

#include <utility>

namespace velmora::transport {

void HidPathList::Build(std::span<const std::string> paths) {
  Free();
  for (size_t index = 0; index < paths.size(); ++index) {
    if (!allocated_ || index == capacity_) Grow();
    slots_[index] = paths[index];
    count_ = index + 1;
  }
}

void HidPathList::Grow() {
  capacity_ *= 2;
  auto grown = std::make_unique<std::string[]>(capacity_);
  for (size_t i = 0; i < count_; ++i) grown[i] = std::move(slots_[i]);
  slots_ = std::move(grown);
  allocated_ = true;
}

void HidPathList::Free() {
  slots_.reset();
  allocated_ = false;
  capacity_ = kInitialCapacityCounter;
  count_ = 0;
  cursor_ = 0;
}

const std::string* HidPathList::Next() {
  if (cursor_ >= count_) return nullptr;
  return &slots_[cursor_++];
}

}  // namespace velmora::transport
