#pragma once

// One toolkit window shown as a real GTK top-level window: a drawing area painted by the
// toolkit, with mouse, keyboard and input-method text delivered to the toolkit's window.

#include <gtk/gtk.h>

#include <memory>
#include <string>

#include "toolkit/gtk_input_mapping.h"
#include "toolkit/host.h"

namespace velmora::toolkit {

class GtkHostWindow : public HostWindow {
 public:
  GtkHostWindow(HostClient& client, const HostWindowOptions& options, GtkWindow* parent);
  ~GtkHostWindow() override;
  GtkHostWindow(const GtkHostWindow&) = delete;
  GtkHostWindow& operator=(const GtkHostWindow&) = delete;

  void Show(bool visible) override;
  bool IsVisible() const override;
  void SetTitle(const std::string& title) override;
  void SetBounds(const HostRect& bounds) override;
  HostRect Bounds() const override;
  void Minimize() override;
  void Maximize() override;
  void Restore() override;
  void Invalidate(const HostRect& area) override;
  void SetCursor(HostCursor cursor) override;
  void SetMouseCapture(bool capture) override;
  void SetModal(bool modal) override;
  void BeginMove() override;
  void ShowToolTip(const std::string& text, const HostRect& area) override;
  cairo_surface_t* Snapshot() override;

  GtkWindow* Widget() const { return window_; }

 private:
  void ConnectSignals();
  int Scale() const;
  HostInputEvent PointerEvent(HostInputType type, double x, double y, guint state) const;
  bool Deliver(const HostInputEvent& event);
  void UpdateCaretLocation();
  void PaintClient(cairo_t* cr, const HostRect& dirty);
  void SetClientSize(int width, int height);

  static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer self);
  static gboolean OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer self);
  static gboolean OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer self);
  static gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self);
  static gboolean OnCrossing(GtkWidget*, GdkEventCrossing* event, gpointer self);
  static gboolean OnScroll(GtkWidget*, GdkEventScroll* event, gpointer self);
  static gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer self);
  static gboolean OnFocus(GtkWidget*, GdkEventFocus* event, gpointer self);
  static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self);
  static gboolean OnConfigure(GtkWidget*, GdkEventConfigure* event, gpointer self);
  static void OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer self);
  static void OnRealize(GtkWidget* widget, gpointer self);
  static void OnCommit(GtkIMContext*, gchar* text, gpointer self);

  HostClient& client_;
  bool resizable_;
  GtkWindow* window_;
  GtkWidget* area_;
  GtkIMContext* im_;
  std::shared_ptr<bool> alive_;  // false once destroyed; checked after calls into the client
  HostRect bounds_;
  int clientWidth_ = 0, clientHeight_ = 0;
  HostCursor cursor_ = HostCursor::Arrow;
  bool captured_ = false;
  bool pointerOutside_ = false;
  DoubleClickTracker doubleClick_;
  WheelAccumulator wheel_;
  // While a key goes through the input method, its committed text waits until the key itself
  // has been delivered (key down first, then the text, as on Windows).
  bool filteringKey_ = false;
  std::string pendingCommit_;
  // The last button press, for starting a move drag from it.
  guint pressButton_ = 0;
  int pressRootX_ = 0, pressRootY_ = 0;
  guint32 pressTime_ = 0;
};

}  // namespace velmora::toolkit
