#pragma once

// CRenderEngine: the drawing primitives every control paints with, on cairo and pango.
// Rectangles are in window device pixels; colours are ARGB.

#include <cairo.h>

#include <cstdint>
#include <string>

#include "toolkit/ui_types.h"

namespace velmora::toolkit {

class CPaintManagerUI;

// Text layout flags (the values the layout files and callers use).
inline constexpr uint32_t DT_LEFT = 0x0;
inline constexpr uint32_t DT_TOP = 0x0;
inline constexpr uint32_t DT_CENTER = 0x1;
inline constexpr uint32_t DT_RIGHT = 0x2;
inline constexpr uint32_t DT_VCENTER = 0x4;
inline constexpr uint32_t DT_BOTTOM = 0x8;
inline constexpr uint32_t DT_WORDBREAK = 0x10;
inline constexpr uint32_t DT_SINGLELINE = 0x20;
inline constexpr uint32_t DT_CALCRECT = 0x400;
inline constexpr uint32_t DT_NOPREFIX = 0x800;
inline constexpr uint32_t DT_END_ELLIPSIS = 0x8000;

class CRenderEngine {
 public:
  static void SetSourceColor(cairo_t* cr, UiColor color);
  static void DrawColor(cairo_t* cr, const UiRect& rc, UiColor color);
  static void DrawGradient(cairo_t* cr, const UiRect& rc, UiColor first, UiColor second, bool vertical);
  // A border of the given width drawn inside rc.
  static void DrawRect(cairo_t* cr, const UiRect& rc, int size, UiColor color);
  static void DrawRoundRect(cairo_t* cr, const UiRect& rc, int size, int width, int height, UiColor color);
  static void FillRoundRect(cairo_t* cr, const UiRect& rc, int width, int height, UiColor color);
  // Adds a rounded-rectangle path (corner ellipse width x height) to cr.
  static void RoundRectPath(cairo_t* cr, const UiRect& rc, int width, int height);
  static void DrawLine(cairo_t* cr, UiPoint from, UiPoint to, int size, UiColor color);

  // Draws text in rc with the manager's font (-1: default) and the DT_* style. With html,
  // the text may carry <b>, <i>, <u>, <s>, <c #color>, <f id> and <n> tags.
  // With DT_CALCRECT nothing is drawn and rc becomes the rectangle the text needs.
  static void DrawText(cairo_t* cr, CPaintManagerUI* manager, UiRect& rc, const std::string& text, UiColor color,
                       int font, uint32_t style, bool html = false);
  // The size the text needs; width > 0 wraps (DT_WORDBREAK) at that width.
  static UiSize MeasureText(CPaintManagerUI* manager, const std::string& text, int font, uint32_t style, int width,
                            bool html = false);

  // Hit testing and caret placement in text laid out as DrawText would (rc's origin at 0,0,
  // width = the layout width for wrapped styles): the byte offset of the character boundary
  // nearest to point, and the caret rectangle at a byte offset.
  static size_t HitTestText(CPaintManagerUI* manager, const std::string& text, int font, uint32_t style, int width,
                            UiPoint point);
  static UiRect CaretRectAt(CPaintManagerUI* manager, const std::string& text, int font, uint32_t style, int width,
                            size_t offset);

  // Draws an image string (see image_string.h) in rcItem, clipped to rcPaint. modify's
  // attributes override the string's. False when the image cannot be loaded.
  static bool DrawImageString(cairo_t* cr, CPaintManagerUI* manager, const UiRect& rcItem, const UiRect& rcPaint,
                              const std::string& image, const std::string& modify = std::string());
};

}  // namespace velmora::toolkit
