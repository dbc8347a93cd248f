#pragma once

// CVerticalLayoutUI: children stacked from top to bottom.

#include "toolkit/container.h"

namespace velmora::toolkit {

class CVerticalLayoutUI : public CContainerUI {
 public:
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

 protected:
  void ArrangeChildren(const UiRect& rc) override;
};

}  // namespace velmora::toolkit
