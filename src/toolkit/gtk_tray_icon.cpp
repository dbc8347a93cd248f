#include "toolkit/gtk_tray_icon.h"

#include <gtk/gtk.h>
#include <sys/stat.h>

#include <cstdlib>

#ifdef VELMORA_HAVE_APPINDICATOR
#include <libayatana-appindicator/app-indicator.h>
#endif

namespace velmora::toolkit {

bool HasSessionBus() {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (address && *address) return true;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime || !*runtime) return false;
  struct stat info {};
  std::string socket = std::string(runtime) + "/bus";
  return stat(socket.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

#ifdef VELMORA_HAVE_APPINDICATOR

namespace {

constexpr const char* kShowItemText = "Show / hide window";
constexpr const char* kMenuItemText = "Menu";

class IndicatorTrayIcon : public HostTrayIcon {
 public:
  IndicatorTrayIcon(const std::string& iconPath, const std::string& tooltip, HostTrayCallbacks callbacks)
      : callbacks_(std::move(callbacks)) {
    gchar* folder = g_path_get_dirname(iconPath.c_str());
    std::string iconName = IconName(iconPath);
    indicator_ = app_indicator_new_with_path("velmora-q7-pro", iconName.c_str(),
                                             APP_INDICATOR_CATEGORY_APPLICATION_STATUS, folder);
    g_free(folder);
    menu_ = GTK_MENU(gtk_menu_new());
    g_object_ref_sink(menu_);
    GtkWidget* show = AddItem(kShowItemText, G_CALLBACK(OnShow));
    AddItem(kMenuItemText, G_CALLBACK(OnMenu));
    gtk_widget_show_all(GTK_WIDGET(menu_));
    app_indicator_set_menu(indicator_, menu_);
    app_indicator_set_secondary_activate_target(indicator_, show);
    SetTooltip(tooltip);
    SetVisible(true);
  }

  ~IndicatorTrayIcon() override {
    app_indicator_set_status(indicator_, APP_INDICATOR_STATUS_PASSIVE);
    g_signal_handlers_disconnect_by_data(menu_, this);
    gtk_container_foreach(GTK_CONTAINER(menu_), [](GtkWidget* item, gpointer self) {
      g_signal_handlers_disconnect_by_data(item, self);
    }, this);
    g_object_unref(indicator_);
    gtk_widget_destroy(GTK_WIDGET(menu_));
    g_object_unref(menu_);
  }

  void SetTooltip(const std::string& text) override { app_indicator_set_title(indicator_, text.c_str()); }

  void SetVisible(bool visible) override {
    app_indicator_set_status(indicator_, visible ? APP_INDICATOR_STATUS_ACTIVE : APP_INDICATOR_STATUS_PASSIVE);
  }

 private:
  // The indicator looks icons up by name in its theme folder: the file name without extension.
  static std::string IconName(const std::string& path) {
    gchar* base = g_path_get_basename(path.c_str());
    std::string name = base;
    g_free(base);
    size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
  }

  GtkWidget* AddItem(const char* text, GCallback handler) {
    GtkWidget* item = gtk_menu_item_new_with_label(text);
    g_signal_connect(item, "activate", handler, this);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu_), item);
    return item;
  }

  static void OnShow(GtkMenuItem*, gpointer data) {
    auto* self = static_cast<IndicatorTrayIcon*>(data);
    if (self->callbacks_.activate) self->callbacks_.activate();
  }

  static void OnMenu(GtkMenuItem*, gpointer data) {
    auto* self = static_cast<IndicatorTrayIcon*>(data);
    if (!self->callbacks_.contextMenu) return;
    int x = 0, y = 0;
    GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
    if (GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr)
      gdk_device_get_position(pointer, nullptr, &x, &y);
    self->callbacks_.contextMenu(x, y);
  }

  HostTrayCallbacks callbacks_;
  AppIndicator* indicator_ = nullptr;
  GtkMenu* menu_ = nullptr;
};

}  // namespace

std::unique_ptr<HostTrayIcon> CreateGtkTrayIcon(const std::string& iconPath, const std::string& tooltip,
                                                HostTrayCallbacks callbacks) {
  if (!HasSessionBus()) return nullptr;
  return std::make_unique<IndicatorTrayIcon>(iconPath, tooltip, std::move(callbacks));
}

#else

std::unique_ptr<HostTrayIcon> CreateGtkTrayIcon(const std::string&, const std::string&, HostTrayCallbacks) {
  return nullptr;
}

#endif

}  // namespace velmora::toolkit
