#include "toolkit/control.h"

#include "platform/debug_output.h"
#include "toolkit/paint_manager.h"
#include "toolkit/render_engine.h"
#include "toolkit/resource_manager.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {
namespace {

bool IsLanguageKey(const std::string& text) {
  return text.size() > 3 && text.compare(0, 2, "%[") == 0 && text.back() == ']';
}

std::string ResolveText(const std::string& text, bool resourceText) {
  if (IsLanguageKey(text)) return CResourceManager::GetInstance().GetText(text.substr(2, text.size() - 3));
  if (resourceText && !text.empty()) return CResourceManager::GetInstance().GetText(text);
  return text;
}

int ParseCursorName(const std::string& value) {
  if (EqualsNoCase(value, "hand")) return static_cast<int>(HostCursor::Hand);
  if (EqualsNoCase(value, "ibeam")) return static_cast<int>(HostCursor::IBeam);
  if (EqualsNoCase(value, "sizewe")) return static_cast<int>(HostCursor::SizeWE);
  if (EqualsNoCase(value, "sizens")) return static_cast<int>(HostCursor::SizeNS);
  if (EqualsNoCase(value, "wait")) return static_cast<int>(HostCursor::Wait);
  return static_cast<int>(HostCursor::Arrow);
}

}  // namespace

bool IsInteractiveControl(CControlUI* control) {
  static const char* const kInterfaces[] = {"Button", "Edit", "Combo", "Slider", "List", "ListItem", "ColorPalette"};
  for (const char* name : kInterfaces) {
    if (control->GetInterface(name) != nullptr) return true;
  }
  return false;
}

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
  if (m_pManager != nullptr) m_pManager->ReapObjects(this);
}

std::string CControlUI::GetClass() const { return "ControlUI"; }

void CControlUI::SetName(const std::string& name) {
  if (m_pManager != nullptr) m_pManager->OnControlRenamed(this, m_sName);
  m_sName = name;
}

void* CControlUI::GetInterface(std::string_view name) {
  return EqualsNoCase(name, "Control") ? this : nullptr;
}

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
  if (m_pManager != nullptr && m_pManager != manager) m_pManager->ReapObjects(this);
  m_pManager = manager;
  m_pParent = parent;
  if (init && manager != nullptr) Init();
}

CControlUI* CControlUI::FindControl(const FindPredicate& match, uint32_t flags) {
  if ((flags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
  if ((flags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
  if ((flags & UIFIND_HITTEST) != 0 && !m_bMouseEnabled) return nullptr;
  return match(this) ? this : nullptr;
}

CControlUI* CControlUI::FindSubControl(const std::string& name) {
  if (name.empty()) return nullptr;
  return FindControl([&name](CControlUI* c) { return EqualsNoCase(c->GetName(), name); }, UIFIND_ME_FIRST);
}

CControlUI* CControlUI::FindSubControlByClass(const std::string& className, int index) {
  int seen = 0;
  return FindControl(
      [&](CControlUI* c) {
        if (!EqualsNoCase(c->GetClass(), className) && c->GetInterface(className) == nullptr) return false;
        return seen++ == index;
      },
      UIFIND_ME_FIRST);
}

void CControlUI::Init() { DoInit(); }

std::string CControlUI::GetText() const { return ResolveText(m_sText, m_bResourceText); }

void CControlUI::SetText(const std::string& text) {
  if (m_sText == text) return;
  m_sText = text;
  Invalidate();
}

std::string CControlUI::GetToolTip() const { return ResolveText(m_sToolTip, m_bResourceText); }

void CControlUI::SetResourceText(bool on) {
  m_bResourceText = on;
  Invalidate();
}

const std::string& CControlUI::GetVirtualWnd() const {
  for (const CControlUI* c = this; c != nullptr; c = c->m_pParent) {
    if (!c->m_sVirtualWnd.empty()) return c->m_sVirtualWnd;
  }
  return m_sVirtualWnd;
}

void CControlUI::SetVisible(bool visible) {
  if (m_bVisible == visible) return;
  const bool wasVisible = IsVisible();
  m_bVisible = visible;
  if (m_bFocused && !visible && m_pManager != nullptr) m_pManager->SetFocus(nullptr);
  if (IsVisible() != wasVisible) NeedParentUpdate();
}

void CControlUI::SetInternVisible(bool visible) {
  m_bInternVisible = visible;
  if (!visible && m_bFocused && m_pManager != nullptr) m_pManager->SetFocus(nullptr);
}

void CControlUI::SetEnabled(bool enabled) {
  if (m_bEnabled == enabled) return;
  m_bEnabled = enabled;
  Invalidate();
}

void CControlUI::SetFocus() {
  if (m_pManager != nullptr) m_pManager->SetFocus(this);
}

bool CControlUI::Activate() { return IsVisible() && IsEnabled(); }

void CControlUI::SetPos(const UiRect& rc, bool needInvalidate) {
  UiRect fixed = rc;
  if (fixed.right < fixed.left) fixed.right = fixed.left;
  if (fixed.bottom < fixed.top) fixed.bottom = fixed.top;
  const UiRect old = m_rcItem;
  m_rcItem = fixed;
  m_bUpdateNeeded = false;
  if (needInvalidate && m_pManager != nullptr && !(old == m_rcItem)) {
    m_pManager->Invalidate(old.Union(m_rcItem));
  }
}

void CControlUI::SetFloat(bool isFloat) {
  if (m_bFloat == isFloat) return;
  m_bFloat = isFloat;
  NeedParentUpdate();
}

UiSize CControlUI::GetFixedXY() const { return Scale(m_cXY); }
void CControlUI::SetFixedXY(UiSize xy) {
  m_cXY = xy;
  NeedParentUpdate();
}
int CControlUI::GetFixedWidth() const { return Scale(m_cxyFixed.cx); }
void CControlUI::SetFixedWidth(int cx) {
  if (cx < 0) return;
  m_cxyFixed.cx = cx;
  NeedParentUpdate();
}
int CControlUI::GetFixedHeight() const { return Scale(m_cxyFixed.cy); }
void CControlUI::SetFixedHeight(int cy) {
  if (cy < 0) return;
  m_cxyFixed.cy = cy;
  NeedParentUpdate();
}
int CControlUI::GetMinWidth() const { return Scale(m_cxyMin.cx); }
void CControlUI::SetMinWidth(int cx) {
  if (cx < 0) return;
  m_cxyMin.cx = cx;
  NeedParentUpdate();
}
int CControlUI::GetMaxWidth() const { return Scale(m_cxyMax.cx); }
void CControlUI::SetMaxWidth(int cx) {
  if (cx < 0) return;
  m_cxyMax.cx = cx;
  NeedParentUpdate();
}
int CControlUI::GetMinHeight() const { return Scale(m_cxyMin.cy); }
void CControlUI::SetMinHeight(int cy) {
  if (cy < 0) return;
  m_cxyMin.cy = cy;
  NeedParentUpdate();
}
int CControlUI::GetMaxHeight() const { return Scale(m_cxyMax.cy); }
void CControlUI::SetMaxHeight(int cy) {
  if (cy < 0) return;
  m_cxyMax.cy = cy;
  NeedParentUpdate();
}
UiRect CControlUI::GetPadding() const { return Scale(m_rcPadding); }
void CControlUI::SetPadding(const UiRect& padding) {
  m_rcPadding = padding;
  NeedParentUpdate();
}

UiSize CControlUI::EstimateSize(UiSize) { return {GetFixedWidth(), GetFixedHeight()}; }

void CControlUI::SetFloatPos() {
  if (m_pParent == nullptr) return;
  const UiRect parent = m_pParent->GetPos();
  const UiSize xy = GetFixedXY();
  UiSize size = EstimateSize({parent.Width(), parent.Height()});
  if (size.cx == 0) size.cx = GetFixedWidth();
  if (size.cy == 0) size.cy = GetFixedHeight();
  const int left = parent.left + xy.cx;
  const int top = parent.top + xy.cy;
  SetPos({left, top, left + size.cx, top + size.cy}, false);
}

void CControlUI::SetBkColor(UiColor color) {
  if (m_dwBackColor == color) return;
  m_dwBackColor = color;
  Invalidate();
}
void CControlUI::SetBkImage(const std::string& image) {
  if (m_sBkImage == image) return;
  m_sBkImage = image;
  Invalidate();
}
void CControlUI::SetForeImage(const std::string& image) {
  if (m_sForeImage == image) return;
  m_sForeImage = image;
  Invalidate();
}
void CControlUI::SetBorderColor(UiColor color) {
  m_dwBorderColor = color;
  Invalidate();
}
void CControlUI::SetFocusBorderColor(UiColor color) {
  m_dwFocusBorderColor = color;
  Invalidate();
}
int CControlUI::GetBorderSize() const { return Scale(m_nBorderSize); }
void CControlUI::SetBorderSize(int size) {
  m_nBorderSize = size < 0 ? 0 : size;
  Invalidate();
}
UiSize CControlUI::GetBorderRound() const { return Scale(m_cxyBorderRound); }
void CControlUI::SetBorderRound(UiSize round) {
  m_cxyBorderRound = round;
  Invalidate();
}

void CControlUI::SetAttribute(const std::string& name, const std::string& value) {
  const std::string key = ToLowerAscii(name);
  if (key == "pos") {
    const UiRect rc = ParseRect(value);
    m_cXY = {rc.left, rc.top};
    m_cxyFixed = {rc.Width() > 0 ? rc.Width() : 0, rc.Height() > 0 ? rc.Height() : 0};
    NeedParentUpdate();
  } else if (key == "float") {
    SetFloat(ParseBool(value));
  } else if (key == "padding") {
    SetPadding(ParseRect(value));
  } else if (key == "bkcolor" || key == "bkcolor1") {
    SetBkColor(ParseColor(value));
  } else if (key == "bordercolor") {
    SetBorderColor(ParseColor(value));
  } else if (key == "focusbordercolor") {
    SetFocusBorderColor(ParseColor(value));
  } else if (key == "bordersize") {
    SetBorderSize(ParseInt(value));
  } else if (key == "borderround") {
    SetBorderRound(ParseSize(value));
  } else if (key == "bkimage") {
    SetBkImage(value);
  } else if (key == "foreimage") {
    SetForeImage(value);
  } else if (key == "width") {
    SetFixedWidth(ParseInt(value));
  } else if (key == "height") {
    SetFixedHeight(ParseInt(value));
  } else if (key == "minwidth") {
    SetMinWidth(ParseInt(value));
  } else if (key == "minheight") {
    SetMinHeight(ParseInt(value));
  } else if (key == "maxwidth") {
    SetMaxWidth(ParseInt(value));
  } else if (key == "maxheight") {
    SetMaxHeight(ParseInt(value));
  } else if (key == "name") {
    SetName(value);
  } else if (key == "text") {
    SetText(value);
  } else if (key == "resourcetext") {
    SetResourceText(ParseBool(value));
  } else if (key == "tooltip") {
    SetToolTip(value);
  } else if (key == "userdata") {
    SetUserData(value);
  } else if (key == "tag") {
    SetTag(static_cast<uintptr_t>(ParseInt(value)));
  } else if (key == "enabled") {
    SetEnabled(ParseBool(value));
  } else if (key == "mouse") {
    SetMouseEnabled(ParseBool(value));
  } else if (key == "keyboard") {
    SetKeyboardEnabled(ParseBool(value));
  } else if (key == "visible") {
    SetVisible(ParseBool(value));
  } else if (key == "menu") {
    m_bMenuUsed = ParseBool(value);
  } else if (key == "cursor") {
    m_nCursor = ParseCursorName(value);
  } else if (key == "virtualwnd") {
    SetVirtualWnd(value);
  } else {
    platform::DebugOutputF("toolkit: unknown attribute '%s' on %s '%s'", name.c_str(), GetClass().c_str(),
                           m_sName.c_str());
  }
}

bool CControlUI::ApplyAttributeList(const std::string& list) {
  std::vector<std::pair<std::string, std::string>> pairs;
  const bool ok = ParseAttributeList(list, pairs);
  for (const auto& [name, value] : pairs) SetAttribute(name, value);
  if (!ok) platform::DebugOutputF("toolkit: malformed attribute list on '%s'", m_sName.c_str());
  return ok;
}

void CControlUI::AddCustomAttribute(const std::string& name, const std::string& value) {
  m_customAttributes[ToLowerAscii(name)] = value;
}

const std::string* CControlUI::GetCustomAttribute(const std::string& name) const {
  auto it = m_customAttributes.find(ToLowerAscii(name));
  return it == m_customAttributes.end() ? nullptr : &it->second;
}

void CControlUI::Invalidate() {
  if (m_pManager != nullptr && IsVisible()) m_pManager->Invalidate(m_rcItem);
}

void CControlUI::NeedUpdate() {
  m_bUpdateNeeded = true;
  if (m_pManager != nullptr) {
    m_pManager->NeedUpdate();
    m_pManager->Invalidate(m_rcItem);
  }
}

void CControlUI::NeedParentUpdate() {
  if (m_pParent != nullptr) {
    m_pParent->NeedUpdate();
  } else {
    NeedUpdate();
  }
}

void CControlUI::DoEvent(TEventUI& event) {
  switch (event.Type) {
    case UiEventType::SetFocus:
      m_bFocused = true;
      Invalidate();
      return;
    case UiEventType::KillFocus:
      m_bFocused = false;
      Invalidate();
      return;
    case UiEventType::Timer:
      Notify(kNotifyTimer, event.wParam, event.lParam);
      return;
    case UiEventType::ContextMenu:
      if (IsContextMenuUsed()) {
        Notify(kNotifyMenu, event.wParam, event.lParam);
        return;
      }
      break;
    default:
      break;
  }
  PassToParent(event);
}

void CControlUI::PassToParent(TEventUI& event) {
  // Only scrolling and context menus travel up; everything else belongs to its control.
  if (m_pParent == nullptr) return;
  if (event.Type == UiEventType::ScrollWheel || event.Type == UiEventType::ContextMenu) {
    m_pParent->DoEvent(event);
  }
}

bool CControlUI::UpdateHotState(const TEventUI& event, uint32_t& state) {
  if (event.Type == UiEventType::MouseEnter) {
    if (IsEnabled()) state |= UISTATE_HOT;
  } else if (event.Type == UiEventType::MouseLeave) {
    state &= ~UISTATE_HOT;
  } else {
    return false;
  }
  Invalidate();
  return true;
}

bool CControlUI::TrackPress(const TEventUI& event, uint32_t& state) {
  switch (event.Type) {
    case UiEventType::ButtonDown:
    case UiEventType::DblClick:
      if (m_rcItem.Contains(event.ptMouse) && IsEnabled()) {
        state |= UISTATE_PUSHED | UISTATE_CAPTURED;
        Invalidate();
      }
      return true;
    case UiEventType::MouseMove:
      if ((state & UISTATE_CAPTURED) != 0) {
        const bool inside = m_rcItem.Contains(event.ptMouse);
        state = inside ? (state | UISTATE_PUSHED) : (state & ~UISTATE_PUSHED);
        Invalidate();
      }
      return true;
    case UiEventType::ButtonUp:
      if ((state & UISTATE_CAPTURED) != 0) {
        state &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
        Invalidate();
        if (m_rcItem.Contains(event.ptMouse)) Activate();  // last: the handler may remove this control
      }
      return true;
    default:
      return false;
  }
}

bool CControlUI::DoPaint(cairo_t* cr, const UiRect& rcPaint) {
  m_rcPaint = m_rcItem.Intersect(rcPaint);
  if (m_rcPaint.IsEmpty()) return true;
  const UiSize round = GetBorderRound();
  const bool rounded = round.cx > 0 || round.cy > 0;
  cairo_save(cr);
  if (rounded) {
    CRenderEngine::RoundRectPath(cr, m_rcItem, round.cx, round.cy);
    cairo_clip(cr);
  }
  PaintBkColor(cr);
  PaintBkImage(cr);
  PaintStatusImage(cr);
  PaintForeImage(cr);
  PaintText(cr);
  cairo_restore(cr);
  PaintBorder(cr);
  return true;
}

void CControlUI::PaintBkColor(cairo_t* cr) {
  if (m_dwBackColor != 0) CRenderEngine::DrawColor(cr, m_rcPaint, m_dwBackColor);
}

void CControlUI::PaintBkImage(cairo_t* cr) {
  if (!m_sBkImage.empty()) DrawImage(cr, m_sBkImage);
}

void CControlUI::PaintStatusImage(cairo_t*) {}

void CControlUI::PaintForeImage(cairo_t* cr) {
  if (!m_sForeImage.empty()) DrawImage(cr, m_sForeImage);
}

void CControlUI::PaintText(cairo_t*) {}

void CControlUI::PaintBorder(cairo_t* cr) {
  const int size = GetBorderSize();
  if (size <= 0) return;
  const UiColor color = (m_bFocused && m_dwFocusBorderColor != 0) ? m_dwFocusBorderColor : m_dwBorderColor;
  if (color == 0) return;
  const UiSize round = GetBorderRound();
  if (round.cx > 0 || round.cy > 0) {
    CRenderEngine::DrawRoundRect(cr, m_rcItem, size, round.cx, round.cy, color);
  } else {
    CRenderEngine::DrawRect(cr, m_rcItem, size, color);
  }
}

bool CControlUI::DrawImage(cairo_t* cr, const std::string& image, const std::string& modify) {
  return CRenderEngine::DrawImageString(cr, m_pManager, m_rcItem, m_rcPaint, image, modify);
}

bool CControlUI::OnNotify(TNotifyUI& msg) {
  for (NotifyListener& listener : m_notifyListeners) {
    if (listener(msg)) return true;
  }
  return false;
}

int CControlUI::Scale(int value) const { return m_pManager != nullptr ? m_pManager->ScaleValue(value) : value; }

UiRect CControlUI::Scale(const UiRect& rect) const {
  return {Scale(rect.left), Scale(rect.top), Scale(rect.right), Scale(rect.bottom)};
}

UiSize CControlUI::Scale(UiSize size) const { return {Scale(size.cx), Scale(size.cy)}; }

void CControlUI::Notify(const char* type, UiWParam wParam, UiLParam lParam, bool async) {
  if (m_pManager != nullptr) m_pManager->SendNotify(this, type, wParam, lParam, async);
}

}  // namespace velmora::toolkit
