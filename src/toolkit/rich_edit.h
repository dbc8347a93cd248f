#pragma once

// CRichEditUI: a multi-line edit. Text wraps at the control's width; Enter inserts a line
// break when wantreturn is set and otherwise sends "return". An empty, unfocused field shows
// its tip text.

#include "toolkit/edit.h"

namespace velmora::toolkit {

class CRichEditUI : public CEditUI {
 public:
  CRichEditUI();
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  bool IsWantReturn() const { return wantReturn_; }
  void SetWantReturn(bool want) { wantReturn_ = want; }
  void SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  uint32_t LayoutStyle() const override;
  int LayoutWidth() const override;
  UiPoint TextOrigin() const override;
  bool HandleKey(const TEventUI& event) override;

 private:
  bool wantReturn_ = false;
};

}  // namespace velmora::toolkit
