#include "toolkit/tray_icon.h"

#include "toolkit/window_wnd.h"

namespace velmora::toolkit {

CTrayIcon::~CTrayIcon() { DeleteTrayIcon(); }

bool CTrayIcon::CreateTrayIcon(CWindowWnd* owner, const std::string& iconPath, const std::string& tooltip,
                               uint32_t message) {
  DeleteTrayIcon();
  if (owner == nullptr || owner->GetHost() == nullptr) return false;
  HostTrayCallbacks callbacks;
  // The owner outlives its tray icon (it holds it), so the callbacks may keep the pointer.
  callbacks.activate = [owner, message] { owner->PostMessage(message, 0, kTrayLeftButtonUp); };
  callbacks.contextMenu = [owner, message](int, int) { owner->PostMessage(message, 0, kTrayRightButtonUp); };
  icon_ = owner->GetHost()->CreateTrayIcon(iconPath, tooltip, std::move(callbacks));
  tooltip_ = tooltip;
  visible_ = icon_ != nullptr;
  return icon_ != nullptr;
}

void CTrayIcon::DeleteTrayIcon() {
  icon_.reset();
  visible_ = false;
}

void CTrayIcon::SetTooltipText(const std::string& text) {
  tooltip_ = text;
  if (icon_ != nullptr) icon_->SetTooltip(text);
}

void CTrayIcon::SetShowIcon(bool show) {
  visible_ = show && icon_ != nullptr;
  if (icon_ != nullptr) icon_->SetVisible(show);
}

}  // namespace velmora::toolkit
