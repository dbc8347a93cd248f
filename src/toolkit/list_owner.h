#pragma once

// The contract between list-like owners (list, combo, menu) and their item elements, and the
// drawing settings items take from their owner.

#include "toolkit/ui_event.h"
#include "toolkit/ui_types.h"

namespace velmora::toolkit {

struct TListInfoUI {
  int font = -1;
  uint32_t textStyle = 0x4 | 0x20;  // DT_VCENTER | DT_SINGLELINE
  UiRect textPadding;
  UiColor textColor = 0, bkColor = 0;
  UiColor selectedTextColor = 0, selectedBkColor = 0;
  UiColor hotTextColor = 0, hotBkColor = 0;
  UiColor disabledTextColor = 0;
  UiColor lineColor = 0;
  bool showHtml = false;
  // Applies an "item…" attribute (itemfont, itemtextcolor, ...); false when not one.
  bool SetAttribute(const std::string& name, const std::string& value);
};

class IListOwnerUI {
 public:
  virtual ~IListOwnerUI() = default;
  virtual TListInfoUI* GetListInfo() = 0;
  virtual int GetCurSel() const = 0;
  // Selects the item; "itemselect" (wParam new index, lParam old index) when it changed.
  virtual bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = true) = 0;
  // An item was clicked (after it was selected); the owner may react (a combo closes).
  virtual void OnItemClicked(int /*index*/) {}
  // Keys and the wheel over an item go to the owner.
  virtual void DoOwnerEvent(TEventUI& event) = 0;
};

class IListItemUI {
 public:
  virtual ~IListItemUI() = default;
  virtual int GetIndex() const = 0;
  virtual void SetIndex(int index) = 0;
  virtual IListOwnerUI* GetOwner() = 0;
  virtual void SetOwner(IListOwnerUI* owner) = 0;
  virtual bool IsSelected() const = 0;
  // Marks the item selected without asking the owner.
  virtual void SetSelectedState(bool selected) = 0;
};

}  // namespace velmora::toolkit
