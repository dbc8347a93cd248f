#pragma once

// CListUI: a scrolling vertical list of list elements with one selected item. Selecting
// sends "itemselect" (wParam new index, lParam old index); Up, Down, Home, End and the wheel
// move through the items. An optional header (CListHeaderUI) stays above the items.

#include "toolkit/horizontal_layout.h"
#include "toolkit/list_owner.h"
#include "toolkit/vertical_layout.h"

namespace velmora::toolkit {

class CListHeaderUI : public CHorizontalLayoutUI {
 public:
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
};

class CListUI : public CVerticalLayoutUI, public IListOwnerUI {
 public:
  CListUI();
  ~CListUI() override;
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  bool Add(CControlUI* control) override;
  bool AddAt(CControlUI* control, int index) override;
  bool Remove(CControlUI* control, bool doNotDestroy = false) override;
  bool RemoveAt(int index, bool doNotDestroy = false) override;
  void RemoveAll() override;

  TListInfoUI* GetListInfo() override { return &listInfo_; }
  int GetCurSel() const override { return curSel_; }
  bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = true) override;
  void DoOwnerEvent(TEventUI& event) override;
  CListHeaderUI* GetHeader() const { return header_; }

  void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
  CControlUI* FindControl(const FindPredicate& match, uint32_t flags) override;
  void DoEvent(TEventUI& event) override;
  bool DoPaint(cairo_t* cr, const UiRect& rcPaint) override;
  void SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  void ArrangeChildren(const UiRect& rc) override;

 private:
  // The next enabled, visible item from index in direction step; -1 when none.
  int FindSelectable(int index, int step) const;

  CListHeaderUI* header_ = nullptr;
  TListInfoUI listInfo_;
  int curSel_ = -1;
};

}  // namespace velmora::toolkit
