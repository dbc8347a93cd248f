#include "toolkit/gtk_host_window.h"

#include <algorithm>
#include <cmath>

namespace velmora::toolkit {

namespace {

const char* CursorName(HostCursor cursor) {
  switch (cursor) {
    case HostCursor::Hand: return "pointer";
    case HostCursor::IBeam: return "text";
    case HostCursor::SizeWE: return "ew-resize";
    case HostCursor::SizeNS: return "ns-resize";
    case HostCursor::Wait: return "wait";
    case HostCursor::Arrow: break;
  }
  return "default";
}

DoubleClickTracker MakeDoubleClickTracker() {
  gint timeMs = 400, distance = 5;
  if (GtkSettings* settings = gtk_settings_get_default())
    g_object_get(settings, "gtk-double-click-time", &timeMs, "gtk-double-click-distance", &distance, nullptr);
  return DoubleClickTracker(static_cast<uint32_t>(timeMs), distance);
}

constexpr gint kInputEvents = GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK |
                              GDK_SCROLL_MASK | GDK_SMOOTH_SCROLL_MASK | GDK_ENTER_NOTIFY_MASK |
                              GDK_LEAVE_NOTIFY_MASK | GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK |
                              GDK_FOCUS_CHANGE_MASK;

GtkHostWindow* Self(gpointer data) { return static_cast<GtkHostWindow*>(data); }

HostInputEvent EventOfType(HostInputType type, std::string text = {}) {
  HostInputEvent event;
  event.type = type;
  event.text = std::move(text);
  return event;
}

}  // namespace

GtkHostWindow::GtkHostWindow(HostClient& client, const HostWindowOptions& options, GtkWindow* parent)
    : client_(client),
      resizable_(options.resizable),
      window_(GTK_WINDOW(gtk_window_new(GTK_WINDOW_TOPLEVEL))),
      area_(gtk_drawing_area_new()),
      im_(gtk_im_multicontext_new()),
      alive_(std::make_shared<bool>(true)),
      doubleClick_(MakeDoubleClickTracker()) {
  g_object_ref_sink(window_);
  gtk_window_set_title(window_, options.title.c_str());
  gtk_window_set_decorated(window_, options.decorated);
  gtk_window_set_resizable(window_, options.resizable);
  gtk_window_set_default_size(window_, options.width, options.height);
  if (!options.resizable) gtk_widget_set_size_request(area_, options.width, options.height);
  if (parent) gtk_window_set_transient_for(window_, parent);
  if (options.toolWindow) {
    gtk_window_set_skip_taskbar_hint(window_, TRUE);
    gtk_window_set_skip_pager_hint(window_, TRUE);
    gtk_window_set_type_hint(window_, GDK_WINDOW_TYPE_HINT_UTILITY);
  }
  bounds_ = {0, 0, options.width, options.height};
  gtk_widget_set_can_focus(area_, TRUE);
  gtk_widget_add_events(area_, kInputEvents);
  gtk_container_add(GTK_CONTAINER(window_), area_);
  ConnectSignals();
}

GtkHostWindow::~GtkHostWindow() {
  *alive_ = false;
  g_signal_handlers_disconnect_by_data(window_, this);
  g_signal_handlers_disconnect_by_data(area_, this);
  g_signal_handlers_disconnect_by_data(im_, this);
  gtk_im_context_set_client_window(im_, nullptr);
  g_object_unref(im_);
  gtk_widget_destroy(GTK_WIDGET(window_));
  g_object_unref(window_);
}

void GtkHostWindow::ConnectSignals() {
  g_signal_connect(area_, "draw", G_CALLBACK(OnDraw), this);
  g_signal_connect(area_, "button-press-event", G_CALLBACK(OnButtonPress), this);
  g_signal_connect(area_, "button-release-event", G_CALLBACK(OnButtonRelease), this);
  g_signal_connect(area_, "motion-notify-event", G_CALLBACK(OnMotion), this);
  g_signal_connect(area_, "enter-notify-event", G_CALLBACK(OnCrossing), this);
  g_signal_connect(area_, "leave-notify-event", G_CALLBACK(OnCrossing), this);
  g_signal_connect(area_, "scroll-event", G_CALLBACK(OnScroll), this);
  g_signal_connect(area_, "size-allocate", G_CALLBACK(OnSizeAllocate), this);
  g_signal_connect(area_, "realize", G_CALLBACK(OnRealize), this);
  g_signal_connect(window_, "key-press-event", G_CALLBACK(OnKey), this);
  g_signal_connect(window_, "key-release-event", G_CALLBACK(OnKey), this);
  g_signal_connect(window_, "focus-in-event", G_CALLBACK(OnFocus), this);
  g_signal_connect(window_, "focus-out-event", G_CALLBACK(OnFocus), this);
  g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), this);
  g_signal_connect(window_, "configure-event", G_CALLBACK(OnConfigure), this);
  g_signal_connect(im_, "commit", G_CALLBACK(OnCommit), this);
}

int GtkHostWindow::Scale() const { return std::max(1, gtk_widget_get_scale_factor(area_)); }

void GtkHostWindow::Show(bool visible) {
  if (!visible) {
    gtk_widget_hide(GTK_WIDGET(window_));
    return;
  }
  gtk_widget_show_all(GTK_WIDGET(window_));
  gtk_widget_grab_focus(area_);
}

bool GtkHostWindow::IsVisible() const { return gtk_widget_get_visible(GTK_WIDGET(window_)); }

void GtkHostWindow::SetTitle(const std::string& title) { gtk_window_set_title(window_, title.c_str()); }

void GtkHostWindow::SetBounds(const HostRect& bounds) {
  int scale = Scale();
  int width = std::max(1, bounds.Width() / scale), height = std::max(1, bounds.Height() / scale);
  bounds_ = bounds;
  gtk_window_move(window_, bounds.left / scale, bounds.top / scale);
  if (!resizable_) gtk_widget_set_size_request(area_, width, height);
  gtk_window_resize(window_, width, height);
}

HostRect GtkHostWindow::Bounds() const { return bounds_; }

void GtkHostWindow::Minimize() { gtk_window_iconify(window_); }

void GtkHostWindow::Maximize() { gtk_window_maximize(window_); }

void GtkHostWindow::Restore() {
  gtk_window_deiconify(window_);
  gtk_window_unmaximize(window_);
}

void GtkHostWindow::Invalidate(const HostRect& area) {
  int scale = Scale();
  // Round outwards so a dirty area on odd device pixels is covered whole.
  int left = area.left / scale, top = area.top / scale;
  int right = (area.right + scale - 1) / scale, bottom = (area.bottom + scale - 1) / scale;
  if (right > left && bottom > top) gtk_widget_queue_draw_area(area_, left, top, right - left, bottom - top);
}

void GtkHostWindow::SetCursor(HostCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  GdkWindow* window = gtk_widget_get_window(area_);
  if (!window) return;  // applied when the area is realized
  GdkCursor* shape = gdk_cursor_new_from_name(gtk_widget_get_display(area_), CursorName(cursor));
  gdk_window_set_cursor(window, shape);
  if (shape) g_object_unref(shape);
}

// Pointer events keep coming to the window while a button is held (GDK's implicit grab); the
// capture flag holds back the leave event until the capture ends, as Windows does.
void GtkHostWindow::SetMouseCapture(bool capture) {
  if (captured_ == capture) return;
  captured_ = capture;
  if (!capture && pointerOutside_) Deliver(EventOfType(HostInputType::MouseLeave));
}

void GtkHostWindow::SetModal(bool modal) { gtk_window_set_modal(window_, modal); }

void GtkHostWindow::BeginMove() {
  if (pressButton_ == 0) return;
  gtk_window_begin_move_drag(window_, static_cast<gint>(pressButton_), pressRootX_, pressRootY_, pressTime_);
}

// GTK places the tooltip by the pointer, which is over the area the toolkit names.
void GtkHostWindow::ShowToolTip(const std::string& text, const HostRect&) {
  gtk_widget_set_tooltip_text(area_, text.empty() ? nullptr : text.c_str());
  if (!text.empty()) gtk_widget_trigger_tooltip_query(area_);
}

cairo_surface_t* GtkHostWindow::Snapshot() {
  int width = std::max(1, clientWidth_ > 0 ? clientWidth_ : bounds_.Width());
  int height = std::max(1, clientHeight_ > 0 ? clientHeight_ : bounds_.Height());
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  PaintClient(cr, {0, 0, width, height});
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

void GtkHostWindow::PaintClient(cairo_t* cr, const HostRect& dirty) {
  cairo_save(cr);
  cairo_rectangle(cr, dirty.left, dirty.top, dirty.Width(), dirty.Height());
  cairo_clip(cr);
  client_.OnHostPaint(cr, dirty);
  cairo_restore(cr);
}

HostInputEvent GtkHostWindow::PointerEvent(HostInputType type, double x, double y, guint state) const {
  int scale = Scale();
  HostInputEvent event;
  event.type = type;
  event.x = static_cast<int>(std::floor(x * scale));
  event.y = static_cast<int>(std::floor(y * scale));
  event.modifiers = ModifiersFromGdkState(state);
  return event;
}

// The client may destroy this window while it handles the event (a menu closing on a click);
// the result says whether this object is still there.
bool GtkHostWindow::Deliver(const HostInputEvent& event) {
  std::shared_ptr<bool> alive = alive_;
  client_.OnHostInput(event);
  if (!*alive) return false;
  UpdateCaretLocation();
  return true;
}

void GtkHostWindow::UpdateCaretLocation() {
  HostRect caret = client_.HostCaretRect();
  int scale = Scale();
  GdkRectangle location{caret.left / scale, caret.top / scale, std::max(1, caret.Width() / scale),
                        std::max(1, caret.Height() / scale)};
  gtk_im_context_set_cursor_location(im_, &location);
}

void GtkHostWindow::SetClientSize(int width, int height) {
  if (width == clientWidth_ && height == clientHeight_) return;
  clientWidth_ = width;
  clientHeight_ = height;
  client_.OnHostResize(width, height);
}

gboolean GtkHostWindow::OnDraw(GtkWidget*, cairo_t* cr, gpointer data) {
  GtkHostWindow* self = Self(data);
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
  int scale = self->Scale();
  HostRect dirty{static_cast<int>(std::floor(x1 * scale)), static_cast<int>(std::floor(y1 * scale)),
                 static_cast<int>(std::ceil(x2 * scale)), static_cast<int>(std::ceil(y2 * scale))};
  cairo_save(cr);
  cairo_scale(cr, 1.0 / scale, 1.0 / scale);
  self->PaintClient(cr, dirty);
  cairo_restore(cr);
  return TRUE;
}

gboolean GtkHostWindow::OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer data) {
  GtkHostWindow* self = Self(data);
  // GDK adds its own double and triple press events; the tracker decides from plain presses.
  if (event->type != GDK_BUTTON_PRESS) return TRUE;
  HostMouseButton button = ButtonFromGdk(event->button);
  if (button == HostMouseButton::None) return TRUE;
  gtk_widget_grab_focus(self->area_);
  self->pressButton_ = event->button;
  self->pressRootX_ = static_cast<int>(event->x_root);
  self->pressRootY_ = static_cast<int>(event->y_root);
  self->pressTime_ = event->time;
  HostInputEvent input = self->PointerEvent(HostInputType::ButtonDown, event->x, event->y, event->state);
  input.button = button;
  if (self->doubleClick_.Press(button, input.x, input.y, event->time)) input.type = HostInputType::DoubleClick;
  self->Deliver(input);
  return TRUE;
}

gboolean GtkHostWindow::OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer data) {
  GtkHostWindow* self = Self(data);
  HostMouseButton button = ButtonFromGdk(event->button);
  if (button == HostMouseButton::None) return TRUE;
  HostInputEvent input = self->PointerEvent(HostInputType::ButtonUp, event->x, event->y, event->state);
  input.button = button;
  self->Deliver(input);
  return TRUE;
}

gboolean GtkHostWindow::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
  GtkHostWindow* self = Self(data);
  self->pointerOutside_ = false;
  self->Deliver(self->PointerEvent(HostInputType::MouseMove, event->x, event->y, event->state));
  return TRUE;
}

gboolean GtkHostWindow::OnCrossing(GtkWidget*, GdkEventCrossing* event, gpointer data) {
  GtkHostWindow* self = Self(data);
  if (event->type == GDK_ENTER_NOTIFY) {
    self->pointerOutside_ = false;
    return TRUE;
  }
  self->pointerOutside_ = true;
  if (!self->captured_) self->Deliver(EventOfType(HostInputType::MouseLeave));
  return TRUE;
}

gboolean GtkHostWindow::OnScroll(GtkWidget*, GdkEventScroll* event, gpointer data) {
  GtkHostWindow* self = Self(data);
  int delta = self->wheel_.Delta(event->direction, event->delta_y);
  if (delta == 0) return TRUE;
  HostInputEvent input = self->PointerEvent(HostInputType::Wheel, event->x, event->y, event->state);
  input.wheelDelta = delta;
  self->Deliver(input);
  return TRUE;
}

// Key down, then the text the input method commits for it; a key the input method keeps for
// a composition in progress is not delivered at all.
gboolean GtkHostWindow::OnKey(GtkWidget*, GdkEventKey* event, gpointer data) {
  GtkHostWindow* self = Self(data);
  self->filteringKey_ = true;
  self->pendingCommit_.clear();
  bool filtered = gtk_im_context_filter_keypress(self->im_, event);
  self->filteringKey_ = false;
  std::string committed;
  committed.swap(self->pendingCommit_);
  if (filtered && committed.empty()) return TRUE;
  HostInputEvent key;
  key.type = event->type == GDK_KEY_PRESS ? HostInputType::KeyDown : HostInputType::KeyUp;
  key.keySym = event->keyval;
  key.modifiers = ModifiersFromGdkState(event->state);
  if (!self->Deliver(key)) return TRUE;
  if (!committed.empty()) self->Deliver(EventOfType(HostInputType::TextInput, std::move(committed)));
  return TRUE;
}

void GtkHostWindow::OnCommit(GtkIMContext*, gchar* text, gpointer data) {
  GtkHostWindow* self = Self(data);
  if (self->filteringKey_) {
    self->pendingCommit_ += text;
    return;
  }
  self->Deliver(EventOfType(HostInputType::TextInput, text));
}

gboolean GtkHostWindow::OnFocus(GtkWidget*, GdkEventFocus* event, gpointer data) {
  GtkHostWindow* self = Self(data);
  if (event->in) {
    gtk_im_context_focus_in(self->im_);
  } else {
    gtk_im_context_focus_out(self->im_);
  }
  self->Deliver(EventOfType(event->in ? HostInputType::FocusIn : HostInputType::FocusOut));
  return FALSE;
}

// GTK never destroys the window itself: when the client agrees to close, the window is hidden
// and the client owns the rest.
gboolean GtkHostWindow::OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
  GtkHostWindow* self = Self(data);
  std::shared_ptr<bool> alive = self->alive_;
  bool close = self->client_.OnHostCloseRequest();
  if (close && *alive) gtk_widget_hide(GTK_WIDGET(self->window_));
  return TRUE;
}

gboolean GtkHostWindow::OnConfigure(GtkWidget*, GdkEventConfigure* event, gpointer data) {
  GtkHostWindow* self = Self(data);
  int scale = self->Scale();
  self->bounds_ = {event->x * scale, event->y * scale, (event->x + event->width) * scale,
                   (event->y + event->height) * scale};
  return FALSE;
}

void GtkHostWindow::OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer data) {
  GtkHostWindow* self = Self(data);
  int scale = self->Scale();
  self->SetClientSize(allocation->width * scale, allocation->height * scale);
}

void GtkHostWindow::OnRealize(GtkWidget* widget, gpointer data) {
  GtkHostWindow* self = Self(data);
  gtk_im_context_set_client_window(self->im_, gtk_widget_get_window(widget));
  HostCursor wanted = self->cursor_;
  self->cursor_ = HostCursor::Arrow;
  if (wanted != HostCursor::Arrow) self->SetCursor(wanted);
}

}  // namespace velmora::toolkit
