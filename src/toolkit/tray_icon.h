#pragma once

// CTrayIcon: the application's tray icon. Clicks reach the owner window as its tray message
// (WM_TRAYICON by default) with lParam 0x202 for the left button and 0x205 for the right,
// posted so that they arrive like any other window message.

#include <memory>
#include <string>

#include "toolkit/host.h"
#include "toolkit/window_messages.h"

namespace velmora::toolkit {

class CWindowWnd;

class CTrayIcon {
 public:
  CTrayIcon() = default;
  ~CTrayIcon();
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // False when the host has no tray (the program then runs without one).
  bool CreateTrayIcon(CWindowWnd* owner, const std::string& iconPath, const std::string& tooltip,
                      uint32_t message = WM_TRAYICON);
  void DeleteTrayIcon();
  bool IsCreated() const { return icon_ != nullptr; }
  void SetTooltipText(const std::string& text);
  const std::string& GetTooltipText() const { return tooltip_; }
  void SetShowIcon(bool show);
  bool IsVisible() const { return visible_; }

 private:
  std::unique_ptr<HostTrayIcon> icon_;
  std::string tooltip_;
  bool visible_ = false;
};

}  // namespace velmora::toolkit
