#include "toolkit/combo_wnd.h"

#include <algorithm>

#include "toolkit/combo.h"
#include "toolkit/key_codes.h"
#include "toolkit/vertical_layout.h"

namespace velmora::toolkit {
namespace {

// The drop-down's content height: the items' heights plus the list's inset.
int ContentHeight(CComboUI* owner, int width, int inset) {
  int height = inset;
  for (int i = 0; i < owner->GetCount(); ++i) {
    CControlUI* item = owner->GetItemAt(i);
    if (item->IsVisible()) height += item->EstimateSize({width, 0}).cy;
  }
  return height;
}

}  // namespace

CComboWnd* CComboWnd::Open(CComboUI* owner) {
  CPaintManagerUI* manager = owner->GetManager();
  if (manager == nullptr || manager->GetHost() == nullptr || manager->GetOwnerWindow() == nullptr) return nullptr;
  CWindowWnd* ownerWindow = manager->GetOwnerWindow();
  Host* host = manager->GetHost();
  const UiRect window = ownerWindow->GetWindowRect();
  const UiRect combo = owner->GetPos();
  const UiSize box = owner->GetDropBoxSize();
  const int width = box.cx > 0 ? box.cx : combo.Width();
  const int height = std::max(1, std::min(box.cy > 0 ? box.cy : 150 * manager->GetDPI() / 96,
                                          ContentHeight(owner, width, manager->ScaleValue(2))));
  int top = window.top + combo.bottom;
  const HostRect work = host->ScreenWorkArea();
  if (top + height > work.bottom && window.top + combo.top - height >= work.top) top = window.top + combo.top - height;
  auto* popup = new CComboWnd(owner);
  if (!popup->Create(*host, ownerWindow, "ComboWnd", kWindowToolWindow, window.left + combo.left, top, width, height)) {
    delete popup;
    return nullptr;
  }
  popup->ShowWindow(true);
  return popup;
}

std::string CComboWnd::GetSkinFile() {
  return "<Window><VerticalLayout name=\"combo_drop_list\" vscrollbar=\"true\" bkcolor=\"#FFFFFFFF\" "
         "bordersize=\"1\" bordercolor=\"#FF999999\" inset=\"1,1,1,1\"/></Window>";
}

void CComboWnd::InitWindow() {
  CPaintManagerUI* ownerManager = owner_->GetManager();
  m_pm.SetDPI(ownerManager->GetDPI());
  m_pm.SetDefaultFontColor(ownerManager->GetDefaultFontColor());
  layout_ = static_cast<CVerticalLayoutUI*>(m_pm.GetRoot());
  layout_->SetAutoDestroy(false);
  if (!owner_->GetDropBoxAttributeList().empty()) layout_->ApplyAttributeList(owner_->GetDropBoxAttributeList());
  for (int i = 0; i < owner_->GetCount(); ++i) layout_->Add(owner_->GetItemAt(i));
  m_pm.UpdateLayout();
  if (CControlUI* selected = owner_->GetItemAt(owner_->GetCurSel())) layout_->EnsureVisible(selected);
}

void CComboWnd::ReturnItems() {
  if (itemsReturned_ || layout_ == nullptr) return;
  itemsReturned_ = true;
  while (layout_->GetCount() > 0) layout_->RemoveAt(layout_->GetCount() - 1, true);
  for (int i = 0; i < owner_->GetCount(); ++i) owner_->GetItemAt(i)->SetManager(owner_->GetManager(), owner_, false);
}

void CComboWnd::Dismiss() {
  ReturnItems();
  Close(IDCANCEL);
}

void CComboWnd::DestroyNow() {
  ReturnItems();
  DestroyWindow();  // deletes this
}

UiLResult CComboWnd::OnDestroy(UiWParam, UiLParam, bool& handled) {
  ReturnItems();
  owner_->OnDropWindowGone();
  owner_->Invalidate();
  handled = false;
  return 0;
}

void CComboWnd::OnHostInput(const HostInputEvent& event) {
  if (event.type == HostInputType::FocusOut ||
      (event.type == HostInputType::KeyDown && event.keySym == keys::kEscape)) {
    Dismiss();
    return;
  }
  WindowImplBase::OnHostInput(event);
}

}  // namespace velmora::toolkit
