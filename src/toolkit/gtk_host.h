#pragma once

// The desktop host: real GTK 3 windows, the GLib main loop, the clipboard, file dialogs and the
// tray icon.

#include <memory>

#include "toolkit/gtk_message_loop.h"
#include "toolkit/host.h"

namespace velmora::toolkit {

class GtkHost : public Host {
 public:
  // Initialises GTK on the calling thread, which becomes the UI thread. Null when no display
  // can be opened.
  static std::unique_ptr<GtkHost> Create();

  std::unique_ptr<HostWindow> CreateHostWindow(HostClient& client, const HostWindowOptions& options) override;
  MessageLoop& Loop() override { return loop_; }
  void SetClipboardText(const std::string& text) override;
  std::string ClipboardText() override;
  bool OpenFileDialog(HostWindow* owner, const FileDialogOptions& options, std::string& path) override;
  bool SaveFileDialog(HostWindow* owner, const FileDialogOptions& options, std::string& path) override;
  std::unique_ptr<HostTrayIcon> CreateTrayIcon(const std::string& iconPath, const std::string& tooltip,
                                               HostTrayCallbacks callbacks) override;
  HostRect ScreenWorkArea() override;
  int ScreenDpi() override;

 private:
  GtkHost() = default;
  GtkMessageLoop loop_;
};

}  // namespace velmora::toolkit
