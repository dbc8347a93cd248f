#include "toolkit/list_element.h"

#include <algorithm>

#include "toolkit/container.h"

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
  if (EqualsNoCase(name, "ListLabelElement") || EqualsNoCase(name, "ListElement")) return this;
  return ListItemControl<CControlUI>::GetInterface(name);
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

void CListLabelElementUI::PaintText(cairo_t* cr) {
  if (core_.owner == nullptr) return;
  const TListInfoUI* info = core_.owner->GetListInfo();
  UiRect rc = m_rcItem.Deflate(Scale(info->textPadding));
  CRenderEngine::DrawText(cr, m_pManager, rc, GetText(), core_.TextColor(*this), info->font, info->textStyle,
                          info->showHtml);
}

std::string CListContainerElementUI::GetClass() const { return "ListContainerElementUI"; }

void* CListContainerElementUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "ListContainerElement")) return this;
  return ListItemControl<CHorizontalLayoutUI>::GetInterface(name);
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

namespace {

void Reindex(CContainerUI& container, int from) {
  for (int i = std::max(0, from); i < container.GetCount(); ++i) {
    if (IListItemUI* item = AsListItem(container.GetItemAt(i))) item->SetIndex(i);
  }
}

}  // namespace

void OnListItemAdded(CContainerUI& container, IListOwnerUI* owner, CControlUI* control, int index, int& curSel) {
  if (IListItemUI* item = AsListItem(control)) item->SetOwner(owner);
  if (curSel >= index) ++curSel;
  Reindex(container, index);
}

void OnListItemRemoved(CContainerUI& container, int index, int& curSel) {
  if (index == curSel) curSel = -1;
  else if (index < curSel) --curSel;
  Reindex(container, index);
}

bool MoveListSelection(CContainerUI& container, int& curSel, int index) {
  if (index == curSel) return true;
  CControlUI* control = container.GetItemAt(index);
  IListItemUI* item = AsListItem(control);
  if (index != -1 && (item == nullptr || !control->IsEnabled())) return false;
  if (IListItemUI* previous = AsListItem(container.GetItemAt(curSel))) previous->SetSelectedState(false);
  curSel = index;
  if (item != nullptr) item->SetSelectedState(true);
  return true;
}

}  // namespace velmora::toolkit
