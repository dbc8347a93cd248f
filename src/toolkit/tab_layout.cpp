#include "toolkit/tab_layout.h"

#include "toolkit/paint_manager.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {

std::string CTabLayoutUI::GetClass() const { return "TabLayoutUI"; }

void* CTabLayoutUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "TabLayout")) return this;
  return CContainerUI::GetInterface(name);
}

bool CTabLayoutUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CTabLayoutUI::AddAt(CControlUI* control, int index) {
  if (!CContainerUI::AddAt(control, index)) return false;
  if (wantedSel_ >= 0 && wantedSel_ < GetCount()) {
    curSel_ = wantedSel_;
    wantedSel_ = -1;
  } else if (curSel_ < 0) {
    curSel_ = index;
  } else if (index <= curSel_) {
    ++curSel_;
  }
  ShowOnly(curSel_);
  return true;
}

bool CTabLayoutUI::Remove(CControlUI* control, bool doNotDestroy) {
  const int index = GetItemIndex(control);
  if (!CContainerUI::Remove(control, doNotDestroy)) return false;
  if (index == curSel_) {
    curSel_ = GetCount() > 0 ? 0 : -1;
  } else if (index < curSel_) {
    --curSel_;
  }
  ShowOnly(curSel_);
  return true;
}

void CTabLayoutUI::RemoveAll() {
  curSel_ = -1;
  wantedSel_ = -1;
  CContainerUI::RemoveAll();
}

bool CTabLayoutUI::SelectItem(int index, bool triggerEvent) {
  if (index < 0 || index >= GetCount()) return false;
  if (index == curSel_) return true;
  const int old = curSel_;
  curSel_ = index;
  ShowOnly(index);
  NeedUpdate();
  if (m_pManager != nullptr) {
    // Focus must not stay on a control of a page that was just hidden.
    CControlUI* focus = m_pManager->GetFocus();
    if (focus != nullptr && !focus->IsVisible()) m_pManager->SetFocus(nullptr);
  }
  if (triggerEvent) Notify(kNotifyTabSelect, static_cast<UiWParam>(curSel_), old);
  return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* page, bool triggerEvent) {
  return SelectItem(GetItemIndex(page), triggerEvent);
}

void CTabLayoutUI::ShowOnly(int index) {
  for (int i = 0; i < GetCount(); ++i) items_[static_cast<size_t>(i)]->SetVisible(i == index);
}

void CTabLayoutUI::ArrangeChildren(const UiRect& rc) {
  CControlUI* page = GetItemAt(curSel_);
  if (page != nullptr && page->IsVisible()) page->SetPos(rc.Deflate(page->GetPadding()), false);
  SetContentSize({0, 0});
}

void CTabLayoutUI::SetAttribute(const std::string& name, const std::string& value) {
  if (EqualsNoCase(name, "selectedid")) {
    const int index = ParseInt(value);
    if (index >= 0 && index < GetCount()) {
      SelectItem(index, false);
    } else {
      wantedSel_ = index;  // pages are added after the attribute while a layout is built
    }
    return;
  }
  CContainerUI::SetAttribute(name, value);
}

}  // namespace velmora::toolkit
