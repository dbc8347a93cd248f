#include "toolkit/menu_window.h"

#include <algorithm>

#include "platform/debug_output.h"
#include "toolkit/key_codes.h"
#include "toolkit/render_engine.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {
namespace {

constexpr int kDefaultMenuWidth = 160;
constexpr int kCheckMarkWidth = 18;

}  // namespace

UiRect PlaceMenu(UiPoint point, UiSize size, uint32_t alignment, const UiRect& workArea) {
  int left = (alignment & eMenuAlignment_Right) != 0 ? point.x - size.cx : point.x;
  int top = (alignment & eMenuAlignment_Bottom) != 0 ? point.y - size.cy : point.y;
  left = std::max(workArea.left, std::min(left, workArea.right - size.cx));
  top = std::max(workArea.top, std::min(top, workArea.bottom - size.cy));
  return {left, top, left + size.cx, top + size.cy};
}

std::string CMenuUI::GetClass() const { return "MenuUI"; }

void* CMenuUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "Menu")) return this;
  return CListUI::GetInterface(name);
}

void CMenuUI::OnItemClicked(int index) {
  if (onItemClicked_) onItemClicked_(index);
}

std::string CMenuElementUI::GetClass() const { return "MenuElementUI"; }

void* CMenuElementUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "MenuElement")) return this;
  return CListLabelElementUI::GetInterface(name);
}

void CMenuElementUI::SetChecked(bool checked) {
  checked_ = checked;
  Invalidate();
}

void CMenuElementUI::PaintText(cairo_t* cr) {
  if (checkable_ && checked_) {
    UiRect mark{m_rcItem.left, m_rcItem.top, m_rcItem.left + Scale(kCheckMarkWidth), m_rcItem.bottom};
    CRenderEngine::DrawText(cr, m_pManager, mark, "\xE2\x9C\x93", 0xFF000000, -1, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  CListLabelElementUI::PaintText(cr);
}

void CMenuElementUI::SetAttribute(const std::string& name, const std::string& value) {
  const std::string key = ToLowerAscii(name);
  if (key == "checkable") checkable_ = ParseBool(value);
  else if (key == "checked") SetChecked(ParseBool(value));
  else CListLabelElementUI::SetAttribute(name, value);
}

CMenuWnd* CMenuWnd::CreateMenu(const std::string& xml, UiPoint point, CPaintManagerUI* owner, MenuCheckMap* checks,
                               uint32_t alignment) {
  if (owner == nullptr || owner->GetHost() == nullptr || owner->GetOwnerWindow() == nullptr) return nullptr;
  auto* menu = new CMenuWnd(xml, owner, checks, point, alignment);
  menu->ownerAlive_ = owner->WeakSelf();
  if (!menu->Create(*owner->GetHost(), owner->GetOwnerWindow(), "MenuWnd", kWindowToolWindow, point.x, point.y, 1, 1)) {
    delete menu;
    return nullptr;
  }
  menu->ShowWindow(true);
  return menu;
}

void CMenuWnd::InitWindow() {
  m_pm.SetDPI(owner_->GetDPI());
  m_pm.SetDefaultFontColor(owner_->GetDefaultFontColor());
  menu_ = static_cast<CMenuUI*>(m_pm.GetRoot()->GetInterface("Menu"));
  if (menu_ == nullptr) {
    platform::DebugOutput("toolkit: a menu layout's root is not a Menu");
    Dismiss();
    return;
  }
  for (int i = 0; i < menu_->GetCount(); ++i) {
    auto* element = static_cast<CMenuElementUI*>(menu_->GetItemAt(i)->GetInterface("MenuElement"));
    if (element == nullptr || !element->IsCheckable() || checks_ == nullptr) continue;
    auto state = checks_->find(element->GetName());
    if (state != checks_->end()) element->SetChecked(state->second);
  }
  menu_->SetItemClickHandler([this](int index) {
    auto* element = static_cast<CMenuElementUI*>(
        menu_->GetItemAt(index) != nullptr ? menu_->GetItemAt(index)->GetInterface("MenuElement") : nullptr);
    if (element != nullptr) Choose(element);
  });
  Place();
}

void CMenuWnd::Place() {
  int width = menu_->GetFixedWidth() > 0 ? menu_->GetFixedWidth() : m_pm.ScaleValue(kDefaultMenuWidth);
  const UiRect inset = menu_->GetInset();
  int height = inset.top + inset.bottom;
  for (int i = 0; i < menu_->GetCount(); ++i) {
    CControlUI* item = menu_->GetItemAt(i);
    if (item->IsVisible()) height += item->EstimateSize({width, 0}).cy;
  }
  if (menu_->GetFixedHeight() > 0) height = menu_->GetFixedHeight();
  const HostRect work = GetHost()->ScreenWorkArea();
  MoveWindow(PlaceMenu(point_, {width, std::max(1, height)}, alignment_, {work.left, work.top, work.right, work.bottom}));
}

void CMenuWnd::Choose(CMenuElementUI* element) {
  if (chosen_) return;
  chosen_ = true;
  if (element->IsCheckable()) {
    element->SetChecked(!element->IsChecked());
    if (checks_ != nullptr) (*checks_)[element->GetName()] = element->IsChecked();
  }
  auto alive = ownerAlive_.lock();
  if (alive && *alive != nullptr && owner_->GetOwnerWindow() != nullptr) {
    MenuCmd* cmd = owner_->CreateMenuCmd();
    cmd->szName = element->GetName();
    cmd->szUserData = element->GetUserData();
    cmd->szText = element->GetText();
    cmd->bChecked = element->IsChecked();
    owner_->GetOwnerWindow()->PostMessage(WM_MENUCLICK, reinterpret_cast<UiWParam>(cmd), 0);
  }
  Close(IDOK);
}

void CMenuWnd::OnHostInput(const HostInputEvent& event) {
  if (event.type == HostInputType::FocusOut ||
      (event.type == HostInputType::KeyDown && event.keySym == keys::kEscape)) {
    Dismiss();
    return;
  }
  WindowImplBase::OnHostInput(event);
}

UiLResult CMenuWnd::OnDestroy(UiWParam, UiLParam, bool& handled) {
  if (menu_ != nullptr) menu_->SetItemClickHandler(nullptr);
  handled = false;
  return 0;
}

}  // namespace velmora::toolkit
