#pragma once

// The gallery window: every control of the toolkit from gallery.xml. It prints each
// notification it receives, menu commands and tray clicks, and reacts to a few of them
// (caption buttons, tabs, the menu button, the menu's exit command).

#include <cstdio>
#include <string>

#include "toolkit/menu_window.h"
#include "toolkit/tray_icon.h"
#include "toolkit/window_impl_base.h"

namespace velmora::gallery {

class GalleryWindow : public toolkit::WindowImplBase {
 public:
  explicit GalleryWindow(std::FILE* out) : out_(out) {}

  std::string GetSkinFile() override { return "gallery.xml"; }
  std::string GetWindowClassName() const override { return "VelmoraGallery"; }
  void InitWindow() override;
  void Notify(toolkit::TNotifyUI& msg) override;
  toolkit::UiLResult HandleCustomMessage(uint32_t msg, toolkit::UiWParam wParam, toolkit::UiLParam lParam,
                                         bool& handled) override;

 protected:
  void OnFinalMessage() override;

 private:
  void PrintLine(const std::string& line);
  void PrintLayout();
  void React(toolkit::TNotifyUI& msg);
  void SelectTab(int index);
  void OpenMenu(toolkit::CControlUI* button);
  void OnMenuCommand(toolkit::MenuCmd* command);

  std::FILE* out_;
  toolkit::CTrayIcon tray_;
  toolkit::MenuCheckMap menuChecks_;
};

}  // namespace velmora::gallery
