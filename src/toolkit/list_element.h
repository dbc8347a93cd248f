#pragma once

// List items: CListLabelElementUI (one line of text) and CListContainerElementUI (any
// controls). A press selects the item through its owner and sends "itemclick"; a double
// click sends "itemactivate"; keys and the wheel go to the owner.

#include "toolkit/control.h"
#include "toolkit/horizontal_layout.h"
#include "toolkit/list_owner.h"

namespace velmora::toolkit {

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

class CListLabelElementUI : public CControlUI, public IListItemUI {
 public:
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  int GetIndex() const override { return core_.index; }
  void SetIndex(int index) override { core_.index = index; }
  IListOwnerUI* GetOwner() override { return core_.owner; }
  void SetOwner(IListOwnerUI* owner) override { core_.owner = owner; }
  bool IsSelected() const override { return core_.selected; }
  void SetSelectedState(bool selected) override;
  // Selects the item through its owner.
  bool Select(bool select = true, bool triggerEvent = true);
  bool Activate() override;

  UiSize EstimateSize(UiSize available) override;
  void DoEvent(TEventUI& event) override;
  void PaintBkColor(cairo_t* cr) override;
  void PaintText(cairo_t* cr) override;

 private:
  ListItemCore core_;
};

class CListContainerElementUI : public CHorizontalLayoutUI, public IListItemUI {
 public:
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  int GetIndex() const override { return core_.index; }
  void SetIndex(int index) override { core_.index = index; }
  IListOwnerUI* GetOwner() override { return core_.owner; }
  void SetOwner(IListOwnerUI* owner) override { core_.owner = owner; }
  bool IsSelected() const override { return core_.selected; }
  void SetSelectedState(bool selected) override;
  bool Select(bool select = true, bool triggerEvent = true);
  bool Activate() override;

  // A press on a passive child (label, picture) counts as a press on the element.
  CControlUI* FindControl(const FindPredicate& match, uint32_t flags) override;
  void DoEvent(TEventUI& event) override;
  void PaintBkColor(cairo_t* cr) override;

 private:
  ListItemCore core_;
};

// The list-item view of a control, or null when it is not a list item.
IListItemUI* AsListItem(CControlUI* control);

}  // namespace velmora::toolkit
