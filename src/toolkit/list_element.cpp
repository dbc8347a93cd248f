#include "toolkit/list_element.h"

#include "toolkit/paint_manager.h"
#include "toolkit/render_engine.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {

IListItemUI* AsListItem(CControlUI* control) {
  return control != nullptr ? static_cast<IListItemUI*>(control->GetInterface("ListItem")) : nullptr;
}

bool ListItemCore::HandleEvent(CControlUI& self, TEventUI& event) {
  switch (event.Type) {
    case UiEventType::ButtonDown:
    case UiEventType::RButtonDown:
      if (self.IsEnabled()) {
        if (self.GetManager() != nullptr) self.GetManager()->SendNotify(&self, kNotifyItemClick);
        if (owner != nullptr) owner->SelectItem(index, true);
        self.Invalidate();
      }
      return true;
    case UiEventType::ButtonUp:
      if (self.IsEnabled() && owner != nullptr && self.GetPos().Contains(event.ptMouse)) owner->OnItemClicked(index);
      return true;
    case UiEventType::DblClick:
      if (self.IsEnabled()) self.Activate();
      return true;
    case UiEventType::MouseEnter:
      hot = self.IsEnabled();
      self.Invalidate();
      return true;
    case UiEventType::MouseLeave:
      hot = false;
      self.Invalidate();
      return true;
    case UiEventType::KeyDown:
    case UiEventType::ScrollWheel:
      if (owner != nullptr) {
        owner->DoOwnerEvent(event);
        return true;
      }
      return false;
    default:
      return false;
  }
}

void ListItemCore::PaintBackground(CControlUI& self, cairo_t* cr, const UiRect& rcPaint) const {
  if (owner == nullptr) return;
  const TListInfoUI* info = owner->GetListInfo();
  UiColor color = info->bkColor;
  if (selected && info->selectedBkColor != 0) color = info->selectedBkColor;
  else if (hot && self.IsEnabled() && info->hotBkColor != 0) color = info->hotBkColor;
  if (color != 0) CRenderEngine::DrawColor(cr, rcPaint, color);
  if (info->lineColor != 0) {
    const UiRect& rc = self.GetPos();
    CRenderEngine::DrawLine(cr, {rc.left, rc.bottom - 1}, {rc.right, rc.bottom - 1}, 1, info->lineColor);
  }
}

UiColor ListItemCore::TextColor(const CControlUI& self) const {
  const TListInfoUI* info = owner != nullptr ? owner->GetListInfo() : nullptr;
  const CPaintManagerUI* manager = self.GetManager();
  const UiColor fallback = manager != nullptr ? manager->GetDefaultFontColor() : 0xFF000000;
  if (info == nullptr) return fallback;
  if (!self.IsEnabled()) return info->disabledTextColor != 0 ? info->disabledTextColor : 0xFFA7A6AA;
  if (selected && info->selectedTextColor != 0) return info->selectedTextColor;
  if (hot && info->hotTextColor != 0) return info->hotTextColor;
  return info->textColor != 0 ? info->textColor : fallback;
}

std::string CListLabelElementUI::GetClass() const { return "ListLabelElementUI"; }

void* CListLabelElementUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "ListItem")) return static_cast<IListItemUI*>(this);
  if (EqualsNoCase(name, "ListLabelElement") || EqualsNoCase(name, "ListElement")) return this;
  return CControlUI::GetInterface(name);
}

void CListLabelElementUI::SetSelectedState(bool selected) {
  core_.selected = selected;
  Invalidate();
}

bool CListLabelElementUI::Select(bool select, bool triggerEvent) {
  if (!select) {
    SetSelectedState(false);
    return true;
  }
  return core_.owner != nullptr && core_.owner->SelectItem(core_.index, false, triggerEvent);
}

bool CListLabelElementUI::Activate() {
  if (!CControlUI::Activate()) return false;
  Notify(kNotifyItemActivate);
  return true;
}

UiSize CListLabelElementUI::EstimateSize(UiSize available) {
  UiSize size = CControlUI::EstimateSize(available);
  if (size.cy == 0 && core_.owner != nullptr) {
    // An element without a height takes the height of its text plus padding.
    const TListInfoUI* info = core_.owner->GetListInfo();
    const UiSize text = CRenderEngine::MeasureText(m_pManager, GetText().empty() ? "Ag" : GetText(), info->font,
                                                   info->textStyle, 0, info->showHtml);
    size.cy = text.cy + Scale(info->textPadding.top + info->textPadding.bottom) + Scale(8);
  }
  return size;
}

void CListLabelElementUI::DoEvent(TEventUI& event) {
  if (!core_.HandleEvent(*this, event)) CControlUI::DoEvent(event);
}

void CListLabelElementUI::PaintBkColor(cairo_t* cr) {
  core_.PaintBackground(*this, cr, m_rcPaint);
  CControlUI::PaintBkColor(cr);
}

void CListLabelElementUI::PaintText(cairo_t* cr) {
  if (core_.owner == nullptr) return;
  const TListInfoUI* info = core_.owner->GetListInfo();
  UiRect rc = m_rcItem.Deflate(Scale(info->textPadding));
  CRenderEngine::DrawText(cr, m_pManager, rc, GetText(), core_.TextColor(*this), info->font, info->textStyle,
                          info->showHtml);
}

std::string CListContainerElementUI::GetClass() const { return "ListContainerElementUI"; }

void* CListContainerElementUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "ListItem")) return static_cast<IListItemUI*>(this);
  if (EqualsNoCase(name, "ListContainerElement")) return this;
  return CHorizontalLayoutUI::GetInterface(name);
}

void CListContainerElementUI::SetSelectedState(bool selected) {
  core_.selected = selected;
  Invalidate();
}

bool CListContainerElementUI::Select(bool select, bool triggerEvent) {
  if (!select) {
    SetSelectedState(false);
    return true;
  }
  return core_.owner != nullptr && core_.owner->SelectItem(core_.index, false, triggerEvent);
}

bool CListContainerElementUI::Activate() {
  if (!CControlUI::Activate()) return false;
  Notify(kNotifyItemActivate);
  return true;
}

CControlUI* CListContainerElementUI::FindControl(const FindPredicate& match, uint32_t flags) {
  CControlUI* found = CHorizontalLayoutUI::FindControl(match, flags);
  if ((flags & UIFIND_HITTEST) == 0 || found == nullptr || found == this) return found;
  // Walk up from the hit child: an interactive control keeps the press, else the element takes it.
  for (CControlUI* c = found; c != nullptr && c != this; c = c->GetParent()) {
    if (IsInteractiveControl(c)) return found;
  }
  return this;
}

void CListContainerElementUI::DoEvent(TEventUI& event) {
  if (!core_.HandleEvent(*this, event)) CHorizontalLayoutUI::DoEvent(event);
}

void CListContainerElementUI::PaintBkColor(cairo_t* cr) {
  core_.PaintBackground(*this, cr, m_rcPaint);
  CHorizontalLayoutUI::PaintBkColor(cr);
}

}  // namespace velmora::toolkit
