#include "toolkit/list.h"

#include "toolkit/key_codes.h"
#include "toolkit/list_element.h"
#include "toolkit/paint_manager.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {

std::string CListHeaderUI::GetClass() const { return "ListHeaderUI"; }

void* CListHeaderUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "ListHeader")) return this;
  return CHorizontalLayoutUI::GetInterface(name);
}

CListUI::CListUI() { EnableScrollBar(true, false); }

CListUI::~CListUI() { delete header_; }

std::string CListUI::GetClass() const { return "ListUI"; }

void* CListUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "List")) return this;
  if (EqualsNoCase(name, "IListOwner")) return static_cast<IListOwnerUI*>(this);
  return CVerticalLayoutUI::GetInterface(name);
}

bool CListUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CListUI::AddAt(CControlUI* control, int index) {
  if (control == nullptr) return false;
  if (auto* header = static_cast<CListHeaderUI*>(control->GetInterface("ListHeader"))) {
    if (header_ != nullptr) return false;
    header_ = header;
    header_->SetManager(m_pManager, this, m_pManager != nullptr);
    NeedUpdate();
    return true;
  }
  if (!CVerticalLayoutUI::AddAt(control, index)) return false;
  OnListItemAdded(*this, this, control, index, curSel_);
  return true;
}

bool CListUI::Remove(CControlUI* control, bool doNotDestroy) {
  const int index = GetItemIndex(control);
  return index >= 0 && RemoveAt(index, doNotDestroy);
}

bool CListUI::RemoveAt(int index, bool doNotDestroy) {
  if (!CVerticalLayoutUI::RemoveAt(index, doNotDestroy)) return false;
  OnListItemRemoved(*this, index, curSel_);
  return true;
}

void CListUI::RemoveAll() {
  curSel_ = -1;
  CVerticalLayoutUI::RemoveAll();
}

bool CListUI::SelectItem(int index, bool takeFocus, bool triggerEvent) {
  CControlUI* control = GetItemAt(index);
  if (index == curSel_) {
    if (takeFocus && control != nullptr) control->SetFocus();
    return true;
  }
  const int old = curSel_;
  if (!MoveListSelection(*this, curSel_, index)) return false;
  if (control == nullptr) return true;  // index -1 cleared the selection
  EnsureVisible(control);
  if (takeFocus) control->SetFocus();
  if (triggerEvent) Notify(kNotifyItemSelect, static_cast<UiWParam>(index), old);
  return true;
}

int CListUI::FindSelectable(int index, int step) const {
  for (int i = index; i >= 0 && i < GetCount(); i += step) {
    CControlUI* control = GetItemAt(i);
    if (control->IsVisible() && control->IsEnabled() && AsListItem(control) != nullptr) return i;
  }
  return -1;
}

void CListUI::DoOwnerEvent(TEventUI& event) {
  if (event.Type == UiEventType::KeyDown) {
    int target = -1;
    switch (event.chKey) {
      case keys::kUp: target = FindSelectable(curSel_ - 1, -1); break;
      case keys::kDown: target = FindSelectable(curSel_ + 1, 1); break;
      case keys::kHome: target = FindSelectable(0, 1); break;
      case keys::kEnd: target = FindSelectable(GetCount() - 1, -1); break;
      case keys::kReturn:
        if (CControlUI* item = GetItemAt(curSel_)) item->Activate();
        return;
      default: return;
    }
    if (target >= 0) SelectItem(target, true);
    return;
  }
  if (event.Type == UiEventType::ScrollWheel) CVerticalLayoutUI::DoEvent(event);
}

void CListUI::DoEvent(TEventUI& event) {
  if (event.Type == UiEventType::KeyDown) {
    DoOwnerEvent(event);
    return;
  }
  CVerticalLayoutUI::DoEvent(event);
}

void CListUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
  if (header_ != nullptr) header_->SetManager(manager, this, init);
  CVerticalLayoutUI::SetManager(manager, parent, init);
}

CControlUI* CListUI::FindControl(const FindPredicate& match, uint32_t flags) {
  if (header_ != nullptr && IsVisible()) {
    if ((flags & UIFIND_HITTEST) == 0 || match(this)) {
      if (CControlUI* found = header_->FindControl(match, flags)) return found;
    }
  }
  return CVerticalLayoutUI::FindControl(match, flags);
}

void CListUI::ArrangeChildren(const UiRect& rc) {
  UiRect body = rc;
  if (header_ != nullptr && header_->IsVisible()) {
    const int height = header_->EstimateSize({rc.Width(), rc.Height()}).cy;
    header_->SetPos({rc.left, rc.top, rc.right, rc.top + height}, false);
    body.top = std::min(rc.bottom, rc.top + height);
  }
  CVerticalLayoutUI::ArrangeChildren(body);
}

bool CListUI::DoPaint(cairo_t* cr, const UiRect& rcPaint) {
  CVerticalLayoutUI::DoPaint(cr, rcPaint);
  if (header_ != nullptr && header_->IsVisible()) header_->DoPaint(cr, rcPaint);
  return true;
}

void CListUI::SetAttribute(const std::string& name, const std::string& value) {
  if (listInfo_.SetAttribute(name, value)) {
    Invalidate();
    return;
  }
  if (EqualsNoCase(name, "header")) {
    if (header_ != nullptr) header_->SetVisible(!EqualsNoCase(value, "hidden"));
    return;
  }
  CVerticalLayoutUI::SetAttribute(name, value);
}

}  // namespace velmora::toolkit
