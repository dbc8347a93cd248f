#include "toolkit/headless_host.h"

#include <algorithm>

namespace velmora::toolkit {

// The tray icon handed out: forgets itself in the host's list when released.
class HeadlessTrayIconHandle : public HeadlessTrayIcon {
 public:
  HeadlessTrayIconHandle(HeadlessHost& host, const std::string& iconPath, const std::string& tooltip,
                         HostTrayCallbacks callbacks)
      : HeadlessTrayIcon(iconPath, tooltip, std::move(callbacks)), host_(host) {
    host_.trayIcons_.push_back(this);
  }
  ~HeadlessTrayIconHandle() override {
    auto& icons = host_.trayIcons_;
    icons.erase(std::remove(icons.begin(), icons.end(), this), icons.end());
  }

 private:
  HeadlessHost& host_;
};

HeadlessHost::~HeadlessHost() = default;

std::unique_ptr<HostWindow> HeadlessHost::CreateHostWindow(HostClient& client, const HostWindowOptions& options) {
  return std::make_unique<HeadlessWindow>(*this, client, options);
}

void HeadlessHost::Register(HeadlessWindow* window) { windows_.push_back(window); }

void HeadlessHost::Unregister(HeadlessWindow* window) {
  windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
}

void HeadlessHost::QueueFileDialogAnswer(bool ok, const std::string& path) { dialogAnswers_.emplace_back(ok, path); }

bool HeadlessHost::AnswerFileDialog(const FileDialogOptions& options, std::string& path) {
  lastDialog_ = options;
  ++dialogsShown_;
  if (dialogAnswers_.empty()) return false;  // no answer queued: the user cancelled
  auto [ok, answer] = dialogAnswers_.front();
  dialogAnswers_.pop_front();
  if (ok) path = answer;
  return ok;
}

bool HeadlessHost::OpenFileDialog(HostWindow*, const FileDialogOptions& options, std::string& path) {
  return AnswerFileDialog(options, path);
}

bool HeadlessHost::SaveFileDialog(HostWindow*, const FileDialogOptions& options, std::string& path) {
  return AnswerFileDialog(options, path);
}

std::unique_ptr<HostTrayIcon> HeadlessHost::CreateTrayIcon(const std::string& iconPath, const std::string& tooltip,
                                                          HostTrayCallbacks callbacks) {
  return std::make_unique<HeadlessTrayIconHandle>(*this, iconPath, tooltip, std::move(callbacks));
}

HeadlessWindow* HeadlessHost::FindWindowByTitle(const std::string& title) const {
  for (HeadlessWindow* window : windows_) {
    if (window->Title() == title) return window;
  }
  return nullptr;
}

HeadlessWindow* HeadlessHost::TopWindow() const {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if ((*it)->IsVisible()) return *it;
  }
  return nullptr;
}

}  // namespace velmora::toolkit
