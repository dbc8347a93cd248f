#pragma once

// List items: CListLabelElementUI (one line of text) and CListContainerElementUI (any
// controls). A press selects the item through its owner and sends "itemclick"; a double
// click sends "itemactivate"; keys and the wheel go to the owner.

#include "toolkit/control.h"
#include "toolkit/horizontal_layout.h"
#include "toolkit/list_owner.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {

class CContainerUI;

// The state and event handling both element kinds share.
class ListItemCore {
 public:
  int index = -1;
  IListOwnerUI* owner = nullptr;
  bool selected = false;
  bool hot = false;

  // Handles the events list items share; false leaves the event to the control.
  bool HandleEvent(CControlUI& self, TEventUI& event);
  void PaintBackground(CControlUI& self, cairo_t* cr, const UiRect& rcPaint) const;
  UiColor TextColor(const CControlUI& self) const;
};

// A control of kind Base that is a list item.
template <typename Base>
class ListItemControl : public Base, public IListItemUI {
 public:
  void* GetInterface(std::string_view name) override {
    if (EqualsNoCase(name, "ListItem")) return static_cast<IListItemUI*>(this);
    return Base::GetInterface(name);
  }
  int GetIndex() const override { return core_.index; }
  void SetIndex(int index) override { core_.index = index; }
  IListOwnerUI* GetOwner() override { return core_.owner; }
  void SetOwner(IListOwnerUI* owner) override { core_.owner = owner; }
  bool IsSelected() const override { return core_.selected; }
  void SetSelectedState(bool selected) override {
    core_.selected = selected;
    this->Invalidate();
  }
  // Selects the item through its owner (deselecting needs no owner).
  bool Select(bool select = true, bool triggerEvent = true) {
    if (!select) {
      SetSelectedState(false);
      return true;
    }
    return core_.owner != nullptr && core_.owner->SelectItem(core_.index, false, triggerEvent);
  }
  bool Activate() override {
    if (!Base::Activate()) return false;
    this->Notify(kNotifyItemActivate);
    return true;
  }
  void DoEvent(TEventUI& event) override {
    if (!core_.HandleEvent(*this, event)) Base::DoEvent(event);
  }
  void PaintBkColor(cairo_t* cr) override {
    core_.PaintBackground(*this, cr, this->m_rcPaint);
    Base::PaintBkColor(cr);
  }

 protected:
  ListItemCore core_;
};

class CListLabelElementUI : public ListItemControl<CControlUI> {
 public:
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  UiSize EstimateSize(UiSize available) override;
  void PaintText(cairo_t* cr) override;
};

class CListContainerElementUI : public ListItemControl<CHorizontalLayoutUI> {
 public:
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  // A press on a passive child (label, picture) counts as a press on the element.
  CControlUI* FindControl(const FindPredicate& match, uint32_t flags) override;
};

// The list-item view of a control, or null when it is not a list item.
IListItemUI* AsListItem(CControlUI* control);

// Bookkeeping shared by the owners (list, combo) whose children are their items.
// After an item was added at index: owner and indices set, the selection index kept on its item.
void OnListItemAdded(CContainerUI& container, IListOwnerUI* owner, CControlUI* control, int index, int& curSel);
// After the item at index was removed.
void OnListItemRemoved(CContainerUI& container, int index, int& curSel);
// Moves the selection from curSel to index (-1 clears it); false, and nothing changes, when
// index is neither -1 nor an enabled item.
bool MoveListSelection(CContainerUI& container, int& curSel, int index);

}  // namespace velmora::toolkit
