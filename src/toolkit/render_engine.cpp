#include "toolkit/render_engine.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "toolkit/image_cache.h"
#include "toolkit/image_string.h"
#include "toolkit/paint_manager.h"
#include "toolkit/resource_manager.h"
#include "toolkit/text_markup.h"

// Fontconfig keeps its font patterns in process-lifetime caches that Pango never releases.
// Under LeakSanitizer they would fail every program that renders text, so they are named
// here; leaks of our own code are still reported. Weak, so that a test program may give its
// own list instead.
#if defined(__SANITIZE_ADDRESS__)
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif

namespace velmora::toolkit {
namespace {

void ClipTo(cairo_t* cr, const UiRect& rc) {
  cairo_rectangle(cr, rc.left, rc.top, rc.Width(), rc.Height());
  cairo_clip(cr);
}

// Draws src of the image scaled into dst.
void DrawImagePart(cairo_t* cr, cairo_surface_t* image, const UiRect& src, const UiRect& dst, double alpha) {
  if (src.IsEmpty() || dst.IsEmpty()) return;
  cairo_save(cr);
  ClipTo(cr, dst);
  cairo_translate(cr, dst.left, dst.top);
  cairo_scale(cr, static_cast<double>(dst.Width()) / src.Width(), static_cast<double>(dst.Height()) / src.Height());
  cairo_set_source_surface(cr, image, -src.left, -src.top);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  // Cairo's default filter convolves every down-scaled paint, which made a full repaint of a
  // skin page several times slower; a plain copy where nothing scales, bilinear elsewhere.
  const bool unscaled = src.Width() == dst.Width() && src.Height() == dst.Height();
  cairo_pattern_set_filter(cairo_get_source(cr), unscaled ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_BILINEAR);
  cairo_paint_with_alpha(cr, alpha);
  cairo_restore(cr);
}

// Repeats src unscaled across dst along the tiled axes (stretching along the others).
void DrawTiled(cairo_t* cr, cairo_surface_t* image, const UiRect& src, const UiRect& dst, bool xtiled, bool ytiled,
               double alpha) {
  const int stepX = xtiled ? src.Width() : dst.Width();
  const int stepY = ytiled ? src.Height() : dst.Height();
  if (stepX <= 0 || stepY <= 0) return;
  cairo_save(cr);
  ClipTo(cr, dst);
  for (int y = dst.top; y < dst.bottom; y += stepY) {
    for (int x = dst.left; x < dst.right; x += stepX) DrawImagePart(cr, image, src, {x, y, x + stepX, y + stepY}, alpha);
  }
  cairo_restore(cr);
}

// Nine-part drawing: corners unscaled, edges stretched along one axis, the middle both ways.
void DrawNinePart(cairo_t* cr, cairo_surface_t* image, const UiRect& src, const UiRect& dst, const UiRect& srcCorner,
                  const UiRect& dstCorner, bool hole, double alpha) {
  const int sx[4] = {src.left, src.left + srcCorner.left, src.right - srcCorner.right, src.right};
  const int sy[4] = {src.top, src.top + srcCorner.top, src.bottom - srcCorner.bottom, src.bottom};
  const int dx[4] = {dst.left, dst.left + dstCorner.left, dst.right - dstCorner.right, dst.right};
  const int dy[4] = {dst.top, dst.top + dstCorner.top, dst.bottom - dstCorner.bottom, dst.bottom};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      if (hole && row == 1 && col == 1) continue;
      DrawImagePart(cr, image, {sx[col], sy[row], sx[col + 1], sy[row + 1]},
                    {dx[col], dy[row], dx[col + 1], dy[row + 1]}, alpha);
    }
  }
}

std::string ImagePath(const TDrawInfo& info) {
  std::string file = info.file;
  if (info.fromResource) {
    std::string mapped = CResourceManager::GetInstance().GetImagePath(file);
    if (!mapped.empty()) file = mapped;
  }
  return ResolveSkinPath(file);
}

int ScaleBy(CPaintManagerUI* manager, int value) { return manager != nullptr ? manager->ScaleValue(value) : value; }

UiRect ScaleBy(CPaintManagerUI* manager, const UiRect& rc) {
  return {ScaleBy(manager, rc.left), ScaleBy(manager, rc.top), ScaleBy(manager, rc.right), ScaleBy(manager, rc.bottom)};
}

// A context for measuring text when no painting context is at hand.
cairo_t* MeasuringContext() {
  static cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  static cairo_t* cr = cairo_create(surface);
  return cr;
}

PangoLayout* CreateTextLayout(cairo_t* cr, CPaintManagerUI* manager, const std::string& text, int font,
                              uint32_t style, int width, int height, bool html) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* ownDescription = nullptr;
  PangoFontDescription* description = nullptr;
  bool underline = false;
  if (manager != nullptr) {
    description = manager->GetFont(font);
    underline = manager->GetFontInfo(font).underline;
  } else {
    ownDescription = pango_font_description_from_string(kFallbackFaces);
    pango_font_description_set_absolute_size(ownDescription, 12 * PANGO_SCALE);
    description = ownDescription;
  }
  pango_layout_set_font_description(layout, description);
  if (ownDescription != nullptr) pango_font_description_free(ownDescription);

  const bool single = (style & DT_SINGLELINE) != 0 && (style & DT_WORDBREAK) == 0;
  std::string shown = text;
  if (single) std::replace(shown.begin(), shown.end(), '\n', ' ');
  if (!html || !ApplyTextMarkup(layout, shown)) pango_layout_set_text(layout, shown.c_str(), -1);
  if (underline) {
    PangoAttrList* attributes = pango_layout_get_attributes(layout);
    PangoAttrList* list = attributes != nullptr ? pango_attr_list_copy(attributes) : pango_attr_list_new();
    pango_attr_list_insert_before(list, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    pango_layout_set_attributes(layout, list);
    pango_attr_list_unref(list);
  }
  if (width > 0 && (style & DT_WORDBREAK) != 0) {
    pango_layout_set_width(layout, width * PANGO_SCALE);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    if ((style & DT_CENTER) != 0) pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
    else if ((style & DT_RIGHT) != 0) pango_layout_set_alignment(layout, PANGO_ALIGN_RIGHT);
    if ((style & DT_END_ELLIPSIS) != 0 && height > 0) {
      pango_layout_set_height(layout, height * PANGO_SCALE);
      pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    }
  } else if (width > 0 && (style & DT_END_ELLIPSIS) != 0) {
    pango_layout_set_width(layout, width * PANGO_SCALE);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
  }
  return layout;
}

}  // namespace

void CRenderEngine::SetSourceColor(cairo_t* cr, UiColor color) {
  cairo_set_source_rgba(cr, ((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0, (color & 0xFF) / 255.0,
                        ((color >> 24) & 0xFF) / 255.0);
}

void CRenderEngine::DrawColor(cairo_t* cr, const UiRect& rc, UiColor color) {
  if (rc.IsEmpty() || (color >> 24) == 0) return;
  cairo_save(cr);
  SetSourceColor(cr, color);
  cairo_rectangle(cr, rc.left, rc.top, rc.Width(), rc.Height());
  cairo_fill(cr);
  cairo_restore(cr);
}

void CRenderEngine::DrawGradient(cairo_t* cr, const UiRect& rc, UiColor first, UiColor second, bool vertical) {
  if (rc.IsEmpty()) return;
  cairo_pattern_t* pattern = vertical ? cairo_pattern_create_linear(0, rc.top, 0, rc.bottom)
                                      : cairo_pattern_create_linear(rc.left, 0, rc.right, 0);
  auto stop = [pattern](double offset, UiColor c) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                                      (c & 0xFF) / 255.0, ((c >> 24) & 0xFF) / 255.0);
  };
  stop(0, first);
  stop(1, second);
  cairo_save(cr);
  cairo_set_source(cr, pattern);
  cairo_rectangle(cr, rc.left, rc.top, rc.Width(), rc.Height());
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_pattern_destroy(pattern);
}

void CRenderEngine::DrawRect(cairo_t* cr, const UiRect& rc, int size, UiColor color) {
  if (rc.IsEmpty() || size <= 0) return;
  cairo_save(cr);
  SetSourceColor(cr, color);
  cairo_set_line_width(cr, size);
  const double half = size / 2.0;
  cairo_rectangle(cr, rc.left + half, rc.top + half, rc.Width() - size, rc.Height() - size);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void CRenderEngine::RoundRectPath(cairo_t* cr, const UiRect& rc, int width, int height) {
  const double rx = std::min(width / 2.0, rc.Width() / 2.0);
  const double ry = std::min(height / 2.0, rc.Height() / 2.0);
  if (rx <= 0 || ry <= 0) {
    cairo_rectangle(cr, rc.left, rc.top, rc.Width(), rc.Height());
    return;
  }
  cairo_new_sub_path(cr);
  const double corners[4][3] = {{rc.right - rx, rc.top + ry, -M_PI / 2},
                                {rc.right - rx, rc.bottom - ry, 0},
                                {rc.left + rx, rc.bottom - ry, M_PI / 2},
                                {rc.left + rx, rc.top + ry, M_PI}};
  for (const auto& corner : corners) {
    cairo_save(cr);
    cairo_translate(cr, corner[0], corner[1]);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, corner[2], corner[2] + M_PI / 2);
    cairo_restore(cr);
  }
  cairo_close_path(cr);
}

void CRenderEngine::DrawRoundRect(cairo_t* cr, const UiRect& rc, int size, int width, int height, UiColor color) {
  if (rc.IsEmpty() || size <= 0) return;
  cairo_save(cr);
  const double half = size / 2.0;
  const UiRect inner{rc.left, rc.top, rc.right, rc.bottom};
  cairo_translate(cr, half, half);
  RoundRectPath(cr, {inner.left, inner.top, inner.right - size, inner.bottom - size}, width, height);
  SetSourceColor(cr, color);
  cairo_set_line_width(cr, size);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void CRenderEngine::FillRoundRect(cairo_t* cr, const UiRect& rc, int width, int height, UiColor color) {
  if (rc.IsEmpty()) return;
  cairo_save(cr);
  RoundRectPath(cr, rc, width, height);
  SetSourceColor(cr, color);
  cairo_fill(cr);
  cairo_restore(cr);
}

void CRenderEngine::DrawLine(cairo_t* cr, UiPoint from, UiPoint to, int size, UiColor color) {
  cairo_save(cr);
  SetSourceColor(cr, color);
  cairo_set_line_width(cr, std::max(1, size));
  cairo_move_to(cr, from.x + 0.5, from.y + 0.5);
  cairo_line_to(cr, to.x + 0.5, to.y + 0.5);
  cairo_stroke(cr);
  cairo_restore(cr);
}

UiSize CRenderEngine::MeasureText(CPaintManagerUI* manager, const std::string& text, int font, uint32_t style,
                                  int width, bool html) {
  PangoLayout* layout = CreateTextLayout(MeasuringContext(), manager, text, font, style, width, 0, html);
  int w = 0, h = 0;
  pango_layout_get_pixel_size(layout, &w, &h);
  g_object_unref(layout);
  return {w, h};
}

size_t CRenderEngine::HitTestText(CPaintManagerUI* manager, const std::string& text, int font, uint32_t style,
                                  int width, UiPoint point) {
  PangoLayout* layout = CreateTextLayout(MeasuringContext(), manager, text, font, style, width, 0, false);
  int index = 0, trailing = 0;
  pango_layout_xy_to_index(layout, point.x * PANGO_SCALE, point.y * PANGO_SCALE, &index, &trailing);
  g_object_unref(layout);
  size_t offset = std::min(static_cast<size_t>(std::max(0, index)), text.size());
  // trailing counts characters past the one hit: step over that many UTF-8 characters.
  for (int i = 0; i < trailing && offset < text.size(); ++i) {
    ++offset;
    while (offset < text.size() && (static_cast<unsigned char>(text[offset]) & 0xC0) == 0x80) ++offset;
  }
  return offset;
}

UiRect CRenderEngine::CaretRectAt(CPaintManagerUI* manager, const std::string& text, int font, uint32_t style,
                                  int width, size_t offset) {
  PangoLayout* layout = CreateTextLayout(MeasuringContext(), manager, text, font, style, width, 0, false);
  PangoRectangle strong{}, weak{};
  pango_layout_get_cursor_pos(layout, static_cast<int>(std::min(offset, text.size())), &strong, &weak);
  int h = 0;
  if (text.empty()) pango_layout_get_pixel_size(layout, nullptr, &h);
  g_object_unref(layout);
  const int x = PANGO_PIXELS(strong.x), y = PANGO_PIXELS(strong.y);
  const int height = std::max(PANGO_PIXELS(strong.height), h);
  return {x, y, x + 1, y + height};
}

void CRenderEngine::DrawText(cairo_t* cr, CPaintManagerUI* manager, UiRect& rc, const std::string& text,
                             UiColor color, int font, uint32_t style, bool html) {
  if ((style & DT_CALCRECT) != 0) {
    const UiSize size = MeasureText(manager, text, font, style, rc.Width(), html);
    rc.right = rc.left + size.cx;
    rc.bottom = rc.top + size.cy;
    return;
  }
  if (text.empty() || rc.IsEmpty() || cr == nullptr) return;
  PangoLayout* layout = CreateTextLayout(cr, manager, text, font, style, rc.Width(), rc.Height(), html);
  int w = 0, h = 0;
  pango_layout_get_pixel_size(layout, &w, &h);
  double x = rc.left;
  if (pango_layout_get_width(layout) < 0) {  // not wrapped: align by hand
    if ((style & DT_CENTER) != 0) x += (rc.Width() - w) / 2;
    else if ((style & DT_RIGHT) != 0) x += rc.Width() - w;
  }
  double y = rc.top;
  if ((style & DT_VCENTER) != 0) y += (rc.Height() - h) / 2;
  else if ((style & DT_BOTTOM) != 0) y += rc.Height() - h;
  cairo_save(cr);
  ClipTo(cr, rc);
  SetSourceColor(cr, color == 0 ? 0xFF000000 : color);
  cairo_move_to(cr, std::floor(x), std::floor(y));
  pango_cairo_show_layout(cr, layout);
  cairo_restore(cr);
  g_object_unref(layout);
}

bool CRenderEngine::DrawImageString(cairo_t* cr, CPaintManagerUI* manager, const UiRect& rcItem,
                                    const UiRect& rcPaint, const std::string& image, const std::string& modify) {
  if (image.empty() || cr == nullptr) return false;
  TDrawInfo info;
  ParseImageString(image, info);
  if (!modify.empty()) ParseImageString(modify, info);
  if (info.file.empty()) return false;
  cairo_surface_t* surface = ImageCache::Instance().Get(ImagePath(info));
  if (surface == nullptr) return false;
  const UiRect whole{0, 0, cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface)};
  const UiRect source = info.source.IsEmpty() ? whole : info.source.Intersect(whole);
  UiRect dest = rcItem;
  if (!info.dest.IsEmpty()) dest = ScaleBy(manager, info.dest).Offset(rcItem.left, rcItem.top).Intersect(rcItem);
  const UiRect visible = dest.Intersect(rcPaint);
  if (source.IsEmpty() || visible.IsEmpty()) return true;
  const double alpha = info.fade / 255.0;
  cairo_save(cr);
  ClipTo(cr, visible);
  if (info.xtiled || info.ytiled) {
    DrawTiled(cr, surface, source, dest, info.xtiled, info.ytiled, alpha);
  } else if (info.corner == UiRect{} && !info.hole) {
    DrawImagePart(cr, surface, source, dest, alpha);
  } else {
    DrawNinePart(cr, surface, source, dest, info.corner, ScaleBy(manager, info.corner), info.hole, alpha);
  }
  cairo_restore(cr);
  return true;
}

}  // namespace velmora::toolkit
