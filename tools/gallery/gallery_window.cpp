#include "gallery_window.h"

#include "notification_line.h"
#include "toolkit/combo.h"
#include "toolkit/option.h"
#include "toolkit/tab_layout.h"

namespace velmora::gallery {

using toolkit::CControlUI;
using toolkit::TNotifyUI;

namespace {

// Options of a group report both the newly selected one and the one that lost the selection.
bool IsSelectedOption(CControlUI* control) {
  auto* option = dynamic_cast<toolkit::COptionUI*>(control);
  return option != nullptr && option->IsSelected();
}

}  // namespace

void GalleryWindow::PrintLine(const std::string& line) {
  std::fputs(line.c_str(), out_);
  std::fputc('\n', out_);
  std::fflush(out_);
}

// Every named control once the first layout has placed them, then "ready".
void GalleryWindow::PrintLayout() {
  CControlUI* root = m_pm.GetRoot();
  if (root == nullptr) return;
  root->FindControl(
      [this](CControlUI* control) {
        if (!control->GetName().empty()) PrintLine(LayoutLine(*control));
        return false;
      },
      toolkit::UIFIND_ALL);
  PrintLine("ready");
}

void GalleryWindow::InitWindow() {
  if (auto* combo = dynamic_cast<toolkit::CComboUI*>(m_pm.FindControl("gallery_combo"))) combo->SelectItem(0, false, false);
  const std::string icon = toolkit::CPaintManagerUI::GetResourcePath() + "images/icon.png";
  if (!tray_.CreateTrayIcon(this, icon, "VELMORA gallery")) PrintLine("tray none");
}

void GalleryWindow::Notify(TNotifyUI& msg) {
  PrintLine(NotificationLine(msg));
  React(msg);
  WindowImplBase::Notify(msg);
}

void GalleryWindow::React(TNotifyUI& msg) {
  const std::string sender = msg.pSender != nullptr ? msg.pSender->GetName() : std::string();
  if (msg.sType == toolkit::kNotifyWindowInit) {
    PrintLayout();
  } else if (msg.sType == toolkit::kNotifyClick && sender == "gallery_close") {
    Close(0);
  } else if (msg.sType == toolkit::kNotifyClick && sender == "gallery_menu_btn") {
    OpenMenu(msg.pSender);
  } else if (msg.sType == toolkit::kNotifyClick && sender == "gallery_min") {
    GetHWND()->Minimize();
  } else if (msg.sType == toolkit::kNotifySelectChanged && IsSelectedOption(msg.pSender)) {
    if (sender == "gallery_tab1") SelectTab(0);
    if (sender == "gallery_tab2") SelectTab(1);
  }
}

void GalleryWindow::SelectTab(int index) {
  auto* tabs = dynamic_cast<toolkit::CTabLayoutUI*>(m_pm.FindControl("gallery_tabs_layout"));
  if (tabs != nullptr) tabs->SelectItem(index);
}

toolkit::UiLResult GalleryWindow::HandleCustomMessage(uint32_t msg, toolkit::UiWParam wParam,
                                                     toolkit::UiLParam lParam, bool& handled) {
  handled = true;
  if (msg == toolkit::WM_MENUCLICK) {
    OnMenuCommand(reinterpret_cast<toolkit::MenuCmd*>(wParam));
  } else if (msg == toolkit::WM_TRAYICON) {
    PrintLine("tray lparam=" + std::to_string(lParam));
  } else {
    handled = false;
  }
  return 0;
}

// The menu opens under the button, in screen coordinates.
void GalleryWindow::OpenMenu(CControlUI* button) {
  const toolkit::UiRect window = GetWindowRect();
  const toolkit::UiRect& pos = button->GetPos();
  toolkit::UiPoint point{window.left + pos.left, window.top + pos.bottom};
  if (toolkit::CMenuWnd::CreateMenu("menu.xml", point, &m_pm, &menuChecks_) == nullptr) PrintLine("menu failed");
}

void GalleryWindow::OnMenuCommand(toolkit::MenuCmd* command) {
  if (command == nullptr) return;
  const std::string name = command->szName;
  m_pm.DeletePtr(command);
  PrintLine("menu command=" + name);
  if (name == "gallery_menu_exit") Close(0);
}

void GalleryWindow::OnFinalMessage() {
  if (GetHost() != nullptr) GetHost()->Loop().Quit(0);
}

}  // namespace velmora::gallery
