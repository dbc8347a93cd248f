#include "notification_line.h"

#include <string>

namespace velmora::gallery {

std::string NotificationLine(const toolkit::TNotifyUI& msg) {
  std::string sender = msg.pSender != nullptr ? msg.pSender->GetName() : std::string();
  return "notify " + msg.sType + " sender=" + sender + " wparam=" + std::to_string(msg.wParam) +
         " lparam=" + std::to_string(msg.lParam);
}

std::string LayoutLine(const toolkit::CControlUI& control) {
  const toolkit::UiRect& rc = control.GetPos();
  return "layout " + control.GetName() + " " + std::to_string(rc.left) + " " + std::to_string(rc.top) + " " +
         std::to_string(rc.right) + " " + std::to_string(rc.bottom);
}

}  // namespace velmora::gallery
