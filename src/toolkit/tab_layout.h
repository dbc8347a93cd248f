#pragma once

// CTabLayoutUI: pages stacked in the same area; only the selected page is visible.

#include "toolkit/container.h"

namespace velmora::toolkit {

class CTabLayoutUI : public CContainerUI {
 public:
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  int GetCurSel() const { return curSel_; }
  // Shows page index and hides the others; sends "tabselect" (wParam new, lParam old) when
  // the page changes. False for an index outside the pages.
  bool SelectItem(int index, bool triggerEvent = true);
  bool SelectItem(CControlUI* page, bool triggerEvent = true);

  bool Add(CControlUI* control) override;
  bool AddAt(CControlUI* control, int index) override;
  bool Remove(CControlUI* control, bool doNotDestroy = false) override;
  void RemoveAll() override;
  void SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  void ArrangeChildren(const UiRect& rc) override;

 private:
  void ShowOnly(int index);

  int curSel_ = -1;
  int wantedSel_ = -1;  // selectedid given before its page was added
};

}  // namespace velmora::toolkit
