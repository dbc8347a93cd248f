#include "toolkit/image_cache.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include "platform/debug_output.h"

namespace velmora::toolkit {
namespace {

cairo_surface_t* LoadPng(const std::string& path) {
  cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
  if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) return surface;
  cairo_surface_destroy(surface);
  return nullptr;
}

// Copies a pixbuf into a premultiplied ARGB surface.
cairo_surface_t* SurfaceFromPixbuf(GdkPixbuf* pixbuf) {
  const int width = gdk_pixbuf_get_width(pixbuf);
  const int height = gdk_pixbuf_get_height(pixbuf);
  const int channels = gdk_pixbuf_get_n_channels(pixbuf);
  const int stride = gdk_pixbuf_get_rowstride(pixbuf);
  const guchar* pixels = gdk_pixbuf_read_pixels(pixbuf);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  cairo_surface_flush(surface);
  unsigned char* out = cairo_image_surface_get_data(surface);
  const int outStride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    const guchar* in = pixels + static_cast<ptrdiff_t>(y) * stride;
    auto* row = reinterpret_cast<uint32_t*>(out + static_cast<ptrdiff_t>(y) * outStride);
    for (int x = 0; x < width; ++x) {
      const guchar* p = in + x * channels;
      const uint32_t a = channels == 4 ? p[3] : 255;
      const uint32_t r = p[0] * a / 255, g = p[1] * a / 255, b = p[2] * a / 255;
      row[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

cairo_surface_t* LoadAnyFormat(const std::string& path) {
  GError* error = nullptr;
  GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(path.c_str(), &error);
  if (pixbuf == nullptr) {
    if (error != nullptr) g_error_free(error);
    return nullptr;
  }
  cairo_surface_t* surface = SurfaceFromPixbuf(pixbuf);
  g_object_unref(pixbuf);
  return surface;
}

}  // namespace

ImageCache& ImageCache::Instance() {
  static ImageCache cache;
  return cache;
}

ImageCache::~ImageCache() { Clear(); }

cairo_surface_t* ImageCache::Get(const std::string& path) {
  auto it = images_.find(path);
  if (it != images_.end()) return it->second;
  cairo_surface_t* surface = LoadPng(path);
  if (surface == nullptr) surface = LoadAnyFormat(path);
  if (surface == nullptr) platform::DebugOutputF("toolkit: cannot load image '%s'", path.c_str());
  images_[path] = surface;
  return surface;
}

void ImageCache::Clear() {
  for (auto& [path, surface] : images_) {
    if (surface != nullptr) cairo_surface_destroy(surface);
  }
  images_.clear();
}

}  // namespace velmora::toolkit
