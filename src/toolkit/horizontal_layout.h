#pragma once

// CHorizontalLayoutUI: children side by side from left to right.

#include "toolkit/container.h"

namespace velmora::toolkit {

class CHorizontalLayoutUI : public CContainerUI {
 public:
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

 protected:
  void ArrangeChildren(const UiRect& rc) override;
};

}  // namespace velmora::toolkit
