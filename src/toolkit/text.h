#pragma once

// CTextUI: a label whose text wraps over several lines.

#include "toolkit/label.h"

namespace velmora::toolkit {

class CTextUI : public CLabelUI {
 public:
  CTextUI();
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
};

}  // namespace velmora::toolkit
