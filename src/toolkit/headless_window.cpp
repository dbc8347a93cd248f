#include "toolkit/headless_window.h"

#include "toolkit/headless_host.h"

namespace velmora::toolkit {

HeadlessWindow::HeadlessWindow(HeadlessHost& host, HostClient& client, const HostWindowOptions& options)
    : host_(host), client_(client), options_(options), title_(options.title),
      bounds_{0, 0, options.width, options.height} {
  host_.Register(this);
}

HeadlessWindow::~HeadlessWindow() { host_.Unregister(this); }

void HeadlessWindow::Show(bool visible) { visible_ = visible; }

void HeadlessWindow::SetBounds(const HostRect& bounds) {
  const bool resized = bounds.Width() != bounds_.Width() || bounds.Height() != bounds_.Height();
  bounds_ = bounds;
  if (resized) client_.OnHostResize(bounds.Width(), bounds.Height());
}

void HeadlessWindow::Invalidate(const HostRect& area) {
  if (dirty_.Width() <= 0 || dirty_.Height() <= 0) {
    dirty_ = area;
    return;
  }
  dirty_ = {std::min(dirty_.left, area.left), std::min(dirty_.top, area.top), std::max(dirty_.right, area.right),
            std::max(dirty_.bottom, area.bottom)};
}

void HeadlessWindow::ShowToolTip(const std::string& text, const HostRect&) { toolTip_ = text; }

cairo_surface_t* HeadlessWindow::Snapshot() {
  const int width = std::max(1, bounds_.Width()), height = std::max(1, bounds_.Height());
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  client_.OnHostPaint(cr, {0, 0, width, height});
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  dirty_ = {};
  return surface;
}

bool HeadlessWindow::SaveSnapshot(const std::string& path) {
  cairo_surface_t* surface = Snapshot();
  const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

void HeadlessWindow::Inject(const HostInputEvent& event) { client_.OnHostInput(event); }

void HeadlessWindow::InjectMouse(HostInputType type, int x, int y, HostMouseButton button) {
  HostInputEvent event;
  event.type = type;
  event.x = x;
  event.y = y;
  event.button = button;
  Inject(event);
}

void HeadlessWindow::MouseMove(int x, int y) { InjectMouse(HostInputType::MouseMove, x, y, HostMouseButton::None); }

void HeadlessWindow::MouseLeave() {
  HostInputEvent event;
  event.type = HostInputType::MouseLeave;
  Inject(event);
}

void HeadlessWindow::ButtonDown(int x, int y, HostMouseButton button) {
  InjectMouse(HostInputType::ButtonDown, x, y, button);
}

void HeadlessWindow::ButtonUp(int x, int y, HostMouseButton button) { InjectMouse(HostInputType::ButtonUp, x, y, button); }

void HeadlessWindow::Click(int x, int y, HostMouseButton button) {
  MouseMove(x, y);
  ButtonDown(x, y, button);
  ButtonUp(x, y, button);
}

void HeadlessWindow::DoubleClick(int x, int y) {
  Click(x, y);
  InjectMouse(HostInputType::DoubleClick, x, y, HostMouseButton::Left);
  ButtonUp(x, y);
}

void HeadlessWindow::Drag(int fromX, int fromY, int toX, int toY, int steps) {
  MouseMove(fromX, fromY);
  ButtonDown(fromX, fromY);
  for (int i = 1; i <= steps; ++i) {
    MouseMove(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
  }
  ButtonUp(toX, toY);
}

void HeadlessWindow::Wheel(int x, int y, int delta) {
  HostInputEvent event;
  event.type = HostInputType::Wheel;
  event.x = x;
  event.y = y;
  event.wheelDelta = delta;
  Inject(event);
}

void HeadlessWindow::KeyPress(uint32_t keySym, uint32_t modifiers) {
  HostInputEvent event;
  event.type = HostInputType::KeyDown;
  event.keySym = keySym;
  event.modifiers = modifiers;
  Inject(event);
  event.type = HostInputType::KeyUp;
  Inject(event);
}

void HeadlessWindow::TypeText(const std::string& text) {
  HostInputEvent event;
  event.type = HostInputType::TextInput;
  event.text = text;
  Inject(event);
}

void HeadlessWindow::Focus(bool focused) {
  HostInputEvent event;
  event.type = focused ? HostInputType::FocusIn : HostInputType::FocusOut;
  Inject(event);
}

bool HeadlessWindow::RequestClose() { return client_.OnHostCloseRequest(); }

void HeadlessWindow::ClickCentre(const UiRect& rc) { Click((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2); }

UiColor ReadPixel(cairo_surface_t* surface, int x, int y) {
  if (surface == nullptr || x < 0 || y < 0 || x >= cairo_image_surface_get_width(surface) ||
      y >= cairo_image_surface_get_height(surface)) {
    return 0;
  }
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const uint32_t pixel = *reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride + x * 4);
  const uint32_t a = pixel >> 24;
  if (a == 0) return 0;
  auto unmultiply = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
  return (a << 24) | (unmultiply((pixel >> 16) & 0xFF) << 16) | (unmultiply((pixel >> 8) & 0xFF) << 8) |
         unmultiply(pixel & 0xFF);
}

}  // namespace velmora::toolkit
