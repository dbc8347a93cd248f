#include "toolkit/container.h"

#include <algorithm>

#include "toolkit/linear_layout.h"
#include "toolkit/paint_manager.h"
#include "toolkit/render_engine.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {
namespace {

constexpr int kScrollBarWidth = 6;
constexpr int kDefaultScrollStep = 30;

uint32_t ParseHorizontalAlign(const std::string& value) {
  if (EqualsNoCase(value, "center")) return DT_CENTER;
  if (EqualsNoCase(value, "right")) return DT_RIGHT;
  return DT_LEFT;
}

uint32_t ParseVerticalAlign(const std::string& value) {
  if (EqualsNoCase(value, "vcenter") || EqualsNoCase(value, "center")) return DT_VCENTER;
  if (EqualsNoCase(value, "bottom")) return DT_BOTTOM;
  return DT_TOP;
}

}  // namespace

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
  std::vector<CControlUI*> items;
  items.swap(items_);
  if (!autoDestroy_) return;
  for (CControlUI* item : items) delete item;
}

std::string CContainerUI::GetClass() const { return "ContainerUI"; }

void* CContainerUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "Container") || EqualsNoCase(name, "IContainer")) return this;
  return CControlUI::GetInterface(name);
}

CControlUI* CContainerUI::GetItemAt(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return items_[static_cast<size_t>(index)];
}

int CContainerUI::GetItemIndex(const CControlUI* control) const {
  auto it = std::find(items_.begin(), items_.end(), control);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

bool CContainerUI::SetItemIndex(CControlUI* control, int newIndex) {
  const int old = GetItemIndex(control);
  if (old < 0 || newIndex < 0 || newIndex >= GetCount()) return false;
  items_.erase(items_.begin() + old);
  items_.insert(items_.begin() + newIndex, control);
  NeedUpdate();
  return true;
}

bool CContainerUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CContainerUI::AddAt(CControlUI* control, int index) {
  if (control == nullptr || index < 0 || index > GetCount() || GetItemIndex(control) >= 0) return false;
  control->SetManager(m_pManager, this, m_pManager != nullptr);
  if (!IsVisible()) control->SetInternVisible(false);
  items_.insert(items_.begin() + index, control);
  NeedUpdate();
  return true;
}

bool CContainerUI::Remove(CControlUI* control, bool doNotDestroy) {
  const int index = GetItemIndex(control);
  if (index < 0) return false;
  return RemoveAt(index, doNotDestroy);
}

bool CContainerUI::RemoveAt(int index, bool doNotDestroy) {
  CControlUI* control = GetItemAt(index);
  if (control == nullptr) return false;
  items_.erase(items_.begin() + index);
  NeedUpdate();
  if (doNotDestroy || !autoDestroy_) {
    if (m_pManager != nullptr) m_pManager->ReapObjects(control);
    control->SetManager(nullptr, nullptr, false);
    return true;
  }
  if (delayedDestroy_ && m_pManager != nullptr) {
    m_pManager->AddDelayedCleanup(control);
  } else {
    delete control;
  }
  return true;
}

void CContainerUI::RemoveAll() {
  while (!items_.empty()) RemoveAt(GetCount() - 1);
  scrollPos_ = {};
  NeedUpdate();
}

UiRect CContainerUI::GetInset() const { return Scale(inset_); }
void CContainerUI::SetInset(const UiRect& inset) {
  inset_ = inset;
  NeedUpdate();
}
int CContainerUI::GetChildPadding() const { return Scale(childPadding_); }
void CContainerUI::SetChildPadding(int padding) {
  childPadding_ = std::max(0, padding);
  NeedUpdate();
}

void CContainerUI::EnableScrollBar(bool vertical, bool horizontal) {
  vscroll_ = vertical;
  hscroll_ = horizontal;
  if (!vscroll_) scrollPos_.cy = 0;
  if (!hscroll_) scrollPos_.cx = 0;
  NeedUpdate();
}

int CContainerUI::GetScrollStepSize() const { return Scale(scrollStep_ > 0 ? scrollStep_ : kDefaultScrollStep); }

void CContainerUI::SetScrollPos(UiSize pos) {
  pos.cx = std::clamp(pos.cx, 0, scrollRange_.cx);
  pos.cy = std::clamp(pos.cy, 0, scrollRange_.cy);
  if (pos == scrollPos_) return;
  scrollPos_ = pos;
  SetPos(m_rcItem);
  Invalidate();
  Notify(kNotifyScroll);
}

void CContainerUI::LineUp() { SetScrollPos({scrollPos_.cx, scrollPos_.cy - GetScrollStepSize()}); }
void CContainerUI::LineDown() { SetScrollPos({scrollPos_.cx, scrollPos_.cy + GetScrollStepSize()}); }
void CContainerUI::PageUp() { SetScrollPos({scrollPos_.cx, scrollPos_.cy - GetInnerRect().Height()}); }
void CContainerUI::PageDown() { SetScrollPos({scrollPos_.cx, scrollPos_.cy + GetInnerRect().Height()}); }
void CContainerUI::HomeUp() { SetScrollPos({scrollPos_.cx, 0}); }
void CContainerUI::EndDown() { SetScrollPos({scrollPos_.cx, scrollRange_.cy}); }

void CContainerUI::EnsureVisible(CControlUI* control) {
  if (GetItemIndex(control) < 0) return;
  const UiRect inner = GetInnerRect();
  const UiRect item = control->GetPos();
  UiSize pos = scrollPos_;
  if (item.top < inner.top) pos.cy -= inner.top - item.top;
  else if (item.bottom > inner.bottom) pos.cy += item.bottom - inner.bottom;
  if (item.left < inner.left) pos.cx -= inner.left - item.left;
  else if (item.right > inner.right) pos.cx += item.right - inner.right;
  SetScrollPos(pos);
}

void CContainerUI::SetVisible(bool visible) {
  if (m_bVisible == visible) return;
  CControlUI::SetVisible(visible);
  for (CControlUI* item : items_) item->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool visible) {
  CControlUI::SetInternVisible(visible);
  for (CControlUI* item : items_) item->SetInternVisible(IsVisible());
}

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
  for (CControlUI* item : items_) item->SetManager(manager, this, init);
  CControlUI::SetManager(manager, parent, init);
}

CControlUI* CContainerUI::FindControl(const FindPredicate& match, uint32_t flags) {
  if ((flags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
  if ((flags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
  const bool hitTest = (flags & UIFIND_HITTEST) != 0;
  if (hitTest && !match(this)) return nullptr;  // children are clipped to the container
  if ((flags & UIFIND_ME_FIRST) != 0) {
    if (CControlUI* me = CControlUI::FindControl(match, flags)) return me;
  }
  if (!hitTest || mouseChildEnabled_) {
    if ((flags & UIFIND_TOP_FIRST) != 0) {
      for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        if (CControlUI* found = (*it)->FindControl(match, flags)) return found;
      }
    } else {
      for (CControlUI* item : items_) {
        if (CControlUI* found = item->FindControl(match, flags)) return found;
      }
    }
  }
  if ((flags & UIFIND_ME_FIRST) != 0) return nullptr;
  return CControlUI::FindControl(match, flags);
}

// Scroll bars overlay the content, so the inner area does not depend on the scroll range.
UiRect CContainerUI::GetInnerRect() const { return m_rcItem.Deflate(GetInset()); }

void CContainerUI::SetContentSize(UiSize content) {
  const UiRect inner = GetInnerRect();
  UiSize range{hscroll_ ? std::max(0, content.cx - inner.Width()) : 0,
               vscroll_ ? std::max(0, content.cy - inner.Height()) : 0};
  scrollRange_ = range;
  scrollPos_.cx = std::clamp(scrollPos_.cx, 0, range.cx);
  scrollPos_.cy = std::clamp(scrollPos_.cy, 0, range.cy);
}

void CContainerUI::SetPos(const UiRect& rc, bool needInvalidate) {
  CControlUI::SetPos(rc, needInvalidate);
  ArrangeChildren(GetInnerRect());
  PlaceFloatChildren();
}

void CContainerUI::ArrangeChildren(const UiRect& rc) {
  for (CControlUI* item : items_) {
    if (!item->IsVisible() || item->IsFloat()) continue;
    const UiRect padding = item->GetPadding();
    item->SetPos(rc.Deflate(padding), false);
  }
  SetContentSize({0, 0});
}

void CContainerUI::ArrangeInLine(const UiRect& rc, bool vertical) {
  LinearLayoutParams params{vertical, GetChildPadding(), vertical ? childAlign_ : childVAlign_,
                            vertical ? childVAlign_ : childAlign_, scrollPos_};
  SetContentSize(ArrangeLinear(items_, rc, params));
  if (params.scrollPos != scrollPos_) {  // the range shrank: lay out again at the clamped offset
    params.scrollPos = scrollPos_;
    ArrangeLinear(items_, rc, params);
  }
}

void CContainerUI::PlaceFloatChildren() {
  for (CControlUI* item : items_) {
    if (item->IsVisible() && item->IsFloat()) item->SetFloatPos();
  }
}

void CContainerUI::DoEvent(TEventUI& event) {
  if (event.Type == UiEventType::ScrollWheel && vscroll_ && scrollRange_.cy > 0) {
    const int notches = static_cast<int>(static_cast<intptr_t>(event.wParam)) / 120;
    const int delta = notches == 0 ? (static_cast<intptr_t>(event.wParam) > 0 ? 1 : -1) : notches;
    SetScrollPos({scrollPos_.cx, scrollPos_.cy - delta * GetScrollStepSize()});
    return;
  }
  CControlUI::DoEvent(event);
}

bool CContainerUI::DoPaint(cairo_t* cr, const UiRect& rcPaint) {
  UiRect paint = m_rcItem.Intersect(rcPaint);
  if (paint.IsEmpty()) return true;
  CControlUI::DoPaint(cr, rcPaint);
  const UiRect inner = GetInnerRect();
  const UiRect clip = paint.Intersect(inner);
  cairo_save(cr);
  cairo_rectangle(cr, clip.left, clip.top, clip.Width(), clip.Height());
  cairo_clip(cr);
  for (CControlUI* item : items_) {
    if (!item->IsVisible() || item->IsFloat()) continue;
    if (!item->GetPos().Intersects(clip)) continue;
    if (!item->DoPaint(cr, clip)) break;
  }
  cairo_restore(cr);
  // Float children may sit anywhere over the container, inset included.
  cairo_save(cr);
  cairo_rectangle(cr, paint.left, paint.top, paint.Width(), paint.Height());
  cairo_clip(cr);
  for (CControlUI* item : items_) {
    if (item->IsVisible() && item->IsFloat() && item->GetPos().Intersects(paint)) item->DoPaint(cr, paint);
  }
  cairo_restore(cr);
  PaintScrollBars(cr);
  return true;
}

void CContainerUI::PaintScrollBars(cairo_t* cr) {
  if (!vscroll_ || scrollRange_.cy <= 0) return;
  const UiRect inner = GetInnerRect();
  const int track = inner.Height();
  const int content = track + scrollRange_.cy;
  const int thumb = std::max(Scale(16), track * track / std::max(1, content));
  const int top = inner.top + (track - thumb) * scrollPos_.cy / std::max(1, scrollRange_.cy);
  const int width = Scale(kScrollBarWidth);
  CRenderEngine::FillRoundRect(cr, {inner.right - width, top, inner.right, top + thumb}, width, width,
                               scrollThumbColor_);
}

void CContainerUI::SetAttribute(const std::string& name, const std::string& value) {
  const std::string key = ToLowerAscii(name);
  if (key == "inset") {
    SetInset(ParseRect(value));
  } else if (key == "childpadding") {
    SetChildPadding(ParseInt(value));
  } else if (key == "childalign") {
    childAlign_ = ParseHorizontalAlign(value);
    NeedUpdate();
  } else if (key == "childvalign") {
    childVAlign_ = ParseVerticalAlign(value);
    NeedUpdate();
  } else if (key == "mousechild") {
    SetMouseChildEnabled(ParseBool(value));
  } else if (key == "vscrollbar") {
    EnableScrollBar(ParseBool(value), hscroll_);
  } else if (key == "hscrollbar") {
    EnableScrollBar(vscroll_, ParseBool(value));
  } else if (key == "scrollstepsize") {
    scrollStep_ = std::max(0, ParseInt(value));
  } else if (key == "scrollthumbcolor") {
    scrollThumbColor_ = ParseColor(value);
  } else if (key == "autodestroy") {
    SetAutoDestroy(ParseBool(value));
  } else if (key == "delayeddestroy") {
    SetDelayedDestroy(ParseBool(value));
  } else {
    CControlUI::SetAttribute(name, value);
  }
}

}  // namespace velmora::toolkit
