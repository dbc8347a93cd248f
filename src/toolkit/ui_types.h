#pragma once

// Geometry and value types shared by every control.

#include <algorithm>
#include <cstdint>

namespace velmora::toolkit {

// Message parameters and results, pointer-sized as on the original platform.
using UiWParam = uintptr_t;
using UiLParam = intptr_t;
using UiLResult = intptr_t;

// A colour as 0xAARRGGBB.
using UiColor = uint32_t;

struct UiPoint {
  int x = 0, y = 0;
  bool operator==(const UiPoint&) const = default;
};

struct UiSize {
  int cx = 0, cy = 0;
  bool operator==(const UiSize&) const = default;
};

// A rectangle whose right and bottom edges are exclusive.
struct UiRect {
  int left = 0, top = 0, right = 0, bottom = 0;

  bool operator==(const UiRect&) const = default;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(UiPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  UiRect Intersect(const UiRect& o) const {
    UiRect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
    if (r.IsEmpty()) return {};
    return r;
  }
  bool Intersects(const UiRect& o) const { return !Intersect(o).IsEmpty(); }
  UiRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  // Shrinks by the four margins of inset (left, top, right, bottom), never below empty.
  UiRect Deflate(const UiRect& inset) const {
    UiRect r{left + inset.left, top + inset.top, right - inset.right, bottom - inset.bottom};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
  }
  UiRect Union(const UiRect& o) const {
    if (IsEmpty()) return o;
    if (o.IsEmpty()) return *this;
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
  }
};

}  // namespace velmora::toolkit
