#pragma once

// HeadlessHost: the host for tests and off-screen rendering. Windows are HeadlessWindows,
// the loop is a HeadlessLoop under a virtual clock, the clipboard is a string, file dialogs
// answer from a queue the test fills, and tray icons record their state.

#include <deque>
#include <string>
#include <vector>

#include "toolkit/headless_loop.h"
#include "toolkit/headless_window.h"
#include "toolkit/host.h"

namespace velmora::toolkit {

class HeadlessTrayIcon : public HostTrayIcon {
 public:
  HeadlessTrayIcon(std::string iconPath, std::string tooltip, HostTrayCallbacks callbacks)
      : iconPath_(std::move(iconPath)), tooltip_(std::move(tooltip)), callbacks_(std::move(callbacks)) {}
  void SetTooltip(const std::string& text) override { tooltip_ = text; }
  void SetVisible(bool visible) override { visible_ = visible; }

  const std::string& IconPath() const { return iconPath_; }
  const std::string& Tooltip() const { return tooltip_; }
  bool IsVisible() const { return visible_; }
  // What the user does to the icon.
  void Activate() { if (callbacks_.activate) callbacks_.activate(); }
  void OpenContextMenu(int x, int y) { if (callbacks_.contextMenu) callbacks_.contextMenu(x, y); }

 private:
  std::string iconPath_, tooltip_;
  HostTrayCallbacks callbacks_;
  bool visible_ = true;
};

class HeadlessHost : public Host {
 public:
  HeadlessHost() = default;
  ~HeadlessHost() override;

  std::unique_ptr<HostWindow> CreateHostWindow(HostClient& client, const HostWindowOptions& options) override;
  HeadlessLoop& Loop() override { return loop_; }
  void SetClipboardText(const std::string& text) override { clipboard_ = text; }
  std::string ClipboardText() override { return clipboard_; }
  bool OpenFileDialog(HostWindow* owner, const FileDialogOptions& options, std::string& path) override;
  bool SaveFileDialog(HostWindow* owner, const FileDialogOptions& options, std::string& path) override;
  std::unique_ptr<HostTrayIcon> CreateTrayIcon(const std::string& iconPath, const std::string& tooltip,
                                               HostTrayCallbacks callbacks) override;
  HostRect ScreenWorkArea() override { return workArea_; }
  int ScreenDpi() override { return dpi_; }

  void SetScreenWorkArea(const HostRect& area) { workArea_ = area; }
  void SetScreenDpi(int dpi) { dpi_ = dpi; }
  // The next file dialog returns ok with path (ok false: cancelled).
  void QueueFileDialogAnswer(bool ok, const std::string& path = std::string());
  const FileDialogOptions& LastFileDialogOptions() const { return lastDialog_; }
  int FileDialogsShown() const { return dialogsShown_; }

  // Live windows in creation order.
  const std::vector<HeadlessWindow*>& Windows() const { return windows_; }
  HeadlessWindow* FindWindowByTitle(const std::string& title) const;
  // The most recently created window that is visible, or null.
  HeadlessWindow* TopWindow() const;
  const std::vector<HeadlessTrayIcon*>& TrayIcons() const { return trayIcons_; }

 private:
  friend class HeadlessWindow;
  friend class HeadlessTrayIconHandle;
  void Register(HeadlessWindow* window);
  void Unregister(HeadlessWindow* window);
  bool AnswerFileDialog(const FileDialogOptions& options, std::string& path);

  HeadlessLoop loop_;
  std::string clipboard_;
  HostRect workArea_{0, 0, 1920, 1040};
  int dpi_ = 96;
  std::vector<HeadlessWindow*> windows_;
  std::vector<HeadlessTrayIcon*> trayIcons_;
  std::deque<std::pair<bool, std::string>> dialogAnswers_;
  FileDialogOptions lastDialog_;
  int dialogsShown_ = 0;
};

}  // namespace velmora::toolkit
