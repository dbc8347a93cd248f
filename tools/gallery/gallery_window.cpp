#include "gallery_window.h"

#include "notification_line.h"
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

void GalleryWindow::OnFinalMessage() {
  if (GetHost() != nullptr) GetHost()->Loop().Quit(0);
}

}  // namespace velmora::gallery
