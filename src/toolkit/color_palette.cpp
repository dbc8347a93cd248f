#include "toolkit/color_palette.h"

#include <algorithm>
#include <cstddef>
#include <cmath>
#include <functional>

#include "toolkit/render_engine.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {
namespace {

constexpr int kGap = 4;

cairo_surface_t* Fill(int width, int height, const std::function<UiColor(int, int)>& colorAt) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(1, width), std::max(1, height));
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < width; ++x) row[x] = colorAt(x, y);  // opaque: premultiplied equals plain
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

}  // namespace

UiColor HsbToColor(double hue, double saturation, double brightness) {
  hue = std::fmod(std::max(0.0, hue), 360.0);
  saturation = std::clamp(saturation, 0.0, 1.0);
  brightness = std::clamp(brightness, 0.0, 1.0);
  const double c = brightness * saturation;
  const double x = c * (1 - std::fabs(std::fmod(hue / 60.0, 2.0) - 1));
  const double m = brightness - c;
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(hue / 60.0)) {
    case 0: r = c; g = x; break;
    case 1: r = x; g = c; break;
    case 2: g = c; b = x; break;
    case 3: g = x; b = c; break;
    case 4: r = x; b = c; break;
    default: r = c; b = x; break;
  }
  auto channel = [m](double v) { return static_cast<uint32_t>(std::lround((v + m) * 255.0)); };
  return 0xFF000000u | (channel(r) << 16) | (channel(g) << 8) | channel(b);
}

void ColorToHsb(UiColor color, double& hue, double& saturation, double& brightness) {
  const double r = ((color >> 16) & 0xFF) / 255.0, g = ((color >> 8) & 0xFF) / 255.0, b = (color & 0xFF) / 255.0;
  const double high = std::max({r, g, b}), low = std::min({r, g, b}), delta = high - low;
  brightness = high;
  saturation = high > 0 ? delta / high : 0;
  if (delta == 0) hue = 0;
  else if (high == r) hue = 60 * std::fmod((g - b) / delta + 6, 6.0);
  else if (high == g) hue = 60 * ((b - r) / delta + 2);
  else hue = 60 * ((r - g) / delta + 4);
}

CColorPaletteUI::CColorPaletteUI() = default;

CColorPaletteUI::~CColorPaletteUI() {
  if (palette_ != nullptr) cairo_surface_destroy(palette_);
  if (bar_ != nullptr) cairo_surface_destroy(bar_);
}

std::string CColorPaletteUI::GetClass() const { return "ColorPaletteUI"; }

void* CColorPaletteUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "ColorPalette")) return this;
  return CControlUI::GetInterface(name);
}

UiColor CColorPaletteUI::GetSelectColor() const { return HsbToColor(hue_, saturation_, brightness_); }

void CColorPaletteUI::SetSelectColor(UiColor color) {
  ColorToHsb(color, hue_, saturation_, brightness_);
  Invalidate();
}

int CColorPaletteUI::GetPalletHeight() const { return Scale(palletHeight_); }
int CColorPaletteUI::GetBarHeight() const { return Scale(barHeight_); }

UiRect CColorPaletteUI::PaletteRect() const {
  UiRect rc = m_rcItem;
  const int bottom = palletHeight_ > 0 ? rc.top + GetPalletHeight() : rc.bottom - GetBarHeight() - Scale(kGap);
  rc.bottom = std::clamp(bottom, rc.top, m_rcItem.bottom);
  return rc;
}

UiRect CColorPaletteUI::BarRect() const {
  const UiRect palette = PaletteRect();
  const int top = std::min(m_rcItem.bottom, palette.bottom + Scale(kGap));
  return {m_rcItem.left, top, m_rcItem.right, std::min(m_rcItem.bottom, top + GetBarHeight())};
}

void CColorPaletteUI::PickAt(UiPoint point) {
  const UiColor before = GetSelectColor();
  if (dragging_ == Region::Palette) {
    const UiRect rc = PaletteRect();
    hue_ = 360.0 * std::clamp(static_cast<double>(point.x - rc.left) / std::max(1, rc.Width() - 1), 0.0, 1.0);
    saturation_ = 1.0 - std::clamp(static_cast<double>(point.y - rc.top) / std::max(1, rc.Height() - 1), 0.0, 1.0);
    if (hue_ >= 360.0) hue_ = 359.999;
  } else if (dragging_ == Region::Bar) {
    const UiRect rc = BarRect();
    brightness_ = std::clamp(static_cast<double>(point.x - rc.left) / std::max(1, rc.Width() - 1), 0.0, 1.0);
  }
  Invalidate();
  if (GetSelectColor() != before) Notify(kNotifyColorChanged, GetSelectColor());
}

void CColorPaletteUI::DoEvent(TEventUI& event) {
  switch (event.Type) {
    case UiEventType::ButtonDown:
      if (!IsEnabled()) return;
      if (PaletteRect().Contains(event.ptMouse)) dragging_ = Region::Palette;
      else if (BarRect().Contains(event.ptMouse)) dragging_ = Region::Bar;
      else return;
      PickAt(event.ptMouse);
      return;
    case UiEventType::MouseMove:
      if (dragging_ != Region::None) PickAt(event.ptMouse);
      return;
    case UiEventType::ButtonUp:
      if (dragging_ != Region::None) PickAt(event.ptMouse);
      dragging_ = Region::None;
      return;
    default:
      CControlUI::DoEvent(event);
  }
}

void CColorPaletteUI::RebuildSurfaces() {
  const UiRect palette = PaletteRect(), bar = BarRect();
  if (palette_ == nullptr || !(builtPalette_ == palette) || builtBrightness_ != brightness_) {
    if (palette_ != nullptr) cairo_surface_destroy(palette_);
    const int w = palette.Width(), h = palette.Height();
    const double b = brightness_;
    palette_ = Fill(w, h, [w, h, b](int x, int y) {
      return HsbToColor(359.999 * x / std::max(1, w - 1), 1.0 - static_cast<double>(y) / std::max(1, h - 1), b);
    });
    builtPalette_ = palette;
    builtBrightness_ = brightness_;
  }
  if (bar_ == nullptr || !(builtBar_ == bar) || builtHue_ != hue_ || builtSaturation_ != saturation_) {
    if (bar_ != nullptr) cairo_surface_destroy(bar_);
    const int w = bar.Width();
    const double hue = hue_, saturation = saturation_;
    bar_ = Fill(w, bar.Height(), [w, hue, saturation](int x, int) {
      return HsbToColor(hue, saturation, static_cast<double>(x) / std::max(1, w - 1));
    });
    builtBar_ = bar;
    builtHue_ = hue_;
    builtSaturation_ = saturation_;
  }
}

void CColorPaletteUI::PaintBkImage(cairo_t* cr) {
  CControlUI::PaintBkImage(cr);
  RebuildSurfaces();
  const UiRect palette = PaletteRect(), bar = BarRect();
  cairo_save(cr);
  cairo_rectangle(cr, m_rcPaint.left, m_rcPaint.top, m_rcPaint.Width(), m_rcPaint.Height());
  cairo_clip(cr);
  cairo_set_source_surface(cr, palette_, palette.left, palette.top);
  cairo_rectangle(cr, palette.left, palette.top, palette.Width(), palette.Height());
  cairo_fill(cr);
  cairo_set_source_surface(cr, bar_, bar.left, bar.top);
  cairo_rectangle(cr, bar.left, bar.top, bar.Width(), bar.Height());
  cairo_fill(cr);
  // Markers: a ring at the chosen hue and saturation, a line at the brightness.
  const double x = palette.left + hue_ / 360.0 * std::max(1, palette.Width() - 1);
  const double y = palette.top + (1.0 - saturation_) * std::max(1, palette.Height() - 1);
  cairo_set_line_width(cr, 1.5);
  CRenderEngine::SetSourceColor(cr, 0xFFFFFFFF);
  cairo_arc(cr, x, y, Scale(5), 0, 2 * M_PI);
  cairo_stroke(cr);
  const double bx = bar.left + brightness_ * std::max(1, bar.Width() - 1);
  CRenderEngine::SetSourceColor(cr, brightness_ > 0.5 ? 0xFF000000 : 0xFFFFFFFF);
  cairo_move_to(cr, bx, bar.top);
  cairo_line_to(cr, bx, bar.bottom);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void CColorPaletteUI::SetAttribute(const std::string& name, const std::string& value) {
  const std::string key = ToLowerAscii(name);
  if (key == "palletheight") palletHeight_ = std::max(0, ParseInt(value));
  else if (key == "barheight") barHeight_ = std::max(0, ParseInt(value));
  else if (key == "selectcolor" || key == "color") SetSelectColor(ParseColor(value));
  else if (key == "thumbimage") AddCustomAttribute(name, value);
  else {
    CControlUI::SetAttribute(name, value);
    return;
  }
  Invalidate();
}

}  // namespace velmora::toolkit
