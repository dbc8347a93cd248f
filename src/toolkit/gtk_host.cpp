#include "toolkit/gtk_host.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <cmath>

#include "toolkit/gtk_file_dialog.h"
#include "toolkit/gtk_host_window.h"
#include "toolkit/gtk_tray_icon.h"

namespace velmora::toolkit {

namespace {

constexpr int kDefaultDpi = 96;

GtkWindow* GtkWindowOf(HostWindow* window) {
  auto* gtkWindow = dynamic_cast<GtkHostWindow*>(window);
  return gtkWindow ? gtkWindow->Widget() : nullptr;
}

GdkMonitor* PrimaryMonitor() {
  GdkDisplay* display = gdk_display_get_default();
  if (!display) return nullptr;
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  return monitor ? monitor : gdk_display_get_monitor(display, 0);
}

}  // namespace

std::unique_ptr<GtkHost> GtkHost::Create() {
  if (!gtk_init_check(nullptr, nullptr)) return nullptr;
  return std::unique_ptr<GtkHost>(new GtkHost());
}

std::unique_ptr<HostWindow> GtkHost::CreateHostWindow(HostClient& client, const HostWindowOptions& options) {
  return std::make_unique<GtkHostWindow>(client, options, GtkWindowOf(options.parent));
}

void GtkHost::SetClipboardText(const std::string& text) {
  GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
  gtk_clipboard_set_text(clipboard, text.c_str(), static_cast<gint>(text.size()));
  gtk_clipboard_store(clipboard);
}

std::string GtkHost::ClipboardText() {
  gchar* text = gtk_clipboard_wait_for_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
  std::string result = text ? text : "";
  g_free(text);
  return result;
}

bool GtkHost::OpenFileDialog(HostWindow* owner, const FileDialogOptions& options, std::string& path) {
  return RunFileDialog(GtkWindowOf(owner), FileDialogKind::Open, options, path);
}

bool GtkHost::SaveFileDialog(HostWindow* owner, const FileDialogOptions& options, std::string& path) {
  return RunFileDialog(GtkWindowOf(owner), FileDialogKind::Save, options, path);
}

std::unique_ptr<HostTrayIcon> GtkHost::CreateTrayIcon(const std::string& iconPath, const std::string& tooltip,
                                                      HostTrayCallbacks callbacks) {
  return CreateGtkTrayIcon(iconPath, tooltip, std::move(callbacks));
}

// In device pixels, like the window bounds.
HostRect GtkHost::ScreenWorkArea() {
  GdkMonitor* monitor = PrimaryMonitor();
  if (!monitor) return {};
  GdkRectangle area{};
  gdk_monitor_get_workarea(monitor, &area);
  int scale = std::max(1, gdk_monitor_get_scale_factor(monitor));
  return {area.x * scale, area.y * scale, (area.x + area.width) * scale, (area.y + area.height) * scale};
}

int GtkHost::ScreenDpi() {
  GdkScreen* screen = gdk_screen_get_default();
  double resolution = screen ? gdk_screen_get_resolution(screen) : -1;
  GdkMonitor* monitor = PrimaryMonitor();
  int scale = monitor ? std::max(1, gdk_monitor_get_scale_factor(monitor)) : 1;
  int dpi = resolution > 0 ? static_cast<int>(std::lround(resolution)) : kDefaultDpi;
  return dpi * scale;
}

}  // namespace velmora::toolkit
