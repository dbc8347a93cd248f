#pragma once

// CComboUI: shows the selected item's text; a click opens the items in a drop-down pop-up
// window (CComboWnd) where a click picks one. Selecting sends "itemselect" (wParam new index,
// lParam old index). The items are list elements held by the combo; each may carry user data.

#include <memory>

#include "toolkit/container.h"
#include "toolkit/list_owner.h"

namespace velmora::toolkit {

class CComboWnd;

class CComboUI : public CContainerUI, public IListOwnerUI {
 public:
  CComboUI();
  ~CComboUI() override;
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  uint32_t GetControlFlags() const override { return UIFLAG_TABSTOP; }

  bool Add(CControlUI* control) override;
  bool AddAt(CControlUI* control, int index) override;
  bool Remove(CControlUI* control, bool doNotDestroy = false) override;
  bool RemoveAt(int index, bool doNotDestroy = false) override;
  void RemoveAll() override;

  TListInfoUI* GetListInfo() override { return &listInfo_; }
  int GetCurSel() const override { return curSel_; }
  bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = true) override;
  void OnItemClicked(int index) override;
  void DoOwnerEvent(TEventUI& event) override;

  // The text shown: the selected item's text, or the combo's own text when none is selected.
  std::string GetText() const override;
  bool Activate() override;  // opens the drop-down
  bool IsDropped() const { return dropWindow_ != nullptr; }
  void CloseDropDown();
  CComboWnd* GetDropWindow() const { return dropWindow_; }
  UiSize GetDropBoxSize() const;
  const std::string& GetDropBoxAttributeList() const { return dropBoxAttributes_; }
  UiRect GetTextPadding() const;

  void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
  void SetPos(const UiRect& rc, bool needInvalidate = true) override;
  CControlUI* FindControl(const FindPredicate& match, uint32_t flags) override;
  void DoEvent(TEventUI& event) override;
  bool DoPaint(cairo_t* cr, const UiRect& rcPaint) override;
  void PaintStatusImage(cairo_t* cr) override;
  void PaintText(cairo_t* cr) override;
  void SetAttribute(const std::string& name, const std::string& value) override;

 private:
  friend class CComboWnd;
  void OnDropWindowGone() { dropWindow_ = nullptr; }

  TListInfoUI listInfo_;
  int curSel_ = -1;
  uint32_t buttonState_ = 0;
  std::string normalImage_, hotImage_, pushedImage_, focusedImage_, disabledImage_;
  UiRect textPadding_;
  int font_ = -1;
  UiColor textColor_ = 0, disabledTextColor_ = 0;
  UiSize dropBoxSize_{0, 150};
  std::string dropBoxAttributes_;
  CComboWnd* dropWindow_ = nullptr;
  // Deferred work (closing the drop-down after a pick) holds this, not the combo.
  std::shared_ptr<CComboUI*> self_;
};

}  // namespace velmora::toolkit
