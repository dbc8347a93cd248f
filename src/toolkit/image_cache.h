#pragma once

// Decoded images by file path, shared by every window of the UI thread. Any format
// gdk-pixbuf reads is accepted; PNG is read directly by cairo.

#include <cairo.h>

#include <map>
#include <string>

namespace velmora::toolkit {

class ImageCache {
 public:
  static ImageCache& Instance();
  ~ImageCache();

  // The decoded image (owned by the cache), or null when the file cannot be read. A failed
  // path is remembered so that a missing image is reported once, not on every paint.
  cairo_surface_t* Get(const std::string& path);
  void Clear();

 private:
  ImageCache() = default;
  std::map<std::string, cairo_surface_t*> images_;
};

}  // namespace velmora::toolkit
