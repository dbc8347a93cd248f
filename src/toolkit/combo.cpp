#include "toolkit/combo.h"

#include "toolkit/combo_wnd.h"
#include "toolkit/key_codes.h"
#include "toolkit/list_element.h"
#include "toolkit/paint_manager.h"
#include "toolkit/render_engine.h"
#include "toolkit/ui_string.h"
#include "toolkit/vertical_layout.h"

namespace velmora::toolkit {

CComboUI::CComboUI() : self_(std::make_shared<CComboUI*>(this)) {}

CComboUI::~CComboUI() {
  *self_ = nullptr;
  if (dropWindow_ != nullptr) dropWindow_->DestroyNow();
}

std::string CComboUI::GetClass() const { return "ComboUI"; }

void* CComboUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "Combo")) return this;
  if (EqualsNoCase(name, "IListOwner")) return static_cast<IListOwnerUI*>(this);
  return CContainerUI::GetInterface(name);
}

bool CComboUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CComboUI::AddAt(CControlUI* control, int index) {
  if (!CContainerUI::AddAt(control, index)) return false;
  OnListItemAdded(*this, this, control, index, curSel_);
  return true;
}

bool CComboUI::Remove(CControlUI* control, bool doNotDestroy) {
  const int index = GetItemIndex(control);
  return index >= 0 && RemoveAt(index, doNotDestroy);
}

bool CComboUI::RemoveAt(int index, bool doNotDestroy) {
  CloseDropDown();
  if (!CContainerUI::RemoveAt(index, doNotDestroy)) return false;
  OnListItemRemoved(*this, index, curSel_);
  Invalidate();
  return true;
}

void CComboUI::RemoveAll() {
  CloseDropDown();
  curSel_ = -1;
  CContainerUI::RemoveAll();
  Invalidate();
}

bool CComboUI::SelectItem(int index, bool, bool triggerEvent) {
  if (index == curSel_) return true;
  const int old = curSel_;
  if (!MoveListSelection(*this, curSel_, index)) return false;
  CControlUI* control = GetItemAt(index);
  if (dropWindow_ != nullptr && control != nullptr && dropWindow_->GetLayout() != nullptr) {
    dropWindow_->GetLayout()->EnsureVisible(control);
  }
  Invalidate();
  if (triggerEvent && index >= 0) Notify(kNotifyItemSelect, static_cast<UiWParam>(index), old);
  return true;
}

void CComboUI::OnItemClicked(int) {
  // The click is still being dispatched in the pop-up: close it once that returns.
  MessageLoop* loop = m_pManager != nullptr ? m_pManager->GetLoop() : nullptr;
  if (loop == nullptr) {
    CloseDropDown();
    return;
  }
  std::weak_ptr<CComboUI*> weak = self_;
  loop->Post([weak] {
    auto self = weak.lock();
    if (self && *self != nullptr) (*self)->CloseDropDown();
  });
}

void CComboUI::DoOwnerEvent(TEventUI& event) {
  if (event.Type == UiEventType::KeyDown) {
    int step = 0;
    if (event.chKey == keys::kUp) step = -1;
    else if (event.chKey == keys::kDown) step = 1;
    else if (event.chKey == keys::kReturn || event.chKey == keys::kEscape) CloseDropDown();
    for (int i = curSel_ + step; step != 0 && i >= 0 && i < GetCount(); i += step) {
      if (GetItemAt(i)->IsEnabled() && AsListItem(GetItemAt(i)) != nullptr) {
        SelectItem(i);
        break;
      }
    }
    return;
  }
  if (event.Type == UiEventType::ScrollWheel && dropWindow_ != nullptr && dropWindow_->GetLayout() != nullptr) {
    dropWindow_->GetLayout()->DoEvent(event);
  }
}

std::string CComboUI::GetText() const {
  CControlUI* selected = GetItemAt(curSel_);
  return selected != nullptr ? selected->GetText() : CContainerUI::GetText();
}

bool CComboUI::Activate() {
  if (!CControlUI::Activate()) return false;
  if (dropWindow_ != nullptr) return true;
  dropWindow_ = CComboWnd::Open(this);
  if (dropWindow_ != nullptr) Notify(kNotifyDropDown);
  return true;
}

void CComboUI::CloseDropDown() {
  if (dropWindow_ != nullptr) dropWindow_->Dismiss();
}

UiSize CComboUI::GetDropBoxSize() const { return Scale(dropBoxSize_); }
UiRect CComboUI::GetTextPadding() const { return Scale(textPadding_); }

void CComboUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
  if (dropWindow_ != nullptr && manager != m_pManager) dropWindow_->DestroyNow();
  CContainerUI::SetManager(manager, parent, init);
}

void CComboUI::SetPos(const UiRect& rc, bool needInvalidate) {
  // The items are laid out only inside the drop-down.
  CControlUI::SetPos(rc, needInvalidate);
}

CControlUI* CComboUI::FindControl(const FindPredicate& match, uint32_t flags) {
  if ((flags & UIFIND_HITTEST) != 0) return CControlUI::FindControl(match, flags);
  return CContainerUI::FindControl(match, flags);
}

void CComboUI::DoEvent(TEventUI& event) {
  if (UpdateHotState(event, buttonState_) || TrackPress(event, buttonState_)) return;
  switch (event.Type) {
    case UiEventType::KeyDown:
      if (event.chKey == keys::kReturn || event.chKey == ' ') {
        Activate();
      } else {
        DoOwnerEvent(event);
      }
      return;
    case UiEventType::ScrollWheel: {
      const int step = static_cast<intptr_t>(event.wParam) > 0 ? -1 : 1;
      for (int i = curSel_ + step; i >= 0 && i < GetCount(); i += step) {
        if (GetItemAt(i)->IsEnabled() && AsListItem(GetItemAt(i)) != nullptr) {
          SelectItem(i);
          break;
        }
      }
      return;
    }
    default:
      CControlUI::DoEvent(event);
  }
}

bool CComboUI::DoPaint(cairo_t* cr, const UiRect& rcPaint) { return CControlUI::DoPaint(cr, rcPaint); }

void CComboUI::PaintStatusImage(cairo_t* cr) {
  std::string image = normalImage_;
  if (!IsEnabled() && !disabledImage_.empty()) image = disabledImage_;
  else if ((buttonState_ & UISTATE_PUSHED) != 0 && !pushedImage_.empty()) image = pushedImage_;
  else if ((buttonState_ & UISTATE_HOT) != 0 && !hotImage_.empty()) image = hotImage_;
  else if (IsFocused() && !focusedImage_.empty()) image = focusedImage_;
  if (!image.empty()) DrawImage(cr, image);
}

void CComboUI::PaintText(cairo_t* cr) {
  UiRect rc = m_rcItem.Deflate(GetTextPadding());
  UiColor color = IsEnabled() ? textColor_ : disabledTextColor_;
  if (color == 0 && m_pManager != nullptr) {
    color = IsEnabled() ? m_pManager->GetDefaultFontColor() : m_pManager->GetDefaultDisabledColor();
  }
  CRenderEngine::DrawText(cr, m_pManager, rc, GetText(), color, font_, DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void CComboUI::SetAttribute(const std::string& name, const std::string& value) {
  if (listInfo_.SetAttribute(name, value)) return;
  const std::string key = ToLowerAscii(name);
  if (key == "normalimage") normalImage_ = value;
  else if (key == "hotimage") hotImage_ = value;
  else if (key == "pushedimage") pushedImage_ = value;
  else if (key == "focusedimage") focusedImage_ = value;
  else if (key == "disabledimage") disabledImage_ = value;
  else if (key == "textpadding") textPadding_ = ParseRect(value);
  else if (key == "font") font_ = ParseInt(value);
  else if (key == "textcolor") textColor_ = ParseColor(value);
  else if (key == "disabledtextcolor") disabledTextColor_ = ParseColor(value);
  else if (key == "dropboxsize") dropBoxSize_ = ParseSize(value);
  else if (key == "dropbox") dropBoxAttributes_ = value;
  else {
    CContainerUI::SetAttribute(name, value);
    return;
  }
  Invalidate();
}

}  // namespace velmora::toolkit
